#pragma once
// The profit and loss account of a period in the two-sided layout: trading first (purchases,
// sales, direct expenses and incomes, closing stock) down to the gross result, carried down
// to the net result after subcontract bills, job-work invoices and indirect heads.
//
// Every invoice counts once, by its last row per number and party, whatever number of DC rows
// carries it. The whole statement, main lines and the party and head details they sum, comes
// from one statement.
#include "views/Statement.h"

namespace kavra::views::ProfitAndLoss {

// The main lines' amounts. Closing stock is the value of the lots of notes raised in the period.
struct Totals {
    Money purchase, sales, directExpense, directIncome, closingStock, subContract, labourWork, indirectExpense,
        indirectIncome;
};

Totals totals(QSqlDatabase& db, const Period& p);
// The statement's grid rows, details included.
QList<Row> build(QSqlDatabase& db, const Period& p);
// Income (sales, job work, income heads) against expense (purchases, subcontract bills,
// expense heads) month by month, from one grouped query.
Chart chart(QSqlDatabase& db, const Period& p);

const StatementKind& kind();

}  // namespace kavra::views::ProfitAndLoss
