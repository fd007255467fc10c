#pragma once
// A financial year of a grown company, written straight into the schema for the bench:
// customers, items, orders, DCs with their invoices, stores lots and issues, and the money
// ledger. Chains added later put their own tables in fill(). At scale 1 it holds the year
// the speed goals are set for; a smaller scale keeps every reference inside its own counts.
#include <QSqlDatabase>
#include <QString>

namespace kavra::bench {

struct YearSize {
    int customers = 400;
    int items = 5000;
    int orders = 3000, orderLines = 20;  // 60,000 order lines
    int dcs = 36500;                     // about 8.4 lines each: 307,000
    int invoices = 30000;                // one DC each; the rest wait for their invoice
    int issues = 42500;
    int lots = 100000;  // store transfer note lines, ten to a note
    int fundTrans = 1000000;
    static YearSize scaled(double scale);
};

struct Year {
    YearSize size;
    qint64 heaviestItem = 0;  // the item with the most lots
};

// Fills the company database; ids start at 1 in every table it writes, except the stores
// notes and issues, which keep clear of the numbers the stores hand out.
Year fill(QSqlDatabase& db, const YearSize& size);

// What the statements read beyond the sales chain: purchase bills, job-work invoices over
// two or three DCs, subcontract bills, user heads, and the ledger's rows given their kinds
// (plain, adjustment, advance) and heads. Run after fill().
struct StatementSize {
    int purchaseBills = 10000;
    int labourDcs = 15000;  // invoiced two or three to an invoice
    int subconBills = 5000;
    static StatementSize scaled(double scale);
};
void fillStatements(QSqlDatabase& db, const YearSize& year, const StatementSize& size);

QString customerName(int custId);
QString itemCode(int itemId);

}  // namespace kavra::bench
