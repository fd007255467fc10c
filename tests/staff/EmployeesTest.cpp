// The employees on both engines: the checks in their order, a second employee of the same
// name found, and one with records marked as left rather than deleted, then revoked.
#include "core/Sql.h"
#include "staff/Employees.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class EmployeesTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(9, 0)))) return;
        db = &company();
    }
    Employees::Employee fitter(qint64 id, const QString& name) {
        Employees::Employee e;
        e.id = id;
        e.name = name;
        e.desig = "FITTER";
        e.dept = "MACHINE SHOP";
        e.sex = "Male";
        e.doj = QDate(2025, 4, 1);
        return e;
    }
    void save(const Employees::Employee& e, bool adding) {
        Sql::transaction(*db, [&] { Employees::save(*db, e, adding); });
    }
    QSqlDatabase* db = nullptr;
};

TEST_P(EmployeesTest, ChecksInOrderAndTheSameNameFound) {
    if (!db) return;
    EXPECT_EQ(Employees::proposedId(*db), 1);
    Employees::Employee e = fitter(0, "");
    e.desig.clear();
    e.sex.clear();
    auto refusal = [&] { return Employees::validate(*db, e, true).value_or(Refusal{}).text; };
    EXPECT_EQ(refusal(), "Please Enter the  Employee ID.....");
    e.id = 7;
    EXPECT_EQ(refusal(), "Please Enter the  Employee Name.....");
    e.name = "RAVI KUMAR";
    EXPECT_EQ(refusal(), "Please Enter the designation.....");
    e.desig = "WELDER";
    EXPECT_EQ(refusal(), "Please Select the Sex as Male/Female...");
    EXPECT_EQ(Employees::validate(*db, e, true)->field, "optMale");
    e.sex = "Male";
    EXPECT_FALSE(Employees::validate(*db, e, true));
    save(e, true);

    // The typed number taken is refused, on the check and again inside the save.
    Employees::Employee twin = fitter(7, "ravi kumar");
    EXPECT_EQ(Employees::validate(*db, twin, true).value_or(Refusal{}).text, "An Entry Already Exists...Try Another!");
    EXPECT_THROW(save(twin, true), Refused);
    twin.id = Employees::proposedId(*db);
    EXPECT_EQ(twin.id, 8);
    EXPECT_EQ(Employees::sameName(*db, twin), 7);  // whatever the case
    save(twin, true);
    EXPECT_FALSE(Employees::sameName(*db, fitter(9, "ANIL")));

    // Modify keeps the number and writes the rest; empty texts are stored as nothing.
    Employees::Employee changed = *Employees::load(*db, 8);
    changed.city = "  PUNE ";
    changed.dept.clear();
    save(changed, false);
    const Employees::Employee back = *Employees::load(*db, 8);
    EXPECT_EQ(back.city, "PUNE");
    EXPECT_TRUE(Sql::scalar(*db, "select Dept from Staff where StaffId=8").isNull());
    EXPECT_EQ(back.doj, QDate(2025, 4, 1));
    EXPECT_EQ(Employees::designations(*db), (QStringList{"FITTER", "WELDER"}));
    EXPECT_EQ(Employees::departments(*db), QStringList{"MACHINE SHOP"});  // 7 still has it
}

TEST_P(EmployeesTest, OneWithRecordsIsMarkedLeftAndRevokedBack) {
    if (!db) return;
    save(fitter(1, "ANIL"), true);
    save(fitter(2, "BALU"), true);
    save(fitter(3, "CHANDRU"), true);
    exec(*db, "insert into Attendance (Year, MonthId, StaffId, LDetail) values (2026, 6, 1, 'PPP')");
    exec(*db, "insert into StaffLoan (LoanId, StaffId, Amt, Balance) values (1, 3, 500000, 500000)");
    EXPECT_TRUE(Employees::inUse(*db, 1));
    EXPECT_FALSE(Employees::inUse(*db, 2));

    bool kept = false;
    Sql::transaction(*db, [&] { kept = Employees::remove(*db, 1, QDate(2026, 6, 10)); });
    EXPECT_TRUE(kept);
    Sql::transaction(*db, [&] { kept = Employees::remove(*db, 2, QDate(2026, 6, 10)); });
    EXPECT_FALSE(kept);
    Sql::transaction(*db, [&] { kept = Employees::remove(*db, 3, QDate(2026, 6, 11)); });
    EXPECT_TRUE(kept);

    EXPECT_EQ(Employees::ids(*db), (QList<qint64>{1, 3}));  // the left ones stay reachable
    EXPECT_TRUE(Employees::currentList(*db).isEmpty());
    const Employees::Employee left = *Employees::load(*db, 1);
    EXPECT_FALSE(left.current);
    EXPECT_EQ(left.dol, QDate(2026, 6, 10));
    // No longer on the rolls: the payment screens' staff heads leave them out.
    EXPECT_EQ(count(*db, "select count(*) from Staff where StatusC = TRUE"), 0);

    Sql::transaction(*db, [&] { Employees::revoke(*db, 1); });
    const Employees::Employee back = *Employees::load(*db, 1);
    EXPECT_TRUE(back.current);
    EXPECT_FALSE(back.dol.isValid());
    ASSERT_EQ(Employees::currentList(*db).size(), 1);
    EXPECT_EQ(Employees::currentList(*db).first().second, "ANIL");
}

KAVRA_ON_EVERY_ENGINE(EmployeesTest);

}  // namespace
