#include "core/Housekeeping.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include "core/Db.h"
#include "core/Sql.h"

namespace kavra::House {

bool autoCompactDue(QSqlDatabase& db, qint64 sysId, const QDate& today) {
    const QDate last = Db::toDate(Sql::scalar(db, QStringLiteral("select LastCompactDB from Misc")));
    const qint64 days = last.isValid() ? last.daysTo(today) : 1000;
    const qint64 others =
        Sql::scalar(db, QStringLiteral("select count(*) from OnlineUsers where SysId<>?"), {sysId}).toLongLong();
    return others == 0 && days >= kCompactEveryDays;
}

void setLastCompact(QSqlDatabase& db, const QDate& today) {
    Sql::exec(db, QStringLiteral("update Misc set LastCompactDB=?"), {Db::day(today)});
}

void compactAll(const QString& companyDb) {
    Db::compact(companyDb);
    Db::compact(QStringLiteral("DBStart"));
}

void autoCompact(const QString& backupFolder, const QString& companyDb) {
    const QString dir = backupFolder + QStringLiteral("/AUTOCompactDB");
    QDir().mkpath(dir);
    for (const QString& name : {companyDb, QStringLiteral("DBStart")})
        Db::copyToFile(name, dir + QLatin1Char('/') + name + QStringLiteral(".db"));
    compactAll(companyDb);
}

int writeBackup(const QString& folder, const QString& companyDb) {
    QDir dir(folder);
    if (!dir.exists()) QDir().mkpath(folder);
    QList<int> numbers;
    for (const QString& f : dir.entryList({QStringLiteral("DB*.db")}, QDir::Files)) {
        bool ok = false;
        const int n = f.mid(2, f.size() - 5).toInt(&ok);
        if (ok) numbers << n;
    }
    std::sort(numbers.begin(), numbers.end());
    int next = numbers.isEmpty() ? 1 : numbers.last() + 1;
    // Write the new copy first, so a failed copy never costs the oldest good one.
    const QString target = dir.filePath(QStringLiteral("DB%1.db").arg(next));
    Db::copyToFile(companyDb, target);
    while (numbers.size() >= kBackupsKept) {
        QFile::remove(dir.filePath(QStringLiteral("DB%1.db").arg(numbers.takeFirst())));
    }
    return next;
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

QStringList calibrationsDue(QSqlDatabase& db, const QDate& today) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select InstName, NextCalibrate from Calibrate where NextCalibrate<? and "
                                           "NextCalibrate>? order by NextCalibrate"),
                            {Db::day(today.addDays(30)), Db::day(today.addDays(-90))});
    QStringList out;
    while (q.next())
        out << q.value(0).toString() + QStringLiteral(" - ") +
                   Db::toDate(q.value(1)).toString(QStringLiteral("dd/MM/yyyy"));
    return out;
}

}  // namespace kavra::House
