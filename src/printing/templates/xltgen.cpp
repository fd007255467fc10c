// Builds the print templates: xltgen OUT_DIR DEFINITION.json...
// Each definition becomes OUT_DIR/<name>.xlsx with one sheet "TEMPLATE" laid out as
// FORMAT.md describes, every field reachable by a defined name.
#include <xlsxwriter.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

struct Formats {
    lxw_format *head, *title, *pageNo, *label, *value, *valueWrap, *colHead, *total, *totalBold, *totalLabel,
        *totalLabelBold, *note, *noteBold, *sign, *signBold;
    lxw_format* line[5];  // text, int, qty, money, rate
};

lxw_format* fmt(lxw_workbook* wb, std::initializer_list<void (*)(lxw_format*)> setup) {
    lxw_format* f = workbook_add_format(wb);
    format_set_font_name(f, "Arial");
    format_set_font_size(f, 10);
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    for (auto s : setup) s(f);
    return f;
}

Formats makeFormats(lxw_workbook* wb) {
    Formats f{};
    f.head = fmt(wb, {[](lxw_format* x) {
                     format_set_bold(x);
                     format_set_font_size(x, 13);
                     format_set_align(x, LXW_ALIGN_CENTER);
                     format_set_text_wrap(x);
                     format_set_bottom(x, LXW_BORDER_MEDIUM);
                 }});
    f.title = fmt(wb, {[](lxw_format* x) {
                      format_set_bold(x);
                      format_set_font_size(x, 12);
                      format_set_align(x, LXW_ALIGN_CENTER);
                  }});
    f.pageNo = fmt(wb, {[](lxw_format* x) {
                       format_set_font_size(x, 8);
                       format_set_align(x, LXW_ALIGN_RIGHT);
                   }});
    f.label = fmt(wb, {[](lxw_format* x) {
                      format_set_bold(x);
                      format_set_font_size(x, 9);
                      format_set_font_color(x, 0x404040);
                  }});
    f.value = fmt(wb, {[](lxw_format*) {}});
    f.valueWrap = fmt(wb, {[](lxw_format* x) {
                          format_set_text_wrap(x);
                          format_set_align(x, LXW_ALIGN_VERTICAL_TOP);
                      }});
    f.colHead = fmt(wb, {[](lxw_format* x) {
                        format_set_bold(x);
                        format_set_align(x, LXW_ALIGN_CENTER);
                        format_set_text_wrap(x);
                        format_set_border(x, LXW_BORDER_THIN);
                        format_set_bg_color(x, 0xE4E4E4);
                    }});
    const char* numFormats[5] = {"@", "0", "0.00", "0.00", "0.00##"};
    for (int i = 0; i < 5; ++i) {
        f.line[i] = fmt(wb, {[](lxw_format* x) {
                            format_set_left(x, LXW_BORDER_THIN);
                            format_set_right(x, LXW_BORDER_THIN);
                            format_set_bottom(x, LXW_BORDER_HAIR);
                        }});
        format_set_num_format(f.line[i], numFormats[i]);
        if (i == 0) {
            format_set_text_wrap(f.line[i]);
            format_set_indent(f.line[i], 1);
        }
        if (i == 1) format_set_align(f.line[i], LXW_ALIGN_CENTER);
    }
    f.total = fmt(wb, {[](lxw_format* x) {
                      format_set_num_format(x, "0.00");
                      format_set_border(x, LXW_BORDER_THIN);
                  }});
    f.totalBold = fmt(wb, {[](lxw_format* x) {
                          format_set_num_format(x, "0.00");
                          format_set_border(x, LXW_BORDER_MEDIUM);
                          format_set_bold(x);
                      }});
    f.totalLabel = fmt(wb, {[](lxw_format* x) { format_set_align(x, LXW_ALIGN_RIGHT); }});
    f.totalLabelBold = fmt(wb, {[](lxw_format* x) {
                               format_set_align(x, LXW_ALIGN_RIGHT);
                               format_set_bold(x);
                           }});
    f.note = fmt(wb, {[](lxw_format* x) {
                     format_set_text_wrap(x);
                     format_set_align(x, LXW_ALIGN_VERTICAL_TOP);
                 }});
    f.noteBold = fmt(wb, {[](lxw_format* x) {
                         format_set_text_wrap(x);
                         format_set_bold(x);
                         format_set_align(x, LXW_ALIGN_VERTICAL_TOP);
                     }});
    f.sign = fmt(wb, {[](lxw_format* x) { format_set_font_size(x, 9); }});
    f.signBold = fmt(wb, {[](lxw_format* x) {
                         format_set_bold(x);
                         format_set_align(x, LXW_ALIGN_RIGHT);
                     }});
    return f;
}

QByteArray colLetters(int col) {
    QByteArray s;
    for (int c = col + 1; c > 0; c = (c - 1) / 26) s.prepend(char('A' + (c - 1) % 26));
    return s;
}

