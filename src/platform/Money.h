#pragma once
// Quantities and prices: four decimal places, stored as REAL rounded on every
// write so that equal quantities compare equal (lend 0.3, return 0.1 and 0.2:
// settled).

#include <QString>

namespace Money {

// The largest magnitude a quantity or price may have.
constexpr double Limit = 1e12;

double round4(double v);

// Text without binary noise: 0.3 -> "0.3", 10 -> "10", 12.5 -> "12.5", -2 -> "-2".
QString text(double v);

// Strict parse of a typed number: optional sign, digits, optional point and
// digits; blanks around it are allowed. No exponent, no thousands separators,
// nothing beyond Limit. Returns false (and leaves *out untouched) otherwise.
bool parse(const QString& s, double* out);

// Equality at four decimals.
bool equal(double a, double b);

} // namespace Money
