#pragma once
// frmIncome and frmExpense: one head master set by the head kind.
#include "cash/Heads.h"
#include "masters/forms/ItemScreens.h"

class QLineEdit;
class QRadioButton;

namespace kavra {

class FrmHead : public MasterScreen {
    Q_OBJECT
  public:
    explicit FrmHead(const Heads::Kind& kind);
    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check modifyBlock() override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    QString confirmText(bool adding) override;
    void refreshLists() override;

  private:
    Heads::Head read() const;

    const Heads::Kind& k_;
    QLineEdit *code_, *name_, *desc_;
    QRadioButton *optDirect_, *optIndirect_;
};

}  // namespace kavra
