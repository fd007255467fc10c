#pragma once
// frmSubConPO: our work orders to subcontract suppliers, numbered by us within the
// financial year, with what is still to be sent out and still to come back.
#include "subcontract/WorkOrders.h"
#include "ui/SupplierOrderScreen.h"

namespace kavra {

class FrmSubConPO : public SupplierOrderScreen {
    Q_OBJECT
  public:
    FrmSubConPO();

    bool load() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    void refreshLists() override;

  protected:
    void computeValue() override;
    bool reTrackByDefault() override;
    void print() override;

  private:
    subcontract::WorkOrders::Order read() const;
};

}  // namespace kavra
