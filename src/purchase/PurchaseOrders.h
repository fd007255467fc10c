#pragma once
// Our orders to vendors. Each line keeps what is still to come in (QtyToReci), lowered by
// the vendor's bills; POTally closes the order once nothing is left. Numbers are ours and
// restart every financial year. Balances, tallies, numbering and renumbering are the
// document engine's for the purchase order kind; what is the purchase order's own is
// here: the vendor's details and earlier terms, its value and its checks.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Orders.h"
#include "printing/DocumentPrint.h"

namespace kavra::purchase::Orders {

using Line = chain::Orders::Line;

struct Order {
    qint64 id = 0;
    qint64 vendorCode = 0;  // 0: none chosen
    QString kindAttn;
    QString poNo;  // without the prefix
    QDate poDate, validFrom, validTo;
    QString refQuoteNo;
    QDate refQuoteDate;
    QString remark;
    bool testCert = false, reTrkRej = false;
    Money value;   // PurchVal, without taxes
    QString body;  // terms and conditions
    // As stored; filled by load().
    bool cancelled = false, tallied = false;
    QList<Line> lines;  // balance: QtyToReci
};

std::optional<Order> load(QSqlDatabase& db, qint64 id);

using VendorDetails = chain::Orders::PartyDetails;
VendorDetails vendorDetails(QSqlDatabase& db, qint64 vendorCode);
// The terms of the vendor's latest order, "" when there is none.
QString latestTerms(QSqlDatabase& db, qint64 vendorCode);
bool reTrackByDefault(QSqlDatabase& db);
QString numberPrefix(QSqlDatabase& db);
QString proposedNumber(QSqlDatabase& db, const QDate& today);
std::optional<QPair<double, double>> proposedRate(QSqlDatabase& db, qint64 itemId);
Money computedValue(const Order& o);

Check validate(QSqlDatabase& db, const Order& o, bool adding);
qint64 save(QSqlDatabase& db, const Order& o, bool adding);
Check deleteBlock(QSqlDatabase& db, qint64 id);
// Listing, removing, cancelling and searching orders are the engine's (chain::Orders) for orderKind().

// The print-out of a stored order (PurchPo).
Print::Document printOut(QSqlDatabase& db, qint64 id);

}  // namespace kavra::purchase::Orders
