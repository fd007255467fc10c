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

// A statement with parameters is prepared once per connection and reused while that
// connection stays open; a query still being read when the same text runs again gets a
// statement of its own, so nested reads never share one.
QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// Drops the statements kept for a connection; Db calls it before a connection closes.
void forget(const QSqlDatabase& db);
// Sees every statement exec runs, with its parameters (tests and the bench count and
// explain them); an empty function stops it. One process-wide observer.
using Trace = std::function<void(const QSqlDatabase& db, const QString& sql, const QVariantList& params)>;
void setTrace(Trace trace);
// First column of the first row; an invalid QVariant when there is no row.
QVariant scalar(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
bool any(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// The first column of every row, in the order the query gives.
QList<qint64> ids(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
QStringList texts(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// Highest value of an integer column + 1 (1 on an empty table), taken for a row about to be
// written. Only inside transaction(): there no other desk can take the same value before
// this one commits. Outside it throws DbError, a fault of the calling code.
qint64 nextId(QSqlDatabase& db, const QString& table, const QString& column);
// The same value as a proposal shown on New; not reserved, the save takes its own.
qint64 proposedId(QSqlDatabase& db, const QString& table, const QString& column);

// Runs work inside one write transaction: committed when it returns, rolled back when it
// throws. The transaction queues behind every other desk's writes (Db::beginWrite), and one
// that fails on a deadlock, a busy database or a key taken at the same moment is rolled back
// and run again from the start a few times, so work must only compute what it writes from
// what it reads. A call inside another transaction on the same connection joins it.
void transaction(QSqlDatabase& db, const std::function<void()>& work);
// True while transaction() runs on this connection.
bool inTransaction(const QSqlDatabase& db);
// How often transaction() runs the work before giving up, and the pause before each retry.
constexpr int kTransactionAttempts = 6;

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
