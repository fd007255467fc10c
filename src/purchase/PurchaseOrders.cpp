#include "purchase/PurchaseOrders.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "core/chain/Lookups.h"
#include "core/chain/Rows.h"
#include "purchase/PurchaseKinds.h"

namespace kavra::purchase::Orders {

namespace Engine = chain::Orders;
namespace Rows = chain::Rows;

std::optional<Order> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q =
        Sql::exec(db,
                  QStringLiteral("select VendorCode, KindAttn, PONo, PODateT, ValidFrom, ValidTo, RefQuoteNo, "
                                 "RefQuoteDate, Remark, IsTestCert, ReTrkRej, PurchVal, Body, Cancl, POTally "
                                 "from PurchPO where POId=?"),
                  {id});
    if (!q.next()) return std::nullopt;
    Order o;
    o.id = id;
    Sql::readRow(q, o.vendorCode, Sql::trimmed(o.kindAttn), Sql::trimmed(o.poNo), o.poDate, o.validFrom, o.validTo,
                 Sql::trimmed(o.refQuoteNo), o.refQuoteDate, Sql::trimmed(o.remark), o.testCert, o.reTrkRej, o.value,
                 o.body, o.cancelled, o.tallied);
    q = QSqlQuery();
    o.lines = Engine::lines(db, orderKind(), id);
    return o;
}

VendorDetails vendorDetails(QSqlDatabase& db, qint64 vendorCode) {
    return Engine::partyDetails(db, orderKind(), vendorCode);
}

QString latestTerms(QSqlDatabase& db, qint64 vendorCode) {
    return Engine::latestTerms(db, orderKind(), vendorCode);
}

bool reTrackByDefault(QSqlDatabase& db) {
    return Sql::any(db, QStringLiteral("select 1 from Misc where ReTrkRejPurch=?"), {true});
}

QString numberPrefix(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select PrefixPO from Misc")).toString().trimmed();
}

QString proposedNumber(QSqlDatabase& db, const QDate& today) {
    return Engine::proposedNumber(db, orderKind(), today);
}

std::optional<QPair<double, double>> proposedRate(QSqlDatabase& db, qint64 itemId) {
    return Engine::proposedRate(db, orderKind(), itemId);
}

Money computedValue(const Order& o) {
    return Money::fromRupees(Engine::lineTotal(o.lines));
}

namespace {

Engine::Header headerOf(const Order& o) {
    chain::Row more;
    const QString attn = o.kindAttn.trimmed();
    more.set(QStringLiteral("KindAttn"), attn.isEmpty() ? QStringLiteral(" ") : attn)
        .set(QStringLiteral("RefQuoteNo"), Rows::optionalText(o.refQuoteNo))
        .set(QStringLiteral("RefQuoteDate"), Db::day(o.refQuoteDate))
        .set(QStringLiteral("ValidFrom"), Db::day(o.validFrom))
        .set(QStringLiteral("ValidTo"), Db::day(o.validTo))
        .set(QStringLiteral("Remark"), Rows::optionalText(o.remark))
        .set(QStringLiteral("IsTestCert"), o.testCert)
        .set(QStringLiteral("PurchVal"), o.value.toDb())
        .set(QStringLiteral("Body"), o.body)
        .set(QStringLiteral("ReTrkRej"), o.reTrkRej);
    return Engine::Header{o.id, o.vendorCode, o.poNo, o.poDate, more};
}

}  // namespace

Check validate(QSqlDatabase& db, const Order& o, bool adding) {
    auto field = [](const char* name, const QString& text, MsgIcon icon = MsgIcon::Critical) {
        return Refusal::at(QString::fromLatin1(name), text, icon);
    };
    if (o.vendorCode == 0) return field("cmbVendor", QStringLiteral("Please Select a VENDOR....."));
    if (o.poNo.trimmed().isEmpty()) return field("txtPOno", QStringLiteral("Enter the Purchase Order Number..... "));
    if (o.value.isZero())
        return field("txtVal",
                     QStringLiteral("Enter the purchase Order Value!!! ") + QLatin1Char('\n') +
                         QStringLiteral(" Double Click the box to obtain value from the system"),
                     MsgIcon::Information);
    if (auto r = Engine::validateLines(db, orderKind(), o.id, adding, o.lines)) return r;
    if (!adding)
        if (auto r = Engine::reTrackBlock(db, orderKind(), o.id, o.reTrkRej)) return r;
    return Engine::duplicateNumber(db, orderKind(), headerOf(o), adding);
}

