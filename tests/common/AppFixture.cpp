#include "AppFixture.h"

#include "app/LoginService.h"
#include "app/Schema.h"
#include "app/Session.h"
#include "app/WindowRegistry.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"

void AppFixture::SetUp() {
    ASSERT_TRUE(folder.path().size() > 0);
    AppPaths::setAppPath(folder.path());
    Schema::createFile(AppPaths::databaseFile());
    now = QDateTime(QDate(2024, 3, 7), QTime(10, 0));
    Clock::setFixed(now);
    resetSession();
    session().AppPath = AppPaths::appPath();
    WindowRegistry::clear();
    ui = std::make_unique<ScriptedUi>();
    dm = std::make_unique<TfrmDM>();
    dm->open(AppPaths::databaseFile());
}

void AppFixture::TearDown() {
    dm.reset();
    ui.reset();
    Clock::setFixed(QDateTime());
    AppPaths::setAppPath(QString());
    resetSession();
}

void AppFixture::loginAsAdmin() {
    ASSERT_EQ(LoginService::attempt(QStringLiteral("系统管理员"), QString(), nullptr), LoginService::Result::Ok);
    LoginService::loadDefaults();
}

QVariant AppFixture::scalar(const QString& sql, const QVariantList& params) { return dm->db().scalar(sql, params); }
void AppFixture::exec(const QString& sql, const QVariantList& params) { dm->db().exec(sql, params); }
int AppFixture::count(const QString& sql, const QVariantList& params) { return dm->db().count(sql, params); }

qlonglong AppFixture::addArticle(const QString& num, const QString& name) {
    exec(QStringLiteral("insert into UArticle(theNum, theDate, AName, AUnit, APrice, thePY, FJCount, YJMin, YJMax, theYJ) "
                        "values(?, ?, ?, '个', 1, '', 0, 9, 99, '否')"),
         {num, session().LoginDate, name});
    return scalar(QStringLiteral("select max(ID) from UArticle")).toLongLong();
}
