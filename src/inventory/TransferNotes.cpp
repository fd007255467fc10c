#include "inventory/TransferNotes.h"

#include <QSqlQuery>

#include "core/Refusal.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "inventory/Stores.h"
#include "masters/Misc.h"

namespace kavra::inventory::TransferNotes {

namespace {

constexpr int kManual = int(NoteSource::Manual);

struct ItemRow {
    qint64 id = 0;
    QString name;
    qint64 category = 0;
};

std::optional<ItemRow> itemOfCode(QSqlDatabase& db, const QString& code) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select ItemId, ItemName, CategoryCode from Item where ItemCode=?"), {code});
    if (!q.next()) return std::nullopt;
    return ItemRow{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toLongLong()};
}

qint64 numberOf(const QString& typed) {
    bool ok = false;
    const qint64 n = typed.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

void writeLines(QSqlDatabase& db, const Note& note) {
    int slNo = 0;
    for (const Line& l : note.lines) {
        const std::optional<ItemRow> item = itemOfCode(db, l.code.trimmed());
        if (!item) throw Refused(QStringLiteral("Part No. does not exist ... Press F5 Key to Add New Items!!!"));
        const double qty = Stores::roundQty(text::typed(l.qty));
        // A lot typed in by hand is valued at the item's own rate.
        Sql::exec(db,
                  QStringLiteral("insert into STNSub (Id, SlNo, ItemId, catC, Qty, BalQty, Rate) values (?,?,?,?,?,?, "
                                 "coalesce((select Rate from Item where ItemId=?), 0))"),
                  {note.id, ++slNo, item->id, item->category, qty, qty, item->id});
    }
}

QString modifyText(const QString& number) {
    return QStringLiteral(
               "You cannot Modify this Store Transfer Note , since some Material has been Issued from this STN : ") +
           number;
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select Id from STN where TS=? order by Id"), {kManual});
}

std::optional<Note> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery h = Sql::exec(db, QStringLiteral("select STNNo, STNDate, PrepBy, RemAny from STN where Id=?"), {id});
    if (!h.next()) return std::nullopt;
    Note n;
    n.id = id;
    Sql::readRow(h, n.number, n.date, Sql::trimmed(n.preparedBy), Sql::trimmed(n.remarks));
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select i.ItemCode, i.ItemName, s.Qty from STNSub s left join Item i on "
                                           "i.ItemId=s.ItemId where s.Id=? order by s.SlNo"),
                            {id});
    while (q.next()) n.lines.append({q.value(0).toString(), q.value(1).toString(), text::plain(q.value(2).toDouble())});
    return n;
}

Found findByNumber(QSqlDatabase& db, const QString& number) {
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select min(Id) from STN where TS=? and STNNo=?"), {kManual, numberOf(number)});
    if (v.isNull() || !v.isValid())
        return {std::nullopt, QStringLiteral(" NO Store Transfer Note exists with this No.")};
    return {v.toLongLong(), {}};
}

Check validate(QSqlDatabase& db, const Note& note, bool adding) {
    const qint64 number = numberOf(note.number);
    if (number <= 0) return Refusal{QStringLiteral("Enter the STN Number "), QStringLiteral("txtSTNno")};
    if (note.lines.isEmpty())
        return Refusal{QStringLiteral("Please Enter the ItemName/Item details by clicking the grid heading..."),
                       QStringLiteral("msflex"), 1, 1};
    const QString grid = QStringLiteral("msflex");
    for (int i = 0; i < note.lines.size(); ++i) {
        const Line& l = note.lines[i];
        const int row = i + 1;
        const QString code = l.code.trimmed(), name = l.name.trimmed();
        if (code.isEmpty())
            return Refusal{QStringLiteral("Enter Part No. for the SlNo. ") + QString::number(row), grid, row, 1};
        if (name.isEmpty())
            return Refusal{QStringLiteral("Enter a Item/Component Name for the SlNo.") + QString::number(row), grid,
                           row, 2};
        const std::optional<ItemRow> item = itemOfCode(db, code);
        if (!item)
            return Refusal{QStringLiteral("Part No. does not exist ... Press F5 Key to Add New Items!!!"), grid, row,
                           1};
        if (!Sql::any(db, QStringLiteral("select 1 from Item where ItemName=?"), {name}))
            return Refusal{QStringLiteral("Item/Component Name does not exist ... "), grid, row, 2};
        if (item->name.trimmed().compare(name, Qt::CaseInsensitive) != 0)
            return Refusal{QStringLiteral("Part No. differs for this Item ... "), grid, row, 1};
        if (Stores::roundQty(text::typed(l.qty)) <= 0)
            return Refusal{QStringLiteral("Enter the Valid Qty  "), grid, row, 3};
    }
    return duplicateNumber(db, note, adding);
}

