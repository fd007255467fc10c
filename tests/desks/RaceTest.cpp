// Several desks in processes of their own saving at the same moment, on both engines: one
// order line, one DC number, one invoice number, one DC to invoice, one issue to delete, one
// DC modified and deleted at once; then desks and a closing backup killed at random while
// they work. Afterwards the books are whole and every refused save said why.
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include "cash/Ledger.h"
#include "core/Housekeeping.h"
#include "core/chain/Rows.h"
#include "inventory/Stores.h"
#include "sales/DeliveryChallans.h"
#include "sales/Invoices.h"
#include "sales/SalesKinds.h"
#include "support/Desks.h"
#include "support/TestEnv.h"

namespace kavra::test {
namespace {

namespace Dcs = sales::Dcs;
namespace Inv = sales::Invoices;
namespace Stores = inventory::Stores;
using desks::Racer;
using desks::Tally;

const QDate kDay(2026, 6, 10);

class Desks : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(kDay, QTime(10, 0)))) return;
        db = &company();
        desks::Plan plan;
        plan.items = 6;
        plan.orders = 3;
        plan.ordered = 10;
        desks::furnish(*db, plan, kDay);
    }

    // n desks started at once, desk i with args(i); what they did once all have ended.
    Tally race(int n, const std::function<QStringList(int)>& args) {
        std::vector<std::unique_ptr<Racer>> racers;
        for (int i = 0; i < n; ++i) {
            racers.push_back(std::make_unique<Racer>(QStringLiteral(KAVRA_RACER_PROGRAM), Session::current().companyDb,
                                                     kDay, args(i)));
            EXPECT_TRUE(racers.back()->ready()) << racers.back()->errors().toStdString();
        }
        for (auto& r : racers) r->go();
        Tally t;
        for (auto& r : racers) {
            EXPECT_TRUE(r->finish(60000));
            t.add(r->attempts());
        }
        EXPECT_EQ(t.errorTexts, QStringList());
        EXPECT_EQ(t.unknownRefusals, QStringList());
        return t;
    }
    Tally race(int n, const QStringList& args) {
        return race(n, [&](int) { return args; });
    }

    // A DC of one line against PO-1, saved as the DC screen saves it.
    qint64 saveDc(const QString& no, int item, double qty) {
        Dcs::Dc d;
        d.id = Dcs::proposedId(*db);
        d.party = desks::kCustomer;
        d.dcNo = no;
        d.dcDate = kDay;
        d.poNo = desks::orderNo(1);
        d.poDate = kDay;
        d.lines << Dcs::Line{desks::itemCode(item), "Particulars", qty, {}, {}};
        const auto r = Dcs::validate(*db, d, true, true, 1);
        EXPECT_FALSE(r) << r->text.toStdString();
        qint64 id = 0;
        Sql::transaction(*db, [&] { id = Dcs::save(*db, d, true, true, 1); });
        return id;
    }
    double toSend(int item) {
        return Sql::scalar(*db, "select QtyToSend from MfgPOSub where POId=1 and ItemId=?", {item}).toDouble();
    }
    void expectWhole() { EXPECT_EQ(desks::faults(*db), QStringList()); }

    QSqlDatabase* db = nullptr;
};

TEST_P(Desks, OneOrderLineIsNeverOverdrawn) {
    // Six DCs of 3 against 10: three fit, and the others are told what is left.
    const Tally t = race(6, [](int i) {
        return QStringList{"--what", "dc", "--po",    "PO-1", "--item",  "P001",
                           "--qty",  "3",  "--count", "1",    "--dc-no", QString::number(100 + i)};
    });
    EXPECT_EQ(t.saved, 3);
    EXPECT_EQ(t.refused, 3);
    const QString left = sales::dcKind().limitText.arg(1).arg(chain::Rows::qtyText(1));
    for (const QString& r : t.refusals) EXPECT_EQ(r, left);
    EXPECT_DOUBLE_EQ(toSend(1), 1);
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 1), 991);
    expectWhole();
}

