// The layouts of the spreadsheet export, one per window: title text, columns
// (header, width in character units), the columns written as text, the
// columns that carry totals, and the page switches. A column reads the
// result-set field named like its header, except that 出库名称 and 入库名称
// read 出库仓库 and 入库仓库.
#include "exchange/ExcelExport.h"

#include <stdexcept>

namespace ExcelExport {
namespace {

// One row of the standard table. columns: "header width, header, ..." (a
// header without a width keeps the default width); last: the letter of the
// last column, which must agree with the number of columns.
struct StandardRow {
    const char* window;
    const char* title;
    char last;
    const char* columns;
    const char* text;
    const char* totals;
    bool landscape;
};

const StandardRow kStandard[] = {
    {"TfrmArticle_Q", "物品信息", 'I',
     "序号 4, 物品编码 12, 物品分类 12, 物品名称 30, 规格型号 12, 单位 8, 单价 8, 备注 18, 货位名称 12",
     "物品编码", "", true},
    {"TfrmP_Q", "人员信息", 'I',
     "序号 4, 工号 10, 部门名称 10, 人员姓名 10, 职务 10, 联系方式 20, 身份证号 20, 住址 20, 备注 10",
     "工号, 联系方式, 身份证号", "", true},
    {"TfrmM_Q", "供应商信息", 'F',
     "序号 4, 商家名称 20, 电话号码 20, 联系人 10, 地址 30, 备注 30",
     "电话号码", "", true},
    {"TfrmWare_Q", "库存物品一览表", 'L',
     "序号 4, 仓库名称 8, 物品编码 12, 物品分类 10, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 库存数量 8, 库存金额 8, 备注 8, 货位名称 10",
     "物品编码", "库存数量, 库存金额", true},
    {"TfrmIn_CG_Q", "采购表", 'I',
     "序号 4, 编号 10, 采购日期 10, 供应商 20, 采购人 10, 经办人 10, 入库仓库 10, 制单人 10, 备注 30",
     "编号, 采购日期", "", true},
    {"TfrmOut_TH_Q", "退货表", 'I',
     "序号 4, 编号 10, 退货日期 10, 供应商 20, 退货人 10, 经办人 10, 出库仓库 10, 制单人 10, 备注 30",
     "编号, 退货日期", "", true},
    {"TfrmOut_LY_Q", "领用表", 'H',
     "序号 4, 编号 10, 领用日期 10, 部门名称 10, 领用人 10, 经办人 10, 制单人 10, 备注 10",
     "编号, 领用日期", "", false},
    {"TfrmOut_JC_Q", "借用表", 'I',
     "序号 4, 编号 10, 借用日期 10, 部门名称 10, 借用人 10, 审批人 10, 经办人 10, 制单人 10, 备注 40",
     "编号, 借用日期", "", true},
    {"TfrmIn_GH_Q", "归还表", 'G',
     "序号 4, 编号 10, 归还日期 10, 归还人 10, 经办人 10, 制单人 10, 备注 20",
     "编号, 归还日期", "", false},
    {"TfrmDB_Q", "调拨表", 'H',
     "序号 4, 编号 10, 调拨日期 10, 调拨仓库 10, 入库仓库 10, 经办人 10, 制单人 10, 备注 10",
     "编号, 调拨日期", "", false},
    {"TfrmOut_BS_Q", "报损表", 'H',
     "序号 4, 编号 10, 报损日期 10, 出库仓库 10, 审批人 10, 经办人 10, 制单人 10, 备注 10",
     "编号, 报损日期", "", false},
    {"TfrmIn_BY_Q", "报溢表", 'H',
     "序号 4, 编号 10, 报溢日期 10, 入库仓库 10, 审批人 10, 经办人 10, 制单人 10, 备注 10",
     "编号, 报溢日期", "", false},
    {"TfrmSQ_Q", "申请表", 'H',
     "序号 4, 编号 10, 申请日期 10, 部门名称 10, 申请人 10, 经办人 10, 制单人 10, 备注 10",
     "编号, 申请日期", "", false},
    {"TfrmYLB_CG", "采购物品一览表", 'O',
     "序号 4, 编号 8, 采购日期 8, 采购人 8, 供应商 12, 入库仓库 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 数量 8, 金额 8, 备注 8",
     "编号, 采购日期, 物品编码", "数量, 金额", true},
    {"TfrmYLB_TH", "退货物品一览表", 'O',
     "序号 4, 编号 8, 退货日期 8, 退货人 8, 供应商 12, 出库仓库 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 数量 8, 金额 8, 备注 8",
     "编号, 退货日期, 物品编码", "数量, 金额", true},
    {"TfrmYLB_LY", "领用物品一览表", 'Q',
     "序号 4, 编号 8, 领用日期 8, 部门名称 8, 领用人 8, 出库仓库 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 领用数量 8, 金额 8, 归还数量 8, 未还数量 8, 备注 8",
     "编号, 领用日期, 物品编码", "领用数量, 金额, 归还数量, 未还数量", true},
    {"TfrmYLB_JC", "借用物品一览表", 'S',
     "序号 4, 编号 8, 借用日期 8, 部门名称 8, 借用人 8, 批准人 8, 出库仓库 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 借用数量 8, 金额 8, 归还数量 8, 未还数量 8, 备注 8, 归还天数 8",
     "编号, 借用日期, 物品编码", "借用数量, 金额, 归还数量, 未还数量", true},
    {"TfrmYLB_GH", "归还物品一览表", 'N',
     "序号 4, 编号 8, 归还日期 8, 归还人 8, 入库仓库 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 8, 单位 8, 单价 8, 归还数量 8, 金额 8, 备注 8",
     "编号, 归还日期, 物品编码", "归还数量, 金额", true},
    {"TfrmYLB_DB", "调拨物品一览表", 'N',
     "序号 4, 编号 8, 调拨日期 8, 调拨仓库 8, 入库仓库 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 调拨数量 8, 金额 8, 备注 8",
     "编号, 调拨日期, 物品编码", "调拨数量, 金额", true},
    {"TfrmYLB_BS", "报损物品一览表", 'N',
     "序号 4, 编号 8, 报损日期 8, 批准人 8, 出库名称 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 数量 8, 金额 8, 备注 8",
     "编号, 报损日期, 物品编码", "数量, 金额", true},
    {"TfrmYLB_BY", "报溢物品一览表", 'N',
     "序号 4, 编号 8, 报溢日期 8, 批准人 8, 入库名称 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 数量 8, 金额 8, 备注 8",
     "编号, 报溢日期, 物品编码", "数量, 金额", true},
    {"TfrmYLB_SQ", "申请物品一览表", 'Q',
     "序号 4, 编号 8, 申请日期 8, 部门名称 8, 申请人 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 8, 单价 8, 申请数量 8, 金额 8, 已购数量 8, 已领数量 8, 已借数量 8, 备注 8",
     "编号, 申请日期, 物品编码", "申请数量, 金额, 已购数量, 已领数量, 已借数量", true},
    {"TfrmTJ_CG", "采购统计表", 'K',
     "序号 4, 采购人 10, 入库仓库 10, 物品编码 10, 物品分类 10, 物品名称 20, 规格型号 10, 单位 6, 单价 6, 数量 6, 金额 8",
     "物品编码", "数量, 金额", true},
    {"TfrmTJ_TH", "退货统计表", 'K',
     "序号 4, 退货人 10, 出库仓库 10, 物品编码 10, 物品分类 10, 物品名称 20, 规格型号 10, 单位 6, 单价 6, 数量 6, 金额 8",
     "物品编码", "数量, 金额", true},
    {"TfrmTJ_LY", "领用统计表", 'L',
     "序号 4, 部门名称 10, 领用人 10, 物品编码 10, 物品分类 10, 物品名称 20, 规格型号 10, 单位 6, 单价 6, 数量 6, 金额 8, 归还数量",
     "物品编码", "数量, 金额, 归还数量", true},
    {"TfrmTJ_JY", "借用统计表", 'M',
     "序号 4, 部门名称 8, 借用人 8, 物品编码 10, 物品分类 8, 物品名称 20, 规格型号 10, 单位 6, 单价 6, 数量 6, 金额 8, 归还数量 6, 未还数量 6",
     "物品编码", "数量, 金额, 归还数量, 未还数量", true},
    {"TfrmTJ_BS", "报损统计表", 'I',
     "序号 4, 物品编码 10, 物品分类 10, 物品名称 20, 规格型号 10, 单位 6, 单价 6, 数量 8, 金额",
     "物品编码", "数量, 金额", true},
    {"TfrmTJ_BY", "报溢统计表", 'I',
     "序号 4, 物品编码 10, 物品分类 10, 物品名称 20, 规格型号 10, 单位 6, 单价 6, 数量 8, 金额",
     "物品编码", "数量, 金额", true},
    {"TfrmBB_D", "日报表", 'T',
     "序号 4, 操作日期, 申请单数, 申请数量, 申请金额, 采购单数, 采购数量, 采购金额, 领用单数, 领用数量, 领用金额, 借用单数, 借用数量, 借用金额, 归还单数, 归还数量, 归还金额, 报损单数, 报损数量, 报损金额",
     "操作日期", "", true},
    {"TfrmBB_M", "月报表", 'T',
     "序号 4, 操作月份, 申请单数, 申请数量, 申请金额, 采购单数, 采购数量, 采购金额, 领用单数, 领用数量, 领用金额, 借用单数, 借用数量, 借用金额, 归还单数, 归还数量, 归还金额, 报损单数, 报损数量, 报损金额",
     "操作月份", "", true},
    {"TfrmBB_Y", "年报表", 'T',
     "序号 4, 操作年份, 申请单数, 申请数量, 申请金额, 采购单数, 采购数量, 采购金额, 领用单数, 领用数量, 领用金额, 借用单数, 借用数量, 借用金额, 归还单数, 归还数量, 归还金额, 报损单数, 报损数量, 报损金额",
     "操作年份", "", true},
};

QStringList list(const char* csv) {
    QStringList out;
    for (const QString& part : QString::fromUtf8(csv).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty()) out << part.trimmed();
    return out;
}

QString fieldOf(const QString& header) {
    if (header == QStringLiteral("出库名称")) return QStringLiteral("出库仓库");
    if (header == QStringLiteral("入库名称")) return QStringLiteral("入库仓库");
    return header;
}

std::vector<Column> columns(const char* spec, const char* textColumns, char last = 0) {
    const QStringList text = list(textColumns);
    std::vector<Column> out;
    for (const QString& item : list(spec)) {
        Column c;
        const int space = item.lastIndexOf(QLatin1Char(' '));
        bool ok = false;
        const double w = space > 0 ? item.mid(space + 1).toDouble(&ok) : 0;
        c.header = ok ? item.left(space).trimmed() : item;
        c.width = ok ? w : 0;
        c.text = text.contains(c.header);
        c.field = fieldOf(c.header);
        out.push_back(c);
    }
    for (const QString& t : text) {
        bool found = false;
        for (const Column& c : out) found = found || c.header == t;
        if (!found) throw std::logic_error("export layout: text column " + t.toStdString() + " is not a column");
    }
    if (last && static_cast<int>(out.size()) != last - 'A' + 1)
        throw std::logic_error(std::string("export layout: columns do not end at ") + last);
    return out;
}

std::vector<Layout> makeLayouts() {
    std::vector<Layout> all;
    for (const StandardRow& r : kStandard) {
        Layout l;
        l.window = QString::fromLatin1(r.window);
        l.title = QString::fromUtf8(r.title);
        l.kind = Kind::Standard;
        l.columns = columns(r.columns, r.text, r.last);
        l.totals = list(r.totals);
        l.landscape = r.landscape;
        l.footer = true;
        l.checkRight = true;
        l.captionWithoutUnit = l.window == QLatin1String("TfrmTJ_JY") || l.window == QLatin1String("TfrmTJ_BS");
        for (const QString& t : l.totals) {
            bool found = false;
            for (const Column& c : l.columns) found = found || c.header == t;
            if (!found) throw std::logic_error("export layout: total " + t.toStdString() + " is not a column");
        }
        all.push_back(l);
    }

    // The movement ledger of one article in one storage: its caption is the
    // title; headers in row 1; no title row, formatting or page setup.
    {
        Layout l;
        l.window = QStringLiteral("TfrmWList");
        l.kind = Kind::Ledger;
        l.columns = columns("序号 4, 日期 10, 用户 12, 操作事件 10, 编号 10, 入库数量 10, 出库数量 10, 库存数量", "编号", 'H');
        l.checkRight = true;
        all.push_back(l);
    }
    // The lists of articles and persons not issued in a period.
    {
        Layout l;
        l.window = QStringLiteral("TfrmW_A");
        l.title = QStringLiteral("物品信息");
        l.kind = Kind::Plain;
        l.columns = columns("序号, 物品编码, 物品分类, 物品名称, 规格型号, 单位, 单价, 备注", "物品编码", 'H');
        l.checkRight = false;
        all.push_back(l);
    }
    {
        Layout l;
        l.window = QStringLiteral("TfrmW_P");
        l.title = QStringLiteral("人员信息");
        l.kind = Kind::Plain;
        l.columns = columns("序号, 部门名称, 人员姓名, 职务, 联系方式, 身份证号, 住址, 备注", "联系方式, 身份证号", 'H');
        l.checkRight = false;
        all.push_back(l);
    }
    // The flow report: one row per stock row with its ten flow sums; the
    // window appends its date range to the title.
    {
        Layout l;
        l.window = QStringLiteral("TfrmWQ_D");
        l.title = QStringLiteral("物品流动报表 ");
        l.kind = Kind::Standard;
        l.columns = columns("序号 4, 仓库名称 10, 物品编码 10, 物品分类 10, 物品名称 30, 规格型号 10, 单位 8, 单价 8, "
                            "库存数量 8, 库存金额 8, 备注 8, 申请数量 8, 采购数量 8, 退货数量 8, 领用数量 8, "
                            "借用数量 8, 归还数量 8, 调出数量 8, 调入数量 8, 报损数量 8, 报溢数量",
                            "物品编码", 'U');
        l.landscape = true;
        l.footer = true;
        l.checkRight = false;
        all.push_back(l);
    }
    // The flow record of one article: its data, then six sections.
    {
        Layout l;
        l.window = QStringLiteral("TfrmLDJL");
        l.title = QStringLiteral("物品流动记录表");
        l.kind = Kind::FlowRecord;
        // Row 2 names the article's values of row 3 in columns B to G.
        l.columns = columns("序号 4, 物品名称 10, 规格 10, 单位 10, 单价 10, 所在仓库 10, 库存数量 20", "", 'G');
        l.checkRight = false;
        const struct { const char* title; const char* columns; const char* text; } sections[] = {
            {"采购记录", "序号, 采购日期, 采购人, 数量, 单价, 金额, 供应商", "采购日期"},
            {"领用记录", "序号, 领用日期, 领用人, 数量", "领用日期"},
            {"借出记录", "序号, 借用日期, 借用人, 批准人, 数量", "借用日期"},
            {"归还记录", "序号, 归还日期, 归还人, 数量", "归还日期"},
            {"报损记录", "序号, 报损日期, 批准人, 数量", "报损日期"},
            {"报溢记录", "序号, 报溢日期, 批准人, 数量", "报溢日期"},
        };
        for (const auto& s : sections) l.sections.push_back({QString::fromUtf8(s.title), columns(s.columns, s.text)});
        all.push_back(l);
    }
    return all;
}

} // namespace

const std::vector<Layout>& layouts() {
    static const std::vector<Layout> all = makeLayouts();
    return all;
}

const Layout* layout(const QString& window) {
    for (const Layout& l : layouts())
        if (l.window == window) return &l;
    return nullptr;
}

} // namespace ExcelExport
