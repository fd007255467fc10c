// The employee screen from the keyboard: one typed and saved, a namesake saved only after the
// user agrees, and one with attendance "deleted" into the left list and revoked back.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/Sql.h"
#include "staff/forms/StaffScreen.h"
#include "support/Keyboard.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class StaffScreenTest : public EngineTest {
  protected:
    void SetUp() override { ready = startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(9, 0))); }
    void typeEmployee(const char* name) {
        tabTo("txtStaffName");
        type(name);
        tabTo("optMale");
        key(Qt::Key_Space);
        tabTo("cmbDesig");
        type("FITTER");
        tabTo("cmdSave");
    }
    bool ready = false;
};

TEST_P(StaffScreenTest, TypedANamesakeAgreedToAndOneLeftThenRevoked) {
    if (!ready) return;
    FrmStaff s;
    ASSERT_TRUE(s.load());
    show(&s);
    ASSERT_EQ(focusName(), "txtStaffId");  // an empty table opens for adding, on the number
    EXPECT_EQ(s.findChild<QLineEdit*>("txtStaffId")->text(), "1");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "txtStaffName");
    type("RAVI KUMAR");
    tabTo("cmdSave");
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Please Enter the designation.....");
    EXPECT_EQ(focusName(), "cmbDesig");
    typeEmployee("RAVI KUMAR");
    dialogs.answer(true);
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Records Saved!");
    EXPECT_EQ(s.findChild<QListWidget*>("lstNames")->count(), 1);

    // A namesake: No keeps it unsaved, Yes saves it under its own number.
    tabTo("cmdNew");
    key(Qt::Key_Space);
    EXPECT_EQ(s.findChild<QLineEdit*>("txtStaffId")->text(), "2");
    typeEmployee("Ravi Kumar");
    dialogs.answer(false);
    key(Qt::Key_Space);
    EXPECT_TRUE(dialogs.saw("The same Employee Name Exists in EmployeeId : 1\nAnyhow You want to Save the Data?"));
    EXPECT_EQ(count(company(), "select count(*) from Staff"), 1);
    dialogs.answer(true);
    dialogs.answer(true);
    key(Qt::Key_Space);
    EXPECT_EQ(dialogs.last().text, "Records Saved!");
    EXPECT_EQ(Sql::scalar(company(), "select Sex from Staff where StaffId=2").toString(), "Male");

    // With attendance, Delete keeps the row as left, and the button revokes.
    exec(company(), "insert into Attendance (Year, MonthId, StaffId, LDetail) values (2026, 6, 2, 'P')");
    auto* del = s.findChild<QPushButton*>("cmdDelete");
    tabTo("cmdDelete");
    dialogs.answer(true);
    key(Qt::Key_Space);
    EXPECT_TRUE(dialogs.saw(
        "BEFORE deleting this Record, ensure all the accounts to this Employee is settled.\nSince after deleting the "
        "record, You can't revert back!!!\n Are You sure to Delete?"));
    EXPECT_EQ(dialogs.last().text, "Records Deleted.");
    EXPECT_EQ(s.controller()->currentId(), 2);
    EXPECT_EQ(s.findChild<QLabel*>("lblDOL")->text(), "Date of Leaving : 10/06/2026");
    EXPECT_EQ(del->text(), "&Revoke");
    EXPECT_EQ(s.findChild<QListWidget*>("lstNames")->count(), 1);

    dialogs.answer(true);
    tabTo("cmdDelete");
    key(Qt::Key_Space);
    EXPECT_TRUE(dialogs.saw("Are you sure to Revoke this Employee to the Current List...!!!"));
    EXPECT_EQ(dialogs.last().text, "Record is now Revoked to the Current List of Employees");
    EXPECT_EQ(del->text(), "&Delete");
    EXPECT_TRUE(s.findChild<QLabel*>("lblDOL")->text().isEmpty());
    EXPECT_EQ(s.findChild<QListWidget*>("lstNames")->count(), 2);
    EXPECT_EQ(count(company(), "select count(*) from Staff where StatusC = TRUE"), 2);
}

KAVRA_ON_EVERY_ENGINE(StaffScreenTest);

}  // namespace
