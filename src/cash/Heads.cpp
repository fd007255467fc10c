#include "cash/Heads.h"

#include <QSqlQuery>

#include "core/Sql.h"
#include "masters/Misc.h"

namespace kavra::Heads {

const Kind& income() {
    static const Kind k{QStringLiteral("frmIncome"),
                        QStringLiteral("Income"),
                        QStringLiteral("IncomeCode"),
                        QStringLiteral("IncomeName"),
                        QStringLiteral("IncomeDesc"),
                        false,
                        3,
                        QStringLiteral("You are about to ADD a NEW Income Head Now..."),
                        QStringLiteral("You are about to MODIFY the existing Income Head Now..."),
                        QStringLiteral("You are about to DELETE the existing Income Head now..."),
                        QStringLiteral("Please Enter the  Name....."),
                        QStringLiteral("This record cannot be Modified !!!"),
                        QStringLiteral("Can't Delete this Income. Since this record is used for Automatic Updations "
                                       "of CASH FLOW!!!"),
                        QStringLiteral("This record cannot be deleted, Since this Expense Heading is being used in "
                                       "'Receipts Screen' !!!"),
                        QStringLiteral(" Records Deleted ."),
                        QStringLiteral("Income Heads"),
                        QStringLiteral("txtIncomeCode"),
                        QStringLiteral("Income Code"),
                        QStringLiteral("txtInName"),
                        QStringLiteral("Income  Name"),
                        QStringLiteral("txtInDesc"),
                        QStringLiteral("Income Type"),
                        QStringLiteral("List of Available Income Heads:")};
    return k;
}

const Kind& expense() {
    static const Kind k{QStringLiteral("frmExpense"),
                        QStringLiteral("Expense"),
                        QStringLiteral("ExpenseCode"),
                        QStringLiteral("ExpenseName"),
                        QStringLiteral("ExpenseDesc"),
                        true,
                        5,
                        QStringLiteral("You are about to ADD a NEW Expense Head Now..."),
                        QStringLiteral("You are about to MODIFY the existing Expense Head Now..."),
                        QStringLiteral("You are about to DELETE the existing Expense Head now..."),
                        QStringLiteral("Please Enter the Expense Name....."),
                        QStringLiteral("This record cannot be Modified!!!"),
                        QStringLiteral("Can't Delete this Expense. Since this record is used for Automatic Updations "
                                       "of CASH FLOW!!!"),
                        QStringLiteral("This record cannot be deleted, Since this Expense Head is being used in "
                                       "'Payments Screen' !!!"),
                        QStringLiteral("Records Deleted ."),
                        QStringLiteral("Expense Heads"),
                        QStringLiteral("txtExpenseCode"),
                        QStringLiteral("Expense Code"),
                        QStringLiteral("txtExpenseName"),
                        QStringLiteral("Expense Name"),
                        QStringLiteral("txtExpenseDesc"),
                        QStringLiteral("Expense Type"),
                        QStringLiteral("List of Available Expense Heads:")};
    return k;
}

QList<qint64> ids(QSqlDatabase& db, const Kind& k) {
    return Sql::ids(db, QStringLiteral("select %1 from %2 where %1>? order by %1").arg(k.code, k.table), {k.reserved});
}

QStringList names(QSqlDatabase& db, const Kind& k) {
    return Sql::texts(db, QStringLiteral("select %1 from %2 where %3>? order by %1").arg(k.name, k.table, k.code),
                      {k.reserved});
}

qint64 proposedId(QSqlDatabase& db, const Kind& k) {
    return std::max<qint64>(Sql::proposedId(db, k.table, k.code), k.reserved + 1);
}

std::optional<Head> load(QSqlDatabase& db, const Kind& k, qint64 code) {
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select %1, %2, %3, IsDirect from %4 where %1=?").arg(k.code, k.name, k.desc, k.table),
        {code});
    if (!q.next()) return std::nullopt;
    Head h;
    Sql::readRow(q, h.code, Sql::trimmed(h.name), Sql::trimmed(h.desc), h.direct);
    return h;
}

std::optional<qint64> codeOfName(QSqlDatabase& db, const Kind& k, const QString& name) {
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select %1 from %2 where %3=? and %1>?").arg(k.code, k.table, k.name),
                    {name.trimmed(), k.reserved});
    if (!v.isValid() || v.isNull()) return std::nullopt;
    return v.toLongLong();
}

Check modifyBlock(const Kind& k, qint64 code) {
    if (code >= 1 && code <= k.reserved) return Refusal::message(k.modifyRefused);
    return std::nullopt;
}

Check validate(QSqlDatabase& db, const Kind& k, const Head& h, bool adding) {
    if (!adding)
        if (auto r = modifyBlock(k, h.code)) return r;
    if (h.name.trimmed().isEmpty()) return Refusal::at(k.nameField, k.enterName);
    // Names compare without regard to case (the column is kept so), reserved heads included.
    if (Sql::any(db, QStringLiteral("select 1 from %1 where %2=? and %3<>?").arg(k.table, k.name, k.code),
                 {h.name.trimmed(), adding ? 0 : h.code}))
        return Refusal::at(k.nameField, QStringLiteral("An Entry Already Exists...Try Another!"));
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Kind& k, const Head& h, bool adding) {
    // Asked again inside the transaction: the same name saved meanwhile at another desk.
    enforce(validate(db, k, h, adding));
    qint64 code = h.code;
    if (adding) {
        // The proposed code taken meanwhile at another desk: the next free one.
        if (code <= k.reserved ||
            Sql::any(db, QStringLiteral("select 1 from %1 where %2=?").arg(k.table, k.code), {code}))
            code = proposedId(db, k);
        Sql::exec(db,
                  QStringLiteral("insert into %1 (%2, %3, IsDirect, %4) values (?,?,?,?)")
                      .arg(k.table, k.name, k.desc, k.code),
                  {h.name.trimmed(), Misc::stored(h.desc), h.direct, code});
    } else {
        Sql::exec(
            db, QStringLiteral("update %1 set %2=?, %3=?, IsDirect=? where %4=?").arg(k.table, k.name, k.desc, k.code),
            {h.name.trimmed(), Misc::stored(h.desc), h.direct, code});
    }
    return code;
}

Check deleteBlock(QSqlDatabase& db, const Kind& k, qint64 code) {
    if (code >= 1 && code <= k.reserved) return Refusal::message(k.deleteReserved);
    if (Sql::any(db, QStringLiteral("select 1 from FundTrans where IsExpense=? and ExpIncId=?"), {k.isExpense, code}))
        return Refusal::message(k.deleteUsed);
    return std::nullopt;
}

void remove(QSqlDatabase& db, const Kind& k, qint64 code) {
    // Asked again inside the transaction: an entry booked under it meanwhile keeps it.
    enforce(deleteBlock(db, k, code));
    Sql::exec(db, QStringLiteral("delete from %1 where %2=?").arg(k.table, k.code), {code});
}

}  // namespace kavra::Heads
