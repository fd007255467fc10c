// Customer orders and the DCs drawn on them, on both engines: balances and tally flags
// through save, modify and delete, the stock the DCs issue, and the refusals.
#include <QCoreApplication>
#include <QSqlQuery>

#include "core/Refusal.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "inventory/Stores.h"
#include "printing/DocumentPrint.h"
#include "printing/Workbook.h"
#include "sales/DeliveryChallans.h"
#include "sales/Orders.h"
#include "sales/SalesKinds.h"
#include "support/ChainDocs.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::sales;
using namespace kavra::test;
namespace Stores = kavra::inventory::Stores;

namespace {

class OrdersDc : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Customer (CustId, CustName, CustAddr) values (1, 'ACME', 'Peenya'), "
             "(2, 'BHARAT', 'Hosur')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
             "(1, 'A100', 'Bolt', 5, 'NOS', 10), (2, 'B200', 'Bush', 5, 'NOS', 25), "
             "(3, 'C300', 'Cover', 4, 'SET', 50), (4, 'D400', 'Plate', 1, 'KGS', null)");
    }

    Orders::Order order(qint64 id, qint64 cust, const QString& no, std::initializer_list<L> lines) {
        Orders::Order o;
        o.id = id;
        o.custId = cust;
        o.address = "Peenya";
        o.poNo = no;
        o.poDate = QDate(2026, 6, 1);
        o.validFrom = o.poDate;
        o.validTo = QDate(2027, 3, 31);
        o.lines = orderLines(lines);
        o.value = Orders::computedValue(o);
        return o;
    }
    void saveOrder(const Orders::Order& o, bool adding = true) {
        const auto p = Orders::validate(*db, o, adding);
        ASSERT_FALSE(p) << p->text.toStdString();
        Sql::transaction(*db, [&] { Orders::save(*db, o, adding); });
    }

    Dcs::Dc dc(qint64 id, qint64 cust, const QString& no, const QString& po, std::initializer_list<L> lines) {
        return dcOf(id, cust, no, po, lines, QStringLiteral("Particulars of "));
    }
    Check checkDc(const Dcs::Dc& d, bool adding) {
        return Dcs::validate(*db, d, adding, Dcs::reducesStock(*db), Session::current().dcMode);
    }
    void saveDc(const Dcs::Dc& d, bool adding = true) {
        const auto p = checkDc(d, adding);
        ASSERT_FALSE(p) << p->text.toStdString();
        Sql::transaction(*db, [&] { Dcs::save(*db, d, adding, Dcs::reducesStock(*db), Session::current().dcMode); });
    }
    void removeDc(qint64 id) {
        ASSERT_FALSE(Dcs::changeBlock(*db, id, true));
        Sql::transaction(*db, [&] { Dcs::remove(*db, id); });
    }

    QList<double> toSend(qint64 poId) {
        QList<double> out;
        QSqlQuery q = Sql::exec(*db, "select QtyToSend from MfgPOSub where POId=? order by SlNo", {poId});
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    bool tallied(qint64 poId) { return Sql::scalar(*db, "select POTally from MfgPO where POId=?", {poId}).toBool(); }
    QList<double> stock() { return {Stores::stockOf(*db, 1), Stores::stockOf(*db, 2), Stores::stockOf(*db, 3)}; }

    QSqlDatabase* db = nullptr;
};

using Q = QList<double>;

