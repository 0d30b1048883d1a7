#include "master/RegisterMembers.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/TfrmAPList.h"
#include "master/TfrmRegister.h"
#include "platform/Db.h"
#include "platform/Guard.h"

#include <QAction>
#include <QMenu>

#include <stdexcept>

namespace {

RegisterEditor text(const char* name, const char* column, const char* field, int maxLength) {
    RegisterEditor e;
    e.name = QString::fromLatin1(name);
    e.column = QString::fromLatin1(column);
    e.field = QString::fromUtf8(field);
    e.maxLength = maxLength;
    return e;
}

QStringList pieces(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* p : list) out << QString::fromUtf8(p);
    return out;
}

QStringList fields(std::initializer_list<const char*> list) { return pieces(list); }

// The parts every member shares: the name editor DBEdit1 is the key, checked
// for emptiness and (on insert) for duplicates.
RegisterSpec named(const char* cls, const char* caption, const char* group, const char* table, const char* column,
                   const char* field) {
    RegisterSpec s;
    s.className = QString::fromLatin1(cls);
    s.caption = QString::fromUtf8(caption);
    s.group = QString::fromUtf8(group);
    s.table = QString::fromLatin1(table);
    s.keyEditor = QStringLiteral("DBEdit1");
    const QString f = QString::fromUtf8(field);
    s.required = {{QString::fromLatin1(column), f + QStringLiteral(" 不能为空！请重新录入！")}};
    s.uniqueColumn = QString::fromLatin1(column);
    s.duplicateMessage = f + QStringLiteral(" 添加重复！");
    return s;
}

void withPinyin(RegisterSpec& s, const char* from) {
    s.pinyinColumn = QStringLiteral("thePY");
    s.pinyinFrom = QString::fromLatin1(from);
}

RegisterSpec storage() {
    RegisterSpec s = named("TfrmStorage", "仓库设置", "仓库信息", "SStorage", "SName", "仓库名称");
    s.loadQuery = pieces({"select SName as 仓库名称,", "Remark as 备注,thePY,ID", " from SStorage"});
    s.hidden = fields({"thePY", "ID"});
    s.editors = {text("DBEdit1", "SName", "仓库名称", 20), text("DBEdit2", "Remark", "备注", 50)};
    withPinyin(s, "SName");
    // A storage with stock rows (whatever their quantity) stays.
    s.guards = {{QStringLiteral("SELECT ID FROM UWare Where SID=?"), {QStringLiteral("ID")}, DeleteGuard::Refuse::AnyRow,
                 QStringLiteral("%1 有物品库存信息，不能删除！"), QStringLiteral("仓库名称")}};
    // The user who creates a storage may work with it (from the next login on).
    s.afterInsert = [](Db& db, const RegisterValues& v, qlonglong) {
        const QString uid = session().UserID;
        if (uid.isEmpty()) return;
        db.exec(QStringLiteral("INSERT INTO SLW (UID, SName) VALUES (?, ?) "), {uid.toLongLong(), v.value(QStringLiteral("SName"))});
    };
    s.closeMessage = QStringLiteral("如果您新增了仓库，请重新打开软件！");
    return s;
}

RegisterSpec place() {
    RegisterSpec s = named("TfrmPlace", "货位设置", "货位信息", "SPlace", "PName", "货位名称");
    s.loadQuery = pieces({"select PName as 货位名称,", "Remark as 备注,ID", " from SPlace"});
    s.hidden = fields({"ID"});
    s.editors = {text("DBEdit1", "PName", "货位名称", 20), text("DBEdit2", "Remark", "备注", 50)};
    return s;
}

RegisterSpec department() {
    RegisterSpec s = named("TfrmDepartment", "部门管理", "部门信息", "SDepartment", "DName", "部门名称");
    // The row's ID rides along hidden, so the row written is the row shown.
    s.loadQuery = pieces({"select DName as 部门名称,", "Remark as 备注,thePY,ID", " from SDepartment"});
    s.hidden = fields({"thePY", "ID"});
    s.editors = {text("DBEdit1", "DName", "部门名称", 20), text("DBEdit2", "Remark", "备注", 50)};
    withPinyin(s, "DName");
    // Persons name their department; one that still has persons stays.
    s.guards = {{QStringLiteral("select ID from SPerson where DName=?"), {QStringLiteral("部门名称")},
                 DeleteGuard::Refuse::AnyRow, QStringLiteral("该 部门 下有 人员 记录，不能删除！"), QString()}};
    return s;
}

