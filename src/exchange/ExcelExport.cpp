#include "exchange/ExcelExport.h"

#include "app/Session.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/Money.h"
#include "platform/Ui.h"
#include "platform/Workbook.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>
#include <QUrl>

#include <memory>
#include <stdexcept>

namespace ExcelExport {
namespace {

const QString kFont = QStringLiteral("宋体");
const QString kFooter = QStringLiteral("Kelvora物品管理软件 https://www.kelvora.example/ 共&N页，第&P页");
// Exports of more rows than this show their progress and can be cancelled.
constexpr int kProgressRows = 2000;

// A text the spreadsheet would read as a number when typed: digits with an
// optional sign and decimal part. A leading zero ("0012") and more digits
// than a number keeps exactly (an identity number) stay text.
bool looksLikeNumber(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[+-]?(0|[1-9][0-9]*)(\\.[0-9]+)?$"));
    if (!re.match(s).hasMatch()) return false;
    int digits = 0;
    for (QChar c : s) digits += c.isDigit() ? 1 : 0;
    return digits <= 15;
}

// A field value into a cell: numbers as numbers, everything in a text column
// as its exact text; null leaves the cell empty.
void put(Workbook& wb, int row, int col, const QVariant& v, bool asText) {
    if (!v.isValid() || v.isNull()) return;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        if (asText) wb.setText(row, col, v.toString());
        else wb.setNumber(row, col, v.toDouble());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        if (asText) wb.setText(row, col, Money::text(v.toDouble()));
        else wb.setNumber(row, col, Money::round4(v.toDouble()));
        return;
    default: break;
    }
    const QString s = v.toString();
    if (!asText && looksLikeNumber(s)) wb.setNumber(row, col, s.toDouble());
    else if (!s.isEmpty()) wb.setText(row, col, s);
}

// Field name -> column of a result set, by its horizontal headers.
class Fields {
public:
    explicit Fields(const QAbstractItemModel* m) : m_(m) {
        if (!m) return;
        for (int c = 0; c < m->columnCount(); ++c) {
            const QString name = m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            if (!index_.contains(name)) index_.insert(name, c);
        }
    }
    int column(const QString& field) const {
        const auto it = index_.constFind(field);
        if (it == index_.constEnd())
            throw std::runtime_error(QStringLiteral("导出失败：结果中没有字段“%1”").arg(field).toStdString());
        return *it;
    }
    QVariant value(int row, int col) const {
        const QModelIndex i = m_->index(row, col);
        QVariant v = m_->data(i, Qt::EditRole);
        if (!v.isValid()) v = m_->data(i, Qt::DisplayRole);
        return v;
    }

private:
    const QAbstractItemModel* m_;
    QHash<QString, int> index_;
};

int fetchAll(QAbstractItemModel* m) {
    if (!m) return 0;
    while (m->canFetchMore(QModelIndex())) m->fetchMore(QModelIndex());
    return m->rowCount();
}

// The rows of a result set under the given columns (the first is the running
// number), starting at sheet row `at`. Returns false when cancelled.
bool writeRecords(Workbook& wb, const std::vector<Column>& cols, QAbstractItemModel* rows, int at, int* done, int all,
                  const std::function<bool(int, int)>& progress) {
    const int n = rows ? rows->rowCount() : 0;
    if (n == 0) return true;
    const Fields fields(rows);
    std::vector<int> source(cols.size(), -1);
    for (size_t c = 1; c < cols.size(); ++c) source[c] = fields.column(cols[c].field);
    for (int r = 0; r < n; ++r) {
        wb.setNumber(at + r, 0, r + 1);
        for (size_t c = 1; c < cols.size(); ++c)
            put(wb, at + r, static_cast<int>(c), fields.value(r, source[c]), cols[c].text);
        if (progress && (++*done % 200) == 0 && !progress(*done, all)) return false;
    }
    return true;
}

QString titleOf(const Layout& l, const Request& r) {
    const QString text = l.title + r.titleSuffix;
    if (l.kind == Kind::Ledger || l.kind == Kind::Plain) return text;
    return session().UnitName + text;
}

QString captionOf(const Layout& l, const Request& r) {
    if (l.captionWithoutUnit) return l.title + r.titleSuffix;
    return titleOf(l, r);
}

void headerRow(Workbook& wb, int row, const std::vector<Column>& cols, int from = 0) {
    for (size_t c = from; c < cols.size(); ++c) wb.setText(row, static_cast<int>(c), cols[c].header);
}

void widths(Workbook& wb, const std::vector<Column>& cols) {
    for (size_t c = 0; c < cols.size(); ++c)
        if (cols[c].width > 0) wb.setColumnWidth(static_cast<int>(c), cols[c].width);
}

QString fileNameOf(const QString& caption) {
    QString name = caption.trimmed();
    static const QRegularExpression bad(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    name.replace(bad, QStringLiteral("_"));
    name = name.left(80).trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) name.prepend(QStringLiteral("导出"));
    return name;
}

QString freshPath(const QString& caption) {
    const QString base = folder() + fileNameOf(caption) + QLatin1Char('_') +
                         Clock::now().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = base + QStringLiteral(".xlsx");
    for (int i = 2; QFileInfo::exists(path); ++i) path = base + QStringLiteral("_%1.xlsx").arg(i);
    return path;
}

} // namespace

QString folder() { return AppPaths::appPath() + QStringLiteral("Export/"); }

QVariantMap totalsOf(const QAbstractItemModel& model, int row) {
    QVariantMap out;
    if (row < 0 || row >= model.rowCount()) return out;
    for (int c = 0; c < model.columnCount(); ++c) {
        const QModelIndex i = model.index(row, c);
        QVariant v = model.data(i, Qt::EditRole);
        if (!v.isValid()) v = model.data(i, Qt::DisplayRole);
        out.insert(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), v);
    }
    return out;
}

