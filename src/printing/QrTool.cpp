#include "printing/QrTool.h"

#include <QTextStream>

#include <cstdio>
#include <optional>

#include "platform/Gbk.h"
#include "printing/QrEncoder.h"

namespace {

const char* const kUsage =
    "usage: kelvora-tool qr [--version N] [--level L|M|Q|H] [--emode -1|0|1|2|3] [--mask -1..7]\n"
    "                       [--mode single|connect|plus] [--count N] [--pxmag N] [--escapes] [--] TEXT\n";

std::optional<int> parseInt(const QString& s) {
    bool ok = false;
    const int v = s.toInt(&ok);
    if (!ok) return std::nullopt;
    return v;
}

} // namespace

int qrToolMain(const QStringList& args) {
    QTextStream err(stderr);
    auto bad = [&](const QString& message) {
        err << "kelvora-tool qr: " << message << "\n" << kUsage;
        err.flush();
        return 2;
    };

    qr::Encoder enc;
    std::optional<int> count;
    std::optional<int> mode;
    int pxmag = 1;
    bool escapes = false;
    std::optional<QString> text;

    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--escapes")) {
            escapes = true;
            continue;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << kUsage;
            return 0;
        }
        if (a == QLatin1String("--")) {
            if (i + 2 != args.size()) return bad(QStringLiteral("exactly one TEXT must follow --"));
            if (text) return bad(QStringLiteral("more than one TEXT given"));
            text = args[i + 1];
            break;
        }
        if (a.startsWith(QLatin1String("--"))) {
            if (i + 1 >= args.size()) return bad(QStringLiteral("%1 needs a value").arg(a));
            const QString v = args[++i];
            const std::optional<int> n = parseInt(v);
            if (a == QLatin1String("--version")) {
                if (!n || !enc.setVersion(*n)) return bad(QStringLiteral("--version must be 1..40, not \"%1\"").arg(v));
            } else if (a == QLatin1String("--level")) {
                const int level = QStringLiteral("LMQH").indexOf(v.toUpper());
                if (v.size() != 1 || level < 0) return bad(QStringLiteral("--level must be L, M, Q or H, not \"%1\"").arg(v));
                enc.setEclevel(level);
            } else if (a == QLatin1String("--emode")) {
                if (!n || !enc.setEmode(*n)) return bad(QStringLiteral("--emode must be -1, 0, 1, 2 or 3, not \"%1\"").arg(v));
            } else if (a == QLatin1String("--mask")) {
                if (!n || !enc.setMasktype(*n)) return bad(QStringLiteral("--mask must be -1..7, not \"%1\"").arg(v));
            } else if (a == QLatin1String("--mode")) {
                const QStringList names{QStringLiteral("single"), QStringLiteral("connect"), QStringLiteral("plus")};
                const int m = static_cast<int>(names.indexOf(v));
                if (m < 0) return bad(QStringLiteral("--mode must be single, connect or plus, not \"%1\"").arg(v));
                mode = m;
            } else if (a == QLatin1String("--count")) {
                if (!n || *n < 1 || *n > 1024) return bad(QStringLiteral("--count must be 1..1024, not \"%1\"").arg(v));
                count = *n;
            } else if (a == QLatin1String("--pxmag")) {
                if (!n || *n < 1 || *n > 10) return bad(QStringLiteral("--pxmag must be 1..10, not \"%1\"").arg(v));
                pxmag = *n;
            } else {
                return bad(QStringLiteral("unknown option %1").arg(a));
            }
            continue;
        }
        if (text) return bad(QStringLiteral("more than one TEXT given"));
        text = a;
    }
    if (!text) return bad(QStringLiteral("TEXT is missing"));

    if (count) enc.setCount(*count);
    if (mode) enc.setMode(*mode);

    bool lossless = true;
    const QByteArray bytes = Gbk::encode(*text, &lossless);
    if (!lossless) err << "kelvora-tool qr: characters without a GBK form were written as \"?\"\n";
    if (!enc.decodeEscapes(bytes, escapes))
        err << "kelvora-tool qr: the \"~\" escapes are malformed; the text is encoded as it stands\n";

    QStringList lines;
    QString failure;
    try {
        enc.splitData();
        enc.checkParameters(16);
        lines = enc.buildPbm(pxmag, &failure);
    } catch (const qr::QRCodeError& e) {
        failure = e.message();
    }
    if (!failure.isEmpty()) {
        err << "kelvora-tool qr: " << failure << "\n";
        err.flush();
        return 1;
    }

    // One write per line is slow for large symbols; gather the text first.
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toLatin1();
        out += '\n';
    }
    std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    std::fflush(stdout);
    return 0;
}
