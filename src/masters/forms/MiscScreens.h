#pragma once
// "My Company Details" and its second page "More Details...".
#include "masters/Misc.h"
#include "ui/Screen.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace kavra {

class FrmMisc : public Screen {
    Q_OBJECT
  public:
    FrmMisc();
    bool load() override;
    void cmdModify();
    void cmdMore();

  private:
    void showSettings(const Misc::Settings& s);
    Misc::Settings readSettings() const;
    void recolour();
    QLineEdit* text(const char* name) const;
    QCheckBox* check(const char* name) const;

    QTextEdit* rtbHeadP_;
    QTextEdit* rtbPrintShortAddr_;
    QRadioButton* optBookType_[3];
    QRadioButton* optBookTypeINV_[2];
    QPushButton* cmdModify_;
    QLabel* lblCorres_;
};

class FrmMiscMore : public Screen {
    Q_OBJECT
  public:
    FrmMiscMore();
    bool load() override;
    void cmdModify();

  private:
    QCheckBox* chkSales1to1_;
    QCheckBox* chkLabour1to1_;
    QCheckBox* chkSubCon1to1_;
    QLineEdit* txtPF_;
    QLineEdit* txtESI_;
    QLineEdit* txtOpenBal_;
    QDateEdit* dtpOpenBal_;
    QPushButton* cmdModify_;
};

void registerMiscScreens();

}  // namespace kavra
