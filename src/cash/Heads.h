#pragma once
// Income and expense heads: every receipt is booked under an income head and every payment
// under an expense head. One set of rules, two tables. The first heads of each are the
// system's own (the money screens settle invoices and bills through them): the masters
// neither list, change nor delete them.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Refusal.h"

namespace kavra::Heads {

// What differs between the two head screens.
struct Kind {
    QString screen;                       // "frmExpense"
    QString table, code, name, desc;      // "Expense", "ExpenseCode", ...
    bool isExpense = true;                // FundTrans.IsExpense of the entries booked under it
    int reserved = 5;                     // codes 1..reserved are the system's
    QString adding, modifying, deleting;  // status texts
    QString enterName, modifyRefused, deleteReserved, deleteUsed, deleted;
    // The screen's controls and captions.
    QString heading, codeField, codeCaption, nameField, nameCaption, descField, typeCaption, listCaption;
};

const Kind& income();
const Kind& expense();

struct Head {
    qint64 code = 0;
    QString name, desc;
    bool direct = true;
};

// The user's heads only.
QList<qint64> ids(QSqlDatabase& db, const Kind& k);
QStringList names(QSqlDatabase& db, const Kind& k);
qint64 proposedId(QSqlDatabase& db, const Kind& k);
std::optional<Head> load(QSqlDatabase& db, const Kind& k, qint64 code);
std::optional<qint64> codeOfName(QSqlDatabase& db, const Kind& k, const QString& name);

// The system's heads cannot be changed.
Check modifyBlock(const Kind& k, qint64 code);
Check validate(QSqlDatabase& db, const Kind& k, const Head& h, bool adding);
// Returns the code stored: a new head whose proposed code was taken meanwhile gets the next free one.
qint64 save(QSqlDatabase& db, const Kind& k, const Head& h, bool adding);
Check deleteBlock(QSqlDatabase& db, const Kind& k, qint64 code);
void remove(QSqlDatabase& db, const Kind& k, qint64 code);

}  // namespace kavra::Heads
