#pragma once
// The sales invoice screen (frmInvoice): the bill screen with the excise duties, the sales
// taxes and their forms, and the surcharge.
#include "sales/Invoices.h"
#include "ui/BillScreen.h"

class QCheckBox;

namespace kavra {

struct SalesBillRules {
    using Invoice = sales::Invoices::Invoice;
    static constexpr auto value = &sales::Invoices::value;
    static constexpr auto validate = &sales::Invoices::validate;
    static constexpr auto save = &sales::Invoices::save;
    static constexpr auto remove = &sales::Invoices::remove;
};

class FrmInvoice : public BillScreenOf<SalesBillRules> {
  public:
    FrmInvoice();

  protected:
    void readSettings() override;
    void proposeTaxes(qint64 party, const QList<qint64>& dcIds) override;
    void clearTaxes() override;
    std::optional<Stored> loadBill(qint64 id) override;
    sales::Invoices::Invoice invoice(const Bill& b) const override;
    void print() override;

  private:
    void showTaxes(const sales::Invoices::Taxes& t);
    void taxTyped(const QString& control);

    QCheckBox* optCST_ = nullptr;
    QCheckBox* optKST_ = nullptr;
    QCheckBox* optFormH_ = nullptr;
};

}  // namespace kavra
