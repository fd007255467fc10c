// The stores screens driven as a storekeeper drives them: a transfer note typed into its
// grid from the keyboard, material issued and taken back on the issue screen, and the note
// locked once material has left it.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "core/Session.h"
#include "core/Sql.h"
#include "inventory/Stores.h"
#include "inventory/forms/StnScreen.h"
#include "inventory/forms/StockIssueScreen.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class StoresScreensTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 12, 7), QTime(10, 0)))) return;
        QSqlDatabase& db = company();
        for (const auto& [id, code, cat, rol] :
             {std::tuple{1, "SHAFT-01", 1, 10.0}, std::tuple{2, "BUSH-02", 1, 0.0}, std::tuple{3, "OIL-03", 2, 0.0}})
            exec(db,
                 "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, ROL) values "
                 "(?,?,?,?,'NOS',?)",
                 {id, QString::fromLatin1(code), "Name of " + QString::fromLatin1(code), cat, rol});
    }
    static void click(QWidget* w, const char* name) {
        QPushButton* b = w->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_TRUE(b) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void clickGrid(LineGrid* g, int row, int col) {
        QTableWidget* t = g->table();
        const QPoint at =
            row > 0 ? t->visualRect(t->model()->index(row - 1, col)).center() : QPoint(20, t->height() - 10);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at);
    }
    static QString cell(QTableWidget* t, int row, int col) {
        const QTableWidgetItem* it = t->item(row, col);
        return it ? it->text() : QString();
    }
    double balance(qint64 stn, int slNo) {
        return Sql::scalar(company(), "select BalQty from STNSub where Id=? and SlNo=?", {stn, slNo}).toDouble();
    }
    PrintCapture print_;
};

