#include "subcontract/WorkOrders.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "core/chain/Rows.h"
#include "subcontract/SubcontractKinds.h"

namespace kavra::subcontract::WorkOrders {

namespace Engine = chain::Orders;
namespace Rows = chain::Rows;

std::optional<Order> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select SuppId, KindAttn, PONo, PODateT, ValidFrom, ValidTo, Remark, "
                                           "ReTrkRej, PurchVal, Body, Cancl, POTallyS, POTally from SubConPO where "
                                           "POId=?"),
                            {id});
    if (!q.next()) return std::nullopt;
    Order o;
    o.id = id;
    Sql::readRow(q, o.suppId, Sql::trimmed(o.kindAttn), Sql::trimmed(o.poNo), o.poDate, o.validFrom, o.validTo,
                 Sql::trimmed(o.remark), o.reTrkRej, o.value, o.body, o.cancelled, o.sent, o.received);
    q = QSqlQuery();
    o.lines = Engine::lines(db, orderKind(), id);
    return o;
}

bool reTrackByDefault(QSqlDatabase& db) {
    return Sql::any(db, QStringLiteral("select 1 from Misc where ReTrkRejSubCon=?"), {true});
}

QString numberPrefix(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select PrefixWO from Misc")).toString().trimmed();
}

Money computedValue(const Order& o) {
    return Money::fromRupees(Engine::lineTotal(o.lines));
}

namespace {

Engine::Header headerOf(const Order& o) {
    const QString attn = o.kindAttn.trimmed().left(250);
    chain::Row more;
    more.set(QStringLiteral("KindAttn"), attn.isEmpty() ? QStringLiteral(" ") : attn)
        .set(QStringLiteral("ValidFrom"), Db::day(o.validFrom))
        .set(QStringLiteral("ValidTo"), Db::day(o.validTo))
        .set(QStringLiteral("Remark"), Rows::optionalText(o.remark))
        .set(QStringLiteral("PurchVal"), o.value.toDb())
        .set(QStringLiteral("Body"), o.body)
        .set(QStringLiteral("ReTrkRej"), o.reTrkRej);
    return Engine::Header{o.id, o.suppId, o.poNo, o.poDate, more};
}

}  // namespace

Check validate(QSqlDatabase& db, const Order& o, bool adding) {
    if (o.suppId == 0) return Refusal::at(QStringLiteral("cmbSupp"), QStringLiteral("Please Select a Supplier....."));
    if (o.poNo.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtPOno"), QStringLiteral("Enter the Purchase Order Number..... "));
    // Asked on Modify before the value: the box is put back at once.
    if (!adding)
        if (auto r = Engine::reTrackBlock(db, orderKind(), o.id, o.reTrkRej)) return r;
    if (o.value.isZero())
        return Refusal::at(QStringLiteral("txtVal"), QStringLiteral("Enter the Purchase Order Value!!! ") +
                                                         QLatin1Char('\n') +
                                                         QStringLiteral(" Double Click the box to obtain value "
                                                                        "from the system"));
    if (auto r = Engine::validateLines(db, orderKind(), o.id, adding, o.lines)) return r;
    return Engine::duplicateNumber(db, orderKind(), headerOf(o), adding);
}

qint64 save(QSqlDatabase& db, const Order& o, bool adding) {
    // Asked again inside the write: a supplier's DC saved meanwhile fixes the flag.
    if (!adding) enforce(Engine::reTrackBlock(db, orderKind(), o.id, o.reTrkRej));
    return Engine::save(db, orderKind(), headerOf(o), o.lines, adding);
}

Print::Document printOut(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("woPo"), QStringLiteral("WOOPO")};
    const auto o = load(db, id);
    if (!o) return doc;
    const Engine::PartyDetails s = Engine::partyDetails(db, orderKind(), o->suppId);
    doc.fields[QStringLiteral("SuppName")] = s.name;
    doc.fields[QStringLiteral("SuppAddr")] = s.address;
    doc.fields[QStringLiteral("KindAttn")] =
        o->kindAttn.isEmpty() ? QString() : QStringLiteral(" KIND ATTN: ") + o->kindAttn;
    doc.fields[QStringLiteral("PONo")] = numberPrefix(db) + o->poNo;
    doc.fields[QStringLiteral("PODate")] = Rows::dateText(o->poDate);
    Print::ourTaxFields(db, doc);
    Money sub;
    for (const Line& l : o->lines) {
        const Money amount = Money::fromRupees(Engine::lineAmount(l));
        sub += amount;
        doc.lines.append({l.slNo, l.itemCode + QStringLiteral("  ") + l.itemName, QString(), l.qty, l.uom,
                          Print::rate(l.rate), Print::money(amount)});
    }
    doc.lastPage[QStringLiteral("SubTotal")] = Print::money(sub);
    doc.lastPage[QStringLiteral("Total")] = Print::money(sub);
    doc.hideRows << QStringLiteral("Tax");
    doc.fields[QStringLiteral("Terms")] = o->body.trimmed();
    doc.words = sub;
    return doc;
}

}  // namespace kavra::subcontract::WorkOrders
