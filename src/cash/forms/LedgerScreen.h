#pragma once
// The money screen every ledger side is shown on: the entry's number, date, cash or bank
// with its cheque, the head, the party and the type picked from lists under the box being
// filled, the amount (in words while typed), the bills grid with the party's open bills,
// the party's balances and the cash and bank balances. A side's descriptor says what
// differs (captions, control names, texts).
#include <QString>

#include "cash/Ledger.h"
#include "ui/DocumentScreen.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QComboBox;
class QRadioButton;
class QTableWidget;

namespace kavra {

class CashPanel;

struct LedgerScreenKind {
    const Ledger::Side* side = nullptr;
    QString caption, heading;
    const char* numberName;  // "lblRecpId"; a box when the side's number is typed
    QString numberCaption;   // "Receipt No"
    const char* dateName;    // "DTPRecpDate"
    QString headCaption, partyCaption, typeCaption;
    bool voucher = false;  // cmdPrint prints the payment voucher; cmdCheqPrint the cheque leaf
    RecordTexts texts;
};

const LedgerScreenKind& receiptsScreen();
const LedgerScreenKind& paymentsScreen();

class LedgerScreen : public DocumentScreen {
    Q_OBJECT
  public:
    explicit LedgerScreen(const LedgerScreenKind& kind);

    bool load() override;

    QList<qint64> navigation() override;
    qint64 proposeId() override;
    void showRecord(qint64 number) override;
    void clearForNew(qint64 number) override;
    void setFieldsEnabled(bool on) override;
    Check validate(bool adding) override;
    qint64 write(bool adding, qint64 number) override;
    Check modifyBlock() override;
    Check deleteBlock() override;
    void remove(qint64 number) override;
    void refreshLists() override;
    void functionKey(int key) override { (void)key; }
    void print() override;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    enum class Pick { None, Head, Party, Type };
    Ledger::Entry entry() const;
    qint64 shownNumber() const;
    void showNumber(qint64 number);
    void printCheque();
    void showPicks(QLineEdit* box);
    bool takePick(QLineEdit* box);
    void headChanged();
    void typeChanged();
    void refreshDetails();
    void amountEntered();
    void sumGrid();
    void bankChosen();

    const LedgerScreenKind& kind_;
    const Ledger::Side& side_;
    QLabel* lblNumber_ = nullptr;
    QLineEdit* txtNumber_ = nullptr;  // the typed number's box
    qint64 proposedNumber_ = 0;
    QLabel* lblId_;
    QDateEdit* date_;
    QRadioButton* optCash_;
    QRadioButton* optBank_;
    QGroupBox* frameBank_;
    QComboBox* cmbBank_;
    QLineEdit* txtChNo_;
    QDateEdit* dtpChDate_;
    QLineEdit* txtHead_;
    QLineEdit* txtParty_;
    QLineEdit* txtType_;
    QLineEdit* txtAmount_;
    QLabel* lblWords_;
    QLineEdit* txtDesc_;
    QListWidget* lstView_;
    QTableWidget* msfBal_;
    CashPanel* cash_;
    Pick pick_ = Pick::None;
    qint64 head_ = 0;  // the head and type the boxes name now; 0: none
    int type_ = 0;
    bool filling_ = false;  // the screen itself is writing the boxes
    Ledger::Details details_;
};

}  // namespace kavra
