#pragma once
// The financial year: the year in which 1 April falls. Its bounds are half-open, from
// 1 April 00:00 to the next 1 April 00:00, so every instant belongs to exactly one year.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariantList>

namespace kavra::FinancialYear {

// The year a date belongs to: January to March count to the year before.
inline int of(const QDate& d) {
    return d.month() > 3 ? d.year() : d.year() - 1;
}

struct Bounds {
    QDateTime from;  // first instant of the year
    QDateTime to;    // first instant of the next year, not in the year
    bool contains(const QDateTime& t) const { return t >= from && t < to; }
};

inline Bounds bounds(int year) {
    return {QDateTime(QDate(year, 4, 1), QTime(0, 0)), QDateTime(QDate(year + 1, 4, 1), QTime(0, 0))};
}
inline Bounds boundsOf(const QDate& d) {
    return bounds(of(d));
}

// "col >= ? and col < ?" with its two bound values, for a timestamp column.
QString condition(const QString& column);
QVariantList params(int year);

}  // namespace kavra::FinancialYear
