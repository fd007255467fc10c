// The purchase order screen driven from the keyboard: the proposed number beside the
// prefix, the vendor's address, contacts and previous terms, the line's unit from the
// item's other unit, the order written, found by its number and printed.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTextEdit>

#include "printing/DocumentPrint.h"
#include "printing/Workbook.h"
#include "purchase/PurchaseOrders.h"
#include "purchase/forms/PurchasePOScreen.h"
#include "support/Keyboard.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"
#include "ui/PONoChngScreen.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class PurchasePoScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        QSqlDatabase& db = company();
        exec(db,
             "insert into Vendor (VendorCode, VendorName, VendorAddr, CSTNo, KSTNo, Contact) values "
             "(1, 'STEEL HOUSE', 'Bommasandra', 'CST-1', 'KST-1', 'Mr Rao')");
        exec(db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit) values "
             "(1, 'A100', 'Bolt M8', 5, 'NOS', 'BOX')");
        exec(db, "update Misc set PrintHead='ACME FORGE\nPeenya', PrefixPO='PO/'");
        // This year's order 4, and a later-entered order 30 of last year: its number does not count
        // for this year, its terms are the vendor's latest.
        purchase::Orders::Order o;
        o.id = 1;
        o.vendorCode = 1;
        o.kindAttn = "Ms Iyer";
        o.poNo = "4";
        o.poDate = QDate(2026, 5, 2);
        o.validFrom = o.validTo = o.poDate;
        o.body = "Ex works.";
        o.lines << chain::Orders::Line{"A100", "Bolt M8", "BOX", 5, 4};
        o.value = purchase::Orders::computedValue(o);
        Sql::transaction(db, [&] { purchase::Orders::save(db, o, true); });
        exec(db, "insert into PurchPO (POId, VendorCode, PONo, PODateT, Body) values (9, 1, '30', ?, ?)",
             {at(2026, 3, 30), "Delivery at our works."});
    }
    PrintCapture print_;
};

TEST_P(PurchasePoScreen, OrderByKeyboard) {
    FrmPurchasePO po;
    ASSERT_TRUE(po.load());
    show(&po);
    EXPECT_TRUE(po.windowTitle().startsWith("PURCHASE"));
    po.findChild<QPushButton*>("cmdNew")->click();
    EXPECT_EQ(po.findChild<QLabel*>("lblStatus")->text(), "You are about to ADD a NEW P.O. Now...");
    EXPECT_EQ(po.findChild<QLineEdit*>("txtPrefix")->text(), "PO/");
    EXPECT_EQ(po.findChild<QLineEdit*>("txtPOno")->text(), "5");
    ASSERT_EQ(focusName(), "cmbVendor");
    type("S");
    EXPECT_EQ(po.findChild<QTextEdit*>("rtbAddr")->toPlainText(), "Bommasandra");
    EXPECT_EQ(po.findChild<QLineEdit*>("txtKST")->text(), "KST-1");
    EXPECT_EQ(po.findChild<QTextEdit*>("rtbTerms")->toPlainText(), "Delivery at our works.");
    auto* attn = po.findChild<QComboBox*>("cmbKindAttn");
    ASSERT_EQ(attn->count(), 2);
    EXPECT_EQ(attn->itemText(0), "Ms Iyer");
    EXPECT_EQ(attn->itemText(1), "Mr Rao");
    tabTo("cmbKindAttn");
    type("Mr Rao");
    tabTo("txtRefQuoteNo");
    type("Q-9");
    tabTo("txtVal");
    type("40");
    tabTo("chkReTrkRej");
    key(Qt::Key_Tab);
    LineGrid* g = po.grid();
    ASSERT_TRUE(g->isEditing());
    type("A1");
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, 2), "Bolt M8");
    EXPECT_EQ(g->text(1, 3), "BOX");
    EXPECT_EQ(g->text(1, 5).toDouble(), 4);  // the rate of the item's last order
    cells({"10", "", ""});
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(po.controller()->state(), RecState::Browse);

    QSqlQuery q = Sql::exec(company(),
                            "select PONo, KindAttn, RefQuoteNo, Body, PurchVal, VendorCode from PurchPO where POId=10");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "5");
    EXPECT_EQ(q.value(1).toString(), "Mr Rao");
    EXPECT_EQ(q.value(2).toString(), "Q-9");
    EXPECT_EQ(q.value(3).toString(), "Delivery at our works.");
    EXPECT_EQ(q.value(4).toLongLong(), 4000);
    EXPECT_EQ(q.value(5).toLongLong(), 1);
    q = QSqlQuery();
    EXPECT_EQ(count(company(),
                    "select count(*) from PurchPOSub where POId=10 and UOM='BOX' and QtyToReci=10 and CategoryCode=5"),
              1);

    // Found by its number; an unknown number leaves the shown order.
    auto* go = po.findChild<QLineEdit*>("txtGO");
    QTest::keyClicks(go, "4");
    QTest::keyClick(go, Qt::Key_Return);
    EXPECT_EQ(po.controller()->currentId(), 1);
    go->clear();
    QTest::keyClicks(go, "77");
    QTest::keyClick(go, Qt::Key_Return);
    EXPECT_EQ(dialogs.last().text, " NO Purchase Order exists with this No.");
    EXPECT_EQ(po.controller()->currentId(), 1);
    go->clear();
    QTest::keyClicks(go, "5");
    QTest::keyClick(go, Qt::Key_Return);
    ASSERT_EQ(po.controller()->currentId(), 10);

    po.findChild<QPushButton*>("cmdPrint")->click();
    ASSERT_FALSE(print_.path().isEmpty());
    const Print::Workbook wb = Print::Workbook::load(print_.path());
    EXPECT_EQ(Print::valueAt(wb, 1, "PONo").toString(), "PO/5");
    EXPECT_EQ(Print::valueAt(wb, 1, "VendorAddr").toString(), "Bommasandra");
    EXPECT_EQ(Print::valueAt(wb, 1, "KindAttn").toString(), "Kind Attn: Mr Rao");
    EXPECT_EQ(Print::valueAt(wb, 1, "Total").toDouble(), 40);
    EXPECT_EQ(Print::valueAt(wb, 1, "Terms").toString(), "Delivery at our works.");
    EXPECT_TRUE(Print::rowHiddenAt(wb, 1, "SalesTax"));

    // F11 renumbers it within its year: this year's 4 is taken.
    QTest::keyClick(&po, Qt::Key_F11);
    FrmPONoChng* change = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<FrmPONoChng*>(w)) change = c;
    ASSERT_TRUE(change);
    auto* txtNew = change->findChild<QLineEdit*>("txtNewPONo");
    for (const char* no : {"4", "6"}) {
        txtNew->selectAll();
        QTest::keyClicks(txtNew, no);
        change->findChild<QPushButton*>("cmdModify")->click();
    }
    EXPECT_TRUE(dialogs.saw("P.O. Number You changed is same as the existing P.O. Number...!!!"));
    EXPECT_EQ(dialogs.last().text, "Record Modified.");
    change->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(po.findChild<QLineEdit*>("txtPOno")->text(), "6");

    QTest::keyClick(&po, Qt::Key_F10);
    EXPECT_EQ(dialogs.shown().last().text, "Are You sure to Cancel this Purchase Order?");
    EXPECT_TRUE(Sql::scalar(company(), "select Cancl from PurchPO where POId=10").toBool());
}

KAVRA_ON_EVERY_ENGINE(PurchasePoScreen);

}  // namespace
