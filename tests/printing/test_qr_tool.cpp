// kelvora-tool qr: the PBM text image of the component on standard output.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

#include "printing/QRCode.h"
#include "printing/QrTool.h"

namespace {

struct ToolRun {
    int status;
    QByteArray out;
    QByteArray err;
};

// Runs the subcommand with standard output and error sent to files.
ToolRun runTool(const QStringList& args) {
    QTemporaryFile out, err;
    out.open();
    err.open();
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = dup(1);
    const int savedErr = dup(2);
    dup2(out.handle(), 1);
    dup2(err.handle(), 2);
    const int status = qrToolMain(args);
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);
    QFile o(out.fileName()), e(err.fileName());
    o.open(QIODevice::ReadOnly);
    e.open(QIODevice::ReadOnly);
    return {status, o.readAll(), e.readAll()};
}

QByteArray joined(const QStringList& lines) {
    QByteArray b;
    for (const QString& l : lines) b += l.toLatin1() + '\n';
    return b;
}

} // namespace

TEST(QrTool, PrintsThePbmOfTheComponent) {
    struct Case {
        QStringList args;
        std::function<void(TQRCode&)> setup;
        QString code;
    } cases[] = {
        {{"HELLO"}, [](TQRCode&) {}, "HELLO"},
        {{"--version", "3", "--level", "q", "--mask", "6", "--pxmag", "2", "--emode", "1", "HELLO 42"},
         [](TQRCode& q) { q.setVersion(3); q.setEclevel(2); q.setMasktype(6); q.setPxmag(2); q.setEmode(1); }, "HELLO 42"},
        {{"--count", "3", "--mode", "connect", "ABCDEFGHI"}, [](TQRCode& q) { q.setCount(3); }, "ABCDEFGHI"},
        {{"--mode", "plus", "--count", "20", "--", QString(40, QLatin1Char('-'))},
         [](TQRCode& q) { q.setCount(20); q.setMode(TQRCode::qrPlus); }, QString(40, QLatin1Char('-'))},
        {{"--version", "2", "物品编号：A-0042"}, [](TQRCode& q) { q.setVersion(2); }, QStringLiteral("物品编号：A-0042")},
        {{"--escapes", "~41~"}, [](TQRCode&) {}, "A"},
        {{"~41~"}, [](TQRCode& q) { q.setBinaryOperation(false); }, "~41~"},
    };
    for (const Case& c : cases) {
        TQRCode qr;
        qr.setSymbolEnabled(false);
        c.setup(qr);
        qr.setCode(c.code);
        qr.setSymbolEnabled(true);
        ASSERT_TRUE(qr.SymbolDisped()) << c.args.join(' ').toStdString();
        const ToolRun r = runTool(c.args);
        EXPECT_EQ(r.status, 0) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, joined(qr.PBM())) << c.args.join(' ').toStdString();
    }
}

TEST(QrTool, ExitStatusAndMessages) {
    struct Case {
        QStringList args;
        int status;
        const char* errContains;
    } cases[] = {
        {{QString(18, QLatin1Char('x'))}, 1, "do not fit in version 1-L"},
        {{"--emode", "0", "12a"}, 1, "numeric mode"},
        {{"--version", "41", "x"}, 2, "--version"},
        {{"--version", "ten", "x"}, 2, "--version"},
        {{"--level", "X", "x"}, 2, "--level"},
        {{"--emode", "4", "x"}, 2, "--emode"},
        {{"--mask", "8", "x"}, 2, "--mask"},
        {{"--mode", "double", "x"}, 2, "--mode"},
        {{"--count", "0", "x"}, 2, "--count"},
        {{"--pxmag", "11", "x"}, 2, "--pxmag"},
        {{"--colour", "red", "x"}, 2, "unknown option"},
        {{"--version"}, 2, "needs a value"},
        {{}, 2, "TEXT is missing"},
        {{"a", "b"}, 2, "more than one TEXT"},
    };
    for (const Case& c : cases) {
        const ToolRun r = runTool(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.errContains)) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(' ').toStdString();
    }
}
