// Subcontracting on both engines: our work order, the material out on our DCs against it,
// what is left to send and what lies with the supplier, the stock the DCs issue and its
// exact return, the DC numbers shared with the other books, and the refusals.
#include <QSqlQuery>

#include "core/ClsProd.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/chain/Form39.h"
#include "core/chain/Orders.h"
#include "core/chain/WorkBills.h"
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
    // The supplier's DC bringing the work back; lines as on ours, drawn on any of ours open.
    Challans::Record back(qint64 id, qint64 supp, const QString& no, std::initializer_list<L> lines,
                          const QString& po = "1") {
        return dcOf(id, supp, no, po, lines, "Plated ");
    }
    using Kind = chain::DcKind;
    QString dcRefusal(const Challans::Record& d, bool adding = true, const Kind& k = outgoingKind()) {
        return refusalText(
            Challans::validate(*db, k, Challans::toDc(k, d), adding, Challans::linkedToStock(*db, k), mode()));
    }
    void save(const Challans::Record& d, bool adding = true, const Kind& k = outgoingKind()) {
        ASSERT_EQ(dcRefusal(d, adding, k), "");
        Sql::transaction(*db, [&] { saveOn(*db, d, adding, k); });
    }
    static void saveOn(QSqlDatabase& conn, const Challans::Record& d, bool adding, const Kind& k = outgoingKind()) {
        Challans::save(conn, k, Challans::toDc(k, d), adding, Challans::linkedToStock(conn, k), mode(), {});
    }
    QString blocked(qint64 id, bool deleting, const Kind& k = incomingKind()) {
        return refusalText(Challans::changeBlock(*db, k, id, deleting));
    }
    void remove(qint64 id, const Kind& k = outgoingKind()) {
        ASSERT_EQ(blocked(id, true, k), "");
        Sql::transaction(*db, [&] { Challans::remove(*db, k, id, {}); });
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
    save(back(1, 1, "S-1", {{"A100", 15}, {"B200", 10}}), true, incomingKind());
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
    EXPECT_EQ(withSupplier(1), Q({15, 0}));
    EXPECT_EQ(toSend(), Q({30, 30}));
    EXPECT_DOUBLE_EQ(Challans::record(*db, outgoingKind(), 1)->lines.value(1).rate, 7);
    d.lines[0].qty = 15;
    d.lines.removeLast();
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

// The supplier's DC draws on ours oldest first, closes what it empties and the order, raises
// a transfer note, and gives back exactly what it took; issued lots freeze it and its bill.
TEST_P(SubcontractChain, WorkBackOnTheSuppliersDcAndBackToTheStart) {
    buyStock();
    exec(*db, "update Misc set RedStkSC=?", {true});
    saveOrder(order(1, 1, "1", {{"A100", 45}}));
    save(dc(1, "1", {{"A100", 20}}));
    save(dc(2, "2", {{"A100", 25}}));
    const qint64 issues = count(*db, "select count(*) from STNSub");
    const auto tallied = [&] { return column("select DcTally from DcSubConOutgoing order by DcId"); };
    const auto track = [&] { return text("select UpdateTrack from DcSubConIncomingSub where DcId=1"); };
    const auto ref = [&] { return text("select RefDcNo from DcSubConIncoming where DcId=1"); };
    EXPECT_EQ(Challans::partiesWithOpen(*db, incomingKind()), QList<qint64>{1});
    EXPECT_EQ(Challans::openSources(*db, incomingKind(), 1, "1"), QStringList({"1", "2"}));
    EXPECT_EQ(dcRefusal(back(1, 1, "S-1", {{"A100", 46}}), true, incomingKind()),
              "Qty should be greater than zero and less than  45");

    auto in = back(1, 1, "S-1", {{"A100", 30}});
    in.signedReturned = true;
    save(in, true, incomingKind());
    EXPECT_EQ(withSupplier(1), Q({0}));
    EXPECT_EQ(withSupplier(2), Q({15}));
    EXPECT_EQ(tallied(), Q({1, 0}));
    EXPECT_EQ(track(), "1,20,2,10");
    EXPECT_EQ(ref(), "1,2");
    EXPECT_TRUE(Sql::scalar(*db, "select RefDcDateT from DcSubConIncoming where DcId=1").isNull());
    EXPECT_EQ(toReceive(), Q({15}));
    EXPECT_TRUE(Sql::scalar(*db, "select InvNo from DcSubConIncoming where DcId=1").isNull());
    EXPECT_TRUE(Sql::scalar(*db, "select DcSign from DcSubConIncoming where DcId=1").toBool());
    EXPECT_EQ(count(*db,
                    "select count(*) from STN where TS=3 and PrepBy='PLATERS' and Id=(select STNId from "
                    "DcSubConIncoming where DcId=1)"),
              1);
    EXPECT_EQ(count(*db, "select count(*) from STNSub") - issues, 1);
    // The supplier's number once per supplier.
    EXPECT_EQ(dcRefusal(back(2, 1, "S-1", {{"A100", 1}}), true, incomingKind()),
              " A Record with same DC NO. already exist...");
    auto other = back(2, 2, "S-1", {{"A100", 1}});
    EXPECT_EQ(
        refusalText(Challans::duplicateNumber(*db, incomingKind(), Challans::toDc(incomingKind(), other), 0, mode())),
        "");

    // Down to one DC (its date named), up to close the order, each time from the start.
    in.lines[0].qty = 10;
    save(in, false, incomingKind());
    EXPECT_EQ(withSupplier(1), Q({10}));
    EXPECT_EQ(withSupplier(2), Q({25}));
    EXPECT_EQ(tallied(), Q({0, 0}));
    EXPECT_EQ(track(), "1,10");
    EXPECT_EQ(ref(), "1");
    EXPECT_EQ(text("select RefDcDate from DcSubConIncoming where DcId=1"), "10/06/2026");
    in.lines[0].qty = 45;
    save(in, false, incomingKind());
    EXPECT_EQ(tallied(), Q({1, 1}));
    EXPECT_EQ(toReceive(), Q({0}));
    EXPECT_TRUE(flag("POTally"));
    EXPECT_EQ(count(*db, "select count(*) from STN where TS=3"), 1);

    // A lot of the note issued: neither the DC nor its bill may go.
    exec(*db, "update STNSub set BalQty=BalQty-1 where Id=(select STNId from DcSubConIncoming where DcId=1)");
    EXPECT_EQ(blocked(1, false),
              "Modification is not Allowed, Since Some material has been issued  after "
              "receiving this challan: S-1");
    EXPECT_EQ(blocked(1, true),
              "Deletion is not Allowed, Since Some material has been issued  after receiving "
              "this challan: S-1");
    chain::WorkBills::Invoice bill;
    bill.head.party = 1;
    bill.head.dcIds = {1};
    bill.head.invNo = "B-1";
    bill.head.invDate = QDateTime(QDate(2026, 6, 12), QTime(15, 0));
    bill.lines = chain::WorkBills::proposedLines(*db, billKind(), 1, {1});
    bill.lines[0].altQty = 45;
    Sql::transaction(*db, [&] { chain::WorkBills::save(*db, billKind(), bill, false, 0, 1); });
    EXPECT_EQ(refusalText(chain::WorkBills::deleteBlock(*db, billKind(), 1)),
              "Deletion  not Allowed, Since Some material has been issued  in this Bill Regard!!!");
    exec(*db, "update STNSub set BalQty=Qty");
    Sql::transaction(*db, [&] { chain::WorkBills::remove(*db, billKind(), 1); });

    remove(1, incomingKind());
    EXPECT_EQ(withSupplier(1), Q({20}));
    EXPECT_EQ(withSupplier(2), Q({25}));
    EXPECT_EQ(tallied(), Q({0, 0}));
    EXPECT_EQ(toReceive(), Q({45}));
    EXPECT_FALSE(flag("POTally"));
    EXPECT_EQ(count(*db, "select count(*) from STN where TS=3"), 0);
    EXPECT_EQ(count(*db, "select count(*) from STNSub"), issues);
    EXPECT_EQ(count(*db, "select count(*) from DcSubConIncomingSub"), 0);
}

// The supplier's bill over two of its DCs: the same values on both, the labour invoice's
// total, the supplier's number once per supplier in any year, frozen once paid.
TEST_P(SubcontractChain, ABillOverTwoDcsAndBack) {
    namespace WB = chain::WorkBills;
    saveOrder(order(1, 1, "1", {{"A100", 40}, {"B200", 10}}));
    save(dc(1, "1", {{"A100", 40}, {"B200", 10}}));
    save(back(1, 1, "S-1", {{"A100", 10}, {"B200", 10, "NV"}}), true, incomingKind());
    save(back(2, 1, "S-2", {{"A100", 10}}), true, incomingKind());
    save(back(3, 1, "S-3", {{"A100", 1, "nv"}}), true, incomingKind());
    EXPECT_EQ(text("select InvNo from DcSubConIncoming where DcId=3"), "Nil");
    exec(*db, "update DcSubConIncoming set InvAsPerRej=? where DcId=2", {true});
    exec(*db, "update DcSubConIncomingSub set RejQty=2 where DcId=2");

    QList<qint64> offered;
    for (const auto& c : chain::Bills::openDcs(*db, billKind(), 1)) offered << c.id;
    EXPECT_EQ(offered, (QList<qint64>{2, 1}));
    WB::Invoice inv;
    inv.head.party = 1;
    inv.head.dcIds = {1, 2};
    inv.head.invNo = "B-7";
    inv.head.invDate = QDateTime(QDate(2026, 6, 12), QTime(15, 45));
    inv.head.packForwd = 2;
    inv.head.packPerc = true;
    inv.taxes = {4, 12, 2};
    inv.lines = WB::proposedLines(*db, billKind(), 1, inv.head.dcIds);
    ASSERT_EQ(inv.lines.size(), 2);   // not the "NV" line
    EXPECT_EQ(inv.lines[1].qty, 8);   // less what was rejected
    EXPECT_EQ(inv.lines[0].rate, 3);  // the order's rate
    // 10 x 60 + 8 x 50 = 1000.00; packing 2%, VAT 4%, service tax 12%, cess 2%.
    inv.lines[0].altQty = 10;
    inv.lines[0].rate = 60;
    inv.lines[1].altQty = 8;
    inv.lines[1].rate = 50;
    EXPECT_EQ(WB::value(inv, false).total.paise(), 119064);
    exec(*db, "update Misc set RoffSubCon=?", {true});
    EXPECT_TRUE(WB::roundsRupees(*db, billKind()));
    EXPECT_EQ(WB::value(inv, true).total.paise(), 119100);
    // Last year's bill of the same number from this supplier still counts; another supplier's not.
    exec(*db, "insert into DcSubConIncoming (DcId, SuppId, DcNo, InvNo, InvDateT) values (9, 2, 'H-1', 'B-7', ?)",
         {QDate(2026, 6, 1)});
    EXPECT_EQ(refusalText(WB::validate(*db, billKind(), inv, true, 0, 1)), "");
    exec(*db, "update DcSubConIncoming set SuppId=1, InvDateT=? where DcId=9", {QDate(2025, 6, 1)});
    EXPECT_EQ(refusalText(WB::validate(*db, billKind(), inv, true, 0, 1)), " Invoice Number already exists...");
    exec(*db, "delete from DcSubConIncoming where DcId=9");
    Sql::transaction(*db, [&] { WB::save(*db, billKind(), inv, true, 0, 1); });
    EXPECT_EQ(count(*db,
                    "select count(*) from DcSubConIncoming where InvNo='B-7' and TotVal=119100 and Balance=119100 "
                    "and InvDate='12/06/2026' and CreditAmt=0 and CreditRem=' ' and Credit=0 and TDS=0"),
              2);
    EXPECT_EQ(column("select AltQty from DcSubConIncomingSub where Rate<>0 order by DcId"), Q({10, 8}));
    EXPECT_EQ(chain::Bills::navigation(*db, billKind()), QList<qint64>{2});
    const auto stored = WB::load(*db, billKind(), 2);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->head.dcIds, (QList<qint64>{1, 2}));
    EXPECT_DOUBLE_EQ(stored->head.packForwd, 2);
    EXPECT_EQ(WB::proposeTaxes(*db, billKind(), 1).servTax, 12);
    // Modified, the number is not its own duplicate; the DCs are frozen while billed.
    EXPECT_EQ(refusalText(WB::validate(*db, billKind(), *stored, true, 2, 1)), "");
    EXPECT_EQ(blocked(1, false),
              "Modification not allowed with this DC NO: S-1, since Invoice is made already "
              "with this DC!!!");
    // Searching the number: another supplier's bill of it makes the supplier the choice.
    exec(*db,
         "insert into DcSubConIncoming (DcId, SuppId, DcNo, InvNo, InvDateT, TotVal, Balance) values "
         "(9, 2, 'H-1', 'B-7', ?, 100, 100)",
         {QDate(2026, 6, 1)});
    EXPECT_EQ(chain::Bills::find(*db, billKind(), "B-7", 2).id, std::optional<qint64>(9));
    EXPECT_EQ(chain::Bills::find(*db, billKind(), "B-7", 1).id, std::optional<qint64>(2));
    EXPECT_TRUE(
        chain::Bills::find(*db, billKind(), "B-7", 0)
            .message.startsWith(
                "System is displaying the 1 of 3 RECORDS with the Inv no. you typed. \nSelect the supplier name"));
    EXPECT_EQ(chain::Bills::find(*db, billKind(), "B-8", 0).message, " NO Inv No.(Incoming) exists with this No.");
    exec(*db, "delete from DcSubConIncoming where DcId=9");

    // Paid in part: neither changed nor deleted, nor its DCs.
    exec(*db, "update DcSubConIncoming set Balance=Balance-10000 where InvNo='B-7'");
    EXPECT_EQ(refusalText(WB::validate(*db, billKind(), *stored, true, 2, 1)),
              "Modification not allowed  in this Context!!!");
    EXPECT_EQ(refusalText(WB::deleteBlock(*db, billKind(), 2)),
              "Deletion not allowed , since some Cash Flow has been made in this Regard!!!");
    exec(*db, "update DcSubConIncoming set Balance=TotVal");
    Sql::transaction(*db, [&] { WB::remove(*db, billKind(), 2); });
    EXPECT_EQ(count(*db, "select count(*) from DcSubConIncoming where InvNo is null and Balance=0 and TotVal=0"), 2);
    EXPECT_EQ(count(*db, "select count(*) from DcSubConIncomingSub where Rate<>0"), 0);
    EXPECT_EQ(blocked(1, true), "");
}

}  // namespace

KAVRA_ON_EVERY_ENGINE(SubcontractChain);
