#include "masters/Items.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "masters/Misc.h"

namespace kavra {

namespace {

// The first table that still uses the key decides the message.
Check firstUse(QSqlDatabase& db, const QVariant& key,
               const std::initializer_list<std::pair<const char*, const char*>>& checks) {
    for (const auto& [sql, message] : checks)
        if (Sql::any(db, QString::fromLatin1(sql), {key})) return Refusal::message(QString::fromLatin1(message));
    return std::nullopt;
}

}  // namespace

namespace Items {

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select ItemId from Item order by ItemId"));
}

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("Item"), QStringLiteral("ItemId"));
}

std::optional<Item> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q =
        Sql::exec(db,
                  QStringLiteral("select ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, ROL, "
                                 "RackNo, TariffSubHead, Rate from Item where ItemId=?"),
                  {id});
    if (!q.next()) return std::nullopt;
    Item it;
    Sql::readRow(q, it.id, it.code, it.name, it.categoryCode, it.unit, it.altUnit, it.rol, Sql::trimmed(it.rackNo),
                 Sql::trimmed(it.tariffSubHead), it.rate);
    return it;
}

std::optional<qint64> idOfCode(QSqlDatabase& db, const QString& code) {
    const QVariant v = Sql::scalar(db, QStringLiteral("select ItemId from Item where ItemCode=?"), {code});
    if (v.isNull()) return std::nullopt;
    return v.toLongLong();
}

QStringList codes(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select ItemCode from Item order by ItemCode"));
}

QStringList tariffSubHeads(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select distinct TariffSubHead from Item where TariffSubHead is not null and "
                                         "trim(TariffSubHead)<>'' order by TariffSubHead"));
}

Check validate(QSqlDatabase& db, const Item& it) {
    if (it.code.trimmed().isEmpty()) return Refusal{"Enter the Item Code/Part No. / Drg. No.....", "txtItemCode"};
    if (it.name.trimmed().isEmpty()) return Refusal{"Enter the Item Name.....", "txtItemName"};
    if (it.categoryCode == 0) return Refusal{"Enter the Category code.....", "lstCategoryCode"};
    if (it.unit.trimmed().isEmpty()) return Refusal{"Enter the Measurement Unit.....", "cmbMeasurement"};
    if (it.altUnit.trimmed().isEmpty()) return Refusal{"Enter the Alternate Unit.....", "cmbAltUnit"};
    if (Sql::any(db, QStringLiteral("select 1 from Item where ItemCode=? and ItemId<>?"), {it.code.trimmed(), it.id}))
        return Refusal{"An Entry Already Exists...Try Another!", "txtItemCode"};
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Item& given, bool adding) {
    Item it = given;
    // The proposed identifier taken meanwhile at another desk: the next free one.
    if (adding && Sql::any(db, QStringLiteral("select 1 from Item where ItemId=?"), {it.id}))
        it.id = Sql::nextId(db, QStringLiteral("Item"), QStringLiteral("ItemId"));
    // Checked before the question; here it stops the same code saved meanwhile at another desk.
    if (Sql::any(db, QStringLiteral("select 1 from Item where ItemCode=? and ItemId<>?"), {it.code.trimmed(), it.id}))
        throw Refused(QStringLiteral("An Entry Already Exists...Try Another!"), QStringLiteral("txtItemCode"));
    const QVariantList values{it.code.trimmed(),
                              it.name.trimmed(),
                              it.categoryCode,
                              it.unit.trimmed(),
                              it.altUnit.trimmed(),
                              it.rol,
                              Misc::stored(it.rackNo),
                              Misc::stored(it.tariffSubHead),
                              it.rate,
                              it.id};
    if (adding)
        Sql::exec(
            db,
            QStringLiteral("insert into Item (ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, ROL, RackNo, "
                           "TariffSubHead, Rate, ItemId) values (?,?,?,?,?,?,?,?,?,?)"),
            values);
    else
        Sql::exec(db,
                  QStringLiteral("update Item set ItemCode=?, ItemName=?, CategoryCode=?, MeasureUnit=?, AltUnit=?, "
                                 "ROL=?, RackNo=?, TariffSubHead=?, Rate=? where ItemId=?"),
                  values);
    return it.id;
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    return firstUse(
        db, id,
        {{"select 1 from PurchPOSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Purchase Order' Screen!!!"},
         {"select 1 from PurchaseSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Purchase Bills' Screen!!!"},
         {"select 1 from AssmblyDef where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Bill of Materials' Screen!!!"},
         {"select 1 from DailyProd where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Production Log' Screen!!!"},
         {"select 1 from QuoteSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Quotation' Screen!!!"},
         {"select 1 from MfgPoSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Purchase Order - Sales' Screen!!!"},
         {"select 1 from LabPoSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Purchase Order - Labour' Screen!!!"},
         {"select 1 from DcInvSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'DC - Sales' Screen!!!"},
         {"select 1 from DcIncomingSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'DC Incoming - Labour' Screen!!!"},
         {"select 1 from DcSubConOutgoingSub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'DC Incoming - Subcontract' Screen!!!"},
         {"select 1 from InspectionInde where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Inspection-Individual Samples' Screen!!!"},
         {"select 1 from STNsub where ItemId=?",
          "This record cannot be deleted, Since this item is being used in 'Store Transfer Note' Screen!!!"}});
}

void remove(QSqlDatabase& db, qint64 id) {
    Sql::exec(db, QStringLiteral("delete from Item where ItemId=?"), {id});
}

}  // namespace Items

