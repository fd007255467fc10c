// The order and DC screens driven from the keyboard as the dispatch desk uses them: an
// order entered field by field and line by line, a DC that picks the order's items, its
// quantity checked as it is typed, its print, and its change and deletion.
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include "printing/DocumentPrint.h"
#include "printing/Workbook.h"
#include "sales/forms/DCScreen.h"
#include "sales/forms/MfgPOScreen.h"
#include "support/Keyboard.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"
#include "ui/PONoChngScreen.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class MfgPoDcScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        QSqlDatabase& db = company();
        exec(db,
             "insert into Customer (CustId, CustName, CustAddr, VATRegNo) values (1, 'ACME FORGE', "
             "'Peenya, Bengaluru', '29AB'), (2, 'BHARAT GEARS', 'Hosur', ' ')");
        exec(db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
             "(1, 'A100', 'Bolt M8', 5, 'NOS', 10), (2, 'B200', 'Bush 20', 5, 'NOS', 25), "
             "(3, 'C300', 'Cover', 5, 'SET', 50)");
    }

    QList<double> toSend() {
        QList<double> out;
        QSqlQuery q = Sql::exec(company(), "select QtyToSend from MfgPOSub where POId=1 order by SlNo");
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    PrintCapture print_;
};

TEST_P(MfgPoDcScreen, OrderThenDcByKeyboard) {
    {
        FrmMfgPO po;
        ASSERT_TRUE(po.load());
        show(&po);
        ASSERT_EQ(po.controller()->state(), RecState::Adding);
        EXPECT_EQ(po.findChild<QLabel*>("lblStatus")->text(), "You are about to ADD a NEW P.O. Now...");
        ASSERT_EQ(focusName(), "cmbCust");
        type("A");  // the list's own type-ahead picks ACME FORGE
        EXPECT_EQ(po.findChild<QTextEdit*>("rtbAddr")->toPlainText(), "Peenya, Bengaluru");
        EXPECT_EQ(po.findChild<QLineEdit*>("txtTinNo")->text(), "29AB");
        tabTo("txtTINperc");
        type("12.5");
        tabTo("txtVal");
        type("1000");
        tabTo("chkReTrkRej");
        key(Qt::Key_Tab);  // into the grid: the editor opens on line 1
        LineGrid* g = po.grid();
        ASSERT_TRUE(g->isEditing());
        EXPECT_EQ(g->editRow(), 1);
        type("A1");
        key(Qt::Key_Return);  // the list's choice fills name, unit and the item's rate
        EXPECT_EQ(g->text(1, 2), "Bolt M8");
        EXPECT_EQ(g->text(1, 5), "10.00");
        EXPECT_EQ(g->editColumn(), 4);
        cells({"10", "", ""});  // Enter on the last column of a full line appends the next
        ASSERT_EQ(g->lineCount(), 2);
        type("B2");
        key(Qt::Key_Return);
        cells({"20", "", "5"});
        type("C3");
        key(Qt::Key_Return);
        cells({"5", "", ""});
        EXPECT_EQ(g->lineCount(), 4);  // an empty line left at the end is no line of the order
        key(Qt::Key_Tab);
        ASSERT_EQ(focusName(), "cmdSave");
        key(Qt::Key_Space);
        // The number was skipped: refused, and the focus goes there.
        EXPECT_EQ(dialogs.last().text, "Enter the Purchase Order Number..... ");
        ASSERT_EQ(focusName(), "txtPOno");
        type("PO-77");
        po.findChild<QPushButton*>("cmdSave")->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        EXPECT_EQ(dialogs.shown()[dialogs.count() - 2].text, "Are You Sure To Save ?");
        EXPECT_EQ(dialogs.last().text, "Record Saved .");
        EXPECT_EQ(po.controller()->state(), RecState::Browse);
    }
    EXPECT_EQ(toSend(), (QList<double>{10, 20, 5}));
    EXPECT_EQ(Sql::scalar(company(), "select Discount from MfgPOSub where SlNo=2").toDouble(), 5);
    EXPECT_EQ(Sql::scalar(company(), "select TINperc from MfgPO").toDouble(), 12.5);

    dialogs.clear();
    FrmDC dc;
    ASSERT_TRUE(dc.load());
    show(&dc);
    ASSERT_EQ(dc.controller()->state(), RecState::Adding);
    EXPECT_TRUE(dialogs.last().text.startsWith("You are about to start New Records for this FINANCIAL YEAR 2026-2027"));
    EXPECT_EQ(dc.findChild<QLineEdit*>("txtDCNo")->text(), "1");
    ASSERT_EQ(focusName(), "cmbCust");
    type("A");
    tabTo("cmbPONo");
    key(Qt::Key_Down);
    EXPECT_EQ(dc.findChild<QComboBox*>("cmbPONo")->currentText(), "PO-77");
    tabTo("cmbTransport");
    type("LORRY");
    tabTo("cmbVehicleNo");
    type("KA-01-1234");
    tabTo("chkDCSigned");

    // The heading offers the order's items; Space marks, Enter takes them.
    LineGrid* g = dc.grid();
    QHeaderView* head = g->table()->horizontalHeader();
    QTest::mouseClick(head->viewport(), Qt::LeftButton, {},
                      QPoint(head->sectionViewportPosition(2) + 5, head->height() / 2));
    auto* picker = dc.findChild<QListWidget*>("lstPicker");
    ASSERT_TRUE(picker->isVisible());
    ASSERT_EQ(picker->count(), 3);
    ASSERT_EQ(focused(), picker);
    key(Qt::Key_Space);
    key(Qt::Key_Down);
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    ASSERT_EQ(g->lineCount(), 2);
    EXPECT_EQ(g->text(1, 1), "A100");
    EXPECT_EQ(g->text(2, 2), "Bush 20");
    EXPECT_EQ(g->text(1, 6), "10");  // PO Bal.Qty
    EXPECT_EQ(g->text(2, 5), "0");   // Stk.Qty
    ASSERT_EQ(g->editRow(), 1);
    ASSERT_EQ(g->editColumn(), 3);
    cells({"4", ""});  // Enter from the remarks goes down a line
    ASSERT_EQ(g->editRow(), 2);
    key(Qt::Key_Left);
    cells({"25"});  // over the order's balance: said at once
    EXPECT_EQ(dialogs.last().text, "Qty should not be greater than 20");
    key(Qt::Key_Left);
    EXPECT_EQ(g->editColumn(), 3);
    type("20");
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(toSend(), (QList<double>{6, 0, 5}));
    EXPECT_EQ(Sql::scalar(company(), "select Transport from DcInv").toString(), "LORRY");
    EXPECT_EQ(Sql::scalar(company(), "select PONo from DcInv").toString(), "PO-77");

    // The print carries the customer's order.
    dc.findChild<QPushButton*>("cmdPrint")->click();
    ASSERT_FALSE(print_.path().isEmpty());
    const Print::Workbook wb = Print::Workbook::load(print_.path());
    EXPECT_EQ(Print::valueAt(wb, 1, "YourPO").toString(), " Your PO No:  PO-77    Dt. 10/06/2026");
    EXPECT_EQ(Print::valueAt(wb, 1, "TotalQty").toDouble(), 24);

    // Enter on the grid of the shown DC starts modifying it.
    g->table()->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Return);
    ASSERT_EQ(dc.controller()->state(), RecState::Modifying);
    g->beginEdit(1, 3);
    type("3");
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdModify");
    key(Qt::Key_Space);
    const int n = dialogs.count();
    EXPECT_EQ(dialogs.shown()[n - 3].text, "Are You Sure To Modify?");
    EXPECT_TRUE(dialogs.shown()[n - 2].text.startsWith("While creating this record, Stock option was not Choosen..."));
    EXPECT_EQ(dialogs.last().text, "Record Modified.");
    EXPECT_EQ(toSend(), (QList<double>{7, 0, 5}));

    dc.findChild<QPushButton*>("cmdDelete")->setFocus();
    key(Qt::Key_Space);
    EXPECT_TRUE(dialogs.saw("Record Deleted Successfully."));
    EXPECT_EQ(toSend(), (QList<double>{10, 20, 5}));
    EXPECT_EQ(dc.controller()->state(), RecState::Adding);  // no DC left
}

