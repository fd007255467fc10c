#pragma once
// Print output caught instead of opened, for as long as a PrintCapture lives: what was
// printed last, whether as a preview, and how often. Templates come from the Xl folder
// beside the test program.
#include <QCoreApplication>
#include <QString>

#include "printing/DocumentPrint.h"

namespace kavra::test {

class PrintCapture {
  public:
    struct Output {
        QString path;
        bool preview = false;
        int calls = 0;
    };

    PrintCapture() {
        last() = {};
        Print::setOutputHandler(&take);
        Print::setTemplateDir(QCoreApplication::applicationDirPath() + QStringLiteral("/Xl"));
    }
    ~PrintCapture() { Print::setOutputHandler(nullptr); }
    PrintCapture(const PrintCapture&) = delete;
    PrintCapture& operator=(const PrintCapture&) = delete;

    const Output& output() const { return last(); }
    const QString& path() const { return last().path; }

  private:
    // The handler is a plain function, so what it catches lives outside the object.
    static Output& last() {
        static Output out;
        return out;
    }
    static void take(const QString& path, bool preview) {
        last().path = path;
        last().preview = preview;
        ++last().calls;
    }
};

}  // namespace kavra::test
