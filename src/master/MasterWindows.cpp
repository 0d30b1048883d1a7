#include "master/MasterWindows.h"

#include "app/WindowRegistry.h"
#include "master/ArticleQuery.h"
#include "master/ArticleRegister.h"
#include "master/RegisterMembers.h"
#include "master/TfrmRegister.h"
#include "master/UserGrants.h"
#include "master/UserWindows.h"

void registerMasterWindows() {
    // The basic registers: child windows of the main window, one member each.
    for (const QString& cls : RegisterMembers::basicRegisters()) {
        WindowRegistry::add(cls, WindowKind::Child,
                            [cls](QWidget* parent, const QVariant&) -> QWidget* { return RegisterMembers::create(cls, parent); });
    }
    // The article register and the article query (menu entries 411 and 412).
    WindowRegistry::add(QStringLiteral("TfrmArticle_M"), WindowKind::Child,
                        [](QWidget* parent, const QVariant&) -> QWidget* { return new TfrmArticle_M(parent); });
    WindowRegistry::add(QStringLiteral("TfrmArticle_Q"), WindowKind::Child,
                        [](QWidget* parent, const QVariant&) -> QWidget* { return new TfrmArticle_Q(parent); });
    // Users and the password.
    WindowRegistry::add(QStringLiteral("TfrmUser"), WindowKind::Child, [](QWidget* parent, const QVariant&) -> QWidget* {
        return new TfrmRegister(UserGrants::userSpec(), parent);
    });
    WindowRegistry::add(QStringLiteral("TfrmChangePass"), WindowKind::Modal,
                        [](QWidget* parent, const QVariant&) -> QWidget* { return new TfrmChangePass(parent); });
}
