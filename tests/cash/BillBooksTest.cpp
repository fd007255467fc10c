// The invoices money settles, on both engines: open bills one per invoice however many DC
// rows carry it, an amount spread over them in invoice order, every row of an invoice
// settled at once, and a guarded book refusing what another desk took meanwhile.
#include "cash/BillBooks.h"
#include "core/Sql.h"
#include "support/TestEnv.h"
#include "support/TwoDesks.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class BillBooksTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
        db = &company();
        exec(*db, "insert into Customer (CustId, CustName) values (1, 'ACME'), (2, 'BHARAT')");
        // Invoice A of 1,000.00 over two DCs, B of 800.00, another customer's C.
        exec(*db,
             "insert into DcInv (DcInvId, CustId, DcNo, InvNo, TotVal, Balance) values (1, 1, '1', 'A', 100000, "
             "100000), (2, 1, '2', 'A', 100000, 100000), (3, 1, '3', 'B', 80000, 80000), (4, 2, '4', 'C', 5000, "
             "5000), (5, 1, '5', null, 0, 0)");
        exec(*db,
             "insert into InvoiceServOut (DcId, CustId, InvNo, TotVal, Balance) values (1, 1, 'S1', 20000, 20000)");
    }
    qint64 balance(const char* table, const char* no) {
        return count(*db, QString("select max(Balance) from %1 where InvNo=?").arg(table), {no});
    }
    QString refusalOf(const std::function<void()>& work) {
        try {
            Sql::transaction(*db, work);
        } catch (const Refused& r) {
            return r.text();
        }
        return {};
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(BillBooksTest, SpreadSettleAndGiveBack) {
    const BillBooks::Book sales = *BillBooks::forIncomeHead(1);
    EXPECT_FALSE(BillBooks::forIncomeHead(4));
    const auto open = BillBooks::openBills(*db, sales, 1);
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(open[0].invNo, "A");
    EXPECT_EQ(open[0].balance.toString(), "1000.00");
    EXPECT_EQ(BillBooks::outstanding(*db, sales, 1).toString(), "1800.00");

    const auto applied = BillBooks::spread(Money::parse("1500"), open);
    ASSERT_EQ(applied.size(), 2);
    EXPECT_EQ(applied[1].invNo, "B");
    EXPECT_EQ(applied[1].amount.toString(), "500.00");
    EXPECT_EQ(BillBooks::spread(Money::parse("2500"), open).size(), 2);  // the rest stays unapplied
    Sql::transaction(*db, [&] {
        for (const auto& a : applied) BillBooks::settle(*db, sales, 1, a.invNo, a.amount);
    });
    EXPECT_EQ(count(*db, "select count(*) from DcInv where InvNo='A' and Balance=0"), 2);  // both DC rows
    EXPECT_EQ(balance("DcInv", "B"), 30000);
    EXPECT_EQ(BillBooks::openBills(*db, sales, 1).size(), 1);
    EXPECT_EQ(refusalOf([&] { BillBooks::settle(*db, sales, 1, "B", Money::parse("300.01")); }),
              "Enter the Amount Lesser than / Equal to the Bill Value");
    Sql::transaction(*db, [&] { BillBooks::settle(*db, sales, 1, "A", -Money::parse("1000")); });  // given back
    EXPECT_EQ(balance("DcInv", "A"), 100000);

    // Service invoices are one row each and not guarded.
    const BillBooks::Book service = *BillBooks::forIncomeHead(3);
    Sql::transaction(*db, [&] { BillBooks::settle(*db, service, 1, "S1", Money::parse("250")); });
    EXPECT_EQ(balance("InvoiceServOut", "S1"), -5000);
}

TEST_P(BillBooksTest, TwoDesksNeverTakeAnInvoiceBelowNothing) {
    const BillBooks::Book sales = *BillBooks::forIncomeHead(1);
    const auto r =
        twoDesks([&](QSqlDatabase& conn, int) { BillBooks::settle(conn, sales, 1, "B", Money::parse("600")); });
    EXPECT_TRUE(r[0].error.isEmpty() && r[1].error.isEmpty()) << r[0].error.toStdString() << r[1].error.toStdString();
    EXPECT_NE(r[0].ok, r[1].ok);
    EXPECT_EQ(balance("DcInv", "B"), 20000);
}

KAVRA_ON_EVERY_ENGINE(BillBooksTest);

}  // namespace
