// Machines, maintenance schedules, the daily process and breakdowns on both engines.
#include "core/Session.h"
#include "core/Sql.h"
#include "production/Breakdowns.h"
#include "production/Machines.h"
#include "production/Maintenance.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
namespace Mt = kavra::Maintenance;

namespace {

QList<QDate> dueDays(int type, int number, int year) {
    QList<QDate> out;
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1))
        if (Mt::isDue(type, number, d)) out << d;
    return out;
}

TEST(MaintenanceDue, EachTypeOverALeapYear) {
    const QList<QDate> sundays = dueDays(Mt::Weekly, 1, 2028);
    EXPECT_EQ(sundays.size(), 53);  // 2028 begins on a Saturday
    EXPECT_EQ(sundays.front(), QDate(2028, 1, 2));
    for (const QDate& d : sundays) EXPECT_EQ(d.dayOfWeek(), Qt::Sunday);
    EXPECT_EQ(dueDays(Mt::Weekly, 7, 2028).front(), QDate(2028, 1, 1));  // 7 is Saturday
    EXPECT_EQ(dueDays(Mt::Weekly, 2, 2028).front().dayOfWeek(), Qt::Monday);

    const QList<QDate> fortnight = dueDays(Mt::Fortnightly, 13, 2028);
    EXPECT_EQ(fortnight.size(), 24);
    EXPECT_EQ(fortnight.mid(0, 2), (QList<QDate>{QDate(2028, 1, 13), QDate(2028, 1, 28)}));
    // The second day of 14 is the 29th: there in a leap February, missing otherwise.
    EXPECT_TRUE(dueDays(Mt::Fortnightly, 14, 2028).contains(QDate(2028, 2, 29)));
    EXPECT_EQ(dueDays(Mt::Fortnightly, 14, 2028).size(), 24);
    EXPECT_EQ(dueDays(Mt::Fortnightly, 14, 2027).size(), 23);

    EXPECT_EQ(dueDays(Mt::Monthly, 28, 2028).size(), 12);
    EXPECT_EQ(dueDays(Mt::Quarterly, 2, 2028),
              (QList<QDate>{QDate(2028, 2, 1), QDate(2028, 5, 1), QDate(2028, 8, 1), QDate(2028, 11, 1)}));
    EXPECT_EQ(dueDays(Mt::Quarterly, 3, 2028).back(), QDate(2028, 12, 1));
    EXPECT_EQ(dueDays(Mt::BiAnnual, 6, 2028), (QList<QDate>{QDate(2028, 6, 1), QDate(2028, 12, 1)}));
    EXPECT_EQ(dueDays(Mt::Annual, 12, 2028), QList<QDate>{QDate(2028, 12, 1)});
    for (int t = 1; t <= Mt::kTypes; ++t) EXPECT_TRUE(dueDays(t, 0, 2028).isEmpty()) << t;
    EXPECT_TRUE(dueDays(9, 1, 2028).isEmpty());
}

TEST(MaintenanceDue, ScheduleTextKeepsItsNumberAfterTheSeparator) {
    const QString d = Mt::joinDescr(" Oil change ", 3);
    EXPECT_EQ(d, QString("Oil change") + QChar(0x8F) + "3");
    EXPECT_EQ(Mt::splitDescr(d).text, "Oil change");
    EXPECT_EQ(Mt::splitDescr(d).number, 3);
    EXPECT_EQ(Mt::splitDescr("no number").number, 0);
    EXPECT_EQ(Mt::gridLabel(2), " M2 - FortNightly");
}

class MaintenanceTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(9, 0)))) return;
        db = &company();
        lathe = addMachine("LATHE 1");
        mill = addMachine("MILL 2");
    }
    qint64 addMachine(const QString& name) {
        qint64 id = 0;
        Sql::transaction(*db, [&] {
            id = Machines::save(*db, {Machines::proposedId(*db), name, "LX", "", "", ""}, true);
        });
        return id;
    }
    void schedule(int type, const QList<Mt::ScheduleRow>& rows) {
        Sql::transaction(*db, [&] { Mt::saveSchedules(*db, type, rows); });
    }
    QSqlDatabase* db = nullptr;
    qint64 lathe = 0, mill = 0;
};

