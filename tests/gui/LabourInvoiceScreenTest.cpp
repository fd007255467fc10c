// The labour invoice screen driven from the keyboard as the accounts desk uses it: a
// customer's two outgoing DCs billed in the items' other unit, the cess refused before a
// service tax, the value as typed, the print, the search, and a delete that makes the DCs
// invoiceable again; and one DC per invoice where the company bills that way.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "core/Session.h"
#include "jobwork/LabourDcs.h"
#include "jobwork/LabourOrders.h"
#include "jobwork/forms/LabourInvoiceScreen.h"
#include "printing/Workbook.h"
#include "support/ChainDocs.h"
#include "support/Keyboard.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;
namespace Dcs = kavra::jobwork::Dcs;

namespace {

class LabourInvoiceScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 12), QTime(10, 0)))) return;
        QSqlDatabase& db = company();
        exec(db, "insert into Customer (CustId, CustName, CustAddr) values (1, 'ACME FORGE', 'Peenya')");
        exec(db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, Rate) values "
             "(1, 'A100', 'Shaft', 5, 'NOS', 'NOS', 0), (2, 'B200', 'Bush', 5, 'NOS', 'KGS', 9)");
        jobwork::Orders::Order o;
        o.id = 1;
        o.custId = 1;
        o.poNo = "LPO-1";
        o.poDate = QDate(2026, 6, 1);
        o.validFrom = o.poDate;
        o.validTo = QDate(2027, 3, 31);
        o.lines = orderLines({{"A100", 100, "2.5"}, {"B200", 50, "4"}});
        Sql::transaction(db, [&] { jobwork::Orders::save(db, o, true); });
        const int mode = Session::current().dcMode;
        auto save = [&](Dcs::Way w, const Dcs::Dc& d) {
            Sql::transaction(db, [&] { Dcs::save(db, w, d, true, false, mode); });
        };
        save(Dcs::Way::In, dcOf(1, 1, "C-1", "LPO-1", {{"A100", 100}, {"B200", 50}}, "Job on "));
        save(Dcs::Way::Out, dcOf(1, 1, "1", "LPO-1", {{"A100", 60}, {"B200", 20, "NV"}}, "Job on "));
        save(Dcs::Way::Out, dcOf(2, 1, "2", "LPO-1", {{"B200", 30}}, "Job on "));
    }
    QLineEdit* edit(QWidget* s, const char* name) { return s->findChild<QLineEdit*>(name); }
    PrintCapture print_;
};

