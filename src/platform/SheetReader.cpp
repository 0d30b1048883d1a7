#include "platform/SheetReader.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <freexl.h>
#include <unzip.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

SheetError::SheetError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}

const SheetCell* Worksheet::at(int row, int col) const {
    if (row < 0 || row >= rows.size() || col < 0 || col >= rows[row].size()) return nullptr;
    return &rows[row][col];
}

QString Worksheet::text(int row, int col) const {
    const SheetCell* c = at(row, col);
    return c ? c->text : QString();
}

int SheetTable::column(const QString& header) const {
    const QString h = header.trimmed();
    for (int i = 0; i < headers.size(); ++i)
        if (headers[i] == h) return i;
    return -1;
}

namespace {

QString shown(const QString& file) { return QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()); }

[[noreturn]] void damaged(const QString& file) {
    throw SheetError(QStringLiteral("Excel文件已损坏，无法读取：%1").arg(shown(file)));
}

// ---------------------------------------------------------------- numbers

enum class FmtKind { General, Text, Fixed, Date, Time, DateTime };
struct NumFmt {
    FmtKind kind = FmtKind::General;
    int intDigits = 1;  // Fixed: at least this many digits before the point
    int decimals = 0;   // Fixed: exactly this many after it
};

NumFmt classify(const QString& code) {
    NumFmt f;
    if (code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) return f;
    if (code == QLatin1String("@")) {
        f.kind = FmtKind::Text;
        return f;
    }
    // Only the first section (positive numbers) decides.
    QString first = code.section(QLatin1Char(';'), 0, 0);
    static const QRegularExpression fixed(QStringLiteral("^(0+)(?:\\.(0+))?$"));
    const auto m = fixed.match(first);
    if (m.hasMatch()) {
        f.kind = FmtKind::Fixed;
        f.intDigits = m.captured(1).size();
        f.decimals = m.captured(2).size();
        return f;
    }
    // Strip quoted text, escaped characters and [..] sections before looking for date letters.
    QString bare;
    bool quoted = false;
    for (int i = 0; i < first.size(); ++i) {
        const QChar c = first[i];
        if (c == QLatin1Char('"')) { quoted = !quoted; continue; }
        if (quoted) continue;
        if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) { ++i; continue; }
        if (c == QLatin1Char('[')) {
            const int end = first.indexOf(QLatin1Char(']'), i);
            const QString inner = first.mid(i + 1, end < 0 ? -1 : end - i - 1).toLower();
            // Elapsed-time sections ([h], [mm], [ss]) are times; colours and conditions are not.
            if (!inner.isEmpty() && (inner[0] == QLatin1Char('h') || inner[0] == QLatin1Char('m') || inner[0] == QLatin1Char('s')) &&
                inner.count(inner[0]) == inner.size())
                bare += inner;
            if (end < 0) break;
            i = end;
            continue;
        }
        bare += c.toLower();
    }
    const bool hasDate = bare.contains(QLatin1Char('y')) || bare.contains(QLatin1Char('d')) || bare.contains(QLatin1Char('e'));
    const bool hasTime = bare.contains(QLatin1Char('h')) || bare.contains(QLatin1Char('s'));
    const bool hasMonth = bare.contains(QLatin1Char('m'));
    if (bare.contains(QLatin1String("general"))) return f;
    if (hasDate && hasTime) f.kind = FmtKind::DateTime;
    else if (hasDate || (hasMonth && !hasTime)) f.kind = FmtKind::Date;
    else if (hasTime) f.kind = FmtKind::Time;
    return f;
}

NumFmt builtinFormat(int id) {
    NumFmt f;
    switch (id) {
    case 1: f.kind = FmtKind::Fixed; break;
    case 2: f.kind = FmtKind::Fixed; f.decimals = 2; break;
    case 14: case 15: case 16: case 17:
    case 27: case 28: case 29: case 30: case 31: case 34: case 35: case 36:
    case 50: case 51: case 52: case 53: case 54: case 57: case 58:
        f.kind = FmtKind::Date; break;
    case 22: f.kind = FmtKind::DateTime; break;
    case 18: case 19: case 20: case 21: case 32: case 33: case 45: case 46: case 47: case 55: case 56:
        f.kind = FmtKind::Time; break;
    case 49: f.kind = FmtKind::Text; break;
    default: break;
    }
    return f;
}

