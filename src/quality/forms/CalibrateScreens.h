#pragma once
// frmCalibrate: the instrument frame and the report frame, each on its own record
// controller; frmCalibrateDUE: the instruments falling due around today.
#include <memory>

#include "quality/Calibration.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QTableWidget;
class QTextEdit;

namespace kavra {

class FrmCalibrate : public Screen, public RecordHost {
    Q_OBJECT
  public:
    FrmCalibrate();
    ~FrmCalibrate() override;
    bool load() override;
    RecordController* controller() const { return ctl_; }
    RecordController* reports() const { return repCtl_; }
    void showInstrument(qint64 id);
    void cmdView();
    // Opens the screen (through the menu's opener) on one instrument.
    static bool openOn(qint64 id);

    // The instrument frame.
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
    class ReportFrame;
    friend class ReportFrame;
    Calibration::Instrument read() const;
    void fillItems();
    void fillPieces(qint64 itemId);
    qint64 chosenItem() const;

    QComboBox *cmbInsGauge_, *cmbInsGaugeIDno_;
    QLineEdit *txtFreq_, *txtInsGaugeRange_, *txtLC_, *txtOtherDet_;
    QDateEdit* dtpNextCalibrate_;
    QDateEdit *dtpExpectedCalibrate_, *dtpDOCalibrate_;
    QLineEdit *txtCalibrateNo_, *txtCalibrateStat_, *txtAuthorised_;
    QTextEdit* txtCalibrateDet_;
    QTableWidget* msflex_;
    RecordController* ctl_ = nullptr;
    std::unique_ptr<ReportFrame> repHost_;
    RecordController* repCtl_ = nullptr;
    qint64 shownId_ = 0;
};

class FrmCalibrateDUE : public Screen {
    Q_OBJECT
  public:
    FrmCalibrateDUE();
    bool load() override;
    void refresh();
    void cmdPrint();
    QTableWidget* grid() const { return msflex_; }

  private:
    QLineEdit *txtDueBefore_, *txtDueCrossed_;
    QTableWidget* msflex_;
    Calibration::DueWindow window_;
};

void registerQualityScreens();

}  // namespace kavra
