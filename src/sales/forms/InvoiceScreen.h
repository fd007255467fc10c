#pragma once
// The sales invoice screen (frmInvoice): the bill screen with the excise duties, the sales
// taxes and their forms, and the surcharge.
#include "sales/Invoices.h"
#include "ui/BillScreen.h"

class QCheckBox;

namespace kavra {

class FrmInvoice : public BillScreen {
  public:
    FrmInvoice();

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
    sales::Invoices::Invoice invoice(const Bill& b) const;
    void showTaxes(const sales::Invoices::Taxes& t);
    void taxTyped(const QString& control);

    QCheckBox* optCST_ = nullptr;
    QCheckBox* optKST_ = nullptr;
    QCheckBox* optFormH_ = nullptr;
};

}  // namespace kavra
