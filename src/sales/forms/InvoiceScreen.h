#pragma once
// The sales invoice screen (frmInvoice): the customer's DCs still to invoice are chosen,
// their lines priced, the taxes entered and the value worked out as it is typed.
#include <QVector>

#include "sales/Invoices.h"
#include "ui/DocumentScreen.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kavra {

class LineGrid;

class FrmInvoice : public DocumentScreen {
  public:
    FrmInvoice();
    bool load() override;

    // Grid columns.
    enum Col { DcInvIdCol, DcNoCol, SlNoCol, ParticularsCol, QtyCol, RateCol, DiscountCol, AmountCol };

    QList<qint64> navigation() override;
    QVariantList navigationKey(qint64 id) override;
    QVariant navigationStamp() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check modifyBlock() override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    void setFieldsEnabled(bool on) override;
    Found find(const QString& text) override;
    void focusRefusal(const Refusal& r) override;

  protected:
    bool partlyProcessed() override { return true; }
    void print() override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    QLineEdit* edit(const char* name) const;
    void buildTaxRules();
    void customerChosen();
    void dcSelectionChanged();
    void fillLines(const QVector<sales::Invoices::Line>& lines);
    void showTaxes(const sales::Invoices::Taxes& t);
    sales::Invoices::Invoice read() const;
    void recompute();
    void taxTyped(const QString& control);
    void openLinked(const QString& screen);

    QComboBox* cmbCust_ = nullptr;
    QListWidget* lstDcNo_ = nullptr;
    QDateTimeEdit* dtpInvDate_ = nullptr;
    QComboBox* cmbPackForwdType_ = nullptr;
    QComboBox* cmbFinalDiscType_ = nullptr;
    QCheckBox* optCST_ = nullptr;
    QCheckBox* optKST_ = nullptr;
    QCheckBox* optFormH_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QList<QWidget*> headerFields_;
    QVector<sales::Invoices::Line> lines_;  // what the grid rows stand for
    bool filling_ = false;                  // the program is filling the fields: no rules, no messages
    bool roff_ = false, oneToOne_ = false;
};

}  // namespace kavra
