// The document line grid driven as a user drives it: clicks on the table, keys in the
// editor laid over the cell, choices in the item-code list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "ui/LineGrid.h"

using namespace kavra;

// Readable failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

const QString kOrderHeading = QStringLiteral(
    " Sl.No | Item Code / Part No.              | Item/Comp. Name          |  UOM          |  Qty    "
    "    | Rate        | Discount%   | Amount      ");

class LineGridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = std::make_unique<LineGrid>(kOrderHeading, 6);
        grid->setNumericColumns({4, 5, 6});
        grid->setRateDiscountColumns(5, 6);
        grid->itemCodes = [] { return QStringList{"A100", "B200", "B210", "C300"}; };
        grid->itemByCode = [](const QString& code) -> std::optional<ItemInfo> {
            if (code == "A100") return ItemInfo{1, "Bolt M8", "Nos"};
            if (code == "B200") return ItemInfo{2, "Bush 20", "Nos"};
            if (code == "B210") return ItemInfo{3, "Bush 21", "Kgs"};
            if (code == "C300") return ItemInfo{4, "Cover", "Set"};
            return std::nullopt;
        };
        grid->proposeRateDiscount = [](qint64 id) -> std::optional<QPair<QString, QString>> {
            if (id == 2) return QPair<QString, QString>{"12.50", "5"};
            return std::nullopt;
        };
        grid->resize(900, 400);
        grid->show();
        table = grid->findChild<QTableWidget*>("msflex");
        edit = grid->findChild<QLineEdit*>("txtEdit");
        list = grid->findChild<QListWidget*>("lstItemCode");
        ASSERT_TRUE(table && edit && list);
    }

    // Row 1-based as the grid counts lines; 0 clicks the blank area below the lines.
    void click(int row, int col) {
        QPoint at(20, 10);
        if (row > 0) at = table->visualRect(table->model()->index(row - 1, col)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    }
    void key(Qt::Key k) { QTest::keyClick(edit, k); }
    void type(const QString& s) { QTest::keyClicks(edit, s); }
    std::pair<int, int> at() const { return {grid->editRow(), grid->editColumn()}; }
    // Types a whole line from column 1, leaving the editor on column 6.
    void typeLine(const QStringList& cells) {
        for (int i = 0; i < cells.size(); ++i) {
            edit->clear();
            type(cells[i]);
            if (i + 1 < cells.size()) key(Qt::Key_Right);
        }
    }
    void addStored(int n) {
        for (int i = 0; i < n; ++i) grid->addLine({"A100", "Bolt M8", "Nos", "4", "10", "0"});
    }

    std::unique_ptr<LineGrid> grid;
    QTableWidget* table = nullptr;
    QLineEdit* edit = nullptr;
    QListWidget* list = nullptr;
};

using P = std::pair<int, int>;

TEST_F(LineGridTest, LinesAreAppendedOnlyFromAFilledLastLine) {
    grid->setEditable(true);
    QSignalSpy changed(grid.get(), &LineGrid::linesChanged);
    click(0, 3);
    ASSERT_EQ(grid->lineCount(), 1);
    EXPECT_EQ(grid->text(1, 0), "1");
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(at(), P(1, 1));

    // Five of six columns filled: neither Down nor Enter on the last column adds a line.
    typeLine({"X1", "Part", "Nos", "2", "3", ""});
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->lineCount(), 1);
    EXPECT_EQ(at(), P(1, 6));

    type("1");
    key(Qt::Key_Return);
    ASSERT_EQ(grid->lineCount(), 2);
    EXPECT_EQ(grid->text(2, 0), "2");
    EXPECT_EQ(at(), P(2, 1));
    EXPECT_EQ(grid->text(1, 6), "1");

    typeLine({"X2", "Part 2", "Nos", "1", "1", "1"});
    key(Qt::Key_Down);
    ASSERT_EQ(grid->lineCount(), 3);

    // From a line that is not the last, Down only moves.
    click(1, 4);
    key(Qt::Key_Down);
    EXPECT_EQ(at(), P(2, 4));
    key(Qt::Key_Down);
    EXPECT_EQ(at(), P(3, 4));
    EXPECT_EQ(grid->lineCount(), 3);
    EXPECT_GE(changed.count(), 3);
}

