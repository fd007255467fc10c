#pragma once
// frmDCSubConOut: our DC sending material to a subcontract supplier; frmDCSubConIn: the
// supplier's DC bringing it back worked. Both are the one DC screen set by the subcontract
// DC kinds.
#include "ui/DcScreen.h"

namespace kavra {

class FrmDCSubConOut : public DcScreen {
    Q_OBJECT
  public:
    FrmDCSubConOut();
};

class FrmDCSubConIn : public DcScreen {
    Q_OBJECT
  public:
    FrmDCSubConIn();
};

}  // namespace kavra
