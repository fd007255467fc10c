#include "sales/Orders.h"

#include <QSqlQuery>
#include <cmath>

#include "core/Sql.h"
#include "core/Text.h"
#include "core/chain/Rows.h"
#include "masters/Misc.h"
#include "sales/SalesKinds.h"

namespace kavra::sales::Orders {

namespace Engine = chain::Orders;
namespace Rows = chain::Rows;

QList<qint64> ids(QSqlDatabase& db) {
    return Engine::ids(db, orderKind());
}

qint64 proposedId(QSqlDatabase& db) {
    return Engine::proposedId(db, orderKind());
}

bool partlyProcessed(QSqlDatabase& db, qint64 id) {
    return Engine::partlyProcessed(db, orderKind(), id);
}

double packingAmount(const Order& o) {
    if (!o.packIsPerc) return o.packForwd;
    return money::shown(o.packForwd / 100.0 * lineTotal(o.lines));
}

Money computedValue(const Order& o) {
    double s = lineTotal(o.lines);
    if (o.packIsPerc)
        s = s + o.packForwd * s / 100.0;
    else
        s = s + o.packForwd;
    if (o.tinPerc != 0)
        s = s * o.tinPerc / 100.0 + s;
    else if (o.cstPerc != 0)
        s = s * o.cstPerc / 100.0 + s;
    s = s + o.otherChrg;
    return Money::fromRupees(s);
}

std::optional<Order> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q =
        Sql::exec(db,
                  QStringLiteral("select CustId, PONo, PODateT, ValidFrom, ValidTo, payTerm, Remark, TINperc, "
                                 "CSTperc, PackForwd, IsPackForwdPerc, OtherChrg, PurchVal, ProfInvno, "
                                 "ProfInvDate, ReTrkRej, Cancl, POTally, ShipTo from MfgPO where POId=?"),
                  {id});
    if (!q.next()) return std::nullopt;
    Order o;
    o.id = id;
    double packStored = 0;
    Sql::readRow(q, o.custId, Sql::trimmed(o.poNo), o.poDate, o.validFrom, o.validTo, Sql::trimmed(o.payTerm),
                 Sql::trimmed(o.remark), o.tinPerc, o.cstPerc, packStored, o.packIsPerc, o.otherChrg, o.value,
                 Sql::trimmed(o.profInvNo), o.profInvDate, o.reTrkRej, o.cancelled, o.tallied, Sql::trimmed(o.address));
    q = QSqlQuery();
    if (o.address.isEmpty())
        o.address =
            Sql::scalar(db, QStringLiteral("select CustAddr from Customer where CustId=?"), {o.custId}).toString();
    o.lines = Engine::lines(db, orderKind(), id);
    if (o.packIsPerc) {
        // The amount was stored; the user reads it again as the percentage typed.
        const double total = lineTotal(o.lines);
        o.packForwd = total != 0 ? std::round(packStored / total * 100.0 * 10000.0) / 10000.0 : 0;
    } else {
        o.packForwd = packStored;
    }
    return o;
}

QPair<double, double> lastTaxes(QSqlDatabase& db, qint64 custId) {
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select TINperc, CSTperc from MfgPO where CustId=? order by PODateT desc, POId desc limit 1"),
        {custId});
    if (!q.next()) return {0, 0};
    return {q.value(0).toDouble(), q.value(1).toDouble()};
}

bool reTrackByDefault(QSqlDatabase& db) {
    return Sql::any(db, QStringLiteral("select 1 from Misc where ReTrkRejMfgSale=?"), {true});
}

std::optional<QPair<double, double>> proposedRate(QSqlDatabase& db, qint64 itemId) {
    return Engine::proposedRate(db, orderKind(), itemId);
}

QString nextProformaNo(QSqlDatabase& db) {
    // Numbers are text; anything that does not start with a number counts as 0.
    double top = 0;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select ProfInvno from MfgPO where ProfInvno is not null"));
    while (q.next()) top = std::max(top, text::val(q.value(0).toString()));
    return text::plain(top + 1);
}

