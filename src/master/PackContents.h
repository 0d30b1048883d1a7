#pragma once
// The contents of an article pack (UAPList): reading the stored lines, the
// article search of the contents editor and the replace-all save.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class TfrmDM;

// One line of the contents grid, as its cells hold it (columns 1 to 9).
struct PackLine {
    QString code;      // 物品编码 (also the search text of a line without article)
    QString name;      // 物品名称
    QString standard;  // 规格型号
    QString unit;      // 单位
    QString price;     // 单价
    QString count;     // 数量
    QString amount;    // 金额 (shown, never stored)
    QString remark;    // 备注
    QString aid;       // the article's ID (the hidden column)
};

namespace PackContents {

// The stored lines of a pack whose article still exists, in line order.
QList<PackLine> load(TfrmDM& dm, const QString& pack);

// The article search of the contents editor: articles whose name, pinyin
// initials, code or specification contain text, without those in exclude,
// ordered by type, name, specification and unit. Fields 物品编码, 物品分类,
// 物品名称, 规格型号, 单位, 单价, 备注, ID. params receives the bound values.
QString searchSql(const QString& text, const QStringList& excludeIds, QVariantList* params);

// A line chosen from a search row (its fields in the order of searchSql):
// price again as amount, quantity 1.
PackLine lineFromSearch(const QString& code, const QString& name, const QString& standard, const QString& unit,
                        const QString& price, const QString& remark, const QString& id);

struct SaveResult {
    bool ok = false;
    QString message;
};

// Checks every line whose 物品编码 is not empty, top to bottom, before
// anything is written; then replaces the pack's stored lines with them in
// one transaction, numbered 1, 2, 3 ... in grid order.
SaveResult save(TfrmDM& dm, const QString& pack, const QList<PackLine>& lines);

} // namespace PackContents
