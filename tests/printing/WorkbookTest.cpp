// Documents written into their templates page by page, read back from the saved file,
// and lists exported to workbooks.
#include <QCoreApplication>
#include <QDate>
#include <QXmlStreamReader>

#include "printing/DocumentPrint.h"
#include "printing/GridExport.h"
#include "printing/Workbook.h"
#include "support/TestEnv.h"

using namespace kavra;
using namespace kavra::test;

namespace {

// The text of a workbook's defined name local to one sheet; attribute order is free in XML.
QString definedName(const QString& workbookXml, const QString& name, int sheet) {
    QXmlStreamReader x(workbookXml);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement || x.name() != QLatin1String("definedName")) continue;
        const auto a = x.attributes();
        if (a.value(QLatin1String("name")) == name && a.value(QLatin1String("localSheetId")).toInt() == sheet)
            return x.readElementText();
    }
    return {};
}

class DocumentPrintTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!startYear()) return;
        Print::setTemplateDir(QCoreApplication::applicationDirPath() + "/Xl");
        exec(company(), "update Misc set PrintHead=?, PrintShortAddr=?",
             {"SHREE TOOLS\r\nPlot 4, Peenya\r\nPh 080-2345", "SHREE TOOLS\nPeenya"});
    }

    Print::Document invoice(int lines) {
        Print::Document d{"mfgINV", "MFGINV"};
        d.fields["InvNo"] = "101";
        d.fields["InvDate"] = QDate(2026, 5, 4);
        d.fields["CustName"] = "Acme Gears";
        for (int i = 1; i <= lines; ++i) d.lines.append({i, QString("Bracket %1").arg(i), 2.0, "NOS", 5.25, 0.0, 10.5});
        d.lastPage["SubTotal"] = Print::money(Money::fromPaise(105000));
        d.lastPage["Total"] = Print::money(Money::fromPaise(105000));
        d.words = Money::fromPaise(105000);
        return d;
    }

    Print::Workbook written(const Print::Document& d, int* pages = nullptr) {
        const QString path = programDir() + "/out.xlsx";
        const int n = Print::writeDocument(company(), d, path);
        if (pages) *pages = n;
        return Print::Workbook::load(path);
    }
};

TEST_P(DocumentPrintTest, APageFullOfLinesIsOnePageAndOneMoreMakesTwo) {
    int pages = 0;
    Print::Workbook one = written(invoice(12), &pages);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(one.sheetNames(), QStringList{"TEMPLATE"});
    const Print::CellRange lines = *one.name("Lines");
    EXPECT_EQ(one.value(0, lines.lastRow, lines.col + 1).toString(), "Bracket 12");
    EXPECT_FALSE(one.rowHidden(0, lines.lastRow));
    EXPECT_EQ(Print::valueAt(one, 1, "PageNo").toString(), "Page 1 of 1");
    EXPECT_EQ(Print::valueAt(one, 1, "PrintHead").toString(), "SHREE TOOLS\nPlot 4, Peenya\nPh 080-2345");
    EXPECT_EQ(Print::valueAt(one, 1, "ForCompany").toString(), "For SHREE TOOLS");
    EXPECT_EQ(Print::valueAt(one, 1, "InvDate").toString(), "04/05/2026");

    Print::Workbook two = written(invoice(13), &pages);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(two.sheetNames(), (QStringList{"TEMPLATE", "TEMPLATE (2)"}));
    EXPECT_EQ(two.value(1, lines.row, lines.col + 1).toString(), "Bracket 13");
    EXPECT_EQ(Print::valueAt(two, 2, "PageNo").toString(), "Page 2 of 2");
    EXPECT_EQ(Print::valueAt(two, 2, "CustName").toString(), "Acme Gears");
    // The unused item rows of the last page are hidden; the first page is full.
    for (int r = lines.row + 1; r <= lines.lastRow; ++r) EXPECT_TRUE(two.rowHidden(1, r)) << r;
    EXPECT_FALSE(two.rowHidden(0, lines.lastRow));
    // Totals only on the last page.
    EXPECT_TRUE(Print::rowHiddenAt(two, 1, "Total"));
    EXPECT_FALSE(Print::rowHiddenAt(two, 2, "Total"));
    EXPECT_DOUBLE_EQ(Print::valueAt(two, 2, "Total").toDouble(), 1050.0);
    EXPECT_EQ(Print::valueAt(two, 1, "AmountInWords").toString(), "Continued on page 2");
    EXPECT_EQ(Print::valueAt(two, 2, "AmountInWords").toString(), "RUPEES .ONE THOUSAND, FIFTY  ONLY");
    // The copy prints its own title row.
    const QString book = QString::fromUtf8(Print::readPart(programDir() + "/out.xlsx", "xl/workbook.xml"));
    EXPECT_EQ(definedName(book, "_xlnm.Print_Titles", 1), "'TEMPLATE (2)'!$1:$1");
}

TEST_P(DocumentPrintTest, RowsPerPageComeFromPrintInfo) {
    exec(company(), "update PrintInfo set currrows=5 where printtopic='MFGINV'");
    int pages = 0;
    Print::Workbook wb = written(invoice(11), &pages);
    EXPECT_EQ(pages, 3);
    const Print::CellRange lines = *wb.name("Lines");
    EXPECT_EQ(wb.value(1, lines.row, lines.col + 1).toString(), "Bracket 6");
    EXPECT_TRUE(wb.rowHidden(0, lines.row + 5));  // beyond the rows a page holds
    EXPECT_FALSE(wb.rowHidden(2, lines.row));
    EXPECT_TRUE(wb.rowHidden(2, lines.row + 1));
}

