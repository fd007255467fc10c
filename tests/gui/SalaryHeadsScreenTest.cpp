// The salary print headings screen: a ticked head without a caption is refused.
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "core/Sql.h"
#include "printing/forms/FrmColHeadingPR.h"
#include "support/TestEnv.h"
#include "ui/Grid.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class SalaryHeadsScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator()) return;
    }
};

TEST_P(SalaryHeadsScreen, TickingAndNamingHeads) {
    FrmColHeadingPR s;
    ASSERT_TRUE(s.load());
    QTableWidget* deductions = s.grid(3);
    ASSERT_GT(deductions->rowCount(), 1);
    deductions->item(1, 2)->setText(QString());
    QTest::mouseClick(s.findChild<QPushButton*>(QStringLiteral("cmdModify")), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Please enter the Print name for '") +
                                       deductions->item(1, 1)->text() + QStringLiteral("' in Deduction Heads"));
    // Unticking the head by a click makes the empty caption acceptable.
    const QRect cell = deductions->visualItemRect(deductions->item(1, 3));
    QTest::mouseClick(deductions->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(isTicked(deductions->item(1, 3)));
    QTest::mouseClick(s.findChild<QPushButton*>(QStringLiteral("cmdModify")), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Records Stored Successfully"));
    EXPECT_FALSE(Sql::scalar(company(), QStringLiteral("select IsPrint from SalaryPrint where Id=?"),
                             {deductions->item(1, 0)->text().toLongLong()})
                     .toBool());
}

INSTANTIATE_TEST_SUITE_P(Engines, SalaryHeadsScreen, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
