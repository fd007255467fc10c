#pragma once
// The main window's start-up and shut-down work: compaction, backup copies, the
// login record's logout time and the reminders.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace kavra::House {

inline constexpr int kBackupsKept = 16;
inline constexpr int kCompactEveryDays = 8;

// Compaction is due when LastCompactDB is 8 or more days old (an empty date counts as
// 1000 days). Whether it may run is for the database's holds to prove (Presence::takeAlone):
// when another program has it open it waits for another day.
bool autoCompactDue(QSqlDatabase& db, const QDate& today);
void setLastCompact(QSqlDatabase& db, const QDate& today);
// Compacts the company and start-up databases; no connection to them may be open.
void compactAll(const QString& companyDb);
// First copies each database into DB_BKUP/AUTOCompactDB, then compacts.
void autoCompact(const QString& backupFolder, const QString& companyDb);

// Puts a checked copy (a backup) in place of the company database, when no running program
// has it open; the current files are kept aside and their name returned. Throws DbError
// with the reason otherwise, changing nothing.
QString restoreCopy(const QString& companyDb, const QString& copy, const QDateTime& now);

// Numbered copies DB<n>.db in folder: the database is copied as the next number, under a
// temporary name until the copy is complete, then with 16 or more present the lowest is
// removed. A copy cut short (a killed program) leaves only a temporary file, never counted
// and removed by the next backup. The copy is checked later (verifyBackups), so that
// closing never waits for a check. Returns the number written.
int writeBackup(const QString& folder, const QString& companyDb);
// Checks every copy not checked yet (quick check); a bad one is kept aside as DB<n>.bad.db,
// no longer counted or offered; except: a copy's number left for next time. Returns what
// was found wrong, one line per bad copy.
QStringList verifyBackups(const QString& folder, int except = 0);
// The same on a thread of its own, so that closing does not wait for it; finishBackup waits
// (the program calls it before it ends) and returns what went wrong, "" when nothing did.
void startBackup(const QString& folder, const QString& companyDb);
QString finishBackup();
// The numbered copies in folder, newest first.
QStringList backups(const QString& folder);

void recordLogout(QSqlDatabase& db, qint64 logId, const QDateTime& now);

// The organiser's reminders due today, as one message; "" when none.
QString organiserReminders(QSqlDatabase& db, qint64 userId, const QDate& today);

}  // namespace kavra::House
