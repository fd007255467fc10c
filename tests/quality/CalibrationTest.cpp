// Instruments, their reports and the due list on both engines, with the clock pinned.
#include "core/Migrations.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "quality/Calibration.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
namespace Cal = kavra::Calibration;

namespace {

const QDate kToday(2026, 6, 10);

class CalibrationTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(kToday.startOfDay().addSecs(9 * 3600))) return;
        db = &company();
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "
             "(1, 'VC150', 'Vernier 150', 5, 'NOS'), (2, 'MIC25', 'Micrometer 25', 5, 'NOS'), "
             "(3, 'BOLT', 'Bolt M8', 1, 'NOS')");
    }
    qint64 add(qint64 item, const QString& no, const QDate& next) {
        Cal::Instrument in{Cal::proposedId(*db), item, no, "6 months", "0-150", "0.02", "", next};
        qint64 id = 0;
        Sql::transaction(*db, [&] { id = Cal::save(*db, in, true); });
        return id;
    }
    QStringList listed(Cal::DueWindow w = {}) {
        QStringList out;
        for (const Cal::DueRow& r : Cal::dueList(*db, kToday, w))
            out << r.uniqueNo + ":" + QString::number(r.daysLeft) + ":" + r.dueBy;
        return out;
    }
    QSqlDatabase* db = nullptr;
};

// Both ends of the window are strict; the window follows the numbers typed.
TEST_P(CalibrationTest, DueListKeepsStrictlyInsideTheWindowInDateOrder) {
    add(1, "B", kToday.addDays(30));
    add(1, "B-1", kToday.addDays(29));
    add(2, "A", kToday.addDays(-90));
    add(2, "A-1", kToday.addDays(-89));
    add(2, "NODATE", {});
    EXPECT_EQ(listed(), (QStringList{"A-1:-89:Immediate ", "B-1:29:Next Month"}));
    EXPECT_EQ(listed({31, 91}),
              (QStringList{"A:-90:Immediate ", "A-1:-89:Immediate ", "B-1:29:Next Month", "B:30:Next Month"}));
    EXPECT_EQ(listed({1, 1}), QStringList{});
    EXPECT_TRUE(Cal::anyDue(*db, kToday, {}));
    EXPECT_FALSE(Cal::anyDue(*db, kToday, {1, 1}));
    const auto rows = Cal::dueList(*db, kToday, {});
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].item, "MIC25(Micrometer 25)");
    EXPECT_EQ(rows[1].dueOn, kToday.addDays(29));
    EXPECT_EQ(Cal::dueTitle(kToday, {30, 90}),
              "List of Instruments and Gauges Due as on 10/06/2026Due before 30 days     AND     Due date Crossed "
              "upto 90 days");
}

TEST(CalibrationDueBy, FirstMatchingClass) {
    const QDate t(2026, 6, 10);
    EXPECT_EQ(Cal::dueBy(t, t.addDays(-3)), "Immediate ");
    EXPECT_EQ(Cal::dueBy(t, t), "Today");
    EXPECT_EQ(Cal::dueBy(t, t.addDays(1)), "Within a Week");
    EXPECT_EQ(Cal::dueBy(t, t.addDays(7)), "Within a Week");
    EXPECT_EQ(Cal::dueBy(t, t.addDays(10)), "With this Month");
    EXPECT_EQ(Cal::dueBy(QDate(2026, 6, 25), QDate(2026, 7, 5)), "Next Month");
    EXPECT_EQ(Cal::dueBy(t, QDate(2026, 8, 1)), "Future Months");
    EXPECT_EQ(Cal::dueBy(t, QDate(2027, 7, 1)), "Future Months");  // the same month a year on
    // Across the year's end: January is next month from December.
    const QDate dec(2026, 12, 28);
    EXPECT_EQ(Cal::dueBy(dec, QDate(2027, 1, 10)), "Next Month");
    EXPECT_EQ(Cal::dueBy(dec, QDate(2027, 2, 1)), "Future Months");
    EXPECT_EQ(Cal::dueBy(dec, QDate(2027, 1, 3)), "Within a Week");
    EXPECT_EQ(Cal::daysLeft(dec, QDate(2027, 1, 10)), 13);
}

