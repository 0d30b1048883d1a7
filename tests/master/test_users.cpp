// Users, their menu and storage grants, and the password change.
#include "AppFixture.h"

#include "app/DataGrid.h"
#include "app/LoginService.h"
#include "app/Session.h"
#include "app/WindowRegistry.h"
#include "master/MasterWindows.h"
#include "master/RegisterLogic.h"
#include "master/TfrmRegister.h"
#include "master/UserGrants.h"
#include "master/UserWindows.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

class Users : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
    }
    qlonglong addUser(const QString& name) {
        RegisterLogic logic(UserGrants::userSpec(), *dm);
        const RegisterResult r = logic.saveNew({{QStringLiteral("UName"), name}, {QStringLiteral("Remark"), QString()}});
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.id;
    }
    QString user(qlonglong id, const char* columns) {
        return scalar(QStringLiteral("select %1 from SUser where ID=?").arg(QString::fromLatin1(columns)), {id}).toString();
    }
    static QStringList tickedTexts(const QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked) out << list->item(i)->text();
        return out;
    }
};

} // namespace

TEST_F(Users, NewUserHasDefaultPasswordAndNoRights) {
    const qlonglong id = addUser(QStringLiteral("张三"));
    EXPECT_EQ(user(id, "UPass||'|'||thePY||'|'||theM||theD||theE"), QStringLiteral("470913|ZS|否否否"));
    EXPECT_EQ(count(QStringLiteral("select * from SLevel where UID=?"), {id}), 0);
    // Logging in as the new user: no grants, every right withheld.
    QStringList grants;
    ASSERT_EQ(LoginService::attempt(QStringLiteral("张三"), QStringLiteral("470913"), &grants), LoginService::Result::Ok);
    EXPECT_TRUE(grants.isEmpty());
    EXPECT_FALSE(session().mayModify());
    // A second 张三 is refused on creation.
    RegisterLogic logic(UserGrants::userSpec(), *dm);
    EXPECT_EQ(logic.saveNew({{QStringLiteral("UName"), QStringLiteral("张三")}}).message, QStringLiteral("用户名 添加重复！"));
    EXPECT_EQ(logic.saveNew({{QStringLiteral("UName"), QString()}}).message, QStringLiteral("用户名 不能为空！请重新录入！"));
}

TEST_F(Users, ChangingAUserResetsThePasswordWithoutDuplicateCheck) {
    const qlonglong id = addUser(QStringLiteral("张三"));
    exec(QStringLiteral("update SUser set UPass='secret' where ID=?"), {id});
    RegisterLogic logic(UserGrants::userSpec(), *dm);
    // Only the remark changes, yet the password is the default again.
    ASSERT_TRUE(logic.saveEdit(id, {{QStringLiteral("UName"), QStringLiteral("张三")}, {QStringLiteral("Remark"), QStringLiteral("库管")}}).ok);
    EXPECT_EQ(user(id, "UPass||'|'||Remark"), QStringLiteral("470913|库管"));
    // Renaming to another user's name is accepted; the initials follow the name.
    ASSERT_TRUE(logic.saveEdit(id, {{QStringLiteral("UName"), QStringLiteral("系统管理员")}}).ok);
    EXPECT_EQ(count(QStringLiteral("select * from SUser where UName='系统管理员'")), 2);
    EXPECT_EQ(user(id, "thePY"), QStringLiteral("XTGLY"));
}

TEST_F(Users, TheLastUserStays) {
    TfrmRegister w(UserGrants::userSpec());
    ASSERT_EQ(w.rowCount(), 1);
    ui->answers.enqueue(true);
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("ButDel")), Qt::LeftButton);
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("用户只有一个了，不能删除！")});
    EXPECT_EQ(count(QStringLiteral("select * from SUser")), 1);
    // With two users the current one may go; its grants stay behind.
    const qlonglong id = addUser(QStringLiteral("张三"));
    exec(QStringLiteral("insert into SLevel(UID, MNum) values(?, '200')"), {id});
    w.Ref();
    ASSERT_TRUE(w.grid()->locate(QStringLiteral("ID"), id));
    ui->clear();
    ui->answers.enqueue(true);
    w.ButDelClick();
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("确认要删除吗？该删除将不可恢复！")});
    EXPECT_EQ(count(QStringLiteral("select * from SUser")), 1);
    EXPECT_EQ(count(QStringLiteral("select * from SLevel where UID=?"), {id}), 1);
}