// The order's balances through these steps are the chain round trip's; here, the stock.
TEST_P(OrdersDc, DcsIssueTheirStockAndGiveItBackExactly) {
    exec(*db, "update Misc set RedStkM=?", {true});
    Sql::transaction(*db, [&] {
        Stores::raiseNote(*db, inventory::NoteSource::Manual, "Stores", {{1, 100}, {2, 100}, {3, 100}});
    });
    ASSERT_EQ(stock(), Q({100, 100, 100}));
    saveOrder(order(1, 1, "PO-7", {{"A100", 10, "10"}, {"B200", 20, "25"}, {"C300", 5, "50"}}));
    saveDc(dc(1, 1, "1", "PO-7", {{"B200", 20}, {"A100", 4}}));
    saveDc(dc(2, 1, "2", "PO-7", {{"A100", 6}, {"C300", 5}}));
    EXPECT_TRUE(tallied(1));
    EXPECT_EQ(stock(), Q({90, 80, 95}));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss where TI=2"), 2);
    EXPECT_EQ(count(*db, "select count(*) from DcInv where StoreIssId is not null"), 2);

    saveDc(dc(1, 1, "1", "PO-7", {{"B200", 15}, {"A100", 3}}), false);
    EXPECT_EQ(toSend(1), Q({1, 5, 0}));
    EXPECT_EQ(stock(), Q({91, 85, 95}));
    // Up again: the DC's own quantities count as available.
    Dcs::Context ctx{1, "PO-7", Dcs::load(*db, 1)};
    EXPECT_EQ(Dcs::figures(*db, ctx, {1}).value(1).poBalance, 4);
    EXPECT_EQ(Dcs::figures(*db, ctx, {1}).value(1).stock, 94);
    auto tooMany = checkDc(dc(1, 1, "1", "PO-7", {{"B200", 20}, {"A100", 5}}), false);
    ASSERT_TRUE(tooMany);
    EXPECT_EQ(tooMany->text, "In Row: 2 , Qty should not be greater than 4");
    EXPECT_EQ(tooMany->row, 2);
    saveDc(dc(1, 1, "1", "PO-7", {{"B200", 20}, {"A100", 4}}), false);
    EXPECT_TRUE(tallied(1));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss"), 2);

    removeDc(2);
    removeDc(1);
    EXPECT_EQ(toSend(1), Q({10, 20, 5}));
    EXPECT_EQ(stock(), Q({100, 100, 100}));
    for (const char* table : {"StoreIss", "StoreIssSub", "DcInvSub"})
        EXPECT_EQ(count(*db, QString("select count(*) from %1").arg(table)), 0) << table;
    EXPECT_EQ(count(*db, "select count(*) from STNSub where trak is not null"), 0);
}

TEST_P(OrdersDc, DcWithoutOrderNilMarkerAndNoStockLink) {
    saveOrder(order(1, 1, "PO-1", {{"A100", 10, "10"}}));
    // A customer with an open order must name it while adding.
    auto p = checkDc(dc(1, 1, "1", "", {{"A100", 1}}), true);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->text, "You have to select a PO Number from the list...");
    EXPECT_EQ(p->icon, MsgIcon::Question);

    // Without open orders goods go without one; nothing of any order moves.
    saveDc(dc(1, 2, "1", "", {{"A100", 3, "nv"}, {"B200", 2, " NV "}}));
    EXPECT_EQ(Sql::scalar(*db, "select InvNo from DcInv where DcInvId=1").toString(), "Nil");
    EXPECT_EQ(Sql::scalar(*db, "select PONo from DcInv where DcInvId=1").toString(), " ");
    EXPECT_TRUE(Sql::scalar(*db, "select StoreIssId from DcInv where DcInvId=1").isNull());
    EXPECT_EQ(toSend(1), Q({10}));
    saveDc(dc(2, 2, "2", "", {{"A100", 3, "NV"}, {"B200", 2}}));
    EXPECT_TRUE(Sql::scalar(*db, "select InvNo from DcInv where DcInvId=2").isNull());
    // Each particulars text is kept once.
    EXPECT_EQ(count(*db, "select count(*) from ProductL"), 2);

    const auto nil = Dcs::load(*db, 1);
    EXPECT_TRUE(Dcs::modifyQuestion(*nil).startsWith(
        "CAUTION: Your Previous INVOICE Values with respect to this DCNO will be Made as ZERO !!!\n\n"));
    EXPECT_EQ(Dcs::modifyQuestion(*Dcs::load(*db, 2)), "Are You Sure To Modify?");
    EXPECT_EQ(*Dcs::stockNotice(*nil),
              "While creating this record, Stock option was not Choosen...\n So skipping UPDATING STOCK  for this "
              "Record....");
    // A Nil DC may still change; making one line valued clears the marker.
    saveDc(dc(1, 2, "1", "", {{"A100", 3, "NV"}, {"B200", 2, "sample"}}), false);
    EXPECT_TRUE(Sql::scalar(*db, "select InvNo from DcInv where DcInvId=1").isNull());
}

