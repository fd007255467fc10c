// The print command as a screen runs it: refusals, the preview-or-print question, and a
// list exported from its context menu.
#include <QAction>
#include <QTableWidget>

#include "printing/DocumentPrint.h"
#include "printing/Workbook.h"
#include "printing/forms/FrmColHeadingPR.h"
#include "support/PrintCapture.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

class PrintCommand : public EngineTest {
  protected:
    void SetUp() override {
        if (!startAsAdministrator()) return;
        registerPrintingScreens();
    }
    Print::Document dc(int lines) {
        Print::Document d{QStringLiteral("MFGDC"), QStringLiteral("MfgDC")};
        d.fields[QStringLiteral("DCNo")] = QStringLiteral("17");
        for (int i = 1; i <= lines; ++i) d.lines.append({i, QStringLiteral("Shaft"), 4.0, QStringLiteral("NOS")});
        return d;
    }
    PrintCapture print_;
};

TEST_P(PrintCommand, RefusalsThenPreviewOrPrint) {
    QSqlDatabase& db = company();
    EXPECT_TRUE(Print::printDocument(db, dialogs, dc(2), true).isEmpty());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("You must save the record first in order to take a print!!!"));
    EXPECT_TRUE(Print::printDocument(db, dialogs, dc(0), false).isEmpty());
    EXPECT_EQ(dialogs.last().text, QStringLiteral("No data to Print..."));
    EXPECT_EQ(print_.output().calls, 0);

    dialogs.clear();
    dialogs.answer(true);
    const QString previewed = Print::printDocument(db, dialogs, dc(16), false);
    ASSERT_FALSE(previewed.isEmpty());
    EXPECT_EQ(dialogs.shown().value(0).text, QStringLiteral("Click Yes  if you want to preview rather than  print?"));
    EXPECT_TRUE(print_.output().preview);
    EXPECT_EQ(print_.output().path, previewed);
    EXPECT_EQ(Print::Workbook::load(previewed).sheetNames().size(), 2);  // 15 rows a page

    dialogs.answer(false);
    Print::printDocument(db, dialogs, dc(1), false);
    EXPECT_FALSE(print_.output().preview);
    EXPECT_EQ(print_.output().calls, 2);

    exec(db, QStringLiteral("delete from Misc"));
    EXPECT_TRUE(Print::printDocument(db, dialogs, dc(1), false).isEmpty());
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("You have to enter your Company Details First")));
    EXPECT_EQ(print_.output().calls, 2);
}

TEST_P(PrintCommand, ListExportsFromItsContextMenu) {
    FrmColHeadingPR s;
    ASSERT_TRUE(s.load());
    QTableWidget* earnings = s.grid(2);
    earnings->setRowHidden(0, true);
    QAction* exportAction = earnings->findChild<QAction*>(QStringLiteral("actExport"));
    ASSERT_TRUE(exportAction);
    exportAction->trigger();
    ASSERT_EQ(print_.output().calls, 1);
    Print::Workbook wb = Print::Workbook::load(print_.output().path);
    EXPECT_EQ(wb.value(0, 1, 2).toString(), earnings->horizontalHeaderItem(1)->text());
    EXPECT_EQ(wb.value(0, 3, 2).toString(), earnings->item(1, 1)->text());
    EXPECT_TRUE(wb.rowHidden(0, 2));
    EXPECT_EQ(wb.lastRow(0), earnings->rowCount() + 1);
}

KAVRA_ON_EVERY_ENGINE(PrintCommand);

}  // namespace
