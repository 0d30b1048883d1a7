// TQRCode as a component: properties, geometry of the painted picture,
// comments, rotation, transparency, failures, events, PBM, vector picture
// and clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QMimeData>
#include <QSvgRenderer>

#include <functional>

#include "QrTestSupport.h"
#include "printing/QRCode.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

// A component configured while switched off, then switched on (one paint).
struct Configured {
    TQRCode qr;
    explicit Configured(const std::function<void(TQRCode&)>& setup, const QString& code) {
        qr.setSymbolEnabled(false);
        setup(qr);
        qr.setCode(code);
        qr.setSymbolEnabled(true);
    }
};

bool allPixels(const QImage& img, const QRect& r, QRgb value) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) != value) return false;
    return true;
}

// The 7 x 7 finder pattern (dark ring, light ring, dark centre) at (x, y), one pixel a module.
bool finderAt(const QImage& img, int x, int y) {
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) {
            const bool dark = r == 0 || r == 6 || c == 0 || c == 6 || (r >= 2 && r <= 4 && c >= 2 && c <= 4);
            if (img.pixel(x + c, y + r) != (dark ? kBlack : kWhite)) return false;
        }
    return true;
}

} // namespace

TEST(QrWidget, OutOfRangeValuesAreIgnoredWithoutRepainting) {
    struct Row {
        const char* property;
        std::vector<QVariant> invalid;
        QVariant valid;
        bool repaints;   // whether setting the valid value repaints here
    } rows[] = {
        {"Version", {0, 41}, 2, true},
        {"Eclevel", {-1, 4}, 3, true},
        {"Masktype", {-2, 8}, 5, true},
        {"Emode", {-2, 4}, 1, true},
        {"Pxmag", {0, 11}, 10, true},
        {"Angle", {45, -90, 360}, 180, true},
        {"Count", {0, 1025}, 3, true},
        {"Column", {0, 1025}, 1024, true},
        {"Mode", {3, -1}, TQRCode::qrPlus, true},
        {"SymbolPicture", {3, -1}, TQRCode::picEMF, true},
        {"CommentUpLoc", {3, -1}, TQRCode::locRight, false},      // CommentUp is empty
        {"CommentDownLoc", {3, -1}, TQRCode::locCenter, false},   // CommentDown is empty
        {"Numbering", {4, -1}, TQRCode::nbrTail, false},          // Count is 1
        {"SymbolLeft", {-1}, 7, true},
        {"SymbolTop", {-1}, 7, true},
        {"SymbolSpaceUp", {-1}, 3, true},
        {"SymbolSpaceDown", {-1}, 3, true},
        {"SymbolSpaceLeft", {-1}, 3, true},
        {"SymbolSpaceRight", {-1}, 3, true},
        {"Usejis", {}, true, false},
        {"SymbolDebug", {}, true, false},
        {"ClipWatch", {}, true, false},
        {"ClearOption", {}, true, false},
        {"Reverse", {}, true, true},
        {"Match", {}, false, true},
        {"Transparent", {}, true, true},
        {"SymbolColor", {}, QColor(Qt::red), true},
        {"CommentUp", {}, QStringLiteral("up"), true},
    };
    for (const Row& row : rows) {
        TQRCode qr;
        qr.setCode(QStringLiteral("ABCDEFGH"));
        int paints = 0;
        QObject::connect(&qr, &TQRCode::OnPaintSymbol, [&] { ++paints; });
        const QVariant before = qr.property(row.property);
        for (const QVariant& v : row.invalid) {
            EXPECT_TRUE(qr.setProperty(row.property, v)) << row.property;   // the setter ran
            EXPECT_EQ(qr.property(row.property), before) << row.property << " = " << v.toString().toStdString();
            EXPECT_EQ(paints, 0) << row.property << " = " << v.toString().toStdString();
        }
        qr.setProperty(row.property, row.valid);
        if (row.valid.typeId() == QMetaType::Int)
            EXPECT_EQ(qr.property(row.property).toInt(), row.valid.toInt()) << row.property;
        else
            EXPECT_EQ(qr.property(row.property), row.valid) << row.property;
        EXPECT_EQ(paints, row.repaints ? 1 : 0) << row.property;
    }
}

