#pragma once
// frmBankTrans: deposits, withdrawals and bank-to-bank transfers, with the cash and bank
// balances beside them. Only the frame of the chosen kind takes input.
#include "cash/BankTransactions.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kavra {

class CashPanel;

class FrmBankTrans : public Screen, public RecordHost {
    Q_OBJECT
  public:
    FrmBankTrans();
    RecordController* controller() const { return ctl_; }
    bool load() override;

    QList<qint64> navigation() override;
    QVariant navigationStamp() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    void remove(qint64 id) override;
    void refreshLists() override;

  private:
    BankTransactions::Transaction read() const;
    void kindChosen();
    void fillBanks();
    void showWords();

    RecordController* ctl_ = nullptr;
    QLabel *lblTransId_, *lblWords_;
    QDateEdit *DTPTransDate_, *DTPCHDate_;
    QRadioButton *optDeposit_, *optWithDraw_, *optBankTrans_;
    QGroupBox *frameDept_, *frameTransfer_;
    QComboBox *cmbBank_, *cmbFrom_, *cmbTo_;
    QLineEdit *txtAmount_, *txtDesc_, *txtTransAmount_, *txtChNo_, *txtTransDesc_;
    CashPanel* cash_;
    bool filling_ = false;
};

}  // namespace kavra
