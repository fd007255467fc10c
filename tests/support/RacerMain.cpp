// A desk that saves as fast as it can, for the tests and the bench that race several at once.
// It connects, says "ready", waits for a line on its input, then makes its attempts through
// the same checks and saves as the screens (the check before the question, then the save in
// one write transaction), printing one line each:
//   saved|refused|error <TAB> what <TAB> the identifier saved, the reason or the error
//   kavra_racer [database options] --db NAME --day yyyy-MM-dd --what W [--count N] [--seconds S] [--seed N]
// W and its options:
//   dc [--po NO] [--item CODE] [--qty Q | --qty-max Q] [--dc-no NO]   a new DC (else the proposed number)
//   dc-modify --dc ID --qty Q      every line of the DC shown at the start to Q
//   dc-delete --dc ID
//   invoice --dcs ID[,ID] [--inv-no NO]
//   invoice-delete --invoice ID
//   issue --item ID --qty Q        a material issue
//   issue-delete --issue ID
//   receipt --inv NO --amount A    money received against one invoice of the desks' customer
//   mixed                          any of these on whatever the books hold at that moment
// Without --count and --seconds it goes on until it is killed.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "cash/Ledger.h"
#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Session.h"
#include "core/Sql.h"
#include "inventory/Stores.h"
#include "sales/DeliveryChallans.h"
#include "sales/Invoices.h"
#include "sales/SalesKinds.h"
#include "support/Desks.h"

using namespace kavra;
namespace Dcs = sales::Dcs;
namespace Inv = sales::Invoices;
namespace Stores = inventory::Stores;

namespace {

// Every question is answered Yes, as the user who clicked Save means; messages are not shown.
class YesDialogs : public Dialogs {
  public:
    void showMessage(const QString&, const QString&, MsgIcon) override {}
    bool askQuestion(const QString&, const QString&, bool) override { return true; }
};

struct Outcome {
    QString verdict, text;
};

void print(const QString& what, const Outcome& o) {
    QString text = o.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    std::printf("%s\t%s\t%s\n", qPrintable(o.verdict), qPrintable(what), qPrintable(text));
    std::fflush(stdout);
}

class Desk {
  public:
    Desk(clsProd& prod, const QDate& day, quint32 seed) : prod_(prod), db_(prod.db()), day_(day), rng_(seed) {}

    // The check the screen makes before its question, then the save in its transaction.
    Outcome attempt(const std::function<Check()>& before, const std::function<qint64()>& write) {
        try {
            if (const Check r = before()) return {QStringLiteral("refused"), r->text};
            qint64 id = 0;
            Sql::transaction(db_, [&] { id = write(); });
            return {QStringLiteral("saved"), QString::number(id)};
        } catch (const Refused& r) {
            return {QStringLiteral("refused"), r.refusal().text};
        } catch (const DbError& e) {
            return {QStringLiteral("error"), e.text()};
        }
    }

    Outcome newDc(const QString& po, const QString& code, double qty, const QString& dcNo) {
        Dcs::Dc d;
        try {
            d.id = Dcs::proposedId(db_);
            d.party = desks::kCustomer;
            d.dcNo = dcNo.isEmpty() ? QString::number(prod_.NextDcNumber(QStringLiteral("DCINV"))) : dcNo;
            d.dcDate = day_;
            d.poNo = po;
            d.poDate = Dcs::orderDate(db_, d.party, po).value_or(day_);
        } catch (const DbError& e) {
            return {QStringLiteral("error"), e.text()};
        }
        d.lines << Dcs::Line{code, QStringLiteral("Particulars of ") + code, qty, QString(), {}};
        const int mode = prod_.session().dcMode;
        return attempt([&] { return Dcs::validate(db_, d, true, Dcs::reducesStock(db_), mode); },
                       [&] { return Dcs::save(db_, d, true, Dcs::reducesStock(db_), mode); });
    }

    Outcome modifyDc(Dcs::Dc d, double qty) {
        for (Dcs::Line& l : d.lines) l.qty = qty;
        const int mode = prod_.session().dcMode;
        return attempt(
            [&] {
                if (auto b = Dcs::changeBlock(db_, d.id, false)) return b;
                return Dcs::validate(db_, d, false, Dcs::reducesStock(db_), mode);
            },
            [&] { return Dcs::save(db_, d, false, Dcs::reducesStock(db_), mode); });
    }

    Outcome deleteDc(qint64 id) {
        return attempt([&] { return Dcs::changeBlock(db_, id, true); },
                       [&] {
                           Dcs::remove(db_, id);
                           return id;
                       });
    }

    // The invoice as the screen fills it for the chosen DCs, rates proposed.
    std::optional<Inv::Invoice> invoiceOf(const QList<qint64>& dcs, const QString& invNo) {
        Inv::Invoice inv;
        inv.custId = desks::kCustomer;
        inv.dcIds = dcs;
        inv.invDate = Clock::now();
        inv.invNo = invNo.isEmpty() ? QString::number(prod_.NextInvoiceNumber(QStringLiteral("DCINV"))) : invNo;
        inv.lines = Inv::dcLines(db_, dcs);
        Inv::proposeRates(db_, inv.custId, inv.lines);
        for (Inv::Line& l : inv.lines)
            if (l.rate <= 0) l.rate = 10;
        inv.taxes = Inv::proposeTaxes(db_, inv.custId, dcs);
        return inv;
    }

