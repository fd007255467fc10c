#pragma once
// frmDC: delivery challans for manufactured goods, drawn on the customer's open orders.
#include <optional>

#include "sales/DeliveryChallans.h"
#include "ui/RecordController.h"
#include "ui/Screen.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;

namespace kavra {

class LineGrid;

class FrmDC : public Screen, public RecordHost {
    Q_OBJECT
  public:
    FrmDC();
    bool load() override;

    KAVRA_RECORD_HOST_OVERRIDES
    void setFieldsEnabled(bool on) override;
    std::optional<Refusal> modifyBlock() override;
    QString confirmText(bool adding) override;
    std::optional<qint64> find(const QString& text, QString* message) override;
    qint64 writtenId(qint64 id) override { return written_ ? written_ : id; }
    void refreshLists() override;
    void functionKey(int key) override;

    RecordController* controller() const { return ctl_; }
    LineGrid* grid() const { return grid_; }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    sales::Dcs::Dc read() const;
    sales::Dcs::Context context() const;
    qint64 customerId() const;
    QString orderNo() const;
    void customerChosen();
    void orderChosen();
    void fillOrders(qint64 custId, const QString& keep);
    void useOrderItems(bool tellWhenClosed);
    void refreshFigures(int row);
    void refreshAllFigures();
    void qtyTyped(int row);
    void cellMoved(int row, int col);
    void headingClicked();
    void takePicked();
    void fillEarlierLists();
    void showDetails();
    void showStockNotice(qint64 id);
    void print();

    RecordController* ctl_ = nullptr;
    LineGrid* grid_ = nullptr;
    QWidget* header_ = nullptr;
    QComboBox *cmbCust_, *cmbPONo_, *cmbTransport_, *cmbVehicleNo_, *cmbTransFrom_, *cmbTransTo_, *cmbDeliveryPurpose_;
    QDateEdit *dtpPOdate_, *dtpDCDate_;
    QLineEdit *txtDCNo_, *txtRem_, *txtDcInvID_;
    QCheckBox* chkDCSigned_ = nullptr;
    QListWidget* lstProduct_ = nullptr;
    QListWidget* lstPicker_ = nullptr;
    QLabel* lblUnitGuide_ = nullptr;
    std::optional<sales::Dcs::Dc> stored_;
    qint64 written_ = 0;
    std::optional<QStringList> orderCodes_;  // the chosen open order's items; nullopt: all items
};

}  // namespace kavra
