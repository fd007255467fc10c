#pragma once
// frmDCSubConOut: our DC sending material to a subcontract supplier; the one DC screen
// set by the subcontract DC kind.
#include "ui/DcScreen.h"

namespace kavra {

class FrmDCSubConOut : public DcScreen {
    Q_OBJECT
  public:
    FrmDCSubConOut();
};

}  // namespace kavra
