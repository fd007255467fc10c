#include "data/SchemaParts.h"

namespace kavra::data {

// What the statements read. A note's own amount (Debit on our invoices, Credit on the bills
// we receive) sits beside its total with tax deducted; the purchase bill kept a yes/no flag in
// its place, which no note ever set. A stores lot keeps the rate it came in at, so that stock
// on hand has a value.
QStringList statementsSchema() {
    QStringList m;
    for (const char* t : {"DcInv", "DcOutgoingInv"})
        m << QStringLiteral("ALTER TABLE %1 ADD COLUMN Debit BIGINT NOT NULL DEFAULT 0").arg(QString::fromLatin1(t));
    m << "ALTER TABLE Purchase DROP COLUMN Credit"
      << "ALTER TABLE Purchase ADD COLUMN Credit BIGINT NOT NULL DEFAULT 0";
    m << "ALTER TABLE STNSub ADD COLUMN Rate DOUBLE PRECISION NOT NULL DEFAULT 0"
      << "UPDATE STNSub SET Rate = coalesce((select i.Rate from Item i where i.ItemId = STNSub.ItemId), 0)";
    // Staff payments are overheads: as direct expenses no line of the statement would show them.
    m << "UPDATE Expense SET IsDirect = FALSE WHERE ExpenseCode IN (1, 2)";
    m << "CREATE INDEX ix_Purchase_InvDateT ON Purchase (InvDateT)"
      << "CREATE INDEX ix_STN_STNDate ON STN (STNDate)"
      // Covering: every ledger line of a period is summed from the index alone.
      << "CREATE INDEX ix_FundTrans_Statement ON FundTrans (IsExpense, P_R_A, P_R_A_TYPE, DateT, ExpIncId, Amt, "
         "AmtBal)";
    return m;
}

}  // namespace kavra::data
