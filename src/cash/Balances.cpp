#include "cash/Balances.h"

#include <QHash>
#include <QSqlQuery>

#include "core/Sql.h"

namespace kavra::Balances {

namespace {

// Ledger kinds and sides.
constexpr int kPayment = 1, kReceipt = 2, kAdjustment = 3;
constexpr int kBank = 1, kCash = 2;

// What one ledger group does to the balance of its side: payments and refunds of
// advances received take money out, receipts and refunds of advances paid bring it in.
int sign(int kind, bool isExpense) {
    if (kind == kPayment) return -1;
    if (kind == kReceipt) return 1;
    if (kind == kAdjustment) return isExpense ? 1 : -1;
    return 0;
}

}  // namespace

Panel cashAndBanks(QSqlDatabase& db) {
    Panel p;
    QHash<qint64, qint64> bank;  // paise by bank
    qint64 cash = 0;
    // Grouped exactly as the ledger's money index is ordered, so the sums stream from it.
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("select P_R_A, P_R_A_SRC_DST, IsExpense, BankId, sum(Amt) from FundTrans "
                                     "group by P_R_A, P_R_A_SRC_DST, IsExpense, BankId"));
    while (q.next()) {
        const qint64 amt = q.value(4).toLongLong() * sign(q.value(0).toInt(), q.value(2).toBool());
        const int side = q.value(1).toInt();
        if (side == kCash)
            cash += amt;
        else if (side == kBank)
            bank[q.value(3).toLongLong()] += amt;
    }
    // The bank screen's own movements: a deposit takes cash into the bank, a withdrawal the
    // other way; both rows of a transfer move only the banks.
    q = Sql::exec(
        db,
        QStringLiteral("select t.BankId, sum(t.DeptAmt), sum(t.DrawAmt), t.Hidden from (select b.BankId, "
                       "b.DeptAmt, b.DrawAmt, case when h.TransId is null then 0 else 1 end as Hidden from "
                       "BankTrans b left join (select distinct TransId from BankTrans where Id=0 and "
                       "IsHiddenTrans=?) h on h.TransId=b.TransId where b.Id=0) t group by t.BankId, t.Hidden"),
        {true});
    while (q.next()) {
        const qint64 dept = q.value(1).toLongLong(), draw = q.value(2).toLongLong();
        bank[q.value(0).toLongLong()] += dept - draw;
        if (q.value(3).toInt() == 0) cash += draw - dept;
    }
    cash += Sql::scalar(db, QStringLiteral("select OpenBal from Misc")).toLongLong();
    p.cash = Money::fromPaise(cash);
    q = Sql::exec(db, QStringLiteral("select BankId, BankName, BankOPBal, IsDebit, CreditLimit from Banks order by "
                                     "BankName, BankId"));
    while (q.next()) {
        BankBalance b;
        b.bankId = q.value(0).toLongLong();
        b.name = q.value(1).toString().trimmed();
        const qint64 opening = q.value(2).toLongLong();
        b.balance = Money::fromPaise(bank.value(b.bankId) + (q.value(3).toBool() ? -opening : opening));
        b.creditLimit = Money::fromDb(q.value(4));
        p.banks << b;
    }
    return p;
}

QString panelText(Money m) {
    const Money abs = m < Money() ? -m : m;
    return abs.toString() + (m < Money() ? QStringLiteral(" (-)") : QStringLiteral(" (+)"));
}

}  // namespace kavra::Balances
