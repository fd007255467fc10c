#include "core/Sql.h"

#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlError>
#include <QThread>

namespace kavra::Sql {

namespace {

[[noreturn]] void fail(const QSqlQuery& q) {
    throw DbError::of(q.lastError());
}

QMutex g_openMutex;
QSet<QString> g_open;  // connections inside transaction()

bool markOpen(const QSqlDatabase& db, bool open) {
    QMutexLocker lock(&g_openMutex);
    if (!open) return g_open.remove(db.connectionName());
    if (g_open.contains(db.connectionName())) return false;
    g_open.insert(db.connectionName());
    return true;
}

void runOnce(QSqlDatabase& db, const std::function<void()>& work) {
    Db::beginWrite(db);
    try {
        work();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const DbError e = DbError::of(db.lastError());
        db.rollback();
        throw e;
    }
}

}  // namespace

QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // PostgreSQL cannot prepare utility statements (CREATE DATABASE, DDL), so a
    // statement without parameters is sent as it is.
    if (params.isEmpty()) {
        if (!q.exec(sql)) fail(q);
        return q;
    }
    if (!q.prepare(sql)) fail(q);
    for (const QVariant& p : params) q.addBindValue(p);
    if (!q.exec()) fail(q);
    return q;
}

QVariant scalar(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q = exec(db, sql, params);
    if (!q.next()) return {};
    return q.value(0);
}

bool any(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q = exec(db, sql, params);
    return q.next();
}

QList<qint64> ids(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QList<qint64> out;
    QSqlQuery q = exec(db, sql, params);
    while (q.next()) out << q.value(0).toLongLong();
    return out;
}

QStringList texts(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QStringList out;
    QSqlQuery q = exec(db, sql, params);
    while (q.next()) out << q.value(0).toString();
    return out;
}

qint64 proposedId(QSqlDatabase& db, const QString& table, const QString& column) {
    // Table and column names come from code, never from the user.
    const QVariant v = scalar(db, QStringLiteral("select max(%1) from %2").arg(column, table));
    return (v.isNull() ? 0 : v.toLongLong()) + 1;
}

qint64 nextId(QSqlDatabase& db, const QString& table, const QString& column) {
    if (!inTransaction(db))
        throw DbError(QStringLiteral("A new %1 identifier was taken outside a write transaction.").arg(table));
    return proposedId(db, table, column);
}

bool inTransaction(const QSqlDatabase& db) {
    QMutexLocker lock(&g_openMutex);
    return g_open.contains(db.connectionName());
}

void transaction(QSqlDatabase& db, const std::function<void()>& work) {
    if (!markOpen(db, true)) {
        work();
        return;
    }
    struct Unmark {
        QSqlDatabase& db;
        ~Unmark() { markOpen(db, false); }
    } unmark{db};
    for (int attempt = 1;; ++attempt) {
        try {
            runOnce(db, work);
            return;
        } catch (const DbError& e) {
            if (!Db::transient(e)) throw;
            if (attempt >= kTransactionAttempts)
                throw DbError(QStringLiteral("The database is busy with another workstation's work. Please try "
                                             "again in a moment."),
                              e.number(), e.code());
        }
        // Spread the retries so that desks which met once do not meet again.
        QThread::msleep(20 * attempt + QRandomGenerator::global()->bounded(30));
    }
}

}  // namespace kavra::Sql
