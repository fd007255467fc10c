// Purchase orders on both engines: our numbers restarting every financial year, the
// vendor's contacts and terms carried to the next order, the value without taxes, what is
// still to receive and the refusals once goods have come in.
#include <QSqlQuery>

#include "core/Refusal.h"
#include "core/Sql.h"
#include "core/chain/Orders.h"
#include "purchase/PurchaseKinds.h"
#include "purchase/PurchaseOrders.h"
#include "support/ChainDocs.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::purchase;
using namespace kavra::test;

namespace {

class PurchaseOrder : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Vendor (VendorCode, VendorName, VendorAddr, CSTNo, KSTNo, Contact) values "
             "(1, 'STEEL HOUSE', 'Bommasandra', 'CST-1', 'KST-1', 'Mr Rao'), (2, 'COPPER CO', 'Hosur', '', '', '')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, Rate) values "
             "(1, 'A100', 'Bolt', 5, 'NOS', 'BOX', 40), (2, 'B200', 'Bush', 7, 'NOS', '', 0)");
    }

    Orders::Order order(qint64 id, qint64 vendor, const QString& no, const QDate& day, std::initializer_list<L> lines) {
        Orders::Order o;
        o.id = id;
        o.vendorCode = vendor;
        o.poNo = no;
        o.poDate = day;
        o.validFrom = day;
        o.validTo = day.addDays(90);
        o.lines = orderLines(lines);
        o.value = Orders::computedValue(o);
        return o;
    }
    void saveOrder(const Orders::Order& o, bool adding = true) {
        const auto p = Orders::validate(*db, o, adding);
        ASSERT_FALSE(p) << p->text.toStdString();
        Sql::transaction(*db, [&] { Orders::save(*db, o, adding); });
    }
    QList<double> toReceive(qint64 poId) {
        QList<double> out;
        QSqlQuery q = Sql::exec(*db, "select QtyToReci from PurchPOSub where POId=? order by SlNo", {poId});
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    QString value(const QString& sql, const QVariantList& p = {}) { return Sql::scalar(*db, sql, p).toString(); }

    QSqlDatabase* db = nullptr;
};

TEST_P(PurchaseOrder, NumbersRestartEveryFinancialYear) {
    EXPECT_EQ(Orders::proposedNumber(*db, QDate(2026, 6, 10)), "1");
    saveOrder(order(1, 1, "7", QDate(2026, 6, 1), {{"A100", 10, "2"}}));
    saveOrder(order(2, 1, "8", QDate(2027, 3, 31), {{"A100", 10, "2"}}));
    EXPECT_EQ(Orders::proposedNumber(*db, QDate(2027, 1, 5)), "9");
    // The first order of the next year is 1 whatever the last year ended at.
    EXPECT_EQ(Orders::proposedNumber(*db, QDate(2027, 4, 1)), "1");
    saveOrder(order(3, 1, "8", QDate(2027, 4, 1), {{"B200", 5, "3"}}));  // another year: allowed
    EXPECT_EQ(Orders::proposedNumber(*db, QDate(2027, 6, 1)), "9");
    EXPECT_EQ(Orders::proposedNumber(*db, QDate(2026, 12, 1)), "9");

    // Within the year the number is refused, for any vendor, and the focus goes to the vendor list.
    const auto dup = Orders::validate(*db, order(4, 1, "8", QDate(2026, 12, 1), {{"A100", 1, "2"}}), true);
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->text, " A Record with same Order No. already exist...");
    EXPECT_EQ(dup->field, "cmbVendor");
    EXPECT_EQ(dup->icon, MsgIcon::Critical);
    // Modifying an order keeps its own number.
    EXPECT_FALSE(Orders::validate(*db, order(2, 1, "8", QDate(2027, 3, 31), {{"A100", 10, "2"}}), false));

    // A bill quoting this year's order 8 leaves last year's order 8 of the same vendor free.
    exec(*db, "insert into Purchase (PurchId, VendorCode, InvNo, PONo, PODateT) values (1, 1, 'B-1', '8', ?)",
         {at(2027, 4, 1)});
    EXPECT_TRUE(Orders::deleteBlock(*db, 3));
    EXPECT_FALSE(Orders::deleteBlock(*db, 2));
    Sql::transaction(*db, [&] { chain::Orders::changeNumber(*db, orderKind(), {2, "18", QDate(2027, 3, 31)}); });
    EXPECT_EQ(value("select PONo from Purchase where PurchId=1"), "8");
    EXPECT_EQ(value("select PONo from PurchPO where POId=2"), "18");
    EXPECT_EQ(Orders::proposedNumber(*db, QDate(2027, 1, 5)), "19");

    // Search shows the newest order of a number.
    const auto found = chain::Orders::find(*db, orderKind(), "8", 0);
    EXPECT_EQ(found.id, 3);
    EXPECT_TRUE(found.message.isEmpty());
    const auto none = chain::Orders::find(*db, orderKind(), "99", 1);
    EXPECT_FALSE(none.id);
    EXPECT_EQ(none.message, " NO Purchase Order exists with this No.");
}

