#pragma once
// Bills kept in the bill columns of the DC rows they cover. A bill has no table of its
// own: every DC row it covers carries the same bill values, and a bill is known by the
// row with the highest identifier among its DCs; its DCs are the rows with the same
// number, party and bill time. Once money is received against it (TotVal and Balance
// differ) it can no longer change.
//
// Writers run on the caller's connection inside the caller's transaction.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <functional>
#include <initializer_list>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"
#include "core/chain/Kinds.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"

namespace kavra::chain::Bills {

struct Choice {
    qint64 id = 0;
    QString text;
};

// A bill kind with what every bill shares: its texts and the columns a deleted bill clears
// (number, time, charges, terms, remarks, value, balance, debit note; line rates). The
// kind adds its own taxes to cleared (as numbers, 0) and its own texts.
BillKind standard(const DcKind* dc, const QString& book, const QString& note = QStringLiteral("Debit"));
// Clears these number columns to 0 and these flags to False on a deleted bill.
void clearsToo(BillKind& k, std::initializer_list<const char*> numbers, std::initializer_list<const char*> flags);

// ---- What the screen offers.
bool anyDc(QSqlDatabase& db, const BillKind& k);
// Parties with a DC still to bill, by name.
QList<Choice> partiesToBill(QSqlDatabase& db, const BillKind& k);
// The party's DCs still to bill, newest number first (numbers compared as numbers).
QList<Choice> openDcs(QSqlDatabase& db, const BillKind& k, qint64 party);
// These DCs with their numbers, in order of entry.
QList<Choice> dcChoices(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcIds);

// A DC line as a bill shows it: what was sent, net of rejections when the DC is billed that
// way, with the rate and discount the bill gives it.
struct Line {
    qint64 dcId = 0;
    QString dcNo;
    int slNo = 0;
    qint64 itemId = 0;
    QString itemCode, particulars, unit, altUnit;
    double qty = 0;
    double altQty = 0;    // the billing quantity, on kinds that bill in the item's other unit
    double rate = 0;      // rupees per unit, as typed
    double discount = 0;  // per cent
};
// The lines of these DCs that carry a value (not "NV"), in order of entry.
QVector<Line> lines(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcIds);
// Rate and discount of each line, first found of: the line of the order its DC quotes, the
// item's newest billed line, the item's own rate without discount.
void proposeRates(QSqlDatabase& db, const BillKind& k, qint64 party, QVector<Line>& lines);

// ---- Stored bills.
// One identifier per bill, by bill date and number.
QList<qint64> navigation(QSqlDatabase& db, const BillKind& k);
// The sort key of a bill in that order, and what changes whenever any desk adds or removes one.
QVariantList navigationKey(QSqlDatabase& db, const BillKind& k, qint64 id);
QVariant navigationStamp(QSqlDatabase& db, const BillKind& k);
// The bill a DC row belongs to; nullopt for a DC without one.
std::optional<qint64> billOf(QSqlDatabase& db, const BillKind& k, qint64 dcId);
// The DC rows of the bill the row id belongs to, in order of entry.
QList<qint64> dcsOf(QSqlDatabase& db, const BillKind& k, qint64 id);
// The newest bill with this number; with party numbers, the chosen party's.
Lookups::Found find(QSqlDatabase& db, const BillKind& k, const QString& invNo, qint64 party = 0);

// ---- Checks.
Check modifyBlock(QSqlDatabase& db, const BillKind& k, qint64 id);
Check deleteBlock(QSqlDatabase& db, const BillKind& k, qint64 id);
// The number in the bill date's financial year among other DCs of this kind, then in the
// other books sharing its series under the invoice mode; a party's own number among the
// party's other DCs of any year.
Check duplicateNumber(QSqlDatabase& db, const BillKind& k, const QString& invNo, const QDate& invDate,
                      const QList<qint64>& ownDcs, int invMode);

// ---- What every bill keeps beside its own taxes.
struct Head {
    qint64 party = 0;
    QList<qint64> dcIds;  // the DCs chosen
    QString invNo;
    QDateTime invDate;
    QString payTerm, invRem;
    double packForwd = 0;  // as entered: rupees, or per cent when packPerc
    bool packPerc = false;
    double finalDisc = 0;  // as entered: rupees, or per cent when finalDiscPerc
    bool finalDiscPerc = false;
    double otherCharges = 0;  // rupees
};
// The bill time as its text column keeps it.
QString dateText(const QDateTime& dt);
// The refusals every bill's lines share, in the line's order: the billing quantity (kinds
// billing in the other unit), the rate, the discount, an amount too large.
Check linesCheck(const BillKind& k, const QVector<Line>& lines);
// Charges and taxes typed: none negative, none too large to be an amount.
Check chargesCheck(std::initializer_list<double> values);
// A percentage charge is kept as the amount it gave; read back, it is that percentage of the
// same base again, the packing first since the final discount's base includes it. bases(p)
// gives the line total and the value before the final discount with the packing typed as p.
struct TypedCharges {
    double packForwd = 0, finalDisc = 0;
};
TypedCharges chargesAsTyped(double storedPack, bool packPerc, double storedDisc, bool discPerc,
                            const std::function<QPair<double, double>(double packForwd)>& bases);
// The number typed: empty or "Nil" (the mark of a DC that needs no bill) is refused.
Check numberCheck(const QString& invNo);
// The common columns: number and time, the charges as stored amounts, terms, remarks, the
// value and a balance equal to it, no note (note + "Amt", note + "Rem").
Row headColumns(const Head& h, double storedPack, double storedFinal, Money total,
                const QString& note = QStringLiteral("Debit"));
// Saves a bill: takes its DCs (refused when none is left), asks the number again, writes
// columns into every DC row and each line's rate, discount and billing quantity. Returns
// the bill's identifier.
qint64 save(QSqlDatabase& db, const BillKind& k, const Head& h, const Row& columns, const QVector<Line>& lines,
            qint64 shownId, int invMode);

// ---- Writing.
// The DCs a save writes: the shown bill's when modifying (refused once money came in),
// else the chosen ones, each still the party's and still without a bill.
QList<qint64> take(QSqlDatabase& db, const BillKind& k, qint64 party, const QList<qint64>& chosen, qint64 shownId);
// Writes the bill columns into every DC row. fresh: a new bill, refused when any row was
// billed meanwhile at another desk; else a change, refused when any row lost its bill.
void write(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcs, const Row& bill, bool fresh);
// Writes rate and discount into each billed line; a line no longer there is refused.
struct LineRate {
    qint64 dcId = 0;
    int slNo = 0;
    double rate = 0, discount = 0;
    double altQty = 0;  // kinds billing in the item's other unit
};
void writeRates(QSqlDatabase& db, const BillKind& k, const QList<qint64>& dcs, const QList<LineRate>& lines);
// Makes the bill's DCs billable again; one deleted meanwhile is refused.
void clear(QSqlDatabase& db, const BillKind& k, qint64 id);

}  // namespace kavra::chain::Bills
