// The profit and loss screen from the keyboard: a reversed period refused, the month viewed,
// the detail rows shown and hidden without a change to the grid, and the print read back.
#include <QCheckBox>
#include <QDateEdit>
#include <QTableView>

#include "printing/Workbook.h"
#include "support/Keyboard.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "views/ProfitAndLoss.h"
#include "views/forms/StatementScreen.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class StatementScreenTest : public EngineTest {
  protected:
    void SetUp() override { ready = startAsAdministrator(QDateTime(QDate(2026, 6, 15), QTime(9, 0))); }
    void view(StatementScreen& s) {
        tabTo("cmdView");
        key(Qt::Key_Space);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !s.building(); }, 20000));
    }
    bool ready = false;
    PrintCapture print_;
};

TEST_P(StatementScreenTest, AMonthViewedDetailedAndPrinted) {
    if (!ready) return;
    exec(company(), "insert into Vendor (VendorCode, VendorName) values (1, 'ALPHA STEEL')");
    exec(company(), "insert into Purchase (PurchId, VendorCode, InvNo, InvDateT, TotVal) values (1, 1, 'P1', ?, 50000)",
         {at(2026, 6, 2)});
    StatementScreen s(views::ProfitAndLoss::kind());
    ASSERT_TRUE(s.load());
    show(&s);
    auto* from = s.findChild<QDateEdit*>("dtpFrom");
    EXPECT_EQ(from->date(), QDate(2026, 5, 16));
    EXPECT_EQ(s.findChild<QDateEdit*>("dtpTo")->date(), QDate(2026, 6, 15));

    tabTo("cmdPrint");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "No data to Print ...");

    tabTo("dtpFrom");
    type("20062026");
    ASSERT_EQ(from->date(), QDate(2026, 6, 20));
    view(s);
    EXPECT_EQ(dialogs.last().text, "From Date should not be later than To Date ...");
    EXPECT_EQ(focusName(), "dtpFrom");
    EXPECT_EQ(s.model()->rowCount(), 0);

    type("01062026");
    view(s);
    const auto& rows = s.model()->rows();
    ASSERT_EQ(rows.value(1).cells.join('|'), "G|Purchase||500.00|Sales||0.00");
    ASSERT_EQ(rows.value(2).cells.join('|'), "|ALPHA STEEL|500.00||||");
    auto* grid = s.findChild<QTableView*>("msflex");
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_TRUE(grid->isRowHidden(2));  // summary first
    EXPECT_TRUE(grid->isColumnHidden(2));

    tabTo("chkDetail");
    key(Qt::Key_Space);
    EXPECT_FALSE(grid->isRowHidden(2));
    EXPECT_FALSE(grid->isColumnHidden(2));
    key(Qt::Key_Space);
    EXPECT_TRUE(grid->isRowHidden(2));
    EXPECT_EQ(s.model()->rowCount(), int(rows.size()));

    tabTo("cmdPrint");
    key(Qt::Key_Space);
    ASSERT_EQ(print_.output().calls, 1);
    EXPECT_TRUE(print_.output().preview);
    Print::Workbook wb = Print::Workbook::load(print_.output().path);
    EXPECT_EQ(wb.value(0, 1, 2).toString(),
              "Profit and Loss Statement for the period between  01-Jun-2026 and 15-Jun-2026");
    EXPECT_EQ(wb.value(0, 2, 2).toString(), "Particulars");
    EXPECT_EQ(wb.value(0, 4, 2).toString(), "Purchase");
    EXPECT_EQ(wb.value(0, 4, 4).toDouble(), 500);
    EXPECT_TRUE(wb.rowHidden(0, 5));  // the vendor's detail row, in summary

    exec(company(), "delete from Misc");
    key(Qt::Key_Space);
    EXPECT_TRUE(dialogs.last().text.startsWith("You have to enter your Company Details First"));
    EXPECT_EQ(print_.output().calls, 1);
}

KAVRA_ON_EVERY_ENGINE(StatementScreenTest);

}  // namespace