namespace {

Engine::Header headerOf(const Order& o) {
    chain::Row more;
    more.set(QStringLiteral("ValidFrom"), Db::day(o.validFrom))
        .set(QStringLiteral("ValidTo"), Db::day(o.validTo))
        .set(QStringLiteral("payTerm"), Rows::optionalText(o.payTerm))
        .set(QStringLiteral("Remark"), Rows::optionalText(o.remark))
        .set(QStringLiteral("TINperc"), o.tinPerc)
        .set(QStringLiteral("CSTperc"), o.cstPerc)
        .set(QStringLiteral("PackForwd"), packingAmount(o))
        .set(QStringLiteral("IsPackForwdPerc"), o.packIsPerc)
        .set(QStringLiteral("OtherChrg"), o.otherChrg)
        .set(QStringLiteral("PurchVal"), o.value.toDb())
        .set(QStringLiteral("ProfInvno"), Rows::textOrNull(o.profInvNo))
        .set(QStringLiteral("ProfInvDate"),
             o.profInvNo.trimmed().isEmpty() ? Rows::nullText() : Rows::dateValue(o.profInvDate))
        .set(QStringLiteral("ReTrkRej"), o.reTrkRej)
        .set(QStringLiteral("ShipTo"), Rows::optionalText(o.address));
    return Engine::Header{o.id, o.custId, o.poNo, o.poDate, more};
}

}  // namespace

Check validate(QSqlDatabase& db, const Order& o, bool adding) {
    auto field = [](const char* name, const QString& text, MsgIcon icon = MsgIcon::Critical) {
        return Refusal::at(QString::fromLatin1(name), text, icon);
    };
    if (o.custId == 0) return field("cmbCust", QStringLiteral("Please Select a Customer ....."));
    if (o.poNo.trimmed().isEmpty()) return field("txtPOno", QStringLiteral("Enter the Purchase Order Number..... "));
    if (o.address.trimmed().isEmpty()) return field("rtbAddr", QStringLiteral("Enter the Customer's Address ....."));
    if (o.value.isZero())
        return field("txtVal",
                     QStringLiteral("Enter the purchase Order Value!!! ") + QLatin1Char('\n') +
                         QStringLiteral(" Double Click the box to obtain value from the system"),
                     MsgIcon::Information);
    if (o.packForwd < 0 || o.otherChrg < 0 || o.tinPerc < 0 || o.cstPerc < 0)
        return field(o.packForwd < 0   ? "txtPackForwd"
                     : o.otherChrg < 0 ? "txtOtherChrg"
                     : o.tinPerc < 0   ? "txtTINperc"
                                       : "txtCSTperc",
                     QStringLiteral("A charge or a tax cannot be negative."));
    if (auto r = Engine::validateLines(db, orderKind(), o.id, adding, o.lines)) return r;

    if (!adding)
        if (auto r = Engine::reTrackBlock(db, orderKind(), o.id, o.reTrkRej)) return r;
    if (!o.profInvNo.trimmed().isEmpty() &&
        Sql::any(db, QStringLiteral("select 1 from MfgPO where POId<>? and ProfInvno=?"),
                 {o.id, o.profInvNo.trimmed()}))
        return field("txtProfInvno", QStringLiteral("Duplication of Proforma Invoice Nos not allowed !!! "));
    return Engine::duplicateNumber(db, orderKind(), headerOf(o), adding);
}

qint64 save(QSqlDatabase& db, const Order& o, bool adding) {
    return Engine::save(db, orderKind(), headerOf(o), o.lines, adding);
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    return Engine::deleteBlock(db, orderKind(), id);
}

void remove(QSqlDatabase& db, qint64 id) {
    Engine::remove(db, orderKind(), id);
}

void setCancelled(QSqlDatabase& db, qint64 id, bool cancelled) {
    Engine::setCancelled(db, orderKind(), id, cancelled);
}

void retally(QSqlDatabase& db, qint64 id) {
    Engine::retally(db, orderKind(), id);
}

