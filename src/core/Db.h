#pragma once
// Where the databases live and the few places where SQLite and PostgreSQL differ.
// Each logical database ("DBStart", "DB2026_27", "tarka", "tarkaISO2026_27") is a
// file DataBase/<name>.db beside the program, or a database <prefix><name> (lower
// case) on a PostgreSQL server.
#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

namespace kavra {

enum class Engine { SQLite, PostgreSQL };

struct DbConfig {
    Engine engine = Engine::SQLite;
    QString programDir;  // holds DataBase/ and DB_BKUP/
    QString host;        // PostgreSQL: host name, address or socket folder
    int port = 5432;
    QString user;
    QString password;
    QString prefix = QStringLiteral("kavra_");  // PostgreSQL database name prefix

    QString dbFolder() const { return programDir + QStringLiteral("/DataBase"); }
    QString backupFolder() const { return programDir + QStringLiteral("/DB_BKUP"); }
    bool isPg() const { return engine == Engine::PostgreSQL; }

    // --server host[:port] --db-user u --db-password p --db-prefix x, or the
    // environment variables KAVRA_SERVER, KAVRA_DB_USER, KAVRA_DB_PASSWORD, KAVRA_DB_PREFIX.
    // Returns an error text for a malformed option, else "".
    QString parse(const QStringList& args);
};

// The process-wide configuration, set once at start.
DbConfig& dbConfig();

class DbError : public std::runtime_error {
  public:
    explicit DbError(const QString& text, int number = 0, const QString& code = {})
        : std::runtime_error(text.toStdString()), text_(text), number_(number), code_(code) {}
    const QString& text() const { return text_; }
    int number() const { return number_; }
    // The engine's own code: SQLSTATE on PostgreSQL ("40P01"), the result code on SQLite ("5").
    const QString& code() const { return code_; }
    // A failure as the driver reported it, with the engine's code kept for the retry rule.
    static DbError of(const QSqlError& e) {
        return DbError(e.text(), e.nativeErrorCode().toInt(), e.nativeErrorCode());
    }

  private:
    QString text_;
    int number_;
    QString code_;
};

namespace Db {

// Opens a new connection to the named database (which must exist).
// Throws DbError with the engine's description on failure.
QSqlDatabase open(const QString& name);
// Closes and removes a connection made by open().
void close(QSqlDatabase& db);

bool exists(const QString& name);
// Creates an empty database (file or server database). Throws DbError.
void create(const QString& name);
// Removes a database; used by tests and by compaction's swap.
void drop(const QString& name);
QString filePath(const QString& name);

// Schema text with the dialect placeholders {NAME} (text compared without regard
// to case), {COUNTER} (auto-numbered key), {BLOB} replaced.
QString ddl(const QString& sql, Engine engine);

// Dates and times are bound and stored as "yyyy-MM-dd HH:mm:ss" text on SQLite
// and as timestamps on PostgreSQL; both compare correctly.
QVariant ts(const QDateTime& dt);
QVariant day(const QDate& d);
QDateTime toDateTime(const QVariant& v);
QDate toDate(const QVariant& v);

// Starts a write transaction that queues behind every other writer of the database, at
// any desk: SQLite takes its write lock at once (BEGIN IMMEDIATE); PostgreSQL takes one
// transaction-scoped advisory lock, so the reads a save checks cannot change under it.
void beginWrite(QSqlDatabase& db);
// A failure that running the same transaction again may cure: a deadlock, a serialization
// failure, a busy or locked database, or a key taken at the same moment.
bool transient(const DbError& e);

// Rebuilds the database without wasted space. SQLite: VACUUM INTO a temporary file,
// checked, then swapped in; no connection to it may be open. PostgreSQL: VACUUM.
void compact(const QString& name);
// Writes a self-contained SQLite copy of the database to filePath.
void copyToFile(const QString& name, const QString& filePath);

// Copies every row of table from src to dst (columns both have).
void copyRows(QSqlDatabase& src, QSqlDatabase& dst, const QString& table);
// The tables of a connection, in lower case.
QStringList tables(QSqlDatabase& db);
// Every table with its columns and the named indexes, one sorted line each, in lower case:
// two databases built by different routes compare equal exactly when their schemas do.
QStringList schemaOutline(QSqlDatabase& db);

}  // namespace Db
}  // namespace kavra