QString serialText(double serial, FmtKind kind, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465.0) return SheetReader::numberText(serial);
    qint64 days = static_cast<qint64>(std::floor(serial));
    qint64 secs = std::llround((serial - static_cast<double>(days)) * 86400.0);
    if (secs >= 86400) { ++days; secs -= 86400; }
    QDate d;
    if (date1904) d = QDate(1904, 1, 1).addDays(days);
    // The 1900 system counts a 29 February 1900 that never was.
    else d = days >= 61 ? QDate(1899, 12, 30).addDays(days) : QDate(1899, 12, 31).addDays(days);
    const QTime t = QTime(0, 0).addSecs(static_cast<int>(secs));
    switch (kind) {
    case FmtKind::Time: return t.toString(QStringLiteral("hh:mm:ss"));
    case FmtKind::DateTime: return d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + t.toString(QStringLiteral("hh:mm:ss"));
    default: return d.toString(QStringLiteral("yyyy-MM-dd"));
    }
}

QString formatted(double v, const NumFmt& f, bool date1904) {
    switch (f.kind) {
    case FmtKind::Fixed: {
        QString s = QString::number(std::fabs(v), 'f', f.decimals);
        const int point = s.indexOf(QLatin1Char('.'));
        const int intLen = point < 0 ? s.size() : point;
        if (intLen < f.intDigits) s.prepend(QString(f.intDigits - intLen, QLatin1Char('0')));
        bool zero = true;
        for (QChar c : s)
            if (c.isDigit() && c != QLatin1Char('0')) zero = false;
        return (v < 0 && !zero) ? QLatin1Char('-') + s : s;
    }
    case FmtKind::Date:
    case FmtKind::Time:
    case FmtKind::DateTime: return serialText(v, f.kind, date1904);
    default: return SheetReader::numberText(v);
    }
}

// "_x000D_" in stored text stands for the character U+000D.
QString unescapeOoxml(const QString& s) {
    if (!s.contains(QLatin1String("_x"))) return s;
    static const QRegularExpression esc(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    auto it = esc.globalMatch(s);
    while (it.hasNext()) {
        const auto m = it.next();
        out += QStringView(s).mid(last, m.capturedStart() - last);
        out += QChar(static_cast<char16_t>(m.captured(1).toUShort(nullptr, 16)));
        last = m.capturedEnd();
    }
    out += QStringView(s).mid(last);
    return out;
}

// "AB12" -> row 11, column 27; false when it is no cell reference.
bool parseRef(QStringView ref, int* row, int* col) {
    int c = 0, i = 0;
    while (i < ref.size() && ref[i].isLetter()) {
        c = c * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (c > 16384) return false;
        ++i;
    }
    if (i == 0) return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || r < 1 || r > 1048576) return false;
    *row = r - 1;
    *col = c - 1;
    return true;
}

void put(Worksheet& ws, int row, int col, SheetCell cell) {
    if (cell.text.isEmpty()) return;
    if (ws.rows.size() <= row) ws.rows.resize(row + 1);
    auto& r = ws.rows[row];
    if (r.size() <= col) r.resize(col + 1);
    r[col] = std::move(cell);
}

// ---------------------------------------------------------------- xlsx

class ZipFile {
public:
    explicit ZipFile(const QString& file) : file_(file) {
        zip_ = unzOpen64(QFile::encodeName(file).constData());
        if (!zip_) damaged(file);
    }
    ~ZipFile() {
        if (zip_) unzClose(zip_);
    }
    ZipFile(const ZipFile&) = delete;
    ZipFile& operator=(const ZipFile&) = delete;

    bool has(const QString& name) const {
        return unzLocateFile(zip_, name.toUtf8().constData(), 2) == UNZ_OK;
    }

