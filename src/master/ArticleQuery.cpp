#include "master/ArticleQuery.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "app/TfrmDM.h"
#include "exchange/ExcelExport.h"
#include "master/ArticleEdit.h"
#include "master/ArticleTools.h"
#include "master/GbkLineEdit.h"
#include "platform/Db.h"
#include "platform/Guard.h"
#include "platform/Money.h"
#include "platform/Ui.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace ArticleQuery {

namespace {

// Typed text is matched anywhere; '%' and '_' typed by the user act as wildcards.
QString anywhere(const QString& text) { return QLatin1Char('%') + text + QLatin1Char('%'); }

LabelPrinting& labels() {
    static LabelPrinting p;
    return p;
}

} // namespace

Condition condition(const Filters& f) {
    Condition c;
    auto add = [&c](const QString& value, const char* clause, int times, bool like) {
        if (value.isEmpty()) return;
        c.text += QString::fromLatin1(clause);
        for (int i = 0; i < times; ++i) c.params << (like ? anywhere(value) : value);
    };
    add(f.type, " AND (AType=?)", 1, false);
    add(f.name, " AND ((AName like ?) OR (thePY like ?))", 2, true);
    add(f.standard, " AND (AStandard like ?)", 1, true);
    add(f.remark, " AND (Remark like ?)", 1, true);
    add(f.code, " AND (theNum like ?)", 1, true);
    add(f.place, " AND (PName=?)", 1, false);
    return c;
}

QString statement(const QString& condition) {
    return QStringLiteral("select theNum as 物品编码, AType as 物品分类, AName as 物品名称, AStandard as 规格型号, "
                          "AUnit as 单位, APrice as 单价, FJCount as 附件数量,Remark as 备注,PName as 货位名称,  ID "
                          " from UArticle Where (ID>0)") +
           condition + QStringLiteral(" order by AType,AName");
}

void removeArticles(const QList<qlonglong>& ids) {
    Db& db = DM().db();
    Transaction tx(db);
    for (qlonglong id : ids) {
        db.exec(QStringLiteral("Delete from UWare Where AID=?"), {id});
        db.exec(QStringLiteral("Delete From UArticle Where ID = ?"), {id});
    }
    tx.commit();
}

QString qrText(const QHash<QString, QVariant>& row) {
    auto field = [&row](const char* name) { return row.value(QString::fromUtf8(name)).toString(); };
    const QVariant price = row.value(QStringLiteral("单价"));
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("编码：") + field("物品编码") + crlf + QStringLiteral("分类：") + field("物品分类") + crlf +
           QStringLiteral("名称：") + field("物品名称") + crlf + QStringLiteral("规格：") + field("规格型号") + crlf +
           QStringLiteral("单位：") + field("单位") + crlf + QStringLiteral("单价：") +
           (price.isNull() ? QString() : Money::text(price.toDouble()));
}

void installLabelPrinting(const LabelPrinting& printing) { labels() = printing; }

const LabelPrinting& labelPrinting() { return labels(); }

bool hasLabelPrinting() {
    const LabelPrinting& p = labels();
    return p.barcodes && p.barcodesA4 && p.qrLabel;
}

} // namespace ArticleQuery

// ---------------------------------------------------------------------------

using namespace ArticleQuery;

