// The register window design and its seven members: saving, the duplicate
// check, pinyin initials, edits, delete guards and rights, through the logic
// and through the real windows offscreen.
#include "AppFixture.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "app/WindowRegistry.h"
#include "master/FindArticle6.h"
#include "master/MasterWindows.h"
#include "master/PackContents.h"
#include "master/RegisterLogic.h"
#include "master/RegisterMembers.h"
#include "master/TfrmAPList.h"
#include "master/TfrmRegister.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// What differs between the members, as the tests see it.
struct MemberCase {
    const char* cls;
    const char* emptyMessage;  // the key left empty
    const char* keyEditor;     // focused after it
    const char* duplicateMessage;
    const char* expectedPinyin;  // nullptr: the table has no pinyin column
    // Makes the row with this ID and key undeletable; nullptr: no guard.
    std::function<void(AppFixture&, qlonglong id, const QString& key)> block;
    const char* guardMessage;  // %1: the key
};

class Registers : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
    }

    // Values for every editor: the key in the unique column, "张三" in a
    // separate name column (the person's), a department for the drop-down.
    static RegisterValues valuesFor(const RegisterSpec& s, const QString& key) {
        RegisterValues v;
        for (const RegisterEditor& e : s.editors) {
            if (e.column == s.uniqueColumn) v.insert(e.column, key);
            else if (e.kind == EditorKind::Lookup) v.insert(e.column, QStringLiteral("行政部"));
            else if (e.column == s.pinyinFrom) v.insert(e.column, QStringLiteral("张三"));
            else v.insert(e.column, QStringLiteral("备注").left(e.maxLength));
        }
        return v;
    }

    // The row of the load query with this ID, by field name.
    RegisterRow rowOf(const RegisterLogic& logic, qlonglong id) {
        QSqlQuery q = dm->db().query(logic.loadSql());
        while (q.next()) {
            if (q.value(logic.spec().idField).toLongLong() != id) continue;
            RegisterRow row;
            for (int i = 0; i < q.record().count(); ++i) row.insert(q.record().fieldName(i), q.value(i));
            return row;
        }
        return {};
    }

    int rows(const RegisterSpec& s) { return count(QStringLiteral("select * from %1").arg(s.table)); }
    QString column(const RegisterSpec& s, const QString& col, qlonglong id) {
        return scalar(QStringLiteral("select %1 from %2 where ID=?").arg(col, s.table), {id}).toString();
    }
};

const MemberCase kMembers[] = {
    {"TfrmStorage", "仓库名称 不能为空！请重新录入！", "DBEdit1", "仓库名称 添加重复！", "CKBOX12",
     [](AppFixture&, qlonglong id, const QString&) {
         // A stock row blocks the deletion whatever its quantity.
         DM().db().exec(QStringLiteral("insert into UWare(AID, SID, WCount) values(1, ?, 0)"), {id});
     },
     "%1 有物品库存信息，不能删除！"},
    {"TfrmPlace", "货位名称 不能为空！请重新录入！", "DBEdit1", "货位名称 添加重复！", nullptr, nullptr, nullptr},
    {"TfrmDepartment", "部门名称 不能为空！请重新录入！", "DBEdit1", "部门名称 添加重复！", "CKBOX12",
     [](AppFixture&, qlonglong, const QString& key) {
         DM().db().exec(QStringLiteral("insert into SPerson(theNum, DName, PName) values('9', ?, '李四')"), {key});
     },
     "该 部门 下有 人员 记录，不能删除！"},
    {"TfrmPerson", "工号 不能为空！请重新录入！", "DBEdit7", "工号 添加重复！", "ZS", nullptr, nullptr},
    {"TfrmMerchant", "商家名称 不能为空！请重新录入！", "DBEdit1", "商家名称 添加重复！", "CKBOX12", nullptr, nullptr},
    {"TfrmAType", "分类名称 不能为空！请重新录入！", "DBEdit1", "分类名称 添加重复！", nullptr, nullptr, nullptr},
    {"TfrmAPack", "物品包 不能为空！请重新录入！", "DBEdit1", "物品包 添加重复！", nullptr, nullptr, nullptr},
};

const QString kKey = QStringLiteral("仓库Box-12");

} // namespace

