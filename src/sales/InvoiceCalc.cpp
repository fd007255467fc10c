#include "sales/InvoiceCalc.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace kavra::sales::InvoiceCalc {

using money::roundRupee;
using money::single;

namespace {
Money shown(double x) {
    return Money::fromRupees(x);
}
}  // namespace

Result compute(const Input& in) {
    Result r;
    r.amounts.reserve(in.lines.size());
    for (const Line& l : in.lines) {
        const Money a = shown(l.qty * l.rate - l.qty * l.rate * l.discount / 100);
        r.amounts << a;
        r.lineTotal += a;
    }
    const double linesSum = r.lineTotal.rupees();
    double s = linesSum;
    if (in.excise == 0) {
        r.packing = in.packPerc ? in.packForwd * s / 100 : in.packForwd;
        s = s + r.packing;
        if (in.cst != 0) {
            r.cstAmt = in.cst * s / 100;
            s = s + r.cstAmt;
        } else if (in.kst != 0) {
            r.kstAmt = in.kst * s / 100;
            s = s + r.kstAmt;
            r.kstCess = in.cessOnKST * r.kstAmt / 100;
            s = s + r.kstCess;
        } else if (in.vat != 0) {
            r.vatAmt = in.vat * s / 100;
            s = s + r.vatAmt;
        }
    } else {
        // Every part is in whole rupees here, as the excise invoice states them.
        r.packing = roundRupee(in.packPerc ? in.packForwd * s / 100 : in.packForwd);
        s = s + r.packing;
        r.exciseDuty = roundRupee(single(in.excise * s / 100));
        r.eduCess = roundRupee(r.exciseDuty * in.cessOnED / 100);
        // The higher education cess is levied on the duty before it is rounded.
        r.heCess = roundRupee(in.excise * s / 100 * in.highCessOnED / 100);
        s = s + r.exciseDuty + r.eduCess + r.heCess;
        if (in.cst != 0) {
            r.cstAmt = roundRupee(single(in.cst * s / 100));
            s = s + r.cstAmt;
        } else if (in.kst != 0) {
            r.kstAmt = roundRupee(single(in.kst * s / 100));
            s = s + r.kstAmt;
            r.kstCess = roundRupee(single(in.cessOnKST * r.kstAmt / 100));
            s = s + r.kstCess;
        } else if (in.vat != 0) {
            r.vatAmt = roundRupee(single(in.vat * s / 100));
            s = s + r.vatAmt;
        }
    }
    r.surcharge = in.surcharge;
    r.otherCharges = in.otherCharges;
    s = s + in.surcharge;
    s = s + in.otherCharges;
    r.beforeFinalDiscount = s;
    r.finalDiscount = in.finalDiscPerc ? shown(in.finalDisc / 100 * s).rupees() : in.finalDisc;
    s = s - r.finalDiscount;
    r.beforeRounding = s;
    if (in.roffSales) s = roundRupee(s);
    r.total = shown(s);

    // The two charges are kept as amounts; a percentage is worked out on its base and kept
    // as the single-precision amount the earlier invoices kept.
    r.storedPackForwd =
        in.packPerc ? shown(single(shown(in.packForwd / 100 * linesSum).rupees())).rupees() : in.packForwd;
    r.storedFinalDisc = in.finalDiscPerc
                            ? shown(single(shown(in.finalDisc / 100 * r.beforeFinalDiscount).rupees())).rupees()
                            : in.finalDisc;
    return r;
}

}  // namespace kavra::sales::InvoiceCalc
