#include "printing/GridExport.h"

#include <xlsxwriter.h>

#include <QDate>
#include <QFile>
#include <QRegularExpression>

#include "core/Sql.h"
#include "printing/Workbook.h"

namespace kavra::Print {

namespace {

// The page header may hold at most 255 characters.
constexpr int kMaxHeader = 255;

std::optional<QDate> asDate(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    static const QRegularExpression dmy(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4}$"));
    const QString s = v.toString().trimmed();
    if (!dmy.match(s).hasMatch()) return std::nullopt;
    const QDate d = QDate::fromString(s, QStringLiteral("d/M/yyyy"));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

}  // namespace

bool plainNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]{0,14})(\\.[0-9]{1,6})?$"));
    return number.match(text.trimmed()).hasMatch();
}

GridData textGrid(int rows, int cols, std::function<QString(int row, int col)> text) {
    QVector<bool> numeric(cols, false);
    for (int c = 0; c < cols; ++c) {
        bool any = false, all = true;
        for (int r = 1; r < rows && all; ++r) {
            const QString t = text(r, c).trimmed();
            if (t.isEmpty()) continue;
            any = true;
            all = plainNumber(t);
        }
        numeric[c] = any && all;
    }
    GridData g;
    g.rows = rows;
    g.cols = cols;
    g.cell = [text = std::move(text), numeric](int r, int c) -> QVariant {
        const QString t = text(r, c);
        if (r > 0 && numeric[c] && !t.trimmed().isEmpty()) return t.trimmed().toDouble();
        return t;
    };
    return g;
}

QString addressHeader(const QString& shortAddress) {
    QString text = shortAddress;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    if (lines.size() > 20) lines = lines.mid(0, 20);
    const QString prefix = QStringLiteral("&C &\"Arial,Bold\" ");
    QString out = prefix;
    for (int i = 0; i < lines.size(); ++i) {
        QString piece = (i ? QStringLiteral("\n") : QString()) + lines[i].trimmed().replace(QLatin1Char('&'), "&&");
        if (out.toUtf8().size() + piece.toUtf8().size() > kMaxHeader) break;
        out += piece;
    }
    return out;
}

bool exportGrid(QSqlDatabase& db, const GridData& grid, const QString& path, const ExportOptions& options,
                const Progress& progress) {
    // Column widths first: they must be known before the rows stream out.
    const int fitted = std::min(grid.cols, 26);
    QVector<double> widths(grid.cols, 8.43);
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < fitted; ++c) {
            const QVariant v = grid.cell(r, c);
            const double len = asDate(v) ? 10 : v.toString().size();
            widths[c] = std::max(widths[c], std::min(60.0, len * 1.1 + 2));
        }

    QFile::remove(path);
    lxw_workbook_options wo{};
    wo.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(path.toUtf8().constData(), &wo);
    if (!wb) throw PrintFailure(QStringLiteral("The workbook %1 cannot be written.").arg(path));
    lxw_worksheet* ws = workbook_add_worksheet(wb, options.sheetName.toUtf8().constData());
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "dd/mm/yyyy");
    lxw_format* boldDate = workbook_add_format(wb);
    format_set_bold(boldDate);
    format_set_num_format(boldDate, "dd/mm/yyyy");
    lxw_format* text = workbook_add_format(wb);
    format_set_num_format(text, "@");
    lxw_format* boldText = workbook_add_format(wb);
    format_set_bold(boldText);
    format_set_num_format(boldText, "@");

    for (int c = 0; c < grid.cols; ++c) {
        lxw_row_col_options hidden{};
        hidden.hidden = grid.colHidden && grid.colHidden(c);
        worksheet_set_column_opt(ws, c, c, widths[c], nullptr, &hidden);
    }

    // The title lines go in the first visible column, so that a hidden marker column hides none.
    const int titleRows = int(options.titles.size());
    int titleCol = 0;
    while (grid.colHidden && titleCol < grid.cols - 1 && grid.colHidden(titleCol)) ++titleCol;
    for (int t = 0; t < titleRows; ++t) {
        const QByteArray s = options.titles[t].toUtf8();
        if (!s.isEmpty()) worksheet_write_string(ws, t, titleCol, s.constData(), boldText);
    }
    bool cancelled = false;
    for (int r = 0; r < grid.rows && !cancelled; ++r) {
        const int at = r + titleRows;
        if (grid.rowHidden && grid.rowHidden(r)) {
            lxw_row_col_options hidden{};
            hidden.hidden = 1;
            worksheet_set_row_opt(ws, at, LXW_DEF_ROW_HEIGHT, nullptr, &hidden);
        }
        const bool head = r == 0;
        for (int c = 0; c < grid.cols; ++c) {
            const QVariant v = grid.cell(r, c);
            if (const auto d = asDate(v)) {
                lxw_datetime dt{d->year(), d->month(), d->day(), 0, 0, 0};
                worksheet_write_datetime(ws, at, c, &dt, head ? boldDate : date);
            } else if (isNumeric(v)) {
                worksheet_write_number(ws, at, c, v.toDouble(), head ? bold : nullptr);
            } else {
                const QByteArray s = v.toString().toUtf8();
                if (!s.isEmpty()) worksheet_write_string(ws, at, c, s.constData(), head ? boldText : text);
            }
        }
        if (progress && (r % 500 == 0 || r == grid.rows - 1)) cancelled = !progress(r + 1, grid.rows);
    }

    if (grid.rows > 1 && grid.cols > 0)
        worksheet_autofilter(ws, titleRows + 1, 0, titleRows + grid.rows - 1, grid.cols - 1);
    worksheet_freeze_panes(ws, titleRows + 1, 0);
    worksheet_repeat_rows(ws, 0, titleRows);
    worksheet_set_zoom(ws, static_cast<uint16_t>(std::clamp(options.zoom, 10, 400)));
    worksheet_set_margins(ws, 0.5, 0.5, options.topMarginInches, 0.75);
    if (options.landscape) worksheet_set_landscape(ws);
    const QVariant addr = Sql::scalar(db, QStringLiteral("select PrintShortAddr from Misc"));
    QString header = addressHeader(addr.toString());
    if (!options.leftHeader.isEmpty()) {
        QString left = QStringLiteral("&L") + QString(options.leftHeader).replace(QLatin1Char('&'), "&&");
        if ((header + left).toUtf8().size() <= kMaxHeader) header = left + header;
    }
    worksheet_set_header(ws, header.toUtf8().constData());
    worksheet_set_footer(ws, "&CPage &P of &N");
    const lxw_error err = workbook_close(wb);
    if (cancelled) {
        QFile::remove(path);
        return false;
    }
    if (err != LXW_NO_ERROR)
        throw PrintFailure(QStringLiteral("The workbook %1 cannot be written: %2").arg(path, lxw_strerror(err)));
    return true;
}

}  // namespace kavra::Print
