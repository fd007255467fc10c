#pragma once
// The numeric reading of typed text used everywhere: the leading number of the
// text (after blanks), 0 when there is none.
#include <QString>
#include <optional>

namespace kavra::text {

double val(const QString& s);
// Strict: the whole trimmed text is a number; otherwise 0.
double strictNumber(const QString& s);
// A number as a user types it into a field: blanks around, an optional sign, digits that may
// be grouped with commas ("1,000", "1,00,000": the decimal mark is always the point, so a
// comma between digits can only group them), one decimal point; no exponent, no infinity or
// NaN, at most 15 digits so it stays exact. Anything else is std::nullopt.
std::optional<double> typedNumber(const QString& s);
// typedNumber, with 0 for an empty or unreadable text (number fields keep those out).
double typed(const QString& s);
// Shortest form of a number, as a user reads it ("12.5", "3").
QString plain(double v);

}  // namespace kavra::text
