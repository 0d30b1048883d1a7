// Start-up, login and the main window, driven through the real windows offscreen.
#include "AppFixture.h"

#include "app/Reminders.h"
#include "app/Session.h"
#include "app/TfrmLogin.h"
#include "app/TfrmMain.h"
#include "app/WindowRegistry.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {
// A child window standing in for a list window of a later subsystem.
class FakeList : public QWidget {
public:
    explicit FakeList(const QVariant& option) : option(option.toString()) {}
    QString option;
};

int registerFakes(const QStringList& classes) {
    for (const QString& c : classes)
        WindowRegistry::add(c, WindowKind::Child, [](QWidget*, const QVariant& o) { return new FakeList(o); });
    return static_cast<int>(classes.size());
}
} // namespace

class Windows : public AppFixture {
protected:
    void TearDown() override {
        login.reset();
        main.reset();
        AppFixture::TearDown();
    }
    void start() {
        main = std::make_unique<TfrmMain>();
        login = std::make_unique<TfrmLogin>(main.get());
    }
    // Chooses a user with the keyboard, types the password and presses Enter.
    void logIn(const QString& user, const QString& password) {
        QComboBox* box = login->DBLookupComboBox1;
        box->setCurrentIndex(box->findText(user));
        login->Edit1->setText(password);
        QTest::keyClick(login->Edit1, Qt::Key_Return);
    }
    void addUser(const QString& name, const QString& pass, const QStringList& grants, const QStringList& storages = {}) {
        exec(QStringLiteral("insert into SUser(UName, UPass, theM, theD, theE) values(?, ?, '是', '是', '否')"), {name, pass});
        const qlonglong id = scalar(QStringLiteral("select max(ID) from SUser")).toLongLong();
        for (const QString& g : grants) exec(QStringLiteral("insert into SLevel(UID, MNum) values(?, ?)"), {id, g});
        for (const QString& s : storages) exec(QStringLiteral("insert into SLW(UID, SName) values(?, ?)"), {id, s});
    }
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<TfrmLogin> login;
};

TEST_F(Windows, MissingDatabaseGivesTwoErrorBoxesAnEmptyListAndNoFile) {
    dm.reset();
    QFile::remove(AppPaths::databaseFile());
    QFile::remove(AppPaths::databaseFile() + QStringLiteral("-wal"));
    QFile::remove(AppPaths::databaseFile() + QStringLiteral("-shm"));
    dm = std::make_unique<TfrmDM>();
    start();
    EXPECT_FALSE(main->terminated());
    ASSERT_EQ(ui->messages.size(), 2);
    EXPECT_EQ(ui->messages[0].icon, MsgIcon::Error);
    EXPECT_TRUE(ui->messages[0].text.contains(QStringLiteral("db.edb")));
    EXPECT_EQ(login->DBLookupComboBox1->count(), 0);
    EXPECT_FALSE(QFileInfo::exists(AppPaths::databaseFile()));
    // The login window can still be closed normally.
    EXPECT_TRUE(login->close());
}

TEST_F(Windows, MissingRequiredTableEndsSilently) {
    for (const char* table : {"RUser", "SUnit"}) {
        SCOPED_TRACE(table);
        exec(QStringLiteral("create table if not exists RUser(ID integer)"));
        exec(QStringLiteral("create table if not exists SUnit(ID integer, UName text)"));
        exec(QStringLiteral("drop table %1").arg(QString::fromLatin1(table)));
        ui->clear();
        TfrmMain m;
        EXPECT_TRUE(m.terminated());
        EXPECT_TRUE(ui->messages.isEmpty());
    }
}

TEST_F(Windows, ForeignFileGivesTheEngineErrorAndIsNotWritten) {
    dm.reset();
    const QByteArray junk = QByteArray("PK\x03\x04 not a database at all").repeated(100);
    {
        QFile f(AppPaths::databaseFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(junk);
    }
    QFile::remove(AppPaths::databaseFile() + QStringLiteral("-wal"));
    QFile::remove(AppPaths::databaseFile() + QStringLiteral("-shm"));
    dm = std::make_unique<TfrmDM>();
    start();
    ASSERT_GE(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].text.contains(QStringLiteral("not a database"))) << ui->messages[0].text.toStdString();
    QFile f(AppPaths::databaseFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), junk);
}

