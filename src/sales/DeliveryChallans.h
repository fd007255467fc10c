#pragma once
// Delivery challans for manufactured goods. A DC against a customer's open order takes
// each line's quantity from the order line of the same item; with the company's stock
// link on (Misc.RedStkM) it also issues the goods from the stores. Changing or deleting
// a DC first gives back exactly what it took. The invoice made later is kept in the same
// DcInv row; an invoiced, rejected or paid DC can no longer change.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Money.h"
#include "printing/DocumentPrint.h"
#include "sales/SalesDocs.h"

namespace kavra::sales::Dcs {

struct Line {
    QString itemCode;
    QString particulars;
    double qty = 0;
    QString remark;  // "NV": no invoice value
    // As stored; filled by load().
    qint64 itemId = 0;
    double rejQty = 0, rewQty = 0;
};

struct Dc {
    qint64 id = 0;
    qint64 custId = 0;  // 0: none chosen
    QString dcNo;
    QDate dcDate;
    QString poNo;  // "" when the DC is not against an order
    QDate poDate;
    QString transport, vehicleNo, transFrom, transTo, deliveryPurpose, remark;
    bool signedReturned = false;
    QList<Line> lines;
    // As stored; filled by load().
    std::optional<QString> invNo;  // nullopt while awaiting its invoice
    std::optional<qint64> storeIssId;
    std::optional<Money> totVal, balance;
};

QList<qint64> ids(QSqlDatabase& db);
qint64 nextId(QSqlDatabase& db);
std::optional<Dc> load(QSqlDatabase& db, qint64 id);
// The newest DC with this number (numbers restart every financial year).
std::optional<qint64> find(QSqlDatabase& db, const QString& dcNo, QString* message);

// ---- What the screen offers.
// The customer's orders still open (not tallied, not cancelled), in order of entry.
QStringList openOrders(QSqlDatabase& db, qint64 custId);
std::optional<QDate> orderDate(QSqlDatabase& db, qint64 custId, const QString& poNo);
// Item codes of an open order; nullopt when the order is tallied, cancelled or unknown.
std::optional<QStringList> openOrderItemCodes(QSqlDatabase& db, qint64 custId, const QString& poNo);
struct PickItem {
    qint64 itemId = 0;
    QString code, name;
};
// The items the heading-click picker lists: the order's, or every item without an order.
QList<PickItem> pickItems(QSqlDatabase& db, qint64 custId, const QString& poNo);
// The distinct texts earlier DCs carry, offered in the transport and purpose lists.
struct EarlierTexts {
    QStringList transport, vehicleNo, transFrom, transTo, deliveryPurpose;
};
EarlierTexts earlierTexts(QSqlDatabase& db);
// Particulars used before for an item, and the one to propose for a new line.
QStringList particularsOf(QSqlDatabase& db, qint64 itemId);
QString proposedParticulars(QSqlDatabase& db, qint64 itemId);

// Stk.Qty and PO Bal.Qty of an item as the DC being entered sees them: a stored DC's own
// quantity counts as available, since it is given back before the new one is taken.
struct Figures {
    double stock = 0;
    double poBalance = 0;
};
struct Context {
    qint64 custId = 0;
    QString poNo;
    std::optional<Dc> stored;  // the DC being modified
};
Figures figures(QSqlDatabase& db, const Context& c, qint64 itemId);

// ---- Rules.
// Header, lines, quantity limits (order balance; stock when it is reduced) and the DC
// number within its financial year, first failure wins. reduceStock: Misc.RedStkM; dcMode: the DC numbering mode
// (Misc.BookType), which decides which other kinds of DC share the number series.
std::optional<Problem> validate(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode);
std::optional<Problem> duplicateNumber(QSqlDatabase& db, const QString& dcNo, const QDate& dcDate, qint64 exceptId,
                                       int dcMode);
// Why a stored DC can no longer be modified (deleting = false) or deleted.
std::optional<Problem> changeBlock(QSqlDatabase& db, qint64 id, bool deleting);
// What a click into a stored DC's lines says instead of starting to modify it.
std::optional<Problem> clickBlock(QSqlDatabase& db, qint64 id);
// The question before Modify; a DC marked "Nil" carries a caution.
QString modifyQuestion(const Dc& stored);
// The notice shown when a DC being changed or deleted took nothing from stock.
std::optional<QString> stockNotice(const Dc& stored);
bool reducesStock(QSqlDatabase& db);

// Writes the DC: on Modify first gives back the order quantities and the stock the
// stored DC took, then writes header and lines, draws on the order, marks "Nil", tallies
// the order and issues the goods when reduceStock. Returns the DC's identifier: a new DC
// whose proposed one was taken meanwhile at another desk gets the next free one.
qint64 save(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock);
void remove(QSqlDatabase& db, qint64 id);

Print::Document print(QSqlDatabase& db, qint64 id);

}  // namespace kavra::sales::Dcs
