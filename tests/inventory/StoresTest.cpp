// The stores as lots on both engines: oldest-first issuing and its exact reversal, the
// refusals that leave nothing written, manual notes that lock once issued from, and two
// workstations issuing from the same lots at once.
#include <QSqlQuery>
#include <QThread>
#include <latch>
#include <thread>

#include "core/Refusal.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "inventory/Stores.h"
#include "inventory/TransferNotes.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::inventory;
using namespace kavra::test;

namespace {

const QDate kToday(2026, 12, 7);

class StoresTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(kToday, QTime(10, 0)))) return;
        db = &company();
        item(1, "SHAFT-01");
        item(2, "BUSH-02", 2);
    }
    void item(qint64 id, const char* code, qint64 category = 1, double rol = 0) {
        exec(*db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, ROL) values "
             "(?,?,?,?,'NOS',?)",
             {id, QString::fromLatin1(code), "Name of " + QString::fromLatin1(code), category, rol});
    }
    // A note of one line per quantity, all of item 1 unless told.
    qint64 note(double qty, qint64 itemId = 1) {
        return Stores::raiseNote(*db, NoteSource::PurchaseBill, "Vendor", {{itemId, qty}});
    }
    qint64 issue(double qty, qint64 itemId = 1, IssueSource src = IssueSource::Manual) {
        qint64 id = 0;
        Sql::transaction(*db, [&] {
            id = Stores::raiseIssue(*db, src, kToday, " Shop floor", " ", {{itemId, 0, qty}});
        });
        return id;
    }
    double bal(qint64 stn, int slNo = 1) {
        return Sql::scalar(*db, "select BalQty from STNSub where Id=? and SlNo=?", {stn, slNo}).toDouble();
    }
    QVariant trak(qint64 stn, int slNo = 1) {
        return Sql::scalar(*db, "select trak from STNSub where Id=? and SlNo=?", {stn, slNo});
    }
    QString issueTrak(qint64 issueId) {
        return Sql::scalar(*db, "select Trak from StoreIssSub where Id=?", {issueId}).toString();
    }
    QString pair(int qty, qint64 issueId) { return QString("%1,%2").arg(qty).arg(issueId); }
    qint64 rows(const char* table) {
        return count(*db, QString("select count(*) from %1").arg(QString::fromLatin1(table)));
    }

    QSqlDatabase* db = nullptr;
};

TEST_P(StoresTest, IssueDrawsOldestLotsFirstAndItsReversalGivesBackExactly) {
    // Numbers 1-4 and 6-7 are taken and abandoned, so the notes are 5 and 8.
    for (int i = 0; i < 4; ++i) Stores::takeNoteNumber(*db);
    const qint64 five = note(10);
    Stores::takeNoteNumber(*db);
    Stores::takeNoteNumber(*db);
    const qint64 eight = note(20);
    ASSERT_EQ(five, 5);
    ASSERT_EQ(eight, 8);
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 1), 30);
    EXPECT_EQ(Sql::scalar(*db, "select catC from STNSub where Id=8").toLongLong(), 1);

    const qint64 n = issue(25);
    EXPECT_DOUBLE_EQ(bal(five), 0);
    EXPECT_DOUBLE_EQ(bal(eight), 5);
    EXPECT_EQ(issueTrak(n), "5,10,8,15");
    EXPECT_EQ(trak(five).toString(), pair(10, n));
    EXPECT_EQ(trak(eight).toString(), pair(15, n));
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 1), 5);
    EXPECT_DOUBLE_EQ(Sql::scalar(*db, "select IssQty from StoreIssSub where Id=?", {n}).toDouble(), 25);
    EXPECT_TRUE(Stores::noteDrawnOn(*db, five));

    // A second issue from the part-used lot keeps both draws on record, in order.
    const qint64 m = issue(2);
    EXPECT_EQ(trak(eight).toString(), pair(15, n) + QLatin1Char(',') + pair(2, m));

    Sql::transaction(*db, [&] { Stores::reverseIssue(*db, n); });
    EXPECT_DOUBLE_EQ(bal(five), 10);
    EXPECT_DOUBLE_EQ(bal(eight), 18);
    EXPECT_TRUE(trak(five).isNull());
    EXPECT_EQ(trak(eight).toString(), pair(2, m));
    EXPECT_EQ(count(*db, "select count(*) from StoreIss where Id=?", {n}), 0);
    EXPECT_EQ(count(*db, "select count(*) from StoreIssSub where Id=?", {n}), 0);

    Sql::transaction(*db, [&] { Stores::reverseIssue(*db, m); });
    EXPECT_DOUBLE_EQ(bal(eight), 20);
    EXPECT_TRUE(trak(eight).isNull());
    EXPECT_FALSE(Stores::noteDrawnOn(*db, eight));
    EXPECT_EQ(rows("StoreIss"), 0);
    // Whole again, a note may go with its lines.
    Sql::transaction(*db, [&] { Stores::deleteNote(*db, eight); });
    EXPECT_EQ(rows("STN"), 1);
    EXPECT_EQ(count(*db, "select count(*) from STNSub where Id=?", {eight}), 0);
}

