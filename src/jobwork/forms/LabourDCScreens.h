#pragma once
// frmDCIncoming: the customer's DC bringing material in for job work; frmDCOutgoing: our
// DC sending it back worked. Both are the one DC screen set by the labour DC kinds.
#include "ui/DcScreen.h"

namespace kavra {

class FrmDCIncoming : public DcScreen {
    Q_OBJECT
  public:
    FrmDCIncoming();
};

class FrmDCOutgoing : public DcScreen {
    Q_OBJECT
  public:
    FrmDCOutgoing();
};

}  // namespace kavra
