#pragma once
// frmMachine: the plant's machines.
#include "masters/forms/ItemScreens.h"
#include "production/Machines.h"

class QLineEdit;
class QTextEdit;

namespace kavra {

class FrmMachine : public MasterScreen {
    Q_OBJECT
  public:
    FrmMachine();
    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    void refreshLists() override;

  private:
    Machines::Machine read() const;

    QLineEdit *txtMachId_, *txtMachName_, *txtMachModel_, *txtMachCapa_, *txtMachAccu_;
    QTextEdit* txtOtherDet_;
};

}  // namespace kavra
