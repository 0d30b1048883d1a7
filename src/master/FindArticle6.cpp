#include "master/FindArticle6.h"

#include "app/DataGrid.h"
#include "master/FindArticleSearch.h"

#include <stdexcept>

TfrmFindArticle6::TfrmFindArticle6(FinderHost& host, const QString& mode)
    : ArticleFinder(host, QStringLiteral("frmFindArticle6"), QStringLiteral("物品 查找"), QSize(800, 440)),
      mode_(mode.toLower()) {
    if (mode_ != QLatin1String("cg") && mode_ != QLatin1String("sq") && mode_ != QLatin1String("wp"))
        throw std::invalid_argument("TfrmFindArticle6: unknown mode " + mode.toStdString());
}

int TfrmFindArticle6::search(const QString& text, const QStringList& excludedIds) {
    QVariantList params;
    const QString sql = articleSearchStatement(ArticleSearch{text, excludedIds, QString(), false}, &params);
    DBGrid1->setFieldHidden(QStringLiteral("ID"));
    DBGrid1->setQuery(sql, params);
    DBGrid1->setFieldWidths({100, 100, 200, 100, 80, 80, 100});
    return DBGrid1->rowCount();
}

std::vector<LineCell> TfrmFindArticle6::lineCells() const {
    using C = LineCell;
    return {
        C::fromField(1, QStringLiteral("物品编码")),
        C::fromField(2, QStringLiteral("物品名称")),
        C::fromField(3, QStringLiteral("规格型号")),
        C::fromField(4, QStringLiteral("单位")),
        C::priceField(5, QStringLiteral("单价")),
        C::fixedText(6, QStringLiteral("1")),       // quantity
        C::priceField(7, QStringLiteral("单价")),   // amount of one
        C::fromField(8, QStringLiteral("备注")),
        C::fromField(9, QStringLiteral("ID")),
    };
}
