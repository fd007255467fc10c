#pragma once
// The rules of start-up and login: financial years, workstation registration, the
// user and password checks and the login record.
#include <QDateTime>
#include <QLocale>
#include <QSqlDatabase>
#include <QStringList>
#include <optional>

#include "core/Dialogs.h"

namespace kavra::Login {

// "2026-27" for the year from 1 April 2026.
QString yearLabel(int minYear);
// "DB2026_27" for "2026-27".
QString companyDbOfLabel(const QString& label);
int minYearOfLabel(const QString& label);

QStringList yearLabels(QSqlDatabase& start);
QString currentYearLabel(QSqlDatabase& start);
int latestMinYear(QSqlDatabase& start);  // 0 when there is no year
void makeCurrent(QSqlDatabase& start, int minYear);

QString clockQuestion(const QDate& today);
QString newYearAlert(int y);
// "" when the locale writes today's date as dd/MM/yyyy; else the refusal.
QString dateFormatProblem(const QLocale& locale, const QDate& today);

struct Workstation {
    QString ip;
    QString host;
};
Workstation localWorkstation();
// Adds or refreshes the ImpSystems row of ip; returns its SysId.
qint64 registerWorkstation(QSqlDatabase& db, const Workstation& ws, const QDateTime& now);

QStringList userNames(QSqlDatabase& db);
// The latest login time when it lies after now (the clock was put back).
std::optional<QDateTime> clockBehindLastLogin(QSqlDatabase& db, const QDateTime& now);
QString clockBehindMessage(const QDateTime& last);

struct Refusal {
    enum Focus { None, Year, Name, Password };
    QString title;
    QString text;
    MsgIcon icon = MsgIcon::Critical;
    Focus focus = None;
};
// The user and password checks of the Login button; userId is set when they pass.
std::optional<Refusal> checkCredentials(QSqlDatabase& db, const QString& name, const QString& password, qint64* userId);
// How long the login waits after this many wrong tries in a row, in milliseconds: the first
// three are free, then 2, 4, 8 ... seconds up to a minute, so guessing a password takes days.
int delayAfterFailures(int failures);
// Notes a refused login in the error log: the name typed, the workstation and why.
void recordFailure(QSqlDatabase& db, const QString& name, const Workstation& ws, const Refusal& why,
                   const QDateTime& now);
// Writes this login's Logs row, keeping about 500 rows; returns its id.
qint64 recordLogin(QSqlDatabase& db, qint64 userId, const QDateTime& now);

}  // namespace kavra::Login
