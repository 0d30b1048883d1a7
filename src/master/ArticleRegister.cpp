#include "master/ArticleRegister.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/ArticleEdit.h"
#include "master/ArticleTools.h"
#include "platform/Guard.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

namespace {

RegisterEditor editor(const char* name, const char* column, const char* field, EditorKind kind, int width,
                      int bytes) {
    RegisterEditor e;
    e.name = QString::fromLatin1(name);
    e.column = QString::fromLatin1(column);
    e.field = QString::fromUtf8(field);
    e.kind = kind;
    e.maxLength = width;
    e.gbkBytes = bytes;
    return e;
}

RegisterEditor lookup(const char* name, const char* column, const char* field, void (TfrmDM::*fill)(QComboBox*)) {
    RegisterEditor e = editor(name, column, field, EditorKind::Lookup, 0, 0);
    e.fill = [fill](QComboBox* box) { (DM().*fill)(box); };
    return e;
}

QStringList pieces(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* p : list) out << QString::fromUtf8(p);
    return out;
}

RegisterSpec makeSpec() {
    using namespace ArticleEdit;
    RegisterSpec s;
    s.className = QStringLiteral("TfrmArticle_M");
    s.caption = QStringLiteral("物品管理");
    s.group = QStringLiteral("物品信息");
    s.table = QStringLiteral("UArticle");
    s.loadQuery = pieces({"select theNum as 物品编码, AType as 物品分类, ", "AName as 物品名称, AStandard as 规格型号, ",
                          "AUnit as 单位, APrice as 单价, ", "FJCount as 附件数量,Remark as 备注, ", "PName as 货位名称,",
                          "YJMin,YJMax,theYJ,", "thePY,theDate,ID", " from UArticle", " order by id"});
    s.hidden = pieces({"YJMin", "YJMax", "theYJ", "thePY", "theDate", "ID"});
    s.widths = {{QStringLiteral("物品名称"), 200},
                {QStringLiteral("备注"), 200},
                {QStringLiteral("规格型号"), 100},
                {QStringLiteral("单价"), 60}};
    s.sortableTitles = true;

    RegisterEditor price = editor("DBEdit4", "APrice", "单价", EditorKind::Number, PriceBytes, PriceBytes);
    price.invalidMessage = QStringLiteral("单价 不是有效的数字！请重新录入！");
    s.editors = {editor("DBEdit6", "theNum", "物品编码", EditorKind::Text, 16, CodeBytes),
                 lookup("DBLookupComboBox1", "AType", "物品分类", &TfrmDM::DBComAType),
                 editor("DBEdit1", "AName", "物品名称", EditorKind::Text, 50, NameBytes),
                 editor("DBEdit2", "AStandard", "规格型号", EditorKind::Text, 20, StandardBytes),
                 editor("DBEdit3", "AUnit", "单位", EditorKind::Text, 10, UnitBytes),
                 price,
                 lookup("DBLookupComboBox2", "PName", "货位名称", &TfrmDM::DBComSPlace),
                 editor("DBEdit5", "Remark", "备注", EditorKind::Text, 50, RemarkBytes)};
    s.keyEditor = QStringLiteral("DBEdit6");
    s.required = {{QStringLiteral("theNum"), QStringLiteral("物品编码 不能为空！请重新录入！")},
                  {QStringLiteral("AName"), QStringLiteral("物品名称 不能为空！请重新录入！")},
                  {QStringLiteral("AUnit"), QStringLiteral("单位 不能为空！请重新录入！")},
                  {QStringLiteral("APrice"), QStringLiteral("单价 不能为空！请重新录入！")}};
    // Codes tell articles apart in every finder: unique on insert, and an edit
    // may not take another article's code (the article editor's refusal).
    s.uniqueColumn = QStringLiteral("theNum");
    s.duplicateMessage = QStringLiteral("物品编码 添加重复！");
    s.editDuplicateMessage = QStringLiteral("物品编码 重复！该编码已被其他物品使用！");
    s.pinyinColumn = QStringLiteral("thePY");
    s.pinyinFrom = QStringLiteral("AName");

    // A new article: created on the login date, warnings 9 and 99 switched
    // off, no accessories yet.
    s.insertValues = {{QStringLiteral("theDate"), [] { return QVariant(session().LoginDate); }},
                      {QStringLiteral("YJMin"), [] { return QVariant(9); }},
                      {QStringLiteral("YJMax"), [] { return QVariant(99); }},
                      {QStringLiteral("theYJ"), [] { return QVariant(QStringLiteral("否")); }},
                      {QStringLiteral("FJCount"), [] { return QVariant(0); }}};

    // Stock anywhere keeps the article; its rows of stock 0 go with it.
    s.guards = {{QStringLiteral("Select WCount from UWare Where AID=? AND WCount<>0"), {QStringLiteral("ID")},
                 DeleteGuard::Refuse::AnyRow, QStringLiteral("%1 有库存，不能删除！"), QStringLiteral("物品名称")}};
    s.alsoDelete = {QStringLiteral("Delete from UWare Where AID=?")};

    // The next code of the login date, ready to be typed over.
    s.afterNew = [](TfrmRegister& w) {
        QLineEdit* code = w.lineEdit(QStringLiteral("DBEdit6"));
        code->setText(ArticleEdit::proposeCode());
        code->selectAll();
    };
    return s;
}

} // namespace

