#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Db.h"
#include "platform/Guard.h"
#include "platform/Money.h"
#include "platform/ScriptedUi.h"
#include "platform/SingleInstance.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>

TEST(Money, TextHasNoBinaryNoise) {
    struct Case { double v; const char* text; } cases[] = {
        {0.3, "0.3"}, {10, "10"}, {12.5, "12.5"}, {0.1 + 0.2, "0.3"}, {-2.5, "-2.5"},
        {1.23456, "1.2346"}, {-0.00001, "0"}, {123456789.1234, "123456789.1234"},
    };
    for (const auto& c : cases) EXPECT_EQ(Money::text(c.v), QString::fromLatin1(c.text)) << c.v;
}

TEST(Money, ParseAcceptsPlainNumbersOnly) {
    struct Case { const char* in; bool ok; double v; } cases[] = {
        {"5", true, 5}, {" 2.5 ", true, 2.5}, {"-3", true, -3}, {"+1.", true, 1}, {".5", true, 0.5},
        {"1.23456", true, 1.2346}, {"", false, 0}, {"abc", false, 0}, {"1e5", false, 0}, {"1,000", false, 0},
        {"1.2.3", false, 0}, {"-", false, 0}, {"999999999999999", false, 0}, {"nan", false, 0}, {"1'", false, 0},
    };
    for (const auto& c : cases) {
        double v = -999;
        EXPECT_EQ(Money::parse(QString::fromLatin1(c.in), &v), c.ok) << c.in;
        if (c.ok) EXPECT_DOUBLE_EQ(v, c.v) << c.in;
        else EXPECT_EQ(v, -999) << c.in;
    }
}

TEST(Money, SettlesAfterRepeatedSums) {
    // Lend 0.3, return 0.1 then 0.2: settled.
    double returned = Money::round4(Money::round4(0.1) + Money::round4(0.2));
    EXPECT_TRUE(Money::equal(returned, 0.3));
    EXPECT_EQ(returned, Money::round4(0.3));
}

TEST(Db, OpeningAMissingFileFailsAndCreatesNothing) {
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("Data/db.edb"));
    Db db;
    EXPECT_THROW(db.openExisting(file), DbError);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("Data"))));
}

TEST(Db, AForeignFileFailsWithTheEngineTextAndIsNotWritten) {
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("db.edb"));
    QByteArray junk = QByteArray("This is a spreadsheet, not a database.\n").repeated(200);
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(junk);
    }
    Db db;
    try {
        db.openExisting(file);
        FAIL() << "a foreign file opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("not a database"))) << e.text().toStdString();
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), junk);
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral("-wal")));
}

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createNew(dir.file(QStringLiteral("t.db")));
        db.exec(QStringLiteral("CREATE TABLE T (ID INTEGER PRIMARY KEY, Name TEXT COLLATE NOCASE CHECK (length(Name) <= 5))"));
    }
    TempFolder dir;
    Db db;
};

TEST_F(DbTest, BoundValuesKeepQuotesAndWildcards) {
    const QString odd = QStringLiteral("O'B%_");
    db.exec(QStringLiteral("INSERT INTO T(Name) VALUES(?)"), {odd});
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Name FROM T WHERE Name = ?"), {odd}).toString(), odd);
    EXPECT_EQ(db.count(QStringLiteral("SELECT ID FROM T WHERE Name = ?"), {QStringLiteral("o'b%_")}), 1);  // ignores case
}

TEST_F(DbTest, FailingStatementInsideATransactionLeavesNothing) {
    EXPECT_THROW({
        Transaction tx(db);
        db.exec(QStringLiteral("INSERT INTO T(Name) VALUES('a')"));
        db.exec(QStringLiteral("INSERT INTO T(Name) VALUES('too long')"));  // the engine refuses it
        tx.commit();
    }, DbError);
    EXPECT_EQ(db.count(QStringLiteral("SELECT * FROM T")), 0);
    EXPECT_EQ(db.transactionDepth(), 0);
}

TEST_F(DbTest, NestedTransactionRollsBackOnlyItsOwnPart) {
    Transaction outer(db);
    db.exec(QStringLiteral("INSERT INTO T(Name) VALUES('a')"));
    {
        Transaction inner(db);
        db.exec(QStringLiteral("INSERT INTO T(Name) VALUES('b')"));
    }  // not committed: rolled back
    outer.commit();
    EXPECT_EQ(db.count(QStringLiteral("SELECT * FROM T")), 1);
}

TEST_F(DbTest, GuardedHandlerRollsBackAndShowsTheEngineText) {
    ScriptedUi ui;
    bool after = false;
    const bool ok = guarded([&] {
        db.begin();
        db.exec(QStringLiteral("INSERT INTO T(Name) VALUES('a')"));
        db.exec(QStringLiteral("INSERT INTO Missing(Name) VALUES('a')"));
        after = true;
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(after);
    EXPECT_EQ(db.transactionDepth(), 0);
    EXPECT_EQ(db.count(QStringLiteral("SELECT * FROM T")), 0);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("no such table"))) << ui.messages[0].text.toStdString();
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
}

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds) {
    const QString name = QStringLiteral("ArticleTest-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name);
    ASSERT_TRUE(first.acquire());
    SingleInstance second(name);
    EXPECT_FALSE(second.acquire());
    first.release();
    EXPECT_TRUE(second.acquire());
}

TEST(ScriptedUi, UnansweredQuestionIsNo) {
    ScriptedUi ui;
    EXPECT_FALSE(confirmDelete());
    ui.answers.enqueue(true);
    EXPECT_TRUE(confirmDelete());
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("确认要删除吗？该删除将不可恢复！"));
    EXPECT_EQ(ui.messages[0].caption, QStringLiteral("删除"));
}
