#include "sales/DeliveryChallans.h"

#include <QSet>
#include <QSqlQuery>
#include <cmath>

#include "core/ClsProd.h"
#include "core/Refused.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "inventory/Stores.h"
#include "masters/Items.h"
#include "masters/Misc.h"
#include "sales/Orders.h"

namespace kavra::sales::Dcs {

namespace {

using inventory::IssueLine;
namespace Stores = inventory::Stores;

QVariant nullText() {
    return QVariant(QMetaType::fromType<QString>());
}

// The order a DC names, by customer and number; 0 when there is none.
qint64 orderIdOf(QSqlDatabase& db, qint64 custId, const QString& poNo) {
    if (poNo.trimmed().isEmpty()) return 0;
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select POId from MfgPO where PONo=? and CustId=?"), {poNo.trimmed(), custId});
    return v.isNull() ? 0 : v.toLongLong();
}

bool isNil(const std::optional<QString>& invNo) {
    return invNo && invNo->trimmed().compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0;
}

bool invoiced(const Dc& d) {
    return d.invNo && !d.invNo->trimmed().isEmpty() && !isNil(d.invNo);
}

bool paidSomething(const Dc& d) {
    return d.totVal.value_or(Money()) != d.balance.value_or(Money());
}

// The own quantity of an item on the stored DC.
double storedQtyOf(const Dc& d, qint64 itemId) {
    double q = 0;
    for (const Line& l : d.lines)
        if (l.itemId == itemId) q += l.qty;
    return q;
}

qint64 productIdFor(QSqlDatabase& db, const QString& particulars, qint64 itemId) {
    const QString name = particulars.trimmed();
    const QVariant v = Sql::scalar(db, QStringLiteral("select min(ProdId) from ProductL where ProdName=?"), {name});
    if (!v.isNull()) return v.toLongLong();
    const qint64 id = Sql::nextId(db, QStringLiteral("ProductL"), QStringLiteral("ProdId"));
    Sql::exec(db, QStringLiteral("insert into ProductL (ProdId, ProdName, ItemId) values (?,?,?)"), {id, name, itemId});
    return id;
}

// The order gets back every line the stored DC took from it, and is open again.
void giveBackOrder(QSqlDatabase& db, const Dc& stored) {
    const qint64 poId = orderIdOf(db, stored.custId, stored.poNo);
    if (poId == 0) return;
    for (const Line& l : stored.lines)
        Sql::exec(db, QStringLiteral("update MfgPOSub set QtyToSend=QtyToSend+? where ItemId=? and POId=?"),
                  {l.qty, l.itemId, poId});
    Sql::exec(db, QStringLiteral("update MfgPO set POTally=? where POId=?"), {false, poId});
}

void giveBackStock(QSqlDatabase& db, const Dc& stored) {
    if (!stored.storeIssId) return;
    Stores::reverseIssue(db, *stored.storeIssId);
    Sql::exec(db, QStringLiteral("update DcInv set StoreIssId=null where DcInvId=?"), {stored.id});
}

QString limitMessage(int row, double limit) {
    return QStringLiteral("In Row: %1 , Qty should not be greater than %2").arg(row).arg(qtyText(limit));
}

void writeLines(QSqlDatabase& db, const Dc& dc, bool reduceStock) {
    const qint64 poId = orderIdOf(db, dc.custId, dc.poNo);
    bool allNv = !dc.lines.isEmpty();
    QList<IssueLine> issue;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const Line& l = dc.lines[i];
        const int row = i + 1;
        QSqlQuery item = Sql::exec(db, QStringLiteral("select ItemId, CategoryCode from Item where ItemCode=?"),
                                   {l.itemCode.trimmed()});
        if (!item.next())
            throw Refused(QStringLiteral("Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!!"),
                          QStringLiteral("msflex"));
        const qint64 itemId = item.value(0).toLongLong();
        const qint64 category = item.value(1).toLongLong();
        const QString remark = l.remark.trimmed();
        if (remark.toUpper() != QLatin1String("NV")) allNv = false;
        Sql::exec(db,
                  QStringLiteral("insert into DcInvSub (DcInvId, SlNo, ItemId, ProductId, Qty, DcRowRem, RejQty, "
                                 "RewQty, RejRowRem) values (?,?,?,?,?,?,0,0,' ')"),
                  {dc.id, row, itemId, productIdFor(db, l.particulars, itemId), l.qty, Misc::stored(remark)});
        if (poId != 0) {
            QSqlQuery line = Sql::exec(db,
                                       QStringLiteral("select SlNo, QtyToSend from MfgPOSub where POId=? and ItemId=? "
                                                      "and QtyToSend>0 order by SlNo"),
                                       {poId, itemId});
            const bool found = line.next();
            const double left = found ? line.value(1).toDouble() : 0;
            // Checked before the question too; here it stops a DC saved meanwhile at another desk.
            if (l.qty > left + kQtyEps) throw Refused(limitMessage(row, left), QStringLiteral("msflex"));
            Sql::exec(db, QStringLiteral("update MfgPOSub set QtyToSend=QtyToSend-? where POId=? and SlNo=?"),
                      {l.qty, poId, line.value(0)});
        }
        issue.append(IssueLine{itemId, category, l.qty});
    }
    Sql::exec(db, QStringLiteral("update DcInv set InvNo=? where DcInvId=?"),
              {allNv ? QVariant(QStringLiteral("Nil")) : nullText(), dc.id});
    if (poId != 0) Orders::retally(db, poId);
    if (reduceStock) {
        const qint64 issueId =
            Stores::raiseIssue(db, inventory::IssueSource::MfgDc, dc.dcDate, customerName(db, dc.custId),
                               QStringLiteral(" "), issue, QStringLiteral("Stock is not enough for this DC..."));
        Sql::exec(db, QStringLiteral("update DcInv set StoreIssId=? where DcInvId=?"), {issueId, dc.id});
    }
}

}  // namespace

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select DcInvId from DcInv order by DcInvId"));
}

