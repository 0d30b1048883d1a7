#include "platform/Workbook.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <memory>

namespace {
constexpr int kMaxRows = 1048576;
constexpr int kMaxCols = 16384;

void checkCell(int row, int col) {
    if (row < 0 || row >= kMaxRows || col < 0 || col >= kMaxCols)
        throw WorkbookError(QStringLiteral("单元格超出工作表范围：第 %1 行，第 %2 列").arg(row + 1).arg(col + 1));
}

QString lxwText(lxw_error e) { return QString::fromUtf8(lxw_strerror(e)); }
} // namespace

WorkbookError::WorkbookError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}

size_t qHash(const CellStyle& s, size_t seed) {
    return qHashMulti(seed, s.fontName, s.fontSize, s.bold, s.centred, s.border);
}

Workbook::Workbook(const QString& sheetName) : sheetName_(sheetName) {
    styles_.push_back(CellStyle{});
    styleIndex_.insert(CellStyle{}, 0);
}

Workbook::Cell& Workbook::cell(int row, int col) {
    checkCell(row, col);
    if (rows_.size() <= static_cast<size_t>(row)) rows_.resize(row + 1);
    auto& r = rows_[row];
    if (r.size() <= static_cast<size_t>(col)) r.resize(col + 1);
    return r[col];
}

void Workbook::setText(int row, int col, const QString& text) {
    Cell& c = cell(row, col);
    c.kind = Kind::Text;
    c.present = true;
    c.text = text;
}

void Workbook::setNumber(int row, int col, double value) {
    Cell& c = cell(row, col);
    c.kind = Kind::Number;
    c.present = true;
    c.number = value;
    c.text.clear();
}

quint16 Workbook::intern(const CellStyle& s) {
    auto it = styleIndex_.constFind(s);
    if (it != styleIndex_.constEnd()) return *it;
    const quint16 i = static_cast<quint16>(styles_.size());
    styles_.push_back(s);
    styleIndex_.insert(s, i);
    return i;
}

template <typename Fn>
void Workbook::restyle(const CellRange& r, Fn fn) {
    checkCell(r.firstRow, r.firstCol);
    checkCell(r.lastRow, r.lastCol);
    for (int row = r.firstRow; row <= r.lastRow; ++row) {
        for (int col = r.firstCol; col <= r.lastCol; ++col) {
            Cell& c = cell(row, col);
            c.present = true;
            CellStyle s = styles_[c.style];
            fn(s);
            c.style = intern(s);
        }
    }
}

void Workbook::mergeAcross(const CellRange& r) {
    checkCell(r.firstRow, r.firstCol);
    checkCell(r.lastRow, r.lastCol);
    if (r.lastRow < r.firstRow || r.lastCol < r.firstCol || (r.lastRow == r.firstRow && r.lastCol == r.firstCol))
        return;
    cell(r.lastRow, r.lastCol).present = true;
    merges_.push_back(r);
}

void Workbook::setFont(const CellRange& r, const QString& name, double size) {
    restyle(r, [&](CellStyle& s) {
        s.fontName = name;
        s.fontSize = size;
    });
}
void Workbook::setFontSize(const CellRange& r, double size) {
    restyle(r, [&](CellStyle& s) { s.fontSize = size; });
}
void Workbook::setBold(const CellRange& r) {
    restyle(r, [](CellStyle& s) { s.bold = true; });
}
void Workbook::setCentred(const CellRange& r) {
    restyle(r, [](CellStyle& s) { s.centred = true; });
}
void Workbook::setBorders(const CellRange& r) {
    restyle(r, [](CellStyle& s) { s.border = true; });
}

void Workbook::setColumnWidth(int col, double width) {
    checkCell(0, col);
    for (auto& w : widths_)
        if (w.first == col) {
            w.second = width;
            return;
        }
    widths_.emplace_back(col, width);
}

