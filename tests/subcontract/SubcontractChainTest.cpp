// Subcontracting on both engines: our work order, the material out on our DCs against it,
// what is left to send and what lies with the supplier, the stock the DCs issue and its
// exact return, the DC numbers shared with the other books, and the refusals.
#include <QSqlQuery>

#include "core/ClsProd.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/chain/Form39.h"
#include "core/chain/Orders.h"
#include "inventory/Stores.h"
#include "jobwork/LabourKinds.h"
#include "purchase/PurchaseBills.h"
#include "subcontract/OutgoingDcs.h"
#include "subcontract/SubcontractKinds.h"
#include "subcontract/WorkOrders.h"
#include "support/ChainDocs.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"
#include "support/TwoDesks.h"

using namespace kavra;
using namespace kavra::subcontract;
using namespace kavra::test;
namespace Stores = kavra::inventory::Stores;
namespace Challans = kavra::chain::Challans;

namespace {

using Q = QList<double>;

class SubcontractChain : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Supplier (SuppId, SuppName, SuppAddr, Contact) values (1, 'PLATERS', 'Peenya', 'Ravi'), "
             "(2, 'HEATTREAT', 'Hosur', ' ')");
        exec(*db, "insert into Vendor (VendorCode, VendorName) values (1, 'STEELCO')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, Rate) values "
             "(1, 'A100', 'Bolt', 1, 'NOS', 'NOS', 4), (2, 'B200', 'Bush', 1, 'NOS', 'NOS', 0)");
    }

    WorkOrders::Order order(qint64 id, qint64 supp, const QString& no, std::initializer_list<L> lines,
                            const QDate& day = QDate(2026, 6, 1)) {
        WorkOrders::Order o;
        o.id = id;
        o.suppId = supp;
        o.poNo = no;
        o.poDate = day;
        o.validFrom = day;
        o.validTo = day.addMonths(6);
        o.lines = orderLines(lines);
        for (auto& l : o.lines) {
            l.rate = 3;
            l.itemName = l.itemCode == "A100" ? "Bolt" : "Bush";
        }
        o.value = WorkOrders::computedValue(o);
        return o;
    }
    QString orderRefusal(const WorkOrders::Order& o, bool adding = true) {
        return refusalText(WorkOrders::validate(*db, o, adding));
    }
    void saveOrder(const WorkOrders::Order& o, bool adding = true) {
        ASSERT_EQ(orderRefusal(o, adding), "");
        Sql::transaction(*db, [&] { WorkOrders::save(*db, o, adding); });
    }

    Challans::Record dc(qint64 id, const QString& no, std::initializer_list<L> lines, const QString& po = "1") {
        Challans::Record d = dcOf(id, 1, no, po, lines, "Plating ");
        for (auto& l : d.lines) l.rate = 12.5;
        return d;
    }
    QString dcRefusal(const Challans::Record& d, bool adding = true) {
        return refusalText(Challans::validate(*db, outgoingKind(), Challans::toDc(outgoingKind(), d), adding,
                                              Challans::linkedToStock(*db, outgoingKind()), mode()));
    }
    void save(const Challans::Record& d, bool adding = true) {
        ASSERT_EQ(dcRefusal(d, adding), "");
        Sql::transaction(*db, [&] { saveOn(*db, d, adding); });
    }
    static void saveOn(QSqlDatabase& conn, const Challans::Record& d, bool adding) {
        Challans::save(conn, outgoingKind(), Challans::toDc(outgoingKind(), d), adding,
                       Challans::linkedToStock(conn, outgoingKind()), mode(), {});
    }
    void remove(qint64 id) {
        ASSERT_EQ(refusalText(Challans::changeBlock(*db, outgoingKind(), id, true)), "");
        Sql::transaction(*db, [&] { Challans::remove(*db, outgoingKind(), id, {}); });
    }
    static int mode() { return Session::current().dcMode; }

    // Stock bought in on two bills: lots of 30 and 50 of A100, 40 of B200.
    void buyStock() {
        exec(*db, "update Misc set RedStkM=?", {false});
        int n = 0;
        for (auto [code, qty] : {std::pair{"A100", 30.0}, {"A100", 50.0}, {"B200", 40.0}}) {
            purchase::Bills::Bill b;
            b.id = ++n;
            b.vendor = 1;
            b.invNo = QString("V-%1").arg(n);
            b.invDate = QDate(2026, 6, 2);
            b.tax = purchase::Bills::TaxKind::VAT;
            purchase::Bills::Line l;
            l.itemCode = code;
            l.qty = l.altQty = qty;
            l.rate = 10;
            b.lines = {l};
            ASSERT_EQ(refusalText(purchase::Bills::validate(*db, b, true, false)), "");
            Sql::transaction(*db, [&] { purchase::Bills::save(*db, b, true, false); });
        }
    }

    Q column(const QString& sql, const QVariantList& p = {}) {
        Q out;
        QSqlQuery q = Sql::exec(*db, sql, p);
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    Q toSend() { return column("select QtyToSend from SubConPOSub where POId=1 order by SlNo"); }
    Q toReceive() { return column("select QtyToReci from SubConPOSub where POId=1 order by SlNo"); }
    Q withSupplier(qint64 dcId) {
        return column("select BalQty from DcSubConOutgoingSub where DcId=? order by SlNo", {dcId});
    }
    Q lots() { return column("select BalQty from STNSub order by Id, SlNo"); }
    bool flag(const char* col) {
        return Sql::scalar(*db, QString("select %1 from SubConPO where POId=1").arg(col)).toBool();
    }
    QString text(const QString& sql, const QVariantList& p = {}) { return Sql::scalar(*db, sql, p).toString(); }

    QSqlDatabase* db = nullptr;
};

