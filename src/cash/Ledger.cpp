#include "cash/Ledger.h"

#include <QSqlQuery>

#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Sql.h"

namespace kavra::Ledger {

const Side& receipts() {
    static const Side s = [] {
        Side s;
        s.screen = QStringLiteral("frmReceipts");
        s.kind = 2;
        s.isExpense = false;
        s.heads = &Heads::income();
        s.headGroups = {3};
        s.rule = [](qint64 head) -> std::optional<HeadRule> {
            if (head < 1 || head > 3) return std::nullopt;
            return HeadRule{QStringLiteral("Customer"),
                            QStringLiteral("CustId"),
                            QStringLiteral("CustName"),
                            QString(),
                            QStringLiteral("Customer does not exists "),
                            BillBooks::forIncomeHead(int(head)),
                            true};
        };
        s.advanceType = 5;
        s.advancesPooledAbove = 2;
        s.types = {{kAutomatic, QStringLiteral("Automatic Selection")},
                   {kManual, QStringLiteral("Manual Selection")},
                   {kOpening, QStringLiteral("Opening Balance")},
                   {5, QStringLiteral("Receive - Advance")}};
        s.noun = QStringLiteral("Receipt");
        s.fldHead = QStringLiteral("txtIncType");
        s.fldParty = QStringLiteral("txtFromWhom");
        s.fldType = QStringLiteral("txtRecpType");
        s.fldAmount = QStringLiteral("txtAmount");
        s.fldDesc = QStringLiteral("txtDesc");
        s.enterHead = QStringLiteral("Please Enter the Income Type...");
        s.enterParty = QStringLiteral("Please Enter the \"Pay From\" Whom?");
        s.typeForBills = QStringLiteral(
            "Please Enter a Valid Receipt Type Receive - Advance / Automatic Selection / Manual Selection / Opening "
            "Balance");
        s.typeForOthers = QStringLiteral("Please Enter a Valid Receipt Type Automatic Selection / Receive - Advance");
        return s;
    }();
    return s;
}

const Side& payments() {
    static const Side s = [] {
        Side s;
        s.screen = QStringLiteral("frmPayments");
        s.kind = 1;
        s.isExpense = true;
        s.heads = &Heads::expense();
        s.headGroups = {2, 5};
        s.rule = [](qint64 head) -> std::optional<HeadRule> {
            if (head == 1 || head == 2)
                // Staff are paid as they are named; the salary screen sums the name under head 2.
                return HeadRule{QStringLiteral("Staff"),
                                QStringLiteral("StaffId"),
                                QStringLiteral("StaffName"),
                                QStringLiteral("StatusC=TRUE"),
                                QStringLiteral("Staff does not exists "),
                                std::nullopt,
                                false,
                                {kAutomatic},
                                QStringLiteral("Please Enter a Valid Pay Type Automatic Selection")};
            if (head == 4)
                return HeadRule{QStringLiteral("Supplier"),
                                QStringLiteral("SuppId"),
                                QStringLiteral("SuppName"),
                                QString(),
                                QStringLiteral("Supplier does not exists "),
                                BillBooks::forExpenseHead(4),
                                true,
                                {},
                                QString()};
            if (head == 3 || head == 5)
                return HeadRule{QStringLiteral("Vendor"),
                                QStringLiteral("VendorCode"),
                                QStringLiteral("VendorName"),
                                QString(),
                                QStringLiteral("Vendor does not exists "),
                                BillBooks::forExpenseHead(int(head)),
                                true,
                                {},
                                QString()};
            return std::nullopt;
        };
        s.advanceType = 4;
        s.types = {{kAutomatic, QStringLiteral("Automatic Selection")},
                   {kManual, QStringLiteral("Manual Selection")},
                   {kOpening, QStringLiteral("Opening Balance")},
                   {4, QStringLiteral("Pay - Advance")}};
        s.noun = QStringLiteral("Payment");
        s.numberTyped = true;
        s.fldNumber = QStringLiteral("txtPayId");
        s.numberTaken = QStringLiteral(" A Record with same Payment No. already exists ...");
        s.enterNumber = QStringLiteral("Please Enter the Payment No...");
        s.fldHead = QStringLiteral("txtExpType");
        s.fldParty = QStringLiteral("txtToWhom");
        s.fldType = QStringLiteral("txtPayType");
        s.fldAmount = QStringLiteral("txtAmount");
        s.fldDesc = QStringLiteral("txtDesc");
        s.enterHead = QStringLiteral("Please Enter the Expense Type...");
        s.enterParty = QStringLiteral("Please Enter the \"Pay To\" Whom?");
        s.typeForBills = QStringLiteral(
            "Please Enter a Valid Pay Type Pay - Advance / Automatic Selection / Manual Selection / Opening Balance");
        s.typeForOthers = QStringLiteral("Please Enter a Valid Pay Type Automatic Selection / Pay - Advance");
        s.totalOver = QStringLiteral("Enter the Amount Lesser \\ Equal to the total Bill Values");
        s.openingOver = QStringLiteral("Enter the Amount Lesser \\ Equal to Opening Balance");
        return s;
    }();
    return s;
}

// ---- Types.

int typeCode(const Side& s, const QString& text) {
    const QString t = text.trimmed();
    for (const TypeText& x : s.types)
        if (x.text.compare(t, Qt::CaseInsensitive) == 0) return x.code;
    return 0;
}

QString typeText(const Side& s, int code) {
    for (const TypeText& x : s.types)
        if (x.code == code) return x.text;
    return {};
}

QList<TypeText> typesFor(const Side& s, qint64 head) {
    const auto r = s.rule(head);
    if (r && r->types.isEmpty()) return s.types;
    const QList<int> codes = r ? r->types : QList<int>{kAutomatic, s.advanceType};
    QList<TypeText> out;
    for (const TypeText& x : s.types)
        if (codes.contains(x.code)) out << x;
    return out;
}

bool settlesBills(const Side& s, qint64 head, int type) {
    if (type != kAutomatic && type != kManual) return false;
    const auto r = s.rule(head);
    return r && r->book;
}

// ---- Pick lists.

namespace {

// A party name compared as renames compare it: trimmed, in any case.
const QString kPartyIs = QStringLiteral("lower(trim(PartyName))=lower(?)");

}  // namespace

QString sideWhere(const Side& s) {
    return QStringLiteral("P_R_A=%1 and IsExpense=%2").arg(s.kind).arg(s.isExpense ? "TRUE" : "FALSE");
}

QList<Pick> headList(QSqlDatabase& db, const Side& s) {
    const Heads::Kind& k = *s.heads;
    QList<Pick> out;
    QString groups;
    QVariantList bounds;
    for (int i = 0; i < s.headGroups.size(); ++i) {
        groups += QStringLiteral(" when %1<=? then %2").arg(k.code).arg(i + 1);
        bounds << s.headGroups[i];
    }
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select %1, %2, case%3 else %4 end as Grp from %5 order by Grp, %2")
                                .arg(k.code, k.name, groups)
                                .arg(s.headGroups.size() + 1)
                                .arg(k.table),
                            bounds);
    while (q.next()) out.append({q.value(0).toLongLong(), q.value(1).toString().trimmed()});
    return out;
}

