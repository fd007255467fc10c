// The invoice screen driven by its controls: an invoice made by choosing the customer and
// its DCs, typing a rate and a tax and saving; the tax-field rules as they are typed; and a
// shown invoice modified, then refused and finally allowed to be deleted.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "core/Session.h"
#include "core/Sql.h"
#include "sales/forms/InvoiceScreen.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class InvoiceScreenTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Customer (CustId, CustName, CustAddr) values (1, 'ACME', 'Peenya'), (2, 'BHARAT', 'Hosur')");
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, MeasureUnit, Rate) values (1, 'A100', 'Bolt', 'NOS', "
             "10), (2, 'B200', 'Bush', 'NOS', 25)");
    }

    void dc(qint64 id, qint64 cust, const char* no,
            std::initializer_list<std::tuple<qint64, double, const char*>> lines) {
        exec(*db, "insert into DcInv (DcInvId, CustId, DcNo, DcDate, DcDateT, PONo) values (?,?,?,'01/06/2026',?,' ')",
             {id, cust, no, at(2026, 6, 1)});
        int sl = 0;
        for (const auto& [item, qty, remark] : lines)
            exec(*db, "insert into DcInvSub (DcInvId, SlNo, ItemId, Qty, DcRowRem) values (?,?,?,?,?)",
                 {id, ++sl, item, qty, remark});
    }
    void threeDcs() {
        dc(1, 1, "5", {{1, 10, " "}});
        dc(2, 1, "6", {{2, 4, " "}, {1, 2, "NV"}});
        dc(3, 2, "7", {{1, 1, " "}});
    }

    template <class T>
    static T* get(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QLineEdit* edit(QWidget* w, const char* name) { return get<QLineEdit>(w, name); }
    static void click(QWidget* w, const char* name) { QTest::mouseClick(get<QPushButton>(w, name), Qt::LeftButton); }
    static void clickItem(QListWidget* l, int row, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, mods, l->visualItemRect(l->item(row)).center());
    }
    static LineGrid* grid(QWidget* w) { return w->findChild<LineGrid*>(); }
    // Clicks a cell and types over its text.
    static void typeCell(QWidget* w, int row, int col, const QString& text) {
        QTableWidget* t = grid(w)->table();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->item(row - 1, col)).center());
        QLineEdit* e = grid(w)->editor();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    void showAndWait(QWidget& s) {
        s.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    }
    // Customer 1, both its DCs, the first line at 12.50 and VAT 12.5%.
    void makeInvoice(FrmInvoice& s) {
        QComboBox* cust = get<QComboBox>(&s, "cmbCust");
        cust->setFocus();
        QTest::keyClick(cust, Qt::Key_Down);
        QListWidget* dcs = get<QListWidget>(&s, "lstDcNo");
        ASSERT_EQ(dcs->count(), 2);
        EXPECT_EQ(dcs->item(0)->text(), "6");
        clickItem(dcs, 0);
        clickItem(dcs, 1, Qt::ControlModifier);
        ASSERT_EQ(grid(&s)->lineCount(), 2);                 // the NV line is not billed
        EXPECT_EQ(grid(&s)->text(1, s.rateCol()), "10.00");  // the item's rate
        typeCell(&s, 1, s.rateCol(), "12.5");
        EXPECT_EQ(grid(&s)->text(1, s.amountCol()), "125.00");
        EXPECT_EQ(grid(&s)->lineCount(), 2);
        QTest::keyClicks(edit(&s, "txtVAT"), "12.5");
    }

    QSqlDatabase* db = nullptr;
};