TEST_F(Registers, EveryMemberThroughTheLogic) {
    for (const MemberCase& m : kMembers) {
        SCOPED_TRACE(m.cls);
        const RegisterSpec& s = RegisterMembers::spec(QString::fromLatin1(m.cls));
        RegisterLogic logic(s, *dm);
        const int before = rows(s);

        // The empty key: the member's message, the key editor focused, nothing stored.
        RegisterResult r = logic.saveNew(valuesFor(s, QStringLiteral("   ")));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QString::fromUtf8(m.emptyMessage));
        EXPECT_EQ(r.focus, QString::fromLatin1(m.keyEditor));
        EXPECT_EQ(rows(s), before);

        // Insert, then the same key again.
        r = logic.saveNew(valuesFor(s, kKey));
        ASSERT_TRUE(r.ok);
        const qlonglong first = r.id;
        r = logic.saveNew(valuesFor(s, kKey));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QString::fromUtf8(m.duplicateMessage));
        EXPECT_EQ(rows(s), before + 1);

        // Pinyin initials where the table keeps them.
        if (m.expectedPinyin) {
            EXPECT_EQ(column(s, QStringLiteral("thePY"), first), QString::fromUtf8(m.expectedPinyin));
        }

        // An edit may rename a record to a key that exists.
        r = logic.saveNew(valuesFor(s, QStringLiteral("second")));
        ASSERT_TRUE(r.ok);
        const qlonglong second = r.id;
        r = logic.saveEdit(second, valuesFor(s, kKey));
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(column(s, s.uniqueColumn, second), kKey);
        // An edit checks the key like an insert.
        r = logic.saveEdit(second, valuesFor(s, QString()));
        EXPECT_EQ(r.message, QString::fromUtf8(m.emptyMessage));

        // Withheld rights: no edit, no delete, no question.
        session().CanModify = QStringLiteral("否");
        session().CanDelete = QStringLiteral("否");
        EXPECT_FALSE(logic.mayStartEdit(true, kKey));
        ui->answers.enqueue(true);
        r = logic.remove(rowOf(logic, second), [this] { return confirmDelete(); });
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(ui->messages.isEmpty());
        EXPECT_EQ(rows(s), before + 2);
        session().CanModify = QStringLiteral("是");
        session().CanDelete = QString();  // empty grants
        ui->answers.clear();
        EXPECT_TRUE(logic.mayStartEdit(true, kKey));
        EXPECT_FALSE(logic.mayStartEdit(true, QString()));
        EXPECT_FALSE(logic.mayStartEdit(false, kKey));

        // No at the question keeps the row, Yes deletes it.
        r = logic.remove(rowOf(logic, second), [this] { return confirmDelete(); });
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(rows(s), before + 2);
        ASSERT_EQ(ui->messages.size(), 1);
        EXPECT_EQ(ui->messages[0].text, QStringLiteral("确认要删除吗？该删除将不可恢复！"));
        EXPECT_EQ(ui->messages[0].caption, QStringLiteral("删除"));
        ui->answers.enqueue(true);
        r = logic.remove(rowOf(logic, second), [this] { return confirmDelete(); });
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(rows(s), before + 1);
        ui->clear();

        // The delete guard, where there is one.
        if (m.block) {
            m.block(*this, first, kKey);
            ui->answers.enqueue(true);
            r = logic.remove(rowOf(logic, first), [this] { return confirmDelete(); });
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, QString::fromUtf8(m.guardMessage).replace(QStringLiteral("%1"), kKey));
            EXPECT_TRUE(ui->messages.isEmpty()) << "no question when a guard refuses";
            EXPECT_EQ(rows(s), before + 1);
            ui->answers.clear();
        }
        ui->clear();
    }
}

TEST_F(Registers, NamesWithQuotesPercentAndUnderscoreAreExact) {
    const RegisterSpec& s = RegisterMembers::spec(QStringLiteral("TfrmPlace"));
    RegisterLogic logic(s, *dm);
    ASSERT_TRUE(logic.saveNew(valuesFor(s, QStringLiteral("A'1x9"))).ok);
    // As a pattern "A'1_%" would match "A'1x9"; as a name it does not.
    EXPECT_TRUE(logic.saveNew(valuesFor(s, QStringLiteral("A'1_%"))).ok);
    EXPECT_EQ(logic.saveNew(valuesFor(s, QStringLiteral("A'1_%"))).message, QStringLiteral("货位名称 添加重复！"));
    EXPECT_EQ(count(QStringLiteral("select * from SPlace where PName=?"), {QStringLiteral("A'1_%")}), 1);
}

