#include "platform/Clock.h"

namespace {
QDateTime& fixed() {
    static QDateTime f;
    return f;
}
} // namespace

namespace Clock {

QDateTime now() { return fixed().isValid() ? fixed() : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
QString todayText() { return dateText(today()); }
void setFixed(const QDateTime& at) { fixed() = at; }
QString dateText(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }

} // namespace Clock