    Outcome invoice(const Inv::Invoice& inv) {
        const bool roff = Inv::roundsSales(db_);
        const int mode = prod_.session().invMode;
        return attempt([&] { return Inv::validate(db_, inv, roff, 0, mode); },
                       [&] { return Inv::save(db_, inv, roff, 0, mode); });
    }

    Outcome deleteInvoice(qint64 id) {
        return attempt([&] { return Inv::deleteBlock(db_, id); },
                       [&] {
                           Inv::remove(db_, id);
                           return id;
                       });
    }

    Outcome issue(qint64 itemId, double qty) {
        return attempt(
            [&]() -> Check {
                // The issue screen's own check against the stock it shows.
                const double q = Stores::roundQty(qty);
                if (q <= 0 || q > Stores::roundQty(Stores::stockOf(db_, itemId)))
                    return Refusal::message(Stores::shortStockMessage());
                return std::nullopt;
            },
            [&] {
                return Stores::raiseIssue(db_, inventory::IssueSource::Manual, day_, QStringLiteral(" DESK"),
                                          QStringLiteral(" race"), {{itemId, 0, qty}});
            });
    }

    Outcome deleteIssue(qint64 id) {
        return attempt([] { return Check(); },
                       [&] {
                           Stores::reverseIssue(db_, id);
                           return id;
                       });
    }

    // A manual receipt by cheque-less cash, as the receipts screen writes it.
    Outcome receipt(const QString& invNo, const QString& amount) {
        const Ledger::Side& side = Ledger::receipts();
        Ledger::Entry e;
        try {
            e.id = Ledger::proposedId(db_);
            e.number = Ledger::proposedNumber(db_, side);
            e.party =
                Sql::scalar(db_, QStringLiteral("select CustName from Customer where CustId=?"), {desks::kCustomer})
                    .toString();
        } catch (const DbError& err) {
            return {QStringLiteral("error"), err.text()};
        }
        e.date = day_;
        e.source = Ledger::Source::Cash;
        e.head = 1;
        e.type = Ledger::kManual;
        e.amount = Money::parse(amount);
        e.rows = {{invNo, e.amount}};
        return attempt([&] { return Ledger::validate(db_, side, e, true); },
                       [&] { return Ledger::save(db_, side, e).number; });
    }

    // One attempt at whatever the books offer now; false when there was nothing to try.
    bool mixedOnce() {
        const int pick = rng_.bounded(11);
        auto any = [&](const QList<qint64>& ids) -> std::optional<qint64> {
            if (ids.isEmpty()) return std::nullopt;
            return ids[rng_.bounded(int(ids.size()))];
        };
        auto unbilled = [&] {
            return Sql::ids(db_, QStringLiteral("select DcInvId from DcInv where InvNo is null order by DcInvId"));
        };
        try {
            if (pick < 3) {
                const QStringList open = Dcs::openOrders(db_, desks::kCustomer);
                if (open.isEmpty()) return false;
                const QString po = open[rng_.bounded(int(open.size()))];
                const auto codes = Dcs::openOrderItemCodes(db_, desks::kCustomer, po);
                if (!codes || codes->isEmpty()) return false;
                print(QStringLiteral("dc"),
                      newDc(po, (*codes)[rng_.bounded(int(codes->size()))], 1 + rng_.bounded(3), {}));
            } else if (pick < 5) {
                const auto id = any(unbilled());
                const auto d = id ? Dcs::load(db_, *id) : std::nullopt;
                if (!d) return false;
                print(QStringLiteral("dc-modify"), modifyDc(*d, 1 + rng_.bounded(3)));
            } else if (pick < 6) {
                const auto id = any(unbilled());
                if (!id) return false;
                print(QStringLiteral("dc-delete"), deleteDc(*id));
            } else if (pick < 8) {
                const QList<Inv::Choice> open = Inv::openDcs(db_, desks::kCustomer);
                if (open.isEmpty()) return false;
                const auto inv = invoiceOf({open[rng_.bounded(int(open.size()))].id}, {});
                print(QStringLiteral("invoice"), invoice(*inv));
            } else if (pick < 9) {
                const auto id = any(Inv::navigation(db_));
                if (!id) return false;
                print(QStringLiteral("invoice-delete"), deleteInvoice(*id));
            } else if (pick < 10) {
                const auto item = any(Sql::ids(db_, QStringLiteral("select ItemId from Item order by ItemId")));
                if (!item) return false;
                print(QStringLiteral("issue"), issue(*item, 1 + rng_.bounded(2)));
            } else {
                const auto id = any(Sql::ids(db_, QStringLiteral("select Id from StoreIss where TI=? order by Id"),
                                             {int(inventory::IssueSource::Manual)}));
                if (!id) return false;
                print(QStringLiteral("issue-delete"), deleteIssue(*id));
            }
        } catch (const DbError& e) {
            print(QStringLiteral("look"), {QStringLiteral("error"), e.text()});
        }
        return true;
    }