TEST_F(Registers, PersonChecksNumberDepartmentAndNameInOrder) {
    const RegisterSpec& s = RegisterMembers::spec(QStringLiteral("TfrmPerson"));
    RegisterLogic logic(s, *dm);
    struct Case { const char* num; const char* dept; const char* name; const char* message; const char* focus; } cases[] = {
        {"", "", "", "工号 不能为空！请重新录入！", "DBEdit7"},
        {"001", "", "", "部门名称 不能为空！请选择 部门名称！", "DBLookupComboBox1"},
        {"001", "行政部", "", "人员姓名 不能为空！请重新录入！", "DBEdit1"},
    };
    for (const Case& c : cases) {
        RegisterValues v = valuesFor(s, QString::fromUtf8(c.num));
        v[QStringLiteral("DName")] = QString::fromUtf8(c.dept);
        v[QStringLiteral("PName")] = QString::fromUtf8(c.name);
        const RegisterResult r = logic.saveNew(v);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
        EXPECT_EQ(r.focus, QString::fromLatin1(c.focus));
    }
    // Unique by number: the same name under another number is a new person.
    RegisterValues a = valuesFor(s, QStringLiteral("001")), b = valuesFor(s, QStringLiteral("002"));
    EXPECT_TRUE(logic.saveNew(a).ok);
    EXPECT_TRUE(logic.saveNew(b).ok);
    EXPECT_EQ(count(QStringLiteral("select * from SPerson where PName='张三' and thePY='ZS'")), 2);
}

TEST_F(Registers, NewStorageIsGrantedToItsCreator) {
    session().UserID = QStringLiteral("7");
    const RegisterSpec& s = RegisterMembers::spec(QStringLiteral("TfrmStorage"));
    RegisterLogic logic(s, *dm);
    ASSERT_TRUE(logic.saveNew(valuesFor(s, QStringLiteral("二号库"))).ok);
    EXPECT_EQ(count(QStringLiteral("select * from SLW where UID=7 and SName='二号库'")), 1);
    // A refused insert grants nothing.
    logic.saveNew(valuesFor(s, QStringLiteral("二号库")));
    EXPECT_EQ(count(QStringLiteral("select * from SLW where SName='二号库'")), 1);
}

TEST_F(Registers, EditorsFollowTheColumnWidths) {
    // A save never fails on a value the editor let through.
    for (const QString& cls : RegisterMembers::basicRegisters()) {
        SCOPED_TRACE(cls.toStdString());
        const RegisterSpec& s = RegisterMembers::spec(cls);
        RegisterLogic logic(s, *dm);
        RegisterValues v;
        for (const RegisterEditor& e : s.editors) {
            if (e.kind == EditorKind::Lookup) v.insert(e.column, QStringLiteral("行政部"));
            else {
                ASSERT_GT(e.maxLength, 0) << e.name.toStdString();
                v.insert(e.column, QString(e.maxLength, QChar(0x5E93)));  // 库 repeated
            }
        }
        EXPECT_TRUE(logic.saveNew(v).ok);
    }
}

// ---- the real windows -------------------------------------------------------

