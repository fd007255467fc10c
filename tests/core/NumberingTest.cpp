// DC and invoice numbering within the financial year, on each engine.
#include "core/ClsProd.h"
#include "core/Session.h"
#include "support/TestEnv.h"

namespace kavra::test {
namespace {

class Numbering : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 9, 1), QTime(11, 0)))) return;
        db = &company();
        ASSERT_EQ(prod.OpenCompanyDatabase(), QString());
    }
    void TearDown() override {
        prod.CloseCompanyDatabase();
        EngineTest::TearDown();
    }
    void insert(const QString& table, qint64 id, const QString& noCol, const QVariant& no, const QVariant& when) {
        const QString idCol = table == "DcInv" ? "DcInvId" : "DcId";
        const QString dateCol = noCol == "DcNo" ? "DcDateT" : "InvDateT";
        exec(*db, QString("insert into %1 (%2, %3, %4) values (?,?,?)").arg(table, idCol, noCol, dateCol),
             {id, no, when});
    }
    void dc(const QString& t, qint64 id, const QString& no, const QVariant& when) { insert(t, id, "DcNo", no, when); }
    void inv(const QString& t, qint64 id, const QVariant& no, const QVariant& when) {
        insert(t, id, "InvNo", no, when);
    }
    qint64 nextDc(const QString& table, int mode) {
        Session::current().dcMode = mode;
        return prod.NextDcNumber(table, dialogs);
    }
    qint64 nextInv(const QString& table, int mode) {
        Session::current().invMode = mode;
        return prod.NextInvoiceNumber(table, dialogs);
    }
    QSqlDatabase* db = nullptr;
    clsProd prod;
};

TEST_P(Numbering, DcDatedLastMinuteOfMarchBelongsToTheOldYear) {
    dc("DcInv", 1, "7", at(2027, 3, 31, 23, 58));
    Clock::pin(QDateTime(QDate(2027, 3, 31), QTime(23, 59)));
    EXPECT_EQ(nextDc("DcInv", 1), 8);
    Clock::pin(QDateTime(QDate(2027, 4, 1), QTime(9, 0)));
    EXPECT_EQ(nextDc("DcInv", 1), 1);
    dc("DcInv", 2, "1", at(2027, 4, 1));
    EXPECT_EQ(nextDc("DcInv", 1), 2);
    // Back in the old year, a newer DC of the next year must not be its last.
    Clock::pin(QDateTime(QDate(2027, 3, 31), QTime(23, 59)));
    EXPECT_EQ(nextDc("DcInv", 1), 8);
}

TEST_P(Numbering, EachModeReadsItsTables) {
    dc("DcInv", 1, "3", at(2026, 5, 1));
    dc("DcOutgoingInv", 1, "10", at(2026, 5, 2));
    dc("DcSubConOutgoing", 1, "20", at(2026, 5, 3));
    // 1: every table its own series.
    EXPECT_EQ(nextDc("DcInv", 1), 4);
    EXPECT_EQ(nextDc("DcOutgoingInv", 1), 11);
    EXPECT_EQ(nextDc("DcSubConOutgoing", 1), 21);
    // 2: manufacturing and labour share one series (a manufacturing DC continues the labour
    // number), subcontract keeps its own.
    EXPECT_EQ(nextDc("DcInv", 2), 11);
    EXPECT_EQ(nextDc("DcOutgoingInv", 2), 11);
    EXPECT_EQ(nextDc("DcSubConOutgoing", 2), 21);
    // 3: one series across all three.
    EXPECT_EQ(nextDc("DcInv", 3), 21);
    EXPECT_EQ(nextDc("DcOutgoingInv", 3), 21);
    EXPECT_EQ(nextDc("DcSubConOutgoing", 3), 21);
    EXPECT_EQ(nextDc("DcInv", 7), 1);
}

TEST_P(Numbering, LastNumberIsTheNewestDcNotTheLargest) {
    dc("DcInv", 1, "50", at(2026, 5, 1));
    dc("DcInv", 2, "10", at(2026, 4, 20));  // created later, dated earlier
    EXPECT_EQ(nextDc("DcInv", 1), 11);
    dc("DcInv", 3, "A12", at(2026, 5, 5));
    EXPECT_EQ(nextDc("DcInv", 1), 1);
    dc("DcInv", 4, " 12 ", at(2026, 5, 6));
    EXPECT_EQ(nextDc("DcInv", 1), 13);
}

TEST_P(Numbering, InvoiceModesIgnoreNilAndEmptyNumbers) {
    inv("DcInv", 1, "8", at(2026, 5, 1));
    inv("DcInv", 2, "Nil", at(2026, 5, 9));
    inv("DcInv", 3, QVariant(QMetaType::fromType<QString>()), at(2026, 5, 10));
    inv("DcOutgoingInv", 1, "5", at(2026, 5, 2));
    EXPECT_EQ(nextInv("DcInv", 1), 9);
    EXPECT_EQ(nextInv("DcOutgoingInv", 1), 9);
    EXPECT_EQ(nextInv("DcInv", 2), 9);
    EXPECT_EQ(nextInv("DcOutgoingInv", 2), 6);
    EXPECT_EQ(nextInv("DcInv", 5), 1);
    // Last year's invoices do not count.
    Clock::pin(QDateTime(QDate(2027, 4, 1), QTime(0, 5)));
    EXPECT_EQ(nextInv("DcInv", 1), 1);
}

TEST_P(Numbering, NewYearAlertOnlyWhenNumberingRestarts) {
    dc("DcInv", 1, "1", at(2026, 5, 1));
    nextDc("DcInv", 1);
    EXPECT_EQ(dialogs.count(), 0);

    nextDc("DcOutgoingInv", 1);
    ASSERT_EQ(dialogs.count(), 1);
    EXPECT_EQ(dialogs.last().title, "'Kavra' SOFTWARE - ALERT");
    EXPECT_TRUE(dialogs.last().text.contains("FINANCIAL YEAR 2026-2027"));
    EXPECT_FALSE(dialogs.last().text.contains("STOP PROCEEDING"));

    // A new financial year with last year's database still open.
    Clock::pin(QDateTime(QDate(2027, 4, 2), QTime(10, 0)));
    dialogs.clear();
    nextInv("DcInv", 1);
    ASSERT_EQ(dialogs.count(), 1);
    EXPECT_EQ(dialogs.last().title, "'Kavra' SOFTWARE - ALERT");
    EXPECT_TRUE(dialogs.last().text.contains("FINANCIAL YEAR 2027-2028"));
    EXPECT_TRUE(dialogs.last().text.contains("STOP PROCEEDING"));
}

KAVRA_ON_EVERY_ENGINE(Numbering);

}  // namespace
}  // namespace kavra::test
