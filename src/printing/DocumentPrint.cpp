#include "printing/DocumentPrint.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

#include "core/Db.h"
#include "core/Sql.h"
#include "core/Text.h"
#include "printing/PrintRules.h"

namespace kavra::Print {

namespace {

QString& dirOverride() {
    static QString dir;
    return dir;
}

CellRange need(const Workbook& wb, const QString& name, const QString& templ) {
    const auto r = wb.name(name);
    if (!r) throw PrintFailure(QStringLiteral("The template %1 has no field %2.").arg(templ, name));
    return *r;
}

void put(Workbook& wb, int sheet, int row, int col, const QVariant& v) {
    if (isNumeric(v))
        wb.setNumber(sheet, row, col, v.toDouble());
    else if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime)
        wb.setText(sheet, row, col, v.toDate().toString(QStringLiteral("dd/MM/yyyy")));
    else if (v.isNull() || !v.isValid())
        wb.clear(sheet, row, col);
    else
        wb.setText(sheet, row, col, v.toString());
}

// The company's letterhead and name, which every print carries unless the caller set them.
void companyFields(QSqlDatabase& db, QMap<QString, QVariant>& fields) {
    if (fields.contains(QStringLiteral("PrintHead")) && fields.contains(QStringLiteral("ForCompany"))) return;
    const QVariant v = Sql::scalar(db, QStringLiteral("select PrintHead from Misc"));
    if (!v.isValid()) return;
    // The letterhead's first line is the company's name.
    QString head = v.toString();
    head.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    fields.insert(QStringLiteral("PrintHead"), fields.value(QStringLiteral("PrintHead"), head));
    fields.insert(QStringLiteral("ForCompany"),
                  fields.value(QStringLiteral("ForCompany"),
                               QStringLiteral("For ") + head.section(QLatin1Char('\n'), 0, 0).trimmed()));
}

}  // namespace

QVariant money(Money m) {
    return m.rupees();
}

QVariant rate(double r) {
    return r;
}

void customerFields(QSqlDatabase& db, Document& doc, qint64 custId) {
    QSqlQuery c =
        Sql::exec(db,
                  QStringLiteral("select CustName, CustAddr, vendcode, VATRegNo, KSTNo, CSTNo from Customer where "
                                 "CustId=?"),
                  {custId});
    if (!c.next()) return;
    doc.fields[QStringLiteral("CustName")] = c.value(0).toString();
    doc.fields[QStringLiteral("CustAddr")] = c.value(1).toString().trimmed();
    doc.fields[QStringLiteral("VendorCode")] = QStringLiteral("Vendor Code: ") + c.value(2).toString().trimmed();
    doc.fields[QStringLiteral("PartyTIN")] = QStringLiteral("Party's TIN : ") + c.value(3).toString().trimmed();
    doc.fields[QStringLiteral("PartyKST")] = QStringLiteral("Party's KST : ") + c.value(4).toString().trimmed();
    doc.fields[QStringLiteral("PartyCST")] = QStringLiteral("Party's CST : ") + c.value(5).toString().trimmed();
}

void ourTaxFields(QSqlDatabase& db, Document& doc) {
    QSqlQuery m = Sql::exec(db, QStringLiteral("select MyVATRegNo, MyKST, MyCST from Misc"));
    const bool found = m.next();
    auto value = [&](int i) { return found ? m.value(i).toString().trimmed() : QString(); };
    doc.fields[QStringLiteral("OurTIN")] = QStringLiteral("Our TIN : ") + value(0);
    doc.fields[QStringLiteral("OurKST")] = QStringLiteral("Our KST : ") + value(1);
    doc.fields[QStringLiteral("OurCST")] = QStringLiteral("Our CST : ") + value(2);
}

void dcFields(QSqlDatabase& db, Document& doc, qint64 custId, const QString& dcNo, const QString& dcDate,
              const QString& poLabel, const QString& poNo, const QString& poDate) {
    customerFields(db, doc, custId);
    ourTaxFields(db, doc);
    doc.fields[QStringLiteral("DCNo")] = dcNo;
    doc.fields[QStringLiteral("DCDate")] = dcDate;
    doc.fields[QStringLiteral("YourPO")] =
        poNo.isEmpty() ? QString() : poLabel + poNo + QStringLiteral("    Dt. ") + poDate;
}

void billRefs(QSqlDatabase& db, Document& doc, const QString& dcTable, const QString& dcKey,
              const QList<qint64>& dcIds) {
    QStringList dcRefs, poRefs;
    if (!dcIds.isEmpty()) {
        QStringList marks;
        QVariantList ids;
        for (qint64 id : dcIds) marks << QStringLiteral("?"), ids << id;
        QSqlQuery d = Sql::exec(db,
                                QStringLiteral("select DcNo, DcDate, PONo, PODate from %1 where %2 in (%3) order by %2")
                                    .arg(dcTable, dcKey, marks.join(QLatin1Char(','))),
                                ids);
        while (d.next()) {
            dcRefs << d.value(0).toString().trimmed() + QStringLiteral(" Dt. ") + d.value(1).toString().trimmed();
            const QString po = d.value(2).toString().trimmed();
            if (po.isEmpty()) continue;
            const QString ref =
                QStringLiteral("Ref PO: ") + po + QStringLiteral(" Dt. ") + d.value(3).toString().trimmed();
            if (!poRefs.contains(ref)) poRefs << ref;
        }
    }
    doc.fields[QStringLiteral("RefPO")] = poRefs.join(QStringLiteral(", "));
    doc.fields[QStringLiteral("DCRefs")] = dcRefs.join(QLatin1Char(','));
}

