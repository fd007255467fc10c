#pragma once
// frmStaff: the employees. The list shows the current ones; the navigation goes through
// everyone, and for an employee who has left the Delete button revokes.
#include "masters/forms/ItemScreens.h"
#include "staff/Employees.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace kavra {

class FrmStaff : public MasterScreen {
    Q_OBJECT
  public:
    FrmStaff();
    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    bool agreesToWrite(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    bool deleteInstead() override;
    void remove(qint64 id) override;
    bool keptOnRemove(qint64 id) override;
    void refreshLists() override;

  private:
    Employees::Employee read() const;
    void showLeaving(const QDate& dol);

    QLineEdit *txtStaffId_, *txtStaffName_, *txtFatherHusbName_, *txtAddr_, *txtCity_, *txtPhMail_, *txtPFCode_,
        *txtESICode_;
    QRadioButton *optMale_, *optFemale_;
    QComboBox *cmbDesig_, *cmbDept_;
    QDateEdit* dtpDOJ_;
    QTextEdit* txtOtherDet_;
    QLabel* lblDOL_;
    QPushButton* cmdDelete_ = nullptr;
    bool left_ = false;  // the shown employee has left
};

}  // namespace kavra
