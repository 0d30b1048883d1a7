// kelvora-tool: the administrator's companion on the command line.

#include "app/Checks.h"
#include "app/Schema.h"
#include "master/PinyinTool.h"
#include "platform/AppPaths.h"
#include "printing/QrTool.h"
#include "platform/Db.h"
#include "tool/Demo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>
#include <QFile>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

void usage() {
    err() << "用法：\n"
             "  kelvora-tool init [DIR]               在 DIR/Data/db.edb 新建数据库（不覆盖已有文件）\n"
             "  kelvora-tool demo [DIR] [--scale N]   在 DIR 的数据库中填入示例数据\n"
             "  kelvora-tool check [DIR]              检查库存与流水等数据是否一致\n"
             "  kelvora-tool pinyin [TEXT...]         输出拼音首字母码（无参数时逐行读标准输入）\n"
             "  kelvora-tool qr [选项] TEXT            输出二维码的 PBM 文本（选项：--version N --level L|M|Q|H\n"
             "                                        --emode -1..3 --mask -1..7 --mode single|connect|plus\n"
             "                                        --count N --pxmag N --escapes）\n"
             "DIR 为程序文件夹，缺省为当前文件夹。\n";
    err().flush();
}

QString dbFileOf(const QString& dir) {
    return QDir(dir.isEmpty() ? QDir::currentPath() : dir).absoluteFilePath(QStringLiteral("Data/db.edb"));
}

int init(const QStringList& args) {
    if (args.size() > 1) { usage(); return 2; }
    const QString file = dbFileOf(args.value(0));
    if (QFileInfo::exists(file)) {
        err() << "数据库文件已存在，未做任何改动：" << file << "\n";
        return 1;
    }
    try {
        Schema::createFile(file);
    } catch (const DbError& e) {
        err() << e.text() << "\n";
        return 1;
    }
    out() << "已创建数据库：" << file << "\n";
    return 0;
}

int check(const QStringList& args) {
    if (args.size() > 1) { usage(); return 2; }
    const QString file = dbFileOf(args.value(0));
    try {
        Db db;
        db.openExisting(file);
        const QStringList problems = Checks::run(db);
        for (const QString& p : problems) out() << p << "\n";
        if (!problems.isEmpty()) {
            out() << "共 " << problems.size() << " 处不一致。\n";
            return 1;
        }
        out() << "数据一致。\n";
        return 0;
    } catch (const DbError& e) {
        err() << e.text() << "\n";
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    // Some subcommands render pictures (QR) and need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/kelvora-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QFile::setPermissions(QString::fromLocal8Bit(dir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) { usage(); return 2; }
    const QString cmd = args.takeFirst();
    int rc = 2;
    if (cmd == QLatin1String("init")) rc = init(args);
    else if (cmd == QLatin1String("check")) rc = check(args);
    else if (cmd == QLatin1String("demo")) rc = Demo::main(args);
    else if (cmd == QLatin1String("pinyin")) rc = pinyinToolMain(args);
    else if (cmd == QLatin1String("qr")) rc = qrToolMain(args);
    else usage();
    out().flush();
    err().flush();
    return rc;
}
