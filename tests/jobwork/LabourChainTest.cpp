// Job work on both engines: the labour order, the customer's material in on its DCs and
// back on ours, the balances both ways, the draws oldest DC first and their exact return,
// the stock the DCs move, and the refusals.
#include <QCoreApplication>
#include <QSqlQuery>

#include "core/ClsProd.h"
#include "core/Refusal.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "core/chain/Orders.h"
#include "inventory/Stores.h"
#include "jobwork/LabourDcs.h"
#include "jobwork/LabourInvoices.h"
#include "jobwork/LabourKinds.h"
#include "jobwork/LabourOrders.h"
#include "printing/DocumentPrint.h"
#include "printing/Workbook.h"
#include "support/ChainDocs.h"
#include "support/TestEnv.h"
#include "support/TwoDesks.h"

using namespace kavra;
using namespace kavra::jobwork;
using namespace kavra::test;
namespace Stores = kavra::inventory::Stores;
using Dcs::Way;

namespace {

using Q = QList<double>;

class LabourChain : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Customer (CustId, CustName, CustAddr) values (1, 'ACME', 'Peenya'), (2, 'BHARAT', 'Hosur')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
             "(1, 'A100', 'Bolt', 5, 'NOS'), (2, 'B200', 'Bush', 5, 'NOS'), (3, 'C300', 'Cover', 4, 'SET')");
    }

    Orders::Order order(qint64 id, qint64 cust, const QString& no, std::initializer_list<L> lines) {
        Orders::Order o;
        o.id = id;
        o.custId = cust;
        o.address = "Peenya Industrial Area";
        o.cst = "CST-9";
        o.poNo = no;
        o.poDate = QDate(2026, 6, 1);
        o.validFrom = o.poDate;
        o.validTo = QDate(2027, 3, 31);
        o.lines = orderLines(lines);
        for (auto& l : o.lines) l.rate = 2.5;
        o.value = Orders::computedValue(o);
        return o;
    }
    void saveOrder(const Orders::Order& o, bool adding = true) {
        const auto p = Orders::validate(*db, o, adding);
        ASSERT_FALSE(p) << p->text.toStdString();
        Sql::transaction(*db, [&] { Orders::save(*db, o, adding); });
    }

    Dcs::Dc dc(qint64 id, qint64 cust, const QString& no, const QString& po, std::initializer_list<L> lines) {
        return dcOf(id, cust, no, po, lines, QStringLiteral("Job on "));
    }
    Check check(Way w, const Dcs::Dc& d, bool adding) {
        return Dcs::validate(*db, w, d, adding, Dcs::reducesStock(*db), Session::current().dcMode);
    }
    void save(Way w, const Dcs::Dc& d, bool adding = true) {
        const auto p = check(w, d, adding);
        ASSERT_FALSE(p) << p->text.toStdString();
        Sql::transaction(*db, [&] { Dcs::save(*db, w, d, adding, Dcs::reducesStock(*db), Session::current().dcMode); });
    }
    void remove(Way w, qint64 id) {
        const auto p = Dcs::changeBlock(*db, w, id, true);
        ASSERT_FALSE(p) << p->text.toStdString();
        Sql::transaction(*db, [&] { Dcs::remove(*db, w, id); });
    }
    QString refusalOf(const std::function<void()>& work) {
        try {
            Sql::transaction(*db, work);
        } catch (const Refused& r) {
            return r.text();
        }
        return {};
    }

    Q column(const char* col, qint64 poId) {
        Q out;
        QSqlQuery q =
            Sql::exec(*db, QStringLiteral("select %1 from LabPOSub where POId=? order by SlNo").arg(col), {poId});
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    Q toReceive(qint64 poId) { return column("QtyToReci", poId); }
    Q toSend(qint64 poId) { return column("QtyToSend", poId); }
    QPair<bool, bool> flags(qint64 poId) {
        QSqlQuery q = Sql::exec(*db, "select POTallyR, POTally from LabPO where POId=?", {poId});
        q.next();
        return {q.value(0).toBool(), q.value(1).toBool()};
    }
    Q open(qint64 dcId) {
        Q out;
        QSqlQuery q = Sql::exec(*db, "select BalQty from DcIncomingSub where DcId=? order by SlNo", {dcId});
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    bool tallied(qint64 dcId) {
        return Sql::scalar(*db, "select DcTally from DCIncoming where DcId=?", {dcId}).toBool();
    }
    QString value(const QString& sql, const QVariantList& p = {}) { return Sql::scalar(*db, sql, p).toString(); }
    Q stock() { return {Stores::stockOf(*db, 1), Stores::stockOf(*db, 2), Stores::stockOf(*db, 3)}; }

    QSqlDatabase* db = nullptr;
};

// The whole road, with the stock link on: nothing is left over once everything is undone.
TEST_P(LabourChain, OrderInAndOutAndBackToTheStart) {
    exec(*db, "update Misc set RedStkL=?", {true});
    saveOrder(order(1, 1, "LPO-1", {{"A100", 100}, {"B200", 50}, {"C300", 30}}));
    EXPECT_EQ(toReceive(1), Q({100, 50, 30}));
    EXPECT_EQ(toSend(1), Q({100, 50, 30}));
    EXPECT_EQ(flags(1), qMakePair(false, false));
    EXPECT_EQ(value("select CSTNo from Customer where CustId=1"), "CST-9");  // written back
    EXPECT_EQ(value("select VATRegNo from Customer where CustId=1"), " ");

    // Two of the customer's DCs: 50 + 40 of A100 in.
    save(Way::In, dc(3, 1, "C-3", "LPO-1", {{"A100", 50}, {"B200", 50}}));
    save(Way::In, [&] {
        auto d = dc(5, 1, "C-5", "LPO-1", {{"A100", 40}, {"C300", 30}});
        d.dcDate = QDate(2026, 6, 12);
        return d;
    }());
    EXPECT_EQ(toReceive(1), Q({10, 0, 0}));
    EXPECT_EQ(flags(1), qMakePair(false, false));
    EXPECT_EQ(stock(), Q({90, 50, 30}));
    EXPECT_EQ(count(*db, "select count(*) from STN where TS=4"), 2);
    const qint64 stn3 = Sql::scalar(*db, "select STNId from DCIncoming where DcId=3").toLongLong();
    EXPECT_NE(stn3, 0);

    // Our DC: 70 of A100 takes 50 from C-3 and 20 from C-5, and all of B200.
    auto out = dc(1, 1, "1", "LPO-1", {{"A100", 70}, {"B200", 50}});
    save(Way::Out, out);
    EXPECT_EQ(open(3), Q({0, 0}));
    EXPECT_EQ(open(5), Q({20, 30}));
    EXPECT_TRUE(tallied(3));
    EXPECT_FALSE(tallied(5));
    EXPECT_EQ(value("select UpdateTrack from DcOutgoingSubInv where DcId=1 and SlNo=1"), "3,50,5,20");
    EXPECT_EQ(value("select UpdateTrack from DcOutgoingSubInv where DcId=1 and SlNo=2"), "3,50");
    EXPECT_EQ(value("select RefDcNo from DcOutgoingInv where DcId=1"), "C-3,C-5");
    EXPECT_TRUE(Sql::scalar(*db, "select RefDcDateT from DcOutgoingInv where DcId=1").isNull());
    EXPECT_EQ(toSend(1), Q({30, 0, 30}));
    EXPECT_EQ(stock(), Q({20, 0, 30}));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss where TI=4"), 1);
    EXPECT_TRUE(Sql::scalar(*db, "select InvNo from DcOutgoingInv where DcId=1").isNull());

    // The printed DC read back.
    Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
    const QString path = programDir() + "/labdc.xlsx";
    ASSERT_EQ(Print::writeDocument(*db, Dcs::print(*db, 1), path), 1);
    const Print::Workbook wb = Print::Workbook::load(path);
    EXPECT_EQ(Print::valueAt(wb, 1, "CustName").toString(), "ACME");
    EXPECT_EQ(Print::valueAt(wb, 1, "YourPO").toString(), " Customer PO No:  LPO-1    Dt. 01/06/2026");
    EXPECT_EQ(Print::valueAt(wb, 1, "YourDC").toString(), " Customer DC No:  C-3,C-5");
    EXPECT_EQ(Print::valueAt(wb, 1, "PartyCST").toString(), "Party's CST : CST-9");
    EXPECT_EQ(Print::valueAt(wb, 1, "TotalQty").toDouble(), 120);
    const auto lines = wb.name("Lines");
    ASSERT_TRUE(lines);
    EXPECT_EQ(wb.value(0, lines->row, lines->col + 1).toString(), "A100  Job on A100");
    EXPECT_EQ(wb.value(0, lines->row + 1, lines->col + 3).toDouble(), 50);

    // The order raised keeps what was received and sent; below what was received is refused.
    auto more = order(1, 1, "LPO-1", {{"A100", 120}, {"B200", 50}, {"C300", 30}});
    saveOrder(more, false);
    EXPECT_EQ(toReceive(1), Q({30, 0, 0}));
    EXPECT_EQ(toSend(1), Q({50, 0, 30}));
    auto less = order(1, 1, "LPO-1", {{"A100", 80}, {"B200", 50}, {"C300", 30}});
    EXPECT_EQ(
        refusalText(Orders::validate(*db, less, false)),
        "Since 90 NOS of 'Bolt' has been received Already from Customer, \n Qty should be greater or equal to 90");
    EXPECT_TRUE(refusalText(Orders::deleteBlock(*db, 1)).startsWith("You cannot delete this Purchase Order"));

    // Ours modified down: the last DC drawn on gets back what is no longer taken.
    out.lines[0].qty = 60;
    save(Way::Out, out, false);
    EXPECT_EQ(open(5), Q({30, 30}));
    EXPECT_EQ(value("select UpdateTrack from DcOutgoingSubInv where DcId=1 and SlNo=1"), "3,50,5,10");
    EXPECT_EQ(toSend(1), Q({60, 0, 30}));
    EXPECT_EQ(stock(), Q({30, 0, 30}));
    // Its own quantity counts as on hand while it is modified.
    chain::Challans::Context ctx{1, "LPO-1", chain::Challans::storedOf(*Dcs::load(*db, Way::Out, 1)), {}};
    EXPECT_DOUBLE_EQ(chain::Challans::figures(*db, outgoingKind(), ctx, {1}).value(1).onHand, 90);

    // Deleted: every pair goes back, the DCs open again, the order too.
    remove(Way::Out, 1);
    EXPECT_EQ(open(3), Q({50, 50}));
    EXPECT_EQ(open(5), Q({40, 30}));
    EXPECT_FALSE(tallied(3));
    EXPECT_EQ(toSend(1), Q({120, 50, 30}));
    EXPECT_EQ(stock(), Q({90, 50, 30}));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss"), 0);

    remove(Way::In, 3);
    remove(Way::In, 5);
    EXPECT_EQ(toReceive(1), Q({120, 50, 30}));
    EXPECT_EQ(flags(1), qMakePair(false, false));
    EXPECT_EQ(stock(), Q({0, 0, 0}));
    EXPECT_EQ(count(*db, "select count(*) from STN"), 0);
}

TEST_P(LabourChain, TalliesBothWaysAndAnIncomingDcModifiedAfterPartOfItWentBack) {
    saveOrder(order(1, 1, "LPO-1", {{"A100", 40}, {"B200", 20}}));
    save(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 40}, {"B200", 20}}));
    EXPECT_EQ(flags(1), qMakePair(true, false));
    EXPECT_TRUE(Dcs::validate(*db, Way::In, dc(2, 1, "C-2", "", {{"A100", 1}}), true, false, 1) == std::nullopt);
    // A closed order is no longer offered to incoming DCs, still to outgoing ones.
    EXPECT_TRUE(chain::Challans::openOrders(*db, incomingKind(), 1).isEmpty());
    EXPECT_EQ(chain::Challans::openOrders(*db, outgoingKind(), 1), QStringList{"LPO-1"});

    auto back = dc(1, 1, "1", "LPO-1", {{"A100", 15}});
    save(Way::Out, back);
    // Below what went back is refused; raising moves the balance by as much.
    auto in = dc(1, 1, "C-1", "LPO-1", {{"A100", 10}, {"B200", 20}});
    EXPECT_EQ(refusalText(check(Way::In, in, false)),
              "Since 15 NOS  of 'Bolt' has been Sent Already to Customer, \n Qty should be greater or equal to 15");
    in.lines = {{"B200", "Job on B200", 20, {}, {}}};
    EXPECT_TRUE(refusalText(check(Way::In, in, false)).startsWith("Some of the SlNo. 1 has been Sent Already"));
    EXPECT_EQ(
        refusalText(Dcs::changeBlock(*db, Way::In, 1, true)),
        "You cannot delete this DC , since some Finished items has been returned back to the customer : ACME !!!");
    in = dc(1, 1, "C-1", "LPO-1", {{"A100", 30}, {"B200", 15}});
    save(Way::In, in, false);
    EXPECT_EQ(open(1), Q({15, 15}));
    EXPECT_EQ(toReceive(1), Q({10, 5}));
    EXPECT_EQ(flags(1), qMakePair(false, false));

    // Everything sent back closes the DC and the sending side of the order.
    back.lines = {{"A100", "Job on A100", 30, {}, {}}, {"B200", "Job on B200", 15, "nv", {}}};
    auto shortOrder = order(1, 1, "LPO-1", {{"A100", 30}, {"B200", 15}});
    saveOrder(shortOrder, false);
    save(Way::Out, back, false);
    EXPECT_TRUE(tallied(1));
    EXPECT_EQ(flags(1), qMakePair(true, true));
    EXPECT_EQ(value("select DcRowRem from DcOutgoingSubInv where DcId=1 and SlNo=2"), "NV");
    EXPECT_TRUE(Sql::scalar(*db, "select InvNo from DcOutgoingInv where DcId=1").isNull());
    EXPECT_TRUE(Dcs::load(*db, Way::In, 1)->tallied);
}

