// The payments screen from the keyboard: a cheque payment against two purchase bills picked by
// hand in the bills grid, saved under a typed number, its voucher and cheque leaf printed.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "cash/forms/LedgerScreen.h"
#include "printing/DocumentPrint.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

QStringList printed;
void keep(const QString& path, bool) {
    printed << path;
}

class PaymentScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 1), QTime(10, 0)))) return;
        ready = true;
        QSqlDatabase& db = company();
        exec(db, "insert into Vendor (VendorCode, VendorName, OpenBal, OpenBalPndg) values (1, 'STEELCO', 0, 0)");
        exec(db,
             "insert into Purchase (PurchId, VendorCode, InvNo, TotVal, Balance) values (1, 1, 'P1', 50000, 50000), "
             "(2, 1, 'P2', 40000, 40000), (3, 1, 'P3', 10000, 10000)");
        exec(db, "insert into Banks (BankId, BankName) values (1, 'SBI')");
        Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
        Print::setOutputHandler(keep);
        printed.clear();
    }
    void TearDown() override {
        Print::setOutputHandler(nullptr);
        EngineTest::TearDown();
    }
    bool ready = false;
};

TEST_P(PaymentScreen, AChequeAgainstTwoBillsPickedByHand) {
    if (!ready) return;
    auto screen = std::make_unique<LedgerScreen>(paymentsScreen());
    ASSERT_TRUE(screen->load());
    show(screen.get());
    QTest::qWait(20);
    ASSERT_EQ(focusName(), "txtExpType");
    // The cheque leaf of a payment not yet saved is refused.
    screen->findChild<QPushButton*>("cmdCheqPrint")->click();
    EXPECT_EQ(dialogs.last().text, "You should save the record first in order to print the cheque...");

    type("purch");
    key(Qt::Key_Return);
    EXPECT_EQ(screen->findChild<QLineEdit*>("txtExpType")->text(), "Purchase Payments");
    type("st");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "txtPayType");
    type("man");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "txtAmount");
    EXPECT_EQ(screen->findChild<QLineEdit*>("txtAmount")->text(), "1000.00");
    key(Qt::Key_Return);  // into the bills grid
    cells({"P1", "300"});
    cells({"P3"});  // the bill's balance is proposed
    LineGrid* grid = screen->grid();
    ASSERT_EQ(grid->lineCount(), 2);
    EXPECT_EQ(grid->text(2, 2), "100.00");
    EXPECT_EQ(screen->findChild<QLineEdit*>("txtAmount")->text(), "400.00");
    // By cheque, under a number of the user's own.
    tabTo("txtPayId");
    screen->findChild<QLineEdit*>("txtPayId")->selectAll();
    type("41");
    tabTo("txtChNo");
    type("556677");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "DTPCHDate");
    type("02062026");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved Successfully...");

    QSqlDatabase& db = company();
    EXPECT_EQ(count(db, "select count(*) from FundTrans where P_R_A=1 and FundTransId=41 and IsExpense=TRUE"), 2);
    EXPECT_EQ(count(db, "select sum(Balance) from Purchase"), 60000);
    EXPECT_EQ(count(db, "select DrawAmt from BankTrans where CHNo='556677'"), 40000);

    screen->findChild<QPushButton*>("cmdPrint")->click();
    screen->findChild<QPushButton*>("cmdCheqPrint")->click();
    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(Print::valueAt(Print::Workbook::load(printed[0]), 1, "VoucherNo").toString(), "41");
    EXPECT_EQ(Print::valueAt(Print::Workbook::load(printed[1]), 1, "txtAmount").toString(), "400.00");
}

KAVRA_ON_EVERY_ENGINE(PaymentScreen);

}  // namespace
