#pragma once
// The manual store transfer note: material received into the stores by hand.
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QDateEdit;
class QLineEdit;
class QListWidget;

namespace kavra {

class LineGrid;

namespace inventory::TransferNotes {
struct Note;
}

class FrmSTN : public Screen, public RecordHost {
    Q_OBJECT
  public:
    FrmSTN();
    bool load() override;
    RecordController* controller() const { return ctl_; }

    KAVRA_RECORD_HOST_OVERRIDES
    void setFieldsEnabled(bool on) override;
    std::optional<Refusal> modifyBlock() override;
    std::optional<qint64> find(const QString& text, QString* message) override;
    void refreshLists() override;
    void functionKey(int key) override;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    inventory::TransferNotes::Note read() const;
    // A click into a shown note: refused once it was issued from, else it starts modifying.
    bool startModifying();
    void pickName(const QString& name);

    QLineEdit* txtId_;
    QLineEdit* txtSTNno_;
    QDateEdit* dtpSTNDate_;
    QLineEdit* txtPrepared_;
    QLineEdit* txtRemAny_;
    QWidget* header_;
    LineGrid* grid_;
    QListWidget* lstItemName_;
    RecordController* ctl_;
};

}  // namespace kavra
