#pragma once
// Preventive maintenance: per machine and maintenance type one schedule, a text and the
// day or month it falls on; whether a type's job falls due on a day is one pure rule.
// The process records, for a day, each due job once per machine and type, done or not.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>

#include "core/Refusal.h"

namespace kavra::Maintenance {

enum Type { Weekly = 1, Fortnightly, Monthly, Quarterly, BiAnnual, Annual };
constexpr int kTypes = 6;

// True when a job of type with scheduled number falls due on day; 0 never falls due.
bool isDue(int type, int number, const QDate& day);

struct TypeRule {
    int low, high;
    bool isMonth;     // the number is a month (and the job falls on its 1st)
    QString message;  // refusal of a number out of range
    QString help;     // what the schedule screen shows for the type
};
const TypeRule& rule(int type);
QString typeName(int type);   // "Weekly"
QString gridLabel(int type);  // " M1 - Weekly"

// The stored schedule text: the text, the separator character and the number as digits.
QChar separator();
QString joinDescr(const QString& text, int number);
struct Schedule {
    QString text;
    int number = 0;
};
Schedule splitDescr(const QString& descr);

// One row of the schedule grid: a machine and what is typed for it ("" for nothing).
struct ScheduleRow {
    qint64 machId = 0;
    QString machName;
    QString text;
    QString number;
};
// Every machine by name with its schedule of the type, if any.
QList<ScheduleRow> scheduleGrid(QSqlDatabase& db, int type);
// Refusals name the grid cell (row from 1; column 1 text, 2 number).
Check validateSchedules(int type, const QList<ScheduleRow>& rows);
// Inside a transaction: writes each row's schedule; a row emptied drops the machine's schedule.
void saveSchedules(QSqlDatabase& db, int type, const QList<ScheduleRow>& rows);

struct Job {
    bool due = false;
    bool done = false;
    QString descr;  // the schedule text as stored
};
struct ProcessRow {
    qint64 machId = 0;
    QString machName;
    std::array<Job, kTypes> jobs;  // by type - 1
};
// One row per machine that has schedules, by machine identifier; due jobs marked, done as recorded.
QList<ProcessRow> processGrid(QSqlDatabase& db, const QDate& day);
// Inside a transaction: one MaintainData row per due job of the rows, done or not.
// Returns how many jobs were written.
int record(QSqlDatabase& db, const QDate& day, const QList<ProcessRow>& rows);

struct Miss {
    QDate day;
    qint64 machId = 0;
    QString machName;
    int type = 0;
    QString descr;
};
// Jobs that fell due in the days before day (as many as days) and are not recorded as done,
// by day, machine and type.
QList<Miss> misses(QSqlDatabase& db, const QDate& day, int days = 30);

}  // namespace kavra::Maintenance
