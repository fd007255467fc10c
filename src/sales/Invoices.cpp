#include "sales/Invoices.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>

#include "core/ClsProd.h"
#include "core/Refused.h"
#include "core/Sql.h"
#include "core/Text.h"

namespace kavra::sales::Invoices {

namespace {

// "?,?,?" for an IN list of n identifiers (the identifiers themselves are bound).
QString marks(qsizetype n) {
    QStringList m;
    for (qsizetype i = 0; i < n; ++i) m << QStringLiteral("?");
    return m.join(QLatin1Char(','));
}

QVariantList bound(const QList<qint64>& ids) {
    QVariantList out;
    for (qint64 id : ids) out << id;
    return out;
}

QString optionalText(const QString& s) {
    const QString t = s.trimmed();
    return t.isEmpty() ? QStringLiteral(" ") : t;
}

// A financial year runs from 1 April to 31 March.
QVariantList yearOf(const QDate& d) {
    const int y = clsProd::FinancialYearOf(d);
    return {Db::ts(QDateTime(QDate(y, 4, 1), QTime(0, 0))), Db::ts(QDateTime(QDate(y + 1, 3, 31), QTime(23, 59, 59)))};
}

// The DC rows of the invoice that row id belongs to: same number, customer and invoice time.
const char* kSameInvoice =
    "from DcInv d, DcInv r where r.DcInvId=? and r.InvNo is not null and r.InvNo<>'Nil' and d.InvNo=r.InvNo and "
    "d.CustId=r.CustId and d.InvDateT=r.InvDateT";

QList<qint64> dcsOf(QSqlDatabase& db, qint64 id) {
    return Sql::ids(db, QStringLiteral("select d.DcInvId %1 order by d.DcInvId").arg(QString::fromLatin1(kSameInvoice)),
                    {id});
}

bool moneyReceived(QSqlDatabase& db, qint64 id) {
    return Sql::any(db, QStringLiteral("select 1 %1 and d.TotVal<>d.Balance").arg(QString::fromLatin1(kSameInvoice)),
                    {id});
}

QString pct(double v) {
    return text::plain(v) + QLatin1Char('%');
}

}  // namespace

QString dateText(const QDateTime& dt) {
    return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm AP"));
}

// ---------------------------------------------------------------- what the screen offers

bool anyDc(QSqlDatabase& db) {
    return Sql::any(db, QStringLiteral("select 1 from DcInv"));
}

QList<Choice> customersToInvoice(QSqlDatabase& db) {
    QList<Choice> out;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select CustId, CustName from Customer where CustId in (select "
                                               "distinct CustId from DcInv where InvNo is null) order by CustName"));
    while (q.next()) out << Choice{q.value(0).toLongLong(), q.value(1).toString()};
    return out;
}

QList<Choice> openDcs(QSqlDatabase& db, qint64 custId) {
    QList<Choice> out;
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select DcInvId, DcNo from DcInv where CustId=? and InvNo is null order by DcInvId desc"),
        {custId});
    while (q.next()) out << Choice{q.value(0).toLongLong(), q.value(1).toString().trimmed()};
    // Newest number first, numbers compared as numbers ("10" after "9").
    std::stable_sort(out.begin(), out.end(), [](const Choice& a, const Choice& b) {
        const double x = text::strictNumber(a.text), y = text::strictNumber(b.text);
        if (x != y) return x > y;
        return a.text > b.text;
    });
    return out;
}

QList<Choice> dcChoices(QSqlDatabase& db, const QList<qint64>& dcIds) {
    QList<Choice> out;
    if (dcIds.isEmpty()) return out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select DcInvId, DcNo from DcInv where DcInvId in (%1) order by DcInvId")
                                .arg(marks(dcIds.size())),
                            bound(dcIds));
    while (q.next()) out << Choice{q.value(0).toLongLong(), q.value(1).toString().trimmed()};
    return out;
}

