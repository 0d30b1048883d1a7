#include "master/FinderHost.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

QTableWidget* FinderHost::lineGrid() {
    QWidget* w = finderWindow();
    return w ? w->findChild<QTableWidget*>(QStringLiteral("StringGrid1")) : nullptr;
}

int FinderHost::lineCount() {
    QTableWidget* g = lineGrid();
    return g ? g->rowCount() : 0;
}

int FinderHost::currentLine() {
    QTableWidget* g = lineGrid();
    return g ? g->currentRow() : -1;
}

void FinderHost::setCurrentLine(int row) {
    QTableWidget* g = lineGrid();
    if (!g || row < 1 || row >= g->rowCount()) return;
    int column = g->currentColumn();
    if (column < 0) column = qMin(1, g->columnCount() - 1);
    g->setCurrentCell(row, column);
}

QString FinderHost::lineCell(int row, int column) {
    QTableWidget* g = lineGrid();
    if (!g) return QString();
    const QTableWidgetItem* item = g->item(row, column);
    return item ? item->text() : QString();
}

void FinderHost::setLineCell(int row, int column, const QString& text) {
    QTableWidget* g = lineGrid();
    if (!g || row < 0 || row >= g->rowCount() || column < 0) return;
    if (column >= g->columnCount()) {
        const int first = g->columnCount();
        g->setColumnCount(column + 1);
        for (int c = first; c <= column; ++c) g->setColumnHidden(c, true);
    }
    if (QTableWidgetItem* item = g->item(row, column)) item->setText(text);
    else g->setItem(row, column, new QTableWidgetItem(text));
}

bool FinderHost::lineIsFree(int row) {
    QTableWidget* g = lineGrid();
    if (!g || row < 1 || row >= g->rowCount()) return false;
    for (int c = 1; c < g->columnCount(); ++c)
        if (!lineCell(row, c).isEmpty()) return false;
    return true;
}

void FinderHost::focusLines() {
    if (QTableWidget* g = lineGrid()) g->setFocus(Qt::OtherFocusReason);
}

QString FinderHost::controlText(const QString& name) {
    QWidget* w = finderWindow();
    if (!w) return QString();
    if (auto* e = w->findChild<QLineEdit*>(name)) return e->text();
    if (auto* l = w->findChild<QLabel*>(name)) return l->text();
    return QString();
}

bool FinderHost::setControlText(const QString& name, const QString& text) {
    QWidget* w = finderWindow();
    if (!w) return false;
    if (auto* e = w->findChild<QLineEdit*>(name)) {
        e->setText(text);
        return true;
    }
    if (auto* l = w->findChild<QLabel*>(name)) {
        l->setText(text);
        return true;
    }
    return false;
}

QString FinderHost::returnSearchText() { return lineCell(currentLine(), 1); }

QString FinderHost::returnPerson() { return controlText(QStringLiteral("Edit2")); }

QStringList FinderHost::returnExcludedIds() { return idsInColumn(9, currentLine()); }

QStringList FinderHost::idsInColumn(int column, int exceptRow) {
    QStringList ids;
    const int n = lineCount();
    for (int r = 1; r < n; ++r) {
        if (r == exceptRow) continue;
        const QString t = lineCell(r, column).trimmed();
        if (!t.isEmpty()) ids << t;
    }
    return ids;
}
