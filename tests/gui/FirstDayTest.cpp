// What tripped a new user up on the first day, each tried the way it happened: the DC
// quantity refused while typed, a list exported, the print preview on a small screen, the
// program started under another locale, its command line, and the smaller things.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "AppSetup.h"
#include "CommandLine.h"
#include "core/forms/FrmLogin.h"
#include "core/forms/MdiSSI.h"
#include "masters/forms/ItemScreens.h"
#include "masters/forms/MiscScreens.h"
#include "printing/Workbook.h"
#include "printing/forms/PrintOutput.h"
#include "sales/forms/DCScreen.h"
#include "sales/forms/MfgPOScreen.h"
#include "support/Keyboard.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"
#include "ui/LineGrid.h"
#include "ui/MessageDialogs.h"

using namespace kavra;
using namespace kavra::test;
using namespace kavra::test::keyboard;

namespace {

class FirstDay : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator(QDateTime(QDate(2026, 6, 10), QTime(10, 0)))) return;
        registerAllScreens();
        exec(company(), "insert into Customer (CustId, CustName, CustAddr) values (1, 'ACME FORGE', 'Peenya')");
        exec(company(),
             "insert into Item (ItemId, ItemCode, ItemName, CategoryCode, MeasureUnit, Rate) values "
             "(1, '1001', 'Bolt M8', 5, 'NOS', 1000), (2, '1002', 'Bush 20', 5, 'NOS', 2500)");
    }
    void orderOfFifty() {
        exec(company(),
             "insert into MfgPO (POId, CustId, PONo, PODate, PODateT, PurchVal) values (1, 1, 'PO-1', "
             "'01/06/2026', ?, 5000000)",
             {at(2026, 6, 1)});
        exec(company(),
             "insert into MfgPOSub (POId, SlNo, ItemId, UOM, Qty, Rate, Discount, QtyToSend) values "
             "(1, 1, 1, 'NOS', 50, 10, 0, 50)");
    }
    PrintCapture print_;
};

TEST_P(FirstDay, RefusedDcQuantityKeepsItsCellAndAMissingCellIsNamed) {
    orderOfFifty();
    FrmDC dc;
    ASSERT_TRUE(dc.load());
    show(&dc);
    ASSERT_EQ(dc.controller()->state(), RecState::Adding);
    dc.findChild<QComboBox*>("cmbCust")->setFocus(Qt::TabFocusReason);
    type("A");
    dc.findChild<QComboBox*>("cmbPONo")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Down);
    ASSERT_EQ(dc.findChild<QComboBox*>("cmbPONo")->currentText(), "PO-1");
    LineGrid* g = dc.grid();
    QHeaderView* head = g->table()->horizontalHeader();
    QTest::mouseClick(head->viewport(), Qt::LeftButton, {}, QPoint(head->sectionViewportPosition(2) + 5, 5));
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    ASSERT_EQ(g->editColumn(), 3);

    // Refused as it is typed, before any Enter; the cell keeps the editor, its text selected.
    dialogs.clear();
    type("6");
    EXPECT_EQ(dialogs.count(), 0);
    type("0");
    EXPECT_EQ(dialogs.last().text, "Qty should not be greater than 50");
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(g->editColumn(), 3);
    EXPECT_EQ(QApplication::focusWidget(), g->editor());
    EXPECT_EQ(g->editor()->selectedText(), "60");
    // Enter does not take the refused quantity on to the remarks.
    key(Qt::Key_Return);
    EXPECT_EQ(dialogs.count(), 2);
    EXPECT_EQ(g->editColumn(), 3);
    EXPECT_EQ(g->editor()->selectedText(), "60");
    type("40");  // typed over the wrong one
    key(Qt::Key_Return);
    EXPECT_EQ(g->text(1, 3), "40");
    EXPECT_EQ(g->editColumn(), 4);
    EXPECT_EQ(dialogs.count(), 2);

    // The line is not complete without its remarks: no new line, and the status line says why.
    key(Qt::Key_Return);
    EXPECT_EQ(g->lineCount(), 1);
    EXPECT_EQ(dc.findChild<QLabel*>("lblStatus")->text(), "To add a new row, first fill Remarks in row 1.");
    type("OK");
    key(Qt::Key_Return);
    EXPECT_EQ(g->lineCount(), 2);
    // Tab leaves the grid for Save, and Enter there saves.
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), "cmdSave");
    key(Qt::Key_Return);
    EXPECT_EQ(dialogs.last().text, "Record Saved .");
}

