#include "sales/Orders.h"

#include <QHash>
#include <QSqlQuery>
#include <cmath>

#include "core/ClsProd.h"
#include "core/Refused.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "masters/Items.h"
#include "masters/Misc.h"

namespace kavra::sales::Orders {

namespace {

const QString kDeleteRefused =
    QStringLiteral("You cannot delete this Purchase Order , since some transactions has been made already...");

struct StoredLine {
    double qty = 0, qtyToSend = 0;
    QString uom, itemName;
};

QHash<int, StoredLine> storedLines(QSqlDatabase& db, qint64 id) {
    QHash<int, StoredLine> out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select s.SlNo, s.Qty, s.QtyToSend, s.UOM, i.ItemName from MfgPOSub s left "
                                           "join Item i on i.ItemId=s.ItemId where s.POId=?"),
                            {id});
    while (q.next())
        out.insert(q.value(0).toInt(),
                   {q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toString(), q.value(4).toString()});
    return out;
}

QString sentMessage(double sent, const QString& unit, const QString& itemName) {
    return QStringLiteral("Since ") + qtyText(sent) + QLatin1Char(' ') + unit + QStringLiteral(" of '") + itemName +
           QStringLiteral("' has been sent to Customer Already, ") + QLatin1Char('\n') +
           QStringLiteral(" Qty should be greater or equal to ") + qtyText(sent);
}

double lineAmount(const Line& l) {
    const double qr = l.qty * l.rate.rupees();
    return qr - qr * l.discount / 100.0;
}

void addUnitIfNew(QSqlDatabase& db, const QString& unit) {
    if (unit.trimmed().isEmpty()) return;
    if (Sql::any(db, QStringLiteral("select 1 from Measurement where MeasureCode=?"), {unit.trimmed()})) return;
    Sql::exec(db, QStringLiteral("insert into Measurement (MeasureCode, MeasureName) values (?, '-')"),
              {unit.trimmed()});
}

void insertLine(QSqlDatabase& db, qint64 poId, int slNo, qint64 itemId, const Line& l) {
    Sql::exec(db,
              QStringLiteral("insert into MfgPOSub (POId, SlNo, ItemId, UOM, Qty, Rate, Discount, QtyToSend) values "
                             "(?,?,?,?,?,?,?,?)"),
              {poId, slNo, itemId, l.uom.trimmed().left(5), l.qty, l.rate.toDb(), l.discount, l.qty});
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select POId from MfgPO order by POId"));
}

qint64 nextId(QSqlDatabase& db) {
    return Sql::nextId(db, QStringLiteral("MfgPO"), QStringLiteral("POId"));
}

bool partlyProcessed(QSqlDatabase& db, qint64 id) {
    return Sql::any(db, QStringLiteral("select 1 from MfgPOSub where POId=? and QtyToSend<>Qty"), {id});
}

double lineTotal(const QList<Line>& lines) {
    double s = 0;
    for (const Line& l : lines) s += lineAmount(l);
    return s;
}

Money packingAmount(const Order& o) {
    if (!o.packIsPerc) return Money::fromRupees(o.packForwd);
    return Money::fromRupees(o.packForwd / 100.0 * lineTotal(o.lines));
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
    s = s + o.otherChrg.rupees();
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
    Money packStored;
    Sql::readRow(q, o.custId, o.poNo, o.poDate, o.validFrom, o.validTo, Sql::trimmed(o.payTerm), Sql::trimmed(o.remark),
                 o.tinPerc, o.cstPerc, packStored, o.packIsPerc, o.otherChrg, o.value, Sql::trimmed(o.profInvNo),
                 o.profInvDate, o.reTrkRej, o.cancelled, o.tallied, Sql::trimmed(o.address));
    if (o.address.isEmpty()) o.address = customerAddress(db, o.custId);

    QSqlQuery l = Sql::exec(db,
                            QStringLiteral("select s.SlNo, s.ItemId, i.ItemCode, i.ItemName, s.UOM, s.Qty, s.Rate, "
                                           "s.Discount, s.QtyToSend from MfgPOSub s left join Item i on "
                                           "i.ItemId=s.ItemId where s.POId=? order by s.SlNo"),
                            {id});
    while (l.next()) {
        Line line;
        Sql::readRow(l, line.slNo, line.itemId, line.itemCode, line.itemName, line.uom, line.qty, line.rate,
                     line.discount, line.qtyToSend);
        o.lines << line;
    }
    if (o.packIsPerc) {
        // The amount was stored; the user reads it again as the percentage typed.
        const double total = lineTotal(o.lines);
        o.packForwd = total != 0 ? std::round(packStored.rupees() / total * 100.0 * 10000.0) / 10000.0 : 0;
    } else {
        o.packForwd = packStored.rupees();
    }
    return o;
}