namespace ArticleRegister {

const RegisterSpec& spec() {
    static const RegisterSpec s = makeSpec();
    return s;
}

} // namespace ArticleRegister

TfrmArticle_M::TfrmArticle_M(QWidget* parent) : TfrmRegister(ArticleRegister::spec(), parent) {
    grid()->setToolTip(QStringLiteral("亲，鼠标右键 有惊喜哟！"));
    QMenu* menu = popupMenu();
    addTool("A1", "附件管理 &A", &TfrmArticle_M::A1Click);
    menu->addSeparator();
    addTool("Y1", "预警设置 &Y", &TfrmArticle_M::Y1Click);
    menu->addSeparator();
    addTool("P1", "图片管理 &P", &TfrmArticle_M::P1Click);
    addTool("K1", "查看图片 &K", &TfrmArticle_M::K1Click);
    addTool("L1", "图片列表 &L", &TfrmArticle_M::L1Click);
    menu->addSeparator();
    addTool("F1", "文件上传 &F", &TfrmArticle_M::F1Click);
    addTool("D1", "文件下载 &D", &TfrmArticle_M::D1Click);
}

QAction* TfrmArticle_M::addTool(const char* name, const char* caption, void (TfrmArticle_M::*handler)()) {
    QAction* a = popupMenu()->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    connectGuarded(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return a;
}

TfrmArticle_M::Current TfrmArticle_M::current() const {
    // The tools work on a row of the register only while it is browsed.
    if (state() != State::Browse || !hasCurrent()) return {};
    const RegisterRow row = currentRow();
    return {row.value(QStringLiteral("ID")).toString(), row.value(QStringLiteral("物品编码")).toString(),
            row.value(QStringLiteral("物品名称")).toString()};
}

void TfrmArticle_M::reloadKeeping(const QString& id) {
    if (state() == State::Browse) refKeeping(id.toLongLong());
}

void TfrmArticle_M::A1Click() {
    const Current c = current();
    ArticleTools::openAccessories(this, c.id, c.code, c.name, QStringLiteral("Article_M"),
                                  [this, id = c.id] { reloadKeeping(id); });
}

void TfrmArticle_M::Y1Click() {
    const Current c = current();
    ArticleTools::openWarnings(this, c.id, c.code, c.name, [this, id = c.id] { reloadKeeping(id); });
}

void TfrmArticle_M::P1Click() {
    const Current c = current();
    ArticleTools::openPictureManager(this, c.id, c.code, c.name);
}

void TfrmArticle_M::K1Click() {
    const Current c = current();
    ArticleTools::openPictureViewer(this, c.id, c.code, c.name);
}

void TfrmArticle_M::L1Click() {
    // All articles: the register has no condition.
    if (rowCount() == 0) return;
    ArticleTools::openPictureList(this);
}

void TfrmArticle_M::F1Click() {
    const Current c = current();
    ArticleTools::uploadFile(this, c.id, c.code, c.name);
}

void TfrmArticle_M::D1Click() {
    const Current c = current();
    ArticleTools::downloadFile(this, c.id, c.code, c.name);
}
