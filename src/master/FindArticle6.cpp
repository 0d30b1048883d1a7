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
    std::vector<LineCell> cells = articleLineCells();
    cells.push_back(LineCell::fromField(9, QStringLiteral("ID")));
    return cells;
}