RegisterSpec person() {
    RegisterSpec s = named("TfrmPerson", "人员管理", "人员信息", "SPerson", "theNum", "工号");
    s.loadQuery = pieces({"select theNum as 工号,", "DName as 部门名称,PName as 人员姓名,", "theJob as 职务,thePhone as 联系方式,",
                          "theIDCard as 身份证号,theAddress as 住址,", "Remark as 备注,thePY,ID", " from SPerson",
                          " order by DName"});
    s.hidden = fields({"thePY", "ID"});
    s.widths = {{QStringLiteral("联系方式"), 160}, {QStringLiteral("住址"), 160}, {QStringLiteral("备注"), 160}};
    s.sortableTitles = true;
    RegisterEditor dept;
    dept.name = QStringLiteral("DBLookupComboBox1");
    dept.column = QStringLiteral("DName");
    dept.field = QStringLiteral("部门名称");
    dept.kind = EditorKind::Lookup;
    dept.fill = [](QComboBox* box) { DM().DBComDepartment(box); };
    s.editors = {text("DBEdit7", "theNum", "工号", 16), dept, text("DBEdit1", "PName", "人员姓名", 20),
                 text("DBEdit2", "theJob", "职务", 20), text("DBEdit3", "thePhone", "联系方式", 30),
                 text("DBEdit4", "theIDCard", "身份证号", 20), text("DBEdit5", "theAddress", "住址", 100),
                 text("DBEdit6", "Remark", "备注", 50)};
    // A person is unique by staff number; the number is checked first, then
    // the department, then the name.
    s.keyEditor = QStringLiteral("DBEdit7");
    s.required = {{QStringLiteral("theNum"), QStringLiteral("工号 不能为空！请重新录入！")},
                  {QStringLiteral("DName"), QStringLiteral("部门名称 不能为空！请选择 部门名称！")},
                  {QStringLiteral("PName"), QStringLiteral("人员姓名 不能为空！请重新录入！")}};
    withPinyin(s, "PName");
    return s;
}

RegisterSpec merchant() {
    RegisterSpec s = named("TfrmMerchant", "供应商管理", "供应商信息", "UMerchant", "MName", "商家名称");
    s.loadQuery = pieces({"select MName as 商家名称,MPhone as 电话号码,", "MProson as 联系人,MAddress as 地址,",
                          "Remark as 备注,thePY,ID", " from UMerchant"});
    s.hidden = fields({"thePY", "ID"});
    s.widths = {{QStringLiteral("备注"), 260}};
    s.editors = {text("DBEdit1", "MName", "商家名称", 50), text("DBEdit2", "MPhone", "电话号码", 30),
                 text("DBEdit3", "MProson", "联系人", 20), text("DBEdit4", "MAddress", "地址", 100),
                 text("DBEdit5", "Remark", "备注", 50)};
    withPinyin(s, "MName");
    return s;
}

RegisterSpec articleType() {
    RegisterSpec s = named("TfrmAType", "物品分类管理", "物品分类信息", "UAType", "theName", "分类名称");
    s.loadQuery = pieces({"select theName as 分类名称,", "Remark as 备注,", "ID ", " from UAType"});
    s.hidden = fields({"ID"});
    s.editors = {text("DBEdit1", "theName", "分类名称", 20), text("DBEdit2", "Remark", "备注", 50)};
    s.firstRowAfterEdit = true;
    return s;
}

RegisterSpec articlePack() {
    RegisterSpec s = named("TfrmAPack", "物品包设置", "物品包信息", "UAPack", "theName", "物品包");
    s.loadQuery = pieces({"select theName as 物品包,", "Remark as 备注,", "ID ", " from UAPack"});
    s.hidden = fields({"ID"});
    s.editors = {text("DBEdit1", "theName", "物品包", 20), text("DBEdit2", "Remark", "备注", 50)};
    s.firstRowAfterEdit = true;
    // The grid's popup opens the pack's contents.
    s.setup = [](TfrmRegister& w) {
        QAction* L1 = w.popupMenu()->addAction(QStringLiteral("物品明细 &L"));
        L1->setObjectName(QStringLiteral("L1"));
        connectGuarded(L1, &QAction::triggered, &w, [&w] {
            if (w.rowCount() == 0 || !w.hasCurrent() || !session().mayModify()) return;
            const RegisterRow row = w.currentRow();
            TfrmAPList::openFor(&w, row.value(QStringLiteral("ID")).toLongLong(), row.value(QStringLiteral("物品包")).toString());
        });
    };
    return s;
}

struct Members {
    QStringList order;
    std::vector<RegisterSpec> specs;
};

const Members& members() {
    static const Members m = [] {
        Members out;
        for (RegisterSpec s : {storage(), place(), department(), person(), merchant(), articleType(), articlePack()}) {
            out.order << s.className;
            out.specs.push_back(std::move(s));
        }
        return out;
    }();
    return m;
}

} // namespace

namespace RegisterMembers {

const QStringList& basicRegisters() { return members().order; }

const RegisterSpec& spec(const QString& className) {
    const Members& m = members();
    const int i = static_cast<int>(m.order.indexOf(className));
    if (i < 0) throw std::out_of_range("unknown register");
    return m.specs[static_cast<size_t>(i)];
}

TfrmRegister* create(const QString& className, QWidget* parent) { return new TfrmRegister(spec(className), parent); }

} // namespace RegisterMembers
