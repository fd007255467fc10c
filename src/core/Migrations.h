#pragma once
#include <QSqlDatabase>

#include "core/Db.h"
#include "data/Schema.h"

namespace kavra::Migrations {

using data::DbKind;

DbKind kindOf(const QString& dbName);
// Brings the database up to the newest schema version, one migration per transaction.
void upgrade(QSqlDatabase& db, DbKind kind);
// maxVersion stops early (tests build an older database this way); 0 means the newest.
void upgradeWith(QSqlDatabase& db, DbKind kind, Engine engine, int maxVersion = 0);
// 0 for a database never migrated.
int version(QSqlDatabase& db);
int latest(DbKind kind);
// Fingerprint of one step's statements, stored when applied and compared on every open.
QString checksum(const data::Migration& m);

}  // namespace kavra::Migrations