TEST(QrWidget, InitialValues) {
    TQRCode qr;
    EXPECT_EQ(qr.Code(), QString());
    EXPECT_EQ(qr.Len(), 0);
    EXPECT_TRUE(qr.Binary());
    EXPECT_TRUE(qr.BinaryOperation());
    EXPECT_EQ(qr.Mode(), TQRCode::qrSingle);
    EXPECT_EQ(qr.Count(), 1);
    EXPECT_EQ(qr.Column(), 16);
    EXPECT_EQ(qr.Numbering(), TQRCode::nbrIfVoid);
    EXPECT_EQ(qr.Version(), 1);
    EXPECT_EQ(qr.Emode(), -1);
    EXPECT_EQ(qr.EmodeR(), -1);
    EXPECT_EQ(qr.Eclevel(), 0);
    EXPECT_EQ(qr.Masktype(), -1);
    EXPECT_EQ(qr.Pxmag(), 1);
    EXPECT_EQ(qr.Angle(), 0);
    EXPECT_TRUE(qr.Match());
    EXPECT_FALSE(qr.Transparent());
    EXPECT_EQ(qr.SymbolColor(), QColor(Qt::black));
    EXPECT_EQ(qr.BackColor(), QColor(Qt::white));
    EXPECT_EQ(qr.SymbolPicture(), TQRCode::picBMP);
    EXPECT_TRUE(qr.SymbolEnabled());
    EXPECT_FALSE(qr.SymbolDisped());
    EXPECT_FALSE(qr.HasPicture());   // the constructor does not paint
    EXPECT_EQ(qr.Capacity(), 25);    // version 1-L, alphanumeric
}

TEST(QrWidget, VersionOneFitsTheControlWithAQuietZone) {
    TQRCode qr;
    qr.setCode(QStringLiteral("KELVORA"));
    ASSERT_TRUE(qr.SymbolDisped());
    EXPECT_EQ(qr.size(), QSize(29, 29));
    const QImage img = qr.Picture();
    EXPECT_EQ(img.size(), QSize(29, 29));
    EXPECT_EQ(img.depth(), 32);
    EXPECT_TRUE(allPixels(img, QRect(0, 0, 29, 4), kWhite));
    EXPECT_TRUE(allPixels(img, QRect(0, 25, 29, 4), kWhite));
    EXPECT_TRUE(allPixels(img, QRect(0, 0, 4, 29), kWhite));
    EXPECT_TRUE(allPixels(img, QRect(25, 0, 4, 29), kWhite));
    EXPECT_TRUE(finderAt(img, 4, 4));
    EXPECT_TRUE(finderAt(img, 18, 4));
    EXPECT_TRUE(finderAt(img, 4, 18));
    EXPECT_EQ(qr.SymbolWidth(), 29);
    EXPECT_EQ(qr.QuietZone(), 4);

    // The article label's settings: version 10 at level Q, 65 x 65 pixels.
    Configured label([](TQRCode& q) { q.setVersion(10); q.setEclevel(2); }, QStringLiteral("物品编号 A-0042"));
    EXPECT_EQ(label.qr.Picture().size(), QSize(65, 65));
    EXPECT_EQ(label.qr.Picture().depth(), 32);
}