TfrmArticle_Q::TfrmArticle_Q(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmArticle_Q"));
    setWindowTitle(QStringLiteral("物品查询"));
    resize(1000, 640);
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);

    // ---- the filters and the buttons
    GroupBox1 = new QGroupBox(QStringLiteral("物品查询"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* g = new QGridLayout(GroupBox1);
    g->setHorizontalSpacing(8);
    auto edit = [this](const char* name, int bytes) {
        auto* e = new GbkLineEdit(bytes, QString(), GroupBox1);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(150);
        return e;
    };
    auto box = [this](const char* name, const QString& what) {
        auto* b = new QComboBox(GroupBox1);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(150);
        // Nothing chosen: no filter. Delete or Backspace chooses nothing again.
        b->setPlaceholderText(QStringLiteral("（全部）"));
        b->setToolTip(QStringLiteral("按 Delete 键清除所选%1").arg(what));
        b->installEventFilter(this);
        return b;
    };
    Edit4 = edit("Edit4", ArticleEdit::CodeBytes);
    DBLookupComboBox1 = box("DBLookupComboBox1", QStringLiteral("物品分类"));
    Edit1 = edit("Edit1", ArticleEdit::NameBytes);
    Edit1->setToolTip(QStringLiteral("物品名称 或 拼音首字母"));
    Edit2 = edit("Edit2", ArticleEdit::StandardBytes);
    Edit3 = edit("Edit3", ArticleEdit::RemarkBytes);
    DBLookupComboBox2 = box("DBLookupComboBox2", QStringLiteral("货位名称"));
    guarded([this] {
        DM().DBComAType(DBLookupComboBox1);
        DM().DBComSPlace(DBLookupComboBox2);
    });
    DBLookupComboBox1->setCurrentIndex(-1);
    DBLookupComboBox2->setCurrentIndex(-1);

    auto field = [this, g](int row, int col, const char* label, QWidget* w) {
        auto* l = new QLabel(QString::fromUtf8(label), GroupBox1);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setBuddy(w);
        g->addWidget(l, row, col * 2);
        g->addWidget(w, row, col * 2 + 1);
    };
    field(0, 0, "物品编码：", Edit4);
    field(0, 1, "物品分类：", DBLookupComboBox1);
    field(0, 2, "物品名称：", Edit1);
    field(1, 0, "规格型号：", Edit2);
    field(1, 1, "备　　注：", Edit3);
    field(1, 2, "货位名称：", DBLookupComboBox2);
    for (int c : {1, 3, 5}) g->setColumnStretch(c, 1);

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), GroupBox1);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(84);
        return b;
    };
    BitBtn1 = button("BitBtn1", "查询");
    BitBtn2 = button("BitBtn2", "Excel");
    BitBtn3 = button("BitBtn3", "退出");
    BitBtn4 = button("BitBtn4", "条码");
    Button1 = button("Button1", "A4 条码");
    BitBtn5 = button("BitBtn5", "二维码");
    g->setColumnMinimumWidth(6, 16);
    g->addWidget(BitBtn1, 0, 7);
    g->addWidget(BitBtn2, 0, 8);
    g->addWidget(BitBtn3, 0, 9);
    g->addWidget(BitBtn4, 1, 7);
    g->addWidget(Button1, 1, 8);
    g->addWidget(BitBtn5, 1, 9);
    for (QPushButton* b : {BitBtn2, BitBtn4, Button1, BitBtn5}) b->setEnabled(false);
    top->addWidget(GroupBox1);

    LabW = new QLabel(this);
    LabW->setObjectName(QStringLiteral("LabW"));
    LabW->hide();

    // ---- the result
    DBGrid1 = new DataGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setToolTip(QStringLiteral("亲，鼠标右键 有惊喜哟！"));
    DBGrid1->setFieldWidth(QStringLiteral("物品名称"), 200);
    DBGrid1->setFieldWidth(QStringLiteral("备注"), 200);
    DBGrid1->setFieldWidth(QStringLiteral("规格型号"), 100);
    DBGrid1->setFieldWidth(QStringLiteral("单价"), 60);
    DBGrid1->setFieldHidden(QStringLiteral("ID"));
    top->addWidget(DBGrid1, 1);

    Label2 = new QLabel(QStringLiteral("物品数量："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    top->addWidget(Label2);

    // ---- the popup, attached to the grid by the first query
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    addItem("M1", "修改 &M", &TfrmArticle_Q::M1Click);
    addItem("P2", "修改拼音码 &P", &TfrmArticle_Q::P2Click);
    PopupMenu1->addSeparator();
    addItem("A2", "附件管理 &A", &TfrmArticle_Q::A2Click);
    PopupMenu1->addSeparator();
    addItem("Y1", "预警设置 &Y", &TfrmArticle_Q::Y1Click);
    PopupMenu1->addSeparator();
    addItem("P3", "图片管理 &I", &TfrmArticle_Q::P3Click);
    addItem("P1", "查看图片 &V", &TfrmArticle_Q::P1Click);
    addItem("L1", "图片列表 &L", &TfrmArticle_Q::L1Click);
    PopupMenu1->addSeparator();
    addItem("F1", "文件下载 &F", &TfrmArticle_Q::F1Click);
    PopupMenu1->addSeparator();
    addItem("D1", "删除 &D", &TfrmArticle_Q::D1Click);
    addItem("A1", "全部删除 &Q", &TfrmArticle_Q::A1Click);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex i = DBGrid1->indexAt(pos);
        if (i.isValid()) DBGrid1->setCurrentRow(i.row());
        PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos));
    });

    // ---- handlers
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connectGuarded(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { closeWindow(); });
    // Enter in a text filter runs the query.
    for (QLineEdit* e : {Edit4, Edit1, Edit2, Edit3})
        connectGuarded(e, &QLineEdit::returnPressed, this, [this] { BitBtn1Click(); });
    // A double click (or Enter) on a row changes the article.
    connectGuarded(DBGrid1, &DataGrid::chosen, this, [this](int) { M1Click(); });

    setTabOrder(Edit4, DBLookupComboBox1);
    setTabOrder(DBLookupComboBox1, Edit1);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, DBLookupComboBox2);
    setTabOrder(DBLookupComboBox2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    setTabOrder(BitBtn3, BitBtn4);
    setTabOrder(BitBtn4, Button1);
    setTabOrder(Button1, BitBtn5);
    setTabOrder(BitBtn5, DBGrid1);
    setFocusProxy(Edit4);
}

