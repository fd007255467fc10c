// The profit and loss account on both engines, line by line against a statement worked by
// hand: invoices over several DC rows counted once, notes netted, a vendor netting to nothing
// kept out of the details, the ledger's kinds of rows and head sets, lots in and out of the
// period, and the whole-day bounds of the period.
#include "inventory/Stores.h"
#include "support/TestEnv.h"
#include "views/ProfitAndLoss.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::views;

namespace {

const Period kJune{QDate(2026, 6, 1), QDate(2026, 6, 30)};

class ProfitAndLossTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 7, 1), QTime(10, 0)))) return;
        db = &company();
        exec(*db, "insert into Vendor (VendorCode, VendorName) values (1, 'ALPHA STEEL'), (2, 'BETA TOOLS')");
        exec(*db, "insert into Customer (CustId, CustName) values (1, 'ACME'), (2, 'BHARAT')");
        exec(*db, "insert into Supplier (SuppId, SuppName) values (1, 'COATERS')");
        const QVariant june10 = at(2026, 6, 10), lastSecond = at(2026, 6, 30, 23, 59, 59),
                       before = at(2026, 5, 31, 23, 59, 59);
        // A bill with a credit note, one netting to nothing, one a second before the period,
        // one in its last second.
        exec(*db,
             "insert into Purchase (PurchId, VendorCode, InvNo, InvDateT, TotVal, Credit) values (1, 1, 'P1', ?, "
             "500000, 50000), (2, 2, 'P2', ?, 20000, 20000), (3, 1, 'P3', ?, 990000, 0), (4, 2, 'P4', ?, 30000, 0)",
             {june10, june10, before, lastSecond});
        // An invoice over three DCs with a debit note on every row, another, a DC not invoiced.
        exec(*db,
             "insert into DcInv (DcInvId, CustId, DcNo, InvNo, InvDateT, TotVal, Debit) values (1, 1, '1', 'S1', ?, "
             "900000, 10000), (2, 1, '2', 'S1', ?, 900000, 10000), (3, 1, '3', 'S1', ?, 900000, 10000), (4, 2, "
             "'4', 'S2', ?, 100000, 0), (5, 2, '5', null, null, 0, 0)",
             {june10, june10, june10, june10});
        exec(*db,
             "insert into DcSubConIncoming (DcId, SuppId, DcNo, InvNo, InvDateT, TotVal, Credit) values (1, 1, "
             "'9', 'B1', ?, 700000, 0)",
             {june10});
        exec(*db,
             "insert into DcOutgoingInv (DcId, CustId, DcNo, InvNo, InvDateT, TotVal, Debit) values (1, 2, "
             "'7', 'L1', ?, 150000, 0)",
             {june10});
        exec(*db,
             "insert into Expense (ExpenseCode, ExpenseName, IsDirect) values (6, 'POWER', TRUE), (7, 'RENT', "
             "FALSE)");
        exec(*db,
             "insert into Income (IncomeCode, IncomeName, IsDirect) values (4, 'SCRAP', TRUE), (5, "
             "'INTEREST', FALSE)");
        // Id, IsExpense, P_R_A, type, head, Amt, AmtBal, day.
        struct Money_ {
            int id;
            bool expense;
            int pra, type, head;
            qint64 amt;
            QVariant bal, day;
        };
        const Money_ rows[] = {
            {1, true, 1, 1, 6, 100000, {}, june10},     // plain payment, direct head
            {2, true, 1, 4, 6, 50000, 20000, june10},   // an advance paid, 200.00 still open
            {3, true, 1, 2, 3, 300000, {}, june10},     // a vendor's bill paid: never a line
            {4, true, 3, 1, 7, 40000, {}, june10},      // an adjustment, indirect head
            {5, true, 1, 1, 1, 250000, {}, june10},     // staff salary: indirect
            {6, true, 3, 5, 6, 30000, {}, june10},      // a refund: no line
            {7, false, 2, 1, 4, 30000, {}, june10},     // plain receipt, direct income
            {8, false, 2, 3, 1, 500000, {}, june10},    // against a sales invoice: no line
            {9, false, 2, 5, 5, 60000, 60000, june10},  // an advance received, unadjusted
            {10, false, 2, 1, 5, 77700, {}, before},    // before the period
        };
        for (const Money_& m : rows)
            exec(*db,
                 "insert into FundTrans (Id, FundTransId, SlNo, DateT, P_R_A, IsExpense, ExpIncId, PartyName, "
                 "P_R_A_TYPE, Amt, AmtBal) values (?, ?, 1, ?, ?, ?, ?, 'X', ?, ?, ?)",
                 {m.id, m.id, m.day, m.pra, m.expense, m.head, m.type, m.amt,
                  m.bal.isValid() ? m.bal : QVariant(QMetaType::fromType<qlonglong>())});
        // Lots of a note of the period (one issued out), and of an earlier note.
        exec(
            *db,
            "insert into STN (Id, STNNo, STNDate, TS) values (101, 101, '2026-06-05', 1), (102, 102, '2026-05-20', 1)");
        exec(*db,
             "insert into STNSub (Id, SlNo, ItemId, Qty, BalQty, Rate) values (101, 1, 1, 10, 10, 12.5), (101, 2, 2, "
             "4, 0, 100), (102, 1, 1, 5, 5, 10)");
    }
    static QStringList texts(const QList<Row>& rows) {
        QStringList out;
        for (const Row& r : rows) out << r.cells.join('|');
        return out;
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(ProfitAndLossTest, TheMonthLineByLine) {
    if (!db) return;
    const QStringList want{
        "G|Opening Stock|||||",
        "G|Purchase||4800.00|Sales||9900.00",
        "|ALPHA STEEL|4500.00||ACME|8900.00|",
        "|BETA TOOLS|300.00||BHARAT|1000.00|",
        "G|Direct Expense||1200.00|Direct Income||300.00",
        "|POWER|1200.00||SCRAP|300.00|",
        "G||||Closing Stock||125.00",
        "G|Gross Profit||4325.00|||",
        "G|Total||10325.00|Total||10325.00",
        "G||||Gross Profit B\\F||4325.00",
        "G|Sub Contract||7000.00|Labour Work||1500.00",
        "|COATERS|7000.00||BHARAT|1500.00|",
        "G|InDirect Expense||2900.00|InDirect Income||600.00",
        "|RENT|400.00||INTEREST|600.00|",
        "|Staff Salary|2500.00||||",
        "G||||Nett Loss||3475.00",
        "G|Total||9900.00|Total||9900.00",
    };
    const QList<Row> rows = ProfitAndLoss::build(*db, kJune);
    EXPECT_EQ(texts(rows), want);
    for (const Row& r : rows) EXPECT_EQ(r.bold(), r.cells[0] == "G");

    const Chart c = ProfitAndLoss::chart(*db, kJune);
    ASSERT_EQ(c.months, QStringList{"Jun 2026"});
    EXPECT_DOUBLE_EQ(c.series[0][0], 9900 + 1500 + 300 + 600);
    EXPECT_DOUBLE_EQ(c.series[1][0], 4800 + 7000 + 1200 + 2900);
}

TEST_P(ProfitAndLossTest, LossesTiesAndTheBoundsOfThePeriod) {
    if (!db) return;
    // The last day alone: only the bill of its last second, a gross loss carried down.
    const QStringList lastDay = texts(ProfitAndLoss::build(*db, {kJune.to, kJune.to}));
    EXPECT_EQ(lastDay.mid(1, 2), (QStringList{"G|Purchase||300.00|Sales||0.00", "|BETA TOOLS|300.00||||"}));
    EXPECT_EQ(lastDay.mid(5, 4),
              (QStringList{"G||||Gross Loss||300.00", "G|Total||300.00|Total||300.00", "G|Gross Loss B\\F||300.00|||",
                           "G|Sub Contract||0.00|Labour Work||0.00"}));
    EXPECT_EQ(lastDay.last(2).first(), "G||||Nett Loss||300.00");

    // A period of nothing: every amount 0.00, and ties give profit.
    const QStringList empty = texts(ProfitAndLoss::build(*db, {QDate(2026, 8, 1), QDate(2026, 8, 31)}));
    EXPECT_EQ(empty,
              (QStringList{"G|Opening Stock|||||", "G|Purchase||0.00|Sales||0.00",
                           "G|Direct Expense||0.00|Direct Income||0.00", "G||||Closing Stock||0.00",
                           "G|Gross Profit||0.00|||", "G|Total||0.00|Total||0.00", "G||||Gross Profit B\\F||0.00",
                           "G|Sub Contract||0.00|Labour Work||0.00", "G|InDirect Expense||0.00|InDirect Income||0.00",
                           "G|Nett Profit||0.00|||", "G|Total||0.00|Total||0.00"}));

    // From after To is refused before anything is read.
    const Check c = checkPeriod(ProfitAndLoss::kind(), {kJune.to, kJune.from});
    ASSERT_TRUE(c);
    EXPECT_EQ(c->text, "From Date should not be later than To Date ...");
    EXPECT_EQ(c->field, "dtpFrom");
    EXPECT_FALSE(checkPeriod(ProfitAndLoss::kind(), {kJune.to, kJune.to}));
}

TEST_P(ProfitAndLossTest, LotsKeepTheRateTheyCameInAtAndStaffHeadsAreOverheads) {
    if (!db) return;
    exec(*db, "insert into Item (ItemId, ItemCode, CategoryCode, Rate) values (11, 'BAR', 1, 40.5)");
    Sql::transaction(*db, [&] {
        const qint64 note = inventory::Stores::raiseNote(*db, inventory::NoteSource::PurchaseBill, "ALPHA STEEL",
                                                         {{11, 2, 37.25}, {11, 3, std::nullopt}});
        EXPECT_EQ(count(*db, "select count(*) from STNSub where Id=? and Rate=37.25", {note}), 1);
        EXPECT_EQ(count(*db, "select count(*) from STNSub where Id=? and Rate=40.5", {note}), 1);
    });
    EXPECT_EQ(count(*db, "select count(*) from Expense where ExpenseCode in (1, 2) and IsDirect = FALSE"), 2);
}

KAVRA_ON_EVERY_ENGINE(ProfitAndLossTest);

}  // namespace
