#include "sales/Invoices.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Rows.h"
#include "sales/SalesKinds.h"

namespace kavra::sales::Invoices {

namespace Bills = chain::Bills;
namespace Rows = chain::Rows;

QString dateText(const QDateTime& dt) {
    return Bills::dateText(dt);
}

// ---------------------------------------------------------------- what the screen offers

QList<Choice> customersToInvoice(QSqlDatabase& db) {
    return Bills::partiesToBill(db, billKind());
}

QList<Choice> openDcs(QSqlDatabase& db, qint64 custId) {
    return Bills::openDcs(db, billKind(), custId);
}

QVector<Line> dcLines(QSqlDatabase& db, const QList<qint64>& dcIds) {
    return chain::Bills::lines(db, billKind(), dcIds);
}

void proposeRates(QSqlDatabase& db, qint64 custId, QVector<Line>& lines) {
    chain::Bills::proposeRates(db, billKind(), custId, lines);
}

Taxes proposeTaxes(QSqlDatabase& db, qint64 custId, const QList<qint64>& dcIds) {
    Taxes t;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select Excise, CessOnED, HighCessOnED, CST, KST, CessOnKST, VAT, IsFormC, "
                                           "IsForm37, IsFormH, AnyOtherChrg from DcInv where CustId=? and InvNo is not "
                                           "null and InvNo<>'Nil' order by DcInvId desc limit 1"),
                            {custId});
    if (q.next())
        Sql::readRow(q, t.excise, t.cessOnED, t.highCessOnED, t.cst, t.kst, t.cessOnKST, t.vat, t.formC, t.form37,
                     t.formH, t.otherCharges);
    if (dcIds.isEmpty()) return t;
    QSqlQuery po = Sql::exec(
        db,
        QStringLiteral("select PONo from DcInv where DcInvId in (%1) order by DcInvId").arg(Rows::marks(dcIds.size())),
        Rows::bound(dcIds));
    QStringList numbers;
    while (po.next()) numbers << po.value(0).toString().trimmed();
    po = QSqlQuery();
    for (const QString& poNo : numbers) {
        if (poNo.isEmpty()) continue;
        QSqlQuery o = Sql::exec(db,
                                QStringLiteral("select TINperc, CSTperc from MfgPO where CustId=? and PONo=? order by "
                                               "POId desc limit 1"),
                                {custId, poNo});
        if (!o.next()) continue;
        t.vat = o.value(0).toDouble();
        t.cst = o.value(1).toDouble();
        break;
    }
    return t;
}

// ---------------------------------------------------------------- the value

bool roundsSales(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select RoffSales from Misc")).toBool();
}

bool oneDcPerInvoice(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select sales1to1 from Misc")).toBool();
}

InvoiceCalc::Input calcInput(const Invoice& inv, bool roffSales) {
    InvoiceCalc::Input in;
    in.lines.reserve(inv.lines.size());
    for (const Line& l : inv.lines) in.lines << InvoiceCalc::Line{l.qty, l.rate, l.discount};
    // Every figure as typed: the value is worked out from what the user entered.
    in.packPerc = inv.packPerc;
    in.packForwd = inv.packForwd;
    in.finalDiscPerc = inv.finalDiscPerc;
    in.finalDisc = inv.finalDisc;
    const Taxes& t = inv.taxes;
    in.excise = t.excise;
    in.cessOnED = t.cessOnED;
    in.highCessOnED = t.highCessOnED;
    in.cst = t.cst;
    in.kst = t.kst;
    in.cessOnKST = t.cessOnKST;
    in.vat = t.vat;
    in.surcharge = inv.surcharge;
    in.otherCharges = t.otherCharges;
    in.roffSales = roffSales;
    return in;
}

InvoiceCalc::Result value(const Invoice& inv, bool roffSales) {
    return InvoiceCalc::compute(calcInput(inv, roffSales));
}

// ---------------------------------------------------------------- stored invoices

QList<qint64> navigation(QSqlDatabase& db) {
    return Bills::navigation(db, billKind());
}

std::optional<qint64> invoiceOf(QSqlDatabase& db, qint64 dcInvId) {
    return Bills::billOf(db, billKind(), dcInvId);
}

