// The shared party screen as the customer screen: add, rename with the naming question,
// and an opening balance that is shown but locked once part of it is settled.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "core/Session.h"
#include "core/Sql.h"
#include "masters/forms/PartyScreen.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class PartyScreenTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator()) return;
    }
    static void click(QWidget* w, const char* name) {
        QTest::mouseClick(w->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    static QLineEdit* edit(QWidget* w, const char* name) { return w->findChild<QLineEdit*>(QString::fromLatin1(name)); }
};

TEST_P(PartyScreenTest, AddRenameAndLockedOpeningBalance) {
    const QString name = "Shree Ga\u1E47e\u015Ba Engg. & Co's";
    {
        FrmParty s(Parties::customer());
        ASSERT_TRUE(s.load());
        EXPECT_EQ(edit(&s, "txtId")->text(), "1");  // empty table: adding
        edit(&s, "txtName")->setText(name);         // typed non-Latin letters cannot be simulated key by key
        click(&s, "cmdSave");
        EXPECT_EQ(dialogs.last().text, "Please Enter the Customer Address.....");
        s.findChild<QTextEdit*>("rtbAddr")->setPlainText("Peenya\nBengaluru");
        QTest::keyClicks(edit(&s, "txtOpenBal"), "2500.50");
        click(&s, "cmdSave");
        EXPECT_EQ(dialogs.last().text, "Records Saved.");
        EXPECT_EQ(s.findChild<QLabel*>("lblStatus")->text(), "You are about to MODIFY the existing Customer now...");

        edit(&s, "txtName")->setFocus();
        QTest::keyClicks(edit(&s, "txtName"), " Unit 2");
        click(&s, "cmdModify");
        const Shown q = dialogs.shown()[dialogs.count() - 2];
        EXPECT_TRUE(q.text.contains("!!!!! CAUTION   !!!!!"));
        EXPECT_TRUE(q.text.contains("' as  '" + name + " Unit 2'"));
        EXPECT_EQ(dialogs.last().text, "Records Modified...");
    }
    EXPECT_EQ(Sql::scalar(company(), "select CustName from Customer where CustId=1").toString(), name + " Unit 2");
    exec(company(), "update Customer set OpenBalPndg=100000 where CustId=1");
    FrmParty again(Parties::customer());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(edit(&again, "txtOpenBal")->text(), "2500.50");
    EXPECT_FALSE(edit(&again, "txtOpenBal")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Engines, PartyScreenTest, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
