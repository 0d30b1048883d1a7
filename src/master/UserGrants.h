#pragma once
// Users and their grants without windows: the user register's member, the
// menu grants (SLevel) with the three rights, the storage grants (SLW) and
// the password change. Grants take effect at the next login; only the
// password change touches the running session (UserPass).

#include "master/RegisterSpec.h"

#include <QList>
#include <QString>
#include <QStringList>

class TfrmDM;

namespace UserGrants {

// Every user created or changed in the user window gets this password.
inline const QString kDefaultPassword = QStringLiteral("470913");

// The user register (TfrmUser) as a member of the register design.
const RegisterSpec& userSpec();

struct CheckItem {
    QString text;
    bool checked = false;
};

// Every SMenu row in code order as "code&name" ("102&采购入库单"), ticked
// when the user holds that code.
QList<CheckItem> menuItems(TfrmDM& dm, qlonglong uid);

struct Rights {
    bool modify = false;
    bool remove = false;
    bool exportData = false;
};
// The rights as stored: "是" ticks, anything else does not.
Rights rights(TfrmDM& dm, qlonglong uid);

// Replaces the user's menu grants by the codes of the ticked items (their
// first three characters) and stores the rights as "是"/"否", in one
// transaction.
void saveMenuGrants(TfrmDM& dm, qlonglong uid, const QStringList& tickedItems, const Rights& r);

// Every storage name, ticked when the user holds a grant for it.
QList<CheckItem> storageItems(TfrmDM& dm, qlonglong uid);
// Replaces the user's storage grants by the ticked names, in one transaction.
void saveStorageGrants(TfrmDM& dm, qlonglong uid, const QStringList& names);

struct PasswordResult {
    bool ok = false;
    QString message;
    int focus = 0;  // 1 old, 2 new, 3 confirmation; 0 none
};
// The password change of the logged-in user, checks in this order: the old
// password must equal the session's (exactly), the new one must differ from
// the old one, the confirmation must equal the new one. Then the user's
// password is stored and the session's UserPass follows.
PasswordResult changePassword(TfrmDM& dm, const QString& oldPass, const QString& newPass, const QString& confirm);

} // namespace UserGrants
