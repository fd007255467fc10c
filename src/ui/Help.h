#pragma once
// The program's own help: one page per screen in the Help folder beside the program,
// shown in a help window of ours (F1 on any screen).
#include <QString>

class QWidget;

namespace kavra::Help {

// The page of a screen ("frmCustomer" -> "MasGenCust.htm"); the contents page for a
// screen without one.
QString topicOf(const QString& screenName);
// The contents page, which leads to every other page.
QString contentsTopic();
// The Help folder beside the program.
QString folder();
// Shows the topic in the help window (one window, reused), raised over the program.
// Returns the window.
QWidget* show(const QString& topicFile);

}  // namespace kavra::Help
