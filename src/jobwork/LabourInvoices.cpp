#include "jobwork/LabourInvoices.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "jobwork/LabourKinds.h"

namespace kavra::jobwork::Invoices {

namespace Bills = chain::Bills;
namespace WV = chain::WorkValue;

QVector<Line> proposedLines(QSqlDatabase& db, qint64 custId, const QList<qint64>& dcIds) {
    QVector<Line> lines = Bills::lines(db, billKind(), dcIds);
    Bills::proposeRates(db, billKind(), custId, lines);
    return lines;
}

Taxes proposeTaxes(QSqlDatabase& db, qint64 custId) {
    Taxes t;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select VAT, ServTax, CessOnServTax from DcOutgoingInv where DcId=(select "
                                           "max(DcId) from DcOutgoingInv where CustId=? and InvNo is not null and "
                                           "InvNo<>'Nil')"),
                            {custId});
    if (q.next()) Sql::readRow(q, t.vat, t.servTax, t.cessOnServTax);
    return t;
}

bool roundsLabour(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select RoffLabour from Misc")).toBool();
}

bool oneDcPerInvoice(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select labour1to1 from Misc")).toBool();
}

WV::Result value(const Invoice& inv, bool roundRupees) {
    WV::Input in;
    for (const Line& l : inv.lines) in.lines << WV::Line{l.altQty, l.rate, l.discount};
    const Bills::Head& h = inv.head;
    in.packForwd = h.packForwd;
    in.packPerc = h.packPerc;
    in.vat = inv.taxes.vat;
    in.servTax = inv.taxes.servTax;
    in.cessOnServTax = inv.taxes.cessOnServTax;
    in.otherCharges = h.otherCharges;
    in.finalDisc = h.finalDisc;
    in.finalDiscPerc = h.finalDiscPerc;
    in.roundRupees = roundRupees;
    return WV::compute(in);
}

std::optional<Invoice> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select CustId, InvNo, InvDateT, PayTerm, InvRem, PackForwd, IsPackForwdPerc, FinalDisc, "
                       "IsFinalDiscPerc, AnyOtherChrg, VAT, ServTax, CessOnServTax, TotVal, Balance from "
                       "DcOutgoingInv where DcId=? and InvNo is not null and InvNo<>'Nil'"),
        {id});
    if (!q.next()) return std::nullopt;
    Invoice inv;
    inv.id = id;
    Bills::Head& h = inv.head;
    double storedPack = 0, storedDisc = 0;
    Sql::readRow(q, h.party, Sql::trimmed(h.invNo), h.invDate, Sql::trimmed(h.payTerm), Sql::trimmed(h.invRem),
                 storedPack, h.packPerc, storedDisc, h.finalDiscPerc, h.otherCharges, inv.taxes.vat, inv.taxes.servTax,
                 inv.taxes.cessOnServTax, inv.totVal, inv.balance);
    q = QSqlQuery();
    h.dcIds = Bills::dcsOf(db, billKind(), id);
    inv.lines = Bills::lines(db, billKind(), h.dcIds);
    const auto typed = Bills::chargesAsTyped(storedPack, h.packPerc, storedDisc, h.finalDiscPerc, [&](double pack) {
        Invoice b = inv;
        b.head.packForwd = pack;
        b.head.finalDisc = 0;
        const WV::Result v = value(b, false);
        return QPair<double, double>{v.lineTotal.rupees(), v.beforeFinalDiscount};
    });
    h.packForwd = typed.packForwd;
    h.finalDisc = typed.finalDisc;
    return inv;
}

Check validate(QSqlDatabase& db, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode) {
    const Bills::Head& h = inv.head;
    if (shownId != 0)
        if (auto b = Bills::modifyBlock(db, billKind(), shownId)) return b;
    if (h.party == 0) return Refusal::at(QStringLiteral("cmbCust"), QStringLiteral("Select a customer Name....."));
    if (auto r = Bills::numberCheck(h.invNo)) return r;
    if (h.dcIds.isEmpty()) return Refusal::at(QStringLiteral("lstDcNo"), QStringLiteral("Select atleast a DC..... "));
    if (auto r = Bills::chargesCheck(
            {h.packForwd, h.finalDisc, h.otherCharges, inv.taxes.vat, inv.taxes.servTax, inv.taxes.cessOnServTax}))
        return r;
    if (inv.lines.isEmpty())
        return Refusal::at(QStringLiteral("lstDcNo"),
                           QStringLiteral("Select a DcNo to have the invoice particulars....."));
    if (auto r = Bills::linesCheck(billKind(), inv.lines)) return r;
    if (value(inv, roundRupees).total <= Money())
        return Refusal::at(QStringLiteral("txtTotVal"), QStringLiteral("Enter a Valid  Invoice Value ....."));
    const QList<qint64> own = shownId != 0 ? Bills::dcsOf(db, billKind(), shownId) : h.dcIds;
    return Bills::duplicateNumber(db, billKind(), h.invNo, h.invDate.date(), own, invMode);
}

qint64 save(QSqlDatabase& db, const Invoice& inv, bool roundRupees, qint64 shownId, int invMode) {
    const WV::Result v = value(inv, roundRupees);
    const Bills::Head& h = inv.head;
    // A percentage is kept as the amount it gives, to the paisa.
    const double pack = h.packPerc ? money::shown(v.packing) : h.packForwd;
    chain::Row bill = Bills::headColumns(h, pack, v.finalDiscount, v.total);
    bill.set(QStringLiteral("VAT"), inv.taxes.vat)
        .set(QStringLiteral("ServTax"), inv.taxes.servTax)
        .set(QStringLiteral("CessOnServTax"), inv.taxes.cessOnServTax);
    return Bills::save(db, billKind(), h, bill, inv.lines, shownId, invMode);
}

void remove(QSqlDatabase& db, qint64 id) {
    enforce(Bills::deleteBlock(db, billKind(), id));
    Bills::clear(db, billKind(), id);
}

Print::Document printDocument(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("LABINV"), QStringLiteral("LABINV")};
    const std::optional<Invoice> inv = load(db, id);
    if (!inv) return doc;
    const WV::Result v = value(*inv, roundsLabour(db));
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