qint64 nextId(QSqlDatabase& db) {
    return Sql::nextId(db, QStringLiteral("DcInv"), QStringLiteral("DcInvId"));
}

std::optional<Dc> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select CustId, DcNo, DcDateT, PONo, PODateT, Transport, VehicleNo, "
                                           "TransFrom, TransTo, DeliveryPurpose, DcRem, DcSign, InvNo, StoreIssId, "
                                           "TotVal, Balance from DcInv where DcInvId=?"),
                            {id});
    if (!q.next()) return std::nullopt;
    Dc d;
    d.id = id;
    Sql::readRow(q, d.custId, d.dcNo, d.dcDate, Sql::trimmed(d.poNo), d.poDate, Sql::trimmed(d.transport),
                 Sql::trimmed(d.vehicleNo), Sql::trimmed(d.transFrom), Sql::trimmed(d.transTo),
                 Sql::trimmed(d.deliveryPurpose), Sql::trimmed(d.remark), d.signedReturned);
    if (!q.value(12).isNull()) d.invNo = q.value(12).toString();
    if (!q.value(13).isNull()) d.storeIssId = q.value(13).toLongLong();
    if (!q.value(14).isNull()) d.totVal = Money::fromDb(q.value(14));
    if (!q.value(15).isNull()) d.balance = Money::fromDb(q.value(15));
    QSqlQuery l = Sql::exec(db,
                            QStringLiteral("select s.ItemId, i.ItemCode, p.ProdName, s.Qty, s.DcRowRem, s.RejQty, "
                                           "s.RewQty from DcInvSub s left join Item i on i.ItemId=s.ItemId left join "
                                           "ProductL p on p.ProdId=s.ProductId where s.DcInvId=? order by s.SlNo"),
                            {id});
    while (l.next()) {
        Line line;
        Sql::readRow(l, line.itemId, line.itemCode, line.particulars, line.qty, Sql::trimmed(line.remark), line.rejQty,
                     line.rewQty);
        d.lines << line;
    }
    return d;
}