TEST_P(InvoiceScreenTest, AnInvoiceIsMadeByChoosingCustomerAndDcsTypingARateAndATax) {
    threeDcs();
    FrmInvoice s;
    ASSERT_TRUE(s.load());
    showAndWait(s);
    EXPECT_EQ(s.controller()->state(), RecState::Adding);
    EXPECT_EQ(get<QLabel>(&s, "lblStatus")->text(), "You are about to ADD a NEW Invoice Now...");
    EXPECT_EQ(edit(&s, "txtInvNo")->text(), "1");
    EXPECT_EQ(get<QComboBox>(&s, "cmbCust")->count(), 2);
    // Choosing DCs before the customer.
    QTest::mouseClick(get<QListWidget>(&s, "lstDcNo")->viewport(), Qt::LeftButton);
    EXPECT_EQ(dialogs.last().text, "select a customer First .....");

    makeInvoice(s);
    // 10 x 12.50 + 4 x 25.00 = 225; VAT 12.5% = 28.125 -> 253.125, shown 253.13.
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "253.13");
    dialogs.clear();
    click(&s, "cmdSave");
    ASSERT_GE(dialogs.count(), 2);
    EXPECT_EQ(dialogs.shown()[0].text, "Are You Sure To Save?");
    EXPECT_EQ(dialogs.last().text, "Record Stored successfully .");
    for (int id : {1, 2}) {
        EXPECT_EQ(Sql::scalar(*db, "select InvNo from DcInv where DcInvId=?", {id}).toString(), "1");
        EXPECT_EQ(count(*db, "select TotVal from DcInv where DcInvId=?", {id}), 25313);
        EXPECT_EQ(count(*db, "select Balance from DcInv where DcInvId=?", {id}), 25313);
    }
    EXPECT_DOUBLE_EQ(Sql::scalar(*db, "select VAT from DcInv where DcInvId=1").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Sql::scalar(*db, "select Rate from DcInvSub where DcInvId=1 and SlNo=1").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Sql::scalar(*db, "select Rate from DcInvSub where DcInvId=2 and SlNo=1").toDouble(), 25);
    EXPECT_TRUE(Sql::scalar(*db, "select InvNo from DcInv where DcInvId=3").isNull());
    EXPECT_EQ(s.controller()->state(), RecState::Browse);
    EXPECT_EQ(get<QPushButton>(&s, "cmdSave")->text(), "&Modify");
    EXPECT_FALSE(get<QPushButton>(&s, "cmdSave")->isEnabled());
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "253.13");
    QTest::keyClicks(edit(&s, "txtGO"), "99");
    QTest::keyClick(edit(&s, "txtGO"), Qt::Key_Return);
    EXPECT_EQ(dialogs.last().text, " NO Inv No. exists with this No.");
}

TEST_P(InvoiceScreenTest, TaxFieldsFollowTheirRulesAsTheyAreTyped) {
    threeDcs();
    exec(*db, "update Misc set sales1to1=TRUE");
    FrmInvoice s;
    ASSERT_TRUE(s.load());
    showAndWait(s);
    QComboBox* cust = get<QComboBox>(&s, "cmbCust");
    cust->setFocus();
    QTest::keyClick(cust, Qt::Key_Down);
    QListWidget* dcs = get<QListWidget>(&s, "lstDcNo");
    clickItem(dcs, 0);
    clickItem(dcs, 1, Qt::ControlModifier);
    EXPECT_EQ(dcs->selectedItems().size(), 1);  // one DC per invoice: the first stays
    EXPECT_TRUE(dcs->item(0)->isSelected());
    clickItem(dcs, 0, Qt::ControlModifier);
    EXPECT_EQ(dialogs.last().text, "Select  DC(s) from the List!");
    EXPECT_EQ(grid(&s)->lineCount(), 0);
    clickItem(dcs, 1);
    ASSERT_EQ(grid(&s)->lineCount(), 1);  // DC 5: 10 x 10.00

    QTest::keyClicks(edit(&s, "txtVAT"), "5");
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "105.00");
    QTest::keyClicks(edit(&s, "txtCST"), "2");
    EXPECT_EQ(edit(&s, "txtVAT")->text(), "");
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "102.00");
    QTest::keyClicks(edit(&s, "txtCess"), "1");
    EXPECT_EQ(dialogs.last().text, "No cess allowed for CST !");
    EXPECT_EQ(edit(&s, "txtCess")->text(), "");
    QTest::keyClicks(edit(&s, "txtVAT"), "4");
    EXPECT_EQ(edit(&s, "txtCST")->text(), "");
    QTest::keyClicks(edit(&s, "txtCess"), "1");
    EXPECT_EQ(dialogs.last().text, "LST must be entered...   in order to have Cess on LST !");
    QTest::keyClicks(edit(&s, "txtKST"), "4");
    QTest::keyClicks(edit(&s, "txtCess"), "10");
    EXPECT_EQ(edit(&s, "txtCess")->text(), "10");
    EXPECT_EQ(edit(&s, "txtVAT")->text(), "");
    // 100 + LST 4 + cess 0.40 = 104.40
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "104.40");
    QTest::keyClicks(edit(&s, "txtCessED"), "2");
    EXPECT_EQ(dialogs.last().text, "Excise must be entered...   in order to have Cess on Excise !");
    QTest::keyClicks(edit(&s, "txtHighCessED"), "1");
    EXPECT_EQ(dialogs.last().text, "Excise must be entered...   in order to have Higher Educational Cess on Excise !");
    QTest::keyClicks(edit(&s, "txtExcise"), "1.2.5");  // a second point is refused
    EXPECT_EQ(edit(&s, "txtExcise")->text(), "1.25");
    edit(&s, "txtExcise")->clear();
    QTest::keyClicks(edit(&s, "txtSurchrg"), "3");
    get<QCheckBox>(&s, "optKST")->click();
    get<QCheckBox>(&s, "optFormH")->click();
    for (const char* f : {"txtCST", "txtKST", "txtSurchrg", "txtCess", "txtVAT"})
        EXPECT_EQ(edit(&s, f)->text(), "") << f;
    EXPECT_FALSE(get<QCheckBox>(&s, "optKST")->isChecked());
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "100.00");
    // Percentage packing and final discount: 100 + 5% = 105; less 10% = 94.50.
    QTest::keyClicks(edit(&s, "txtPackForwd"), "5");
    get<QComboBox>(&s, "cmbPackForwdType")->setCurrentIndex(1);
    QTest::keyClicks(edit(&s, "txtFinalDisc"), "10");
    get<QComboBox>(&s, "cmbFinalDiscType")->setCurrentIndex(1);
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "94.50");
}

