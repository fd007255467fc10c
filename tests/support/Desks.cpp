#include "support/Desks.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QThread>
#include <cmath>
#include <set>
#include <stdexcept>
#include <tuple>

#include "cash/Ledger.h"
#include "core/Db.h"
#include "core/FinancialYear.h"
#include "core/Sql.h"
#include "inventory/Stores.h"
#include "sales/Orders.h"
#include "sales/SalesKinds.h"

namespace kavra::desks {

namespace Stores = inventory::Stores;

namespace {

constexpr double kEps = 1e-6;

bool differ(double a, double b) {
    return std::abs(a - b) > kEps;
}

QString qty(double v) {
    return QString::number(v, 'g', 12);
}

// "a,b,c,d" as the pairs (a,b), (c,d).
QList<QPair<QString, double>> pairs(const QString& text, bool qtyFirst) {
    QList<QPair<QString, double>> out;
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& a = parts[i];
        const QString& b = parts[i + 1];
        out.append(qtyFirst ? qMakePair(b.trimmed(), a.toDouble()) : qMakePair(a.trimmed(), b.toDouble()));
    }
    return out;
}

void headersAndLines(QSqlDatabase& db, QStringList& out) {
    struct T {
        const char *header, *lines, *key;
    };
    for (const T& t : {T{"DcInv", "DcInvSub", "DcInvId"}, T{"MfgPO", "MfgPOSub", "POId"},
                       T{"StoreIss", "StoreIssSub", "Id"}, T{"STN", "STNSub", "Id"}}) {
        const QString h = QString::fromLatin1(t.header), l = QString::fromLatin1(t.lines),
                      k = QString::fromLatin1(t.key);
        for (qint64 id : Sql::ids(db, QStringLiteral("select h.%1 from %2 h where not exists (select 1 from %3 s "
                                                     "where s.%1=h.%1) order by h.%1")
                                          .arg(k, h, l)))
            out << QStringLiteral("%1 %2 has no lines.").arg(h).arg(id);
        for (qint64 id : Sql::ids(db, QStringLiteral("select distinct s.%1 from %3 s where not exists (select 1 from "
                                                     "%2 h where h.%1=s.%1) order by s.%1")
                                          .arg(k, h, l)))
            out << QStringLiteral("%1 lines of %2 have no header.").arg(l).arg(id);
    }
    QSqlQuery q = Sql::exec(db, QStringLiteral("select d.DcInvId, d.NoOfItems, (select count(*) from DcInvSub s where "
                                               "s.DcInvId=d.DcInvId) from DcInv d order by d.DcInvId"));
    while (q.next())
        if (q.value(1).toInt() != q.value(2).toInt())
            out << QStringLiteral("DC %1 says %2 lines but has %3.")
                       .arg(q.value(0).toLongLong())
                       .arg(q.value(1).toInt())
                       .arg(q.value(2).toInt());
}

void numbersOnce(QSqlDatabase& db, QStringList& out) {
    QMap<QPair<QString, int>, QList<qint64>> dcs;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select DcInvId, DcNo, DcDateT from DcInv order by DcInvId"));
    while (q.next())
        dcs[{q.value(1).toString().trimmed(), FinancialYear::of(Db::toDate(q.value(2)))}] << q.value(0).toLongLong();
    for (auto it = dcs.cbegin(); it != dcs.cend(); ++it)
        if (it->size() > 1)
            out << QStringLiteral("DC number %1 of %2 is on %3 DCs.")
                       .arg(it.key().first)
                       .arg(it.key().second)
                       .arg(it->size());

    // One invoice is the rows of one customer and invoice time; a number twice is two of them.
    QMap<QPair<QString, int>, QSet<QString>> invoices;
    q = Sql::exec(db, QStringLiteral("select InvNo, InvDateT, CustId from DcInv where InvNo is not null and "
                                     "InvNo<>'Nil'"));
    while (q.next()) {
        const QDateTime at = Db::toDateTime(q.value(1));
        invoices[{q.value(0).toString().trimmed(), FinancialYear::of(at.date())}]
            << QStringLiteral("%1@%2").arg(q.value(2).toLongLong()).arg(at.toString(Qt::ISODate));
    }
    for (auto it = invoices.cbegin(); it != invoices.cend(); ++it)
        if (it->size() > 1)
            out << QStringLiteral("Invoice number %1 of %2 is on %3 invoices.")
                       .arg(it.key().first)
                       .arg(it.key().second)
                       .arg(it->size());
}

void orderBalances(QSqlDatabase& db, QStringList& out) {
    // What the DCs took, by customer, order number and item.
    QMap<std::tuple<qint64, QString, qint64>, double> sent;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select d.CustId, d.PONo, s.ItemId, s.Qty from DcInv d join DcInvSub s "
                                               "on s.DcInvId=d.DcInvId where d.PONo is not null"));
    while (q.next()) {
        const QString po = q.value(1).toString().trimmed();
        if (!po.isEmpty()) sent[{q.value(0).toLongLong(), po, q.value(2).toLongLong()}] += q.value(3).toDouble();
    }
    struct Line {
        double ordered = 0, left = 0;
    };
    QMap<QPair<qint64, qint64>, Line> lines;
    QHash<qint64, std::tuple<qint64, QString, bool>> orders;
    q = Sql::exec(db, QStringLiteral("select o.POId, o.CustId, o.PONo, o.POTally, s.ItemId, s.Qty, s.QtyToSend from "
                                     "MfgPO o join MfgPOSub s on s.POId=o.POId"));
    while (q.next()) {
        const qint64 po = q.value(0).toLongLong();
        orders.insert(po, {q.value(1).toLongLong(), q.value(2).toString().trimmed(), q.value(3).toBool()});
        Line& l = lines[{po, q.value(4).toLongLong()}];
        l.ordered += q.value(5).toDouble();
        l.left += q.value(6).toDouble();
    }
    QHash<qint64, double> leftOf;
    for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
        const auto& [cust, poNo, tallied] = orders.value(it.key().first);
        const double took = sent.value({cust, poNo, it.key().second});
        const QString which = QStringLiteral("Order %1 item %2").arg(poNo).arg(it.key().second);
        if (it->left < -kEps) out << which + QStringLiteral(" is below 0: %1.").arg(qty(it->left));
        if (differ(it->left, it->ordered - took))
            out << which + QStringLiteral(" has %1 to send, but %2 ordered less %3 sent is %4.")
                               .arg(qty(it->left), qty(it->ordered), qty(took), qty(it->ordered - took));
        leftOf[it.key().first] += it->left;
    }
    for (auto it = orders.cbegin(); it != orders.cend(); ++it) {
        const bool tallied = std::get<2>(*it);
        if (tallied != (leftOf.value(it.key()) <= kEps))
            out << QStringLiteral("Order %1 is %2 with %3 left to send.")
                       .arg(std::get<1>(*it), tallied ? QStringLiteral("tallied") : QStringLiteral("open"),
                            qty(leftOf.value(it.key())));
    }
}

