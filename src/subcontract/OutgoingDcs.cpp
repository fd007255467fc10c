#include "subcontract/OutgoingDcs.h"

#include <QSqlQuery>

#include "core/Db.h"
#include "core/Money.h"
#include "core/Sql.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "subcontract/SubcontractKinds.h"

namespace kavra::subcontract::OutgoingDcs {

namespace Engine = chain::Challans;
namespace Rows = chain::Rows;

std::optional<Dc> load(QSqlDatabase& db, qint64 id) {
    auto r = Engine::record(db, outgoingKind(), id);
    if (!r) return std::nullopt;
    Dc d{*r, {}, {}, {}};
    QSqlQuery q = Sql::exec(db, QStringLiteral("select EstiWt, duedate from DcSubConOutgoing where DcId=?"), {id});
    if (q.next()) {
        d.estiWt = q.value(0).toString().trimmed();
        if (!q.value(1).isNull()) d.dueDate = q.value(1).toDate();
    }
    q = Sql::exec(db, QStringLiteral("select SlNo, Rate from DcSubConOutgoingSub where DcId=?"), {id});
    QHash<int, double> rates;
    while (q.next()) rates.insert(q.value(0).toInt(), q.value(1).toDouble());
    for (const Line& l : d.record.lines) d.rates << rates.value(l.slNo);
    return d;
}

Engine::Dc toEngine(const Dc& d) {
    Engine::Dc e = Engine::toDc(outgoingKind(), d.record);
    e.more.set(QStringLiteral("EstiWt"), Rows::optionalText(d.estiWt))
        .set(QStringLiteral("duedate"), Db::day(d.dueDate.value_or(QDate())));
    for (int i = 0; i < e.lines.size(); ++i) e.lines[i].extra.set(QStringLiteral("Rate"), d.rates.value(i));
    return e;
}

bool reducesStock(QSqlDatabase& db) {
    return Engine::linkedToStock(db, outgoingKind());
}

double proposedRate(QSqlDatabase& db, qint64 itemId) {
    const QVariant last = Sql::scalar(db,
                                      QStringLiteral("select Rate from DcSubConOutgoingSub where ItemId=? and "
                                                     "DcId=(select max(DcId) from DcSubConOutgoingSub where ItemId=?) "
                                                     "order by SlNo"),
                                      {itemId, itemId});
    if (last.isValid() && !last.isNull()) return last.toDouble();
    return Sql::scalar(db, QStringLiteral("select Rate from Item where ItemId=?"), {itemId}).toDouble();
}

Check validate(QSqlDatabase& db, const Dc& d, bool adding, bool reduceStock, int dcMode) {
    return Engine::validate(db, outgoingKind(), toEngine(d), adding, reduceStock, dcMode);
}

qint64 save(QSqlDatabase& db, const Dc& d, bool adding, bool reduceStock, int dcMode) {
    return Engine::save(db, outgoingKind(), toEngine(d), adding, reduceStock, dcMode, {});
}

void remove(QSqlDatabase& db, qint64 id) {
    Engine::remove(db, outgoingKind(), id, {});
}

Print::Document print(QSqlDatabase& db, qint64 id, bool excise) {
    Print::Document doc{excise ? QStringLiteral("subcondc_outExcise") : QStringLiteral("subcondc_out"),
                        QStringLiteral("subcondc_out")};
    const auto d = load(db, id);
    if (!d) return doc;
    const Dc& dc = *d;
    QSqlQuery s = Sql::exec(
        db, QStringLiteral("select SuppName, SuppAddr, custcode, VATRegNo, KSTNo, CSTNo from Supplier where SuppId=?"),
        {dc.record.party});
    if (s.next()) {
        const QString code = s.value(2).toString().trimmed();
        doc.fields[QStringLiteral("SuppName")] = s.value(0).toString().trimmed();
        doc.fields[QStringLiteral("SuppAddr")] = s.value(1).toString().trimmed();
        doc.fields[QStringLiteral("SuppCode")] =
            excise ? QStringLiteral("S.C. ") + code : QStringLiteral("Supplier Code: ") + code;
        doc.fields[QStringLiteral("PartyTIN")] = QStringLiteral("Party's TIN : ") + s.value(3).toString().trimmed();
        doc.fields[QStringLiteral("PartyKST")] = QStringLiteral("Party's KST : ") + s.value(4).toString().trimmed();
        doc.fields[QStringLiteral("PartyCST")] = QStringLiteral("Party's CST : ") + s.value(5).toString().trimmed();
    }
    s = QSqlQuery();
    Print::ourTaxFields(db, doc);
    doc.fields[QStringLiteral("DCNo")] = dc.record.dcNo;
    doc.fields[QStringLiteral("DCDate")] = Rows::dateText(dc.record.dcDate);
    doc.fields[QStringLiteral("WORef")] = dc.record.poNo.isEmpty()
                                              ? QString()
                                              : QStringLiteral(" Our PO No:  ") + dc.record.poNo +
                                                    QStringLiteral("    Dt. ") + Rows::dateText(dc.record.poDate);
    doc.fields[QStringLiteral("Purpose")] = dc.record.deliveryPurpose;
    doc.fields[QStringLiteral("Remarks")] = dc.record.remark;
    QList<qint64> itemIds;
    for (const Line& l : dc.record.lines) itemIds << l.itemId;
    const QHash<qint64, chain::ItemRef> items = chain::Lookups::itemsById(db, itemIds);
    double qty = 0;
    Money value;
    for (int i = 0; i < dc.record.lines.size(); ++i) {
        const Line& l = dc.record.lines[i];
        const Money lineValue = Money::fromRupees(l.qty * dc.rates.value(i));
        value += lineValue;
        qty += l.qty;
        doc.lines.append({i + 1, items.value(l.itemId).code + QStringLiteral("  ") + l.particulars, l.remark, l.qty,
                          items.value(l.itemId).unit,
                          excise ? QVariant(QStringLiteral("Rs. ") + lineValue.toString()) : QVariant()});
    }
    doc.lastPage[QStringLiteral("TotalQty")] = qty;
    if (excise) {
        doc.lastPage[QStringLiteral("TotalValue")] = Print::money(value);
        doc.words = value;
    }
    return doc;
}

}  // namespace kavra::subcontract::OutgoingDcs
