#pragma once
// The DC screen of every chain: the document screen with the fields each DC has (party,
// order, DC number and date, carriage, remarks, and where the kind keeps them the purpose,
// the signed copy and the party's DCs answered) and the line grid of item, particulars,
// Qty, remark and the figures the kind shows, driven by the chain's DC kind. The chain
// supplies its texts and the few rules of its own (print, questions, notices).
#include <QDate>
#include <QSqlDatabase>
#include <functional>
#include <optional>

#include "core/chain/Challans.h"
#include "core/chain/Form39.h"
#include "ui/DocumentScreen.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;

namespace kavra {

class DcScreen;

struct DcScreenKind {
    QString screen;   // "frmDC"
    QString caption;  // "SALES - Manufacturing"
    QString heading;  // "Delivery Challan"
    QString party;    // "TO CUSTOMER"
    QString idName;   // "txtDcInvID"
    QString dcNo;     // "DC NO."
    QString partyField = QStringLiteral("cmbCust");
    QString partyPlaceholder = QStringLiteral("(Select a Customer)");
    QString poCaption = QStringLiteral("Customer P.O. NO.");
    // Said when the grid heading is clicked before a party is chosen, and when the typed
    // order is closed or not the party's.
    QString headingNoParty = QStringLiteral("Please select a Customer Name ....!!!");
    QString orderClosed = QStringLiteral("check 'Customer P.O. NO' i.e Purchase order ...");
    QString poDateName = QStringLiteral("dtpPODate");
    QString poHint;  // the order list's tooltip
    // Kinds that draw: the list of the party's DCs answered.
    QString refCaption = QStringLiteral("Customer DC NO."), refField = QStringLiteral("cmbRefDCno");
    QString detailsNoParty = QStringLiteral("You must select a 'Customer' from the list... ");
    QString remark = QStringLiteral("* NOTE:  (REMARKS)");
    QString gridHeading;
    QString remarkHint;  // beside the grid
    QStringList notes;   // under the grid
    QString partyTip;    // the party list's tooltip
    QString rejections;  // the rejections screen, "" for none
    const chain::Form39::Kind* form39 = nullptr;
    // Grid columns of the figures, -1 where the kind has none: stock in the stores (shown
    // only while the stock link is on when stockOnlyLinked), open with the party, order balance.
    int stockCol = -1, onHandCol = -1, poBalCol = -1;
    // On kinds with line rates: the rate column (the remark follows it) and the rate a
    // picked item proposes.
    int rateCol = -1;
    std::function<double(QSqlDatabase&, qint64 itemId)> proposedRate;
    bool stockOnlyLinked = false;
    RecordTexts record;
    const chain::DcKind* kind = nullptr;
    chain::Challans::Hooks hooks;
    // The question before Modify; "" asks the usual one.
    std::function<QString(const chain::Challans::Record&)> modifyQuestion;
    // Said before a stored DC is changed or deleted, when there is something to say.
    std::function<std::optional<QString>(const chain::Challans::Record&)> changeNotice;
    std::function<void(DcScreen*, qint64)> print;
    // The excise copy (lblExciseDC), where the kind prints one.
    std::function<void(DcScreen*, qint64)> printExcise;
    // Side screens not yet there (lblAnnexureII): the label and what a click says.
    QString pendingSide, pendingSideCaption, pendingSideText;
};

class DcScreen : public DocumentScreen {
    Q_OBJECT
  public:
    explicit DcScreen(const DcScreenKind& kind);
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

  protected:
    bool mayModify() override;
    bool partlyProcessed() override;
    QWidget* beforeGrid() override;
    void print() override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    int remarkCol() const { return k_.rateCol > 0 ? k_.rateCol + 1 : 4; }
    void proposeRate(int row, qint64 itemId);
    chain::Challans::Record read() const;
    chain::Challans::Context context() const;
    QString orderNo() const;
    QString refDcNo() const;
    bool reducesStock() const { return reduce_; }
    void readStockLink();
    void fillCustomers(bool adding);
    void customerChosen();
    void orderChosen();
    void refChosen();
    void fillOrders(qint64 party, const QString& keep);
    void fillRefs(const QString& keep);
    void useOrderItems(bool tellWhenClosed);
    void refreshFigures(const QList<int>& rows);
    void refreshAllFigures();
    QString qtyRefusal(int row, const QString& typed);
    void cellMoved(int row, int col);
    void headingClicked();
    void takePicked();
    void fillEarlierLists();
    void keepEarlier(const chain::Challans::Record& saved);
    void showDetails();
    void openSideScreen(const QString& name);
    void notice(qint64 id);

    const DcScreenKind& k_;
    const chain::DcKind& dk_;
    QComboBox *cmbPONo_, *cmbTransport_, *cmbVehicleNo_, *cmbTransFrom_, *cmbTransTo_;
    QComboBox* cmbDeliveryPurpose_ = nullptr;
    QComboBox* cmbRefDCno_ = nullptr;
    QDateEdit *dtpPOdate_, *dtpDCDate_;
    QDateEdit* dtpRefDcDate_ = nullptr;
    QLineEdit *txtDCNo_, *txtRem_, *txtId_;
    QLineEdit* txtEstiWt_ = nullptr;
    QDateEdit* dtpDueDate_ = nullptr;  // its lowest date stands for none
    QCheckBox* chkDCSigned_ = nullptr;
    QLabel* lblMoreDet_ = nullptr;
    QListWidget* lstProduct_ = nullptr;
    QListWidget* lstPicker_ = nullptr;
    QLabel* lblUnitGuide_ = nullptr;
    std::optional<chain::Challans::Record> stored_;
    std::optional<QStringList> orderCodes_;  // the items the grid offers; nullopt: all items
    bool reduce_ = false;                    // the company's stock link for this kind, read per document
};

}  // namespace kavra
