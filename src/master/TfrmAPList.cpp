#include "master/TfrmAPList.h"

#include "app/TfrmDM.h"
#include "master/FindArticle6.h"
#include "platform/Guard.h"
#include "platform/Money.h"
#include "platform/Ui.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

bool isEnter(const QKeyEvent* ke) { return ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter; }

// The cell editors: 单价 and 数量 take digits and ".", 金额 takes nothing but
// Backspace; Enter stores the cell and runs the grid's Enter.
class PackCellDelegate : public QStyledItemDelegate {
public:
    explicit PackCellDelegate(TfrmAPList* dlg) : QStyledItemDelegate(dlg), dlg_(dlg) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* le = qobject_cast<QLineEdit*>(w)) {
            le->setProperty("packColumn", index.column());
            if (index.column() == TfrmAPList::ColPrice || index.column() == TfrmAPList::ColCount) {
                le->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), le));
                le->setMaxLength(16);
            }
            if (index.column() == TfrmAPList::ColRemark) le->setMaxLength(50);
            if (index.column() == TfrmAPList::ColAmount) le->setContextMenuPolicy(Qt::NoContextMenu);
        }
        return w;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(event);
            const int column = editor->property("packColumn").toInt();
            if (isEnter(ke)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                guarded([this] { dlg_->gridEnter(); });
                return true;
            }
            if (column == TfrmAPList::ColAmount && ke->matches(QKeySequence::Paste)) return true;
            const QString t = ke->text();
            if (!t.isEmpty() && t.at(0).isPrint() && !TfrmAPList::acceptsChar(column, t.at(0))) return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TfrmAPList* dlg_;
};

} // namespace

TfrmAPList::TfrmAPList(QWidget* parent, qlonglong packId, const QString& packName)
    : QDialog(parent), packId_(packId), packName_(packName) {
    setObjectName(QStringLiteral("frmAPList"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* gl = new QVBoxLayout(GroupBox1);
    Label1 = new QLabel(QStringLiteral("中间物品信息 请在 物品编码 处录入 物品编码 或 物品名称 或 拼音码 按回车或鼠标双击进行选择"),
                        GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    gl->addWidget(Label1);
    StringGrid1 = new QTableWidget(GroupBox1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setToolTip(QStringLiteral("亲，在 物品编码 处录入物品名称拼音首字母或物品编码，按回车或鼠标双击..."));
    StringGrid1->setItemDelegate(new PackCellDelegate(this));
    StringGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->verticalHeader()->setDefaultSectionSize(22);
    StringGrid1->installEventFilter(this);
    gl->addWidget(StringGrid1);
    layout->addWidget(GroupBox1, 1);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("保存"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);  // Enter belongs to the grid
        b->setMinimumWidth(90);
        bar->addWidget(b);
    }
    layout->addLayout(bar);

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { reject(); });
    connectGuarded(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        setCursor(row, column);
        myFindWP();
    });

    myStringLoad();
    FormShow();
    resize(880, 600);
}

TfrmAPList::~TfrmAPList() = default;

void TfrmAPList::openFor(QWidget* parent, qlonglong packId, const QString& packName) {
    TfrmAPList dlg(parent, packId, packName);
    dlg.exec();
}

void TfrmAPList::myStringLoad() {
    StringGrid1->clear();
    StringGrid1->setColumnCount(10);
    StringGrid1->setRowCount(kLines);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("物品编码"), QStringLiteral("物品名称"),
                                            QStringLiteral("规格型号"), QStringLiteral("单位"), QStringLiteral("单价"),
                                            QStringLiteral("数量"), QStringLiteral("金额"), QStringLiteral("备注"),
                                            QStringLiteral("ID")});
    const int widths[9] = {30, 100, 200, 100, 60, 70, 60, 80, 100};
    for (int c = 0; c < 9; ++c) StringGrid1->setColumnWidth(c, widths[c]);
    StringGrid1->setColumnHidden(ColID, true);
    for (int r = 0; r < kLines; ++r) {
        auto* no = new QTableWidgetItem(QString::number(r + 1));
        no->setFlags(Qt::ItemIsEnabled);
        no->setTextAlignment(Qt::AlignCenter);
        no->setBackground(palette().button());
        StringGrid1->setItem(r, ColNo, no);
        for (int c = ColCode; c <= ColID; ++c) StringGrid1->setItem(r, c, new QTableWidgetItem(QString()));
    }
    setCursor(0, ColCode);
}

void TfrmAPList::FormShow() {
    const QString title = packName_ + QStringLiteral(" 物品明细");
    setWindowTitle(title);
    GroupBox1->setTitle(title);
    const QList<PackLine> stored = PackContents::load(DM(), packName_);
    int r = 0;
    for (const PackLine& l : stored) {
        if (r >= kLines) break;
        setLine(r++, l);
    }
    setCursor(qMin(r, kLines - 1), ColCode);
}

