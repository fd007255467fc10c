// The labour order screen driven from the keyboard: an order entered field by field and
// line by line, the customer's numbers written back, and F11 opening the number change
// for a labour order.
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTextEdit>

#include "jobwork/forms/LabourPOScreen.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"
#include "ui/PONoChngScreen.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class LabourPoScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        exec(company(),
             "insert into Customer (CustId, CustName, CustAddr, CSTNo) values (1, 'ACME FORGE', 'Peenya', 'C-1')");
        exec(company(),
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
             "(1, 'A100', 'Bolt M8', 5, 'NOS'), (2, 'B200', 'Bush 20', 5, 'NOS')");
    }
};

TEST_P(LabourPoScreen, OrderByKeyboard) {
    FrmLabourPO po;
    ASSERT_TRUE(po.load());
    show(&po);
    EXPECT_TRUE(po.windowTitle().startsWith("LABOUR WORK"));
    EXPECT_EQ(po.findChild<QLabel*>("lblStatus")->text(), "You are about to ADD a NEW P.O. Now...");
    ASSERT_EQ(focusName(), "cmbCust");
    type("A");
    EXPECT_EQ(po.findChild<QTextEdit*>("rtbAddr")->toPlainText(), "Peenya");
    EXPECT_EQ(po.findChild<QLineEdit*>("txtCST")->text(), "C-1");
    tabTo("txtPOno");
    type("LPO-5");
    tabTo("txtTinNo");
    type("29TIN");
    tabTo("txtVal");
    type("750");
    tabTo("chkReTrkRej");
    key(Qt::Key_Tab);
    LineGrid* g = po.grid();
    ASSERT_TRUE(g->isEditing());
    type("A1");
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, 2), "Bolt M8");
    EXPECT_EQ(g->text(1, 5), "");  // no earlier labour line of the item: no rate proposed
    EXPECT_EQ(g->text(1, 6), "0");
    cells({"100", "5", ""});
    type("B2");
    key(Qt::Key_Return);
    cells({"50", "5", "0"});
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(po.controller()->state(), RecState::Browse);
    EXPECT_EQ(count(company(), "select count(*) from LabPOSub where POId=1 and QtyToReci=Qty and QtyToSend=Qty"), 2);
    EXPECT_EQ(Sql::scalar(company(), "select VATRegNo from Customer where CustId=1").toString(), "29TIN");
    EXPECT_EQ(Sql::scalar(company(), "select PurchVal from LabPO").toLongLong(), 75000);

    // F11 renumbers the labour order; F10 cancels it.
    QTest::keyClick(&po, Qt::Key_F11);
    auto* change = window<FrmPONoChng>();
    ASSERT_TRUE(change);
    EXPECT_EQ(change->orderId(), 1);
    EXPECT_EQ(change->findChild<QLineEdit*>("txtOldPONo")->text(), "LPO-5");
    auto* txtNew = change->findChild<QLineEdit*>("txtNewPONo");
    txtNew->selectAll();
    QTest::keyClicks(txtNew, "LPO-5A");
    change->findChild<QPushButton*>("cmdModify")->click();
    EXPECT_EQ(dialogs.last().text, "Record Modified.");
    change->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(po.findChild<QLineEdit*>("txtPOno")->text(), "LPO-5A");
    QTest::keyClick(&po, Qt::Key_F10);
    EXPECT_EQ(dialogs.shown().last().text, "Are You sure to Cancel this Purchase Order?");
    EXPECT_TRUE(Sql::scalar(company(), "select Cancl from LabPO where POId=1").toBool());
}

KAVRA_ON_EVERY_ENGINE(LabourPoScreen);

}  // namespace
