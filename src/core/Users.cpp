#include "core/Users.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "core/Password.h"
#include "core/Refusal.h"
#include "core/Sql.h"

namespace kavra::Users {

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("User1"), QStringLiteral("UserId"));
}

std::optional<Problem> validate(QSqlDatabase& db, qint64 id, const QString& name, const QString& password,
                                const QString& confirm) {
    if (name.trimmed().isEmpty()) return Problem{QStringLiteral("Please Enter the user Name....."), Problem::Name};
    if (Password::normal(password).isEmpty())
        return Problem{QStringLiteral("Please Enter the Password....."), Problem::Password};
    if (Password::normal(password) != Password::normal(confirm))
        return Problem{QStringLiteral("Your Passwords are not Identical ....."), Problem::Password};
    if (Sql::any(db, QStringLiteral("select 1 from User1 where UserName=? and UserId<>?"), {name.trimmed(), id}))
        return Problem{QStringLiteral("An Entry Already Exists...Try Another!"), Problem::Name};
    return std::nullopt;
}

namespace {
void refuseTakenName(QSqlDatabase& db, qint64 id, const QString& name) {
    if (Sql::any(db, QStringLiteral("select 1 from User1 where UserName=? and UserId<>?"), {name.trimmed(), id}))
        throw Refused(QStringLiteral("An Entry Already Exists...Try Another!"), QStringLiteral("txtUserName"));
}
}  // namespace

qint64 add(QSqlDatabase& db, qint64 id, const QString& name, const QString& password) {
    const QString h = Password::hash(password);
    qint64 stored = id;
    Sql::transaction(db, [&] {
        stored = id;
        if (Sql::any(db, QStringLiteral("select 1 from User1 where UserId=?"), {stored}))
            stored = Sql::nextId(db, QStringLiteral("User1"), QStringLiteral("UserId"));
        refuseTakenName(db, stored, name);
        Sql::exec(db, QStringLiteral("insert into User1 (UserId, UserName, UserPassword) values (?,?,?)"),
                  {stored, name.trimmed(), h});
        Sql::exec(db, QStringLiteral("insert into UserRights (UserId) values (?)"), {stored});
    });
    return stored;
}

void modify(QSqlDatabase& db, qint64 id, const QString& name, const QString& password) {
    const QString h = Password::hash(password);
    Sql::transaction(db, [&] {
        refuseTakenName(db, id, name);
        Sql::exec(db, QStringLiteral("update User1 set UserName=?, UserPassword=? where UserId=?"),
                  {name.trimmed(), h, id});
    });
}

QString deleteRefusal(qint64 id, const QString& name) {
    if (id == 1 || name.trimmed().compare(QLatin1String("ADMINISTRATOR"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("You can't Delete this user!!!");
    return {};
}

void remove(QSqlDatabase& db, qint64 id) {
    Sql::transaction(db, [&] {
        Sql::exec(db, QStringLiteral("delete from User1 where UserId=?"), {id});
        Sql::exec(db, QStringLiteral("delete from UserRights where UserId=?"), {id});
    });
}

std::optional<QVector<bool>> rights(QSqlDatabase& db, qint64 userId) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select * from UserRights where UserId=?"), {userId});
    if (!q.next()) return std::nullopt;
    const QSqlRecord rec = q.record();
    QVector<bool> out;
    for (int n = 1; n <= 45; ++n) {
        const int i = rec.indexOf(QStringLiteral("R%1").arg(n));
        out << (i >= 0 && q.value(i).toBool());
    }
    return out;
}

bool storeRights(QSqlDatabase& db, qint64 userId, const QVector<bool>& r) {
    if (!Sql::any(db, QStringLiteral("select 1 from UserRights where UserId=?"), {userId})) return false;
    QStringList sets;
    QVariantList params;
    for (int n = 1; n <= r.size() && n <= 48; ++n) {
        sets << QStringLiteral("R%1=?").arg(n);
        params << r[n - 1];
    }
    if (sets.isEmpty()) return true;
    params << userId;
    Sql::exec(db, QStringLiteral("update UserRights set %1 where UserId=?").arg(sets.join(QLatin1Char(','))), params);
    return true;
}

bool hasRight(QSqlDatabase& db, qint64 userId, int n) {
    const QVariant r = Sql::scalar(db, QStringLiteral("select R%1 from UserRights where UserId=?").arg(n), {userId});
    return !r.isValid() || r.isNull() || r.toBool();
}

}  // namespace kavra::Users
