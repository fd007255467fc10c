#pragma once
// The company's own bank accounts: name and account number, the opening balance (a debit
// when overdrawn) and the overdraft limit shown beside the balance. A bank any entry or
// bank transaction names cannot be deleted.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"

namespace kavra::Banks {

struct Bank {
    qint64 id = 0;
    QString name;
    Money openingBalance;  // entered as a positive amount
    bool isDebit = false;
    Money creditLimit;
};

QList<qint64> ids(QSqlDatabase& db);
QStringList names(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Bank> load(QSqlDatabase& db, qint64 id);
std::optional<qint64> idOfName(QSqlDatabase& db, const QString& name);

Check validate(QSqlDatabase& db, const Bank& b, bool adding);
// Returns the identifier stored: a new bank whose proposed one was taken meanwhile gets the next free one.
qint64 save(QSqlDatabase& db, const Bank& b, bool adding);
Check deleteBlock(QSqlDatabase& db, qint64 id);
void remove(QSqlDatabase& db, qint64 id);

}  // namespace kavra::Banks
