#pragma once
// Customers' purchase orders for manufactured goods. Each line keeps the quantity still
// to send (QtyToSend), which delivery challans lower and give back; the order is tallied
// (POTally) while nothing is left to send. An order any DC has drawn on is "partly
// processed": its customer, number and date and the item of a drawn line stay fixed.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Money.h"
#include "printing/DocumentPrint.h"
#include "sales/SalesDocs.h"

namespace kavra::sales::Orders {

struct Line {
    int slNo = 0;
    QString itemCode, itemName, uom;
    double qty = 0;
    Money rate;
    double discount = 0;  // per cent
    // As stored; filled by load().
    qint64 itemId = 0;
    double qtyToSend = 0;
};

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
    Money otherChrg;
    Money value;  // PurchVal, "inclusive of taxes"
    QString profInvNo;
    QDate profInvDate;
    bool reTrkRej = false;
    // As stored; filled by load().
    bool cancelled = false, tallied = false;
    QList<Line> lines;
};

QList<qint64> ids(QSqlDatabase& db);
qint64 nextId(QSqlDatabase& db);
std::optional<Order> load(QSqlDatabase& db, qint64 id);
// Some line has been drawn on by a DC.
bool partlyProcessed(QSqlDatabase& db, qint64 id);

// Σ (Qty × Rate − Qty × Rate × Discount ÷ 100), in double precision.
double lineTotal(const QList<Line>& lines);
// The order's value: lines, packing, VAT or else CST, then other charges.
Money computedValue(const Order& o);
// Packing as the amount stored.
Money packingAmount(const Order& o);

// Proposals while entering: VAT % and CST % of the customer's latest order (0 when it has
// none); the re-tracking default; rate and discount of an item's line on its latest order,
// else the item's own rate.
QPair<double, double> lastTaxes(QSqlDatabase& db, qint64 custId);
bool reTrackByDefault(QSqlDatabase& db);
std::optional<QPair<Money, double>> proposedRate(QSqlDatabase& db, qint64 itemId);
QString nextProformaNo(QSqlDatabase& db);

// Field, line, re-tracking, proforma and order-number checks of Save / Modify, first failure wins.
std::optional<Problem> validate(QSqlDatabase& db, const Order& o, bool adding);
// Writes header and lines, keeps QtyToSend and the tally flag in step with what was sent.
// Returns the order's identifier: a new order whose proposed one was taken meanwhile at
// another desk gets the next free one.
qint64 save(QSqlDatabase& db, const Order& o, bool adding);
std::optional<Problem> deleteRefusal(QSqlDatabase& db, qint64 id);
void remove(QSqlDatabase& db, qint64 id);
void setCancelled(QSqlDatabase& db, qint64 id, bool cancelled);
// Sets POTally from the lines' balance.
void retally(QSqlDatabase& db, qint64 id);

// Search by order number; the customer chosen on the screen (0: none) picks among
// orders of several customers that share the number.
struct Found {
    std::optional<qint64> id;
    QString message;  // shown when not empty
};
Found find(QSqlDatabase& db, const QString& poNo, qint64 custId);

// The proforma invoice of a stored order.
Print::Document proforma(QSqlDatabase& db, qint64 id);

// Giving an order another number (and date): the order and every DC of that customer
// that quotes the old number. kind "MFG" (customer orders).
struct NumberChange {
    QString kind = QStringLiteral("MFG");
    qint64 orderId = 0;
    QString newNo;
    QDate newDate;
};
std::optional<Problem> numberChangeProblem(QSqlDatabase& db, const NumberChange& c);
void changeNumber(QSqlDatabase& db, const NumberChange& c);

}  // namespace kavra::sales::Orders
