#include "core/Db.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>
#include <filesystem>

#include "core/Migrations.h"
#include "core/Sql.h"

namespace kavra {

DbConfig& dbConfig() {
    static DbConfig cfg;
    return cfg;
}

QString DbConfig::parse(const QStringList& args) {
    const auto env = QProcessEnvironment::systemEnvironment();
    QString server = env.value(QStringLiteral("KAVRA_SERVER"));
    if (env.contains(QStringLiteral("KAVRA_DB_USER"))) user = env.value(QStringLiteral("KAVRA_DB_USER"));
    if (env.contains(QStringLiteral("KAVRA_DB_PASSWORD"))) password = env.value(QStringLiteral("KAVRA_DB_PASSWORD"));
    if (env.contains(QStringLiteral("KAVRA_DB_PREFIX"))) prefix = env.value(QStringLiteral("KAVRA_DB_PREFIX"));
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        bool ok = true;
        if (a == QLatin1String("--server"))
            ok = value(server);
        else if (a == QLatin1String("--db-user"))
            ok = value(user);
        else if (a == QLatin1String("--db-password"))
            ok = value(password);
        else if (a == QLatin1String("--db-prefix"))
            ok = value(prefix);
        else if (a == QLatin1String("--dir"))
            ok = value(programDir);
        else
            continue;
        if (!ok) return QStringLiteral("The option %1 needs a value.").arg(a);
    }
    if (!server.isEmpty()) {
        engine = Engine::PostgreSQL;
        // host:port (also /socket/folder:port); a trailing part that is not a number is no port
        const int colon = server.lastIndexOf(QLatin1Char(':'));
        if (colon > 0) {
            bool ok = false;
            const int p = server.mid(colon + 1).toInt(&ok);
            if (!ok && !server.startsWith(QLatin1Char('/')))
                return QStringLiteral("The server port in \"%1\" is not a number.").arg(server);
            if (ok) {
                port = p;
                server = server.left(colon);
            }
        }
        host = server;
        if (!QRegularExpression(QStringLiteral("^[a-z0-9_]*$")).match(prefix).hasMatch())
            return QStringLiteral("The database prefix may hold only lower-case letters, digits and _.");
    }
    if (programDir.isEmpty()) programDir = QCoreApplication::applicationDirPath();
    return {};
}

namespace Db {
namespace {

std::atomic<int> g_connSerial{0};
QMutex g_openMutex;
QHash<QString, int> g_openCount;       // logical name -> connections open in this process
QHash<QString, QString> g_nameOfConn;  // connection name -> logical name

QString pgName(const QString& name) {
    return dbConfig().prefix + name.toLower();
}

void checkName(const QString& name) {
    static const QRegularExpression ok(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    if (!ok.match(name).hasMatch()) throw DbError(QStringLiteral("Invalid database name: ") + name);
}

// fileOnly opens an SQLite file whatever the engine (the copies written from a server).
QSqlDatabase rawOpen(const QString& pgDatabase, const QString& sqliteFile, bool fileOnly = false) {
    const DbConfig& cfg = dbConfig();
    const bool pg = cfg.isPg() && !fileOnly;
    const QString conn = QStringLiteral("kavra_%1").arg(++g_connSerial);
    QSqlDatabase db;
    if (pg) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), conn);
        db.setHostName(cfg.host);
        db.setPort(cfg.port);
        db.setUserName(cfg.user);
        db.setPassword(cfg.password);
        db.setDatabaseName(pgDatabase);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(sqliteFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db.open()) {
        const QString text = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(conn);
        throw DbError(text);
    }
    if (!pg) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } else {
        QSqlQuery q(db);
        q.exec(QStringLiteral("SET client_min_messages TO WARNING"));
    }
    return db;
}

void rawClose(QSqlDatabase& db);

// Runs one statement on its own connection, closed whatever happens.
void execOn(const QString& pgDatabase, const QString& sql) {
    QSqlDatabase db = rawOpen(pgDatabase, {});
    try {
        Sql::exec(db, sql);
    } catch (...) {
        rawClose(db);
        throw;
    }
    rawClose(db);
}

void rawClose(QSqlDatabase& db) {
    const QString conn = db.connectionName();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(conn);
}

}  // namespace