TEST_P(LabourChain, InAndOutWithoutAnOrderAndADcWithNoInvoiceValue) {
    save(Way::In, dc(1, 2, "X-1", "", {{"B200", 10}, {"C300", 4}}));
    EXPECT_EQ(count(*db, "select count(*) from LabPOSub"), 0);
    EXPECT_EQ(chain::Challans::partiesWithOpen(*db, outgoingKind()), QList<qint64>{2});
    EXPECT_EQ(chain::Challans::openSources(*db, outgoingKind(), 2, ""), QStringList{"X-1"});
    auto out = dc(1, 2, "1", "", {{"B200", 10, "nv"}, {"C300", 4, " NV "}});
    out.refDcNo = "X-1";
    save(Way::Out, out);
    EXPECT_EQ(value("select InvNo from DcOutgoingInv where DcId=1"), "Nil");
    EXPECT_EQ(value("select RefDcNo from DcOutgoingInv where DcId=1"), "X-1");
    EXPECT_EQ(value("select RefDcDate from DcOutgoingInv where DcId=1"), "10/06/2026");
    EXPECT_TRUE(tallied(1));
    EXPECT_TRUE(chain::Challans::partiesWithOpen(*db, outgoingKind()).isEmpty());
    // "Nil" needs no invoice, so the DC may still change.
    EXPECT_FALSE(Dcs::changeBlock(*db, Way::Out, 1, false));
}