TEST_P(StoresTest, ReissuingADocumentForMoreOrLessMovesOnlyItsOwnDraws) {
    const qint64 a = note(10), b = note(20);
    const qint64 other = issue(4);  // someone else's draw on the oldest lot
    qint64 doc = issue(5, 1, IssueSource::MfgDc);
    ASSERT_DOUBLE_EQ(bal(a), 1);
    const auto reissue = [&](double qty) {
        Sql::transaction(*db, [&] {
            Stores::reverseIssue(*db, doc);
            doc = Stores::raiseIssue(*db, IssueSource::MfgDc, kToday, "Customer", {}, {{1, 0, qty}});
        });
    };

    reissue(18);
    EXPECT_DOUBLE_EQ(bal(a), 0);
    EXPECT_DOUBLE_EQ(bal(b), 8);
    EXPECT_EQ(trak(a).toString(), pair(4, other) + QLatin1Char(',') + pair(6, doc));
    EXPECT_EQ(trak(b).toString(), pair(12, doc));
    EXPECT_EQ(issueTrak(doc), QString("%1,6,%2,12").arg(a).arg(b));

    reissue(2);
    EXPECT_DOUBLE_EQ(bal(a), 4);
    EXPECT_DOUBLE_EQ(bal(b), 20);
    EXPECT_EQ(trak(a).toString(), pair(4, other) + QLatin1Char(',') + pair(2, doc));
    EXPECT_TRUE(trak(b).isNull());

    // More than the stock: the whole change is refused and the old issue stands.
    const qint64 before = doc;
    EXPECT_THROW(reissue(100), Refused);
    doc = before;
    EXPECT_DOUBLE_EQ(bal(a), 4);
    EXPECT_DOUBLE_EQ(bal(b), 20);
    EXPECT_EQ(issueTrak(doc), QString("%1,2").arg(a));
    EXPECT_EQ(rows("StoreIss"), 2);
}

TEST_P(StoresTest, FractionsTakenAndGivenBackEndOnTheStartingBalance) {
    const qint64 a = note(0.3);
    const qint64 n = issue(0.1);
    EXPECT_DOUBLE_EQ(bal(a), 0.2);
    const qint64 m = issue(0.2);  // exactly what is left
    EXPECT_EQ(bal(a), 0.0);
    Sql::transaction(*db, [&] {
        Stores::reverseIssue(*db, n);
        Stores::reverseIssue(*db, m);
    });
    EXPECT_FALSE(Stores::noteDrawnOn(*db, a));  // BalQty equals Qty again, to the bit
}

TEST_P(StoresTest, AShortIssueIsRefusedWithNothingWritten) {
    const qint64 a = note(10), b = note(20);
    try {
        issue(31);
        ADD_FAILURE() << "an issue above the stock was accepted";
    } catch (const Refused& r) {
        EXPECT_EQ(r.text(), " Invalid Quantity ... ");
    }
    // A document's own message; two lines of one item count together.
    try {
        Sql::transaction(*db, [&] {
            Stores::raiseIssue(*db, IssueSource::MfgDc, kToday, "C", {}, {{1, 0, 20}, {1, 0, 11}},
                               "Stock is not enough");
        });
        ADD_FAILURE() << "two lines above the stock were accepted";
    } catch (const Refused& r) {
        EXPECT_EQ(r.text(), "Stock is not enough");
    }
    EXPECT_THROW(issue(-1), Refused);
    EXPECT_THROW(issue(1, 2), Refused);  // no lot of that item at all
    EXPECT_EQ(rows("StoreIss"), 0);
    EXPECT_EQ(rows("StoreIssSub"), 0);
    EXPECT_DOUBLE_EQ(bal(a), 10);
    EXPECT_DOUBLE_EQ(bal(b), 20);
    EXPECT_TRUE(trak(a).isNull());
    EXPECT_TRUE(trak(b).isNull());

    // The whole stock is fine, and then nothing more.
    issue(30);
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 1), 0);
    EXPECT_THROW(issue(0.001), Refused);
}