Found find(QSqlDatabase& db, const QString& poNo, qint64 custId) {
    return Engine::find(db, orderKind(), poNo, custId);
}

Print::Document proforma(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("ProfInvMfg"), QString()};
    const auto o = load(db, id);
    if (!o) return doc;
    const auto misc = Misc::load(db);
    QSqlQuery c = Sql::exec(
        db, QStringLiteral("select CustName, CustAddr, VATRegNo, CSTNo from Customer where CustId=?"), {o->custId});
    if (c.next()) {
        doc.fields[QStringLiteral("CustName")] = c.value(0).toString();
        doc.fields[QStringLiteral("CustAddr")] = c.value(1).toString().trimmed();
        doc.fields[QStringLiteral("PartyTIN")] = QStringLiteral("Party's TIN : ") + c.value(2).toString().trimmed();
        doc.fields[QStringLiteral("PartyCST")] = QStringLiteral("Party's CST : ") + c.value(3).toString().trimmed();
    }
    doc.fields[QStringLiteral("ProfInvNo")] = o->profInvNo;
    doc.fields[QStringLiteral("ProfInvDate")] = o->profInvNo.isEmpty() ? QString() : Rows::dateText(o->profInvDate);
    doc.fields[QStringLiteral("RefPO")] =
        QStringLiteral("Ref PO: ") + o->poNo + QStringLiteral(" Dt. ") + Rows::dateText(o->poDate);
    doc.fields[QStringLiteral("PayTerms")] = QStringLiteral("Payment Terms: ") + o->payTerm;
    const Misc::Settings s = misc.value_or(Misc::Settings{});
    doc.fields[QStringLiteral("EccNo")] = QStringLiteral("ECC NO: ") + s.myCERegNo.trimmed();
    doc.fields[QStringLiteral("KstNo")] = QStringLiteral("KST NO: ") + s.myKST.trimmed();
    doc.fields[QStringLiteral("TinNo")] = QStringLiteral("TIN: ") + s.myVATRegNo.trimmed();
    doc.fields[QStringLiteral("CstNo")] = QStringLiteral("CST: ") + s.myCST.trimmed();

    // Each printed figure is rounded to paise and the total is their sum, so the page adds up.
    Money sub;
    for (const Line& l : o->lines) {
        const Money amount = Money::fromRupees(Engine::lineAmount(l));
        sub += amount;
        doc.lines.append({l.slNo, l.itemName, l.qty, l.uom, Print::rate(l.rate), l.discount, Print::money(amount)});
    }
    const Money packing = Money::fromRupees(packingAmount(*o));
    const Money other = Money::fromRupees(o->otherChrg);
    const double taxPerc = o->tinPerc != 0 ? o->tinPerc : o->cstPerc;
    const Money tax = Money::fromRupees((sub + packing).rupees() * taxPerc / 100.0);
    const Money total = sub + packing + tax + other;
    doc.lastPage[QStringLiteral("SubTotal")] = Print::money(sub);
    doc.lastPage[QStringLiteral("Packing")] = Print::money(packing);
    doc.lastPage[QStringLiteral("Others")] = Print::money(other);
    doc.lastPage[QStringLiteral("Total")] = Print::money(total);
    doc.hideRows << QStringLiteral("Excise");
    if (packing.isZero()) doc.hideRows << QStringLiteral("Packing");
    if (other.isZero()) doc.hideRows << QStringLiteral("Others");
    if (taxPerc == 0) {
        doc.hideRows << QStringLiteral("SalesTax");
    } else {
        doc.lastPage[QStringLiteral("SalesTax")] = Print::money(tax);
        doc.lastPage[QStringLiteral("SalesTaxLabel")] =
            (o->tinPerc != 0 ? QStringLiteral("VAT @ ") : QStringLiteral("CST @ ")) + Rows::qtyText(taxPerc) +
            QStringLiteral("%");
    }
    doc.fields[QStringLiteral("Remarks")] = o->remark;
    doc.words = total;
    doc.proformaWords = true;
    return doc;
}

}  // namespace kavra::sales::Orders
