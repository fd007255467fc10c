#pragma once
// What the program and its tools do before any screen: configuration, locale, screens.
#include <QLocale>
#include <QStringList>

namespace kavra {

// Reads the database options; prints the problem and returns false when they are wrong.
bool configure(const QStringList& args);
// Dates are read and shown dd/MM/yyyy and decimals typed with a point: a workstation whose
// locale does otherwise (en_US, de_DE, none) gets one that does so, for this program only.
void setupLocale();
// Whether a locale shows dates dd/MM/yyyy and numbers with a decimal point.
bool localeFits(const QLocale& l);
// Every subsystem's screens, by name, for the main window's menu.
void registerAllScreens();

}  // namespace kavra