TEST_P(StoresTest, NumbersAreNeverGivenTwiceAcrossTopics) {
    const qint64 abandoned = Stores::takeNoteNumber(*db, 1);
    const qint64 bill = note(5);  // topic 2
    const qint64 next = Stores::takeNoteNumber(*db, 1);
    EXPECT_GT(bill, abandoned);
    EXPECT_GT(next, bill);
    EXPECT_EQ(count(*db, "select count(*) from AutoCITS where TopicTS=1"), 2);
    const qint64 i1 = Stores::takeIssueNumber(*db, 1);
    EXPECT_EQ(Stores::takeIssueNumber(*db, 3), i1 + 1);
    // A note raised by a document carries the party and today.
    QSqlQuery q = Sql::exec(*db, "select STNNo, TS, PrepBy, RemAny, STNDate from STN where Id=?", {bill});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toLongLong(), bill);
    EXPECT_EQ(q.value(1).toInt(), 2);
    EXPECT_EQ(q.value(2).toString(), "Vendor");
    EXPECT_EQ(q.value(3).toString(), " ");
    EXPECT_EQ(Db::toDate(q.value(4)), kToday);
}

TEST_P(StoresTest, StockListsAndTheDaysIssues) {
    item(3, "AAA-03", 1);
    note(10);
    note(2.5);
    note(4, 2);
    issue(10);
    const QList<Stores::StockRow> raw = Stores::stockOfCategory(*db, 1);
    ASSERT_EQ(raw.size(), 2);
    EXPECT_EQ(raw[0].itemCode, "AAA-03");  // by code, stock 0 shown too
    EXPECT_DOUBLE_EQ(raw[0].stock, 0);
    EXPECT_DOUBLE_EQ(raw[1].stock, 2.5);
    EXPECT_EQ(Stores::stockOfCategory(*db, 0).size(), 3);

    issue(1, 2, IssueSource::MfgDc);  // not a manual issue
    Sql::transaction(*db, [&] {
        Stores::raiseIssue(*db, IssueSource::Manual, kToday.addDays(-1), " Yesterday", {}, {{2, 0, 1}});
    });
    const QList<Stores::IssueRow> day = Stores::manualIssuesOn(*db, kToday);
    ASSERT_EQ(day.size(), 1);
    EXPECT_EQ(day[0].itemCode, "SHAFT-01");
    EXPECT_EQ(day[0].category, "RAW MATERIAL");
    EXPECT_EQ(day[0].toWhom, " Shop floor");
    EXPECT_DOUBLE_EQ(day[0].qty, 10);
    EXPECT_EQ(Stores::manualIssuesOn(*db, kToday.addDays(-1)).size(), 1);
}

// ---- manual notes

TransferNotes::Note manualNote(qint64 id, const QString& number, QList<TransferNotes::Line> lines) {
    TransferNotes::Note n;
    n.id = id;
    n.number = number;
    n.date = kToday;
    n.preparedBy = "Ravi";
    n.lines = std::move(lines);
    return n;
}

