#pragma once
// The value of a vendor's bill, computed the way the bills already booked were computed:
// each line in single precision (goods less discount, its excise duty and the two cesses on
// it, then its tax) rounded to the paisa with a half going to the even digit; the bill in
// double precision with packing, insurance, other charges and the final discount, rounded
// to whole rupees (halves up) where the company rounds purchase bills. The screen, the
// stored TotVal and the print take their figures from here.
#include <QVector>

#include "core/Money.h"

namespace kavra::purchase::BillValue {

struct Line {
    double altQty = 0;                                 // the stock quantity the rate is for
    double rate = 0;                                   // rupees per stock unit
    double discount = 0;                               // per cent
    double excise = 0;                                 // rupees for the line
    double cessOnED = 0, highCessOnED = 0, taxes = 0;  // per cent
};

struct Input {
    QVector<Line> lines;
    double packForwd = 0;  // rupees, or per cent of the lines' total when packPerc
    bool packPerc = false;
    double insurance = 0, otherCharges = 0;  // rupees
    double finalDisc = 0;                    // rupees, or per cent of the value before it when finalDiscPerc
    bool finalDiscPerc = false;
    bool roundRupees = false;
};

struct Result {
    QVector<Money> amounts;  // each line as shown
    Money lineTotal;
    double packing = 0, beforeFinalDiscount = 0, finalDiscount = 0, beforeRounding = 0;
    Money total;
    // What PackForwd and FinalDisc keep: always an amount, a percentage's to the paisa.
    double storedPackForwd = 0, storedFinalDisc = 0;
};

Money lineAmount(const Line& l);
Result compute(const Input& in);

}  // namespace kavra::purchase::BillValue
