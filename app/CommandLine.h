#pragma once
// The options the program and its tools take. Anything else on the command line is
// refused rather than ignored, so a mistyped option is never silently without effect.
#include <QString>
#include <QStringList>

namespace kavra {

struct ToolOption {
    QString name;   // "--year"
    QString value;  // what follows it in the help text ("YYYY"); "" for a switch
    QString help;
};

struct CommandLine {
    bool help = false;  // --help or -h
    QString problem;    // the first option that is not known, or one without its value
};

// Reads args (args[0] is the program) against the database options every program takes
// and the tool's own options.
CommandLine readCommandLine(const QStringList& args, const QList<ToolOption>& own = {});
// The --help text: usage line, what the program does, every option.
QString helpText(const QString& program, const QString& purpose, const QList<ToolOption>& own = {});

}  // namespace kavra
