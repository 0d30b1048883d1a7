#include "master/FindDialog.h"

#include "app/DataGrid.h"
#include "master/FinderHost.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QAction>
#include <QMenu>
#include <QShowEvent>
#include <QVBoxLayout>

FinderDialog::FinderDialog(FinderHost& host, const QString& objectName, const QString& caption, const QSize& size)
    : QDialog(host.finderWindow(),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      host_(host) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);
    resize(size);

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(4, 4, 4, 4);
    layout_->setSpacing(4);
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    layout_->addWidget(DBGrid1, 1);
    setFocusProxy(DBGrid1);

    connectGuarded(DBGrid1, &DataGrid::chosen, this, [this] { myLoad(); });
}

int FinderDialog::resultCount() const { return DBGrid1->rowCount(); }

void FinderDialog::myLoad() {
    const int row = DBGrid1->currentRow();
    if (row < 0) return;  // an empty result: nothing is chosen, nothing written
    writeChoice(row);
    accept();
}

void FinderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    guarded([this] { FormShow(); });
    if (DBGrid1->currentRow() < 0 && DBGrid1->rowCount() > 0) DBGrid1->setCurrentRow(0);
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

ArticleFinder::ArticleFinder(FinderHost& host, const QString& objectName, const QString& caption, const QSize& size)
    : FinderDialog(host, objectName, caption, size) {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    A1 = PopupMenu1->addAction(QStringLiteral("全选 &A"));
    A1->setObjectName(QStringLiteral("A1"));
    connectGuarded(A1, &QAction::triggered, this, [this] { A1Click(); });
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos)); });
}

void ArticleFinder::writeChoice(int row) {
    const int line = host().currentLine();
    if (line < 1) return;  // the opener has no line to fill
    writeLine(row, line);
}

void ArticleFinder::writeLine(int resultRow, int line) {
    if (resultRow < 0 || resultRow >= DBGrid1->rowCount() || line < 1 || line >= host().lineCount()) return;
    const bool zero = zeroPrice();
    for (const LineCell& cell : lineCells()) {
        QString text = cell.field.isEmpty() ? cell.literal : DBGrid1->text(resultRow, cell.field);
        if (cell.price && zero) text = QStringLiteral("0");
        host().setLineCell(line, cell.column, text);
    }
}

QString tooFewLinesMessage(int rows, int freeLines) {
    return QStringLiteral("明细空行不足，不能全部选择！共 %1 条物品，当前行起只有 %2 个空行。").arg(rows).arg(freeLines);
}

void ArticleFinder::A1Click() {
    const int rows = DBGrid1->rowCount();
    if (rows == 0) return;
    FinderHost& h = host();
    const int start = h.currentLine();
    const int count = h.lineCount();
    if (start < 1 || start >= count) return;
    // The current line holds the search text; after it only free lines are
    // used, so no line already entered is overwritten.
    std::vector<int> targets{start};
    for (int r = start + 1; r < count && static_cast<int>(targets.size()) < rows; ++r)
        if (h.lineIsFree(r)) targets.push_back(r);
    if (static_cast<int>(targets.size()) < rows) {
        int free = 1;
        for (int r = start + 1; r < count; ++r)
            if (h.lineIsFree(r)) ++free;
        showMessage(tooFewLinesMessage(rows, free));
        return;
    }
    for (int i = 0; i < rows; ++i) {
        writeLine(i, targets[i]);
        h.setCurrentLine(qMin(targets[i] + 1, count - 1));
    }
    accept();
}
