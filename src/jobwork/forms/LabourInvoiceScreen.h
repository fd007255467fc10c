#pragma once
// The labour invoice screen (frmInvoiceL): the bill screen for work billing the outgoing
// labour DCs, with its print.
#include "ui/WorkBillScreen.h"

namespace kavra {

class FrmInvoiceL : public WorkBillScreen {
  public:
    FrmInvoiceL();

  protected:
    void print() override;
};

}  // namespace kavra