TEST_P(LabourChain, LookUpLimitsAndNumbers) {
    exec(*db, "update Misc set RedStkL=?", {true});
    saveOrder(order(1, 1, "LPO-1", {{"A100", 30}, {"B200", 10}}));
    // The customer's DC: within the order's balance, and its number once per customer.
    EXPECT_EQ(refusalText(check(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 31}}), true)),
              "In Row: 1 , Qty should not be greater than 30");
    EXPECT_EQ(refusalText(check(Way::In, dc(1, 1, "C-1", "", {{"A100", 1}}), true)),
              "You have to select a PO Number from the list.....");
    save(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 30}}));
    EXPECT_EQ(refusalText(check(Way::In, dc(2, 1, "C-1", "LPO-1", {{"B200", 1}}), true)),
              " A Record with same DC No. already exist ...");
    EXPECT_FALSE(check(Way::In, dc(2, 2, "C-1", "", {{"B200", 1}}), true));

    // Ours: what the customer's DCs hold, the order's balance, the stock.
    EXPECT_EQ(refusalText(check(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 31}}), true)),
              "Qty should be greater than zero and less than  30");
    EXPECT_EQ(refusalText(check(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 0}}), true)),
              "Qty should be greater than zero and less than  30");
    exec(*db, "update LabPOSub set QtyToSend=12 where SlNo=1");
    EXPECT_EQ(refusalText(check(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 13}}), true)),
              "In Row: 1 , Qty should not be greater than 12");
    Sql::transaction(*db, [&] {
        Stores::raiseIssue(*db, inventory::IssueSource::Manual, QDate(2026, 6, 10), " W", " ", {{1, 5, 25}});
    });
    EXPECT_EQ(refusalText(check(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 6}}), true)),
              "In Row: 1 , Qty should not be greater than 5");
    // The note was issued from: the customer's DC stays as it is.
    EXPECT_EQ(refusalText(Dcs::changeBlock(*db, Way::In, 1, false)),
              "Modification is not Allowed, Since Some material has been issued  after receiving this DC No.: C-1");
    EXPECT_EQ(refusalText(Dcs::changeBlock(*db, Way::In, 1, true)),
              "Deletion is not Allowed, Since Some material has been issued  after receiving this DC No.: C-1");
    exec(*db, "update LabPOSub set QtyToSend=30 where SlNo=1");
}