void beginWrite(QSqlDatabase& db) {
    QSqlQuery q(db);
    auto run = [&](const QString& sql) {
        if (!q.exec(sql)) throw DbError::of(q.lastError());
    };
    if (db.driverName() == QLatin1String("QSQLITE")) {
        run(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    if (!db.transaction()) throw DbError::of(db.lastError());
    try {
        // Advisory locks are per database, so one key serves every company database. A desk
        // that waits this long reports the database busy instead of hanging.
        run(QStringLiteral("SET LOCAL lock_timeout = '30s'"));
        run(QStringLiteral("SELECT pg_advisory_xact_lock(7305110001)"));
    } catch (...) {
        db.rollback();
        throw;
    }
}

bool transient(const DbError& e) {
    const QString& c = e.code();
    if (c.isEmpty()) return false;
    bool numeric = false;
    const int n = c.toInt(&numeric);
    // SQLite: SQLITE_BUSY and SQLITE_LOCKED with their extended forms.
    if (numeric && (n & 0xff) != 0 && c.size() < 5) return (n & 0xff) == 5 || (n & 0xff) == 6;
    // PostgreSQL: serialization failure, deadlock, unique violation (a key taken at the same moment).
    return c == QLatin1String("40001") || c == QLatin1String("40P01") || c == QLatin1String("23505");
}

QString filePath(const QString& name) {
    return dbConfig().dbFolder() + QLatin1Char('/') + name + QStringLiteral(".db");
}

QSqlDatabase open(const QString& name) {
    checkName(name);
    if (!exists(name)) throw DbError(QStringLiteral("The database \"%1\" does not exist.").arg(name));
    QSqlDatabase db = rawOpen(pgName(name), filePath(name));
    try {
        Migrations::upgrade(db, Migrations::kindOf(name));
    } catch (...) {
        rawClose(db);
        throw;
    }
    QMutexLocker lock(&g_openMutex);
    ++g_openCount[name];
    g_nameOfConn.insert(db.connectionName(), name);
    return db;
}

void close(QSqlDatabase& db) {
    if (!db.isValid()) return;
    {
        QMutexLocker lock(&g_openMutex);
        const QString name = g_nameOfConn.take(db.connectionName());
        if (g_openCount.value(name) > 0) --g_openCount[name];
    }
    rawClose(db);
}

bool exists(const QString& name) {
    checkName(name);
    if (!dbConfig().isPg()) return QFile::exists(filePath(name));
    QSqlDatabase adm = rawOpen(QStringLiteral("postgres"), {});
    bool found = false;
    try {
        found = Sql::any(adm, QStringLiteral("select 1 from pg_database where datname=?"), {pgName(name)});
    } catch (...) {
        rawClose(adm);
        throw;
    }
    rawClose(adm);
    return found;
}

void create(const QString& name) {
    checkName(name);
    if (exists(name)) return;
    if (!dbConfig().isPg()) {
        QDir().mkpath(dbConfig().dbFolder());
        QSqlDatabase db = rawOpen({}, filePath(name));
        rawClose(db);
        return;
    }
    execOn(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE \"%1\"").arg(pgName(name)));
    // Names are compared without regard to case; citext gives that on PostgreSQL.
    execOn(pgName(name), QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
}

void drop(const QString& name) {
    checkName(name);
    if (!dbConfig().isPg()) {
        const QString f = filePath(name);
        QFile::remove(f);
        QFile::remove(f + QStringLiteral("-wal"));
        QFile::remove(f + QStringLiteral("-shm"));
        return;
    }
    execOn(QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(pgName(name)));
}

QString ddl(const QString& sql, Engine engine) {
    QString s = sql;
    const bool pg = engine == Engine::PostgreSQL;
    s.replace(QStringLiteral("{NAME}"), pg ? QStringLiteral("CITEXT") : QStringLiteral("TEXT COLLATE NOCASE"));
    s.replace(QStringLiteral("{COUNTER}"),
              pg ? QStringLiteral("BIGSERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
    s.replace(QStringLiteral("{BLOB}"), pg ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
    return s;
}

QVariant ts(const QDateTime& dt) {
    if (!dt.isValid()) return QVariant(QMetaType::fromType<QString>());
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant day(const QDate& d) {
    if (!d.isValid()) return QVariant(QMetaType::fromType<QString>());
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QDateTime toDateTime(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime();
    if (v.typeId() == QMetaType::QDate) return v.toDate().startOfDay();
    const QString s = v.toString().trimmed();
    for (const char* f : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz",
                          "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(s, QString::fromLatin1(f));
        if (dt.isValid()) return dt;
    }
    return {};
}

QDate toDate(const QVariant& v) {
    return toDateTime(v).date();
}

void copyRows(QSqlDatabase& src, QSqlDatabase& dst, const QString& table) {
    QSqlQuery rows = Sql::exec(src, QStringLiteral("select * from %1").arg(table));
    const QSqlRecord rec = rows.record();
    // Only the columns both sides have: an older year may lack what a newer one added.
    QSqlRecord target = dst.record(table);
    // The PostgreSQL driver finds a table only by its folded (lower-case) name.
    if (target.isEmpty()) target = dst.record(table.toLower());
    QStringList cols, marks;
    QVector<int> idx;
    for (int i = 0; i < rec.count(); ++i) {
        if (target.indexOf(rec.fieldName(i)) < 0) continue;
        cols << rec.fieldName(i);
        marks << QStringLiteral("?");
        idx << i;
    }
    if (cols.isEmpty()) return;
    const QString ins = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    while (rows.next()) {
        QVariantList vals;
        for (int i : idx) {
            QVariant v = rows.value(i);
            if (v.typeId() == QMetaType::QDateTime)
                v = ts(v.toDateTime());
            else if (v.typeId() == QMetaType::QDate)
                v = day(v.toDate());
            vals << v;
        }
        Sql::exec(dst, ins, vals);
    }
}

QStringList tables(QSqlDatabase& db) {
    QStringList out;
    for (const QString& t : db.tables()) out << t.toLower();
    return out;
}

QStringList schemaOutline(QSqlDatabase& db) {
    QStringList out;
    for (const QString& t : db.tables()) {
        if (t.compare(QLatin1String("sqlite_sequence"), Qt::CaseInsensitive) == 0) continue;
        const QSqlRecord rec = db.record(t);
        QStringList cols;
        for (int i = 0; i < rec.count(); ++i) cols << rec.fieldName(i).toLower();
        cols.sort();
        out << QStringLiteral("table %1: %2").arg(t.toLower(), cols.join(QLatin1Char(',')));
    }
    // Key indexes are named by the engine, not by the schema, so only declared ones count.
    const bool pg = db.driverName() == QLatin1String("QPSQL");
    QSqlQuery q(db);
    q.exec(pg ? QStringLiteral("select indexname from pg_indexes where schemaname = current_schema() "
                               "and indexname not like '%_pkey'")
              : QStringLiteral("select name from sqlite_master where type = 'index' "
                               "and name not like 'sqlite_autoindex%'"));
    while (q.next()) out << QStringLiteral("index ") + q.value(0).toString().toLower();
    out.sort();
    return out;
}

void compact(const QString& name) {
    checkName(name);
    if (dbConfig().isPg()) {
        QSqlDatabase db = rawOpen(pgName(name), {});
        QSqlQuery q(db);
        const bool ok = q.exec(QStringLiteral("VACUUM"));
        const QString err = q.lastError().text();
        q = QSqlQuery();
        rawClose(db);
        if (!ok) throw DbError(err);
        return;
    }
    {
        QMutexLocker lock(&g_openMutex);
        if (g_openCount.value(name) > 0)
            throw DbError(QStringLiteral("Close every screen before compacting the database."));
    }
    const QString src = filePath(name);
    const QString tmp = dbConfig().dbFolder() + QStringLiteral("/TMP") + name + QStringLiteral(".db");
    QFile::remove(tmp);
    copyToFile(name, tmp);
    // The compacted copy replaces the original in one rename, so a failure at any
    // point leaves one complete database in place.
    std::error_code ec;
    std::filesystem::rename(tmp.toStdString(), src.toStdString(), ec);
    if (ec) {
        QFile::remove(tmp);
        throw DbError(QString::fromStdString(ec.message()));
    }
    QFile::remove(src + QStringLiteral("-wal"));
    QFile::remove(src + QStringLiteral("-shm"));
}

void copyToFile(const QString& name, const QString& target) {
    checkName(name);
    QFile::remove(target);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!dbConfig().isPg()) {
        QSqlDatabase db = rawOpen({}, filePath(name));
        QString err;
        {
            QSqlQuery q(db);
            if (!q.prepare(QStringLiteral("VACUUM INTO ?"))) err = q.lastError().text();
            q.addBindValue(target);
            if (err.isEmpty() && !q.exec()) err = q.lastError().text();
        }
        rawClose(db);
        if (!err.isEmpty()) throw DbError(err);
        QSqlDatabase check = rawOpen({}, target);
        QString result;
        {
            QSqlQuery q(check);
            if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next()) result = q.value(0).toString();
            q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        }
        rawClose(check);
        if (result != QLatin1String("ok")) {
            QFile::remove(target);
            throw DbError(QStringLiteral("The compacted copy failed its check: ") + result);
        }
        return;
    }
    // From the server: an SQLite file with the same schema, filled table by table.
    QSqlDatabase src = open(name);
    QSqlDatabase dst = rawOpen({}, target, true);
    try {
        Migrations::upgradeWith(dst, Migrations::kindOf(name), Engine::SQLite);
        Sql::transaction(dst, [&] {
            for (const QString& table : tables(src)) {
                if (table == QLatin1String("schemaversion")) continue;
                Sql::exec(dst, QStringLiteral("delete from %1").arg(table));
                copyRows(src, dst, table);
            }
        });
    } catch (...) {
        close(src);
        rawClose(dst);
        QFile::remove(target);
        throw;
    }
    close(src);
    rawClose(dst);
}

}  // namespace Db
}  // namespace kavra