// The whole road with the stock link on: everything undone leaves nothing over.
TEST_P(SubcontractChain, OrderSentOutOnTwoDcsAndBackToTheStart) {
    buyStock();
    exec(*db, "update Misc set RedStkSC=?", {true});
    saveOrder(order(1, 1, "1", {{"A100", 60}, {"B200", 40}}));
    EXPECT_EQ(toSend(), Q({60, 40}));
    EXPECT_EQ(toReceive(), Q({60, 40}));
    EXPECT_FALSE(flag("POTallyS"));
    EXPECT_EQ(Challans::openOrders(*db, outgoingKind(), 1), QStringList{"1"});

    // DC 1: 40 of the bolts (the first lot and 10 of the second) and 10 bushes.
    auto one = dc(1, "1", {{"A100", 40}, {"B200", 10}});
    one.estiWt = "12";
    save(one);
    EXPECT_EQ(toSend(), Q({20, 30}));
    EXPECT_EQ(toReceive(), Q({60, 40}));
    EXPECT_EQ(withSupplier(1), Q({40, 10}));
    EXPECT_EQ(lots(), Q({0, 40, 30}));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss where TI=3 and DOI=?", {QDate(2026, 6, 10)}), 1);
    EXPECT_EQ(text("select ToWhom from StoreIss"), "PLATERS");
    EXPECT_TRUE(Sql::scalar(*db, "select duedate from DcSubConOutgoing where DcId=1").isNull());
    EXPECT_EQ(text("select EstiWt from DcSubConOutgoing where DcId=1"), "12");
    EXPECT_DOUBLE_EQ(OutgoingDcs::proposedRate(*db, 1), 12.5);
    EXPECT_DOUBLE_EQ(OutgoingDcs::proposedRate(*db, 2), 12.5);

    // Beyond the order's balance or the stock is refused; DC 2 sends the rest and closes the order.
    EXPECT_EQ(dcRefusal(dc(2, "2", {{"A100", 21}})), "In Row: 1 , Qty should not be greater than 20");
    auto two = dc(2, "2", {{"A100", 20}, {"B200", 30}});
    two.dueDate = QDate(2026, 7, 1);
    save(two);
    EXPECT_EQ(toSend(), Q({0, 0}));
    EXPECT_TRUE(flag("POTallyS"));
    EXPECT_FALSE(flag("POTally"));
    EXPECT_EQ(lots(), Q({0, 20, 0}));
    EXPECT_TRUE(Challans::openOrders(*db, outgoingKind(), 1).isEmpty());
    EXPECT_EQ(Challans::record(*db, outgoingKind(), 2)->dueDate, QDate(2026, 7, 1));

    // DC 1 down and up: the order and the lots move by exactly the change.
    one.lines[0].qty = 25;
    save(one, false);
    EXPECT_EQ(toSend(), Q({15, 0}));
    EXPECT_FALSE(flag("POTallyS"));
    EXPECT_EQ(lots(), Q({5, 30, 0}));
    // While it is modified its own issue counts as stock.
    Challans::Context ctx{1, "1", Challans::storedOf(*Challans::record(*db, outgoingKind(), 1)), {}};
    const auto fig = Challans::figures(*db, outgoingKind(), ctx, {1});
    EXPECT_DOUBLE_EQ(fig.value(1).stock, 60);
    EXPECT_DOUBLE_EQ(fig.value(1).poBalance, 40);
    one.lines[0].qty = 40;
    save(one, false);
    EXPECT_EQ(toSend(), Q({0, 0}));
    EXPECT_TRUE(flag("POTallyS"));
    EXPECT_EQ(lots(), Q({0, 20, 0}));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss"), 2);
    EXPECT_TRUE(refusalText(WorkOrders::validate(*db, order(1, 1, "1", {{"A100", 50}, {"B200", 40}}), false))
                    .startsWith("Since 60 NOS of 'Bolt' has been sent to subContractor Already, \n Qty should"));
    EXPECT_EQ(refusalText(chain::Orders::deleteBlock(*db, orderKind(), 1)),
              "You cannot delete this Purchase Order , since some transactions has been made already...");

    remove(2);
    remove(1);
    EXPECT_EQ(toSend(), Q({60, 40}));
    EXPECT_FALSE(flag("POTallyS"));
    EXPECT_EQ(lots(), Q({30, 50, 40}));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss"), 0);
    EXPECT_EQ(count(*db, "select count(*) from StoreIssSub"), 0);
    EXPECT_EQ(count(*db, "select count(*) from DcSubConOutgoingSub"), 0);
    EXPECT_EQ(refusalText(chain::Orders::deleteBlock(*db, orderKind(), 1)), "");
}

