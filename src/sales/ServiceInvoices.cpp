#include "sales/ServiceInvoices.h"

#include <QSqlQuery>

#include "core/Db.h"
#include "core/FinancialYear.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Bills.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"

namespace kavra::sales::ServiceInvoices {

namespace WV = chain::WorkValue;
namespace Bills = chain::Bills;

const Kind& outgoing() {
    static const Kind k = [] {
        Kind s;
        s.screen = QStringLiteral("frmInvoiceServOut");
        s.table = QStringLiteral("InvoiceServOut");
        s.partyTable = QStringLiteral("Customer");
        s.partyKey = QStringLiteral("CustId");
        s.partyName = QStringLiteral("CustName");
        s.partyField = QStringLiteral("cmbCust");
        s.zeroedColumns = {QStringLiteral("DebitAmt"), QStringLiteral("Debit"), QStringLiteral("TDS")};
        s.noteRemark = QStringLiteral("DebitRem");
        s.selectParty = QStringLiteral("Select a customer Name.....");
        s.duplicate = QStringLiteral(" A Record with Same Invoice No. already exists !!!");
        s.rejectedBy = QStringLiteral("Customer");
        return s;
    }();
    return k;
}

const Kind& incoming() {
    static const Kind k = [] {
        Kind s;
        s.screen = QStringLiteral("frmInvoiceServIn");
        s.table = QStringLiteral("InvoiceServIn");
        s.partyTable = QStringLiteral("Vendor");
        s.partyKey = QStringLiteral("VendorCode");
        s.partyName = QStringLiteral("VendorName");
        s.partyField = QStringLiteral("cmbVendor");
        s.proposesNumber = false;
        s.uniquePerParty = true;
        s.ledgerKind = 1;
        s.ledgerExpense = true;
        s.ledgerHead = 5;
        s.zeroedColumns = {QStringLiteral("DebitAmt"), QStringLiteral("Credit"), QStringLiteral("TDS"),
                           QStringLiteral("CreditAmt")};
        s.noteRemark = QStringLiteral("DebitRem");
        s.selectParty = QStringLiteral("Select a Vendor Name.....");
        s.duplicate = QStringLiteral(" A Record with Same Invoice No. already exists with this Vendor!!!");
        s.rejectedBy = QStringLiteral("Vendor");
        return s;
    }();
    return k;
}

namespace {

QString sub(const Kind& k) {
    return k.table + QStringLiteral("Sub");
}

}  // namespace

bool roundsRupees(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select RoffLabour from Misc")).toBool();
}

WV::Result value(const Invoice& inv, bool roundRupees) {
    WV::Input in{{},
                 inv.packForwd,
                 inv.packPerc,
                 inv.vat,
                 inv.servTax,
                 inv.cessOnServTax,
                 inv.otherCharges,
                 inv.finalDisc,
                 inv.finalDiscPerc,
                 roundRupees};
    for (const Line& l : inv.lines) in.lines << WV::Line{l.altQty, l.rate, l.discount};
    return WV::compute(in);
}

QList<qint64> navigation(QSqlDatabase& db, const Kind& k) {
    return Sql::ids(db, QStringLiteral("select DcId from %1 order by DcId").arg(k.table));
}

QVariant navigationStamp(QSqlDatabase& db, const Kind& k) {
    QSqlQuery q = Sql::exec(db, QStringLiteral("select count(*), max(DcId) from %1").arg(k.table));
    return q.next() ? QVariant(QVariantList{q.value(0), q.value(1)}) : QVariant();
}

qint64 proposedId(QSqlDatabase& db, const Kind& k) {
    return Sql::proposedId(db, k.table, QStringLiteral("DcId"));
}

QString proposedNumber(QSqlDatabase& db, const Kind& k, const QDate& today) {
    if (!k.proposesNumber) return {};
    const QVariant last =
        Sql::scalar(db,
                    QStringLiteral("select InvNo from %1 where DcId=(select max(DcId) from %1 where %2)")
                        .arg(k.table, FinancialYear::condition(QStringLiteral("InvDateT"))),
                    FinancialYear::params(FinancialYear::of(today)));
    return QString::number(qint64(text::val(last.toString())) + 1);
}

std::optional<Invoice> load(QSqlDatabase& db, const Kind& k, qint64 id) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select %2, InvNo, InvDateT, DcNo, DcDateT, PackForwd, IsPackForwdPerc, "
                                           "FinalDisc, IsFinalDiscPerc, AnyOtherChrg, PayTerm, VAT, ServTax, "
                                           "CessOnServTax, TotVal, InvRem, Balance from %1 where DcId=?")
                                .arg(k.table, k.partyKey),
                            {id});
    if (!q.next()) return std::nullopt;
    Invoice inv;
    inv.id = id;
    double storedPack = 0, storedDisc = 0;
    Sql::readRow(q, inv.party, Sql::trimmed(inv.invNo), inv.invDate, Sql::trimmed(inv.dcNo), inv.dcDate, storedPack,
                 inv.packPerc, storedDisc, inv.finalDiscPerc, inv.otherCharges, Sql::trimmed(inv.payTerm), inv.vat,
                 inv.servTax, inv.cessOnServTax, inv.totVal, Sql::trimmed(inv.invRem), inv.balance);
    q = Sql::exec(db,
                  QStringLiteral("select s.ItemId, i.ItemCode, p.ProdName, s.Qty, s.AltQty, s.Rate, s.Discount, "
                                 "s.InvRowRem from %1 s left join Item i on i.ItemId=s.ItemId left join ProductL p on "
                                 "p.ProdId=s.ProductId where s.DcId=? order by s.SlNo")
                      .arg(sub(k)),
                  {id});
    while (q.next()) {
        Line l;
        Sql::readRow(q, l.itemId, Sql::trimmed(l.itemCode), Sql::trimmed(l.particulars), l.qty, l.altQty, l.rate,
                     l.discount, Sql::trimmed(l.remark));
        inv.lines << l;
    }
    // A percentage charge is stored as the amount it gave: read back as the percentage typed.
    const auto typed = Bills::chargesAsTyped(storedPack, inv.packPerc, storedDisc, inv.finalDiscPerc, [&](double p) {
        Invoice b = inv;
        b.packForwd = p;
        b.finalDisc = 0;
        const WV::Result v = value(b, false);
        return QPair<double, double>{v.lineTotal.rupees(), v.beforeFinalDiscount};
    });
    inv.packForwd = typed.packForwd;
    inv.finalDisc = typed.finalDisc;
    return inv;
}

