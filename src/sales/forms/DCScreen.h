#pragma once
// frmDC: delivery challans for manufactured goods, drawn on the customer's open orders.
#include "ui/DcScreen.h"

namespace kavra {

class FrmDC : public DcScreen {
    Q_OBJECT
  public:
    FrmDC();
};

}  // namespace kavra
