#pragma once
// Orders of every chain. Each line keeps one running balance per direction (what is
// still to send, still to receive), which DCs and bills lower and give back; the header
// flag of a balance is True while no line has any of it left. An order any document
// has drawn on is "partly processed": its party, number and date and the item of a drawn
// line stay fixed, and a line cannot go below what was drawn on it.
//
// Writers run on the caller's connection inside the caller's transaction
// (Sql::transaction); a Refused thrown from them leaves nothing written.
#include <QDate>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Refusal.h"
#include "core/chain/Kinds.h"
#include "core/chain/Lookups.h"

namespace kavra::chain::Orders {

struct Line {
    QString itemCode, itemName, uom;
    double qty = 0;
    double rate = 0;      // rupees per unit, as typed
    double discount = 0;  // per cent
    Row extra;            // the kind's own line columns
    // As stored; filled by lines().
    int slNo = 0;
    qint64 itemId = 0;
    QList<double> balances;  // one per balance of the kind
};

// The columns every order has; the kind's others go in more.
struct Header {
    qint64 id = 0;
    qint64 party = 0;
    QString poNo;
    QDate poDate;
    Row more;
};

QList<qint64> ids(QSqlDatabase& db, const OrderKind& k);
qint64 proposedId(QSqlDatabase& db, const OrderKind& k);
// PerYear numbers: the number of the latest order entered in day's financial year, plus 1;
// "1" when that year has none yet.
QString proposedNumber(QSqlDatabase& db, const OrderKind& k, const QDate& day);
QList<Line> lines(QSqlDatabase& db, const OrderKind& k, qint64 id);
// The number, date and party of a stored order.
std::optional<Header> header(QSqlDatabase& db, const OrderKind& k, qint64 id);
// The party's orders (identifier and number), in order of entry.
QList<QPair<qint64, QString>> ordersOf(QSqlDatabase& db, const OrderKind& k, qint64 party);
bool partlyProcessed(QSqlDatabase& db, const OrderKind& k, qint64 id);
// The order a document names by party and number; nullopt when there is none.
std::optional<qint64> idOf(QSqlDatabase& db, const OrderKind& k, qint64 party, const QString& poNo);

// Σ (Qty × Rate − Qty × Rate × Discount ÷ 100), in double precision.
double lineAmount(const Line& l);
double lineTotal(const QList<Line>& lines);

// ---- Checks, in the order a save makes them.
// A changed ReTrkRej of a stored order that a document of the kind's reTrackBy names.
Check reTrackBlock(QSqlDatabase& db, const OrderKind& k, qint64 id, bool wanted);
// Duplicate items, an empty grid, then each line's checks in the kind's order.
Check validateLines(QSqlDatabase& db, const OrderKind& k, qint64 id, bool adding, const QList<Line>& lines);
// The number taken by another order: per party, or within the order date's financial year.
Check duplicateNumber(QSqlDatabase& db, const OrderKind& k, const Header& h, bool adding);
Check deleteBlock(QSqlDatabase& db, const OrderKind& k, qint64 id);

// Writes header and lines and keeps each balance and tally flag in step with what was
// drawn. Returns the order's identifier: a new order whose proposed one was taken
// meanwhile at another desk gets the next free one.
qint64 save(QSqlDatabase& db, const OrderKind& k, Header h, const QList<Line>& lines, bool adding);
void remove(QSqlDatabase& db, const OrderKind& k, qint64 id);
void setCancelled(QSqlDatabase& db, const OrderKind& k, qint64 id, bool cancelled);
// Sets every balance's flag from the lines.
void retally(QSqlDatabase& db, const OrderKind& k, qint64 id);

// PerParty numbers pick among the parties' orders; PerYear numbers show the newest order of that number.
Lookups::Found find(QSqlDatabase& db, const OrderKind& k, const QString& poNo, qint64 party);
// Rate and discount of the item's line on the latest order of the kind, else (where the
// kind says so) the item's own rate.
std::optional<QPair<double, double>> proposedRate(QSqlDatabase& db, const OrderKind& k, qint64 itemId);

// ---- Orders to our suppliers: the party's details are shown, not kept, with the people
// named on its earlier orders (KindAttn) and the terms (Body) of its latest one.
struct PartyDetails {
    QString name, address, cst, kst;
    // The contacts named on the party's earlier orders, then the party's own contact.
    QStringList contacts;
};
PartyDetails partyDetails(QSqlDatabase& db, const OrderKind& k, qint64 party);
// The terms of the party's latest order, "" when there is none.
QString latestTerms(QSqlDatabase& db, const OrderKind& k, qint64 party);

// ---- What documents drawing on a balance see.
// The party's orders still open for that balance (not tallied, not cancelled), in order of entry.
QStringList openOrders(QSqlDatabase& db, const OrderKind& k, int balance, qint64 party);
std::optional<qint64> openOrderId(QSqlDatabase& db, const OrderKind& k, int balance, qint64 party, const QString& poNo);
QStringList itemCodes(QSqlDatabase& db, const OrderKind& k, qint64 poId);
// What is left of a balance per item of the order.
QHash<qint64, double> balancesOf(QSqlDatabase& db, const OrderKind& k, int balance, qint64 poId);

// Draws a document's lines on an order's balance, the order's lines read once; a line
// larger than what is left is refused with the kind's limit text. Giving back and taking
// are counted in memory: finish() writes each line that moved once, then the tally flags.
class Draw {
  public:
    Draw(QSqlDatabase& db, const OrderKind& k, int balance, qint64 poId);
    void take(qint64 itemId, double qty, int row, const QString& limitText);
    void giveBack(qint64 itemId, double qty);
    void finish();

  private:
    struct Left {
        int slNo = 0;
        double left = 0;
        double change = 0;  // not written yet
    };
    QSqlDatabase& db_;
    const OrderKind& k_;
    int balance_;
    qint64 poId_;
    QHash<qint64, QList<Left>> lines_;
};

// ---- Giving an order another number (and date): the order and every document of that
// party that quotes the old number.
struct NumberChange {
    qint64 orderId = 0;
    QString newNo;
    QDate newDate;
};
Check numberChangeBlock(QSqlDatabase& db, const OrderKind& k, const NumberChange& c);
void changeNumber(QSqlDatabase& db, const OrderKind& k, const NumberChange& c);

}  // namespace kavra::chain::Orders