std::optional<qint64> find(QSqlDatabase& db, const QString& dcNo, QString* message) {
    const QVariant v = Sql::scalar(db, QStringLiteral("select DcInvId from DcInv where DcNo=? order by DcInvId desc"),
                                   {dcNo.trimmed()});
    if (v.isNull()) {
        if (message) *message = QStringLiteral(" NO DC exists with this No.");
        return std::nullopt;
    }
    return v.toLongLong();
}

QStringList openOrders(QSqlDatabase& db, qint64 custId) {
    return Sql::texts(db,
                      QStringLiteral("select PONo from MfgPO where CustId=? and POTally=? and Cancl=? order by POId"),
                      {custId, false, false});
}

std::optional<QDate> orderDate(QSqlDatabase& db, qint64 custId, const QString& poNo) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select PODateT from MfgPO where PONo=? and CustId=?"), {poNo.trimmed(), custId});
    if (!q.next()) return std::nullopt;
    return Db::toDate(q.value(0));
}

std::optional<QStringList> openOrderItemCodes(QSqlDatabase& db, qint64 custId, const QString& poNo) {
    const QVariant po =
        Sql::scalar(db, QStringLiteral("select POId from MfgPO where CustId=? and PONo=? and POTally=? and Cancl=?"),
                    {custId, poNo.trimmed(), false, false});
    if (po.isNull()) return std::nullopt;
    return Sql::texts(db,
                      QStringLiteral("select ItemCode from Item where ItemId in (select ItemId from MfgPOSub "
                                     "where POId=?) order by ItemCode"),
                      {po});
}

QList<PickItem> pickItems(QSqlDatabase& db, qint64 custId, const QString& poNo) {
    QList<PickItem> out;
    QSqlQuery q = poNo.trimmed().isEmpty()
                      ? Sql::exec(db, QStringLiteral("select ItemId, ItemCode, ItemName from Item order by ItemCode"))
                      : Sql::exec(db,
                                  QStringLiteral("select ItemId, ItemCode, ItemName from Item where ItemId in (select "
                                                 "ItemId from MfgPOSub where POId=(select POId from MfgPO where "
                                                 "CustId=? and PONo=?)) order by ItemCode"),
                                  {custId, poNo.trimmed()});
    while (q.next()) out.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()});
    return out;
}

EarlierTexts earlierTexts(QSqlDatabase& db) {
    // One pass over the year's DCs for all five lists: the distinct combinations are few.
    QSqlQuery q = Sql::exec(db, QStringLiteral("select distinct Transport, VehicleNo, TransFrom, TransTo, "
                                               "DeliveryPurpose from DcInv"));
    QSet<QString> seen[5];
    while (q.next())
        for (int c = 0; c < 5; ++c) {
            const QString t = q.value(c).toString().trimmed();
            if (!t.isEmpty()) seen[c].insert(t);
        }
    auto sorted = [](const QSet<QString>& set) {
        QStringList l(set.begin(), set.end());
        l.sort(Qt::CaseInsensitive);
        return l;
    };
    return {sorted(seen[0]), sorted(seen[1]), sorted(seen[2]), sorted(seen[3]), sorted(seen[4])};
}

QStringList particularsOf(QSqlDatabase& db, qint64 itemId) {
    return Sql::texts(db, QStringLiteral("select ProdName from ProductL where ItemId=? order by ProdName"), {itemId});
}