std::optional<qint64> headOfName(QSqlDatabase& db, const Side& s, const QString& name) {
    const Heads::Kind& k = *s.heads;
    const QVariant v =
        Sql::scalar(db, QStringLiteral("select %1 from %2 where lower(trim(%3))=lower(?)").arg(k.code, k.table, k.name),
                    {name.trimmed()});
    if (!v.isValid()) return std::nullopt;
    return v.toLongLong();
}

QString headName(QSqlDatabase& db, const Side& s, qint64 head) {
    const Heads::Kind& k = *s.heads;
    return Sql::scalar(db, QStringLiteral("select %1 from %2 where %3=?").arg(k.name, k.table, k.code), {head})
        .toString()
        .trimmed();
}

QList<Pick> partyList(QSqlDatabase& db, const Side& s, qint64 head) {
    QList<Pick> out;
    if (const auto r = s.rule(head)) {
        QSqlQuery q = Sql::exec(db, QStringLiteral("select %1, %2 from %3%4 order by %2, %1")
                                        .arg(r->partyKey, r->partyName, r->partyTable,
                                             r->partyFilter.isEmpty() ? QString() : " where " + r->partyFilter));
        while (q.next()) out.append({q.value(0).toLongLong(), q.value(1).toString().trimmed()});
        return out;
    }
    QSqlQuery q =
        Sql::exec(db,
                  QStringLiteral("select distinct trim(PartyName) as P from FundTrans where %1 and ExpIncId=? "
                                 "and PartyName is not null order by P")
                      .arg(sideWhere(s)),
                  {head});
    while (q.next()) out.append({0, q.value(0).toString()});
    return out;
}

