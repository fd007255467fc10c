#pragma once
// Users and their rights.
#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <optional>

namespace kavra::Users {

struct Problem {
    enum Field { None, Name, Password };
    QString text;
    Field field = None;
};

qint64 proposedId(QSqlDatabase& db);
// The checks of Save, in order; nullopt when the user may be stored.
std::optional<Problem> validate(QSqlDatabase& db, qint64 id, const QString& name, const QString& password,
                                const QString& confirm);
// A new user with a UserRights row of the default rights; one transaction. Returns the
// identifier stored: the next free one when the proposed one was taken meanwhile. The same
// name stored meanwhile at another desk throws Refused.
qint64 add(QSqlDatabase& db, qint64 id, const QString& name, const QString& password);
void modify(QSqlDatabase& db, qint64 id, const QString& name, const QString& password);
// "" when the user may be deleted.
QString deleteRefusal(qint64 id, const QString& name);
void remove(QSqlDatabase& db, qint64 id);

// R1..R45 of a user; nullopt when the user has no UserRights row (every entry stays enabled).
std::optional<QVector<bool>> rights(QSqlDatabase& db, qint64 userId);
// Right n of a user; a user without a UserRights row has every right, as on the menu.
bool hasRight(QSqlDatabase& db, qint64 userId, int n);
// Stores R1..Rn; false when the user has no UserRights row (nothing is changed).
bool storeRights(QSqlDatabase& db, qint64 userId, const QVector<bool>& rights);

}  // namespace kavra::Users
