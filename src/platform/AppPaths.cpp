#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overridePath() {
    static QString p;
    return p;
}
QString withSlash(QString p) {
    if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
    return p;
}
} // namespace

namespace AppPaths {

QString appPath() {
    if (!overridePath().isEmpty()) return overridePath();
    return withSlash(QCoreApplication::applicationDirPath());
}

void setAppPath(const QString& folder) {
    overridePath() = folder.isEmpty() ? QString() : withSlash(QDir(folder).absolutePath());
}

QString databaseFile() { return appPath() + QStringLiteral("Data/db.edb"); }

} // namespace AppPaths
