#pragma once
// Items, their categories and units of measure.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Money.h"
#include "core/Refusal.h"

namespace kavra {

namespace Items {

struct Item {
    qint64 id = 0;
    QString code, name;
    qint64 categoryCode = 0;  // 0: none chosen
    QString unit, altUnit;
    double rol = 0;
    QString rackNo, tariffSubHead;
    double rate = 0;  // rupees per unit, as typed
};

QList<qint64> ids(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Item> load(QSqlDatabase& db, qint64 id);
std::optional<qint64> idOfCode(QSqlDatabase& db, const QString& code);
QStringList codes(QSqlDatabase& db);
QStringList tariffSubHeads(QSqlDatabase& db);
// The checks of Save / Modify in order.
Check validate(QSqlDatabase& db, const Item& item);
// Returns the identifier written: a proposed one taken meanwhile at another desk gives the next.
qint64 save(QSqlDatabase& db, const Item& item, bool adding);
// Why a document in use keeps the item.
Check deleteBlock(QSqlDatabase& db, qint64 id);
void remove(QSqlDatabase& db, qint64 id);

}  // namespace Items

namespace Categories {

struct Category {
    qint64 code = 0;
    QString name, desc;
};

QList<qint64> ids(QSqlDatabase& db);
qint64 proposedId(QSqlDatabase& db);
std::optional<Category> load(QSqlDatabase& db, qint64 code);
std::optional<qint64> codeOfName(QSqlDatabase& db, const QString& name);
Check validate(QSqlDatabase& db, const Category& c, bool adding);
// Returns the code stored: a new category whose proposed code was taken meanwhile gets the next free one.
qint64 save(QSqlDatabase& db, const Category& c, bool adding);
Check deleteBlock(QSqlDatabase& db, qint64 code);
void remove(QSqlDatabase& db, qint64 code);

}  // namespace Categories

namespace Units {

QStringList codes(QSqlDatabase& db);  // in code order
QString nameOf(QSqlDatabase& db, const QString& code);
Check validateNew(QSqlDatabase& db, const QString& code, const QString& name);
Check validateModify(QSqlDatabase& db, const QString& oldCode, const QString& code, const QString& name);
void add(QSqlDatabase& db, const QString& code, const QString& name);
// Items keep the old code: a unit's code is its name in documents already written.
void modify(QSqlDatabase& db, const QString& oldCode, const QString& code, const QString& name);
Check deleteBlock(QSqlDatabase& db, const QString& code);
void remove(QSqlDatabase& db, const QString& code);

}  // namespace Units
}  // namespace kavra
