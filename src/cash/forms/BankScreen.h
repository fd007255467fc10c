#pragma once
// frmBanks: the company's bank accounts.
#include "cash/Banks.h"
#include "masters/forms/ItemScreens.h"

class QLineEdit;
class QRadioButton;

namespace kavra {

class FrmBanks : public MasterScreen {
    Q_OBJECT
  public:
    FrmBanks();
    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    QString confirmText(bool adding) override;
    void refreshLists() override;

  private:
    Banks::Bank read() const;

    QLineEdit *txtBankId_, *txtBankName_, *txtOpBal_, *txtCreditLimit_;
    QRadioButton *optDebit_, *optCredit_;
};

}  // namespace kavra
