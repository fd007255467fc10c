#include "core/Db.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <atomic>
#include <filesystem>

#include "core/FileLock.h"
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

namespace {
std::atomic<bool> g_lostNoticed{false};

// What the PostgreSQL client library says when the server is gone or not there.
bool cannotConnect(const QString& t) {
    return t.contains(QLatin1String("could not connect"), Qt::CaseInsensitive) ||
           t.contains(QLatin1String("Connection refused"), Qt::CaseInsensitive) ||
           t.contains(QLatin1String("the database system is starting up"), Qt::CaseInsensitive) ||
           t.contains(QLatin1String("the database system is shutting down"), Qt::CaseInsensitive) ||
           (t.contains(QLatin1String("connection to server")) && t.contains(QLatin1String("failed")));
}
bool connectionGone(const QString& t) {
    static const char* signs[] = {"server closed the connection",
                                  "terminating connection",
                                  "no connection to the server",
                                  "could not send data to server",
                                  "could not receive data from server",
                                  "SSL SYSCALL error",
                                  "connection not open",
                                  "connection pointer is NULL"};
    for (const char* s : signs)
        if (t.contains(QLatin1String(s), Qt::CaseInsensitive)) return true;
    return false;
}
}  // namespace

DbError::DbError(const QString& text, int number, const QString& code)
    : std::runtime_error(text.toStdString()), text_(text), number_(number), code_(code) {
    // Connection exceptions (08) and operator intervention (57P: shutdown, restart).
    if (connectionGone(text) || code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P"))) {
        lost_ = true;
        text_ = QStringLiteral("The connection to the database server was lost.");
    } else if (cannotConnect(text)) {
        lost_ = true;
        text_ = QStringLiteral("The database server cannot be reached.");
    }
    if (lost_) g_lostNoticed = true;
}

namespace Db {

bool takeLostNotice() {
    return g_lostNoticed.exchange(false);
}

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

void sessionSettings(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (db.driverName() == QLatin1String("QSQLITE")) {
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } else {
        q.exec(QStringLiteral("SET client_min_messages TO WARNING"));
        // A year's statements cost enough to be compiled, and compiling them took longer than
        // running them (a year's profit and loss: 0.49 s with it, 0.28 s without).
        q.exec(QStringLiteral("SET jit = off"));
    }
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
        // Names the program in pg_stat_activity, so a desk's connections can be told apart and waited for.
        db.setConnectOptions(QStringLiteral("application_name=kavra:%1").arg(QCoreApplication::applicationPid()));
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
    sessionSettings(db);
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
    Sql::forget(db);
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(conn);
}

}  // namespace

void beginWrite(QSqlDatabase& db) {
    // Through Sql::exec, which first ends the reads of statements kept for this connection.
    auto run = [&](const QString& sql) { Sql::exec(db, sql); };
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
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    // The day of a stored "yyyy-MM-dd..." read from its digits: parsing a whole local
    // time costs a time-zone look-up per value, which long lists feel.
    const QString s = v.toString().trimmed();
    if (s.size() >= 10 && s[4] == QLatin1Char('-') && s[7] == QLatin1Char('-')) {
        bool y = false, m = false, d = false;
        const QDate day(s.left(4).toInt(&y), s.mid(5, 2).toInt(&m), s.mid(8, 2).toInt(&d));
        if (y && m && d && day.isValid()) return day;
    }
    return toDateTime(v).date();
}

namespace {

// A value as this program stores it: times as their text.
QVariant stored(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime) return ts(v.toDateTime());
    if (v.typeId() == QMetaType::QDate) return day(v.toDate());
    return v;
}

