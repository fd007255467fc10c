#include "core/Sql.h"

#include <QHash>
#include <QMutex>
#include <QPointer>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDriver>
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

namespace {

// A query's handles share one counted private part; the count tells whether a caller
// still holds a copy of a statement the cache lent. Read where Qt keeps it (the first
// word of the private part), and only after a check at first use that it behaves so.
int holders(const QSqlQuery& q) {
    static_assert(sizeof(QSqlQuery) == sizeof(void*), "QSqlQuery is one pointer to its shared part");
    const QAtomicInt* ref = *reinterpret_cast<QAtomicInt* const*>(&q);
    return ref->loadRelaxed();
}

bool countsReadable() {
    static const bool ok = [] {
        QSqlQuery a;
        const int alone = holders(a);
        bool same = false;
        {
            QSqlQuery b(a);
            same = holders(a) == alone + 1 && holders(b) == alone + 1;
        }
        return same && holders(a) == alone;
    }();
    return ok;
}

constexpr int kKeptPerConnection = 256;

struct Kept {
    QSqlQuery query;
    QPointer<QSqlDriver> driver;
    const void* session = nullptr;  // the engine's connection handle it was prepared on
    bool lent = false;
};

// The engine's own connection (sqlite3*, PGconn*): new whenever the connection is opened again.
const void* sessionOf(const QSqlDatabase& db) {
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    return h.isValid() && h.constData() ? *static_cast<const void* const*>(h.constData()) : nullptr;
}
struct Statements {
    QHash<QString, Kept> bySql;
    QStringList lent;  // handed to callers that may still read them
};

// Per thread, as connections are: a connection is only ever used on its own thread. Never
// freed, so that no statement outlives the SQL drivers at the program's end.
QHash<QString, Statements>& kept() {
    static thread_local auto* k = new QHash<QString, Statements>;
    return *k;
}

QMutex g_traceMutex;
Trace g_trace;

void trace(const QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QMutexLocker lock(&g_traceMutex);
    if (g_trace) g_trace(db, sql, params);
}

// Statements whose callers are done with them end their read (a partly read SQLite
// statement holds its snapshot), ready for the next run.
void settle(Statements& s) {
    for (qsizetype i = s.lent.size() - 1; i >= 0; --i) {
        auto it = s.bySql.find(s.lent[i]);
        if (it != s.bySql.end() && holders(it->query) > 1) continue;
        if (it != s.bySql.end()) {
            it->query.finish();
            it->lent = false;
        }
        s.lent.removeAt(i);
    }
}

void bind(QSqlQuery& q, const QVariantList& params) {
    for (int i = 0; i < params.size(); ++i) q.bindValue(i, params[i]);
}

QSqlQuery fresh(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) fail(q);
    bind(q, params);
    if (!q.exec()) fail(q);
    return q;
}

}  // namespace

QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    trace(db, sql, params);
    const bool keeping = countsReadable();
    Statements* s = keeping ? &kept()[db.connectionName()] : nullptr;
    // Before anything runs: a write must not start on a snapshot an idle statement holds.
    if (s) settle(*s);
    // PostgreSQL cannot prepare utility statements (CREATE DATABASE, DDL), so a
    // statement without parameters is sent as it is.
    if (params.isEmpty()) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(sql)) fail(q);
        return q;
    }
    if (!s) return fresh(db, sql, params);
    auto it = s->bySql.find(sql);
    if (it != s->bySql.end() && (it->driver != db.driver() || it->session != sessionOf(db))) {
        // The connection of that name was closed and opened again, or another made under it.
        s->bySql.clear();
        s->lent.clear();
        it = s->bySql.end();
    }
    if (it != s->bySql.end() && it->lent) return fresh(db, sql, params);  // nested: the same text still read
    if (it == s->bySql.end()) {
        if (s->bySql.size() >= kKeptPerConnection) {
            QHash<QString, Kept> still;
            for (const QString& l : std::as_const(s->lent)) still.insert(l, s->bySql.value(l));
            s->bySql = still;
        }
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(sql)) fail(q);
        it = s->bySql.insert(sql, Kept{q, db.driver(), sessionOf(db), false});
    }
    QSqlQuery& q = it->query;
    bind(q, params);
    if (!q.exec()) {
        const QSqlError e = q.lastError();
        s->bySql.erase(it);
        // A server plan made before the table changed shape, or a statement the server no
        // longer has (its session was replaced): prepared again once.
        if (e.nativeErrorCode() == QLatin1String("0A000") || e.nativeErrorCode() == QLatin1String("26000"))
            return fresh(db, sql, params);
        throw DbError::of(e);
    }
    it->lent = true;
    s->lent << sql;
    return q;
}

void forget(const QSqlDatabase& db) {
    kept().remove(db.connectionName());
}

void setTrace(Trace t) {
    QMutexLocker lock(&g_traceMutex);
    g_trace = std::move(t);
}

QVariant scalar(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q = exec(db, sql, params);
    if (!q.next()) return {};
    const QVariant v = q.value(0);
    q.finish();
    return v;
}

bool any(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q = exec(db, sql, params);
    const bool found = q.next();
    q.finish();
    return found;
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
