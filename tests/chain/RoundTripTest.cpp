// The document engine over every chain, on both engines: an order, DCs drawn on each of
// its balances, a bill on the DCs and every step given back, ending exactly where it began;
// a DC that asks for more than is left is refused whole, an order line never goes below
// what was drawn on it.
#include <QSqlQuery>

#include "Chains.h"
#include "core/Refusal.h"
#include "core/Sql.h"
#include "core/chain/Bills.h"
#include "core/chain/Challans.h"
#include "core/chain/Orders.h"
#include "support/ChainDocs.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;
namespace Orders = kavra::chain::Orders;
namespace Challans = kavra::chain::Challans;
namespace Bills = kavra::chain::Bills;

namespace {

class ChainRoundTrip : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(
            *db,
            "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
            "(1, 'A100', 'Bolt', 5, 'NOS', 10), (2, 'B200', 'Bush', 5, 'NOS', 25), (3, 'C300', 'Cover', 4, 'SET', 50)");
    }

    void makeParty(const chain::OrderKind& k) {
        exec(*db, QString("insert into %1 (%2, %3) values (1, 'ACME')").arg(k.partyTable, k.party, k.partyName));
    }

    // Each balance of the order's lines, line by line.
    QList<QList<double>> balances(const chain::OrderKind& k, qint64 id) {
        QList<QList<double>> out;
        for (const Orders::Line& l : Orders::lines(*db, k, id)) out << l.balances;
        return out;
    }
    bool tally(const chain::OrderKind& k, int balance, qint64 id) {
        return Sql::scalar(*db, QString("select %1 from %2 where POId=?").arg(k.balances[balance].tally, k.header),
                           {id})
            .toBool();
    }

    qint64 saveDc(const chain::DcKind& k, qint64 id, const QString& no, QList<QPair<QString, double>> lines,
                  bool adding = true) {
        Challans::Dc dc;
        dc.id = id;
        dc.party = 1;
        dc.dcNo = no;
        dc.dcDate = QDate(2026, 6, 10);
        dc.poNo = "PO-1";
        dc.poDate = QDate(2026, 6, 1);
        for (const auto& [code, qty] : lines)
            dc.lines << Challans::Line{code, "Particulars " + code, qty, QString(), {}};
        if (const Check c = Challans::validate(*db, k, dc, adding, false, 1)) throw Refused(*c);
        qint64 written = 0;
        Sql::transaction(*db, [&] { written = Challans::save(*db, k, dc, adding, false, 1, {}); });
        return written;
    }

    QSqlDatabase* db = nullptr;
};

using Balances = QList<QList<double>>;

