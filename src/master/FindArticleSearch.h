#pragma once
// The article search an entry window runs when Enter is pressed on a line,
// and the statements of the return finder. The statements are built here
// once; the finders run them (TfrmFindArticle6::search,
// TfrmFindArticle7::search, TfrmFindArticle4::myRef) and the entry windows
// call those.
//
// The calling pattern of an entry window (myFindWP), for the current line:
//
//   TfrmFindArticle7 f(*this, "ly");
//   const QStringList others = idsInColumn(9, line);          // articles on the other lines
//   const int n = f.search(text, others, storageId, storageName);
//   if (n == 0) { ... the window's own rule: run f.search(text, {}, ...) to
//                 find the article on another line, or its message ... }
//   else if (n == 1) { f.writeLine(0, line); setCurrentLine(line + 1); }  // fills itself
//   else f.exec();                                           // the user chooses
//
// A search text matches when it occurs anywhere in the article's name, pinyin
// initials, code or model (LIKE '%text%', ignoring ASCII case); the empty text
// matches every article. The text is bound as a value: a quote is just a
// character, and % and _ typed by the user act as wildcards.

#include <QString>
#include <QStringList>
#include <QVariantList>

struct ArticleSearch {
    QString text;
    // Article IDs already on the caller's other lines; they are left out.
    QStringList excludedIds;
    // Empty: every article of the register (TfrmFindArticle6). Otherwise the
    // stock rows of this storage (TfrmFindArticle7).
    QString storageId;
    // With a storage: only rows whose stock is above 0.
    bool positiveStockOnly = false;
};

// The statement and its values, in the finders' field layout:
//  register: 物品编码, 物品分类, 物品名称, 规格型号, 单位, 单价, 备注, ID
//  stock:    物品编码, 物品分类, 物品名称, 规格型号, 单位, 单价, 库存数量, 备注, AID
// ordered by type, name, model and unit. An ID that is not a whole number
// throws DbError (the lines hold IDs the program wrote).
QString articleSearchStatement(const ArticleSearch& search, QVariantList* params);

// The return finder's statement: the person's outstanding lines (given
// quantity above the returned quantity) of live loan (borrowed = true,
// UOut_JC/UOut_JC_Bill) or requisition (UOut_LY/UOut_LY_Bill) documents whose
// article matches text by name, pinyin initials or code, without the excluded
// articles. Fields: 单号, 借用日期 or 领用日期, 物品编码, 物品分类, 物品名称,
// 规格型号, 单位, 单价, 借用数量 or 领用数量, 已归还数, 仓库名称, AID, SYMoney,
// SID, SYCount, ID (the source line's ID).
QString outstandingLinesStatement(bool borrowed, const QString& text, const QString& person,
                                  const QStringList& excludedIds, QVariantList* params);

// " AND (column NOT IN (?,?,...)) " with the IDs appended to params, or ""
// for no IDs. Throws DbError for an ID that is not a whole number.
QString excludedIdsClause(const QString& column, const QStringList& ids, QVariantList* params);
