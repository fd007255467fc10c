#include "core/chain/WorkValue.h"

namespace kavra::chain::WorkValue {

Result compute(const Input& in) {
    Result r;
    for (const Line& l : in.lines) {
        const Money a = Money::fromRupees(l.qty * l.rate - l.qty * l.rate * l.discount / 100);
        r.amounts << a;
        r.lineTotal += a;
    }
    double t = r.lineTotal.rupees();
    r.packing = in.packPerc ? t * in.packForwd / 100 : in.packForwd;
    t += r.packing;
    r.vatAmt = t * in.vat / 100;
    r.servTaxAmt = (t + r.vatAmt) * in.servTax / 100;
    r.cessAmt = r.servTaxAmt * in.cessOnServTax / 100;
    r.otherCharges = in.otherCharges;
    t = t + r.vatAmt + r.servTaxAmt + r.cessAmt + in.otherCharges;
    r.beforeFinalDiscount = t;
    r.finalDiscount = in.finalDiscPerc ? money::shown(in.finalDisc / 100 * t) : in.finalDisc;
    t -= r.finalDiscount;
    r.beforeRounding = t;
    if (in.roundRupees) t = money::roundRupee(t);
    r.total = Money::fromRupees(t);
    return r;
}

}  // namespace kavra::chain::WorkValue
