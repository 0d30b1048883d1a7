#include "master/FindArticle7.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "master/FindArticleSearch.h"

#include <stdexcept>

namespace {
const QStringList& modes() {
    static const QStringList m = {"bs", "by", "db", "ly", "jy", "th"};
    return m;
}
} // namespace

TfrmFindArticle7::TfrmFindArticle7(FinderHost& host, const QString& mode)
    : ArticleFinder(host, QStringLiteral("frmFindArticle7"), QStringLiteral("物品 查找"), QSize(880, 440)),
      mode_(mode.toLower()) {
    if (!modes().contains(mode_)) throw std::invalid_argument("TfrmFindArticle7: unknown mode " + mode.toStdString());
}

int TfrmFindArticle7::search(const QString& text, const QStringList& excludedIds, const QString& storageId,
                             const QString& storageName) {
    ArticleSearch s;
    s.text = text;
    s.excludedIds = excludedIds;
    s.storageId = storageId;
    // Surplus may be booked on a stock row of zero or below.
    s.positiveStockOnly = mode_ != QLatin1String("by") && !session().AllowNegativeStock;
    QVariantList params;
    const QString sql = articleSearchStatement(s, &params);
    if (!storageName.isEmpty()) setWindowTitle(storageName + QStringLiteral(" 物品 查找"));
    DBGrid1->setFieldHidden(QStringLiteral("AID"));
    DBGrid1->setQuery(sql, params);
    DBGrid1->setFieldWidths({100, 100, 200, 100, 80, 80, 80, 100});
    return DBGrid1->rowCount();
}

bool TfrmFindArticle7::zeroPrice() const {
    const Session& s = session();
    if (mode_ == QLatin1String("ly")) return s.ZeroPriceLY;
    if (mode_ == QLatin1String("jy")) return s.ZeroPriceJY;
    if (mode_ == QLatin1String("db")) return s.ZeroPriceDB;
    return false;
}

std::vector<LineCell> TfrmFindArticle7::lineCells() const {
    using C = LineCell;
    std::vector<LineCell> cells = articleLineCells();
    if (mode_ == QLatin1String("jy")) {
        // The loan grid shows its loan days in column 9; its hidden cells follow.
        cells.push_back(C::fixedText(9, session().DefReturnDays));
        cells.push_back(C::fromField(10, QStringLiteral("AID")));
        cells.push_back(C::fromField(11, QStringLiteral("库存数量")));
    } else {
        cells.push_back(C::fromField(9, QStringLiteral("AID")));
        cells.push_back(C::fromField(10, QStringLiteral("库存数量")));
    }
    return cells;
}
