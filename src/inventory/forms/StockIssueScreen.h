#pragma once
// The material issue screen: stock taken out of the stores by hand, one item at a time,
// with the stock of the chosen category and the day's issues beside it.
#include "ui/Screen.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace kavra {

class FrmStockIssue : public Screen {
    Q_OBJECT
  public:
    FrmStockIssue();
    bool load() override;

    void cmdSave();
    void cmdDelete();
    void cmdPrint();

  protected:
  private:
    void fillCategories();
    void categoryChosen();
    void itemChosen();
    void fillStock();
    void fillDay();

    QDateEdit* dtpStkIssue_;
    QComboBox* cmbcatgry_;
    QComboBox* cmbItem_;
    QLineEdit* txtIssQty_;
    QLabel* lblUnit_;
    QLineEdit* txtToWhom_;
    QLineEdit* txtDesc_;
    QTableWidget* msflex_;
    QTableWidget* msflexdata_;
};

}  // namespace kavra
