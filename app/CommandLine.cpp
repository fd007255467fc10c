#include "CommandLine.h"

#include <algorithm>

namespace kavra {

namespace {

QList<ToolOption> sharedOptions() {
    return {
        {QStringLiteral("--dir"), QStringLiteral("FOLDER"),
         QStringLiteral("the company's folder: DataBase/, DB_BKUP/, Prints/ and Exports/ are kept in it "
                        "(default: the folder of the program)")},
        {QStringLiteral("--server"), QStringLiteral("HOST[:PORT]"),
         QStringLiteral("work on a PostgreSQL server, for several workstations (default: SQLite files)")},
        {QStringLiteral("--db-user"), QStringLiteral("USER"), QStringLiteral("the server's user name")},
        {QStringLiteral("--db-password"), QStringLiteral("PASSWORD"), QStringLiteral("that user's password")},
        {QStringLiteral("--db-prefix"), QStringLiteral("PREFIX"),
         QStringLiteral("put before the database names on the server (default kavra_)")},
    };
}

}  // namespace

CommandLine readCommandLine(const QStringList& args, const QList<ToolOption>& own) {
    CommandLine out;
    const QList<ToolOption> known = sharedOptions() + own;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out.help = true;
            continue;
        }
        const auto it = std::find_if(known.begin(), known.end(), [&](const ToolOption& o) { return o.name == a; });
        if (it == known.end()) {
            if (out.problem.isEmpty()) out.problem = QStringLiteral("Unknown option \"%1\".").arg(a);
            continue;
        }
        if (!it->value.isEmpty()) {
            if (i + 1 >= args.size()) {
                if (out.problem.isEmpty()) out.problem = QStringLiteral("The option %1 needs a value.").arg(a);
                continue;
            }
            ++i;
        }
    }
    return out;
}

QString helpText(const QString& program, const QString& purpose, const QList<ToolOption>& own) {
    QString out = QStringLiteral("usage: %1 [options]\n\n%2\n\nOptions:\n").arg(program, purpose);
    QList<ToolOption> all = own + sharedOptions();
    all << ToolOption{QStringLiteral("-h, --help"), QString(), QStringLiteral("show this text and end")};
    for (const ToolOption& o : all) {
        const QString head = o.value.isEmpty() ? o.name : o.name + QLatin1Char(' ') + o.value;
        out += QStringLiteral("  %1  %2\n").arg(head.leftJustified(24), o.help);
    }
    out += QStringLiteral(
        "\nThe server options may also come from the environment: KAVRA_SERVER, KAVRA_DB_USER,\n"
        "KAVRA_DB_PASSWORD, KAVRA_DB_PREFIX.\n");
    return out;
}

}  // namespace kavra