QAction* TfrmArticle_Q::addItem(const char* name, const char* caption, void (TfrmArticle_Q::*handler)()) {
    QAction* a = PopupMenu1->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    connectGuarded(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return a;
}

bool TfrmArticle_Q::eventFilter(QObject* watched, QEvent* event) {
    // Delete or Backspace in a drop-down filter chooses nothing again.
    if ((watched == DBLookupComboBox1 || watched == DBLookupComboBox2) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            static_cast<QComboBox*>(watched)->setCurrentIndex(-1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

Filters TfrmArticle_Q::filters() const {
    Filters f;
    f.code = Edit4->text().trimmed();
    f.type = lookupKey(DBLookupComboBox1);
    f.name = Edit1->text().trimmed();
    f.standard = Edit2->text().trimmed();
    f.remark = Edit3->text().trimmed();
    f.place = lookupKey(DBLookupComboBox2);
    return f;
}

QString TfrmArticle_Q::condition() const { return LabW->text(); }

void TfrmArticle_Q::BitBtn1Click() {
    const Condition c = ArticleQuery::condition(filters());
    DBGrid1->setQuery(statement(c.text), c.params);
    LabW->setText(c.text);
    params_ = c.params;
    if (!queried_) {
        queried_ = true;
        DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    }
    BitBtn2->setEnabled(true);
    // The label buttons follow the query once label printing is installed
    // (ArticleQuery::installLabelPrinting); before that they stay disabled.
    const bool labels = hasLabelPrinting();
    for (QPushButton* b : {BitBtn4, Button1, BitBtn5}) b->setEnabled(labels);
    showCount();
}

void TfrmArticle_Q::showCount() { Label2->setText(QStringLiteral("物品数量：") + QString::number(DBGrid1->rowCount())); }

void TfrmArticle_Q::myRef() {
    DBGrid1->reload();
    showCount();
}

void TfrmArticle_Q::BitBtn2Click() {
    if (!queried_) return;
    // The export checks the right to export itself.
    ExcelExport::Request r;
    r.rows = DBGrid1->model();
    r.parent = this;
    ExcelExport::run(QStringLiteral("TfrmArticle_Q"), r);
}

void TfrmArticle_Q::BitBtn4Click() {
    if (!queried_ || !hasLabelPrinting()) return;
    labelPrinting().barcodes(condition(), params_);
}

void TfrmArticle_Q::Button1Click() {
    if (!queried_ || !hasLabelPrinting()) return;
    labelPrinting().barcodesA4(condition(), params_);
}

void TfrmArticle_Q::BitBtn5Click() {
    if (!queried_ || !hasLabelPrinting() || DBGrid1->currentRow() < 0) return;
    QHash<QString, QVariant> row;
    const int r = DBGrid1->currentRow();
    for (int c = 0; c < DBGrid1->columnCount(); ++c) row.insert(DBGrid1->fieldName(c), DBGrid1->value(r, c));
    labelPrinting().qrLabel(row.value(QStringLiteral("物品编码")).toString(), qrText(row));
}

// ---- the popup --------------------------------------------------------------

TfrmArticle_Q::Current TfrmArticle_Q::current() const {
    const int r = DBGrid1->currentRow();
    if (r < 0) return {};
    return {DBGrid1->text(r, QStringLiteral("ID")), DBGrid1->text(r, QStringLiteral("物品编码")),
            DBGrid1->text(r, QStringLiteral("物品名称"))};
}

void TfrmArticle_Q::M1Click() {
    const Current c = current();
    ArticleTools::editArticle(this, c.id, QStringLiteral("2"), [this] { myRef(); });
}

void TfrmArticle_Q::P2Click() {
    const Current c = current();
    ArticleTools::editPinyin(this, c.id, QStringLiteral("2"), [this] { myRef(); });
}

void TfrmArticle_Q::A2Click() {
    const Current c = current();
    ArticleTools::openAccessories(this, c.id, c.code, c.name, QStringLiteral("Article_Q"), [this] { myRef(); });
}

void TfrmArticle_Q::Y1Click() {
    const Current c = current();
    ArticleTools::openWarnings(this, c.id, c.code, c.name);
}

void TfrmArticle_Q::P3Click() {
    const Current c = current();
    ArticleTools::openPictureManager(this, c.id, c.code, c.name);
}

void TfrmArticle_Q::P1Click() {
    const Current c = current();
    ArticleTools::openPictureViewer(this, c.id, c.code, c.name);
}

void TfrmArticle_Q::L1Click() {
    // The articles of the last query: its condition and values as they are.
    if (DBGrid1->rowCount() == 0) return;
    ArticleTools::openPictureList(this, condition(), params_);
}

void TfrmArticle_Q::F1Click() {
    const Current c = current();
    ArticleTools::downloadFile(this, c.id, c.code, c.name);
}

void TfrmArticle_Q::D1Click() {
    const Current c = current();
    if (c.id.isEmpty() || !session().mayDelete()) return;
    remove({c.id.toLongLong()});
}

void TfrmArticle_Q::A1Click() {
    // Exactly the articles the grid shows, whatever was added meanwhile.
    if (DBGrid1->rowCount() == 0 || !session().mayDelete()) return;
    QList<qlonglong> ids;
    for (int r = 0; r < DBGrid1->rowCount(); ++r) ids << DBGrid1->value(r, QStringLiteral("ID")).toLongLong();
    remove(ids);
}

void TfrmArticle_Q::remove(const QList<qlonglong>& ids) {
    if (!confirmDelete()) return;
    removeArticles(ids);
    myRef();
}

void TfrmArticle_Q::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}