std::optional<qint64> partyId(QSqlDatabase& db, const HeadRule& r, const QString& name) {
    const QVariant v = Sql::scalar(
        db,
        QStringLiteral("select %1 from %2 where lower(trim(%3))=lower(?)%4")
            .arg(r.partyKey, r.partyTable, r.partyName, r.partyFilter.isEmpty() ? QString() : " and " + r.partyFilter),
        {name.trimmed()});
    if (!v.isValid()) return std::nullopt;
    return v.toLongLong();
}

// ---- Balance details.

Details details(QSqlDatabase& db, const Side& s, qint64 head, const QString& party) {
    Details d;
    const QString name = party.trimmed();
    const auto r = s.rule(head);
    d.reserved = r && (r->book || r->openBalance);
    const bool pooled = !r && s.advancesPooledAbove > 0;
    d.advance = Money::fromDb(Sql::scalar(
        db,
        QStringLiteral("select sum(AmtBal) from FundTrans where %1 and %2 and %3")
            .arg(kPartyIs, sideWhere(s), pooled ? QStringLiteral("ExpIncId>?") : QStringLiteral("ExpIncId=?")),
        {name, pooled ? s.advancesPooledAbove : head}));
    if (!r) return d;
    if (r->openBalance)
        d.opening = Money::fromDb(Sql::scalar(db,
                                              QStringLiteral("select sum(OpenBalPndg) from %1 where lower(trim(%2))="
                                                             "lower(?)")
                                                  .arg(r->partyTable, r->partyName),
                                              {name}));
    if (r->book) {
        if (const auto id = partyId(db, *r, name)) {
            d.open = BillBooks::openBills(db, *r->book, *id);
            for (const BillBooks::OpenBill& b : d.open) d.allBills += b.balance;
        }
    }
    return d;
}

Money proposedAmount(const Side& s, const Details& d, int type) {
    if (type == kAutomatic || type == kManual) return d.allBills;
    if (type == kOpening) return d.opening;
    if (type == s.advanceType) return d.advance;
    return {};
}

QList<Row> automaticRows(QSqlDatabase& db, const Side& s, qint64 head, const QString& party, Money amount) {
    const auto r = s.rule(head);
    if (!r || !r->book) return {};
    const auto id = partyId(db, *r, party);
    if (!id) return {};
    QList<Row> out;
    for (const BillBooks::Applied& a : BillBooks::spread(amount, BillBooks::openBills(db, *r->book, *id)))
        out.append({a.invNo, a.amount});
    return out;
}

QString amountInWords(Money m) {
    if (m < Money()) m = -m;
    if (m.isZero()) return {};
    QStringList parts;
    if (m.wholeRupees() > 0) parts << QStringLiteral("RUPEES ") + clsProd::AmountInWords(m.wholeRupees());
    if (const qint64 paise = m.paise() % 100) parts << QStringLiteral("PAISE ") + clsProd::AmountInWords(paise);
    return (parts.join(QStringLiteral(" AND ")) + QStringLiteral(" ONLY")).toUpper().simplified();
}

// ---- Records.

qint64 proposedId(QSqlDatabase& db) {
    return Sql::proposedId(db, QStringLiteral("FundTrans"), QStringLiteral("Id"));
}

qint64 proposedNumber(QSqlDatabase& db, const Side& s) {
    return Sql::scalar(db, QStringLiteral("select max(FundTransId) from FundTrans where P_R_A=?"), {s.kind})
               .toLongLong() +
           1;
}

QList<qint64> numbers(QSqlDatabase& db, const Side& s) {
    return Sql::ids(
        db,
        QStringLiteral("select distinct FundTransId from FundTrans where %1 order by FundTransId").arg(sideWhere(s)));
}

std::optional<Entry> load(QSqlDatabase& db, const Side& s, qint64 number) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select Id, FundTransId, DateT, P_R_A_SRC_DST, BankId, CHNo, CHDate, "
                                           "ExpIncId, PartyName, P_R_A_TYPE, TransDesc, TrackBill, Amt from FundTrans "
                                           "where %1 and FundTransId=? order by SlNo")
                                .arg(sideWhere(s)),
                            {number});
    std::optional<Entry> e;
    while (q.next()) {
        Row row;
        if (!e) {
            e.emplace();
            int src = 0;
            Sql::readRow(q, e->id, e->number, e->date, src, e->bankId, Sql::trimmed(e->chNo), e->chDate, e->head,
                         Sql::trimmed(e->party), e->type, Sql::trimmed(e->desc));
            e->source = src == int(Source::Cash) ? Source::Cash : Source::Bank;
        }
        row.bill = q.value(11).toString().trimmed();
        row.amount = Money::fromDb(q.value(12));
        e->amount += row.amount;
        if (settlesBills(s, e->head, e->type)) e->rows << row;
    }
    return e;
}