TEST_P(MaintenanceTest, SchedulesAreCheckedPerTypeAndAnEmptiedRowDropsOne) {
    using Row = Mt::ScheduleRow;
    EXPECT_EQ(refusalText(Mt::validateSchedules(0, {})), "Select a Maintenance Type ...");
    const char* messages[] = {"Scheduled Day must be between 1 and 7 (1-Sunday 7-Saturday)",
                              "Scheduled Day must be between 1 and 13",
                              "Scheduled Day must be between 1 and 28",
                              "Scheduled Month must be between 1 and 3 (1-January 3-March)",
                              "Scheduled Month must be between 1 and 6 (1-January 6-June)",
                              "Scheduled Month must be between 1 and 12 (1-January 12-December)"};
    const int highs[] = {7, 13, 28, 3, 6, 12};
    for (int t = 1; t <= 6; ++t) {
        EXPECT_EQ(refusalText(Mt::validateSchedules(t, {Row{0, "A", "x", QString::number(highs[t - 1])}})), "");
        EXPECT_EQ(refusalText(Mt::validateSchedules(t, {Row{0, "A", "x", QString::number(highs[t - 1] + 1)}})),
                  messages[t - 1]);
        EXPECT_EQ(refusalText(Mt::validateSchedules(t, {Row{0, "A", "x", "0"}})), messages[t - 1]);
        EXPECT_EQ(refusalText(Mt::validateSchedules(t, {Row{0, "A", "x", ""}})), messages[t - 1]);
    }
    const Check c = Mt::validateSchedules(1, {Row{0, "A", "", ""}, Row{0, "B", " ", "3"}});
    ASSERT_TRUE(c);
    EXPECT_EQ(c->text, "Enter the Schedule.....");
    EXPECT_EQ(c->row, 2);

    schedule(Mt::Weekly, {Row{0, "LATHE 1", "Clean ways", "4"}, Row{0, "mill 2", "Grease", "2"}});
    EXPECT_EQ(Sql::scalar(*db, "select Descr from MaintainSch where MachId=? and MainId=1", {lathe}).toString(),
              QString("Clean ways") + QChar(0x8F) + "4");
    auto grid = Mt::scheduleGrid(*db, Mt::Weekly);
    ASSERT_EQ(grid.size(), 2);
    EXPECT_EQ(grid[1].text, "Grease");
    EXPECT_EQ(grid[1].number, "2");
    EXPECT_EQ(Mt::scheduleGrid(*db, Mt::Monthly)[0].text, "");
    grid[1].text.clear();
    grid[1].number.clear();
    schedule(Mt::Weekly, grid);
    EXPECT_EQ(count(*db, "select count(*) from MaintainSch"), 1);
}

TEST_P(MaintenanceTest, ProcessRecordsEachDueJobOnceAndShowsTheMisses) {
    using Row = Mt::ScheduleRow;
    schedule(Mt::Weekly, {Row{0, "LATHE 1", "Clean ways", "4"}});  // Wednesdays
    schedule(Mt::Monthly, {Row{0, "LATHE 1", "Check belts", "10"}, Row{0, "MILL 2", "Coolant", "10"}});
    schedule(Mt::Annual, {Row{0, "MILL 2", "Overhaul", "6"}});
    const QDate wed(2026, 6, 10);
    auto rows = Mt::processGrid(*db, wed);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].machName, "LATHE 1");
    EXPECT_TRUE(rows[0].jobs[0].due);
    EXPECT_TRUE(rows[0].jobs[2].due);
    EXPECT_FALSE(rows[1].jobs[0].due);
    EXPECT_FALSE(rows[1].jobs[5].due);  // June, but not the 1st
    rows[0].jobs[0].done = true;
    for (int twice = 0; twice < 2; ++twice) {
        int n = 0;
        Sql::transaction(*db, [&] { n = Mt::record(*db, wed, rows); });
        EXPECT_EQ(n, 3);
    }
    EXPECT_EQ(count(*db, "select count(*) from MaintainData"), 3);
    EXPECT_EQ(count(*db, "select count(*) from MaintainData where StatusC=?", {true}), 1);
    rows = Mt::processGrid(*db, wed);
    EXPECT_TRUE(rows[0].jobs[0].done);
    EXPECT_FALSE(rows[0].jobs[2].done);
    // Changing a mark rewrites the row in place.
    rows[0].jobs[2].done = true;
    Sql::transaction(*db, [&] { Mt::record(*db, wed, rows); });
    EXPECT_EQ(count(*db, "select count(*) from MaintainData"), 3);
    EXPECT_EQ(count(*db, "select count(*) from MaintainData where StatusC=?", {true}), 2);

    // A day with nothing due shows the machines unmarked and writes nothing.
    const QDate thu(2026, 6, 11);
    rows = Mt::processGrid(*db, thu);
    ASSERT_EQ(rows.size(), 2);
    for (const auto& r : rows)
        for (const auto& j : r.jobs) EXPECT_FALSE(j.due);
    int n = -1;
    Sql::transaction(*db, [&] { n = Mt::record(*db, thu, rows); });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(count(*db, "select count(*) from MaintainData"), 3);

    // The 30 days before 11 June: the Wednesdays from 13 May to 3 June, the mill's overhaul on 1 June
    // and its coolant of 10 June, left "N".
    const auto missed = Mt::misses(*db, thu);
    QStringList seen;
    for (const auto& m : missed) seen << m.day.toString("dd/MM") + " " + m.machName + " " + QString::number(m.type);
    EXPECT_EQ(seen, (QStringList{"13/05 LATHE 1 1", "20/05 LATHE 1 1", "27/05 LATHE 1 1", "01/06 MILL 2 6",
                                 "03/06 LATHE 1 1", "10/06 MILL 2 3"}));
}

