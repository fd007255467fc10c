#pragma once
// Customers' purchase orders for manufactured goods. Each line keeps the quantity still
// to send (QtyToSend), which delivery challans lower and give back; the order is tallied
// (POTally) while nothing is left to send. The balances, tally and renumbering are the
// document engine's (core/chain) for the sales order kind; what is the customer order's
// own is here: its value, its proposals, its checks and its proforma invoice.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Found.h"
#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Orders.h"
#include "printing/DocumentPrint.h"

namespace kavra::sales::Orders {

using Line = chain::Orders::Line;

struct Order {
    qint64 id = 0;
    qint64 custId = 0;  // 0: none chosen
    QString address;    // ship-to address, the customer's own unless changed
    QString poNo;
    QDate poDate, validFrom, validTo;
    QString payTerm, remark;
    double tinPerc = 0, cstPerc = 0;
    // Packing and forwarding as the user gives it: rupees, or per cent of the lines' total.
    double packForwd = 0;
    bool packIsPerc = false;
    double otherChrg = 0;  // rupees, as typed
    Money value;           // PurchVal, "inclusive of taxes"
    QString profInvNo;
    QDate profInvDate;
    bool reTrkRej = false;
    // As stored; filled by load().
    bool cancelled = false, tallied = false;
    QList<Line> lines;
};

QList<qint64> ids(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Order> load(QSqlDatabase& db, qint64 id);
// Some line has been drawn on by a DC.
bool partlyProcessed(QSqlDatabase& db, qint64 id);

// Σ (Qty × Rate − Qty × Rate × Discount ÷ 100), in double precision.
using chain::Orders::lineTotal;
// The order's value: lines, packing, VAT or else CST, then other charges.
Money computedValue(const Order& o);
// Packing as the amount stored: as typed, or its percentage of the lines as shown.
double packingAmount(const Order& o);

// Proposals while entering: VAT % and CST % of the customer's latest order (0 when it has
// none); the re-tracking default; rate and discount of an item's line on its latest order,
// else the item's own rate.
QPair<double, double> lastTaxes(QSqlDatabase& db, qint64 custId);
bool reTrackByDefault(QSqlDatabase& db);
std::optional<QPair<double, double>> proposedRate(QSqlDatabase& db, qint64 itemId);
QString nextProformaNo(QSqlDatabase& db);

// Field, line, re-tracking, proforma and order-number checks of Save / Modify, first failure wins.
Check validate(QSqlDatabase& db, const Order& o, bool adding);
// Writes header and lines, keeps QtyToSend and the tally flag in step with what was sent.
// Returns the order's identifier: a new order whose proposed one was taken meanwhile at
// another desk gets the next free one.
qint64 save(QSqlDatabase& db, const Order& o, bool adding);
Check deleteBlock(QSqlDatabase& db, qint64 id);
void remove(QSqlDatabase& db, qint64 id);
void setCancelled(QSqlDatabase& db, qint64 id, bool cancelled);
// Sets POTally from the lines' balance.
void retally(QSqlDatabase& db, qint64 id);

// Search by order number; the customer chosen on the screen (0: none) picks among
// orders of several customers that share the number.
Found find(QSqlDatabase& db, const QString& poNo, qint64 custId);

// The proforma invoice of a stored order.
Print::Document proforma(QSqlDatabase& db, qint64 id);

}  // namespace kavra::sales::Orders
