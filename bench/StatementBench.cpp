// Figures for the statements: the profit and loss account of a filled year, for the year and
// for one month, from View to a filled grid, beside the plain statements giving the same totals.
#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTest>
#include <cstdio>

#include "YearFiller.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "views/ProfitAndLoss.h"
#include "views/forms/StatementScreen.h"

namespace kavra {

namespace {

using views::Period;
using views::ProfitAndLoss::Totals;

// The same totals the plain way: one statement a line, no grouping of the lines together.
Totals bare(QSqlDatabase& db, const Period& p) {
    const QVariantList b = views::periodBounds(p);
    auto bill = [&](const char* t, const char* id, const char* party, const char* note) {
        return Money::fromPaise(
            Sql::scalar(db,
                        QStringLiteral("select coalesce(sum(TotVal - %4), 0) from %1 where %2 in (select max(%2) from "
                                       "%1 where InvDateT >= ? and InvDateT < ? and InvNo is not null group by InvNo, "
                                       "%3)")
                            .arg(QString::fromLatin1(t), QString::fromLatin1(id), QString::fromLatin1(party),
                                 QString::fromLatin1(note)),
                        b)
                .toLongLong());
    };
    auto heads = [&](bool expense, const QString& set) {
        const QString h = expense ? QStringLiteral("Expense") : QStringLiteral("Income");
        const QString code = expense ? QStringLiteral("ExpenseCode") : QStringLiteral("IncomeCode");
        const int plain = expense ? 1 : 2, advance = expense ? 4 : 5;
        return Money::fromPaise(
            Sql::scalar(db,
                        QStringLiteral("select coalesce(sum(case when P_R_A = %1 and P_R_A_TYPE = %2 then AmtBal else "
                                       "Amt end), 0) from FundTrans where IsExpense = %3 and DateT >= ? and DateT < ? "
                                       "and ((P_R_A = %1 and P_R_A_TYPE in (1, %2)) or (P_R_A = 3 and P_R_A_TYPE = 1)) "
                                       "and ExpIncId in (select %4 from %5 where %6)")
                            .arg(plain)
                            .arg(advance)
                            .arg(expense ? QStringLiteral("TRUE") : QStringLiteral("FALSE"), code, h, set),
                        b)
                .toLongLong());
    };
    Totals t;
    t.purchase = bill("Purchase", "PurchId", "VendorCode", "Credit");
    t.sales = bill("DcInv", "DcInvId", "CustId", "Debit");
    t.subContract = bill("DcSubConIncoming", "DcId", "SuppId", "Credit");
    t.labourWork = bill("DcOutgoingInv", "DcId", "CustId", "Debit");
    t.directExpense = heads(true, QStringLiteral("ExpenseCode > 4 and IsDirect = TRUE"));
    t.indirectExpense = heads(true, QStringLiteral("(ExpenseCode > 4 or ExpenseCode in (1, 2)) and IsDirect = FALSE"));
    t.directIncome = heads(false, QStringLiteral("IncomeCode > 2 and IsDirect = TRUE"));
    t.indirectIncome = heads(false, QStringLiteral("IncomeCode > 2 and IsDirect = FALSE"));
    t.closingStock = Money::fromRupees(
        Sql::scalar(db,
                    QStringLiteral("select coalesce(sum(s.BalQty * s.Rate), 0) from STNSub s join STN t on t.Id = s.Id "
                                   "where t.STNDate >= ? and t.STNDate < ?"),
                    views::dayBounds(p))
            .toDouble());
    return t;
}

QStringList texts(const Totals& t) {
    QStringList out;
    for (Money m : {t.purchase, t.sales, t.directExpense, t.directIncome, t.closingStock, t.subContract, t.labourWork,
                    t.indirectExpense, t.indirectIncome})
        out << m.toString();
    return out;
}

}  // namespace

void statementBench(QSqlDatabase& db, double scale) {
    QElapsedTimer t;
    t.start();
    const bench::YearSize size = bench::YearSize::scaled(scale);
    bench::fill(db, size);
    bench::fillStatements(db, size, bench::StatementSize::scaled(scale));
    Db::optimize(db);
    std::printf("statements: year filled in %lld ms\n", (long long)t.elapsed());
    const int y = Session::current().companyYear() ? Session::current().companyYear() : 2026;
    const struct {
        const char* name;
        Period p;
    } periods[] = {{"the year", {QDate(y, 4, 1), QDate(y + 1, 3, 31)}}, {"a month", {QDate(y, 9, 1), QDate(y, 9, 30)}}};
    StatementScreen screen(views::ProfitAndLoss::kind());
    if (!screen.load()) return;
    screen.show();
    for (const auto& run : periods) {
        screen.findChild<QDateEdit*>(QStringLiteral("dtpFrom"))->setDate(run.p.from);
        screen.findChild<QDateEdit*>(QStringLiteral("dtpTo"))->setDate(run.p.to);
        t.restart();
        screen.cmdView();
        (void)QTest::qWaitFor([&] { return !screen.building(); }, 600000);
        QApplication::processEvents();
        const double viewMs = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        const Totals plain = bare(db, run.p);
        const double bareMs = double(t.nsecsElapsed()) / 1e6;
        const bool same = texts(plain) == texts(views::ProfitAndLoss::totals(db, run.p));
        std::printf(
            "statements: profit and loss for %s: View to filled grid %.1f ms (%d rows), bare SQL %.1f ms, "
            "ratio %.2f%s\n",
            run.name, viewMs, screen.model()->rowCount(), bareMs, bareMs > 0 ? viewMs / bareMs : 0.0,
            same ? "" : "  MISMATCH");
    }
}

}  // namespace kavra
