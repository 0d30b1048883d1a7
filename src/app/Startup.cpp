#include "app/Startup.h"

#include "platform/Ui.h"

#include <QApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// The program's icon: three stacked boxes on a blue tile.
QIcon programIcon() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(0x4f, 0x96, 0xd6));
    g.setColorAt(1, QColor(0x1d, 0x5f, 0xa8));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(12, 34, 18, 16));
    p.drawRect(QRectF(34, 34, 18, 16));
    p.drawRect(QRectF(23, 15, 18, 16));
    return QIcon(pm);
}
} // namespace

namespace Startup {

void configureApplication(QApplication& app) {
    app.setWindowIcon(programIcon());
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