TEST_P(LabourInvoiceScreen, TwoDcsBilledByKeyboardThenDeleted) {
    QSqlDatabase& db = company();
    FrmInvoiceL s;
    ASSERT_TRUE(s.load());
    show(&s);
    EXPECT_TRUE(s.windowTitle().startsWith("LABOUR - INVOICE"));
    ASSERT_EQ(s.controller()->state(), RecState::Adding);
    EXPECT_EQ(edit(&s, "txtInvNo")->text(), "1");
    ASSERT_EQ(focusName(), "cmbCust");
    type("A");
    tabTo("lstDcNo");
    auto* dcs = s.findChild<QListWidget*>("lstDcNo");
    ASSERT_EQ(dcs->count(), 2);
    EXPECT_EQ(dcs->item(0)->text(), "2");  // newest number first
    key(Qt::Key_Space);                    // the first DC
    key(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(dcs->selectedItems().size(), 2);
    LineGrid* g = s.grid();
    ASSERT_EQ(g->lineCount(), 2);                // the "NV" line stays out
    EXPECT_EQ(g->text(1, s.rateCol()), "2.50");  // the order's rate
    EXPECT_EQ(g->text(2, s.rateCol()), "4.00");

    // The cess is refused before a service tax; the taxes are typed, then the lines.
    tabTo("txtCessOnServTax");
    type("2");
    EXPECT_EQ(dialogs.last().text, "Service Tax must be entered...   in order to have Cess on Service Tax !");
    EXPECT_EQ(edit(&s, "txtCessOnServTax")->text(), "");
    s.findChild<QLineEdit*>("txtPackForwd")->setFocus();
    type("2");
    tabTo("cmbPackForwdType");
    key(Qt::Key_Down);  // Percentage
    tabTo("txtVAT");
    type("4");
    tabTo("txtServTax");
    type("12");
    tabTo("txtCessOnServTax");
    type("2");
    s.findChild<QLineEdit*>("txtPayTerm")->setFocus();
    key(Qt::Key_Tab);
    ASSERT_TRUE(g->isEditing());
    ASSERT_EQ(g->editColumn(), s.altQtyCol());
    EXPECT_EQ(s.findChild<QLabel*>("lblUnitGuide")->text(),
              "ITEM : A100    UOM :  NOS (Qty && Alt.Qty should be same)");
    cells({"60", "", ""});
    ASSERT_EQ(g->editRow(), 2);
    ASSERT_EQ(g->editColumn(), s.altQtyCol());
    EXPECT_EQ(s.findChild<QLabel*>("lblUnitGuide")->text(), "ITEM : B200    UOM :  NOS (Qty)  /  KGS (Alt.Qty) ");
    cells({"25", "", "10"});  // 25 kg at 4.00 less 10%
    EXPECT_EQ(g->text(1, s.amountCol()), "150.00");
    EXPECT_EQ(g->text(2, s.amountCol()), "90.00");
    // 240 + 2% = 244.80; VAT 9.792; service tax 12% of 254.592 = 30.55104; cess 0.6110208.
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "285.75");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Stored successfully .");
    EXPECT_EQ(count(db,
                    "select count(*) from DcOutgoingInv where InvNo='1' and TotVal=28575 and Balance=28575 and "
                    "IsPackForwdPerc=? and VAT=4 and ServTax=12 and CessOnServTax=2",
                    {true}),
              2);
    EXPECT_EQ(count(db, "select AltQty from DcOutgoingSubInv where DcId=2"), 25);
    EXPECT_EQ(count(db, "select Discount from DcOutgoingSubInv where DcId=2"), 10);
    EXPECT_EQ(s.findChild<QPushButton*>("cmdSave")->text(), "&Modify");
    EXPECT_EQ(edit(&s, "txtPackForwd")->text(), "2");  // shown again as typed

    s.findChild<QPushButton*>("cmdPrint")->click();
    ASSERT_FALSE(print_.path().isEmpty());
    const Print::Workbook wb = Print::Workbook::load(print_.path());
    EXPECT_EQ(Print::valueAt(wb, 1, "Total").toDouble(), 285.75);

    // Found by its number, then deleted: both DCs are offered again, their rates gone.
    QLineEdit* go = edit(&s, "txtGO");
    go->setFocus();
    type("9");
    key(Qt::Key_Return);
    EXPECT_EQ(dialogs.last().text, " NO Inv No. exists with this No.");
    go->clear();
    type("1");
    key(Qt::Key_Return);
    EXPECT_EQ(s.controller()->currentId(), 2);
    dialogs.clear();
    s.findChild<QPushButton*>("cmdDelete")->click();
    EXPECT_EQ(dialogs.shown()[0].text, "Are You Sure To DELETE this INVOICE ? ");
    EXPECT_TRUE(dialogs.saw("Records Deleted"));
    EXPECT_EQ(count(db, "select count(*) from DcOutgoingInv where InvNo is null"), 2);
    EXPECT_EQ(count(db, "select count(*) from DcOutgoingSubInv where Rate<>0 or Discount<>0"), 0);
    EXPECT_EQ(s.controller()->state(), RecState::Adding);
}

TEST_P(LabourInvoiceScreen, OneDcPerInvoiceAndNoneWithoutDcs) {
    exec(company(), "update Misc set Labour1to1=?", {true});
    {
        FrmInvoiceL s;
        ASSERT_TRUE(s.load());
        show(&s);
        type("A");
        tabTo("lstDcNo");
        key(Qt::Key_Space);
        key(Qt::Key_Down, Qt::ShiftModifier);
        auto* dcs = s.findChild<QListWidget*>("lstDcNo");
        ASSERT_EQ(dcs->selectedItems().size(), 1);
        EXPECT_TRUE(dcs->item(0)->isSelected());  // the first stays
        EXPECT_EQ(s.grid()->lineCount(), 1);
    }
    exec(company(), "delete from DcOutgoingSubInv");
    exec(company(), "delete from DcOutgoingInv");
    FrmInvoiceL s;
    ASSERT_TRUE(s.load());
    EXPECT_EQ(dialogs.last().text, "You cannot Create INVOICE without a DC-Outgoing!!!");
    EXPECT_FALSE(s.findChild<QPushButton*>("cmdNew")->isEnabled());
}

KAVRA_ON_EVERY_ENGINE(LabourInvoiceScreen);

}  // namespace
