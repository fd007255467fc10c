#pragma once
// Building blocks every screen lays out the same way, and the keys every field shares.
#include <QSize>
#include <QString>

class QBoxLayout;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QValidator;
class QWidget;

namespace kavra {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QLineEdit* makeLineEdit(QWidget* parent, const char* name, int maxLen);
// A box typed into that offers the values used before; typing one it lacks adds nothing to it.
QComboBox* makeEarlierValuesBox(QWidget* parent, const char* name, int maxLen = 50);
// What a number field accepts as it is typed or pasted: digits, grouping commas, one point,
// a leading minus only where negative figures mean something; at most wholeDigits before the
// point and decimals after it, so no figure can overflow, and no exponent, infinity or NaN.
// Read the text with text::typed.
QValidator* numberValidator(QObject* parent, int wholeDigits = 9, int decimals = 6, bool negative = false);
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

// The keys of every field on every screen, installed once for the whole program:
// - Enter moves to the next field in Tab order, whatever the field (line edit, list box
//   with or without typing, date box, check box, list); the next field gets the focus as
//   Tab gives it, so what is typed next lands there.
// - In a multi-line box Enter adds a line; Enter on an empty last line moves on (and drops
//   that line), Ctrl+Enter moves on at once, Shift+Enter always adds a line; Tab moves on.
// - Enter on a button presses it.
// - Esc closes the screen, also from a list box one can type in.
// Widgets of other windows (pop-ups, message boxes) and widgets outside screens are left alone.
void installFieldKeys();
// A widget that gives Enter a meaning of its own (the grid's editor, a search box).
void keepOwnEnter(QWidget* w);
bool hasOwnEnter(const QWidget* w);
// The field that holds w: a list or date box for its inner line edit, else w itself.
QWidget* fieldOf(QWidget* w);
// Moves the focus from the field holding w to the next (or previous) field of the same
// screen, in Tab order, as Tab does; returns the field that took the focus (or nullptr).
QWidget* focusNextField(QWidget* w, bool forward = true);

// Sizes a top-level window to what it wants but never beyond the available screen (the
// window frame included), and centres it there.
void fitOnScreen(QWidget* window, QSize wanted);

}  // namespace kavra
