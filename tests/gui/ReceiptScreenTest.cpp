// The receipts screen from the keyboard: head, party and type picked from the list under
// each box, the amount proposed from the balances and spread over the bills by Enter, Save;
// then the receipt shown locked and deleted with everything given back.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "cash/forms/LedgerScreen.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class ReceiptScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 1), QTime(10, 0)))) return;
        ready = true;
        QSqlDatabase& db = company();
        exec(db,
             "insert into Customer (CustId, CustName, OpenBal, OpenBalPndg) values (1, 'ACME', 0, 0), (2, "
             "'BHARAT', 0, 0)");
        exec(db,
             "insert into DcInv (DcInvId, CustId, DcNo, InvNo, TotVal, Balance) values (1, 1, '1', 'A', 100000, "
             "100000), (2, 1, '2', 'A', 100000, 100000), (3, 1, '3', 'B', 80000, 80000)");
        exec(db, "insert into Banks (BankId, BankName) values (1, 'SBI')");
        exec(db, "insert into Income (IncomeCode, IncomeName, IncomeDesc, IsDirect) values (4, 'Interest', '', TRUE)");
    }
    QStringList column(const char* grid, int col) {
        auto* t = screen->findChild<QTableWidget*>(grid);
        QStringList out;
        for (int r = 0; r < t->rowCount(); ++r) out << (t->item(r, col) ? t->item(r, col)->text() : QString());
        return out;
    }
    QString pick() {
        auto* l = screen->findChild<QListWidget*>("lstView");
        return l->isVisible() && l->currentItem() ? l->currentItem()->text() : QString();
    }
    std::unique_ptr<LedgerScreen> screen;
    bool ready = false;
};

TEST_P(ReceiptScreen, AReceiptPickedSpreadOverTheBillsSavedAndDeleted) {
    if (!ready) return;
    screen = std::make_unique<LedgerScreen>(receiptsScreen());
    ASSERT_TRUE(screen->load());
    EXPECT_EQ(dialogs.last().text, "No Records to Display...");
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Exclamation);
    show(screen.get());
    QTest::qWait(20);
    ASSERT_EQ(focusName(), "txtIncType");
    EXPECT_EQ(screen->findChild<QComboBox*>("cmbBank")->currentText(), "SBI");  // the only bank
    EXPECT_EQ(screen->findChild<QLabel*>("lblRecpId")->text(), "1");

    type("lab");
    EXPECT_EQ(pick(), "Labour Receipts");
    key(Qt::Key_Up);  // the reserved heads come first, by name; the user's after them
    EXPECT_EQ(pick(), "Labour Receipts");
    key(Qt::Key_Down);
    EXPECT_EQ(pick(), "Sales Receipts (Manufacturing)");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "txtFromWhom");
    type("ac");
    key(Qt::Key_Return);
    EXPECT_EQ(screen->findChild<QLineEdit*>("txtFromWhom")->text(), "ACME");
    EXPECT_EQ(column("msfBal", 0), (QStringList{"Opening Balance", "Advance Balance", "All Bill Balance", "A", "B"}));
    EXPECT_EQ(column("msfBal", 1), (QStringList{"0.00", "0.00", "1800.00", "1000.00", "800.00"}));
    ASSERT_EQ(focusName(), "txtRecpType");
    type("auto");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "txtAmount");
    auto* amount = screen->findChild<QLineEdit*>("txtAmount");
    EXPECT_EQ(amount->text(), "1800.00");  // everything open, proposed
    EXPECT_TRUE(screen->findChild<QLabel*>("lblWords")->isVisible());
    amount->selectAll();
    type("1500.50");
    EXPECT_EQ(screen->findChild<QLabel*>("lblWords")->text(), "RUPEES ONE THOUSAND, FIVE HUNDRED AND PAISE FIFTY ONLY");
    key(Qt::Key_Return);  // spreads it over the bills
    ASSERT_EQ(focusName(), "txtDesc");
    EXPECT_FALSE(screen->findChild<QLabel*>("lblWords")->isVisible());
    LineGrid* grid = screen->grid();
    ASSERT_EQ(grid->lineCount(), 2);
    EXPECT_EQ(grid->text(1, 1) + " " + grid->text(1, 2) + " " + grid->text(2, 1) + " " + grid->text(2, 2),
              "A 1000.00 B 500.50");
    type("June dues");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved Successfully...");

    QSqlDatabase& db = company();
    EXPECT_EQ(count(db, "select count(*) from FundTrans where P_R_A=2 and TrackBill in ('A','B')"), 2);
    EXPECT_EQ(count(db, "select Balance from DcInv where InvNo='B'"), 29950);
    EXPECT_EQ(count(db, "select DrawAmt from BankTrans where Id=1"), 150050);
    EXPECT_EQ(column("msfCash", 1), (QStringList{"1500.50 (+)", "0.00 (+)"}));
    // Shown, the head and the amount are locked.
    EXPECT_FALSE(screen->findChild<QLineEdit*>("txtIncType")->isEnabled());
    EXPECT_EQ(amount->text(), "1500.50");

    screen->findChild<QPushButton*>("cmdDelete")->click();
    EXPECT_TRUE(dialogs.saw("Record Deleted Successfully..."));
    EXPECT_EQ(count(db, "select sum(Balance) from DcInv"), 280000);
    EXPECT_EQ(count(db, "select count(*) from BankTrans"), 0);
    EXPECT_EQ(column("msfCash", 1), (QStringList{"0.00 (+)", "0.00 (+)"}));
    EXPECT_EQ(dialogs.last().text, "No Records to Display...");
}

KAVRA_ON_EVERY_ENGINE(ReceiptScreen);

}  // namespace
