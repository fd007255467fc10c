#include "printing/forms/PrintOutput.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "core/Db.h"
#include "printing/DocumentPrint.h"
#include "printing/PrintRules.h"
#include "core/Dialogs.h"

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
        resize(900, 1000);
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
    const QString path = outputPath(QStringLiteral("Prints"), doc.templateName);
    try {
        writeDocument(db, doc, path);
    } catch (const PrintFailure& f) {
        dialogs.critical(appTitle(), f.text);
        return {};
    }
    previewOrPrint(dialogs, path);
    return path;
}

QString exportTable(QSqlDatabase& db, QTableWidget* table, const ExportOptions& options) {
    GridData g;
    g.rows = table->rowCount() + 1;
    g.cols = table->columnCount();
    g.cell = [table](int r, int c) -> QVariant {
        if (r == 0) {
            const QTableWidgetItem* h = table->horizontalHeaderItem(c);
            return h ? h->text() : QString();
        }
        const QTableWidgetItem* it = table->item(r - 1, c);
        return it ? it->text() : QString();
    };
    g.rowHidden = [table](int r) { return r > 0 && table->isRowHidden(r - 1); };
    g.colHidden = [table](int c) { return table->isColumnHidden(c); };
    QString stem = table->objectName().isEmpty() ? QStringLiteral("List") : table->objectName();
    const QString path = outputPath(QStringLiteral("Exports"), stem);
    std::unique_ptr<QProgressDialog> bar;
    if (g.rows > 3000) {
        bar = std::make_unique<QProgressDialog>(QStringLiteral("Exporting the list..."), QStringLiteral("Cancel"), 0,
                                                g.rows, table->window());
        bar->setWindowModality(Qt::WindowModal);
        bar->setMinimumDuration(0);
    }
    Dialogs& d = Dialogs::current();
    try {
        const bool done = exportGrid(db, g, path, options, [&](int n, int total) {
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
    if (handler)
        handler(path, true);
    else
        openWithDesktop(path);
    return path;
}

}  // namespace kavra::Print
