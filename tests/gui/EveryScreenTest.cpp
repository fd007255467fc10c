// What every screen does the same way, tried on every screen the program registers, opened
// from the main window as a user opens it: Enter walks the fields as Tab does and changes
// nothing, CLOSE and Esc take the whole sub-window away and free the screen, F1 shows the
// screen's own help page.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>

#include "AppSetup.h"
#include "core/forms/MdiSSI.h"
#include "support/TestEnv.h"
#include "ui/Help.h"
#include "ui/LineGrid.h"
#include "ui/Screen.h"
#include "ui/Widgets.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class EveryScreen : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 12, 6), QTime(10, 0)))) return;
        registerAllScreens();
        QSqlDatabase& db = company();
        // Masters with a stored record each, multi-line texts included, so their screens open
        // showing one; the document screens open empty, for adding.
        exec(db,
             "insert into Customer (CustId, CustName, CustAddr, Scope, KSTNo) values (1, 'ACME FORGE', "
             "'Plot 4\nPeenya', 'Forgings', '29AB')");
        exec(db, "insert into Supplier (SuppId, SuppName, SuppAddr) values (1, 'RAJ PLATING', 'Hosur')");
        exec(db, "insert into Vendor (VendorCode, VendorName, VendorAddr) values (1, 'STEEL HOUSE', 'Bengaluru')");
        exec(db,
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, AltUnit, TariffSubHead, "
             "Rate) values (1, 'A100', 'Bolt M8', 5, 'NOS', 'KGS', '7318', 1000)");
        exec(db, "update Misc set PrintHead='ACME FORGE\nPeenya\nPh 080 2345', MyKST='KST-1'");
        main_ = new MdiSSI;
        main_->setConfirmExit(false);
        main_->resize(1366, 740);
        main_->show();
        QApplication::setActiveWindow(main_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_));
    }
    void TearDown() override {
        delete main_;
        EngineTest::TearDown();
    }

    // The screen opened as the menu opens it, or nullptr when it cannot open on its own.
    Screen* open(const QString& name) {
        if (!main_->openScreen(name)) return nullptr;
        QMdiSubWindow* sub = Screens::find(main_->area(), name);
        return sub ? qobject_cast<Screen*>(sub->widget()) : nullptr;
    }
    void closeAll() {
        main_->area()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    qint64 locks(const QString& screen) {
        return count(company(), "select count(*) from OnlineUsers where ScreenId=? and SysId=1", {screen});
    }

    static QString nameOf(const QWidget* w) {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    }
    static bool insideGrid(QWidget* w) {
        for (QWidget* p = w; p; p = p->parentWidget())
            if (qobject_cast<LineGrid*>(p)) return true;
        return false;
    }
    static bool isCommand(QWidget* w) {
        auto* b = qobject_cast<QAbstractButton*>(w);
        return b && !qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b);
    }
    // The first field Tab reaches on the screen.
    static QWidget* firstField(Screen* s) {
        for (QWidget* w = s->nextInFocusChain(); w && w != s; w = w->nextInFocusChain())
            if (s->isAncestorOf(w) && fieldOf(w) == w && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
                w->isEnabled() && w->isVisible() && !w->focusProxy())
                return w;
        return nullptr;
    }
    // The fields a key goes through from the first one, until a command button (which of them
    // is enabled is the screen's own business), the line grid (which has keys of its own) or
    // a field seen before.
    static QStringList walk(Screen* s, Qt::Key key) {
        QWidget* start = firstField(s);
        if (!start) return {};
        start->setFocus(Qt::TabFocusReason);
        QStringList seen;
        QWidget* last = nullptr;
        for (int i = 0; i < 300; ++i) {
            QWidget* f = QApplication::focusWidget() ? fieldOf(QApplication::focusWidget()) : nullptr;
            if (!f || !s->isAncestorOf(f) || insideGrid(f) || isCommand(f)) break;
            if (f != last) {
                if (seen.contains(nameOf(f))) break;
                seen << nameOf(f);
                last = f;
            }
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        return seen;
    }
    // Every text, choice and tick on the screen.
    static QStringList contents(Screen* s) {
        QStringList out;
        for (QWidget* w : s->findChildren<QWidget*>()) {
            QString v;
            if (auto* e = qobject_cast<QLineEdit*>(w); e && fieldOf(e) == e)
                v = e->text();
            else if (auto* c = qobject_cast<QComboBox*>(w))
                v = c->currentText() + QLatin1Char('#') + QString::number(c->currentIndex());
            else if (auto* d = qobject_cast<QAbstractSpinBox*>(w))
                v = d->text();
            else if (auto* t = qobject_cast<QTextEdit*>(w))
                v = t->toPlainText();
            else if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable())
                v = b->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
            else
                continue;
            out << nameOf(w) + QLatin1Char('=') + v;
        }
        return out;
    }

    MdiSSI* main_ = nullptr;
};

