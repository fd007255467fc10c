// Until a screen layer installs its message boxes, messages go to the error stream and
// questions are answered No, so nothing is changed behind the user's back.
#include <cstdio>

#include "core/Dialogs.h"

namespace kavra {

namespace {
class StderrDialogs : public Dialogs {
  public:
    void showMessage(const QString& title, const QString& text, MsgIcon) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(text));
    }
    bool askQuestion(const QString& title, const QString& text, bool) override {
        std::fprintf(stderr, "[%s] %s -> No\n", qPrintable(title), qPrintable(text));
        return false;
    }
};
Dialogs* g_installed = nullptr;
}  // namespace

Dialogs& Dialogs::current() {
    static StderrDialogs fallback;
    return g_installed ? *g_installed : fallback;
}

void Dialogs::install(Dialogs* d) {
    g_installed = d;
}

}  // namespace kavra
