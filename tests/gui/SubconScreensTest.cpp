// The work order and our subcontract DC driven from the keyboard: the order's number
// beside the prefix, the supplier's details and contacts, the line written with its item's
// name; then the DC against it with its rate proposed, the order's balance as a limit, the
// weight and an empty due date, and the excise copy printed with each line's value.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTextEdit>

#include "core/Session.h"
#include "printing/Workbook.h"
#include "subcontract/SubcontractKinds.h"
#include "subcontract/WorkOrders.h"
#include "subcontract/forms/SubconBillScreen.h"
#include "subcontract/forms/SubcontractDcScreens.h"
#include "subcontract/forms/WorkOrderScreen.h"
#include "support/ChainDocs.h"
#include "support/Keyboard.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class SubconScreens : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        exec(company(),
             "insert into Supplier (SuppId, SuppName, SuppAddr, CSTNo, KSTNo, Contact, custcode) values "
             "(1, 'PLATERS', 'Peenya', 'CST-4', 'KST-4', 'Mr Rao', 'V-77')");
        exec(company(),
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
             "(1, 'A100', 'Shaft', 5, 'NOS', 8)");
        exec(company(), "update Misc set PrintHead='ACME FORGE\nPeenya', PrefixWO='WO/'");
    }
    double value(const char* sql) { return Sql::scalar(company(), sql).toDouble(); }
    PrintCapture print_;
};

TEST_P(SubconScreens, OrderAndItsDcByKeyboard) {
    FrmSubConPO po;
    ASSERT_TRUE(po.load());
    show(&po);
    po.findChild<QPushButton*>("cmdNew")->click();
    // What New proposes: the first number of the year, beside the prefix it is not part of.
    for (const auto& [box, text] : {std::pair{"txtPrefix", "WO/"}, std::pair{"txtPOno", "1"}})
        EXPECT_EQ(po.findChild<QLineEdit*>(box)->text(), text) << box;
    EXPECT_EQ(po.findChild<QLabel*>("lblStatus")->text(), "You are about to ADD a NEW P.O. Now...");
    EXPECT_TRUE(po.windowTitle().startsWith("SUB CONTRACT"));
    ASSERT_EQ(focusName(), "cmbSupp");
    type("P");
    // The supplier's details are shown from the master.
    EXPECT_EQ(po.findChild<QComboBox*>("cmbKindAttn")->itemText(0), "Mr Rao");
    EXPECT_EQ(po.findChild<QLineEdit*>("txtKST")->text(), "KST-4");
    EXPECT_EQ(po.findChild<QTextEdit*>("rtbAddr")->toPlainText(), "Peenya");
    fields({{"cmbKindAttn", "Mr Rao"}, {"txtVal", "30"}, {"rtbTerms", "Plating within a week"}});
    // Ctrl+Enter leaves the terms, Enter the re-tracking box, into the grid.
    key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(focusName(), "chkReTrkRej");
    key(Qt::Key_Return);
    LineGrid* g = po.grid();
    ASSERT_TRUE(g->isEditing());
    cells({"A1"});
    EXPECT_EQ(g->text(1, 2), "Shaft");
    ASSERT_EQ(g->editColumn(), 4);
    // Back to the name: retyped, it becomes the item's.
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    ASSERT_EQ(g->editColumn(), 2);
    cells({"Shaft, plated", "", "10", "3", ""});
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    QSqlQuery q = Sql::exec(company(), "select PONo, KindAttn, Body, PurchVal, SuppId from SubConPO where POId=1");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "1");
    EXPECT_EQ(q.value(1).toString(), "Mr Rao");
    EXPECT_EQ(q.value(2).toString(), "Plating within a week");
    EXPECT_EQ(q.value(3).toLongLong(), 3000);
    q = QSqlQuery();
    EXPECT_EQ(count(company(), "select count(*) from SubConPOSub where QtyToSend=10 and QtyToReci=10"), 1);
    EXPECT_EQ(Sql::scalar(company(), "select ItemName from Item where ItemId=1").toString(), "Shaft, plated");

    dialogs.clear();
    FrmDCSubConOut dc;
    ASSERT_TRUE(dc.load());
    show(&dc);
    ASSERT_EQ(dc.controller()->state(), RecState::Adding);
    EXPECT_EQ(dc.findChild<QLineEdit*>("txtDCNo")->text(), "1");
    ASSERT_EQ(focusName(), "cmbSupp");
    type("P");
    tabTo("cmbPONo");
    key(Qt::Key_Down);
    EXPECT_EQ(dc.findChild<QComboBox*>("cmbPONo")->currentText(), "1");
    fields({{"cmbDeliveryPurpose", "FOR PLATING"}, {"txtEstiWt", "12"}});
    tabTo("dtpDueDate");
    key(Qt::Key_Return);
    g = dc.grid();
    ASSERT_TRUE(g->isEditing());
    type("A1");
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, 4).toDouble(), 8);  // the item's own rate
    EXPECT_EQ(g->text(1, 7), "10");          // PO Bal.Qty
    ASSERT_EQ(g->editColumn(), 3);
    cells({"12"});
    EXPECT_EQ(dialogs.last().text, "Qty should not be greater than 10");
    key(Qt::Key_Left);
    type("6");
    key(Qt::Key_Return);
    type("9.5");
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(value("select QtyToSend from SubConPOSub"), 4);
    EXPECT_EQ(value("select BalQty from DcSubConOutgoingSub"), 6);
    EXPECT_EQ(value("select Rate from DcSubConOutgoingSub"), 9.5);
    EXPECT_TRUE(Sql::scalar(company(), "select duedate from DcSubConOutgoing").isNull());
    EXPECT_EQ(Sql::scalar(company(), "select EstiWt from DcSubConOutgoing").toString(), "12");
    EXPECT_EQ(Sql::scalar(company(), "select DeliveryPurpose from DcSubConOutgoing").toString(), "FOR PLATING");

    QTest::mouseClick(dc.findChild<QLabel*>("lblExciseDC"), Qt::LeftButton);
    ASSERT_FALSE(print_.path().isEmpty());
    const Print::Workbook wb = Print::Workbook::load(print_.path());
    EXPECT_EQ(Print::valueAt(wb, 1, "SuppName").toString(), "PLATERS");
    EXPECT_EQ(Print::valueAt(wb, 1, "SuppCode").toString(), "S.C. V-77");
    EXPECT_EQ(Print::valueAt(wb, 1, "WORef").toString(), " Our PO No:  1    Dt. 10/06/2026");
    EXPECT_EQ(Print::valueAt(wb, 1, "TotalValue").toDouble(), 57);
    QTest::mouseClick(dc.findChild<QLabel*>("lblAnnexureII"), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, "This screen is not available yet.");
}

