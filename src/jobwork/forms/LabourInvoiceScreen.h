#pragma once
// The labour invoice screen (frmInvoiceL): the bill screen billing the outgoing labour DCs
// in the item's other unit, with VAT, service tax and the cess on it.
#include "jobwork/LabourInvoices.h"
#include "ui/BillScreen.h"

namespace kavra {

struct LabourBillRules {
    using Invoice = jobwork::Invoices::Invoice;
    static constexpr auto value = &jobwork::Invoices::value;
    static constexpr auto validate = &jobwork::Invoices::validate;
    static constexpr auto save = &jobwork::Invoices::save;
    static constexpr auto remove = &jobwork::Invoices::remove;
};

class FrmInvoiceL : public BillScreenOf<LabourBillRules> {
  public:
    FrmInvoiceL();

  protected:
    void readSettings() override;
    void proposeTaxes(qint64 party, const QList<qint64>& dcIds) override;
    void clearTaxes() override;
    std::optional<Stored> loadBill(qint64 id) override;
    jobwork::Invoices::Invoice invoice(const Bill& b) const override;
    void print() override;

  private:
    void showTaxes(const jobwork::Invoices::Taxes& t);
    void cessTyped();
};

}  // namespace kavra
