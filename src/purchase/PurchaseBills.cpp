#include "purchase/PurchaseBills.h"

#include <QSet>
#include <QSqlQuery>

#include "core/Db.h"
#include "core/Sql.h"
#include "core/chain/Challans.h"
#include "core/chain/Lookups.h"
#include "core/chain/Orders.h"
#include "core/chain/Rows.h"
#include "inventory/Stores.h"
#include "purchase/PurchaseKinds.h"

namespace kavra::purchase::Bills {

namespace Engine = chain::Challans;
namespace Rows = chain::Rows;

namespace {

constexpr double kQtyEps = 1e-9;

// Grid columns the refusals point at.
enum Col { CodeCol = 1, QtyCol = 2, AltQtyCol = 3, RateCol = 4 };

QString taxText(TaxKind t) {
    return t == TaxKind::VAT ? QStringLiteral("VAT") : t == TaxKind::CST ? QStringLiteral("CST") : QString();
}

TaxKind taxOf(const QString& text) {
    const QString t = text.trimmed().toUpper();
    return t == QLatin1String("VAT") ? TaxKind::VAT : t == QLatin1String("CST") ? TaxKind::CST : TaxKind::None;
}

BillValue::Input valueInput(const Bill& b, bool roundRupees) {
    BillValue::Input in;
    for (const Line& l : b.lines)
        in.lines << BillValue::Line{l.altQty, l.rate, l.discount, l.excise, l.cessOnED, l.highCessOnED, l.taxes};
    in.packForwd = b.packForwd;
    in.packPerc = b.packPerc;
    in.insurance = b.insurance;
    in.otherCharges = b.otherCharges;
    in.finalDisc = b.finalDisc;
    in.finalDiscPerc = b.finalDiscPerc;
    in.roundRupees = roundRupees;
    return in;
}

// The bill as the engine writes it: its own columns beside the common ones.
Engine::Dc toDc(const Bill& b, bool roundRupees, const QHash<QString, chain::ItemRef>& items) {
    const BillValue::Result v = value(b, roundRupees);
    Engine::Dc d;
    d.id = b.id;
    d.party = b.vendor;
    d.dcNo = b.invNo;
    d.dcDate = b.invDate;
    d.poNo = b.poNo;
    d.poDate = b.poDate;
    d.more.set(QStringLiteral("Transport"), Rows::optionalText(b.transport))
        .set(QStringLiteral("VehicleNo"), Rows::optionalText(b.vehicleNo))
        .set(QStringLiteral("PackForwd"), v.storedPackForwd)
        .set(QStringLiteral("IsPackForwdPerc"), b.packPerc && b.packForwd != 0)
        .set(QStringLiteral("FinalDisc"), v.storedFinalDisc)
        .set(QStringLiteral("IsFinalDiscPerc"), b.finalDiscPerc && b.finalDisc != 0)
        .set(QStringLiteral("Insurance"), b.insurance)
        .set(QStringLiteral("AnyOtherChrg"), b.otherCharges)
        .set(QStringLiteral("PayTerm"), Rows::optionalText(b.payTerm))
        .set(QStringLiteral("VATrCST"), taxText(b.tax))
        .set(QStringLiteral("TotVal"), v.total.toDb())
        .set(QStringLiteral("Balance"), v.total.toDb())
        .set(QStringLiteral("Remark"), Rows::optionalText(b.remark))
        .set(QStringLiteral("InvAsPerRej"), false)
        .set(QStringLiteral("Credit"), 0)
        .set(QStringLiteral("TDS"), 0)
        .set(QStringLiteral("CreditAmt"), 0)
        .set(QStringLiteral("CreditRem"), QStringLiteral(" "))
        .set(QStringLiteral("RejRem"), QStringLiteral(" "));
    for (const Line& l : b.lines) {
        Engine::Line e;
        e.itemCode = l.itemCode;
        e.qty = l.qty;
        e.stockQty = l.altQty;
        // The lot is worth what was paid for it: the rate less the line's discount.
        e.stockRate = l.rate * (1 - l.discount / 100);
        e.extra.set(QStringLiteral("CategoryCode"), items.value(l.itemCode).category)
                .set(QStringLiteral("AltQty"), l.altQty)
                .set(QStringLiteral("Rate"), l.rate)
                .set(QStringLiteral("Discount"), l.discount)
                .set(QStringLiteral("Excise"), l.excise)
                .set(QStringLiteral("cessOnED"), l.cessOnED)
                .set(QStringLiteral("HighCessOnED"), l.highCessOnED)
                .set(QStringLiteral("Taxes"), l.taxes)
                .set(QStringLiteral("StkQty"), l.altQty)
            << Engine::unrejected();
        d.lines << e;
    }
    return d;
}

QStringList codesOf(const Bill& b) {
    QStringList codes;
    for (const Line& l : b.lines) codes << l.itemCode;
    return codes;
}

}  // namespace

const chain::DcKind& kind() {
    static const chain::DcKind k = [] {
        chain::DcKind d;
        d.header = QStringLiteral("Purchase");
        d.lines = QStringLiteral("PurchaseSub");
        d.key = QStringLiteral("PurchId");
        d.party = QStringLiteral("VendorCode");
        d.partyTable = QStringLiteral("Vendor");
        d.partyName = QStringLiteral("VendorName");
        d.order = &orderKind();
        d.draws = 0;
        d.numbers = chain::DcNumbers::PerParty;
        d.numberCol = QStringLiteral("InvNo");
        d.dateCol = QStringLiteral("InvDate");
        d.dateTCol = QStringLiteral("InvDateT");
        d.particulars = false;
        d.numberWithDate = true;
        d.duplicateNo = QStringLiteral(" A Record with same Invoice Number already exists ...");
        d.duplicateField = QStringLiteral("txtInvNo");
        d.texts.codeMissing = QStringLiteral("Item. does not exist ... Press F5 Key to Add New Items!!! ");
        d.find.notFound = QStringLiteral(" NO Invoice (PURCHASE) exists with this No.");
        d.find.wrongParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the INV NO. you typed. \nSelect the correct Vendor name "
            "matching the Invoice no. to display the expected Data...");
        d.find.noParty = QStringLiteral(
            "System is displaying the 1 of %1 RECORDS with the Invoice No. you typed. \nSelect the vendor name for "
            "the Invoice no. to display the expected Data...");
        d.stock = inventory::Stores::noteLink(inventory::NoteSource::PurchaseBill, QString());
        d.rejections = true;
        d.blocks = {{chain::DcBlock::Rejected,
                     QStringLiteral("%1 is not Allowed, since some Rejection and Replacement has been made in this "
                                    "Bill : %2")},
                    {chain::DcBlock::StockDrawn,
                     QStringLiteral("%1 is not Allowed, Since Some material has been issued  from this Purchase Bill: "
                                    "%2")},
                    {chain::DcBlock::Paid,
                     QStringLiteral("%1 not allowed , since some cash flow has been made in this Purchase Bill: %2")}};
        const QString inContext = QStringLiteral("Modification is not Allowed in this context.");
        d.clickBlocks = {{chain::DcBlock::StockDrawn, inContext}, {chain::DcBlock::Paid, inContext}};
        return d;
    }();
    return k;
}

