#pragma once
// What the program and its tools do before any screen: configuration, locale, screens.
#include <QStringList>

namespace kavra {

// Reads the database options; prints the problem and returns false when they are wrong.
bool configure(const QStringList& args);
// Dates are shown dd/MM/yyyy; a workstation without a locale of its own gets one that does so.
void setupLocale();
// Every subsystem's screens, by name, for the main window's menu.
void registerAllScreens();

}  // namespace kavra