std::optional<Invoice> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select CustId, InvNo, InvDateT, PayTerm, InvRem, PackForwd, IsPackForwdPerc, FinalDisc, "
                       "IsFinalDiscPerc, AnyOtherChrg, Excise, CessOnED, HighCessOnED, CST, IsFormC, KST, CessOnKST, "
                       "IsForm37, Surcharge, VAT, IsFormH, TotVal, Balance from DcInv where DcInvId=? and InvNo is not "
                       "null and InvNo<>'Nil'"),
        {id});
    if (!q.next()) return std::nullopt;
    Invoice inv;
    inv.id = id;
    double storedPack = 0, storedDisc = 0;
    Taxes& t = inv.taxes;
    Sql::readRow(q, inv.custId, Sql::trimmed(inv.invNo), inv.invDate, Sql::trimmed(inv.payTerm),
                 Sql::trimmed(inv.invRem), storedPack, inv.packPerc, storedDisc, inv.finalDiscPerc, t.otherCharges,
                 t.excise, t.cessOnED, t.highCessOnED, t.cst, t.formC, t.kst, t.cessOnKST, t.form37, inv.surcharge,
                 t.vat, t.formH, inv.totVal, inv.balance);
    q = QSqlQuery();
    inv.dcIds = Bills::dcsOf(db, billKind(), id);
    inv.lines = dcLines(db, inv.dcIds);

    const auto typed = Bills::chargesAsTyped(storedPack, inv.packPerc, storedDisc, inv.finalDiscPerc, [&](double pack) {
        Invoice b = inv;
        b.packForwd = pack;
        b.finalDisc = 0;
        const InvoiceCalc::Result v = value(b, false);
        return QPair<double, double>{v.lineTotal.rupees(), v.beforeFinalDiscount};
    });
    inv.packForwd = typed.packForwd;
    inv.finalDisc = typed.finalDisc;
    return inv;
}

Found find(QSqlDatabase& db, const QString& invNo) {
    return Bills::find(db, billKind(), invNo);
}

// ---------------------------------------------------------------- checks

Check modifyBlock(QSqlDatabase& db, qint64 id) {
    return Bills::modifyBlock(db, billKind(), id);
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    return Bills::deleteBlock(db, billKind(), id);
}

TaxEffect taxTyped(const QString& control, const Taxes& now) {
    TaxEffect e;
    auto is = [&](const char* n) { return control == QLatin1String(n); };
    // At most one of CST, LST and VAT: typing one clears the others.
    if (is("txtCST")) {
        e.clear = {"txtKST", "txtSurchrg", "txtCess", "txtVAT"};
        e.untick = {"optKST", "optFormH"};
    } else if (is("txtVAT")) {
        e.clear = {"txtCST", "txtKST", "txtSurchrg", "txtCess"};
        e.untick = {"optCST", "optKST"};
    } else if (is("txtKST")) {
        e.clear = {"txtCST", "txtVAT"};
        e.untick = {"optCST", "optFormH"};
    } else if (is("optFormH")) {
        if (!now.formH) return e;
        e.clear = {"txtCST", "txtKST", "txtSurchrg", "txtCess", "txtVAT"};
        e.untick = {"optCST", "optKST"};
    } else if (is("optCST")) {
        if (now.formC) e.untick = {"optKST", "optFormH"};
    } else if (is("optKST")) {
        if (now.form37) e.untick = {"optCST", "optFormH"};
    } else if (is("txtCess")) {
        // A cess needs the tax it is levied on.
        if (now.cessOnKST == 0) return e;
        if (now.cst != 0)
            e.refusal = Refusal::at(control, QStringLiteral("No cess allowed for CST !"));
        else if (now.kst == 0)
            e.refusal = Refusal::at(control, QStringLiteral("LST must be entered...   in order to have Cess on LST !"));
    } else if (is("txtCessED")) {
        if (now.cessOnED != 0 && now.excise == 0)
            e.refusal =
                Refusal::at(control, QStringLiteral("Excise must be entered...   in order to have Cess on Excise !"));
    } else if (is("txtHighCessED")) {
        if (now.highCessOnED != 0 && now.excise == 0)
            e.refusal = Refusal::at(
                control,
                QStringLiteral("Excise must be entered...   in order to have Higher Educational Cess on Excise !"));
    }
    return e;
}