QString TfrmAPList::cell(int row, int column) const {
    const QTableWidgetItem* i = StringGrid1->item(row, column);
    return i ? i->text() : QString();
}

void TfrmAPList::setCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* i = StringGrid1->item(row, column)) i->setText(text);
    else StringGrid1->setItem(row, column, new QTableWidgetItem(text));
}

PackLine TfrmAPList::line(int row) const {
    return {cell(row, ColCode), cell(row, ColName), cell(row, ColStandard), cell(row, ColUnit), cell(row, ColPrice),
            cell(row, ColCount), cell(row, ColAmount), cell(row, ColRemark), cell(row, ColID)};
}

void TfrmAPList::setLine(int row, const PackLine& l) {
    if (row < 0 || row >= kLines) return;
    setCell(row, ColCode, l.code);
    setCell(row, ColName, l.name);
    setCell(row, ColStandard, l.standard);
    setCell(row, ColUnit, l.unit);
    setCell(row, ColPrice, l.price);
    setCell(row, ColCount, l.count);
    setCell(row, ColAmount, l.amount);
    setCell(row, ColRemark, l.remark);
    setCell(row, ColID, l.aid);
}

QList<PackLine> TfrmAPList::lines() const {
    QList<PackLine> out;
    for (int r = 0; r < kLines; ++r) out << line(r);
    return out;
}

QStringList TfrmAPList::articleIds() const {
    QStringList ids;
    for (int r = 0; r < kLines; ++r)
        if (!cell(r, ColID).isEmpty()) ids << cell(r, ColID);
    return ids;
}

void TfrmAPList::setCursor(int row, int column) {
    if (row < 0 || row >= kLines) return;
    StringGrid1->setCurrentCell(row, column);
}

bool TfrmAPList::acceptsChar(int column, QChar c) {
    if (column == ColPrice || column == ColCount) return c.isDigit() || c == QLatin1Char('.');
    if (column == ColAmount) return false;
    return true;
}

void TfrmAPList::myFindWP() {
    const int row = StringGrid1->currentRow();
    if (row < 0 || !cell(row, ColID).isEmpty()) return;
    // Articles already in the pack are not offered again.
    TfrmFindArticle6 finder(*this, QStringLiteral("wp"));
    const int found = finder.search(cell(row, ColCode), idsInColumn(ColID));
    if (found == 0) {
        showMessage(QStringLiteral("物品信息不存在，清重新选择！"));
        return;
    }
    if (found == 1) {
        // One match fills the line without the finder; the cursor moves on.
        finder.writeLine(0, row + 1);
        setCursor(row + 1, ColCode);
        return;
    }
    finder.exec();
}

int TfrmAPList::currentLine() {
    const int row = StringGrid1->currentRow();
    return row < 0 ? -1 : row + 1;
}

void TfrmAPList::setCurrentLine(int line) {
    if (line < 1 || line > kLines) return;
    const int column = StringGrid1->currentColumn();
    setCursor(line - 1, column < 0 ? ColCode : column);
}

QString TfrmAPList::lineCell(int line, int column) {
    if (line < 1 || line > kLines) return QString();
    return cell(line - 1, column);
}

void TfrmAPList::setLineCell(int line, int column, const QString& text) {
    if (line < 1 || line > kLines || column < ColCode || column > ColID) return;
    setCell(line - 1, column, text);
}

bool TfrmAPList::lineIsFree(int line) {
    if (line < 1 || line > kLines) return false;
    for (int c = ColCode; c <= ColID; ++c)
        if (!cell(line - 1, c).isEmpty()) return false;
    return true;
}

void TfrmAPList::gridEnter() {
    const int row = StringGrid1->currentRow(), column = StringGrid1->currentColumn();
    if (row < 0) return;
    if (cell(row, ColID).isEmpty()) {
        myFindWP();
        // A single match has moved the cursor on; no match leaves the line as it was.
        if (StringGrid1->currentRow() != row || cell(row, ColID).isEmpty()) return;
    }
    if (cell(row, ColCode).isEmpty()) return;
    if (column == ColCode) setCursor(row, ColPrice);
    else if (column == ColPrice) setCursor(row, ColCount);
    else if (column == ColCount) setCursor(row + 1, ColCode);
}

void TfrmAPList::BitBtn1Click() {
    const PackContents::SaveResult r = PackContents::save(DM(), packName_, lines());
    showMessage(r.message);
    if (!r.ok) {
        StringGrid1->setFocus();
        return;
    }
    accept();
}

bool TfrmAPList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (isEnter(ke)) {
            guarded([this] { gridEnter(); });
            return true;
        }
        const QString t = ke->text();
        if (!t.isEmpty() && t.at(0).isPrint() && !acceptsChar(StringGrid1->currentColumn(), t.at(0))) return true;
    }
    return QDialog::eventFilter(watched, event);
}
