#pragma once
// The breakdown log: when a machine stopped and when it ran again (a stop may run over
// midnight, never end before it began), what was wrong, what was done and what it cost.
#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"

namespace kavra::Breakdowns {

struct Breakdown {
    qint64 id = 0;
    QDate date;
    qint64 machId = 0;
    QDateTime from, to;
    QString details, corrective;
    Money amount;
};

QList<qint64> ids(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Breakdown> load(QSqlDatabase& db, qint64 id);
Check validate(const Breakdown& b);
qint64 save(QSqlDatabase& db, const Breakdown& b, bool adding);
void remove(QSqlDatabase& db, qint64 id);

// "5 Hrs. 30 Mins"
QString timeSpent(const QDateTime& from, const QDateTime& to);

struct HistoryRow {
    Breakdown b;
    QString machName;
};
// Rows dated from..to, of one machine (0: all), by identifier.
QList<HistoryRow> history(QSqlDatabase& db, const QDate& from, const QDate& to, qint64 machId);
QString printTitle(const QDate& from, const QDate& to);

}  // namespace kavra::Breakdowns
