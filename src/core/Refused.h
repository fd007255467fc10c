#pragma once
// A domain rule's refusal: the exact message the user is shown, and the control it
// concerns (an objectName, or empty). Thrown before anything is written, or from inside
// a transaction so that nothing stays written.
#include <QString>
#include <stdexcept>

#include "ui/Dialogs.h"

namespace kavra {

class Refused : public std::runtime_error {
  public:
    explicit Refused(const QString& text, const QString& field = {}, MsgIcon icon = MsgIcon::Critical)
        : std::runtime_error(text.toStdString()), text_(text), field_(field), icon_(icon) {}
    const QString& text() const { return text_; }
    const QString& field() const { return field_; }
    MsgIcon icon() const { return icon_; }

  private:
    QString text_;
    QString field_;
    MsgIcon icon_;
};

}  // namespace kavra
