#pragma once
// frmMfgPO: customers' purchase orders for manufactured goods.
#include "sales/Orders.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace kavra {

class LineGrid;

class FrmMfgPO : public Screen, public RecordHost {
    Q_OBJECT
  public:
    FrmMfgPO();
    bool load() override;

    KAVRA_RECORD_HOST_OVERRIDES
    void setFieldsEnabled(bool on) override;
    bool isCancelled() const override { return cancelled_; }
    std::optional<qint64> find(const QString& text, QString* message) override;
    qint64 writtenId(qint64 id) override { return written_ ? written_ : id; }
    void functionKey(int key) override;

    RecordController* controller() const { return ctl_; }
    LineGrid* grid() const { return grid_; }

  private:
    sales::Orders::Order read() const;
    void customerChosen();
    void showCustomerNumbers(qint64 custId);
    void computeValue();
    void cancelOrRevert();
    void changeNumber();
    void print();
    bool refreshPartly();

    RecordController* ctl_ = nullptr;
    LineGrid* grid_ = nullptr;
    QWidget* header_ = nullptr;
    QComboBox* cmbCust_ = nullptr;
    QTextEdit* rtbAddr_ = nullptr;
    QLineEdit *txtCST_, *txtTinNo_, *txtPOno_, *txtPayTerm_, *txtTINperc_, *txtCSTperc_, *txtPackForwd_, *txtOtherChrg_,
        *txtVal_, *txtRem_, *txtProfInvno_, *txtId_;
    QDateEdit *dtpPoDate_, *dtpValidFrom_, *dtpValidTo_, *dtpProfInvDate_;
    QComboBox* cmbPackForwdType_ = nullptr;
    QPushButton* cmdProfInvGenerate_ = nullptr;
    QCheckBox* chkReTrkRej_ = nullptr;
    QLabel* imgCancel_ = nullptr;
    bool partly_ = false;
    bool cancelled_ = false;
    qint64 written_ = 0;
};

}  // namespace kavra
