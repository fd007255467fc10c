// Figures for the money screens on a grown ledger: a million ledger rows, a hundred thousand
// bank movements over five banks, one customer with five thousand open invoices of two DCs.
// Each figure is printed beside the bare query for the same answer.
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <cstdio>

#include "cash/Balances.h"
#include "cash/Ledger.h"
#include "cash/forms/LedgerScreen.h"
#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Session.h"
#include "core/Sql.h"

namespace kavra {

namespace {

constexpr int kLedgerRows = 1000000;
constexpr int kBankRows = 100000;
constexpr int kBanks = 5;
constexpr int kInvoices = 5000;
constexpr qint64 kCustomer = 950001;
constexpr qint64 kFirstDc = 1500001;
const QString kParty = QStringLiteral("BENCH LEDGER CUSTOMER");

// Rows in statements of a few hundred, all in one transaction.
void insertMany(QSqlDatabase& db, const QString& head, const QString& row, int count, int perStatement,
                const std::function<void(int, QVariantList&)>& values) {
    Sql::transaction(db, [&] {
        for (int from = 0; from < count; from += perStatement) {
            const int n = std::min(perStatement, count - from);
            QStringList rows;
            QVariantList p;
            for (int i = 0; i < n; ++i) {
                rows << row;
                values(from + i, p);
            }
            Sql::exec(db, head + rows.join(QLatin1Char(',')), p);
        }
    });
}

void fill(QSqlDatabase& db) {
    const QDate start(clsProd::FinancialYearOf(Clock::today()), 4, 1);
    Sql::transaction(db, [&] {
        for (int b = 1; b <= kBanks; ++b)
            Sql::exec(db,
                      QStringLiteral("insert into Banks (BankId, BankName, BankOPBal, IsDebit) values (?, ?, ?, ?)"),
                      {b, QStringLiteral("BENCH BANK %1").arg(b), 500000, b == kBanks});
        Sql::exec(db, QStringLiteral("insert into Customer (CustId, CustName) values (?, ?)"), {kCustomer, kParty});
    });
    // Entries of every kind and side under the user's heads, a few rows each.
    insertMany(db,
               QStringLiteral("insert into FundTrans (Id, FundTransId, SlNo, DateT, P_R_A, IsExpense, ExpIncId, "
                              "PartyName, P_R_A_SRC_DST, BankId, P_R_A_TYPE, Amt, TrackBill) values "),
               QStringLiteral("(?,?,?,?,?,?,?,?,?,?,1,?,' ')"), kLedgerRows, 500, [&](int i, QVariantList& p) {
                   const int entry = i / 2, kind = 1 + entry % 3, src = 1 + (entry / 3) % 2;
                   p << entry + 1 << entry / 3 + 1 << i % 2 + 1 << Db::day(start.addDays(entry % 360)) << kind
                     << (kind == 1 || (kind == 3 && entry % 2)) << 10 + entry % 7
                     << QStringLiteral("PARTY %1").arg(entry % 500) << src
                     << (src == 1 ? QVariant(1 + entry % kBanks) : QVariant()) << 10000 + entry % 9999;
               });
    insertMany(db,
               QStringLiteral("insert into BankTrans (TransId, BankId, DateT, DeptAmt, DrawAmt, Descr, "
                              "IsHiddenTrans, Id) values "),
               QStringLiteral("(?,?,?,?,?,' ',?,0)"), kBankRows, 500, [&](int i, QVariantList& p) {
                   p << i + 1 << 1 + i % kBanks << Db::day(start.addDays(i % 360)) << (i % 2 ? 250000 : 0)
                     << (i % 2 ? 0 : 120000) << (i % 10 == 0);
               });
    // The customer's open invoices, each of two DCs carrying its balance.
    insertMany(
        db, QStringLiteral("insert into DcInv (DcInvId, CustId, DcNo, InvNo, InvDateT, TotVal, Balance) values "),
        QStringLiteral("(?,?,?,?,?,200000,100000)"), kInvoices * 2, 500, [&](int i, QVariantList& p) {
            p << kFirstDc + i << kCustomer << QStringLiteral("LB%1").arg(i)
              << QStringLiteral("LINV-%1").arg(i / 2, 5, 10, QLatin1Char('0')) << Db::day(start.addDays((i / 2) % 360));
        });
    Db::optimize(db);
}

}  // namespace

void ledgerBench(QSqlDatabase& db) {
    const Ledger::Side& R = Ledger::receipts();
    QElapsedTimer t;
    t.start();
    fill(db);
    const qint64 fillMs = t.elapsed();

    // Both read once first: each figure is then of a warm cache.
    Balances::cashAndBanks(db);
    t.restart();
    const Balances::Panel panel = Balances::cashAndBanks(db);
    const qint64 panelMs = t.elapsed();
    t.restart();
    for (const char* sql : {"select P_R_A, P_R_A_SRC_DST, IsExpense, BankId, sum(Amt) from FundTrans group by P_R_A, "
                            "P_R_A_SRC_DST, IsExpense, BankId",
                            "select BankId, sum(DeptAmt), sum(DrawAmt) from BankTrans where Id=0 group by BankId"}) {
        QSqlQuery q = Sql::exec(db, QString::fromLatin1(sql));
        while (q.next()) {
        }
    }
    const qint64 panelBareMs = t.elapsed();
    std::printf(
        "cash and bank panel over %d ledger rows and %d bank rows (%d banks, cash %s): %lld ms (bare sums "
        "%lld ms; ledger filled in %lld ms)\n",
        kLedgerRows, kBankRows, int(panel.banks.size()), qPrintable(Balances::panelText(panel.cash)),
        (long long)panelMs, (long long)panelBareMs, (long long)fillMs);

    t.restart();
    const Ledger::Details d = Ledger::details(db, R, 1, kParty);
    const qint64 detailsMs = t.elapsed();
    t.restart();
    QSqlQuery open = Sql::exec(db,
                               QStringLiteral("select sum(Balance), InvNo from DcInv where DcInvId in (select "
                                              "max(DcInvId) from DcInv where CustId=? and Balance>0 group by InvNo) "
                                              "group by InvNo"),
                               {kCustomer});
    while (open.next()) {
    }
    const qint64 detailsBareMs = t.elapsed();
    std::printf(
        "Balance Details over %d open invoices of two DCs (%d listed, all %s): %lld ms (bare open-invoice "
        "query %lld ms)\n",
        kInvoices, int(d.open.size()), qPrintable(d.allBills.toString()), (long long)detailsMs,
        (long long)detailsBareMs);

    t.restart();
    qint64 openMs = 0;
    {
        LedgerScreen screen(receiptsScreen());
        screen.load();
        openMs = t.elapsed();
    }
    t.restart();
    const QList<qint64> numbers =
        Sql::ids(db, QStringLiteral("select distinct FundTransId from FundTrans where P_R_A=2 order by FundTransId"));
    const qint64 openBareMs = t.elapsed();
    std::printf("frmReceipts opened on %d receipts: %lld ms (bare navigation query %lld ms)\n", int(numbers.size()),
                (long long)openMs, (long long)openBareMs);

    // An automatic receipt taking the first 200 invoices whole.
    Ledger::Entry e;
    e.id = Ledger::proposedId(db);
    e.number = Ledger::proposedNumber(db, R);
    e.date = Clock::today();
    e.source = Ledger::Source::Bank;
    e.bankId = 1;
    e.head = 1;
    e.party = kParty;
    e.type = Ledger::kAutomatic;
    e.amount = Money::parse(QStringLiteral("200000"));
    t.restart();
    e.rows = Ledger::automaticRows(db, R, 1, kParty, e.amount);
    const qint64 spreadMs = t.elapsed();
    t.restart();
    const Check refused = Ledger::validate(db, R, e, true);
    const qint64 checkMs = t.elapsed();
    t.restart();
    const Ledger::Entry saved = Ledger::save(db, R, e);
    const qint64 saveMs = t.elapsed();
    t.restart();
    Ledger::remove(db, R, saved.number);
    const qint64 deleteMs = t.elapsed();
    std::printf(
        "automatic receipt over %d invoices: spread %lld ms, checks %lld ms, save %lld ms, delete %lld "
        "ms%s\n",
        int(e.rows.size()), (long long)spreadMs, (long long)checkMs, (long long)saveMs, (long long)deleteMs,
        refused ? qPrintable(" (refused: " + refused->text + ")") : "");
}

}  // namespace kavra
