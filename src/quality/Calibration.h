#pragma once
// Instruments and gauges: each piece is an item of the instruments category with its own
// identification number, unique for that item, and the date its next calibration is due.
// Reports record calibrations made; they never move that date, the user sets it. An
// instrument with reports cannot be deleted.
//
// The due list holds the pieces whose date lies strictly inside a window around today:
// less than `before` days ahead and less than `crossed` days past.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Refusal.h"

namespace kavra::Calibration {

// The category whose items are instruments and gauges.
constexpr int kInstrumentCategory = 5;

struct Instrument {
    qint64 id = 0;
    qint64 itemId = 0;
    QString uniqueNo;
    QString freq, range, leastCount, otherDet;
    QDate nextCalibrate;
};

struct Report {
    qint64 instrumentId = 0;
    qint64 id = 0;  // CalibRepId
    QDate expected, done;
    QString number, status, authorised, details;
};

struct ItemChoice {
    qint64 itemId = 0;
    QString code;
};

QList<ItemChoice> instrumentItems(QSqlDatabase& db);
// The pieces of one instrument item, by identification number.
QList<Instrument> piecesOf(QSqlDatabase& db, qint64 itemId);
std::optional<Instrument> load(QSqlDatabase& db, qint64 id);
qint64 proposedId(QSqlDatabase& db);
Check validate(QSqlDatabase& db, const Instrument& in, bool adding);
// Inside a transaction; returns the identifier written (a taken proposal gets the next free one).
qint64 save(QSqlDatabase& db, const Instrument& in, bool adding);
Check deleteBlock(QSqlDatabase& db, qint64 id);
void remove(QSqlDatabase& db, qint64 id);

qint64 proposedReportId(QSqlDatabase& db);
Check validateReport(const Report& r);
qint64 saveReport(QSqlDatabase& db, const Report& r);
void removeReport(QSqlDatabase& db, qint64 reportId);

struct HistoryRow {
    Report report;
    QString itemCode, uniqueNo;
};
// Every report of the pieces of one instrument item, by report identifier.
QList<HistoryRow> history(QSqlDatabase& db, qint64 itemId);
// What View says before the grid, "" when there is history to show.
QString historyRefusal(QSqlDatabase& db, qint64 itemId);

struct DueWindow {
    int before = 30;   // "Due before"
    int crossed = 90;  // "Due date Crossed upto"
};

int daysLeft(const QDate& today, const QDate& next);
// The urgency class of a date in the list, first match of: overdue, today, within a week,
// this month, next month, later.
QString dueBy(const QDate& today, const QDate& next);
bool inWindow(const QDate& today, const QDate& next, DueWindow w);

struct DueRow {
    qint64 id = 0;
    QString item;  // "code(name)"
    QString uniqueNo;
    QDate dueOn;
    int daysLeft = 0;
    QString dueBy;
};
QList<DueRow> dueList(QSqlDatabase& db, const QDate& today, DueWindow w);
bool anyDue(QSqlDatabase& db, const QDate& today, DueWindow w);
QString dueTitle(const QDate& today, DueWindow w);

}  // namespace kavra::Calibration
