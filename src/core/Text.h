#pragma once
// The numeric reading of typed text used everywhere: the leading number of the
// text (after blanks), 0 when there is none.
#include <QString>

namespace kavra::text {

double val(const QString& s);
// Strict: the whole trimmed text is a number; otherwise 0.
double strictNumber(const QString& s);
// Shortest form of a number, as a user reads it ("12.5", "3").
QString plain(double v);

}  // namespace kavra::text
