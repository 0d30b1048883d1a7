#pragma once
// The contents editor of an article pack: a 99-line grid of articles with
// price, quantity and remark. The article of a line is found by typing its
// code, name, specification or pinyin initials into 物品编码 and pressing
// Enter (or double-clicking): one match fills the line, several open the
// article finder, none is reported. "保存" checks every line before it
// replaces the pack's stored contents in one transaction.
//
// StringGrid1 keeps its titles in the grid's header, so its row 0 is line 1;
// column 0 holds the line numbers, columns 1 to 8 物品编码, 物品名称, 规格型号,
// 单位, 单价, 数量, 金额, 备注, and the hidden column 9 the line's article ID.
// To the finder (FinderHost) the lines are numbered 1 to 99, as the finders
// count the lines of every entry grid.

#include "master/FinderHost.h"
#include "master/PackContents.h"

#include <QDialog>

class QLabel;
class QGroupBox;
class QPushButton;
class QTableWidget;

class TfrmAPList : public QDialog, public FinderHost {
    Q_OBJECT
public:
    enum Column { ColNo = 0, ColCode, ColName, ColStandard, ColUnit, ColPrice, ColCount, ColAmount, ColRemark, ColID };
    static constexpr int kLines = 99;

    // The editor of the pack named packName (its ID is kept, the name is what
    // the contents refer to).
    TfrmAPList(QWidget* parent, qlonglong packId, const QString& packName);
    ~TfrmAPList() override;

    // Opens the editor modally for a pack.
    static void openFor(QWidget* parent, qlonglong packId, const QString& packName);

    // The grid layout (titles, widths, line numbers, empty cells).
    void myStringLoad();
    // Caption and the stored contents.
    void FormShow();
    // Looks the current line's article up (only for a line without article).
    void myFindWP();
    // Enter in the grid: the lookup on a line without article, then the move
    // 物品编码 -> 单价 -> 数量 -> next line's 物品编码.
    void gridEnter();
    // "保存".
    void BitBtn1Click();

    QTableWidget* grid() const { return StringGrid1; }
    QString packName() const { return packName_; }
    PackLine line(int row) const;
    void setLine(int row, const PackLine& line);
    QList<PackLine> lines() const;
    // The IDs in the hidden column of every line.
    QStringList articleIds() const;
    // Puts the cursor on a cell.
    void setCursor(int row, int column);

    // FinderHost: lines 1 to 99 are grid rows 0 to 98.
    QWidget* finderWindow() override { return this; }
    QTableWidget* lineGrid() override { return StringGrid1; }
    int lineCount() override { return kLines + 1; }
    int currentLine() override;
    void setCurrentLine(int line) override;
    QString lineCell(int line, int column) override;
    void setLineCell(int line, int column, const QString& text) override;
    bool lineIsFree(int line) override;

    // Whether a typed character is accepted in a column: 单价 and 数量 take
    // digits and ".", 金额 nothing (Backspace and Enter are always accepted).
    static bool acceptsChar(int column, QChar c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    qlonglong packId_;
    QString packName_;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