namespace {

Check bankChecks(const Side& s, const Entry& e) {
    if (e.source != Source::Bank) return std::nullopt;
    if (e.bankId <= 0) return Refusal::at(s.fldBank, s.selectBank);
    const bool no = !e.chNo.trimmed().isEmpty(), date = e.chDate.isValid();
    if (date && !no) return Refusal::at(s.fldChNo, s.chequeNo);
    if (no && !date) return Refusal::at(s.fldChDate, s.chequeDate);
    return std::nullopt;
}

// The rows an entry writes: one per bill it settles, else one for the whole amount.
QList<Row> rowsOf(const Side& s, const Entry& e) {
    if (settlesBills(s, e.head, e.type)) return e.rows;
    return {Row{QString(), e.amount}};
}

// A typed number must be free among the kind's entries other than this one.
Check numberCheck(QSqlDatabase& db, const Side& s, const Entry& e) {
    if (!s.numberTyped) return std::nullopt;
    if (e.number <= 0) return Refusal::at(s.fldNumber, s.enterNumber);
    if (Sql::any(db, QStringLiteral("select 1 from FundTrans where Id<>? and FundTransId=? and P_R_A=?"),
                 {e.id, e.number, s.kind}))
        return Refusal::at(s.fldNumber, s.numberTaken);
    return std::nullopt;
}

Money openingOf(QSqlDatabase& db, const HeadRule& r, qint64 party) {
    return Money::fromDb(Sql::scalar(
        db, QStringLiteral("select OpenBalPndg from %1 where %2=?").arg(r.partyTable, r.partyKey), {party}));
}

}  // namespace

Check validate(QSqlDatabase& db, const Side& s, const Entry& e, bool adding) {
    if (Check c = bankChecks(s, e)) return c;
    if (!adding) return numberCheck(db, s, e);
    if (e.head <= 0) return Refusal::at(s.fldHead, s.enterHead);
    if (e.party.trimmed().isEmpty()) return Refusal::at(s.fldParty, s.enterParty);
    const auto rule = s.rule(e.head);
    bool typeOk = false;
    for (const TypeText& t : typesFor(s, e.head)) typeOk = typeOk || t.code == e.type;
    if (!typeOk)
        return Refusal::at(s.fldType, !rule                         ? s.typeForOthers
                                      : rule->typeRefusal.isEmpty() ? s.typeForBills
                                                                    : rule->typeRefusal);
    if (e.amount <= Money()) return Refusal::at(s.fldAmount, s.enterAmount);
    if (!rule) return numberCheck(db, s, e);
    const auto party = partyId(db, *rule, e.party);
    if (!party) return Refusal::at(s.fldParty, rule->notFound);
    const bool bills = settlesBills(s, e.head, e.type);
    if (bills) {
        Money sum;
        for (const Row& r : e.rows) sum += r.amount;
        if (sum != e.amount) return Refusal::at(s.fldAmount, s.equalBills);
        const QHash<QString, Money> balances =
            rule->book->guarded ? BillBooks::balances(db, *rule->book, *party) : QHash<QString, Money>();
        for (int i = 0; i < e.rows.size(); ++i) {
            const Row& r = e.rows[i];
            const int row = i + 1;
            for (int j = i + 1; j < e.rows.size(); ++j)
                if (!r.bill.trimmed().isEmpty() &&
                    r.bill.trimmed().compare(e.rows[j].bill.trimmed(), Qt::CaseInsensitive) == 0)
                    return Refusal::cell(row, 1, s.duplicateRows + QStringLiteral("%1 , %2").arg(row).arg(j + 1));
            if (r.bill.trimmed().isEmpty()) return Refusal::cell(row, 1, s.billNo + QString::number(row));
            if (r.amount.isZero()) return Refusal::cell(row, 2, s.rowAmount + QString::number(row));
            if (!rule->book->guarded) continue;
            const auto balance = balances.constFind(r.bill.trimmed());
            if (balance == balances.cend()) return Refusal::cell(row, 1, s.billMissing);
            if (r.amount > *balance) return Refusal::cell(row, 2, s.billOver);
        }
        if (e.type == kAutomatic && e.amount > BillBooks::outstanding(db, *rule->book, *party))
            return Refusal::at(s.fldAmount, s.totalOver);
    }
    if (e.type == kOpening && rule->openBalance && e.amount > openingOf(db, *rule, *party))
        return Refusal::at(s.fldAmount, s.openingOver);
    return numberCheck(db, s, e);
}

