// The look-ups the document screens and saves make, as the engine plans them: each statement
// a DC, invoice, stores or party save runs is explained, and none may read a whole large
// table (so none sorts one either: a sort only ever gets what an index search found). A
// save's statements grow with its lines, not with the year.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

#include "core/Session.h"
#include "core/Sql.h"
#include "inventory/Stores.h"
#include "masters/Parties.h"
#include "sales/DeliveryChallans.h"
#include "sales/Invoices.h"
#include "sales/Orders.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::sales;
using namespace kavra::test;
namespace Inv = kavra::sales::Invoices;
namespace Stores = kavra::inventory::Stores;

namespace {

// Tables that grow with the year; the masters of units, categories and settings stay small.
const QSet<QString>& largeTables() {
    static const QSet<QString> s{"dcinv",     "dcinvsub",   "mfgpo",         "mfgposub",      "labpo",
                                 "labposub",  "dcincoming", "dcincomingsub", "dcoutgoinginv", "dcoutgoingsubinv",
                                 "fundtrans", "stn",        "stnsub",        "storeiss",      "storeisssub",
                                 "productl",  "item",       "customer"};
    return s;
}

struct Statement {
    QString sql;
    QVariantList params;
};

// Every statement run while it lives.
class Recorder {
  public:
    Recorder() {
        Sql::setTrace([this](const QSqlDatabase&, const QString& sql, const QVariantList& p) {
            seen << Statement{sql, p};
        });
    }
    ~Recorder() { Sql::setTrace({}); }
    QList<Statement> seen;
};

// A ? outside quotes replaced by the value as a literal (the server cannot prepare EXPLAIN).
QString inlined(const QString& sql, const QVariantList& params) {
    QString out;
    int at = 0;
    bool quoted = false;
    for (const QChar c : sql) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (c != QLatin1Char('?') || quoted) {
            out += c;
            continue;
        }
        const QVariant v = params.value(at++);
        if (v.isNull())
            out += "NULL";
        else if (v.typeId() == QMetaType::Bool)
            out += v.toBool() ? "TRUE" : "FALSE";
        else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double)
            out += v.toString();
        else
            out += QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), "''") + QLatin1Char('\'');
    }
    return out;
}

// Table aliases of a statement ("from DcInv d, DcInv r"): alias -> table, lower case.
QHash<QString, QString> aliases(const QString& sql) {
    QHash<QString, QString> out;
    static const QRegularExpression re(
        "(?:from|join|,)\\s+(\\w+)(?:\\s+(?!where|on|join|left|inner|order|group|limit|set)(\\w+))?",
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(sql); it.hasNext();) {
        const auto m = it.next();
        const QString table = m.captured(1).toLower();
        out.insert(table, table);
        if (!m.captured(2).isEmpty()) out.insert(m.captured(2).toLower(), table);
    }
    return out;
}

void walk(const QJsonObject& node, const bool limited, QStringList& faults) {
    const QString type = node.value("Node Type").toString();
    const QString rel = node.value("Relation Name").toString().toLower();
    // A walk that stops after its first rows and tests nothing on the way is bounded.
    const bool bounded = limited && !node.contains("Filter");
    if (largeTables().contains(rel) && !bounded) {
        if (type == "Seq Scan") faults << "reads all of " + rel;
        if (type.startsWith("Index") && !node.contains("Index Cond"))
            faults << "reads all of " + rel + " along an index";
    }
    for (const QJsonValue& c : node.value("Plans").toArray()) walk(c.toObject(), limited, faults);
}

class LookupPlans : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        db = &company();
        exec(*db,
             "insert into Customer (CustId, CustName, CustAddr) values (1, 'ACME', 'Peenya'), (2, 'BHARAT', 'Hosur')");
        for (int i = 1; i <= kItems; ++i)
            exec(*db,
                 "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
                 "(?,?,?,5,'NOS',10)",
                 {i, QString("P%1").arg(i, 3, 10, QLatin1Char('0')), QString("Part %1").arg(i)});
        exec(*db, "update Misc set RedStkM=?", {true});
        QList<inventory::NoteLine> stock;
        for (int i = 1; i <= kItems; ++i) stock.append({i, 1000});
        Sql::transaction(*db, [&] { Stores::raiseNote(*db, inventory::NoteSource::Manual, "Stores", stock); });
        Orders::Order o;
        o.id = 1;
        o.custId = 1;
        o.address = "Peenya";
        o.poNo = "PO-1";
        o.poDate = o.validFrom = QDate(2026, 6, 1);
        o.validTo = QDate(2027, 3, 31);
        for (int i = 1; i <= kItems; ++i) {
            Orders::Line l;
            l.itemCode = code(i);
            l.itemName = "name";
            l.uom = "NOS";
            l.qty = 100;
            l.rate = 12.5;
            o.lines << l;
        }
        o.value = Orders::computedValue(o);
        Sql::transaction(*db, [&] { Orders::save(*db, o, true); });
    }

    static QString code(int i) { return QString("P%1").arg(i, 3, 10, QLatin1Char('0')); }

    Dcs::Dc dc(const QString& no, int lines) {
        Dcs::Dc d;
        d.id = Dcs::proposedId(*db);
        d.party = 1;
        d.dcNo = no;
        d.dcDate = QDate(2026, 6, 10);
        d.poNo = "PO-1";
        d.poDate = QDate(2026, 6, 1);
        for (int i = 1; i <= lines; ++i) d.lines << Dcs::Line{code(i), "Particulars " + code(i), 2, " ", {}};
        return d;
    }

    qint64 saveDc(const Dcs::Dc& d, bool adding) {
        const auto p = Dcs::validate(*db, d, adding, true, Session::current().dcMode);
        EXPECT_FALSE(p) << (p ? p->text.toStdString() : "");
        qint64 id = 0;
        Sql::transaction(*db, [&] { id = Dcs::save(*db, d, adding, true, Session::current().dcMode); });
        return id;
    }

    // What is wrong with the engine's plan of one statement; empty when nothing is.
    QStringList faults(const Statement& s) {
        QStringList out;
        const bool limited = s.sql.contains(" limit ", Qt::CaseInsensitive);
        if (isPg()) {
            QSqlQuery q = Sql::exec(*db, "EXPLAIN (FORMAT JSON) " + inlined(s.sql, s.params));
            if (!q.next()) return {"no plan"};
            const QJsonArray plans = QJsonDocument::fromJson(q.value(0).toString().toUtf8()).array();
            for (const QJsonValue& p : plans) walk(p.toObject().value("Plan").toObject(), limited, out);
            return out;
        }
        const QHash<QString, QString> tables = aliases(s.sql);
        // The newest rows along a key, with nothing to test on the way: bounded by the limit.
        const bool bounded = limited && !s.sql.contains(" where ", Qt::CaseInsensitive);
        QSqlQuery q = Sql::exec(*db, "EXPLAIN QUERY PLAN " + s.sql, s.params);
        while (q.next()) {
            const QString step = q.value(3).toString();
            if (step.startsWith("SCAN ")) {
                const QString name = step.section(QLatin1Char(' '), 1, 1).toLower();
                const QString table = tables.value(name, name);
                if (largeTables().contains(table) && !bounded) out << "reads all of " + table;
            }
        }
        return out;
    }

    static constexpr int kItems = 30;
    QSqlDatabase* db = nullptr;
};

