#pragma once
// frmPurchasePO: our orders to vendors, numbered by us within the financial year, with the
// vendor's contact, quotation, terms and conditions, and what is still to be received.
#include "purchase/PurchaseOrders.h"
#include "ui/OrderScreen.h"

class QComboBox;
class QListWidget;

namespace kavra {

class FrmPurchasePO : public OrderScreen {
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
    void customerChosen() override;
    void computeValue() override;
    bool reTrackByDefault() override;
    void print() override;

  private:
    purchase::Orders::Order read() const;
    void showContacts(const QStringList& contacts);
    void itemPicked(const QString& code);

    QLineEdit *txtPrefix_, *txtRefQuoteNo_;
    QDateEdit* dtpRefQuoteDate_;
    QComboBox* cmbKindAttn_;
    QCheckBox* chkTestCert_;
    QTextEdit* rtbTerms_;
    QListWidget* lstItem_;
};

}  // namespace kavra
