#pragma once
// What the five finder dialogs share. A finder is a modal list over one
// query (DBGrid1); the user's choice is written straight into the window that
// opened it (a FinderHost), then the finder closes.
//
//  - Modal, centred on the opener, only a close box; no state between uses:
//    create one, give it its inputs, show it with exec().
//  - On show the grid has the focus, on the first row.
//  - Enter in the grid or a double click on a row chooses the current row
//    (myLoad); Escape closes without writing anything; other typed characters
//    are ignored; the arrow keys move through the rows.
//  - Alternating row colours and title-click sorting: see DataGrid.
//  - Choosing on an empty result writes nothing and leaves the finder open.
//
// The three article finders (ArticleFinder) add the grid popup PopupMenu1
// with the item A1 "全选 &A": every row of the result, in the shown order,
// goes into the opener's lines from its current line on, and the current
// line moves down after each.

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class DataGrid;
class FinderHost;
class QAction;
class QMenu;
class QVBoxLayout;

class FinderDialog : public QDialog {
    Q_OBJECT
public:
    DataGrid* DBGrid1 = nullptr;

    FinderHost& host() { return host_; }
    // Rows of the result.
    int resultCount() const;
    // Chooses the grid's current row: writes it into the opener and closes.
    // Does nothing when the result is empty.
    void myLoad();

protected:
    FinderDialog(FinderHost& host, const QString& objectName, const QString& caption, const QSize& size);
    // Writes result row (in the shown order) into the opener as one choice.
    virtual void writeChoice(int row) = 0;
    // Runs when the finder is shown, before the grid takes the focus.
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;

    QVBoxLayout* layout_ = nullptr;

private:
    FinderHost& host_;
};

// One cell an article finder writes into a line: a field of the result row
// or a fixed text. Price cells become "0" under the zero-price switch.
struct LineCell {
    int column = 0;
    QString field;    // field of the result; empty: literal
    QString literal;
    bool price = false;

    static LineCell fromField(int column, const QString& field) { return {column, field, QString(), false}; }
    static LineCell priceField(int column, const QString& field) { return {column, field, QString(), true}; }
    static LineCell fixedText(int column, const QString& text) { return {column, QString(), text, false}; }
};

class ArticleFinder : public FinderDialog {
    Q_OBJECT
public:
    QMenu* PopupMenu1 = nullptr;
    QAction* A1 = nullptr;

    // Writes result row resultRow (in the shown order) into line `line` of
    // the opener: exactly what choosing that row writes. The opener uses it
    // for a search with a single result, which it takes without showing
    // the finder.
    // With selectAll the price follows the "全选" rule (zeroPriceOnSelectAll).
    void writeLine(int resultRow, int line, bool selectAll = false);
    // "全选": every row of the result into consecutive lines of the opener,
    // from its current line on, moving the current line down after each,
    // then closes. On an empty result it does nothing. When the lines from
    // the current one to the last are too few for the result, it says so
    // and writes nothing.
    void A1Click();

    // The cells a result row fills, and whether the price cells are zeroed
    // for a single choice and for "全选".
    virtual std::vector<LineCell> lineCells() const = 0;
    virtual bool zeroPrice() const { return false; }
    virtual bool zeroPriceOnSelectAll() const { return zeroPrice(); }

protected:
    ArticleFinder(FinderHost& host, const QString& objectName, const QString& caption, const QSize& size);
    void writeChoice(int row) override;
};

// Columns 1 to 8 of an article line: code, name, specification, unit,
// price, quantity 1, amount of one (the price again), remark.
std::vector<LineCell> articleLineCells();

// The message when "全选" finds too few lines left.
QString tooFewLinesMessage(int rows, int freeLines);