void lotsAndIssues(QSqlDatabase& db, QStringList& out) {
    // (note, item, issue) -> quantity, once as the lots record it and once as the issues do.
    using Key = std::tuple<QString, qint64, QString>;
    QMap<Key, double> byLots, byIssues;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select Id, SlNo, ItemId, Qty, BalQty, trak from STNSub"));
    while (q.next()) {
        const QString lot = QStringLiteral("Note %1 line %2").arg(q.value(0).toLongLong()).arg(q.value(1).toInt());
        const double total = q.value(3).toDouble(), bal = q.value(4).toDouble();
        if (bal < -kEps) out << lot + QStringLiteral(" is below 0: %1.").arg(qty(bal));
        if (bal > total + kEps) out << lot + QStringLiteral(" holds %1 of %2.").arg(qty(bal), qty(total));
        double drawn = 0;
        for (const auto& [issue, taken] : pairs(q.value(5).toString(), true)) {
            drawn += taken;
            byLots[{q.value(0).toString(), q.value(2).toLongLong(), issue}] += taken;
        }
        if (differ(total - bal, drawn))
            out << lot + QStringLiteral(" lost %1 but records draws of %2.").arg(qty(total - bal), qty(drawn));
    }
    q = Sql::exec(db, QStringLiteral("select Id, SlNo, ItemId, IssQty, Trak from StoreIssSub"));
    while (q.next()) {
        double drawn = 0;
        for (const auto& [note, taken] : pairs(q.value(4).toString(), false)) {
            drawn += taken;
            byIssues[{note, q.value(2).toLongLong(), q.value(0).toString()}] += taken;
        }
        if (differ(q.value(3).toDouble(), drawn))
            out << QStringLiteral("Issue %1 line %2 issued %3 but drew %4 from the lots.")
                       .arg(q.value(0).toLongLong())
                       .arg(q.value(1).toInt())
                       .arg(qty(q.value(3).toDouble()), qty(drawn));
    }
    std::set<Key> keys;
    for (auto it = byLots.cbegin(); it != byLots.cend(); ++it) keys.insert(it.key());
    for (auto it = byIssues.cbegin(); it != byIssues.cend(); ++it) keys.insert(it.key());
    for (const Key& k : keys)
        if (differ(byLots.value(k), byIssues.value(k)))
            out << QStringLiteral("Note %1 records %2 of item %3 drawn by issue %4, which says %5.")
                       .arg(std::get<0>(k), qty(byLots.value(k)))
                       .arg(std::get<1>(k))
                       .arg(std::get<2>(k), qty(byIssues.value(k)));
}

