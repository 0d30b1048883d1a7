#pragma once
// DataGrid: the read-only grid over the result of one select, used by every
// list, register, query and finder window.
//
//   DataGrid* g = new DataGrid(this);
//   g->setObjectName("DBGrid1");
//   g->setQuery("select theNum as 物品编码, AName as 物品名称, ID from UArticle where AName like ?",
//               {"%" + text + "%"});                 // throws DbError; handlers are guarded
//   g->setFieldHidden("ID");                          // layout by field name, kept across queries
//   g->setFieldWidth("物品名称", 200);
//   connectGuarded(g, &DataGrid::chosen, this, [this](int row) { use(g->value(row, "ID")); });
//
// What it does:
//  - Every row of the result is fetched at once, so sorting and row counts
//    see the whole result. Column titles are the select's field names
//    (aliases). Cells cannot be edited.
//  - A click on a column title sorts the shown rows by that field (no new
//    query): ascending first, then each further click on the same title
//    toggles. The sorted title is drawn bold in red (ascending) or bold in
//    blue (descending); every other title is back to normal. Numbers sort as
//    numbers, texts ignore ASCII case.
//  - Rows are drawn alternately: rows 1, 3, 5, ... (counted from 1 in the
//    shown order) in red 191, green 255, blue 223, rows 2, 4, ... in the
//    system's tooltip background colour. A selected row keeps the usual
//    highlight. setRowColors(false) turns this off.
//  - Numbers are shown without binary noise (0.3, 10, 12.5) and right-aligned;
//    a null value shows as an empty cell.
//  - Enter or Return on a row and a double click on a row emit chosen(row).
//    Escape is left to the window (a dialog closes). Other typed characters
//    are ignored: there is no jump-to-text and no editing. Arrow keys, Page
//    Up/Down, Home and End move through the rows.
//
// Rows are numbered in the shown order (after sorting): row 0 is the first
// row on screen. Field names are matched ignoring case.

#include <QColor>
#include <QHash>
#include <QSet>
#include <QString>
#include <QTableView>
#include <QVariant>
#include <QVariantList>

class Db;
class QSqlQueryModel;
class DataGridModel;

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // ---- The result -------------------------------------------------------
    // Runs the select on the data module's connection (DM().db()), values
    // bound to its '?' in order, and shows all its rows. Any previous sort is
    // cleared (titles back to normal) and the first row becomes current.
    // A statement the engine rejects throws DbError and leaves the grid empty.
    void setQuery(const QString& sql, const QVariantList& params = {});
    // The same on another connection.
    void setQuery(Db& db, const QString& sql, const QVariantList& params = {});
    // Runs the last statement again (after a save or delete), keeping the
    // sort, the column widths and the current row by its position (the last
    // row when the result got shorter). Does nothing without a statement.
    void reload();
    // Empties the grid and forgets the statement.
    void clearResult();
    QString statement() const { return sql_; }
    QVariantList parameters() const { return params_; }

    int rowCount() const;
    // Every field of the result, hidden ones included.
    int columnCount() const;
    QString fieldName(int column) const;
    // The column of a field, or -1 when the result has no such field.
    int fieldIndex(const QString& field) const;
    // The stored value of a cell (QVariant() when row or field do not exist).
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString& field) const;
    // A cell as the program writes it into text: numbers without binary noise
    // ("0.3", "10"), null and missing cells as "".
    QString text(int row, int column) const;
    QString text(int row, const QString& field) const;

    // ---- The current row --------------------------------------------------
    // -1 when the grid is empty.
    int currentRow() const;
    // Makes row current (and selected) and scrolls to it; out of range: nothing.
    void setCurrentRow(int row);
    QVariant currentValue(const QString& field) const { return value(currentRow(), field); }
    QString currentText(const QString& field) const { return text(currentRow(), field); }
    // Makes the first row whose field equals value current; false when none does.
    bool locate(const QString& field, const QVariant& value);

    // ---- Layout, by field name; kept when a new result is shown ------------
    void setFieldWidth(const QString& field, int width);
    // Widths for the fields of the current result, from column 0 on.
    void setFieldWidths(const QList<int>& widths);
    void setFieldHidden(const QString& field, bool hidden = true);
    bool isFieldHidden(const QString& field) const;

    // ---- Sorting ----------------------------------------------------------
    // Title clicks sort (the default) or do nothing.
    void setSortable(bool on) { sortable_ = on; }
    bool isSortable() const { return sortable_; }
    // What a click on the field's title does: ascending unless the grid is
    // sorted ascending by that field already, then descending.
    void toggleSort(const QString& field);
    void sortBy(const QString& field, Qt::SortOrder order);
    // Back to the order of the result; titles back to normal.
    void clearSort();
    // "物品编码 ASC", "物品编码 DESC", or "" when unsorted.
    QString sortText() const;

    // ---- Drawing ----------------------------------------------------------
    void setRowColors(bool on);
    bool rowColors() const;
    // Background of rows 1, 3, 5, ...: red 191, green 255, blue 223.
    static QColor oddRowColor();
    // Background of rows 2, 4, ...: the system's tooltip background.
    static QColor evenRowColor();
    static QColor ascendingTitleColor() { return QColor(Qt::red); }
    static QColor descendingTitleColor() { return QColor(Qt::blue); }

    // Typed characters never search or edit.
    void keyboardSearch(const QString& search) override;

signals:
    // Enter/Return on the current row, or a double click on a row.
    void chosen(int row);
    // The current row moved (-1: none).
    void currentRowChanged(int row);
    // The sort changed, by a title click or a call; text as sortText().
    void sortChanged(const QString& sortText);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void run(Db& db, const QString& sql, const QVariantList& params, bool keepState);
    void applyLayout(const QHash<QString, int>& keptWidths);
    void titleClicked(int column);
    QModelIndex sourceIndex(int row, int column) const;

    QSqlQueryModel* source_ = nullptr;
    DataGridModel* proxy_ = nullptr;
    Db* db_ = nullptr;
    QString sql_;
    QVariantList params_;
    bool sortable_ = true;
    QSet<QString> hidden_;        // lower-case field names
    QHash<QString, int> widths_;  // lower-case field name -> width
};
