#pragma once
// The employees. The number is the user's, proposed as the highest + 1; a second employee of
// the same name is allowed once the user agrees. An employee the production log, attendance,
// salaries or loans name is never deleted: marked as left on that day, and revoked back to
// the current list on request.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"

namespace kavra::Employees {

struct Employee {
    qint64 id = 0;
    QString name, fatherName, sex, addr, city, phmail, desig, dept;  // sex: "Male", "Female" or ""
    QDate doj, dol;                                                  // dol empty while employed
    QString pfCode, esiCode, otherDet;
    bool current = true;
    Money oldBalance;  // salary balance carried to the next month
};

// Everyone, current or left, by number: the screen's navigation.
QList<qint64> ids(QSqlDatabase& db);
// The current employees by number, as the list shows them.
QList<std::pair<qint64, QString>> currentList(QSqlDatabase& db);
// The values already used, offered by the designation and department boxes.
QStringList designations(QSqlDatabase& db);
QStringList departments(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Employee> load(QSqlDatabase& db, qint64 id);
// The field checks in order, and the number taken by another employee.
Check validate(QSqlDatabase& db, const Employee& e, bool adding);
// Another employee of the same name (case aside), to ask about before saving.
std::optional<qint64> sameName(QSqlDatabase& db, const Employee& e);
// Inside the caller's transaction; the checks run again there.
void save(QSqlDatabase& db, const Employee& e, bool adding);
// Whether any record names the employee.
bool inUse(QSqlDatabase& db, qint64 id);
// Deletes the employee, or marks them as left on the day when a record names them. Returns
// whether the row was kept.
bool remove(QSqlDatabase& db, qint64 id, const QDate& day);
// Back to the current list.
void revoke(QSqlDatabase& db, qint64 id);

}  // namespace kavra::Employees