QVariantMap totalsOf(const QSqlRecord& record) {
    QVariantMap out;
    for (int i = 0; i < record.count(); ++i) out.insert(record.fieldName(i), record.value(i));
    return out;
}

bool build(const Layout& l, const Request& r, Workbook& wb, const std::function<bool(int, int)>& progress) {
    wb.setTitle(captionOf(l, r));
    const int last = static_cast<int>(l.columns.size()) - 1;
    int done = 0;

    switch (l.kind) {
    case Kind::Ledger:
    case Kind::Plain: {
        const int all = fetchAll(r.rows);
        if (l.kind == Kind::Ledger) widths(wb, l.columns);
        headerRow(wb, 0, l.columns);
        return writeRecords(wb, l.columns, r.rows, 1, &done, all, progress);
    }

    case Kind::Standard: {
        const int all = fetchAll(r.rows);
        wb.setText(0, 0, titleOf(l, r));
        wb.mergeAcross({0, 0, 0, last});
        wb.setFont({0, 0, 0, last}, kFont, 16);
        wb.setCentred({0, 0, 1, last});
        wb.setBold({0, 0, 1, last});
        widths(wb, l.columns);
        headerRow(wb, 1, l.columns);
        if (!writeRecords(wb, l.columns, r.rows, 2, &done, all, progress)) return false;
        int end = 1 + all;  // the last row written
        if (all > 0) wb.setCentred({2, 0, end, 0});
        if (!l.totals.isEmpty()) {
            ++end;
            wb.setText(end, 0, QStringLiteral("合计"));
            wb.setCentred({end, 0, end, 0});
            for (int c = 1; c <= last; ++c) {
                const Column& col = l.columns[c];
                if (l.totals.contains(col.header)) put(wb, end, c, r.totals.value(col.field), false);
            }
        }
        wb.setBorders({1, 0, end, last});
        wb.setFont({1, 0, end, last}, kFont, 9);
        wb.setLandscape(l.landscape);
        if (l.footer) wb.setCentreFooter(kFooter);
        return true;
    }

    case Kind::FlowRecord: {
        int all = 0;
        for (QAbstractItemModel* m : r.sections) all += fetchAll(m);
        wb.setText(0, 0, titleOf(l, r));
        wb.mergeAcross({0, 0, 0, last});
        wb.setFont({0, 0, 0, last}, kFont, 16);
        wb.setCentred({0, 0, 1, last});
        wb.setBold({0, 0, 1, last});
        widths(wb, l.columns);
        headerRow(wb, 1, l.columns, 1);
        for (int c = 1; c <= last && c - 1 < r.headValues.size(); ++c) put(wb, 2, c, r.headValues[c - 1], false);
        int row = 3;
        for (size_t s = 0; s < l.sections.size(); ++s) {
            const Section& sec = l.sections[s];
            wb.setText(row, 0, sec.title);
            wb.mergeAcross({row, 0, row, last});
            ++row;
            headerRow(wb, row, sec.columns);
            ++row;
            QAbstractItemModel* m = static_cast<int>(s) < r.sections.size() ? r.sections[s] : nullptr;
            if (!writeRecords(wb, sec.columns, m, row, &done, all, progress)) return false;
            row += m ? m->rowCount() : 0;
        }
        wb.setBorders({1, 0, row - 1, last});
        wb.setFont({1, 0, row - 1, last}, kFont, 9);
        return true;
    }
    }
    return false;
}

QString run(const QString& window, const Request& request) {
    const Layout* l = layout(window);
    if (!l) throw std::runtime_error(QStringLiteral("没有“%1”的导出格式").arg(window).toStdString());
    if (l->checkRight && !session().mayExport()) return QString();

    int rows = 0;
    if (request.rows) rows = fetchAll(request.rows);
    for (QAbstractItemModel* m : request.sections) rows += fetchAll(m);

    std::unique_ptr<QProgressDialog> dlg;
    std::function<bool(int, int)> progress;
    if (rows > kProgressRows) {
        dlg = std::make_unique<QProgressDialog>(QStringLiteral("正在导出 %1 条记录……").arg(rows), QStringLiteral("取消"), 0,
                                                rows + 1, request.parent ? request.parent : QApplication::activeWindow());
        dlg->setWindowTitle(appTitle());
        dlg->setWindowModality(Qt::ApplicationModal);
        dlg->setMinimumDuration(300);
        dlg->setValue(0);
        progress = [&dlg](int done, int) {
            dlg->setValue(done);
            return !dlg->wasCanceled();
        };
    }

    Workbook wb;
    if (!build(*l, request, wb, progress)) return QString();
    if (dlg) {
        if (dlg->wasCanceled()) return QString();
        dlg->setLabelText(QStringLiteral("正在保存文件……"));
        dlg->setCancelButton(nullptr);
        dlg->setValue(rows);
    }

    const QString path = freshPath(wb.title());
    try {
        wb.save(path);
    } catch (const WorkbookError& e) {
        dlg.reset();
        showError(e.text());
        return QString();
    }
    dlg.reset();

    if (!Ui::get().openExternal(QUrl::fromLocalFile(path)))
        showMessage(QStringLiteral("Excel文件已保存，但没有找到打开它的程序。\n文件位置：%1").arg(QDir::toNativeSeparators(path)));
    return path;
}

QString run(const QString& window, QAbstractItemModel& rows, const QVariantMap& totals, const QString& titleSuffix) {
    Request r;
    r.rows = &rows;
    r.totals = totals;
    r.titleSuffix = titleSuffix;
    return run(window, r);
}

} // namespace ExcelExport