TEST_F(LineGridTest, UpRemovesOnlyAnEmptyLastLine) {
    grid->setEditable(true);
    click(0, 1);
    typeLine({"X1", "Part", "Nos", "2", "3", "0"});
    key(Qt::Key_Down);
    type("X2");
    key(Qt::Key_Up);  // last line, not empty: moves up
    EXPECT_EQ(grid->lineCount(), 2);
    EXPECT_EQ(at(), P(1, 1));
    EXPECT_EQ(grid->text(2, 1), "X2");

    // An empty line 1 that is not the last stays.
    for (int c = 1; c <= 6; ++c) grid->setText(1, c, "");
    key(Qt::Key_Up);
    EXPECT_EQ(grid->lineCount(), 2);
    EXPECT_EQ(at(), P(1, 1));

    key(Qt::Key_Down);
    edit->clear();
    key(Qt::Key_Up);
    EXPECT_EQ(grid->lineCount(), 1);
    EXPECT_EQ(at(), P(1, 1));

    key(Qt::Key_Up);
    EXPECT_EQ(grid->lineCount(), 0);
    EXPECT_FALSE(grid->isEditing());
    EXPECT_FALSE(edit->isVisible());

    // Columns after the typed ones do not keep a line alive.
    click(0, 1);
    grid->setText(1, 7, "99.00");
    key(Qt::Key_Up);
    EXPECT_EQ(grid->lineCount(), 0);
}

TEST_F(LineGridTest, NumericColumnsTakeDigitsAndOneDecimalPoint) {
    grid->setEditable(true);
    click(0, 1);
    grid->beginEdit(1, 4);
    type("12.5.3a-");
    EXPECT_EQ(edit->text(), "12.53");

    // Pasting obeys the same rule: a text with a second point is refused whole.
    edit->clear();
    QApplication::clipboard()->setText("7.5.1");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
    QApplication::clipboard()->setText("7.5");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "7.5");

    // Text columns take anything, up to their length.
    grid->beginEdit(1, 2);
    EXPECT_EQ(grid->text(1, 4), "7.5");
    type("a.b.c");
    EXPECT_EQ(edit->text(), "a.b.c");
    grid->beginEdit(1, 3);
    type("PIECES");
    EXPECT_EQ(edit->text(), "PIECE");
    grid->beginEdit(1, 5);
    // Nine whole digits at most, so no quantity times rate can overflow an amount.
    type("12345678901");
    EXPECT_EQ(edit->text(), "123456789");
}

TEST_F(LineGridTest, LeftAndRightWrapAtLineEnds) {
    addStored(2);
    grid->setEditable(true);
    QSignalSpy committed(grid.get(), &LineGrid::cellCommitted);

    click(2, 1);
    edit->setCursorPosition(2);
    key(Qt::Key_Left);  // caret inside the text: only the caret moves
    EXPECT_EQ(at(), P(2, 1));
    edit->setCursorPosition(0);
    key(Qt::Key_Left);
    EXPECT_EQ(at(), P(1, 6));

    edit->setText("7");
    edit->setCursorPosition(0);
    key(Qt::Key_Right);  // caret not at the end
    EXPECT_EQ(at(), P(1, 6));
    edit->setCursorPosition(1);
    key(Qt::Key_Right);
    EXPECT_EQ(at(), P(2, 1));
    EXPECT_EQ(grid->text(1, 6), "7");
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed[0][0].toInt(), 1);
    EXPECT_EQ(committed[0][1].toInt(), 6);

    // No line before the first, none after the last, and an empty cell never moves right.
    grid->beginEdit(1, 1);
    edit->setCursorPosition(0);
    key(Qt::Key_Left);
    EXPECT_EQ(at(), P(1, 1));
    grid->beginEdit(2, 6);
    edit->end(false);
    key(Qt::Key_Right);
    EXPECT_EQ(at(), P(2, 6));
    grid->beginEdit(2, 3);
    edit->clear();
    key(Qt::Key_Right);
    EXPECT_EQ(at(), P(2, 3));

    // Enter goes along the line; from the last typed column it goes down.
    grid->beginEdit(1, 5);
    key(Qt::Key_Return);
    EXPECT_EQ(at(), P(1, 6));
    key(Qt::Key_Return);
    EXPECT_EQ(at(), P(2, 6));
}