class RegisterWindows : public Registers {
protected:
    std::unique_ptr<TfrmRegister> open(const char* cls) {
        auto w = std::unique_ptr<TfrmRegister>(RegisterMembers::create(QString::fromLatin1(cls)));
        w->show();
        return w;
    }
    static QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }
    static void click(QWidget* w, const char* name) {
        QPushButton* b = button(w, name);
        ASSERT_TRUE(b) << name;
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void type(TfrmRegister* w, const char* editor, const QString& text) {
        QLineEdit* e = w->lineEdit(QString::fromLatin1(editor));
        ASSERT_TRUE(e) << editor;
        e->clear();
        // One key event per character, as typing (also for characters without a key).
        for (QChar c : text) QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
};

TEST_F(RegisterWindows, StorageNewSaveDuplicateAndClose) {
    session().UserID = QStringLiteral("1");
    auto w = open("TfrmStorage");
    EXPECT_EQ(w->windowTitle(), QStringLiteral("仓库设置"));
    EXPECT_EQ(w->rowCount(), 1);  // 物品仓库
    EXPECT_EQ(w->state(), TfrmRegister::State::Browse);
    EXPECT_FALSE(w->lineEdit(QStringLiteral("DBEdit1"))->isEnabled());
    EXPECT_EQ(w->lineEdit(QStringLiteral("DBEdit1"))->text(), QStringLiteral("物品仓库"));

    click(w.get(), "ButNew");
    EXPECT_EQ(w->state(), TfrmRegister::State::Inserting);
    EXPECT_FALSE(button(w.get(), "ButSaveEdit")->isVisible());
    EXPECT_FALSE(w->grid()->isEnabled());
    EXPECT_EQ(w->focusWidget(), w->editor(QStringLiteral("DBEdit1")));
    type(w.get(), "DBEdit1", QStringLiteral("Box-12"));
    // Enter moves on to the remark.
    QTest::keyClick(w->editor(QStringLiteral("DBEdit1")), Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), w->editor(QStringLiteral("DBEdit2")));
    type(w.get(), "DBEdit2", QStringLiteral("north"));
    click(w.get(), "ButSave");
    EXPECT_TRUE(ui->messages.isEmpty()) << ui->lastText().toStdString();
    EXPECT_EQ(w->state(), TfrmRegister::State::Browse);
    EXPECT_EQ(w->rowCount(), 2);
    EXPECT_EQ(count(QStringLiteral("select * from SStorage where SName='Box-12' and Remark='north' and thePY='BOX12'")), 1);
    EXPECT_EQ(count(QStringLiteral("select * from SLW where UID=1 and SName='Box-12'")), 1);

    // The same name again: the message, and the entry stays.
    click(w.get(), "ButNew");
    type(w.get(), "DBEdit1", QStringLiteral("box-12"));  // names ignore ASCII case
    click(w.get(), "ButSave");
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("仓库名称 添加重复！")});
    EXPECT_EQ(w->state(), TfrmRegister::State::Inserting);
    EXPECT_EQ(w->lineEdit(QStringLiteral("DBEdit1"))->text(), QStringLiteral("box-12"));
    click(w.get(), "ButCan");
    EXPECT_EQ(w->state(), TfrmRegister::State::Browse);
    EXPECT_EQ(count(QStringLiteral("select * from SStorage")), 2);

    // The restart note on every close.
    ui->clear();
    click(w.get(), "ButExi");
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("如果您新增了仓库，请重新打开软件！")});
}

TEST_F(RegisterWindows, EditKeepsTheRowAndRightsAreSilent) {
    auto w = open("TfrmAType");
    // An empty register: edit and delete do nothing.
    click(w.get(), "ButMed");
    EXPECT_EQ(w->state(), TfrmRegister::State::Browse);
    click(w.get(), "ButDel");
    EXPECT_TRUE(ui->messages.isEmpty());

    click(w.get(), "ButNew");
    type(w.get(), "DBEdit1", QStringLiteral("办公用品"));
    click(w.get(), "ButSave");
    click(w.get(), "ButNew");
    type(w.get(), "DBEdit1", QStringLiteral("工具"));
    click(w.get(), "ButSave");
    ASSERT_EQ(w->rowCount(), 2);

    // Rename the second to the first's name: accepted.
    w->setCurrentRowIndex(1);
    click(w.get(), "ButMed");
    EXPECT_EQ(w->state(), TfrmRegister::State::Editing);
    EXPECT_TRUE(button(w.get(), "ButSaveEdit")->isVisible());
    EXPECT_FALSE(button(w.get(), "ButSave")->isVisible());
    type(w.get(), "DBEdit1", QStringLiteral("办公用品"));
    click(w.get(), "ButSaveEdit");
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(count(QStringLiteral("select * from UAType where theName='办公用品'")), 2);

    // Escape drops a change.
    click(w.get(), "ButMed");
    type(w.get(), "DBEdit1", QStringLiteral("丢弃"));
    QTest::keyClick(w->editor(QStringLiteral("DBEdit1")), Qt::Key_Escape);
    EXPECT_EQ(w->state(), TfrmRegister::State::Browse);
    EXPECT_EQ(w->lineEdit(QStringLiteral("DBEdit1"))->text(), QStringLiteral("办公用品"));
    EXPECT_EQ(count(QStringLiteral("select * from UAType where theName='丢弃'")), 0);

    session().CanModify = QStringLiteral("否");
    session().CanDelete = QStringLiteral("否");
    click(w.get(), "ButMed");
    EXPECT_EQ(w->state(), TfrmRegister::State::Browse);
    click(w.get(), "ButDel");
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(w->rowCount(), 2);

    session().CanDelete = QStringLiteral("是");
    ui->answers.enqueue(true);
    click(w.get(), "ButDel");
    EXPECT_EQ(w->rowCount(), 1);
    EXPECT_EQ(count(QStringLiteral("select * from UAType")), 1);
}