bool roundsPurchases(QSqlDatabase& db) {
    return Sql::scalar(db, QStringLiteral("select RoffPurch from Misc")).toBool();
}

BillValue::Result value(const Bill& b, bool roundRupees) {
    return BillValue::compute(valueInput(b, roundRupees));
}

// ---------------------------------------------------------------- what the screen offers

qint64 proposedId(QSqlDatabase& db) {
    return Engine::proposedId(db, kind());
}

TaxKind proposedTax(QSqlDatabase& db, qint64 vendor) {
    return taxOf(Sql::scalar(db,
                             QStringLiteral("select VATrCST from Purchase where VendorCode=? order by PurchId desc "
                                            "limit 1"),
                             {vendor})
                     .toString());
}

QStringList openOrders(QSqlDatabase& db, qint64 vendor) {
    return Engine::openOrders(db, kind(), vendor);
}

std::optional<QDate> orderDate(QSqlDatabase& db, qint64 vendor, const QString& poNo) {
    return Engine::orderDate(db, kind(), vendor, poNo);
}

Proposal propose(QSqlDatabase& db, qint64 vendor, const QString& poNo, qint64 itemId) {
    Proposal p;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select s.Excise, s.cessOnED, s.HighCessOnED from PurchaseSub s where "
                                           "s.SlNo=1 and s.PurchId=(select max(PurchId) from Purchase where "
                                           "VendorCode=?)"),
                            {vendor});
    if (q.next()) Sql::readRow(q, p.excise, p.cessOnED, p.highCessOnED);
    if (!poNo.trimmed().isEmpty()) {
        q = Sql::exec(db,
                      QStringLiteral("select s.Rate, s.Discount from PurchPOSub s join PurchPO h on h.POId=s.POId "
                                     "where h.VendorCode=? and h.PONo=? and s.ItemId=? order by h.POId desc, s.SlNo "
                                     "limit 1"),
                      {vendor, poNo.trimmed(), itemId});
        if (q.next()) {
            Sql::readRow(q, p.rate, p.discount);
            return p;
        }
    }
    q = Sql::exec(db,
                  QStringLiteral("select s.Rate, s.Discount, s.Taxes from PurchaseSub s join Purchase h on "
                                 "h.PurchId=s.PurchId where h.VendorCode=? and s.ItemId=? order by s.PurchId desc, "
                                 "s.SlNo limit 1"),
                  {vendor, itemId});
    if (q.next()) {
        Sql::readRow(q, p.rate, p.discount, p.taxes);
        return p;
    }
    p.rate = Sql::scalar(db, QStringLiteral("select Rate from Item where ItemId=?"), {itemId}).toDouble();
    return p;
}

