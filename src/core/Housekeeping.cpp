#include "core/Housekeeping.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <filesystem>
#include <thread>

#include "core/Db.h"
#include "core/Sql.h"

namespace kavra::House {

bool autoCompactDue(QSqlDatabase& db, const QDate& today) {
    const QDate last = Db::toDate(Sql::scalar(db, QStringLiteral("select LastCompactDB from Misc")));
    const qint64 days = last.isValid() ? last.daysTo(today) : 1000;
    return days >= kCompactEveryDays;
}

void setLastCompact(QSqlDatabase& db, const QDate& today) {
    Sql::exec(db, QStringLiteral("update Misc set LastCompactDB=?"), {Db::day(today)});
}

void compactAll(const QString& companyDb) {
    Db::compact(companyDb);
    Db::compact(QStringLiteral("DBStart"));
}

void autoCompact(const QString& backupFolder, const QString& companyDb) {
    verifyBackups(backupFolder);
    const QString dir = backupFolder + QStringLiteral("/AUTOCompactDB");
    QDir().mkpath(dir);
    for (const QString& name : {companyDb, QStringLiteral("DBStart")})
        Db::copyToFile(name, dir + QLatin1Char('/') + name + QStringLiteral(".db"));
    compactAll(companyDb);
}

QString restoreCopy(const QString& companyDb, const QString& copy, const QDateTime& now) {
    Db::Presence alone(companyDb);
    if (!alone.takeAlone())
        throw DbError(
            QStringLiteral("Kavra is running at another workstation on this database, so it was not "
                           "restored. Restore it when every other workstation has closed Kavra."));
    const QString aside = Db::restore(companyDb, copy, now);
    alone.share();
    return aside;
}

namespace {
// The number of a copy's file name, 0 when the name is not a numbered copy.
int copyNumber(const QString& file) {
    static const QRegularExpression re(QStringLiteral("^DB(\\d+)\\.db$"));
    const auto m = re.match(file);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// A hidden file beside a copy not checked yet.
QString uncheckedMark(const QString& copy) {
    const QFileInfo f(copy);
    return f.absolutePath() + QStringLiteral("/.") + f.fileName() + QStringLiteral(".unchecked");
}

std::thread g_backup;
QString g_backupProblem;
}  // namespace

QStringList backups(const QString& folder) {
    QList<int> numbers;
    for (const QString& f : QDir(folder).entryList({QStringLiteral("DB*.db")}, QDir::Files))
        if (const int n = copyNumber(f)) numbers << n;
    std::sort(numbers.begin(), numbers.end(), std::greater<int>());
    QStringList out;
    for (int n : numbers) out << QDir(folder).filePath(QStringLiteral("DB%1.db").arg(n));
    return out;
}

int writeBackup(const QString& folder, const QString& companyDb) {
    QDir dir(folder);
    if (!dir.exists()) QDir().mkpath(folder);
    // Left by a copy that was cut short.
    for (const QString& f : dir.entryList({QStringLiteral("DB*.db.part")}, QDir::Files)) QFile::remove(dir.filePath(f));
    QList<int> numbers;
    for (const QString& f : dir.entryList({QStringLiteral("DB*.db")}, QDir::Files))
        if (const int n = copyNumber(f)) numbers << n;
    std::sort(numbers.begin(), numbers.end());
    const int next = numbers.isEmpty() ? 1 : numbers.last() + 1;
    const QString target = dir.filePath(QStringLiteral("DB%1.db").arg(next));
    const QString part = target + QStringLiteral(".part");
    Db::copyToFile(companyDb, part);
    // Marked before it counts, so that a copy is never taken for checked without its check.
    QFile(uncheckedMark(target)).open(QIODevice::WriteOnly);
    std::error_code ec;
    std::filesystem::rename(part.toStdString(), target.toStdString(), ec);
    if (ec) {
        QFile::remove(part);
        QFile::remove(uncheckedMark(target));
        throw DbError(QString::fromStdString(ec.message()));
    }
    // Only a complete copy costs the oldest one its place.
    while (numbers.size() >= kBackupsKept) {
        const QString old = dir.filePath(QStringLiteral("DB%1.db").arg(numbers.takeFirst()));
        QFile::remove(old);
        QFile::remove(uncheckedMark(old));
    }
    return next;
}

QStringList verifyBackups(const QString& folder, int except) {
    QStringList problems;
    QDir dir(folder);
    for (const QString& mark : dir.entryList({QStringLiteral(".DB*.db.unchecked")}, QDir::Files | QDir::Hidden)) {
        const QString copy = dir.filePath(mark.mid(1).chopped(int(qstrlen(".unchecked"))));
        if (except != 0 && copyNumber(QFileInfo(copy).fileName()) == except) continue;
        if (!QFile::exists(copy)) {
            QFile::remove(dir.filePath(mark));
            continue;
        }
        const QString problem = Db::checkCopy(copy, data::DbKind::Company, false);
        if (!problem.isEmpty()) {
            const QString aside = copy.chopped(3) + QStringLiteral(".bad.db");
            QFile::remove(aside);
            QFile::rename(copy, aside);
            problems << QStringLiteral("%1: %2").arg(QFileInfo(copy).fileName(), problem);
        }
        QFile::remove(dir.filePath(mark));
    }
    return problems;
}

void startBackup(const QString& folder, const QString& companyDb) {
    finishBackup();
    g_backupProblem.clear();
    g_backup = std::thread([folder, companyDb] {
        try {
            // The copies of earlier closes, now that this one is safe; this one's turn is next time.
            const int n = writeBackup(folder, companyDb);
            const QStringList bad = verifyBackups(folder, n);
            if (!bad.isEmpty())
                g_backupProblem = QStringLiteral("an earlier copy failed its check and was set aside: ") +
                                  bad.join(QStringLiteral("; "));
        } catch (const DbError& e) {
            g_backupProblem = QStringLiteral("the copy was not written: ") + e.text();
        }
    });
}

QString finishBackup() {
    if (g_backup.joinable()) g_backup.join();
    return g_backupProblem;
}

void recordLogout(QSqlDatabase& db, qint64 logId, const QDateTime& now) {
    Sql::exec(db, QStringLiteral("update Logs set OutTime=? where id=?"), {Db::ts(now), logId});
}

QString organiserReminders(QSqlDatabase& db, qint64 userId, const QDate& today) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select dateT, alarmb4, Descr from sch where userid=? order by dateT"), {userId});
    QStringList lines;
    const QDateTime t0 = today.startOfDay();
    while (q.next()) {
        const QDateTime at = Db::toDateTime(q.value(0));
        const QDateTime from = at.addDays(-q.value(1).toInt());
        if (t0 >= from && t0 <= at)
            lines << at.toString(QStringLiteral("dd/MM/yyyy HH:mm")) + QStringLiteral(" :") + q.value(2).toString();
    }
    if (lines.isEmpty()) return {};
    return QStringLiteral("--ORGANISED SCHEDULES--\n") + lines.join(QLatin1Char('\n'));
}

}  // namespace kavra::House
