#include "production/Maintenance.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>

#include "core/Sql.h"

namespace kavra::Maintenance {

bool isDue(int type, int number, const QDate& day) {
    if (number <= 0 || !day.isValid()) return false;
    const int dom = day.day(), month = day.month();
    switch (type) {
        case Weekly:
            return day.dayOfWeek() % 7 + 1 == number;  // Qt counts Monday 1 to Sunday 7
        case Fortnightly:
            return dom == number || dom == number + 15;
        case Monthly:
            return dom == number;
        case Quarterly:
            return dom == 1 && month >= number && (month - number) % 3 == 0;
        case BiAnnual:
            return dom == 1 && (month == number || month == number + 6);
        case Annual:
            return dom == 1 && month == number;
    }
    return false;
}

const TypeRule& rule(int type) {
    static const TypeRule rules[kTypes] = {
        {1, 7, false, QStringLiteral("Scheduled Day must be between 1 and 7 (1-Sunday 7-Saturday)"),
         QStringLiteral("Scheduled Day : 1 to 7 (1-Sunday 7-Saturday)")},
        {1, 13, false, QStringLiteral("Scheduled Day must be between 1 and 13"),
         QStringLiteral("Scheduled Day : 1 to 13 (the day and the day + 15)")},
        {1, 28, false, QStringLiteral("Scheduled Day must be between 1 and 28"),
         QStringLiteral("Scheduled Day : 1 to 28")},
        {1, 3, true, QStringLiteral("Scheduled Month must be between 1 and 3 (1-January 3-March)"),
         QStringLiteral("Scheduled Month : 1 to 3 (1-January 3-March), on the 1st")},
        {1, 6, true, QStringLiteral("Scheduled Month must be between 1 and 6 (1-January 6-June)"),
         QStringLiteral("Scheduled Month : 1 to 6 (1-January 6-June), on the 1st")},
        {1, 12, true, QStringLiteral("Scheduled Month must be between 1 and 12 (1-January 12-December)"),
         QStringLiteral("Scheduled Month : 1 to 12 (1-January 12-December), on the 1st")},
    };
    return rules[std::clamp(type, 1, kTypes) - 1];
}

QString typeName(int type) {
    static const char* names[kTypes] = {"Weekly", "Fortnightly", "Monthly", "Quarterly", "Bi-Annual", "Annual"};
    return type >= 1 && type <= kTypes ? QString::fromLatin1(names[type - 1]) : QString();
}

QString gridLabel(int type) {
    static const char* labels[kTypes] = {" M1 - Weekly",    " M2 - FortNightly", " M3 - Monthly",
                                         " M4 - Quarterly", " M5 - Bi-Annual",   " M6 - Annual"};
    return type >= 1 && type <= kTypes ? QString::fromLatin1(labels[type - 1]) : QString();
}

QChar separator() {
    return QChar(0x8F);
}

QString joinDescr(const QString& text, int number) {
    return text.trimmed() + separator() + QString::number(number);
}

Schedule splitDescr(const QString& descr) {
    const qsizetype at = descr.lastIndexOf(separator());
    if (at < 0) return {descr.trimmed(), 0};
    return {descr.left(at).trimmed(), descr.mid(at + 1).trimmed().toInt()};
}

QList<ScheduleRow> scheduleGrid(QSqlDatabase& db, int type) {
    QSqlQuery q =
        Sql::exec(db,
                  QStringLiteral("select m.MachId, m.MachName, s.Descr from Machine m left join MaintainSch s "
                                 "on s.MachId=m.MachId and s.MainId=? order by m.MachName"),
                  {type});
    QList<ScheduleRow> out;
    while (q.next()) {
        ScheduleRow r;
        r.machId = q.value(0).toLongLong();
        r.machName = q.value(1).toString().trimmed();
        if (!q.value(2).isNull()) {
            const Schedule s = splitDescr(q.value(2).toString());
            r.text = s.text;
            if (s.number > 0) r.number = QString::number(s.number);
        }
        out.push_back(r);
    }
    return out;
}

Check validateSchedules(int type, const QList<ScheduleRow>& rows) {
    if (type < 1 || type > kTypes)
        return Refusal::at(QStringLiteral("lstTypes"), QStringLiteral("Select a Maintenance Type ..."));
    const TypeRule& r = rule(type);
    for (int i = 0; i < rows.size(); ++i) {
        const bool hasText = !rows[i].text.trimmed().isEmpty();
        const QString num = rows[i].number.trimmed();
        if (hasText) {
            bool ok = false;
            const int n = num.toInt(&ok);
            if (!ok || n < r.low || n > r.high) return Refusal::cell(i + 1, 2, r.message);
        } else if (!num.isEmpty()) {
            return Refusal::cell(i + 1, 1, QStringLiteral("Enter the Schedule....."));
        }
    }
    return std::nullopt;
}

void saveSchedules(QSqlDatabase& db, int type, const QList<ScheduleRow>& rows) {
    enforce(validateSchedules(type, rows));
    // The machines by name as they are now, at whatever desk one was renamed or removed, and
    // this type's schedules: read once, then only the rows that change are written.
    QHash<QString, qint64> machines;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select MachId, MachName from Machine"));
    while (q.next()) machines.insert(q.value(1).toString().trimmed().toLower(), q.value(0).toLongLong());
    const QList<qint64> scheduled =
        Sql::ids(db, QStringLiteral("select MachId from MaintainSch where MainId=?"), {type});
    const QSet<qint64> exists(scheduled.cbegin(), scheduled.cend());
    for (const ScheduleRow& row : rows) {
        const auto found = machines.constFind(row.machName.trimmed().toLower());
        if (found == machines.cend()) continue;
        const qint64 id = *found;
        if (row.text.trimmed().isEmpty()) {
            if (exists.contains(id))
                Sql::exec(db, QStringLiteral("delete from MaintainSch where MainId=? and MachId=?"), {type, id});
            continue;
        }
        const QString descr = joinDescr(row.text, row.number.trimmed().toInt());
        if (exists.contains(id))
            Sql::exec(db, QStringLiteral("update MaintainSch set Descr=? where MainId=? and MachId=?"),
                      {descr, type, id});
        else
            Sql::exec(db, QStringLiteral("insert into MaintainSch (MachId, MainId, Descr) values (?,?,?)"),
                      {id, type, descr});
    }
}

namespace {

struct Scheduled {
    qint64 machId;
    QString machName;
    int type;
    QString descr;
    int number;
};

QList<Scheduled> allSchedules(QSqlDatabase& db) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select s.MachId, m.MachName, s.MainId, s.Descr from MaintainSch s join "
                                               "Machine m on m.MachId=s.MachId order by s.MachId, s.MainId"));
    QList<Scheduled> out;
    while (q.next()) {
        const QString descr = q.value(3).toString();
        out.push_back({q.value(0).toLongLong(), q.value(1).toString().trimmed(), q.value(2).toInt(), descr,
                       splitDescr(descr).number});
    }
    return out;
}

}  // namespace

