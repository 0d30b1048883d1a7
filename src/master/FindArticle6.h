#pragma once
// TfrmFindArticle6 "物品 查找": the article finder over the whole article
// register, for the purchase-in window (mode "cg"), the request window ("sq")
// and the pack contents editor ("wp").
//
// A choice fills the opener's line: 1 物品编码, 2 物品名称, 3 规格型号, 4 单位,
// 5 单价, 6 "1" (quantity), 7 单价 again (the amount of one), 8 备注, 9 ID.

#include "master/FindDialog.h"

class TfrmFindArticle6 : public ArticleFinder {
    Q_OBJECT
public:
    // mode: "cg", "sq" or "wp"; any other code throws std::invalid_argument.
    TfrmFindArticle6(FinderHost& host, const QString& mode);

    QString mode() const { return mode_; }

    // Runs the article search over the register (see FindArticleSearch.h)
    // and lays out the grid: widths 100, 100, 200, 100, 80, 80, 100, ID
    // hidden. Returns the number of rows found. Throws DbError.
    int search(const QString& text, const QStringList& excludedIds);

    std::vector<LineCell> lineCells() const override;

private:
    QString mode_;
};
