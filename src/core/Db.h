#pragma once
// Where the databases live and the few places where SQLite and PostgreSQL differ.
// Each logical database ("DBStart", "DB2026_27", "tarka", "tarkaISO2026_27") is a
// file DataBase/<name>.db beside the program, or a database <prefix><name> (lower
// case) on a PostgreSQL server.
#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>

#include "data/Schema.h"

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
    // An engine text that says the server went away is replaced by a plain sentence, and
    // the loss is noted for the main window (Db::takeLostNotice).
    explicit DbError(const QString& text, int number = 0, const QString& code = {});
    const QString& text() const { return text_; }
    int number() const { return number_; }
    // The engine's own code: SQLSTATE on PostgreSQL ("40P01"), the result code on SQLite ("5").
    const QString& code() const { return code_; }
    // A failure as the driver reported it, with the engine's code kept for the retry rule.
    static DbError of(const QSqlError& e) {
        return DbError(e.text(), e.nativeErrorCode().toInt(), e.nativeErrorCode());
    }
    // The connection to the server is gone (restarted, stopped, network down).
    bool lost() const { return lost_; }

  private:
    QString text_;
    int number_;
    QString code_;
    bool lost_ = false;
};

namespace Db {

// Whether a connection was found lost since the last call; clears the note.
bool takeLostNotice();
// Opens a connection made by open() again in place (after the server came back).
void reopen(QSqlDatabase& db);

struct PresenceFiles;

// What a running program holds on a company database so that every other program can tell
// it is alive: a shared hold for as long as it has the database open, an exclusive one on its
// own workstation and one on each screen it works in. PostgreSQL: session advisory locks on
// a connection of its own; SQLite: locks on files in DataBase/locks. Either way the holds end
// with the program, however it ends, so a crashed desk never locks anyone out.
class Presence {
  public:
    // Throws DbError when the database stays taken by one program alone (compaction, restore).
    explicit Presence(const QString& name);
    ~Presence();
    Presence(const Presence&) = delete;
    Presence& operator=(const Presence&) = delete;

    const QString& name() const { return name_; }
    // This workstation's own hold; false when another running program has it.
    bool claimDesk(qint64 sysId);
    qint64 desk() const { return desk_; }
    // Whether a running program holds that workstation (this one included).
    bool deskAlive(qint64 sysId);
    // The screen for this program alone; true when held (now or already).
    bool holdScreen(const QString& screen);
    void releaseScreen(const QString& screen);
    bool holds(const QString& screen) const { return screens_.contains(screen.toLower()); }
    // How many other running programs have the database open.
    int othersOpen();
    // The database for this program alone: true when no other program has it open, and then
    // no other can open it until share().
    bool takeAlone();
    void share();
    // Whether the server still answers (always on SQLite).
    bool connected();
    // After a lost connection: connects again and takes every hold back. Returns the screens
    // another program took meanwhile (no longer held). Throws DbError when the server cannot
    // be reached or another program took this workstation.
    QStringList reconnect();

  private:
    QString lockFile(const QString& what) const;
    bool pgLock(const char* fn, int cls, const QVariant& key, bool hashed);
    void takeOpen();

    QString name_;
    qint64 desk_ = 0;
    QSet<QString> screens_;  // lower case
    bool pg_ = false;
    QSqlDatabase keeper_;
    std::unique_ptr<PresenceFiles> files_;
};

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
// Brings the planner's statistics up to date: PRAGMA optimize on SQLite (cheap when
// nothing changed much), ANALYZE on PostgreSQL.
void optimize(QSqlDatabase& db);
// Writes a self-contained SQLite copy of the database to filePath, of one moment (one
// snapshot) even while others write. The copy is not checked: see checkCopy.
void copyToFile(const QString& name, const QString& filePath);
// "" when the SQLite file is a sound database of that kind that this version can open;
// otherwise what is wrong. full runs the complete integrity check, else the quick one.
QString checkCopy(const QString& file, data::DbKind kind, bool full);
// Puts a checked copy in place of the database, keeping the current files aside (returned:
// the name they were kept under). The database must have no connection in any program.
QString restore(const QString& name, const QString& copy, const QDateTime& now);

// Copies every row of table from src to dst (columns both have).
void copyRows(QSqlDatabase& src, QSqlDatabase& dst, const QString& table);
// The tables of a connection, in lower case.
QStringList tables(QSqlDatabase& db);
// Every table with its columns and the named indexes, one sorted line each, in lower case:
// two databases built by different routes compare equal exactly when their schemas do.
QStringList schemaOutline(QSqlDatabase& db);

}  // namespace Db
}  // namespace kavra
