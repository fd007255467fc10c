#pragma once
// The customer, supplier and vendor screens: one screen, told apart by its Parties::Kind.
#include "masters/Parties.h"
#include "masters/forms/ItemScreens.h"

class QComboBox;
class QLineEdit;
class QTextEdit;

namespace kavra {

class FrmParty : public MasterScreen {
    Q_OBJECT
  public:
    explicit FrmParty(const Parties::Kind& kind);
    bool load() override;
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
    Parties::Party read() const;
    QLineEdit* edit(const char* name) const;
    const Parties::Kind& kind_;
    QTextEdit* rtbAddr_;
    QTextEdit* txtScope_;
    QComboBox* cmbBusiType_;
    QString storedName_;
};

void registerPartyScreens();

}  // namespace kavra
