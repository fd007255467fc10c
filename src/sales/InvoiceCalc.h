#pragma once
// The value of a sales invoice, computed the way the invoices already issued were computed:
// in double precision, with the excise duty and each sales-tax amount held in single precision
// before they are rounded to whole rupees, halves going up. The figures on the screen, the
// stored TotVal and the print-out all come from here, so they always agree.
#include <QVector>

#include "core/Money.h"

namespace kavra::sales::InvoiceCalc {

struct Line {
    double qty = 0;
    double rate = 0;      // rupees per unit
    double discount = 0;  // per cent
};

struct Input {
    QVector<Line> lines;
    double packForwd = 0;  // rupees, or per cent of the lines' total when packPerc
    bool packPerc = false;
    double excise = 0, cessOnED = 0, highCessOnED = 0;  // per cent
    double cst = 0, kst = 0, cessOnKST = 0, vat = 0;    // per cent
    double surcharge = 0, otherCharges = 0;             // rupees
    double finalDisc = 0;                               // rupees, or per cent of the value before it when finalDiscPerc
    bool finalDiscPerc = false;
    bool roffSales = false;  // the company rounds sales invoices to whole rupees
};

struct Result {
    QVector<Money> amounts;  // each line as shown ("0.00")
    Money lineTotal;         // their sum
    // The parts, in the order they are added (unrounded when the excise is 0).
    double packing = 0;
    double exciseDuty = 0, eduCess = 0, heCess = 0;
    double cstAmt = 0, kstAmt = 0, kstCess = 0, vatAmt = 0;
    double surcharge = 0, otherCharges = 0;
    double beforeFinalDiscount = 0;
    double finalDiscount = 0;
    double beforeRounding = 0;
    Money total;  // the invoice value
    // What the PackForwd and FinalDisc columns keep: always an amount.
    Money storedPackForwd, storedFinalDisc;
};

Result compute(const Input& in);

// Whole rupees, halves going up (also for negative values): Int(x + (x - Int(x))).
double roundRupee(double x);
// A value as a "0.00" text shows it: read to 15 significant digits, halves away from zero.
Money shown(double x);
// A value passed through a single-precision variable.
inline double single(double x) {
    return static_cast<double>(static_cast<float>(x));
}
// A percentage kept as an amount, turned back into the percentage of its base.
double percentOf(Money stored, double base);

}  // namespace kavra::sales::InvoiceCalc