TEST_F(Users, UserWindowEndToEnd) {
    registerMasterWindows();
    std::unique_ptr<QWidget> widget(WindowRegistry::create(QStringLiteral("TfrmUser"), nullptr));
    auto* w = qobject_cast<TfrmRegister*>(widget.get());
    ASSERT_TRUE(w);
    w->show();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("用户管理"));
    EXPECT_TRUE(w->findChild<QWidget*>(QStringLiteral("Label3")));
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("ButNew")), Qt::LeftButton);
    QLineEdit* name = w->lineEdit(QStringLiteral("DBEdit1"));
    EXPECT_EQ(name->maxLength(), 12);
    QTest::keyClicks(name, QStringLiteral("clerk"));
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("ButSave")), Qt::LeftButton);
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(scalar(QStringLiteral("select UPass||theM||thePY from SUser where UName='clerk'")).toString(),
              QStringLiteral("470913否CLERK"));
    // Shown as stored: the rights columns read 否.
    ASSERT_TRUE(w->grid()->locate(QStringLiteral("用户名"), QStringLiteral("clerk")));
    EXPECT_EQ(w->grid()->currentText(QStringLiteral("修改")), QStringLiteral("否"));
    EXPECT_TRUE(w->grid()->isFieldHidden(QStringLiteral("UPass")));
}

TEST_F(Users, MenuRightsSelectAllAndSave) {
    const qlonglong id = addUser(QStringLiteral("张三"));
    exec(QStringLiteral("insert into SLevel(UID, MNum) values(?, '102'), (?, '200')"), {id, id});
    TfrmLevel dlg(nullptr, id, QStringLiteral("张三"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("张三 的操作权限"));
    QListWidget* list = dlg.list();
    EXPECT_EQ(list->count(), count(QStringLiteral("select * from SMenu")));
    EXPECT_EQ(tickedTexts(list), (QStringList{QStringLiteral("102&采购入库单"), QStringLiteral("200&库存物品一览表")}));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("002&-"));  // separators are listed too
    auto* all = dlg.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    auto* modify = dlg.findChild<QCheckBox*>(QStringLiteral("CheckBox2"));
    auto* remove = dlg.findChild<QCheckBox*>(QStringLiteral("CheckBox3"));
    auto* exportBox = dlg.findChild<QCheckBox*>(QStringLiteral("CheckBox4"));
    EXPECT_FALSE(modify->isChecked());

    // 全选 ticks every entry and the three rights; again unticks them all.
    QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(4, all->height() / 2));
    EXPECT_EQ(tickedTexts(list).size(), list->count());
    EXPECT_TRUE(modify->isChecked() && remove->isChecked() && exportBox->isChecked());
    QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(4, all->height() / 2));
    EXPECT_TRUE(tickedTexts(list).isEmpty());
    EXPECT_FALSE(modify->isChecked() || remove->isChecked() || exportBox->isChecked());

    // Saving nothing ticked removes every grant and withholds every right.
    dlg.BitBtn1Click();
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("张三 的操作权限 保存成功！重新登录软件后生效。")});
    EXPECT_EQ(count(QStringLiteral("select * from SLevel where UID=?"), {id}), 0);
    EXPECT_EQ(user(id, "theM||theD||theE"), QStringLiteral("否否否"));
    // The administrator's grants are not touched.
    EXPECT_EQ(count(QStringLiteral("select * from SLevel where UID=1")), count(QStringLiteral("select * from SMenu")));

    // Ticking two entries and one right stores exactly those.
    TfrmLevel again(nullptr, id, QStringLiteral("张三"));
    for (int i = 0; i < again.list()->count(); ++i) {
        const QString t = again.list()->item(i)->text();
        if (t.startsWith(QStringLiteral("401")) || t.startsWith(QStringLiteral("403"))) again.list()->item(i)->setCheckState(Qt::Checked);
    }
    again.findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->setChecked(true);
    again.BitBtn1Click();
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(MNum) from (select MNum from SLevel where UID=? order by MNum)"), {id}).toString(),
              QStringLiteral("401,403"));
    EXPECT_EQ(user(id, "theM||theD||theE"), QStringLiteral("否是否"));
}

