#pragma once
// frmLabourPO: customers' labour orders, a balance each way per line.
#include "jobwork/LabourOrders.h"
#include "ui/OrderScreen.h"

namespace kavra {

class FrmLabourPO : public OrderScreen {
    Q_OBJECT
  public:
    FrmLabourPO();

    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;

  protected:
    void customerChosen() override;
    void computeValue() override;
    bool reTrackByDefault() override;

  private:
    jobwork::Orders::Order read() const;
};

}  // namespace kavra
