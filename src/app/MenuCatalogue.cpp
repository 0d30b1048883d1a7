#include "app/MenuCatalogue.h"

namespace {

MenuEntry sep(const char* code) { return {QString::fromLatin1(code), QStringLiteral("-"), QString(), QString(), EntryKind::Separator}; }
MenuEntry child(const char* code, const char* caption, const char* handler, const char* target) {
    return {QString::fromLatin1(code), QString::fromUtf8(caption), QString::fromLatin1(handler), QString::fromLatin1(target), EntryKind::Child};
}
MenuEntry modal(const char* code, const char* caption, const char* handler, const char* target) {
    return {QString::fromLatin1(code), QString::fromUtf8(caption), QString::fromLatin1(handler), QString::fromLatin1(target), EntryKind::Modal};
}

std::vector<TopMenu> build() {
    std::vector<TopMenu> m;
    m.push_back({0, QStringLiteral("文件【&F】"), true, {
        child("000", "用户管理 &U", "U1Click", "TfrmUser"),
        modal("001", "修改密码 &S", "N5Click", "TfrmChangePass"),
        sep("002"),
        modal("003", "数据备份 &B", "N7Click", "TfrmBackup"),
        modal("004", "数据恢复 &R", "R2Click", "TfrmRecover"),
        modal("005", "数据清空 &C", "N55Click", "TfrmClean"),
        sep("006"),
        modal("007", "更换背景 &J", "J1Click", "TfrmBImage"),
        sep("008"),
        {QStringLiteral("009"), QStringLiteral("退出 &X"), QStringLiteral("N8Click"), QString(), EntryKind::Exit, true},
    }});
    m.push_back({1, QStringLiteral("物品【&A】"), false, {
        modal("100", "物品申请单 &1", "N14Click", "TfrmSQ_In"),
        sep("101"),
        modal("102", "采购入库单 &2", "N11Click", "TfrmIN_CG"),
        modal("103", "退货出库单 &3", "N310Click", "TfrmOut_TH"),
        sep("104"),
        modal("105", "领用出库单 &4", "N21Click", "TfrmOut_LY"),
        modal("106", "借用出库单 &5", "N22Click", "TfrmOut_JC"),
        sep("107"),
        modal("108", "归还入库单 &6", "O2Click", "TfrmIn_GH"),
        sep("109"),
        modal("110", "物品调拨单 &7", "N2Click", "TfrmDB_In"),
        sep("111"),
        modal("112", "报损出库单 &8", "N41Click", "TfrmOut_BS"),
        modal("113", "报溢入库单 &9", "N81Click", "TfrmIn_BY"),
    }});
    m.push_back({2, QStringLiteral("查询【&Q】"), false, {
        child("200", "库存物品一览表 &A", "W1Click", "TfrmWare_Q"),
        child("201", "申请物品一览表 &B", "B2Click", "TfrmYLB_SQ"),
        child("202", "采购物品一览表 &C", "N47Click", "TfrmYLB_CG"),
        child("203", "退货物品一览表 &D", "D2Click", "TfrmYLB_TH"),
        child("204", "领用物品一览表 &E", "N28Click", "TfrmYLB_LY"),
        child("205", "借用物品一览表 &F", "N29Click", "TfrmYLB_JC"),
        child("206", "归还物品一览表 &G", "G3Click", "TfrmYLB_GH"),
        child("207", "调拨物品一览表 &H", "G4Click", "TfrmYLB_DB"),
        child("208", "报损物品一览表 &I", "N32Click", "TfrmYLB_BS"),
        child("209", "报溢物品一览表 &J", "N53Click", "TfrmYLB_BY"),
        sep("210"),
        child("211", "物品申请查询 &1", "N6Click", "TfrmSQ_Q"),
        child("212", "采购入库查询 &2", "N19Click", "TfrmIn_CG_Q"),
        child("213", "退货出库查询 &3", "N311Click", "TfrmOut_TH_Q"),
        child("214", "领用出库查询 &4", "N20Click", "TfrmOut_LY_Q"),
        child("215", "借用出库查询 &5", "N23Click", "TfrmOut_JC_Q"),
        child("216", "归还入库查询 &6", "N27Click", "TfrmIn_GH_Q"),
        child("217", "物品调拨查询 &7", "N9Click", "TfrmDB_Q"),
        child("218", "报损出库查询 &8", "N26Click", "TfrmOut_BS_Q"),
        child("219", "报溢入库查询 &9", "N52Click", "TfrmIn_BY_Q"),
    }});
    m.push_back({3, QStringLiteral("统计【&S】"), false, {
        child("300", "日报表 &D", "N57Click", "TfrmBB_D"),
        child("301", "月报表 &M", "N58Click", "TfrmBB_M"),
        child("302", "年报表 &Y", "N59Click", "TfrmBB_Y"),
        sep("303"),
        child("304", "采购入库统计 &C", "N40Click", "TfrmTJ_CG"),
        child("305", "退货出库统计 &T", "T2Click", "TfrmTJ_TH"),
        child("306", "领用出库统计 &L", "N42Click", "TfrmTJ_LY"),
        child("307", "借用出库统计 &J", "N43Click", "TfrmTJ_JY"),
        child("308", "报损出库统计 &S", "N44Click", "TfrmTJ_BS"),
        child("309", "报溢入库统计 &Y", "N54Click", "TfrmTJ_BY"),
    }});
    MenuEntry s414 = sep("414");
    s414.shownWithoutGrant = true;
    MenuEntry e415 = child("415", "物品包设置 &J", "N61Click", "TfrmAPack");
    e415.shownWithoutGrant = true;
    m.push_back({4, QStringLiteral("基础设置【&B】"), false, {
        modal("400", "单位设置 &D", "D1Click", "TfrmDept"),
        child("401", "部门设置 &U", "N13Click", "TfrmDepartment"),
        sep("402"),
        child("403", "人员管理 &P", "N15Click", "TfrmPerson"),
        child("404", "人员查询 &R", "R4Click", "TfrmP_Q"),
        modal("405", "人员导入 &Y", "R3Click", "TfrmIn_P"),
        sep("406"),
        child("407", "仓库设置 &S", "O1Click", "TfrmStorage"),
        child("408", "货位设置 &P", "N60Click", "TfrmPlace"),
        child("409", "物品分类 &T", "T1Click", "TfrmAType"),
        sep("410"),
        child("411", "物品管理 &A", "A1Click", "TfrmArticle_M"),
        child("412", "物品查询 &W", "N34Click", "TfrmArticle_Q"),
        modal("413", "物品导入 &D", "N37Click", "TfrmIn_A"),
        s414,
        e415,
        sep("416"),
        child("417", "供应商管理 &B", "N3Click", "TfrmMerchant"),
        child("418", "供应商查询 &H", "G2Click", "TfrmM_Q"),
        modal("419", "供应商导入 &G", "G1Click", "TfrmIn_G"),
        sep("420"),
        modal("421", "默认项设置 &M", "M1Click", "TfrmMRX"),
    }});
    m.push_back({5, QStringLiteral("帮助【&H】"), true, {
        {QString(), QStringLiteral("帮助 &H"), QStringLiteral("H2Click"), QString(), EntryKind::Help, true},
        {QString(), QStringLiteral("-"), QString(), QString(), EntryKind::Separator, true},
        {QString(), QStringLiteral("Kelvora网站 &W"), QStringLiteral("N4Click"), QString(), EntryKind::WebSite, true},
        {QString(), QStringLiteral("-"), QString(), QString(), EntryKind::Separator, true},
        {QString(), QStringLiteral("关于 &A"), QStringLiteral("A2Click"), QStringLiteral("TfrmAbout"), EntryKind::Modal, true},
    }});
    return m;
}

} // namespace

