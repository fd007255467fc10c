// The expense head master from the keyboard: a head typed and saved joins the list, the
// system's heads stay out of it, and a head in use is refused its delete.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "cash/forms/HeadScreens.h"
#include "core/Sql.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class HeadScreen : public EngineTest {};

TEST_P(HeadScreen, AHeadTypedSavedAndKeptWhileInUse) {
    if (!startAsAdministrator()) return;
    FrmHead s(Heads::expense());
    ASSERT_TRUE(s.load());
    show(&s);
    auto* list = s.findChild<QListWidget*>("lstNames");
    EXPECT_EQ(list->count(), 0);  // the five system heads are not listed
    s.findChild<QPushButton*>("cmdNew")->click();
    EXPECT_EQ(s.findChild<QLineEdit*>("txtExpenseCode")->text(), "6");
    ASSERT_EQ(focusName(), "txtExpenseName");
    type("Electricity");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "txtExpenseDesc");
    type("Power bills");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Records Saved!");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Electricity");
    exec(company(), "insert into FundTrans (Id, IsExpense, ExpIncId, Amt) values (1, ?, 6, 100)", {true});
    s.findChild<QPushButton*>("cmdDelete")->click();
    EXPECT_EQ(dialogs.last().text,
              "This record cannot be deleted, Since this Expense Head is being used in 'Payments Screen' !!!");
    EXPECT_EQ(count(company(), "select count(*) from Expense where ExpenseCode=6"), 1);
}

KAVRA_ON_EVERY_ENGINE(HeadScreen);

}  // namespace