TEST_F(RegisterWindows, PersonWithDepartmentDropDown) {
    exec(QStringLiteral("insert into SDepartment(DName, thePY, Remark) values('行政部', 'XZB', ''), ('财务部', 'CWB', '')"));
    auto w = open("TfrmPerson");
    QComboBox* dept = w->comboBox(QStringLiteral("DBLookupComboBox1"));
    ASSERT_TRUE(dept);
    EXPECT_EQ(dept->count(), 2);

    click(w.get(), "ButNew");
    EXPECT_EQ(w->focusWidget(), w->editor(QStringLiteral("DBEdit7")));
    type(w.get(), "DBEdit7", QStringLiteral("007"));
    click(w.get(), "ButSave");
    EXPECT_EQ(ui->lastText(), QStringLiteral("部门名称 不能为空！请选择 部门名称！"));
    EXPECT_EQ(w->focusWidget(), dept);
    dept->setCurrentIndex(1);
    w->lineEdit(QStringLiteral("DBEdit1"))->setText(QStringLiteral("张三"));
    ui->clear();
    click(w.get(), "ButSave");
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(scalar(QStringLiteral("select DName||'/'||PName||'/'||thePY from SPerson where theNum='007'")).toString(),
              QStringLiteral("财务部/张三/ZS"));
    EXPECT_EQ(w->value(0, QStringLiteral("部门名称")).toString(), QStringLiteral("财务部"));
    EXPECT_EQ(dept->currentText(), QStringLiteral("财务部"));
}

TEST_F(RegisterWindows, PersonTitlesSortAndToggle) {
    exec(QStringLiteral("insert into SPerson(theNum, DName, PName) values('2', 'B部', '乙'), ('1', 'C部', '丙'), ('3', 'A部', '甲')"));
    auto w = open("TfrmPerson");
    DataGrid* g = w->grid();
    auto clickTitle = [g](const char* field) {
        const int c = g->fieldIndex(QString::fromUtf8(field));
        QTest::mouseClick(g->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(g->horizontalHeader()->sectionViewportPosition(c) + 4, 4));
    };
    auto numbers = [&w] {
        QString s;
        for (int r = 0; r < w->rowCount(); ++r) s += w->value(r, QStringLiteral("工号")).toString();
        return s;
    };
    EXPECT_EQ(numbers(), QStringLiteral("321"));  // the load order: by department
    clickTitle("工号");
    EXPECT_EQ(g->sortText(), QStringLiteral("工号 ASC"));
    EXPECT_EQ(numbers(), QStringLiteral("123"));
    clickTitle("工号");
    EXPECT_EQ(g->sortText(), QStringLiteral("工号 DESC"));
    EXPECT_EQ(numbers(), QStringLiteral("321"));
    clickTitle("部门名称");
    EXPECT_EQ(g->sortText(), QStringLiteral("部门名称 ASC"));
    // The editors show the current row wherever the sort put it.
    w->setCurrentRowIndex(2);
    EXPECT_EQ(w->lineEdit(QStringLiteral("DBEdit7"))->text(), QStringLiteral("1"));

    // The other registers do not sort by title.
    auto storages = open("TfrmStorage");
    DataGrid* sg = storages->grid();
    QTest::mouseClick(sg->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_TRUE(sg->sortText().isEmpty());
}

TEST_F(RegisterWindows, DepartmentWithPersonsStays) {
    exec(QStringLiteral("insert into SDepartment(DName, thePY, Remark) values('行政部', 'XZB', '')"));
    exec(QStringLiteral("insert into SPerson(theNum, DName, PName) values('1', '行政部', '张三')"));
    auto w = open("TfrmDepartment");
    ui->answers.enqueue(true);
    click(w.get(), "ButDel");
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("该 部门 下有 人员 记录，不能删除！")});
    EXPECT_EQ(w->rowCount(), 1);
    // Once the person has moved, the department goes.
    exec(QStringLiteral("update SPerson set DName='财务部'"));
    ui->clear();
    click(w.get(), "ButDel");
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("确认要删除吗？该删除将不可恢复！")});
    EXPECT_EQ(w->rowCount(), 0);
}

