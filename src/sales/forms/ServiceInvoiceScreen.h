#pragma once
// The service invoice screen, ours to a customer or a vendor's to us as its kind says: the
// party, the numbers and dates, lines of items with their particulars, the charges and taxes,
// the value worked out as it is typed.
#include "sales/ServiceInvoices.h"
#include "ui/DocumentScreen.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace kavra {

class ServiceInvoiceScreen : public DocumentScreen {
    Q_OBJECT
  public:
    explicit ServiceInvoiceScreen(const sales::ServiceInvoices::Kind& kind);
    bool load() override;

    QList<qint64> navigation() override;
    QVariant navigationStamp() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check modifyBlock() override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    Found find(const QString& text) override;

  protected:
    bool mayModify() override;
    void print() override;
    QList<QWidget*> afterGrid() override;

  private:
    sales::ServiceInvoices::Invoice read() const;
    void recompute();

    const sales::ServiceInvoices::Kind& kind_;
    bool roundRupees_ = false;
    bool filling_ = false;
    QLineEdit *txtId_, *txtInvNo_, *txtDCNo_, *txtPayTerm_, *txtInvRem_;
    QDateEdit *dtpInvDate_, *dtpDCDate_;
    QLineEdit *txtPackForwd_, *txtFinalDisc_, *txtVAT_, *txtServTax_, *txtCess_, *txtOther_, *txtTotVal_;
    QComboBox *cmbPackForwdType_, *cmbFinalDiscType_;
};

}  // namespace kavra