TEST(QrWidget, GridOfFiveSymbolsInTwoColumns) {
    Configured c([](TQRCode& q) {
        q.setCount(5);
        q.setColumn(2);
        q.setNumbering(TQRCode::nbrNone);   // no numbers in empty comments
        q.setSymbolSpaceLeft(3);
        q.setSymbolSpaceRight(5);
        q.setSymbolSpaceUp(2);
        q.setSymbolSpaceDown(6);
    }, QStringLiteral("ABCDEFGHIJ"));
    TQRCode& qr = c.qr;
    ASSERT_EQ(qr.Count(), 5);
    EXPECT_EQ(qr.SymbolWidthS(), 29 + 8);
    EXPECT_EQ(qr.SymbolHeightS(), 29 + 8);
    EXPECT_EQ(qr.SymbolWidthA(), 2 * qr.SymbolWidthS());
    EXPECT_EQ(qr.SymbolHeightA(), 3 * qr.SymbolHeightS());
    const QImage img = qr.Picture();
    ASSERT_EQ(img.size(), QSize(qr.SymbolWidthA(), qr.SymbolHeightA()));
    // Every symbol sits in its cell after the spaces and the quiet zone; the
    // fifth alone in the third row, first column.
    for (int k = 0; k < 5; ++k) {
        const int x = k % 2 * qr.SymbolWidthS() + 3 + 4;
        const int y = k / 2 * qr.SymbolHeightS() + 2 + 4;
        EXPECT_TRUE(finderAt(img, x, y)) << "symbol " << k + 1;
    }
    EXPECT_TRUE(allPixels(img, QRect(qr.SymbolWidthS(), 2 * qr.SymbolHeightS(), qr.SymbolWidthS(), qr.SymbolHeightS()), kWhite));
}

TEST(QrWidget, CommentsAreNumberedWhenThereAreSeveralSymbols) {
    QFont font;
    font.setPixelSize(12);
    const int space = QFontMetrics(font).height() + 2;
    auto setup = [&](TQRCode& q) {
        q.setComFont(font);
        q.setSymbolSpaceUp(space);
        q.setSymbolSpaceDown(space);
        q.setCommentUpLoc(TQRCode::locCenter);
    };
    // The strip of the comment above (or below) symbol k of a grid of one row.
    auto strip = [&](const TQRCode& q, int k, bool above) {
        const int y = above ? 0 : space + q.SymbolHeight();
        return q.Picture().copy((k - 1) * q.SymbolWidthS(), y, q.SymbolWidthS(), space);
    };
    // The same strip painted by a single symbol with the given comments.
    auto single = [&](const QString& up, const QString& down, bool above) {
        Configured one([&](TQRCode& q) { setup(q); q.setCommentUp(up); q.setCommentDown(down); }, QStringLiteral("A"));
        return strip(one.qr, 1, above);
    };

    Configured head([&](TQRCode& q) {
        setup(q);
        q.setCount(3);
        q.setNumbering(TQRCode::nbrHead);
        q.setCommentUp(QStringLiteral("A"));
    }, QStringLiteral("ABCDEF"));
    ASSERT_EQ(head.qr.Count(), 3);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(strip(head.qr, k, true), single(QStringLiteral("%1 A").arg(k), QString(), true)) << k;
    EXPECT_EQ(head.qr.CommentUp(), QStringLiteral("A"));

    Configured ifVoid([&](TQRCode& q) {
        setup(q);
        q.setCount(3);
        q.setCommentUp(QStringLiteral("A"));
    }, QStringLiteral("ABCDEF"));
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(strip(ifVoid.qr, k, true), single(QStringLiteral("A"), QString(), true)) << k;
        EXPECT_EQ(strip(ifVoid.qr, k, false), single(QString(), QString::number(k), false)) << k;
    }
    EXPECT_EQ(ifVoid.qr.CommentDown(), QString());

    struct Case { TQRCode::TNumbering numbering; const char* comment; const char* expected; } cases[] = {
        {TQRCode::nbrNone, "c", "c"}, {TQRCode::nbrNone, "", ""},
        {TQRCode::nbrHead, "c", "7 c"}, {TQRCode::nbrHead, "", "7"},
        {TQRCode::nbrTail, "c", "c 7"}, {TQRCode::nbrTail, "", "7"},
        {TQRCode::nbrIfVoid, "c", "c"}, {TQRCode::nbrIfVoid, "", "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TQRCode::NumberedComment(c.numbering, QString::fromLatin1(c.comment), 7), QString::fromLatin1(c.expected));
}

TEST(QrWidget, RotationExchangesWidthAndHeightAndMirroringFlips) {
    Configured c([](TQRCode& q) { q.setCount(2); q.setColumn(2); }, QStringLiteral("ABCDEF"));
    TQRCode& qr = c.qr;
    const QImage upright = qr.Picture();
    ASSERT_EQ(upright.size(), QSize(58, 29));
    ASSERT_TRUE(finderAt(upright, 4, 4));

    qr.setAngle(90);
    const QImage turned = qr.Picture();
    EXPECT_EQ(turned.size(), QSize(29, 58));
    EXPECT_EQ(qr.size(), QSize(29, 58));
    EXPECT_TRUE(finderAt(turned, 29 - 11, 4));   // the top-left finder is now at the top right
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x)
            ASSERT_EQ(turned.pixel(x, y), upright.pixel(y, upright.height() - 1 - x)) << x << "," << y;

    qr.setAngle(180);
    EXPECT_EQ(qr.Picture(), upright.mirrored(true, true));
    EXPECT_EQ(qr.size(), QSize(58, 29));

    qr.setAngle(0);
    qr.setReverse(true);
    EXPECT_EQ(qr.Picture(), upright.mirrored(true, false));
}

