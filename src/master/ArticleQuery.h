#pragma once
// The article query "物品查询" (TfrmArticle_Q): filters over the article
// register, the result in a sortable grid with its count, the spreadsheet
// export, the per-article tools, deleting the shown articles and the label
// buttons.
//
// The condition of a query is SQL with a '?' for each value and the values
// beside it; nothing typed is ever part of the statement. '%' and '_' typed
// into a text filter act as LIKE wildcards; a quote is an ordinary character.

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QWidget>

#include <functional>

class DataGrid;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ArticleQuery {

// The filters as typed or chosen; an empty one does not filter.
struct Filters {
    QString code;      // 物品编码, part of the code
    QString type;      // 物品分类, the type's name
    QString name;      // 物品名称, part of the name or of its pinyin initials
    QString standard;  // 规格型号, part of it
    QString remark;    // 备注, part of it
    QString place;     // 货位名称, the place's name
};

// A condition: " AND (...)" clauses for "where (ID>0)", with their values.
struct Condition {
    QString text;
    QVariantList params;
};

// The condition of the filters: type, name or pinyin, specification,
// remark, code, place, in that order.
Condition condition(const Filters& f);
// The query's statement for a condition (its aliases are the grid titles).
QString statement(const QString& condition);

// Deletes the articles and their stock rows, all in one transaction, without
// looking at the stock.
void removeArticles(const QList<qlonglong>& ids);

// The text of an article's QR label: 编码, 分类, 名称, 规格, 单位, 单价, one a line.
QString qrText(const QHash<QString, QVariant>& row);

// Label printing for the query's articles. Until it is installed the three
// label buttons stay disabled; the label printing enables them with one line
// in its window registration,
//   ArticleQuery::installLabelPrinting({&printBarcodes, &printBarcodesA4, &printQrLabel});
// and from then on a query enables them as it enables "Excel".
struct LabelPrinting {
    // "条码" and "A4 条码": one label per article the condition selects.
    std::function<void(const QString& condition, const QVariantList& params)> barcodes;
    std::function<void(const QString& condition, const QVariantList& params)> barcodesA4;
    // "二维码": the current article's label, with its code and qrText.
    std::function<void(const QString& code, const QString& text)> qrLabel;
};
void installLabelPrinting(const LabelPrinting& printing);
const LabelPrinting& labelPrinting();
bool hasLabelPrinting();

} // namespace ArticleQuery

class TfrmArticle_Q : public QWidget {
    Q_OBJECT
public:
    explicit TfrmArticle_Q(QWidget* parent = nullptr);

    DataGrid* grid() const { return DBGrid1; }
    // The condition of the last query and its values (LabW).
    QString condition() const;
    QVariantList conditionParams() const { return params_; }
    bool hasQueried() const { return queried_; }

    void BitBtn1Click();  // 查询
    void BitBtn2Click();  // Excel
    void BitBtn4Click();  // 条码
    void Button1Click();  // A4 条码
    void BitBtn5Click();  // 二维码

    // The popup's items on the current article (nothing on an empty grid).
    void M1Click();  // 修改 (also a double click or Enter on a row)
    void P2Click();  // 修改拼音码
    void A2Click();  // 附件管理
    void Y1Click();  // 预警设置
    void P3Click();  // 图片管理
    void P1Click();  // 查看图片
    void L1Click();  // 图片列表 of the articles of the query
    void F1Click();  // 文件下载
    void D1Click();  // 删除 the current article
    void A1Click();  // 全部删除: every article the grid shows

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Current {
        QString id, code, name;
    };
    Current current() const;
    ArticleQuery::Filters filters() const;
    // Runs the last query again (after a change or a delete), sort and row kept.
    void myRef();
    void showCount();
    void remove(const QList<qlonglong>& ids);
    QAction* addItem(const char* name, const char* caption, void (TfrmArticle_Q::*handler)());
    void closeWindow();

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit4 = nullptr;               // 物品编码
    QComboBox* DBLookupComboBox1 = nullptr;   // 物品分类
    QLineEdit* Edit1 = nullptr;               // 物品名称 or pinyin
    QLineEdit* Edit2 = nullptr;               // 规格型号
    QLineEdit* Edit3 = nullptr;               // 备注
    QComboBox* DBLookupComboBox2 = nullptr;   // 货位名称
    QPushButton* BitBtn1 = nullptr;  // 查询
    QPushButton* BitBtn2 = nullptr;  // Excel
    QPushButton* BitBtn4 = nullptr;  // 条码
    QPushButton* Button1 = nullptr;  // A4 条码
    QPushButton* BitBtn5 = nullptr;  // 二维码
    QPushButton* BitBtn3 = nullptr;  // 退出
    QLabel* LabW = nullptr;          // the condition of the last query (hidden)
    DataGrid* DBGrid1 = nullptr;
    QLabel* Label2 = nullptr;        // 物品数量：N
    QMenu* PopupMenu1 = nullptr;

    QVariantList params_;
    bool queried_ = false;
};