TEST_P(Desks, ADcNumberAndAnInvoiceNumberAreSavedOnce) {
    // The same number typed at five desks.
    Tally t =
        race(5, {"--what", "dc", "--po", "PO-1", "--item", "P002", "--qty", "1", "--count", "1", "--dc-no", "77"});
    EXPECT_EQ(t.saved, 1);
    EXPECT_EQ(t.refusals, QStringList(4, sales::dcKind().duplicateNo));
    // The number each desk proposes for itself: the same one at every desk that asks at once.
    t = race(5, {"--what", "dc", "--po", "PO-1", "--item", "P003", "--qty", "1", "--count", "2"});
    EXPECT_GE(t.saved, 1);
    EXPECT_EQ(t.refusals, QStringList(10 - t.saved, sales::dcKind().duplicateNo));
    EXPECT_DOUBLE_EQ(toSend(3), 10 - t.saved);

    // Five DCs invoiced at five desks, each under the number 500.
    QList<qint64> dcs;
    for (int i = 0; i < 5; ++i) dcs << saveDc(QString::number(200 + i), 4, 1);
    t = race(5, [&](int i) {
        return QStringList{"--what", "invoice", "--dcs", QString::number(dcs[i]), "--inv-no", "500", "--count", "1"};
    });
    EXPECT_EQ(t.saved, 1);
    EXPECT_EQ(t.refusals, QStringList(4, sales::billKind().duplicateNo));
    EXPECT_EQ(count(*db, "select count(*) from DcInv where InvNo='500'"), 1);
    expectWhole();
}

TEST_P(Desks, OneDcIsInvoicedOnce) {
    const qint64 dc = saveDc("300", 2, 4);
    const Tally t = race(5, [&](int i) {
        return QStringList{"--what",  "invoice", "--dcs", QString::number(dc), "--inv-no", QString::number(600 + i),
                           "--count", "1"};
    });
    // The desk told "saved" is the one whose invoice the DC carries.
    EXPECT_EQ(t.saved, 1);
    EXPECT_EQ(t.refusals, QStringList(4, sales::billKind().invoicedMeanwhile.arg("300")));
    EXPECT_EQ(count(*db, "select count(*) from DcInv where InvNo is not null"), 1);
    EXPECT_GT(Sql::scalar(*db, "select TotVal from DcInv where DcInvId=?", {dc}).toLongLong(), 0);
    expectWhole();
}

TEST_P(Desks, AnInvoiceIsNeverPaidBeyondItsBalance) {
    const qint64 dc = saveDc("310", 3, 4);
    race(1, {"--what", "invoice", "--dcs", QString::number(dc), "--inv-no", "700", "--count", "1"});
    const qint64 billed = Sql::scalar(*db, "select TotVal from DcInv where DcInvId=?", {dc}).toLongLong();
    ASSERT_GT(billed, 0);
    // Six desks each receive two fifths of it at once: two fit.
    const QString part = Money::fromPaise(billed * 2 / 5).toString();
    const Tally t = race(6, {"--what", "receipt", "--inv", "700", "--amount", part, "--count", "1"});
    EXPECT_EQ(t.saved, 2);
    EXPECT_EQ(t.refusals, QStringList(4, Ledger::receipts().billOver));
    EXPECT_EQ(count(*db, "select Balance from DcInv where DcInvId=?", {dc}), billed - 2 * (billed * 2 / 5));
    EXPECT_EQ(count(*db, "select count(distinct Id) from FundTrans"), 2);
    expectWhole();
}

TEST_P(Desks, AnIssueGivesItsStockBackOnceAndTheLastLotGoesToOneDesk) {
    qint64 issue = 0;
    Sql::transaction(*db, [&] {
        issue = Stores::raiseIssue(*db, inventory::IssueSource::Manual, kDay, " STORES", " ", {{5, 0, 5}});
        Stores::raiseIssue(*db, inventory::IssueSource::Manual, kDay, " STORES", " ", {{6, 0, 992}});
    });
    Tally t = race(5, {"--what", "issue-delete", "--issue", QString::number(issue), "--count", "1"});
    EXPECT_EQ(t.saved, 1);
    EXPECT_EQ(t.refusals, QStringList(4, Stores::issueGoneMessage()));
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 5), 1000);

    // Eight left, five desks issuing 3 each.
    t = race(5, {"--what", "issue", "--item", "6", "--qty", "3", "--count", "1"});
    EXPECT_EQ(t.saved, 2);
    EXPECT_EQ(t.refusals, QStringList(3, Stores::shortStockMessage()));
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 6), 2);
    expectWhole();
}

