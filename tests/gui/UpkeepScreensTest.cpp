// The maintenance shop's screens from the keyboard: a machine typed and saved, a weekly
// schedule given to it, its job of the day marked done and recorded; and the quality desk's
// due list with its window typed in.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "core/Sql.h"
#include "production/forms/MachineScreen.h"
#include "production/forms/MaintenanceScreens.h"
#include "quality/forms/CalibrateScreens.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

const QDate kWednesday(2026, 6, 10);

class UpkeepScreens : public EngineTest {
  protected:
    void SetUp() override { ready = startAsAdministrator(QDateTime(kWednesday, QTime(9, 0))); }
    bool ready = false;
};

TEST_P(UpkeepScreens, AMachineItsWeeklyJobMarkedDoneAndRecorded) {
    if (!ready) return;
    {
        FrmMachine m;
        ASSERT_TRUE(m.load());
        show(&m);
        ASSERT_EQ(focusName(), "txtMachName");  // an empty table opens for adding
        type("LATHE 1");
        key(Qt::Key_Return);
        ASSERT_EQ(focusName(), "txtMachModel");
        type("LX-200");
        tabTo("cmdSave");
        key(Qt::Key_Space);
        EXPECT_EQ(dialogs.last().text, "Records Updated .");
        EXPECT_EQ(m.findChild<QListWidget*>("lstNames")->count(), 1);
    }
    {
        FrmMaintain s;
        ASSERT_TRUE(s.load());
        show(&s);
        ASSERT_EQ(focusName(), "lstTypes");
        key(Qt::Key_Home);  // Weekly, the first type
        EXPECT_EQ(s.findChild<QLabel*>("lblHelp")->text(), "Scheduled Day : 1 to 7 (1-Sunday 7-Saturday)");
        tabTo("txtSchedule");
        type("Clean the ways");
        key(Qt::Key_Return);
        ASSERT_EQ(focusName(), "txtDay");
        type("9");
        tabTo("cmdModify");
        key(Qt::Key_Space);
        EXPECT_EQ(dialogs.last().text, "Scheduled Day must be between 1 and 7 (1-Sunday 7-Saturday)");
        ASSERT_EQ(focusName(), "txtDay");
        key(Qt::Key_Backspace);
        type("4");  // Wednesday
        tabTo("cmdModify");
        key(Qt::Key_Space);
        EXPECT_EQ(dialogs.last().text, "Data stored successfully .");
        EXPECT_EQ(count(company(), "select count(*) from MaintainSch where MainId=1"), 1);
    }
    FrmMaintainPro p;
    ASSERT_TRUE(p.load());
    show(&p);
    auto* grid = p.findChild<QTableWidget*>("msflex");
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->item(0, 1)->text(), "M1");
    EXPECT_EQ(grid->item(0, 2)->text(), "N");
    EXPECT_EQ(p.findChild<QLabel*>("lblDate")->text(), "Maintenance On 10/06/2026");
    tabTo("msflex");
    key(Qt::Key_Home);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    EXPECT_EQ(grid->item(0, 2)->text(), "Y");
    EXPECT_EQ(p.findChild<QLabel*>("lblJob")->text(),
              "MACHINE : LATHE 1    TYPE: Weekly    Maintenance on Clean the ways");
    tabTo("cmdModify");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Data stored successfully .");
    EXPECT_EQ(count(company(), "select count(*) from MaintainData where MainDate=? and StatusC=?",
                    {Db::day(kWednesday), true}),
              1);
    EXPECT_EQ(grid->item(0, 2)->text(), "Y");  // as stored
}

TEST_P(UpkeepScreens, DueListFollowsTheDaysTyped) {
    if (!ready) return;
    exec(company(),
         "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
         "(1, 'VC150', 'Vernier', 5, 'NOS')");
    exec(company(),
         "insert into Calibrate (Id, ItemId, InsGaugeId, NextCalibrate) values (1, 1, 'V-1', ?), "
         "(2, 1, 'V-2', ?)",
         {Db::day(kWednesday.addDays(-3)), Db::day(kWednesday.addDays(20))});
    FrmCalibrateDUE d;
    ASSERT_TRUE(d.load());
    show(&d);
    QTableWidget* g = d.grid();
    ASSERT_EQ(g->rowCount(), 2);
    EXPECT_EQ(g->item(0, 1)->text(), "VC150(Vernier)");
    EXPECT_EQ(g->item(0, 4)->text(), "-3");
    EXPECT_EQ(g->item(0, 5)->text(), "Immediate ");
    EXPECT_EQ(g->item(1, 5)->text(), "With this Month");
    tabTo("txtDueBefore");
    d.findChild<QLineEdit*>("txtDueBefore")->selectAll();
    type("10");
    key(Qt::Key_Return);
    EXPECT_EQ(g->rowCount(), 1);
}

// The instrument frame and the report frame each keep their own buttons: a report saved
// leaves the instrument's date, and the instrument with it cannot be deleted.
TEST_P(UpkeepScreens, AnInstrumentAndItsReportOnTheirOwnButtons) {
    if (!ready) return;
    exec(company(),
         "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
         "(1, 'VC150', 'Vernier', 5, 'NOS')");
    FrmCalibrate c;
    ASSERT_TRUE(c.load());
    show(&c);
    auto btn = [&](const char* n) { return c.findChild<QPushButton*>(n); };
    EXPECT_TRUE(btn("cmdSave")->isEnabled());  // an empty table opens for adding
    ASSERT_EQ(focusName(), "cmbInsGauge");
    btn("cmdSave")->click();
    EXPECT_EQ(dialogs.last().text, "Please select an Instrument.....");
    key(Qt::Key_Down);
    ASSERT_EQ(c.findChild<QComboBox*>("cmbInsGauge")->currentText(), "VC150");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "cmbInsGaugeIDno");
    type("V-01");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Records Updated .");
    const QVariant next = Sql::scalar(company(), "select NextCalibrate from Calibrate where Id=1");
    ASSERT_TRUE(next.isValid());
    // The report frame is ready for a report of the piece shown.
    EXPECT_FALSE(btn("cmdNewRep")->isEnabled());
    EXPECT_TRUE(btn("cmdSaveRep")->isEnabled());
    btn("cmdSaveRep")->click();
    EXPECT_EQ(dialogs.last().text, "Please Enter the Calibration Report Number.....");
    tabTo("txtCalibrateNo");
    type("CR-1");
    tabTo("cmdSaveRep");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Records Updated   (Don't forget to set the Next Calibration Date...)");
    EXPECT_EQ(count(company(), "select count(*) from CalibrateRep where Id=1 and CalibRepId=1"), 1);
    EXPECT_EQ(Sql::scalar(company(), "select NextCalibrate from Calibrate where Id=1"), next);
    EXPECT_TRUE(btn("cmdNewRep")->isEnabled());
    EXPECT_TRUE(btn("cmdNew")->isEnabled());  // the instrument frame kept its own state
    btn("cmdDelete")->click();
    EXPECT_EQ(dialogs.last().text, "You cannot delete this Record since it has some Calibration Reports already!!!");
    btn("cmdView")->click();
    EXPECT_EQ(c.findChild<QTableWidget*>("msflex")->rowCount(), 1);
}

KAVRA_ON_EVERY_ENGINE(UpkeepScreens);

}  // namespace