TEST(QrWidget, WithoutMatchThePictureAroundTheSymbolsIsKept) {
    // A picture of its own, then a symbol painted into it at (5, 6), turned
    // and mirrored; everything outside the symbol stays as it was, paint
    // after paint.
    QImage base(120, 100, QImage::Format_ARGB32);
    for (int y = 0; y < base.height(); ++y)
        for (int x = 0; x < base.width(); ++x) base.setPixel(x, y, qRgb(x * 2, y * 2, 100));
    TQRCode qr;
    qr.setSymbolEnabled(false);
    qr.resize(base.size());
    qr.setMatch(false);
    qr.setPicture(base);
    qr.setSymbolLeft(5);
    qr.setSymbolTop(6);
    qr.setAngle(90);
    qr.setReverse(true);
    qr.setCode(QStringLiteral("KELVORA"));
    qr.setSymbolEnabled(true);
    for (int paint = 0; paint < 3; ++paint) {
        if (paint) qr.RefreshSymbol();
        ASSERT_TRUE(qr.SymbolDisped());
        const QImage img = qr.Picture();
        ASSERT_EQ(img.size(), base.size());
        EXPECT_EQ(qr.size(), base.size());
        // Mirroring takes the whole picture, the symbol's place with it.
        const QRect symbol(120 - 5 - 29, 6, 29, 29);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                if (!symbol.contains(x, y)) {
                    ASSERT_EQ(img.pixel(x, y), base.pixel(x, y)) << "paint " << paint << " at " << x << "," << y;
                }
            }
        EXPECT_TRUE(allPixels(img, QRect(symbol.topLeft(), QSize(29, 4)), kWhite));
        EXPECT_EQ(img.pixel(symbol.left() + 4, symbol.top() + 4), kBlack);
    }
}

TEST(QrWidget, TransparentDrawsOnlyTheDarkModulesOverThePicture) {
    TQRCode qr;
    qr.resize(80, 60);
    QImage red(80, 60, QImage::Format_ARGB32);
    red.fill(QColor(Qt::red));
    qr.setPicture(red);
    qr.setSymbolEnabled(false);
    qr.setTransparent(true);
    EXPECT_FALSE(qr.Match());
    qr.setSymbolLeft(10);
    qr.setSymbolTop(10);
    qr.setCode(QStringLiteral("KELVORA"));
    qr.setSymbolEnabled(true);
    ASSERT_TRUE(qr.SymbolDisped());
    const QImage img = qr.Picture();
    EXPECT_EQ(img.size(), QSize(80, 60));
    EXPECT_EQ(qr.size(), QSize(80, 60));
    EXPECT_EQ(img.pixel(10, 10), QColor(Qt::red).rgba());            // quiet zone, not filled
    EXPECT_EQ(img.pixel(14, 14), kBlack);                            // finder corner
    EXPECT_EQ(img.pixel(15, 15), QColor(Qt::red).rgba());            // the finder's light ring
    EXPECT_EQ(img.pixel(70, 50), QColor(Qt::red).rgba());
}