// Into an SQLite file through SQLite's own calls: the driver's binding of each value by
// name costs more than the write itself, and a copy binds millions.
void writeRows(QSqlQuery& rows, QSqlDatabase& dst, const QString& table, const QStringList& cols) {
    const QVariant h = dst.driver()->handle();
    sqlite3* to = h.isValid() ? *static_cast<sqlite3* const*>(h.constData()) : nullptr;
    if (!to) throw DbError(QStringLiteral("The copy's database handle is not available."));
    QByteArray marks = "?";
    for (qsizetype i = 1; i < cols.size(); ++i) marks += ",?";
    const QByteArray insert =
        QStringLiteral("insert into %1 (%2) values (").arg(table, cols.join(QLatin1Char(','))).toUtf8() + marks + ")";
    sqlite3_stmt* put = nullptr;
    if (sqlite3_prepare_v2(to, insert.constData(), int(insert.size()), &put, nullptr) != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(to)));
    QString err;
    while (err.isEmpty() && rows.next()) {
        for (int k = 0; k < cols.size(); ++k) {
            const QVariant v = stored(rows.value(k));
            const int at = k + 1;
            if (v.isNull()) {
                sqlite3_bind_null(put, at);
                continue;
            }
            switch (v.typeId()) {
                case QMetaType::Bool:
                case QMetaType::Int:
                case QMetaType::UInt:
                case QMetaType::LongLong:
                case QMetaType::ULongLong:
                    sqlite3_bind_int64(put, at, v.toLongLong());
                    break;
                case QMetaType::Double:
                case QMetaType::Float:
                    sqlite3_bind_double(put, at, v.toDouble());
                    break;
                case QMetaType::QByteArray: {
                    const QByteArray b = v.toByteArray();
                    sqlite3_bind_blob64(put, at, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
                    break;
                }
                default: {
                    const QByteArray t = v.toString().toUtf8();
                    sqlite3_bind_text64(put, at, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT,
                                        SQLITE_UTF8);
                }
            }
        }
        if (sqlite3_step(put) != SQLITE_DONE) err = QString::fromUtf8(sqlite3_errmsg(to));
        sqlite3_reset(put);
    }
    sqlite3_finalize(put);
    if (!err.isEmpty()) throw DbError(err);
}

}  // namespace

