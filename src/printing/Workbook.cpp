#include "printing/Workbook.h"

#include <zip.h>

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

namespace kavra::Print {

namespace {

const QString kWorksheetType =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet");
const QString kWorksheetContent =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");

QDomDocument parseXml(const QByteArray& bytes, const QString& part) {
    QDomDocument doc;
    if (!doc.setContent(bytes)) throw PrintFailure(QStringLiteral("The workbook part %1 cannot be read.").arg(part));
    return doc;
}

QString colName(int col) {
    QString s;
    for (int c = col; c > 0; c = (c - 1) / 26) s.prepend(QChar(u'A' + (c - 1) % 26));
    return s;
}

// "'TEMPLATE (2)'!$A$12:$G$23", "TEMPLATE!$F$5", "TEMPLATE!$1:$1".
std::optional<CellRange> parseRange(QString text) {
    if (text.startsWith(QLatin1Char('='))) text.remove(0, 1);
    const int bang = text.lastIndexOf(QLatin1Char('!'));
    if (bang < 0) return std::nullopt;
    CellRange r;
    r.sheet = text.left(bang);
    if (r.sheet.startsWith(QLatin1Char('\''))) r.sheet = r.sheet.mid(1).chopped(1).replace(QStringLiteral("''"), "'");
    const QStringList ends = text.mid(bang + 1).remove(QLatin1Char('$')).split(QLatin1Char(':'));
    static const QRegularExpression rowOnly(QStringLiteral("^\\d+$"));
    auto one = [&](const QString& e, int* row, int* col) {
        if (rowOnly.match(e).hasMatch()) {
            *row = e.toInt();
            *col = 0;
            return true;
        }
        return parseCellRef(e, row, col);
    };
    if (!one(ends.value(0), &r.row, &r.col)) return std::nullopt;
    if (ends.size() > 1) {
        if (!one(ends.value(1), &r.lastRow, &r.lastCol)) return std::nullopt;
    } else {
        r.lastRow = r.row;
        r.lastCol = r.col;
    }
    return r;
}

QString quotedSheet(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*$"));
    if (plain.match(name).hasMatch()) return name;
    QString q = name;
    return QLatin1Char('\'') + q.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

// One worksheet part, parsed when first touched; rows kept in a map for ordered inserts.
struct Sheet {
    QString part;
    QDomDocument doc;
    QDomElement sheetData;
    std::map<int, QDomElement> rows;

    void index() {
        sheetData = doc.documentElement().firstChildElement(QStringLiteral("sheetData"));
        if (sheetData.isNull()) {
            sheetData = doc.createElement(QStringLiteral("sheetData"));
            doc.documentElement().appendChild(sheetData);
        }
        rows.clear();
        for (QDomElement r = sheetData.firstChildElement(QStringLiteral("row")); !r.isNull();
             r = r.nextSiblingElement(QStringLiteral("row")))
            rows[r.attribute(QStringLiteral("r")).toInt()] = r;
    }

    QDomElement row(int n, bool create) {
        auto it = rows.find(n);
        if (it != rows.end()) return it->second;
        if (!create) return {};
        QDomElement r = doc.createElement(QStringLiteral("row"));
        r.setAttribute(QStringLiteral("r"), n);
        auto next = rows.upper_bound(n);
        if (next == rows.end())
            sheetData.appendChild(r);
        else
            sheetData.insertBefore(r, next->second);
        rows[n] = r;
        return r;
    }

    QDomElement cell(int rowNo, int col, bool create) {
        QDomElement r = row(rowNo, create);
        if (r.isNull()) return {};
        const QString ref = cellRef(rowNo, col);
        for (QDomElement c = r.firstChildElement(QStringLiteral("c")); !c.isNull();
             c = c.nextSiblingElement(QStringLiteral("c"))) {
            int cr = 0, cc = 0;
            parseCellRef(c.attribute(QStringLiteral("r")), &cr, &cc);
            if (cc == col) return c;
            if (cc > col) {
                if (!create) return {};
                QDomElement n = doc.createElement(QStringLiteral("c"));
                n.setAttribute(QStringLiteral("r"), ref);
                r.insertBefore(n, c);
                return n;
            }
        }
        if (!create) return {};
        QDomElement n = doc.createElement(QStringLiteral("c"));
        n.setAttribute(QStringLiteral("r"), ref);
        r.appendChild(n);
        return n;
    }
};

void emptyCell(QDomElement& c) {
    while (!c.firstChild().isNull()) c.removeChild(c.firstChild());
    c.removeAttribute(QStringLiteral("t"));
}

QString textOf(const QDomElement& is) {
    // Plain <t> or rich-text runs <r><t>.
    QString s;
    const QDomNodeList ts = is.elementsByTagName(QStringLiteral("t"));
    for (int i = 0; i < ts.size(); ++i) s += ts.at(i).toElement().text();
    return s;
}

}  // namespace

void readZip(const QString& path, const std::function<bool(const QString&, QByteArray)>& part) {
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!z) throw PrintFailure(QStringLiteral("%1 is not a workbook.").arg(path));
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_file_t* f =
            zip_stat_index(z, zip_uint64_t(i), 0, &st) == 0 ? zip_fopen_index(z, zip_uint64_t(i), 0) : nullptr;
        if (!f) {
            zip_discard(z);
            throw PrintFailure(QStringLiteral("%1 cannot be read.").arg(path));
        }
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        if (got != zip_int64_t(st.size)) {
            zip_discard(z);
            throw PrintFailure(QStringLiteral("%1 cannot be read.").arg(path));
        }
        if (!part(QString::fromUtf8(st.name), std::move(bytes))) break;
    }
    zip_discard(z);
}

