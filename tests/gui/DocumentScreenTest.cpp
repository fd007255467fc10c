// A document screen built from the shared pieces: its line grid follows the controller's
// state, and a click into a partly processed document's stored line cannot reach its item.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

#include "support/TestEnv.h"
#include "ui/DocumentScreen.h"
#include "ui/LineGrid.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"
#include "ui/Widgets.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class OrderScreen : public kavra::DocumentScreen {
  public:
    OrderScreen() : kavra::DocumentScreen(QStringLiteral("frmMfgPO"), QStringLiteral("Test")) {
        makeGrid(QStringLiteral(" Sl.No | Item Code | Item Name | UOM | Qty | Rate | Discount% "), 6);
        grid_->setNumericColumns({4, 5, 6});
        auto* v = new QVBoxLayout(this);
        v->addWidget(grid_);
        v->addWidget(makeStatusLabel(this));
        v->addLayout(makeCommandRow(this));
        RecordTexts t;
        t.adding = QStringLiteral("You are about to ADD a NEW P.O. Now...");
        t.modifying = QStringLiteral("You are about to MODIFY the existing P.O. now...");
        makeController(t);
        grid = grid_;
        ctl = ctl_;
        resize(800, 400);
    }
    QList<qint64> navigation() override { return {1}; }
    qint64 proposeId() override { return 2; }
    void showRecord(qint64) override {
        grid->clearLines();
        grid->addLine({"A-1", "Flange", "NOS", "10", "5.00", "0"});
        grid->addLine({"B-2", "Shaft", "NOS", "4", "8.00", "0"});
        grid->setStoredLineCount(2);
    }
    void clearForNew(qint64) override { grid->clearLines(); }
    Check validate(bool) override { return std::nullopt; }
    qint64 write(bool, qint64 id) override { return id; }
    void remove(qint64) override {}
    bool partlyProcessed() override { return partly; }

    LineGrid* grid;
    RecordController* ctl;
    bool partly = true;
};

class DocumentScreenTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        makeYear(2026);
    }
    static void clickCell(LineGrid* g, int row, int col) {
        QTableWidget* t = g->table();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->item(row - 1, col)).center());
    }
};

TEST_P(DocumentScreenTest, ClickIntoAShownRecordStartsModifyingWithTheItemLocked) {
    OrderScreen s;
    ASSERT_TRUE(s.load());
    s.ctl->start();
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    ASSERT_EQ(s.ctl->state(), RecState::Browse);
    EXPECT_FALSE(s.grid->isEditable());

    clickCell(s.grid, 1, 2);
    EXPECT_EQ(s.ctl->state(), RecState::Modifying);
    EXPECT_TRUE(s.grid->isEditing());
    EXPECT_EQ(s.grid->editColumn(), 4);  // item, name and unit of a stored line stay

    // A document not yet processed is open in every column.
    s.ctl->moveFirst();
    s.partly = false;
    clickCell(s.grid, 2, 1);
    EXPECT_EQ(s.ctl->state(), RecState::Modifying);
    EXPECT_EQ(s.grid->editRow(), 2);
    EXPECT_EQ(s.grid->editColumn(), 1);

    // New empties the grid and lets every column be typed.
    s.ctl->moveFirst();
    EXPECT_FALSE(s.grid->isEditable());
    s.ctl->cmdNew();
    EXPECT_TRUE(s.grid->isEditable());
    EXPECT_EQ(s.grid->lineCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, DocumentScreenTest, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