QString proposedParticulars(QSqlDatabase& db, qint64 itemId) {
    const QVariant last = Sql::scalar(
        db,
        QStringLiteral("select ProdName from ProductL where ProdId=(select max(ProdId) from ProductL where ItemId=?)"),
        {itemId});
    if (!last.isNull()) return last.toString();
    return Sql::scalar(db, QStringLiteral("select ItemName from Item where ItemId=?"), {itemId}).toString();
}

Figures figures(QSqlDatabase& db, const Context& c, qint64 itemId) {
    Figures f;
    f.stock = Stores::stockOf(db, itemId);
    if (c.stored && c.stored->storeIssId) f.stock += storedQtyOf(*c.stored, itemId);
    const qint64 poId = orderIdOf(db, c.custId, c.poNo);
    if (poId != 0) {
        f.poBalance = Sql::scalar(db, QStringLiteral("select sum(QtyToSend) from MfgPOSub where POId=? and ItemId=?"),
                                  {poId, itemId})
                          .toDouble();
        if (c.stored && c.stored->custId == c.custId && c.stored->poNo == c.poNo.trimmed())
            f.poBalance += storedQtyOf(*c.stored, itemId);
    }
    return f;
}

bool reducesStock(QSqlDatabase& db) {
    const auto s = Misc::load(db);
    return s && s->redStkM;
}

std::optional<Problem> validate(QSqlDatabase& db, const Dc& dc, bool adding, bool reduceStock, int dcMode) {
    auto field = [](const QString& text, const char* name, MsgIcon icon = MsgIcon::Critical) {
        return Problem{text, QString::fromLatin1(name), 0, 0, icon, std::nullopt};
    };
    if (dc.custId == 0) return field(QStringLiteral("Please Select a Customer"), "cmbCust");
    if (dc.dcNo.trimmed().isEmpty()) return field(QStringLiteral("Enter the DC Number "), "txtDCNo");
    if (adding && dc.poNo.trimmed().isEmpty() && !openOrders(db, dc.custId).isEmpty())
        return field(QStringLiteral("You have to select a PO Number from the list..."), "cmbPONo", MsgIcon::Question);

    QVector<QStringList> codes;
    for (const Line& l : dc.lines) codes << QStringList{QString(), l.itemCode};
    const QString dup =
        gridCheckMessage([&](Dialogs& d) { return clsProd::CheckDuplicateItems(LineCells(codes, 7), 1, d); });
    if (!dup.isEmpty()) return cellProblem(dup, 1, 1);

    if (dc.lines.isEmpty())
        return cellProblem(QStringLiteral("Please Enter the Item details by clicking the grid heading....."), 1, 1);
    QList<qint64> itemIds;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const Line& l = dc.lines[i];
        const int row = i + 1;
        if (l.itemCode.trimmed().isEmpty())
            return cellProblem(QStringLiteral("Enter Valid Item Code/Part No. for the SlNo.") + QString::number(row),
                               row, 1);
        const auto id = Items::idOfCode(db, l.itemCode.trimmed());
        if (!id)
            return cellProblem(QStringLiteral("Item Code/Part No. does not exist ... Press F5 Key to Add New Items!!!"),
                               row, 1);
        itemIds << *id;
        if (l.particulars.trimmed().isEmpty())
            return cellProblem(QStringLiteral("Enter Particulars for the SlNo. ") + QString::number(row), row, 2);
        if (l.qty <= 0) return cellProblem(QStringLiteral("Enter the Valid Qty  "), row, 3);
    }

    // The limits as the grid shows them, checked by the common routine.
    Context ctx{dc.custId, dc.poNo.trimmed(), adding ? std::nullopt : load(db, dc.id)};
    QVector<QStringList> rows;
    for (int i = 0; i < dc.lines.size(); ++i) {
        const Figures f = figures(db, ctx, itemIds[i]);
        rows << QStringList{QString::number(i + 1),   dc.lines[i].itemCode, dc.lines[i].particulars,
                            qtyText(dc.lines[i].qty), dc.lines[i].remark,   qtyText(f.stock),
                            qtyText(f.poBalance)};
    }
    auto limit = [&](int limitCol) -> std::optional<Problem> {
        const QString msg = gridCheckMessage(
            [&](Dialogs& d) { return clsProd::CheckQtyLimit(LineCells(rows, 7), limitCol, 3, false, d); });
        if (msg.isEmpty()) return std::nullopt;
        int row = 1;
        for (int r = 0; r < rows.size(); ++r)
            if (text::val(rows[r][3]) > text::val(rows[r][limitCol])) {
                row = r + 1;
                break;
            }
        return cellProblem(msg, row, 3);
    };
    if (!dc.poNo.trimmed().isEmpty())
        if (auto p = limit(6)) return p;
    // The stock bounds a changed DC too (its own issue counts as available): refused here with
    // the row, rather than by the stores when the issue is raised again.
    if (reduceStock)
        if (auto p = limit(5)) return p;

    if (auto p = duplicateNumber(db, dc.dcNo, dc.dcDate, adding ? 0 : dc.id, dcMode)) return p;
    return std::nullopt;
}

