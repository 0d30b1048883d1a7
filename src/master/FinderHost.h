#pragma once
// FinderHost: what a finder dialog needs of the window that opened it.
//
// The finders (TfrmFindArticle6, TfrmFindArticle7, TfrmFindArticle4,
// TfrmFindProson, TfrmFind) write the user's choice straight into the window
// that opened them: into cells of its line grid, into named edits and labels,
// and they move its current line and focus. That window implements this
// interface and passes itself to the finder:
//
//   class TfrmOut_LY : public QDialog, public FinderHost {
//       QWidget* finderWindow() override { return this; }
//       ...
//   };
//   TfrmFindArticle7 f(*this, "ly");
//
// Only finderWindow() must be written. Every other function has a default
// that works on the window's children: the line grid is the QTableWidget
// named "StringGrid1" (row 0 holds the titles, lines are rows 1 and on, hidden
// cells are columns past the last visible one), controls are found by their
// objectName ("Edit7", "Label4", "LabJSSID"). Override a function when the
// window keeps something elsewhere, e.g. hidden cells in a per-row record
// instead of hidden grid columns: then override lineCell, setLineCell and
// lineIsFree together.
//
// Column numbers are the grid's: 1 物品编码, 2 物品名称, ... as the entry
// windows and the pack contents editor lay out their grids.

#include <QString>
#include <QStringList>

class QTableWidget;
class QWidget;

class FinderHost {
public:
    virtual ~FinderHost() = default;

    // The window itself: the finders are centred on it, and the defaults
    // below look up its children.
    virtual QWidget* finderWindow() = 0;

    // ---- The line grid ----------------------------------------------------
    // The grid the article finders write into (default: child "StringGrid1").
    virtual QTableWidget* lineGrid();
    // Rows of the grid, the title row included (100 for 99 lines).
    virtual int lineCount();
    // The current line (row of the grid), -1 when there is none.
    virtual int currentLine();
    // Makes row the current line, keeping the current column (column 1 when
    // there is none). Rows outside 1 .. lineCount()-1 are ignored.
    virtual void setCurrentLine(int row);
    virtual QString lineCell(int row, int column);
    // Writes a cell. The default grows the grid by hidden columns when the
    // column lies past its last one, so a hidden cell always has a place.
    virtual void setLineCell(int row, int column, const QString& text);
    // True when a row holds nothing of a line, so "全选" may fill it without
    // overwriting one (default: every cell from column 1 on is empty).
    virtual bool lineIsFree(int row);
    // Puts the keyboard focus on the line grid.
    virtual void focusLines();

    // ---- Named controls ---------------------------------------------------
    // The text of the QLineEdit or QLabel with that objectName ("" if none).
    virtual QString controlText(const QString& name);
    // Sets it; false when the window has no such control.
    virtual bool setControlText(const QString& name, const QString& text);

    // ---- What the return finder (TfrmFindArticle4) searches ---------------
    // The search text: column 1 of the current line.
    virtual QString returnSearchText();
    // The returner: the text of "Edit2".
    virtual QString returnPerson();
    // The articles to leave out: the article IDs (column 9) of the other lines.
    virtual QStringList returnExcludedIds();

    // The non-empty texts of column on every line but exceptRow, in row
    // order: the exclusion list of an article search ("IDs already on the
    // other lines"). exceptRow -1 takes every line.
    QStringList idsInColumn(int column, int exceptRow = -1);
};
