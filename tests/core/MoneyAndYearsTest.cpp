// The one rounding rule every amount goes through, the financial year's bounds and the
// number series shared under each numbering mode.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Books.h"
#include "core/FinancialYear.h"
#include "core/Money.h"

using namespace kavra;

namespace {

TEST(Money, EveryComputedValueRoundsTheWayItsTextShows) {
    // Values whose binary form lies just below the half still round up, as their text does.
    const std::pair<double, qint64> computed[] = {{1.005, 101},
                                                  {-1.005, -101},
                                                  {2.675, 268},
                                                  {0.5 * 2.01, 101},
                                                  {1.0049, 100},
                                                  {1234567.894999, 123456789},
                                                  {0.125 * 10000, 125000},
                                                  {12.345 * 3, 3704},
                                                  {99999999999.995, 9999999999999 + 1},
                                                  {0, 0},
                                                  {-0.004, 0},
                                                  {-0.005, -1},
                                                  {0.1 + 0.2, 30}};
    for (const auto& [value, paise] : computed) EXPECT_EQ(Money::fromRupees(value).paise(), paise) << value;
    EXPECT_EQ(Money::fromRupees(std::nan("")).paise(), 0);
    EXPECT_EQ(Money::fromRupees(std::numeric_limits<double>::infinity()).paise(), 0);
    // Typed text goes through the same rule: beyond the paisa, halves away from zero.
    const std::pair<const char*, qint64> typed[] = {
        {"1.005", 101}, {"-12.345", -1235},        {"12.344", 1234},   {"9.995", 1000},
        {" 7 ", 700},   {"1234.5", 123450},        {"-0.05", -5},      {"abc", 0},
        {"", 0},        {"1,00,000.50", 10000050}, {"-2,500", -250000}};
    for (const auto& [text, paise] : typed) EXPECT_EQ(Money::parse(text).paise(), paise) << text;
    EXPECT_EQ(Money::fromPaise(-5).toString(), "-0.05");
    EXPECT_EQ(Money::fromPaise(123450).toString(), "1234.50");
    EXPECT_EQ(Money::fromPaise(0).toString(), "0.00");
}

TEST(Money, TheBillComputationsShareOneDefinition) {
    // A half rupee goes up, never to the even neighbour.
    const std::pair<double, qint64> rupees[] = {{2.5, 3}, {3.5, 4}, {2.4999, 2}, {-2.5, -2}, {-2.6, -3}};
    for (const auto& [value, rounded] : rupees) EXPECT_EQ(money::roundRupee(value), rounded) << value;
    EXPECT_DOUBLE_EQ(money::shown(1.005), 1.01);
    EXPECT_NE(money::single(0.1), 0.1);
    EXPECT_DOUBLE_EQ(money::percentOf(25, 1000), 2.5);
    EXPECT_EQ(money::percentOf(25, 0), 0);
}

TEST(FinancialYear, EveryInstantBelongsToExactlyOneYear) {
    const FinancialYear::Bounds y = FinancialYear::bounds(2026);
    EXPECT_TRUE(y.contains(QDateTime(QDate(2026, 4, 1), QTime(0, 0))));
    EXPECT_TRUE(y.contains(QDateTime(QDate(2027, 3, 31), QTime(23, 59, 59, 999))));
    EXPECT_FALSE(y.contains(QDateTime(QDate(2027, 4, 1), QTime(0, 0))));
    EXPECT_FALSE(y.contains(QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59))));
    EXPECT_EQ(FinancialYear::bounds(2027).from, y.to);  // no gap between years
    EXPECT_EQ(FinancialYear::of(QDate(2027, 3, 31)), 2026);
    EXPECT_EQ(FinancialYear::of(QDate(2027, 4, 1)), 2027);
}

QStringList keys(const QList<const Books::Book*>& books) {
    QStringList out;
    for (const Books::Book* b : books) out << b->key;
    return out;
}

TEST(Books, TheNumberingModeDecidesWhichDocumentsShareASeries) {
    using Books::Series;
    EXPECT_EQ(keys(Books::sharing(Series::Dc, "dcinv", 1)), QStringList({"DCINV"}));
    EXPECT_EQ(keys(Books::sharing(Series::Dc, "DCINV", 2)), QStringList({"DCINV", "DCOUTGOINGINV"}));
    EXPECT_EQ(keys(Books::sharing(Series::Dc, "DCSUBCONOUTGOING", 2)), QStringList({"DCSUBCONOUTGOING"}));
    EXPECT_EQ(keys(Books::sharing(Series::Dc, "DCOUTGOINGINV", 3)),
              QStringList({"DCOUTGOINGINV", "DCINV", "DCSUBCONOUTGOING"}));
    EXPECT_TRUE(Books::sharing(Series::Dc, "DCINV", 7).isEmpty());
    EXPECT_EQ(keys(Books::sharing(Series::Invoice, "DCOUTGOINGINV", 1)), QStringList({"DCOUTGOINGINV", "DCINV"}));
    EXPECT_EQ(keys(Books::sharing(Series::Invoice, "DCINV", 2)), QStringList({"DCINV"}));
}

}  // namespace