// The supplier's DC received and billed from the keyboard: the material still with the
// supplier as the limit, then the bill on the supplier's own number.
TEST_P(SubconScreens, WorkReceivedAndBilledByKeyboard) {
    QSqlDatabase& db = company();
    subcontract::WorkOrders::Order o;
    o.id = 1;
    o.suppId = 1;
    o.poNo = "1";
    o.poDate = o.validFrom = QDate(2026, 6, 1);
    o.validTo = QDate(2027, 3, 31);
    o.lines = orderLines({{"A100", 10, "5"}});
    o.lines[0].itemName = "Shaft";
    o.value = subcontract::WorkOrders::computedValue(o);
    const auto& out = subcontract::outgoingKind();
    Sql::transaction(db, [&] {
        subcontract::WorkOrders::save(db, o, true);
        chain::Challans::save(db, out, chain::Challans::toDc(out, dcOf(1, 1, "1", "1", {{"A100", 6}}, "Plating ")),
                              true, false, Session::current().dcMode, {});
    });

    FrmDCSubConIn in;
    ASSERT_TRUE(in.load());
    show(&in);
    ASSERT_EQ(in.controller()->state(), RecState::Adding);
    EXPECT_EQ(in.findChild<QLineEdit*>("txtDCNo")->text(), "");  // the supplier's number, typed
    ASSERT_EQ(focusName(), "cmbSupp");
    type("P");
    tabTo("cmbPONo");
    key(Qt::Key_Down);
    tabTo("cmbRefDCNo");
    EXPECT_EQ(in.findChild<QComboBox*>("cmbRefDCNo")->count(), 1);
    fields({{"txtDCNo", "S-1"}});
    tabTo("chkDCSigned");
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    LineGrid* g = in.grid();
    ASSERT_TRUE(g->isEditing());
    type("A1");
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, 5), "6");   // Qty. Left
    EXPECT_EQ(g->text(1, 6), "10");  // PO Bal.Qty
    ASSERT_EQ(g->editColumn(), 3);
    cells({"7"});
    EXPECT_EQ(dialogs.last().text, "Qty should not be greater than 6");
    key(Qt::Key_Left);
    type("4");
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(value("select BalQty from DcSubConOutgoingSub"), 2);
    EXPECT_EQ(value("select QtyToReci from SubConPOSub"), 6);
    EXPECT_EQ(Sql::scalar(db, "select RefDcNo from DcSubConIncoming").toString(), "1");
    EXPECT_TRUE(Sql::scalar(db, "select DcSign from DcSubConIncoming").toBool());

    dialogs.clear();
    FrmInvoiceSC bill;
    ASSERT_TRUE(bill.load());
    show(&bill);
    EXPECT_TRUE(bill.windowTitle().startsWith("SUB CONTRACT - INVOICE"));
    EXPECT_FALSE(bill.findChild<QPushButton*>("cmdPrint")->isVisible());
    EXPECT_EQ(bill.findChild<QLineEdit*>("txtInvNo")->text(), "");
    ASSERT_EQ(focusName(), "cmbSupp");
    type("P");
    tabTo("lstDcNo");
    ASSERT_EQ(bill.findChild<QListWidget*>("lstDcNo")->count(), 1);
    key(Qt::Key_Space);
    ASSERT_EQ(bill.grid()->lineCount(), 1);
    EXPECT_EQ(bill.grid()->text(1, bill.rateCol()), "5.00");  // the order's rate
    tabTo("txtInvNo");
    type("B-1");
    tabTo("txtPayTerm");
    key(Qt::Key_Tab);
    ASSERT_TRUE(bill.grid()->isEditing());
    cells({"4", "20", ""});
    EXPECT_EQ(bill.findChild<QLineEdit*>("txtTotVal")->text(), "80.00");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Stored successfully .");
    EXPECT_EQ(count(db,
                    "select count(*) from DcSubConIncoming where InvNo='B-1' and TotVal=8000 and Balance=8000 and "
                    "InvDate='10/06/2026'"),
              1);
    EXPECT_EQ(value("select Rate from DcSubConIncomingSub"), 20);
}

KAVRA_ON_EVERY_ENGINE(SubconScreens);

}  // namespace
