#include "jobwork/LabourInvoices.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "jobwork/LabourKinds.h"

namespace kavra::jobwork::Invoices {

namespace Bills = chain::Bills;
namespace WV = chain::WorkValue;

namespace WB = chain::WorkBills;

QVector<Line> proposedLines(QSqlDatabase& db, qint64 custId, const QList<qint64>& dcIds) {
    return WB::proposedLines(db, billKind(), custId, dcIds);
}

Taxes proposeTaxes(QSqlDatabase& db, qint64 custId) {
    return WB::proposeTaxes(db, billKind(), custId);
}

bool roundsLabour(QSqlDatabase& db) {
    return WB::roundsRupees(db, billKind());
}

bool oneDcPerInvoice(QSqlDatabase& db) {
    return WB::oneDcPerBill(db, billKind());
}

WV::Result value(const Invoice& inv, bool roundRupees) {
    return WB::value(inv, roundRupees);
}

std::optional<Invoice> load(QSqlDatabase& db, qint64 id) {
    return WB::load(db, billKind(), id);
}

Check validate(QSqlDatabase& db, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode) {
    return WB::validate(db, billKind(), inv, roundRupees, shownId, invMode);
}

qint64 save(QSqlDatabase& db, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode) {
    return WB::save(db, billKind(), inv, roundRupees, shownId, invMode);
}

void remove(QSqlDatabase& db, qint64 id) {
    WB::remove(db, billKind(), id);
}

Print::Document printDocument(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("LABINV"), QStringLiteral("LABINV")};
    const std::optional<Invoice> inv = load(db, id);
    if (!inv) return doc;
    const WV::Result v = Invoices::value(*inv, roundsLabour(db));
    const Bills::Head& h = inv->head;
    Print::customerFields(db, doc, h.party);
    Print::ourTaxFields(db, doc);
    Print::billRefs(db, doc, QStringLiteral("DcOutgoingInv"), QStringLiteral("DcId"), h.dcIds);
    auto& f = doc.fields;
    f[QStringLiteral("InvNo")] = h.invNo;
    f[QStringLiteral("InvDate")] = h.invDate.date();
    f[QStringLiteral("PayTerms")] = QStringLiteral("Payment Terms: ") + h.payTerm;
    f[QStringLiteral("Remarks")] = h.invRem;
    for (int i = 0; i < inv->lines.size(); ++i) {
        const Line& l = inv->lines[i];
        doc.lines.append({i + 1, l.particulars, l.dcNo, l.altQty, l.altUnit.isEmpty() ? l.unit : l.altUnit,
                          Print::rate(l.rate), Print::money(v.amounts.value(i))});
    }
    const Taxes& t = inv->taxes;
    Print::ChargeRows rows(doc, v.lineTotal);
    rows.add("Packing", v.packing, true);
    rows.add("VAT", v.vatAmt, true, "VATLabel", QStringLiteral("VAT @ ") + Print::percentText(t.vat));
    rows.add("ServiceTax", v.servTaxAmt, true, "ServiceTaxLabel",
             QStringLiteral("Service Tax @ ") + Print::percentText(t.servTax));
    rows.add("ServTaxCess", v.cessAmt, true, "ServTaxCessLabel",
             QStringLiteral("Cess @ ") + Print::percentText(t.cessOnServTax) + QStringLiteral(" on Service Tax"));
    rows.add("Others", v.otherCharges, true);
    rows.discount(v.finalDiscount);
    rows.finish(inv->totVal);
    return doc;
}

}  // namespace kavra::jobwork::Invoices
