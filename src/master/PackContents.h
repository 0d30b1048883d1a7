#pragma once
// The contents of an article pack (UAPList): reading the stored lines and
// the replace-all save.

#include <QList>
#include <QString>

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

struct SaveResult {
    bool ok = false;
    QString message;
};

// Checks every line whose 物品编码 is not empty, top to bottom, before
// anything is written; then replaces the pack's stored lines with them in
// one transaction, numbered 1, 2, 3 ... in grid order.
SaveResult save(TfrmDM& dm, const QString& pack, const QList<PackLine>& lines);

} // namespace PackContents
