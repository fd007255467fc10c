// The value of a bill for work, table-driven: every step in its order, the charges as
// amounts and as percentages, the rounding to whole rupees.
#include <gtest/gtest.h>

#include "core/chain/WorkValue.h"

using namespace kavra;
namespace WV = kavra::chain::WorkValue;

namespace {

struct Case {
    const char* what;
    WV::Input in;
    qint64 paise;
};

WV::Input thousand() {
    WV::Input in;
    in.lines = {{10, 100, 0}};
    in.packForwd = 2;
    in.packPerc = true;
    in.vat = 4;
    in.servTax = 12;
    in.cessOnServTax = 2;
    return in;
}

TEST(WorkValue, StepsInTheirOrder) {
    auto with = [](auto change) {
        WV::Input in = thousand();
        change(in);
        return in;
    };
    const Case cases[] = {
        {"packing 2%, VAT 4%, service tax 12% on total and VAT, cess 2%", thousand(), 119064},
        {"rounded: halves of a rupee and more go up", with([](WV::Input& i) { i.roundRupees = true; }), 119100},
        {"packing as an amount", with([](WV::Input& i) { i.packForwd = 20, i.packPerc = false; }), 119064},
        {"final discount as an amount", with([](WV::Input& i) { i.finalDisc = 10.64; }), 118000},
        {"final discount as a percentage of the value before it, to the paisa",
         with([](WV::Input& i) { i.finalDisc = 10, i.finalDiscPerc = true; }), 107158},
        {"other charges after the taxes", with([](WV::Input& i) { i.otherCharges = 9.36; }), 120000},
        {"a half rupee rounds up", {{{1, 100.5, 0}}, 0, false, 0, 0, 0, 0, 0, false, true}, 10100},
        {"below a half rounds down", {{{1, 100.49, 0}}, 0, false, 0, 0, 0, 0, 0, false, true}, 10000},
        {"each line to the paisa before the sum", {{{1, 0.333, 0}, {1, 0.333, 0}, {1, 0.333, 0}}}, 99},
        {"line discount", {{{4, 250, 10}}}, 90000},
    };
    for (const Case& c : cases) EXPECT_EQ(WV::compute(c.in).total.paise(), c.paise) << c.what;

    const WV::Result r = WV::compute(thousand());
    EXPECT_DOUBLE_EQ(r.packing, 20);
    EXPECT_DOUBLE_EQ(r.vatAmt, 40.8);
    EXPECT_NEAR(r.servTaxAmt, 127.296, 1e-9);
    EXPECT_NEAR(r.cessAmt, 2.54592, 1e-9);
}

}  // namespace
