#include "subcontract/OutgoingDcs.h"

#include <QSqlQuery>

#include "core/Money.h"
#include "core/Sql.h"
#include "core/chain/Challans.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "subcontract/SubcontractKinds.h"

namespace kavra::subcontract::OutgoingDcs {

namespace Engine = chain::Challans;
namespace Rows = chain::Rows;

double proposedRate(QSqlDatabase& db, qint64 itemId) {
    const QVariant last = Sql::scalar(db,
                                      QStringLiteral("select Rate from DcSubConOutgoingSub where ItemId=? and "
                                                     "DcId=(select max(DcId) from DcSubConOutgoingSub where ItemId=?) "
                                                     "order by SlNo"),
                                      {itemId, itemId});
    if (last.isValid() && !last.isNull()) return last.toDouble();
    return Sql::scalar(db, QStringLiteral("select Rate from Item where ItemId=?"), {itemId}).toDouble();
}

Print::Document print(QSqlDatabase& db, qint64 id, bool excise) {
    Print::Document doc{excise ? QStringLiteral("subcondc_outExcise") : QStringLiteral("subcondc_out"),
                        QStringLiteral("subcondc_out")};
    const auto d = Engine::record(db, outgoingKind(), id);
    if (!d) return doc;
    const Engine::Record& dc = *d;
    QSqlQuery s = Sql::exec(
        db, QStringLiteral("select SuppName, SuppAddr, custcode, VATRegNo, KSTNo, CSTNo from Supplier where SuppId=?"),
        {dc.party});
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
    doc.fields[QStringLiteral("DCNo")] = dc.dcNo;
    doc.fields[QStringLiteral("DCDate")] = Rows::dateText(dc.dcDate);
    doc.fields[QStringLiteral("WORef")] =
        dc.poNo.isEmpty()
            ? QString()
            : QStringLiteral(" Our PO No:  ") + dc.poNo + QStringLiteral("    Dt. ") + Rows::dateText(dc.poDate);
    doc.fields[QStringLiteral("Purpose")] = dc.deliveryPurpose;
    doc.fields[QStringLiteral("Remarks")] = dc.remark;
    QList<qint64> itemIds;
    for (const Engine::Line& l : dc.lines) itemIds << l.itemId;
    const QHash<qint64, chain::ItemRef> items = chain::Lookups::itemsById(db, itemIds);
    double qty = 0;
    Money value;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const Engine::Line& l = dc.lines[i];
        const Money lineValue = Money::fromRupees(l.qty * l.rate);
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
