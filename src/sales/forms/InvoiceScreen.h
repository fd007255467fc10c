#pragma once
// The sales invoice screen (frmInvoice): the customer's DCs still to invoice are chosen,
// their lines priced, the taxes entered and the value worked out as it is typed.
#include <QVector>

#include "sales/Invoices.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kavra {

class LineGrid;

class FrmInvoice : public Screen, public RecordHost {
  public:
    FrmInvoice();
    bool load() override;
    RecordController* controller() const { return ctl_; }

    // Grid columns.
    enum Col { DcInvIdCol, DcNoCol, SlNoCol, ParticularsCol, QtyCol, RateCol, DiscountCol, AmountCol };

    // RecordHost
    KAVRA_RECORD_HOST_OVERRIDES
    void setFieldsEnabled(bool on) override;
    std::optional<Refusal> modifyBlock() override;
    std::optional<qint64> find(const QString& text, QString* message) override;
    qint64 writtenId(qint64 id) override;
    void functionKey(int key) override;

  protected:
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
    void print();
    void openSide(const QString& screen);

    RecordController* ctl_ = nullptr;
    LineGrid* grid_ = nullptr;
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
    qint64 written_ = 0;
};

}  // namespace kavra
