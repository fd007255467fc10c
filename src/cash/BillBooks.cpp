#include "cash/BillBooks.h"

#include <QSet>
#include <QSqlQuery>

#include "core/Refusal.h"
#include "core/Sql.h"

namespace kavra::BillBooks {

std::optional<Book> forIncomeHead(int head) {
    const QString over = QStringLiteral("Enter the Amount Lesser than / Equal to the Bill Value");
    switch (head) {
        case 1:
            return Book{QStringLiteral("DcInv"), QStringLiteral("CustId"), QStringLiteral("DcInvId"), true, true, over};
        case 2:
            return Book{
                QStringLiteral("DcOutgoingInv"), QStringLiteral("CustId"), QStringLiteral("DcId"), true, true, over};
        case 3:
            return Book{
                QStringLiteral("InvoiceServOut"), QStringLiteral("CustId"), QStringLiteral("DcId"), false, false, over};
        default:
            return std::nullopt;
    }
}

std::optional<Book> forExpenseHead(int head) {
    const QString over = QStringLiteral("Enter the Amount Lesser than / Equal to the Bill Value");
    switch (head) {
        case 3:
            return Book{
                QStringLiteral("Purchase"), QStringLiteral("VendorCode"), QStringLiteral("PurchId"), true, true, over};
        case 4:
            return Book{
                QStringLiteral("DcSubConIncoming"), QStringLiteral("SuppId"), QStringLiteral("DcId"), true, true, over};
        case 5:
            return Book{QStringLiteral("InvoiceServIn"),
                        QStringLiteral("VendorCode"),
                        QStringLiteral("DcId"),
                        false,
                        false,
                        over};
        default:
            return std::nullopt;
    }
}

namespace {

// One row per invoice: the row with the highest key among its rows.
QString invoiceRows(const Book& b) {
    if (!b.manyRows) return QStringLiteral("select InvNo, Balance from %1 where %2=?").arg(b.table, b.party);
    return QStringLiteral(
               "select InvNo, Balance from %1 where %2 in (select max(%2) from %1 where %3=? and InvNo is "
               "not null and InvNo<>'Nil' group by InvNo)")
        .arg(b.table, b.rowKey, b.party);
}

}  // namespace

QList<OpenBill> openBills(QSqlDatabase& db, const Book& b, qint64 party) {
    QList<OpenBill> out;
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select t.InvNo, t.Balance from (%1) t where t.Balance>0 order by "
                                           "t.InvNo")
                                .arg(invoiceRows(b)),
                            {party});
    while (q.next()) out.append({q.value(0).toString().trimmed(), Money::fromDb(q.value(1))});
    return out;
}

Money outstanding(QSqlDatabase& db, const Book& b, qint64 party) {
    return Money::fromDb(
        Sql::scalar(db, QStringLiteral("select sum(t.Balance) from (%1) t").arg(invoiceRows(b)), {party}));
}

std::optional<Money> balanceOf(QSqlDatabase& db, const Book& b, qint64 party, const QString& invNo) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select Balance from %1 where %2=? and InvNo=? order by %3 desc")
                                .arg(b.table, b.party, b.rowKey),
                            {party, invNo.trimmed()});
    if (!q.next()) return std::nullopt;
    return Money::fromDb(q.value(0));
}

QHash<QString, Money> balances(QSqlDatabase& db, const Book& b, qint64 party) {
    QHash<QString, Money> out;
    QSqlQuery q = Sql::exec(db, invoiceRows(b), {party});
    while (q.next()) out.insert(q.value(0).toString().trimmed(), Money::fromDb(q.value(1)));
    return out;
}

QList<Applied> spread(Money amount, const QList<OpenBill>& bills) {
    QList<Applied> out;
    for (const OpenBill& b : bills) {
        if (amount <= Money()) break;
        const Money take = b.balance >= amount ? amount : b.balance;
        out.append({b.invNo, take});
        amount -= take;
    }
    return out;
}

void settle(QSqlDatabase& db, const Book& b, qint64 party, const QString& invNo, Money amount) {
    // One statement for every row of the invoice; on a guarded book only while the balance
    // still covers the amount, so two desks can never take it below nothing.
    const QString guard = b.guarded && amount > Money() ? QStringLiteral(" and Balance>=?") : QString();
    QVariantList params{amount.toDb(), party, invNo.trimmed()};
    if (!guard.isEmpty()) params << amount.toDb();
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("update %1 set Balance=Balance-? where %2=? and InvNo=?%3").arg(b.table, b.party, guard),
        params);
    if (q.numRowsAffected() <= 0) throw Refused(Refusal::message(b.overdrawn));
}

void settleAll(QSqlDatabase& db, const Book& b, qint64 party, const QList<Applied>& amounts) {
    constexpr int kPerStatement = 100;
    for (int from = 0; from < amounts.size(); from += kPerStatement) {
        const QList<Applied> part = amounts.mid(from, kPerStatement);
        QStringList cases, marks;
        QVariantList caseParams, inParams;
        QSet<QString> numbers;
        bool taking = false;
        for (const Applied& a : part) {
            cases << QStringLiteral("when ? then cast(? as bigint)");
            caseParams << a.invNo.trimmed() << a.amount.toDb();
            marks << QStringLiteral("?");
            inParams << a.invNo.trimmed();
            numbers << a.invNo.trimmed();
            taking = taking || a.amount > Money();
        }
        if (numbers.size() != part.size()) {  // one invoice twice: its amounts add up
            for (const Applied& a : part) settle(db, b, party, a.invNo, a.amount);
            continue;
        }
        const QString where = QStringLiteral("%1=? and InvNo in (%2)").arg(b.party, marks.join(QLatin1Char(',')));
        Sql::exec(db,
                  QStringLiteral("update %1 set Balance=Balance-(case InvNo %2 end) where %3")
                      .arg(b.table, cases.join(QLatin1Char(' ')), where),
                  caseParams + QVariantList{party} + inParams);
        // Every invoice found, and on a guarded book none taken below nothing.
        const qint64 found =
            Sql::scalar(db, QStringLiteral("select count(distinct InvNo) from %1 where %2").arg(b.table, where),
                        QVariantList{party} + inParams)
                .toLongLong();
        const bool overdrawn =
            b.guarded && taking &&
            Sql::any(db, QStringLiteral("select 1 from %1 where %2 and Balance<0").arg(b.table, where),
                     QVariantList{party} + inParams);
        if (found != part.size() || overdrawn) throw Refused(Refusal::message(b.overdrawn));
    }
}

}  // namespace kavra::BillBooks
