#pragma once
// Our work orders to subcontract suppliers. Each line keeps what is still to be sent out
// (QtyToSend, lowered by our DCs) and what is still to come back (QtyToReci, lowered by
// the supplier's DCs); POTallyS and POTally close each direction. Numbers are ours and
// restart every financial year, one series over all suppliers. The save writes each
// line's name and unit into the item master. Balances, tallies, numbering, the supplier's
// details and earlier terms are the document engine's for the work order kind; what is
// the work order's own is here: its value and its checks.
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
#include "printing/DocumentPrint.h"

namespace kavra::subcontract::WorkOrders {

using Line = chain::Orders::Line;

struct Order {
    qint64 id = 0;
    qint64 suppId = 0;  // 0: none chosen
    QString kindAttn;
    QString poNo;  // without the prefix
    QDate poDate, validFrom, validTo;
    QString remark;
    bool reTrkRej = false;
    Money value;   // PurchVal
    QString body;  // terms and conditions
    // As stored; filled by load().
    bool cancelled = false, sent = false, received = false;
    QList<Line> lines;  // balances: QtyToSend, QtyToReci
};

std::optional<Order> load(QSqlDatabase& db, qint64 id);

bool reTrackByDefault(QSqlDatabase& db);
QString numberPrefix(QSqlDatabase& db);
Money computedValue(const Order& o);

Check validate(QSqlDatabase& db, const Order& o, bool adding);
qint64 save(QSqlDatabase& db, const Order& o, bool adding);
// Listing, removing, cancelling, searching, numbering and the supplier's details are the
// engine's (chain::Orders) for orderKind().

// The print-out of a stored order (woPo).
Print::Document printOut(QSqlDatabase& db, qint64 id);

}  // namespace kavra::subcontract::WorkOrders
