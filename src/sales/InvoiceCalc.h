#pragma once
// The value of a sales invoice, computed the way the invoices already issued were computed:
// in double precision, with the excise duty and each sales-tax amount held in single precision
// before they are rounded to whole rupees, halves going up. The figures on the screen, the
// stored TotVal and the print-out all come from here, so they always agree.
#include <QVector>

#include "core/Money.h"
#include "core/chain/WorkValue.h"

namespace kavra::sales::InvoiceCalc {

using Line = chain::WorkValue::Line;

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
    // What the PackForwd and FinalDisc columns keep: always an amount; a percentage's amount
    // as a single-precision variable held it, to the paisa; an amount as typed.
    double storedPackForwd = 0, storedFinalDisc = 0;
};

Result compute(const Input& in);

}  // namespace kavra::sales::InvoiceCalc