namespace Categories {

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select CategoryCode from Category order by CategoryCode"));
}

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("Category"), QStringLiteral("CategoryCode"));
}

std::optional<Category> load(QSqlDatabase& db, qint64 code) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select CategoryCode, CategoryName, CategoryDesc from Category where "
                                           "CategoryCode=?"),
                            {code});
    if (!q.next()) return std::nullopt;
    return Category{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString().trimmed()};
}

std::optional<qint64> codeOfName(QSqlDatabase& db, const QString& name) {
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select CategoryCode from Category where CategoryName=?"), {name});
    if (v.isNull()) return std::nullopt;
    return v.toLongLong();
}

Check validate(QSqlDatabase& db, const Category& c, bool adding) {
    if (!adding && c.code >= 1 && c.code <= 3) return Refusal{"You cannot Modify this Category!!!", ""};
    if (c.name.trimmed().isEmpty()) return Refusal{"Please Enter the Category Name.....", "txtCategoryName"};
    if (Sql::any(db, QStringLiteral("select 1 from Category where CategoryName=? and CategoryCode<>?"),
                 {c.name.trimmed(), c.code}))
        return Refusal{"An Entry Already Exists...Try Another!", "txtCategoryName"};
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Category& c, bool adding) {
    qint64 code = c.code;
    if (adding) {
        // The proposed code taken meanwhile at another desk: the next free one.
        if (Sql::any(db, QStringLiteral("select 1 from Category where CategoryCode=?"), {code}))
            code = Sql::nextId(db, QStringLiteral("Category"), QStringLiteral("CategoryCode"));
        Sql::exec(db, QStringLiteral("insert into Category (CategoryName, CategoryDesc, CategoryCode) values (?,?,?)"),
                  {c.name.trimmed(), Misc::stored(c.desc), code});
    } else {
        Sql::exec(db, QStringLiteral("update Category set CategoryName=?, CategoryDesc=? where CategoryCode=?"),
                  {c.name.trimmed(), Misc::stored(c.desc), code});
    }
    return code;
}

Check deleteBlock(QSqlDatabase& db, qint64 code) {
    // The first five come with the database and other screens rely on them.
    if (code <= 5) return Refusal::message(QStringLiteral("You cannot Delete this Category!!!"));
    return firstUse(
        db, code,
        {{"select 1 from Item where CategoryCode=?",
          "This record cannot be deleted, Since this category is being used in 'Item' Screen !!!"},
         {"select 1 from PurchPOSub where CategoryCode=?",
          "This record cannot be deleted, Since this category is being used in 'Purchase Order' Screen !!!"},
         {"select 1 from PurchaseSub where CategoryCode=?",
          "This record cannot be deleted, Since this category is being used in 'Purchase' Screen !!!"}});
}

void remove(QSqlDatabase& db, qint64 code) {
    Sql::exec(db, QStringLiteral("delete from Category where CategoryCode=?"), {code});
}

}  // namespace Categories

namespace Units {

QStringList codes(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select MeasureCode from Measurement order by MeasureCode"));
}

QString nameOf(QSqlDatabase& db, const QString& code) {
    return Sql::scalar(db, QStringLiteral("select MeasureName from Measurement where MeasureCode=?"), {code})
        .toString();
}

Check validateNew(QSqlDatabase& db, const QString& code, const QString& name) {
    if (code.trimmed().isEmpty()) return Refusal{"Please Enter the Measurement Code.....", "txtMeasureCode"};
    if (name.trimmed().isEmpty()) return Refusal{"Please Enter the Measurement Name.....", "txtMeasureName"};
    if (Sql::any(db, QStringLiteral("select 1 from Measurement where MeasureCode=?"), {code.trimmed()}))
        return Refusal{"An Entry Already Exists...Try Another!", "txtMeasureCode"};
    return std::nullopt;
}

Check validateModify(QSqlDatabase& db, const QString& oldCode, const QString& code, const QString& name) {
    if (code.trimmed().isEmpty()) return Refusal{"Please Enter the Measurement Code", "txtMeasureCode"};
    if (name.trimmed().isEmpty()) return Refusal{"Please Enter the Measurement Name", "txtMeasureName"};
    if (Sql::any(db, QStringLiteral("select 1 from Measurement where MeasureCode<>? and MeasureCode=?"),
                 {oldCode, code.trimmed()}))
        return Refusal{"An Entry Already Exists... Try Another.", "txtMeasureCode"};
    return std::nullopt;
}

void add(QSqlDatabase& db, const QString& code, const QString& name) {
    Sql::exec(db, QStringLiteral("insert into Measurement (MeasureCode, MeasureName) values (?,?)"),
              {code.trimmed(), name.trimmed()});
}

void modify(QSqlDatabase& db, const QString& oldCode, const QString& code, const QString& name) {
    Sql::exec(db, QStringLiteral("update Measurement set MeasureCode=?, MeasureName=? where MeasureCode=?"),
              {code.trimmed(), name.trimmed(), oldCode});
}

Check deleteBlock(QSqlDatabase& db, const QString& code) {
    // Only the main unit counts; an item may keep a deleted unit as its alternate.
    return firstUse(db, code,
                    {{"select 1 from Item where MeasureUnit=?",
                      "This record cannot be deleted, Since this Measurement Unit is being used in 'Item' Screen!!!"}});
}

void remove(QSqlDatabase& db, const QString& code) {
    Sql::exec(db, QStringLiteral("delete from Measurement where MeasureCode=?"), {code});
}

}  // namespace Units
}  // namespace kavra
