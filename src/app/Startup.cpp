#include "app/Startup.h"

#include "platform/Ui.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

void configureApplication(QApplication& app) {
    app.setApplicationName(appTitle());
    app.setApplicationDisplayName(QString());
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    auto* translator = new QTranslator(&app);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), dir)) app.installTranslator(translator);

    const QStringList families = QFontDatabase::families();
    for (const char* f : {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei"}) {
        if (families.contains(QString::fromLatin1(f))) {
            QFont font(QString::fromLatin1(f));
            font.setPointSize(10);
            app.setFont(font);
            break;
        }
    }
}

} // namespace Startup
