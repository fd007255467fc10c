#pragma once
// The value of a bill for work done (job work, services, a subcontractor's work): the
// lines to the paisa, then packing, VAT, service tax on the total with the VAT, the cess on
// that service tax, other charges and the final discount, in double precision, rounded to
// whole rupees (halves up) where the company rounds such bills. The screen, the stored
// TotVal and the print all take their figures from here.
#include <QVector>

#include "core/Money.h"

namespace kavra::chain::WorkValue {

struct Line {
    double qty = 0;       // the billing quantity
    double rate = 0;      // rupees per unit
    double discount = 0;  // per cent
};

struct Input {
    QVector<Line> lines;
    double packForwd = 0;  // rupees, or per cent of the lines' total when packPerc
    bool packPerc = false;
    double vat = 0, servTax = 0, cessOnServTax = 0;  // per cent
    double otherCharges = 0;                         // rupees
    double finalDisc = 0;                            // rupees, or per cent of the value before it when finalDiscPerc
    bool finalDiscPerc = false;
    bool roundRupees = false;
};

struct Result {
    QVector<Money> amounts;  // each line as shown ("0.00")
    Money lineTotal;
    double packing = 0, vatAmt = 0, servTaxAmt = 0, cessAmt = 0, otherCharges = 0;
    double beforeFinalDiscount = 0, finalDiscount = 0, beforeRounding = 0;
    Money total;
};

Result compute(const Input& in);

}  // namespace kavra::chain::WorkValue
