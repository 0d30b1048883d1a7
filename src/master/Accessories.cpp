#include "master/Accessories.h"

#include "app/DataGrid.h"
#include "app/TfrmDM.h"
#include "master/GbkLineEdit.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace Accessories {

QString listSql() {
    return QStringLiteral("SELECT theName AS 附件名称, theCount AS 数量, Remark AS 备注, ID, AID FROM UAccessory "
                          "WHERE (AID = ?) ");
}

Outcome add(const QString& articleId, const QString& name, const QString& count, const QString& remark) {
    if (name.trimmed().isEmpty()) return {Field::Name, QStringLiteral("附件名称 不能为空！")};
    const QString c = count.trimmed();
    if (c.isEmpty()) return {Field::Count, QStringLiteral("数量 不能为空！")};
    bool ok = false;
    const int n = c.toInt(&ok);
    if (!ok || n < 0 || c.size() > CountDigits || c.startsWith(QLatin1Char('+')))
        return {Field::Count, QStringLiteral("数量 必须是不超过三位的整数！")};
    const qlonglong id = articleId.trimmed().toLongLong(&ok);
    Db& db = DM().db();
    if (!ok || db.count(QStringLiteral("select ID from UArticle where ID=?"), {id}) == 0)
        return {Field::Name, QStringLiteral("该物品已不存在，可能已被删除！")};
    Transaction tx(db);
    db.exec(QStringLiteral("UPDATE UArticle SET FJCount = ifnull(FJCount, 0) + ? WHERE (ID = ?)"), {n, id});
    db.exec(QStringLiteral("INSERT INTO UAccessory (AID, theName, theCount, Remark) VALUES (?, ?, ?, ?)"),
            {id, name, n, remark});
    tx.commit();
    return {};
}

bool remove(qlonglong accessoryId) {
    Db& db = DM().db();
    Transaction tx(db);
    // The quantity and the article are read from the table, not from the list.
    QSqlQuery q = db.query(QStringLiteral("SELECT AID, theCount FROM UAccessory WHERE (ID = ?)"), {accessoryId});
    if (!q.next()) return false;
    const qlonglong aid = q.value(0).toLongLong();
    const qlonglong n = q.value(1).toLongLong();
    q.finish();
    db.exec(QStringLiteral("UPDATE UArticle SET FJCount = ifnull(FJCount, 0) - ? WHERE (ID = ?)"), {n, aid});
    db.exec(QStringLiteral("DELETE FROM UAccessory WHERE (ID = ?)"), {accessoryId});
    tx.commit();
    return true;
}

} // namespace Accessories

TfrmA_FJ::TfrmA_FJ(QWidget* parent, const QString& caption, const QString& articleId, const QString& caller)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      articleId_(articleId),
      caller_(caller) {
    setObjectName(QStringLiteral("frmA_FJ"));
    setWindowTitle(caption);
    resize(640, 460);

    auto* outer = new QVBoxLayout(this);
    GroupBox1 = new QGroupBox(QStringLiteral("附件列表"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* listBox = new QVBoxLayout(GroupBox1);
    DBGrid1 = new DataGrid(GroupBox1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setToolTip(QStringLiteral("亲，鼠标右键 有惊喜哟！"));
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    DBGrid1->setFieldHidden(QStringLiteral("ID"));
    DBGrid1->setFieldHidden(QStringLiteral("AID"));
    DBGrid1->setFieldWidth(QStringLiteral("附件名称"), 180);
    DBGrid1->setFieldWidth(QStringLiteral("数量"), 60);
    DBGrid1->setFieldWidth(QStringLiteral("备注"), 300);
    listBox->addWidget(DBGrid1);
    outer->addWidget(GroupBox1, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    D1 = PopupMenu1->addAction(QStringLiteral("删除 &D"));
    D1->setObjectName(QStringLiteral("D1"));

    auto* entry = new QGroupBox(QStringLiteral("附件信息"), this);
    entry->setObjectName(QStringLiteral("GroupBox2"));
    auto* g = new QGridLayout(entry);
    Edit1 = new GbkLineEdit(Accessories::NameBytes, QString(), entry);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new GbkLineEdit(Accessories::CountDigits, GbkLineEdit::Digits, entry);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setText(QStringLiteral("1"));
    Edit2->setFixedWidth(70);
    Edit3 = new GbkLineEdit(Accessories::RemarkBytes, QString(), entry);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    g->addWidget(new QLabel(QStringLiteral("附件名称："), entry), 0, 0);
    g->addWidget(Edit1, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("数量："), entry), 0, 2);
    g->addWidget(Edit2, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("备注："), entry), 1, 0);
    g->addWidget(Edit3, 1, 1, 1, 3);
    g->setColumnStretch(1, 1);
    outer->addWidget(entry);

    auto* row = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("保存"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    row->addStretch();
    row->addWidget(BitBtn1);
    row->addWidget(BitBtn2);
    outer->addLayout(row);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, DBGrid1);

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(D1, &QAction::triggered, this, [this] { D1Click(); });
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex at = DBGrid1->indexAt(pos);
        if (at.isValid()) DBGrid1->setCurrentRow(at.row());
        D1->setEnabled(DBGrid1->currentRow() >= 0);
        PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos));
    });
    // The Delete key on the list does what the menu's 删除 does.
    auto* del = new QShortcut(QKeySequence::Delete, DBGrid1, nullptr, nullptr, Qt::WidgetShortcut);
    connectGuarded(del, &QShortcut::activated, this, [this] { D1Click(); });
    enterMovesFocus(this);
}

TfrmA_FJ::~TfrmA_FJ() = default;

void TfrmA_FJ::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!shown_) {
        shown_ = true;
        guarded([this] { FormShow(); });
    }
}

void TfrmA_FJ::FormShow() {
    myRef();
    Edit1->setFocus();
}

void TfrmA_FJ::myRef() {
    bool ok = false;
    const qlonglong id = articleId_.trimmed().toLongLong(&ok);
    DBGrid1->setQuery(Accessories::listSql(), {ok ? QVariant(id) : QVariant(-1)});
}

void TfrmA_FJ::BitBtn1Click() {
    const Accessories::Outcome o = Accessories::add(articleId_, Edit1->text(), Edit2->text(), Edit3->text());
    if (!o.ok()) {
        showMessage(o.message);
        (o.field == Accessories::Field::Count ? Edit2 : Edit1)->setFocus();
        return;
    }
    showMessage(windowTitle() + QStringLiteral(" 附件保存成功！"));
    myRef();
    Edit1->clear();
    Edit3->clear();
    Edit2->setText(QStringLiteral("1"));
    Edit1->setFocus();
}

void TfrmA_FJ::D1Click() {
    const int row = DBGrid1->currentRow();
    if (row < 0) return;
    const qlonglong id = DBGrid1->value(row, QStringLiteral("ID")).toLongLong();
    if (!confirmDelete()) return;
    Accessories::remove(id);
    myRef();
}

void TfrmA_FJ::done(int result) {
    QDialog::done(result);
    emit closed(caller_);
}
