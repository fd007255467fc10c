#pragma once
// frmPONoChng: gives an order another number and date; the DCs that quote the old number
// follow. Opened from an order screen (F11) with that order, or on its own, where the
// order is chosen by customer and number.
#include "ui/Screen.h"

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace kavra {

class FrmPONoChng : public Screen {
    Q_OBJECT
  public:
    // kind "MFG": customer orders. orderId 0: the user picks the order.
    FrmPONoChng(const QString& kind, qint64 orderId);
    bool load() override;
    qint64 orderId() const { return orderId_; }

  private:
    void customerChosen();
    void showOrder(qint64 id);
    void modify();

    QString kind_;
    qint64 orderId_;
    QComboBox *cmbCust_, *cmbPONo_;
    QLineEdit *txtOldPONo_, *txtNewPONo_;
    QDateEdit *dtpOldPODate_, *dtpNewPODate_;
};

}  // namespace kavra