QByteArray readPart(const QString& path, const QString& name) {
    QByteArray found;
    readZip(path, [&](const QString& n, QByteArray bytes) {
        if (n != name) return true;
        found = std::move(bytes);
        return false;
    });
    return found;
}

bool parseCellRef(const QString& ref, int* row, int* col) {
    static const QRegularExpression re(QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?(\\d+)$"));
    const auto m = re.match(ref);
    if (!m.hasMatch()) return false;
    int c = 0;
    for (QChar ch : m.captured(1).toUpper()) c = c * 26 + (ch.unicode() - u'A' + 1);
    *col = c;
    *row = m.captured(2).toInt();
    return true;
}

bool isNumeric(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return true;
        default:
            return false;
    }
}

QString cellRef(int row, int col) {
    return colName(col) + QString::number(row);
}

struct Workbook::Impl {
    QStringList order;                // zip entries in their original order
    QMap<QString, QByteArray> parts;  // untouched parts, as read
    QDomDocument workbook, rels, types;
    QStringList sharedStrings;
    struct SheetRef {
        QString name, part;
    };
    QVector<SheetRef> sheets;
    QMap<QString, Sheet> loaded;  // by part name

    Sheet& sheet(int index) {
        if (index < 0 || index >= sheets.size())
            throw PrintFailure(QStringLiteral("The workbook has no sheet %1.").arg(index + 1));
        const QString part = sheets[index].part;
        auto it = loaded.find(part);
        if (it == loaded.end()) {
            Sheet s;
            s.part = part;
            s.doc = parseXml(parts.value(part), part);
            s.index();
            it = loaded.insert(part, s);
        }
        return it.value();
    }

    QByteArray bytesOf(const QString& part) const {
        if (part == QLatin1String("xl/workbook.xml")) return workbook.toByteArray(-1);
        if (part == QLatin1String("xl/_rels/workbook.xml.rels")) return rels.toByteArray(-1);
        if (part == QLatin1String("[Content_Types].xml")) return types.toByteArray(-1);
        auto it = loaded.constFind(part);
        if (it != loaded.constEnd()) return it->doc.toByteArray(-1);
        return parts.value(part);
    }

    QDomElement definedNames(bool create) {
        QDomElement root = workbook.documentElement();
        QDomElement dn = root.firstChildElement(QStringLiteral("definedNames"));
        if (dn.isNull() && create) {
            dn = workbook.createElement(QStringLiteral("definedNames"));
            // definedNames follows <sheets> in the schema's order.
            root.insertAfter(dn, root.firstChildElement(QStringLiteral("sheets")));
        }
        return dn;
    }
};

Workbook::Workbook() : d(std::make_unique<Impl>()) {}
Workbook::~Workbook() = default;
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;