    // The whole entry; a missing entry gives a null array.
    QByteArray read(const QString& name) const {
        if (unzLocateFile(zip_, name.toUtf8().constData(), 2) != UNZ_OK) return QByteArray();
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) damaged(file_);
        if (info.uncompressed_size > kMaxEntry)
            throw SheetError(QStringLiteral("Excel文件过大，无法读取：%1").arg(shown(file_)));
        if (unzOpenCurrentFile(zip_) != UNZ_OK) damaged(file_);
        QByteArray out;
        out.reserve(static_cast<qsizetype>(info.uncompressed_size));
        char buf[65536];
        for (;;) {
            const int n = unzReadCurrentFile(zip_, buf, sizeof buf);
            if (n < 0) {
                unzCloseCurrentFile(zip_);
                damaged(file_);
            }
            if (n == 0) break;
            out.append(buf, n);
            if (static_cast<quint64>(out.size()) > kMaxEntry) {
                unzCloseCurrentFile(zip_);
                throw SheetError(QStringLiteral("Excel文件过大，无法读取：%1").arg(shown(file_)));
            }
        }
        // A wrong checksum shows up when the entry is closed.
        if (unzCloseCurrentFile(zip_) != UNZ_OK) damaged(file_);
        if (out.isNull()) out = QByteArray("");
        return out;
    }

private:
    static constexpr quint64 kMaxEntry = 512ull * 1024 * 1024;
    QString file_;
    unzFile zip_ = nullptr;
};

// The parts of the package that lead to the worksheets.
struct Package {
    QString workbook;                     // e.g. "xl/workbook.xml"
    QList<QPair<QString, QString>> sheets;  // name -> part
    QString sharedStrings;
    QString styles;
    bool date1904 = false;
};

QString resolvePart(const QString& base, const QString& target) {
    if (target.startsWith(QLatin1Char('/'))) return target.mid(1);
    const QString dir = base.contains(QLatin1Char('/')) ? base.left(base.lastIndexOf(QLatin1Char('/')) + 1) : QString();
    return QDir::cleanPath(dir + target);
}

QString relsOf(const QString& part) {
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// Id -> (type, target) of a relationships part.
QHash<QString, QPair<QString, QString>> readRels(const QByteArray& xml, const QString& file) {
    QHash<QString, QPair<QString, QString>> out;
    if (xml.isNull()) return out;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("Relationship")) {
            const auto a = r.attributes();
            out.insert(a.value(QLatin1String("Id")).toString(),
                       {a.value(QLatin1String("Type")).toString(), a.value(QLatin1String("Target")).toString()});
        }
    }
    if (r.hasError()) damaged(file);
    return out;
}

Package readPackage(const ZipFile& zip, const QString& file) {
    Package p;
    p.workbook = QStringLiteral("xl/workbook.xml");
    const QByteArray rootRels = zip.read(QStringLiteral("_rels/.rels"));
    if (!rootRels.isNull()) {
        for (const auto& rel : readRels(rootRels, file))
            if (rel.first.endsWith(QLatin1String("/officeDocument"))) p.workbook = resolvePart(QString(), rel.second);
    }
    const QByteArray wbXml = zip.read(p.workbook);
    if (wbXml.isNull())
        throw SheetError(QStringLiteral("%1 不是Excel文件（.xls 或 .xlsx），无法读取。").arg(shown(file)));
    const auto rels = readRels(zip.read(relsOf(p.workbook)), file);
    for (const auto& rel : rels) {
        if (rel.first.endsWith(QLatin1String("/sharedStrings"))) p.sharedStrings = resolvePart(p.workbook, rel.second);
        else if (rel.first.endsWith(QLatin1String("/styles"))) p.styles = resolvePart(p.workbook, rel.second);
    }

    QXmlStreamReader r(wbXml);
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement) continue;
        if (r.name() == QLatin1String("workbookPr")) {
            const QStringView v = r.attributes().value(QLatin1String("date1904"));
            p.date1904 = v == QLatin1String("1") || v == QLatin1String("true");
        } else if (r.name() == QLatin1String("sheet")) {
            QString name, id;
            for (const QXmlStreamAttribute& a : r.attributes()) {
                if (a.name() == QLatin1String("name")) name = a.value().toString();
                else if (a.name() == QLatin1String("id") && !a.namespaceUri().isEmpty()) id = a.value().toString();
            }
            const auto it = rels.constFind(id);
            // Chart sheets and dialog sheets hold no cells.
            if (it != rels.constEnd() && it->first.endsWith(QLatin1String("/worksheet")))
                p.sheets.append({name, resolvePart(p.workbook, it->second)});
        }
    }
    if (r.hasError()) damaged(file);
    return p;
}

