#include "core/Login.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QSqlQuery>
#include <algorithm>

#include "core/Db.h"
#include "core/Password.h"
#include "core/Sql.h"

namespace kavra::Login {

QString yearLabel(int minYear) {
    return QStringLiteral("%1-%2").arg(minYear).arg((minYear + 1) % 100, 2, 10, QLatin1Char('0'));
}

QString companyDbOfLabel(const QString& label) {
    QString l = label;
    return QStringLiteral("DB") + l.replace(QLatin1Char('-'), QLatin1Char('_'));
}

int minYearOfLabel(const QString& label) {
    return label.left(4).toInt();
}

QStringList yearLabels(QSqlDatabase& start) {
    QStringList out;
    QSqlQuery q = Sql::exec(start, QStringLiteral("select minYear from DB_Years order by minYear"));
    while (q.next()) out << yearLabel(q.value(0).toInt());
    return out;
}

QString currentYearLabel(QSqlDatabase& start) {
    const QVariant v = Sql::scalar(start, QStringLiteral("select minYear from DB_Years where CurrYear=TRUE"));
    return v.isNull() ? QString() : yearLabel(v.toInt());
}

int latestMinYear(QSqlDatabase& start) {
    const QVariant v = Sql::scalar(start, QStringLiteral("select max(minYear) from DB_Years"));
    return v.isNull() ? 0 : v.toInt();
}

void makeCurrent(QSqlDatabase& start, int minYear) {
    Sql::transaction(start, [&] {
        Sql::exec(start, QStringLiteral("update DB_Years set CurrYear=FALSE where CurrYear=TRUE"));
        Sql::exec(start, QStringLiteral("update DB_Years set CurrYear=TRUE where minYear=? and maxYear=?"),
                  {minYear, minYear + 1});
    });
}

QString clockQuestion(const QDate& today) {
    return QStringLiteral(" YOUR SYSTEM  DATE  IS  ") + today.toString(QStringLiteral("dd/MM/yyyy")) +
           QStringLiteral("\n\nTODAY  is ") + QLocale(QLocale::English).toString(today, QStringLiteral("dddd"));
}

QString newYearAlert(int y) {
    return QStringLiteral(
               "We recommend you to close this Kavra software for this moment and Proceed with "
               "'Vorlix.Exe' Software Kit (Supplied along with Kavra Software)") +
           QStringLiteral("\n\n") +
           QStringLiteral(" This will help you to create a new database for this Financial Year... (%1-%2)")
               .arg(y)
               .arg(y + 1);
}

QString dateFormatProblem(const QLocale& locale, const QDate& today) {
    if (locale.toString(today, QLocale::ShortFormat) == today.toString(QStringLiteral("dd/MM/yyyy"))) return {};
    return QStringLiteral("System date format should be \"dd/MM/yyyy\" ") + QLatin1Char('\n') +
           QStringLiteral("To change the system date format go to Windows menu ") + QLatin1Char('\n') +
           QStringLiteral(" Start-->Control Panel-->Regional settings-->Date");
}

Workstation localWorkstation() {
    Workstation ws;
    ws.host = QHostInfo::localHostName();
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) {
            ws.ip = a.toString();
            break;
        }
    }
    if (ws.ip.isEmpty()) ws.ip = QStringLiteral("127.0.0.1");
    return ws;
}

qint64 registerWorkstation(QSqlDatabase& db, const Workstation& ws, const QDateTime& now) {
    qint64 id = 0;
    Sql::transaction(db, [&] {
        const QVariant found = Sql::scalar(db, QStringLiteral("select SysId from ImpSystems where SysIP=?"), {ws.ip});
        if (found.isNull()) {
            id = Sql::nextId(db, QStringLiteral("ImpSystems"), QStringLiteral("SysId"));
            Sql::exec(db, QStringLiteral("insert into ImpSystems (SysId, SysName, SysIP, SysDateT) values (?,?,?,?)"),
                      {id, ws.host, ws.ip, Db::ts(now)});
        } else {
            id = found.toLongLong();
            Sql::exec(db, QStringLiteral("update ImpSystems set SysName=?, SYS_IP=? where SysId=?"),
                      {ws.host, ws.ip, id});
        }
    });
    return id;
}

QStringList userNames(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select UserName from User1 order by UserId"));
}

std::optional<QDateTime> clockBehindLastLogin(QSqlDatabase& db, const QDateTime& now) {
    const QDateTime last = Db::toDateTime(Sql::scalar(db, QStringLiteral("select max(Dates) from Logs")));
    if (last.isValid() && last > now) return last;
    return std::nullopt;
}

QString clockBehindMessage(const QDateTime& last) {
    return QStringLiteral("Your System Date is Not Correct!!! ") + QLatin1Char('\n') +
           QStringLiteral(" Please Change it and run this Package") + QStringLiteral("\n\n\n") +
           QStringLiteral("The LAST DATE/TIME you run this Package is ") +
           last.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

std::optional<Refusal> checkCredentials(QSqlDatabase& db, const QString& name, const QString& password,
                                        qint64* userId) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select UserId, UserPassword from User1 where UserName=?"), {name});
    if (name.isEmpty() || !q.next())
        return Refusal{QStringLiteral("LOGIN FAILED"), QStringLiteral("Not a Valid User... Sorry! "), MsgIcon::Critical,
                       Refusal::Name};
    if (Password::normal(password).isEmpty() || !Password::verify(password, q.value(1).toString()))
        return Refusal{QStringLiteral("LOGIN FAILED"), QStringLiteral(" Invalid Password ..."), MsgIcon::Exclamation,
                       Refusal::Password};
    if (userId) *userId = q.value(0).toLongLong();
    return std::nullopt;
}

int delayAfterFailures(int failures) {
    if (failures <= 3) return 0;
    const int steps = std::min(failures - 4, 5);  // 2 s << 5 = 64 s, held at a minute
    return std::min(2000 << steps, 60000);
}

void recordFailure(QSqlDatabase& db, const QString& name, const Workstation& ws, const Refusal& why,
                   const QDateTime& now) {
    const QString text = QStringLiteral("%1 user \"%2\" at %3 (%4): %5")
                             .arg(why.title, name.left(40), ws.host.left(60), ws.ip, why.text.trimmed());
    Sql::exec(db, QStringLiteral("insert into errlog (ErrText, ErrDateT) values (?, ?)"),
              {text.left(255), Db::ts(now)});
}

qint64 recordLogin(QSqlDatabase& db, qint64 userId, const QDateTime& now) {
    qint64 id = 0;
    Sql::transaction(db, [&] {
        id = Sql::nextId(db, QStringLiteral("Logs"), QStringLiteral("id"));
        if (id > 500) Sql::exec(db, QStringLiteral("delete from Logs where id=(select min(id) from Logs)"));
        Sql::exec(db, QStringLiteral("insert into Logs (id, Dates, userid) values (?,?,?)"), {id, Db::ts(now), userId});
    });
    return id;
}

}  // namespace kavra::Login