std::optional<Problem> duplicateNumber(QSqlDatabase& db, const QString& dcNo, const QDate& dcDate, qint64 exceptId,
                                       int dcMode) {
    const int y = clsProd::FinancialYearOf(dcDate);
    const QVariant from = Db::ts(QDateTime(QDate(y, 4, 1), QTime(0, 0)));
    const QVariant to = Db::ts(QDateTime(QDate(y + 1, 3, 31), QTime(23, 59)));
    const QString no = dcNo.trimmed();
    auto problem = [](const QString& t, MsgIcon icon) {
        return Problem{t, QStringLiteral("txtDCNo"), 0, 0, icon, std::nullopt};
    };
    if (Sql::any(db, QStringLiteral("select 1 from DcInv where DcNo=? and DcDateT between ? and ? and DcInvId<>?"),
                 {no, from, to, exceptId}))
        return problem(QStringLiteral(" A Record with same DC NO. already exists ..."), MsgIcon::Critical);
    // Sales and labour DCs share one book in modes 2 and 3, subcontract DCs join them in mode 3.
    if (dcMode >= 2 &&
        Sql::any(db, QStringLiteral("select 1 from DcOutgoingInv where DcNo=? and DcDateT between ? and ?"),
                 {no, from, to}))
        return problem(QStringLiteral(" A Record with Same DC NO. already made for SALES - Labour Work ."),
                       MsgIcon::Information);
    if (dcMode >= 3 &&
        Sql::any(db, QStringLiteral("select 1 from DcSubConOutgoing where DcNo=? and DcDateT between ? and ?"),
                 {no, from, to}))
        return problem(QStringLiteral(" A Record with Same DC NO. already made for SUB CONTRACT ."),
                       MsgIcon::Information);
    return std::nullopt;
}

std::optional<Problem> changeBlock(QSqlDatabase& db, qint64 id, bool deleting) {
    const auto d = load(db, id);
    if (!d) return std::nullopt;
    const QString w = deleting ? QStringLiteral("Deletion") : QStringLiteral("Modification");
    auto refuse = [](const QString& t) { return Problem{t, {}, 0, 0, MsgIcon::Critical, std::nullopt}; };
    if (invoiced(*d))
        return refuse(w + QStringLiteral(" not allowed with this DC NO: ") + d->dcNo +
                      QStringLiteral(", since Invoice is made already with this DC!!!"));
    double rej = 0;
    for (const Line& l : d->lines) rej += l.rejQty + l.rewQty;
    if (rej > 0)
        return refuse(w + QStringLiteral(" not allowed with this DC No: ") + d->dcNo +
                      QStringLiteral(", since Rejection and Rework Qty from Customer has been made!!!"));
    if (paidSomething(*d))
        return refuse(w + QStringLiteral(" not allowed with this DC No: ") + d->dcNo +
                      QStringLiteral(", since some Cash flow has been made in this regard!!!"));
    return std::nullopt;
}