TEST_P(FirstDay, ListsAndGridsExportNumbersAsNumbersAndSayWhere) {
    {
        FrmItem items;
        ASSERT_TRUE(items.load());
        show(&items);
        auto* names = items.findChild<QListWidget*>("lstNames");
        QAction* exportAction = names->findChild<QAction*>("actExport");
        ASSERT_TRUE(exportAction);
        exportAction->trigger();
        ASSERT_EQ(print_.output().calls, 1);
        const QString path = print_.path();
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith("Master - Item - List of Available Items-"))
            << path.toStdString();
        EXPECT_TRUE(dialogs.last().text.contains(QDir::toNativeSeparators(path)));
        const Print::Workbook wb = Print::Workbook::load(path);
        EXPECT_EQ(wb.value(0, 1, 1).toString(), "List of Available Items");
        EXPECT_EQ(wb.value(0, 2, 1).typeId(), QMetaType::Double);
        EXPECT_EQ(wb.value(0, 3, 1).toDouble(), 1002);
    }
    // A document's line grid: codes stay text, quantities and rates are numbers.
    orderOfFifty();
    exec(company(), "update Item set ItemCode='A-100' where ItemId=1");
    FrmMfgPO po;
    ASSERT_TRUE(po.load());
    show(&po);
    QAction* exportAction = po.grid()->table()->findChild<QAction*>("actExport");
    ASSERT_TRUE(exportAction);
    exportAction->trigger();
    ASSERT_EQ(print_.output().calls, 2);
    EXPECT_TRUE(QFileInfo(print_.path()).fileName().startsWith("Work Order - Manufacturing - Item Lines-"));
    const Print::Workbook wb = Print::Workbook::load(print_.path());
    EXPECT_EQ(wb.value(0, 2, 2).toString(), "A-100");
    EXPECT_EQ(wb.value(0, 2, 5).typeId(), QMetaType::Double);
    EXPECT_EQ(wb.value(0, 2, 5).toDouble(), 50);
    EXPECT_EQ(wb.value(0, 2, 6).toDouble(), 10);
}

TEST(ExportTypes, CodeColumnsStayTextNumberColumnsBecomeNumbers) {
    const QStringList cells[] = {{"Sl", "Code", "Qty", "Phone"},
                                 {"1", "007", "2.5", "98450 12345"},
                                 {"2", "120", "", "080-23"},
                                 {"3", "A1", "-4", ""}};
    const Print::GridData g = Print::textGrid(4, 4, [&](int r, int c) { return cells[r][c]; });
    EXPECT_EQ(g.cell(0, 0).typeId(), QMetaType::QString);  // the heading
    EXPECT_EQ(g.cell(2, 0).toDouble(), 2);
    EXPECT_EQ(g.cell(2, 0).typeId(), QMetaType::Double);
    EXPECT_EQ(g.cell(2, 1).typeId(), QMetaType::QString);  // a leading zero makes it a code column
    EXPECT_EQ(g.cell(3, 2).toDouble(), -4);
    EXPECT_EQ(g.cell(2, 2).toString(), "");
    EXPECT_EQ(g.cell(1, 3).typeId(), QMetaType::QString);
}

TEST(PrintPreview, FitsTheScreenWithItsButtons) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    {
        QPdfWriter w(pdf);
        w.setPageSize(QPageSize(QPageSize::A4));
        QPainter p(&w);
        p.drawText(100, 100, "Delivery Challan");
    }
    std::unique_ptr<QWidget> preview(Print::showPdf(pdf, "Print Preview"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    const QRect avail = preview->screen()->availableGeometry();
    EXPECT_TRUE(avail.contains(preview->frameGeometry())) << avail.height() << " " << preview->frameGeometry().height();
    for (const char* name : {"cmdPrint", "cmdClose"}) {
        auto* b = preview->findChild<QPushButton*>(name);
        EXPECT_TRUE(avail.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size()))) << name;
    }
}