Workbook Workbook::load(const QString& path) {
    if (!QFileInfo::exists(path)) throw PrintFailure(QStringLiteral("The template %1 is missing.").arg(path));
    Workbook wb;
    Impl& d = *wb.d;
    readZip(path, [&](const QString& name, QByteArray bytes) {
        d.order << name;
        d.parts.insert(name, std::move(bytes));
        return true;
    });
    for (const char* need : {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "[Content_Types].xml"})
        if (!d.parts.contains(QLatin1String(need)))
            throw PrintFailure(QStringLiteral("%1 is not a workbook.").arg(path));
    d.workbook = parseXml(d.parts.value(QStringLiteral("xl/workbook.xml")), QStringLiteral("workbook"));
    d.rels = parseXml(d.parts.value(QStringLiteral("xl/_rels/workbook.xml.rels")), QStringLiteral("rels"));
    d.types = parseXml(d.parts.value(QStringLiteral("[Content_Types].xml")), QStringLiteral("types"));
    QMap<QString, QString> targets;
    for (QDomElement r = d.rels.documentElement().firstChildElement(); !r.isNull(); r = r.nextSiblingElement()) {
        QString t = r.attribute(QStringLiteral("Target"));
        if (t.startsWith(QLatin1Char('/')))
            t.remove(0, 1);
        else
            t.prepend(QStringLiteral("xl/"));
        targets.insert(r.attribute(QStringLiteral("Id")), t);
    }
    const QDomElement sheets = d.workbook.documentElement().firstChildElement(QStringLiteral("sheets"));
    for (QDomElement s = sheets.firstChildElement(); !s.isNull(); s = s.nextSiblingElement())
        d.sheets.append({s.attribute(QStringLiteral("name")), targets.value(s.attribute(QStringLiteral("r:id")))});
    if (d.parts.contains(QStringLiteral("xl/sharedStrings.xml"))) {
        const QDomDocument ss = parseXml(d.parts.value(QStringLiteral("xl/sharedStrings.xml")), "sharedStrings");
        for (QDomElement si = ss.documentElement().firstChildElement(QStringLiteral("si")); !si.isNull();
             si = si.nextSiblingElement(QStringLiteral("si")))
            d.sharedStrings << textOf(si);
    }
    return wb;
}

void Workbook::save(const QString& path) const {
    QFile::remove(path);
    const QString failed = QStringLiteral("The workbook %1 cannot be written.").arg(path);
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z) throw PrintFailure(failed);
    // The archive reads the buffers only when it is closed.
    std::vector<QByteArray> keep;
    keep.reserve(d->order.size());
    for (const QString& name : d->order) {
        keep.push_back(d->bytesOf(name));
        zip_source_t* src = zip_source_buffer(z, keep.back().constData(), zip_uint64_t(keep.back().size()), 0);
        const zip_int64_t i = src ? zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) : -1;
        if (i < 0) {
            if (src) zip_source_free(src);
            zip_discard(z);
            throw PrintFailure(failed);
        }
        zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_DEFLATE, 6);
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        throw PrintFailure(failed);
    }
}

QStringList Workbook::sheetNames() const {
    QStringList n;
    for (const auto& s : d->sheets) n << s.name;
    return n;
}

