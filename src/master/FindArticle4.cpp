#include "master/FindArticle4.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "master/FindArticleSearch.h"
#include "master/FinderHost.h"
#include "platform/Guard.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmFindArticle4::TfrmFindArticle4(FinderHost& host)
    : ArticleFinder(host, QStringLiteral("frmFindArticle4"), host.returnPerson() + QStringLiteral(" 借用 物品 查找"),
                    QSize(1020, 460)) {
    auto* top = new QHBoxLayout;
    top->setContentsMargins(6, 2, 6, 2);
    top->setSpacing(24);
    RadioButton1 = new QRadioButton(QStringLiteral("领用物品"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("借用物品"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setChecked(true);
    top->addWidget(RadioButton1);
    top->addWidget(RadioButton2);
    top->addStretch(1);
    layout_->insertLayout(0, top);
    // The grid first in the tab order, then the kinds.
    setTabOrder(DBGrid1, RadioButton1);
    setTabOrder(RadioButton1, RadioButton2);

    connectGuarded(RadioButton1, &QRadioButton::clicked, this, [this] { myRef(); });
    connectGuarded(RadioButton2, &QRadioButton::clicked, this, [this] { myRef(); });

    // Hidden fields and widths; the two kinds name their date and quantity differently.
    for (const char* f : {"AID", "SYMoney", "SID", "SYCount", "ID"}) DBGrid1->setFieldHidden(QString::fromLatin1(f));
    const struct { const char* field; int width; } widths[] = {
        {"物品编码", 100}, {"物品分类", 100}, {"物品名称", 170}, {"规格型号", 100}, {"单位", 60},
        {"单价", 60},      {"借用数量", 60},  {"领用数量", 60},  {"已归还数", 60},  {"仓库名称", 80},
    };
    for (const auto& w : widths) DBGrid1->setFieldWidth(QString::fromUtf8(w.field), w.width);
}

int TfrmFindArticle4::myRef() {
    const bool borrowed = RadioButton2->isChecked();
    QVariantList params;
    const QString sql = outstandingLinesStatement(borrowed, host().returnSearchText(), host().returnPerson(),
                                                  host().returnExcludedIds(), &params);
    borrowedShown_ = borrowed;
    DBGrid1->setQuery(sql, params);
    return DBGrid1->rowCount();
}

QString TfrmFindArticle4::sourceTable() const {
    return borrowedShown_ ? QStringLiteral("UOut_JC_Bill") : QStringLiteral("UOut_LY_Bill");
}

bool TfrmFindArticle4::zeroPrice() const { return session().ZeroPriceGH; }

std::vector<LineCell> TfrmFindArticle4::lineCells() const {
    using C = LineCell;
    return {
        C::fromField(1, QStringLiteral("物品编码")),
        C::fromField(2, QStringLiteral("物品名称")),
        C::fromField(3, QStringLiteral("规格型号")),
        C::fromField(4, QStringLiteral("单位")),
        C::priceField(5, QStringLiteral("单价")),
        C::fromField(6, QStringLiteral("SYCount")),    // the quantity still out
        C::priceField(7, QStringLiteral("SYMoney")),   // its value
        C::fromField(9, QStringLiteral("AID")),
        C::fromField(10, QStringLiteral("SYCount")),   // the most that may be returned
        C::fromField(11, QStringLiteral("SID")),
        C::fixedText(12, sourceTable()),
        C::fromField(13, QStringLiteral("ID")),
    };
}