std::optional<Problem> clickBlock(QSqlDatabase& db, qint64 id) {
    const auto d = load(db, id);
    if (!d) return std::nullopt;
    auto refuse = [](const QString& t) { return Problem{t, {}, 0, 0, MsgIcon::Critical, std::nullopt}; };
    if (invoiced(*d))
        return refuse(QStringLiteral("Modification not allowed with this DC NO: ") + d->dcNo +
                      QStringLiteral(", since Invoice is made already with this DC!!!"));
    if (paidSomething(*d))
        return refuse(QStringLiteral(
            "Modification not allowed with this DC, since some Cash Flow has been made in this regard!!!"));
    return std::nullopt;
}

QString modifyQuestion(const Dc& stored) {
    if (stored.invNo && !stored.invNo->trimmed().isEmpty())
        return QStringLiteral(
                   "CAUTION: Your Previous INVOICE Values with respect to this DCNO will be Made as ZERO !!!") +
               QStringLiteral("\n\n") + QStringLiteral("Are You Sure To Modify?");
    return QStringLiteral("Are You Sure To Modify?");
}

std::optional<QString> stockNotice(const Dc& stored) {
    if (stored.storeIssId) return std::nullopt;
    return QStringLiteral("While creating this record, Stock option was not Choosen...") + QLatin1Char('\n') +
           QStringLiteral(" So skipping UPDATING STOCK  for this Record....");
}

qint64 save(QSqlDatabase& db, const Dc& given, bool adding, bool reduceStock) {
    Dc dc = given;
    if (adding && Sql::any(db, QStringLiteral("select 1 from DcInv where DcInvId=?"), {dc.id})) dc.id = nextId(db);
    // Checked before the question; here it stops the same number saved meanwhile at another desk.
    if (const auto p = duplicateNumber(db, dc.dcNo, dc.dcDate, adding ? 0 : dc.id, 1)) throw Refused(p->text, p->field);
    std::optional<Dc> stored;
    if (!adding) {
        // Checked again inside the transaction: an invoice or a receipt made meanwhile wins.
        if (const auto p = changeBlock(db, dc.id, false)) throw Refused(p->text);
        stored = load(db, dc.id);
        if (!stored) throw Refused(QStringLiteral(" NO DC exists with this No."));
        giveBackOrder(db, *stored);
    }
    const QVariantList header{dc.custId,
                              dc.dcNo.trimmed(),
                              dateText(dc.dcDate),
                              dateValue(dc.dcDate),
                              Misc::stored(dc.poNo),
                              dc.poNo.trimmed().isEmpty() ? nullText() : QVariant(dateText(dc.poDate)),
                              dc.poNo.trimmed().isEmpty() ? nullText() : dateValue(dc.poDate),
                              Misc::stored(dc.transport),
                              Misc::stored(dc.vehicleNo),
                              Misc::stored(dc.transFrom),
                              Misc::stored(dc.transTo),
                              Misc::stored(dc.deliveryPurpose),
                              Misc::stored(dc.remark),
                              dc.signedReturned,
                              int(dc.lines.size()),
                              dc.id};
    if (adding)
        Sql::exec(db,
                  QStringLiteral("insert into DcInv (CustId, DcNo, DcDate, DcDateT, PONo, PODate, PODateT, Transport, "
                                 "VehicleNo, TransFrom, TransTo, DeliveryPurpose, DcRem, DcSign, NoOfItems, DcInvId, "
                                 "RejRem) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,' ')"),
                  header);
    else
        Sql::exec(db,
                  QStringLiteral("update DcInv set CustId=?, DcNo=?, DcDate=?, DcDateT=?, PONo=?, PODate=?, PODateT=?, "
                                 "Transport=?, VehicleNo=?, TransFrom=?, TransTo=?, DeliveryPurpose=?, DcRem=?, "
                                 "DcSign=?, NoOfItems=? where DcInvId=?"),
                  header);
    if (stored) {
        giveBackStock(db, *stored);
        Sql::exec(db, QStringLiteral("delete from DcInvSub where DcInvId=?"), {dc.id});
    }
    writeLines(db, dc, reduceStock);
    return dc.id;
}