QString customerName(QSqlDatabase& db, qint64 custId) {
    return Sql::scalar(db, QStringLiteral("select CustName from Customer where CustId=?"), {custId}).toString();
}

QVector<Line> dcLines(QSqlDatabase& db, const QList<qint64>& dcIds) {
    QVector<Line> out;
    if (dcIds.isEmpty()) return out;
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select s.DcInvId, d.DcNo, s.SlNo, s.ItemId, p.ProdName, i.ItemName, i.MeasureUnit, s.Qty, "
                       "s.RejQty, s.RewQty, d.InvAsPerRej, s.Rate, s.Discount from DcInvSub s join DcInv d on "
                       "d.DcInvId=s.DcInvId left join ProductL p on p.ProdId=s.ProductId left join Item i on "
                       "i.ItemId=s.ItemId where s.DcInvId in (%1) and upper(trim(coalesce(s.DcRowRem,'')))<>'NV' "
                       "order by s.DcInvId, s.SlNo")
            .arg(marks(dcIds.size())),
        bound(dcIds));
    while (q.next()) {
        Line l;
        l.dcInvId = q.value(0).toLongLong();
        l.dcNo = q.value(1).toString().trimmed();
        l.slNo = q.value(2).toInt();
        l.itemId = q.value(3).toLongLong();
        l.particulars = q.value(4).toString().trimmed();
        if (l.particulars.isEmpty()) l.particulars = q.value(5).toString().trimmed();
        l.unit = q.value(6).toString().trimmed();
        l.qty = q.value(7).toDouble();
        if (q.value(10).toBool()) l.qty = l.qty - q.value(8).toDouble() - q.value(9).toDouble();
        l.rate = Money::fromDb(q.value(11));
        l.discount = q.value(12).toDouble();
        out << l;
    }
    return out;
}

void proposeRates(QSqlDatabase& db, qint64 custId, QVector<Line>& lines) {
    QHash<qint64, QString> poOf;  // DC -> the order number it quotes
    QHash<qint64, std::pair<Money, double>> lastInvoiced;
    for (Line& l : lines) {
        if (!poOf.contains(l.dcInvId))
            poOf.insert(l.dcInvId,
                        Sql::scalar(db, QStringLiteral("select PONo from DcInv where DcInvId=?"), {l.dcInvId})
                            .toString()
                            .trimmed());
        const QString poNo = poOf.value(l.dcInvId);
        if (!poNo.isEmpty()) {
            QSqlQuery q =
                Sql::exec(db,
                          QStringLiteral("select Rate, Discount from MfgPOSub where ItemId=? and POId=(select "
                                         "max(POId) from MfgPO where CustId=? and PONo=?) order by SlNo"),
                          {l.itemId, custId, poNo});
            if (q.next()) {
                l.rate = Money::fromDb(q.value(0));
                l.discount = q.value(1).toDouble();
                continue;
            }
        }
        if (!lastInvoiced.contains(l.itemId)) {
            QSqlQuery q = Sql::exec(db,
                                    QStringLiteral("select Rate, Discount from DcInvSub where ItemId=? and Rate<>0 and "
                                                   "DcInvId=(select max(DcInvId) from DcInvSub where Rate<>0 and "
                                                   "ItemId=?) order by SlNo"),
                                    {l.itemId, l.itemId});
            if (q.next()) {
                lastInvoiced.insert(l.itemId, {Money::fromDb(q.value(0)), q.value(1).toDouble()});
            } else {
                const QVariant r = Sql::scalar(db, QStringLiteral("select Rate from Item where ItemId=?"), {l.itemId});
                lastInvoiced.insert(l.itemId, {Money::fromDb(r), 0.0});
            }
        }
        l.rate = lastInvoiced.value(l.itemId).first;
        l.discount = lastInvoiced.value(l.itemId).second;
    }
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
    QList<qint64> ids = dcIds;
    std::sort(ids.begin(), ids.end());
    for (qint64 dc : ids) {
        const QString poNo =
            Sql::scalar(db, QStringLiteral("select PONo from DcInv where DcInvId=?"), {dc}).toString().trimmed();
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
    for (const Line& l : inv.lines) in.lines << InvoiceCalc::Line{l.qty, l.rate.rupees(), l.discount};
    // Amounts are in rupees and paise; a percentage keeps every decimal typed.
    in.packPerc = inv.packPerc;
    in.packForwd = inv.packPerc ? inv.packForwd : InvoiceCalc::shown(inv.packForwd).rupees();
    in.finalDiscPerc = inv.finalDiscPerc;
    in.finalDisc = inv.finalDiscPerc ? inv.finalDisc : InvoiceCalc::shown(inv.finalDisc).rupees();
    const Taxes& t = inv.taxes;
    in.excise = t.excise;
    in.cessOnED = t.cessOnED;
    in.highCessOnED = t.highCessOnED;
    in.cst = t.cst;
    in.kst = t.kst;
    in.cessOnKST = t.cessOnKST;
    in.vat = t.vat;
    in.surcharge = inv.surcharge.rupees();
    in.otherCharges = t.otherCharges.rupees();
    in.roffSales = roffSales;
    return in;
}

InvoiceCalc::Result value(const Invoice& inv, bool roffSales) {
    return InvoiceCalc::compute(calcInput(inv, roffSales));
}

// ---------------------------------------------------------------- stored invoices

QList<qint64> navigation(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select DcInvId from DcInv where DcInvId in (select max(DcInvId) from "
                                       "DcInv where InvNo is not null and InvNo<>'Nil' group by InvNo, CustId, "
                                       "InvDateT) order by InvDateT, InvNo, DcInvId"));
}

