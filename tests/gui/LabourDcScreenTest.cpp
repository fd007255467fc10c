// The labour DC screens driven from the keyboard as the gate and the dispatch desk use
// them: the customer's material in against its order, sent back worked on our DC drawing
// on what came in, the quantity checked as it is typed, the print, the Form VAT 515 entry,
// and the blocks and exact return of a deletion.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>

#include "jobwork/LabourOrders.h"
#include "jobwork/forms/LabourDCScreens.h"
#include "printing/DocumentPrint.h"
#include "printing/Workbook.h"
#include "support/Keyboard.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "ui/Form39Screen.h"
#include "ui/LineGrid.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class LabourDcScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        exec(company(),
             "insert into Customer (CustId, CustName, CustAddr, VATRegNo) values (1, 'ACME FORGE', 'Peenya', '29AB'), "
             "(2, 'BHARAT GEARS', 'Hosur', ' ')");
        exec(company(),
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
             "(1, 'A100', 'Shaft', 5, 'NOS'), (2, 'B200', 'Bush 20', 5, 'NOS')");
        jobwork::Orders::Order o;
        o.id = 1;
        o.custId = 1;
        o.poNo = "LPO-1";
        o.poDate = QDate(2026, 6, 1);
        o.validFrom = o.poDate;
        o.validTo = QDate(2027, 3, 31);
        for (const auto& [code, qty] : {std::pair{"A100", 100.0}, std::pair{"B200", 50.0}})
            o.lines << chain::Orders::Line{code, "name", "NOS", qty, 2.5};
        QSqlDatabase& db = company();
        Sql::transaction(db, [&] { jobwork::Orders::save(db, o, true); });
    }
    QList<double> column(const QString& sql) {
        QList<double> out;
        QSqlQuery q = Sql::exec(company(), sql);
        while (q.next()) out << q.value(0).toDouble();
        return out;
    }
    QList<double> toReceive() { return column("select QtyToReci from LabPOSub order by SlNo"); }
    QList<double> toSend() { return column("select QtyToSend from LabPOSub order by SlNo"); }
    QList<double> open() { return column("select BalQty from DcIncomingSub order by SlNo"); }
    PrintCapture print_;
};