TEST_F(RegisterWindows, MenuOpensEveryRegister) {
    registerMasterWindows();
    const char* classes[] = {"TfrmStorage", "TfrmPlace", "TfrmDepartment", "TfrmPerson", "TfrmMerchant",
                             "TfrmAType",   "TfrmAPack", "TfrmUser"};
    for (const char* cls : classes) {
        SCOPED_TRACE(cls);
        ASSERT_TRUE(WindowRegistry::has(QString::fromLatin1(cls)));
        EXPECT_EQ(WindowRegistry::kind(QString::fromLatin1(cls)), WindowKind::Child);
        std::unique_ptr<QWidget> w(WindowRegistry::create(QString::fromLatin1(cls), nullptr));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->objectName(), QString::fromLatin1(cls).mid(1));
        auto* reg = qobject_cast<TfrmRegister*>(w.get());
        ASSERT_TRUE(reg);
        // Titles are the aliases; hidden fields stay out of sight.
        DataGrid* grid = reg->grid();
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_EQ(grid->isColumnHidden(c), reg->spec().hidden.contains(title)) << title.toStdString();
        }
        // Every editor has its caption with a full-width colon.
        for (const RegisterEditor& e : reg->spec().editors) EXPECT_TRUE(reg->editor(e.name)) << e.name.toStdString();
    }
    EXPECT_EQ(WindowRegistry::kind(QStringLiteral("TfrmChangePass")), WindowKind::Modal);
}

// ---- pack contents ------------------------------------------------------------

class PackContentsTest : public Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        exec(QStringLiteral("insert into UAPack(theName, Remark) values('急救包', '')"));
        a1 = addArticle(QStringLiteral("A001"), QStringLiteral("创可贴"));
        a2 = addArticle(QStringLiteral("A002"), QStringLiteral("纱布"));
        exec(QStringLiteral("insert into UAPList(theName, AID, APrice, theCount, Remark, myID) values('急救包', ?, 2, 3, '旧', 1)"), {a1});
    }
    qlonglong a1 = 0, a2 = 0;
};

TEST_F(PackContentsTest, SaveChecksEveryLineBeforeWriting) {
    const PackLine good{QStringLiteral("A001"), QStringLiteral("创可贴"), {}, {}, QStringLiteral("2"), QStringLiteral("5"), {}, {},
                        QString::number(a1)};
    struct Case { QString price, count; const char* message; } cases[] = {
        {QStringLiteral("1"), QStringLiteral("0"), "A002 纱布 数量不能小于或等于0！"},
        {QStringLiteral("1"), QStringLiteral("0.00"), "A002 纱布 数量不能小于或等于0！"},
        {QString(), QStringLiteral("1"), "A002 单价 不能为空！"},
        {QStringLiteral("1"), QString(), "A002 数量 不能为空！"},
        {QStringLiteral("1.2.3"), QStringLiteral("1"), "A002 单价 不是有效的数字！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const PackLine bad{QStringLiteral("A002"), QStringLiteral("纱布"), {}, {}, c.price, c.count, {}, {}, QString::number(a2)};
        const auto r = PackContents::save(*dm, QStringLiteral("急救包"), {good, PackLine{}, bad});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message));
        // The old contents are untouched.
        EXPECT_EQ(scalar(QStringLiteral("select group_concat(AID||':'||theCount||':'||Remark) from UAPList")).toString(),
                  QStringLiteral("%1:3.0:旧").arg(a1));
    }
    EXPECT_EQ(PackContents::save(*dm, QStringLiteral("急救包"), {PackLine{}}).message, QStringLiteral("物品明细 不能为空！"));
    // A code typed but never looked up names no article.
    PackLine typed{QStringLiteral("A00"), {}, {}, {}, QStringLiteral("1"), QStringLiteral("1"), {}, {}, {}};
    EXPECT_FALSE(PackContents::save(*dm, QStringLiteral("急救包"), {typed}).ok);
    EXPECT_EQ(count(QStringLiteral("select * from UAPList")), 1);

    // Replacing: gaps close up and lines are numbered from 1.
    const PackLine second{QStringLiteral("A002"), QStringLiteral("纱布"), {}, {}, QStringLiteral("0.5"), QStringLiteral("1.25"),
                          {}, QStringLiteral("O'Neil 50%"), QString::number(a2)};
    const auto ok = PackContents::save(*dm, QStringLiteral("急救包"), {PackLine{}, second, PackLine{}, good});
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.message, QStringLiteral("物品包 物品明细 保存成功！"));
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(myID||':'||AID||':'||theCount||':'||Remark, '|') from "
                                    "(select * from UAPList order by myID)"))
                  .toString(),
              QStringLiteral("1:%1:1.25:O'Neil 50%|2:%2:5.0:").arg(a2).arg(a1));
}