void dcsAndTheirIssues(QSqlDatabase& db, QStringList& out) {
    QHash<qint64, QList<qint64>> dcsOfIssue;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select DcInvId, StoreIssId from DcInv where StoreIssId is not null"));
    while (q.next()) dcsOfIssue[q.value(1).toLongLong()] << q.value(0).toLongLong();
    QHash<qint64, int> kind;
    q = Sql::exec(db, QStringLiteral("select Id, TI from StoreIss"));
    while (q.next()) kind.insert(q.value(0).toLongLong(), q.value(1).toInt());
    auto perItem = [&](const QString& sql, qint64 id) {
        QMap<qint64, double> m;
        QSqlQuery l = Sql::exec(db, sql, {id});
        while (l.next()) m[l.value(0).toLongLong()] += l.value(1).toDouble();
        return m;
    };
    for (auto it = dcsOfIssue.cbegin(); it != dcsOfIssue.cend(); ++it) {
        if (it->size() > 1) out << QStringLiteral("Issue %1 belongs to %2 DCs.").arg(it.key()).arg(it->size());
        if (!kind.contains(it.key())) {
            out << QStringLiteral("DC %1 names issue %2, which is gone.").arg(it->first()).arg(it.key());
            continue;
        }
        const auto dc = perItem(QStringLiteral("select ItemId, Qty from DcInvSub where DcInvId=?"), it->first());
        const auto iss = perItem(QStringLiteral("select ItemId, IssQty from StoreIssSub where Id=?"), it.key());
        for (auto d = dc.cbegin(); d != dc.cend(); ++d)
            if (differ(d.value(), iss.value(d.key())))
                out << QStringLiteral("DC %1 sends %2 of item %3, its issue %4 issued %5.")
                           .arg(it->first())
                           .arg(qty(d.value()))
                           .arg(d.key())
                           .arg(it.key())
                           .arg(qty(iss.value(d.key())));
        for (auto i = iss.cbegin(); i != iss.cend(); ++i)
            if (!dc.contains(i.key()))
                out << QStringLiteral("Issue %1 of DC %2 issued item %3, which the DC does not send.")
                           .arg(it.key())
                           .arg(it->first())
                           .arg(i.key());
    }
    for (auto it = kind.cbegin(); it != kind.cend(); ++it)
        if (it.value() == int(inventory::IssueSource::MfgDc) && !dcsOfIssue.contains(it.key()))
            out << QStringLiteral("Issue %1 was raised by a DC that no longer names it.").arg(it.key());
    for (qint64 id : Sql::ids(db, QStringLiteral("select DcInvId from DcInv where Balance<0 order by DcInvId")))
        out << QStringLiteral("DC %1 has a balance below 0.").arg(id);
}

// The text with its placeholders %1.. standing for anything.
QString patternOf(const QString& text) {
    QStringList parts = text.split(QRegularExpression(QStringLiteral("%[1-9]")));
    for (QString& p : parts) p = QRegularExpression::escape(p);
    return parts.join(QStringLiteral(".*"));
}

}  // namespace

void awaitServerLetsGo(qint64 pid) {
    const DbConfig& cfg = dbConfig();
    if (!cfg.isPg()) return;
    const QString conn = QStringLiteral("kavra_desks_await");
    {
        QSqlDatabase adm = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), conn);
        adm.setHostName(cfg.host);
        adm.setPort(cfg.port);
        adm.setUserName(cfg.user);
        adm.setPassword(cfg.password);
        adm.setDatabaseName(QStringLiteral("postgres"));
        const QString name = QStringLiteral("kavra:%1").arg(pid);
        for (int i = 0; adm.open() && i < 200; ++i) {
            QSqlQuery q = Sql::exec(
                adm, QStringLiteral("select count(*) from pg_stat_activity where application_name=?"), {name});
            if (q.next() && q.value(0).toLongLong() == 0) break;
            QThread::msleep(50);
        }
        adm.close();
    }
    QSqlDatabase::removeDatabase(conn);
}

