#pragma once
// Manual store transfer notes: material received into the stores by hand, outside any
// document. Numbers come from the stores' running register; a note whose lots have been
// issued from is fixed for good.
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Found.h"
#include "core/Refusal.h"

namespace kavra::inventory::TransferNotes {

// A line as typed on the screen.
struct Line {
    QString code;
    QString name;
    QString qty;
};

struct Note {
    qint64 id = 0;
    QString number;  // STNNo as typed
    QDate date;
    QString preparedBy;
    QString remarks;
    QList<Line> lines;  // wholly empty lines are left out before validation
};

// Manual notes in identifier order.
QList<qint64> ids(QSqlDatabase& db);
std::optional<Note> load(QSqlDatabase& db, qint64 id);
// The manual note with this number, or the message that none exists.
Found findByNumber(QSqlDatabase& db, const QString& number);

// The checks of Save and Modify in order; the first failure wins.
Check validate(QSqlDatabase& db, const Note& note, bool adding);
Check duplicateNumber(QSqlDatabase& db, const Note& note, bool adding);
// Inside the caller's transaction. Modify replaces every line; it is refused (Refused)
// when a line was issued from meanwhile. Returns the note's identifier.
qint64 save(QSqlDatabase& db, const Note& note, bool adding);
void remove(QSqlDatabase& db, qint64 id);

// The pick list by name, and the code of the first item of a picked name ("" for none).
QStringList itemNames(QSqlDatabase& db);
QString codeOfName(QSqlDatabase& db, const QString& name);

// The refusals of a note already issued from.
Check gridBlock(QSqlDatabase& db, qint64 id);
Check modifyBlock(QSqlDatabase& db, qint64 id);
Check deleteBlock(QSqlDatabase& db, qint64 id);

}  // namespace kavra::inventory::TransferNotes
