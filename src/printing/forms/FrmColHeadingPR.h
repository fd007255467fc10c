#pragma once
// The salary print headings: which heads print and under what caption.
#include "printing/SalaryHeads.h"
#include "ui/Screen.h"

class QTableWidget;

namespace kavra {

class FrmColHeadingPR : public Screen {
    Q_OBJECT
  public:
    FrmColHeadingPR();
    bool load() override;
    void cmdModify();
    QTableWidget* grid(int type) const { return grids_[type - 1]; }

  private:
    QTableWidget* grids_[3];
    QVector<SalaryHeads::Head> heads_[3];
};

void registerPrintingScreens();

}  // namespace kavra