TEST_P(OrdersDc, OrderModifyKeepsWhatWasSent) {
    saveOrder(order(1, 1, "PO-1", {{"A100", 10, "10"}, {"B200", 8, "20"}}));
    saveDc(dc(1, 1, "1", "PO-1", {{"A100", 6}, {"B200", 8}}));
    EXPECT_TRUE(Orders::partlyProcessed(*db, 1));
    EXPECT_FALSE(tallied(1));

    Orders::Order o = *Orders::load(*db, 1);
    o.lines[0].qty = 5;
    auto p = Orders::validate(*db, o, false);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->text,
              "Since 6 NOS of 'Bolt' has been sent to Customer Already, \n Qty should be greater or equal to 6");
    EXPECT_EQ(p->resetCell, QString("6"));
    EXPECT_EQ(p->col, 4);

    // Down to exactly what was sent tallies the order; raising it re-opens it.
    o.lines[0].qty = 6;
    saveOrder(o, false);
    EXPECT_EQ(toSend(1), Q({0, 0}));
    EXPECT_TRUE(tallied(1));
    o.lines[0].qty = 12;
    o.custId = 2;  // the customer of a drawn order stays
    saveOrder(o, false);
    EXPECT_EQ(toSend(1), Q({6, 0}));
    EXPECT_FALSE(tallied(1));
    EXPECT_EQ(Orders::load(*db, 1)->custId, 1);

    // Re-tracking cannot flip once a DC quotes the order.
    o = *Orders::load(*db, 1);
    o.reTrkRej = true;
    p = Orders::validate(*db, o, false);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->text.endsWith("Change it by  removing the tick mark from it."));

    EXPECT_EQ(Orders::deleteBlock(*db, 1)->text,
              "You cannot delete this Purchase Order , since some transactions has been made already...");

    // A line whose amount could not be kept in paise is refused, not stored as nothing.
    Orders::Order huge = order(9, 1, "PO-9", {{"A100", 999999999, "999999999"}});
    huge.value = Money::fromPaise(100);
    p = Orders::validate(*db, huge, true);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->text, "The amount of the SlNo. 1 is too large.");
    EXPECT_EQ(p->row, 1);
    removeDc(1);
    EXPECT_EQ(toSend(1), Q({12, 8}));
    EXPECT_FALSE(Orders::deleteBlock(*db, 1));
    Sql::transaction(*db, [&] { Orders::remove(*db, 1); });
    EXPECT_EQ(count(*db, "select count(*) from MfgPOSub"), 0);
}

TEST_P(OrdersDc, OrderChecksAndValue) {
    Orders::Order o = order(1, 1, "PO-1", {{"A100", 10, "100"}, {"B200", 4, "50"}});
    o.lines[0].discount = 10;  // 900 + 200 = 1100
    o.packForwd = 2;
    o.packIsPerc = true;  // 22 on the discounted lines
    o.tinPerc = 12.5;
    o.cstPerc = 4;  // VAT only
    o.otherChrg = 10.25;
    EXPECT_DOUBLE_EQ(Orders::packingAmount(o), 22);
    EXPECT_EQ(Orders::computedValue(o), Money::parse("1272.50"));  // 1122 × 1.125 + 10.25
    o.value = Orders::computedValue(o);
    o.lines[1].uom = "BOX";
    saveOrder(o);
    EXPECT_DOUBLE_EQ(Sql::scalar(*db, "select PackForwd from MfgPO").toDouble(), 22);
    EXPECT_EQ(Orders::load(*db, 1)->packForwd, 2);
    EXPECT_EQ(Sql::scalar(*db, "select MeasureName from Measurement where MeasureCode='box'").toString(), "-");
    EXPECT_EQ(Orders::lastTaxes(*db, 1), (QPair<double, double>{12.5, 4}));
    EXPECT_DOUBLE_EQ(Orders::proposedRate(*db, 2)->first, 50);
    EXPECT_DOUBLE_EQ(Orders::proposedRate(*db, 3)->first, 50);  // never ordered: the item's rate

    // The same number for another customer is fine, for the same one not.
    Orders::Order same = order(2, 1, "PO-1", {{"A100", 1, "1"}});
    EXPECT_EQ(Orders::validate(*db, same, true)->text, " A Record with same Order No. already exist.....");
    same.custId = 2;
    saveOrder(same);
    Orders::Order dup = order(3, 1, "PO-2", {{"A100", 1, "1"}, {"B200", 1, "1"}, {"A100", 2, "1"}});
    EXPECT_EQ(Orders::validate(*db, dup, true)->text,
              "Duplication of  Part No./ Items is not allowed. SEE ROWS: 1 and  3");
    Orders::Order bad = order(3, 1, "PO-2", {{"A100", 1, "1"}, {"X999", 1, "1"}});
    EXPECT_EQ(Orders::validate(*db, bad, true)->text, "Part No. does not exist ... Press F5 Key to Add New Items!!!");
    EXPECT_EQ(Orders::validate(*db, bad, true)->row, 2);
    bad.lines[1].itemCode = "B200";
    bad.lines[1].rate = 0;
    EXPECT_EQ(Orders::validate(*db, bad, true)->text, "Enter the Valid Rate ");
    bad.value = Money();
    EXPECT_EQ(Orders::validate(*db, bad, true)->icon, MsgIcon::Information);
    bad = order(3, 1, "PO-2", {{"A100", 1, "1"}});
    bad.profInvNo = "7";
    saveOrder(bad);
    EXPECT_EQ(Orders::nextProformaNo(*db), "8");
    same.profInvNo = " 7";
    EXPECT_EQ(Orders::validate(*db, same, false)->text, "Duplication of Proforma Invoice Nos not allowed !!! ");

    // The proforma invoice prints what the order's value is made of, and only that.
    Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
    const QString path = programDir() + "/proforma.xlsx";
    ASSERT_EQ(Print::writeDocument(*db, Orders::proforma(*db, 1), path), 1);
    const Print::Workbook wb = Print::Workbook::load(path);
    EXPECT_EQ(Print::valueAt(wb, 1, "SubTotal").toDouble(), 1100);
    EXPECT_EQ(Print::valueAt(wb, 1, "SalesTaxLabel").toString(), "VAT @ 12.5%");
    EXPECT_EQ(Print::valueAt(wb, 1, "SalesTax").toDouble(), 140.25);
    EXPECT_EQ(Print::valueAt(wb, 1, "Total").toDouble(), 1272.50);
    EXPECT_TRUE(Print::rowHiddenAt(wb, 1, "Excise"));
    EXPECT_EQ(Print::valueAt(wb, 1, "RefPO").toString(), "Ref PO: PO-1 Dt. 01/06/2026");
    EXPECT_TRUE(Print::valueAt(wb, 1, "AmountInWords").toString().endsWith("AND FIFTY PAISE ONLY"));
}