class Builder {
  public:
    Builder(lxw_workbook* wb, lxw_worksheet* ws, const QJsonObject& def) : wb_(wb), ws_(ws), f_(makeFormats(wb)) {
        const QJsonArray cols = def.value("columns").toArray();
        for (const auto& c : cols) widths_ << c.toObject().value("width").toDouble(10);
        if (widths_.isEmpty()) widths_ = {20, 20, 20, 20};
        last_ = int(widths_.size()) - 1;
        for (int i = 0; i <= last_; ++i) worksheet_set_column(ws_, i, i, widths_[i], nullptr);
    }

    void merge(int row, int c0, int c1, lxw_format* f, const char* text = "") {
        if (c1 > c0)
            worksheet_merge_range(ws_, row, c0, row, c1, text, f);
        else if (*text)
            worksheet_write_string(ws_, row, c0, text, f);
        else
            worksheet_write_blank(ws_, row, c0, f);
    }

    void name(const QString& n, int row, int col, int lastRow = -1, int lastCol = -1) {
        QByteArray ref = "=TEMPLATE!$" + colLetters(col) + "$" + QByteArray::number(row + 1);
        if (lastRow >= 0) ref += ":$" + colLetters(lastCol) + "$" + QByteArray::number(lastRow + 1);
        if (workbook_define_name(wb_, n.toUtf8().constData(), ref.constData()) != LXW_NO_ERROR)
            std::fprintf(stderr, "xltgen: bad name %s\n", qPrintable(n));
    }

    int lastCol() const { return last_; }

    int build(const QJsonObject& def) {
        int r = 0;
        worksheet_set_row(ws_, r, 62, nullptr);
        merge(r, 0, last_, f_.head);
        name("PrintHead", r, 0);
        ++r;
        worksheet_set_row(ws_, r, 22, nullptr);
        merge(r, 0, std::max(0, last_ - 1), f_.title, def.value("title").toString().toUtf8().constData());
        merge(r, last_, last_, f_.pageNo);
        name("PageNo", r, last_);
        ++r;
        worksheet_set_row(ws_, r++, 6, nullptr);

        r = headerBlocks(r, def.value("left").toArray(), def.value("right").toArray());
        worksheet_set_row(ws_, r++, 6, nullptr);

        const QJsonArray cols = def.value("columns").toArray();
        const int lineRows = def.value("lineRows").toInt(0);
        if (lineRows > 0) {
            worksheet_set_row(ws_, r, 28, nullptr);
            for (int c = 0; c < cols.size(); ++c) {
                const QJsonObject col = cols[c].toObject();
                worksheet_write_string(ws_, r, c, col.value("heading").toString().toUtf8().constData(), f_.colHead);
                name(col.value("name").toString(), r, c);
            }
            ++r;
            for (int i = 0; i < lineRows; ++i) {
                worksheet_set_row(ws_, r + i, 16, nullptr);
                for (int c = 0; c < cols.size(); ++c)
                    worksheet_write_blank(ws_, r + i, c, f_.line[formatIndex(cols[c].toObject())]);
            }
            name("Lines", r, 0, r + lineRows - 1, last_);
            r += lineRows;
        }

        const int labelFrom = std::max(0, last_ - 3);
        for (const auto& t : def.value("totals").toArray()) {
            const QJsonObject o = t.toObject();
            const bool bold = o.value("bold").toBool();
            merge(r, labelFrom, last_ - 1, bold ? f_.totalLabelBold : f_.totalLabel,
                  o.value("label").toString().toUtf8().constData());
            if (o.contains("labelName")) name(o.value("labelName").toString(), r, labelFrom);
            worksheet_write_blank(ws_, r, last_, bold ? f_.totalBold : f_.total);
            name(o.value("name").toString(), r, last_);
            ++r;
        }

        QJsonArray notes = def.value("notes").toArray();
        bool words = false;
        for (const auto& n : notes) words |= n.toObject().value("name").toString() == QLatin1String("AmountInWords");
        if (!words) notes.append(QJsonObject{{"name", "AmountInWords"}, {"bold", true}});
        for (const auto& n : notes) {
            const QJsonObject o = n.toObject();
            const int rows = o.value("rows").toInt(1);
            worksheet_set_row(ws_, r, rows > 1 ? 15 : 28, nullptr);
            if (rows > 1)
                worksheet_merge_range(ws_, r, 0, r + rows - 1, last_, "",
                                      o.value("bold").toBool() ? f_.noteBold : f_.note);
            else
                merge(r, 0, last_, o.value("bold").toBool() ? f_.noteBold : f_.note);
            name(o.value("name").toString(), r, 0);
            r += rows;
        }

        worksheet_set_row(ws_, r++, 8, nullptr);
        const int split = splitColumn();
        merge(r, split, last_, f_.signBold);
        name("ForCompany", r, split);
        r += 3;
        merge(r, 0, split - 1, f_.sign, def.value("signLeft").toString().toUtf8().constData());
        const QByteArray right = def.value("signRight").toString("Authorised Signatory").toUtf8();
        lxw_format* rightSign = workbook_add_format(wb_);
        format_set_font_name(rightSign, "Arial");
        format_set_font_size(rightSign, 9);
        format_set_align(rightSign, LXW_ALIGN_RIGHT);
        merge(r, split, last_, rightSign, right.constData());
        return r;
    }