TEST_P(InvoiceScreenTest, AShownInvoiceIsModifiedAndDeletedOnlyWhileNothingIsReceived) {
    threeDcs();
    FrmInvoice s;
    ASSERT_TRUE(s.load());
    showAndWait(s);
    makeInvoice(s);
    click(&s, "cmdSave");
    ASSERT_EQ(dialogs.last().text, "Record Stored successfully .");

    // A click on a field of the shown invoice starts modifying it.
    QTest::mouseClick(edit(&s, "txtPayTerm"), Qt::LeftButton);
    ASSERT_EQ(s.controller()->state(), RecState::Modifying);
    EXPECT_EQ(get<QLabel>(&s, "lblStatus")->text(), "You are about to MODIFY the existing Invoice Now...");
    EXPECT_TRUE(get<QPushButton>(&s, "cmdSave")->isEnabled());
    EXPECT_FALSE(get<QComboBox>(&s, "cmbCust")->isEnabled());
    QTest::keyClicks(edit(&s, "txtPayTerm"), "30 days");
    typeCell(&s, 2, s.rateCol(), "20");
    // 125 + 80 = 205; VAT 12.5% = 25.625 -> 230.63.
    EXPECT_EQ(edit(&s, "txtTotVal")->text(), "230.63");
    dialogs.clear();
    click(&s, "cmdSave");
    EXPECT_EQ(dialogs.shown()[0].text, "Are You Sure To Modify?");
    EXPECT_EQ(dialogs.last().text, "Record Stored successfully .");
    EXPECT_EQ(count(*db, "select count(*) from DcInv where TotVal=23063 and Balance=23063 and PayTerm='30 days'"), 2);

    // Money received: neither modify nor delete.
    exec(*db, "update DcInv set Balance=10000 where InvNo='1'");
    click(&s, "cmdDelete");
    EXPECT_EQ(dialogs.last().text, "Deletion not allowed , since some Cash Flow has been made in this Regard!!!");
    QTest::mouseClick(edit(&s, "txtInvRem"), Qt::LeftButton);
    click(&s, "cmdSave");
    EXPECT_EQ(dialogs.last().text, "Modification not allowed, since Some Cash Flow is made in this Regard!!!");
    EXPECT_EQ(count(*db, "select count(*) from DcInv where InvNo='1'"), 2);

    exec(*db, "update DcInv set Balance=TotVal where InvNo='1'");
    dialogs.clear();
    click(&s, "cmdDelete");
    EXPECT_EQ(dialogs.shown()[0].text, "Are You Sure To DELETE this INVOICE ? ");
    EXPECT_EQ(dialogs.shown()[1].text, "Records Deleted");
    EXPECT_EQ(count(*db, "select count(*) from DcInv where InvNo is null"), 3);
    EXPECT_EQ(count(*db, "select count(*) from DcInvSub where Rate<>0"), 0);
    // No invoice left: the screen is ready for a new one, with the DCs offered again.
    EXPECT_EQ(s.controller()->state(), RecState::Adding);
    EXPECT_EQ(get<QComboBox>(&s, "cmbCust")->count(), 2);
}

TEST_P(InvoiceScreenTest, WithoutAnyDcNothingCanBeStarted) {
    FrmInvoice s;
    ASSERT_TRUE(s.load());
    EXPECT_EQ(dialogs.last().text, "You cannot Create INVOICE without a DC!!!");
    for (const char* b : {"cmdNew", "cmdSave", "cmdMoveFirst", "cmdMoveLast"})
        EXPECT_FALSE(get<QPushButton>(&s, b)->isEnabled()) << b;
}

INSTANTIATE_TEST_SUITE_P(Engines, InvoiceScreenTest, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
