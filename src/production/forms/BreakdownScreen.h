#pragma once
// frmBrkDnMaint: the breakdown log and its history between two dates.
#include "masters/forms/ItemScreens.h"
#include "production/Breakdowns.h"

class QDateEdit;
class QDateTimeEdit;
class QTableWidget;

namespace kavra {

class FrmBrkDnMaint : public MasterScreen {
    Q_OBJECT
  public:
    FrmBrkDnMaint();
    bool load() override;
    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    void remove(qint64 id) override;
    void refreshLists() override;
    void cmdView();
    void cmdPrint();

  private:
    Breakdowns::Breakdown read() const;
    void fillMachines();

    QLineEdit *txtId_, *txtBrkDet_, *txtDetCorrect_, *txtAmt_;
    QDateEdit* dtpBrkDate_;
    QComboBox* cmbMachine_;
    QDateTimeEdit *dtpBrkFrom_, *dtpBrkTo_;
    QDateEdit *dtpFrom_, *dtpTo_;
    QComboBox* cmbHistMachine_;
    QTableWidget* msflex_;
};

}  // namespace kavra
