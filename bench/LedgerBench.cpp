// Figures for the money screens on a grown ledger: a million ledger rows, two hundred thousand
// bank rows over five banks (fifty thousand transfers), one customer with five thousand open invoices of two DCs.
// Each figure is printed beside the bare query for the same answer.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <cstdio>

#include "cash/Balances.h"
#include "cash/Ledger.h"
#include "cash/Vouchers.h"
#include "cash/forms/LedgerScreen.h"
#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "sales/ServiceInvoices.h"

namespace kavra {

namespace {

constexpr int kLedgerRows = 1000000;
constexpr int kBankRows = 100000, kTransfers = 50000;
constexpr int kBanks = 5;
constexpr int kInvoices = 5000;
constexpr qint64 kCustomer = 950001;
constexpr qint64 kFirstDc = 1500001;
constexpr int kBills = 5000;
constexpr qint64 kVendor = 950001, kFirstBill = 1700001;
const QString kParty = QStringLiteral("BENCH LEDGER CUSTOMER");
const QString kVendorName = QStringLiteral("BENCH LEDGER VENDOR");

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
        Sql::exec(db, QStringLiteral("insert into Vendor (VendorCode, VendorName) values (?, ?)"),
                  {kVendor, kVendorName});
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
               QStringLiteral("(?,?,?,?,?,' ',?,0)"), kBankRows + 2 * kTransfers, 500, [&](int i, QVariantList& p) {
                   if (i < kBankRows) {
                       p << i + 1 << 1 + i % kBanks << Db::day(start.addDays(i % 360)) << (i % 2 ? 250000 : 0)
                         << (i % 2 ? 0 : 120000) << false;
                       return;
                   }
                   // A transfer: drawn from one bank, and its hidden twin paid into the next.
                   const int j = (i - kBankRows) / 2, into = (i - kBankRows) % 2;
                   p << kBankRows + j + 1 << 1 + (j + into) % kBanks << Db::day(start.addDays(j % 360))
                     << (into ? 75000 : 0) << (into ? 0 : 75000) << bool(into);
               });
    // The customer's open invoices, each of two DCs carrying its balance.
    insertMany(
        db, QStringLiteral("insert into DcInv (DcInvId, CustId, DcNo, InvNo, InvDateT, TotVal, Balance) values "),
        QStringLiteral("(?,?,?,?,?,200000,100000)"), kInvoices * 2, 500, [&](int i, QVariantList& p) {
            p << kFirstDc + i << kCustomer << QStringLiteral("LB%1").arg(i)
              << QStringLiteral("LINV-%1").arg(i / 2, 5, 10, QLatin1Char('0')) << Db::day(start.addDays((i / 2) % 360));
        });
    // Items for a service invoice's lines.
    insertMany(db, QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit) values "),
               QStringLiteral("(?,?,?,1,'NOS')"), 100, 100, [&](int i, QVariantList& p) {
                   p << 960001 + i << QStringLiteral("SRV-%1").arg(i) << QStringLiteral("SERVICE ITEM %1").arg(i);
               });
    // The vendor's open purchase bills.
    insertMany(db,
               QStringLiteral("insert into Purchase (PurchId, VendorCode, InvNo, InvDateT, TotVal, Balance) values "),
               QStringLiteral("(?,?,?,?,150000,150000)"), kBills, 500, [&](int i, QVariantList& p) {
                   p << kFirstBill + i << kVendor << QStringLiteral("PB-%1").arg(i, 5, 10, QLatin1Char('0'))
                     << Db::day(start.addDays(i % 360));
               });
    Db::optimize(db);
}

// An automatic entry taking the first 200 of the party's bills whole: spread, checked, saved,
// then deleted, each timed.
struct EntryTimes {
    int rows = 0;
    qint64 spread = 0, check = 0, save = 0, remove = 0;
    QString refused;
    Ledger::Entry saved;
};

