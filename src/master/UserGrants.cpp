#include "master/UserGrants.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/TfrmRegister.h"
#include "master/UserWindows.h"
#include "platform/Db.h"
#include "platform/Guard.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QSqlQuery>

namespace UserGrants {

namespace {
QString yes() { return QStringLiteral("是"); }
QString no() { return QStringLiteral("否"); }

RegisterSpec makeUserSpec() {
    RegisterSpec s;
    s.className = QStringLiteral("TfrmUser");
    s.caption = QStringLiteral("用户管理");
    s.group = QStringLiteral("用户信息");
    s.table = QStringLiteral("SUser");
    s.loadQuery = {QStringLiteral("select UName as 用户名,Remark as 备注,theM as 修改,theD as 删除,theE as 导出,thePY,UPass,ID "
                                  "from SUser order by UName")};
    s.hidden = {QStringLiteral("thePY"), QStringLiteral("UPass"), QStringLiteral("ID")};
    RegisterEditor name;
    name.name = QStringLiteral("DBEdit1");
    name.column = QStringLiteral("UName");
    name.field = QStringLiteral("用户名");
    name.label = QStringLiteral("用  户  名：");
    name.maxLength = 12;
    RegisterEditor remark;
    remark.name = QStringLiteral("DBEdit2");
    remark.column = QStringLiteral("Remark");
    remark.field = QStringLiteral("备注");
    remark.label = QStringLiteral("备       注：");
    remark.maxLength = 50;
    s.editors = {name, remark};
    s.keyEditor = QStringLiteral("DBEdit1");
    s.required = {{QStringLiteral("UName"), QStringLiteral("用户名 不能为空！请重新录入！")}};
    s.uniqueColumn = QStringLiteral("UName");
    s.duplicateMessage = QStringLiteral("用户名 添加重复！");
    s.pinyinColumn = QStringLiteral("thePY");
    s.pinyinFrom = QStringLiteral("UName");
    // A new user has the default password and no rights until they are granted.
    s.insertValues = {{QStringLiteral("UPass"), [] { return QVariant(kDefaultPassword); }},
                      {QStringLiteral("theM"), [] { return QVariant(no()); }},
                      {QStringLiteral("theD"), [] { return QVariant(no()); }},
                      {QStringLiteral("theE"), [] { return QVariant(no()); }}};
    // A changed user gets the default password again.
    s.editValues = {{QStringLiteral("UPass"), [] { return QVariant(kDefaultPassword); }}};
    s.guards = {{QStringLiteral("select ID from SUser"), {}, DeleteGuard::Refuse::ExactlyOneRow,
                 QStringLiteral("用户只有一个了，不能删除！"), QString()}};
    s.setup = [](TfrmRegister& w) {
        w.addNote(QStringLiteral("Label3"), QStringLiteral("新增或修改后用户密码为470913"));
        w.addNote(QStringLiteral("Label4"), QStringLiteral("保存后，请在用户列表处鼠标右键设置权限"));
        QMenu* menu = w.popupMenu();
        QAction* L1 = menu->addAction(QStringLiteral("操作权限 &L"));
        L1->setObjectName(QStringLiteral("L1"));
        QAction* W1 = menu->addAction(QStringLiteral("仓库权限 &W"));
        W1->setObjectName(QStringLiteral("W1"));
        connectGuarded(L1, &QAction::triggered, &w, [&w] {
            if (!w.hasCurrent()) return;
            const RegisterRow row = w.currentRow();
            TfrmLevel dlg(&w, row.value(QStringLiteral("ID")).toLongLong(), row.value(QStringLiteral("用户名")).toString());
            dlg.exec();
        });
        connectGuarded(W1, &QAction::triggered, &w, [&w] {
            if (!w.hasCurrent()) return;
            const RegisterRow row = w.currentRow();
            TfrmLW dlg(&w, row.value(QStringLiteral("ID")).toLongLong(), row.value(QStringLiteral("用户名")).toString());
            dlg.exec();
        });
    };
    return s;
}
} // namespace

const RegisterSpec& userSpec() {
    static const RegisterSpec s = makeUserSpec();
    return s;
}

QList<CheckItem> menuItems(TfrmDM& dm, qlonglong uid) {
    QSet<QString> granted;
    QSqlQuery g = dm.db().query(QStringLiteral("Select MNum from SLevel where (UID=?)"), {uid});
    while (g.next()) granted.insert(g.value(0).toString());
    QList<CheckItem> out;
    QSqlQuery q = dm.db().query(QStringLiteral("select MNum, MName from SMenu Order by MNum"));
    while (q.next()) {
        const QString num = q.value(0).toString();
        out.append({num + QLatin1Char('&') + q.value(1).toString(), granted.contains(num)});
    }
    return out;
}

Rights rights(TfrmDM& dm, qlonglong uid) {
    Rights r;
    QSqlQuery q = dm.db().query(QStringLiteral("SELECT theM, theD, theE FROM SUser WHERE (ID = ?) "), {uid});
    if (q.next()) {
        r.modify = q.value(0).toString() == yes();
        r.remove = q.value(1).toString() == yes();
        r.exportData = q.value(2).toString() == yes();
    }
    return r;
}

void saveMenuGrants(TfrmDM& dm, qlonglong uid, const QStringList& tickedItems, const Rights& r) {
    Db& db = dm.db();
    Transaction tx(db);
    db.exec(QStringLiteral("Delete from SLevel where UID=?"), {uid});
    QSet<QString> done;
    for (const QString& item : tickedItems) {
        const QString code = item.left(3);
        if (done.contains(code)) continue;
        done.insert(code);
        db.exec(QStringLiteral("insert into SLevel(UID,MNum) Values(?,?)"), {uid, code});
    }
    db.exec(QStringLiteral("UPDATE SUser SET theM = ?, theD = ?, theE = ? WHERE (ID = ?)"),
            {r.modify ? yes() : no(), r.remove ? yes() : no(), r.exportData ? yes() : no(), uid});
    tx.commit();
}

QList<CheckItem> storageItems(TfrmDM& dm, qlonglong uid) {
    QSet<QString> granted;
    QSqlQuery g = dm.db().query(QStringLiteral("SELECT SName FROM SLW WHERE (UID = ?)"), {uid});
    while (g.next()) granted.insert(g.value(0).toString().toLower());
    QList<CheckItem> out;
    QSqlQuery q = dm.db().query(QStringLiteral("SELECT SName FROM SStorage"));
    while (q.next()) {
        const QString name = q.value(0).toString();
        // Names compare as the database compares them (ASCII case ignored).
        out.append({name, granted.contains(name.toLower())});
    }
    return out;
}

void saveStorageGrants(TfrmDM& dm, qlonglong uid, const QStringList& names) {
    Db& db = dm.db();
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM SLW WHERE (UID = ?)"), {uid});
    QSet<QString> done;
    for (const QString& name : names) {
        if (done.contains(name)) continue;
        done.insert(name);
        db.exec(QStringLiteral("INSERT INTO SLW (UID, SName) VALUES (?, ?) "), {uid, name});
    }
    tx.commit();
}

PasswordResult changePassword(TfrmDM& dm, const QString& oldPass, const QString& newPass, const QString& confirm) {
    if (oldPass != session().UserPass) return {false, QStringLiteral("原密码 错误，请重新录入！"), 1};
    if (newPass == oldPass) return {false, QStringLiteral("新密码 与 原密码 一样，请重新录入！"), 2};
    if (confirm != newPass) return {false, QStringLiteral("新密码 与 确认密码 不一致，请重新录入！"), 3};
    Db& db = dm.db();
    Transaction tx(db);
    // The logged-in user's own row: two users may share a name.
    bool idOk = false;
    const qlonglong uid = session().UserID.toLongLong(&idOk);
    if (idOk) db.exec(QStringLiteral("Update SUser set UPass=? Where ID=?"), {newPass, uid});
    else db.exec(QStringLiteral("Update SUser set UPass=? Where UName=?"), {newPass, session().UserName});
    tx.commit();
    session().UserPass = newPass;
    return {true, QStringLiteral("密码修改 保存成功！请重新登录软件！"), 0};
}

} // namespace UserGrants
