#pragma once
// Bound-parameter query helpers; every failure becomes a DbError with the engine's text.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <utility>

#include "core/Db.h"
#include "core/Money.h"

namespace kavra::Sql {

QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// First column of the first row; an invalid QVariant when there is no row.
QVariant scalar(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
bool any(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// The first column of every row, in the order the query gives.
QList<qint64> ids(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
QStringList texts(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// Highest value of an integer column + 1 (1 on an empty table).
qint64 nextId(QSqlDatabase& db, const QString& table, const QString& column);
// Runs work inside one transaction: committed when it returns, rolled back when it throws.
void transaction(QSqlDatabase& db, const std::function<void()>& work);

// A text column read without the spaces fixed-width columns pad it with.
struct Trimmed {
    QString& out;
};
inline Trimmed trimmed(QString& out) {
    return Trimmed{out};
}

namespace detail {
// clang-format off
inline void take(const QVariant& v, qint64& out) { out = v.toLongLong(); }
inline void take(const QVariant& v, int& out) { out = v.toInt(); }
inline void take(const QVariant& v, double& out) { out = v.toDouble(); }
inline void take(const QVariant& v, bool& out) { out = v.toBool(); }
inline void take(const QVariant& v, QString& out) { out = v.toString(); }
inline void take(const QVariant& v, Trimmed out) { out.out = v.toString().trimmed(); }
inline void take(const QVariant& v, Money& out) { out = Money::fromDb(v); }
inline void take(const QVariant& v, QDate& out) { out = Db::toDate(v); }
inline void take(const QVariant& v, QDateTime& out) { out = Db::toDateTime(v); }
// clang-format on
}  // namespace detail

// Reads the current row into outs, one column each in select order from the first; the
// type of each decides how it is read (Money from paise, QDate from a stored timestamp).
template <typename... Out>
void readRow(const QSqlQuery& q, Out&&... outs) {
    int col = 0;
    (detail::take(q.value(col++), std::forward<Out>(outs)), ...);
}

}  // namespace kavra::Sql
