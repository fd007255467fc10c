#pragma once
// Sales invoices. An invoice has no table of its own: it is written into the invoice
// columns of every DcInv row it covers and into the Rate and Discount of their lines, so
// several DCs of one customer invoiced together carry the same values. An invoice is
// known by the row with the highest DcInvId among its DCs; its DCs are the rows with the
// same number, customer and invoice time. Once money is received against it (TotVal and
// Balance differ) it can no longer change.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
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
#include "printing/DocumentPrint.h"
#include "sales/InvoiceCalc.h"

namespace kavra::sales::Invoices {

using Line = chain::Bills::Line;

// Taxes and the charges that follow the customer from one invoice to the next.
struct Taxes {
    double excise = 0, cessOnED = 0, highCessOnED = 0;
    double cst = 0, kst = 0, cessOnKST = 0, vat = 0;
    bool formC = false, form37 = false, formH = false;
    double otherCharges = 0;  // rupees, as typed
};

struct Invoice {
    qint64 custId = 0;
    QList<qint64> dcIds;  // the DCs covered
    QString invNo;
    QDateTime invDate;
    QString payTerm, invRem;
    QVector<Line> lines;
    double packForwd = 0;  // as entered: rupees, or per cent when packPerc
    bool packPerc = false;
    double finalDisc = 0;  // as entered: rupees, or per cent when finalDiscPerc
    bool finalDiscPerc = false;
    double surcharge = 0;  // rupees, as typed
    Taxes taxes;
    // As stored; filled by load().
    qint64 id = 0;
    Money totVal, balance;
};

using Choice = chain::Bills::Choice;

// ---- What the screen offers.
// Customers with a DC still to invoice, by name.
QList<Choice> customersToInvoice(QSqlDatabase& db);
// The customer's DCs still to invoice, newest number first.
QList<Choice> openDcs(QSqlDatabase& db, qint64 custId);
// The billable lines of these DCs (not "NV"), DC by DC in order of entry, with the quantity
// net of rejections where the DC says so; rate and discount as stored.
QVector<Line> dcLines(QSqlDatabase& db, const QList<qint64>& dcIds);
// Rate and discount of a new invoice's line: the DC's order line for the item, else the
// item's latest non-zero invoiced rate, else the item master's rate without discount.
void proposeRates(QSqlDatabase& db, qint64 custId, QVector<Line>& lines);
// VAT and CST from the order the DCs quote (when they quote one); the rest from the
// customer's latest invoice.
Taxes proposeTaxes(QSqlDatabase& db, qint64 custId, const QList<qint64>& dcIds);

// ---- The value.
bool roundsSales(QSqlDatabase& db);      // Misc.RoffSales
bool oneDcPerInvoice(QSqlDatabase& db);  // Misc.sales1to1
InvoiceCalc::Input calcInput(const Invoice& inv, bool roffSales);
InvoiceCalc::Result value(const Invoice& inv, bool roffSales);

// ---- Stored invoices.
// One identifier per invoice, by invoice date and number.
QList<qint64> navigation(QSqlDatabase& db);
// The identifier of the invoice a DC row belongs to; nullopt for a DC without invoice.
std::optional<qint64> invoiceOf(QSqlDatabase& db, qint64 dcInvId);
// The invoice, with a percentage packing or final discount turned back into its percentage.
std::optional<Invoice> load(QSqlDatabase& db, qint64 id);
// The newest invoice with this number.
Found find(QSqlDatabase& db, const QString& invNo);

// ---- Checks, in the order the screen makes them.
// Money received against the invoice: modify and delete are refused.
Check modifyBlock(QSqlDatabase& db, qint64 id);
Check deleteBlock(QSqlDatabase& db, qint64 id);
// Header, lines, value, number and the duplicate number in the invoice date's financial
// year (manufacturing and job-work invoices share the numbers). shownId: the invoice being
// modified, 0 when adding.
Check validate(QSqlDatabase& db, const Invoice& inv, bool roffSales, qint64 shownId, int invMode);
// What the tax fields allow while they are typed: one of CST, LST and VAT; a cess only
// with the tax it is levied on. control is the box typed into or the form box ticked
// ("txtCST", "optFormH"), now the figures as the boxes hold them after the change; the
// effect names the boxes to empty and to untick, or refuses what was typed (the box is
// then emptied).
struct TaxEffect {
    QStringList clear, untick;
    Check refusal;
};
TaxEffect taxTyped(const QString& control, const Taxes& now);

// Writes the invoice into every DC it covers and the rates into their lines; returns its
// identifier. Adding takes only DCs still without invoice; modifying keeps the invoice's DCs.
qint64 save(QSqlDatabase& db, const Invoice& inv, bool roffSales, qint64 shownId, int invMode);
// Makes the invoice's DCs invoiceable again.
void remove(QSqlDatabase& db, qint64 id);

// ---- Print.
Print::Document printDocument(QSqlDatabase& db, qint64 id);

// The invoice date as the InvDate column shows it.
QString dateText(const QDateTime& dt);

}  // namespace kavra::sales::Invoices