EntryTimes timeEntry(QSqlDatabase& db, const Ledger::Side& s, qint64 head, const QString& party, Money amount,
                     bool keep = false) {
    EntryTimes out;
    Ledger::Entry e;
    e.id = Ledger::proposedId(db);
    e.number = Ledger::proposedNumber(db, s);
    e.date = Clock::today();
    e.source = Ledger::Source::Bank;
    e.bankId = 1;
    e.head = head;
    e.party = party;
    e.type = Ledger::kAutomatic;
    e.amount = amount;
    QElapsedTimer t;
    t.start();
    e.rows = Ledger::automaticRows(db, s, head, party, e.amount);
    out.rows = int(e.rows.size());
    out.spread = t.restart();
    if (const Check c = Ledger::validate(db, s, e, true)) out.refused = c->text;
    out.check = t.restart();
    out.saved = Ledger::save(db, s, e);
    out.save = t.restart();
    if (!keep) {
        Ledger::remove(db, s, out.saved.number);
        out.remove = t.elapsed();
    }
    return out;
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
        "cash and bank panel over %d ledger rows and %d bank rows (%d of them transfers, %d banks, cash %s): %lld ms "
        "(bare sums %lld ms; ledger filled in %lld ms)\n",
        kLedgerRows, kBankRows + 2 * kTransfers, 2 * kTransfers, int(panel.banks.size()),
        qPrintable(Balances::panelText(panel.cash)), (long long)panelMs, (long long)panelBareMs, (long long)fillMs);

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

    auto report = [](const char* what, const EntryTimes& x) {
        std::printf("automatic %s over %d bills: spread %lld ms, checks %lld ms, save %lld ms, delete %lld ms%s\n",
                    what, x.rows, (long long)x.spread, (long long)x.check, (long long)x.save, (long long)x.remove,
                    x.refused.isEmpty() ? "" : qPrintable(" (refused: " + x.refused + ")"));
    };
    report("receipt", timeEntry(db, R, 1, kParty, Money::parse(QStringLiteral("200000"))));

    // A payment over 200 purchase bills, then its voucher of 20 pages.
    const Ledger::Side& P = Ledger::payments();
    t.restart();
    QSqlQuery bills = Sql::exec(db,
                                QStringLiteral("select InvNo, Balance from Purchase where PurchId in (select "
                                               "max(PurchId) from Purchase where VendorCode=? and Balance>0 group by "
                                               "InvNo)"),
                                {kVendor});
    while (bills.next()) {
    }
    const qint64 billsBareMs = t.elapsed();
    const EntryTimes pay = timeEntry(db, P, 3, kVendorName, Money::parse(QStringLiteral("300000")), true);
    std::printf("(bare open-bill query over %d purchase bills: %lld ms)\n", kBills, (long long)billsBareMs);
    report("payment", pay);  // its delete is timed after the voucher
    Print::setTemplateDir(QCoreApplication::applicationDirPath() + QStringLiteral("/Xl"));
    const QString path = QDir::temp().filePath(QStringLiteral("kavra-bench-voucher.xlsx"));
    t.restart();
    int pages = 0;
    if (const auto doc = Vouchers::voucher(db, P, pay.saved.number)) pages = Print::writeDocument(db, *doc, path);
    std::printf("payment voucher of %d bills: %d pages written in %lld ms\n", pay.rows, pages, (long long)t.elapsed());
    QFile::remove(path);
    t.restart();
    Ledger::remove(db, P, pay.saved.number);
    std::printf("that payment deleted in %lld ms\n", (long long)t.elapsed());

    // A service invoice of 100 lines, each with particulars of its own.
    namespace SI = sales::ServiceInvoices;
    SI::Invoice inv;
    inv.party = kCustomer;
    inv.invNo = QStringLiteral("BENCH-SRV-1");
    inv.invDate = inv.dcDate = Clock::today();
    inv.packForwd = 2;
    inv.packPerc = true;
    inv.vat = 4;
    inv.servTax = 12;
    inv.cessOnServTax = 2;
    for (int i = 0; i < 100; ++i)
        inv.lines.append({0, QStringLiteral("SRV-%1").arg(i), QStringLiteral("BENCH SERVICE LINE %1").arg(i), QString(),
                          double(i + 1), double(i + 1), 12.5, 5});
    t.restart();
    const Check refusedInv = SI::validate(db, SI::outgoing(), inv, false, 0);
    const qint64 invCheckMs = t.restart();
    qint64 invId = 0;
    Sql::transaction(db, [&] { invId = SI::save(db, SI::outgoing(), inv, false, 0); });
    const qint64 invSaveMs = t.restart();
    Sql::transaction(db, [&] { SI::remove(db, SI::outgoing(), invId); });
    std::printf("service invoice of 100 lines: checks %lld ms, save %lld ms, delete %lld ms%s\n", (long long)invCheckMs,
                (long long)invSaveMs, (long long)t.elapsed(),
                refusedInv ? qPrintable(" (refused: " + refusedInv->text + ")") : "");
}

}  // namespace kavra