TEST(QrWidget, APaintThatCannotEncodeKeepsThePictureUnlessClearOption) {
    Configured c([](TQRCode& q) { q.setVersion(10); q.setEclevel(2); }, QString(151, QLatin1Char('x')));
    TQRCode& qr = c.qr;
    ASSERT_TRUE(qr.SymbolDisped());
    const QImage before = qr.Picture();

    qr.setCode(QString(152, QLatin1Char('x')));
    EXPECT_FALSE(qr.SymbolDisped());
    EXPECT_EQ(qr.Picture(), before);

    qr.setClearOption(true);   // switching it on while nothing is shown empties the picture
    EXPECT_FALSE(qr.HasPicture());

    qr.setCode(QStringLiteral("fits"));
    ASSERT_TRUE(qr.HasPicture());
    qr.setCode(QString(152, QLatin1Char('x')));
    EXPECT_FALSE(qr.SymbolDisped());
    EXPECT_FALSE(qr.HasPicture());

    // A fixed mode the data do not suit fails the same way.
    qr.setClearOption(false);
    qr.setCode(QStringLiteral("123"));
    ASSERT_TRUE(qr.SymbolDisped());
    qr.setEmode(0);
    EXPECT_TRUE(qr.SymbolDisped());
    qr.setCode(QStringLiteral("12a"));
    EXPECT_FALSE(qr.SymbolDisped());
    EXPECT_TRUE(qr.HasPicture());
}

TEST(QrWidget, SymbolDebugBuildsWithoutDrawing) {
    TQRCode qr;
    qr.setSymbolDebug(true);
    qr.setAngle(90);
    qr.setCode(QStringLiteral("KELVORA"));
    EXPECT_TRUE(qr.SymbolDisped());
    const QImage img = qr.Picture();
    EXPECT_TRUE(allPixels(img, img.rect(), 0));   // nothing drawn, nothing turned
    EXPECT_EQ(img.size(), QSize(100, 100));
    EXPECT_EQ(qr.PBM().size(), 3 + 2 + 29);
}

TEST(QrWidget, PbmTextImage) {
    TQRCode qr;
    qr.setCode(QStringLiteral("KELVORA"));
    const QStringList pbm = qr.PBM();
    ASSERT_EQ(pbm.size(), 3 + 2 + 29);
    EXPECT_EQ(pbm[0], QStringLiteral("P1"));
    EXPECT_EQ(pbm[1], QStringLiteral("Single Mode (Count = 1)"));
    EXPECT_EQ(pbm[2], QStringLiteral("29 29"));
    EXPECT_EQ(pbm[3], QString());
    EXPECT_EQ(pbm[4], QString());
    // Each pixel row is 29 items " 0" or " 1", the same pixels as the bitmap.
    const QImage img = qr.Picture();
    for (int y = 0; y < 29; ++y) {
        const QString& row = pbm[5 + y];
        ASSERT_EQ(row.size(), 58) << y;
        for (int x = 0; x < 29; ++x) {
            EXPECT_EQ(row.at(2 * x), QLatin1Char(' '));
            EXPECT_EQ(row.at(2 * x + 1), img.pixel(x, y) == kBlack ? QLatin1Char('1') : QLatin1Char('0')) << x << "," << y;
        }
    }

    Configured three([](TQRCode& q) { q.setCount(3); q.setPxmag(2); }, QStringLiteral("ABCDEF"));
    const QStringList p3 = three.qr.PBM();
    EXPECT_EQ(p3[1], QStringLiteral("Connect Mode (Count = 3)"));
    EXPECT_EQ(p3[2], QStringLiteral("58 58"));
    ASSERT_EQ(p3.size(), 3 + 3 * (2 + 58));
    EXPECT_EQ(p3[5].size(), 116);
    EXPECT_EQ(qrtest::pbmImages(p3).size(), 3u);

    Configured plus([](TQRCode& q) { q.setCount(20); }, QString(40, QLatin1Char('p')));
    EXPECT_EQ(plus.qr.PBM()[1], QStringLiteral("Plus Mode (Count = 20)"));
}

