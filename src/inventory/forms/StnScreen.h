#pragma once
// The manual store transfer note: material received into the stores by hand.
#include "ui/DocumentScreen.h"

class QDateEdit;
class QLineEdit;
class QListWidget;

namespace kavra {

namespace inventory::TransferNotes {
struct Note;
}

class FrmSTN : public DocumentScreen {
    Q_OBJECT
  public:
    FrmSTN();
    bool load() override;

    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check modifyBlock() override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    void setFieldsEnabled(bool on) override;
    Found find(const QString& text) override;
    void refreshLists() override;

  protected:
    bool mayModify() override;

  private:
    inventory::TransferNotes::Note read() const;
    void pickName(const QString& name);

    QLineEdit* txtId_;
    QLineEdit* txtSTNno_;
    QDateEdit* dtpSTNDate_;
    QLineEdit* txtPrepared_;
    QLineEdit* txtRemAny_;
    QListWidget* lstItemName_;
};

}  // namespace kavra