namespace {

QVariant textOrSpace(const QString& t) {
    return t.trimmed().isEmpty() ? QStringLiteral(" ") : t.trimmed();
}

// The linked bank row of a bank entry: the whole amount, numbered after every bank row.
void writeBankRow(QSqlDatabase& db, const Entry& e) {
    if (e.source != Source::Bank) return;
    Sql::exec(db,
              QStringLiteral("insert into BankTrans (TransId, BankId, DateT, DrawAmt, CHNo, CHDate, Descr, Id) values "
                             "(?, ?, ?, ?, ?, ?, ?, ?)"),
              {Sql::nextId(db, QStringLiteral("BankTrans"), QStringLiteral("TransId")), e.bankId, Db::day(e.date),
               e.amount.toDb(), textOrSpace(e.chNo), e.chDate.isValid() ? Db::day(e.chDate) : QVariant(),
               textOrSpace(e.desc), e.id});
}

struct Stored {
    qint64 id = 0, head = 0;
    int type = 0;
    QString party;
    Money amount, amountBal;
    QList<Row> rows;
};

std::optional<Stored> stored(QSqlDatabase& db, const Side& s, qint64 number) {
    QSqlQuery q = Sql::exec(db,
                            QStringLiteral("select Id, ExpIncId, P_R_A_TYPE, PartyName, Amt, AmtBal, TrackBill from "
                                           "FundTrans where %1 and FundTransId=? order by SlNo")
                                .arg(sideWhere(s)),
                            {number});
    std::optional<Stored> out;
    while (q.next()) {
        if (!out) {
            out.emplace();
            Sql::readRow(q, out->id, out->head, out->type, Sql::trimmed(out->party), out->amount, out->amountBal);
            if (q.value(5).isNull()) out->amountBal = out->amount;
        }
        out->rows.append({q.value(6).toString().trimmed(), Money::fromDb(q.value(4))});
    }
    return out;
}

}  // namespace

Entry save(QSqlDatabase& db, const Side& s, Entry e) {
    Sql::transaction(db, [&] {
        // Another desk may have written an entry since New proposed these.
        if (e.id <= 0 || Sql::any(db, QStringLiteral("select 1 from FundTrans where Id=?"), {e.id}))
            e.id = Sql::nextId(db, QStringLiteral("FundTrans"), QStringLiteral("Id"));
        // A number the user typed is never replaced: the checks below refuse it when taken.
        const bool keep = s.numberTyped && e.numberAsTyped;
        if (!keep && (e.number <= 0 || Sql::any(db,
                                                QStringLiteral("select 1 from FundTrans where P_R_A=? and "
                                                               "FundTransId=?"),
                                                {s.kind, e.number})))
            e.number = proposedNumber(db, s);
        // The balances as they stand now, after any other desk's save.
        enforce(validate(db, s, e, true));
        const auto rule = s.rule(e.head);
        const auto party = rule ? partyId(db, *rule, e.party) : std::nullopt;
        const QList<Row> rows = rowsOf(s, e);
        const bool bank = e.source == Source::Bank;
        const bool advance = e.type == s.advanceType;
        // The rows a few dozen to a statement; then each invoice settled on all its rows.
        constexpr int kPerStatement = 50;
        for (int from = 0; from < rows.size(); from += kPerStatement) {
            QStringList values;
            QVariantList p;
            for (int i = from; i < std::min(int(rows.size()), from + kPerStatement); ++i) {
                const Row& r = rows[i];
                values << QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
                p << e.id << e.number << i + 1 << Db::day(e.date) << s.kind << s.isExpense << e.head
                  << e.party.trimmed() << int(e.source) << (bank ? QVariant(e.bankId) : QVariant())
                  << (bank ? textOrSpace(e.chNo) : QVariant())
                  << (bank && e.chDate.isValid() ? Db::day(e.chDate) : QVariant()) << e.type << textOrSpace(e.desc)
                  << r.amount.toDb() << (advance ? r.amount.toDb() : QVariant()) << textOrSpace(r.bill);
            }
            Sql::exec(db,
                      QStringLiteral("insert into FundTrans (Id, FundTransId, SlNo, DateT, P_R_A, IsExpense, ExpIncId, "
                                     "PartyName, P_R_A_SRC_DST, BankId, CHNo, CHDate, P_R_A_TYPE, TransDesc, Amt, "
                                     "AmtBal, TrackBill) values ") +
                          values.join(QLatin1Char(',')),
                      p);
        }
        if (settlesBills(s, e.head, e.type)) {
            QList<BillBooks::Applied> taken;
            for (const Row& r : rows) taken.append({r.bill, r.amount});
            BillBooks::settleAll(db, *rule->book, party.value_or(0), taken);
        }
        if (e.type == kOpening && rule && rule->openBalance) {
            QSqlQuery q =
                Sql::exec(db,
                          QStringLiteral("update %1 set OpenBalPndg=OpenBalPndg-? where %2=? and OpenBalPndg>=?")
                              .arg(rule->partyTable, rule->partyKey),
                          {e.amount.toDb(), party.value_or(0), e.amount.toDb()});
            if (q.numRowsAffected() <= 0) throw Refused(s.openingOver, s.fldAmount);
        }
        writeBankRow(db, e);
    });
    return e;
}

