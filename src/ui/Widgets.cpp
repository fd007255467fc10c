#include "ui/Widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kavra {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* makeLineEdit(QWidget* parent, const char* name, int maxLen) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLen);
    return e;
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
class EnterFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                if (auto* w = qobject_cast<QWidget*>(o)) {
                    QWidget* next = w->nextInFocusChain();
                    while (next != w && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
                                          next->isVisibleTo(w->window()) && !next->isAncestorOf(w)))
                        next = next->nextInFocusChain();
                    next->setFocus(Qt::TabFocusReason);
                    return true;
                }
            }
        }
        return false;
    }
};
}  // namespace

void enterMovesOn(QWidget* w) {
    auto* f = new EnterFilter(w);
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
        // A combo box's own line edit is reached through the combo box.
        if (!qobject_cast<QComboBox*>(e->parentWidget())) e->installEventFilter(f);
    }
    for (QComboBox* c : w->findChildren<QComboBox*>()) c->installEventFilter(f);
}

}  // namespace kavra
