#pragma once
// The purchase bill screen (frmPurchase): the vendor's bill typed line by line, each line
// counted against our order in its unit and taken into stock in the item's own, priced and
// taxed, the value worked out as it is typed.
#include <QHash>

#include "purchase/PurchaseBills.h"
#include "ui/DocumentScreen.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kavra {

class FrmPurchase : public DocumentScreen {
  public:
    FrmPurchase();
    bool load() override;

    // Grid columns.
    enum Col {
        CodeCol = 1,
        QtyCol,
        AltQtyCol,
        RateCol,
        DiscCol,
        EdCol,
        EdCessCol,
        HEdCessCol,
        TaxCol,
        AmountCol,
        PoBalCol
    };

    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 id) override;
    void clearForNew(qint64 id) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 id) override;
    Check modifyBlock() override;
    Check deleteBlock() override;
    void remove(qint64 id) override;
    QString confirmText(bool adding) override;
    Found find(const QString& text) override;

  protected:
    bool mayModify() override;
    QWidget* beforeGrid() override;
    QList<QWidget*> afterGrid() override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    purchase::Bills::Bill read() const;
    void vendorChosen();
    void orderChosen();
    void fillOrders(const QString& keep);
    void itemChosen(int row, qint64 itemId);
    void headingClicked();
    void refreshBalances();
    void recompute();
    void cellMoved(int row);
    QLineEdit* edit(const char* name) const;

    QComboBox *cmbVendor_, *cmbPONo_, *cmbPackForwdType_, *cmbFinalDiscType_;
    QDateEdit *dtpPODate_, *dtpInvDate_;
    QRadioButton *optVAT_, *optCST_;
    QLabel* lblUnitGuide_;
    QLineEdit* txtId_;
    QHash<qint64, double> poLeft_;  // what the chosen order still expects, by item
    qint64 shownId_ = 0;            // the stored bill shown, 0 for a new one
    bool filling_ = false;
    bool roff_ = false;
};

}  // namespace kavra
