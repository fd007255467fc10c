#pragma once
// Writing one document into its workbook template and handing it to the user.
//
// A template is Xl/<name>.xlsx, built from src/printing/templates/<name>.json. Its sheet
// "TEMPLATE" is page 1 and is copied once per further page. Cells are addressed by the
// template's defined names, so print code never knows cell positions:
//  - every template has "PrintHead" (letterhead), "PageNo", "ForCompany", "AmountInWords"
//    and the line area "Lines" (one row per line, one column per line field);
//  - the other names are the document's own fields, listed in its JSON file.
// Typical use from a screen:
//     Print::Document doc{"mfgINV", "MFGINV"};
//     doc.fields["InvNo"] = number; ...                  // written on every page
//     doc.lines.append({1, "Bracket", 10.0, "NOS", ...}); // in the JSON's column order
//     doc.lastPage["Total"] = Print::money(total);        // written on the last page only
//     doc.hideRows << "Excise";                           // rows that do not apply
//     doc.words = total;
//     Print::printDocument(db, dialogs, doc, saveButtonEnabled);
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

#include "core/Money.h"
#include "printing/Workbook.h"

namespace kavra {
class Dialogs;
}

namespace kavra::Print {

struct Document {
    Document() = default;
    Document(QString templ, QString printTopic) : templateName(std::move(templ)), topic(std::move(printTopic)) {}
    QString templateName;              // "mfgINV" for Xl/mfgINV.xlsx
    QString topic;                     // PrintInfo topic giving the rows per page; "" = the template's own rows
    QMap<QString, QVariant> fields;    // defined name -> value, on every page
    QVector<QVector<QVariant>> lines;  // one per document line
    QMap<QString, QVariant> lastPage;  // totals, charges and taxes: last page only
    QStringList hideRows;              // names whose whole row is hidden on every page
    std::optional<Money> words;        // put into "AmountInWords" on the last page
    bool proformaWords = false;        // the proforma invoice's wording of the amount
};

// A QVariant that prints as a number with two decimals.
QVariant money(Money m);
// A rate as typed: the templates show it with two decimals or as many more as it has.
QVariant rate(double r);

// The customer block every DC sheet carries (name, address, vendor code, the party's tax
// numbers) and our own tax numbers, under the names the DC templates define.
void customerFields(QSqlDatabase& db, Document& doc, qint64 custId);
void ourTaxFields(QSqlDatabase& db, Document& doc);
// Both blocks with the DC's number and date and the order it quotes ("" when none), the
// order's line led by poLabel (" Your PO No:  ").
void dcFields(QSqlDatabase& db, Document& doc, qint64 custId, const QString& dcNo, const QString& dcDate,
              const QString& poLabel, const QString& poNo, const QString& poDate);
// A bill's DCs ("DCRefs": number and date of each) and the orders they quote ("RefPO").
void billRefs(QSqlDatabase& db, Document& doc, const QString& dcTable, const QString& dcKey,
              const QList<qint64>& dcIds);

// The charge and tax rows under a bill's lines, in their order: a row that does not apply or
// comes to 0 is hidden; a round-off row makes the printed column add up to the bill's value.
class ChargeRows {
  public:
    ChargeRows(Document& doc, Money subTotal);
    void add(const char* name, double amount, bool applies, const char* labelName = nullptr, const QString& label = {});
    void discount(double amount);
    void finish(Money total);

  private:
    Document& doc_;
    Money printed_;
};
// A rate in per cent as the charge labels show it ("12.5%").
QString percentText(double v);

// The folder holding the templates; tests and the installed program set it.
QString templateDir();
void setTemplateDir(const QString& dir);

// Fills the template and saves the workbook at path; returns the number of pages.
// Throws PrintFailure for a missing template or name.
int writeDocument(QSqlDatabase& db, const Document& doc, const QString& path);

// Reading a written document back: the value under a defined name on a page (1-based),
// and whether that name's row is hidden there.
QVariant valueAt(const Workbook& wb, int page, const QString& name);
bool rowHiddenAt(const Workbook& wb, int page, const QString& name);

// The whole print command (in the printing screens library): company-details, unsaved and empty checks with their
// messages, the workbook written under the data folder's Prints, then the preview-or-print question. Returns the
// workbook's path, or "" when refused.
QString printDocument(QSqlDatabase& db, Dialogs& dialogs, const Document& doc, bool saveEnabled);
// The same once the caller has made its own checks: written, then previewed or printed as the
// user answers, or (askPreview false) previewed at once, where the print command is.
QString printChecked(QSqlDatabase& db, Dialogs& dialogs, const Document& doc, bool askPreview = true);
// Yes previews, No prints; tests replace what happens to the finished workbook.
void previewOrPrint(Dialogs& dialogs, const QString& workbookPath);
using OutputHandler = void (*)(const QString& workbookPath, bool preview);
void setOutputHandler(OutputHandler handler);

}  // namespace kavra::Print
