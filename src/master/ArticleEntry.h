#pragma once
// "物品录入": creates an article on the spot when the article search of the
// request or purchase entry window found nothing, and puts it into that
// window's current line:
//
//   ArticleTools::quickEntry(*this, "CG", searchedText);
//
// On save the line gets column 1 物品编码, 2 物品名称, 3 规格型号, 4 单位,
// 5 单价, 6 quantity "1", 7 the amount of one (the price), 8 备注 and 9 the
// new article's ID, and the window's cursor moves to column 1 of the next line.

#include "master/ArticleDialogs.h"

class FinderHost;

class TfrmA_In : public ArticleDialogBase {
    Q_OBJECT
public:
    // callerCode: "SQ" (request) or "CG" (purchase); searchedText goes into
    // the code field (a new code is proposed when it is empty). host: the
    // opener's line grid; without one the article is only created.
    TfrmA_In(FinderHost* host, const QString& callerCode, const QString& searchedText = QString(),
             QWidget* parent = nullptr);

    void FormShow() override;
    void BitBtn1Click();

    // ID of the article the last save created (0 before).
    qlonglong newArticleId() const { return newId_; }

private:
    void writeLine(const ArticleEdit::Fields& f);

    FinderHost* host_;
    qlonglong newId_ = 0;
};