// Part of a DC has come back: its lines change in place, never below what came back, and
// it can no longer be deleted.
TEST_P(SubcontractChain, ADcPartlyBackChangesInPlace) {
    saveOrder(order(1, 1, "1", {{"A100", 60}, {"B200", 40}}));
    auto d = dc(1, "1", {{"A100", 40}, {"B200", 10}});
    save(d);
    // What the supplier's DC would do.
    exec(*db, "update DcSubConOutgoingSub set BalQty=BalQty-15 where DcId=1 and SlNo=1");
    EXPECT_EQ(refusalText(Challans::changeBlock(*db, outgoingKind(), 1, true)),
              "You cannot delete this DC , since some Finished Items has been received back from this supplier in "
              "this regard!!!");
    EXPECT_EQ(refusalText(Challans::changeBlock(*db, outgoingKind(), 1, false)), "");
    d.lines[0].qty = 10;
    EXPECT_EQ(dcRefusal(d, false),
              "Since 15 NOS  of 'Bolt' has been received Already from Supplier(SubContractor), \n Qty should be "
              "greater or equal to 15");
    d.lines[0].qty = 30;
    d.lines[1].rate = 7;
    save(d, false);
    EXPECT_EQ(withSupplier(1), Q({15, 10}));
    EXPECT_EQ(toSend(), Q({30, 30}));
    EXPECT_DOUBLE_EQ(Challans::record(*db, outgoingKind(), 1)->lines.value(1).rate, 7);
    d.lines[0].qty = 15;
    d.lines[1].qty = 0.0;
    d.lines.removeLast();
    exec(*db, "update DcSubConOutgoingSub set BalQty=0 where DcId=1 and SlNo=2");
    EXPECT_TRUE(dcRefusal(d, false).startsWith("Some of the SlNo. 2 has been received Already"));
}

// Without the stock link nothing leaves the stores and the stock is no limit.
TEST_P(SubcontractChain, WithoutTheStockLinkNoIssue) {
    saveOrder(order(1, 1, "1", {{"A100", 500}}));
    save(dc(1, "1", {{"A100", 400}}));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss"), 0);
    EXPECT_TRUE(Sql::scalar(*db, "select StoreIssId from DcSubConOutgoing").isNull());
    // With it on, the same is more than the stores hold.
    exec(*db, "update Misc set RedStkSC=?", {true});
    EXPECT_EQ(dcRefusal(dc(2, "2", {{"A100", 50}})), "In Row: 1 , Qty should not be greater than 0");
    // A supplier with open orders must have one chosen.
    EXPECT_EQ(dcRefusal(dc(2, "2", {{"A100", 1}}, "")), "You have to select a PO Number from the list...");
}