TEST_P(LabourChain, OurNumberIsSharedWithManufacturingDcsOfTheYear) {
    saveOrder(order(1, 1, "LPO-1", {{"A100", 30}}));
    save(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 30}}));
    exec(*db, "insert into DcInv (DcInvId, DcNo, DcDateT, CustId) values (1, '7', ?, 1)", {at(2026, 6, 2)});
    auto out = dc(1, 1, "7", "LPO-1", {{"A100", 1}});
    Session::current().dcMode = 1;  // a book each
    EXPECT_FALSE(check(Way::Out, out, true));
    Session::current().dcMode = 2;  // sales and labour share one
    EXPECT_EQ(refusalText(check(Way::Out, out, true)),
              " A Record with Same DC NO. already made for SALES - Manufacturing !!!");
    out.dcDate = QDate(2027, 4, 2);
    EXPECT_FALSE(check(Way::Out, out, true));
    save(Way::Out, out);
    out.id = 2;
    EXPECT_EQ(refusalText(check(Way::Out, out, true)), " A Record with same DC NO. already exists ...");
    clsProd prod;
    ASSERT_TRUE(prod.OpenCompanyDatabase().isEmpty());
    EXPECT_EQ(prod.NextDcNumber("DCOUTGOINGINV", dialogs), 8);
}