QHash<qint64, double> orderBalances(QSqlDatabase& db, qint64 vendor, const QString& poNo, qint64 shownId,
                                    const QList<qint64>& itemIds) {
    Engine::Context c{vendor, poNo.trimmed(), shownId ? Engine::stored(db, kind(), shownId) : std::nullopt};
    QHash<qint64, double> out;
    const QHash<qint64, Engine::Figures> f = Engine::figures(db, kind(), c, itemIds);
    for (auto it = f.cbegin(); it != f.cend(); ++it) out.insert(it.key(), it->poBalance);
    return out;
}

// ---------------------------------------------------------------- stored bills

QList<qint64> ids(QSqlDatabase& db) {
    return Engine::ids(db, kind());
}

std::optional<Bill> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(
        db,
        QStringLiteral("select VendorCode, InvNo, InvDateT, PONo, Transport, VehicleNo, VATrCST, PackForwd, "
                       "IsPackForwdPerc, FinalDisc, IsFinalDiscPerc, Insurance, AnyOtherChrg, PayTerm, Remark, TotVal, "
                       "Balance, PODateT, STNId from Purchase where PurchId=?"),
        {id});
    if (!q.next()) return std::nullopt;
    Bill b;
    b.id = id;
    QString tax;
    Sql::readRow(q, b.vendor, Sql::trimmed(b.invNo), b.invDate, Sql::trimmed(b.poNo), Sql::trimmed(b.transport),
                 Sql::trimmed(b.vehicleNo), tax, b.packForwd, b.packPerc, b.finalDisc, b.finalDiscPerc, b.insurance,
                 b.otherCharges, Sql::trimmed(b.payTerm), Sql::trimmed(b.remark), b.totVal, b.balance);
    const QVariant po = q.value(17), stn = q.value(18);
    b.tax = taxOf(tax);
    if (!po.isNull()) b.poDate = Db::toDate(po);
    if (!stn.isNull() && stn.toLongLong() != 0) b.stnId = stn.toLongLong();
    q = Sql::exec(db,
                  QStringLiteral("select s.SlNo, s.ItemId, i.ItemCode, s.Qty, s.AltQty, s.Rate, s.Discount, s.Excise, "
                                 "s.cessOnED, s.HighCessOnED, s.Taxes, s.StkQty from PurchaseSub s left join Item i on "
                                 "i.ItemId=s.ItemId where s.PurchId=? order by s.SlNo"),
                  {id});
    while (q.next()) {
        Line l;
        Sql::readRow(q, l.slNo, l.itemId, Sql::trimmed(l.itemCode), l.qty, l.altQty, l.rate, l.discount, l.excise,
                     l.cessOnED, l.highCessOnED, l.taxes, l.stkQty);
        b.lines << l;
    }
    // A percentage is kept as the amount it gave; shown again it is that percentage of the
    // same base: the lines for the packing, the value before the discount for the discount.
    Bill plain = b;
    plain.packPerc = plain.finalDiscPerc = false;
    plain.finalDisc = 0;
    const BillValue::Result v = value(plain, false);
    if (b.packPerc) b.packForwd = money::shown(money::percentOf(b.packForwd, v.lineTotal.rupees()));
    if (b.finalDiscPerc) b.finalDisc = money::shown(money::percentOf(b.finalDisc, v.beforeFinalDiscount));
    return b;
}

Found find(QSqlDatabase& db, const QString& invNo, qint64 vendor) {
    const chain::Lookups::Found f = Engine::find(db, kind(), invNo, vendor);
    return {f.id, f.message, f.icon};
}

// ---------------------------------------------------------------- rules