TEST_F(Users, StorageRightsReplaceTheGrants) {
    exec(QStringLiteral("insert into SStorage(SName, Remark, thePY) values('二号库', '', 'EHK'), ('O''Neil', '', 'ONEIL')"));
    const qlonglong id = addUser(QStringLiteral("张三"));
    exec(QStringLiteral("insert into SLW(UID, SName) values(?, '物品仓库'), (?, '物品仓库')"), {id, id});
    TfrmLW dlg(nullptr, id, QStringLiteral("张三"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("张三 的仓库权限"));
    // A storage granted twice is shown ticked (it is granted at login).
    EXPECT_EQ(tickedTexts(dlg.list()), QStringList{QStringLiteral("物品仓库")});
    dlg.list()->item(0)->setCheckState(Qt::Unchecked);
    dlg.list()->item(1)->setCheckState(Qt::Checked);
    dlg.list()->item(2)->setCheckState(Qt::Checked);
    dlg.BitBtn1Click();
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("张三 的仓库权限 保存成功！重新登录软件后生效。")});
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(SName, '|') from (select SName from SLW where UID=? order by ID)"), {id}).toString(),
              QStringLiteral("二号库|O'Neil"));
    // Nothing ticked: no rows (the user then sees every storage).
    TfrmLW none(nullptr, id, QStringLiteral("张三"));
    for (int i = 0; i < none.list()->count(); ++i) none.list()->item(i)->setCheckState(Qt::Unchecked);
    none.BitBtn1Click();
    EXPECT_EQ(count(QStringLiteral("select * from SLW where UID=?"), {id}), 0);
    EXPECT_EQ(count(QStringLiteral("select * from SLW where UID=1")), 1);
}

TEST_F(Users, PasswordChangeChecksInOrder) {
    const qlonglong other = addUser(QStringLiteral("系统管理员2"));
    exec(QStringLiteral("update SUser set UName='系统管理员', UPass='x' where ID=?"), {other});
    session().UserPass = QStringLiteral("Old1");
    exec(QStringLiteral("update SUser set UPass='Old1' where ID=1"));

    TfrmChangePass dlg;
    dlg.show();
    auto* oldEdit = dlg.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    auto* newEdit = dlg.findChild<QLineEdit*>(QStringLiteral("Edit2"));
    auto* confirmEdit = dlg.findChild<QLineEdit*>(QStringLiteral("Edit3"));
    EXPECT_EQ(oldEdit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(oldEdit->maxLength(), 12);
    struct Case { const char* oldp; const char* newp; const char* confirm; const char* message; QLineEdit* focus; } cases[] = {
        {"old1", "New", "New", "原密码 错误，请重新录入！", oldEdit},  // exact: case counts
        {"Old1", "Old1", "Old1", "新密码 与 原密码 一样，请重新录入！", newEdit},
        {"Old1", "New", "new", "新密码 与 确认密码 不一致，请重新录入！", confirmEdit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        oldEdit->setText(QString::fromUtf8(c.oldp));
        newEdit->setText(QString::fromUtf8(c.newp));
        confirmEdit->setText(QString::fromUtf8(c.confirm));
        ui->clear();
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        EXPECT_EQ(ui->texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(dlg.focusWidget(), c.focus);
        EXPECT_EQ(user(1, "UPass"), QStringLiteral("Old1"));
        EXPECT_EQ(session().UserPass, QStringLiteral("Old1"));
    }
    oldEdit->setText(QStringLiteral("Old1"));
    newEdit->setText(QStringLiteral("New"));
    confirmEdit->setText(QStringLiteral("New"));
    ui->clear();
    dlg.BitBtn1Click();
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("密码修改 保存成功！请重新登录软件！")});
    EXPECT_EQ(user(1, "UPass"), QStringLiteral("New"));
    EXPECT_EQ(session().UserPass, QStringLiteral("New"));
    // Another user of the same name keeps their password.
    EXPECT_EQ(user(other, "UPass"), QStringLiteral("x"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}