Check validate(QSqlDatabase& db, const Invoice& inv, bool roffSales, qint64 shownId, int invMode) {
    if (shownId != 0)
        if (auto b = modifyBlock(db, shownId)) return b;
    if (inv.custId == 0) return Refusal::at(QStringLiteral("cmbCust"), QStringLiteral("Select a customer Name....."));
    if (inv.dcIds.isEmpty()) return Refusal::at(QStringLiteral("lstDcNo"), QStringLiteral("Select atleast a DC..... "));
    if (inv.lines.isEmpty())
        return Refusal::at(QStringLiteral("lstDcNo"),
                           QStringLiteral("Select a DcNo to have the invoice particulars....."));
    if (auto r = Bills::linesCheck(billKind(), inv.lines)) return r;
    const Taxes& t = inv.taxes;
    if (auto r = Bills::chargesCheck({inv.packForwd, inv.finalDisc, inv.surcharge, t.otherCharges, t.excise, t.cessOnED,
                                      t.highCessOnED, t.cst, t.kst, t.cessOnKST, t.vat}))
        return r;
    if (value(inv, roffSales).total <= Money())
        return Refusal::at(QStringLiteral("txtTotVal"), QStringLiteral("Enter a Valid  Invoice Value ....."));
    if (auto r = Bills::numberCheck(inv.invNo)) return r;
    const QString no = inv.invNo.trimmed();
    const QList<qint64> own = shownId != 0 ? Bills::dcsOf(db, billKind(), shownId) : inv.dcIds;
    return Bills::duplicateNumber(db, billKind(), no, inv.invDate.date(), own, invMode);
}

// ---------------------------------------------------------------- writing

qint64 save(QSqlDatabase& db, const Invoice& inv, bool roffSales, qint64 shownId, int invMode) {
    const InvoiceCalc::Result v = value(inv, roffSales);
    const Taxes& t = inv.taxes;
    const Bills::Head h{inv.custId,    inv.dcIds,    inv.invNo,     inv.invDate,       inv.payTerm,   inv.invRem,
                        inv.packForwd, inv.packPerc, inv.finalDisc, inv.finalDiscPerc, t.otherCharges};
    chain::Row bill = Bills::headColumns(h, v.storedPackForwd, v.storedFinalDisc, v.total);
    bill.set(QStringLiteral("Excise"), t.excise)
        .set(QStringLiteral("CessOnED"), t.cessOnED)
        .set(QStringLiteral("HighCessOnED"), t.highCessOnED)
        .set(QStringLiteral("CST"), t.cst)
        .set(QStringLiteral("IsFormC"), t.formC)
        .set(QStringLiteral("KST"), t.kst)
        .set(QStringLiteral("CessOnKST"), t.cessOnKST)
        .set(QStringLiteral("Surcharge"), inv.surcharge)
        .set(QStringLiteral("IsForm37"), t.form37)
        .set(QStringLiteral("VAT"), t.vat)
        .set(QStringLiteral("IsFormH"), t.formH);
    return Bills::save(db, billKind(), h, bill, inv.lines, shownId, invMode);
}

void remove(QSqlDatabase& db, qint64 id) {
    enforce(deleteBlock(db, id));
    Bills::clear(db, billKind(), id);
}

// ---------------------------------------------------------------- print