TEST_P(Desks, OneDcModifiedAndDeletedAtOnce) {
    const qint64 dc = saveDc("400", 1, 4);
    // Three desks change its quantity, three delete it, all from the DC as they were shown it.
    const Tally t = race(6, [&](int i) {
        if (i % 2) return QStringList{"--what", "dc-delete", "--dc", QString::number(dc), "--count", "1"};
        return QStringList{"--what",  "dc-modify", "--dc", QString::number(dc), "--qty", QString::number(2 + i),
                           "--count", "1"};
    });
    EXPECT_GE(t.saved, 1);
    EXPECT_EQ(t.refusals, QStringList(6 - t.saved, sales::dcKind().find.notFound));
    // Whatever order they came in, the delete won in the end and gave everything back once.
    EXPECT_EQ(count(*db, "select count(*) from DcInv"), 0);
    EXPECT_DOUBLE_EQ(toSend(1), 10);
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 1), 1000);
    EXPECT_EQ(count(*db, "select count(*) from StoreIss"), 0);
    expectWhole();
}

TEST_P(Desks, DesksAndABackupKilledMidSaveLeaveTheBooksWhole) {
    const QString folder = programDir() + "/DB_BKUP";
    QRandomGenerator rng(GetParam() == Engine::PostgreSQL ? 7 : 3);
    std::vector<std::unique_ptr<Racer>> racers;
    Tally t;
    int seed = 0;
    auto sitDown = [&] {
        auto r = std::make_unique<Racer>(QStringLiteral(KAVRA_RACER_PROGRAM), Session::current().companyDb, kDay,
                                         QStringList{"--what", "mixed", "--seed", QString::number(++seed)});
        EXPECT_TRUE(r->ready()) << r->errors().toStdString();
        r->go();
        return r;
    };
    // The program's closing backup, over and over, in a process of its own.
    auto backup = [&] {
        auto p = std::make_unique<QProcess>();
        const DbConfig& cfg = dbConfig();
        QStringList args{"--dir", cfg.programDir, "--db", Session::current().companyDb, "--backup-loop", folder};
        if (cfg.isPg())
            args << "--server" << QStringLiteral("%1:%2").arg(cfg.host).arg(cfg.port) << "--db-user" << cfg.user
                 << "--db-prefix" << cfg.prefix;
        p->start(QStringLiteral(KAVRA_DESK_PROGRAM), args);
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    };
    for (int i = 0; i < 4; ++i) racers.push_back(sitDown());
    auto backups = backup();
    for (int round = 0; round < 12; ++round) {
        QThread::msleep(150 + rng.bounded(350));
        auto& victim = racers[rng.bounded(int(racers.size()))];
        victim->killHard();
        t.add(victim->attempts());
        victim = sitDown();
        if (round % 3 == 2) {
            backups->kill();
            backups->waitForFinished(10000);
            backups = backup();
        }
    }
    QThread::msleep(300);
    backups->kill();
    backups->waitForFinished(10000);
    for (auto& r : racers) {
        r->killHard();
        t.add(r->attempts());
    }
    EXPECT_GT(t.saved, 0);
    EXPECT_EQ(t.errorTexts, QStringList());
    EXPECT_EQ(t.unknownRefusals, QStringList());
    expectWhole();

    // Every copy kept is whole, and of one moment: its books add up too.
    const QStringList kept = House::backups(folder);
    EXPECT_FALSE(kept.isEmpty());
    for (const QString& f : kept) {
        EXPECT_GT(QFileInfo(f).size(), 0) << f.toStdString();
        EXPECT_EQ(Db::checkCopy(f, data::DbKind::Company, false), QString()) << f.toStdString();
        {
            QSqlDatabase copy = QSqlDatabase::addDatabase("QSQLITE", "kept_copy");
            copy.setDatabaseName(f);
            ASSERT_TRUE(copy.open());
            EXPECT_EQ(desks::faults(copy), QStringList()) << f.toStdString();
            copy.close();
        }
        QSqlDatabase::removeDatabase("kept_copy");
    }
}

KAVRA_ON_EVERY_ENGINE(Desks);

}  // namespace
}  // namespace kavra::test
