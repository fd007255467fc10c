#pragma once
// Bills for work done on the DCs of a chain (our labour invoices, a subcontractor's bills):
// the bill engine's columns with VAT, service tax and the cess on it, valued as a bill for
// work (WorkValue), rounded to rupees where the kind's setting says so. Which DCs, party,
// number and note columns, and the refusals that differ, are the bill kind's.
//
// Writers run on the caller's connection inside the caller's transaction.
#include <QList>
#include <QSqlDatabase>
#include <QVector>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Bills.h"
#include "core/chain/WorkValue.h"

namespace kavra::chain::WorkBills {

using Line = Bills::Line;

// The taxes that follow the party from one bill to the next.
struct Taxes {
    double vat = 0, servTax = 0, cessOnServTax = 0;  // per cent
};

struct Invoice {
    Bills::Head head;
    Taxes taxes;
    QVector<Line> lines;
    // As stored; filled by load().
    qint64 id = 0;
    Money totVal, balance;
};

// The lines of these DCs with their rates proposed (the order's, the item's last billed, the item's own).
QVector<Line> proposedLines(QSqlDatabase& db, const BillKind& k, qint64 party, const QList<qint64>& dcIds);
// From the party's latest bill.
Taxes proposeTaxes(QSqlDatabase& db, const BillKind& k, qint64 party);
bool roundsRupees(QSqlDatabase& db, const BillKind& k);
bool oneDcPerBill(QSqlDatabase& db, const BillKind& k);
WorkValue::Result value(const Invoice& inv, bool roundRupees);

std::optional<Invoice> load(QSqlDatabase& db, const BillKind& k, qint64 id);

// First failure wins: money received, party, number, DCs, value, lines, the number taken.
Check validate(QSqlDatabase& db, const BillKind& k, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode);
qint64 save(QSqlDatabase& db, const BillKind& k, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode);
// Money received, or (on kinds that say so) a covered DC's stock note issued from, refuses it.
Check deleteBlock(QSqlDatabase& db, const BillKind& k, qint64 id);
void remove(QSqlDatabase& db, const BillKind& k, qint64 id);

}  // namespace kavra::chain::WorkBills