TEST_P(LabourChain, Form39NumbersRunInOneSeriesPerYearAcrossDcTables) {
    namespace F = chain::Form39;
    const F::Kind& k = form39Kind();
    saveOrder(order(1, 1, "LPO-1", {{"A100", 30}}));
    save(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 30}}));
    save(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 10}}));
    save(Way::Out, dc(2, 1, "2", "LPO-1", {{"A100", 10}}));
    exec(*db,
         "insert into DcInv (DcInvId, DcNo, DcDateT, CustId, Form39No) values (1, '7', ?, 1, 3), (2, '8', ?, 1, 9)",
         {at(2026, 6, 2), at(2026, 3, 20)});
    EXPECT_EQ(F::proposed(*db, k, QDate(2026, 6, 10)), 4);  // last year's 9 is not this year's
    F::Entry e{1, 3, "SHAFTS", "10 NOS", "900", "", "", ""};
    EXPECT_EQ(refusalText(F::validate(*db, k, e)),
              "VAT 515 Sl.No. Already exists in DC Manufacturing...Try Another!!!");
    e.no = 9;
    Sql::transaction(*db, [&] { F::store(*db, k, e); });
    EXPECT_EQ(F::load(*db, k, 1)->entry.goodsName, "SHAFTS");
    EXPECT_EQ(F::proposed(*db, k, QDate(2026, 6, 10)), 10);
    F::Entry other{2, 9, "BUSH", "", "1", "", "", ""};
    EXPECT_EQ(refusalText(F::validate(*db, k, other)), "Please Enter the Goods Qty ");
    other.goodsQty = "1";
    EXPECT_EQ(refusalText(F::validate(*db, k, other)), "VAT 515 Sl.No. Already exists...Try Another!!!");
    // Taken at another desk after the check: refused inside the store, nothing written.
    other.no = 10;
    EXPECT_FALSE(F::validate(*db, k, other));
    exec(*db, "update DcInv set Form39No=10 where DcInvId=1");
    EXPECT_EQ(refusalOf([&] { F::store(*db, k, other); }),
              "VAT 515 Sl.No. Already exists in DC Manufacturing...Try Another!!!");
    EXPECT_EQ(F::load(*db, k, 2)->entry.no, 0);
}

