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

QString plain(double v) {
    if (v == 0) return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

}  // namespace kavra::text
