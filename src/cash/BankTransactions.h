#pragma once
// Money moved between cash and a bank, or between two banks, without a party: a deposit or
// a withdrawal is one BankTrans row, a transfer two rows under one TransId (the receiving
// row hidden, so the cash sum leaves both out). Rows of this kind carry Id 0; a shown
// transaction saved again replaces all its rows. Every write runs inside the caller's
// transaction and checks again there; a new TransId another desk took meanwhile is replaced
// by the next free one.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"

namespace kavra::BankTransactions {

enum class Kind { Deposit, Withdrawal, Transfer };

struct Transaction {
    qint64 transId = 0;
    QDate date;
    Kind kind = Kind::Deposit;
    qint64 bankId = 0;    // the account, or the From bank of a transfer
    qint64 toBankId = 0;  // transfers only
    Money amount;
    QString chNo;  // transfers only
    QDate chDate;  // transfers only; null: none
    QString desc;
};

// One per transaction (the shown row of a transfer), by TransId.
QList<qint64> numbers(QSqlDatabase& db);
// Count and newest number: changes whenever any desk adds or removes a transaction.
QVariant stamp(QSqlDatabase& db);
qint64 proposedNumber(QSqlDatabase& db);
std::optional<Transaction> load(QSqlDatabase& db, qint64 transId);

// Save's checks in their order, the first failure winning.
Check validate(const Transaction& t);
// Writes the transaction, replacing its rows when it was shown, and returns its TransId.
qint64 save(QSqlDatabase& db, Transaction t, bool adding);
// Both rows of a transfer.
void remove(QSqlDatabase& db, qint64 transId);

}  // namespace kavra::BankTransactions
