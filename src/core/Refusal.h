#pragma once
// The one way a rule refuses: the exact message the user is shown, its icon, and the
// control it concerns (an objectName), or for a document line the grid cell. Checks
// return it (Check); code running inside a write throws it (Refused), so that the
// transaction is rolled back and the screen still puts the user on the field or cell.
#include <QString>
#include <optional>
#include <stdexcept>

#include "core/Dialogs.h"

namespace kavra {

struct Refusal {
    QString text;
    QString field;         // objectName of the control to focus; kGridField for a line cell
    int row = 0, col = 0;  // line cell, lines counted from 1; 0 for a header field
    MsgIcon icon = MsgIcon::Critical;
    std::optional<QString> resetCell;  // the cell is put back to this text

    static constexpr const char* kGridField = "msflex";

    static Refusal at(const QString& field, const QString& text, MsgIcon icon = MsgIcon::Critical) {
        return Refusal{text, field, 0, 0, icon, std::nullopt};
    }
    static Refusal message(const QString& text, MsgIcon icon = MsgIcon::Critical) { return at({}, text, icon); }
    static Refusal cell(int row, int col, const QString& text, MsgIcon icon = MsgIcon::Critical) {
        return Refusal{text, QString::fromLatin1(kGridField), row, col, icon, std::nullopt};
    }
    bool onGrid() const { return field == QLatin1String(kGridField); }
};

// A check's outcome: nothing, or why not.
using Check = std::optional<Refusal>;

class Refused : public std::runtime_error {
  public:
    explicit Refused(Refusal r) : std::runtime_error(r.text.toStdString()), r_(std::move(r)) {}
    explicit Refused(const QString& text, const QString& field = {}, MsgIcon icon = MsgIcon::Critical)
        : Refused(Refusal::at(field, text, icon)) {}
    const Refusal& refusal() const { return r_; }
    const QString& text() const { return r_.text; }
    const QString& field() const { return r_.field; }
    MsgIcon icon() const { return r_.icon; }

  private:
    Refusal r_;
};

// Throws the check's refusal, if any: the same rule asked again inside a write.
inline void enforce(const Check& c) {
    if (c) throw Refused(*c);
}

}  // namespace kavra
