#include "platform/Money.h"

#include <cmath>

namespace Money {

double round4(double v) {
    double r = std::round(v * 10000.0) / 10000.0;
    return r == 0.0 ? 0.0 : r; // no negative zero
}

QString text(double v) {
    QString s = QString::number(round4(v), 'f', 4);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    if (s == QLatin1String("-0")) s = QStringLiteral("0");
    return s;
}

bool parse(const QString& input, double* out) {
    const QString s = input.trimmed();
    if (s.isEmpty() || s.size() > 40) return false;
    int i = 0;
    if (s[0] == QLatin1Char('-') || s[0] == QLatin1Char('+')) ++i;
    int digits = 0, points = 0;
    for (int k = i; k < s.size(); ++k) {
        QChar c = s[k];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ++digits;
        else if (c == QLatin1Char('.')) { if (++points > 1) return false; }
        else return false;
    }
    if (digits == 0) return false;
    bool ok = false;
    double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) >= Limit) return false;
    *out = round4(v);
    return true;
}

bool equal(double a, double b) { return std::fabs(round4(a) - round4(b)) < 0.00005; }

} // namespace Money