// Our DC numbers share the books the numbering mode sets with the sales and labour DCs.
TEST_P(SubcontractChain, DcNumbersBesideSalesAndLabourDcs) {
    exec(*db, "insert into DcInv (DcInvId, DcNo, DcDateT, CustId) values (1, '7', ?, 1)", {QDate(2026, 5, 2)});
    exec(*db, "insert into DcOutgoingInv (DcId, DcNo, DcDateT, CustId) values (1, '8', ?, 1)", {QDate(2026, 5, 3)});
    // Last year's 9 of our own does not count.
    exec(*db, "insert into DcSubConOutgoing (DcId, DcNo, DcDateT, SuppId) values (9, '9', ?, 1)", {QDate(2026, 3, 1)});
    const auto refusal = [&](const char* no, int m) {
        auto d = dc(1, no, {{"A100", 1}}, "");
        return refusalText(Challans::duplicateNumber(*db, outgoingKind(), Challans::toDc(outgoingKind(), d), 0, m));
    };
    clsProd prod;
    ASSERT_EQ(prod.OpenCompanyDatabase(), QString());
    ScriptedDialogs dialogs;
    const QString sales = " A Record with Same DC NO. already made for SALES - Manufacturing";
    const QString labour = " A Record with Same DC NO. already made for LABOUR WORK ";
    struct Case {
        int mode;
        qint64 next;
        QString seven, eight;
    };
    for (const Case& c : {Case{1, 1, "", ""}, Case{2, 1, "", ""}, Case{3, 9, sales, labour}}) {
        Session::current().dcMode = c.mode;
        EXPECT_EQ(prod.NextDcNumber("DCSUBCONOUTGOING", dialogs), c.next) << c.mode;
        EXPECT_EQ(refusal("7", c.mode), c.seven) << c.mode;
        EXPECT_EQ(refusal("8", c.mode), c.eight) << c.mode;
        EXPECT_EQ(refusal("9", c.mode), "") << c.mode;
    }
    prod.CloseCompanyDatabase();
    save(dc(1, "1", {{"A100", 1}}, ""));
    EXPECT_EQ(refusal("1", 1), " A Record with same DC NO. already exists ...");
}

// One series a year over all suppliers; the order keeps the item master's names in step.
TEST_P(SubcontractChain, OrderNumbersNamesAndTerms) {
    EXPECT_EQ(chain::Orders::proposedNumber(*db, orderKind(), QDate(2026, 6, 10)), "1");
    auto first = order(1, 1, "41", {{"A100", 10}}, QDate(2026, 3, 20));
    first.kindAttn = "Mr Rao";
    first.body = "Within 10 days";
    saveOrder(first);
    EXPECT_EQ(chain::Orders::latestTerms(*db, orderKind(), 1), "Within 10 days");
    // The new year starts again at 1; last year's number may come again.
    EXPECT_EQ(chain::Orders::proposedNumber(*db, orderKind(), QDate(2026, 6, 10)), "1");
    EXPECT_EQ(chain::Orders::proposedNumber(*db, orderKind(), QDate(2027, 1, 10)), "1");
    EXPECT_EQ(chain::Orders::proposedNumber(*db, orderKind(), QDate(2026, 3, 31)), "42");
    saveOrder(order(2, 1, "41", {{"A100", 10}}));
    // Another supplier cannot have it in the same year.
    EXPECT_EQ(orderRefusal(order(3, 2, "41", {{"A100", 10}})), " A Record with same Order No. already exist...");
    EXPECT_EQ(chain::Orders::proposedNumber(*db, orderKind(), QDate(2026, 6, 10)), "42");

    const auto details = chain::Orders::partyDetails(*db, orderKind(), 1);
    EXPECT_EQ(details.contacts, QStringList({"Mr Rao", "Ravi"}));
    EXPECT_EQ(chain::Orders::latestTerms(*db, orderKind(), 1), "");
    EXPECT_EQ(text("select KindAttn from SubConPO where POId=2"), " ");

    // A name and unit retyped on a line become the item's.
    auto renamed = order(3, 2, "43", {{"B200", 5}});
    renamed.lines[0].itemName = "Bush, plated";
    renamed.lines[0].uom = "PCS";
    saveOrder(renamed);
    EXPECT_EQ(text("select ItemName from Item where ItemId=2"), "Bush, plated");
    EXPECT_EQ(text("select MeasureUnit from Item where ItemId=2"), "PCS");
    EXPECT_EQ(count(*db, "select count(*) from Measurement where MeasureCode='PCS'"), 1);

    // Header checks in their order; no address is needed.
    auto blank = order(4, 0, "", {{"A100", 1}});
    EXPECT_EQ(orderRefusal(blank), "Please Select a Supplier.....");
    blank.suppId = 2;
    EXPECT_EQ(orderRefusal(blank), "Enter the Purchase Order Number..... ");
    blank.poNo = "44";
    blank.value = Money();
    EXPECT_EQ(orderRefusal(blank),
              "Enter the Purchase Order Value!!! \n Double Click the box to obtain value from the system");
}