TEST_P(OrdersDc, SearchingANumberTwoCustomersShare) {
    saveOrder(order(1, 1, "PO-9", {{"A100", 1, "1"}}));
    saveOrder(order(2, 2, "PO-9", {{"A100", 1, "1"}}));
    saveOrder(order(3, 2, "PO-10", {{"A100", 1, "1"}}));
    auto f = Orders::find(*db, "PO-9", 2);
    EXPECT_EQ(f.id, 2);
    EXPECT_TRUE(f.message.isEmpty());
    f = Orders::find(*db, "PO-9", 0);
    EXPECT_EQ(f.id, 1);
    EXPECT_EQ(f.message,
              "System is displaying the 1 of 2 RECORDS with the PO No. you typed. \nSelect the Customer name for the "
              "PO no. to display the expected Data...");
    exec(*db, "insert into Customer (CustId, CustName) values (3, 'CHOLA')");
    f = Orders::find(*db, "PO-9", 3);
    EXPECT_EQ(f.id, 1);
    EXPECT_EQ(f.message,
              "System is displaying the 1 of 2 RECORDS with the PO NO. you typed. \nSelect the correct Customer name "
              "matching the PO no. to display the expected Data...");
    EXPECT_EQ(Orders::find(*db, "PO-10", 1).id, 3);  // the only one, whoever is chosen
    f = Orders::find(*db, "PO-11", 0);
    EXPECT_FALSE(f.id);
    EXPECT_EQ(f.message, " NO Purchase Order No.(Manufacturing) exists with this No.");

    // Cancelled orders are not offered to DCs.
    Orders::setCancelled(*db, 2, true);
    EXPECT_EQ(Dcs::openOrders(*db, 2), QStringList{"PO-10"});
    EXPECT_FALSE(Dcs::openOrderItemCodes(*db, 2, "PO-9"));
    Orders::setCancelled(*db, 2, false);
    EXPECT_EQ(Dcs::openOrders(*db, 2), (QStringList{"PO-9", "PO-10"}));
}