TEST_P(MfgPoDcScreen, DrawnOrderKeepsItsCustomerAndCanBeRenumberedAndCancelled) {
    QSqlDatabase& db = company();
    exec(db,
         "insert into MfgPO (POId, CustId, PONo, PODate, PODateT, PurchVal) values (1, 1, 'PO-1', "
         "'01/06/2026', ?, 100000)",
         {at(2026, 6, 1)});
    exec(db,
         "insert into MfgPOSub (POId, SlNo, ItemId, UOM, Qty, Rate, Discount, QtyToSend) values "
         "(1, 1, 1, 'NOS', 10, 10, 0, 6)");
    exec(db, "insert into DcInv (DcInvId, CustId, DcNo, DcDateT, PONo) values (1, 1, '1', ?, 'PO-1')",
         {at(2026, 6, 5)});
    FrmMfgPO po;
    ASSERT_TRUE(po.load());
    show(&po);
    ASSERT_EQ(po.controller()->state(), RecState::Browse);
    po.findChild<QPushButton*>("cmdDelete")->click();
    EXPECT_EQ(dialogs.last().text,
              "You cannot delete this Purchase Order , since some transactions has been made already...");

    // Into the grid of the drawn order: the customer and number stay, the item cannot be reached.
    LineGrid* g = po.grid();
    g->table()->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Return);
    ASSERT_EQ(po.controller()->state(), RecState::Modifying);
    EXPECT_FALSE(po.findChild<QComboBox*>("cmbCust")->isEnabled());
    EXPECT_FALSE(po.findChild<QLineEdit*>("txtPOno")->isEnabled());
    EXPECT_TRUE(po.findChild<QLineEdit*>("txtRem")->isEnabled());
    EXPECT_EQ(g->editColumn(), 4);
    type("3");  // below the 4 sent
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text,
              "Since 4 NOS of 'Bolt M8' has been sent to Customer Already, \n Qty should be greater or equal to 4");
    EXPECT_EQ(g->text(1, 4), "4");

    // A click on a header field of the shown order starts modifying it too.
    po.controller()->moveFirst();
    auto* txtRem = po.findChild<QLineEdit*>("txtRem");
    ASSERT_FALSE(txtRem->isEnabled());
    QTest::mouseClick(txtRem, Qt::LeftButton);
    EXPECT_EQ(po.controller()->state(), RecState::Modifying);
    EXPECT_TRUE(txtRem->isEnabled());

    // F11 renumbers the order and its DC.
    po.controller()->moveFirst();
    QTest::keyClick(&po, Qt::Key_F11);
    auto* chng = window<FrmPONoChng>();
    ASSERT_TRUE(chng);
    EXPECT_EQ(chng->findChild<QLineEdit*>("txtOldPONo")->text(), "PO-1");
    auto* txtNew = chng->findChild<QLineEdit*>("txtNewPONo");
    txtNew->selectAll();
    QTest::keyClicks(txtNew, "PO-1/R");
    chng->findChild<QPushButton*>("cmdModify")->click();
    EXPECT_EQ(dialogs.last().text, "Record Modified.");
    chng->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(po.findChild<QLineEdit*>("txtPOno")->text(), "PO-1/R");
    EXPECT_EQ(Sql::scalar(db, "select PONo from DcInv").toString(), "PO-1/R");

    // F10 cancels: stamped, and no Modify or Delete; F10 again reverts.
    QTest::keyClick(&po, Qt::Key_F10);
    EXPECT_EQ(dialogs.shown().last().text, "Are You sure to Cancel this Purchase Order?");
    EXPECT_TRUE(po.findChild<QLabel*>("imgCancel")->isVisible());
    EXPECT_FALSE(po.findChild<QPushButton*>("cmdModify")->isEnabled());
    QTest::keyClick(&po, Qt::Key_F10);
    EXPECT_EQ(dialogs.shown().last().text, "Are You sure to Revert this Cancelled Purchase Order?");
    EXPECT_FALSE(po.findChild<QLabel*>("imgCancel")->isVisible());
    EXPECT_TRUE(po.findChild<QPushButton*>("cmdModify")->isEnabled());
}

