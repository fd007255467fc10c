#pragma once
// The invoices money settles, book by book: sales invoices and labour invoices kept on the
// DC rows they cover (every row of one invoice carries its Balance, read from the row with
// the highest key), and service invoices with a row of their own. A receipt or payment
// lowers an invoice's Balance and its deletion raises it again by the same amount; a book
// whose invoices may not go below nothing refuses, inside the writer's transaction, an
// amount another desk has taken meanwhile.
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Money.h"

namespace kavra::BillBooks {

struct Book {
    QString table;   // "DcInv"
    QString party;   // "CustId"
    QString rowKey;  // "DcInvId": one invoice is every row of a party's number
    bool manyRows = true;
    bool guarded = true;  // an amount above the balance is refused
    QString overdrawn;    // the refusal when it is
};

// The book an income head settles: 1 sales, 2 labour, 3 service invoices; nullopt for others.
std::optional<Book> forIncomeHead(int head);
// The book an expense head settles: 3 purchase bills, 4 subcontractors' invoices, 5 vendors'
// service invoices; nullopt for others.
std::optional<Book> forExpenseHead(int head);

struct OpenBill {
    QString invNo;
    Money balance;
};
// The party's invoices with something still to settle, by invoice number.
QList<OpenBill> openBills(QSqlDatabase& db, const Book& b, qint64 party);
Money outstanding(QSqlDatabase& db, const Book& b, qint64 party);
std::optional<Money> balanceOf(QSqlDatabase& db, const Book& b, qint64 party, const QString& invNo);
// Every invoice of the party, settled or not, by number: one read for checking many rows.
QHash<QString, Money> balances(QSqlDatabase& db, const Book& b, qint64 party);

// An amount spread over open bills in their order, each taking what it still owes.
struct Applied {
    QString invNo;
    Money amount;
};
QList<Applied> spread(Money amount, const QList<OpenBill>& bills);

// Settles (or, with a negative amount, gives back) part of one invoice on all its rows.
void settle(QSqlDatabase& db, const Book& b, qint64 party, const QString& invNo, Money amount);
// The same for many invoices of one party, a statement per hundred of them: all or nothing.
void settleAll(QSqlDatabase& db, const Book& b, qint64 party, const QList<Applied>& amounts);

}  // namespace kavra::BillBooks
