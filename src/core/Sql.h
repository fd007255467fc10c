#pragma once
// Bound-parameter query helpers; every failure becomes a DbError with the engine's text.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <QVariantList>
#include <functional>

#include "core/Db.h"

namespace kavra::Sql {

QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// First column of the first row; an invalid QVariant when there is no row.
QVariant scalar(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
bool any(QSqlDatabase& db, const QString& sql, const QVariantList& params = {});
// Highest value of an integer column + 1 (1 on an empty table).
qint64 nextId(QSqlDatabase& db, const QString& table, const QString& column);
// Runs work inside one transaction: committed when it returns, rolled back when it throws.
void transaction(QSqlDatabase& db, const std::function<void()>& work);

}  // namespace kavra::Sql