QPair<double, double> lastTaxes(QSqlDatabase& db, qint64 custId) {
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select TINperc, CSTperc from MfgPO where CustId=? order by PODateT desc, POId desc"),
        {custId});
    if (!q.next()) return {0, 0};
    return {q.value(0).toDouble(), q.value(1).toDouble()};
}

bool reTrackByDefault(QSqlDatabase& db) {
    return Sql::any(db, QStringLiteral("select 1 from Misc where ReTrkRejMfgSale=?"), {true});
}

std::optional<QPair<Money, double>> proposedRate(QSqlDatabase& db, qint64 itemId) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select Rate, Discount from MfgPOSub where ItemId=? and POId=(select "
                                           "max(POId) from MfgPOSub where ItemId=?)"),
                            {itemId, itemId});
    if (q.next()) return QPair<Money, double>{Money::fromDb(q.value(0)), q.value(1).toDouble()};
    const QVariant r = Sql::scalar(db, QStringLiteral("select Rate from Item where ItemId=?"), {itemId});
    if (r.isNull()) return std::nullopt;
    return QPair<Money, double>{Money::fromDb(r), 0.0};
}

QString nextProformaNo(QSqlDatabase& db) {
    // Numbers are text; anything that does not start with a number counts as 0.
    double top = 0;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select ProfInvno from MfgPO where ProfInvno is not null"));
    while (q.next()) top = std::max(top, text::val(q.value(0).toString()));
    return text::plain(top + 1);
}