TEST(QrWidget, PaintBringsCountAndModeIntoLine) {
    // Count then Mode (which clamps Count), or Mode then Count.
    struct Case { bool countFirst; int mode; int count; int len; TQRCode::TQRMode modeAfter; int countAfter; } cases[] = {
        {false, TQRCode::qrSingle, 20, 40, TQRCode::qrPlus, 20},
        {true, TQRCode::qrConnect, 20, 40, TQRCode::qrConnect, 16},
        {false, TQRCode::qrConnect, 8, 5, TQRCode::qrConnect, 5},
        {false, TQRCode::qrPlus, 3, 1, TQRCode::qrSingle, 1},
    };
    for (const Case& c : cases) {
        Configured q([&](TQRCode& qr) {
            if (c.countFirst) qr.setCount(c.count);
            qr.setMode(static_cast<TQRCode::TQRMode>(c.mode));
            if (!c.countFirst) qr.setCount(c.count);
        }, QString(c.len, QLatin1Char('z')));
        EXPECT_EQ(q.qr.Mode(), c.modeAfter) << c.count;
        EXPECT_EQ(q.qr.Count(), c.countAfter) << c.count;
        EXPECT_EQ(q.qr.Capacity(), 17 * c.countAfter) << c.count;   // byte mode at 1-L
    }
}

TEST(QrWidget, EscapesAndTheirFailure) {
    TQRCode qr;
    qr.setCode(QStringLiteral("A~4142~C"));
    EXPECT_EQ(qr.Len(), 4);
    EXPECT_TRUE(qr.BinaryOperation());
    qr.setCode(QStringLiteral("~414~"));
    EXPECT_EQ(qr.Len(), 5);
    EXPECT_FALSE(qr.BinaryOperation());
    qr.setCode(QStringLiteral("A~4142~C"));
    EXPECT_EQ(qr.Len(), 8);   // stays off until switched on again
    qr.setBinaryOperation(true);
    EXPECT_EQ(qr.Len(), 4);
    qr.setCode(QStringLiteral("啊"));
    EXPECT_EQ(qr.Len(), 2);   // GBK bytes
}

TEST(QrWidget, EventsOfACodeChangeInOrder) {
    TQRCode qr;
    qr.setCode(QStringLiteral("old"));
    QStringList log;
    QObject::connect(&qr, &TQRCode::OnChangeCode, [&](TQRCode* s, bool w) { log << "change " + s->Code() + (w ? " watch" : ""); });
    QObject::connect(&qr, &TQRCode::OnPaintSymbol, [&](TQRCode* s, bool) { log << QStringLiteral("paint %1").arg(s->SymbolDisped()); });
    QObject::connect(&qr, &TQRCode::OnPaintedSymbol, [&](TQRCode* s, bool) { log << QStringLiteral("painted %1").arg(s->SymbolDisped()); });
    QObject::connect(&qr, &TQRCode::OnChangedCode, [&](TQRCode* s, bool) { log << "changed " + s->Code(); });

    qr.setCode(QStringLiteral("new"));
    EXPECT_EQ(log, QStringList({"change old", "paint 0", "painted 1", "changed new"}));

    log.clear();
    qr.setSymbolEnabled(false);
    qr.setCode(QStringLiteral("quiet"));
    EXPECT_TRUE(log.isEmpty());
    qr.setSymbolEnabled(true);
    EXPECT_EQ(log, QStringList({"paint 0", "painted 1"}));
}

