#pragma once
// Screens that open by themselves when the main window first shows, when their check on
// the company database says there is something to see (instruments falling due).
#include <QSqlDatabase>
#include <QStringList>
#include <functional>

namespace kavra::StartupScreens {

using Check = std::function<bool(QSqlDatabase&)>;
void add(const QString& screen, Check check);
// The screens whose checks say so, in the order they were added.
QStringList due(QSqlDatabase& db);

}  // namespace kavra::StartupScreens