TEST_F(PackContentsTest, EditorLoadsLooksUpAndSaves) {
    TfrmAPList dlg(nullptr, 1, QStringLiteral("急救包"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("急救包 物品明细"));
    QTableWidget* g = dlg.grid();
    EXPECT_EQ(g->rowCount(), 99);
    EXPECT_EQ(g->item(98, 0)->text(), QStringLiteral("99"));
    EXPECT_TRUE(g->isColumnHidden(TfrmAPList::ColID));
    // The stored line, then the cursor on the first free line.
    EXPECT_EQ(dlg.line(0).code, QStringLiteral("A001"));
    EXPECT_EQ(dlg.line(0).amount, QStringLiteral("6"));
    EXPECT_EQ(g->currentRow(), 1);
    EXPECT_EQ(g->currentColumn(), 1);

    // No match.
    g->item(1, 1)->setText(QStringLiteral("螺丝"));
    dlg.gridEnter();
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("物品信息不存在，清重新选择！")});
    EXPECT_TRUE(dlg.line(1).aid.isEmpty());
    // One match (A001 is in the grid already, so "A00" finds only A002): filled, cursor on.
    g->item(1, 1)->setText(QStringLiteral("A00"));
    dlg.gridEnter();
    EXPECT_EQ(dlg.line(1).aid, QString::number(a2));
    EXPECT_EQ(dlg.line(1).count, QStringLiteral("1"));
    EXPECT_EQ(dlg.line(1).amount, QStringLiteral("1"));
    EXPECT_EQ(g->currentRow(), 2);
    EXPECT_EQ(g->currentColumn(), 1);
    // Enter on a filled line: 物品编码 -> 单价 -> 数量 -> next line.
    dlg.setCursor(1, 1);
    dlg.gridEnter();
    EXPECT_EQ(g->currentColumn(), TfrmAPList::ColPrice);
    dlg.gridEnter();
    EXPECT_EQ(g->currentColumn(), TfrmAPList::ColCount);
    dlg.gridEnter();
    EXPECT_EQ(g->currentRow(), 2);
    EXPECT_EQ(g->currentColumn(), TfrmAPList::ColCode);

    // Keys: 数量 takes digits and a point only.
    dlg.show();
    dlg.setCursor(1, TfrmAPList::ColCount);
    g->item(1, TfrmAPList::ColCount)->setText(QString());
    QTest::keyClicks(g, QStringLiteral("x2"));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : g, Qt::Key_Return);
    EXPECT_EQ(dlg.line(1).count, QStringLiteral("2"));

    ui->clear();
    dlg.BitBtn1Click();
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("物品包 物品明细 保存成功！")});
    EXPECT_EQ(count(QStringLiteral("select * from UAPList where theName='急救包'")), 2);
    EXPECT_EQ(scalar(QStringLiteral("select theCount from UAPList where AID=?"), {a2}).toDouble(), 2.0);
}

// ---- through the main window ------------------------------------------------------

#include "app/TfrmMain.h"
#include "app/MenuCatalogue.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

TEST_F(RegisterWindows, MainMenuOpensTheRegistersAsChildWindows) {
    registerMasterWindows();
    TfrmMain main;
    QStringList codes;
    for (const MenuEntry* e : codedEntries()) codes << e->code;
    main.applyGrants(codes);
    main.show();
    const struct { const char* code; const char* cls; } entries[] = {
        {"000", "frmUser"}, {"401", "frmDepartment"}, {"403", "frmPerson"}, {"407", "frmStorage"},
        {"408", "frmPlace"}, {"409", "frmAType"}, {"415", "frmAPack"}, {"417", "frmMerchant"}};
    for (const auto& e : entries) {
        SCOPED_TRACE(e.code);
        main.runEntry(QString::fromLatin1(e.code));
        const QList<QWidget*> open = main.childWindows();
        ASSERT_EQ(open.size(), 1);
        EXPECT_EQ(open.first()->objectName(), QString::fromLatin1(e.cls));
    }
    // Alt+S saves in the register, although the menu 统计【&S】 uses the same letter.
    main.runEntry(QStringLiteral("403"));
    auto* person = qobject_cast<TfrmRegister*>(main.childWindows().first());
    ASSERT_TRUE(person);
    main.activateWindow();
    QTest::keyClick(person->editor(QStringLiteral("DBEdit7")), Qt::Key_N, Qt::AltModifier);
    ASSERT_EQ(person->state(), TfrmRegister::State::Inserting);
    type(person, "DBEdit7", QStringLiteral("0009"));
    ui->clear();
    QTest::keyClick(person->editor(QStringLiteral("DBEdit7")), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("部门名称 不能为空！请选择 部门名称！")});
    EXPECT_EQ(person->lineEdit(QStringLiteral("DBEdit7"))->text(), QStringLiteral("0009"));
    QTest::keyClick(person->editor(QStringLiteral("DBEdit7")), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(person->state(), TfrmRegister::State::Browse);

    // The storage window's note comes once when the next entry closes it...
    main.runEntry(QStringLiteral("407"));
    ui->clear();
    main.runEntry(QStringLiteral("408"));
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("如果您新增了仓库，请重新打开软件！")});
    // ...and once when its own 退出 closes it.
    main.runEntry(QStringLiteral("407"));
    ui->clear();
    QWidget* storage = main.childWindows().first();
    QTest::mouseClick(storage->findChild<QPushButton*>(QStringLiteral("ButExi")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ui->texts(), QStringList{QStringLiteral("如果您新增了仓库，请重新打开软件！")});
    EXPECT_TRUE(main.childWindows().isEmpty());
}