void remove(QSqlDatabase& db, qint64 id) {
    if (const auto p = changeBlock(db, id, true)) throw Refused(p->text);
    const auto stored = load(db, id);
    if (!stored) return;
    giveBackOrder(db, *stored);
    giveBackStock(db, *stored);
    Sql::exec(db, QStringLiteral("delete from DcInvSub where DcInvId=?"), {id});
    Sql::exec(db, QStringLiteral("delete from DcInv where DcInvId=?"), {id});
}

Print::Document print(QSqlDatabase& db, qint64 id) {
    Print::Document doc{QStringLiteral("MFGDC"), QStringLiteral("MfgDC")};
    const auto d = load(db, id);
    if (!d) return doc;
    QSqlQuery c =
        Sql::exec(db,
                  QStringLiteral("select CustName, CustAddr, vendcode, VATRegNo, KSTNo, CSTNo from Customer where "
                                 "CustId=?"),
                  {d->custId});
    if (c.next()) {
        doc.fields[QStringLiteral("CustName")] = c.value(0).toString();
        doc.fields[QStringLiteral("CustAddr")] = c.value(1).toString().trimmed();
        doc.fields[QStringLiteral("VendorCode")] = QStringLiteral("Vendor Code: ") + c.value(2).toString().trimmed();
        doc.fields[QStringLiteral("PartyTIN")] = QStringLiteral("Party's TIN : ") + c.value(3).toString().trimmed();
        doc.fields[QStringLiteral("PartyKST")] = QStringLiteral("Party's KST : ") + c.value(4).toString().trimmed();
        doc.fields[QStringLiteral("PartyCST")] = QStringLiteral("Party's CST : ") + c.value(5).toString().trimmed();
    }
    const Misc::Settings s = Misc::load(db).value_or(Misc::Settings{});
    doc.fields[QStringLiteral("OurTIN")] = QStringLiteral("Our TIN : ") + s.myVATRegNo.trimmed();
    doc.fields[QStringLiteral("OurKST")] = QStringLiteral("Our KST : ") + s.myKST.trimmed();
    doc.fields[QStringLiteral("OurCST")] = QStringLiteral("Our CST : ") + s.myCST.trimmed();
    doc.fields[QStringLiteral("DCNo")] = d->dcNo;
    doc.fields[QStringLiteral("DCDate")] = dateText(d->dcDate);
    doc.fields[QStringLiteral("YourPO")] = d->poNo.isEmpty() ? QString()
                                                             : QStringLiteral(" Your PO No:  ") + d->poNo +
                                                                   QStringLiteral("    Dt. ") + dateText(d->poDate);
    QStringList transport;
    if (!d->transport.isEmpty()) transport << d->transport;
    if (!d->vehicleNo.isEmpty()) transport << QStringLiteral("Vehicle No: ") + d->vehicleNo;
    doc.fields[QStringLiteral("Transport")] = transport.join(QStringLiteral("  "));
    doc.fields[QStringLiteral("Remarks")] = d->remark;
    double total = 0;
    int sl = 0;
    for (const Line& l : d->lines) {
        const QString unit =
            Sql::scalar(db, QStringLiteral("select MeasureUnit from Item where ItemId=?"), {l.itemId}).toString();
        doc.lines.append({++sl, l.particulars, l.qty, unit, l.remark});
        total += l.qty;
    }
    doc.lastPage[QStringLiteral("TotalQty")] = total;
    return doc;
}

}  // namespace kavra::sales::Dcs
