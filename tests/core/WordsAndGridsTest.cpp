// Amounts in words, typed numbers, the grid checks and the correspondence count.
#include <QMap>
#include <QStringList>
#include <cmath>
#include <limits>

#include "core/ClsProd.h"
#include "core/Money.h"
#include "core/Text.h"
#include "support/TestEnv.h"

namespace kavra::test {
namespace {

TEST(AmountInWords, WholeRupeesByGroup) {
    const QMap<qint64, QString> cases = {
        {0, ""},
        {5, "five"},
        {19, "nineteen "},
        {20, "twenty "},
        {45, "fourty five"},
        {100, "one  HUNDRED"},
        {110, "one  HUNDRED, ten "},
        {345, "three  HUNDRED, fourty five"},
        {1050, "one THOUSAND, fifty "},
        {2345, "two THOUSAND, three  HUNDRED, fourty five"},
        {12345, "tweleve  THOUSAND, three  HUNDRED, fourty five"},
        {123456, "one LAKH, twenty three THOUSAND, four  HUNDRED, fifty six"},
        {200000, "two LAKH"},
        {1000000, "ten  LAKH"},
        {1234567, "tweleve  LAKH, thirty four THOUSAND, five  HUNDRED, sixty seven"},
        {10000000, "one CRORE"},
        {12345678, "one CRORE, twenty three LAKH, fourty five THOUSAND, six  HUNDRED, seventy eight"},
        {123456789, "tweleve  CRORE, thirty four LAKH, fifty six THOUSAND, seven  HUNDRED, eighty nine"},
        {987654321, "ninety eight CRORE, seventy six LAKH, fifty four THOUSAND, three  HUNDRED, twenty one"},
    };
    for (auto it = cases.cbegin(); it != cases.cend(); ++it)
        EXPECT_EQ(clsProd::AmountInWords(it.key()), it.value()) << it.key();
}

TEST(TypedNumbers, GroupedAsMeantAndNothingElseReadAsANumber) {
    const QList<QPair<const char*, double>> read{
        {"1,000", 1000},
        {"1,00,000", 100000},
        {" 12,34,567.5 ", 1234567.5},
        {"-1,000.25", -1000.25},
        {"7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"+3", 3},
        {"999999999999999", 999999999999999.0},
    };
    for (const auto& [t, v] : read) {
        ASSERT_TRUE(text::typedNumber(t).has_value()) << t;
        EXPECT_EQ(*text::typedNumber(t), v) << t;
    }
    for (const char* t : {"", " ", ".", "-", "1,", ",1", "1,,000", "1.000,5", "1e3", "1e400", "inf", "nan", "Infinity",
                          "12abc", "1.2.3", "--1", "1 000", "1000000000000000"})
        EXPECT_FALSE(text::typedNumber(t).has_value()) << t;
    EXPECT_EQ(text::typed("1e400"), 0);
    EXPECT_TRUE(money::fits(999999999999.99));
    EXPECT_FALSE(money::fits(999999999.0 * 999999999.0));
    EXPECT_FALSE(money::fits(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(money::fits(std::nan("")));
}

// Row 0 is the heading; rows are "col0|col1|..." and a cell may be marked red.
class Cells : public GridCells {
  public:
    Cells(std::initializer_list<const char*> rows) {
        for (const char* r : rows) rows_ << QString::fromUtf8(r).split(QLatin1Char('|'));
    }
    int rowCount() const override { return rows_.size(); }
    int colCount() const override { return rows_.isEmpty() ? 0 : rows_[0].size(); }
    QString text(int row, int col) const override { return rows_.value(row).value(col); }
    int colorValue(int row, int col) const override { return red_.contains({row, col}) ? 255 : 0x008000; }
    void markRed(int row, int col) { red_ << qMakePair(row, col); }

  private:
    QList<QStringList> rows_;
    QList<QPair<int, int>> red_;
};

TEST(GridChecks, DuplicateItemsIgnoreSurroundingBlanks) {
    ScriptedDialogs dlg;
    EXPECT_FALSE(clsProd::CheckDuplicateItems(Cells{"Part", "P-100", "P-200", " P-100 ", ""}, 0, dlg));
    ASSERT_EQ(dlg.count(), 1);
    EXPECT_EQ(dlg.last().text, "Duplication of  Part No./ Items is not allowed. SEE ROWS: 1 and  3");
    EXPECT_EQ(dlg.last().icon, MsgIcon::Critical);
    // The entry row at the bottom is not an item.
    dlg.clear();
    EXPECT_TRUE(clsProd::CheckDuplicateItems(Cells{"Part", "P-100", "P-200", "P-100"}, 0, dlg));
    EXPECT_EQ(dlg.count(), 0);
}

TEST(GridChecks, QtyLimit) {
    ScriptedDialogs dlg;
    EXPECT_TRUE(clsProd::CheckQtyLimit(Cells{"Lim|Qty", "10|10", "5|2", "|"}, 0, 1, false, dlg));
    EXPECT_FALSE(clsProd::CheckQtyLimit(Cells{"Lim|Qty", "10|10", " 5 |6", "|"}, 0, 1, false, dlg));
    EXPECT_EQ(dlg.last().text, "In Row: 2 , Qty should not be greater than 5");

    Cells marked{"Lim|Qty", "10|99", "5|6", "|"};
    dlg.clear();
    EXPECT_TRUE(clsProd::CheckQtyLimit(marked, 0, 1, true, dlg));
    EXPECT_EQ(dlg.count(), 0);
    marked.markRed(2, 1);
    EXPECT_FALSE(clsProd::CheckQtyLimit(marked, 0, 1, true, dlg));
    EXPECT_EQ(dlg.last().text, "In Row: 2 , Qty should not be greater than 5");
}

TEST(GridChecks, SumTexts) {
    const Cells g{"Qty|Rate|Note", "2|10|x", "3|5|", "|abc|", "0.1|0.2|"};
    EXPECT_EQ(clsProd::GridSum(g, 3, 2, 3, 2), "Sum : ZERO");
    EXPECT_EQ(clsProd::GridSum(g, 1, 0, 2, 0), "Sum : 5");
    EXPECT_EQ(clsProd::GridSum(g, 4, 0, 4, 1), "Sum : 0.3\n(C1 \u00d7 C2): 0.02");
    // Two columns give the sum of row products too, whichever way the selection ran.
    EXPECT_EQ(clsProd::GridSum(g, 2, 1, 1, 0), "Sum : 20\n(C1 \u00d7 C2): 35");
    EXPECT_EQ(clsProd::GridSum(g, 1, 1, 3, 2), "Sum : 15");
}

class Correspondence : public EngineTest {};

TEST_P(Correspondence, CountsFilesOfTheScreensCategory) {
    makeYear();
    QSqlDatabase& db = company();
    const QString ins = "insert into FileCorres (FileCat, FileKey, NameId, FileName) values (?,?,?,?)";
    exec(db, ins, {"Customers", "K1", 5, "a.pdf"});
    exec(db, ins, {"Customers", "K1", 6, "b.pdf"});
    exec(db, ins, {"Customers", "K2", 5, "c.pdf"});
    exec(db, ins, {"Suppliers", "K1", 5, "d.pdf"});
    clsProd prod;
    ASSERT_EQ(prod.OpenCompanyDatabase(), QString());
    EXPECT_EQ(prod.CorrespondenceCount("frmCustomer", "", 0), 3);
    EXPECT_EQ(prod.CorrespondenceCount("FRMCUSTOMER", " K1 ", 0), 2);
    EXPECT_EQ(prod.CorrespondenceCount("frmCustomer", "K1", 5), 1);
    EXPECT_EQ(prod.CorrespondenceCount("frmCustomer", "", 5), 2);
    EXPECT_EQ(prod.CorrespondenceCount("frmSupplier", "k1", 5), 1);  // keys compare without case
    EXPECT_EQ(prod.CorrespondenceCount("frmNoSuchScreen", "", 0), 0);
}

KAVRA_ON_EVERY_ENGINE(Correspondence);

}  // namespace
}  // namespace kavra::test
