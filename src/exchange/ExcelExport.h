#pragma once
// The "Excel" button of every list window: one routine that writes the rows a
// window shows into a new workbook, laid out as the window's layout says
// (ExportLayouts.cpp holds the table), saves it under Export/ beside the
// program, named after its title and the time, and opens it with the default
// program. When nothing opens it, the user is told where the file lies.
//
// Use it in one line from the window's button handler:
//
//   ExcelExport::run("TfrmArticle_Q", *grid->model());                       // rows only
//   ExcelExport::run("TfrmWare_Q", *model, ExcelExport::totalsOf(*totals));   // with the totals query
//   ExcelExport::run("TfrmWQ_D", *model, {}, " 2024-02-07 2024-03-07");       // title text + suffix
//   ExcelExport::run("TfrmWList", *model, {}, caption);                       // ledger: its caption
//
// The rows are the window's result set in its current order (a
// QSqlQueryModel, a sort proxy over one, any item model): each data column
// of the layout reads the field whose horizontal header is named like the
// column (出库名称/入库名称 read 出库仓库/入库仓库). The totals are the fields
// of the window's totals query (its first row), by name. Layouts that check
// the export right do nothing at all when the user does not hold it.
//
// The flow record of one article (TfrmLDJL) hands over the article's six
// values and its six record lists instead:
//
//   ExcelExport::Request r;
//   r.headValues = {name, spec, unit, price, storage, stock};
//   r.sections = {purchases, requisitions, loans, returns, writeOffs, surpluses};
//   ExcelExport::run("TfrmLDJL", r);

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <vector>

class QAbstractItemModel;
class QSqlRecord;
class QWidget;
class Workbook;

namespace ExcelExport {

enum class Kind {
    Standard,    // title row, header row, numbered records, optional totals, borders, page setup
    Ledger,      // header row and numbered records only; widths; no title, formatting or page setup
    Plain,       // header row and numbered records only; nothing else
    FlowRecord,  // one article's data and six sections of records
};

struct Column {
    QString header;
    double width = 0;  // character units; 0 keeps the default
    bool text = false; // written as text whatever it looks like (codes, dates)
    QString field;     // the result-set field it reads
};

struct Section {
    QString title;
    std::vector<Column> columns;  // the first is the running number
};

struct Layout {
    QString window;
    QString title;                 // the title text; the organisation's name goes before it
    Kind kind = Kind::Standard;
    std::vector<Column> columns;   // the first is the running number 序号 (FlowRecord: the
                                   // widths, and in B onward the labels of the article's values)
    QStringList totals;            // headers of the columns that carry totals
    bool landscape = false;
    bool footer = false;
    bool checkRight = true;        // needs the right to export
    bool captionWithoutUnit = false;  // the document caption is the title text alone
    std::vector<Section> sections; // FlowRecord
};

// Every layout, and one by window class name (null when there is none).
const std::vector<Layout>& layouts();
const Layout* layout(const QString& window);

struct Request {
    QAbstractItemModel* rows = nullptr;
    QVariantMap totals;
    QString titleSuffix;                   // appended to the title text
    QStringList headValues;                // FlowRecord: the article's values, columns B onward
    QList<QAbstractItemModel*> sections;   // FlowRecord
    QWidget* parent = nullptr;             // owner of the progress dialog
};

// Writes, saves and opens the workbook. Returns the file's full path, or an
// empty text when nothing was written (right withheld, cancelled, failed;
// a failure has been shown to the user).
QString run(const QString& window, const Request& request);
QString run(const QString& window, QAbstractItemModel& rows, const QVariantMap& totals = {},
            const QString& titleSuffix = {});

// The totals of a totals query: its first row (or the record) by field name.
QVariantMap totalsOf(const QAbstractItemModel& model, int row = 0);
QVariantMap totalsOf(const QSqlRecord& record);

// The folder exports are written to: AppPath + "Export/".
QString folder();

// The workbook a layout makes of a request, without saving it; a progress
// callback (rows done, rows in all) may return false to cancel, and then the
// result is false. Throws std::runtime_error when a field is missing.
bool build(const Layout& layout, const Request& request, Workbook& out,
           const std::function<bool(int, int)>& progress = {});

} // namespace ExcelExport