TEST_P(EveryScreen, EnterWalksTheFieldsAsTabDoesAndChangesNothing) {
    int walked = 0;
    for (const QString& name : Screens::names()) {
        Screen* s = open(name);
        if (!s) continue;
        const QStringList before = contents(s);
        const QStringList byTab = walk(s, Qt::Key_Tab);
        const QStringList after = contents(s);
        const QStringList byEnter = walk(s, Qt::Key_Return);
        EXPECT_EQ(byEnter, byTab) << name.toStdString();
        EXPECT_EQ(contents(s), after) << name.toStdString() << ": Enter changed what the screen shows";
        EXPECT_EQ(after, before) << name.toStdString() << ": Tab changed what the screen shows";
        if (byTab.size() > 2) ++walked;
        closeAll();
    }
    EXPECT_GE(walked, 12);  // the masters, settings, documents and stores screens have fields
}

TEST_P(EveryScreen, EnterAndEscInTheFieldsThatSwallowedThem) {
    Screen* dc = open("frmDC");
    ASSERT_TRUE(dc);
    // Enter leaves an editable list box, so the next typing lands in the next one.
    auto* transport = dc->findChild<QComboBox*>("cmbTransport");
    auto* vehicle = dc->findChild<QComboBox*>("cmbVehicleNo");
    transport->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(QApplication::focusWidget(), "By Road");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "KA-05-AB-1234");
    EXPECT_EQ(transport->currentText(), "By Road");
    EXPECT_EQ(vehicle->currentText(), "KA-05-AB-1234");
    // A date box lets go of the keyboard too.
    auto* date = dc->findChild<QAbstractSpinBox*>("dtpDCDate");
    const QString shown = date->text();
    date->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "30 days");
    EXPECT_EQ(date->text(), shown);
    EXPECT_EQ(transport->currentText(), "30 days");  // the field after the date, typed over
    // Esc from inside an editable list box closes the screen like everywhere else.
    QPointer<QMdiSubWindow> sub = Screens::find(main_->area(), "frmDC");
    vehicle->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(sub.isNull());

    // In the customer's address Enter adds a line, a second one on the empty line moves on
    // and takes that line away again; the caret is never sent back to the start.
    Screen* cust = open("frmCustomer");
    ASSERT_TRUE(cust);
    auto* addr = cust->findChild<QTextEdit*>("rtbAddr");
    addr->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(addr, ", Bengaluru");
    QTest::keyClick(addr, Qt::Key_Return);
    QTest::keyClicks(addr, "560058");
    QTest::keyClick(addr, Qt::Key_Return);
    QTest::keyClick(addr, Qt::Key_Return);
    EXPECT_EQ(addr->toPlainText(), "Plot 4\nPeenya, Bengaluru\n560058");
    EXPECT_NE(QApplication::focusWidget(), addr);
    QTest::keyClicks(QApplication::focusWidget(), "X");
    EXPECT_EQ(addr->toPlainText(), "Plot 4\nPeenya, Bengaluru\n560058");
    // Shift+Enter always adds a line; Tab never types a tab.
    addr->setFocus(Qt::TabFocusReason);
    QTest::keyClick(addr, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(addr, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(addr->toPlainText(), "Plot 4\nPeenya, Bengaluru\n560058\n\n");
    QTest::keyClick(addr, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), addr);
    EXPECT_FALSE(addr->toPlainText().contains('\t'));
}

TEST_P(EveryScreen, CloseAndEscTakeTheWholeSubWindowAwayAndFreeTheScreen) {
    int closed = 0;
    for (const QString& name : Screens::names()) {
        for (const bool byEsc : {false, true}) {
            Screen* s = open(name);
            if (!s) break;
            QPointer<QMdiSubWindow> sub = Screens::find(main_->area(), name);
            auto* exit = s->findChild<QPushButton*>("cmdExit");
            if (byEsc) {
                QWidget* f = firstField(s);
                if (f) f->setFocus(Qt::TabFocusReason);
                QTest::keyClick(f ? QApplication::focusWidget() : static_cast<QWidget*>(s), Qt::Key_Escape);
            } else if (exit) {
                QTest::mouseClick(exit, Qt::LeftButton);
            } else {
                continue;
            }
            QTRY_VERIFY2(sub.isNull(), qPrintable(name + (byEsc ? " by Esc" : " by CLOSE")));
            EXPECT_TRUE(main_->area()->subWindowList().isEmpty()) << name.toStdString();
            EXPECT_EQ(locks(name), 0) << name.toStdString();
            ++closed;
        }
    }
    EXPECT_GE(closed, 24);
}

TEST_P(EveryScreen, F1ShowsTheScreensOwnHelpPage) {
    for (const QString& name : Screens::names()) {
        Screen* s = open(name);
        if (!s) continue;
        const QString topic = Help::topicOf(name);
        EXPECT_NE(topic, Help::contentsTopic()) << name.toStdString() << " has no page of its own";
        QWidget* f = firstField(s);
        if (f) f->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f ? QApplication::focusWidget() : static_cast<QWidget*>(s), Qt::Key_F1);
        QWidget* help = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmHelp" && w->isVisible()) help = w;
        ASSERT_TRUE(help) << name.toStdString();
        auto* page = help->findChild<QTextBrowser*>("txtHelp");
        EXPECT_EQ(QFileInfo(page->source().toLocalFile()).fileName(), topic) << name.toStdString();
        EXPECT_FALSE(page->documentTitle().isEmpty()) << topic.toStdString();
        EXPECT_GT(page->toPlainText().size(), 300) << topic.toStdString();
        help->close();
        closeAll();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, EveryScreen, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