std::optional<qint64> invoiceOf(QSqlDatabase& db, qint64 dcInvId) {
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select max(d.DcInvId) %1").arg(QString::fromLatin1(kSameInvoice)), {dcInvId});
    if (v.isNull() || !v.isValid()) return std::nullopt;
    return v.toLongLong();
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
    Money storedPack, storedDisc;
    Taxes& t = inv.taxes;
    Sql::readRow(q, inv.custId, Sql::trimmed(inv.invNo), inv.invDate, Sql::trimmed(inv.payTerm),
                 Sql::trimmed(inv.invRem), storedPack, inv.packPerc, storedDisc, inv.finalDiscPerc, t.otherCharges,
                 t.excise, t.cessOnED, t.highCessOnED, t.cst, t.formC, t.kst, t.cessOnKST, t.form37, inv.surcharge,
                 t.vat, t.formH, inv.totVal, inv.balance);
    q = QSqlQuery();
    inv.dcIds = dcsOf(db, id);
    inv.lines = dcLines(db, inv.dcIds);

    // A percentage was kept as its amount: turned back into it on the same bases, the
    // packing first since the final discount's base includes it.
    const bool discPerc = inv.finalDiscPerc;
    inv.finalDiscPerc = false;
    inv.packForwd = storedPack.rupees();
    if (inv.packPerc) inv.packForwd = InvoiceCalc::percentOf(storedPack, value(inv, false).lineTotal.rupees());
    inv.finalDisc = storedDisc.rupees();
    if (discPerc) inv.finalDisc = InvoiceCalc::percentOf(storedDisc, value(inv, false).beforeFinalDiscount);
    inv.finalDiscPerc = discPerc;
    return inv;
}

std::optional<qint64> find(QSqlDatabase& db, const QString& invNo, QString* message) {
    const QVariant v = Sql::scalar(db,
                                   QStringLiteral("select DcInvId from DcInv where InvNo=? and InvNo<>'Nil' order by "
                                                  "DcInvId desc limit 1"),
                                   {invNo.trimmed()});
    const std::optional<qint64> id = v.isValid() ? invoiceOf(db, v.toLongLong()) : std::nullopt;
    if (!id && message) *message = QStringLiteral(" NO Inv No. exists with this No.");
    return id;
}

// ---------------------------------------------------------------- checks