// The re-tracking box is frozen once a supplier's DC names the order.
TEST_P(SubcontractChain, ReTrackingFrozenOnceMaterialCameBack) {
    saveOrder(order(1, 1, "1", {{"A100", 10}}));
    auto o = order(1, 1, "1", {{"A100", 10}});
    o.reTrkRej = true;
    EXPECT_EQ(orderRefusal(o, false), "");
    exec(*db, "insert into DcSubConIncoming (DcId, SuppId, DcNo, PONo, PODateT) values (1, 1, 'S-1', '1', ?)",
         {QDate(2026, 6, 1)});
    EXPECT_TRUE(orderRefusal(o, false).contains("'Rejections Re-Tracking with this PO Required'"));
    EXPECT_TRUE(refusalText(chain::Orders::deleteBlock(*db, orderKind(), 1)).startsWith("You cannot delete"));

    // Renumbered (F11), the order takes our DC and the supplier's along.
    save(dc(1, "1", {{"A100", 4}}));
    const chain::Orders::NumberChange change{1, "5", QDate(2026, 6, 2)};
    EXPECT_EQ(refusalText(chain::Orders::numberChangeBlock(*db, orderKind(), change)), "");
    Sql::transaction(*db, [&] { chain::Orders::changeNumber(*db, orderKind(), change); });
    EXPECT_EQ(text("select PONo from DcSubConOutgoing where DcId=1"), "5");
    EXPECT_EQ(text("select PONo from DcSubConIncoming where DcId=1"), "5");
    EXPECT_EQ(toSend(), Q({6}));
    EXPECT_EQ(Challans::openOrders(*db, outgoingKind(), 1), QStringList{"5"});
}

// Two desks sending the last of an order at once: one DC is refused, the balance never below nothing.
TEST_P(SubcontractChain, TwoDesksSendingTheLastOfAnOrder) {
    saveOrder(order(1, 1, "1", {{"A100", 50}}));
    const auto r = twoDesks([&](QSqlDatabase& conn, int i) {
        saveOn(conn, dc(1 + i, QString::number(1 + i), {{"A100", 40}}), true);
    });
    EXPECT_TRUE(r[0].error.isEmpty() && r[1].error.isEmpty()) << r[0].error.toStdString() << r[1].error.toStdString();
    EXPECT_NE(r[0].ok, r[1].ok);
    EXPECT_EQ(r[0].ok ? r[1].refused : r[0].refused, "In Row: 1 , Qty should not be greater than 10");
    EXPECT_EQ(toSend(), Q({10}));
    EXPECT_EQ(count(*db, "select count(*) from DcSubConOutgoing"), 1);
}

// Form VAT 515 numbers run in one series with the labour and manufacturing DCs; the work
// order's sheet carries the supplier, the person and our numbers.
TEST_P(SubcontractChain, Form39SeriesAndTheWorkOrderSheet) {
    auto o = order(1, 1, "1", {{"A100", 10}});
    o.kindAttn = "Mr Rao";
    o.body = "Return within 10 days";
    saveOrder(o);
    save(dc(1, "1", {{"A100", 4}}));
    exec(*db, "insert into DcOutgoingInv (DcId, DcNo, DcDateT, CustId, Form39No) values (1, '8', ?, 1, 7)",
         {QDate(2026, 6, 2)});
    EXPECT_EQ(chain::Form39::proposed(*db, form39Kind(), QDate(2026, 6, 10)), 8);
    chain::Form39::Entry e{1, 7, "Bolts", "4", "50", "Plating", "DC", ""};
    EXPECT_EQ(refusalText(chain::Form39::validate(*db, form39Kind(), e)),
              "VAT 515 Sl.No. Already exists in DC Labour Work...Try Another!!!");
    e.no = 8;
    Sql::transaction(*db, [&] { chain::Form39::store(*db, form39Kind(), e); });
    EXPECT_EQ(chain::Form39::proposed(*db, jobwork::form39Kind(), QDate(2026, 6, 10)), 9);
    e.dcId = 1;
    EXPECT_EQ(refusalText(chain::Form39::validate(*db, jobwork::form39Kind(), e)),
              "VAT 515 Sl.No. Already exists in DC Sub Contract...Try Another!!!");

    exec(*db, "update Misc set MyKST='K-1', PrefixWO='WO/'");
    const Print::Document doc = WorkOrders::printOut(*db, 1);
    EXPECT_EQ(doc.fields.value("PONo").toString(), "WO/1");
    EXPECT_EQ(doc.fields.value("KindAttn").toString(), " KIND ATTN: Mr Rao");
    EXPECT_EQ(doc.fields.value("OurKST").toString(), "Our KST : K-1");
    EXPECT_EQ(doc.fields.value("Terms").toString(), "Return within 10 days");
    EXPECT_EQ(doc.words, Money::fromPaise(3000));
}

}  // namespace

KAVRA_ON_EVERY_ENGINE(SubcontractChain);
