#pragma once
// Today and now for the whole program. Tests fix them; nothing reads the
// system clock but this.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace Clock {

QDateTime now();
QDate today();
// Today as "yyyy-mm-dd".
QString todayText();
// Fixes the clock at a moment (tests); an invalid value lets it run again.
void setFixed(const QDateTime& at);

// A date as the ten-character text every stored date has, whatever the locale.
QString dateText(const QDate& d);

} // namespace Clock