// Our DCs invoiced: one invoice over two DCs, net of rejections, without "NV" lines; its
// value; the blocks once money came in; the number against manufacturing invoices; delete.
TEST_P(LabourChain, InvoiceOverTwoDcsAndBack) {
    namespace Inv = jobwork::Invoices;
    saveOrder(order(1, 1, "LPO-1", {{"A100", 100}, {"B200", 50}}));
    save(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 100}, {"B200", 50}}));
    save(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 60}, {"B200", 20, "NV"}}));
    save(Way::Out, dc(2, 1, "2", "LPO-1", {{"A100", 40}}));
    save(Way::Out, dc(3, 1, "3", "LPO-1", {{"B200", 10, "nv"}}));  // nothing to invoice
    exec(*db, "update DcOutgoingInv set InvAsPerRej=? where DcId=2", {true});
    exec(*db, "update DcOutgoingSubInv set RejQty=5, RewQty=3 where DcId=2");
    exec(*db, "update Item set Rate=7 where ItemId=3");

    QList<qint64> offered;
    for (const auto& c : chain::Bills::openDcs(*db, billKind(), 1)) offered << c.id;
    EXPECT_EQ(offered, (QList<qint64>{2, 1}));
    Inv::Invoice inv;
    inv.head.party = 1;
    inv.head.dcIds = {1, 2};
    inv.head.invNo = "7";
    inv.head.invDate = QDateTime(QDate(2026, 6, 12), QTime(11, 30));
    inv.head.packForwd = 2;
    inv.head.packPerc = true;
    inv.taxes = {4, 12, 2};
    inv.lines = Inv::proposedLines(*db, 1, inv.head.dcIds);
    ASSERT_EQ(inv.lines.size(), 2);     // the "NV" line stays out
    EXPECT_EQ(inv.lines[1].qty, 32);    // 40 less 5 rejected and 3 for rework
    EXPECT_EQ(inv.lines[0].rate, 2.5);  // the order's rate
    const int mode = Session::current().invMode;
    EXPECT_EQ(refusalText(Inv::validate(*db, inv, false, 0, mode)), "Enter the Valid Alt.Qty .....");
    inv.lines[0].altQty = 60;
    inv.lines[1].altQty = 32;
    inv.lines[1].rate = 0;
    EXPECT_EQ(refusalText(Inv::validate(*db, inv, false, 0, mode)), "Enter the Valid Rate .....");
    inv.lines[1].rate = 3;
    exec(*db, "insert into DcInv (DcInvId, DcNo, DcDateT, CustId, InvNo, InvDateT) values (1, '1', ?, 1, '7', ?)",
         {at(2026, 6, 2), at(2026, 6, 2)});
    EXPECT_EQ(refusalText(Inv::validate(*db, inv, false, 0, mode)),
              " A Record with Same Invoice No. already made for SALES - Manufacturing !!!");
    exec(*db, "update DcInv set InvDateT=? where DcInvId=1", {at(2026, 3, 2)});  // last year's: free again
    ASSERT_FALSE(Inv::validate(*db, inv, false, 0, mode));
    // 60 x 2.5 + 32 x 3 = 246; packing 2%, VAT 4%, service tax 12% on both, cess 2% of it.
    const Money total = Inv::value(inv, false).total;
    EXPECT_EQ(total.paise(), 29290);
    EXPECT_EQ(Inv::value(inv, true).total.paise(), 29300);
    Sql::transaction(*db, [&] { Inv::save(*db, inv, false, 0, mode); });
    EXPECT_EQ(count(*db, "select count(*) from DcOutgoingInv where InvNo='7' and TotVal=? and Balance=?",
                    {total.toDb(), total.toDb()}),
              2);
    EXPECT_EQ(value("select AltQty from DcOutgoingSubInv where DcId=2"), "32");
    EXPECT_EQ(value("select InvNo from DcOutgoingInv where DcId=3"), "Nil");
    const auto back = Inv::load(*db, 2);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->head.packForwd, 2);  // the percentage typed, not its amount
    EXPECT_EQ(back->head.dcIds, (QList<qint64>{1, 2}));
    EXPECT_EQ(Inv::proposeTaxes(*db, 1).servTax, 12);
    // The printed invoice: its lines in the billing unit, the charges that apply, the value in words.
    Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
    const QString path = programDir() + "/labinv.xlsx";
    ASSERT_EQ(Print::writeDocument(*db, Inv::printDocument(*db, 2), path), 1);
    const Print::Workbook wb = Print::Workbook::load(path);
    EXPECT_EQ(Print::valueAt(wb, 1, "Total").toDouble(), 292.90);
    EXPECT_EQ(Print::valueAt(wb, 1, "ServiceTaxLabel").toString(), "Service Tax @ 12%");
    EXPECT_TRUE(Print::rowHiddenAt(wb, 1, "Others"));
    EXPECT_TRUE(Print::rowHiddenAt(wb, 1, "Discount"));
    EXPECT_FALSE(Print::rowHiddenAt(wb, 1, "Packing"));
    EXPECT_TRUE(Print::valueAt(wb, 1, "AmountInWords").toString().startsWith("RUPEES ."));

    // The next DC of the item without an order takes the last invoiced rate; an item never
    // invoiced, its own.
    save(Way::In, dc(2, 2, "C-2", "", {{"A100", 1}, {"C300", 5}}));
    save(Way::Out, dc(4, 2, "4", "", {{"A100", 1}, {"C300", 5}}));
    const auto next = Inv::proposedLines(*db, 2, {4});
    ASSERT_EQ(next.size(), 2);
    EXPECT_EQ(next[0].rate, 3);
    EXPECT_EQ(next[1].rate, 7);

    // Money in: neither changed nor deleted; once it is back, deleted and the DCs open again.
    exec(*db, "update DcOutgoingInv set Balance=Balance-100 where DcId in (1, 2)");
    EXPECT_EQ(refusalText(Inv::validate(*db, inv, false, 2, mode)),
              "Modification not allowed, since Some Cash Flow is made in this Regard!!!");
    EXPECT_EQ(refusalText(chain::Bills::deleteBlock(*db, billKind(), 2)),
              "Deletion not allowed , since some Cash Flow has been made in this Regard!!!");
    exec(*db, "update DcOutgoingInv set Balance=TotVal where DcId in (1, 2)");
    Sql::transaction(*db, [&] { Inv::remove(*db, 2); });
    EXPECT_EQ(count(*db, "select count(*) from DcOutgoingInv where InvNo is null"), 3);
    EXPECT_EQ(count(*db, "select count(*) from DcOutgoingSubInv where Rate<>0"), 0);
}