TEST_P(ChainRoundTrip, EveryChainGoesThereAndBackToItsExactStart) {
    for (const ChainCase& c : chains()) {
        SCOPED_TRACE(c.name);
        const chain::OrderKind& k = *c.order;
        makeParty(k);
        Orders::Header h{1, 1, "PO-1", QDate(2026, 6, 1), {}};
        const QList<Orders::Line> lines =
            orderLines({{"A100", 10, "0.125"}, {"B200", 20, "12.345"}, {"C300", 5, "7.1234"}});
        ASSERT_FALSE(Orders::validateLines(*db, k, 1, true, lines));
        Sql::transaction(*db, [&] { Orders::save(*db, k, h, lines, true); });
        const QList<double> full{10, 20, 5};
        Balances start;
        for (double q : full) start << QList<double>(k.balances.size(), q);
        ASSERT_EQ(balances(k, 1), start);
        EXPECT_DOUBLE_EQ(Orders::lines(*db, k, 1)[2].rate, 7.1234);  // as typed

        for (const chain::DcKind* dk : c.dcs) {
            const int b = dk->draws;
            auto drawn = [&](QList<double> left) {
                Balances want = start;
                for (int i = 0; i < want.size(); ++i) want[i][b] = left[i];
                return want;
            };
            const qint64 one = saveDc(*dk, Challans::proposedId(*db, *dk), "1", {{"B200", 20}, {"A100", 4}});
            EXPECT_EQ(balances(k, 1), drawn({6, 0, 5}));
            EXPECT_FALSE(tally(k, b, 1));
            if (dk == c.dcs.front()) {
                // A line cannot go below what was drawn on it: refused there, the cell put back.
                QList<Orders::Line> changed = lines;
                changed[1].qty = 19;
                const Check r = Orders::validateLines(*db, k, 1, false, changed);
                ASSERT_TRUE(r);
                EXPECT_EQ(r->row, 2);
                EXPECT_EQ(r->resetCell, "20");
                // Raised, the balance moves by the change; a drawn order keeps its number.
                changed[1].qty = 22;
                Orders::Header renamed = h;
                renamed.poNo = "PO-X";
                Sql::transaction(*db, [&] { Orders::save(*db, k, renamed, changed, false); });
                EXPECT_DOUBLE_EQ(Orders::lines(*db, k, 1)[1].balances[b], 2);
                EXPECT_EQ(Orders::header(*db, k, 1)->poNo, "PO-1");
                EXPECT_EQ(refusalText(Orders::deleteBlock(*db, k, 1)), k.deleteRefused);
                Sql::transaction(*db, [&] { Orders::save(*db, k, h, lines, false); });
                EXPECT_EQ(balances(k, 1), drawn({6, 0, 5}));
            }
            const qint64 two = saveDc(*dk, Challans::proposedId(*db, *dk), "2", {{"A100", 6}, {"C300", 5}});
            EXPECT_EQ(balances(k, 1), drawn({0, 0, 0}));
            EXPECT_TRUE(tally(k, b, 1));
            EXPECT_TRUE(Orders::openOrders(*db, k, b, 1).isEmpty());

            // More than is left: refused inside the save too, and nothing of it stays.
            Challans::Dc over;
            over.id = Challans::proposedId(*db, *dk);
            over.party = 1;
            over.dcNo = "3";
            over.dcDate = QDate(2026, 6, 10);
            over.poNo = "PO-1";
            over.lines << Challans::Line{"A100", "x", 1, QString(), {}};
            EXPECT_THROW(Sql::transaction(*db, [&] { Challans::save(*db, *dk, over, true, false, 1, {}); }), Refused);
            EXPECT_EQ(count(*db, QString("select count(*) from %1").arg(dk->header)), 2);
            EXPECT_EQ(balances(k, 1), drawn({0, 0, 0}));

            if (c.bill && dk == c.dcs.front()) {
                const chain::BillKind& bk = *c.bill;
                const QList<qint64> dcs = Bills::take(*db, bk, 1, {one, two}, 0);
                const QDateTime at(QDate(2026, 6, 11), QTime(9, 30));
                chain::Row bill;
                bill.set("InvNo", "7").set("InvDate", "11/06/2026").set("InvDateT", Db::ts(at));
                bill.set("TotVal", 100000).set("Balance", 100000);
                Sql::transaction(*db, [&] { Bills::write(*db, bk, dcs, bill, true); });
                EXPECT_EQ(Bills::billOf(*db, bk, one), std::max(one, two));
                EXPECT_EQ(Bills::dcsOf(*db, bk, one), dcs);
                EXPECT_EQ(Bills::navigation(*db, bk), QList<qint64>{std::max(one, two)});
                EXPECT_EQ(refusalText(Bills::duplicateNumber(*db, bk, "7", at.date(), {}, 1)), bk.duplicateNo);
                EXPECT_FALSE(Bills::duplicateNumber(*db, bk, "7", at.date(), dcs, 1));
                EXPECT_FALSE(Bills::duplicateNumber(*db, bk, "7", QDate(2027, 4, 1), {}, 1));  // the next year
                // A DC already billed cannot be taken again, at this desk or another.
                EXPECT_THROW(Bills::take(*db, bk, 1, {one}, 0), Refused);
                exec(*db, QString("update %1 set Balance=50000").arg(dk->header));
                EXPECT_TRUE(Bills::deleteBlock(*db, bk, two));
                exec(*db, QString("update %1 set Balance=TotVal").arg(dk->header));
                Sql::transaction(*db, [&] { Bills::clear(*db, bk, two); });
                EXPECT_TRUE(Bills::navigation(*db, bk).isEmpty());
                EXPECT_EQ(Bills::openDcs(*db, bk, 1).size(), 2);
            }

            // Down, then back: the order gets back what the DC no longer takes, and opens again.
            saveDc(*dk, one, "1", {{"B200", 15}, {"A100", 3}}, false);
            EXPECT_EQ(balances(k, 1), drawn({1, 5, 0}));
            EXPECT_FALSE(tally(k, b, 1));
            Sql::transaction(*db, [&] { Challans::remove(*db, *dk, two, {}); });
            Sql::transaction(*db, [&] { Challans::remove(*db, *dk, one, {}); });
            EXPECT_EQ(balances(k, 1), start);
            EXPECT_FALSE(tally(k, b, 1));
            EXPECT_EQ(count(*db, QString("select count(*) from %1").arg(dk->lines)), 0);
        }
        EXPECT_FALSE(Orders::deleteBlock(*db, k, 1));
        Sql::transaction(*db, [&] { Orders::remove(*db, k, 1); });
        EXPECT_EQ(count(*db, QString("select count(*) from %1").arg(k.lines)), 0);
        exec(*db, QString("delete from %1").arg(k.partyTable));
    }
}

KAVRA_ON_EVERY_ENGINE(ChainRoundTrip);

}  // namespace