std::optional<Problem> validate(QSqlDatabase& db, const Order& o, bool adding) {
    auto field = [](const QString& text, const char* name, MsgIcon icon = MsgIcon::Critical) {
        return Problem{text, QString::fromLatin1(name), 0, 0, icon, std::nullopt};
    };
    if (o.custId == 0) return field(QStringLiteral("Please Select a Customer ....."), "cmbCust");
    if (o.poNo.trimmed().isEmpty()) return field(QStringLiteral("Enter the Purchase Order Number..... "), "txtPOno");
    if (o.address.trimmed().isEmpty()) return field(QStringLiteral("Enter the Customer's Address ....."), "rtbAddr");
    if (o.value.isZero())
        return field(QStringLiteral("Enter the purchase Order Value!!! ") + QLatin1Char('\n') +
                         QStringLiteral(" Double Click the box to obtain value from the system"),
                     "txtVal", MsgIcon::Information);

    const bool partly = !adding && partlyProcessed(db, o.id);
    QVector<QStringList> codes;
    for (const Line& l : o.lines) codes << QStringList{QString(), l.itemCode};
    const QString dup =
        gridCheckMessage([&](Dialogs& d) { return clsProd::CheckDuplicateItems(LineCells(codes, 7), 1, d); });
    if (!dup.isEmpty()) return cellProblem(dup, 1, partly ? 4 : 1);

    if (o.lines.isEmpty())
        return cellProblem(QStringLiteral("Please Enter the Item details by clicking the grid heading..."), 1, 1);
    const QHash<int, StoredLine> stored = adding ? QHash<int, StoredLine>() : storedLines(db, o.id);
    for (int i = 0; i < o.lines.size(); ++i) {
        const Line& l = o.lines[i];
        const int row = i + 1;
        const QString sl = QString::number(row);
        if (l.itemCode.trimmed().isEmpty())
            return cellProblem(QStringLiteral("Enter a Valid Item Code/Part No. for the SlNo. .....") + sl, row, 1);
        if (!Items::idOfCode(db, l.itemCode.trimmed()))
            return cellProblem(QStringLiteral("Part No. does not exist ... Press F5 Key to Add New Items!!!"), row, 1);
        if (l.itemName.trimmed().isEmpty())
            return cellProblem(QStringLiteral("Enter Item/Component Name for the SlNo. ") + sl, row, 2);
        if (l.uom.trimmed().isEmpty())
            return cellProblem(QStringLiteral("Enter a Valid 'Unit Of Measurements' 'UOM'  in short Form ") +
                                   QStringLiteral(" eg., Kg for Kilograms, Nos for Numbers etc.") + QLatin1Char('\n') +
                                   QStringLiteral(" for the SlNo.") + sl,
                               row, 3);
        if (l.qty <= 0) return cellProblem(QStringLiteral("Enter the Valid Qty ..... "), row, 4);
        if (stored.contains(row)) {
            const StoredLine& s = stored[row];
            const double sent = s.qty - s.qtyToSend;
            if (l.qty < sent - kQtyEps) {
                Problem p = cellProblem(sentMessage(sent, s.uom, s.itemName), row, 4);
                p.resetCell = qtyText(sent);
                return p;
            }
        }
        if (l.rate.paise() <= 0) return cellProblem(QStringLiteral("Enter the Valid Rate "), row, 5);
    }

    if (!adding) {
        const auto was = load(db, o.id);
        if (was && was->reTrkRej != o.reTrkRej &&
            Sql::any(db, QStringLiteral("select 1 from DcInv where PONo=? and CustId=?"), {was->poNo, was->custId}))
            return field(QStringLiteral("Some transactions has been made already with this purchase order!!! ") +
                             QStringLiteral(" Now you should not change the 'Rejections Re-Tracking with this PO "
                                            "Required' !!!") +
                             QLatin1Char('\n') + QStringLiteral("Change it by ") +
                             (was->reTrkRej ? QStringLiteral(" adding a tick mark to it.")
                                            : QStringLiteral(" removing the tick mark from it.")),
                         "chkReTrkRej", MsgIcon::Information);
    }
    if (!o.profInvNo.trimmed().isEmpty() &&
        Sql::any(db, QStringLiteral("select 1 from MfgPO where POId<>? and ProfInvno=?"),
                 {o.id, o.profInvNo.trimmed()}))
        return field(QStringLiteral("Duplication of Proforma Invoice Nos not allowed !!! "), "txtProfInvno");

    if (Sql::any(db, QStringLiteral("select 1 from MfgPO where PONo=? and CustId=? and POId<>?"),
                 {o.poNo.trimmed(), o.custId, o.id}))
        return field(adding ? QStringLiteral(" A Record with same Order No. already exist.....")
                            : QStringLiteral(" A Record with same Order No. already exist..."),
                     "cmbCust");
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Order& given, bool adding) {
    Order o = given;
    if (adding && Sql::any(db, QStringLiteral("select 1 from MfgPO where POId=?"), {o.id})) o.id = nextId(db);
    const bool partly = !adding && partlyProcessed(db, o.id);
    if (partly) {
        // DCs quote the order by customer and number: those stay as they were.
        if (const auto was = load(db, o.id)) {
            o.custId = was->custId;
            o.poNo = was->poNo;
            o.poDate = was->poDate;
        }
    }
    // Checked before the question; here it stops the same order saved meanwhile at another desk.
    if (Sql::any(db, QStringLiteral("select 1 from MfgPO where PONo=? and CustId=? and POId<>?"),
                 {o.poNo.trimmed(), o.custId, o.id}))
        throw Refused(QStringLiteral(" A Record with same Order No. already exist..."), QStringLiteral("cmbCust"));
    const QVariantList header{
        o.custId,
        o.poNo.trimmed(),
        dateText(o.poDate),
        dateValue(o.poDate),
        Db::day(o.validFrom),
        Db::day(o.validTo),
        Misc::stored(o.payTerm),
        Misc::stored(o.remark),
        o.tinPerc,
        o.cstPerc,
        packingAmount(o).toDb(),
        o.packIsPerc,
        o.otherChrg.toDb(),
        o.value.toDb(),
        int(o.lines.size()),
        o.profInvNo.trimmed().isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(o.profInvNo.trimmed()),
        o.profInvNo.trimmed().isEmpty() ? QVariant(QMetaType::fromType<QString>()) : dateValue(o.profInvDate),
        o.reTrkRej,
        Misc::stored(o.address),
        o.id};
    if (adding)
        Sql::exec(
            db,
            QStringLiteral("insert into MfgPO (CustId, PONo, PODate, PODateT, ValidFrom, ValidTo, payTerm, "
                           "Remark, TINperc, CSTperc, PackForwd, IsPackForwdPerc, OtherChrg, PurchVal, NoOfItems, "
                           "ProfInvno, ProfInvDate, ReTrkRej, ShipTo, POId) values "
                           "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            header);
    else
        Sql::exec(db,
                  QStringLiteral("update MfgPO set CustId=?, PONo=?, PODate=?, PODateT=?, ValidFrom=?, ValidTo=?, "
                                 "payTerm=?, Remark=?, TINperc=?, CSTperc=?, PackForwd=?, IsPackForwdPerc=?, "
                                 "OtherChrg=?, PurchVal=?, NoOfItems=?, ProfInvno=?, ProfInvDate=?, ReTrkRej=?, "
                                 "ShipTo=? where POId=?"),
                  header);

    for (const Line& l : o.lines) addUnitIfNew(db, l.uom);
    auto itemOf = [&](const Line& l) {
        const auto id = Items::idOfCode(db, l.itemCode.trimmed());
        if (!id) throw Refused(QStringLiteral("Part No. does not exist ... Press F5 Key to Add New Items!!!"));
        return *id;
    };
    if (!partly) {
        Sql::exec(db, QStringLiteral("delete from MfgPOSub where POId=?"), {o.id});
        for (int i = 0; i < o.lines.size(); ++i) insertLine(db, o.id, i + 1, itemOf(o.lines[i]), o.lines[i]);
    } else {
        const QHash<int, StoredLine> stored = storedLines(db, o.id);
        for (int i = 0; i < o.lines.size(); ++i) {
            const Line& l = o.lines[i];
            if (stored.contains(i + 1))
                // What was sent stays sent: the balance moves by the change of the ordered quantity.
                Sql::exec(db,
                          QStringLiteral("update MfgPOSub set QtyToSend=QtyToSend+(?-Qty), Qty=?, Rate=?, Discount=? "
                                         "where POId=? and SlNo=?"),
                          {l.qty, l.qty, l.rate.toDb(), l.discount, o.id, i + 1});
            else
                insertLine(db, o.id, i + 1, itemOf(l), l);
        }
        // Lines beyond the grid: only those nothing was sent against may go.
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            if (it.key() <= o.lines.size()) continue;
            if (std::abs(it->qty - it->qtyToSend) > kQtyEps)
                throw Refused(sentMessage(it->qty - it->qtyToSend, it->uom, it->itemName), QStringLiteral("msflex"));
            Sql::exec(db, QStringLiteral("delete from MfgPOSub where POId=? and SlNo=?"), {o.id, it.key()});
        }
        QSqlQuery over = Sql::exec(db,
                                   QStringLiteral("select s.Qty, s.QtyToSend, s.UOM, i.ItemName from MfgPOSub s left "
                                                  "join Item i on i.ItemId=s.ItemId where s.POId=? and s.QtyToSend<?"),
                                   {o.id, -kQtyEps});
        if (over.next()) {
            // Another desk sent more meanwhile than the new quantity allows.
            const double sent = over.value(0).toDouble() - over.value(1).toDouble();
            throw Refused(sentMessage(sent, over.value(2).toString(), over.value(3).toString()),
                          QStringLiteral("msflex"));
        }
    }
    retally(db, o.id);
    return o.id;
}

void retally(QSqlDatabase& db, qint64 id) {
    const double left =
        Sql::scalar(db, QStringLiteral("select sum(QtyToSend) from MfgPOSub where POId=?"), {id}).toDouble();
    Sql::exec(db, QStringLiteral("update MfgPO set POTally=? where POId=?"), {left <= kQtyEps, id});
}

std::optional<Problem> deleteRefusal(QSqlDatabase& db, qint64 id) {
    const bool drawn = partlyProcessed(db, id) ||
                       Sql::any(db,
                                QStringLiteral("select 1 from DcInv d, MfgPO p where p.POId=? and d.CustId=p.CustId "
                                               "and d.PONo=p.PONo"),
                                {id});
    if (!drawn) return std::nullopt;
    return Problem{kDeleteRefused, {}, 0, 0, MsgIcon::Critical, std::nullopt};
}

void remove(QSqlDatabase& db, qint64 id) {
    // Checked again here: a DC saved at another desk since the question was asked must win.
    if (const auto p = deleteRefusal(db, id)) throw Refused(p->text);
    Sql::exec(db, QStringLiteral("delete from MfgPO where POId=?"), {id});
    Sql::exec(db, QStringLiteral("delete from MfgPOSub where POId=?"), {id});
}

void setCancelled(QSqlDatabase& db, qint64 id, bool cancelled) {
    Sql::exec(db, QStringLiteral("update MfgPO set Cancl=? where POId=?"), {cancelled, id});
}

Found find(QSqlDatabase& db, const QString& poNo, qint64 custId) {
    QList<QPair<qint64, qint64>> hits;  // POId, CustId
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select POId, CustId from MfgPO where PONo=? order by POId"), {poNo.trimmed()});
    while (q.next()) hits.append({q.value(0).toLongLong(), q.value(1).toLongLong()});
    if (hits.isEmpty())
        return {std::nullopt, QStringLiteral(" NO Purchase Order No.(Manufacturing) exists with this No.")};
    if (hits.size() == 1) return {hits.first().first, {}};
    for (const auto& h : hits)
        if (custId != 0 && h.second == custId) return {h.first, {}};
    const QString count = QString::number(hits.size());
    const QString msg =
        custId != 0
            ? QStringLiteral("System is displaying the 1 of ") + count +
                  QStringLiteral(" RECORDS with the PO NO. you typed. ") + QLatin1Char('\n') +
                  QStringLiteral("Select the correct Customer name matching the PO no. to display the expected Data...")
            : QStringLiteral("System is displaying the 1 of ") + count +
                  QStringLiteral(" RECORDS with the PO No. you typed. ") + QLatin1Char('\n') +
                  QStringLiteral("Select the Customer name for the PO no. to display the expected Data...");
    return {hits.first().first, msg};
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
    doc.fields[QStringLiteral("ProfInvDate")] = o->profInvNo.isEmpty() ? QString() : dateText(o->profInvDate);
    doc.fields[QStringLiteral("RefPO")] =
        QStringLiteral("Ref PO: ") + o->poNo + QStringLiteral(" Dt. ") + dateText(o->poDate);
    doc.fields[QStringLiteral("PayTerms")] = QStringLiteral("Payment Terms: ") + o->payTerm;
    const Misc::Settings s = misc.value_or(Misc::Settings{});
    doc.fields[QStringLiteral("EccNo")] = QStringLiteral("ECC NO: ") + s.myCERegNo.trimmed();
    doc.fields[QStringLiteral("KstNo")] = QStringLiteral("KST NO: ") + s.myKST.trimmed();
    doc.fields[QStringLiteral("TinNo")] = QStringLiteral("TIN: ") + s.myVATRegNo.trimmed();
    doc.fields[QStringLiteral("CstNo")] = QStringLiteral("CST: ") + s.myCST.trimmed();

    // Each printed figure is rounded to paise and the total is their sum, so the page adds up.
    Money sub;
    for (const Line& l : o->lines) {
        const Money amount = Money::fromRupees(lineAmount(l));
        sub += amount;
        doc.lines.append({l.slNo, l.itemName, l.qty, l.uom, Print::money(l.rate), l.discount, Print::money(amount)});
    }
    const Money packing = packingAmount(*o);
    const double taxPerc = o->tinPerc != 0 ? o->tinPerc : o->cstPerc;
    const Money tax = Money::fromRupees((sub + packing).rupees() * taxPerc / 100.0);
    const Money total = sub + packing + tax + o->otherChrg;
    doc.lastPage[QStringLiteral("SubTotal")] = Print::money(sub);
    doc.lastPage[QStringLiteral("Packing")] = Print::money(packing);
    doc.lastPage[QStringLiteral("Others")] = Print::money(o->otherChrg);
    doc.lastPage[QStringLiteral("Total")] = Print::money(total);
    doc.hideRows << QStringLiteral("Excise");
    if (packing.isZero()) doc.hideRows << QStringLiteral("Packing");
    if (o->otherChrg.isZero()) doc.hideRows << QStringLiteral("Others");
    if (taxPerc == 0) {
        doc.hideRows << QStringLiteral("SalesTax");
    } else {
        doc.lastPage[QStringLiteral("SalesTax")] = Print::money(tax);
        doc.lastPage[QStringLiteral("SalesTaxLabel")] =
            (o->tinPerc != 0 ? QStringLiteral("VAT @ ") : QStringLiteral("CST @ ")) + qtyText(taxPerc) +
            QStringLiteral("%");
    }
    doc.fields[QStringLiteral("Remarks")] = o->remark;
    doc.words = total;
    doc.proformaWords = true;
    return doc;
}

// ---- Order number change

namespace {

struct NumberedKind {
    QString orderTable, partyCol;
    QStringList dcTables;
};

std::optional<NumberedKind> kindOf(const QString& kind) {
    if (kind.compare(QLatin1String("MFG"), Qt::CaseInsensitive) == 0)
        return NumberedKind{QStringLiteral("MfgPO"), QStringLiteral("CustId"), {QStringLiteral("DcInv")}};
    return std::nullopt;
}

}  // namespace

std::optional<Problem> numberChangeProblem(QSqlDatabase& db, const NumberChange& c) {
    auto refuse = [](const QString& t) {
        return Problem{t, QStringLiteral("txtNewPONo"), 0, 0, MsgIcon::Critical, std::nullopt};
    };
    const auto k = kindOf(c.kind);
    if (!k) return refuse(QStringLiteral("Orders of this kind cannot be renumbered here."));
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select PONo, PODateT, %1 from %2 where POId=?").arg(k->partyCol, k->orderTable),
                  {c.orderId});
    if (!q.next()) return refuse(QStringLiteral("Select the Purchase Order to change."));
    const QString oldNo = q.value(0).toString();
    const QDate oldDate = Db::toDate(q.value(1));
    const qint64 party = q.value(2).toLongLong();
    const QString newNo = c.newNo.trimmed();
    if (newNo.isEmpty() || (newNo == oldNo && c.newDate == oldDate))
        return refuse(QStringLiteral("Change the P.O. Number and Modify!!!"));
    if (Sql::any(db,
                 QStringLiteral("select 1 from %1 where PONo=? and %2=? and POId<>?").arg(k->orderTable, k->partyCol),
                 {newNo, party, c.orderId}))
        return refuse(QStringLiteral("P.O. Number You changed is same as the existing P.O. Number...!!!"));
    return std::nullopt;
}

void changeNumber(QSqlDatabase& db, const NumberChange& c) {
    if (const auto p = numberChangeProblem(db, c)) throw p->refused();
    const NumberedKind k = *kindOf(c.kind);
    QSqlQuery q = Sql::exec(db, QStringLiteral("select PONo, %1 from %2 where POId=?").arg(k.partyCol, k.orderTable),
                            {c.orderId});
    q.next();
    const QString oldNo = q.value(0).toString();
    const qint64 party = q.value(1).toLongLong();
    const QVariantList values{c.newNo.trimmed(), dateText(c.newDate), dateValue(c.newDate)};
    Sql::exec(db, QStringLiteral("update %1 set PONo=?, PODate=?, PODateT=? where POId=?").arg(k.orderTable),
              values + QVariantList{c.orderId});
    for (const QString& t : k.dcTables)
        Sql::exec(db,
                  QStringLiteral("update %1 set PONo=?, PODate=?, PODateT=? where PONo=? and %2=?").arg(t, k.partyCol),
                  values + QVariantList{oldNo, party});
}

}  // namespace kavra::sales::Orders
