#include "cash/Banks.h"

#include <QSqlQuery>

#include "core/Sql.h"

namespace kavra::Banks {

QList<qint64> ids(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select BankId from Banks order by BankId"));
}

QStringList names(QSqlDatabase& db) {
    return Sql::texts(db, QStringLiteral("select BankName from Banks order by BankName"));
}

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("Banks"), QStringLiteral("BankId"));
}

std::optional<Bank> load(QSqlDatabase& db, qint64 id) {
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select BankId, BankName, BankOPBal, IsDebit, CreditLimit from Banks where BankId=?"), {id});
    if (!q.next()) return std::nullopt;
    Bank b;
    Sql::readRow(q, b.id, Sql::trimmed(b.name), b.openingBalance, b.isDebit, b.creditLimit);
    return b;
}

std::optional<qint64> idOfName(QSqlDatabase& db, const QString& name) {
    const QVariant v = Sql::scalar(db, QStringLiteral("select BankId from Banks where BankName=?"), {name.trimmed()});
    if (!v.isValid() || v.isNull()) return std::nullopt;
    return v.toLongLong();
}

Check validate(QSqlDatabase& db, const Bank& b, bool adding) {
    if (b.name.trimmed().isEmpty())
        return Refusal::at(QStringLiteral("txtBankName"), QStringLiteral("Please enter the bank Name....."));
    // Names compare without regard to case (the column is kept so).
    if (Sql::any(db, QStringLiteral("select 1 from Banks where BankName=? and BankId<>?"),
                 {b.name.trimmed(), adding ? 0 : b.id}))
        return Refusal::at(QStringLiteral("txtBankName"), QStringLiteral("Bank Name Already Exists "));
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, const Bank& b, bool adding) {
    // Asked again inside the transaction: the same name saved meanwhile at another desk.
    enforce(validate(db, b, adding));
    qint64 id = b.id;
    const QVariantList values{b.name.trimmed(), b.openingBalance.toDb(), b.isDebit, b.creditLimit.toDb()};
    if (adding) {
        if (id <= 0 || Sql::any(db, QStringLiteral("select 1 from Banks where BankId=?"), {id}))
            id = Sql::nextId(db, QStringLiteral("Banks"), QStringLiteral("BankId"));
        Sql::exec(db,
                  QStringLiteral("insert into Banks (BankName, BankOPBal, IsDebit, CreditLimit, BankId) values "
                                 "(?,?,?,?,?)"),
                  values + QVariantList{id});
    } else {
        Sql::exec(db,
                  QStringLiteral("update Banks set BankName=?, BankOPBal=?, IsDebit=?, CreditLimit=? where BankId=?"),
                  values + QVariantList{id});
    }
    return id;
}

Check deleteBlock(QSqlDatabase& db, qint64 id) {
    if (Sql::any(db, QStringLiteral("select 1 from FundTrans where BankId=?"), {id}) ||
        Sql::any(db, QStringLiteral("select 1 from BankTrans where BankId=?"), {id}))
        return Refusal::message(QStringLiteral("Since, Some Transaction has been made in this Bank"));
    return std::nullopt;
}

void remove(QSqlDatabase& db, qint64 id) {
    enforce(deleteBlock(db, id));
    Sql::exec(db, QStringLiteral("delete from Banks where BankId=?"), {id});
}

}  // namespace kavra::Banks
