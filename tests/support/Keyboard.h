#pragma once
// Driving screens from the keyboard as a user does: keys go to the focused control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <initializer_list>
#include <utility>

namespace kavra::test::keyboard {

inline QWidget* focused() {
    return QApplication::focusWidget();
}
inline QString focusName() {
    QWidget* f = focused();
    if (!f) return {};
    // An editable list's own text box stands for the list.
    if (f->objectName().isEmpty() && f->parentWidget()) return f->parentWidget()->objectName();
    return f->objectName();
}
inline void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(focused(), k, m);
}
inline void type(const QString& s) {
    QTest::keyClicks(focused(), s);
}
// Tab until the named control has the focus (a date takes a Tab per part).
inline void tabTo(const char* name) {
    for (int i = 0; i < 30 && focusName() != QLatin1String(name); ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QString::fromLatin1(name));
}
inline void show(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}
// The newest top-level window of this type (a dialog a key or click opened), or nullptr.
template <typename T>
T* window() {
    T* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w)) found = t;
    return found;
}
// Tabs to each named control in turn and types its text.
inline void fields(std::initializer_list<std::pair<const char*, const char*>> typed) {
    for (const auto& [name, text] : typed) {
        tabTo(name);
        type(QString::fromUtf8(text));
    }
}
// Types a line's cells from the editor's cell on, Enter after each.
inline void cells(const QStringList& texts) {
    for (const QString& t : texts) {
        if (!t.isEmpty()) type(t);
        key(Qt::Key_Return);
    }
}

}  // namespace kavra::test::keyboard
