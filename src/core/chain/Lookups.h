#pragma once
// Look-ups every document save and screen makes, each one statement for all the lines:
// items by code, the particulars texts of DC lines, units of measure, and the search by a
// number that is unique only per party.
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Found.h"
#include "core/chain/Kinds.h"

namespace kavra::chain {

struct ItemRef {
    qint64 id = 0;
    qint64 category = 0;
    QString code, name, unit;
};

namespace Lookups {

// The items of these codes, keyed by the code as typed (codes compare without regard to case).
QHash<QString, ItemRef> itemsByCode(QSqlDatabase& db, const QStringList& codes);
QHash<qint64, ItemRef> itemsById(QSqlDatabase& db, const QList<qint64>& ids);

// The ProductL identifiers of these particulars texts, adding the texts not there yet
// (for the item they were first typed with). Keyed by the trimmed text.
QHash<QString, qint64> particularsIds(QSqlDatabase& db, const QList<QPair<QString, qint64>>& textAndItem);
// Particulars used before for an item, and the one to propose for a new line.
QStringList particularsOf(QSqlDatabase& db, qint64 itemId);
QString proposedParticulars(QSqlDatabase& db, qint64 itemId);

// The common duplicate-item check over these codes: its message, or "" when no item repeats.
QString duplicateItems(const QStringList& codes);

// Adds the units of measure not yet known, with the name "-".
void addUnits(QSqlDatabase& db, const QStringList& units);

// The distinct texts of these columns on the latest rows of a table (newest first by its
// key), at most limit of each: what earlier documents carried, for the lists offering them.
QList<QStringList> recentTexts(QSqlDatabase& db, const QString& table, const QString& key, const QStringList& columns,
                               int limit = 300);

// A document found by a number unique only per party: the chosen party (0: none) picks
// among several; the message says which was shown.
using kavra::Found;
Found byPartyNumber(QSqlDatabase& db, const QString& table, const QString& key, const QString& numberCol,
                    const QString& partyCol, const QString& number, qint64 party, const FindTexts& texts);

}  // namespace Lookups
}  // namespace kavra::chain
