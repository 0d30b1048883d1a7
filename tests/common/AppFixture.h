#pragma once
// A fresh program folder with a new database, the data module opened on it,
// the scripted Ui installed and the clock fixed at 2024-03-07 10:00.

#include "TempFolder.h"
#include "app/TfrmDM.h"
#include "platform/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QVariant>

#include <memory>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Logs in as the administrator (user 1, every grant) without the window.
    void loginAsAdmin();
    // Shortcuts to the database.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    void exec(const QString& sql, const QVariantList& params = {});
    int count(const QString& sql, const QVariantList& params = {});
    // Inserts an article and returns its ID.
    qlonglong addArticle(const QString& num, const QString& name = QStringLiteral("签字笔"));

    TempFolder folder;
    std::unique_ptr<TfrmDM> dm;
    std::unique_ptr<ScriptedUi> ui;
    QDateTime now;
};