TEST_P(StoresTest, ManualNoteChecksInTheirOrder) {
    using TransferNotes::validate;
    const TransferNotes::Line good{"SHAFT-01", "name of shaft-01", "4"};
    auto text = [&](const TransferNotes::Note& n, bool adding = true) {
        const auto p = validate(*db, n, adding);
        return p ? p->text : QString();
    };
    EXPECT_EQ(text(manualNote(1, " ", {good})), "Enter the STN Number ");
    EXPECT_EQ(text(manualNote(1, "1", {})), "Please Enter the ItemName/Item details by clicking the grid heading...");
    EXPECT_EQ(text(manualNote(1, "1", {good, {"", "x", "1"}})), "Enter Part No. for the SlNo. 2");
    EXPECT_EQ(text(manualNote(1, "1", {good, {"X", "", "1"}})), "Enter a Item/Component Name for the SlNo.2");
    EXPECT_EQ(text(manualNote(1, "1", {{"NOPE", "Name of SHAFT-01", "1"}})),
              "Part No. does not exist ... Press F5 Key to Add New Items!!!");
    EXPECT_EQ(text(manualNote(1, "1", {{"SHAFT-01", "Nothing", "1"}})), "Item/Component Name does not exist ... ");
    EXPECT_EQ(text(manualNote(1, "1", {{"SHAFT-01", "Name of BUSH-02", "1"}})), "Part No. differs for this Item ... ");
    const auto qty = validate(*db, manualNote(1, "1", {good, {"BUSH-02", "Name of BUSH-02", "0"}}), true);
    ASSERT_TRUE(qty);
    EXPECT_EQ(qty->text, "Enter the Valid Qty  ");
    EXPECT_EQ(qty->row, 2);
    EXPECT_EQ(qty->col, 3);
    EXPECT_EQ(text(manualNote(1, "1", {good})), QString());

    // The number is unique among manual notes only, and a note keeps its own on Modify.
    const qint64 seven = Stores::takeNoteNumber(*db);
    Sql::transaction(*db, [&] { TransferNotes::save(*db, manualNote(seven, "7", {good}), true); });
    const qint64 billNote = note(1);
    exec(*db, "update STN set STNNo=9 where Id=?", {billNote});
    EXPECT_EQ(text(manualNote(2, "7", {good})), " A Record with same Order No. already exist...");
    EXPECT_EQ(text(manualNote(2, "9", {good})), QString());
    EXPECT_EQ(text(manualNote(seven, "7", {good}), false), QString());
}

TEST_P(StoresTest, AManualNoteIssuedFromIsFixed) {
    const qint64 id = Stores::takeNoteNumber(*db);
    auto n = manualNote(id, QString::number(id),
                        {{"SHAFT-01", "Name of SHAFT-01", "10"}, {"BUSH-02", "Name of BUSH-02", "6"}});
    Sql::transaction(*db, [&] { TransferNotes::save(*db, n, true); });
    EXPECT_EQ(TransferNotes::ids(*db), QList<qint64>{id});
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 2), 6);
    EXPECT_EQ(Sql::scalar(*db, "select catC from STNSub where Id=? and SlNo=2", {id}).toLongLong(), 2);

    // While whole it may change: lines are replaced.
    n.lines[1].qty = "8";
    n.remarks = "recounted";
    EXPECT_EQ(refusalText(TransferNotes::modifyBlock(*db, id)), QString());
    Sql::transaction(*db, [&] { TransferNotes::save(*db, n, false); });
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 2), 8);
    const auto loaded = TransferNotes::load(*db, id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->lines.size(), 2);
    EXPECT_EQ(loaded->lines[1].qty, "8");
    EXPECT_EQ(loaded->remarks, "recounted");
    EXPECT_EQ(loaded->date, kToday);

    issue(3, 2);
    EXPECT_EQ(refusalText(TransferNotes::gridBlock(*db, id)),
              "You cannot Modify this Store Transfer Note , since some transactions has been made "
              "already...");
    EXPECT_EQ(refusalText(TransferNotes::modifyBlock(*db, id)),
              "You cannot Modify this Store Transfer Note , since some Material has been Issued from "
              "this STN : " +
                  QString::number(id));
    EXPECT_EQ(refusalText(TransferNotes::deleteBlock(*db, id)),
              "You cannot Modify this Store Transfer Note , since some Material has been Issued "
              "Using this Record...");
    // Even when a screen looked before the issue, the write itself refuses and keeps the lots.
    EXPECT_THROW(Sql::transaction(*db, [&] { TransferNotes::save(*db, n, false); }), Refused);
    EXPECT_THROW(Sql::transaction(*db, [&] { TransferNotes::remove(*db, id); }), Refused);
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 2), 5);
    EXPECT_DOUBLE_EQ(Stores::stockOf(*db, 1), 10);
    EXPECT_EQ(count(*db, "select count(*) from STN where Id=?", {id}), 1);

    EXPECT_EQ(TransferNotes::findByNumber(*db, QString::number(id)).id, id);
    const Found none = TransferNotes::findByNumber(*db, "999");
    EXPECT_FALSE(none.id);
    EXPECT_EQ(none.message, " NO Store Transfer Note exists with this No.");
}

