#include "printing/forms/PrintOutput.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

#include "core/Db.h"
#include "core/Dialogs.h"
#include "printing/DocumentPrint.h"
#include "printing/PrintRules.h"
#include "ui/Grid.h"
#include "ui/Widgets.h"

namespace kavra::Print {

namespace {

OutputHandler handler = nullptr;

QString outputPath(const QString& folder, const QString& stem) {
    const QString dir = dbConfig().programDir + QLatin1Char('/') + folder;
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + stem + QLatin1Char('-') +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz")) + QStringLiteral(".xlsx");
}

void openWithDesktop(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// Whether this desktop has a launcher to open files with their program.
bool canOpenWithDesktop() {
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
}

void printPdf(const QString& pdfPath, QWidget* parent) {
    QPdfDocument doc;
    if (doc.load(pdfPath) != QPdfDocument::Error::None) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(pdfPath).completeBaseName());
    QPrintDialog dlg(&printer, parent);
    if (dlg.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    for (int p = 0; p < doc.pageCount(); ++p) {
        if (p) printer.newPage();
        const QRect area = painter.viewport();
        const QSizeF pts = doc.pagePointSize(p);
        const QSize px = pts.scaled(area.size(), Qt::KeepAspectRatio).toSize();
        painter.drawImage(QRect(area.topLeft(), px), doc.render(p, px));
    }
}

void defaultOutput(const QString& workbook, bool preview) {
    Dialogs& d = Dialogs::current();
    const QString pdf = toPdf(workbook);
    if (pdf.isEmpty()) {
        // No LibreOffice: the workbook is kept and opened with whatever the desktop has.
        d.information(appTitle(), QStringLiteral("The print-out is saved as\n%1").arg(workbook));
        openWithDesktop(workbook);
        return;
    }
    if (preview)
        showPdf(pdf, QStringLiteral("Print Preview"));
    else
        printPdf(pdf, nullptr);
}

class PdfWindow : public QWidget {
  public:
    PdfWindow(const QString& pdf, const QString& title) : pdfPath_(pdf) {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QStringLiteral("frmPrintPreview"));
        setWindowTitle(title + QStringLiteral(" - ") + QFileInfo(pdf).completeBaseName());
        doc_.load(pdf);
        auto* view = new QPdfView(this);
        view->setObjectName(QStringLiteral("pdfView"));
        view->setDocument(&doc_);
        view->setPageMode(QPdfView::PageMode::MultiPage);
        view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
        auto* print = new QPushButton(QStringLiteral("&Print"), this);
        print->setObjectName(QStringLiteral("cmdPrint"));
        auto* close = new QPushButton(QStringLiteral("&Close"), this);
        close->setObjectName(QStringLiteral("cmdClose"));
        connect(print, &QPushButton::clicked, this, [this] { printPdf(pdfPath_, this); });
        connect(close, &QPushButton::clicked, this, &QWidget::close);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(print);
        buttons->addWidget(close);
        auto* lay = new QVBoxLayout(this);
        lay->addWidget(view, 1);
        lay->addLayout(buttons);
        // A page at a readable size, but the buttons always on the screen.
        fitOnScreen(this, QSize(900, 1000));
    }

  private:
    QString pdfPath_;
    QPdfDocument doc_;
};

}  // namespace

QString officeProgram() {
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString p = QStandardPaths::findExecutable(QLatin1String(name));
        if (!p.isEmpty()) return p;
    }
    return {};
}

QString toPdf(const QString& workbookPath) {
    const QString office = officeProgram();
    if (office.isEmpty()) return {};
    const QFileInfo fi(workbookPath);
    // A profile of our own, so a LibreOffice the user has open does not swallow the job.
    const QString profile = QUrl::fromLocalFile(QDir::tempPath() + QStringLiteral("/kavra-office-profile")).toString();
    QProcess p;
    p.start(office, {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                     QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                     fi.absolutePath(), fi.absoluteFilePath()});
    QProgressDialog busy(QStringLiteral("Preparing the print-out..."), QString(), 0, 0);
    busy.setWindowModality(Qt::ApplicationModal);
    busy.setMinimumDuration(500);
    while (!p.waitForFinished(100)) {
        if (p.state() == QProcess::NotRunning) break;
        QCoreApplication::processEvents();
    }
    const QString pdf = fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".pdf");
    return p.exitCode() == 0 && QFileInfo::exists(pdf) ? pdf : QString();
}

QWidget* showPdf(const QString& pdfPath, const QString& title) {
    auto* w = new PdfWindow(pdfPath, title);
    w->show();
    return w;
}

void setOutputHandler(OutputHandler h) {
    handler = h;
}