std::optional<QString> modifyBlock(QSqlDatabase& db, qint64 id) {
    if (!moneyReceived(db, id)) return std::nullopt;
    return QStringLiteral("Modification not allowed, since Some Cash Flow is made in this Regard!!!");
}

std::optional<QString> deleteBlock(QSqlDatabase& db, qint64 id) {
    if (!moneyReceived(db, id)) return std::nullopt;
    return QStringLiteral("Deletion not allowed , since some Cash Flow has been made in this Regard!!!");
}

std::optional<Problem> validate(QSqlDatabase& db, const Invoice& inv, bool roffSales, qint64 shownId) {
    if (shownId != 0) {
        if (const auto b = modifyBlock(db, shownId)) return Problem{*b, {}, 0};
    }
    if (inv.custId == 0) return Problem{QStringLiteral("Select a customer Name....."), QStringLiteral("cmbCust"), 0};
    if (inv.dcIds.isEmpty()) return Problem{QStringLiteral("Select atleast a DC..... "), QStringLiteral("lstDcNo"), 0};
    if (inv.lines.isEmpty())
        return Problem{QStringLiteral("Select a DcNo to have the invoice particulars....."), QStringLiteral("lstDcNo"),
                       0};
    for (int i = 0; i < inv.lines.size(); ++i)
        if (inv.lines[i].rate.isZero())
            return Problem{QStringLiteral("Enter the Valid Rate ....."), QStringLiteral("msflex"), i + 1};
    if (value(inv, roffSales).total <= Money())
        return Problem{QStringLiteral("Enter a Valid  Invoice Value ....."), QStringLiteral("txtTotVal"), 0};
    const QString no = inv.invNo.trimmed();
    // "Nil" marks a DC that needs no invoice; it can be no invoice's number.
    if (no.isEmpty() || no.compare(QLatin1String("Nil"), Qt::CaseInsensitive) == 0)
        return Problem{QStringLiteral("Enter the Invoice Number ....."), QStringLiteral("txtInvNo"), 0};
    const QVariantList year = yearOf(inv.invDate.date());
    const QList<qint64> own = shownId != 0 ? dcsOf(db, shownId) : inv.dcIds;
    QVariantList params{no, year[0], year[1]};
    params += bound(own);
    if (Sql::any(
            db,
            QStringLiteral("select 1 from DcInv where InvNo=? and InvDateT between ? and ? and DcInvId not in (%1)")
                .arg(marks(own.size())),
            params))
        return Problem{QStringLiteral(" A Record with Same Invoice No. already exists !!!"), QStringLiteral("txtInvNo"),
                       0};
    if (Sql::any(db, QStringLiteral("select 1 from DcOutgoingInv where InvNo=? and InvDateT between ? and ?"),
                 {no, year[0], year[1]}))
        return Problem{QStringLiteral(" A Record with Same Invoice No. already made for SALES - Labour Work !!!"),
                       QStringLiteral("txtInvNo"), 0};
    return std::nullopt;
}

// ---------------------------------------------------------------- writing

