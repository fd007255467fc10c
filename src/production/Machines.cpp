#include "production/Machines.h"

#include <QSqlQuery>

#include "core/Sql.h"

namespace kavra::Machines {

namespace {

QString blankIfEmpty(const QString& s) {
    return s.trimmed().isEmpty() ? QStringLiteral(" ") : s.trimmed();
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select MachId from Machine order by MachId"));
}

QStringList names(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select MachName from Machine order by MachName"));
}

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("Machine"), QStringLiteral("MachId"));
}

std::optional<Machine> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select MachId, MachName, MachModel, MachCapa, MachAccu, OtherDet from Machine where MachId=?"),
        {id});
    if (!q.next()) return std::nullopt;
    Machine m;
    Sql::readRow(q, m.id, Sql::trimmed(m.name), Sql::trimmed(m.model), Sql::trimmed(m.capacity),
                 Sql::trimmed(m.accuracy), Sql::trimmed(m.otherDet));
    return m;
}

std::optional<qint64> idOfName(QSqlDatabase& db, const QString& name) {
    const QVariant v = Sql::scalar(db, QStringLiteral("select MachId from Machine where MachName=?"), {name.trimmed()});
    if (!v.isValid() || v.isNull()) return std::nullopt;
    return v.toLongLong();
}

Check validate(QSqlDatabase& db, const Machine& m, bool adding) {
    if (m.name.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtMachName"), QStringLiteral("Please Enter the Machine Name ....."));
    if (Sql::any(db, QStringLiteral("select 1 from Machine where MachName=? and MachId<>?"),
                 {m.name.trimmed(), adding ? 0 : m.id}))
        return Refusal::at(QStringLiteral("txtMachName"), QStringLiteral("An Entry Already Exists... Try Another!"));
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Machine& m, bool adding) {
    enforce(validate(db, m, adding));
    qint64 id = m.id;
    const QVariantList values{m.name.trimmed(), blankIfEmpty(m.model), blankIfEmpty(m.capacity),
                              blankIfEmpty(m.accuracy), blankIfEmpty(m.otherDet)};
    if (adding) {
        if (id <= 0 || Sql::any(db, QStringLiteral("select 1 from Machine where MachId=?"), {id}))
            id = Sql::nextId(db, QStringLiteral("Machine"), QStringLiteral("MachId"));
        Sql::exec(db,
                  QStringLiteral("insert into Machine (MachName, MachModel, MachCapa, MachAccu, OtherDet, MachId) "
                                 "values (?,?,?,?,?,?)"),
                  values + QVariantList{id});
    } else {
        Sql::exec(db,
                  QStringLiteral("update Machine set MachName=?, MachModel=?, MachCapa=?, MachAccu=?, OtherDet=? "
                                 "where MachId=?"),
                  values + QVariantList{id});
    }
    return id;
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    if (Sql::any(db, QStringLiteral("select 1 from DailyProd where Machine=?"), {id}))
        return Refusal::message(QStringLiteral(
            "This record cannot be deleted, Since this Machine Name is being used in 'Production Log' Screen !!!"));
    if (Sql::any(db, QStringLiteral("select 1 from BrkDown where MachId=?"), {id}))
        return Refusal::message(
            QStringLiteral("This record cannot be deleted, Since this Machine Name is being used in 'Breakdown "
                           "Maintenance' Screen !!!"));
    return std::nullopt;
}

void remove(QSqlDatabase& db, qint64 id) {
    enforce(deleteBlock(db, id));
    Sql::exec(db, QStringLiteral("delete from MaintainSch where MachId=?"), {id});
    Sql::exec(db, QStringLiteral("delete from Machine where MachId=?"), {id});
}

}  // namespace kavra::Machines
