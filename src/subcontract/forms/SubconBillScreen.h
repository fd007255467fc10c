#pragma once
// frmInvoiceSC: the supplier's bill for work returned on the supplier's DCs; the bill
// screen for work set by the subcontract bill kind, with the supplier's own number and no print.
#include "ui/WorkBillScreen.h"

namespace kavra {

class FrmInvoiceSC : public WorkBillScreen {
  public:
    FrmInvoiceSC();
};

}  // namespace kavra
