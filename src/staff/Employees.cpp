#include "staff/Employees.h"

#include <QSqlQuery>

#include "core/Sql.h"

namespace kavra::Employees {

namespace {

QVariant textOrNull(const QString& s) {
    return s.trimmed().isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(s.trimmed());
}

QStringList usedValues(QSqlDatabase& db, const char* column) {
    return Sql::texts(db, QStringLiteral("select distinct %1 from Staff where %1 is not null and trim(%1)<>'' order "
                                         "by %1")
                              .arg(QString::fromLatin1(column)));
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select StaffId from Staff order by StaffId"));
}

QList<std::pair<qint64, QString>> currentList(QSqlDatabase& db) {
    QList<std::pair<qint64, QString>> out;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select StaffId, StaffName from Staff where StatusC = TRUE order by "
                                               "StaffId"));
    while (q.next()) out.append({q.value(0).toLongLong(), q.value(1).toString().trimmed()});
    return out;
}

QStringList designations(QSqlDatabase& db) {
    return usedValues(db, "Desig");
}

QStringList departments(QSqlDatabase& db) {
    return usedValues(db, "Dept");
}

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("Staff"), QStringLiteral("StaffId"));
}

std::optional<Employee> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select StaffId, StaffName, FatherHusbName, Sex, Addr, city, phmail, Desig, "
                                           "Dept, DOJ, DOL, pfcodeNo, ESIcodeNo, OtherDet, StatusC, payoldbal from "
                                           "Staff where StaffId=?"),
                            {id});
    if (!q.next()) return std::nullopt;
    Employee e;
    Sql::readRow(q, e.id, Sql::trimmed(e.name), Sql::trimmed(e.fatherName), Sql::trimmed(e.sex), Sql::trimmed(e.addr),
                 Sql::trimmed(e.city), Sql::trimmed(e.phmail), Sql::trimmed(e.desig), Sql::trimmed(e.dept), e.doj,
                 e.dol, Sql::trimmed(e.pfCode), Sql::trimmed(e.esiCode), Sql::trimmed(e.otherDet), e.current,
                 e.oldBalance);
    return e;
}

Check validate(QSqlDatabase& db, const Employee& e, bool adding) {
    if (e.id <= 0)
        return Refusal::at(QStringLiteral("txtStaffId"), QStringLiteral("Please Enter the  Employee ID....."));
    if (e.name.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtStaffName"), QStringLiteral("Please Enter the  Employee Name....."));
    if (e.desig.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("cmbDesig"), QStringLiteral("Please Enter the designation....."));
    if (e.sex != QLatin1String("Male") && e.sex != QLatin1String("Female"))
        return Refusal::at(QStringLiteral("optMale"), QStringLiteral("Please Select the Sex as Male/Female..."));
    if (adding && Sql::any(db, QStringLiteral("select 1 from Staff where StaffId=?"), {e.id}))
        return Refusal::at(QStringLiteral("txtStaffId"), QStringLiteral("An Entry Already Exists...Try Another!"));
    return std::nullopt;
}

std::optional<qint64> sameName(QSqlDatabase& db, const Employee& e) {
    const QVariant v = Sql::scalar(db,
                                   QStringLiteral("select StaffId from Staff where StaffName=? and StaffId<>? order "
                                                  "by StaffId"),
                                   {e.name.trimmed(), e.id});
    if (!v.isValid() || v.isNull()) return std::nullopt;
    return v.toLongLong();
}

void save(QSqlDatabase& db, const Employee& e, bool adding) {
    enforce(validate(db, e, adding));
    const QVariantList values{e.name.trimmed(),
                              textOrNull(e.fatherName),
                              e.sex,
                              textOrNull(e.addr),
                              textOrNull(e.city),
                              textOrNull(e.phmail),
                              e.desig.trimmed(),
                              textOrNull(e.dept),
                              Db::day(e.doj),
                              textOrNull(e.pfCode),
                              textOrNull(e.esiCode),
                              textOrNull(e.otherDet),
                              e.id};
    if (adding)
        Sql::exec(db,
                  QStringLiteral("insert into Staff (StaffName, FatherHusbName, Sex, Addr, city, phmail, Desig, Dept, "
                                 "DOJ, pfcodeNo, ESIcodeNo, OtherDet, StaffId, StatusC) values "
                                 "(?,?,?,?,?,?,?,?,?,?,?,?,?,TRUE)"),
                  values);
    else
        Sql::exec(db,
                  QStringLiteral("update Staff set StaffName=?, FatherHusbName=?, Sex=?, Addr=?, city=?, phmail=?, "
                                 "Desig=?, Dept=?, DOJ=?, pfcodeNo=?, ESIcodeNo=?, OtherDet=? where StaffId=?"),
                  values);
}

bool inUse(QSqlDatabase& db, qint64 id) {
    return Sql::any(db,
                    QStringLiteral("select 1 from DailyProd where Staff=? union all select 1 from Attendance where "
                                   "StaffId=? union all select 1 from Salary where StaffId=? union all select 1 from "
                                   "StaffLoan where StaffId=?"),
                    {id, id, id, id});
}

bool remove(QSqlDatabase& db, qint64 id, const QDate& day) {
    if (inUse(db, id)) {
        Sql::exec(db, QStringLiteral("update Staff set StatusC=FALSE, DOL=? where StaffId=?"), {Db::day(day), id});
        return true;
    }
    Sql::exec(db, QStringLiteral("delete from Staff where StaffId=?"), {id});
    return false;
}

void revoke(QSqlDatabase& db, qint64 id) {
    Sql::exec(db, QStringLiteral("update Staff set DOL=NULL, StatusC=TRUE where StaffId=?"), {id});
}

}  // namespace kavra::Employees
