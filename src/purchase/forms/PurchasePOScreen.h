#pragma once
// frmPurchasePO: our orders to vendors, numbered by us within the financial year, with the
// vendor's contact, quotation, terms and conditions, and what is still to be received.
#include "purchase/PurchaseOrders.h"
#include "ui/SupplierOrderScreen.h"

class QComboBox;
class QListWidget;

namespace kavra {

class FrmPurchasePO : public SupplierOrderScreen {
    Q_OBJECT
  public:
    FrmPurchasePO();

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
    purchase::Orders::Order read() const;
    void itemPicked(const QString& code);

    QLineEdit* txtRefQuoteNo_;
    QDateEdit* dtpRefQuoteDate_;
    QCheckBox* chkTestCert_;
    QListWidget* lstItem_;
};

}  // namespace kavra