TEST_P(OrdersDc, DcNumbersWithinTheYearAndItsBook) {
    saveOrder(order(1, 1, "PO-1", {{"A100", 100, "1"}}));
    saveDc(dc(1, 1, "5", "PO-1", {{"A100", 1}}));
    auto again = dc(2, 1, "5", "PO-1", {{"A100", 1}});
    EXPECT_EQ(checkDc(again, true)->text, " A Record with same DC NO. already exists ...");
    EXPECT_EQ(checkDc(again, true)->icon, MsgIcon::Critical);
    again.dcDate = QDate(2027, 4, 1);  // the next financial year
    EXPECT_FALSE(checkDc(again, true));
    again.dcDate = QDate(2027, 3, 31);
    EXPECT_TRUE(checkDc(again, true));

    exec(*db, "insert into DcOutgoingInv (DcId, DcNo, DcDateT) values (1, '6', ?)", {at(2026, 7, 1)});
    exec(*db, "insert into DcSubConOutgoing (DcId, DcNo, DcDateT) values (1, '7', ?)", {at(2026, 7, 1)});
    Session::current().dcMode = 1;  // separate books: other kinds may hold the same numbers
    EXPECT_FALSE(checkDc(dc(2, 1, "6", "PO-1", {{"A100", 1}}), true));
    Session::current().dcMode = 2;
    EXPECT_EQ(checkDc(dc(2, 1, "6", "PO-1", {{"A100", 1}}), true)->text,
              " A Record with Same DC NO. already made for SALES - Labour Work .");
    EXPECT_FALSE(checkDc(dc(2, 1, "7", "PO-1", {{"A100", 1}}), true));
    Session::current().dcMode = 3;
    const auto sub = checkDc(dc(2, 1, "7", "PO-1", {{"A100", 1}}), true);
    EXPECT_EQ(sub->text, " A Record with Same DC NO. already made for SUB CONTRACT .");
    EXPECT_EQ(sub->icon, MsgIcon::Information);
    // The stored DC itself is no duplicate when modified.
    EXPECT_FALSE(checkDc(dc(1, 1, "5", "PO-1", {{"A100", 2}}), false));
}

TEST_P(OrdersDc, DcLineRefusals) {
    exec(*db, "update Misc set RedStkM=?", {true});
    Sql::transaction(*db, [&] { Stores::raiseNote(*db, inventory::NoteSource::Manual, "S", {{1, 5}, {2, 50}}); });
    saveOrder(order(1, 1, "PO-1", {{"A100", 10, "1"}, {"B200", 20, "1"}}));
    EXPECT_EQ(checkDc(dc(1, 1, "1", "PO-1", {{"B200", 21}}), true)->text,
              "In Row: 1 , Qty should not be greater than 20");
    // The stock bounds a new DC as well.
    const auto shortStock = checkDc(dc(1, 1, "1", "PO-1", {{"B200", 1}, {"A100", 6}}), true);
    EXPECT_EQ(shortStock->text, "In Row: 2 , Qty should not be greater than 5");
    EXPECT_EQ(shortStock->row, 2);
    EXPECT_EQ(checkDc(dc(1, 1, "1", "PO-1", {{"C300", 1}}), true)->text,
              "In Row: 1 , Qty should not be greater than 0");
    EXPECT_EQ(checkDc(dc(1, 1, "1", "PO-1", {}), true)->text,
              "Please Enter the Item details by clicking the grid heading.....");
    EXPECT_EQ(checkDc(dc(1, 1, "1", "PO-1", {{"A100", 1}, {"", 1}}), true)->text,
              "Enter Valid Item Code/Part No. for the SlNo.2");
    auto noParticulars = dc(1, 1, "1", "PO-1", {{"A100", 1}});
    noParticulars.lines[0].particulars = " ";
    EXPECT_EQ(checkDc(noParticulars, true)->text, "Enter Particulars for the SlNo. 1");
    EXPECT_EQ(checkDc(dc(1, 1, "1", "PO-1", {{"A100", 0}}), true)->text, "Enter the Valid Qty  ");
    EXPECT_EQ(checkDc(dc(1, 0, "1", "PO-1", {{"A100", 1}}), true)->text, "Please Select a Customer");
    EXPECT_EQ(checkDc(dc(1, 1, " ", "PO-1", {{"A100", 1}}), true)->text, "Enter the DC Number ");

    // A DC whose stock went elsewhere meanwhile cannot take more: nothing of the change stays.
    saveDc(dc(1, 1, "1", "PO-1", {{"A100", 5}}));
    Sql::transaction(*db, [&] {
        Stores::raiseIssue(*db, inventory::IssueSource::Manual, QDate(2026, 6, 10), " X", " ", {{2, 5, 50}});
    });
    const auto more = dc(1, 1, "1", "PO-1", {{"A100", 5}, {"B200", 1}});
    EXPECT_EQ(checkDc(more, false)->text, "In Row: 2 , Qty should not be greater than 0");
    EXPECT_FALSE(checkDc(dc(1, 1, "1", "PO-1", {{"A100", 5}}), false));  // its own 5 count as stock
    EXPECT_THROW(Sql::transaction(*db, [&] { Dcs::save(*db, more, false, true, 1); }), Refused);
    EXPECT_EQ(toSend(1), Q({5, 20}));
    EXPECT_EQ(count(*db, "select count(*) from DcInvSub where DcInvId=1"), 1);
    EXPECT_EQ(Stores::stockOf(*db, 1), 0);
    EXPECT_EQ(count(*db, "select count(*) from StoreIss where TI=2"), 1);
}