Found find(QSqlDatabase& db, const Kind& k, const QString& invNo) {
    const QList<qint64> ids = Sql::ids(
        db, QStringLiteral("select DcId from %1 where InvNo=? order by DcId desc").arg(k.table), {invNo.trimmed()});
    if (ids.isEmpty()) return {std::nullopt, QStringLiteral(" NO Invoice exists with this No."), MsgIcon::Information};
    return {ids.first(), {}};
}

QStringList particulars(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select ProdName from ProductL order by ProdName"));
}

Check changeBlock(QSqlDatabase& db, const Kind& k, qint64 id) {
    if (Sql::scalar(db, QStringLiteral("select sum(RejQty+RewQty) from %1 where DcId=?").arg(sub(k)), {id}).toDouble() >
        0) {
        const QString ref =
            Sql::scalar(db, QStringLiteral("select DcNo from %1 where DcId=?").arg(k.table), {id}).toString().trimmed();
        return Refusal::message(QStringLiteral("Modification/Deletion not allowed with this DC No: ") + ref +
                                QStringLiteral(", since Rejection and Rework Qty from ") + k.rejectedBy +
                                QStringLiteral(" has been made!!!"));
    }
    // Money against it: a balance below the value, or a ledger row naming it (a settlement of 0
    // leaves the balance as it was).
    const bool moneyIn =
        Sql::any(db, QStringLiteral("select 1 from %1 where DcId=? and TotVal<>Balance").arg(k.table), {id}) ||
        Sql::any(db,
                 QStringLiteral("select 1 from FundTrans f, %1 v, %2 p where v.DcId=? and p.%3=v.%3 and f.P_R_A=? and "
                                "f.IsExpense=? and f.ExpIncId=? and f.PartyName=p.%4 and f.TrackBill=v.InvNo")
                     .arg(k.table, k.partyTable, k.partyKey, k.partyName),
                 {id, k.ledgerKind, k.ledgerExpense, k.ledgerHead});
    if (moneyIn)
        return Refusal::message(
            QStringLiteral("Modification/Deletion not allowed, since Some Cash Flow is made in this Regard!!!"));
    return std::nullopt;
}

