#pragma once
// A workbook of one worksheet, built in memory and written as an .xlsx file
// (through libxlsxwriter). Cells hold text or numbers; ranges get fonts,
// bold, centring and thin borders; columns get widths in the spreadsheet's
// character units; the page gets its orientation and a centre footer.
// Rows and columns count from 0 here (A1 is row 0, column 0).
//
//   Workbook wb;
//   wb.setText(0, 0, "Title");
//   wb.mergeAcross({0, 0, 0, 4});
//   wb.setFont({0, 0, 0, 4}, "宋体", 16);
//   wb.save("/tmp/x.xlsx");   // throws WorkbookError

#include <QHash>
#include <QString>

#include <stdexcept>
#include <vector>

class WorkbookError : public std::runtime_error {
public:
    explicit WorkbookError(const QString& text);
    QString text() const { return text_; }

private:
    QString text_;
};

// What a cell looks like. Empty font name / size 0 keep the workbook's default.
struct CellStyle {
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool centred = false;  // horizontally and vertically
    bool border = false;   // thin continuous line on all four sides

    bool operator==(const CellStyle& o) const {
        return fontName == o.fontName && fontSize == o.fontSize && bold == o.bold && centred == o.centred &&
               border == o.border;
    }
};
size_t qHash(const CellStyle& s, size_t seed = 0);

// Inclusive cell range, 0-based.
struct CellRange {
    int firstRow = 0;
    int firstCol = 0;
    int lastRow = 0;
    int lastCol = 0;
};

class Workbook {
public:
    explicit Workbook(const QString& sheetName = QStringLiteral("Sheet1"));

    // The document's title (shown by spreadsheet programs as the window caption).
    void setTitle(const QString& title) { title_ = title; }
    QString title() const { return title_; }
    QString sheetName() const { return sheetName_; }

    void setText(int row, int col, const QString& text);
    void setNumber(int row, int col, double value);

    // Cells that are written nowhere else but lie in a styled range are kept
    // as formatted blanks, so borders cover empty cells too.
    void mergeAcross(const CellRange& r);
    void setFont(const CellRange& r, const QString& name, double size);
    void setFontSize(const CellRange& r, double size);
    void setBold(const CellRange& r);
    void setCentred(const CellRange& r);
    void setBorders(const CellRange& r);

    // Width of column col in character units.
    void setColumnWidth(int col, double width);
    void setLandscape(bool on) { landscape_ = on; }
    // The centre section of the page footer; &N is the page count, &P the page number.
    void setCentreFooter(const QString& text) { footer_ = text; }

    // The number of rows that hold a cell (the last used row + 1).
    int rowCount() const { return static_cast<int>(rows_.size()); }

    // Writes the file; throws WorkbookError with the reason when it cannot.
    void save(const QString& file) const;

private:
    enum class Kind : unsigned char { Blank, Text, Number };
    struct Cell {
        Kind kind = Kind::Blank;
        bool present = false;
        quint16 style = 0;
        double number = 0;
        QString text;
    };
    Cell& cell(int row, int col);
    template <typename Fn>
    void restyle(const CellRange& r, Fn fn);
    quint16 intern(const CellStyle& s);

    QString sheetName_;
    QString title_;
    std::vector<std::vector<Cell>> rows_;
    std::vector<CellStyle> styles_;
    QHash<CellStyle, quint16> styleIndex_;
    std::vector<CellRange> merges_;
    std::vector<std::pair<int, double>> widths_;
    bool landscape_ = false;
    QString footer_;
};
