#pragma once
#include <QHash>
// Items, categories and units of measure.
#include "masters/Items.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QTextEdit;

namespace kavra {

// What the three master screens share: the controller, the name list and the field hooks.
class MasterScreen : public Screen, public RecordHost {
    Q_OBJECT
  public:
    MasterScreen(const QString& name, const QString& caption);
    RecordController* controller() const { return ctl_; }
    bool load() override;

  protected:
    // Call once the fields exist: fields edited here switch a shown record to Modifying.
    void finishLayout(QLayout* fields, const QString& listCaption, RecordTexts texts);
    void fillNames(const QString& sql);
    QListWidget* lstNames_ = nullptr;
    RecordController* ctl_ = nullptr;
};

class FrmItem : public MasterScreen {
    Q_OBJECT
  public:
    FrmItem();
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
    void fillUnits();

  private:
    Items::Item read() const;
    QLineEdit* txtItemId_;
    QLineEdit* txtItemCode_;
    QLineEdit* txtItemName_;
    QComboBox* lstCategoryCode_;
    QComboBox* cmbMeasurement_;
    QComboBox* cmbAltUnit_;
    QLineEdit* txtROL_;
    QLineEdit* txtRackNo_;
    QComboBox* cmbTariffSubHead_;
    QLineEdit* txtRate_;
};

class FrmCategory : public MasterScreen {
    Q_OBJECT
  public:
    FrmCategory();
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
    QLineEdit* txtCategoryCode_;
    QLineEdit* txtCategoryName_;
    QTextEdit* txtCategoryDesc_;
};

// Units are keyed by their code text; the navigation positions stand in for identifiers.
class FrmMeasure : public MasterScreen {
    Q_OBJECT
  public:
    FrmMeasure();
    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    QVariantList navigationKey(qint64 id) override;
    QString confirmText(bool adding) override;
    void refreshLists() override;

  private:
    qint64 idOf(const QString& code);
    QHash<qint64, QString> codes_;  // identifier -> unit code
    QHash<QString, qint64> ids_;    // upper-case code -> identifier
    QString shownCode_;
    QLineEdit* txtMeasureCode_;
    QLineEdit* txtMeasureName_;
};

void registerItemScreens();

}  // namespace kavra
