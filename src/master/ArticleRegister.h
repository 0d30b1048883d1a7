#pragma once
// The article register "物品管理" (TfrmArticle_M): a member of the register
// window design. What it adds to the design is data in its RegisterSpec:
//  - the code proposed after "新增" (NewNum for UArticle: yymmdd + the day's
//    sequence), which the user may overwrite;
//  - codes unique among articles: "物品编码 添加重复！" on insert, and an edit
//    that would give an article another article's code is refused as the
//    article editor refuses it;
//  - the required fields 物品编码, 物品名称, 单位, 单价 in that order;
//  - a new article starts with warning limits 9 and 99 switched off, no
//    accessories and the login date;
//  - an article that holds stock in any storage stays; one whose stock is 0
//    everywhere goes together with its stock rows, in one transaction.
// The window adds the grid's popup of per-article tools.

#include "master/RegisterSpec.h"
#include "master/TfrmRegister.h"

class QAction;

namespace ArticleRegister {

// The register's member (a RegisterSpec like the basic registers').
const RegisterSpec& spec();

} // namespace ArticleRegister

class TfrmArticle_M : public TfrmRegister {
    Q_OBJECT
public:
    explicit TfrmArticle_M(QWidget* parent = nullptr);

    // The popup of the grid: the tools of the current article. Each does
    // nothing when the register is empty.
    void A1Click();  // 附件管理: the register reloads when the dialog closes
    void Y1Click();  // 预警设置
    void P1Click();  // 图片管理
    void K1Click();  // 查看图片
    void L1Click();  // 图片列表: every article
    void F1Click();  // 文件上传
    void D1Click();  // 文件下载

private:
    // ID, code and name of the current row (empty ID when there is none).
    struct Current {
        QString id, code, name;
    };
    Current current() const;
    QAction* addTool(const char* name, const char* caption, void (TfrmArticle_M::*handler)());
    // Reloads keeping the current article (its 附件数量 or warnings changed).
    void reloadKeeping(const QString& id);
};
