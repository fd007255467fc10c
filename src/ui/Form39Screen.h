#pragma once
// The Form VAT 515 entry of the DC on display, for any DC table that carries it: opened
// from the DC screen with the DC's identifier.
#include "core/chain/Form39.h"
#include "ui/Screen.h"

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace kavra {

class Form39Screen : public Screen {
    Q_OBJECT
  public:
    Form39Screen(const chain::Form39::Kind& kind, qint64 dcId);
    bool load() override;

  private:
    chain::Form39::Entry read() const;
    void store();

    const chain::Form39::Kind& kind_;
    qint64 dcId_;
    QLineEdit *txtDCNo_, *txtCust_, *txtForm39No_, *txtGoodsQty_, *txtGoodsVal_, *txtPurpose_, *txtDocuNature_,
        *txtLRNo_;
    QDateEdit* dtpDCDate_;
    QComboBox* cmbGoodsName_;
};

}  // namespace kavra
