#include "core/Money.h"

#include <algorithm>
#include <cmath>

#include "core/Text.h"

namespace kavra {

namespace {

// Digits of a plain decimal text ("-12.3456") as paise, rounded half away from zero on
// the third decimal; false when the text is not such a number or does not fit.
bool paiseOf(const QString& text, std::int64_t& out) {
    const QString t = text.trimmed();
    const bool neg = t.startsWith(QLatin1Char('-'));
    const QString body = neg || t.startsWith(QLatin1Char('+')) ? t.mid(1) : t;
    const int dot = int(body.indexOf(QLatin1Char('.')));
    const QString whole = dot < 0 ? body : body.left(dot);
    const QString frac = dot < 0 ? QString() : body.mid(dot + 1);
    if (whole.isEmpty() && frac.isEmpty()) return false;
    for (const QString& part : {whole, frac})
        for (QChar c : part)
            if (!c.isDigit()) return false;
    if (whole.size() > 16) return false;
    std::int64_t p = whole.isEmpty() ? 0 : whole.toLongLong() * 100;
    p += frac.size() > 0 ? frac[0].digitValue() * 10 : 0;
    p += frac.size() > 1 ? frac[1].digitValue() : 0;
    if (frac.size() > 2 && frac[2].digitValue() >= 5) ++p;
    out = neg ? -p : p;
    return true;
}

}  // namespace

Money Money::fromRupees(double x) {
    if (!std::isfinite(x) || x == 0) return Money();
    // Fifteen significant digits: the binary noise below them never turns a half.
    const int magnitude = int(std::floor(std::log10(std::fabs(x))));
    const int decimals = std::clamp(14 - magnitude, 0, 40);
    std::int64_t p = 0;
    if (!paiseOf(QString::number(x, 'f', decimals), p)) return Money();
    return Money(p);
}

Money Money::parse(const QString& text) {
    std::int64_t p = 0;
    if (paiseOf(text, p)) return Money(p);
    // "1,00,000.50" as the user means it.
    if (text::typedNumber(text)) {
        QString plainDigits = text;
        if (paiseOf(plainDigits.remove(QLatin1Char(',')), p)) return Money(p);
    }
    return fromRupees(text::val(text));
}

QString Money::toString() const {
    const std::int64_t a = paise_ < 0 ? -paise_ : paise_;
    return QStringLiteral("%1%2.%3")
        .arg(paise_ < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

namespace money {

bool fits(double rupees) {
    return std::isfinite(rupees) && std::fabs(rupees) < 1e13;
}

double roundRupee(double x) {
    const double whole = std::floor(x);
    return std::floor(x + (x - whole));
}

double percentOf(double stored, double base) {
    if (base == 0) return 0;
    return stored / base * 100;
}

}  // namespace money

}  // namespace kavra