Print::Document printDocument(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("mfgINV"), QStringLiteral("MFGINV")};
    const std::optional<Invoice> inv = load(db, id);
    if (!inv) return doc;
    const InvoiceCalc::Result v = value(*inv, roundsSales(db));
    const Money total = inv->totVal;

    QSqlQuery c =
        Sql::exec(db, QStringLiteral("select CustName, CustAddr, VATRegNo, KSTNo, CSTNo from Customer where CustId=?"),
                  {inv->custId});
    const bool haveCust = c.next();
    auto cust = [&](int i) { return haveCust ? c.value(i).toString().trimmed() : QString(); };
    QSqlQuery m = Sql::exec(db, QStringLiteral("select MyVATRegNo, MyKST, MyCST from Misc"));
    const bool haveMisc = m.next();
    auto mine = [&](int i) { return haveMisc ? m.value(i).toString().trimmed() : QString(); };

    Print::billRefs(db, doc, QStringLiteral("DcInv"), QStringLiteral("DcInvId"), inv->dcIds);

    auto& f = doc.fields;
    f[QStringLiteral("InvNo")] = inv->invNo;
    f[QStringLiteral("InvDate")] = inv->invDate.date();
    f[QStringLiteral("CustName")] = cust(0);
    f[QStringLiteral("CustAddr")] = cust(1);
    f[QStringLiteral("PartyTIN")] = QStringLiteral("Party's TIN : ") + cust(2);
    f[QStringLiteral("PartyLST")] = QStringLiteral("Party's LST : ") + cust(3);
    f[QStringLiteral("PartyCST")] = QStringLiteral("Party's CST : ") + cust(4);
    f[QStringLiteral("OurTIN")] = QStringLiteral("Our TIN : ") + mine(0);
    f[QStringLiteral("OurLST")] = QStringLiteral("Our LST : ") + mine(1);
    f[QStringLiteral("OurCST")] = QStringLiteral("Our CST : ") + mine(2);
    f[QStringLiteral("PayTerms")] = QStringLiteral("Payment Terms: ") + inv->payTerm;
    f[QStringLiteral("Remarks")] = inv->invRem;
    const Taxes& t = inv->taxes;
    if (t.formH)
        f[QStringLiteral("FormText")] = QStringLiteral("No Taxes under Form H");
    else if (t.formC && v.cstAmt != 0)
        f[QStringLiteral("FormText")] = QStringLiteral("Against Form 'C'");

    for (int i = 0; i < inv->lines.size(); ++i) {
        const Line& l = inv->lines[i];
        doc.lines.append(
            {i + 1, l.particulars, l.qty, l.unit, Print::rate(l.rate), l.discount, Print::money(v.amounts.value(i))});
    }

    // Each charge and tax as printed; the rows that do not apply are hidden, and a round-off
    // row makes the printed column add up to the invoice value.
    Print::ChargeRows rows(doc, v.lineTotal);
    const bool excise = t.excise != 0;
    rows.add("Packing", v.packing, true);
    rows.add("Excise", v.exciseDuty, excise, "ExciseLabel",
             QStringLiteral("Excise Duty @ ") + Print::percentText(t.excise));
    rows.add("EduCess", v.eduCess, excise, "EduCessLabel",
             QStringLiteral("Education Cess @ ") + Print::percentText(t.cessOnED) + QStringLiteral(" on ED"));
    rows.add(
        "HECess", v.heCess, excise, "HECessLabel",
        QStringLiteral("Higher Education Cess @ ") + Print::percentText(t.highCessOnED) + QStringLiteral(" on ED"));
    if (v.cstAmt != 0)
        rows.add("SalesTax", v.cstAmt, true, "SalesTaxLabel", QStringLiteral("CST @ ") + Print::percentText(t.cst));
    else
        rows.add("SalesTax", v.kstAmt, v.kstAmt != 0, "SalesTaxLabel",
                 QStringLiteral("LST @ ") + Print::percentText(t.kst));
    rows.add("TaxCess", v.kstCess, v.kstAmt != 0, "TaxCessLabel",
             QStringLiteral("Cess @ ") + Print::percentText(t.cessOnKST) + QStringLiteral(" on LST"));
    rows.add("VAT", v.vatAmt, true, "VATLabel", QStringLiteral("VAT @ ") + Print::percentText(t.vat));
    rows.add("Surcharge", v.surcharge, true, "SurchargeLabel", QStringLiteral("Surcharge"));
    rows.add("Others", v.otherCharges, true, "OthersLabel", QStringLiteral("Other Charges"));
    rows.discount(v.finalDiscount);
    rows.finish(total);
    return doc;
}

}  // namespace kavra::sales::Invoices