// Run as a program of its own with an American locale (below): the login reaches the year
// and user boxes instead of the regional-settings advice, and date boxes read dd/MM/yyyy.
class LocaleChild : public EngineTest {};

TEST_P(LocaleChild, LoginStartsUnderThisLocale) {
    if (!qEnvironmentVariableIsSet("KAVRA_LOCALE_CHILD")) GTEST_SKIP() << "run by StartsUnderAmericanLocale";
    ASSERT_EQ(QLocale::system().name(), "en_US");
    if (!startYear(QDateTime(QDate(2026, 12, 6), QTime(10, 0)))) return;
    dialogs.setDefaultAnswer(true);
    setupLocale();
    FrmLogin login;
    login.setWorkstation({"10.0.0.5", "OFFICE-PC"});
    EXPECT_TRUE(login.start());
    for (const Shown& m : dialogs.shown()) EXPECT_FALSE(m.text.contains("Regional")) << m.text.toStdString();
    QDateEdit d;
    d.setDate(QDate(2026, 12, 6));
    EXPECT_EQ(d.text(), "06/12/2026");
}

INSTANTIATE_TEST_SUITE_P(Engines, LocaleChild, ::testing::Values(Engine::SQLite), engineName);

TEST(Locale, StartsUnderAmericanLocale) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"LANG", "LC_ALL", "LC_TIME", "LC_NUMERIC"}) env.insert(v, "en_US.UTF-8");
    env.insert("KAVRA_LOCALE_CHILD", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=*LocaleChild.LoginStartsUnderThisLocale*"});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString out = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
}

TEST(CommandLine, UnknownOptionsAreRefusedAndHelpListsTheOptions) {
    EXPECT_TRUE(readCommandLine({"kavra", "--server", "db:5432", "--dir", "/srv/kavra"}).problem.isEmpty());
    EXPECT_EQ(readCommandLine({"kavra", "--sever", "db"}).problem, "Unknown option \"--sever\".");
    EXPECT_EQ(readCommandLine({"kavra", "--dir"}).problem, "The option --dir needs a value.");
    EXPECT_TRUE(readCommandLine({"vorlix", "--year", "2027"}, {{"--year", "YYYY", ""}}).problem.isEmpty());
    EXPECT_TRUE(readCommandLine({"kavra", "-h"}).help);

    // The program itself, beside this one.
    const QString kavra = QCoreApplication::applicationDirPath() + "/kavra";
    if (!QFileInfo::exists(kavra)) GTEST_SKIP() << "kavra is not built";
    QProcess p;
    p.start(kavra, {"--help"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0);
    for (const char* opt : {"--dir", "--server", "--db-user", "--db-password", "--db-prefix", "--help"})
        EXPECT_TRUE(help.contains(opt)) << opt;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(kavra, {"--bogus"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError()).contains("Unknown option \"--bogus\""));
}

TEST_P(FirstDay, SmallerThings) {
    // The action marker is no block over the fields before any action, even when the
    // blinking status line shows it.
    {
        FrmMeasure units;
        ASSERT_TRUE(units.load());
        show(&units);
        auto* marker = units.findChild<QWidget*>("cmdRGB");
        ASSERT_TRUE(marker);
        marker->show();
        EXPECT_LE(marker->height(), 6);
        EXPECT_LE(marker->width(), 1);
    }
    // A message box is as wide as its title.
    QMessageBox box(QMessageBox::Critical, "LOGIN FAILED", "No.");
    MessageDialogs::fitTitle(box);
    box.show();
    QFont bold = box.font();
    bold.setBold(true);
    EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance("LOGIN FAILED") + 100);
    box.close();
    // A menu-bar label does not stay lit once its menu has closed.
    MdiSSI main;
    main.setConfirmExit(false);
    show(&main);
    auto* label = main.findChild<QLabel*>("lblMaster");
    main.popupGroup("lblMaster");
    label->setAttribute(Qt::WA_UnderMouse, true);
    main.groupMenu("lblMaster")->hide();
    EXPECT_FALSE(label->testAttribute(Qt::WA_UnderMouse));
}

INSTANTIATE_TEST_SUITE_P(Engines, FirstDay, ::testing::Values(Engine::SQLite), engineName);

}  // namespace