TEST_P(OrdersDc, InvoicedRejectedOrPaidDcsStay) {
    saveOrder(order(1, 1, "PO-1", {{"A100", 10, "1"}}));
    saveDc(dc(1, 1, "3", "PO-1", {{"A100", 2}}));
    EXPECT_FALSE(Dcs::clickBlock(*db, 1));
    exec(*db, "update DcInv set InvNo='12', TotVal=10000, Balance=10000");
    EXPECT_EQ(Dcs::changeBlock(*db, 1, false)->text,
              "Modification not allowed with this DC NO: 3, since Invoice is made already with this DC!!!");
    EXPECT_EQ(Dcs::changeBlock(*db, 1, true)->text,
              "Deletion not allowed with this DC NO: 3, since Invoice is made already with this DC!!!");
    EXPECT_THROW(Sql::transaction(*db, [&] { Dcs::remove(*db, 1); }), Refused);
    exec(*db, "update DcInv set InvNo=null, TotVal=null, Balance=null");
    exec(*db, "update DcInvSub set RewQty=1");
    EXPECT_EQ(Dcs::changeBlock(*db, 1, true)->text,
              "Deletion not allowed with this DC No: 3, since Rejection and Rework Qty from Customer has been made!!!");
    EXPECT_FALSE(Dcs::clickBlock(*db, 1));
    exec(*db, "update DcInvSub set RewQty=0");
    exec(*db, "update DcInv set InvNo='Nil', TotVal=5000, Balance=4000");
    EXPECT_EQ(Dcs::changeBlock(*db, 1, false)->text,
              "Modification not allowed with this DC No: 3, since some Cash flow has been made in this regard!!!");
    EXPECT_EQ(Dcs::clickBlock(*db, 1)->text,
              "Modification not allowed with this DC, since some Cash Flow has been made in this regard!!!");
    EXPECT_EQ(toSend(1), Q({8}));
}

TEST_P(OrdersDc, OrderNumberChangeFollowsIntoItsDcs) {
    saveOrder(order(1, 1, "PO-1", {{"A100", 10, "1"}}));
    saveOrder(order(2, 1, "PO-2", {{"A100", 10, "1"}}));
    saveOrder(order(3, 2, "PO-1", {{"A100", 10, "1"}}));
    saveDc(dc(1, 1, "1", "PO-1", {{"A100", 2}}));
    saveDc(dc(2, 2, "2", "PO-1", {{"A100", 2}}));
    chain::Orders::NumberChange c{1, "PO-1", QDate(2026, 6, 1)};
    EXPECT_EQ(chain::Orders::numberChangeBlock(*db, sales::orderKind(), c)->text,
              "Change the P.O. Number and Modify!!!");
    c.newNo = "PO-2";
    EXPECT_EQ(chain::Orders::numberChangeBlock(*db, sales::orderKind(), c)->text,
              "P.O. Number You changed is same as the existing P.O. Number...!!!");
    c.newNo = "PO-1A";
    c.newDate = QDate(2026, 6, 2);
    Sql::transaction(*db, [&] { chain::Orders::changeNumber(*db, sales::orderKind(), c); });
    EXPECT_EQ(Sql::scalar(*db, "select PONo from DcInv where DcInvId=1").toString(), "PO-1A");
    EXPECT_EQ(Sql::scalar(*db, "select PODate from DcInv where DcInvId=1").toString(), "02/06/2026");
    EXPECT_EQ(Sql::scalar(*db, "select PONo from DcInv where DcInvId=2").toString(), "PO-1");  // another customer's
    // The DC still draws on and gives back to its order under the new number.
    removeDc(1);
    EXPECT_EQ(toSend(1), Q({10}));
}

KAVRA_ON_EVERY_ENGINE(OrdersDc);

}  // namespace
