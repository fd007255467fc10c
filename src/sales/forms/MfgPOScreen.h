#pragma once
// frmMfgPO: customers' purchase orders for manufactured goods.
#include "sales/Orders.h"
#include "ui/DocumentScreen.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace kavra {

class FrmMfgPO : public DocumentScreen {
    Q_OBJECT
  public:
    FrmMfgPO();
    bool load() override;

    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    bool isCancelled() const override { return cancelled_; }
    Found find(const QString& text) override;

  protected:
    bool partlyProcessed() override;
    QList<QWidget*> frozenWhenPartly() override;
    QWidget* beforeGrid() override;
    void print() override;
    void otherKey(int key) override;

  private:
    sales::Orders::Order read() const;
    void customerChosen();
    void showCustomerNumbers(qint64 custId);
    void computeValue();
    void cancelOrRevert();
    void changeNumber();

    QTextEdit* rtbAddr_ = nullptr;
    QLineEdit *txtCST_, *txtTinNo_, *txtPOno_, *txtPayTerm_, *txtTINperc_, *txtCSTperc_, *txtPackForwd_, *txtOtherChrg_,
        *txtVal_, *txtRem_, *txtProfInvno_, *txtId_;
    QDateEdit *dtpPoDate_, *dtpValidFrom_, *dtpValidTo_, *dtpProfInvDate_;
    QComboBox* cmbPackForwdType_ = nullptr;
    QPushButton* cmdProfInvGenerate_ = nullptr;
    QCheckBox* chkReTrkRej_ = nullptr;
    QLabel* imgCancel_ = nullptr;
    bool cancelled_ = false;
};

}  // namespace kavra
