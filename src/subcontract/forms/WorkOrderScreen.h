#pragma once
// frmSubConPO: our work orders to subcontract suppliers, numbered by us within the
// financial year, with what is still to be sent out and still to come back.
#include "subcontract/WorkOrders.h"
#include "ui/SupplierOrderScreen.h"

namespace kavra {

struct WorkOrderRules {
    using Order = subcontract::WorkOrders::Order;
    static constexpr auto validate = &subcontract::WorkOrders::validate;
    static constexpr auto save = &subcontract::WorkOrders::save;
    static constexpr auto computedValue = &subcontract::WorkOrders::computedValue;
    static constexpr auto numberPrefix = &subcontract::WorkOrders::numberPrefix;
    static constexpr auto reTrackByDefault = &subcontract::WorkOrders::reTrackByDefault;
};

class FrmSubConPO : public SupplierOrderScreenOf<WorkOrderRules> {
    Q_OBJECT
  public:
    FrmSubConPO();

    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;

  protected:
    void print() override;

    subcontract::WorkOrders::Order read() const override;
};

}  // namespace kavra