void Workbook::save(const QString& file) const {
    const QFileInfo fi(file);
    if (!QDir().mkpath(fi.absolutePath()))
        throw WorkbookError(QStringLiteral("无法创建文件夹：%1").arg(QDir::toNativeSeparators(fi.absolutePath())));

    const QByteArray path = QFile::encodeName(fi.absoluteFilePath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    lxw_workbook* wb = workbook_new_opt(path.constData(), &options);
    if (!wb) throw WorkbookError(QStringLiteral("无法创建Xls文件：%1").arg(QDir::toNativeSeparators(fi.absoluteFilePath())));
    // Closing frees the workbook; an early failure still closes it (and removes the file).
    struct Closer {
        lxw_workbook* wb;
        QString file;
        bool armed = true;
        ~Closer() {
            if (armed) {
                workbook_close(wb);
                QFile::remove(file);
            }
        }
    } closer{wb, fi.absoluteFilePath()};

    const QByteArray sheet = sheetName_.toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.constData());
    if (!ws) throw WorkbookError(QStringLiteral("工作表名称无效：%1").arg(sheetName_));

    const QByteArray title = title_.toUtf8();
    lxw_doc_properties props{};
    props.title = const_cast<char*>(title.constData());
    if (!title_.isEmpty()) workbook_set_properties(wb, &props);

    // One format per style in use; the default style needs none.
    std::vector<lxw_format*> formats(styles_.size(), nullptr);
    std::vector<QByteArray> fontNames(styles_.size());
    for (size_t i = 1; i < styles_.size(); ++i) {
        const CellStyle& s = styles_[i];
        lxw_format* f = workbook_add_format(wb);
        if (!s.fontName.isEmpty()) {
            fontNames[i] = s.fontName.toUtf8();
            format_set_font_name(f, fontNames[i].constData());
        }
        if (s.fontSize > 0) format_set_font_size(f, s.fontSize);
        if (s.bold) format_set_bold(f);
        if (s.centred) {
            format_set_align(f, LXW_ALIGN_CENTER);
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        }
        if (s.border) format_set_border(f, LXW_BORDER_THIN);
        formats[i] = f;
    }

    auto check = [&](lxw_error e, int row, int col) {
        if (e != LXW_NO_ERROR)
            throw WorkbookError(QStringLiteral("写入第 %1 行第 %2 列失败：%3").arg(row + 1).arg(col + 1).arg(lxwText(e)));
    };

    QByteArray utf8;
    for (size_t r = 0; r < rows_.size(); ++r) {
        const auto& cells = rows_[r];
        for (size_t c = 0; c < cells.size(); ++c) {
            const Cell& cl = cells[c];
            if (!cl.present) continue;
            lxw_format* f = formats[cl.style];
            const auto row = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(c);
            switch (cl.kind) {
            case Kind::Text:
                if (cl.text.isEmpty()) {
                    if (f) check(worksheet_write_blank(ws, row, col, f), int(r), int(c));
                } else {
                    utf8 = cl.text.toUtf8();
                    check(worksheet_write_string(ws, row, col, utf8.constData(), f), int(r), int(c));
                }
                break;
            case Kind::Number:
                check(worksheet_write_number(ws, row, col, cl.number, f), int(r), int(c));
                break;
            case Kind::Blank:
                if (f) check(worksheet_write_blank(ws, row, col, f), int(r), int(c));
                break;
            }
        }
    }

    for (const CellRange& m : merges_) {
        const Cell* first = nullptr;
        if (static_cast<size_t>(m.firstRow) < rows_.size() && static_cast<size_t>(m.firstCol) < rows_[m.firstRow].size())
            first = &rows_[m.firstRow][m.firstCol];
        lxw_format* f = first ? formats[first->style] : nullptr;
        utf8 = (first && first->kind == Kind::Text) ? first->text.toUtf8() : QByteArray();
        check(worksheet_merge_range(ws, m.firstRow, m.firstCol, m.lastRow, m.lastCol, utf8.constData(), f), m.firstRow,
              m.firstCol);
        if (first && first->kind == Kind::Number)
            check(worksheet_write_number(ws, m.firstRow, m.firstCol, first->number, f), m.firstRow, m.firstCol);
    }

    for (const auto& w : widths_)
        check(worksheet_set_column(ws, w.first, w.first, w.second, nullptr), 0, w.first);
    if (landscape_) worksheet_set_landscape(ws);
    if (!footer_.isEmpty()) {
        // "&" starts a code in a footer; a literal one is written "&&".
        QString text = footer_;
        text.replace(QStringLiteral("&"), QStringLiteral("&&"));
        text.replace(QStringLiteral("&&N"), QStringLiteral("&N")).replace(QStringLiteral("&&P"), QStringLiteral("&P"));
        const QByteArray footer = (QStringLiteral("&C") + text).toUtf8();
        const lxw_error e = worksheet_set_footer(ws, footer.constData());
        if (e != LXW_NO_ERROR) throw WorkbookError(QStringLiteral("页脚无效：%1").arg(lxwText(e)));
    }

    closer.armed = false;
    const lxw_error e = workbook_close(wb);
    if (e != LXW_NO_ERROR) {
        QFile::remove(fi.absoluteFilePath());
        throw WorkbookError(QStringLiteral("无法写入Xls文件 %1：%2").arg(QDir::toNativeSeparators(fi.absoluteFilePath()), lxwText(e)));
    }
}
