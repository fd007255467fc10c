// The shared record-screen behaviour, driven through the category, item and settings screens.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/Session.h"
#include "core/Sql.h"
#include "masters/forms/ItemScreens.h"
#include "masters/forms/MiscScreens.h"
#include "support/TestEnv.h"
#include "ui/RecordController.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class RecordScreens : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator()) return;
    }
    static QPushButton* button(QWidget* w, const char* name) {
        return w->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // New, Save, Modify, Delete as "1010".
    static QString states(QWidget* w) {
        QString s;
        for (const char* n : {"cmdNew", "cmdSave", "cmdModify", "cmdDelete"})
            s += button(w, n)->isEnabled() ? '1' : '0';
        return s;
    }
    static QString status(QWidget* w) { return w->findChild<QLabel*>("lblStatus")->text(); }
    static QString field(QWidget* w, const char* name) {
        return w->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    }
};

TEST_P(RecordScreens, StatesNavigationAndSave) {
    FrmCategory c;
    ASSERT_TRUE(c.load());
    EXPECT_EQ(states(&c), "1011");
    EXPECT_EQ(status(&c), "You are about to MODIFY the existing Category Now...");
    EXPECT_EQ(field(&c, "txtCategoryCode"), "1");

    QTest::mouseClick(button(&c, "cmdMovePrevious"), Qt::LeftButton);  // wraps to the last
    EXPECT_EQ(field(&c, "txtCategoryCode"), "6");
    QTest::mouseClick(button(&c, "cmdMoveNext"), Qt::LeftButton);  // and back to the first
    EXPECT_EQ(field(&c, "txtCategoryCode"), "1");

    QTest::mouseClick(button(&c, "cmdNew"), Qt::LeftButton);
    EXPECT_EQ(states(&c), "0100");
    EXPECT_EQ(status(&c), "You are about to ADD a NEW Category Now...");
    EXPECT_EQ(field(&c, "txtCategoryCode"), "7");
    QTest::mouseClick(button(&c, "cmdSave"), Qt::LeftButton);  // no name yet
    EXPECT_EQ(dialogs.last().text, "Please Enter the Category Name.....");
    EXPECT_EQ(states(&c), "0100");

    QTest::keyClicks(c.findChild<QLineEdit*>("txtCategoryName"), "CASTINGS");
    QTest::mouseClick(button(&c, "cmdSave"), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, "Records Saved!");
    EXPECT_EQ(dialogs.shown()[dialogs.count() - 2].text, "Are You Sure To Save?");
    EXPECT_EQ(field(&c, "txtCategoryCode"), "7");
    EXPECT_EQ(states(&c), "1011");
    EXPECT_EQ(status(&c), "You are about to MODIFY the existing Category now...");

    // Typing in a shown record turns it into a change; Delete waits.
    QTest::keyClicks(c.findChild<QLineEdit*>("txtCategoryName"), " GREY");
    EXPECT_EQ(states(&c), "0010");
    QTest::mouseClick(button(&c, "cmdModify"), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, "Records Modified!");
    EXPECT_EQ(Sql::scalar(company(), "select CategoryName from Category where CategoryCode=7").toString(),
              "CASTINGS GREY");

    // Declining the delete question changes nothing.
    dialogs.answer(false);
    QTest::mouseClick(button(&c, "cmdDelete"), Qt::LeftButton);
    EXPECT_EQ(count(company(), "select count(*) from Category"), 7);
    QTest::mouseClick(button(&c, "cmdDelete"), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, "Records Deleted .");
    EXPECT_EQ(count(company(), "select count(*) from Category"), 6);
}

TEST_P(RecordScreens, EmptyTableOpensForAdding) {
    FrmItem items;
    ASSERT_TRUE(items.load());
    EXPECT_EQ(states(&items), "0100");
    EXPECT_EQ(field(&items, "txtItemId"), "1");
    EXPECT_EQ(dialogs.count(), 0);
    // Leaving the name empty puts a point there, as the name is required.
    items.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&items));
    auto* name = items.findChild<QLineEdit*>("txtItemName");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(name->text(), ".");
}

// A screen whose write fails half-way: nothing of it may stay.
class FailingScreen : public Screen, public RecordHost {
  public:
    FailingScreen() : Screen("frmCategory") {
        for (const char* n : {"cmdNew", "cmdSave", "cmdModify", "cmdDelete"}) {
            auto* b = new QPushButton(this);
            b->setObjectName(QString::fromLatin1(n));
        }
        ctl = new RecordController(this, this, RecordTexts{});
    }
    QList<qint64> navigation() override { return {}; }
    qint64 proposeId() override { return 99; }
    void showRecord(qint64) override {}
    void clearForNew(qint64) override {}
    Check validate(bool) override { return std::nullopt; }
    qint64 write(bool, qint64 id) override {
        Sql::exec(prod().db(), "insert into Category (CategoryCode, CategoryName) values (?, 'HALF')", {id});
        Sql::exec(prod().db(), "insert into NoSuchTable values (1)");
        return id;
    }
    void remove(qint64) override {}
    RecordController* ctl;
};

TEST_P(RecordScreens, AFailedWriteLeavesNothingAndIsLogged) {
    FailingScreen s;
    ASSERT_TRUE(s.load());
    s.ctl->start();
    ASSERT_EQ(s.ctl->state(), RecState::Adding);
    s.ctl->cmdSave();
    EXPECT_EQ(count(company(), "select count(*) from Category where CategoryCode=99"), 0);
    EXPECT_EQ(count(company(), "select count(*) from errlog"), 1);
    EXPECT_EQ(s.ctl->state(), RecState::Adding);
}

// The company details of a new database are saved first, and then modified.
TEST_P(RecordScreens, CompanySettingsAreSavedFirstAndTakeOverTheNumberingModes) {
    for (const bool noRow : {false, true}) {  // a new database's row never saved, then no row at all
        if (noRow) exec(company(), "delete from Misc");
        FrmMisc fresh;
        ASSERT_TRUE(fresh.load());
        EXPECT_EQ(button(&fresh, "cmdModify")->text(), "&Save") << noRow;
    }
    {
        FrmMisc m;
        ASSERT_TRUE(m.load());
        EXPECT_TRUE(m.findChild<QRadioButton*>("optBookType1")->isChecked());
        QTest::mouseClick(m.findChild<QRadioButton*>("optBookType3"), Qt::LeftButton);
        QTest::mouseClick(button(&m, "cmdModify"), Qt::LeftButton);
        EXPECT_EQ(dialogs.last().text, "Records Modified .");
        EXPECT_EQ(button(&m, "cmdModify")->text(), "&Modify");
        EXPECT_EQ(Session::current().dcMode, 3);
        EXPECT_EQ(Sql::scalar(company(), "select BookType from Misc").toInt(), 3);
    }
    FrmMisc again;
    ASSERT_TRUE(again.load());
    EXPECT_EQ(button(&again, "cmdModify")->text(), "&Modify");

    FrmMiscMore more;
    ASSERT_TRUE(more.load());
    more.findChild<QLineEdit*>("txtOpenBal")->clear();
    QTest::mouseClick(button(&more, "cmdModify"), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, "Please Enter Opening balance..... ");
}

INSTANTIATE_TEST_SUITE_P(Engines, RecordScreens, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
