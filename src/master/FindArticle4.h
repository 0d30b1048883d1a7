#pragma once
// TfrmFindArticle4: the finder of a person's outstanding issued lines, for
// the return window (TfrmIn_GH). Two radio buttons choose the kind:
// RadioButton1 "领用物品" (requisitioned) and RadioButton2 "借用物品"
// (borrowed, checked at first); clicking either runs the query again (myRef).
//
// The query (outstandingLinesStatement) takes from the opener: the search
// text (returnSearchText, column 1 of its current line), the returner
// (returnPerson, its Edit2) and the articles already on its other lines
// (returnExcludedIds). Only lines of that person that are not fully returned,
// of documents that are not cancelled, are offered.
//
// A choice fills the opener's line: 1 物品编码, 2 物品名称, 3 规格型号, 4 单位,
// 5 单价, 6 SYCount (the quantity still out), 7 SYMoney (its value), 9 AID,
// 10 SYCount again (the most that may be returned), 11 SID, 12 the source
// lines table ("UOut_LY_Bill" or "UOut_JC_Bill", by the kind shown), 13 the
// source line's ID. With ZeroPriceGH on, 单价 and the amount are "0" (for a
// single choice and for "全选" alike).
//
// The opener's calling pattern:
//   TfrmFindArticle4 f(*this);          // caption: returner + " 借用 物品 查找"
//   const int n = f.myRef();            // borrowed lines
//   if (n == 1) { f.writeLine(0, line); setCurrentLine(line + 1); }
//   else f.exec();                      // none or several: the user looks

#include "master/FindDialog.h"

class QRadioButton;

class TfrmFindArticle4 : public ArticleFinder {
    Q_OBJECT
public:
    QRadioButton* RadioButton1 = nullptr;  // "领用物品"
    QRadioButton* RadioButton2 = nullptr;  // "借用物品"

    explicit TfrmFindArticle4(FinderHost& host);

    // Builds and runs the query for the kind checked; returns the rows found.
    // Throws DbError.
    int myRef();
    // The lines table of the result shown: "UOut_JC_Bill" or "UOut_LY_Bill".
    QString sourceTable() const;

    std::vector<LineCell> lineCells() const override;
    bool zeroPrice() const override;

private:
    bool borrowedShown_ = true;
};
