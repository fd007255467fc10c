#pragma once
// Vendors' bills for goods received. A bill against one of our open orders counts each
// line's Qty (in the order's unit) off the order line of its item; its Alt.Qty (the stock
// unit) goes into the stores on a transfer note the bill raises, and stays there as the
// bill's lots (StkQty). Changing or deleting a bill first gives back exactly what it took;
// once material is issued from its lots, a rejection is recorded or money is paid against
// it, it can no longer change. The header and lines are the document engine's, as a DC of
// the vendor's booked with its bill.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Found.h"
#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Kinds.h"
#include "purchase/BillValue.h"

namespace kavra::purchase::Bills {

// The bill as the engine sees it: a vendor's DC against our order, raising a transfer note.
const chain::DcKind& kind();

struct Line {
    QString itemCode;
    double qty = 0;     // counted against the order
    double altQty = 0;  // taken into stock
    double rate = 0;    // per stock unit, as typed
    double discount = 0, excise = 0, cessOnED = 0, highCessOnED = 0, taxes = 0;
    // As stored; filled by load().
    int slNo = 0;
    qint64 itemId = 0;
    double stkQty = 0;  // still held from this line
};

enum class TaxKind { None, VAT, CST };

struct Bill {
    qint64 id = 0;
    qint64 vendor = 0;  // 0: none chosen
    QString invNo;
    QDate invDate;
    QString poNo;  // "" when not against an order
    QDate poDate;
    QString transport, vehicleNo;
    TaxKind tax = TaxKind::None;
    double packForwd = 0;  // as entered: rupees, or per cent when packPerc
    bool packPerc = false;
    double finalDisc = 0;  // as entered: rupees, or per cent when finalDiscPerc
    bool finalDiscPerc = false;
    double insurance = 0, otherCharges = 0;
    QString payTerm, remark;
    QList<Line> lines;
    // As stored; filled by load().
    Money totVal, balance;
    std::optional<qint64> stnId;
};

bool roundsPurchases(QSqlDatabase& db);  // Misc.RoffPurch
BillValue::Result value(const Bill& b, bool roundRupees);

// ---- What the screen offers.
qint64 proposedId(QSqlDatabase& db);
// The tax kind of the vendor's latest bill.
TaxKind proposedTax(QSqlDatabase& db, qint64 vendor);
// The vendor's open orders, and an order's date.
QStringList openOrders(QSqlDatabase& db, qint64 vendor);
std::optional<QDate> orderDate(QSqlDatabase& db, qint64 vendor, const QString& poNo);
// What a new line of the item starts with: the excise and cesses of the vendor's latest
// bill's first line; the rate and discount of the chosen order's line, else rate, discount
// and tax of the vendor's latest bill line of the item, else the item's rate.
struct Proposal {
    double rate = 0, discount = 0, taxes = 0;
    double excise = 0, cessOnED = 0, highCessOnED = 0;
};
Proposal propose(QSqlDatabase& db, qint64 vendor, const QString& poNo, qint64 itemId);
// What the order still expects of each item, the stored bill's own quantity counted as
// available when it is being modified (shownId).
QHash<qint64, double> orderBalances(QSqlDatabase& db, qint64 vendor, const QString& poNo, qint64 shownId,
                                    const QList<qint64>& itemIds);

// ---- Stored bills.
QList<qint64> ids(QSqlDatabase& db);
std::optional<Bill> load(QSqlDatabase& db, qint64 id);
// The vendor's bill of that number; several vendors' bills of it are told apart as on every screen.
Found find(QSqlDatabase& db, const QString& invNo, qint64 vendor);

// ---- Rules, in the order the screen makes them.
Check validate(QSqlDatabase& db, const Bill& b, bool adding, bool roundRupees);
// Rejections, issues from the bill's lots, payment: first found wins.
Check changeBlock(QSqlDatabase& db, qint64 id, bool deleting);
// A click into the lines of a stored bill whose lots were issued from or that was paid.
Check clickBlock(QSqlDatabase& db, qint64 id);

// Writes the bill, counts it off its order and brings its goods into the stores; returns its identifier.
qint64 save(QSqlDatabase& db, const Bill& b, bool adding, bool roundRupees);
void remove(QSqlDatabase& db, qint64 id);

}  // namespace kavra::purchase::Bills
