#pragma once
// A domain rule's refusal: the exact message the user is shown, and the control it
// concerns (an objectName, or empty). Thrown before anything is written, or from inside
// a transaction so that nothing stays written.
#include <QString>
#include <optional>
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

// The same refusal returned by a check instead of thrown, so that the screen can first put
// the user on the control or, for a document line, on the grid cell it concerns.
struct Problem {
    QString text;
    QString field;         // objectName of the control to focus; "msflex" for a grid cell
    int row = 0, col = 0;  // grid cell, lines counted from 1; 0 for a header field
    MsgIcon icon = MsgIcon::Critical;
    std::optional<QString> resetCell;  // the cell is put back to this text

    Refused refused() const { return Refused(text, field, icon); }
};

}  // namespace kavra
