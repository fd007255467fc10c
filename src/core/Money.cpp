#include "core/Money.h"

#include "core/Text.h"

namespace kavra {

Money Money::parse(const QString& text) {
    const QString t = text.trimmed();
    bool neg = t.startsWith(QLatin1Char('-'));
    const QString body = neg ? t.mid(1) : t;
    const int dot = body.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? body : body.left(dot);
    QString frac = dot < 0 ? QString() : body.mid(dot + 1);
    bool ok1 = true, ok2 = true;
    const qint64 w = whole.isEmpty() ? 0 : whole.toLongLong(&ok1);
    if (frac.size() > 2) {
        // Beyond paise: round half away from zero on the third digit.
        const bool up = frac[2] >= QLatin1Char('5');
        frac = frac.left(2);
        qint64 f = frac.toLongLong(&ok2);
        if (!ok1 || !ok2) return Money::fromRupees(text::val(text));
        qint64 p = w * 100 + f + (up ? 1 : 0);
        return Money(neg ? -p : p);
    }
    while (frac.size() < 2) frac += QLatin1Char('0');
    const qint64 f = frac.toLongLong(&ok2);
    if (!ok1 || !ok2) return Money::fromRupees(text::val(text));
    const qint64 p = w * 100 + f;
    return Money(neg ? -p : p);
}

QString Money::toString() const {
    const std::int64_t a = paise_ < 0 ? -paise_ : paise_;
    return QStringLiteral("%1%2.%3")
        .arg(paise_ < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace kavra