TEST(QrWidget, VectorPictureHasTheBitmapsGeometry) {
    Configured bmp([](TQRCode& q) { q.setPxmag(3); q.setCommentDown(QStringLiteral("K-1")); q.setSymbolSpaceDown(20); },
                   QStringLiteral("KELVORA"));
    Configured vec([](TQRCode& q) {
        q.setPxmag(3);
        q.setCommentDown(QStringLiteral("K-1"));
        q.setSymbolSpaceDown(20);
        q.setSymbolPicture(TQRCode::picEMF);
    }, QStringLiteral("KELVORA"));
    ASSERT_TRUE(vec.qr.HasVectorPicture());
    EXPECT_EQ(vec.qr.size(), bmp.qr.size());
    EXPECT_EQ(vec.qr.VectorSize(), bmp.qr.size() + QSize(1, 1));
    const QImage rendered = vec.qr.RenderPicture().copy(QRect(QPoint(0, 0), bmp.qr.size()));
    // Modules are exact; the comment's text may be drawn with other antialiasing.
    const QRect modules(0, 0, bmp.qr.SymbolWidth(), bmp.qr.SymbolHeight());
    EXPECT_EQ(rendered.copy(modules), bmp.qr.Picture().copy(modules));
    QSvgRenderer svg(vec.qr.VectorSvg());
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), vec.qr.VectorSize());

    // Kept only while Match is on.
    vec.qr.setMatch(false);
    EXPECT_EQ(vec.qr.SymbolPicture(), TQRCode::picBMP);
    vec.qr.setSymbolPicture(TQRCode::picWMF);
    EXPECT_EQ(vec.qr.SymbolPicture(), TQRCode::picBMP);
}

TEST(QrWidget, ClipboardCopyPasteAndWatch) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    ASSERT_NE(clipboard, nullptr);

    TQRCode qr;
    qr.setCode(QStringLiteral("KELVORA"));
    qr.CopyToClipboard();
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_ARGB32), qr.Picture());

    Configured vec([](TQRCode& q) { q.setSymbolPicture(TQRCode::picWMF); }, QStringLiteral("KELVORA"));
    vec.qr.CopyToClipboard();
    ASSERT_NE(clipboard->mimeData(), nullptr);
    EXPECT_TRUE(clipboard->mimeData()->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    EXPECT_FALSE(clipboard->image().isNull());

    clipboard->setText(QStringLiteral("PASTED"));
    qr.PasteFromClipboard();
    EXPECT_EQ(qr.Code(), QStringLiteral("PASTED"));

    // The watch takes every later change of the clipboard's text, with
    // Watch set in the events; switching it on does not take the text that
    // is already there.
    clipboard->setText(QStringLiteral("before"));
    QList<bool> watches;
    QObject::connect(&qr, &TQRCode::OnChangeCode, [&](TQRCode*, bool w) { watches << w; });
    qr.setClipWatch(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(qr.Code(), QStringLiteral("PASTED"));
    clipboard->setText(QStringLiteral("after"));
    QCoreApplication::processEvents();
    EXPECT_EQ(qr.Code(), QStringLiteral("after"));
    EXPECT_EQ(watches, QList<bool>({true}));
    qr.setClipWatch(false);
    clipboard->setText(QStringLiteral("later"));
    QCoreApplication::processEvents();
    EXPECT_EQ(qr.Code(), QStringLiteral("after"));
}

TEST(QrWidget, EmptyCodeGivesOneSymbolWithoutData) {
    TQRCode fresh;
    EXPECT_EQ(fresh.PBM().size(), 3 + 2 + 29);   // before any paint: one empty symbol

    TQRCode qr;
    qr.setCode(QString());
    EXPECT_TRUE(qr.SymbolDisped());
    EXPECT_EQ(qr.Len(), 0);
    EXPECT_EQ(qr.Count(), 1);
    EXPECT_EQ(qr.EmodeR(), -1);
    EXPECT_EQ(qr.size(), QSize(29, 29));
}