TEST_P(CalibrationTest, InstrumentsAreCheckedAndKeptWhileTheyHaveReports) {
    Cal::Instrument in{1, 0, "", "", "", "", "", kToday};
    EXPECT_EQ(refusalText(Cal::validate(*db, in, true)), "Please select an Instrument.....");
    in.itemId = 1;
    EXPECT_EQ(refusalText(Cal::validate(*db, in, true)),
              "Please Enter the Unique Identification No. of Instrument/Gauge.....");
    const qint64 a = add(1, "VC-01", kToday.addDays(40));
    in.uniqueNo = "vc-01";
    EXPECT_EQ(refusalText(Cal::validate(*db, in, true)), "An Entry Already Exists... Try Another!");
    in.itemId = 2;  // another instrument may use the same number
    EXPECT_EQ(refusalText(Cal::validate(*db, in, true)), "");
    // Saved as itself, the number is its own.
    auto back = Cal::load(*db, a);
    ASSERT_TRUE(back);
    EXPECT_EQ(refusalText(Cal::validate(*db, *back, false)), "");
    EXPECT_EQ(back->range, "0-150");
    EXPECT_EQ(back->otherDet, "");
    const qint64 b = add(1, "VC-02", kToday.addDays(5));
    EXPECT_EQ(Cal::piecesOf(*db, 1).size(), 2);
    ASSERT_EQ(Cal::instrumentItems(*db).size(), 2);
    EXPECT_EQ(Cal::instrumentItems(*db)[0].code, "MIC25");

    // Report identifiers follow the reports, not the instruments.
    EXPECT_EQ(Cal::historyRefusal(*db, 0), "To View the Calibration Details,  select Instrument/Gauges Name First!!!");
    EXPECT_EQ(Cal::historyRefusal(*db, 1), "No History available with this instrument/gauge you selected!!!");
    EXPECT_EQ(Cal::proposedReportId(*db), 1);
    Cal::Report r{b, Cal::proposedReportId(*db), kToday.addDays(5), kToday, "", "OK", "QA", ""};
    EXPECT_EQ(refusalText(Cal::validateReport(r)), "Please Enter the Calibration Report Number.....");
    EXPECT_EQ(refusalText(Cal::validateReport({})),
              "To record the Calibration Details, Corresponding Instrument/Gauge Name and its Unique Identification "
              "No. should be selected.!!!");
    r.number = "CR/26/001";
    qint64 rep = 0;
    Sql::transaction(*db, [&] { rep = Cal::saveReport(*db, r); });
    EXPECT_EQ(rep, 1);
    EXPECT_EQ(Cal::proposedReportId(*db), 2);
    EXPECT_EQ(Cal::load(*db, b)->nextCalibrate, kToday.addDays(5));  // the report leaves the date
    const auto h = Cal::history(*db, 1);
    ASSERT_EQ(h.size(), 1);
    EXPECT_EQ(h[0].uniqueNo, "VC-02");
    EXPECT_EQ(h[0].report.done, kToday);
    EXPECT_EQ(h[0].report.number, "CR/26/001");
    EXPECT_EQ(Cal::historyRefusal(*db, 1), "");

    EXPECT_EQ(refusalText(Cal::deleteBlock(*db, b)),
              "You cannot delete this Record since it has some Calibration Reports already!!!");
    EXPECT_THROW(Sql::transaction(*db, [&] { Cal::remove(*db, b); }), Refused);
    Sql::transaction(*db, [&] { Cal::removeReport(*db, rep); });
    Sql::transaction(*db, [&] { Cal::remove(*db, b); });
    EXPECT_FALSE(Cal::load(*db, b));
}

// The supplied category 5 becomes the instruments' and its goods move to a category of their own.
TEST_P(CalibrationTest, AnOlderDatabaseGetsItsGoodsOutOfTheInstrumentsCategory) {
    const QString name = "DB2016_17";
    Db::create(name);
    {
        QSqlDatabase& old = openUnmigrated(name);
        Migrations::upgradeWith(old, data::DbKind::Company, GetParam(), 16);
        exec(old, "insert into Item (ItemId, ItemCode, CategoryCode) values (1, 'A100', 5), (2, 'R1', 1)");
        exec(old, "insert into PurchPOSub (POId, SlNo, ItemId, CategoryCode) values (1, 1, 1, 5)");
        exec(old, "insert into Calibrate (Id, InstName, NextCalibrate) values (4, 'Old gauge', ?)", {Db::day(kToday)});
        old.close();
    }
    QSqlDatabase& up = open(name);
    EXPECT_EQ(Sql::scalar(up, "select CategoryName from Category where CategoryCode=5").toString(),
              "INSTRUMENTS & GAUGES");
    const qint64 goods =
        Sql::scalar(up, "select CategoryCode from Category where CategoryName='FINISHED GOODS'").toLongLong();
    EXPECT_EQ(goods, 6);
    EXPECT_EQ(count(up, "select count(*) from Item where CategoryCode=?", {goods}), 1);
    EXPECT_EQ(count(up, "select count(*) from PurchPOSub where CategoryCode=?", {goods}), 1);
    EXPECT_EQ(Sql::scalar(up, "select InsGaugeId from Calibrate where Id=4").toString(), "Old gauge");
}

KAVRA_ON_EVERY_ENGINE(CalibrationTest);

}  // namespace
