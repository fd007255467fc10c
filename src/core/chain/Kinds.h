#pragma once
// What tells one document chain from another. Orders, their DCs and the bills written
// on DC rows are the same rules over other tables, parties, balances and messages: each
// chain describes its documents here and the engine (Orders, Challans, Bills) does the
// rest. A chain that needs something the engine lacks extends the engine.
#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/Dialogs.h"
#include "core/chain/Rows.h"

namespace kavra::chain {

// Searching a document by a number that is unique only per party.
struct FindTexts {
    QString notFound;    // " NO Purchase Order No.(Manufacturing) exists with this No."
    QString wrongParty;  // several found, the chosen party has none; %1 the count
    QString noParty;     // several found, no party chosen; %1 the count
    MsgIcon notFoundIcon = MsgIcon::Information;
};

// One running balance of an order line, lowered by the documents of one direction.
struct Balance {
    QString column;  // "QtyToSend"
    QString tally;   // header flag, True while no line has any of it left
    // Why a line cannot go below what was drawn: %1 the quantity, %2 the unit, %3 the item.
    QString drawnMessage;
};

// The checks of an order line, in the order the kind makes them.
enum class LineCheck { Code, Name, Uom, Qty, Drawn, Rate };

struct OrderTexts {
    QString emptyGrid;    // "Please Enter the Item details by clicking the grid heading..."
    QString enterCode;    // followed by the row number
    QString codeMissing;  // "Part No. does not exist ... Press F5 Key to Add New Items!!!"
    QString enterName;    // followed by the row number
    QString enterUom;     // %1 the row number
    QString validQty;     // %1 the row number (may be absent)
    QString validRate;    // %1 the row number (may be absent)
    QList<LineCheck> order{LineCheck::Code, LineCheck::Name,  LineCheck::Uom,
                           LineCheck::Qty,  LineCheck::Drawn, LineCheck::Rate};
};

enum class OrderNumbers {
    PerParty,  // the party's own number: unique per party
    PerYear,   // the company's number: unique within the order date's financial year
};

struct OrderKind {
    QString name;                              // the renumbering kind ("MFG")
    QString header, lines;                     // "MfgPO", "MfgPOSub"; keyed by POId, lines by (POId, SlNo)
    QString party;                             // "CustId"
    QString partyTable, partyName, partyWord;  // "Customer", "CustName", "Customer"
    QString partyAddress;                      // "VendorAddr": orders to our suppliers show it
    QList<Balance> balances;
    OrderNumbers numbers = OrderNumbers::PerParty;
    // Documents that name an order by its party and number.
    QStringList quotedBy;
    OrderTexts lineTexts;
    QString duplicateNo;       // " A Record with same Order No. already exist..."
    QString duplicateNoOnAdd;  // the same when adding, where the wording differs; "" uses duplicateNo
    QString duplicateField = QStringLiteral("cmbCust");
    QString deleteRefused;  // "You cannot delete this Purchase Order , since some ..."
    FindTexts find;
    bool rateFromItem = true;  // the proposal falls back to the item's own rate
    int uomWidth = 5;          // units are kept in short form
    // Rejections re-tracking (ReTrkRej) stays as it is once a document of this table names
    // the order; the refusal takes %1, the way to put the box back.
    QString reTrackBy;
    QString reTrackRefused;
    // The save writes each line's name and unit back into the item master.
    bool namesItems = false;
};

// A note or issue a DC raises in the stores, and its reversal; supplied by the stores.
struct StockLine {
    qint64 itemId = 0;
    qint64 category = 0;
    double qty = 0;
    std::optional<double> rate{};  // of a lot brought in; none: the item's rate
};
struct StockMove {
    QDate day;
    QString party;  // the party's name, as the stores record it
    QList<StockLine> lines;
    QString shortMessage;  // the refusal when there is too little (issues only)
};
struct StockLink {
    QString setting;  // Misc column that switches the link on ("RedStkM")
    QString column;   // DC header column keeping the note or issue ("StoreIssId", "STNId")
    std::function<qint64(QSqlDatabase&, const StockMove&)> raise;
    std::function<void(QSqlDatabase&, qint64)> undo;
    // A note issued from: the DC that raised it can no longer change. Empty for issues.
    std::function<bool(QSqlDatabase&, qint64)> drawnOn;
    // Stock on hand of these items.
    std::function<QHash<qint64, double>(QSqlDatabase&, const QList<qint64>&)> stockOf;
    bool isIssue = true;
    explicit operator bool() const { return bool(raise); }
};

// Why a stored DC can no longer change. Texts take %1 the word ("Modification",
// "Deletion"), %2 the DC number, %3 the party's name.
enum class DcBlock {
    Invoiced,    // an invoice is written on it (InvNo neither Null nor "Nil")
    Paid,        // money received or paid against it (TotVal <> Balance)
    Rejected,    // rejections or rework recorded on its lines
    Drawn,       // DCs of the other direction drew on its open balance
    StockDrawn,  // the note it raised in the stores has been issued from
};
struct DcBlockText {
    DcBlock what;
    QString text;
    bool onModify = true, onDelete = true;
};

enum class DcNumbers {
    Book,      // the company's own number, in a DC book (core/Books)
    PerParty,  // the party's challan number: unique per party
};

struct DcTexts {
    QString selectParty;  // "Please Select a Customer"
    QString enterDcNo;    // "Enter the DC Number "
    QString selectPo;     // "You have to select a PO Number from the list..."
    MsgIcon selectPoIcon = MsgIcon::Question;
    QString emptyGrid;         // "Please Enter the Item details by clicking the grid heading....."
    QString enterCode;         // followed by the row number
    QString codeMissing;       // "Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!!"
    QString enterParticulars;  // followed by the row number
    QString validQty;          // "Enter the Valid Qty  "
    QString stockShort;        // the stores' refusal while the issue is raised
    // A stored line of an opening DC going below what was drawn on it: %1 the quantity
    // drawn, %2 the unit, %3 the item's name.
    QString openDrawn;
    QString drawnItem;  // the item of such a line changed or the line removed; %1 the row
};

struct DcKind;
// A DC that answers DCs of the other direction (worked material back on the party's DCs,
// or material back from a subcontractor) takes each line from their open balances, oldest
// DC first, and keeps per line what it took, so that a change gives back exactly that.
struct DrawsOn {
    const DcKind* from = nullptr;
    QString track;              // line column: "dcid,qty,dcid,qty" ("UpdateTrack")
    QString refNo;              // header column naming the DCs drawn on ("RefDcNo")
    QString refDate, refDateT;  // their date, when there is one DC
    int refWidth = 200;
    QString onHandLimit;  // a line above what is open: %1 the open quantity
    explicit operator bool() const { return from != nullptr; }
};

struct DcKind {
    QString header, lines, key, party;  // "DcInv", "DcInvSub", "DcInvId", "CustId"
    QString partyTable, partyName;      // "Customer", "CustName"
    const OrderKind* order = nullptr;
    int draws = 0;  // the order balance these DCs lower
    DcNumbers numbers = DcNumbers::Book;
    QString book;         // the DC book key when numbered in one
    QString duplicateNo;  // the number found in this kind's own table
    QString duplicateField = QStringLiteral("txtDCNo");
    QHash<QString, QString> alreadyMade;  // another book's key -> its message (information icon)
    FindTexts find;                       // PerParty numbers; Book numbers show the newest
    DcTexts texts;
    StockLink stock;
    QString openBalance;  // lines stay open for the other direction ("BalQty"); "" for none
    QString tally;        // header flag closing such a DC ("DcTally")
    QString limitText = QStringLiteral("In Row: %1 , Qty should not be greater than %2");
    DrawsOn drawsOn;
    // Header column set to "Nil" when every line is "NV" (no invoice value), else Null; "" none.
    QString noInvoice;
    QList<DcBlockText> blocks;       // asked before Modify and Delete, in this order
    QList<DcBlockText> clickBlocks;  // asked when a stored DC's lines are clicked
    // Header columns some kinds keep: the purpose of delivery (cut to purposeWidth, 0 for
    // uncut) with the signed-copy flag (DeliveryPurpose, DcSign).
    bool purpose = false;
    int purposeWidth = 0;
    bool signedCopy = true;    // the purpose comes with the signed-copy flag
    bool signedAlone = false;  // the signed-copy flag (DcSign) on a kind without a purpose
    // The header keeps the estimated weight (EstiWt) and the day the material is due back
    // (duedate, Null when none); lines the value of one unit sent (Rate).
    bool weightAndDue = false;
    bool lineRates = false;
    // Lines carry the party's rejections (RejQty, RewQty, RejRowRem), none when saved.
    bool rejections = false;
    // The bill is kept on the DC row (InvNo, TotVal, Balance).
    bool billed = false;
    // The header's number and date columns; a party's bill booked as a DC keeps its own.
    QString numberCol = QStringLiteral("DcNo"), dateCol = QStringLiteral("DcDate"),
            dateTCol = QStringLiteral("DcDateT");
    // Lines carry particulars (ProductId) and a remark (DcRowRem).
    bool particulars = true;
    // A party's number may recur on another date (a vendor's bill is its number and date).
    bool numberWithDate = false;
};

// A bill kept in the bill columns of the DC rows it covers.
struct BillKind {
    const DcKind* dc = nullptr;
    bool altQty = false;  // lines are billed in the item's other unit (AltQty)
    QString book;         // the invoice book key
    QString duplicateNo;
    QHash<QString, QString> alreadyMade;  // another invoice book's key -> its message
    // A number in those books is refused whatever the numbering mode (else only where the
    // mode makes them share one series).
    bool alreadyMadeAlways = false;
    QString notFound;  // search by number
    QString invoicedMeanwhile = QStringLiteral("DC No. %1 has been invoiced already. Select the DC(s) again.");
    QString recordError = QStringLiteral("<< Record Error >>");
    QString moneyModify;  // money received against it: modify refused
    QString moneyDelete;  // and delete refused
    // The number is the party's own, typed: unique per party in any year and searched per
    // party (else ours, unique within the bill date's financial year).
    bool numberPerParty = false;
    FindTexts find;
    // The bill is dated by its day alone ("dd/MM/yyyy"), not to the minute.
    bool dayOnly = false;
    // The rate from the item's newest billed line looks at this party's bills only.
    bool ratesOfParty = false;
    // The note against the bill: "Debit" (DebitAmt, DebitRem) or "Credit".
    QString note = QStringLiteral("Debit");
    Row savedToo;  // further columns every save writes as they are
    // Deleting is refused once material of a covered DC's stock note was issued; "" never.
    QString stockDrawnDelete;
    // Bills for work: the Misc settings rounding the value to rupees and allowing one DC per
    // bill, and the refusal without a party.
    QString roundSetting, oneDcSetting;
    QString selectParty, partyField = QStringLiteral("cmbCust");
    // The bill columns of a DC row no bill covers.
    Row cleared;
    Row clearedLines;
};

}  // namespace kavra::chain