const std::vector<TopMenu>& menuCatalogue() {
    static const std::vector<TopMenu> m = build();
    return m;
}

QString menuName(const MenuEntry& e) {
    if (e.kind == EntryKind::Separator) return QStringLiteral("-");
    int blank = e.caption.indexOf(QLatin1Char(' '));
    return blank < 0 ? e.caption : e.caption.left(blank);
}

std::vector<const MenuEntry*> codedEntries() {
    std::vector<const MenuEntry*> out;
    for (const auto& top : menuCatalogue())
        for (const auto& e : top.entries)
            if (!e.code.isEmpty()) out.push_back(&e);
    return out;
}

const MenuEntry* entryByCode(const QString& code) {
    for (const MenuEntry* e : codedEntries())
        if (e->code == code) return e;
    return nullptr;
}

const std::vector<ToolbarButton>& toolbarButtons() {
    static const std::vector<ToolbarButton> b = {
        {QStringLiteral("SpeedButton7"), QStringLiteral("申请单"), QStringLiteral("100")},
        {QStringLiteral("SpeedButton6"), QStringLiteral("采购单"), QStringLiteral("102")},
        {QStringLiteral("SpeedButton5"), QStringLiteral("领用单"), QStringLiteral("105")},
        {QStringLiteral("SpeedButton4"), QStringLiteral("借用单"), QStringLiteral("106")},
        {QStringLiteral("SpeedButton3"), QStringLiteral("归还单"), QStringLiteral("108")},
        {QStringLiteral("SpeedButton2"), QStringLiteral("调拨单"), QStringLiteral("110")},
        {QStringLiteral("SpeedButton1"), QStringLiteral("报损单"), QStringLiteral("112")},
        {QStringLiteral("SpeedButton8"), QStringLiteral("报溢单"), QStringLiteral("113")},
        {QStringLiteral("SpeedButton10"), QStringLiteral("库存物品"), QStringLiteral("200")},
        {QStringLiteral("SpeedButton9"), QStringLiteral("日报表"), QStringLiteral("300")},
        {QStringLiteral("SpeedButton11"), QStringLiteral("帮助"), QStringLiteral("help")},
        {QStringLiteral("SpeedButton12"), QStringLiteral("退出"), QStringLiteral("009")},
    };
    return b;
}