qint64 save(QSqlDatabase& db, const Invoice& inv, bool roffSales, qint64 shownId) {
    QList<qint64> dcs;
    if (shownId != 0) {
        // Checked again here: a receipt saved meanwhile at another desk wins.
        if (const auto b = modifyBlock(db, shownId)) throw Refused(*b);
        dcs = dcsOf(db, shownId);
        if (dcs.isEmpty()) throw Refused(QStringLiteral("<< Record Error >>"));
    } else {
        for (qint64 dc : inv.dcIds) {
            QSqlQuery q = Sql::exec(db, QStringLiteral("select CustId, InvNo, DcNo from DcInv where DcInvId=?"), {dc});
            if (!q.next() || q.value(0).toLongLong() != inv.custId) throw Refused(QStringLiteral("<< Record Error >>"));
            // A DC invoiced at another desk since it was chosen.
            if (!q.value(1).isNull())
                throw Refused(QStringLiteral("DC No. %1 has been invoiced already. Select the DC(s) again.")
                                  .arg(q.value(2).toString().trimmed()),
                              QStringLiteral("lstDcNo"));
            dcs << dc;
        }
        std::sort(dcs.begin(), dcs.end());
    }
    if (dcs.isEmpty()) throw Refused(QStringLiteral("Select atleast a DC..... "), QStringLiteral("lstDcNo"));
    const InvoiceCalc::Result v = value(inv, roffSales);
    const QDateTime at(inv.invDate.date(), QTime(inv.invDate.time().hour(), inv.invDate.time().minute()));
    const Taxes& t = inv.taxes;
    // Every DC of the invoice carries the same invoice values.
    QVariantList values{inv.invNo.trimmed(),
                        dateText(at),
                        Db::ts(at),
                        v.storedPackForwd.toDb(),
                        inv.packPerc,
                        v.storedFinalDisc.toDb(),
                        inv.finalDiscPerc,
                        t.otherCharges.toDb(),
                        t.excise,
                        t.cessOnED,
                        t.highCessOnED,
                        t.cst,
                        t.formC,
                        t.kst,
                        t.cessOnKST,
                        inv.surcharge.toDb(),
                        t.form37,
                        t.vat,
                        t.formH,
                        optionalText(inv.payTerm),
                        v.total.toDb(),
                        optionalText(inv.invRem),
                        v.total.toDb()};
    values += bound(dcs);
    Sql::exec(db,
              QStringLiteral("update DcInv set InvNo=?, InvDate=?, InvDateT=?, PackForwd=?, IsPackForwdPerc=?, "
                             "FinalDisc=?, IsFinalDiscPerc=?, AnyOtherChrg=?, Excise=?, CessOnED=?, HighCessOnED=?, "
                             "CST=?, IsFormC=?, KST=?, CessOnKST=?, Surcharge=?, IsForm37=?, VAT=?, IsFormH=?, "
                             "PayTerm=?, TotVal=?, InvRem=?, Balance=?, DebitAmt=0, DebitRem=' ' where DcInvId in (%1)")
                  .arg(marks(dcs.size())),
              values);
    for (const Line& l : inv.lines) {
        if (!dcs.contains(l.dcInvId)) throw Refused(QStringLiteral("<< Record Error >>"));
        QSqlQuery q = Sql::exec(db, QStringLiteral("update DcInvSub set Rate=?, Discount=? where DcInvId=? and SlNo=?"),
                                {l.rate.toDb(), l.discount, l.dcInvId, l.slNo});
        if (q.numRowsAffected() < 1) throw Refused(QStringLiteral("<< Record Error >>"));
    }
    return dcs.last();
}

