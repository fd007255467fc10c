#include "ui/StartupScreens.h"

#include <utility>
#include <vector>

namespace kavra::StartupScreens {

namespace {
std::vector<std::pair<QString, Check>>& checks() {
    static std::vector<std::pair<QString, Check>> c;
    return c;
}
}  // namespace

void add(const QString& screen, Check check) {
    checks().emplace_back(screen, std::move(check));
}

QStringList due(QSqlDatabase& db) {
    QStringList out;
    for (const auto& [screen, check] : checks())
        if (check(db)) out << screen;
    return out;
}

}  // namespace kavra::StartupScreens
