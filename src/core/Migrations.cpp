#include "core/Migrations.h"

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

void upgrade(QSqlDatabase& db, DbKind kind) {
    upgradeWith(db, kind, dbConfig().engine);
}

void upgradeWith(QSqlDatabase& db, DbKind kind, Engine engine, int maxVersion) {
    const int target = maxVersion > 0 ? maxVersion : latest(kind);
    if (version(db) >= target) return;
    if (!Db::tables(db).contains(QStringLiteral("schemaversion")))
        Sql::exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS SchemaVersion (Version INTEGER NOT NULL, "
                                     "Name TEXT, AppliedAt TEXT)"));
    for (const data::Migration& m : data::migrations(kind)) {
        if (m.version > target) break;
        Sql::transaction(db, [&] {
            // Read again inside the transaction: another workstation may have just upgraded.
            const QVariant cur = Sql::scalar(db, QStringLiteral("select max(Version) from SchemaVersion"));
            if (!cur.isNull() && cur.toInt() >= m.version) return;
            for (const QString& st : m.statements) Sql::exec(db, Db::ddl(st, engine));
            Sql::exec(db, QStringLiteral("insert into SchemaVersion (Version, Name, AppliedAt) values (?, ?, ?)"),
                      {m.version, m.name, QDateTime::currentDateTime().toString(Qt::ISODate)});
        });
    }
}

}  // namespace kavra::Migrations
