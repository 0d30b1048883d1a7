#pragma once
// Reads a worksheet of an .xlsx file (Office Open XML, unzipped with minizip
// and parsed with QXmlStreamReader) or an .xls file (BIFF, through freexl).
// The kind is told by the file's first bytes, not by its name.
//
// Every value comes back as the text the spreadsheet shows: 12 stays "12"
// (not "12.0"), 0.1+0.2 reads "0.3", a cell formatted "0000" holding 12 reads
// "0012", a date reads "yyyy-mm-dd"; text cells are returned as stored.
//
// A file that cannot be read throws SheetError with a message for the user:
// not a spreadsheet, a damaged or encrypted file, no worksheet of that name,
// an empty worksheet.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <stdexcept>

class SheetError : public std::runtime_error {
public:
    explicit SheetError(const QString& text);
    QString text() const { return text_; }

private:
    QString text_;
};

struct SheetCell {
    QString text;
    bool number = false;  // stored as a number (or date) rather than as text
};

// All cells of one worksheet, row by row from A1; rows and cells that the
// file leaves out are empty.
struct Worksheet {
    QString name;
    QVector<QVector<SheetCell>> rows;
    QStringList merges;      // "A1:I1" (xlsx only)
    bool landscape = false;  // page set to landscape (xlsx only)

    const SheetCell* at(int row, int col) const;  // 0-based; null when outside
    QString text(int row, int col) const;
};

// A worksheet read as a table: the first row that holds anything gives the
// headers (an empty header is named F1, F2, ... by its position), each
// further row that holds anything is one record with one text per header.
struct SheetTable {
    QStringList headers;
    QList<QStringList> rows;
    QList<int> rowNumbers;  // the sheet row (from 1) each record came from

    // The position of a header (exact match after trimming), -1 when absent.
    int column(const QString& header) const;
};

namespace SheetReader {

// The names of the worksheets, in workbook order.
QStringList sheetNames(const QString& file);
// One worksheet by name (names compare without regard to ASCII case, as the
// spreadsheet programs do).
Worksheet readWorksheet(const QString& file, const QString& sheet = QStringLiteral("Sheet1"));
// The worksheet as headers and rows of text. An empty worksheet throws.
SheetTable readTable(const QString& file, const QString& sheet = QStringLiteral("Sheet1"));

// The text a number shows under the General format: integers without a
// decimal part, others with up to 15 significant digits.
QString numberText(double v);

} // namespace SheetReader