QString itemCode(int item) {
    return QStringLiteral("P%1").arg(item, 3, 10, QLatin1Char('0'));
}

QString orderNo(int order) {
    return QStringLiteral("PO-%1").arg(order);
}

void furnish(QSqlDatabase& db, const Plan& plan, const QDate& day) {
    Sql::transaction(db, [&] {
        Sql::exec(db, QStringLiteral("insert into Customer (CustId, CustName, CustAddr) values (?, 'ACME', 'Peenya')"),
                  {kCustomer});
        QList<inventory::NoteLine> stock;
        for (int i = 1; i <= plan.items; ++i) {
            Sql::exec(db,
                      QStringLiteral("insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) "
                                     "values (?,?,?,5,'NOS',?)"),
                      {i, itemCode(i), QStringLiteral("Part %1").arg(i), 10 + i});
            stock.append({i, plan.stock});
        }
        Sql::exec(db, QStringLiteral("update Misc set RedStkM=?"), {plan.reduceStock});
        if (plan.stock > 0) Stores::raiseNote(db, inventory::NoteSource::Manual, QStringLiteral("Stores"), stock);
    });
    for (int n = 1; n <= plan.orders; ++n) {
        sales::Orders::Order o;
        o.id = n;
        o.custId = kCustomer;
        o.address = QStringLiteral("Peenya");
        o.poNo = orderNo(n);
        o.poDate = o.validFrom = day;
        o.validTo = day.addYears(1);
        for (int i = 1; i <= plan.items; ++i) {
            sales::Orders::Line l;
            l.itemCode = itemCode(i);
            l.itemName = QStringLiteral("Part %1").arg(i);
            l.uom = QStringLiteral("NOS");
            l.qty = plan.ordered;
            l.rate = 10 + i;
            o.lines << l;
        }
        o.value = sales::Orders::computedValue(o);
        if (const auto r = sales::Orders::validate(db, o, true)) throw std::runtime_error(r->text.toStdString());
        Sql::transaction(db, [&] { sales::Orders::save(db, o, true); });
    }
}

// Money received: every invoice's balance is what it was billed less what the ledger says it
// settled, never below nothing, and every entry is one Id under one number.
void moneyHeld(QSqlDatabase& db, QStringList& out) {
    QSqlQuery q = Sql::exec(
        db, QStringLiteral("select i.InvNo, i.TotVal, i.Balance, (select coalesce(sum(f.Amt), 0) from FundTrans f "
                           "where f.P_R_A=2 and f.ExpIncId=1 and f.TrackBill=i.InvNo) from DcInv i where i.DcInvId in "
                           "(select max(DcInvId) from DcInv where InvNo is not null and InvNo<>'Nil' group by InvNo)"));
    while (q.next()) {
        const qint64 billed = q.value(1).toLongLong(), balance = q.value(2).toLongLong(),
                     received = q.value(3).toLongLong();
        if (balance < 0 || balance != billed - received)
            out << QStringLiteral("Invoice %1: billed %2, received %3, balance %4.")
                       .arg(q.value(0).toString().trimmed())
                       .arg(billed)
                       .arg(received)
                       .arg(balance);
    }
    if (const qint64 n = Sql::scalar(db, QStringLiteral("select count(*) from (select Id from FundTrans group by Id "
                                                        "having count(distinct FundTransId)>1) t"))
                             .toLongLong())
        out << QStringLiteral("%1 ledger Ids carry two entry numbers.").arg(n);
    if (const qint64 n =
            Sql::scalar(db, QStringLiteral("select count(*) from (select P_R_A, FundTransId from FundTrans group by "
                                           "P_R_A, FundTransId having count(distinct Id)>1) t"))
                .toLongLong())
        out << QStringLiteral("%1 entry numbers are on two entries.").arg(n);
}

QStringList faults(QSqlDatabase& db) {
    QStringList out;
    moneyHeld(db, out);
    headersAndLines(db, out);
    numbersOnce(db, out);
    orderBalances(db, out);
    lotsAndIssues(db, out);
    dcsAndTheirIssues(db, out);
    return out;
}

