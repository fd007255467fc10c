// Number fields as a user types and pastes into them: grouped figures read as meant, no
// figure that could overflow or is not a number gets in, a stray comma is mended on leaving.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QValidator>

#include "core/Text.h"
#include "ui/Widgets.h"

using namespace kavra;

namespace {

struct Field {
    QWidget box;
    QLineEdit* edit;
    QLineEdit* next;
    explicit Field(int whole = 9, int decimals = 2, bool negative = false) {
        auto* v = new QVBoxLayout(&box);
        edit = new QLineEdit(&box);
        next = new QLineEdit(&box);
        v->addWidget(edit);
        v->addWidget(next);
        edit->setValidator(numberValidator(edit, whole, decimals, negative));
        box.show();
        box.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        edit->setFocus();
    }
    QString type(const QString& keys) {
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, keys);
        return edit->text();
    }
    QString paste(const QString& text) {
        edit->clear();
        QApplication::clipboard()->setText(text);
        edit->paste();
        return edit->text();
    }
};

TEST(NumberField, TypingKeepsOnlyWhatCanBeANumberOfItsSize) {
    Field f(9, 2);
    EXPECT_EQ(f.type("1,00,000.50"), "1,00,000.50");
    EXPECT_EQ(text::typed(f.edit->text()), 100000.5);
    // Letters, a second point, a third decimal, a tenth whole digit and a minus are not taken.
    EXPECT_EQ(f.type("12a3"), "123");
    EXPECT_EQ(f.type("1.2.3"), "1.23");
    EXPECT_EQ(f.type("1.234"), "1.23");
    EXPECT_EQ(f.type("9999999999"), "999999999");
    EXPECT_EQ(f.type("-5"), "5");
    EXPECT_EQ(f.type("1e5"), "15");

    for (const char* bad : {"1e400", "inf", "nan", "-3", "12345678901", "1,,000"}) EXPECT_EQ(f.paste(bad), "") << bad;
    EXPECT_EQ(f.paste("2,500"), "2,500");

    Field owed(11, 2, true);
    EXPECT_EQ(owed.type("-2,500.75"), "-2,500.75");
    EXPECT_EQ(text::typed(owed.edit->text()), -2500.75);
    EXPECT_EQ(owed.type("5-"), "5");
}

TEST(NumberField, AStrayCommaOrALoneSignIsMendedOnLeaving) {
    Field f(9, 2, true);
    f.type("1,000,");
    EXPECT_FALSE(f.edit->hasAcceptableInput());
    f.next->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(f.edit->text(), "1,000");
    EXPECT_EQ(text::typed(f.edit->text()), 1000);

    f.type("-");
    f.next->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(f.edit->text(), "");
}

}  // namespace
