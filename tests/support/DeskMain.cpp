// A workstation in a process of its own, for tests that kill one: it takes its holds through
// the same routines as the program, says "ready" and waits until its input closes.
//   kavra_desk [database options] --db NAME --sys N --user N [--screen S]... [--backup-loop FOLDER]
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <iostream>
#include <string>

#include "core/ClsProd.h"
#include "core/Db.h"
#include "core/Housekeeping.h"
#include "core/Session.h"

using namespace kavra;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (const QString err = dbConfig().parse(args); !err.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        return 2;
    }
    Session& s = Session::current();
    QStringList screens;
    QString backupFolder;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--db"))
            s.companyDb = args[++i];
        else if (args[i] == QLatin1String("--sys"))
            s.sysId = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--user"))
            s.userId = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--screen"))
            screens << args[++i];
        else if (args[i] == QLatin1String("--backup-loop"))
            backupFolder = args[++i];
    }
    try {
        if (!backupFolder.isEmpty()) {
            std::printf("ready\n");
            std::fflush(stdout);
            for (;;) House::writeBackup(backupFolder, s.companyDb);
        }
        s.presence = std::make_shared<Db::Presence>(s.companyDb);
        if (!s.presence->claimDesk(s.sysId)) {
            std::printf("desk refused\n");
            s.presence.reset();
            return 3;
        }
        clsProd prod(&s);
        if (const QString err = prod.OpenCompanyDatabase(); !err.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(err));
            return 1;
        }
        prod.RegisterScreen(QStringLiteral("mdiSSI"), 3);
        for (const QString& sc : screens) {
            if (prod.CheckScreenLock(sc, 3) == 1) {
                std::printf("refused %s\n", qPrintable(sc));
                prod.CloseCompanyDatabase();
                s.presence.reset();
                return 4;
            }
            prod.RegisterScreen(sc, 3);
        }
        std::printf("ready\n");
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line)) {
        }
        for (const QString& sc : screens) prod.ReleaseScreen(sc);
        prod.ReleaseScreen(QStringLiteral("mdiSSI"));
        prod.CloseCompanyDatabase();
        s.presence.reset();
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