Check linesCheck(QSqlDatabase& db, const QVector<Line>& lines) {
    if (lines.isEmpty())
        return Refusal::cell(1, 1, QStringLiteral("Please Enter the Item details by clicking the grid heading....."));
    QStringList codes;
    for (const Line& l : lines) codes << l.itemCode.trimmed();
    const auto items = chain::Lookups::itemsByCode(db, codes);
    for (int i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        const int row = i + 1;
        if (l.itemCode.trimmed().isEmpty())
            return Refusal::cell(row, 1,
                                 QStringLiteral("Enter Valid Item Code/Part No. for the SlNo.") + QString::number(row));
        if (!items.contains(l.itemCode.trimmed()))
            return Refusal::cell(
                row, 1, QStringLiteral("Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!!"));
        if (l.particulars.trimmed().isEmpty())
            return Refusal::cell(row, 2, QStringLiteral("Enter Particulars for the SlNo. ") + QString::number(row));
        if (l.qty <= 0) return Refusal::cell(row, 3, QStringLiteral("Enter the Valid Qty  ") + QString::number(row));
        if (l.altQty <= 0)
            return Refusal::cell(row, 4, QStringLiteral("Enter the Valid Alternate Qty  ") + QString::number(row));
        if (l.rate <= 0) return Refusal::cell(row, 5, QStringLiteral("Enter the Valid Rate  ") + QString::number(row));
        if (l.discount < 0 || l.discount > 100 || !money::fits(l.altQty * l.rate))
            return Refusal::cell(row, 6, QStringLiteral("A charge or a tax is too large."));
    }
    return std::nullopt;
}

