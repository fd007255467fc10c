#pragma once
// The stores as lots. A transfer note (STN) brings material in; each of its lines keeps
// the balance not yet issued. An issue takes its quantity from the item's open lines,
// oldest note first, and records what it drew so that reversing it gives back exactly
// that. Stock on hand is the sum of open balances.
//
// Every routine here writes on the caller's connection and opens no transaction of its
// own: the document that raises a note or an issue wraps its whole save in one
// (Sql::transaction), so a refusal thrown from here leaves nothing written.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include "core/Refusal.h"
#include "core/chain/Kinds.h"

namespace kavra::inventory {

// STN.TS: where a note came from.
enum class NoteSource { Manual = 1, PurchaseBill = 2, SubconIncoming = 3, LabourIncoming = 4 };
// StoreIss.TI: what raised an issue.
enum class IssueSource { Manual = 1, MfgDc = 2, SubconOutgoing = 3, LabourOutgoing = 4 };

struct NoteLine {
    qint64 itemId = 0;
    double qty = 0;
    std::optional<double> rate{};  // what the lot is valued at; none: the item's Rate
};

struct IssueLine {
    qint64 itemId = 0;
    qint64 category = 0;  // StoreIssSub.catC
    double qty = 0;
};

namespace Stores {

// Running numbers shared by all topics of AutoCITS / AutoCITI; a number taken and not
// used is never given again. (Taken inside a transaction that is rolled back, SQLite may
// give it again; nothing refers to it then.)
qint64 takeNoteNumber(QSqlDatabase& db, int topic = 1);
qint64 takeIssueNumber(QSqlDatabase& db, int topic = 1);

// A note raised by a document (today, party as PrepBy); returns its Id, to be kept in
// the document's STNId. Lines without a positive quantity are left out.
qint64 raiseNote(QSqlDatabase& db, NoteSource source, const QString& party, const QList<NoteLine>& lines);
// True when any line of the note has been issued from.
bool noteDrawnOn(QSqlDatabase& db, qint64 stnId);
// Removes a note no lot of which has been issued from; one drawn on meanwhile (by another
// workstation, after the caller's noteDrawnOn) makes it throw Refused and keep everything.
void deleteNote(QSqlDatabase& db, qint64 stnId);

// Stock on hand of an item; of several at once.
double stockOf(QSqlDatabase& db, qint64 itemId);
QHash<qint64, double> stockOf(QSqlDatabase& db, const QList<qint64>& itemIds);

// The stores side of a document that sends goods out (an issue from the lots) or brings
// them in (a note), switched on by the company setting named.
chain::StockLink issueLink(IssueSource source, const QString& setting);
chain::StockLink noteLink(NoteSource source, const QString& setting);

// An issue raised by a document (or the material issue screen); returns its Id, to be
// kept in the document's StoreIssId. Stock is checked again while the lots are taken,
// so two workstations issuing at once can never drive a lot below zero: the one that
// finds too little throws Refused with shortMessage (or the stores' own message when
// empty).
qint64 raiseIssue(QSqlDatabase& db, IssueSource source, const QDate& day, const QString& toWhom, const QString& remarks,
                  const QList<IssueLine>& lines, const QString& shortMessage = {});
// Gives back exactly what the issue drew and removes it; an issue already removed (at
// another desk) throws Refused with issueGoneMessage.
void reverseIssue(QSqlDatabase& db, qint64 issueId);

// ---- Added for the stores' own screens and checks.

QString issueGoneMessage();
// The refusal of an issue larger than the stock.
QString shortStockMessage();
// Quantities are kept to six decimals, so that taking a part of a lot and giving it
// back ends on the very value the lot started with.
double roundQty(double q);

struct StockRow {
    qint64 itemId = 0;
    QString itemCode;
    double stock = 0;
};
// Items of a category (0: every item) by code, with their stock on hand.
QList<StockRow> stockOfCategory(QSqlDatabase& db, qint64 category);

struct IssueRow {
    qint64 issueId = 0;
    QString category;
    QString itemCode;
    QString unit;
    double qty = 0;
    QString toWhom;   // as stored, leading blank included
    QString remarks;  // as stored
};
// The manual issues of a day, one row per issue line, in issue order.
QList<IssueRow> manualIssuesOn(QSqlDatabase& db, const QDate& day);

}  // namespace Stores
}  // namespace kavra::inventory
