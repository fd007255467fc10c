// The checks and words every document print shares, and the salary print headings.
#include "core/Sql.h"
#include "printing/PrintRules.h"
#include "printing/SalaryHeads.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

TEST(PrintWords, PaiseOnlyWhenThereArePaise) {
    EXPECT_EQ(Print::amountInWords(Money::parse("1050.00")), "RUPEES .ONE THOUSAND, FIFTY  ONLY");
    EXPECT_EQ(Print::amountInWords(Money::parse("123456.75")),
              "RUPEES .ONE LAKH, TWENTY THREE THOUSAND, FOUR  HUNDRED, FIFTY SIX AND PAISE SEVENTY FIVE "
              "ONLY");
    EXPECT_EQ(Print::proformaAmountInWords(Money::parse("20.05")), "RUPEES TWENTY  AND FIVEPAISE ONLY");
    EXPECT_EQ(Print::numberInWords(1000000000), "one  HUNDRED CRORE");
    EXPECT_EQ(Print::numberInWords(1234567890),
              "one  HUNDRED, twenty three CRORE, fourty five LAKH, sixty seven THOUSAND, eight  HUNDRED, "
              "ninety ");
}

TEST(PrintPages, ExactlyAPageFullIsOnePage) {
    EXPECT_EQ(Print::pagesFor(12, 12), 1);
    EXPECT_EQ(Print::pagesFor(13, 12), 2);
    EXPECT_EQ(Print::pagesFor(0, 12), 1);
    EXPECT_EQ(Print::pageText(2, 3), "Page 2 of 3");
    EXPECT_EQ(*Print::documentProblem(true, 3), "You must save the record first in order to take a print!!!");
    EXPECT_EQ(*Print::documentProblem(false, 0), "No data to Print...");
    EXPECT_FALSE(Print::documentProblem(false, 1));
}

class PrintDb : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
    }
};

TEST_P(PrintDb, CompanyDetailsAndRowsPerPageComeFromTheDatabase) {
    QSqlDatabase& db = company();
    EXPECT_FALSE(Print::companyDetailsProblem(db));
    EXPECT_EQ(Print::rowsPerPage(db, "mfginv"), 12);  // topics match without regard to case
    exec(db, "delete from Misc");
    EXPECT_TRUE(Print::companyDetailsProblem(db)->startsWith("You have to enter your Company Details"));
}

TEST_P(PrintDb, TickedHeadsNeedANameAndGetPlacesInOrder) {
    QSqlDatabase& db = company();
    QVector<SalaryHeads::Head> earn = SalaryHeads::load(db, 2);
    ASSERT_GE(earn.size(), 3);
    earn[1].print = false;
    earn[2].printName = "  ";
    EXPECT_EQ(*SalaryHeads::problem(earn),
              "Please enter the Print name for '" + earn[2].screenName + "' in Earning Heads");
    earn[2].printName = "H.R.A.";
    SalaryHeads::store(db, earn);
    EXPECT_EQ(Sql::scalar(db, "select StrCol from SalaryPrint where Id=?", {earn[0].id}).toInt(), 1);
    EXPECT_TRUE(Sql::scalar(db, "select StrCol from SalaryPrint where Id=?", {earn[1].id}).isNull());
    EXPECT_EQ(Sql::scalar(db, "select StrCol from SalaryPrint where Id=?", {earn[2].id}).toInt(), 2);
    EXPECT_EQ(SalaryHeads::load(db, 2)[2].printName, "H.R.A.");
}

KAVRA_ON_EVERY_ENGINE(PrintDb);

}  // namespace
