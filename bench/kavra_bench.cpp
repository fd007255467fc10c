// Prints start-up and numbering figures: kavra_bench [--server host:port --db-user u]; with
// --year [scale] the commands of the document screens on a grown year instead; with --ledger
// only the money screens' figures; with --subcontract only subcontracting's.
// Runs in a temporary program folder (or under a temporary database prefix on a server).
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "core/ClsProd.h"
#include "core/Housekeeping.h"
#include "core/Sql.h"
#include "core/YearSetup.h"
#include "core/forms/AdminScreens.h"
#include "core/forms/FrmLogin.h"
#include "core/forms/MdiSSI.h"

using namespace kavra;

namespace kavra {
void printBench(QSqlDatabase& db, const QString& dir);
void storesBench(QSqlDatabase& db);
void salesBench(QSqlDatabase& db, const QString& dir);
void invoiceBench(QSqlDatabase& db);
void labourBench(QSqlDatabase& db);
void purchaseBench(QSqlDatabase& db);
void subcontractBench(QSqlDatabase& db);
void ledgerBench(QSqlDatabase& db);
void upkeepBench(QSqlDatabase& db);
void statementBench(QSqlDatabase& db, double scale);
void yearBench(QSqlDatabase& db, const QString& dir, double scale);
}  // namespace kavra

namespace {

class YesDialogs : public Dialogs {
  public:
    void showMessage(const QString&, const QString&, MsgIcon) override {}
    bool askQuestion(const QString&, const QString&, bool) override { return true; }
};

void fillDcs(QSqlDatabase& db, int perTable) {
    struct T {
        const char* table;
        const char* id;
    };
    const T tables[] = {{"DcInv", "DcInvId"}, {"DcOutgoingInv", "DcId"}, {"DcSubConOutgoing", "DcId"}};
    const QDateTime start(QDate(2026, 4, 1), QTime(9, 0));
    int n = 0;
    for (const T& t : tables) {
        Sql::transaction(db, [&] {
            const QString sql = QStringLiteral("insert into %1 (%2, DcNo, DcDateT) values (?,?,?)")
                                    .arg(QString::fromLatin1(t.table), QString::fromLatin1(t.id));
            for (int i = 1; i <= perTable; ++i) {
                ++n;
                Sql::exec(db, sql, {i, QString::number(n), Db::ts(start.addSecs(i * 60))});
            }
        });
    }
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer cold;
    cold.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    DbConfig& cfg = dbConfig();
    const QString err = cfg.parse(app.arguments());
    if (!err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 2;
    }
    cfg.programDir = dir.path();
    if (cfg.isPg()) cfg.prefix = QStringLiteral("kbench%1_").arg(QCoreApplication::applicationPid());
    static YesDialogs yes;
    Dialogs::install(&yes);
    registerAdminScreens();
    const int y = clsProd::FinancialYearOf(Clock::today());
    QElapsedTimer made;
    made.start();
    const YearSetup::Result year = YearSetup::createYear(y);
    const qint64 yearMs = made.elapsed();

    // Cold start: the application object, the checks and the login screen on screen.
    QElapsedTimer t;
    t.start();
    auto* login = new FrmLogin;
    login->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    if (!login->start()) return 1;
    login->show();
    (void)QTest::qWaitForWindowExposed(login);
    const qint64 coldMs = cold.elapsed() - yearMs;  // creating the year's databases is not start-up
    const qint64 loginShownMs = t.elapsed();

    login->findChild<QComboBox*>(QStringLiteral("cmbUserName"))
        ->setEditText(QString::fromLatin1(YearSetup::kAdminName));
    login->findChild<QLineEdit*>(QStringLiteral("txtPassword"))
        ->setText(QString::fromLatin1(YearSetup::kFirstPassword));
    MdiSSI* main = nullptr;
    QObject::connect(login, &FrmLogin::loggedIn, [&] {
        main = new MdiSSI;
        main->setConfirmExit(false);
        main->show();
    });
    t.restart();
    login->login();
    if (!main) return 1;
    (void)QTest::qWaitForWindowExposed(main);
    const qint64 loginToMainMs = t.elapsed();

    clsProd prod;
    prod.OpenCompanyDatabase();
    const QStringList args = app.arguments();
    // A partial run closes the year and drops what it made on a server.
    auto finish = [&] {
        prod.CloseCompanyDatabase();
        main->close();
        delete main;
        House::finishBackup();
        if (cfg.isPg())
            for (const QString& n : {QStringLiteral("DBStart"), QStringLiteral("tarka"), year.companyDb,
                                     QStringLiteral("tarkaISO") + year.companyDb.mid(2)})
                Db::drop(n);
        return 0;
    };
    // Only the money screens' figures, for a quick look after changing them.
    if (args.contains(QStringLiteral("--ledger"))) {
        ledgerBench(prod.db());
        return finish();
    }
    // Only subcontracting's figures.
    if (args.contains(QStringLiteral("--subcontract"))) {
        subcontractBench(prod.db());
        return finish();
    }
    // The statements over a filled year (--statements [scale]).
    if (const qsizetype at = args.indexOf(QStringLiteral("--statements")); at >= 0) {
        bool given = false;
        const double scale = args.value(at + 1).toDouble(&given);
        statementBench(prod.db(), given && scale > 0 ? scale : 1.0);
        return finish();
    }
    if (const qsizetype at = args.indexOf(QStringLiteral("--year")); at >= 0) {
        bool given = false;
        const double scale = args.value(at + 1).toDouble(&given);
        yearBench(prod.db(), dir.path(), given && scale > 0 ? scale : 1.0);
        return finish();
    }
    const int perTable = 100000;
    t.restart();
    fillDcs(prod.db(), perTable);
    const qint64 fillMs = t.elapsed();
    Session::current().dcMode = 3;
    const int calls = 200;
    qint64 got = 0;
    t.restart();
    for (int i = 0; i < calls; ++i) got = prod.NextDcNumber(QStringLiteral("DCINV"));
    const double perCallUs = double(t.nsecsElapsed()) / 1000.0 / calls;
    printBench(prod.db(), dir.path());
    storesBench(prod.db());
    salesBench(prod.db(), dir.path());
    invoiceBench(prod.db());
    labourBench(prod.db());
    purchaseBench(prod.db());
    subcontractBench(prod.db());
    ledgerBench(prod.db());
    upkeepBench(prod.db());
    prod.CloseCompanyDatabase();
    main->close();
    delete main;
    House::finishBackup();  // the closing copy reads the year the server is about to drop

    std::printf("engine: %s\n", cfg.isPg() ? "PostgreSQL" : "SQLite");
    std::printf("cold start to login screen shown: %lld ms (login screen alone %lld ms)\n", (long long)coldMs,
                (long long)loginShownMs);
    std::printf("creating a financial year: %lld ms\n", (long long)yearMs);
    std::printf("login to main window shown: %lld ms (includes password hashing check)\n", (long long)loginToMainMs);
    std::printf("NextDcNumber mode 3, %d DCs per table: %.1f us per call (next number %lld; fill took %lld ms)\n",
                perTable, perCallUs, (long long)got, (long long)fillMs);
    if (cfg.isPg()) {
        for (const QString& n : {QStringLiteral("DBStart"), QStringLiteral("tarka"), year.companyDb,
                                 QStringLiteral("tarkaISO") + year.companyDb.mid(2)})
            Db::drop(n);
    }
    return 0;
}
