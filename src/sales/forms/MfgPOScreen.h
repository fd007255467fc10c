#pragma once
// frmMfgPO: customers' purchase orders for manufactured goods.
#include "sales/Orders.h"
#include "ui/OrderScreen.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace kavra {

class FrmMfgPO : public OrderScreen {
    Q_OBJECT
  public:
    FrmMfgPO();

    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;

  protected:
    void print() override;
    void customerChosen() override;
    void computeValue() override;
    bool reTrackByDefault() override;

  private:
    sales::Orders::Order read() const;
    void showCustomerNumbers(qint64 custId);

    QLineEdit *txtTINperc_, *txtCSTperc_, *txtPackForwd_, *txtOtherChrg_, *txtProfInvno_;
    QDateEdit* dtpProfInvDate_ = nullptr;
    QComboBox* cmbPackForwdType_ = nullptr;
    QPushButton* cmdProfInvGenerate_ = nullptr;
};

}  // namespace kavra
