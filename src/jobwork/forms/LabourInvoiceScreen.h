#pragma once
// The labour invoice screen (frmInvoiceL): the bill screen billing the outgoing labour DCs
// in the item's other unit, with VAT, service tax and the cess on it.
#include "jobwork/LabourInvoices.h"
#include "ui/BillScreen.h"

namespace kavra {

class FrmInvoiceL : public BillScreen {
  public:
    FrmInvoiceL();

  protected:
    void readSettings() override;
    void proposeTaxes(qint64 party, const QList<qint64>& dcIds) override;
    void clearTaxes() override;
    std::optional<Stored> loadBill(qint64 id) override;
    Worked value(const Bill& b) const override;
    Check validateBill(const Bill& b, qint64 shownId) override;
    qint64 saveBill(const Bill& b, qint64 shownId) override;
    void removeBill(qint64 id) override;
    void print() override;

  private:
    jobwork::Invoices::Invoice invoice(const Bill& b) const;
    void showTaxes(const jobwork::Invoices::Taxes& t);
    void cessTyped();
};

}  // namespace kavra
