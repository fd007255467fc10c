#include "purchase/BillValue.h"

#include <cmath>

namespace kavra::purchase::BillValue {

Money lineAmount(const Line& l) {
    // Every step is held in a single-precision variable, as the bills booked so far were.
    const float q = float(l.altQty), r = float(l.rate), d = float(l.discount);
    float a = q * r - r * q * d / 100.0f;
    const float e = float(l.excise);
    const float c1 = float(l.cessOnED) / 100.0f * e;
    const float c2 = float(l.highCessOnED) / 100.0f * e;
    a = a + e + c1 + c2;
    const float amount = a * float(l.taxes) / 100.0f + a;
    // A float times 100 is exact in a double, so a half is seen as a half and goes to the even paisa.
    return Money::fromPaise(static_cast<std::int64_t>(std::nearbyint(double(amount) * 100.0)));
}

Result compute(const Input& in) {
    Result r;
    for (const Line& l : in.lines) {
        const Money a = lineAmount(l);
        r.amounts << a;
        r.lineTotal += a;
    }
    const double sum = r.lineTotal.rupees();
    double s = sum;
    r.packing = in.packPerc ? in.packForwd * s / 100 : in.packForwd;
    s += r.packing;
    s += in.insurance + in.otherCharges;
    r.beforeFinalDiscount = s;
    r.finalDiscount = in.finalDiscPerc ? money::shown(in.finalDisc / 100 * s) : in.finalDisc;
    s -= r.finalDiscount;
    r.beforeRounding = s;
    if (in.roundRupees) s = money::roundRupee(s);
    r.total = Money::fromRupees(s);
    r.storedPackForwd =
        in.packPerc ? money::shown(money::single(money::shown(in.packForwd / 100 * sum))) : in.packForwd;
    r.storedFinalDisc = in.finalDiscPerc ? money::shown(money::single(r.finalDiscount)) : in.finalDisc;
    return r;
}

}  // namespace kavra::purchase::BillValue