// Navigation reaches what another desk saved since the screen opened, and gives up what it deleted.
TEST_P(MfgPoDcScreen, ArrowsReachADcSavedAtAnotherDesk) {
    const QString dc =
        "insert into DcInv (DcInvId, CustId, DcNo, DcDate, DcDateT, PONo) values (?, 1, ?, '05/06/2026', ?, 'PO-1')";
    exec(company(), dc, {1, "1", at(2026, 6, 5)});
    FrmDC screen;
    ASSERT_TRUE(screen.load());
    show(&screen);
    auto* number = screen.findChild<QLineEdit*>("txtDCNo");
    screen.findChild<QPushButton*>("cmdMoveFirst")->click();
    ASSERT_EQ(number->text(), "1");

    QSqlDatabase& other = open(Session::current().companyDb);
    exec(other, dc, {2, "2", at(2026, 6, 6)});
    screen.findChild<QPushButton*>("cmdMoveLast")->click();
    EXPECT_EQ(number->text(), "2");
    screen.findChild<QPushButton*>("cmdMoveFirst")->click();
    screen.findChild<QPushButton*>("cmdMoveNext")->click();
    EXPECT_EQ(number->text(), "2");

    exec(other, "delete from DcInv where DcInvId=2");
    screen.findChild<QPushButton*>("cmdMoveFirst")->click();
    screen.findChild<QPushButton*>("cmdMoveLast")->click();
    EXPECT_EQ(number->text(), "1");
}

INSTANTIATE_TEST_SUITE_P(Engines, MfgPoDcScreen, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
