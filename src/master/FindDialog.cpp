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

void ArticleFinder::writeLine(int resultRow, int line, bool selectAll) {
    if (resultRow < 0 || resultRow >= DBGrid1->rowCount() || line < 1 || line >= host().lineCount()) return;
    const bool zero = selectAll ? zeroPriceOnSelectAll() : zeroPrice();
    for (const LineCell& cell : lineCells()) {
        QString text = cell.field.isEmpty() ? cell.literal : DBGrid1->text(resultRow, cell.field);
        if (cell.price && zero) text = QStringLiteral("0");
        host().setLineCell(line, cell.column, text);
    }
}

std::vector<LineCell> articleLineCells() {
    using C = LineCell;
    return {
        C::fromField(1, QStringLiteral("物品编码")),
        C::fromField(2, QStringLiteral("物品名称")),
        C::fromField(3, QStringLiteral("规格型号")),
        C::fromField(4, QStringLiteral("单位")),
        C::priceField(5, QStringLiteral("单价")),
        C::fixedText(6, QStringLiteral("1")),       // quantity
        C::priceField(7, QStringLiteral("单价")),   // amount of one
        C::fromField(8, QStringLiteral("备注")),
    };
}

QString tooFewLinesMessage(int rows, int freeLines) {
    return QStringLiteral("明细行不足，不能全部选择！共 %1 条物品，当前行起只有 %2 行。").arg(rows).arg(freeLines);
}

void ArticleFinder::A1Click() {
    const int rows = DBGrid1->rowCount();
    if (rows == 0) return;
    FinderHost& h = host();
    const int start = h.currentLine();
    const int count = h.lineCount();
    if (start < 1 || start >= count) return;
    // The grid has a fixed number of lines: a result that does not fit from
    // the current line on is refused instead of being cut off.
    if (start + rows > count) {
        showMessage(tooFewLinesMessage(rows, count - start));
        return;
    }
    for (int i = 0; i < rows; ++i) {
        writeLine(i, start + i, true);
        h.setCurrentLine(qMin(start + i + 1, count - 1));
    }
    accept();
}