QStringList readSharedStrings(const QByteArray& xml, const QString& file) {
    QStringList out;
    if (xml.isNull()) return out;
    QXmlStreamReader r(xml);
    QString current;
    int phonetic = 0;
    bool inItem = false;
    while (!r.atEnd()) {
        const auto tok = r.readNext();
        if (tok == QXmlStreamReader::StartElement) {
            if (r.name() == QLatin1String("si")) {
                inItem = true;
                current.clear();
            } else if (r.name() == QLatin1String("rPh")) {
                ++phonetic;
            } else if (r.name() == QLatin1String("t") && inItem && phonetic == 0) {
                current += r.readElementText();
            }
        } else if (tok == QXmlStreamReader::EndElement) {
            if (r.name() == QLatin1String("si")) {
                out << unescapeOoxml(current);
                inItem = false;
            } else if (r.name() == QLatin1String("rPh")) {
                --phonetic;
            }
        }
    }
    if (r.hasError()) damaged(file);
    return out;
}

QVector<NumFmt> readStyles(const QByteArray& xml, const QString& file) {
    QVector<NumFmt> out;
    if (xml.isNull()) return out;
    QHash<int, NumFmt> custom;
    QXmlStreamReader r(xml);
    bool inCellXfs = false;
    while (!r.atEnd()) {
        const auto tok = r.readNext();
        if (tok == QXmlStreamReader::StartElement) {
            if (r.name() == QLatin1String("numFmt")) {
                const auto a = r.attributes();
                custom.insert(a.value(QLatin1String("numFmtId")).toInt(), classify(a.value(QLatin1String("formatCode")).toString()));
            } else if (r.name() == QLatin1String("cellXfs")) {
                inCellXfs = true;
            } else if (inCellXfs && r.name() == QLatin1String("xf")) {
                const int id = r.attributes().value(QLatin1String("numFmtId")).toInt();
                out << custom.value(id, builtinFormat(id));
            }
        } else if (tok == QXmlStreamReader::EndElement && r.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
    }
    if (r.hasError()) damaged(file);
    return out;
}

void readSheetXml(const QByteArray& xml, const QString& file, const QStringList& shared, const QVector<NumFmt>& formats,
                  bool date1904, Worksheet& ws) {
    QXmlStreamReader r(xml);
    int row = -1, col = -1;
    // The current cell.
    QString type;
    int style = 0;
    QString value;
    bool inCell = false, inInline = false, phonetic = false;
    while (!r.atEnd()) {
        const auto tok = r.readNext();
        if (tok == QXmlStreamReader::StartElement) {
            const QStringView n = r.name();
            if (n == QLatin1String("row")) {
                bool ok = false;
                const int rr = r.attributes().value(QLatin1String("r")).toInt(&ok);
                row = (ok && rr >= 1) ? rr - 1 : row + 1;
                col = -1;
            } else if (n == QLatin1String("c")) {
                const auto a = r.attributes();
                int rr = 0, cc = 0;
                if (parseRef(a.value(QLatin1String("r")), &rr, &cc)) {
                    row = rr;
                    col = cc;
                } else {
                    ++col;
                    if (row < 0) row = 0;
                }
                type = a.value(QLatin1String("t")).toString();
                style = a.value(QLatin1String("s")).toInt();
                value.clear();
                inCell = true;
            } else if (inCell && n == QLatin1String("v")) {
                value = r.readElementText();
            } else if (inCell && n == QLatin1String("is")) {
                inInline = true;
            } else if (inInline && n == QLatin1String("rPh")) {
                phonetic = true;
            } else if (inInline && !phonetic && n == QLatin1String("t")) {
                value += r.readElementText();
            } else if (n == QLatin1String("mergeCell")) {
                ws.merges << r.attributes().value(QLatin1String("ref")).toString();
            } else if (n == QLatin1String("pageSetup")) {
                ws.landscape = r.attributes().value(QLatin1String("orientation")) == QLatin1String("landscape");
            }
        } else if (tok == QXmlStreamReader::EndElement) {
            const QStringView n = r.name();
            if (n == QLatin1String("rPh")) {
                phonetic = false;
            } else if (n == QLatin1String("is")) {
                inInline = false;
            } else if (n == QLatin1String("c") && inCell) {
                inCell = false;
                SheetCell cell;
                if (type == QLatin1String("s")) {
                    bool ok = false;
                    const int i = value.toInt(&ok);
                    if (!ok || i < 0 || i >= shared.size()) damaged(file);
                    cell.text = shared[i];
                } else if (type == QLatin1String("inlineStr")) {
                    cell.text = unescapeOoxml(value);
                } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
                    cell.text = unescapeOoxml(value);
                } else if (type == QLatin1String("b")) {
                    cell.text = value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                } else if (type == QLatin1String("d")) {
                    // An ISO 8601 date in the cell itself.
                    const QDateTime dt = QDateTime::fromString(value.trimmed(), Qt::ISODate);
                    cell.text = !dt.isValid() ? value.trimmed()
                                : dt.time() == QTime(0, 0) ? dt.date().toString(QStringLiteral("yyyy-MM-dd"))
                                                           : dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
                    cell.number = true;
                } else if (!value.isEmpty()) {
                    bool ok = false;
                    const double v = value.trimmed().toDouble(&ok);
                    if (!ok) damaged(file);
                    cell.text = formatted(v, style >= 0 && style < formats.size() ? formats[style] : NumFmt{}, date1904);
                    cell.number = true;
                }
                put(ws, row, col, std::move(cell));
            }
        }
    }
    if (r.hasError()) damaged(file);
}

