#include "core/Migrations.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include "core/Sql.h"

namespace kavra::Migrations {

DbKind kindOf(const QString& name) {
    if (name.compare(QLatin1String("DBStart"), Qt::CaseInsensitive) == 0) return DbKind::Start;
    if (name.compare(QLatin1String("tarka"), Qt::CaseInsensitive) == 0) return DbKind::Attachments;
    if (name.startsWith(QLatin1String("tarkaISO"), Qt::CaseInsensitive)) return DbKind::Iso;
    return DbKind::Company;
}

int version(QSqlDatabase& db) {
    if (!Db::tables(db).contains(QStringLiteral("schemaversion"))) return 0;
    const QVariant v = Sql::scalar(db, QStringLiteral("select max(Version) from SchemaVersion"));
    return v.isNull() ? 0 : v.toInt();
}

int latest(DbKind kind) {
    const auto& all = data::migrations(kind);
    return all.empty() ? 0 : all.back().version;
}

QString checksum(const data::Migration& m) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArray::number(m.version));
    for (const QString& st : m.statements) {
        h.addData(QByteArrayView("\n"));
        h.addData(st.toUtf8());
    }
    return QString::fromLatin1(h.result().toHex().left(16));
}

namespace {

// A step already applied must be the step this program would apply: an edited one would
// leave this database different from a new one without anybody knowing. Returns false when
// a fingerprint is still to be written (a database from before they were kept).
bool verifyApplied(QSqlDatabase& db, DbKind kind, bool fill) {
    // In lower case, as the server keeps an unquoted name.
    if (db.record(QStringLiteral("schemaversion")).indexOf(QStringLiteral("Checksum")) < 0) {
        if (!fill) return false;
        Sql::exec(db, QStringLiteral("ALTER TABLE SchemaVersion ADD COLUMN Checksum TEXT"));
    }
    QHash<int, QString> stored;
    {
        QSqlQuery q = Sql::exec(db, QStringLiteral("select Version, Checksum from SchemaVersion"));
        while (q.next()) stored.insert(q.value(0).toInt(), q.value(1).toString());
    }
    bool complete = true;
    for (const data::Migration& m : data::migrations(kind)) {
        auto it = stored.constFind(m.version);
        if (it == stored.constEnd()) continue;
        const QString want = checksum(m);
        if (it->isEmpty()) {
            complete = false;
            if (fill)
                Sql::exec(db, QStringLiteral("update SchemaVersion set Checksum=? where Version=?"), {want, m.version});
        } else if (*it != want) {
            throw DbError(QStringLiteral("This database was built by another edition of schema step %1 (%2). "
                                         "It is left as it is; use the program that built it.")
                              .arg(m.version)
                              .arg(m.name));
        }
    }
    return complete;
}

// "ALTER TABLE t ADD COLUMN IF NOT EXISTS c ...": a column two steps may both bring, in
// whichever order they land. The server knows the phrase; SQLite is asked first.
void apply(QSqlDatabase& db, const QString& statement, Engine engine) {
    static const QRegularExpression ifMissing(QStringLiteral("^ALTER TABLE (\\w+) ADD COLUMN IF NOT EXISTS (\\w+) "),
                                              QRegularExpression::CaseInsensitiveOption);
    const QString st = Db::ddl(statement, engine);
    const QRegularExpressionMatch m = ifMissing.match(st);
    if (!m.hasMatch() || engine == Engine::PostgreSQL) {
        Sql::exec(db, st);
        return;
    }
    if (db.record(m.captured(1)).indexOf(m.captured(2)) >= 0) return;
    Sql::exec(db, QString(st).replace(QStringLiteral(" IF NOT EXISTS "), QStringLiteral(" ")));
}

}  // namespace

void upgrade(QSqlDatabase& db, DbKind kind) {
    upgradeWith(db, kind, dbConfig().engine);
}

void upgradeWith(QSqlDatabase& db, DbKind kind, Engine engine, int maxVersion) {
    const int target = maxVersion > 0 ? maxVersion : latest(kind);
    // Each step runs under the write lock every desk takes (Sql::transaction) and reads the
    // version again there, so desks opening an older database together upgrade it once.
    if (!Db::tables(db).contains(QStringLiteral("schemaversion")))
        Sql::transaction(db, [&] {
            Sql::exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS SchemaVersion (Version INTEGER NOT NULL, "
                                         "Name TEXT, AppliedAt TEXT, Checksum TEXT)"));
        });
    // Filling in fingerprints is a write, queued the same way.
    if (!verifyApplied(db, kind, false)) Sql::transaction(db, [&] { verifyApplied(db, kind, true); });
    // Steps are numbered by who takes them, not by when they land: a lower number merged
    // after a higher one was applied still runs, so each step is looked up by its own number.
    auto applied = [&](int v) {
        return Sql::any(db, QStringLiteral("select 1 from SchemaVersion where Version=?"), {v});
    };
    bool missing = false;
    for (const data::Migration& m : data::migrations(kind))
        if (m.version <= target && !applied(m.version)) missing = true;
    if (!missing) return;
    for (const data::Migration& m : data::migrations(kind)) {
        if (m.version > target) break;
        Sql::transaction(db, [&] {
            if (applied(m.version)) return;
            for (const QString& st : m.statements) apply(db, st, engine);
            Sql::exec(db,
                      QStringLiteral("insert into SchemaVersion (Version, Name, AppliedAt, Checksum) "
                                     "values (?, ?, ?, ?)"),
                      {m.version, m.name, QDateTime::currentDateTime().toString(Qt::ISODate), checksum(m)});
        });
    }
}

}  // namespace kavra::Migrations