// ---- two workstations

struct Outcome {
    bool ok = false;
    QString refused;
    QString error;
};

Outcome issueOn(const QString& dbName, double qty, std::latch* start) {
    Outcome o;
    QSqlDatabase conn = Db::open(dbName);
    // Both start together; on SQLite the second then queues for the write lock.
    if (start) start->arrive_and_wait();
    try {
        Sql::transaction(conn, [&] { Stores::raiseIssue(conn, IssueSource::Manual, kToday, " W", {}, {{1, 0, qty}}); });
        o.ok = true;
    } catch (const Refused& r) {
        o.refused = r.text();
    } catch (const DbError& e) {
        o.error = e.text();
    }
    Db::close(conn);
    return o;
}

TEST_P(StoresTest, TwoWorkstationsIssuingAtOnceNeverOverdrawALot) {
    const qint64 a = note(10), b = note(20);
    const QString name = Session::current().companyDb;
    std::latch start(2);
    Outcome one, two;
    std::thread t1([&] { one = issueOn(name, 20, &start); });
    std::thread t2([&] { two = issueOn(name, 20, &start); });
    t1.join();
    t2.join();
    EXPECT_TRUE(one.error.isEmpty()) << one.error.toStdString();
    EXPECT_TRUE(two.error.isEmpty()) << two.error.toStdString();
    EXPECT_NE(one.ok, two.ok);
    EXPECT_EQ(one.ok ? two.refused : one.refused, Stores::shortStockMessage());
    EXPECT_DOUBLE_EQ(bal(a), 0);
    EXPECT_DOUBLE_EQ(bal(b), 10);
    EXPECT_EQ(rows("StoreIss"), 1);
    EXPECT_EQ(rows("StoreIssSub"), 1);
    EXPECT_EQ(count(*db, "select count(*) from STNSub where BalQty<0"), 0);
}

TEST_P(StoresTest, AnIssueWaitingOnAnotherFindsTheLotsItTookAndIsRefused) {
    const qint64 a = note(10), b = note(20);
    const QString name = Session::current().companyDb;
    // Workstation A has drawn 20 and not yet committed.
    QSqlDatabase& first = open(name);
    ASSERT_TRUE(first.transaction());
    Stores::raiseIssue(first, IssueSource::Manual, kToday, " A", {}, {{1, 0, 20}});
    // Workstation B starts meanwhile. On the server it still sees 30 in stock, goes on to the
    // lots and waits on A's row locks; on SQLite it waits to become the writer.
    Outcome second;
    std::thread t([&] { second = issueOn(name, 15, nullptr); });
    if (isPg()) {
        QSqlDatabase& watch = open(name);
        bool waiting = false;
        for (int i = 0; i < 400 && !waiting; ++i) {
            waiting = count(watch,
                            "select count(*) from pg_stat_activity where datname=current_database() "
                            "and wait_event_type='Lock'") > 0;
            if (!waiting) QThread::msleep(25);
        }
        EXPECT_TRUE(waiting) << "the second issue never waited on the first one's lots";
    } else {
        QThread::msleep(300);  // well inside the connection's busy timeout
    }
    ASSERT_TRUE(first.commit());
    t.join();
    EXPECT_FALSE(second.ok);
    EXPECT_EQ(second.refused, Stores::shortStockMessage()) << second.error.toStdString();
    EXPECT_DOUBLE_EQ(bal(a), 0);
    EXPECT_DOUBLE_EQ(bal(b), 10);
    EXPECT_EQ(rows("StoreIss"), 1);
    EXPECT_EQ(trak(b).toString().count(QLatin1Char(',')), 1);  // A's draw only
}

KAVRA_ON_EVERY_ENGINE(StoresTest);

}  // namespace
