#pragma once
// The plant's machines. Names are unique without regard to case; a machine the production
// log or the breakdown log names cannot be deleted, otherwise its schedules go with it.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Refusal.h"

namespace kavra::Machines {

struct Machine {
    qint64 id = 0;
    QString name, model, capacity, accuracy, otherDet;
};

QList<qint64> ids(QSqlDatabase& db);
QStringList names(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Machine> load(QSqlDatabase& db, qint64 id);
std::optional<qint64> idOfName(QSqlDatabase& db, const QString& name);
Check validate(QSqlDatabase& db, const Machine& m, bool adding);
qint64 save(QSqlDatabase& db, const Machine& m, bool adding);
Check deleteBlock(QSqlDatabase& db, qint64 id);
void remove(QSqlDatabase& db, qint64 id);

}  // namespace kavra::Machines