void remove(QSqlDatabase& db, qint64 id) {
    if (const auto b = deleteBlock(db, id)) throw Refused(*b);
    const QList<qint64> dcs = dcsOf(db, id);
    if (dcs.isEmpty()) return;
    const QString in = marks(dcs.size());
    Sql::exec(db,
              QStringLiteral("update DcInv set InvNo=NULL, InvDate=NULL, InvDateT=NULL, PayTerm=NULL, InvRem=NULL, "
                             "DebitRem=NULL, InvoiceRemovalDate=NULL, GoodsRemovalDate=NULL, PackForwd=0, "
                             "IsPackForwdPerc=FALSE, FinalDisc=0, IsFinalDiscPerc=FALSE, AnyOtherChrg=0, Excise=0, "
                             "CessOnED=0, HighCessOnED=0, CST=0, KST=0, CessOnKST=0, Surcharge=0, VAT=0, TotVal=0, "
                             "Balance=0, DebitAmt=0, IsFormC=FALSE, IsForm37=FALSE, IsFormH=FALSE, InvSign=FALSE "
                             "where DcInvId in (%1)")
                  .arg(in),
              bound(dcs));
    Sql::exec(db, QStringLiteral("update DcInvSub set Rate=0, Discount=0 where DcInvId in (%1)").arg(in), bound(dcs));
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

    QStringList dcRefs, poRefs;
    QSqlQuery d =
        Sql::exec(db,
                  QStringLiteral("select DcNo, DcDate, PONo, PODate from DcInv where DcInvId in (%1) order by "
                                 "DcInvId")
                      .arg(marks(inv->dcIds.size())),
                  bound(inv->dcIds));
    while (d.next()) {
        dcRefs << d.value(0).toString().trimmed() + QStringLiteral(" Dt. ") + d.value(1).toString().trimmed();
        const QString po = d.value(2).toString().trimmed();
        if (po.isEmpty()) continue;
        const QString ref = QStringLiteral("Ref PO: ") + po + QStringLiteral(" Dt. ") + d.value(3).toString().trimmed();
        if (!poRefs.contains(ref)) poRefs << ref;
    }

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
    f[QStringLiteral("RefPO")] = poRefs.join(QStringLiteral(", "));
    f[QStringLiteral("DCRefs")] = dcRefs.join(QLatin1Char(','));
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
            {i + 1, l.particulars, l.qty, l.unit, Print::money(l.rate), l.discount, Print::money(v.amounts.value(i))});
    }

    // Each charge and tax as printed; the rows that do not apply are hidden, and a round-off
    // row makes the printed column add up to the invoice value.
    auto& last = doc.lastPage;
    Money printed = v.lineTotal;
    last[QStringLiteral("SubTotal")] = Print::money(v.lineTotal);
    auto row = [&](const char* name, double amount, bool applies, const char* labelName = nullptr,
                   const QString& label = {}) {
        const QString n = QString::fromLatin1(name);
        const Money a = InvoiceCalc::shown(amount);
        if (!applies || a.isZero()) {
            doc.hideRows << n;
            return;
        }
        last[n] = Print::money(a);
        if (labelName) last[QString::fromLatin1(labelName)] = label;
        printed += a;
    };
    const bool excise = t.excise != 0;
    row("Packing", v.packing, true);
    row("Excise", v.exciseDuty, excise, "ExciseLabel", QStringLiteral("Excise Duty @ ") + pct(t.excise));
    row("EduCess", v.eduCess, excise, "EduCessLabel",
        QStringLiteral("Education Cess @ ") + pct(t.cessOnED) + QStringLiteral(" on ED"));
    row("HECess", v.heCess, excise, "HECessLabel",
        QStringLiteral("Higher Education Cess @ ") + pct(t.highCessOnED) + QStringLiteral(" on ED"));
    if (v.cstAmt != 0)
        row("SalesTax", v.cstAmt, true, "SalesTaxLabel", QStringLiteral("CST @ ") + pct(t.cst));
    else
        row("SalesTax", v.kstAmt, v.kstAmt != 0, "SalesTaxLabel", QStringLiteral("LST @ ") + pct(t.kst));
    row("TaxCess", v.kstCess, v.kstAmt != 0, "TaxCessLabel",
        QStringLiteral("Cess @ ") + pct(t.cessOnKST) + QStringLiteral(" on LST"));
    row("VAT", v.vatAmt, true, "VATLabel", QStringLiteral("VAT @ ") + pct(t.vat));
    row("Surcharge", v.surcharge, true, "SurchargeLabel", QStringLiteral("Surcharge"));
    row("Others", v.otherCharges, true, "OthersLabel", QStringLiteral("Other Charges"));
    const Money disc = InvoiceCalc::shown(v.finalDiscount);
    if (disc.isZero()) {
        doc.hideRows << QStringLiteral("Discount");
    } else {
        last[QStringLiteral("Discount")] = Print::money(disc);
        printed -= disc;
    }
    const Money roundOff = total - printed;
    if (roundOff.isZero())
        doc.hideRows << QStringLiteral("RoundOff");
    else
        last[QStringLiteral("RoundOff")] = Print::money(roundOff);
    last[QStringLiteral("Total")] = Print::money(total);
    doc.words = total;
    return doc;
}

}  // namespace kavra::sales::Invoices