TEST_F(RegisterWindows, PackPopupNeedsARowAndTheRight) {
    auto w = open("TfrmAPack");
    QAction* L1 = w->popupMenu()->findChild<QAction*>(QStringLiteral("L1"));
    ASSERT_TRUE(L1);
    EXPECT_EQ(L1->text(), QStringLiteral("物品明细 &L"));
    // No pack: nothing opens (a modal dialog would block here).
    L1->trigger();
    exec(QStringLiteral("insert into UAPack(theName, Remark) values('急救包', '')"));
    w->Ref();
    session().CanModify = QStringLiteral("否");
    L1->trigger();
    // With the right the contents editor opens for the current pack.
    session().CanModify = QStringLiteral("是");
    QString seen;
    QTimer::singleShot(0, [&seen] {
        if (QWidget* d = QApplication::activeModalWidget()) {
            seen = d->windowTitle();
            d->close();
        }
    });
    L1->trigger();
    EXPECT_EQ(seen, QStringLiteral("急救包 物品明细"));
}

TEST_F(PackContentsTest, SeveralMatchesGoThroughTheFinder) {
    addArticle(QStringLiteral("B001"), QStringLiteral("绷带"));
    addArticle(QStringLiteral("B002"), QStringLiteral("弹力绷带"));
    TfrmAPList dlg(nullptr, 1, QStringLiteral("急救包"));
    dlg.show();
    QTableWidget* g = dlg.grid();
    ASSERT_EQ(g->currentRow(), 1);

    // "绷带" matches two articles: the finder opens; choosing its second row fills this line only.
    g->item(1, 1)->setText(QStringLiteral("绷带"));
    QString caption;
    int offered = 0;
    QTimer::singleShot(0, [&] {
        auto* f = qobject_cast<TfrmFindArticle6*>(QApplication::activeModalWidget());
        if (!f) return;
        caption = f->windowTitle();
        offered = f->resultCount();
        f->DBGrid1->setCurrentRow(1);
        f->myLoad();
    });
    dlg.gridEnter();
    EXPECT_EQ(caption, QStringLiteral("物品 查找"));
    EXPECT_EQ(offered, 2);
    const PackLine chosen = dlg.line(1);
    EXPECT_FALSE(chosen.aid.isEmpty());
    EXPECT_EQ(chosen.count, QStringLiteral("1"));
    EXPECT_EQ(g->currentRow(), 1);
    // Enter went on from 物品编码 to 单价 of the chosen line.
    EXPECT_EQ(g->currentColumn(), TfrmAPList::ColPrice);

    // The other one, and the articles already listed are left out: "全选" on
    // an empty search text offers only what is not in the pack yet.
    dlg.setCursor(2, TfrmAPList::ColCode);
    QStringList offeredCodes;
    QTimer::singleShot(0, [&] {
        auto* f = qobject_cast<TfrmFindArticle6*>(QApplication::activeModalWidget());
        if (!f) return;
        for (int r = 0; r < f->resultCount(); ++r) offeredCodes << f->DBGrid1->text(r, QStringLiteral("物品编码"));
        f->A1Click();
    });
    dlg.gridEnter();
    ASSERT_EQ(offeredCodes.size(), 2);  // A002 and the remaining bandage
    EXPECT_FALSE(offeredCodes.contains(QStringLiteral("A001")));
    EXPECT_FALSE(offeredCodes.contains(chosen.code));
    EXPECT_EQ(dlg.articleIds().size(), 4);
    EXPECT_EQ(g->currentRow(), 4);
    EXPECT_TRUE(ui->messages.isEmpty());
}
