// Creates a financial year's databases: vorlix [--year 2027] [database options].
// Without --year it creates the financial year of today. With --restore FILE it puts that
// backup copy in place of the year's company database instead.
#include <QCoreApplication>
#include <cstdio>

#include "AppSetup.h"
#include "CommandLine.h"
#include "core/ClsProd.h"
#include "core/Housekeeping.h"
#include "core/Login.h"
#include "core/YearSetup.h"

using namespace kavra;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QList<ToolOption> own = {{QStringLiteral("--year"), QStringLiteral("YYYY"),
                                    QStringLiteral("the year in which the financial year begins (default: today's)")},
                                   {QStringLiteral("--restore"), QStringLiteral("FILE"),
                                    QStringLiteral("put this backup copy in place of the year's company database "
                                                   "(the current one is kept aside)")}};
    const CommandLine cl = readCommandLine(args, own);
    if (cl.help) {
        std::printf("%s", qPrintable(helpText(QStringLiteral("vorlix"),
                                              QStringLiteral("Creates a financial year's databases, carrying users "
                                                             "and masters over from the year before."),
                                              own)));
        return 0;
    }
    if (!cl.problem.isEmpty()) {
        std::fprintf(stderr, "vorlix: %s\nSee vorlix --help for the options.\n", qPrintable(cl.problem));
        return 2;
    }
    if (!configure(args)) return 2;
    int year = clsProd::FinancialYearOf(Clock::today());
    const int at = args.indexOf(QStringLiteral("--year"));
    if (at > 0) {
        bool ok = false;
        year = at + 1 < args.size() ? args[at + 1].toInt(&ok) : 0;
        if (!ok || year < 1990 || year > 2200) {
            std::fprintf(stderr, "--year needs the year in which the financial year begins, e.g. 2027\n");
            return 2;
        }
    }
    const int restoreAt = args.indexOf(QStringLiteral("--restore"));
    if (restoreAt > 0) {
        if (restoreAt + 1 >= args.size()) {
            std::fprintf(stderr, "--restore needs the copy to restore, e.g. DB_BKUP/DB3.db\n");
            return 2;
        }
        const QString companyDb = Login::companyDbOfLabel(Login::yearLabel(year));
        try {
            const QString aside = House::restoreCopy(companyDb, args[restoreAt + 1], Clock::now());
            std::printf("Restored %s from %s; the database it replaced is kept as %s.\n", qPrintable(companyDb),
                        qPrintable(args[restoreAt + 1]), qPrintable(aside));
        } catch (const DbError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.text()));
            return 1;
        }
        return 0;
    }
    try {
        const YearSetup::Result r = YearSetup::createYear(year);
        if (!r.created) {
            std::printf("The financial year %s already exists.\n", qPrintable(Login::yearLabel(year)));
            return 0;
        }
        std::printf("Created the financial year %s (%s).\n", qPrintable(Login::yearLabel(year)),
                    qPrintable(r.companyDb));
        if (r.carriedFrom)
            std::printf("Masters and users were carried forward from %s.\n",
                        qPrintable(Login::yearLabel(r.carriedFrom)));
        if (r.adminCreated)
            std::printf("Log in as %s with the password %s and change it at once.\n", YearSetup::kAdminName,
                        YearSetup::kFirstPassword);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
