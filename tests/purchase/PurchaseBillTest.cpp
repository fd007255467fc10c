// Vendors' bills on both engines: the order counted down and tallied by the bills, the
// goods into the stores as each bill's lots in the stock unit, a change giving back exactly
// what the stored bill took, the blocks once its lots are issued from, and the value of a
// bill as the books have always worked it out.
#include <QSqlQuery>

#include "core/Sql.h"
#include "core/chain/Orders.h"
#include "inventory/Stores.h"
#include "purchase/PurchaseBills.h"
#include "purchase/PurchaseKinds.h"
#include "support/ChainDocs.h"
#include "support/TestEnv.h"
#include "support/TwoDesks.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::purchase;
namespace Stores = kavra::inventory::Stores;

namespace {

using Q = QList<double>;

class PurchaseBill : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Vendor (VendorCode, VendorName, VendorAddr) values (1, 'STEELCO', 'Peenya'), "
             "(2, 'BRASSWORKS', 'Hosur')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, Rate) values "
             "(1, 'RM-1', 'Round bar', 1, 'NOS', 'KGS', 50), (2, 'RM-2', 'Sheet', 1, 'NOS', 'NOS', 0), "
             "(3, 'CO-1', 'Coolant', 2, 'LTR', 'LTR', 120)");
        // Our order 1 to STEELCO: 100 kg of bar, 40 sheets, 20 litres of coolant.
        chain::Orders::Header h{1, 1, "1", QDate(2026, 6, 1), {}};
        const QList<chain::Orders::Line> lines =
            orderLines({{"RM-1", 100, "48.5"}, {"RM-2", 40, "310"}, {"CO-1", 20, "0"}});
        Sql::transaction(*db, [&] { chain::Orders::save(*db, orderKind(), h, lines, true); });
    }

    Bills::Bill bill(qint64 id, const QString& no, std::initializer_list<Bills::Line> lines, const QString& po = "1") {
        Bills::Bill b;
        b.id = id;
        b.vendor = 1;
        b.invNo = no;
        b.invDate = QDate(2026, 6, 12);
        b.poNo = po;
        b.poDate = QDate(2026, 6, 1);
        b.tax = Bills::TaxKind::VAT;
        b.lines = lines;
        return b;
    }
    static Bills::Line line(const char* code, double qty, double altQty, double rate) {
        Bills::Line l;
        l.itemCode = code;
        l.qty = qty;
        l.altQty = altQty;
        l.rate = rate;
        return l;
    }
    QString check(const Bills::Bill& b, bool adding = true) {
        return refusalText(Bills::validate(*db, b, adding, false));
    }
    void save(const Bills::Bill& b, bool adding = true) {
        ASSERT_EQ(check(b, adding), "");
        try {
            Sql::transaction(*db, [&] { Bills::save(*db, b, adding, false); });
        } catch (const Refused& r) {
            FAIL() << r.text().toStdString();
        }
    }
    Q toReceive() {
        Q out;
        QSqlQuery q = Sql::exec(*db, "select QtyToReci from PurchPOSub where POId=1 order by SlNo");
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    bool tallied() { return Sql::scalar(*db, "select POTally from PurchPO where POId=1").toBool(); }
    double stock(qint64 item) { return Stores::stockOf(*db, item); }

    QSqlDatabase* db = nullptr;
};