TEST_P(LookupPlans, EveryStatementOfTheSavesAndListsUsesAnIndex) {
    Recorder r;
    // DCs: entered, stored, changed; the lists the DC screen offers.
    const qint64 first = saveDc(dc("1", 10), true);
    auto stored = Dcs::load(*db, first);
    ASSERT_TRUE(stored);
    stored->lines[0].qty = 3;
    saveDc(*stored, false);
    Dcs::earlierTexts(*db);
    Dcs::openOrders(*db, 1);
    Dcs::openOrderItemCodes(*db, 1, "PO-1");
    Dcs::find(*db, "1");
    const qint64 second = saveDc(dc("2", 5), true);
    // The invoice over both: the choice, the proposals, the save, the invoice shown again.
    Inv::openDcs(*db, 1);
    Inv::Invoice inv;
    inv.custId = 1;
    inv.dcIds = {first, second};
    inv.invNo = "501";
    inv.invDate = QDateTime(QDate(2026, 6, 10), QTime(11, 0));
    inv.lines = Inv::dcLines(*db, inv.dcIds);
    Inv::proposeRates(*db, 1, inv.lines);
    inv.taxes = Inv::proposeTaxes(*db, 1, inv.dcIds);
    for (Inv::Line& l : inv.lines) l.rate = 12.5;
    EXPECT_FALSE(Inv::validate(*db, inv, false, 0, 1));
    qint64 id = 0;
    Sql::transaction(*db, [&] { id = Inv::save(*db, inv, false, 0, 1); });
    ASSERT_TRUE(Inv::load(*db, id));
    Inv::invoiceOf(*db, first);
    Inv::find(*db, "501");
    // The stores and a customer renamed with the ledger following.
    Stores::stockOf(*db, 1);
    auto acme = Parties::load(*db, Parties::customer(), 1);
    ASSERT_TRUE(acme);
    acme->name = "ACME TOOLS";
    Sql::transaction(*db, [&] { Parties::save(*db, Parties::customer(), *acme, false, QDate(2026, 6, 10)); });
    const QList<Statement> seen = r.seen;

    if (isPg()) {
        // A tiny table is read whole whatever its indexes; the planner must show the index it would use.
        exec(*db, "SET enable_seqscan = off");
    }
    QSet<QString> explained;
    int checked = 0;
    for (const Statement& s : seen) {
        const QString head = s.sql.trimmed().section(QLatin1Char(' '), 0, 0).toLower();
        if (head != "select" && head != "update" && head != "delete") continue;
        if (explained.contains(s.sql)) continue;
        explained.insert(s.sql);
        ++checked;
        const QStringList f = faults(s);
        EXPECT_TRUE(f.isEmpty()) << s.sql.toStdString() << "\n  " << f.join("; ").toStdString();
    }
    if (isPg()) {
        exec(*db, "RESET enable_seqscan");
    }
    EXPECT_GT(checked, 30);
}

TEST_P(LookupPlans, ASaveRunsAFewStatementsPerLine) {
    for (const int lines : {10, 30}) {
        Recorder r;
        saveDc(dc(QString::number(lines), lines), true);
        // Checks and save together, the stores issue included.
        EXPECT_LE(r.seen.size(), 5 * lines + 40) << lines << " lines";
        int orderLookups = 0, itemLookups = 0;
        for (const Statement& s : r.seen) {
            if (s.sql.contains("from MfgPO where")) ++orderLookups;
            if (s.sql.contains("from Item where")) ++itemLookups;
        }
        EXPECT_LE(orderLookups, 4) << lines << " lines";
        EXPECT_LE(itemLookups, 4) << lines << " lines";
    }
}

}  // namespace

KAVRA_ON_EVERY_ENGINE(LookupPlans);
