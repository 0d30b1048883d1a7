#include "master/ArticleTools.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/Accessories.h"
#include "master/ArticleDialogs.h"
#include "master/ArticleEntry.h"
#include "master/ArticleFiles.h"
#include "master/Pictures.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QApplication>
#include <QDialog>

namespace ArticleTools {

namespace {

std::function<int(QDialog*)>& runner() {
    static std::function<int(QDialog*)> r;
    return r;
}

QWidget* owner(QWidget* parent) { return parent ? parent : QApplication::activeWindow(); }

QString title(const QString& code, const QString& name) { return code + QLatin1Char(' ') + name; }

} // namespace

int runModal(QDialog* dialog) {
    if (runner()) return runner()(dialog);
    return dialog->exec();
}

void setModalRunner(std::function<int(QDialog*)> r) { runner() = std::move(r); }

QString picturePath(const QString& id) { return Pictures::picturePath(id); }

void openAccessories(QWidget* parent, const QString& id, const QString& code, const QString& name,
                     const QString& caller, const Refresh& refresh) {
    if (id.isEmpty()) return;
    TfrmA_FJ dialog(owner(parent), title(code, name) + QStringLiteral(" 附件管理"), id, caller);
    if (refresh) QObject::connect(&dialog, &TfrmA_FJ::closed, &dialog, [refresh] { guarded(refresh); });
    runModal(&dialog);
}

void openWarnings(QWidget* parent, const QString& id, const QString& code, const QString& name, const Refresh& refresh) {
    if (id.isEmpty()) return;
    TfrmA_YJ dialog(owner(parent), id);
    dialog.setWindowTitle(title(code, name) + QStringLiteral(" 预警设置"));
    if (refresh) QObject::connect(&dialog, &TfrmA_YJ::saved, &dialog, [refresh] { guarded(refresh); });
    runModal(&dialog);
}

void openPictureManager(QWidget* parent, const QString& id, const QString& code, const QString& name) {
    if (id.isEmpty()) return;
    TfrmPic_M dialog(owner(parent), title(code, name), picturePath(id));
    runModal(&dialog);
}

void openPictureViewer(QWidget* parent, const QString& id, const QString& code, const QString& name) {
    if (id.isEmpty()) return;
    openPictureFile(parent, title(code, name), picturePath(id));
}

void openPictureFile(QWidget* parent, const QString& caption, const QString& path) {
    TfrmPic_V dialog(owner(parent), caption, path);
    runModal(&dialog);
}

void openPictureList(QWidget* parent, const QString& condition, const QVariantList& params) {
    TfrmPic_List dialog(owner(parent), condition, params);
    runModal(&dialog);
}

void uploadFile(QWidget* parent, const QString& id, const QString& code, const QString& name) {
    if (id.isEmpty()) return;
    TfrmWJ_Up dialog(owner(parent), title(code, name) + QStringLiteral(" 文件上传"), id);
    runModal(&dialog);
}

void downloadFile(QWidget* parent, const QString& id, const QString& code, const QString& name) {
    if (id.isEmpty()) return;
    const QString stored = DM().myRetAF(id);
    if (stored.isEmpty()) {
        showMessage(title(code, name) + QStringLiteral(" 没有上传文件！"));
        return;
    }
    TfrmWJ_Do dialog(owner(parent), title(code, name) + QStringLiteral(" 文件下载"), stored);
    runModal(&dialog);
}

void editArticle(QWidget* parent, const QString& id, const QString& callerCode, const Refresh& refresh) {
    if (id.isEmpty() || !session().mayModify()) return;
    TfrmA_M dialog(owner(parent), id, callerCode);
    if (refresh) QObject::connect(&dialog, &TfrmA_M::saved, &dialog, [refresh] { guarded(refresh); });
    runModal(&dialog);
}

void editPinyin(QWidget* parent, const QString& id, const QString& callerCode, const Refresh& refresh) {
    if (id.isEmpty() || !session().mayModify()) return;
    TfrmAPY dialog(owner(parent), id, callerCode);
    if (refresh) QObject::connect(&dialog, &TfrmAPY::saved, &dialog, [refresh] { guarded(refresh); });
    runModal(&dialog);
}

bool quickEntry(FinderHost& host, const QString& callerCode, const QString& searchedText) {
    TfrmA_In dialog(&host, callerCode, searchedText);
    runModal(&dialog);
    return dialog.newArticleId() > 0;
}

} // namespace ArticleTools