TEST_F(Windows, LoginMessagesAndSessionValues) {
    addUser(QStringLiteral("张三"), QStringLiteral("Secret"), {QStringLiteral("200")},
            {QStringLiteral("物品仓库"), QStringLiteral("O'Brien库")});
    start();
    login->show();

    QTest::keyClick(login->Edit1, Qt::Key_Return);
    EXPECT_EQ(ui->lastText(), QStringLiteral("用户名 不能为空！请选择 用户名！"));
    EXPECT_EQ(ui->messages.last().caption, QStringLiteral("Kelvora物品管理软件"));

    logIn(QStringLiteral("张三"), QStringLiteral("wrong"));
    EXPECT_EQ(ui->lastText(), QStringLiteral("密码错误，请重新录入密码！"));
    EXPECT_TRUE(login->isVisible());

    logIn(QStringLiteral("张三"), QStringLiteral("sECRET"));  // the comparison ignores letter case
    EXPECT_FALSE(login->isVisible());
    EXPECT_TRUE(main->isVisible());
    const Session& s = session();
    EXPECT_EQ(s.UserName, QStringLiteral("张三"));
    EXPECT_EQ(s.UserPass, QStringLiteral("sECRET"));
    EXPECT_EQ(s.LoginDate, QStringLiteral("2024-03-07"));
    EXPECT_EQ(s.CanModify, QStringLiteral("是"));
    EXPECT_EQ(s.CanExport, QStringLiteral("否"));
    EXPECT_EQ(s.UserStorages, QStringLiteral("物品仓库','O'Brien库"));
    EXPECT_EQ(s.DefReturnDays, QStringLiteral("7"));
    EXPECT_TRUE(s.RemindOverdue);
    EXPECT_EQ(s.PictureFolder, AppPaths::appPath() + QStringLiteral("Image"));
    EXPECT_EQ(s.UnitName, QStringLiteral("Kelvora示范单位"));
    EXPECT_EQ(main->statusText(2), QStringLiteral("张三"));
    EXPECT_EQ(main->statusText(4), QStringLiteral("2024-03-07"));
    EXPECT_EQ(login->Edit1->maxLength(), 12);
    EXPECT_EQ(login->Edit1->echoMode(), QLineEdit::Password);
}

