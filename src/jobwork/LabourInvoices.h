#pragma once
// Labour invoices. Like every bill of the engine an invoice has no table of its own: it is
// written into the invoice columns of every outgoing DC row it covers and into the billing
// quantity (in the item's other unit), rate and discount of their lines. Its value is the
// value of a bill for work done: packing, VAT, service tax on the total with the VAT and
// the cess on that tax, other charges, the final discount and, where the company rounds
// labour invoices, whole rupees (the bill engine's bills for work, chain::WorkBills, with
// billKind()). Once money is received against it, it can no longer change.
//
// Writers run on the caller's connection inside the caller's transaction.
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <optional>

#include "core/Found.h"
#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Bills.h"
#include "core/chain/WorkBills.h"
#include "printing/DocumentPrint.h"

namespace kavra::jobwork::Invoices {

using Line = chain::Bills::Line;
using Taxes = chain::WorkBills::Taxes;
using Invoice = chain::WorkBills::Invoice;

// ---- What the screen offers (the choosing of customers and DCs, navigation, search and the
// money-received blocks are the bill engine's, with billKind()).
// The lines of these DCs with their rates proposed (the order's, the item's last invoiced, the item's own).
QVector<Line> proposedLines(QSqlDatabase& db, qint64 custId, const QList<qint64>& dcIds);
// From the customer's latest invoice.
Taxes proposeTaxes(QSqlDatabase& db, qint64 custId);
bool roundsLabour(QSqlDatabase& db);     // Misc.RoffLabour
bool oneDcPerInvoice(QSqlDatabase& db);  // Misc.labour1to1
chain::WorkValue::Result value(const Invoice& inv, bool roundRupees);

// ---- Stored invoices.
std::optional<Invoice> load(QSqlDatabase& db, qint64 id);

// ---- Rules.
// First failure wins: money received, customer, number, DCs, value, lines, the number in the year.
Check validate(QSqlDatabase& db, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode);
qint64 save(QSqlDatabase& db, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode);
void remove(QSqlDatabase& db, qint64 id);

// The invoice on the LABINV sheet: lines in the item's other unit, the charges that apply.
Print::Document printDocument(QSqlDatabase& db, qint64 id);

}  // namespace kavra::jobwork::Invoices