TEST_P(DocumentPrintTest, FormHInvoiceShowsItsTextAndNoTaxRows) {
    Print::Document d = invoice(2);
    d.fields["FormText"] = "No Taxes under Form H";
    const QStringList taxes{"Excise", "EduCess", "HECess", "SalesTax", "TaxCess", "VAT", "Surcharge"};
    d.hideRows = taxes;
    d.words = Money::fromPaise(105050);
    Print::Workbook wb = written(d);
    for (const QString& t : taxes) {
        EXPECT_TRUE(Print::rowHiddenAt(wb, 1, t)) << t.toStdString();
        EXPECT_FALSE(Print::valueAt(wb, 1, t).isValid()) << t.toStdString();
    }
    EXPECT_FALSE(Print::rowHiddenAt(wb, 1, "Total"));
    EXPECT_EQ(Print::valueAt(wb, 1, "FormText").toString(), "No Taxes under Form H");
    EXPECT_EQ(Print::valueAt(wb, 1, "AmountInWords").toString(), "RUPEES .ONE THOUSAND, FIFTY  AND PAISE FIFTY  ONLY");
}

TEST_P(DocumentPrintTest, MissingTemplateOrFieldIsAPrintFailure) {
    Print::Document d = invoice(1);
    d.fields["NoSuchField"] = 1;
    EXPECT_THROW(written(d), Print::PrintFailure);
    d = invoice(1);
    d.templateName = "nosuch";
    EXPECT_THROW(written(d), Print::PrintFailure);
}

KAVRA_ON_EVERY_ENGINE(DocumentPrintTest);

// Reads the first sheet of an exported workbook as a stream: row count, hidden rows, and
// the attributes of the elements the export must write.
struct SheetFacts {
    int rows = 0;
    QList<int> hiddenRows;
    bool hiddenCol = false, autoFilter = false, frozen = false;
    QString header;
};

SheetFacts readSheet(const QString& path) {
    const QByteArray xml = Print::readPart(path, "xl/worksheets/sheet1.xml");
    EXPECT_FALSE(xml.isEmpty());
    QXmlStreamReader x(xml);
    SheetFacts s;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement) continue;
        const auto a = x.attributes();
        if (x.name() == QLatin1String("row")) {
            ++s.rows;
            if (a.value(QLatin1String("hidden")) == QLatin1String("1")) s.hiddenRows << a.value("r").toInt();
        } else if (x.name() == QLatin1String("col")) {
            s.hiddenCol |= a.value(QLatin1String("hidden")) == QLatin1String("1");
        } else if (x.name() == QLatin1String("autoFilter")) {
            s.autoFilter = a.value(QLatin1String("ref")).startsWith(QLatin1String("A2:"));
        } else if (x.name() == QLatin1String("pane")) {
            s.frozen = a.value(QLatin1String("state")) == QLatin1String("frozen");
        } else if (x.name() == QLatin1String("oddHeader")) {
            s.header = x.readElementText();
        }
    }
    EXPECT_FALSE(x.hasError()) << x.errorString().toStdString();
    return s;
}

TEST_P(DocumentPrintTest, ExportedListKeepsTextsDatesAndHiddenRows) {
    Print::GridData g;
    g.rows = 4;
    g.cols = 3;
    const QStringList cells{"Bill No", "Date",       "Amount", "007", "05/04/2026", "1200.50",
                            "008",     "06/04/2026", "10",     "009", "",           "3"};
    g.cell = [&](int r, int c) -> QVariant { return cells[r * 3 + c]; };
    g.rowHidden = [](int r) { return r == 2; };
    g.colHidden = [](int c) { return c == 2; };
    const QString path = programDir() + "/list.xlsx";
    ASSERT_TRUE(Print::exportGrid(company(), g, path));
    const SheetFacts s = readSheet(path);
    EXPECT_EQ(s.rows, 4);
    EXPECT_EQ(s.hiddenRows, QList<int>{3});
    EXPECT_TRUE(s.hiddenCol);
    EXPECT_TRUE(s.autoFilter);
    EXPECT_TRUE(s.frozen);
    EXPECT_TRUE(s.header.contains("SHREE TOOLS\nPeenya")) << s.header.toStdString();
    Print::Workbook wb = Print::Workbook::load(path);
    EXPECT_EQ(wb.value(0, 2, 1).toString(), "007");  // text stays text
    EXPECT_DOUBLE_EQ(wb.value(0, 2, 2).toDouble(), QDate(2026, 4, 5).toJulianDay() - QDate(1899, 12, 30).toJulianDay());
    EXPECT_EQ(wb.value(0, 2, 3).toString(), "1200.50");
}

TEST_P(DocumentPrintTest, ExportOfAHundredThousandRowsIsAValidWorkbook) {
    Print::GridData g;
    g.rows = 100001;
    g.cols = 4;
    g.cell = [](int r, int c) -> QVariant {
        if (r == 0) return QString("Col %1").arg(c);
        return c == 1 ? QVariant("01/04/2026") : QVariant(QString("R%1C%2").arg(r).arg(c));
    };
    int calls = 0, last = 0;
    const QString path = programDir() + "/big.xlsx";
    ASSERT_TRUE(Print::exportGrid(company(), g, path, {}, [&](int done, int total) {
        ++calls;
        last = done;
        return total == 100001;
    }));
    EXPECT_GT(calls, 100);
    EXPECT_EQ(last, 100001);
    EXPECT_EQ(readSheet(path).rows, 100001);
    // A cancelled export leaves no file behind.
    EXPECT_FALSE(Print::exportGrid(company(), g, path, {}, [](int done, int) { return done < 1000; }));
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
