// Program entry: one copy at a time, the data module, the main window (hidden
// until login) and the login window.

#include "app/Startup.h"
#include "app/TfrmDM.h"
#include "app/TfrmLogin.h"
#include "app/TfrmMain.h"
#include "app/Windows.h"
#include "platform/SingleInstance.h"
#include "platform/Ui.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Startup::configureApplication(app);

    SingleInstance lock(QStringLiteral("Article"));
    if (!lock.acquire()) {
        Ui::get().message(QStringLiteral("Kelvora物品管理软件 已经打开了！"), QStringLiteral("警告"), MsgIcon::Warning);
        return 0;
    }
    app.setQuitOnLastWindowClosed(false);

    registerAllWindows();

    TfrmDM dm;
    TfrmMain main;
    if (main.terminated()) return 0;  // a required table is missing: end silently

    TfrmLogin login(&main);
    login.show();
    const int rc = app.exec();
    lock.release();
    return rc;
}