Check changeBlock(QSqlDatabase& db, const Side& s, qint64 number) {
    const auto st = stored(db, s, number);
    if (st && st->type == s.advanceType && st->amountBal != st->amount) return Refusal::message(s.advanceUsed);
    return std::nullopt;
}

void modify(QSqlDatabase& db, const Side& s, const Entry& e) {
    Sql::transaction(db, [&] {
        const QVariant was = Sql::scalar(
            db, QStringLiteral("select max(FundTransId) from FundTrans where %1 and Id=?").arg(sideWhere(s)), {e.id});
        if (!was.isValid() || was.isNull()) return;
        enforce(changeBlock(db, s, was.toLongLong()));
        enforce(validate(db, s, e, false));
        const bool bank = e.source == Source::Bank;
        Sql::exec(
            db,
            QStringLiteral("update FundTrans set DateT=?, TransDesc=?, P_R_A_SRC_DST=?, CHNo=?, CHDate=?, "
                           "BankId=?, FundTransId=? where %1 and Id=?")
                .arg(sideWhere(s)),
            {Db::day(e.date), textOrSpace(e.desc), int(e.source), bank ? textOrSpace(e.chNo) : QStringLiteral(" "),
             bank && e.chDate.isValid() ? Db::day(e.chDate) : QVariant(), bank ? e.bankId : 0,
             s.numberTyped ? e.number : was.toLongLong(), e.id});
        Sql::exec(db, QStringLiteral("delete from BankTrans where Id=?"), {e.id});
        // The bank row carries the amount as stored, whatever the screen shows.
        Entry written = e;
        if (const auto st = stored(db, s, s.numberTyped ? e.number : was.toLongLong())) {
            written.amount = Money();
            for (const Row& r : st->rows) written.amount += r.amount;
        }
        writeBankRow(db, written);
    });
}

void remove(QSqlDatabase& db, const Side& s, qint64 number) {
    Sql::transaction(db, [&] {
        enforce(changeBlock(db, s, number));
        const auto st = stored(db, s, number);
        if (!st) return;
        // The party as it is named now: a rename rewrote the rows' name with it.
        const auto rule = s.rule(st->head);
        const auto party = rule ? partyId(db, *rule, st->party) : std::nullopt;
        if (party && settlesBills(s, st->head, st->type)) {
            QList<BillBooks::Applied> back;
            for (const Row& r : st->rows) back.append({r.bill, -r.amount});
            BillBooks::settleAll(db, *rule->book, *party, back);
        }
        if (party && st->type == kOpening && rule->openBalance)
            Sql::exec(db,
                      QStringLiteral("update %1 set OpenBalPndg=OpenBalPndg+? where %2=?")
                          .arg(rule->partyTable, rule->partyKey),
                      {st->amount.toDb(), *party});
        Sql::exec(db, QStringLiteral("delete from BankTrans where Id=?"), {st->id});
        Sql::exec(db, QStringLiteral("delete from FundTrans where %1 and Id=? and FundTransId=?").arg(sideWhere(s)),
                  {st->id, number});
    });
}

}  // namespace kavra::Ledger
