#pragma once
// The program folder: where the executable lies, with Data/db.edb, Image/,
// Files/ and bj.jpg beside it. Tests point it at a fresh folder.

#include <QString>

namespace AppPaths {

// The program folder with a trailing '/'.
QString appPath();
// Overrides the program folder (tests, kelvora-tool); an empty text restores the default.
void setAppPath(const QString& folder);

// AppPath + "Data/db.edb"
QString databaseFile();

} // namespace AppPaths