TEST_P(PurchaseBill, OrderCountedDownByTwoBillsAndEverythingGivenBack) {
    // Bill 1: 60 kg of bar arriving as 12 bars, 10 sheets.
    save(bill(1, "V-101", {line("RM-1", 60, 12, 242.5), line("RM-2", 10, 10, 310)}));
    EXPECT_EQ(toReceive(), (Q{40, 30, 20}));
    EXPECT_FALSE(tallied());
    EXPECT_EQ(stock(1), 12);  // the stock unit goes into the stores
    EXPECT_EQ(stock(2), 10);
    EXPECT_EQ(count(*db, "select count(*) from STN where TS=2"), 1);
    EXPECT_EQ(count(*db, "select count(*) from PurchaseSub where PurchId=1 and StkQty=AltQty and CategoryCode=1"), 2);
    EXPECT_EQ(count(*db, "select TotVal from Purchase where PurchId=1"), 6010 * 100);  // 12 x 242.50 + 10 x 310

    // More than the order still expects is refused; bill 2 takes the rest and tallies the order.
    EXPECT_EQ(check(bill(2, "V-102", {line("RM-1", 41, 8, 242.5)})), "In Row: 1 , Qty should not be greater than 40");
    EXPECT_EQ(check(bill(2, "V-102", {line("RM-3", 1, 1, 1)})),
              "Item. does not exist ... Press F5 Key to Add New Items!!! ");
    save(bill(2, "V-102", {line("RM-1", 40, 8, 242.5), line("RM-2", 30, 30, 310), line("CO-1", 20, 20, 120)}));
    EXPECT_EQ(toReceive(), (Q{0, 0, 0}));
    EXPECT_TRUE(tallied());

    // Bill 1 changed down and up: the order gets back what it took, then takes the new figures.
    Bills::Bill b1 = *Bills::load(*db, 1);
    b1.lines[0].qty = 50;
    b1.lines[0].altQty = 10;
    save(b1, false);
    EXPECT_EQ(toReceive(), (Q{10, 0, 0}));
    EXPECT_FALSE(tallied());
    EXPECT_EQ(stock(1), 18);
    b1.lines[0].qty = 61;
    EXPECT_EQ(check(b1, false), "In Row: 1 , Qty should not be greater than 60");
    b1.lines[0].qty = 60;
    b1.lines[0].altQty = 12;
    save(b1, false);
    EXPECT_EQ(toReceive(), (Q{0, 0, 0}));
    EXPECT_TRUE(tallied());

    // Material issued from bill 2's lots: it can no longer change.
    QSqlDatabase& d = *db;
    Sql::transaction(d, [&] {
        Stores::raiseIssue(d, inventory::IssueSource::Manual, QDate(2026, 6, 13), "Shop", " ", {{3, 2, 5}});
    });
    EXPECT_EQ(refusalText(Bills::changeBlock(d, 2, false)),
              "Modification is not Allowed, Since Some material has been issued  from this Purchase Bill: V-102");
    EXPECT_EQ(refusalText(Bills::changeBlock(d, 2, true)),
              "Deletion is not Allowed, Since Some material has been issued  from this Purchase Bill: V-102");
    EXPECT_EQ(refusalText(Bills::clickBlock(d, 2)), "Modification is not Allowed in this context.");
    EXPECT_EQ(refusalText(chain::Orders::deleteBlock(d, orderKind(), 1)),
              "You cannot delete this Purchase Order , since some transactions has been made already...");

    // Bill 1 deleted: its quantities back on the order and out of the stores.
    ASSERT_EQ(refusalText(Bills::changeBlock(d, 1, true)), "");
    Sql::transaction(d, [&] { Bills::remove(d, 1); });
    EXPECT_EQ(toReceive(), (Q{60, 10, 0}));
    EXPECT_FALSE(tallied());
    EXPECT_EQ(stock(1), 8);
    EXPECT_EQ(count(d, "select count(*) from STN where TS=2"), 1);

    // Paid: neither change nor delete.
    exec(d, "update Purchase set Balance=0 where PurchId=2");
    exec(d, "delete from StoreIssSub");
    exec(d, "update STNSub set BalQty=Qty");
    EXPECT_EQ(refusalText(Bills::changeBlock(d, 2, false)),
              "Modification not allowed , since some cash flow has been made in this Purchase Bill: V-102");
}