TEST_P(LabourChain, InvoicedDcsStayAndTheOrderKeepsItsFlag) {
    auto o = order(1, 1, "LPO-1", {{"A100", 30}});
    saveOrder(o);
    save(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 30}}));
    save(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 10}}));
    o.reTrkRej = true;
    EXPECT_EQ(refusalText(Orders::validate(*db, o, false)),
              "Change it by  removing the tick mark from it. Now you should not change the 'Rejections Re-Tracking "
              "with this PO Required' !!!\nSome transactions has been made already with this purchase order!!! ");
    EXPECT_EQ(Orders::validate(*db, o, false)->field, "chkReTrkRej");

    // The engine's DC blocks (tested with their texts on the manufacturing DC) hold here too,
    // and are asked again inside the write.
    exec(*db, "update DcOutgoingInv set InvNo='L-4'");
    EXPECT_TRUE(Dcs::clickBlock(*db, Way::Out, 1));
    // Asked again inside the write.
    EXPECT_TRUE(refusalOf([&] { Dcs::remove(*db, Way::Out, 1); }).startsWith("Deletion not allowed with this DC NO"));
    EXPECT_EQ(count(*db, "select count(*) from DcOutgoingInv"), 1);
}

TEST_P(LabourChain, AnOrderTheCustomersDcNamesIsNotDeletedAndItsNumberChangeFollows) {
    saveOrder(order(1, 1, "LPO-1", {{"A100", 30}}));
    saveOrder(order(2, 2, "LPO-1", {{"A100", 5}}));  // the same number, another customer
    EXPECT_EQ(refusalText(Orders::validate(*db, order(3, 1, "LPO-1", {{"A100", 5}}), true)),
              " A Record with same Order No. already exist...");
    save(Way::In, dc(1, 1, "C-1", "LPO-1", {{"A100", 30}}));
    save(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 30}}));
    remove(Way::Out, 1);
    // Balances back in full: the customer's DC still names the order.
    exec(*db, "update LabPOSub set QtyToReci=Qty where POId=1");
    EXPECT_EQ(refusalText(Orders::deleteBlock(*db, 1)),
              "You cannot delete this Purchase Order , since some transactions has been made already...");

    save(Way::Out, dc(1, 1, "1", "LPO-1", {{"A100", 4}}));
    const chain::Orders::NumberChange c{1, "LPO-1A", QDate(2026, 6, 3)};
    ASSERT_FALSE(chain::Orders::numberChangeBlock(*db, orderKind(), c));
    Sql::transaction(*db, [&] { chain::Orders::changeNumber(*db, orderKind(), c); });
    for (const char* t : {"LabPO", "DCIncoming", "DcOutgoingInv"})
        EXPECT_EQ(count(*db, QStringLiteral("select count(*) from %1 where PONo='LPO-1A' and CustId=1").arg(t)), 1)
            << t;
    EXPECT_EQ(value("select PONo from LabPO where POId=2"), "LPO-1");
}

// ---- two desks

TEST_P(LabourChain, TwoDesksSendingOneBalanceAtOnceOneIsRefused) {
    save(Way::In, dc(1, 1, "C-1", "", {{"A100", 50}}));
    const auto r = twoDesks([&](QSqlDatabase& conn, int i) {
        Dcs::save(conn, Way::Out, dc(1 + i, 1, QString::number(10 + i), "", {{"A100", 30}}), true, false, 1);
    });
    EXPECT_TRUE(r[0].error.isEmpty() && r[1].error.isEmpty()) << r[0].error.toStdString() << r[1].error.toStdString();
    EXPECT_NE(r[0].ok, r[1].ok);
    EXPECT_EQ(r[0].ok ? r[1].refused : r[0].refused, "In Row: 1 , Qty should not be greater than 20");
    EXPECT_EQ(open(1), Q({20}));
    EXPECT_EQ(count(*db, "select count(*) from DcOutgoingInv"), 1);
}

KAVRA_ON_EVERY_ENGINE(LabourChain);

}  // namespace