Check validate(QSqlDatabase& db, const Bill& b, bool adding, bool roundRupees) {
    if (b.vendor == 0) return Refusal::at(QStringLiteral("cmbVendor"), QStringLiteral("Please Select a Vendor....."));
    if (b.tax == TaxKind::None)
        return Refusal::at(QStringLiteral("optVAT"), QStringLiteral("Enter  the type of TAX :  VAT or CST ?"),
                           MsgIcon::Question);
    const QStringList codes = codesOf(b);
    const QString dup = chain::Lookups::duplicateItems(codes);
    if (!dup.isEmpty()) return Refusal::cell(1, CodeCol, dup);
    if (b.lines.isEmpty())
        return Refusal::cell(1, CodeCol,
                             QStringLiteral("Please Enter the item details by clicking the grid heading..."));
    const QHash<QString, chain::ItemRef> items = chain::Lookups::itemsByCode(db, codes);
    const bool ordered = !b.poNo.trimmed().isEmpty();
    QSet<qint64> onOrder;
    if (ordered) {
        QSqlQuery q = Sql::exec(db,
                                QStringLiteral("select distinct s.ItemId from PurchPOSub s join PurchPO h on "
                                               "h.POId=s.POId where h.VendorCode=? and h.PONo=?"),
                                {b.vendor, b.poNo.trimmed()});
        while (q.next()) onOrder.insert(q.value(0).toLongLong());
    }
    const BillValue::Result v = value(b, roundRupees);
    QList<qint64> itemIds;
    for (int i = 0; i < b.lines.size(); ++i) {
        const Line& l = b.lines[i];
        const int row = i + 1;
        if (l.itemCode.trimmed().isEmpty()) return Refusal::cell(row, CodeCol, QStringLiteral("Enter the Item. ..."));
        const auto it = items.constFind(l.itemCode);
        if (it == items.cend())
            return Refusal::cell(row, CodeCol,
                                 QStringLiteral("Item. does not exist ... Press F5 Key to Add New Items!!! "));
        if (ordered && !onOrder.contains(it->id))
            return Refusal::cell(row, CodeCol,
                                 QStringLiteral("Enter the Suitable Item which is  available in the PO...  "),
                                 MsgIcon::Exclamation);
        if (!(l.qty > 0)) return Refusal::cell(row, QtyCol, QStringLiteral("Enter the Valid Quantity."));
        if (!(l.altQty > 0)) return Refusal::cell(row, AltQtyCol, QStringLiteral("Enter the Valid Alt. Quantity."));
        if (!(l.rate > 0)) return Refusal::cell(row, RateCol, QStringLiteral("Enter the Valid Rate"));
        if (!(v.amounts.value(i) > Money()))
            return Refusal::cell(row, RateCol, QStringLiteral("Enter the Valid Amount"));
        itemIds << it->id;
    }
    if (ordered) {
        // Each line against what the order still expects of its item, lines of one item together.
        const QHash<qint64, double> left = orderBalances(db, b.vendor, b.poNo, adding ? 0 : b.id, itemIds);
        QHash<qint64, double> taken;
        for (int i = 0; i < b.lines.size(); ++i) {
            taken[itemIds[i]] += b.lines[i].qty;
            const double cap = left.value(itemIds[i]);
            if (taken[itemIds[i]] > cap + kQtyEps)
                return Refusal::cell(i + 1, QtyCol, kind().limitText.arg(i + 1).arg(Rows::qtyText(cap)));
        }
    }
    if (!(v.total > Money()))
        return Refusal::at(QStringLiteral("txtTotVal"), QStringLiteral("Enter a Valid  Invoice Value....."));
    if (b.invNo.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtInvNo"), QStringLiteral("Enter the Invoice Number..... "));
    // The same vendor's bill of this number and date.
    if (Sql::any(db,
                 QStringLiteral("select 1 from Purchase where VendorCode=? and InvNo=? and InvDate=? and PurchId<>?"),
                 {b.vendor, b.invNo.trimmed(), Rows::dateText(b.invDate), adding ? 0 : b.id}))
        return Refusal::at(QStringLiteral("txtInvNo"),
                           adding ? QStringLiteral(" A Record with same Invoice Number already exists ...")
                                  : QStringLiteral("Your Modification conflicts with some existing records !!!"));
    return std::nullopt;
}

Check changeBlock(QSqlDatabase& db, qint64 id, bool deleting) {
    return Engine::changeBlock(db, kind(), id, deleting);
}

Check clickBlock(QSqlDatabase& db, qint64 id) {
    return Engine::clickBlock(db, kind(), id);
}

qint64 save(QSqlDatabase& db, const Bill& b, bool adding, bool roundRupees) {
    // Asked again inside the transaction: a bill of the same number booked meanwhile wins.
    enforce(validate(db, b, adding, roundRupees));
    const QHash<QString, chain::ItemRef> items = chain::Lookups::itemsByCode(db, codesOf(b));
    return Engine::save(db, kind(), toDc(b, roundRupees, items), adding, true, 0, {});
}

void remove(QSqlDatabase& db, qint64 id) {
    Engine::remove(db, kind(), id, {});
}

}  // namespace kavra::purchase::Bills
