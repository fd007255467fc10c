#include <QApplication>
#include <QScreen>
#include <cstdio>

#include "AppSetup.h"
#include "CommandLine.h"
#include "core/ClsProd.h"
#include "core/Housekeeping.h"
#include "core/Login.h"
#include "core/YearSetup.h"
#include "core/forms/FrmLogin.h"
#include "core/forms/MdiSSI.h"
#include "ui/MessageDialogs.h"

using namespace kavra;

namespace {
const char* kPurpose =
    "Starts Kavra: the login screen, then the main window. Without options it works on the\n"
    "SQLite databases in the DataBase folder beside the program.";
}

int main(int argc, char** argv) {
    // Before the window system is reached, so the help shows on a terminal without a display.
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::printf("%s", qPrintable(helpText(QStringLiteral("kavra"), QString::fromLatin1(kPurpose))));
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavra"));
    // The window system's own options are taken out by now; whatever is left must be ours.
    const CommandLine cl = readCommandLine(app.arguments());
    if (!cl.problem.isEmpty()) {
        std::fprintf(stderr, "kavra: %s\nSee kavra --help for the options.\n", qPrintable(cl.problem));
        return 2;
    }
    if (!configure(app.arguments())) return 2;
    setupLocale();
    static MessageDialogs boxes;
    Dialogs::install(&boxes);
    registerAllScreens();

    // First run: make the current financial year so there is something to log in to.
    try {
        if (YearSetup::noYearYet()) {
            const int y = clsProd::FinancialYearOf(Clock::today());
            const YearSetup::Result r = YearSetup::createYear(y);
            const QString text = QStringLiteral(
                                     "The financial year %1 has been created.\n\nLog in as %2 with the password %3 "
                                     "and change that password at once (Master > Admin > Users).")
                                     .arg(Login::yearLabel(y), QString::fromLatin1(YearSetup::kAdminName),
                                          QString::fromLatin1(YearSetup::kFirstPassword));
            std::printf("%s\n", qPrintable(text));
            if (r.adminCreated) Dialogs::current().information(appTitle(), text);
        }
    } catch (const DbError& e) {
        Dialogs::current().critical(appTitle(), e.text());
        return 1;
    }

    auto* login = new FrmLogin;
    MdiSSI* main = nullptr;
    QObject::connect(login, &FrmLogin::loggedIn, &app, [&] {
        main = new MdiSSI;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->showMaximized();
        login->deleteLater();
    });
    QObject::connect(login, &FrmLogin::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);
    if (!login->start()) return 1;
    login->adjustSize();
    if (QScreen* scr = QGuiApplication::primaryScreen())
        login->move(scr->availableGeometry().center() - login->rect().center());
    login->show();
    const int rc = app.exec();
    // The holds' server connection must go while the SQL drivers are still there.
    Session::current().presence.reset();
    // The closing backup runs on after the window has gone.
    const QString backup = House::finishBackup();
    if (!backup.isEmpty()) std::fprintf(stderr, "kavra: backup copies: %s\n", qPrintable(backup));
    return rc;
}