QStringList xlsxSheetNames(const QString& file, Package* pkg = nullptr, ZipFile* zipIn = nullptr) {
    std::unique_ptr<ZipFile> own;
    ZipFile* zip = zipIn;
    if (!zip) {
        own = std::make_unique<ZipFile>(file);
        zip = own.get();
    }
    Package p = readPackage(*zip, file);
    QStringList names;
    for (const auto& s : p.sheets) names << s.first;
    if (pkg) *pkg = p;
    return names;
}

[[noreturn]] void noSheet(const QString& sheet, const QStringList& names) {
    throw SheetError(QStringLiteral("Excel文件中没有名为 %1 的工作表。\n文件中的工作表：%2")
                         .arg(sheet, names.isEmpty() ? QStringLiteral("（无）") : names.join(QStringLiteral("、"))));
}

Worksheet readXlsx(const QString& file, const QString& sheet) {
    ZipFile zip(file);
    Package p;
    const QStringList names = xlsxSheetNames(file, &p, &zip);
    QString part;
    Worksheet ws;
    for (const auto& s : p.sheets)
        if (s.first.compare(sheet, Qt::CaseInsensitive) == 0) {
            part = s.second;
            ws.name = s.first;
            break;
        }
    if (part.isEmpty()) noSheet(sheet, names);
    const QByteArray xml = zip.read(part);
    if (xml.isNull()) damaged(file);
    const QStringList shared = p.sharedStrings.isEmpty() ? QStringList() : readSharedStrings(zip.read(p.sharedStrings), file);
    const QVector<NumFmt> formats = p.styles.isEmpty() ? QVector<NumFmt>() : readStyles(zip.read(p.styles), file);
    readSheetXml(xml, file, shared, formats, p.date1904, ws);
    return ws;
}

// ---------------------------------------------------------------- xls

class XlsFile {
public:
    explicit XlsFile(const QString& file) : file_(file) {
        const int rc = freexl_open(QFile::encodeName(file).constData(), &h_);
        if (rc != FREEXL_OK) {
            if (h_) freexl_close(h_);
            h_ = nullptr;
            damaged(file);
        }
        unsigned int password = 0;
        if (freexl_get_info(h_, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED) {
            freexl_close(h_);
            h_ = nullptr;
            throw SheetError(QStringLiteral("Excel文件已加密，无法读取：%1").arg(shown(file)));
        }
    }
    ~XlsFile() {
        if (h_) freexl_close(h_);
    }
    XlsFile(const XlsFile&) = delete;
    XlsFile& operator=(const XlsFile&) = delete;

    QStringList names() const {
        unsigned int count = 0;
        if (freexl_get_info(h_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) damaged(file_);
        QStringList out;
        for (unsigned int i = 0; i < count; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(h_, static_cast<unsigned short>(i), &name) != FREEXL_OK) damaged(file_);
            out << QString::fromUtf8(name ? name : "");
        }
        return out;
    }

    Worksheet read(const QString& sheet) const {
        const QStringList all = names();
        int index = -1;
        for (int i = 0; i < all.size(); ++i)
            if (all[i].compare(sheet, Qt::CaseInsensitive) == 0) {
                index = i;
                break;
            }
        if (index < 0) noSheet(sheet, all);
        Worksheet ws;
        ws.name = all[index];
        if (freexl_select_active_worksheet(h_, static_cast<unsigned short>(index)) != FREEXL_OK) damaged(file_);
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_worksheet_dimensions(h_, &rows, &cols) != FREEXL_OK) damaged(file_);
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(h_, r, c, &v) != FREEXL_OK) damaged(file_);
                SheetCell cell;
                switch (v.type) {
                case FREEXL_CELL_INT:
                    cell.text = QString::number(v.value.int_value);
                    cell.number = true;
                    break;
                case FREEXL_CELL_DOUBLE:
                    cell.text = SheetReader::numberText(v.value.double_value);
                    cell.number = true;
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                    cell.text = QString::fromUtf8(v.value.text_value);
                    break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    cell.text = QString::fromUtf8(v.value.text_value);
                    cell.number = true;
                    break;
                default: break;
                }
                put(ws, static_cast<int>(r), c, std::move(cell));
            }
        }
        return ws;
    }

