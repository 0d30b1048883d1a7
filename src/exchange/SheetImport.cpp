#include "exchange/SheetImport.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/IMCode.h"
#include "platform/Db.h"
#include "platform/Gbk.h"
#include "platform/Money.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

#include <vector>

namespace SheetImport {
namespace {

QStringList words(const char* csv) {
    QStringList out;
    for (const QString& w : QString::fromUtf8(csv).split(QLatin1Char(','))) out << w.trimmed();
    return out;
}

const QString kNothing = QStringLiteral("\n没有导入任何数据。");

// Column -> width of the columns of a table that refuse longer values.
QHash<QString, int> widthsOf(Db& db, const QString& table) {
    QHash<QString, int> out;
    const QString sql = db.scalar(QStringLiteral("select sql from sqlite_master where type='table' and name=?"), {table}).toString();
    static const QRegularExpression check(QStringLiteral("CHECK \\(length\\((\\w+)\\) <= (\\d+)\\)"));
    auto it = check.globalMatch(sql);
    while (it.hasNext()) {
        const auto m = it.next();
        out.insert(m.captured(1).toLower(), m.captured(2).toInt());
    }
    return out;
}

// The values of one sheet row, by header, trimmed.
class Rows {
public:
    Rows(const SheetTable& t, const QStringList& headers) : t_(t) {
        requireHeaders(t, headers);
        for (const QString& h : headers) cols_.insert(h, t.column(h));
    }
    int count() const { return t_.rows.size(); }
    int sheetRow(int r) const { return r < t_.rowNumbers.size() ? t_.rowNumbers[r] : r + 2; }
    QString value(int r, const QString& header) const {
        const int c = cols_.value(header, -1);
        const QStringList& row = t_.rows[r];
        return (c >= 0 && c < row.size()) ? row[c].trimmed() : QString();
    }

private:
    const SheetTable& t_;
    QHash<QString, int> cols_;
};

QString cut(const QString& text, int bytes) { return Gbk::truncateToBytes(text, bytes); }

// Checks a value against the width of the column it goes to.
class Widths {
public:
    Widths(Db& db, const QString& table) : w_(widthsOf(db, table)) {}
    // The value under header in row r, cut to bytes of GBK and checked against column.
    QString field(const Rows& rows, int r, const QString& header, int bytes, const QString& column) const {
        const QString v = cut(rows.value(r, header), bytes);
        check(rows.sheetRow(r), header, column, v);
        return v;
    }
    void check(int sheetRow, const QString& header, const QString& column, const QString& value) const {
        const int w = w_.value(column.toLower(), 0);
        if (w > 0 && value.size() > w)
            throw SheetError(QStringLiteral("Excel文件第 %1 行的“%2”太长（最多 %3 个字符）：%4").arg(sheetRow).arg(header).arg(w).arg(value) + kNothing);
    }

private:
    QHash<QString, int> w_;
};

// A quantity or price: empty is 0; otherwise a plain number, not below 0.
double number(int sheetRow, const QString& header, const QString& text) {
    if (text.isEmpty()) return 0;
    double v = 0;
    if (!Money::parse(text, &v))
        throw SheetError(QStringLiteral("Excel文件第 %1 行的“%2”不是数字：%3").arg(sheetRow).arg(header, text) + kNothing);
    if (v < 0)
        throw SheetError(QStringLiteral("Excel文件第 %1 行的“%2”不能小于0：%3").arg(sheetRow).arg(header, text) + kNothing);
    return v;
}

// Creates a named row of a small register once; later rows find it.
class Register {
public:
    Register(Db& db, QString select, QString insert) : db_(db), select_(std::move(select)), insert_(std::move(insert)) {}
    void ensure(const QString& name, const QVariantList& insertParams) {
        if (name.isEmpty() || known_.contains(name)) return;
        if (!db_.scalar(select_, {name}).isValid()) db_.exec(insert_, insertParams);
        known_.insert(name);
    }

private:
    Db& db_;
    QString select_, insert_;
    QSet<QString> known_;
};

} // namespace

const QStringList& articleHeaders() {
    static const QStringList h = words("物品编码,物品分类,物品名称,规格型号,单位,单价,库存数量,备注,货位名称");
    return h;
}
const QStringList& personHeaders() {
    static const QStringList h = words("工号,部门名称,人员姓名,职务,联系方式,身份证号,住址,备注");
    return h;
}
const QStringList& supplierHeaders() {
    static const QStringList h = words("商家名称,电话号码,联系人,地址,备注");
    return h;
}

void requireHeaders(const SheetTable& table, const QStringList& headers) {
    QStringList missing;
    for (const QString& h : headers)
        if (table.column(h) < 0) missing << h;
    if (!missing.isEmpty())
        throw SheetError(QStringLiteral("Sheet1 的第一行缺少表格头部：%1\n第一行应为：%2")
                             .arg(missing.join(QStringLiteral("、")), headers.join(QStringLiteral("、"))));
}

int importArticles(TfrmDM& dm, const SheetTable& table, const ArticleOptions& options) {
    Db& db = dm.db();
    const Rows rows(table, articleHeaders());
    if (options.saveStock && options.storageId.isEmpty()) throw SheetError(QStringLiteral("请选择 仓库名称！"));

    struct Article {
        QString code, type, name, spec, unit, remark, place, py;
        double price = 0, quantity = 0;
    };
    std::vector<Article> list;
    list.reserve(rows.count());
    const Widths article(db, QStringLiteral("UArticle"));
    for (int r = 0; r < rows.count(); ++r) {
        const int at = rows.sheetRow(r);
        Article a;
        const QString nameAsRead = rows.value(r, QStringLiteral("物品名称"));
        a.py = PinyinCodeOf(nameAsRead);
        a.name = cut(nameAsRead, 50);
        a.name.remove(QLatin1Char(')')).remove(QLatin1Char('?'));
        if (a.name.isEmpty()) continue;  // a row without a name is no article
        article.check(at, QStringLiteral("物品名称"), QStringLiteral("AName"), a.name);
        a.code = article.field(rows, r, QStringLiteral("物品编码"), 16, QStringLiteral("theNum"));
        a.spec = article.field(rows, r, QStringLiteral("规格型号"), 20, QStringLiteral("AStandard"));
        a.unit = article.field(rows, r, QStringLiteral("单位"), 10, QStringLiteral("AUnit"));
        a.remark = article.field(rows, r, QStringLiteral("备注"), 50, QStringLiteral("Remark"));
        a.type = article.field(rows, r, QStringLiteral("物品分类"), 20, QStringLiteral("AType"));
        a.place = article.field(rows, r, QStringLiteral("货位名称"), 20, QStringLiteral("PName"));
        a.price = number(at, QStringLiteral("单价"), rows.value(r, QStringLiteral("单价")));
        if (options.saveStock) a.quantity = number(at, QStringLiteral("库存数量"), rows.value(r, QStringLiteral("库存数量")));
        list.push_back(std::move(a));
    }

    Transaction tx(db);
    Register types(db, QStringLiteral("Select ID from UAType Where theName=?"),
                   QStringLiteral("Insert InTo UAType(theName,Remark) Values(?,'')"));
    Register places(db, QStringLiteral("Select ID from SPlace Where PName=?"),
                    QStringLiteral("Insert InTo SPlace(PName,Remark) Values(?,'')"));
    int inserted = 0;
    for (Article& a : list) {
        // A row without a code gets the next article number of the login date.
        if (a.code.isEmpty()) a.code = dm.NewNum(QStringLiteral("UArticle"));
        QVariant id = db.scalar(QStringLiteral("select ID from UArticle Where theNum=? order by ID limit 1"), {a.code});
        if (!id.isValid()) {
            types.ensure(a.type, {a.type});
            places.ensure(a.place, {a.place});
            db.exec(QStringLiteral("Insert InTo UArticle(AType,AName,AStandard,AUnit,APrice,thePY,Remark,theNum,theDate,"
                                   "FJCount,YJMin,YJMax,theYJ,PName) Values(?,?,?,?,?,?,?,?,?,0,9,99,'否',?)"),
                    {a.type, a.name, a.spec, a.unit, Money::round4(a.price), a.py, a.remark, a.code,
                     session().LoginDate, a.place});
            id = db.lastInsertId();
            ++inserted;
        }
        // The opening stock is booked for new and existing articles alike.
        if (options.saveStock) {
            const QString q = Money::text(a.quantity);
            dm.SaveWare(id.toString(), q, options.storageId);
            dm.mySaveUWList(QStringLiteral("物品导入"), QString(), options.storageId, id.toString(), q, QStringLiteral("0"));
        }
    }
    tx.commit();
    return inserted;
}

int importPersons(TfrmDM& dm, const SheetTable& table) {
    Db& db = dm.db();
    const Rows rows(table, personHeaders());
    struct Person {
        QString num, dept, name, job, phone, idCard, address, remark, py;
    };
    std::vector<Person> list;
    const Widths person(db, QStringLiteral("SPerson"));
    const Widths department(db, QStringLiteral("SDepartment"));
    for (int r = 0; r < rows.count(); ++r) {
        const int at = rows.sheetRow(r);
        Person p;
        const QString nameAsRead = rows.value(r, QStringLiteral("人员姓名"));
        p.py = cut(PinyinCodeOf(nameAsRead), 20);
        p.name = cut(nameAsRead, 20);
        if (p.name.isEmpty()) continue;
        p.num = person.field(rows, r, QStringLiteral("工号"), 16, QStringLiteral("theNum"));
        p.dept = person.field(rows, r, QStringLiteral("部门名称"), 20, QStringLiteral("DName"));
        department.check(at, QStringLiteral("部门名称"), QStringLiteral("DName"), p.dept);
        person.check(at, QStringLiteral("人员姓名"), QStringLiteral("PName"), p.name);
        p.job = person.field(rows, r, QStringLiteral("职务"), 20, QStringLiteral("theJob"));
        p.phone = person.field(rows, r, QStringLiteral("联系方式"), 50, QStringLiteral("thePhone"));
        p.idCard = person.field(rows, r, QStringLiteral("身份证号"), 18, QStringLiteral("theIDCard"));
        p.address = person.field(rows, r, QStringLiteral("住址"), 50, QStringLiteral("theAddress"));
        p.remark = person.field(rows, r, QStringLiteral("备注"), 50, QStringLiteral("Remark"));
        list.push_back(std::move(p));
    }

    Transaction tx(db);
    Register departments(db, QStringLiteral("Select ID from SDepartment Where DName=?"),
                         QStringLiteral("Insert InTo SDepartment(DName,thePY,Remark) Values(?,?,'')"));
    int inserted = 0;
    for (const Person& p : list) {
        // Staff numbers are unique; a row whose number exists (the empty one included) is skipped.
        if (db.scalar(QStringLiteral("select ID from SPerson Where theNum=?"), {p.num}).isValid()) continue;
        departments.ensure(p.dept, {p.dept, PinyinCodeOf(p.dept)});
        db.exec(QStringLiteral("Insert InTo SPerson(DName,PName,theJob,thePhone,theIDCard,theAddress,Remark,thePY,theNum) "
                               "Values(?,?,?,?,?,?,?,?,?)"),
                {p.dept, p.name, p.job, p.phone, p.idCard, p.address, p.remark, p.py, p.num});
        ++inserted;
    }
    tx.commit();
    return inserted;
}

int importSuppliers(TfrmDM& dm, const SheetTable& table) {
    Db& db = dm.db();
    const Rows rows(table, supplierHeaders());
    struct Supplier {
        QString name, phone, contact, address, remark, py;
    };
    std::vector<Supplier> list;
    const Widths merchant(db, QStringLiteral("UMerchant"));
    for (int r = 0; r < rows.count(); ++r) {
        const int at = rows.sheetRow(r);
        Supplier s;
        const QString nameAsRead = rows.value(r, QStringLiteral("商家名称"));
        s.py = cut(PinyinCodeOf(nameAsRead), 40);
        s.name = cut(nameAsRead, 40);
        if (s.name.isEmpty()) continue;
        merchant.check(at, QStringLiteral("商家名称"), QStringLiteral("MName"), s.name);
        s.phone = merchant.field(rows, r, QStringLiteral("电话号码"), 20, QStringLiteral("MPhone"));
        s.contact = merchant.field(rows, r, QStringLiteral("联系人"), 20, QStringLiteral("MProson"));
        s.address = merchant.field(rows, r, QStringLiteral("地址"), 30, QStringLiteral("MAddress"));
        s.remark = merchant.field(rows, r, QStringLiteral("备注"), 50, QStringLiteral("Remark"));
        list.push_back(std::move(s));
    }

    Transaction tx(db);
    int inserted = 0;
    for (const Supplier& s : list) {
        if (db.scalar(QStringLiteral("select ID from UMerchant Where MName=?"), {s.name}).isValid()) continue;
        db.exec(QStringLiteral("Insert InTo UMerchant(MName,MPhone,MProson,MAddress,Remark,thePY) Values(?,?,?,?,?,?)"),
                {s.name, s.phone, s.contact, s.address, s.remark, s.py});
        ++inserted;
    }
    tx.commit();
    return inserted;
}

} // namespace SheetImport
