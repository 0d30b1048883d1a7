// Sample data for trying the program and for benchmarks: storages, places,
// departments, persons, suppliers, types and articles, with opening stock
// booked through the data module's services.

#include "tool/Demo.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/IMCode.h"
#include "platform/Clock.h"
#include "platform/Money.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTextStream>

namespace {

const char* const kStorages[] = {"物品仓库", "备件仓库", "办公用品库"};
const char* const kPlaces[] = {"A-01", "A-02", "B-01", "B-02", "C-01"};
const char* const kDepartments[] = {"办公室", "财务部", "技术部", "生产部", "后勤部", "销售部"};
const char* const kSurnames[] = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴"};
const char* const kGiven[] = {"伟", "芳", "娜", "敏", "静", "强", "磊", "军", "洋", "勇", "艳", "杰", "涛", "明", "超"};
const char* const kTypes[] = {"办公用品", "劳保用品", "电子设备", "五金工具", "清洁用品"};
const char* const kSuppliers[] = {"华兴商贸有限公司", "东方五金店", "宏达办公设备", "新世纪电子", "安康劳保用品"};
struct Item { const char* name; const char* unit; const char* type; double price; };
const Item kItems[] = {
    {"签字笔", "支", "办公用品", 2.5}, {"笔记本", "本", "办公用品", 6}, {"复印纸", "包", "办公用品", 25},
    {"订书机", "个", "办公用品", 18}, {"文件夹", "个", "办公用品", 4.5}, {"劳保手套", "双", "劳保用品", 3.2},
    {"安全帽", "顶", "劳保用品", 35}, {"工作服", "套", "劳保用品", 120}, {"鼠标", "个", "电子设备", 45},
    {"键盘", "个", "电子设备", 89}, {"显示器", "台", "电子设备", 899}, {"打印机", "台", "电子设备", 1299},
    {"螺丝刀", "把", "五金工具", 12}, {"扳手", "把", "五金工具", 28}, {"电钻", "台", "五金工具", 299},
    {"拖把", "把", "清洁用品", 22}, {"洗手液", "瓶", "清洁用品", 15.8}, {"垃圾袋", "卷", "清洁用品", 6.5},
};

QString u(const char* s) { return QString::fromUtf8(s); }

} // namespace

namespace Demo {

int main(const QStringList& argsIn) {
    QTextStream err(stderr), out(stdout);
    QStringList args = argsIn;
    int scale = 1;
    const int at = args.indexOf(QStringLiteral("--scale"));
    if (at >= 0) {
        bool ok = false;
        scale = args.value(at + 1).toInt(&ok);
        if (!ok || scale < 1 || scale > 1000) {
            err << "--scale 需要 1 到 1000 之间的整数\n";
            return 2;
        }
        args.remove(at, 2);
    }
    if (args.size() > 1) {
        err << "用法：kelvora-tool demo [DIR] [--scale N]\n";
        return 2;
    }
    const QString file = QDir(args.value(0).isEmpty() ? QDir::currentPath() : args.value(0)).absoluteFilePath(QStringLiteral("Data/db.edb"));
    try {
        TfrmDM dm;
        dm.open(file);
        Db& db = dm.db();
        Session& s = session();
        s.UserName = QStringLiteral("系统管理员");
        s.LoginDate = Clock::todayText();
        QRandomGenerator rng(20261211);

        Transaction tx(db);
        for (const char* name : kStorages) {
            if (db.count(QStringLiteral("select ID from SStorage where SName=?"), {u(name)}) == 0)
                db.exec(QStringLiteral("insert into SStorage(SName, Remark, thePY) values(?, '', ?)"), {u(name), PinyinCodeOf(u(name))});
        }
        for (const char* name : kPlaces)
            db.exec(QStringLiteral("insert into SPlace(PName, Remark) values(?, '')"), {u(name)});
        for (const char* name : kDepartments)
            db.exec(QStringLiteral("insert into SDepartment(DName, thePY, Remark) values(?, ?, '')"), {u(name), PinyinCodeOf(u(name))});
        for (const char* name : kTypes)
            db.exec(QStringLiteral("insert into UAType(theName, Remark) values(?, '')"), {u(name)});
        for (const char* name : kSuppliers)
            db.exec(QStringLiteral("insert into UMerchant(MName, MPhone, MProson, MAddress, Remark, thePY) values(?, ?, ?, '', '', ?)"),
                    {u(name), QStringLiteral("0571-8%1").arg(rng.bounded(1000000, 9999999)), u("王经理"), PinyinCodeOf(u(name))});
        const int persons = 20 * scale;
        for (int i = 0; i < persons; ++i) {
            QString name = u(kSurnames[rng.bounded(10)]) + u(kGiven[rng.bounded(15)]);
            if (rng.bounded(2)) name += u(kGiven[rng.bounded(15)]);
            const QString dep = u(kDepartments[i % 6]);
            db.exec(QStringLiteral("insert into SPerson(theNum, DName, PName, theJob, thePhone, theIDCard, theAddress, Remark, thePY) "
                                   "values(?, ?, ?, '职员', ?, '', '', '', ?)"),
                    {QStringLiteral("P%1").arg(i + 1, 4, 10, QLatin1Char('0')), dep, name,
                     QStringLiteral("138%1").arg(rng.bounded(10000000, 99999999)), PinyinCodeOf(name)});
        }
        const int articles = 50 * scale;
        const int storages = db.scalar(QStringLiteral("select count(*) from SStorage")).toInt();
        for (int i = 0; i < articles; ++i) {
            const Item& it = kItems[i % (sizeof kItems / sizeof kItems[0])];
            const QString name = u(it.name);
            const QString num = dm.NewNum(QStringLiteral("UArticle"));
            db.exec(QStringLiteral("insert into UArticle(theNum, theDate, AType, AName, AStandard, AUnit, APrice, thePY, Remark, "
                                   "PName, FJCount, YJMin, YJMax, theYJ) values(?, ?, ?, ?, ?, ?, ?, ?, '', ?, 0, 9, 99, ?)"),
                    {num, s.LoginDate, u(it.type), name, QStringLiteral("型号%1").arg(i / 18 + 1), u(it.unit), it.price,
                     PinyinCodeOf(name), u(kPlaces[i % 5]), i % 4 == 0 ? u("是") : u("否")});
            const QString aid = db.scalar(QStringLiteral("select max(ID) from UArticle")).toString();
            const QString sid = QString::number(1 + i % storages);
            const QString qty = Money::text(rng.bounded(1, 200));
            dm.SaveWare(aid, qty, sid);
            dm.mySaveUWList(u("物品导入"), QString(), sid, aid, qty, QStringLiteral("0"));
        }
        tx.commit();
        out << "示例数据已写入：" << file << "（人员 " << persons << "，物品 " << articles << "）\n";
        return 0;
    } catch (const DbError& e) {
        err << e.text() << "\n";
        return 1;
    }
}

} // namespace Demo
