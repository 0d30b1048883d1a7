#include "exchange/ImportWindows.h"

#include "app/TfrmDM.h"
#include "exchange/SheetImport.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <vector>

// The rows read from a worksheet, for the preview grid.
class SheetTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setTable(const SheetTable* t) {
        beginResetModel();
        t_ = t;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return (parent.isValid() || !t_) ? 0 : static_cast<int>(t_->rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return (parent.isValid() || !t_) ? 0 : static_cast<int>(t_->headers.size());
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!t_ || !i.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
        const QStringList& row = t_->rows[i.row()];
        return i.column() < row.size() ? row[i.column()] : QString();
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole || !t_) return {};
        if (o == Qt::Horizontal) return section < t_->headers.size() ? t_->headers[section] : QVariant();
        return section + 1;
    }

private:
    const SheetTable* t_ = nullptr;
};

namespace {

struct MemberInfo {
    const char* caption;
    const char* hint;
    std::vector<int> widths;  // of the headers, in the order the hint names them
    const char* done;  // "成功导入…数据 " + count + " 条！"
};

const MemberInfo& info(TfrmImport::Member m) {
    static const MemberInfo members[] = {
        {"物品导入",
         "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为物品编码、物品分类、物品名称、规格型号、单位、单价、库存数量、备注、货位名称",
         {100, 80, 200, 100, 60, 60, 80, 80, 80}, "成功导入物品数据 "},
        {"人员导入", "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为工号、部门名称、人员姓名、职务、联系方式、身份证号、住址、备注",
         {80, 100, 100, 80, 100, 100, 100, 100}, "成功导入人员数据 "},
        {"供应商导入", "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为商家名称、电话号码、联系人、地址、备注",
         {120, 120, 120, 120, 120}, "成功导入供应商数据 "},
    };
    return members[static_cast<int>(m)];
}

const QStringList& headersOf(TfrmImport::Member m) {
    switch (m) {
    case TfrmImport::Member::Articles: return SheetImport::articleHeaders();
    case TfrmImport::Member::Persons: return SheetImport::personHeaders();
    case TfrmImport::Member::Suppliers: break;
    }
    return SheetImport::supplierHeaders();
}

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// The wait cursor while a large sheet is read or imported.
struct Busy {
    Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

} // namespace

TfrmImport::TfrmImport(Member member, QWidget* parent) : QDialog(parent), member_(member) {
    const MemberInfo& m = info(member);
    setWindowTitle(u(m.caption));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(900, 560);

    auto* top = new QVBoxLayout(this);
    Label1 = new QLabel(u(m.hint), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setStyleSheet(QStringLiteral("color: #c00000;"));
    top->addWidget(Label1);

    GroupBox1 = new QGroupBox(QStringLiteral("EXCEL数据"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* gl = new QVBoxLayout(GroupBox1);
    DBGrid1 = new QTableView(GroupBox1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->verticalHeader()->setDefaultSectionSize(22);
    model_ = new SheetTableModel(this);
    DBGrid1->setModel(model_);
    gl->addWidget(DBGrid1);
    top->addWidget(GroupBox1, 1);

    auto* bottom = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("打开"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    bottom->addWidget(Button1);
    if (member == Member::Articles) {
        bottom->addSpacing(20);
        CheckBox1 = new QCheckBox(QStringLiteral("保存库存"), this);
        CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
        bottom->addWidget(CheckBox1);
        auto* l = new QLabel(QStringLiteral("仓库名称："), this);
        bottom->addWidget(l);
        DBLookupComboBox2 = new QComboBox(this);
        DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
        DBLookupComboBox2->setMinimumWidth(160);
        l->setBuddy(DBLookupComboBox2);
        bottom->addWidget(DBLookupComboBox2);
        DM().DBComStorage(DBLookupComboBox2);
        DBLookupComboBox2->setCurrentIndex(-1);
    }
    bottom->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("导入"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setEnabled(false);
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    top->addLayout(bottom);

    for (QPushButton* b : {Button1, BitBtn1, BitBtn2}) b->setAutoDefault(false);
    Button1->setDefault(true);
    if (CheckBox1) {
        setTabOrder(Button1, CheckBox1);
        setTabOrder(CheckBox1, DBLookupComboBox2);
        setTabOrder(DBLookupComboBox2, BitBtn1);
    } else {
        setTabOrder(Button1, BitBtn1);
    }
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, DBGrid1);

    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    if (DBLookupComboBox2)
        connectGuarded(DBLookupComboBox2, &QComboBox::activated, this, [this] { DBLookupComboBox2Click(); });
    Button1->setFocus();
}

TfrmImport::~TfrmImport() = default;

void TfrmImport::Button1Click() {
    const QString file = Ui::get().openFileName(QStringLiteral("打开"),
                                                QStringLiteral("Excel文件(*.xls *.xlsx);;Excel文件(*.xls);;Excel文件(*.xlsx)"));
    if (file.isEmpty()) return;
    SheetTable t;
    try {
        Busy busy;
        t = SheetReader::readTable(file);
        SheetImport::requireHeaders(t, headersOf(member_));
    } catch (const SheetError& e) {
        // The file shown before, if any, stays.
        showMessage(e.text());
        return;
    }
    table_ = std::move(t);
    file_ = file;
    model_->setTable(&table_);
    // Widths follow the headers, wherever the sheet has put their columns.
    const MemberInfo& m = info(member_);
    const QStringList& headers = headersOf(member_);
    for (int i = 0; i < headers.size() && i < static_cast<int>(m.widths.size()); ++i) {
        const int c = table_.column(headers[i]);
        if (c >= 0) DBGrid1->setColumnWidth(c, m.widths[i]);
    }
    GroupBox1->setTitle(QStringLiteral("EXCEL数据  共有 %1 条数据").arg(table_.rows.size()));
    BitBtn1->setEnabled(!table_.rows.isEmpty());
    if (BitBtn1->isEnabled()) BitBtn1->setFocus();
}

void TfrmImport::BitBtn1Click() {
    if (!BitBtn1->isEnabled()) return;
    int count = 0;
    try {
        switch (member_) {
        case Member::Articles: {
            SheetImport::ArticleOptions o;
            o.saveStock = CheckBox1->isChecked();
            o.storageId = lookupKey(DBLookupComboBox2);
            if (o.saveStock && o.storageId.isEmpty()) {
                showMessage(QStringLiteral("请选择 仓库名称！"));
                DBLookupComboBox2->setFocus();
                return;
            }
            Busy busy;
            count = SheetImport::importArticles(DM(), table_, o);
            break;
        }
        case Member::Persons: {
            Busy busy;
            count = SheetImport::importPersons(DM(), table_);
            break;
        }
        case Member::Suppliers: {
            Busy busy;
            count = SheetImport::importSuppliers(DM(), table_);
            break;
        }
        }
    } catch (const SheetError& e) {
        showMessage(e.text());
        return;
    }
    showMessage(u(info(member_).done) + QString::number(count) + QStringLiteral(" 条！"));
    accept();
}

void TfrmImport::DBLookupComboBox2Click() {
    if (CheckBox1) CheckBox1->setChecked(true);
}
