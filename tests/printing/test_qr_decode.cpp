// Symbols of the component read back by decoders that are not ours
// (zbarimg), and module matrices compared with an independent encoder
// (python3-segno). Both are skipped, with a message, where the tool is missing.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

#include "QrTestSupport.h"
#include "platform/Gbk.h"
#include "printing/QRCode.h"

namespace {

struct Rng {
    std::uint32_t s;
    std::uint32_t next() { return s = s * 1664525u + 1013904223u; }
    int below(int n) { return static_cast<int>((next() >> 8) % static_cast<std::uint32_t>(n)); }
};

enum Kind { Numeric, Alnum, Byte, Mixed };

QByteArray makeText(Kind kind, int length, Rng& rng) {
    static const char alnum[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    static const char printable[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 !#&'()=?@_{}<>,;";
    QByteArray t;
    while (t.size() < length) {
        switch (kind) {
        case Numeric: t += static_cast<char>('0' + rng.below(10)); break;
        case Alnum: t += alnum[rng.below(45)]; break;
        case Byte: t += printable[rng.below(static_cast<int>(sizeof printable) - 1)]; break;
        case Mixed: {
            // Runs of digits, capitals and lower-case text, so that automatic
            // mode switches between numeric, alphanumeric and byte segments.
            const int run = 1 + rng.below(14);
            const int which = rng.below(3);
            for (int i = 0; i < run; ++i)
                t += which == 0 ? static_cast<char>('0' + rng.below(10))
                     : which == 1 ? static_cast<char>('A' + rng.below(26))
                                  : static_cast<char>('a' + rng.below(26));
            break;
        }
        }
    }
    return t.left(length);
}

// A component that builds without drawing, configured before it paints.
struct Builder {
    TQRCode qr;
    Builder() {
        qr.setSymbolDebug(true);
        qr.setSymbolEnabled(false);
    }
    // Configures and paints; true when the symbol was built.
    bool build(int version, int level, int mask, int emode, bool usejis, const QByteArray& text) {
        qr.setSymbolEnabled(false);
        qr.setVersion(version);
        qr.setEclevel(level);
        qr.setMasktype(mask);
        qr.setEmode(emode);
        qr.setUsejis(usejis);
        // ASCII text as it stands; other bytes through the "~" escapes.
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        qr.setBinaryOperation(!ascii);
        qr.setCode(ascii ? QString::fromLatin1(text) : QLatin1Char('~') + QString::fromLatin1(text.toHex()) + QLatin1Char('~'));
        qr.setSymbolEnabled(true);
        return qr.SymbolDisped();
    }
};

struct Case {
    int version, level, mask, emode;
    bool usejis;
    Kind kind;
    QByteArray text;
};

const char* kindName(Kind k) {
    static const char* const names[] = {"numeric", "alphanumeric", "byte", "mixed"};
    return names[k];
}

} // namespace

TEST(QrDecode, EveryVersionLevelMaskAndModeReadsBack) {
    if (qrtest::zbarimg().isEmpty()) GTEST_SKIP() << "zbarimg (Debian package zbar-tools) is not installed";

    // All 40 versions at all four levels; the mask runs through the automatic
    // choice and the eight fixed patterns, the text through numeric,
    // alphanumeric, byte and mixed content filling most of the symbol, in
    // automatic mode (with and without the character analysis) and in fixed
    // modes.
    Rng rng{12345};
    Builder b;
    std::vector<Case> cases;
    std::vector<QImage> images;
    for (int v = 1; v <= 40; ++v) {
        for (int level = 0; level < 4; ++level) {
            const int n = (v - 1) * 4 + level;
            Case c;
            c.version = v;
            c.level = level;
            c.mask = n % 9 - 1;
            c.kind = static_cast<Kind>(n % 4);
            // Fixed modes on every other round of kinds; mixed text always automatic.
            const bool fixed = (n / 4) % 2 == 1 && c.kind != Mixed;
            c.emode = fixed ? static_cast<int>(c.kind) : -1;
            c.usejis = c.kind != Byte || fixed;
            const int capacity = qr::versionInfo(v).level[level].capacity[c.kind == Mixed ? static_cast<int>(qr::ModeByte) : static_cast<int>(c.kind)];
            // Near the capacity: the largest length (from 95 % of it down) that builds.
            c.text = makeText(c.kind, capacity - capacity / 20, rng);
            while (!b.build(v, level, c.mask, c.emode, c.usejis, c.text) && c.text.size() > 1) c.text.chop(1);
            ASSERT_TRUE(b.qr.SymbolDisped()) << "version " << v << " level " << level;
            if (c.mask >= 0) {
                EXPECT_EQ(b.qr.MasktypeR(), c.mask);
            }
            const int scale = v <= 15 ? 3 : 2;
            images.push_back(qrtest::pbmImages(b.qr.PBM(), scale).at(0));
            cases.push_back(c);
        }
    }

    const auto decoded = qrtest::zbarDecode(images);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(decoded[i].value_or("<nothing decoded>"), c.text)
            << "version " << c.version << "-" << "LMQH"[c.level] << " mask " << c.mask << " emode " << c.emode << " "
            << kindName(c.kind) << " text of " << c.text.size() << " bytes";
    }
}

TEST(QrDecode, ChineseTextInByteModeAndKanjiModeReadBackAsBytes) {
    if (qrtest::zbarimg().isEmpty()) GTEST_SKIP() << "zbarimg (Debian package zbar-tools) is not installed";

    // GBK text through the painted bitmap, automatic mode without the
    // character analysis (one byte segment), at the label's settings.
    TQRCode qr;
    qr.setSymbolEnabled(false);
    qr.setVersion(10);
    qr.setEclevel(2);
    qr.setPxmag(3);
    qr.setSymbolEnabled(true);
    const QString chinese = QStringLiteral("物品编号：A-0042 名称：不锈钢螺丝刀（十字）仓库：一号库");
    qr.setCode(chinese);
    ASSERT_TRUE(qr.SymbolDisped());
    EXPECT_EQ(qr.EmodeR(), 2);

    // Shift JIS double-byte text in fixed Kanji mode (13 bits a character).
    Builder kanji;
    const QByteArray sjis("\x93\xfa\x96\x7b\x8c\xea\x88\x9f\xea\xa4\x81\x40\x9f\xfc\xe0\x40\xeb\xbf", 18);
    ASSERT_TRUE(kanji.build(3, 1, 4, 3, false, sjis));

    const auto decoded = qrtest::zbarDecode({qr.Picture(), qrtest::pbmImages(kanji.qr.PBM(), 3).at(0)}, true);
    EXPECT_EQ(decoded[0].value_or("<nothing decoded>"), Gbk::encode(chinese));
    EXPECT_EQ(decoded[1].value_or("<nothing decoded>"), sjis);
}

TEST(QrDecode, ConnectedSymbolsReadBackAsOneText) {
    if (qrtest::zbarimg().isEmpty()) GTEST_SKIP() << "zbarimg (Debian package zbar-tools) is not installed";

    // Four symbols joined by the structured-append header, painted as a
    // grid of two columns with spaces between them; the decoder joins them
    // again by their positions and parity.
    TQRCode qr;
    qr.setSymbolEnabled(false);
    qr.setVersion(3);
    qr.setEclevel(1);
    qr.setCount(4);
    qr.setColumn(2);
    qr.setPxmag(3);
    qr.setSymbolSpaceRight(12);
    qr.setSymbolSpaceDown(12);
    const QByteArray text = "Kelvora structured append: four symbols, one text, parity over all bytes 0123456789.";
    qr.setCode(QString::fromLatin1(text));
    qr.setSymbolEnabled(true);
    ASSERT_TRUE(qr.SymbolDisped());
    EXPECT_EQ(qr.Mode(), TQRCode::qrConnect);
    EXPECT_EQ(qr.Count(), 4);
    int parity = 0;
    for (char ch : text) parity ^= static_cast<unsigned char>(ch);
    EXPECT_EQ(qr.Parity(), parity);

    const auto decoded = qrtest::zbarDecode({qr.Picture()});
    EXPECT_EQ(decoded[0].value_or("<nothing decoded>"), text);
}

TEST(QrDecode, ModuleMatricesEqualAnIndependentEncoder) {
    const QString python = qrtest::segnoPython();
    if (python.isEmpty()) GTEST_SKIP() << "python3-segno (Debian package) is not installed";

    // Byte-mode texts here fill their symbols: python3-segno 1.4 writes a
    // whole zero byte after a terminator that ends on a byte boundary (which
    // a byte segment followed by pad codewords always does).
    struct Fixed { int version, level, mask, emode; QByteArray text; };
    Rng rng{777};
    auto full = [&](int v, int level) { return makeText(Byte, qr::versionInfo(v).level[level].capacity[qr::ModeByte], rng); };
    const std::vector<Fixed> cases = {
        {1, 1, 0, 0, "01234567"},
        {1, 0, 1, 1, "HELLO WORLD"},
        {2, 2, 2, 2, full(2, 2)},
        {5, 3, 3, 0, makeText(Numeric, 80, rng)},
        {7, 0, 4, 2, full(7, 0)},
        {10, 2, 5, 2, full(10, 2)},
        {14, 1, 6, 1, makeText(Alnum, 500, rng)},
        {21, 3, 7, 2, full(21, 3)},
        {27, 0, 3, 0, makeText(Numeric, 3000, rng)},
        {33, 2, 1, 1, makeText(Alnum, 1600, rng)},
        {40, 3, 5, 2, full(40, 3)},
        {40, 0, 0, 0, makeText(Numeric, 7089, rng)},
    };

    QJsonArray jobs;
    std::vector<std::vector<QString>> ours;
    Builder b;
    for (const Fixed& c : cases) {
        ASSERT_TRUE(b.build(c.version, c.level, c.mask, c.emode, false, c.text)) << c.version;
        const QStringList pbm = b.qr.PBM();
        const int m = 17 + 4 * c.version;
        std::vector<QString> rows;
        for (int r = 0; r < m; ++r) {
            // Pixel rows of the modules (after two empty lines and the quiet zone).
            const QString& line = pbm[3 + 2 + 4 + r];
            QString bits;
            for (int col = 0; col < m; ++col) bits += line.at(2 * (col + 4) + 1);
            rows.push_back(bits);
        }
        ours.push_back(rows);
        static const char* const modes[] = {"numeric", "alphanumeric", "byte"};
        jobs.append(QJsonObject{{"version", c.version},
                                {"error", QString(QLatin1Char("LMQH"[c.level]))},
                                {"mask", c.mask},
                                {"mode", QLatin1String(modes[c.emode])},
                                {"text", QString::fromLatin1(c.text)}});
    }

    const char* script =
        "import json, sys, segno\n"
        "for job in json.load(sys.stdin):\n"
        "    content = job['text'].encode('latin-1') if job['mode'] == 'byte' else job['text']\n"
        "    q = segno.make(content, version=job['version'], error=job['error'], mask=job['mask'],\n"
        "                   mode=job['mode'], boost_error=False, micro=False)\n"
        "    for row in q.matrix:\n"
        "        print(''.join('1' if v else '0' for v in row))\n"
        "    print()\n";
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromLatin1(script)});
    p.write(QJsonDocument(jobs).toJson(QJsonDocument::Compact));
    p.closeWriteChannel();
    p.waitForFinished(-1);
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList blocks = QString::fromLatin1(p.readAllStandardOutput()).split(QStringLiteral("\n\n"));
    ASSERT_GE(blocks.size(), static_cast<qsizetype>(cases.size()));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const QStringList theirs = blocks[static_cast<qsizetype>(i)].trimmed().split(QLatin1Char('\n'));
        ASSERT_EQ(theirs.size(), static_cast<qsizetype>(ours[i].size())) << "case " << i;
        for (std::size_t r = 0; r < ours[i].size(); ++r)
            EXPECT_EQ(ours[i][r].toStdString(), theirs[static_cast<qsizetype>(r)].toStdString())
                << "version " << cases[i].version << "-" << "LMQH"[cases[i].level] << " mask " << cases[i].mask << " row " << r;
    }
}
