#pragma once
// frmDC: delivery challans for manufactured goods, drawn on the customer's open orders.
#include <optional>

#include "sales/DeliveryChallans.h"
#include "ui/DocumentScreen.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;

namespace kavra {

class FrmDC : public DocumentScreen {
    Q_OBJECT
  public:
    FrmDC();
    bool load() override;

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
    void refreshLists() override;

  protected:
    bool mayModify() override;
    QWidget* beforeGrid() override;
    void print() override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    sales::Dcs::Dc read() const;
    sales::Dcs::Context context() const;
    QString orderNo() const;
    void customerChosen();
    void orderChosen();
    void fillOrders(qint64 custId, const QString& keep);
    void useOrderItems(bool tellWhenClosed);
    void refreshFigures(const QList<int>& rows);
    void refreshAllFigures();
    // The refusal of a typed quantity above the order balance or, when stock is reduced, the stock.
    QString qtyRefusal(int row, const QString& typed);
    void cellMoved(int row, int col);
    void headingClicked();
    void takePicked();
    void fillEarlierLists();
    void showDetails();
    void showStockNotice(qint64 id);

    QComboBox *cmbPONo_, *cmbTransport_, *cmbVehicleNo_, *cmbTransFrom_, *cmbTransTo_, *cmbDeliveryPurpose_;
    QDateEdit *dtpPOdate_, *dtpDCDate_;
    QLineEdit *txtDCNo_, *txtRem_, *txtDcInvID_;
    QCheckBox* chkDCSigned_ = nullptr;
    QListWidget* lstProduct_ = nullptr;
    QListWidget* lstPicker_ = nullptr;
    QLabel* lblUnitGuide_ = nullptr;
    std::optional<sales::Dcs::Dc> stored_;
    std::optional<QStringList> orderCodes_;  // the chosen open order's items; nullopt: all items
};

}  // namespace kavra