bool knownRefusal(const QString& text) {
    static const QList<QRegularExpression> known = [] {
        const chain::DcKind& d = sales::dcKind();
        const chain::BillKind& b = sales::billKind();
        QStringList texts{d.duplicateNo, d.find.notFound, d.texts.selectParty, d.texts.enterDcNo, d.texts.selectPo,
                          d.texts.emptyGrid, d.texts.codeMissing, d.texts.validQty, d.texts.stockShort, d.limitText,
                          d.texts.enterCode + QStringLiteral("%1"), d.texts.enterParticulars + QStringLiteral("%1"),
                          b.duplicateNo, b.recordError, b.moneyModify, b.moneyDelete, b.invoicedMeanwhile,
                          QStringLiteral("Select atleast a DC..... "), QStringLiteral("Enter the Invoice Number ....."),
                          // The DC chosen was deleted meanwhile: the invoice has no lines.
                          QStringLiteral("Select a DcNo to have the invoice particulars....."),
                          Stores::issueGoneMessage(), Stores::shortStockMessage(),
                          // A receipt beyond what another desk left of the invoice.
                          Ledger::receipts().billOver,
                          // A DC invoiced, rejected or paid meanwhile.
                          QStringLiteral("%1 not allowed with this DC %2: %3, since %4")};
        for (const QString& t : d.alreadyMade) texts << t;
        for (const QString& t : b.alreadyMade) texts << t;
        QList<QRegularExpression> out;
        for (const QString& t : texts)
            out << QRegularExpression(QRegularExpression::anchoredPattern(patternOf(t)),
                                      QRegularExpression::DotMatchesEverythingOption);
        return out;
    }();
    if (text.trimmed().isEmpty()) return false;
    for (const QRegularExpression& re : known)
        if (re.match(text).hasMatch()) return true;
    return false;
}

Attempt parseAttempt(const QString& line) {
    const QStringList parts = line.split(QLatin1Char('\t'));
    Attempt a{parts.value(0), parts.value(1), parts.mid(2).join(QLatin1Char('\t'))};
    a.text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return a;
}

Racer::Racer(const QString& program, const QString& companyDb, const QDate& day, const QStringList& args)
    : proc_(std::make_unique<QProcess>()) {
    const DbConfig& cfg = dbConfig();
    QStringList all{"--dir", cfg.programDir, "--db", companyDb, "--day", day.toString(Qt::ISODate)};
    if (cfg.isPg())
        all << "--server" << QStringLiteral("%1:%2").arg(cfg.host).arg(cfg.port) << "--db-user" << cfg.user
            << "--db-password" << cfg.password << "--db-prefix" << cfg.prefix;
    proc_->start(program, all + args);
    if (!proc_->waitForStarted(10000)) return;
    while (proc_->state() == QProcess::Running && !out_.contains('\n')) {
        proc_->waitForReadyRead(20000);
        out_ += proc_->readAllStandardOutput();
    }
    const int nl = out_.indexOf('\n');
    ready_ = nl >= 0 && out_.left(nl) == "ready";
    if (nl >= 0) out_.remove(0, nl + 1);
}

Racer::~Racer() {
    if (running()) killHard();
}

void Racer::go() {
    proc_->write("go\n");
    proc_->waitForBytesWritten(1000);
}

bool Racer::finish(int ms) {
    proc_->closeWriteChannel();
    return proc_->waitForFinished(ms);
}

void Racer::killHard() {
    const qint64 pid = proc_->processId();
    proc_->kill();
    proc_->waitForFinished(10000);
    awaitServerLetsGo(pid);
}

std::vector<Attempt> Racer::attempts() {
    out_ += proc_->readAllStandardOutput();
    std::vector<Attempt> out;
    const int end = out_.lastIndexOf('\n');
    for (const QByteArray& l : out_.left(end + 1).split('\n')) {
        const QString line = QString::fromUtf8(l);
        if (!line.isEmpty() && line != QLatin1String("done")) out.push_back(parseAttempt(line));
    }
    out_.remove(0, end + 1);
    return out;
}

QString Racer::errors() const {
    return QString::fromUtf8(proc_->readAllStandardError());
}

void Tally::add(const std::vector<Attempt>& attempts) {
    for (const Attempt& a : attempts) {
        if (a.verdict == QLatin1String("saved")) {
            ++saved;
        } else if (a.verdict == QLatin1String("refused")) {
            ++refused;
            refusals << a.text;
            if (!knownRefusal(a.text)) unknownRefusals << a.what + QStringLiteral(": ") + a.text;
        } else {
            ++errors;
            errorTexts << a.what + QStringLiteral(": ") + a.text;
        }
    }
}

}  // namespace kavra::desks
