#pragma once
// The login check and the session values it fixes, without the window.

#include <QString>
#include <QStringList>

namespace LoginService {

enum class Result { NoUser, WrongPassword, Ok };

// Checks name and password against SUser (the comparison ignores ASCII case,
// as the database's text comparison does). On success fixes UserName,
// UserPass, LoginDate, UserID, the three rights and UserStorages, and returns
// the user's granted menu codes in ascending order in *grants.
Result attempt(const QString& name, const QString& password, QStringList* grants);

// Loads the values the main window fixes when it is shown: the defaults of
// SMRX, PictureFolder and UnitName.
void loadDefaults();

} // namespace LoginService
