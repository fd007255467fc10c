#include "jobwork/LabourOrders.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "core/chain/Rows.h"
#include "jobwork/LabourKinds.h"

namespace kavra::jobwork::Orders {

namespace Engine = chain::Orders;
namespace Rows = chain::Rows;

std::optional<Order> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q =
        Sql::exec(db,
                  QStringLiteral("select CustId, PONo, PODateT, ValidFrom, ValidTo, payTerm, Remark, PurchVal, "
                                 "ReTrkRej, Cancl, POTallyR, POTally from LabPO where POId=?"),
                  {id});
    if (!q.next()) return std::nullopt;
    Order o;
    o.id = id;
    Sql::readRow(q, o.custId, Sql::trimmed(o.poNo), o.poDate, o.validFrom, o.validTo, Sql::trimmed(o.payTerm),
                 Sql::trimmed(o.remark), o.value, o.reTrkRej, o.cancelled, o.received, o.sent);
    q = QSqlQuery();
    const CustomerNumbers c = customerNumbers(db, o.custId);
    o.address = c.address;
    o.cst = c.cst;
    o.tin = c.tin;
    o.lines = Engine::lines(db, orderKind(), id);
    return o;
}

CustomerNumbers customerNumbers(QSqlDatabase& db, qint64 custId) {
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select CustAddr, CSTNo, VATRegNo from Customer where CustId=?"), {custId});
    CustomerNumbers c;
    if (q.next()) Sql::readRow(q, Sql::trimmed(c.address), Sql::trimmed(c.cst), Sql::trimmed(c.tin));
    return c;
}

bool reTrackByDefault(QSqlDatabase& db) {
    return Sql::any(db, QStringLiteral("select 1 from Misc where ReTrkRejLabourSale=?"), {true});
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
    more.set(QStringLiteral("ValidFrom"), Db::day(o.validFrom))
        .set(QStringLiteral("ValidTo"), Db::day(o.validTo))
        .set(QStringLiteral("payTerm"), Rows::optionalText(o.payTerm))
        .set(QStringLiteral("Remark"), Rows::optionalText(o.remark))
        .set(QStringLiteral("PurchVal"), o.value.toDb())
        .set(QStringLiteral("ReTrkRej"), o.reTrkRej);
    return Engine::Header{o.id, o.custId, o.poNo, o.poDate, more};
}

}  // namespace

Check validate(QSqlDatabase& db, const Order& o, bool adding) {
    auto field = [](const char* name, const QString& text) { return Refusal::at(QString::fromLatin1(name), text); };
    if (o.custId == 0) return field("cmbCust", QStringLiteral("Please Select a Customer....."));
    if (o.poNo.trimmed().isEmpty()) return field("txtPOno", QStringLiteral("Enter the Purchase Order Number..... "));
    if (o.address.trimmed().isEmpty()) return field("rtbAddr", QStringLiteral("Enter the Customer's Address ....."));
    if (o.value.isZero())
        return field("txtVal", QStringLiteral("Enter the Purchase Order Value!!! ") + QLatin1Char('\n') +
                                   QStringLiteral(" Double Click the box to obtain value from the system"));
    if (auto r = Engine::validateLines(db, orderKind(), o.id, adding, o.lines)) return r;
    if (!adding)
        if (auto r = Engine::reTrackBlock(db, orderKind(), o.id, o.reTrkRej)) return r;
    return Engine::duplicateNumber(db, orderKind(), headerOf(o), adding);
}

qint64 save(QSqlDatabase& db, const Order& o, bool adding) {
    // Asked again inside the write: an outgoing DC saved meanwhile fixes the flag.
    if (!adding) enforce(Engine::reTrackBlock(db, orderKind(), o.id, o.reTrkRej));
    const qint64 id = Engine::save(db, orderKind(), headerOf(o), o.lines, adding);
    Sql::exec(db, QStringLiteral("update Customer set CustAddr=?, CSTNo=?, VATRegNo=? where CustId=?"),
              {o.address.trimmed(), Rows::optionalText(o.cst), Rows::optionalText(o.tin), o.custId});
    return id;
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    return Engine::deleteBlock(db, orderKind(), id);
}

}  // namespace kavra::jobwork::Orders