qint64 save(QSqlDatabase& db, const Order& o, bool adding) {
    // Asked again inside the write: a bill saved meanwhile fixes the flag.
    if (!adding) enforce(Engine::reTrackBlock(db, orderKind(), o.id, o.reTrkRej));
    // The stores count a line by its item and the item's category.
    QStringList codes;
    for (const Line& l : o.lines) codes << l.itemCode;
    const QHash<QString, chain::ItemRef> items = chain::Lookups::itemsByCode(db, codes);
    QList<Line> lines = o.lines;
    for (Line& l : lines) {
        const auto it = items.constFind(l.itemCode);
        if (it != items.cend()) l.extra.set(QStringLiteral("CategoryCode"), it->category);
    }
    return Engine::save(db, orderKind(), headerOf(o), lines, adding);
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    return Engine::deleteBlock(db, orderKind(), id);
}

Print::Document printOut(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("PurchPo"), QString()};
    const auto o = load(db, id);
    if (!o) return doc;
    const VendorDetails v = vendorDetails(db, o->vendorCode);
    const QString prefix = numberPrefix(db);
    doc.fields[QStringLiteral("VendorName")] = v.name;
    doc.fields[QStringLiteral("VendorAddr")] = v.address;
    doc.fields[QStringLiteral("KindAttn")] =
        o->kindAttn.isEmpty() ? QString() : QStringLiteral("Kind Attn: ") + o->kindAttn;
    doc.fields[QStringLiteral("PONo")] = prefix + o->poNo;
    doc.fields[QStringLiteral("PODate")] = Rows::dateText(o->poDate);
    doc.fields[QStringLiteral("QuoteRef")] = o->refQuoteNo.isEmpty()
                                                 ? QString()
                                                 : QStringLiteral("Your Quote: ") + o->refQuoteNo +
                                                       QStringLiteral(" Dt. ") + Rows::dateText(o->refQuoteDate);
    QSqlQuery m = Sql::exec(db, QStringLiteral("select MyVATRegNo, MyKST, MyCST from Misc"));
    if (m.next()) {
        doc.fields[QStringLiteral("OurTIN")] = QStringLiteral("Our TIN: ") + m.value(0).toString().trimmed();
        doc.fields[QStringLiteral("OurKST")] = QStringLiteral("Our KST: ") + m.value(1).toString().trimmed();
        doc.fields[QStringLiteral("OurCST")] = QStringLiteral("Our CST: ") + m.value(2).toString().trimmed();
    }
    m = QSqlQuery();
    // Each printed amount is rounded to paise and the total is their sum, so the page adds up.
    Money sub;
    for (const Line& l : o->lines) {
        const Money amount = Money::fromRupees(Engine::lineAmount(l));
        sub += amount;
        doc.lines.append({l.slNo, l.itemName, l.qty, l.uom, Print::rate(l.rate), l.discount, Print::money(amount)});
    }
    // The order's value is without taxes and charges: those rows do not apply.
    doc.lastPage[QStringLiteral("SubTotal")] = Print::money(sub);
    doc.lastPage[QStringLiteral("Total")] = Print::money(sub);
    doc.hideRows << QStringLiteral("Packing") << QStringLiteral("Excise") << QStringLiteral("SalesTax")
                 << QStringLiteral("Others");
    doc.fields[QStringLiteral("Terms")] = o->body.trimmed();
    doc.words = sub;
    return doc;
}

}  // namespace kavra::purchase::Orders