int Workbook::sheetIndex(const QString& name) const {
    for (int i = 0; i < d->sheets.size(); ++i)
        if (d->sheets[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int Workbook::copySheet(int index, const QString& newName) {
    Sheet& src = d->sheet(index);
    int n = d->sheets.size() + 1;
    QString part;
    do part = QStringLiteral("xl/worksheets/sheet%1.xml").arg(n++);
    while (d->parts.contains(part) || d->loaded.contains(part));

    Sheet copy;
    copy.part = part;
    copy.doc = src.doc.cloneNode(true).toDocument();
    // Only the first page stays selected, so printing the workbook prints every page.
    const QDomNodeList views = copy.doc.elementsByTagName(QStringLiteral("sheetView"));
    for (int i = 0; i < views.size(); ++i) views.at(i).toElement().removeAttribute(QStringLiteral("tabSelected"));
    copy.index();
    d->loaded.insert(part, copy);
    d->order << part;
    const QString srcRels = QFileInfo(src.part).path() + QStringLiteral("/_rels/") + QFileInfo(src.part).fileName() +
                            QStringLiteral(".rels");
    if (d->parts.contains(srcRels)) {
        const QString rels = QStringLiteral("xl/worksheets/_rels/") + QFileInfo(part).fileName() + ".rels";
        d->parts.insert(rels, d->parts.value(srcRels));
        d->order << rels;
    }

    int maxRid = 0;
    for (QDomElement r = d->rels.documentElement().firstChildElement(); !r.isNull(); r = r.nextSiblingElement())
        maxRid = std::max(maxRid, r.attribute(QStringLiteral("Id")).mid(3).toInt());
    const QString rid = QStringLiteral("rId%1").arg(maxRid + 1);
    QDomElement rel = d->rels.createElement(QStringLiteral("Relationship"));
    rel.setAttribute(QStringLiteral("Id"), rid);
    rel.setAttribute(QStringLiteral("Type"), kWorksheetType);
    rel.setAttribute(QStringLiteral("Target"), part.mid(3));
    d->rels.documentElement().appendChild(rel);

    QDomElement sheets = d->workbook.documentElement().firstChildElement(QStringLiteral("sheets"));
    int maxId = 0;
    for (QDomElement s = sheets.firstChildElement(); !s.isNull(); s = s.nextSiblingElement())
        maxId = std::max(maxId, s.attribute(QStringLiteral("sheetId")).toInt());
    QDomElement sh = d->workbook.createElement(QStringLiteral("sheet"));
    sh.setAttribute(QStringLiteral("name"), newName);
    sh.setAttribute(QStringLiteral("sheetId"), maxId + 1);
    sh.setAttribute(QStringLiteral("r:id"), rid);
    sheets.appendChild(sh);

    QDomElement ov = d->types.createElement(QStringLiteral("Override"));
    ov.setAttribute(QStringLiteral("PartName"), QLatin1Char('/') + part);
    ov.setAttribute(QStringLiteral("ContentType"), kWorksheetContent);
    d->types.documentElement().appendChild(ov);

    const int newIndex = d->sheets.size();
    const QString oldName = d->sheets[index].name;
    d->sheets.append({newName, part});
    // Print titles and areas belong to one sheet each; give the copy its own.
    QDomElement dn = d->definedNames(false);
    if (!dn.isNull()) {
        QList<QDomElement> add;
        for (QDomElement e = dn.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (!e.hasAttribute(QStringLiteral("localSheetId")) ||
                e.attribute(QStringLiteral("localSheetId")).toInt() != index)
                continue;
            QDomElement c = e.cloneNode(true).toElement();
            c.setAttribute(QStringLiteral("localSheetId"), newIndex);
            QString text = c.text();
            text.replace(quotedSheet(oldName) + QLatin1Char('!'), quotedSheet(newName) + QLatin1Char('!'));
            while (!c.firstChild().isNull()) c.removeChild(c.firstChild());
            c.appendChild(d->workbook.createTextNode(text));
            add << c;
        }
        for (const QDomElement& c : add) dn.appendChild(c);
    }
    return newIndex;
}

std::optional<CellRange> Workbook::name(const QString& definedName) const {
    QDomElement dn = d->definedNames(false);
    for (QDomElement e = dn.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (!e.hasAttribute(QStringLiteral("localSheetId")) &&
            e.attribute(QStringLiteral("name")).compare(definedName, Qt::CaseInsensitive) == 0)
            return parseRange(e.text());
    return std::nullopt;
}

QStringList Workbook::names() const {
    QStringList out;
    QDomElement dn = d->definedNames(false);
    for (QDomElement e = dn.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        if (!e.hasAttribute(QStringLiteral("localSheetId"))) out << e.attribute(QStringLiteral("name"));
    return out;
}

void Workbook::setText(int sheet, int row, int col, const QString& text) {
    Sheet& s = d->sheet(sheet);
    QDomElement c = s.cell(row, col, true);
    emptyCell(c);
    if (text.isEmpty()) return;
    c.setAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
    QDomElement is = s.doc.createElement(QStringLiteral("is"));
    QDomElement t = s.doc.createElement(QStringLiteral("t"));
    t.setAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    t.appendChild(s.doc.createTextNode(text));
    is.appendChild(t);
    c.appendChild(is);
}

void Workbook::setNumber(int sheet, int row, int col, double value) {
    Sheet& s = d->sheet(sheet);
    QDomElement c = s.cell(row, col, true);
    emptyCell(c);
    QDomElement v = s.doc.createElement(QStringLiteral("v"));
    v.appendChild(s.doc.createTextNode(QString::number(value, 'g', 17)));
    c.appendChild(v);
}

void Workbook::clear(int sheet, int row, int col) {
    QDomElement c = d->sheet(sheet).cell(row, col, false);
    if (!c.isNull()) emptyCell(c);
}

QVariant Workbook::value(int sheet, int row, int col) const {
    const QDomElement c = d->sheet(sheet).cell(row, col, false);
    if (c.isNull()) return {};
    const QString t = c.attribute(QStringLiteral("t"));
    if (t == QLatin1String("inlineStr")) return textOf(c.firstChildElement(QStringLiteral("is")));
    const QDomElement v = c.firstChildElement(QStringLiteral("v"));
    if (v.isNull()) return {};
    if (t == QLatin1String("s")) return d->sharedStrings.value(v.text().toInt());
    if (t == QLatin1String("str") || t == QLatin1String("e")) return v.text();
    if (t == QLatin1String("b")) return v.text() == QLatin1String("1");
    return v.text().toDouble();
}

void Workbook::setRowHidden(int sheet, int row, bool hidden) {
    QDomElement r = d->sheet(sheet).row(row, hidden);
    if (r.isNull()) return;
    if (hidden)
        r.setAttribute(QStringLiteral("hidden"), QStringLiteral("1"));
    else
        r.removeAttribute(QStringLiteral("hidden"));
}

bool Workbook::rowHidden(int sheet, int row) const {
    const QDomElement r = d->sheet(sheet).row(row, false);
    const QString h = r.attribute(QStringLiteral("hidden"));
    return h == QLatin1String("1") || h == QLatin1String("true");
}

int Workbook::lastRow(int sheet) const {
    const Sheet& s = d->sheet(sheet);
    return s.rows.empty() ? 0 : s.rows.rbegin()->first;
}

}  // namespace kavra::Print