void previewOrPrint(Dialogs& dialogs, const QString& workbookPath) {
    const bool preview =
        dialogs.question(appTitle(), QStringLiteral("Click Yes  if you want to preview rather than  print?"), false);
    (handler ? handler : defaultOutput)(workbookPath, preview);
}

QString printDocument(QSqlDatabase& db, Dialogs& dialogs, const Document& doc, bool saveEnabled) {
    if (const auto p = companyDetailsProblem(db)) {
        dialogs.exclamation(appTitle(), *p);
        return {};
    }
    if (const auto p = documentProblem(saveEnabled, int(doc.lines.size()))) {
        dialogs.exclamation(appTitle(), *p);
        return {};
    }
    return printChecked(db, dialogs, doc);
}

QString printChecked(QSqlDatabase& db, Dialogs& dialogs, const Document& doc, bool askPreview) {
    const QString path = outputPath(QStringLiteral("Prints"), doc.templateName);
    try {
        writeDocument(db, doc, path);
    } catch (const PrintFailure& f) {
        dialogs.critical(appTitle(), f.text);
        return {};
    }
    if (askPreview)
        previewOrPrint(dialogs, path);
    else
        (handler ? handler : defaultOutput)(path, true);
    return path;
}

QString exportPath(const QString& screenTitle, const QString& listName) {
    QStringList parts;
    for (const QString& p : {screenTitle, listName}) {
        // Characters no file name may hold, and runs of blanks, go.
        QString clean = p;
        clean.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|&']")), QStringLiteral(" "));
        clean = clean.simplified();
        if (!clean.isEmpty()) parts << clean;
    }
    return outputPath(QStringLiteral("Exports"), parts.isEmpty() ? QStringLiteral("List") : parts.join(" - "));
}

namespace {

// What a list or grid shows, read from its model: the heading, every row, hidden ones hidden.
GridData gridOf(QAbstractItemView* view) {
    QAbstractItemModel* m = view->model();
    auto* table = qobject_cast<QTableView*>(view);
    auto* list = qobject_cast<QListView*>(view);
    const QString name = exportName(view);
    GridData g = textGrid(m->rowCount() + 1, m->columnCount(), [m, table, name](int r, int c) -> QString {
        if (r == 0) {
            // A plain list has no heading of its own: its name heads the column.
            return table ? m->headerData(c, Qt::Horizontal).toString() : name;
        }
        return m->data(m->index(r - 1, c)).toString();
    });
    g.rowHidden = [table, list](int r) {
        if (r == 0) return false;
        return table ? table->isRowHidden(r - 1) : list ? list->isRowHidden(r - 1) : false;
    };
    g.colHidden = [table](int c) { return table && table->isColumnHidden(c); };
    return g;
}

}  // namespace

QString exportTable(QSqlDatabase& db, QTableView* view, const QString& name, const ExportOptions& options) {
    if (!view->model()) return {};
    const QString path = outputPath(QStringLiteral("Prints"), name);
    try {
        exportGrid(db, gridOf(view), path, options);
    } catch (const PrintFailure& f) {
        Dialogs::current().critical(appTitle(), f.text);
        return {};
    }
    (handler ? handler : defaultOutput)(path, true);
    return path;
}

QString exportView(QSqlDatabase& db, QAbstractItemView* view, const QString& screenTitle,
                   const ExportOptions& options) {
    if (!view->model()) return {};
    const GridData g = gridOf(view);
    const QString path = exportPath(screenTitle, exportName(view));
    std::unique_ptr<QProgressDialog> bar;
    if (g.rows > 3000) {
        bar = std::make_unique<QProgressDialog>(QStringLiteral("Exporting the list..."), QStringLiteral("Cancel"), 0,
                                                g.rows, view->window());
        bar->setWindowModality(Qt::WindowModal);
        bar->setMinimumDuration(0);
    }
    Dialogs& d = Dialogs::current();
    try {
        const bool done = exportGrid(db, g, path, options, [&](int n, int) {
            if (!bar) return true;
            bar->setValue(n);
            QCoreApplication::processEvents();
            return !bar->wasCanceled();
        });
        if (!done) return {};
    } catch (const std::exception& e) {
        d.critical(appTitle(), QString::fromUtf8(e.what()));
        return {};
    }
    const bool opens = handler || canOpenWithDesktop();
    d.information(appTitle(),
                  QStringLiteral("The list is exported to the workbook\n%1").arg(QDir::toNativeSeparators(path)) +
                      (opens ? QStringLiteral("\n\nIt opens now in the spreadsheet program.")
                             : QStringLiteral("\n\nNo program to open workbooks was found on this workstation; "
                                              "open the file with a spreadsheet program such as LibreOffice Calc.")));
    if (handler)
        handler(path, true);
    else if (opens)
        openWithDesktop(path);
    return path;
}

}  // namespace kavra::Print
