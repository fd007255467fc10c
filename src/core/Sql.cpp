#include "core/Sql.h"

#include <QSqlError>

namespace kavra::Sql {

QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& params) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // PostgreSQL cannot prepare utility statements (CREATE DATABASE, DDL), so a
    // statement without parameters is sent as it is.
    if (params.isEmpty()) {
        if (!q.exec(sql)) throw DbError(q.lastError().text(), q.lastError().nativeErrorCode().toInt());
        return q;
    }
    if (!q.prepare(sql)) throw DbError(q.lastError().text(), q.lastError().nativeErrorCode().toInt());
    for (const QVariant& p : params) q.addBindValue(p);
    if (!q.exec()) throw DbError(q.lastError().text(), q.lastError().nativeErrorCode().toInt());
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

qint64 nextId(QSqlDatabase& db, const QString& table, const QString& column) {
    // Table and column names come from code, never from the user.
    const QVariant v = scalar(db, QStringLiteral("select max(%1) from %2").arg(column, table));
    return (v.isNull() ? 0 : v.toLongLong()) + 1;
}

void transaction(QSqlDatabase& db, const std::function<void()>& work) {
    // SQLite: take the write lock at once, so two workstations that read and then write
    // queue behind each other (within the busy timeout) instead of one failing midway.
    if (db.driverName() == QLatin1String("QSQLITE")) {
        QSqlQuery begin(db);
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) throw DbError(begin.lastError().text());
    } else if (!db.transaction()) {
        throw DbError(db.lastError().text());
    }
    try {
        work();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        throw DbError(text);
    }
}

}  // namespace kavra::Sql