ChargeRows::ChargeRows(Document& doc, Money subTotal) : doc_(doc), printed_(subTotal) {
    doc_.lastPage[QStringLiteral("SubTotal")] = money(subTotal);
}

void ChargeRows::add(const char* name, double amount, bool applies, const char* labelName, const QString& label) {
    const QString n = QString::fromLatin1(name);
    const Money a = Money::fromRupees(amount);
    if (!applies || a.isZero()) {
        doc_.hideRows << n;
        return;
    }
    doc_.lastPage[n] = money(a);
    if (labelName) doc_.lastPage[QString::fromLatin1(labelName)] = label;
    printed_ += a;
}

void ChargeRows::discount(double amount) {
    const Money d = Money::fromRupees(amount);
    if (d.isZero()) {
        doc_.hideRows << QStringLiteral("Discount");
        return;
    }
    doc_.lastPage[QStringLiteral("Discount")] = money(d);
    printed_ -= d;
}

void ChargeRows::finish(Money total) {
    const Money roundOff = total - printed_;
    if (roundOff.isZero())
        doc_.hideRows << QStringLiteral("RoundOff");
    else
        doc_.lastPage[QStringLiteral("RoundOff")] = money(roundOff);
    doc_.lastPage[QStringLiteral("Total")] = money(total);
    doc_.words = total;
}

QString percentText(double v) {
    return text::plain(v) + QLatin1Char('%');
}

QString templateDir() {
    if (!dirOverride().isEmpty()) return dirOverride();
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Xl");
    if (QFileInfo::exists(beside)) return beside;
    return dbConfig().programDir + QStringLiteral("/Xl");
}

void setTemplateDir(const QString& dir) {
    dirOverride() = dir;
}

int writeDocument(QSqlDatabase& db, const Document& doc, const QString& path) {
    Workbook wb = Workbook::load(templateDir() + QLatin1Char('/') + doc.templateName + QStringLiteral(".xlsx"));
    const int first = wb.sheetIndex(QStringLiteral("TEMPLATE"));
    if (first < 0) throw PrintFailure(QStringLiteral("The template %1 has no sheet TEMPLATE.").arg(doc.templateName));
    const auto lines = wb.name(QStringLiteral("Lines"));
    const int templateRows = lines ? lines->lastRow - lines->row + 1 : 0;
    int perPage = templateRows;
    if (!doc.topic.isEmpty()) perPage = std::min(rowsPerPage(db, doc.topic), templateRows);
    if (!doc.lines.isEmpty() && perPage < 1)
        throw PrintFailure(QStringLiteral("The template %1 has no line rows.").arg(doc.templateName));
    const int pages = pagesFor(int(doc.lines.size()), std::max(1, perPage));

    QVector<int> sheets{first};
    for (int p = 2; p <= pages; ++p) sheets << wb.copySheet(first, QStringLiteral("TEMPLATE (%1)").arg(p));

    QMap<QString, QVariant> fields = doc.fields;
    companyFields(db, fields);
    for (int p = 1; p <= pages; ++p) {
        const int sh = sheets[p - 1];
        const bool lastPage = p == pages;
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            const CellRange c = need(wb, it.key(), doc.templateName);
            put(wb, sh, c.row, c.col, it.value());
        }
        const CellRange pageNo = need(wb, QStringLiteral("PageNo"), doc.templateName);
        wb.setText(sh, pageNo.row, pageNo.col, pageText(p, pages));
        if (lines) {
            const int from = (p - 1) * perPage;
            for (int i = 0; i < templateRows; ++i) {
                const int row = lines->row + i;
                const int n = from + i;
                if (i >= perPage || n >= doc.lines.size()) {
                    // Rows this page does not use: beyond the rows per page, or empty on the last page.
                    if (i >= perPage || lastPage) wb.setRowHidden(sh, row, true);
                    continue;
                }
                const QVector<QVariant>& line = doc.lines[n];
                for (int j = 0; j < line.size() && lines->col + j <= lines->lastCol; ++j)
                    put(wb, sh, row, lines->col + j, line[j]);
            }
        }
        for (auto it = doc.lastPage.cbegin(); it != doc.lastPage.cend(); ++it) {
            const CellRange c = need(wb, it.key(), doc.templateName);
            if (lastPage)
                put(wb, sh, c.row, c.col, it.value());
            else
                wb.setRowHidden(sh, c.row, true);
        }
        for (const QString& h : doc.hideRows) wb.setRowHidden(sh, need(wb, h, doc.templateName).row, true);
        const CellRange words = need(wb, QStringLiteral("AmountInWords"), doc.templateName);
        if (!lastPage)
            wb.setText(sh, words.row, words.col, QStringLiteral("Continued on page %1").arg(p + 1));
        else if (doc.words)
            wb.setText(sh, words.row, words.col,
                       doc.proformaWords ? proformaAmountInWords(*doc.words) : amountInWords(*doc.words));
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    wb.save(path);
    return pages;
}

QVariant valueAt(const Workbook& wb, int page, const QString& name) {
    const auto c = wb.name(name);
    if (!c) return {};
    return wb.value(page - 1, c->row, c->col);
}

bool rowHiddenAt(const Workbook& wb, int page, const QString& name) {
    const auto c = wb.name(name);
    return c && wb.rowHidden(page - 1, c->row);
}

}  // namespace kavra::Print
