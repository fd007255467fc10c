#include "production/Breakdowns.h"

#include <QSqlQuery>

#include "core/Sql.h"

namespace kavra::Breakdowns {

namespace {

QString blankIfEmpty(const QString& s) {
    return s.trimmed().isEmpty() ? QStringLiteral(" ") : s.trimmed();
}

const QString kColumns = QStringLiteral("b.Id, b.BrkDate, b.MachId, b.BrkFrom, b.Brkto, b.BrkDet, b.DetCorrect, b.Amt");

Breakdown readRow(const QSqlQuery& q) {
    Breakdown b;
    Sql::readRow(q, b.id, b.date, b.machId, b.from, b.to, Sql::trimmed(b.details), Sql::trimmed(b.corrective),
                 b.amount);
    return b;
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select Id from BrkDown order by Id"));
}

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("BrkDown"), QStringLiteral("Id"));
}

std::optional<Breakdown> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select %1 from BrkDown b where b.Id=?").arg(kColumns), {id});
    if (!q.next()) return std::nullopt;
    return readRow(q);
}

Check validate(const Breakdown& b) {
    if (b.machId <= 0) return Refusal::at(QStringLiteral("cmbMachine"), QStringLiteral("Please select a Machine....."));
    if (b.details.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtBrkDet"), QStringLiteral("Please Enter the Break Down Details....."));
    if (b.from.isValid() && b.to.isValid() && b.to < b.from)
        return Refusal::at(QStringLiteral("dtpBrkTo"),
                           QStringLiteral("The machine cannot be recovered before the Breakdown happened!!!"));
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Breakdown& b, bool adding) {
    enforce(validate(b));
    qint64 id = b.id;
    const QVariantList values{
        Db::day(b.date), b.machId, Db::ts(b.from), Db::ts(b.to), blankIfEmpty(b.details), blankIfEmpty(b.corrective),
        b.amount.toDb()};
    if (adding) {
        if (id <= 0 || Sql::any(db, QStringLiteral("select 1 from BrkDown where Id=?"), {id}))
            id = Sql::nextId(db, QStringLiteral("BrkDown"), QStringLiteral("Id"));
        Sql::exec(db,
                  QStringLiteral("insert into BrkDown (BrkDate, MachId, BrkFrom, Brkto, BrkDet, DetCorrect, Amt, Id) "
                                 "values (?,?,?,?,?,?,?,?)"),
                  values + QVariantList{id});
    } else {
        Sql::exec(db,
                  QStringLiteral("update BrkDown set BrkDate=?, MachId=?, BrkFrom=?, Brkto=?, BrkDet=?, DetCorrect=?, "
                                 "Amt=? where Id=?"),
                  values + QVariantList{id});
    }
    return id;
}

void remove(QSqlDatabase& db, qint64 id) {
    Sql::exec(db, QStringLiteral("delete from BrkDown where Id=?"), {id});
}

QString timeSpent(const QDateTime& from, const QDateTime& to) {
    if (!from.isValid() || !to.isValid()) return {};
    const qint64 minutes = std::max<qint64>(0, from.secsTo(to) / 60);
    return QString::number(minutes / 60) + QStringLiteral(" Hrs. ") + QString::number(minutes % 60) +
           QStringLiteral(" Mins");
}

QList<HistoryRow> history(QSqlDatabase& db, const QDate& from, const QDate& to, qint64 machId) {
    QString sql = QStringLiteral(
                      "select %1, m.MachName from BrkDown b left join Machine m on m.MachId=b.MachId where "
                      "b.BrkDate>=? and b.BrkDate<=?")
                      .arg(kColumns);
    QVariantList params{Db::day(from), Db::day(to)};
    if (machId > 0) {
        sql += QStringLiteral(" and b.MachId=?");
        params << machId;
    }
    QSqlQuery q = Sql::exec(db, sql + QStringLiteral(" order by b.Id"), params);
    QList<HistoryRow> out;
    while (q.next()) out.push_back({readRow(q), q.value(8).toString().trimmed()});
    return out;
}

QString printTitle(const QDate& from, const QDate& to) {
    return QStringLiteral("Breakdown History/Details Between the Period  ") +
           from.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" and ") +
           to.toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace kavra::Breakdowns
