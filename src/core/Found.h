#pragma once
// The outcome of a search by number: the record found, if any, and the message that says
// what was shown (or that nothing was found).
#include <QString>
#include <optional>

#include "core/Dialogs.h"

namespace kavra {

struct Found {
    std::optional<qint64> id;
    QString message;
    MsgIcon icon = MsgIcon::Information;
};

}  // namespace kavra
