#pragma once
// Building blocks every screen lays out the same way.
#include <QString>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kavra {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QLineEdit* makeLineEdit(QWidget* parent, const char* name, int maxLen);
// A shown value the user never types (identifiers): read-only and passed over by Tab.
void showOnly(QLineEdit* e);
// The screen's title line (lblHeading) in the given style.
QLabel* makeHeading(QWidget* parent, const QString& text, const QString& style);
// The status line (lblStatus), in the colour that marks the current action.
QLabel* makeStatusLabel(QWidget* parent);
// A label that reads as a link (attachments, "More...").
QLabel* makeLinkLabel(QWidget* parent, const char* name);
// cmdNew, cmdSave, cmdModify, cmdDelete, the four navigation buttons and cmdExit "&CLOSE".
QHBoxLayout* makeCommandRow(QWidget* parent);
// Enter in a line edit or combo box of w moves to the next field.
void enterMovesOn(QWidget* w);

}  // namespace kavra
