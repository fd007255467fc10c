#pragma once
// Delivery challans of every chain. A DC against a party's open order takes each line's
// quantity from the order line of the same item (the balance its kind draws); with the
// company's stock link of the kind on it also issues the goods from the stores or brings
// them in. Changing or deleting a DC first gives back exactly what it took.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Kinds.h"
#include "core/chain/Lookups.h"

namespace kavra::chain::Challans {

struct Line {
    QString itemCode;
    QString particulars;
    double qty = 0;
    QString remark;  // "NV": no invoice value
    Row extra;       // the kind's own line columns
    // What the stores take in or give out when it is not the Qty (a bill counting the order
    // in one unit and the stock in another).
    std::optional<double> stockQty{};
    // The rate the stores value what comes in at, when the document has one (a bill's net
    // rate); otherwise the item's own.
    std::optional<double> stockRate{};
    // As stored; filled by lines().
    int slNo = 0;
    qint64 itemId = 0;
    double openBalance = 0;  // what is still open of it, on kinds that keep it
    // What it took from the DCs it answers (their identifier, the quantity), on kinds that draw.
    QList<QPair<qint64, double>> drawn{};
    double rate = 0;  // on kinds with line rates
};

// The columns every DC has; the kind's others go in more.
struct Dc {
    qint64 id = 0;
    qint64 party = 0;
    QString dcNo;
    QDate dcDate;
    QString poNo;  // "" when the DC is not against an order
    QDate poDate;
    Row more;
    QList<Line> lines;
    QString refDcNo{};  // on kinds that draw: the one DC answered, "" for any open one
};

// What a stored DC took: enough to give it back.
struct Stored {
    qint64 id = 0;
    qint64 party = 0;
    QString dcNo, poNo;
    std::optional<qint64> stockId;
    QList<Line> lines;
};

// A DC as its screen shows and edits it: the columns every DC has and those its kind keeps.
struct Record {
    qint64 id = 0;
    qint64 party = 0;  // 0: none chosen
    QString dcNo;
    QDate dcDate;
    QString poNo;  // "" when not against an order
    QDate poDate;
    QString transport, vehicleNo, transFrom, transTo, remark;
    QString deliveryPurpose;      // kinds with a purpose
    bool signedReturned = false;  // the party's signed copy came back
    QString refDcNo;              // kinds that draw: the one DC answered, "" for any open one
    QString estiWt;               // kinds with weight and due date
    std::optional<QDate> dueDate;
    QList<Line> lines;
    // As stored; filled by record().
    QDate refDcDate;
    bool tallied = false;
    std::optional<QString> invNo;  // nullopt while awaiting its bill
    std::optional<qint64> stockId;
    std::optional<Money> totVal, balance;
};
std::optional<Record> record(QSqlDatabase& db, const DcKind& k, qint64 id);
// The record as the engine writes it, with the kind's own columns.
Dc toDc(const DcKind& k, const Record& r);
Stored storedOf(const Record& r);

// The carriage texts and remarks a DC header keeps, empty ones as a single blank.
Row carriage(const QString& transport, const QString& vehicleNo, const QString& transFrom, const QString& transTo,
             const QString& remark);
// The rejection columns of a line as a DC saves it: nothing rejected or reworked yet.
Row unrejected();

QList<qint64> ids(QSqlDatabase& db, const DcKind& k);
qint64 proposedId(QSqlDatabase& db, const DcKind& k);
QList<Line> lines(QSqlDatabase& db, const DcKind& k, qint64 id);
std::optional<Stored> stored(QSqlDatabase& db, const DcKind& k, qint64 id);

// The DC of that number: the newest one for book numbers (they restart every year), the
// party's for party numbers.
Lookups::Found find(QSqlDatabase& db, const DcKind& k, const QString& dcNo, qint64 party);

// ---- What the screen offers.
QStringList openOrders(QSqlDatabase& db, const DcKind& k, qint64 party);
std::optional<QDate> orderDate(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo);
// Item codes of an open order; nullopt when the order is tallied, cancelled or unknown.
std::optional<QStringList> openOrderItemCodes(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo);
// The items the heading-click picker lists: the order's, or every item without an order; on
// kinds that draw, only the items the answered DCs still hold.
QList<ItemRef> pickItems(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo,
                         const QString& refDcNo = {});

// ---- Kinds that draw on the open balance of another kind's DCs.
// Parties whose DCs of the other kind still hold something.
QList<qint64> partiesWithOpen(QSqlDatabase& db, const DcKind& k);
// Their open DCs' numbers, of the order when one is given, oldest first.
QStringList openSources(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& poNo);
std::optional<QDate> sourceDate(QSqlDatabase& db, const DcKind& k, qint64 party, const QString& dcNo);
// The stored track "dcid,qty,dcid,qty" and back; every pair is read.
QList<QPair<qint64, double>> parseTrack(const QString& track);
QString trackText(const QList<QPair<qint64, double>>& pairs);
// Some line of an opening DC has been drawn on.
bool drawnOn(QSqlDatabase& db, const DcKind& k, qint64 id);
// The company's stock link for this kind is on.
bool linkedToStock(QSqlDatabase& db, const DcKind& k);

// Stock on hand and the order's balance of items as the DC being entered sees them: a
// stored DC's own quantity counts as available, since it is given back before the new one
// is taken.
struct Figures {
    double stock = 0;
    double poBalance = 0;
    double onHand = 0;  // on kinds that draw: what the DCs answered still hold
};
struct Context {
    qint64 party = 0;
    QString poNo;
    std::optional<Stored> stored;  // the DC being modified
    QString refDcNo{};             // on kinds that draw: the one DC answered
};
QHash<qint64, Figures> figures(QSqlDatabase& db, const DcKind& k, const Context& c, const QList<qint64>& itemIds);

// ---- Rules.
// Header, lines, quantity limits (the order's balance; stock when it is reduced) and the
// DC number, first failure wins.
Check validate(QSqlDatabase& db, const DcKind& k, const Dc& dc, bool adding, bool reduceStock, int dcMode);
// The number taken: in this kind's table (per party or within the DC date's financial year),
// then in the other books sharing its series under the mode.
Check duplicateNumber(QSqlDatabase& db, const DcKind& k, const Dc& dc, qint64 exceptId, int dcMode);

// The kind's blocks of a stored DC, first found wins.
Check changeBlock(QSqlDatabase& db, const DcKind& k, qint64 id, bool deleting);
Check clickBlock(QSqlDatabase& db, const DcKind& k, qint64 id);

// What a kind adds to the save: the checks that stop a change (asked again inside the
// transaction), and its own effects once the lines are written.
struct Hooks {
    std::function<Check(QSqlDatabase&, qint64 id, bool deleting)> changeBlock;
    std::function<void(QSqlDatabase&, const Dc&)> afterLines;
};

// Writes the DC: on Modify first gives back what the stored DC took from its order and
// the stores, then writes header and lines, draws on the order, tallies it and moves the
// stock when reduceStock. Returns the DC's identifier: a new DC whose proposed one was
// taken meanwhile at another desk gets the next free one.
qint64 save(QSqlDatabase& db, const DcKind& k, Dc dc, bool adding, bool reduceStock, int dcMode, const Hooks& hooks);
void remove(QSqlDatabase& db, const DcKind& k, qint64 id, const Hooks& hooks);

}  // namespace kavra::chain::Challans