Check validate(QSqlDatabase& db, const Kind& k, const Invoice& inv, bool roundRupees, qint64 shownId) {
    if (inv.party <= 0 ||
        !Sql::any(db, QStringLiteral("select 1 from %1 where %2=?").arg(k.partyTable, k.partyKey), {inv.party}))
        return Refusal::at(k.partyField, k.selectParty);
    if (inv.invNo.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtInvNo"), QStringLiteral("Enter the Invoice Number ....."));
    if (auto r = Bills::chargesCheck(
            {inv.packForwd, inv.finalDisc, inv.otherCharges, inv.vat, inv.servTax, inv.cessOnServTax}))
        return r;
    if (inv.cessOnServTax > 0 && inv.servTax <= 0)
        return Refusal::at(QStringLiteral("txtCessOnServTax"),
                           QStringLiteral("Service Tax must be entered...   in order to have Cess on Service Tax !"));
    if (auto r = linesCheck(db, inv.lines)) return r;
    if (value(inv, roundRupees).total <= Money())
        return Refusal::at(QStringLiteral("txtTotVal"), QStringLiteral("Enter a Valid  Invoice Value ....."));
    QString sql = QStringLiteral("select 1 from %1 where InvNo=? and DcId<>?").arg(k.table);
    QVariantList params{inv.invNo.trimmed(), shownId};
    if (k.uniquePerParty) {
        sql += QStringLiteral(" and %1=?").arg(k.partyKey);
        params << inv.party;
    }
    if (Sql::any(db, sql, params)) return Refusal::at(QStringLiteral("txtInvNo"), k.duplicate);
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Kind& k, const Invoice& inv, bool roundRupees, qint64 shownId) {
    if (shownId != 0) {
        enforce(changeBlock(db, k, shownId));
        if (!Sql::any(db, QStringLiteral("select 1 from %1 where DcId=?").arg(k.table), {shownId}))
            throw Refused(QStringLiteral("This invoice was deleted at another workstation."));
    }
    enforce(validate(db, k, inv, roundRupees, shownId));
    const WV::Result v = value(inv, roundRupees);
    qint64 id = shownId;
    if (id == 0) {
        id = inv.id;
        if (id <= 0 || Sql::any(db, QStringLiteral("select 1 from %1 where DcId=?").arg(k.table), {id}))
            id = Sql::nextId(db, k.table, QStringLiteral("DcId"));
    }
    // A percentage is kept as the amount it gives, to the paisa.
    chain::Row head;
    head.set(k.partyKey, inv.party)
        .set(QStringLiteral("InvNo"), inv.invNo.trimmed())
        .set(QStringLiteral("InvDate"), inv.invDate.toString(QStringLiteral("dd/MM/yyyy")))
        .set(QStringLiteral("InvDateT"), Db::day(inv.invDate))
        .set(QStringLiteral("DcNo"), chain::Rows::optionalText(inv.dcNo))
        .set(QStringLiteral("DcDate"), inv.dcDate.toString(QStringLiteral("dd/MM/yyyy")))
        .set(QStringLiteral("DcDateT"), Db::day(inv.dcDate))
        .set(QStringLiteral("PackForwd"), inv.packPerc ? money::shown(v.packing) : inv.packForwd)
        .set(QStringLiteral("IsPackForwdPerc"), inv.packPerc)
        .set(QStringLiteral("FinalDisc"), money::shown(v.finalDiscount))
        .set(QStringLiteral("IsFinalDiscPerc"), inv.finalDiscPerc)
        .set(QStringLiteral("AnyOtherChrg"), inv.otherCharges)
        .set(QStringLiteral("PayTerm"), chain::Rows::optionalText(inv.payTerm))
        .set(QStringLiteral("VAT"), inv.vat)
        .set(QStringLiteral("ServTax"), inv.servTax)
        .set(QStringLiteral("CessOnServTax"), inv.cessOnServTax)
        .set(QStringLiteral("TotVal"), v.total.toDb())
        .set(QStringLiteral("InvRem"), chain::Rows::optionalText(inv.invRem))
        .set(QStringLiteral("Balance"), v.total.toDb())
        .set(k.noteRemark, QStringLiteral(" "));
    for (const QString& c : k.zeroedColumns) head.set(c, 0);
    if (shownId == 0) {
        chain::Rows::insert(db, k.table, head.set(QStringLiteral("DcId"), id));
    } else {
        chain::Rows::update(db, k.table, head, QStringLiteral("DcId"), id);
        Sql::exec(db, QStringLiteral("delete from %1 where DcId=?").arg(sub(k)), {id});
    }
    QStringList codes;
    for (const Line& l : inv.lines) codes << l.itemCode.trimmed();
    const auto items = chain::Lookups::itemsByCode(db, codes);
    QList<QPair<QString, qint64>> texts;
    for (const Line& l : inv.lines) texts << qMakePair(l.particulars.trimmed(), items.value(l.itemCode.trimmed()).id);
    const QHash<QString, qint64> prodIds = chain::Lookups::particularsIds(db, texts);
    QList<chain::Row> rows;
    for (int i = 0; i < inv.lines.size(); ++i) {
        const Line& l = inv.lines[i];
        chain::Row r;
        r.set(QStringLiteral("DcId"), id)
            .set(QStringLiteral("SlNo"), i + 1)
            .set(QStringLiteral("ItemId"), items.value(l.itemCode.trimmed()).id)
            .set(QStringLiteral("ProductId"), prodIds.value(l.particulars.trimmed()))
            .set(QStringLiteral("Qty"), l.qty)
            .set(QStringLiteral("AltQty"), l.altQty)
            .set(QStringLiteral("Rate"), l.rate)
            .set(QStringLiteral("Discount"), l.discount)
            .set(QStringLiteral("InvRowRem"), chain::Rows::optionalText(l.remark))
            .set(QStringLiteral("RejQty"), 0)
            .set(QStringLiteral("RewQty"), 0)
            .set(QStringLiteral("RejRowRem"), QStringLiteral(" "));
        rows << r;
    }
    chain::Rows::insertAll(db, sub(k), rows);
    return id;
}

void remove(QSqlDatabase& db, const Kind& k, qint64 id) {
    enforce(changeBlock(db, k, id));
    Sql::exec(db, QStringLiteral("delete from %1 where DcId=?").arg(sub(k)), {id});
    Sql::exec(db, QStringLiteral("delete from %1 where DcId=?").arg(k.table), {id});
}

Print::Document printDocument(QSqlDatabase& db, const Kind& k, qint64 id) {
    Print::Document doc{QStringLiteral("ServINV"), QStringLiteral("LABINV")};
    const std::optional<Invoice> inv = load(db, k, id);
    if (!inv) return doc;
    const WV::Result v = value(*inv, roundsRupees(db));
    if (k.partyTable == QLatin1String("Customer")) {
        Print::customerFields(db, doc, inv->party);
    } else {
        QSqlQuery q =
            Sql::exec(db, QStringLiteral("select VendorName, VendorAddr from Vendor where VendorCode=?"), {inv->party});
        if (q.next()) {
            doc.fields[QStringLiteral("CustName")] = q.value(0).toString().trimmed();
            doc.fields[QStringLiteral("CustAddr")] = q.value(1).toString().trimmed();
        }
    }
    Print::ourTaxFields(db, doc);
    auto& f = doc.fields;
    f[QStringLiteral("InvNo")] = inv->invNo;
    f[QStringLiteral("InvDate")] = inv->invDate;
    f[QStringLiteral("RefPO")] = inv->dcNo.isEmpty()
                                     ? QString()
                                     : QStringLiteral("Your Ref: ") + inv->dcNo + QStringLiteral("  Dt. ") +
                                           inv->dcDate.toString(QStringLiteral("dd/MM/yyyy"));
    f[QStringLiteral("PayTerms")] = QStringLiteral("Payment Terms: ") + inv->payTerm;
    f[QStringLiteral("Remarks")] = inv->invRem;
    for (int i = 0; i < inv->lines.size(); ++i) {
        const Line& l = inv->lines[i];
        doc.lines.append({i + 1, l.particulars, l.altQty, Print::rate(l.rate), Print::money(v.amounts.value(i))});
    }
    Print::ChargeRows rows(doc, v.lineTotal);
    rows.add("Packing", v.packing, true);
    rows.add("VAT", v.vatAmt, true, "VATLabel", QStringLiteral("VAT @ ") + Print::percentText(inv->vat));
    rows.add("ServiceTax", v.servTaxAmt, true, "ServiceTaxLabel",
             QStringLiteral("Service Tax @ ") + Print::percentText(inv->servTax));
    rows.add("ServTaxCess", v.cessAmt, true, "ServTaxCessLabel",
             QStringLiteral("Cess @ ") + Print::percentText(inv->cessOnServTax) + QStringLiteral(" on Service Tax"));
    rows.add("Others", v.otherCharges, true);
    rows.discount(v.finalDiscount);
    rows.finish(inv->totVal);
    return doc;
}

}  // namespace kavra::sales::ServiceInvoices
