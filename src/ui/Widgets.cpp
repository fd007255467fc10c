#include "ui/Widgets.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextEdit>
#include <QValidator>

#include "core/Text.h"
#include "ui/Screen.h"

namespace kavra {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

namespace {
class NumberValidator : public QValidator {
  public:
    NumberValidator(QObject* parent, int whole, int decimals, bool negative)
        : QValidator(parent), whole_(whole), decimals_(decimals), negative_(negative) {}

    State validate(QString& input, int&) const override {
        const QString t = input.trimmed();
        if (t.isEmpty()) return Acceptable;
        int whole = 0, frac = 0;
        bool dot = false;
        for (int i = 0; i < t.size(); ++i) {
            const QChar c = t[i];
            if (c == QLatin1Char('-')) {
                if (i != 0 || !negative_) return Invalid;
            } else if (c == QLatin1Char('.')) {
                if (dot || decimals_ == 0) return Invalid;
                dot = true;
            } else if (c == QLatin1Char(',')) {
                if (dot || (i > 0 && t[i - 1] == QLatin1Char(','))) return Invalid;
            } else if (c.isDigit() && c.unicode() < 128) {
                ++(dot ? frac : whole);
            } else {
                return Invalid;
            }
        }
        if (whole > whole_ || frac > decimals_) return Invalid;
        // "1," or "-" on the way to a number: allowed while typing, mended on leaving.
        return text::typedNumber(t) ? Acceptable : Intermediate;
    }

    // On leaving the field (or Enter): a comma that groups nothing goes, a lone sign or point
    // is no number.
    void fixup(QString& input) const override {
        QString t = input.trimmed(), out;
        for (int i = 0; i < t.size(); ++i) {
            if (t[i] == QLatin1Char(',') && (i == 0 || !t[i - 1].isDigit() || i + 1 >= t.size() || !t[i + 1].isDigit()))
                continue;
            out += t[i];
        }
        input = text::typedNumber(out) ? out : QString();
    }

  private:
    int whole_, decimals_;
    bool negative_;
};
}  // namespace

QValidator* numberValidator(QObject* parent, int wholeDigits, int decimals, bool negative) {
    return new NumberValidator(parent, wholeDigits, decimals, negative);
}

QLineEdit* makeLineEdit(QWidget* parent, const char* name, int maxLen) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLen);
    return e;
}

QComboBox* makeEarlierValuesBox(QWidget* parent, const char* name, int maxLen) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setMaxLength(maxLen);
    return c;
}

void showOnly(QLineEdit* e) {
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
}

QLabel* makeHeading(QWidget* parent, const QString& text, const QString& style) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("lblHeading"));
    l->setStyleSheet(style);
    return l;
}

QLabel* makeStatusLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QStringLiteral("lblStatus"));
    l->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    l->setMinimumHeight(l->fontMetrics().height() + 4);
    return l;
}

QLabel* makeLinkLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setCursor(Qt::PointingHandCursor);
    l->setStyleSheet(QStringLiteral("color: #1f4f9f; text-decoration: underline;"));
    return l;
}

QHBoxLayout* makeCommandRow(QWidget* parent) {
    auto* row = new QHBoxLayout;
    for (const auto& [name, caption] : {std::pair{"cmdNew", "&New"}, std::pair{"cmdSave", "&Save"},
                                        std::pair{"cmdModify", "&Modify"}, std::pair{"cmdDelete", "&Delete"}})
        row->addWidget(makeButton(parent, name, QString::fromLatin1(caption)));
    row->addStretch();
    for (const auto& [name, caption] : {std::pair{"cmdMoveFirst", "|<"}, std::pair{"cmdMovePrevious", "<"},
                                        std::pair{"cmdMoveNext", ">"}, std::pair{"cmdMoveLast", ">|"}}) {
        QPushButton* b = makeButton(parent, name, QString::fromLatin1(caption));
        b->setFixedWidth(40);
        row->addWidget(b);
    }
    row->addStretch();
    row->addWidget(makeButton(parent, "cmdExit", QStringLiteral("&CLOSE")));
    return row;
}

namespace {

const char* const kOwnEnter = "kavraOwnEnter";

Screen* screenOf(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget())
        if (auto* s = qobject_cast<Screen*>(p)) return s;
    return nullptr;
}