void copyRows(QSqlDatabase& src, QSqlDatabase& dst, const QString& table) {
    // The PostgreSQL driver finds a table only by its folded (lower-case) name.
    QSqlRecord rec = src.record(table);
    if (rec.isEmpty()) rec = src.record(table.toLower());
    QSqlRecord target = dst.record(table);
    if (target.isEmpty()) target = dst.record(table.toLower());
    // Only the columns both sides have: an older year may lack what a newer one added.
    // Times come from a server as the text they are stored as here, not through a date type
    // and back: on a million ledger rows that conversion was most of the copy.
    const bool fromServer = src.driverName() == QLatin1String("QPSQL");
    QStringList cols, picks, marks;
    for (int i = 0; i < rec.count(); ++i) {
        const QString c = rec.fieldName(i);
        if (target.indexOf(c) < 0) continue;
        cols << c;
        marks << QStringLiteral("?");
        const int type = rec.field(i).metaType().id();
        if (fromServer && type == QMetaType::QDateTime)
            picks << QStringLiteral("to_char(%1, 'YYYY-MM-DD HH24:MI:SS')").arg(c);
        else if (fromServer && type == QMetaType::QDate)
            picks << QStringLiteral("to_char(%1, 'YYYY-MM-DD')").arg(c);
        else
            picks << c;
    }
    if (cols.isEmpty()) return;
    QSqlQuery rows = Sql::exec(src, QStringLiteral("select %1 from %2").arg(picks.join(QLatin1Char(',')), table));
    QVector<int> idx;
    for (int i = 0; i < cols.size(); ++i) idx << i;
    if (dst.driverName() == QLatin1String("QSQLITE")) {
        writeRows(rows, dst, table, cols);
        return;
    }
    // Many rows per statement, each statement prepared once.
    // (Preparing grows faster than the parameters, so a statement keeps under a thousand.)
    const int perStatement = std::max(1, std::min(100, 999 / int(cols.size())));
    const QString head = QStringLiteral("insert into %1 (%2) values ").arg(table, cols.join(QLatin1Char(',')));
    const QString one = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    auto statement = [&](int n) {
        QStringList groups;
        for (int i = 0; i < n; ++i) groups << one;
        return head + groups.join(QLatin1Char(','));
    };
    QSqlQuery full(dst);  // prepared when the first batch is full: a small table never needs it
    bool prepared = false;
    QVariantList batch;
    int inBatch = 0;
    auto flush = [&](QSqlQuery& put) {
        for (int k = 0; k < batch.size(); ++k) put.bindValue(k, batch[k]);
        if (!put.exec()) throw DbError::of(put.lastError());
        batch.clear();
        inBatch = 0;
    };
    while (rows.next()) {
        for (int k = 0; k < idx.size(); ++k) batch << stored(rows.value(idx[k]));
        if (++inBatch < perStatement) continue;
        if (!prepared && !full.prepare(statement(perStatement))) throw DbError::of(full.lastError());
        prepared = true;
        flush(full);
    }
    if (inBatch > 0) {
        QSqlQuery rest(dst);
        if (!rest.prepare(statement(inBatch))) throw DbError::of(rest.lastError());
        flush(rest);
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

namespace {
// A rebuilt copy without wasted space, of one moment: VACUUM INTO reads in one transaction.
void rebuiltCopy(const QString& name, const QString& target) {
    QFile::remove(target);
    QSqlDatabase db = rawOpen({}, filePath(name));
    QString err;
    {
        QSqlQuery q(db);
        if (!q.prepare(QStringLiteral("VACUUM INTO ?"))) err = q.lastError().text();
        q.addBindValue(target);
        if (err.isEmpty() && !q.exec()) err = q.lastError().text();
    }
    rawClose(db);
    if (!err.isEmpty()) {
        QFile::remove(target);
        throw DbError(err);
    }
}
}  // namespace

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
    rebuiltCopy(name, tmp);
    const QString problem = checkCopy(tmp, Migrations::kindOf(name), true);
    if (!problem.isEmpty()) {
        QFile::remove(tmp);
        throw DbError(QStringLiteral("The compacted copy failed its check: ") + problem);
    }
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

void optimize(QSqlDatabase& db) {
    if (db.driverName() == QLatin1String("QSQLITE")) {
        // A sampled ANALYZE reads a few hundred rows of each index, so it stays quick on a
        // grown year, and gives the planner what it needs to tell a selective index.
        Sql::exec(db, QStringLiteral("PRAGMA analysis_limit=400"));
        Sql::exec(db, QStringLiteral("ANALYZE"));
        Sql::exec(db, QStringLiteral("PRAGMA optimize"));
        return;
    }
    // Only tables never analysed or changed by a tenth since: the server's own daemon does
    // the rest, and a full ANALYZE of a grown year would take seconds.
    const QStringList stale = Sql::texts(
        db, QStringLiteral("select relname from pg_stat_user_tables where schemaname = current_schema() and "
                           "n_live_tup + n_mod_since_analyze > 0 and (coalesce(last_analyze, last_autoanalyze) is "
                           "null or n_mod_since_analyze > n_live_tup / 10)"));
    for (const QString& t : stale) {
        QString quoted = t;
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        Sql::exec(db, QStringLiteral("ANALYZE \"%1\"").arg(quoted));
    }
}

void copyToFile(const QString& name, const QString& target) {
    checkName(name);
    QFile::remove(target);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!dbConfig().isPg()) {
        // SQLite's page copy in one step reads one snapshot, so the copy is of one moment even
        // while others write; it copies pages as they are, several times quicker than
        // rebuilding them (compaction rebuilds).
        QSqlDatabase db = rawOpen({}, filePath(name));
        QString err;
        const QVariant h = db.driver()->handle();
        sqlite3* from = h.isValid() ? *static_cast<sqlite3* const*>(h.constData()) : nullptr;
        sqlite3* to = nullptr;
        if (!from)
            err = QStringLiteral("The database handle is not available.");
        else if (sqlite3_open_v2(QFile::encodeName(target).constData(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr) != SQLITE_OK)
            err = QString::fromUtf8(sqlite3_errmsg(to));
        if (err.isEmpty()) {
            sqlite3_backup* b = sqlite3_backup_init(to, "main", from, "main");
            if (!b) {
                err = QString::fromUtf8(sqlite3_errmsg(to));
            } else {
                const int rc = sqlite3_backup_step(b, -1);
                sqlite3_backup_finish(b);
                if (rc != SQLITE_DONE) err = QString::fromUtf8(sqlite3_errstr(rc));
            }
        }
        // A file of its own: the copy keeps no write-ahead log beside it.
        if (err.isEmpty() && sqlite3_exec(to, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
            err = QString::fromUtf8(sqlite3_errmsg(to));
        if (to) sqlite3_close(to);
        rawClose(db);
        if (!err.isEmpty()) {
            QFile::remove(target);
            QFile::remove(target + QStringLiteral("-journal"));
            throw DbError(err);
        }
        return;
    }
    // From the server: an SQLite file with the same schema, every table read in one snapshot
    // so that a document saved meanwhile is either wholly in the copy or not at all.
    QSqlDatabase src = rawOpen(pgName(name), {});
    QSqlDatabase dst = rawOpen({}, target, true);
    try {
        Migrations::upgradeWith(dst, Migrations::kindOf(name), Engine::SQLite);
        // A file no one else has open yet, removed whole when the copy fails: no journal, no
        // waiting for the disk, and room in memory for the year's pages.
        for (const char* pragma : {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA cache_size=-262144"})
            Sql::exec(dst, QString::fromLatin1(pragma));
        Sql::exec(src, QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"));
        Sql::transaction(dst, [&] {
            // The rows first and the indexes built over them after: sorting once is far
            // quicker than keeping a million rows' indexes in order one row at a time.
            const QStringList indexes =
                Sql::texts(dst, QStringLiteral("select sql from sqlite_master where type='index' and sql is not null"));
            for (const QString& ix : Sql::texts(
                     dst, QStringLiteral("select name from sqlite_master where type='index' and sql is not null")))
                Sql::exec(dst, QStringLiteral("drop index %1").arg(ix));
            for (const QString& table : tables(src)) {
                if (table == QLatin1String("schemaversion")) continue;
                Sql::exec(dst, QStringLiteral("delete from %1").arg(table));
                copyRows(src, dst, table);
            }
            for (const QString& ix : indexes) Sql::exec(dst, ix);
        });
        Sql::exec(src, QStringLiteral("COMMIT"));
        Sql::exec(dst, QStringLiteral("PRAGMA journal_mode=DELETE"));
    } catch (...) {
        rawClose(src);
        rawClose(dst);
        QFile::remove(target);
        throw;
    }
    rawClose(src);
    rawClose(dst);
}

QString checkCopy(const QString& file, data::DbKind kind, bool full) {
    if (!QFileInfo(file).isFile() || QFileInfo(file).size() == 0) return QStringLiteral("the file is empty or missing");
    QSqlDatabase db = rawOpen({}, file, true);
    QString problem;
    {
        QSqlQuery q(db);
        QString result;
        if (q.exec(full ? QStringLiteral("PRAGMA integrity_check") : QStringLiteral("PRAGMA quick_check")) && q.next())
            result = q.value(0).toString();
        else
            result = q.lastError().text();
        if (result != QLatin1String("ok")) problem = result.isEmpty() ? QStringLiteral("not a database") : result;
    }
    if (problem.isEmpty()) {
        int v = 0;
        try {
            v = Migrations::version(db);
        } catch (const DbError&) {
        }
        if (v <= 0)
            problem = QStringLiteral("it is not a Kavra database");
        else if (v > Migrations::latest(kind))
            problem = QStringLiteral("it was written by a newer version of Kavra (schema %1, this one knows %2)")
                          .arg(v)
                          .arg(Migrations::latest(kind));
    }
    rawClose(db);
    return problem;
}

QString restore(const QString& name, const QString& copy, const QDateTime& now) {
    checkName(name);
    if (dbConfig().isPg())
        throw DbError(QStringLiteral("On a database server, restore with the server's own tools (see README)."));
    {
        QMutexLocker lock(&g_openMutex);
        if (g_openCount.value(name) > 0)
            throw DbError(QStringLiteral("Close every screen before restoring the database."));
    }
    const QString problem = checkCopy(copy, Migrations::kindOf(name), false);
    if (!problem.isEmpty()) throw DbError(QStringLiteral("The copy %1 cannot be restored: %2.").arg(copy, problem));
    const QString live = filePath(name);
    const QString part = live + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(copy, part)) throw DbError(QStringLiteral("The copy %1 could not be read.").arg(copy));
    // The current files are kept aside under one name, with their -wal and -shm renamed to
    // match, so that what they hold can still be opened if the restore was a mistake.
    const QString aside = dbConfig().dbFolder() + QLatin1Char('/') + name + QStringLiteral(".before-restore-") +
                          now.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".db");
    if (QFile::exists(live)) {
        std::error_code ec;
        std::filesystem::rename(live.toStdString(), aside.toStdString(), ec);
        if (ec) {
            QFile::remove(part);
            throw DbError(QString::fromStdString(ec.message()));
        }
        for (const char* side : {"-wal", "-shm"}) {
            const QString f = live + QLatin1String(side);
            if (QFile::exists(f))
                std::filesystem::rename(f.toStdString(), (aside + QLatin1String(side)).toStdString(), ec);
        }
    }
    std::error_code ec;
    std::filesystem::rename(part.toStdString(), live.toStdString(), ec);
    if (ec) throw DbError(QString::fromStdString(ec.message()));
    // Brings an older copy up to this version at once.
    QSqlDatabase db = open(name);
    close(db);
    return aside;
}

void reopen(QSqlDatabase& db) {
    Sql::forget(db);
    db.close();
    if (!db.open()) throw DbError::of(db.lastError());
    sessionSettings(db);
}

namespace {
// Advisory lock classes (first key); the second key is 0, the workstation or the screen.
constexpr int kOpenClass = 0x4B560001;
constexpr int kDeskClass = 0x4B560002;
constexpr int kScreenClass = 0x4B560003;
constexpr int kWaitForAloneMs = 20000;
}  // namespace

struct PresenceFiles {
    std::unique_ptr<FileLock> open;
    std::unique_ptr<FileLock> desk;
    QHash<QString, std::shared_ptr<FileLock>> screens;
};

QString Presence::lockFile(const QString& what) const {
    return dbConfig().dbFolder() + QStringLiteral("/locks/") + name_ + QLatin1Char('.') + what +
           QStringLiteral(".lock");
}

Presence::Presence(const QString& name) : name_(name), pg_(dbConfig().isPg()), files_(new PresenceFiles) {
    checkName(name);
    if (pg_) keeper_ = rawOpen(pgName(name), {});
    try {
        takeOpen();
    } catch (...) {
        if (pg_) rawClose(keeper_);
        throw;
    }
}

Presence::~Presence() {
    if (pg_ && keeper_.isValid()) rawClose(keeper_);  // the server drops every advisory lock with the session
    files_.reset();
}

void Presence::takeOpen() {
    // A program that has the database to itself (compaction, restore) is waited for a while.
    for (int waited = 0;; waited += 250) {
        bool ok = false;
        if (pg_)
            ok =
                Sql::scalar(keeper_, QStringLiteral("select pg_try_advisory_lock_shared(?, 0)"), {kOpenClass}).toBool();
        else {
            files_->open = std::make_unique<FileLock>(lockFile(QStringLiteral("open")));
            ok = files_->open->tryLock(true);
        }
        if (ok) return;
        if (waited >= kWaitForAloneMs)
            throw DbError(
                QStringLiteral("The database is being compacted or restored at another workstation. "
                               "Try again in a few minutes."));
        QThread::msleep(250);
    }
}

bool Presence::pgLock(const char* fn, int cls, const QVariant& key, bool hashed) {
    const QString k = hashed ? QStringLiteral("hashtext(lower(?))") : QStringLiteral("?::int");
    return Sql::scalar(keeper_, QStringLiteral("select %1(?, %2)").arg(QString::fromLatin1(fn), k), {cls, key})
        .toBool();
}

bool Presence::claimDesk(qint64 sysId) {
    if (desk_ == sysId) return true;
    bool ok = false;
    if (pg_) {
        ok = pgLock("pg_try_advisory_lock", kDeskClass, sysId, false);
    } else {
        auto lock = std::make_unique<FileLock>(lockFile(QStringLiteral("desk-%1").arg(sysId)));
        ok = lock->tryLock();
        if (ok) files_->desk = std::move(lock);
    }
    if (ok) desk_ = sysId;
    return ok;
}

bool Presence::deskAlive(qint64 sysId) {
    if (sysId == desk_) return true;
    if (!pg_) return FileLock::heldByAnyone(lockFile(QStringLiteral("desk-%1").arg(sysId)));
    return Sql::any(keeper_,
                    QStringLiteral("select 1 from pg_locks where locktype='advisory' and granted and objsubid=2 and "
                                   "database=(select oid from pg_database where datname=current_database()) and "
                                   "classid=?::bigint::oid and objid=?::bigint::oid"),
                    {kDeskClass, sysId});
}

bool Presence::holdScreen(const QString& screen) {
    const QString key = screen.toLower();
    if (screens_.contains(key)) return true;
    bool ok = false;
    if (pg_) {
        ok = pgLock("pg_try_advisory_lock", kScreenClass, key, true);
    } else {
        checkName(screen);
        auto lock = std::make_shared<FileLock>(lockFile(QStringLiteral("screen-") + key));
        ok = lock->tryLock();
        if (ok) files_->screens.insert(key, lock);
    }
    if (ok) screens_.insert(key);
    return ok;
}

void Presence::releaseScreen(const QString& screen) {
    const QString key = screen.toLower();
    if (!screens_.remove(key)) return;
    if (pg_)
        pgLock("pg_advisory_unlock", kScreenClass, key, true);
    else
        files_->screens.remove(key);
}

int Presence::othersOpen() {
    if (pg_)
        return Sql::scalar(keeper_,
                           QStringLiteral("select count(*) from pg_locks where locktype='advisory' and granted and "
                                          "objsubid=2 and database=(select oid from pg_database where "
                                          "datname=current_database()) and classid=?::bigint::oid and objid=0 and "
                                          "pid<>pg_backend_pid()"),
                           {kOpenClass})
            .toInt();
    if (files_->open->tryLock(false)) {
        files_->open->tryLock(true);
        return 0;
    }
    takeOpen();
    return 1;  // at least one; the file lock does not count its holders
}

bool Presence::takeAlone() {
    if (pg_) return othersOpen() == 0;
    if (files_->open->tryLock(false)) return true;
    takeOpen();
    return false;
}

void Presence::share() {
    if (!pg_ && !files_->open->tryLock(true)) takeOpen();
}

bool Presence::connected() {
    if (!pg_) return true;
    QSqlQuery q(keeper_);
    return q.exec(QStringLiteral("select 1")) && q.next();
}

QStringList Presence::reconnect() {
    if (!pg_) return {};
    rawClose(keeper_);
    keeper_ = rawOpen(pgName(name_), {});
    takeOpen();
    if (desk_ && !pgLock("pg_try_advisory_lock", kDeskClass, desk_, false))
        throw DbError(
            QStringLiteral("Another copy of Kavra took this workstation's place while the connection "
                           "was lost."));
    QStringList lost;
    const QSet<QString> held = screens_;
    for (const QString& key : held) {
        if (!pgLock("pg_try_advisory_lock", kScreenClass, key, true)) {
            screens_.remove(key);
            lost << key;
        }
    }
    return lost;
}

}  // namespace Db
}  // namespace kavra
