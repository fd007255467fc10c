#pragma once
// frmPurchasePO: our orders to vendors, numbered by us within the financial year, with the
// vendor's contact, quotation, terms and conditions, and what is still to be received.
#include "purchase/PurchaseOrders.h"
#include "ui/SupplierOrderScreen.h"

class QComboBox;
class QListWidget;

namespace kavra {

struct PurchaseOrderRules {
    using Order = purchase::Orders::Order;
    static constexpr auto validate = &purchase::Orders::validate;
    static constexpr auto save = &purchase::Orders::save;
    static constexpr auto computedValue = &purchase::Orders::computedValue;
    static constexpr auto numberPrefix = &purchase::Orders::numberPrefix;
    static constexpr auto reTrackByDefault = &purchase::Orders::reTrackByDefault;
};

class FrmPurchasePO : public SupplierOrderScreenOf<PurchaseOrderRules> {
    Q_OBJECT
  public:
    FrmPurchasePO();

    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    void refreshLists() override;

  protected:
    void print() override;

    purchase::Orders::Order read() const override;

  private:
    void itemPicked(const QString& code);

    QLineEdit* txtRefQuoteNo_;
    QDateEdit* dtpRefQuoteDate_;
    QCheckBox* chkTestCert_;
    QListWidget* lstItem_;
};

}  // namespace kavra