bool isTextBox(const QWidget* w) {
    return qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

// An option of a group that Tab passes over: another option of the group is chosen.
bool passedOverOption(const QWidget* w) {
    const auto* r = qobject_cast<const QRadioButton*>(w);
    if (!r || r->isChecked() || !r->autoExclusive() || !r->parentWidget()) return false;
    for (const QRadioButton* o : r->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        if (o != r && o->isChecked() && o->autoExclusive()) return true;
    return false;
}

bool takesTab(QWidget* n, QWidget* screen) {
    if (n->isWindow() || n->focusProxy()) return false;
    if ((n->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !n->isEnabled() || !n->isVisibleTo(screen)) return false;
    // The inner line edit of a list or date box is reached through its box.
    if (fieldOf(n) != n) return false;
    return !passedOverOption(n);
}

void caretToEnd(QWidget* w) {
    if (auto* t = qobject_cast<QTextEdit*>(w)) {
        t->moveCursor(QTextCursor::End);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->moveCursor(QTextCursor::End);
    }
}

// Enter in a multi-line box: true when it moves on (after dropping the empty last line).
bool textBoxMovesOn(QWidget* w, Qt::KeyboardModifiers mods) {
    if (mods & Qt::ShiftModifier) return false;
    if (mods & Qt::ControlModifier) return true;
    QTextCursor c;
    bool readOnly = false;
    if (auto* t = qobject_cast<QTextEdit*>(w)) {
        c = t->textCursor();
        readOnly = t->isReadOnly();
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        c = p->textCursor();
        readOnly = p->isReadOnly();
    }
    if (readOnly) return true;
    if (c.hasSelection() || !c.atEnd() || !c.block().text().isEmpty()) return false;
    if (c.position() > 0) c.deletePreviousChar();  // the line the first Enter added
    return true;
}

class FieldKeys : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) {
            auto* w = qobject_cast<QWidget*>(o);
            const auto reason = static_cast<QFocusEvent*>(e)->reason();
            // Arriving from the field before, the caret waits at the end as in a line edit.
            if (w && isTextBox(w) && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && screenOf(w))
                caretToEnd(w);
            return false;
        }
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const int key = k->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Tab && key != Qt::Key_Backtab &&
            key != Qt::Key_Escape)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        // Once per key press: at the widget that has the focus, not again as it travels up.
        if (!w || w != QApplication::focusWidget()) return false;
        Screen* screen = screenOf(w);
        if (!screen || w->window() != screen->window()) return false;
        QWidget* field = fieldOf(w);
        const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
        if (mods & (Qt::AltModifier | Qt::MetaModifier)) return false;

        if (key == Qt::Key_Escape) {
            // An editable list box keeps Esc to itself; the screen closes as from anywhere else.
            auto* c = qobject_cast<QComboBox*>(field);
            if (!c || !c->isEditable() || mods) return false;
            screen->closeWindow();
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            if (!isTextBox(field) || (mods & Qt::ControlModifier)) return false;
            focusNextField(field, key == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
            return true;
        }
        if (hasOwnEnter(w) || hasOwnEnter(field)) return false;
        if (isTextBox(field)) {
            if (!textBoxMovesOn(field, mods)) return false;
            focusNextField(field, true);
            return true;
        }
        if (mods & Qt::ControlModifier) return false;
        auto* button = qobject_cast<QAbstractButton*>(field);
        if (button && !qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button)) {
            button->click();
            return true;
        }
        focusNextField(field, true);
        return true;
    }
};

}  // namespace

void installFieldKeys() {
    static FieldKeys* keys = nullptr;
    if (keys || !qApp) return;
    keys = new FieldKeys(qApp);
    qApp->installEventFilter(keys);
}

void keepOwnEnter(QWidget* w) {
    w->setProperty(kOwnEnter, true);
}

bool hasOwnEnter(const QWidget* w) {
    return w && w->property(kOwnEnter).toBool();
}

QWidget* fieldOf(QWidget* w) {
    QWidget* p = w ? w->parentWidget() : nullptr;
    if (p && qobject_cast<QLineEdit*>(w) && (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p)))
        return p;
    return w;
}

QWidget* focusNextField(QWidget* w, bool forward) {
    QWidget* field = fieldOf(w);
    Screen* screen = screenOf(field);
    if (!screen) return nullptr;
    QWidget* n = field;
    for (int guard = 0; guard < 5000; ++guard) {
        n = forward ? n->nextInFocusChain() : n->previousInFocusChain();
        if (!n || n == field) break;
        if (!screen->isAncestorOf(n) || field->isAncestorOf(n) || !takesTab(n, screen)) continue;
        n->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return n;
    }
    return nullptr;
}

void fitOnScreen(QWidget* window, QSize wanted) {
    QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s) {
        window->resize(wanted);
        return;
    }
    const QRect avail = s->availableGeometry();
    // Room for the title bar and borders the window manager adds.
    const QSize frame(16, 40);
    const QSize size = wanted.boundedTo(avail.size() - frame).expandedTo(QSize(200, 150));
    window->resize(size);
    const QPoint at(avail.left() + std::max(0, (avail.width() - size.width() - frame.width()) / 2),
                    avail.top() + std::max(0, (avail.height() - size.height() - frame.height()) / 2));
    window->move(at);
}

}  // namespace kavra