TEST_P(MaintenanceTest, MachinesInUseAreKeptAndOthersGoWithTheirSchedules) {
    EXPECT_EQ(refusalText(Machines::validate(*db, {0, " ", "", "", "", ""}, true)),
              "Please Enter the Machine Name .....");
    EXPECT_EQ(refusalText(Machines::validate(*db, {0, "lathe 1", "", "", "", ""}, true)),
              "An Entry Already Exists... Try Another!");
    EXPECT_EQ(refusalText(Machines::validate(*db, {mill, "Lathe 1", "", "", "", ""}, false)),
              "An Entry Already Exists... Try Another!");
    EXPECT_EQ(refusalText(Machines::validate(*db, {lathe, "Lathe 1", "", "", "", ""}, false)), "");

    // Named in the production log with no schedules at all.
    exec(*db, "insert into DailyProd (ItemId, Machine) values (1, ?)", {lathe});
    EXPECT_EQ(refusalText(Machines::deleteBlock(*db, lathe)),
              "This record cannot be deleted, Since this Machine Name is being used in 'Production Log' Screen !!!");
    Breakdowns::Breakdown b{0,
                            QDate(2026, 6, 9),
                            mill,
                            QDateTime(QDate(2026, 6, 9), QTime(22, 15)),
                            QDateTime(QDate(2026, 6, 10), QTime(1, 5)),
                            "Spindle seized",
                            "Bearing",
                            Money::parse("1250.75")};
    Sql::transaction(*db, [&] { b.id = Breakdowns::save(*db, b, true); });
    EXPECT_EQ(refusalText(Machines::deleteBlock(*db, mill)),
              "This record cannot be deleted, Since this Machine Name is being used in 'Breakdown Maintenance' Screen "
              "!!!");
    exec(*db, "delete from BrkDown");
    Sql::transaction(*db, [&] { Mt::saveSchedules(*db, 3, {{0, "MILL 2", "Coolant", "5"}}); });
    Sql::transaction(*db, [&] { Machines::remove(*db, mill); });
    EXPECT_EQ(count(*db, "select count(*) from MaintainSch"), 0);
    EXPECT_EQ(Machines::names(*db), QStringList{"LATHE 1"});
}

TEST_P(MaintenanceTest, BreakdownsOverMidnightAndTheirHistory) {
    using Breakdowns::Breakdown;
    const QDateTime late(QDate(2026, 6, 9), QTime(22, 15));
    Breakdown b{0, QDate(2026, 6, 9), 0, late, late.addSecs(175 * 60), "", "", {}};
    EXPECT_EQ(refusalText(Breakdowns::validate(b)), "Please select a Machine.....");
    b.machId = lathe;
    EXPECT_EQ(refusalText(Breakdowns::validate(b)), "Please Enter the Break Down Details.....");
    b.details = "Chuck jammed";
    b.to = late.addSecs(-60);
    EXPECT_FALSE(refusalText(Breakdowns::validate(b)).isEmpty());
    b.to = late.addSecs(175 * 60);  // 01:10 the next day
    b.amount = Money::parse("350.05");
    Sql::transaction(*db, [&] { b.id = Breakdowns::save(*db, b, true); });
    EXPECT_EQ(Breakdowns::timeSpent(b.from, b.to), "2 Hrs. 55 Mins");
    EXPECT_EQ(count(*db, "select Amt from BrkDown"), 35005);
    Breakdown c{0, QDate(2026, 6, 12), mill, late, late.addSecs(30 * 60), "Belt", "", {}};
    Sql::transaction(*db, [&] { c.id = Breakdowns::save(*db, c, true); });
    EXPECT_EQ(c.id, b.id + 1);

    EXPECT_EQ(Breakdowns::history(*db, QDate(2026, 6, 1), QDate(2026, 6, 30), 0).size(), 2);
    const auto one = Breakdowns::history(*db, QDate(2026, 6, 1), QDate(2026, 6, 30), mill);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0].machName, "MILL 2");
    const auto back = Breakdowns::history(*db, QDate(2026, 6, 9), QDate(2026, 6, 9), 0);
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back[0].b.to, b.to);
    EXPECT_EQ(back[0].b.amount.paise(), 35005);
    EXPECT_EQ(Breakdowns::printTitle(QDate(2026, 6, 1), QDate(2026, 6, 30)),
              "Breakdown History/Details Between the Period  01/06/2026 and 30/06/2026");
}

KAVRA_ON_EVERY_ENGINE(MaintenanceTest);

}  // namespace
