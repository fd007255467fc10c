#pragma once
#include "core/Dialogs.h"

namespace kavra {

// Message boxes on the active window.
class MessageDialogs : public Dialogs {
  public:
    void message(const QString& title, const QString& text, MsgIcon icon) override;
    bool question(const QString& title, const QString& text, bool defaultNo) override;
};

}  // namespace kavra