TEST_P(PurchaseBill, HeaderRefusalsDuplicatesAndChargesReadBackAsTyped) {
    Bills::Bill b = bill(1, "V-7", {line("RM-1", 10, 2, 242.5)});
    b.vendor = 0;
    EXPECT_EQ(check(b), "Please Select a Vendor.....");
    b.vendor = 1;
    b.tax = Bills::TaxKind::None;
    EXPECT_EQ(check(b), "Enter  the type of TAX :  VAT or CST ?");
    b.tax = Bills::TaxKind::CST;
    EXPECT_EQ(check(b), "");
    Bills::Bill off = b;
    exec(*db,
         "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values (4, 'X-1', 'X', 2, 'NOS')");
    off.lines = {line("X-1", 1, 1, 1)};
    EXPECT_EQ(check(off), "Enter the Suitable Item which is  available in the PO...  ");
    off.poNo.clear();  // without an order any item will do, and no order is touched
    EXPECT_EQ(check(off), "");
    off.invNo.clear();
    EXPECT_EQ(check(off), "Enter the Invoice Number..... ");

    // Percentage packing and final discount, kept as amounts and read back as typed.
    b.packForwd = 2;
    b.packPerc = true;
    b.insurance = 15;
    b.finalDisc = 5;
    b.finalDiscPerc = true;
    save(b);
    // 485 + 2% = 494.70 + 15 = 509.70, less 5% (25.49) = 484.21.
    EXPECT_EQ(count(*db, "select TotVal from Purchase where PurchId=1"), 48421);
    EXPECT_DOUBLE_EQ(Sql::scalar(*db, "select PackForwd from Purchase").toDouble(), 9.7);
    const Bills::Bill back = *Bills::load(*db, 1);
    EXPECT_DOUBLE_EQ(back.packForwd, 2);
    EXPECT_DOUBLE_EQ(back.finalDisc, 5);
    EXPECT_EQ(back.tax, Bills::TaxKind::CST);
    EXPECT_EQ(Bills::proposedTax(*db, 1), Bills::TaxKind::CST);

    // The same vendor's number on the same date is refused, on another date accepted.
    Bills::Bill again = bill(2, "V-7", {line("RM-1", 1, 1, 1)});
    EXPECT_EQ(check(again), " A Record with same Invoice Number already exists ...");
    again.invDate = QDate(2026, 6, 13);
    EXPECT_EQ(check(again), "");
    Bills::Bill other = again;
    other.vendor = 2;
    other.poNo.clear();
    other.invDate = b.invDate;
    EXPECT_EQ(check(other), "");  // another vendor's number is its own
    save(again);
    again.invDate = b.invDate;
    EXPECT_EQ(check(again, false), "Your Modification conflicts with some existing records !!!");
}

// Two desks booking the order's last 100 kg at once: one bill is refused, the order never goes below 0.
TEST_P(PurchaseBill, TwoDesksReceivingTheSameBalanceOneIsRefused) {
    save(bill(1, "V-1", {line("RM-1", 60, 12, 242.5)}));
    const auto r = twoDesks([&](QSqlDatabase& conn, int i) {
        Bills::save(conn, bill(2 + i, QString("V-%1").arg(2 + i), {line("RM-1", 40, 8, 242.5)}), true, false);
    });
    EXPECT_TRUE(r[0].error.isEmpty() && r[1].error.isEmpty()) << r[0].error.toStdString() << r[1].error.toStdString();
    EXPECT_NE(r[0].ok, r[1].ok);
    EXPECT_EQ(r[0].ok ? r[1].refused : r[0].refused, "In Row: 1 , Qty should not be greater than 0");
    EXPECT_EQ(toReceive(), (Q{0, 40, 20}));
    EXPECT_EQ(count(*db, "select count(*) from Purchase"), 2);
    EXPECT_EQ(stock(1), 20);
}

KAVRA_ON_EVERY_ENGINE(PurchaseBill);

// The line amount in single precision to the even paisa, the bill in double precision.
TEST(PurchaseBillValue, LinesAndBills) {
    struct Case {
        BillValue::Line line;
        const char* amount;
    };
    for (const Case& c :
         {Case{{0.25, 40.50}, "10.12"}, Case{{3, 456789.13}, "1370367.38"}, Case{{10, 25, 10}, "225.00"},
          // 100 goods + 10 duty + 2% and 1% of it = 110.30, then 12.5% tax.
          Case{{1, 100, 0, 10, 2, 1, 12.5}, "124.09"}})
        EXPECT_EQ(BillValue::lineAmount(c.line).toString(), c.amount) << c.line.altQty << " x " << c.line.rate;

    BillValue::Input in;
    in.lines = {{1, 1000.55}, {2, 100}};  // 1200.55
    in.packForwd = 10;
    in.insurance = 4.5;
    in.otherCharges = 0.4;
    in.finalDisc = 0.2;
    BillValue::Result r = BillValue::compute(in);
    EXPECT_EQ(r.total.toString(), "1215.25");
    in.roundRupees = true;
    EXPECT_EQ(BillValue::compute(in).total.toString(), "1215.00");
    in.packPerc = in.finalDiscPerc = true;
    in.packForwd = 1;   // 12.0055
    in.finalDisc = 10;  // of 1217.4555: 121.75
    r = BillValue::compute(in);
    EXPECT_DOUBLE_EQ(r.storedPackForwd, 12.01);
    EXPECT_DOUBLE_EQ(r.storedFinalDisc, 121.75);
    EXPECT_EQ(r.total.toString(), "1096.00");  // 1095.7055, halves up to whole rupees
}

}  // namespace