TEST_F(LineGridTest, StoredLinesOfAPartlyProcessedDocumentKeepTheirItem) {
    addStored(2);
    grid->setStoredLineCount(2);
    grid->setPartlyProcessed(true);
    grid->setEditable(true);

    click(1, 2);
    EXPECT_EQ(at(), P(1, 4));
    edit->setCursorPosition(0);
    key(Qt::Key_Left);
    EXPECT_EQ(at(), P(1, 4));
    grid->beginEdit(1, 1);
    EXPECT_EQ(at(), P(1, 4));
    grid->beginEdit(1, 6);
    edit->end(false);
    key(Qt::Key_Right);
    EXPECT_EQ(at(), P(2, 4));

    // Emptied of what can be typed, the last stored line still is not removed.
    for (int c = 1; c <= 6; ++c) grid->setText(2, c, "");
    grid->beginEdit(2, 4);
    key(Qt::Key_Up);
    EXPECT_EQ(grid->lineCount(), 2);
    EXPECT_EQ(at(), P(1, 4));

    // A line added after the stored ones is free, and Left from it reaches the stored line.
    for (int c = 1; c <= 6; ++c) grid->setText(2, c, "1");
    grid->beginEdit(2, 6);
    key(Qt::Key_Down);
    ASSERT_EQ(grid->lineCount(), 3);
    EXPECT_EQ(at(), P(3, 1));
    key(Qt::Key_Left);
    EXPECT_EQ(at(), P(2, 6));
    click(3, 2);
    EXPECT_EQ(at(), P(3, 2));

    // The same lines on a document not yet processed are open everywhere.
    grid->setPartlyProcessed(false);
    click(1, 2);
    EXPECT_EQ(at(), P(1, 2));
}

TEST_F(LineGridTest, ChoosingACodeFillsTheLine) {
    grid->setEditable(true);
    QSignalSpy chosen(grid.get(), &LineGrid::itemChosen);
    click(0, 1);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 4);
    EXPECT_LE(edit->mapTo(grid.get(), QPoint(0, edit->height())).y(), list->y() + 1);

    type("b2");
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(), "B200");
    type("1");
    EXPECT_EQ(list->currentItem()->text(), "B210");
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->text(1, 1), "B200");
    EXPECT_EQ(grid->text(1, 2), "Bush 20");
    EXPECT_EQ(grid->text(1, 3), "Nos");
    EXPECT_EQ(grid->text(1, 5), "12.50");
    EXPECT_EQ(grid->text(1, 6), "5");
    EXPECT_EQ(at(), P(1, 4));
    EXPECT_FALSE(list->isVisible());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][1].toLongLong(), 2);

    // Back on the untouched code, Enter keeps a rate the user changed.
    grid->setText(1, 5, "11");
    grid->beginEdit(1, 1);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->text(1, 5), "11");
    EXPECT_EQ(at(), P(1, 2));

    // A code that matches nothing is kept as typed.
    grid->beginEdit(1, 1);
    edit->clear();
    type("Q9");
    EXPECT_EQ(list->currentItem(), nullptr);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->text(1, 1), "Q9");
    EXPECT_EQ(at(), P(1, 2));

    // Double-click on the list; an item without a proposal leaves rate and discount alone.
    grid->beginEdit(1, 1);
    QListWidgetItem* c300 = list->item(3);
    // A real double-click starts with a plain click; QTest sends only the second half.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(c300).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(c300).center());
    EXPECT_EQ(grid->text(1, 1), "C300");
    EXPECT_EQ(grid->text(1, 2), "Cover");
    EXPECT_EQ(grid->text(1, 5), "11");

    // Enter with the list focused.
    grid->beginEdit(1, 1);
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(grid->text(1, 2), "Bolt M8");
    EXPECT_EQ(at(), P(1, 4));
}

