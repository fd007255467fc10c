#include "support/ScriptedDialogs.h"

namespace kavra::test {

void ScriptedDialogs::showMessage(const QString& title, const QString& text, MsgIcon icon) {
    shown_.push_back({title, text, icon});
}

bool ScriptedDialogs::askQuestion(const QString& title, const QString& text, bool) {
    shown_.push_back({title, text, MsgIcon::Question});
    return answers_.isEmpty() ? defaultAnswer_ : answers_.dequeue();
}

void ScriptedDialogs::clear() {
    shown_.clear();
    answers_.clear();
}

Shown ScriptedDialogs::last() const {
    for (auto it = shown_.crbegin(); it != shown_.crend(); ++it)
        if (it->icon != MsgIcon::Question) return *it;
    return {};
}

}  // namespace kavra::test
