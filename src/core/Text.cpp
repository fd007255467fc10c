#include "core/Text.h"

#include <cmath>

namespace kavra::text {

double val(const QString& s) {
    int i = 0;
    const int n = s.size();
    while (i < n && s[i].isSpace()) ++i;
    const int start = i;
    if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) ++i;
    bool digits = false, dot = false;
    while (i < n) {
        if (s[i].isDigit()) {
            digits = true;
        } else if (s[i] == QLatin1Char('.') && !dot) {
            dot = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits) return 0;
    return s.mid(start, i - start).toDouble();
}

double strictNumber(const QString& s) {
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

std::optional<double> typedNumber(const QString& s) {
    const QString t = s.trimmed();
    int i = 0;
    const int n = int(t.size());
    if (i < n && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) ++i;
    QString digits = t.left(i);
    int count = 0;
    bool dot = false, any = false;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            any = true;
            ++count;
        } else if (c == QLatin1Char(',')) {
            // Between two digits of the whole part only.
            if (dot || i == 0 || !t[i - 1].isDigit() || i + 1 >= n || !t[i + 1].isDigit()) return std::nullopt;
        } else if (c == QLatin1Char('.') && !dot) {
            dot = true;
            digits += c;
        } else {
            return std::nullopt;
        }
    }
    if (!any || count > 15) return std::nullopt;
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

double typed(const QString& s) {
    return typedNumber(s).value_or(0.0);
}

QString plain(double v) {
    if (v == 0) return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

}  // namespace kavra::text
