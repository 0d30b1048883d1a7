#include "master/PartyQueries.h"

#include "app/DataGrid.h"
#include "app/TfrmDM.h"
#include "app/WindowRegistry.h"
#include "exchange/ExcelExport.h"
#include "platform/Guard.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

void registerPartyQueryWindows() {
    WindowRegistry::add(QStringLiteral("TfrmP_Q"), WindowKind::Child,
                        [](QWidget* parent, const QVariant&) { return new TfrmP_Q(parent); });
    WindowRegistry::add(QStringLiteral("TfrmM_Q"), WindowKind::Child,
                        [](QWidget* parent, const QVariant&) { return new TfrmM_Q(parent); });
}

namespace PartyQueries {

namespace {
// Typed text is matched anywhere; % and _ typed by the user act as wildcards.
QString anywhere(const QString& text) { return QLatin1Char('%') + text + QLatin1Char('%'); }
} // namespace

Statement persons(const QString& department, const QString& name) {
    Statement s;
    s.sql = QStringLiteral("select theNum as 工号,DName as 部门名称,PName as 人员姓名,theJob as 职务,thePhone as 联系方式,"
                           "theIDCard as 身份证号,theAddress as 住址,Remark as 备注 from SPerson Where (ID>0)");
    if (!department.isEmpty()) {
        s.sql += QStringLiteral(" AND (DName=?)");
        s.params << department;
    }
    if (!name.isEmpty()) {
        s.sql += QStringLiteral(" AND ((PName Like ?) OR (thePY Like ?))");
        s.params << anywhere(name) << anywhere(name);
    }
    s.sql += QStringLiteral(" order by DName");
    return s;
}

Statement suppliers(const QString& name, const QString& contact) {
    Statement s;
    s.sql = QStringLiteral("select MName as 商家名称,MPhone as 电话号码,MProson as 联系人,MAddress as 地址,"
                           "Remark as 备注 from UMerchant Where (ID>0)");
    if (!name.isEmpty()) {
        s.sql += QStringLiteral(" AND ((MName Like ?) OR (thePY Like ?))");
        s.params << anywhere(name) << anywhere(name);
    }
    if (!contact.isEmpty()) {
        s.sql += QStringLiteral(" AND (MProson Like ?)");
        s.params << anywhere(contact);
    }
    s.sql += QStringLiteral(" order by MName");
    return s;
}

Statement articles(const QString& condition, const QVariantList& params) {
    return {QStringLiteral("select theNum as 物品编码,AType as 物品分类,AName as 物品名称,AStandard as 规格型号,"
                           "AUnit as 单位,APrice as 单价,Remark as 备注 from UArticle Where (ID>0) ") + condition,
            params};
}

Statement people(const QString& condition, const QVariantList& params) {
    return {QStringLiteral("select DName as 部门名称,PName as 人员姓名,theJob as 职务,thePhone as 联系方式,"
                           "theIDCard as 身份证号,theAddress as 住址,Remark as 备注 from SPerson Where (ID>0)") + condition,
            params};
}

} // namespace PartyQueries

// ---------------------------------------------------------------- query windows