private:
    QString file_;
    const void* h_ = nullptr;
};

// ---------------------------------------------------------------- kind

enum class Kind { Xlsx, Xls };

Kind kindOf(const QString& file) {
    QFile f(file);
    if (!f.exists()) throw SheetError(QStringLiteral("文件不存在：%1").arg(shown(file)));
    if (!f.open(QIODevice::ReadOnly)) throw SheetError(QStringLiteral("无法打开文件：%1\n%2").arg(shown(file), f.errorString()));
    const QByteArray head = f.read(8);
    if (head.startsWith("PK\x03\x04")) return Kind::Xlsx;
    if (head == QByteArray::fromHex("D0CF11E0A1B11AE1")) return Kind::Xls;
    // An empty archive, or a zip whose start was lost.
    if (head.startsWith("PK")) damaged(file);
    throw SheetError(QStringLiteral("%1 不是Excel文件（.xls 或 .xlsx），无法读取。").arg(shown(file)));
}

} // namespace

namespace SheetReader {

QString numberText(double v) {
    if (std::isnan(v)) return QStringLiteral("#NUM!");
    if (std::isinf(v)) return QStringLiteral("#NUM!");
    if (v == 0) return QStringLiteral("0");
    if (v == std::floor(v) && std::fabs(v) < 1e17) return QString::number(static_cast<qlonglong>(v));
    return QString::number(v, 'g', 15);
}

QStringList sheetNames(const QString& file) {
    if (kindOf(file) == Kind::Xlsx) return xlsxSheetNames(file);
    return XlsFile(file).names();
}

Worksheet readWorksheet(const QString& file, const QString& sheet) {
    if (kindOf(file) == Kind::Xlsx) return readXlsx(file, sheet);
    return XlsFile(file).read(sheet);
}

SheetTable readTable(const QString& file, const QString& sheet) {
    const Worksheet ws = readWorksheet(file, sheet);
    auto blank = [](const QVector<SheetCell>& r) {
        for (const SheetCell& c : r)
            if (!c.text.trimmed().isEmpty()) return false;
        return true;
    };
    // The used range: from the first row and column that hold anything.
    int first = 0;
    while (first < ws.rows.size() && blank(ws.rows[first])) ++first;
    if (first == ws.rows.size())
        throw SheetError(QStringLiteral("工作表 %1 是空的：第一行应为表格头部。").arg(ws.name));
    int firstCol = INT_MAX, width = 0;
    for (int r = first; r < ws.rows.size(); ++r) {
        const auto& row = ws.rows[r];
        for (int c = 0; c < row.size(); ++c)
            if (!row[c].text.trimmed().isEmpty()) {
                firstCol = std::min(firstCol, c);
                width = std::max(width, c + 1);
            }
    }
    SheetTable t;
    for (int c = firstCol; c < width; ++c) {
        const QString h = ws.text(first, c).trimmed();
        t.headers << (h.isEmpty() ? QStringLiteral("F%1").arg(c - firstCol + 1) : h);
    }
    for (int r = first + 1; r < ws.rows.size(); ++r) {
        if (blank(ws.rows[r])) continue;
        QStringList values;
        values.reserve(width - firstCol);
        for (int c = firstCol; c < width; ++c) values << ws.text(r, c);
        t.rows << values;
        t.rowNumbers << r + 1;
    }
    return t;
}

} // namespace SheetReader
