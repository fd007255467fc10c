#pragma once
// Building blocks every screen lays out the same way.
#include <QString>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace kavra {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
// The status line (lblStatus), in the colour that marks the current action.
QLabel* makeStatusLabel(QWidget* parent);
// A label that reads as a link (attachments, "More...").
QLabel* makeLinkLabel(QWidget* parent, const char* name);
// cmdNew, cmdSave, cmdModify, cmdDelete, the four navigation buttons and cmdExit "&CLOSE".
QHBoxLayout* makeCommandRow(QWidget* parent);
// Enter in a line edit or combo box of w moves to the next field.
void enterMovesOn(QWidget* w);

}  // namespace kavra