TEST_P(PurchaseOrder, VendorDetailsTermsValueAndWrite) {
    auto o = order(1, 1, "1", QDate(2026, 6, 1), {{"A100", 10, "2.5"}, {"B200", 4, "5"}});
    o.lines[0].discount = 10;
    o.lines[1].uom = "PKT";  // a unit not known yet
    o.kindAttn = "Ms Iyer";
    o.body = "Delivery within 30 days.";
    o.refQuoteNo = "Q-77";
    o.refQuoteDate = QDate(2026, 5, 20);
    o.testCert = true;
    // Qty × Rate less the discount, nothing else: 22.50 + 20.00.
    o.value = Orders::computedValue(o);
    EXPECT_EQ(o.value, Money::fromPaise(4250));
    saveOrder(o);
    EXPECT_EQ(toReceive(1), QList<double>({10, 4}));
    EXPECT_EQ(value("select PurchVal from PurchPO where POId=1"), "4250");
    EXPECT_EQ(value("select CategoryCode from PurchPOSub where POId=1 and SlNo=2"), "7");
    EXPECT_EQ(value("select MeasureName from Measurement where MeasureCode='PKT'"), "-");
    EXPECT_TRUE(Sql::scalar(*db, "select IsTestCert from PurchPO where POId=1").toBool());
    EXPECT_FALSE(Sql::scalar(*db, "select POTally from PurchPO where POId=1").toBool());

    // Another vendor's order without a contact keeps a single blank.
    saveOrder(order(2, 2, "2", QDate(2026, 6, 2), {{"A100", 1, "3"}}));
    EXPECT_EQ(value("select KindAttn from PurchPO where POId=2"), " ");

    const Orders::VendorDetails v = Orders::vendorDetails(*db, 1);
    EXPECT_EQ(v.address, "Bommasandra");
    EXPECT_EQ(v.kst, "KST-1");
    EXPECT_EQ(v.contacts, QStringList({"Ms Iyer", "Mr Rao"}));
    EXPECT_TRUE(Orders::vendorDetails(*db, 2).contacts.isEmpty());
    EXPECT_EQ(Orders::latestTerms(*db, 1), "Delivery within 30 days.");
    EXPECT_EQ(Orders::latestTerms(*db, 2), "");

    // The rate of the item's latest order line, else the item's own.
    EXPECT_EQ(Orders::proposedRate(*db, 1), qMakePair(3.0, 0.0));
    exec(*db, "delete from PurchPOSub where ItemId=1");
    EXPECT_EQ(Orders::proposedRate(*db, 1), qMakePair(40.0, 0.0));

    exec(*db, "update Misc set ReTrkRejPurch=?", {true});
    EXPECT_TRUE(Orders::reTrackByDefault(*db));
}

TEST_P(PurchaseOrder, HeaderChecksInTheirOrder) {
    auto o = order(1, 0, "", QDate(2026, 6, 1), {});
    auto text = [&] { return refusalText(Orders::validate(*db, o, true)); };
    EXPECT_EQ(text(), "Please Select a VENDOR.....");
    o.vendorCode = 1;
    EXPECT_EQ(text(), "Enter the Purchase Order Number..... ");
    o.poNo = "1";
    const auto noValue = Orders::validate(*db, o, true);
    ASSERT_TRUE(noValue);
    EXPECT_EQ(noValue->text,
              "Enter the purchase Order Value!!! \n Double Click the box to obtain value from the system");
    EXPECT_EQ(noValue->icon, MsgIcon::Information);
    o.value = Money::fromPaise(100);
    EXPECT_EQ(text(), "Please Enter the item details by clicking the grid heading...");
}

TEST_P(PurchaseOrder, ReceivedGoodsHoldTheOrder) {
    saveOrder(order(1, 1, "5", QDate(2026, 6, 1), {{"A100", 10, "2"}, {"B200", 6, "4"}}));
    EXPECT_FALSE(Orders::deleteBlock(*db, 1));
    // A bill received 4 of the bolts.
    exec(*db, "update PurchPOSub set QtyToReci=6 where POId=1 and SlNo=1");
    exec(*db, "insert into Purchase (PurchId, VendorCode, InvNo, PONo, PODateT) values (1, 1, 'B-1', '5', ?)",
         {at(2026, 6, 1)});
    EXPECT_EQ(refusalText(Orders::deleteBlock(*db, 1)),
              "You cannot delete this Purchase Order , since some transactions has been made already...");

    auto o = order(1, 1, "5", QDate(2026, 6, 1), {{"A100", 3, "2"}, {"B200", 6, "4"}});
    const auto below = Orders::validate(*db, o, false);
    ASSERT_TRUE(below);
    EXPECT_EQ(below->text,
              "Since 4 NOS of 'Bolt' has been Received from Vendor Already, \n Qty should be greater or equal to 4");
    EXPECT_EQ(below->resetCell, "4");

    // The bill was made without re-tracking: the box cannot be ticked now.
    o = order(1, 1, "5", QDate(2026, 6, 1), {{"A100", 12, "2"}, {"B200", 6, "4"}});
    o.reTrkRej = true;
    EXPECT_EQ(refusalText(Orders::validate(*db, o, false)),
              "Some transactions has been made already with this purchase order!!!  Now you should not change the "
              "'Rejections Re-Tracking with this PO Required' !!!\nChange it by  removing the tick mark from it.");
    o.reTrkRej = false;
    saveOrder(o, false);
    EXPECT_EQ(toReceive(1), QList<double>({8, 6}));

    // Everything received closes the order.
    exec(*db, "update PurchPOSub set QtyToReci=0 where POId=1");
    saveOrder(order(1, 1, "5", QDate(2026, 6, 1), {{"A100", 12, "2"}, {"B200", 6, "4"}}), false);
    EXPECT_TRUE(Sql::scalar(*db, "select POTally from PurchPO where POId=1").toBool());
}

KAVRA_ON_EVERY_ENGINE(PurchaseOrder);

}  // namespace