TEST_F(Windows, ChoosingAUserWithTheKeyboardMovesToThePassword) {
    start();
    login->show();
    login->activateWindow();
    login->DBLookupComboBox1->setFocus();
    QTest::keyClick(login->DBLookupComboBox1, Qt::Key_Down);
    EXPECT_EQ(login->DBLookupComboBox1->currentText(), QStringLiteral("系统管理员"));
    QTest::keyClick(login->Edit1, Qt::Key_Return);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(Windows, UserWithoutGrantsSeesOnlyFileExitAndHelp) {
    addUser(QStringLiteral("新用户"), QString(), {});
    const int fakes = registerFakes({QStringLiteral("TfrmWare_Q"), QStringLiteral("TfrmYLB_JC")});
    ASSERT_EQ(fakes, 2);
    start();
    login->show();
    logIn(QStringLiteral("新用户"), QString());
    ASSERT_TRUE(main->isVisible());
    for (int p = 0; p < 6; ++p) {
        const bool expected = (p == 0 || p == 5);
        EXPECT_EQ(main->topMenu(p)->menuAction()->isVisible(), expected) << p;
    }
    for (QAction* a : main->topMenu(0)->actions())
        EXPECT_EQ(a->isVisible(), a->objectName() == QStringLiteral("N8")) << a->text().toStdString();
    // The stock list button does nothing while its entry is hidden.
    main->toolButton(QStringLiteral("SpeedButton10"))->click();
    EXPECT_TRUE(main->childWindows().isEmpty());
}

TEST_F(Windows, GrantOf200ShowsOnlyTheStockListAndItsButton) {
    addUser(QStringLiteral("库管"), QString(), {QStringLiteral("200")});
    registerFakes({QStringLiteral("TfrmWare_Q")});
    start();
    login->show();
    logIn(QStringLiteral("库管"), QString());
    QMenu* query = main->topMenu(2);
    EXPECT_TRUE(query->menuAction()->isVisible());
    int visible = 0;
    for (QAction* a : query->actions()) visible += a->isVisible();
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(main->entryAction(QStringLiteral("200"))->isVisible());
    main->toolButton(QStringLiteral("SpeedButton6"))->click();  // 采购单: hidden entry, nothing happens
    EXPECT_TRUE(main->childWindows().isEmpty());
    main->toolButton(QStringLiteral("SpeedButton10"))->click();
    ASSERT_EQ(main->childWindows().size(), 1);
    EXPECT_TRUE(WindowRegistry::latest(QStringLiteral("TfrmWare_Q")));
}

TEST_F(Windows, PackEntryIsVisibleButItsMenuOnlyWithACodeOfFour) {
    addUser(QStringLiteral("甲"), QString(), {QStringLiteral("200")});
    addUser(QStringLiteral("乙"), QString(), {QStringLiteral("401")});
    start();
    EXPECT_TRUE(main->entryAction(QStringLiteral("415"))->isVisible());
    EXPECT_FALSE(main->topMenu(4)->menuAction()->isVisible());
    main->applyGrants({QStringLiteral("401")});
    EXPECT_TRUE(main->topMenu(4)->menuAction()->isVisible());
    EXPECT_TRUE(main->entryAction(QStringLiteral("401"))->isVisible());
    EXPECT_FALSE(main->entryAction(QStringLiteral("403"))->isVisible());
}

TEST_F(Windows, InvalidGrantStopsTheLogin) {
    addUser(QStringLiteral("坏"), QString(), {QStringLiteral("199")});
    start();
    login->show();
    logIn(QStringLiteral("坏"), QString());
    EXPECT_FALSE(main->isVisible());
    ASSERT_FALSE(ui->messages.isEmpty());
    EXPECT_EQ(ui->messages.last().icon, MsgIcon::Error);
}

TEST_F(Windows, OneChildWindowAtATime) {
    registerFakes({QStringLiteral("TfrmWare_Q"), QStringLiteral("TfrmYLB_CG")});
    WindowRegistry::add(QStringLiteral("TfrmIN_CG"), WindowKind::Modal, [this](QWidget* parent, const QVariant&) {
        auto* d = new QDialog(parent);
        // While the entry window runs, no child window is open.
        QMetaObject::invokeMethod(d, [this, d] {
            EXPECT_TRUE(main->childWindows().isEmpty());
            d->reject();
        }, Qt::QueuedConnection);
        return d;
    });
    start();
    loginAsAdmin();
    main->show();
    main->applyGrants({QStringLiteral("102"), QStringLiteral("200"), QStringLiteral("202")});
    main->runEntry(QStringLiteral("200"));
    ASSERT_EQ(main->childWindows().size(), 1);
    main->runEntry(QStringLiteral("202"));
    QCoreApplication::processEvents();
    ASSERT_EQ(main->childWindows().size(), 1);
    EXPECT_TRUE(WindowRegistry::latest(QStringLiteral("TfrmYLB_CG")));
    main->runEntry(QStringLiteral("102"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->childWindows().isEmpty());
}

TEST_F(Windows, EntriesWithoutTheirWindowAreDisabled) {
    registerFakes({QStringLiteral("TfrmWare_Q")});
    start();
    main->applyGrants({QStringLiteral("200"), QStringLiteral("201")});
    EXPECT_TRUE(main->entryAction(QStringLiteral("200"))->isEnabled());
    EXPECT_FALSE(main->entryAction(QStringLiteral("201"))->isEnabled());
}

TEST_F(Windows, ExitAsksAndNoKeepsTheProgramRunning) {
    start();
    loginAsAdmin();
    main->show();
    ui->answers.enqueue(false);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("确认要退出 Kelvora物品管理软件 吗？ ^_^ "));
    EXPECT_EQ(ui->messages[0].caption, QStringLiteral("确认退出"));
    EXPECT_TRUE(ui->messages[0].question);
    ui->answers.enqueue(true);
    EXPECT_TRUE(main->close());
}

TEST_F(Windows, HelpAndWebSiteOpenThroughTheUi) {
    start();
    main->toolButton(QStringLiteral("SpeedButton11"))->click();
    ASSERT_EQ(ui->opened.size(), 1);
    EXPECT_EQ(ui->opened[0].toLocalFile(), AppPaths::appPath() + QStringLiteral("help/index.html"));
    main->N4Click();
    EXPECT_EQ(ui->opened.size(), 2);
}

TEST_F(Windows, BackgroundFromBjJpgAndBuiltInOtherwise) {
    start();
    session().AppPath = AppPaths::appPath();
    QFile bad(AppPaths::appPath() + QStringLiteral("bj.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    main->loadBackground();  // an unreadable picture leaves the built-in one, without a message
    EXPECT_TRUE(ui->messages.isEmpty());
    QImage img(64, 32, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(AppPaths::appPath() + QStringLiteral("bj.jpg"), "JPG"));
    main->loadBackground();
    EXPECT_TRUE(ui->messages.isEmpty());
}

class Reminder : public Windows {
protected:
    void lend(const QString& myDate, int days, double count, double returned, const QString& storage = QStringLiteral("物品仓库")) {
        const qlonglong a = addArticle(QStringLiteral("J%1").arg(++n));
        const QString num = QStringLiteral("24030700%1").arg(n, 2, 10, QLatin1Char('0'));
        exec(QStringLiteral("insert into UOut_JC(theNum, myDate, theDate, SName, theDel) values(?, ?, '2024-03-07', ?, 0)"),
             {num, myDate, storage});
        exec(QStringLiteral("insert into UOut_JC_Bill(theNum, AID, theCount, GHCount, theGH, SID, myID, theDel) "
                            "values(?, ?, ?, ?, ?, 1, 1, 0)"),
             {num, a, count, returned, days});
    }
    int n = 0;
};

TEST_F(Reminder, OverdueLoanCountFollowsTheDaysAndTheReturns) {
    loginAsAdmin();
    lend(QStringLiteral("2024-02-26"), 7, 1, 0);   // 10 days ago, 7 allowed: overdue
    lend(QStringLiteral("2024-02-29"), 7, 1, 0);   // 7 days ago: not yet
    lend(QStringLiteral("2024-02-20"), 7, 1, 1);   // returned
    lend(QStringLiteral("2024-02-20"), 30, 1, 0.5);  // 16 days, 30 allowed
    EXPECT_EQ(Reminders::overdueLoans(), 1);
    session().UserStorageNames = {QStringLiteral("备件仓库")};
    EXPECT_EQ(Reminders::overdueLoans(), 0);
}

TEST_F(Reminder, LoginOpensTheOverdueListOnceWithItsOption) {
    registerFakes({QStringLiteral("TfrmYLB_JC"), QStringLiteral("TfrmWare_Q")});
    lend(QStringLiteral("2024-02-26"), 7, 1, 0);
    start();
    login->show();
    logIn(QStringLiteral("系统管理员"), QString());
    ASSERT_EQ(main->childWindows().size(), 1);
    auto* list = dynamic_cast<FakeList*>(WindowRegistry::latest(QStringLiteral("TfrmYLB_JC")));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->option, QStringLiteral("超出归还天数"));
}

TEST_F(Reminder, AllThreeRemindersOpenThreeWindows) {
    registerFakes({QStringLiteral("TfrmYLB_JC"), QStringLiteral("TfrmWare_Q")});
    exec(QStringLiteral("update SMRX set YJMin=1, YJMax=1"));
    lend(QStringLiteral("2024-02-26"), 7, 1, 0);
    const qlonglong low = addArticle(QStringLiteral("L1"));
    const qlonglong high = addArticle(QStringLiteral("H1"));
    exec(QStringLiteral("update UArticle set theYJ='是', YJMin=9, YJMax=99 where ID in (?, ?)"), {low, high});
    exec(QStringLiteral("insert into UWare(AID, SID, WCount) values(?, 1, 3)"), {low});
    exec(QStringLiteral("insert into UWare(AID, SID, WCount) values(?, 1, 120)"), {high});
    start();
    login->show();
    logIn(QStringLiteral("系统管理员"), QString());
    EXPECT_EQ(main->childWindows().size(), 3);
    loginAsAdmin();
    EXPECT_EQ(Reminders::belowMinimum(), 1);
    EXPECT_EQ(Reminders::aboveMaximum(), 1);
}
