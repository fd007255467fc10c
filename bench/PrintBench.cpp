// Print-out figures: a long invoice into its template, and a big list exported.
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "printing/DocumentPrint.h"
#include "printing/GridExport.h"

namespace kavra {

void printBench(QSqlDatabase& db, const QString& dir) {
    Print::Document d{QStringLiteral("mfgINV"), QStringLiteral("MFGINV")};
    d.fields[QStringLiteral("InvNo")] = QStringLiteral("1024");
    d.fields[QStringLiteral("InvDate")] = QDate(2026, 12, 5);
    d.fields[QStringLiteral("CustName")] = QStringLiteral("Bharat Precision Components Pvt. Ltd.");
    d.fields[QStringLiteral("CustAddr")] = QStringLiteral("No. 14, II Phase, Peenya Industrial Area\nBengaluru 560058");
    d.fields[QStringLiteral("RefPO")] = QStringLiteral("Ref PO: BPC/118 Dt. 02/11/2026");
    d.fields[QStringLiteral("DCRefs")] = QStringLiteral("DC: 411 Dt. 01/12/2026,412 Dt. 03/12/2026");
    d.fields[QStringLiteral("OurTIN")] = QStringLiteral("Our TIN : 29123456789");
    d.fields[QStringLiteral("PartyTIN")] = QStringLiteral("Party's TIN : 29987654321");
    Money sub;
    for (int i = 1; i <= 200; ++i) {
        const Money amount = Money::fromPaise(12550LL * i);
        sub += amount;
        d.lines.append({i, QStringLiteral("Machined bracket type %1").arg(i), double(i), QStringLiteral("NOS"), 125.5,
                        0.0, Print::money(amount)});
    }
    const Money vat = Money::fromPaise(sub.paise() * 125 / 1000);
    d.lastPage[QStringLiteral("SubTotal")] = Print::money(sub);
    d.lastPage[QStringLiteral("VAT")] = Print::money(vat);
    d.lastPage[QStringLiteral("VATLabel")] = QStringLiteral("VAT @ 12.5%");
    d.lastPage[QStringLiteral("Total")] = Print::money(sub + vat);
    d.hideRows = QStringList{"Packing", "Excise",    "EduCess", "HECess",   "SalesTax",
                             "TaxCess", "Surcharge", "Others",  "Discount", "RoundOff"};
    d.words = sub + vat;
    const QString path = dir + QStringLiteral("/invoice200.xlsx");
    QElapsedTimer t;
    t.start();
    const int pages = Print::writeDocument(db, d, path);
    const qint64 invoiceMs = t.elapsed();
    if (const QByteArray keep = qgetenv("KAVRA_BENCH_KEEP"); !keep.isEmpty())
        QFile::copy(path, QString::fromLocal8Bit(keep) + QStringLiteral("/invoice200.xlsx"));

    Print::GridData g;
    g.rows = 100001;
    g.cols = 6;
    g.cell = [](int r, int c) -> QVariant {
        if (r == 0) return QStringLiteral("Column %1").arg(c + 1);
        switch (c) {
            case 0:
                return QString::number(r);
            case 1:
                return QDate(2026, 4, 1).addDays(r % 365).toString(QStringLiteral("dd/MM/yyyy"));
            case 2:
                return QStringLiteral("Customer %1").arg(r % 700);
            default:
                return QString::number(r * 1.25 * c, 'f', 2);
        }
    };
    t.restart();
    Print::exportGrid(db, g, dir + QStringLiteral("/export.xlsx"));
    const double exportS = t.elapsed() / 1000.0;
    std::printf("200-line invoice into its template: %lld ms (%d pages)\n", (long long)invoiceMs, pages);
    std::printf("export of 100,000 grid rows x 6 columns: %.2f s\n", exportS);
}

}  // namespace kavra