Check duplicateNumber(QSqlDatabase& db, const Note& note, bool adding) {
    QString dup = QStringLiteral("select 1 from STN where TS=? and STNNo=?");
    QVariantList params{kManual, numberOf(note.number)};
    if (!adding) {
        dup += QStringLiteral(" and Id<>?");
        params << note.id;
    }
    if (Sql::any(db, dup, params))
        return Refusal::at(QStringLiteral("txtSTNno"),
                           QStringLiteral(" A Record with same Order No. already exist..."));
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Note& note, bool adding) {
    // Checked before the question; here it stops the same number saved meanwhile at another desk.
    enforce(duplicateNumber(db, note, adding));
    const QVariantList header{numberOf(note.number), Db::day(note.date), Misc::stored(note.preparedBy),
                              Misc::stored(note.remarks), note.id};
    if (adding) {
        Sql::exec(db, QStringLiteral("insert into STN (STNNo, STNDate, PrepBy, RemAny, Id, TS) values (?,?,?,?,?,?)"),
                  header + QVariantList{kManual});
    } else {
        const QString stored =
            Sql::scalar(db, QStringLiteral("select STNNo from STN where Id=?"), {note.id}).toString();
        Sql::exec(db, QStringLiteral("update STN set STNNo=?, STNDate=?, PrepBy=?, RemAny=? where Id=?"), header);
        // Full lines only: one issued from since the screen looked stops the whole change.
        Sql::exec(db, QStringLiteral("delete from STNSub where Id=? and BalQty=Qty"), {note.id});
        if (Sql::any(db, QStringLiteral("select 1 from STNSub where Id=?"), {note.id}))
            throw Refused(modifyText(stored));
    }
    writeLines(db, note);
    return note.id;
}

void remove(QSqlDatabase& db, qint64 id) {
    Stores::deleteNote(db, id);
}

QStringList itemNames(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select distinct ItemName from Item where ItemName is not null order by "
                                         "ItemName"));
}

QString codeOfName(QSqlDatabase& db, const QString& name) {
    return Sql::scalar(db, QStringLiteral("select min(ItemCode) from Item where ItemName=?"), {name.trimmed()})
        .toString();
}

Check gridBlock(QSqlDatabase& db, qint64 id) {
    if (!Stores::noteDrawnOn(db, id)) return std::nullopt;
    return Refusal::message(QStringLiteral(
        "You cannot Modify this Store Transfer Note , since some transactions has been made already..."));
}

Check modifyBlock(QSqlDatabase& db, qint64 id) {
    if (!Stores::noteDrawnOn(db, id)) return std::nullopt;
    return Refusal::message(
        modifyText(Sql::scalar(db, QStringLiteral("select STNNo from STN where Id=?"), {id}).toString()));
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    if (!Stores::noteDrawnOn(db, id)) return std::nullopt;
    return Refusal::message(QStringLiteral(
        "You cannot Modify this Store Transfer Note , since some Material has been Issued Using this Record..."));
}

}  // namespace kavra::inventory::TransferNotes