TfrmPartyQuery::TfrmPartyQuery(const Member& m, QWidget* parent) : QWidget(parent), member_(m) {
    setWindowTitle(m.caption);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);

    auto* box = new QGroupBox(QStringLiteral("查询条件"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    fields_ = new QHBoxLayout(box);
    top->addWidget(box);

    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setSortable(m.sortable);
    for (const auto& w : m.widths) DBGrid1->setFieldWidth(w.first, w.second);
    top->addWidget(DBGrid1, 1);

    Label2 = new QLabel(m.countLabel, this);
    Label2->setObjectName(QStringLiteral("Label2"));
    top->addWidget(Label2);

    BitBtn1 = new QPushButton(QStringLiteral("查询"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Excel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setEnabled(false);
    BitBtn3 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { closeWindow(); });
}

void TfrmPartyQuery::addField(const QString& label, QWidget* field) {
    auto* l = new QLabel(label, this);
    l->setBuddy(field);
    fields_->addWidget(l);
    fields_->addWidget(field);
    fields_->addSpacing(12);
}

void TfrmPartyQuery::finishFields() {
    fields_->addWidget(BitBtn1);
    fields_->addWidget(BitBtn2);
    fields_->addStretch(1);
    fields_->addWidget(BitBtn3);
}

void TfrmPartyQuery::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

void TfrmPartyQuery::BitBtn1Click() {
    const PartyQueries::Statement s = statement();
    DBGrid1->setQuery(s.sql, s.params);
    BitBtn2->setEnabled(true);
    Label2->setText(member_.countLabel + QString::number(DBGrid1->rowCount()));
}

void TfrmPartyQuery::BitBtn2Click() {
    if (!BitBtn2->isEnabled()) return;
    ExcelExport::Request r;
    r.rows = DBGrid1->model();
    r.parent = this;
    ExcelExport::run(member_.layout, r);
}

TfrmP_Q::TfrmP_Q(QWidget* parent)
    : TfrmPartyQuery({QStringLiteral("人员查询"), QStringLiteral("人员数量："), QStringLiteral("TfrmP_Q"),
                      {{QStringLiteral("联系方式"), 160}, {QStringLiteral("住址"), 160}, {QStringLiteral("备注"), 160}},
                      true},
                     parent) {
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setMinimumWidth(140);
    DBLookupComboBox1->setToolTip(QStringLiteral("按 Delete 键清除所选部门"));
    DBLookupComboBox1->installEventFilter(this);
    DM().DBComDepartment(DBLookupComboBox1);
    DBLookupComboBox1->setCurrentIndex(-1);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(20);
    addField(QStringLiteral("部门名称："), DBLookupComboBox1);
    addField(QStringLiteral("人员姓名："), Edit1);
    finishFields();
    // Enter in the name field runs the query.
    connectGuarded(Edit1, &QLineEdit::returnPressed, this, [this] { BitBtn1Click(); });
    setTabOrder(DBLookupComboBox1, Edit1);
    setTabOrder(Edit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    setTabOrder(BitBtn3, DBGrid1);
    setFocusProxy(Edit1);
}

PartyQueries::Statement TfrmP_Q::statement() const {
    return PartyQueries::persons(lookupKey(DBLookupComboBox1), Edit1->text().trimmed());
}

bool TfrmP_Q::eventFilter(QObject* watched, QEvent* event) {
    // Delete or Backspace in the department box chooses no department again.
    if (watched == DBLookupComboBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            DBLookupComboBox1->setCurrentIndex(-1);
            return true;
        }
    }
    return TfrmPartyQuery::eventFilter(watched, event);
}

TfrmM_Q::TfrmM_Q(QWidget* parent)
    : TfrmPartyQuery({QStringLiteral("供应商查询"), QStringLiteral("供应商数量："), QStringLiteral("TfrmM_Q"),
                      {{QStringLiteral("备注"), 260}}, false},
                     parent) {
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(40);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setMaxLength(20);
    addField(QStringLiteral("商家名称："), Edit1);
    addField(QStringLiteral("联  系  人："), Edit2);
    finishFields();
    for (QLineEdit* e : {Edit1, Edit2}) connectGuarded(e, &QLineEdit::returnPressed, this, [this] { BitBtn1Click(); });
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    setTabOrder(BitBtn3, DBGrid1);
    setFocusProxy(Edit1);
}

PartyQueries::Statement TfrmM_Q::statement() const {
    return PartyQueries::suppliers(Edit1->text().trimmed(), Edit2->text().trimmed());
}

// ---------------------------------------------------------------- viewers

TfrmViewer::TfrmViewer(const Member& m, QWidget* parent, const QString& caption, const QString& condition,
                       const QVariantList& params)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      member_(m), condition_(condition), params_(params) {
    setObjectName(m.className.mid(1));
    setWindowTitle(caption);
    setModal(true);
    resize(860, 520);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    for (const auto& w : m.widths) DBGrid1->setFieldWidth(w.first, w.second);
    top->addWidget(DBGrid1, 1);

    auto* bottom = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("数量："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    bottom->addWidget(Label1);
    bottom->addStretch(1);
    BitBtn2 = new QPushButton(QStringLiteral("Excel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton* b : {BitBtn2, BitBtn3}) {
        b->setAutoDefault(false);
        bottom->addWidget(b);
    }
    top->addLayout(bottom);
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
    WindowRegistry::setLatest(m.className, this);
}

void TfrmViewer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_ || event->spontaneous()) return;
    shown_ = true;
    guarded([this] { FormShow(); });
    DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TfrmViewer::FormShow() {
    const PartyQueries::Statement s = member_.statement(condition_, params_);
    DBGrid1->setQuery(s.sql, s.params);
    Label1->setText(QStringLiteral("数量：") + QString::number(DBGrid1->rowCount()));
}

void TfrmViewer::BitBtn2Click() {
    ExcelExport::Request r;
    r.rows = DBGrid1->model();
    r.parent = this;
    ExcelExport::run(member_.layout, r);
}

TfrmW_A::TfrmW_A(QWidget* parent, const QString& caption, const QString& condition, const QVariantList& params)
    : TfrmViewer({QStringLiteral("TfrmW_A"), QStringLiteral("TfrmW_A"),
                  {{QStringLiteral("单价"), 80}, {QStringLiteral("备注"), 100}}, &PartyQueries::articles},
                 parent, caption, condition, params) {}

TfrmW_P::TfrmW_P(QWidget* parent, const QString& caption, const QString& condition, const QVariantList& params)
    : TfrmViewer({QStringLiteral("TfrmW_P"), QStringLiteral("TfrmW_P"),
                  {{QStringLiteral("联系方式"), 160}, {QStringLiteral("住址"), 160}, {QStringLiteral("备注"), 100}},
                  &PartyQueries::people},
                 parent, caption, condition, params) {}
