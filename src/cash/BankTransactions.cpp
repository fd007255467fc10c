#include "cash/BankTransactions.h"

#include <QSqlQuery>

#include "core/Db.h"
#include "core/Sql.h"

namespace kavra::BankTransactions {

namespace {

QVariant textOrSpace(const QString& t) {
    return t.trimmed().isEmpty() ? QStringLiteral(" ") : t.trimmed();
}

void insertRow(QSqlDatabase& db, const Transaction& t, qint64 bank, Money dept, Money draw, bool hidden) {
    const bool transfer = t.kind == Kind::Transfer;
    Sql::exec(db,
              QStringLiteral("insert into BankTrans (TransId, BankId, DateT, DeptAmt, DrawAmt, CHNo, CHDate, Descr, "
                             "IsHiddenTrans, Id) values (?, ?, ?, ?, ?, ?, ?, ?, ?, 0)"),
              {t.transId, bank, Db::day(t.date), dept.toDb(), draw.toDb(),
               transfer ? textOrSpace(t.chNo) : QVariant(QStringLiteral(" ")),
               transfer && t.chDate.isValid() ? Db::day(t.chDate) : QVariant(), textOrSpace(t.desc), hidden});
}

}  // namespace

QList<qint64> numbers(QSqlDatabase& db) {
    return Sql::ids(db, QStringLiteral("select TransId from BankTrans where IsHiddenTrans=? and Id=0 order by TransId"),
                    {false});
}

QVariant stamp(QSqlDatabase& db) {
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select count(*), max(TransId) from BankTrans where IsHiddenTrans=? and Id=0"), {false});
    return q.next() ? QVariant(QVariantList{q.value(0), q.value(1)}) : QVariant();
}

qint64 proposedNumber(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("BankTrans"), QStringLiteral("TransId"));
}

std::optional<Transaction> load(QSqlDatabase& db, qint64 transId) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select BankId, DateT, DeptAmt, DrawAmt, CHNo, CHDate, Descr, IsHiddenTrans "
                                           "from BankTrans where Id=0 and TransId=? order by IsHiddenTrans"),
                            {transId});
    std::optional<Transaction> t;
    while (q.next()) {
        qint64 bank = 0;
        QDate date, chDate;
        Money dept, draw;
        QString chNo, desc;
        bool hidden = false;
        Sql::readRow(q, bank, date, dept, draw, Sql::trimmed(chNo), chDate, Sql::trimmed(desc), hidden);
        if (hidden) {
            // The receiving side of a transfer; the shown row came first.
            if (!t) t = Transaction{transId, date};
            t->kind = Kind::Transfer;
            t->toBankId = bank;
            continue;
        }
        t = Transaction{transId, date};
        t->bankId = bank;
        t->kind = dept > Money() ? Kind::Deposit : Kind::Withdrawal;
        t->amount = dept > Money() ? dept : draw;
        t->chNo = chNo;
        t->chDate = chDate;
        t->desc = desc;
    }
    if (t && t->kind == Kind::Transfer) {
        t->chNo = t->chNo.trimmed();
    } else if (t) {
        t->chNo.clear();
        t->chDate = QDate();
    }
    return t;
}

Check validate(const Transaction& t) {
    if (t.kind != Kind::Transfer) {
        if (t.bankId <= 0) return Refusal::at(QStringLiteral("cmbBank"), QStringLiteral("Please Select a Bank"));
        if (t.amount <= Money())
            return Refusal::at(QStringLiteral("txtAmount"), QStringLiteral("Please Enter the Amount"));
        return std::nullopt;
    }
    if (t.bankId <= 0) return Refusal::at(QStringLiteral("cmbFrom"), QStringLiteral("Please Select a \"From Bank\" "));
    if (t.toBankId <= 0) return Refusal::at(QStringLiteral("cmbTo"), QStringLiteral("Please Select a \"To Bank\" "));
    if (t.bankId == t.toBankId)
        return Refusal::at(QStringLiteral("cmbTo"),
                           QStringLiteral("'From Bank' and 'To Bank' are Same...\nIt should  be Different"));
    if (t.amount <= Money())
        return Refusal::at(QStringLiteral("txtTransAmount"), QStringLiteral("Please Enter the Amount"));
    const bool no = !t.chNo.trimmed().isEmpty(), date = t.chDate.isValid();
    if (date && !no) return Refusal::at(QStringLiteral("txtChNo"), QStringLiteral("Please enter the cheque number..."));
    if (no && !date) return Refusal::at(QStringLiteral("DTPCHDate"), QStringLiteral("Please enter the cheque Date..."));
    return std::nullopt;
}

qint64 save(QSqlDatabase& db, Transaction t, bool adding) {
    enforce(validate(t));
    // The banks may have gone at another desk since they were listed.
    for (qint64 bank : {t.bankId, t.kind == Kind::Transfer ? t.toBankId : t.bankId})
        if (!Sql::any(db, QStringLiteral("select 1 from Banks where BankId=?"), {bank}))
            throw Refused(QStringLiteral("Please Select a Bank"),
                          t.kind == Kind::Transfer ? QStringLiteral("cmbFrom") : QStringLiteral("cmbBank"));
    if (adding) {
        if (t.transId <= 0 || Sql::any(db, QStringLiteral("select 1 from BankTrans where TransId=?"), {t.transId}))
            t.transId = Sql::nextId(db, QStringLiteral("BankTrans"), QStringLiteral("TransId"));
    } else {
        Sql::exec(db, QStringLiteral("delete from BankTrans where Id=0 and TransId=?"), {t.transId});
    }
    switch (t.kind) {
        case Kind::Deposit:
            insertRow(db, t, t.bankId, t.amount, Money(), false);
            break;
        case Kind::Withdrawal:
            insertRow(db, t, t.bankId, Money(), t.amount, false);
            break;
        case Kind::Transfer:
            insertRow(db, t, t.bankId, Money(), t.amount, false);
            insertRow(db, t, t.toBankId, t.amount, Money(), true);
            break;
    }
    return t.transId;
}

void remove(QSqlDatabase& db, qint64 transId) {
    Sql::exec(db, QStringLiteral("delete from BankTrans where Id=0 and TransId=?"), {transId});
}

}  // namespace kavra::BankTransactions