QList<ProcessRow> processGrid(QSqlDatabase& db, const QDate& day) {
    QList<ProcessRow> out;
    for (const Scheduled& s : allSchedules(db)) {
        if (out.isEmpty() || out.back().machId != s.machId) out.push_back({s.machId, s.machName, {}});
        if (s.type < 1 || s.type > kTypes) continue;
        Job& j = out.back().jobs[s.type - 1];
        j.due = isDue(s.type, s.number, day);
        j.descr = s.descr;
    }
    QHash<qint64, int> rowOf;
    for (int i = 0; i < out.size(); ++i) rowOf.insert(out[i].machId, i);
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select MachId, MainId from MaintainData where MainDate=? and StatusC=?"),
                  {Db::day(day), true});
    while (q.next()) {
        const auto it = rowOf.constFind(q.value(0).toLongLong());
        const int type = q.value(1).toInt();
        if (it == rowOf.constEnd() || type < 1 || type > kTypes) continue;
        Job& j = out[*it].jobs[type - 1];
        if (j.due) j.done = true;
    }
    return out;
}

int record(QSqlDatabase& db, const QDate& day, const QList<ProcessRow>& rows) {
    // The day's recorded jobs, read once: each due job then finds or adds its one row.
    QSet<QPair<qint64, int>> recorded;
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select MachId, MainId from MaintainData where MainDate=?"), {Db::day(day)});
    while (q.next()) recorded.insert({q.value(0).toLongLong(), q.value(1).toInt()});
    int written = 0;
    for (const ProcessRow& r : rows) {
        for (int t = 1; t <= kTypes; ++t) {
            const Job& j = r.jobs[t - 1];
            if (!j.due) continue;
            const QVariantList key{r.machId, t, Db::day(day)};
            if (recorded.contains({r.machId, t}))
                Sql::exec(db,
                          QStringLiteral("update MaintainData set StatusC=?, Descr=? where MachId=? and MainId=? and "
                                         "MainDate=?"),
                          QVariantList{j.done, j.descr} + key);
            else
                Sql::exec(db,
                          QStringLiteral("insert into MaintainData (MachId, MainId, MainDate, StatusC, Descr) values "
                                         "(?,?,?,?,?)"),
                          key + QVariantList{j.done, j.descr});
            ++written;
        }
    }
    return written;
}

QList<Miss> misses(QSqlDatabase& db, const QDate& day, int days) {
    const QList<Scheduled> schedules = allSchedules(db);
    QSet<QString> done;
    auto key = [](const QDate& d, qint64 mach, int type) {
        return d.toString(Qt::ISODate) + QLatin1Char('|') + QString::number(mach) + QLatin1Char('|') +
               QString::number(type);
    };
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select MainDate, MachId, MainId from MaintainData where MainDate>=? and "
                                           "MainDate<? and StatusC=?"),
                            {Db::day(day.addDays(-days)), Db::day(day), true});
    while (q.next()) done.insert(key(Db::toDate(q.value(0)), q.value(1).toLongLong(), q.value(2).toInt()));
    QList<Miss> out;
    for (QDate d = day.addDays(-days); d < day; d = d.addDays(1))
        for (const Scheduled& s : schedules)
            if (isDue(s.type, s.number, d) && !done.contains(key(d, s.machId, s.type)))
                out.push_back({d, s.machId, s.machName, s.type, s.descr});
    return out;
}

}  // namespace kavra::Maintenance