  private:
    static int formatIndex(const QJsonObject& col) {
        const QString f = col.value("format").toString("text");
        if (f == QLatin1String("int")) return 1;
        if (f == QLatin1String("qty")) return 2;
        if (f == QLatin1String("money")) return 3;
        return f == QLatin1String("rate") ? 4 : 0;
    }

    int splitColumn() const {
        double total = 0, run = 0;
        for (double w : widths_) total += w;
        for (int i = 0; i <= last_; ++i) {
            run += widths_[i];
            if (run >= total / 2) return std::clamp(i + 1, 1, last_);
        }
        return std::max(1, last_);
    }

    // Lays out one block's fields from row r over columns c0..c1; returns the row after it.
    int block(int r, const QJsonArray& fields, int c0, int c1) {
        for (const auto& v : fields) {
            const QJsonObject o = v.toObject();
            const QString label = o.value("label").toString();
            const int rows = o.value("rows").toInt(1);
            int labelEnd = c0;
            double w = widths_[c0], blockWidth = 0;
            for (int c = c0; c <= c1; ++c) blockWidth += widths_[c];
            while (w < 12 && labelEnd < c1) w += widths_[++labelEnd];
            // A label that would take most of the block goes on its own row above the value.
            const bool inlineLabel = !label.isEmpty() && labelEnd < c1 && w <= blockWidth * 0.5;
            int vc0 = c0;
            if (inlineLabel) {
                merge(r, c0, labelEnd, f_.label, label.toUtf8().constData());
                vc0 = labelEnd + 1;
            } else if (!label.isEmpty()) {
                merge(r++, c0, c1, f_.label, label.toUtf8().constData());
            }
            lxw_format* vf = rows > 1 ? f_.valueWrap : f_.value;
            if (rows > 1 || c1 > vc0)
                worksheet_merge_range(ws_, r, vc0, r + rows - 1, c1, "", vf);
            else
                worksheet_write_blank(ws_, r, vc0, vf);
            name(o.value("name").toString(), r, vc0);
            r += rows;
        }
        return r;
    }

    int headerBlocks(int r, const QJsonArray& left, const QJsonArray& right) {
        if (right.isEmpty()) return block(r, left, 0, last_);
        if (left.isEmpty()) return block(r, right, 0, last_);
        const int split = splitColumn();
        return std::max(block(r, left, 0, split - 1), block(r, right, split, last_));
    }

    lxw_workbook* wb_;
    lxw_worksheet* ws_;
    Formats f_;
    QVector<double> widths_;
    int last_ = 0;
};

bool makeTemplate(const QString& jsonPath, const QString& outDir) {
    QFile in(jsonPath);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &err);
    if (!doc.isObject()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(jsonPath), qPrintable(err.errorString()));
        return false;
    }
    const QJsonObject def = doc.object();
    const QString out = outDir + QLatin1Char('/') + QFileInfo(jsonPath).completeBaseName() + ".xlsx";
    lxw_workbook* wb = workbook_new(out.toUtf8().constData());
    lxw_worksheet* ws = workbook_add_worksheet(wb, "TEMPLATE");
    Builder b(wb, ws, def);
    const int lastRow = b.build(def);
    worksheet_set_paper(ws, 9);  // A4
    if (def.value("landscape").toBool()) worksheet_set_landscape(ws);
    worksheet_set_margins(ws, 0.4, 0.4, 0.5, 0.6);
    worksheet_fit_to_pages(ws, 1, 1);
    worksheet_center_horizontally(ws);
    worksheet_gridlines(ws, LXW_HIDE_ALL_GRIDLINES);
    worksheet_repeat_rows(ws, 0, 0);
    worksheet_set_footer(ws, "&CPage &P of &N");
    worksheet_print_area(ws, 0, 0, lastRow, b.lastCol());
    return workbook_close(wb) == LXW_NO_ERROR;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: xltgen OUT_DIR DEFINITION.json...\n");
        return 2;
    }
    int failed = 0;
    for (int i = 2; i < args.size(); ++i)
        if (!makeTemplate(args[i], args[1])) {
            std::fprintf(stderr, "xltgen: %s failed\n", qPrintable(args[i]));
            ++failed;
        }
    return failed ? 1 : 0;
}