    QRandomGenerator& rng() { return rng_; }

  private:
    clsProd& prod_;
    QSqlDatabase& db_;
    QDate day_;
    QRandomGenerator rng_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (const QString err = dbConfig().parse(args); !err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 2;
    }
    auto option = [&](const char* name, const QString& otherwise = {}) {
        const int i = args.indexOf(QLatin1String(name));
        return i > 0 && i + 1 < args.size() ? args[i + 1] : otherwise;
    };
    Session& s = Session::current();
    s.companyDb = option("--db");
    const QDate day = QDate::fromString(option("--day"), Qt::ISODate);
    const QString what = option("--what");
    const int count = option("--count", QStringLiteral("0")).toInt();
    const int seconds = option("--seconds", QStringLiteral("0")).toInt();
    if (!day.isValid() || what.isEmpty()) {
        std::fprintf(stderr, "kavra_racer needs --day and --what.\n");
        return 2;
    }
    // The desks of one run share the day, as one office's clocks do.
    Clock::pin(QDateTime(day, QTime(10, 0)));
    static YesDialogs yes;
    Dialogs::install(&yes);
    clsProd prod(&s);
    if (const QString err = prod.OpenCompanyDatabase(); !err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 1;
    }
    try {
        s.dcMode = Sql::scalar(prod.db(), QStringLiteral("select BookType from Misc")).toInt();
        s.invMode = Sql::scalar(prod.db(), QStringLiteral("select BookTypeInv from Misc")).toInt();
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    const quint32 seed =
        option("--seed").isEmpty() ? quint32(QCoreApplication::applicationPid()) : option("--seed").toUInt();
    Desk desk(prod, day, seed);

    // What a screen shows before the user clicks: read before the start, as it would be.
    std::optional<Dcs::Dc> shownDc;
    std::optional<Inv::Invoice> shownInvoice;
    try {
        if (what == QLatin1String("dc-modify")) shownDc = Dcs::load(prod.db(), option("--dc").toLongLong());
        if (what == QLatin1String("invoice")) {
            QList<qint64> dcs;
            for (const QString& id : option("--dcs").split(QLatin1Char(','), Qt::SkipEmptyParts))
                dcs << id.toLongLong();
            shownInvoice = desk.invoiceOf(dcs, option("--inv-no"));
        }
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    if (what == QLatin1String("dc-modify") && !shownDc) {
        std::fprintf(stderr, "No DC %s to modify.\n", qPrintable(option("--dc")));
        return 1;
    }

    std::printf("ready\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);

    const QDeadlineTimer until = seconds > 0 ? QDeadlineTimer(qint64(seconds) * 1000) : QDeadlineTimer::Forever;
    for (int n = 0; (count == 0 || n < count) && !until.hasExpired();) {
        if (what == QLatin1String("mixed")) {
            if (desk.mixedOnce()) ++n;
            continue;
        }
        ++n;
        if (what == QLatin1String("dc")) {
            QString po = option("--po"), code = option("--item");
            try {
                if (po.isEmpty()) {
                    const QStringList open = Dcs::openOrders(prod.db(), desks::kCustomer);
                    if (open.isEmpty()) break;  // every order sent in full
                    po = open[desk.rng().bounded(int(open.size()))];
                }
                if (code.isEmpty()) {
                    const auto codes = Dcs::openOrderItemCodes(prod.db(), desks::kCustomer, po);
                    if (!codes || codes->isEmpty()) break;
                    code = (*codes)[desk.rng().bounded(int(codes->size()))];
                }
            } catch (const DbError& e) {
                print(what, {QStringLiteral("error"), e.text()});
                continue;
            }
            const double qty = option("--qty-max").isEmpty() ? option("--qty", QStringLiteral("1")).toDouble()
                                                             : 1 + desk.rng().bounded(option("--qty-max").toInt());
            print(what, desk.newDc(po, code, qty, option("--dc-no")));
        } else if (what == QLatin1String("dc-modify")) {
            print(what, desk.modifyDc(*shownDc, option("--qty").toDouble()));
        } else if (what == QLatin1String("dc-delete")) {
            print(what, desk.deleteDc(option("--dc").toLongLong()));
        } else if (what == QLatin1String("invoice")) {
            print(what, desk.invoice(*shownInvoice));
        } else if (what == QLatin1String("invoice-delete")) {
            print(what, desk.deleteInvoice(option("--invoice").toLongLong()));
        } else if (what == QLatin1String("issue")) {
            print(what, desk.issue(option("--item").toLongLong(), option("--qty").toDouble()));
        } else if (what == QLatin1String("issue-delete")) {
            print(what, desk.deleteIssue(option("--issue").toLongLong()));
        } else if (what == QLatin1String("receipt")) {
            print(what, desk.receipt(option("--inv"), option("--amount")));
        } else {
            std::fprintf(stderr, "Unknown --what %s.\n", qPrintable(what));
            return 2;
        }
    }
    std::printf("done\n");
    std::fflush(stdout);
    prod.CloseCompanyDatabase();
    return 0;
}
