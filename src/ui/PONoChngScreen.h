#pragma once
// frmPONoChng: gives an order another number and date; the documents that quote the old
// number follow. Opened from an order screen (F11) with that order and its kind, or on
// its own, where the order is chosen by party and number.
#include "core/chain/Kinds.h"
#include "ui/Screen.h"

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace kavra {

class FrmPONoChng : public Screen {
    Q_OBJECT
  public:
    // orderId 0: the user picks the order.
    FrmPONoChng(const chain::OrderKind& kind, qint64 orderId);
    bool load() override;
    qint64 orderId() const { return orderId_; }

  private:
    void partyChosen();
    void showOrder(qint64 id);
    void modify();

    const chain::OrderKind& kind_;
    qint64 orderId_;
    QComboBox *cmbCust_, *cmbPONo_;
    QLineEdit *txtOldPONo_, *txtNewPONo_;
    QDateEdit *dtpOldPODate_, *dtpNewPODate_;
};

}  // namespace kavra
