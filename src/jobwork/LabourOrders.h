#pragma once
// Customers' labour orders. Each line keeps what the customer has still to send in
// (QtyToReci, lowered by incoming DCs) and what we have still to send back (QtyToSend,
// lowered by outgoing DCs); a flag per direction closes the order. Balances, tallies and
// renumbering are the document engine's for the labour order kind; what is the labour
// order's own is here: its value, the customer's numbers written back, its checks.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Orders.h"

namespace kavra::jobwork::Orders {

using Line = chain::Orders::Line;

struct Order {
    qint64 id = 0;
    qint64 custId = 0;  // 0: none chosen
    // The customer's address and numbers as typed: the save writes them back to the customer.
    QString address, cst, tin;
    QString poNo;
    QDate poDate, validFrom, validTo;
    QString payTerm, remark;
    Money value;  // PurchVal
    bool reTrkRej = false;
    // As stored; filled by load().
    bool cancelled = false, received = false, sent = false;
    QList<Line> lines;  // balances: QtyToReci, QtyToSend
};

std::optional<Order> load(QSqlDatabase& db, qint64 id);

// The customer's address, CST and TIN as the customer master holds them.
struct CustomerNumbers {
    QString address, cst, tin;
};
CustomerNumbers customerNumbers(QSqlDatabase& db, qint64 custId);
bool reTrackByDefault(QSqlDatabase& db);
std::optional<QPair<double, double>> proposedRate(QSqlDatabase& db, qint64 itemId);
Money computedValue(const Order& o);

Check validate(QSqlDatabase& db, const Order& o, bool adding);
qint64 save(QSqlDatabase& db, const Order& o, bool adding);
Check deleteBlock(QSqlDatabase& db, qint64 id);
// Listing, removing, cancelling and searching orders are the engine's (chain::Orders) for orderKind().

}  // namespace kavra::jobwork::Orders
