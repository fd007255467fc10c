// The purchase bill screen driven from the keyboard as the purchase desk uses it: the
// vendor's open order chosen, a line counted against it in the order's unit and taken
// into stock in the item's own, the order's balance guarding the quantity as it is typed,
// the value worked out, and the bill found again by its number.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Sql.h"
#include "core/chain/Orders.h"
#include "inventory/Stores.h"
#include "purchase/PurchaseKinds.h"
#include "purchase/forms/PurchaseBillScreen.h"
#include "support/ChainDocs.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class PurchaseBillScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 12), QTime(10, 0)))) return;
        QSqlDatabase& db = company();
        exec(db, "insert into Vendor (VendorCode, VendorName, VendorAddr) values (1, 'STEELCO', 'Peenya')");
        exec(db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, Rate) values "
             "(1, 'RM-1', 'Round bar', 1, 'NOS', 'KGS', 50)");
        chain::Orders::Header h{1, 1, "1", QDate(2026, 6, 1), {}};
        const QList<chain::Orders::Line> lines = orderLines({{"RM-1", 100, "48.5"}});
        Sql::transaction(db, [&] { chain::Orders::save(db, purchase::orderKind(), h, lines, true); });
    }
};

TEST_P(PurchaseBillScreen, ABillAgainstTheOrderByKeyboard) {
    QSqlDatabase& db = company();
    FrmPurchase s;
    ASSERT_TRUE(s.load());
    show(&s);
    ASSERT_EQ(s.controller()->state(), RecState::Adding);
    EXPECT_EQ(s.findChild<QLabel*>("lblStatus")->text(), "You are about to ADD a NEW Purchase Bill Now...");
    ASSERT_EQ(focusName(), "cmbVendor");
    emit s.grid()->headingClicked(1);
    EXPECT_EQ(dialogs.last().text, "Please select a Vendor Name ....!!!");
    type("S");
    emit s.grid()->headingClicked(1);
    EXPECT_EQ(dialogs.last().text, "Select A Purchase Order from the List!!!");
    tabTo("cmbPONo");
    key(Qt::Key_Down);
    EXPECT_EQ(s.findChild<QComboBox*>("cmbPONo")->currentText(), "1");
    tabTo("txtInvNo");
    type("SC-881");
    tabTo("optVAT");
    key(Qt::Key_Space);
    key(Qt::Key_Tab);  // the tax is one choice: on to the grid
    LineGrid* g = s.grid();
    ASSERT_TRUE(g->isEditing());
    type("RM");
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, FrmPurchase::RateCol), "48.50");  // the order's rate
    EXPECT_EQ(g->text(1, FrmPurchase::PoBalCol), "100");
    EXPECT_EQ(s.findChild<QLabel*>("lblUnitGuide")->text(),
              "ITEM : RM-1    UOM :  KGS (Qty)-->P.O.  /  NOS (Alt.Qty)-->Stock ");
    ASSERT_EQ(g->editColumn(), FrmPurchase::QtyCol);
    cells({"120"});
    EXPECT_EQ(dialogs.last().text, "Qty should not be greater than 100");
    g->editor()->selectAll();
    // 60 kg as 12 bars at 242.50 a bar, 12.5% tax.
    cells({"60", "12", "242.5", "", "", "", ""});
    type("12.5");
    key(Qt::Key_Tab);
    EXPECT_EQ(g->text(1, FrmPurchase::AmountCol), "3273.75");
    ASSERT_EQ(focusName(), "txtPackForwd");
    type("26.25");
    EXPECT_EQ(s.findChild<QLineEdit*>("txtTotVal")->text(), "3300.00");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(count(db, "select QtyToReci from PurchPOSub"), 40);
    EXPECT_EQ(count(db, "select TotVal from Purchase where InvNo='SC-881' and VATrCST='VAT'"), 330000);
    EXPECT_EQ(inventory::Stores::stockOf(db, 1), 12);
    EXPECT_FALSE(s.findChild<QLineEdit*>("txtPackForwd")->isEnabled());  // the charges too wait for Modify

    s.findChild<QPushButton*>("cmdNew")->click();
    QLineEdit* go = s.findChild<QLineEdit*>("txtGO");
    go->setFocus();
    type("SC-9");
    key(Qt::Key_Return);
    EXPECT_EQ(dialogs.last().text, " NO Invoice (PURCHASE) exists with this No.");
    go->clear();
    type("SC-881");
    key(Qt::Key_Return);
    EXPECT_EQ(s.findChild<QLineEdit*>("txtInvNo")->text(), "SC-881");
    EXPECT_EQ(g->text(1, FrmPurchase::PoBalCol), "100");  // the shown bill's own 60 counts as open
}

KAVRA_ON_EVERY_ENGINE(PurchaseBillScreen);

}  // namespace
