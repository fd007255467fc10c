#pragma once
// Service invoices: free-standing bills for services, ours to customers and vendors' to us,
// each a header row and its lines in tables of their own. One set of rules serves both; a
// kind says which party, whether the number is proposed in the year or typed from the
// vendor's bill, where it must be unique and what the messages say. The value is the value
// of a bill for work done (lines, packing, VAT, service tax, cess, other charges, final
// discount, whole rupees where the company rounds labour bills). Balance starts at the value;
// once money is set against an invoice (Balance below it, or a ledger row naming it) or a
// rejection is recorded on its lines it can no longer change.
//
// Writers run on the caller's connection inside the caller's transaction and ask every
// check again there.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

#include "core/Found.h"
#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/WorkValue.h"
#include "printing/DocumentPrint.h"

namespace kavra::sales::ServiceInvoices {

struct Kind {
    QString screen;                           // "frmInvoiceServOut"
    QString table;                            // "InvoiceServOut"; its lines in table + "Sub"
    QString partyTable, partyKey, partyName;  // "Customer", "CustId", "CustName"
    QString partyField;                       // the party list's objectName
    bool proposesNumber = true;               // else the number is typed from the party's bill
    bool uniquePerParty = false;              // else unique in the whole table
    // The ledger rows that settle it: kind (P_R_A), side and reserved head.
    int ledgerKind = 2;
    bool ledgerExpense = false;
    int ledgerHead = 3;
    QStringList zeroedColumns;  // the note and tax-deducted columns a save writes as 0
    QString noteRemark;         // the note's remark column, written blank
    QString selectParty, duplicate, rejectedBy;
};

const Kind& outgoing();
const Kind& incoming();

struct Line {
    qint64 itemId = 0;
    QString itemCode, particulars, remark;
    double qty = 0, altQty = 0, rate = 0, discount = 0;  // as typed; discount per cent
};

struct Invoice {
    qint64 id = 0;  // DcId
    qint64 party = 0;
    QString invNo, dcNo, payTerm, invRem;
    QDate invDate, dcDate;
    double packForwd = 0;  // as typed: rupees, or per cent when packPerc
    bool packPerc = false;
    double finalDisc = 0;  // as typed: rupees, or per cent when finalDiscPerc
    bool finalDiscPerc = false;
    double otherCharges = 0, vat = 0, servTax = 0, cessOnServTax = 0;
    QVector<Line> lines;
    Money totVal, balance;  // as stored
};

bool roundsRupees(QSqlDatabase& db);  // Misc.RoffLabour
chain::WorkValue::Result value(const Invoice& inv, bool roundRupees);

// ---- Records.
QList<qint64> navigation(QSqlDatabase& db, const Kind& k);
QVariant navigationStamp(QSqlDatabase& db, const Kind& k);
qint64 proposedId(QSqlDatabase& db, const Kind& k);
// One more than the number of the newest invoice of the day's financial year; 1 for its first.
QString proposedNumber(QSqlDatabase& db, const Kind& k, const QDate& today);
std::optional<Invoice> load(QSqlDatabase& db, const Kind& k, qint64 id);
// The newest invoice with this number.
Found find(QSqlDatabase& db, const Kind& k, const QString& invNo);
// Particulars texts offered for lines, by name.
QStringList particulars(QSqlDatabase& db);

// ---- Rules.
// Why a stored invoice may not change: rejections on its lines first, then money against it.
Check changeBlock(QSqlDatabase& db, const Kind& k, qint64 id);
// The lines' checks in their order (cells counted from 1; columns: 1 item code, 2 particulars,
// 3 Qty, 4 Alt. Qty, 5 rate).
Check linesCheck(QSqlDatabase& db, const QVector<Line>& lines);
// First failure wins: party, number, charges, lines, value, the number's uniqueness.
Check validate(QSqlDatabase& db, const Kind& k, const Invoice& inv, bool roundRupees, qint64 shownId);
// Returns the DcId written (a new one taken meanwhile is replaced by the next free one).
qint64 save(QSqlDatabase& db, const Kind& k, const Invoice& inv, bool roundRupees, qint64 shownId);
void remove(QSqlDatabase& db, const Kind& k, qint64 id);

// The invoice on the ServINV sheet (rows per page from the labour invoice's topic).
Print::Document printDocument(QSqlDatabase& db, const Kind& k, qint64 id);

}  // namespace kavra::sales::ServiceInvoices
