#pragma once
// TfrmFindArticle7 "物品 查找": the article finder over the stock of one
// storage, for the write-off ("bs"), surplus ("by"), transfer ("db"),
// requisition ("ly"), loan ("jy") and return-to-supplier ("th") windows.
//
// A choice fills the opener's line: 1 物品编码, 2 物品名称, 3 规格型号, 4 单位,
// 5 单价, 6 "1", 7 单价 again, 8 备注; then 9 AID and 10 库存数量, except in
// the loan window ("jy"): 9 the default loan days (DefReturnDays), 10 AID,
// 11 库存数量. With the zero-price switch of the window's kind on
// (ZeroPriceLY, ZeroPriceJY, ZeroPriceDB), 单价 and the amount are "0".

#include "master/FindDialog.h"

class TfrmFindArticle7 : public ArticleFinder {
    Q_OBJECT
public:
    // mode: "bs", "by", "db", "ly", "jy" or "th"; any other code throws
    // std::invalid_argument.
    TfrmFindArticle7(FinderHost& host, const QString& mode);

    QString mode() const { return mode_; }

    // Runs the article search over the stock rows of the storage (see
    // FindArticleSearch.h) and lays out the grid: widths 100, 100, 200, 100,
    // 80, 80, 80, 100, AID hidden. Only stock above 0 is offered unless
    // negative stock is allowed; the surplus window ("by") is offered every
    // stock row of the storage. With a storage name the caption becomes the
    // name followed by " 物品 查找". Returns the number of rows found.
    // Throws DbError.
    int search(const QString& text, const QStringList& excludedIds, const QString& storageId,
               const QString& storageName = QString());

    std::vector<LineCell> lineCells() const override;
    bool zeroPrice() const override;

private:
    QString mode_;
};