TEST_P(LabourDcScreen, InThenBackByKeyboard) {
    FrmDCIncoming in;
    ASSERT_TRUE(in.load());
    show(&in);
    EXPECT_TRUE(in.windowTitle().startsWith("LABOUR WORK"));
    ASSERT_EQ(in.controller()->state(), RecState::Adding);
    EXPECT_EQ(in.findChild<QLineEdit*>("txtDCNo")->text(), "");  // the customer's own number
    ASSERT_EQ(focusName(), "cmbCust");
    type("A");
    tabTo("cmbPONo");
    key(Qt::Key_Down);
    EXPECT_EQ(in.findChild<QComboBox*>("cmbPONo")->currentText(), "LPO-1");
    tabTo("txtDCNo");
    type("CDC-7");
    tabTo("cmbTransport");
    type("TEMPO");
    tabTo("txtRem");
    key(Qt::Key_Tab);
    LineGrid* g = in.grid();
    ASSERT_TRUE(g->isEditing());
    type("A1");
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, 1), "A100");
    EXPECT_EQ(g->text(1, 5), "100");  // PO Bal.Qty
    ASSERT_EQ(g->editColumn(), 3);    // past the particulars the item proposes
    EXPECT_EQ(g->text(1, 2), "Shaft");
    key(Qt::Key_Left);
    cells({"Shafts to turn", "60", "FOR TURNING"});  // a line is made of its first four columns
    type("B2");
    key(Qt::Key_Return);
    key(Qt::Key_Left);
    cells({"Bushes", "70"});  // over what the order still expects: said at once
    EXPECT_EQ(dialogs.last().text, "Qty should not be greater than 50");
    key(Qt::Key_Left);
    ASSERT_EQ(g->editColumn(), 3);
    type("50");
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(toReceive(), (QList<double>{40, 0}));
    EXPECT_EQ(open(), (QList<double>{60, 50}));
    EXPECT_EQ(Sql::scalar(company(), "select count(*) from ProductL where ProdName='Shafts to turn'").toInt(), 1);
    // The customer's DC found by its number.
    in.findChild<QPushButton*>("cmdNew")->click();
    ASSERT_EQ(in.controller()->state(), RecState::Adding);
    auto* go = in.findChild<QLineEdit*>("txtGO");
    QTest::keyClicks(go, "CDC-9");
    QTest::keyClick(go, Qt::Key_Return);
    EXPECT_EQ(dialogs.last().text, " NO DC No.(Incoming) exists with this No.");
    go->clear();
    QTest::keyClicks(go, "CDC-7");
    QTest::keyClick(go, Qt::Key_Return);
    EXPECT_EQ(in.controller()->currentId(), 1);
    EXPECT_EQ(in.findChild<QLineEdit*>("txtDCNo")->text(), "CDC-7");

    dialogs.clear();
    FrmDCOutgoing out;
    ASSERT_TRUE(out.load());
    show(&out);
    ASSERT_EQ(out.controller()->state(), RecState::Adding);
    EXPECT_EQ(out.findChild<QLineEdit*>("txtDCNo")->text(), "1");
    auto* cust = out.findChild<QComboBox*>("cmbCust");
    ASSERT_EQ(cust->count(), 1);                          // only a customer whose material is still here
    EXPECT_TRUE(out.grid()->table()->isColumnHidden(5));  // no stock column without the stock link
    ASSERT_EQ(focusName(), "cmbCust");
    type("A");
    tabTo("cmbPONo");
    key(Qt::Key_Down);
    tabTo("cmbRefDCno");
    tabTo("cmbDeliveryPurpose");
    type("JOB WORK RETURN");
    tabTo("chkDCSigned");
    key(Qt::Key_Tab);
    g = out.grid();
    ASSERT_TRUE(g->isEditing());
    type("A1");
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, 2), "Shafts to turn");  // the particulars last used for the item
    EXPECT_EQ(g->text(1, 6), "60");              // QtyOnHand
    EXPECT_EQ(g->text(1, 7), "100");             // PO BalQty
    cells({"70"});
    EXPECT_EQ(dialogs.last().text, "Qty should not be greater than 60");
    key(Qt::Key_Left);
    type("45");
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
    EXPECT_EQ(open(), (QList<double>{15, 50}));
    EXPECT_EQ(toSend(), (QList<double>{55, 50}));
    EXPECT_EQ(Sql::scalar(company(), "select UpdateTrack from DcOutgoingSubInv").toString(), "1,45");
    EXPECT_EQ(Sql::scalar(company(), "select RefDcNo from DcOutgoingInv").toString().trimmed(), "CDC-7");
    EXPECT_TRUE(out.findChild<QLabel*>("lblMoreDet")->isVisible());

    out.findChild<QPushButton*>("cmdPrint")->click();
    ASSERT_FALSE(print_.path().isEmpty());
    const Print::Workbook wb = Print::Workbook::load(print_.path());
    EXPECT_EQ(Print::valueAt(wb, 1, "YourDC").toString(), " Customer DC No:  CDC-7");
    EXPECT_EQ(Print::valueAt(wb, 1, "TotalQty").toDouble(), 45);

    // The Form VAT 515 entry of the shown DC, its number proposed for the year.
    QTest::mouseClick(out.findChild<QLabel*>("lblForm39"), Qt::LeftButton);
    auto* f39 = window<Form39Screen>();
    ASSERT_TRUE(f39);
    show(f39);
    EXPECT_EQ(f39->findChild<QLineEdit*>("txtForm39No")->text(), "1");
    f39->findChild<QLineEdit*>("txtForm39No")->setFocus();
    tabTo("cmbGoodsName");
    type("MS SHAFTS");
    tabTo("txtGoodsVal");
    type("9000");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Please Enter the Goods Qty ");
    EXPECT_EQ(focusName(), "txtGoodsQty");
    type("45 NOS");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_TRUE(dialogs.saw("Are You Sure To Store?"));
    EXPECT_EQ(dialogs.last().text, "Records Modified...");
    EXPECT_EQ(Sql::scalar(company(), "select Form39No from DcOutgoingInv").toInt(), 1);
    EXPECT_EQ(Sql::scalar(company(), "select GoodsName from DcOutgoingInv").toString(), "MS SHAFTS");
    f39->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The incoming DC that went back in part stays; deleting ours gives back exactly what it took.
    in.controller()->showId(1);
    in.findChild<QPushButton*>("cmdDelete")->click();
    EXPECT_EQ(dialogs.last().text,
              "You cannot delete this DC , since some Finished items has been returned back to the customer : ACME "
              "FORGE !!!");
    show(&out);
    out.findChild<QPushButton*>("cmdDelete")->setFocus();
    key(Qt::Key_Space);
    EXPECT_TRUE(dialogs.saw("Record Deleted Successfully."));
    EXPECT_EQ(open(), (QList<double>{60, 50}));
    EXPECT_EQ(toSend(), (QList<double>{100, 50}));
}

KAVRA_ON_EVERY_ENGINE(LabourDcScreen);

}  // namespace