TEST_P(StoresScreensTest, ANoteTypedInTheGridThenIssuedFromAndTakenBack) {
    qint64 stnId = 0;
    {
        FrmSTN s;
        ASSERT_TRUE(s.load());
        s.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
        // An empty table: straight to adding, with a running number taken for the note.
        EXPECT_EQ(s.controller()->state(), RecState::Adding);
        stnId = s.findChild<QLineEdit*>("txtId")->text().toLongLong();
        EXPECT_GT(stnId, 0);
        EXPECT_EQ(s.findChild<QLineEdit*>("txtSTNno")->text(), QString::number(stnId));
        EXPECT_EQ(s.findChild<QLabel*>("lblStatus")->text(), "You are about to ADD a NEW STN Now...");
        QTest::keyClicks(s.findChild<QLineEdit*>("txtPrepared"), "Ravi");

        auto* grid = s.findChild<LineGrid*>();
        QLineEdit* edit = grid->editor();
        clickGrid(grid, 0, 1);
        ASSERT_TRUE(grid->isEditing());
        QTest::keyClicks(edit, "shaft");  // the code list follows the typing
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(grid->text(1, 1), "SHAFT-01");
        EXPECT_EQ(grid->text(1, 2), "Name of SHAFT-01");
        EXPECT_EQ(grid->editColumn(), 3);
        QTest::keyClicks(edit, "12");
        QTest::keyClick(edit, Qt::Key_Down);
        ASSERT_EQ(grid->lineCount(), 2);
        QTest::keyClicks(edit, "BUSH");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(grid->text(2, 2), "Name of BUSH-02");

        click(&s, "cmdSave");  // the quantity of line 2 is still missing
        EXPECT_EQ(dialogs.last().text, "Enter the Valid Qty  ");
        EXPECT_EQ(grid->editRow(), 2);
        EXPECT_EQ(grid->editColumn(), 3);
        QTest::keyClicks(edit, "6.5");
        dialogs.clear();
        click(&s, "cmdSave");
        ASSERT_EQ(dialogs.count(), 2);
        EXPECT_EQ(dialogs.shown()[0].text, "Are You Sure To Save?");
        EXPECT_EQ(dialogs.shown()[1].text, "Record Saved");
        EXPECT_EQ(s.controller()->state(), RecState::Browse);
        EXPECT_FALSE(s.findChild<QPushButton*>("cmdSave")->isEnabled());
    }
    QSqlDatabase& db = company();
    EXPECT_EQ(count(db, "select count(*) from STN where Id=? and TS=1 and PrepBy='Ravi'", {stnId}), 1);
    EXPECT_DOUBLE_EQ(balance(stnId, 1), 12);
    EXPECT_DOUBLE_EQ(balance(stnId, 2), 6.5);

    {
        FrmStockIssue s;
        ASSERT_TRUE(s.load());
        s.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
        auto* category = s.findChild<QComboBox*>("cmbcatgry");
        auto* item = s.findChild<QComboBox*>("cmbItem");
        auto* qty = s.findChild<QLineEdit*>("txtIssQty");
        auto* stock = s.findChild<QTableWidget*>("msflex");
        auto* day = s.findChild<QTableWidget*>("msflexdata");

        click(&s, "cmdSave");
        EXPECT_EQ(dialogs.last().text, "Please select a Category.....");
        category->setCurrentIndex(category->findText("RAW MATERIAL"));
        ASSERT_EQ(stock->rowCount(), 2);  // the category's items by code, with their stock
        EXPECT_EQ(cell(stock, 0, 1), "BUSH-02");
        EXPECT_EQ(cell(stock, 1, 2), "12.00");
        click(&s, "cmdSave");
        EXPECT_EQ(dialogs.last().text, "Please select an Item.....");
        item->setCurrentIndex(item->findText("SHAFT-01"));
        EXPECT_EQ(s.findChild<QLabel*>("lblUnit")->text(), "NOS");

        QTest::keyClicks(qty, "12.5");
        click(&s, "cmdSave");
        EXPECT_EQ(dialogs.last().text, " Invalid Quantity ... ");
        EXPECT_EQ(count(company(), "select count(*) from StoreIss"), 0);

        click(&s, "cmdPrint");
        EXPECT_EQ(dialogs.last().text, "No data to Print...");

        qty->clear();
        QTest::keyClicks(qty, "4");
        QTest::keyClicks(s.findChild<QLineEdit*>("txtToWhom"), "Lathe section");
        dialogs.clear();
        click(&s, "cmdSave");
        ASSERT_EQ(dialogs.count(), 3);
        EXPECT_EQ(dialogs.shown()[0].text, "Are You sure to save ?\nMAKE SURE YOUR STOCK REDUCTION IS EXACT.");
        EXPECT_EQ(dialogs.shown()[1].text, " Stock Altered successfully !!!");
        // 8 left of a re-order level of 10.
        EXPECT_EQ(dialogs.shown()[2].text,
                  " Re-order Level is reached for this item - SHAFT-01\nMinimum Quantity is 10");
        EXPECT_EQ(cell(stock, 1, 2), "8.00");
        ASSERT_EQ(day->rowCount(), 1);
        EXPECT_EQ(cell(day, 0, 1), "RAW MATERIAL");
        EXPECT_EQ(cell(day, 0, 2), "SHAFT-01");
        EXPECT_EQ(cell(day, 0, 3), "4.00");
        EXPECT_EQ(cell(day, 0, 4), "Lathe section");
        EXPECT_EQ(Sql::scalar(company(), "select ToWhom from StoreIss").toString(), " Lathe section");
        EXPECT_DOUBLE_EQ(balance(stnId, 1), 8);

        dialogs.answer(false);  // print, not preview
        click(&s, "cmdPrint");
        EXPECT_FALSE(print_.path().isEmpty());

        // The note it came from is now fixed.
        {
            FrmSTN note;
            ASSERT_TRUE(note.load());
            note.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&note));
            auto* grid = note.findChild<LineGrid*>();
            clickGrid(grid, 1, 3);
            EXPECT_EQ(dialogs.last().text,
                      "You cannot Modify this Store Transfer Note , since some transactions has been "
                      "made already...");
            EXPECT_EQ(note.controller()->state(), RecState::Browse);
            EXPECT_FALSE(grid->isEditing());
            click(&note, "cmdModify");
            EXPECT_EQ(dialogs.last().text,
                      "You cannot Modify this Store Transfer Note , since some "
                      "Material has been Issued from this STN : " +
                          QString::number(stnId));
            click(&note, "cmdDelete");
            EXPECT_EQ(dialogs.last().text,
                      "You cannot Modify this Store Transfer Note , since some "
                      "Material has been Issued Using this Record...");
            EXPECT_EQ(count(company(), "select count(*) from STNSub where Id=?", {stnId}), 2);
        }

        // Taking the issue back: one row must be chosen.
        click(&s, "cmdDelete");
        EXPECT_EQ(dialogs.last().text, "Please Select Only one Row.....");
        day->selectRow(0);
        dialogs.clear();
        click(&s, "cmdDelete");
        ASSERT_EQ(dialogs.count(), 2);
        EXPECT_EQ(dialogs.shown()[0].text, "Are You sure to Delete the Item?");
        EXPECT_EQ(dialogs.shown()[1].text, "Records Successfully Deleted!");
        EXPECT_EQ(day->rowCount(), 0);
        EXPECT_EQ(cell(stock, 1, 2), "12.00");
    }
    EXPECT_DOUBLE_EQ(balance(stnId, 1), 12);
    EXPECT_TRUE(Sql::scalar(company(), "select trak from STNSub where Id=? and SlNo=1", {stnId}).isNull());
    EXPECT_EQ(count(company(), "select count(*) from StoreIss"), 0);

    // Whole again, the note can be changed from its grid.
    FrmSTN again;
    ASSERT_TRUE(again.load());
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    auto* grid = again.findChild<LineGrid*>();
    clickGrid(grid, 2, 3);
    ASSERT_EQ(again.controller()->state(), RecState::Modifying);
    grid->editor()->clear();
    QTest::keyClicks(grid->editor(), "9");
    dialogs.clear();
    click(&again, "cmdModify");
    EXPECT_EQ(dialogs.last().text, "Record Modified.");
    EXPECT_DOUBLE_EQ(balance(stnId, 2), 9);
}

TEST_P(StoresScreensTest, AnAbandonedNoteLeavesItsNumberUnused) {
    qint64 first = 0;
    {
        FrmSTN s;
        ASSERT_TRUE(s.load());
        first = s.findChild<QLineEdit*>("txtId")->text().toLongLong();
    }  // closed without saving
    FrmSTN s;
    ASSERT_TRUE(s.load());
    EXPECT_GT(s.findChild<QLineEdit*>("txtId")->text().toLongLong(), first);
    click(&s, "cmdSave");
    EXPECT_EQ(dialogs.last().text, "Please Enter the ItemName/Item details by clicking the grid heading...");
    s.findChild<QLineEdit*>("txtSTNno")->clear();
    click(&s, "cmdSave");
    EXPECT_EQ(dialogs.last().text, "Enter the STN Number ");
    EXPECT_EQ(count(company(), "select count(*) from STN"), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, StoresScreensTest, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