TEST_F(LineGridTest, ALineWithOnlyItsCodeGetsNameAndUnitWhenVisited) {
    grid->addLine({"B210", "", "", "1"});
    grid->addLine({"ZZ", "", ""});
    grid->setEditable(true);
    click(1, 4);
    EXPECT_EQ(grid->text(1, 2), "Bush 21");
    EXPECT_EQ(grid->text(1, 3), "Kgs");
    click(2, 2);
    EXPECT_EQ(grid->text(2, 2), "");
}

TEST_F(LineGridTest, ClicksOutsideAddingGoToTheScreen) {
    addStored(1);
    QSignalSpy modify(grid.get(), &LineGrid::modifyRequested);
    QSignalSpy heading(grid.get(), &LineGrid::headingClicked);
    click(1, 5);
    EXPECT_FALSE(edit->isVisible());
    ASSERT_EQ(modify.count(), 1);
    EXPECT_EQ(modify[0][0].toInt(), 1);
    EXPECT_EQ(modify[0][1].toInt(), 5);

    QHeaderView* head = table->horizontalHeader();
    QTest::mouseClick(head->viewport(), Qt::LeftButton, {},
                      QPoint(head->sectionViewportPosition(1) + 5, head->height() / 2));
    ASSERT_EQ(heading.count(), 1);
    EXPECT_EQ(heading[0][0].toInt(), 1);

    // Leaving adding puts what was typed into its cell.
    grid->setEditable(true);
    click(1, 4);
    edit->clear();
    type("9");
    grid->setEditable(false);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(table->item(0, 4)->text(), "9");

    const QString hint = edit->toolTip();
    EXPECT_EQ(hint, table->toolTip());
    EXPECT_TRUE(
        hint.startsWith("TO ADD NEW ROW,  fill first 6 columns, Press 'down arrow' or 'Enter' "
                        "key.  TO DELETE A ROW empty 6 columns,"));
    EXPECT_EQ(LineGrid::hint(4).count("4 columns"), 2);
}

TEST_F(LineGridTest, EditorAndListFollowTheCellWhenScrolled) {
    addStored(30);
    grid->resize(300, 260);
    grid->setEditable(true);
    grid->beginEdit(25, 6);
    const QModelIndex far = table->model()->index(24, 6);
    EXPECT_EQ(edit->geometry(), table->visualRect(far));
    EXPECT_TRUE(table->viewport()->rect().intersects(edit->geometry()));

    grid->beginEdit(25, 1);
    ASSERT_TRUE(list->isVisible());
    const QModelIndex code = table->model()->index(24, 1);
    auto cellLeft = [&] { return table->viewport()->mapTo(grid.get(), table->visualRect(code).topLeft()).x(); };
    const int before = list->x();
    EXPECT_EQ(before, cellLeft());
    table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->value() + 40);
    table->verticalScrollBar()->setValue(table->verticalScrollBar()->value() - 1);
    EXPECT_EQ(edit->geometry(), table->visualRect(code));
    EXPECT_EQ(list->x(), cellLeft());
    EXPECT_NE(list->x(), before);
}

TEST_F(LineGridTest, ChecksSeeHeadingTypedTextAndColours) {
    addStored(2);
    grid->setCellColor(2, 4, Qt::red);
    grid->setEditable(true);
    grid->beginEdit(2, 4);
    edit->clear();
    type("8");
    const LineGridCells cells = grid->cells();
    EXPECT_EQ(cells.rowCount(), 3);
    EXPECT_EQ(cells.colCount(), 8);
    EXPECT_EQ(cells.text(0, 1), "Item Code / Part No.");
    EXPECT_EQ(cells.text(cells.rowCount() - 1, 4), "8");
    EXPECT_EQ(cells.colorValue(2, 4), 255);
    EXPECT_EQ(cells.colorValue(1, 4), 0);

    grid->clearLines();
    EXPECT_EQ(grid->cells().rowCount(), 1);
    EXPECT_FALSE(edit->isVisible());
}

}  // namespace
