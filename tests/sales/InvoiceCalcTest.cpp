// The invoice value, worked by hand for each way the taxes go.
#include <gtest/gtest.h>

#include "sales/InvoiceCalc.h"

using namespace kavra;
using namespace kavra::sales;
using InvoiceCalc::Input;

namespace {

struct Case {
    const char* name;
    Input in;
    qint64 total;  // paise
    // Parts that must come out as worked (-1: not checked).
    double excise = -1, eduCess = -1, heCess = -1, salesTax = -1;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

Input lines(std::initializer_list<InvoiceCalc::Line> l) {
    Input in;
    in.lines = l;
    return in;
}

std::vector<Case> cases() {
    std::vector<Case> out;
    {
        // 10 x 12.50 = 125.00; 4 x 33.33 less 10% = 119.988, shown 119.99; S = 244.99.
        // + packing 10.00 = 254.99; CST 2% = 5.0998 -> 260.0898; + other 5 = 265.0898.
        Input in = lines({{10, 12.50, 0}, {4, 33.33, 10}});
        in.packForwd = 10;
        in.cst = 2;
        in.vat = 12.5;  // CST comes first; VAT is not added on top
        in.otherCharges = 5;
        out.push_back({"NoExciseCst", in, 26509});
        in.roffSales = true;  // 265.0898 -> 265
        out.push_back({"NoExciseCstRounded", in, 26500});
    }
    {
        // 100 x 2.50 = 250; packing 2% = 5 -> 255; LST 4% = 10.2 -> 265.2; cess 5% of 10.2 = 0.51
        // -> 265.71; surcharge 1.50 -> 267.21. Nothing is rounded before the end.
        Input in = lines({{100, 2.50, 0}});
        in.packForwd = 2;
        in.packPerc = true;
        in.kst = 4;
        in.cessOnKST = 5;
        in.surcharge = 1.5;
        out.push_back({"NoExciseKstCess", in, 26721, 0, 0, 0, 10.2});
    }
    {
        // 3 x 99.99 = 299.97; VAT 12.5% = 37.49625 -> 337.46625; final 5% = 16.8733125 shown
        // 16.87 -> 320.59625 -> 320.60.
        Input in = lines({{3, 99.99, 0}});
        in.vat = 12.5;
        in.finalDisc = 5;
        in.finalDiscPerc = true;
        out.push_back({"NoExciseVatPercentDiscount", in, 32060});
        in.roffSales = true;  // R(320.59625) = 321: the fraction .59625 goes up
        out.push_back({"NoExciseVatRounded", in, 32100});
    }
    {
        // 7 x 143 = 1001; packing 1.5% = 15.015 -> 15 -> 1016; ED 10% = 101.6 -> 102;
        // cess 2% of 102 = 2.04 -> 2; higher cess 1% of 101.6 = 1.016 -> 1 -> 1121;
        // VAT 12.5% = 140.125 -> 140 -> 1261.
        Input in = lines({{7, 143, 0}});
        in.packForwd = 1.5;
        in.packPerc = true;
        in.excise = 10;
        in.cessOnED = 2;
        in.highCessOnED = 1;
        in.vat = 12.5;
        out.push_back({"ExciseBothCessesVat", in, 126100, 102, 2, 1, 140});
    }
    {
        // 4 x 124 = 496; ED 10% = 49.6 -> 50. Cess 1% of the rounded duty: 0.5 -> 1 (a half
        // goes up); higher cess 1% of the unrounded duty: 0.496 -> 0. 496 + 50 + 1 = 547;
        // CST 2% = 10.94 -> 11 -> 558.
        Input in = lines({{4, 124, 0}});
        in.excise = 10;
        in.cessOnED = 1;
        in.highCessOnED = 1;
        in.cst = 2;
        out.push_back({"CessOnRoundedHigherCessOnUnroundedDuty", in, 55800, 50, 1, 0, 11});
    }
    {
        // 1000; ED 12% = 120; cess 2% = 2.4 -> 2; higher 1% of 120 = 1.2 -> 1 -> 1123;
        // LST 4% = 44.92 -> 45 -> 1168; cess 10% of 45 = 4.5 -> 5 -> 1173.
        Input in = lines({{1, 1000, 0}});
        in.excise = 12;
        in.cessOnED = 2;
        in.highCessOnED = 1;
        in.kst = 4;
        in.cessOnKST = 10;
        out.push_back({"ExciseKstCessHalfGoesUp", in, 117300, 120, 2, 1, 45});
    }
    {
        // Amounts: 2 x 50 = 100 + packing 12.35 = 112.35 - final 2.35 = 110.
        Input in = lines({{2, 50, 0}});
        in.packForwd = 12.35;
        in.finalDisc = 2.35;
        out.push_back({"PackingAndDiscountAsAmounts", in, 11000});
    }
    {
        // With excise the packing amount is rounded too: 12.50 -> 13; 100 + 13 = 113;
        // ED 10% = 11.3 -> 11 -> 124; + other charges 50 = 174; final 2.5% = 4.35 -> 169.65.
        Input in = lines({{2, 50, 0}});
        in.packForwd = 12.5;
        in.excise = 10;
        in.otherCharges = 50;
        in.finalDisc = 2.5;
        in.finalDiscPerc = true;
        out.push_back({"ExcisePackingAmountRoundedDiscountAfterOthers", in, 16965, 11});
        in.roffSales = true;  // only the final value: R(169.65) = 170
        out.push_back({"ExciseRoundedOnlyAtTheEnd", in, 17000, 11});
    }
    {
        // Single precision moves the rupee. 5 x 262168.99 = 1310844.95; ED 10% = 131084.495,
        // which a single holds as 131084.5 (its steps are 1/64 there) -> 131085, where the
        // double would give 131084. 1310844.95 + 131085 = 1441929.95.
        Input in = lines({{5, 262168.99, 0}});
        in.excise = 10;
        out.push_back({"SingleDutyCrossesTheHalf", in, 144192995, 131085});
        // The same in the sales tax: 2 x 410923 = 821846; ED 10% = 82184.6 -> 82185 -> 904031;
        // VAT 14.5% = 131084.495 -> 131084.5 as a single -> 131085 -> 1035116 (double: 1035115).
        Input v = lines({{2, 410923, 0}});
        v.excise = 10;
        v.vat = 14.5;
        out.push_back({"SingleVatCrossesTheHalf", v, 103511600, 82185, 0, 0, 131085});
    }
    return out;
}

class InvoiceValue : public ::testing::TestWithParam<Case> {};

TEST_P(InvoiceValue, WorksOutAsByHand) {
    const Case& c = GetParam();
    const InvoiceCalc::Result r = InvoiceCalc::compute(c.in);
    EXPECT_EQ(r.total.paise(), c.total);
    if (c.excise >= 0) EXPECT_DOUBLE_EQ(r.exciseDuty, c.excise);
    if (c.eduCess >= 0) EXPECT_DOUBLE_EQ(r.eduCess, c.eduCess);
    if (c.heCess >= 0) EXPECT_DOUBLE_EQ(r.heCess, c.heCess);
    if (c.salesTax >= 0) EXPECT_DOUBLE_EQ(r.cstAmt + r.kstAmt + r.vatAmt, c.salesTax);
}

INSTANTIATE_TEST_SUITE_P(Cases, InvoiceValue, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

TEST(InvoiceCalc, PercentagesAreKeptAsSingleAmountsAndTurnBack) {
    // Packing 1.5% of 1001 = 15.015, kept as 15.02 while the value used R(15.015) = 15.
    Input in = lines({{7, 143, 0}});
    in.packForwd = 1.5;
    in.packPerc = true;
    in.excise = 10;
    InvoiceCalc::Result r = InvoiceCalc::compute(in);
    EXPECT_EQ(Money::fromRupees(r.storedPackForwd).paise(), 1502);
    EXPECT_DOUBLE_EQ(r.packing, 15);
    EXPECT_NEAR(money::percentOf(r.storedPackForwd, 1001), 1.5005, 1e-4);

    // 10% of 2345678.70 = 234567.87; a single holds 234567.875 there, kept as 234567.88.
    in = lines({{1, 2345678.70, 0}});
    in.packForwd = 10;
    in.packPerc = true;
    r = InvoiceCalc::compute(in);
    EXPECT_EQ(Money::fromRupees(r.storedPackForwd).paise(), 23456788);

    // A final discount is a percentage of the value before it: 2.5% of 174 = 4.35.
    in = lines({{2, 50, 0}});
    in.packForwd = 12.5;
    in.excise = 10;
    in.otherCharges = 50;
    in.finalDisc = 2.5;
    in.finalDiscPerc = true;
    r = InvoiceCalc::compute(in);
    EXPECT_DOUBLE_EQ(r.beforeFinalDiscount, 174);
    EXPECT_EQ(Money::fromRupees(r.storedFinalDisc).paise(), 435);
    EXPECT_EQ(Money::fromRupees(r.storedPackForwd).paise(), 1250);  // an amount is kept as typed
    EXPECT_DOUBLE_EQ(money::percentOf(r.storedFinalDisc, r.beforeFinalDiscount), 2.5);
    EXPECT_EQ(money::percentOf(r.storedFinalDisc, 0), 0);
}

}  // namespace
