// The outgoing service invoice from the keyboard: the customer, the year's first number, two
// lines of items with their particulars, the charges and the value as typed; saved, then
// locked once a receipt is set against it.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "sales/forms/ServiceInvoiceScreen.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class ServiceInvoiceScreenTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        ready = true;
        exec(company(), "insert into Customer (CustId, CustName) values (1, 'ACME FORGE')");
        exec(company(),
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
             "(1, '1001', 'Bolt M8', 5, 'NOS', 1000), (2, '1002', 'Bush 20', 5, 'NOS', 2500)");
    }
    bool ready = false;
};

TEST_P(ServiceInvoiceScreenTest, AnInvoiceTypedSavedAndLockedByItsReceipt) {
    if (!ready) return;
    ServiceInvoiceScreen s(sales::ServiceInvoices::outgoing());
    ASSERT_TRUE(s.load());
    show(&s);
    QTest::qWait(20);
    ASSERT_EQ(focusName(), "cmbCust");
    key(Qt::Key_Down);
    EXPECT_EQ(s.findChild<QComboBox*>("cmbCust")->currentText(), "ACME FORGE");
    EXPECT_EQ(s.findChild<QLineEdit*>("txtInvNo")->text(), "1");  // the year's first
    LineGrid* grid = s.grid();
    grid->setFocus();
    grid->beginEdit(1, 1);
    cells({"1001"});  // the item's name is proposed as the particulars; Left goes back to them
    key(Qt::Key_Left);
    cells({"Plating of bolts", "100", "100", "2.50", "", ""});
    cells({"1002", "10", "10", "20", "10", ""});
    ASSERT_EQ(grid->text(1, 2) + " / " + grid->text(2, 2), "Plating of bolts / Bush 20");
    EXPECT_EQ(grid->text(1, 8), "250.00");
    EXPECT_EQ(grid->text(2, 8), "180.00");
    tabTo("txtPackForwd");
    type("2");
    tabTo("cmbPackForwdType");
    key(Qt::Key_Down);  // per cent: 430.00 + 8.60, then 12 % of 438.60
    tabTo("txtServTax");
    type("12");
    EXPECT_EQ(s.findChild<QLineEdit*>("txtTotVal")->text(), "491.23");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Stored successfully .");
    QSqlDatabase& db = company();
    EXPECT_EQ(count(db, "select TotVal from InvoiceServOut where InvNo='1'"), 49123);
    EXPECT_EQ(count(db, "select Balance from InvoiceServOut where InvNo='1'"), 49123);
    EXPECT_EQ(count(db, "select count(*) from InvoiceServOutSub"), 2);
    EXPECT_EQ(count(db, "select count(*) from ProductL where ProdName='Plating of bolts'"), 1);

    exec(db, "update InvoiceServOut set Balance=Balance-100");
    s.findChild<QPushButton*>("cmdModify")->click();
    EXPECT_EQ(dialogs.last().text, "Modification/Deletion not allowed, since Some Cash Flow is made in this Regard!!!");
}

KAVRA_ON_EVERY_ENGINE(ServiceInvoiceScreenTest);

}  // namespace
