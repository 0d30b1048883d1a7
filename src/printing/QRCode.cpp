#include "printing/QRCode.h"

#include "platform/Guard.h"

#include <QBuffer>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <exception>

#include "platform/Gbk.h"

namespace {

constexpr QImage::Format kBitmapFormat = QImage::Format_ARGB32;

} // namespace

TQRCode::TQRCode(QWidget* owner)
    : QWidget(owner), m_matrix(std::make_unique<qr::Matrix>()) {
    setObjectName(QStringLiteral("QRCode"));
    resize(100, 100);
}

TQRCode::~TQRCode() {
    setClipWatch(false);
}

// ---------------------------------------------------------------- properties

void TQRCode::decodeCode() {
    if (!m_enc.decodeEscapes(Gbk::encode(m_code), m_binaryOperation)) m_binaryOperation = false;
}

void TQRCode::setCode(const QString& code) {
    DoChangeCode();
    m_code = code;
    decodeCode();
    PaintSymbol();
    DoChangedCode();
}

void TQRCode::setBinaryOperation(bool on) {
    m_binaryOperation = on;
    decodeCode();
    PaintSymbol();
}

void TQRCode::setMode(TQRMode mode) {
    if (!m_enc.setMode(static_cast<int>(mode))) return;
    PaintSymbol();
}

void TQRCode::setCount(int count) {
    if (!m_enc.setCount(count)) return;
    PaintSymbol();
}

void TQRCode::setColumn(int column) {
    if (column < 1 || column > 1024) return;
    m_column = column;
    PaintSymbol();
}

void TQRCode::setNumbering(TNumbering numbering) {
    if (numbering < nbrNone || numbering > nbrIfVoid) return;
    m_numbering = numbering;
    if (Count() > 1) PaintSymbol();
}

void TQRCode::setCommentUp(const QString& text) {
    m_commentUp = text;
    PaintSymbol();
}

void TQRCode::setCommentUpLoc(TLocation loc) {
    if (loc < locLeft || loc > locRight) return;
    m_commentUpLoc = loc;
    if (!m_commentUp.isEmpty()) PaintSymbol();
}

void TQRCode::setCommentDown(const QString& text) {
    m_commentDown = text;
    PaintSymbol();
}

void TQRCode::setCommentDownLoc(TLocation loc) {
    if (loc < locLeft || loc > locRight) return;
    m_commentDownLoc = loc;
    if (!m_commentDown.isEmpty()) PaintSymbol();
}

int TQRCode::SymbolWidth() const { return (qr::versionInfo(Version()).modules + 8) * m_pxmag; }
int TQRCode::SymbolHeight() const { return SymbolWidth(); }
int TQRCode::QuietZone() const { return 4 * m_pxmag; }
int TQRCode::SymbolWidthS() const { return SymbolWidth() + m_spaceLeft + m_spaceRight; }
int TQRCode::SymbolHeightS() const { return SymbolHeight() + m_spaceUp + m_spaceDown; }
int TQRCode::SymbolWidthA() const { return std::min(Count(), m_column) * SymbolWidthS(); }
int TQRCode::SymbolHeightA() const { return (Count() + m_column - 1) / m_column * SymbolHeightS(); }

#define KELVORA_QR_NONNEGATIVE_SETTER(name, member) \
    void TQRCode::name(int v) {                     \
        if (v < 0) return;                          \
        member = v;                                 \
        PaintSymbol();                              \
    }
KELVORA_QR_NONNEGATIVE_SETTER(setSymbolLeft, m_symbolLeft)
KELVORA_QR_NONNEGATIVE_SETTER(setSymbolTop, m_symbolTop)
KELVORA_QR_NONNEGATIVE_SETTER(setSymbolSpaceUp, m_spaceUp)
KELVORA_QR_NONNEGATIVE_SETTER(setSymbolSpaceDown, m_spaceDown)
KELVORA_QR_NONNEGATIVE_SETTER(setSymbolSpaceLeft, m_spaceLeft)
KELVORA_QR_NONNEGATIVE_SETTER(setSymbolSpaceRight, m_spaceRight)
#undef KELVORA_QR_NONNEGATIVE_SETTER

void TQRCode::setVersion(int v) {
    if (!m_enc.setVersion(v)) return;
    PaintSymbol();
}

void TQRCode::setEmode(int mode) {
    if (!m_enc.setEmode(mode)) return;
    PaintSymbol();
}

void TQRCode::setEclevel(int level) {
    if (!m_enc.setEclevel(level)) return;
    PaintSymbol();
}

void TQRCode::setMasktype(int mask) {
    if (!m_enc.setMasktype(mask)) return;
    PaintSymbol();
}

int TQRCode::Capacity() const {
    const int mode = EmodeR() < 0 ? qr::ModeAlnum : EmodeR();
    return qr::versionInfo(Version()).level[Eclevel()].capacity[mode] * Count();
}

void TQRCode::setPxmag(int v) {
    if (v < 1 || v > 10) return;
    m_pxmag = v;
    PaintSymbol();
}

void TQRCode::setAngle(int v) {
    if (v != 0 && v != 90 && v != 180 && v != 270) return;
    m_angle = v;
    PaintSymbol();
}

void TQRCode::setReverse(bool on) {
    m_reverse = on;
    PaintSymbol();
}

QStringList TQRCode::PBM() const {
    return m_enc.buildPbm(m_pxmag);
}

void TQRCode::setMatch(bool on) {
    m_match = on;
    if (on) m_transparent = false;
    else m_symbolPicture = picBMP;
    PaintSymbol();
}

void TQRCode::setComFont(const QFont& font) {
    if (&font == &m_comFont) return;
    m_comFont = font;
    PaintSymbol();
}

void TQRCode::setTransparent(bool on) {
    m_transparent = on;
    if (on) {
        m_match = false;
        m_symbolPicture = picBMP;
    }
    PaintSymbol();
}

void TQRCode::setSymbolColor(const QColor& c) {
    m_symbolColor = c;
    PaintSymbol();
}

void TQRCode::setBackColor(const QColor& c) {
    m_backColor = c;
    PaintSymbol();
}

void TQRCode::setSymbolPicture(TPictures pic) {
    if (pic < picBMP || pic > picWMF) return;
    if (!m_match) {
        m_symbolPicture = picBMP;
        return;
    }
    m_symbolPicture = pic;
    PaintSymbol();
}

void TQRCode::setSymbolEnabled(bool on) {
    if (on == m_symbolEnabled) return;
    m_symbolEnabled = on;
    if (on) PaintSymbol();
}

void TQRCode::setClearOption(bool on) {
    m_clearOption = on;
    if (on && !m_symbolDisped) ClearSymbol();
}

void TQRCode::setClipWatch(bool on) {
    if (on == m_clipWatch) return;
    m_clipWatch = on;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (on) {
        m_skipNext = true;
        if (clipboard) {
            connect(clipboard, &QClipboard::dataChanged, this, &TQRCode::DoClipboardChange);
            m_inChain = true;
            // Joining announces the clipboard's current content once; the
            // armed skip swallows that announcement, so only later changes
            // reach Code.
            DoClipboardChange();
        }
    } else if (m_inChain) {
        if (clipboard) disconnect(clipboard, &QClipboard::dataChanged, this, &TQRCode::DoClipboardChange);
        m_inChain = false;
    }
}

// ---------------------------------------------------------------- events

void TQRCode::DoChangeCode() {
    if (m_symbolEnabled) emit OnChangeCode(this, m_watchActive);
}

void TQRCode::DoPaintSymbol() { emit OnPaintSymbol(this, m_watchActive); }

void TQRCode::DoPaintedSymbol() { emit OnPaintedSymbol(this, m_watchActive); }

void TQRCode::DoChangedCode() {
    if (m_symbolEnabled) emit OnChangedCode(this, m_watchActive);
}

void TQRCode::DoClipboardChange() {
    // Runs from Qt's event loop: a failure ends in the error box, as every handler's does.
    if (!guarded([this] { clipboardChanged(); })) m_watchActive = false;
}

void TQRCode::clipboardChanged() {
    if (m_skipNext) {
        m_skipNext = false;
        return;
    }
    m_watchActive = true;
    PasteFromClipboard();
    m_watchActive = false;
}

// ---------------------------------------------------------------- picture

void TQRCode::setPicture(const QImage& image) {
    m_bitmap = image.convertToFormat(kBitmapFormat);
    m_picKind = m_bitmap.isNull() ? PicNone : PicBitmap;
    m_vector = QPicture();
    update();
}

QByteArray TQRCode::VectorSvg() const {
    if (m_picKind != PicVector) return {};
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator gen;
    gen.setOutputDevice(&buffer);
    gen.setSize(m_vectorSize);
    gen.setViewBox(QRect(QPoint(0, 0), m_vectorSize));
    gen.setResolution(96);
    gen.setTitle(QStringLiteral("QR code"));
    QPainter p(&gen);
    p.drawPicture(0, 0, m_vector);
    p.end();
    return svg;
}

QImage TQRCode::RenderPicture() const {
    if (m_picKind == PicBitmap) return m_bitmap;
    if (m_picKind != PicVector || m_vectorSize.isEmpty()) return {};
    QImage img(m_vectorSize, kBitmapFormat);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.drawPicture(0, 0, m_vector);
    return img;
}

QSize TQRCode::sizeHint() const {
    if (m_picKind == PicBitmap) return m_bitmap.size();
    if (m_picKind == PicVector) return m_vectorSize;
    return size();
}

void TQRCode::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_picKind == PicBitmap) p.drawImage(0, 0, m_bitmap);
    else if (m_picKind == PicVector) p.drawPicture(0, 0, m_vector);
}

void TQRCode::ClearSymbol() {
    m_symbolDisped = false;
    m_picKind = PicNone;
    m_bitmap = QImage();
    m_vector = QPicture();
    m_vectorSize = QSize();
    update();
}

void TQRCode::RefreshSymbol() { PaintSymbol(); }

void TQRCode::CopyToClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    auto* mime = new QMimeData;
    if (m_picKind == PicBitmap) {
        mime->setImageData(m_bitmap);
    } else if (m_picKind == PicVector) {
        mime->setData(QStringLiteral("image/svg+xml"), VectorSvg());
        mime->setImageData(RenderPicture());
    }
    clipboard->setMimeData(mime);
}

void TQRCode::PasteFromClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    const QMimeData* mime = clipboard->mimeData();
    if (mime && mime->hasText()) setCode(mime->text());
}

// ---------------------------------------------------------------- painting

QString TQRCode::NumberedComment(TNumbering numbering, const QString& comment, int k) {
    const QString n = QString::number(k);
    switch (numbering) {
    case nbrNone: return comment;
    case nbrHead: return comment.isEmpty() ? n : n + QLatin1Char(' ') + comment;
    case nbrTail: return comment.isEmpty() ? n : comment + QLatin1Char(' ') + n;
    case nbrIfVoid: return comment.isEmpty() ? n : comment;
    }
    return comment;
}

namespace {

// Clockwise rotation by 90, 180 or 270 degrees, pixel for pixel.
QImage rotated(const QImage& src, int angle) {
    const int w = src.width();
    const int h = src.height();
    const bool swap = angle == 90 || angle == 270;
    QImage dst(swap ? h : w, swap ? w : h, src.format());
    if (dst.isNull()) return dst;
    for (int y = 0; y < dst.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int x = 0; x < dst.width(); ++x) {
            int sx, sy;
            if (angle == 90) { sx = y; sy = h - 1 - x; }
            else if (angle == 270) { sx = w - 1 - y; sy = x; }
            else { sx = w - 1 - x; sy = h - 1 - y; }
            out[x] = reinterpret_cast<const QRgb*>(src.constScanLine(sy))[sx];
        }
    }
    return dst;
}

} // namespace

void TQRCode::rotateBitmap(int angle) {
    if (angle != 90 && angle != 180 && angle != 270) return;
    if (m_bitmap.isNull()) return;
    QImage result = rotated(m_bitmap, angle);
    if (result.isNull()) return;
    m_bitmap = result;
    if (angle != 180) resize(height(), width());
}

void TQRCode::mirrorBitmap() {
    if (!m_reverse || m_bitmap.isNull()) return;
    m_bitmap = m_bitmap.mirrored(true, false);
}

void TQRCode::rotatePicture(int angle) {
    if (m_picKind != PicBitmap || m_symbolPicture != picBMP) return;
    rotateBitmap(angle);
    mirrorBitmap();
    update();
}

void TQRCode::unrotatePicture(int angle) {
    // The exact inverse of rotatePicture(angle): mirror back, then turn back.
    if (m_picKind != PicBitmap || m_symbolPicture != picBMP) return;
    mirrorBitmap();
    rotateBitmap((360 - angle) % 360);
}

void TQRCode::fitControl() {
    // The control takes the size of the grid and its offset; the bitmap
    // follows it, keeping what it held at its top-left.
    resize(std::max(1, SymbolWidthA() + m_symbolLeft), std::max(1, SymbolHeightA() + m_symbolTop));
    if (m_symbolPicture != picBMP) return;
    if (m_bitmap.size() == size()) return;
    QImage img(size(), kBitmapFormat);
    if (img.isNull()) return;
    img.fill(Qt::transparent);
    if (!m_bitmap.isNull()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, m_bitmap);
    }
    m_bitmap = img;
}

void TQRCode::drawModules(QPainter& p, int cellLeft, int cellTop) {
    const qr::Matrix& mx = *m_matrix;
    const int m = mx.size();
    const int px = m_pxmag;
    const int x0 = cellLeft + m_spaceLeft + 4 * px;
    const int y0 = cellTop + m_spaceUp + 4 * px;
    for (int row = 0; row < m; ++row) {
        int col = 0;
        while (col < m) {
            if (!mx.dark(row, col)) {
                ++col;
                continue;
            }
            const int a = col;
            while (col < m && mx.dark(row, col)) ++col;
            p.fillRect(QRect(x0 + a * px, y0 + row * px, (col - a) * px, px), m_symbolColor);
        }
    }
}

void TQRCode::drawComments(QPainter& p, int cellLeft, int cellTop, const QString& up, const QString& down) {
    const QFontMetrics fm(m_comFont);
    auto place = [&](const QString& text, TLocation loc, bool above) {
        if (text.isEmpty()) return;
        const int tw = fm.horizontalAdvance(text);
        const int th = fm.height();
        int offset = 0;
        if (loc == locCenter) offset = (SymbolWidthS() - tw) / 2;
        else if (loc == locRight) offset = SymbolWidthS() - tw;
        const int x = cellLeft + std::max(0, offset);
        // Above: at the top of the cell, or higher when the space above the
        // symbol is lower than the text. Below: at the bottom of the cell, or
        // lower when the space below is lower than the text.
        const int symbolBottom = cellTop + m_spaceUp + SymbolHeight();
        const int y = above ? std::min(cellTop, cellTop + m_spaceUp - th)
                            : std::max(symbolBottom, symbolBottom + m_spaceDown - th);
        p.fillRect(QRect(x, y, tw, th), m_backColor);
        p.setPen(m_symbolColor);
        p.drawText(x, y + fm.ascent(), text);
    };
    p.setFont(m_comFont);
    place(up, m_commentUpLoc, true);
    place(down, m_commentDownLoc, false);
}

bool TQRCode::drawSymbol(int k, int cellLeft, int cellTop, const QString& up, const QString& down, bool vector) {
    if (!m_enc.buildSymbol(k, *m_matrix)) return false;
    if (!m_symbolDebug) {
        const bool first = k == 1;
        if (vector) {
            if (first) {
                fitControl();
                m_recording = std::make_unique<QPicture>();
                m_recorder = std::make_unique<QPainter>(m_recording.get());
                m_recorder->fillRect(QRect(QPoint(0, 0), size()), m_backColor);
            }
            if (m_recorder) {
                drawModules(*m_recorder, cellLeft, cellTop);
                drawComments(*m_recorder, cellLeft, cellTop, up, down);
                if (k == Count()) closeVector(true);
            }
        } else {
            if (first && m_match) fitControl();
            if (!m_bitmap.isNull()) {
                QPainter p(&m_bitmap);
                if (first && !m_transparent) {
                    if (m_match)
                        p.fillRect(QRect(0, 0, cellLeft + SymbolWidthA(), cellTop + SymbolHeightA()), m_backColor);
                    else
                        p.fillRect(QRect(cellLeft, cellTop, SymbolWidthA(), SymbolHeightA()), m_backColor);
                }
                drawModules(p, cellLeft, cellTop);
                drawComments(p, cellLeft, cellTop, up, down);
            }
        }
        m_drewSomething = true;
    }
    m_symbolDisped = true;
    return true;
}

void TQRCode::closeVector(bool complete) {
    if (!m_recorder) return;
    m_recorder->end();
    m_recorder.reset();
    QSize sz = size();
    if (complete) sz += QSize(1, 1);
    m_recording->setBoundingRect(QRect(QPoint(0, 0), sz));
    m_vector = *m_recording;
    m_recording.reset();
    m_vectorSize = sz;
    m_bitmap = QImage();
    m_picKind = PicVector;
}

void TQRCode::PaintSymbol() {
    if (!m_symbolEnabled) return;
    m_symbolDisped = false;
    m_enc.splitData();
    m_enc.checkParameters(m_column);
    m_enc.setCurrent(1);
    DoPaintSymbol();

    const bool vector = m_symbolPicture != picBMP;
    if (!vector && m_picKind != PicBitmap) {
        // A bitmap picture of the control's size to paint on.
        m_bitmap = QImage(std::max(1, width()), std::max(1, height()), kBitmapFormat);
        m_bitmap.fill(Qt::transparent);
        m_vector = QPicture();
        m_picKind = m_bitmap.isNull() ? PicNone : PicBitmap;
    }

    int baseLeft = m_symbolLeft;
    int baseTop = m_symbolTop;
    if (!m_match) {
        // Paint into the unrotated picture: map the grid's position there and
        // turn the picture back, to be turned again when the symbols are in.
        switch (m_angle) {
        case 90:
            baseLeft = m_symbolTop;
            baseTop = width() - m_symbolLeft - SymbolHeightA();
            break;
        case 180:
            baseLeft = width() - m_symbolLeft - SymbolWidthA();
            baseTop = height() - m_symbolTop - SymbolHeightA();
            break;
        case 270:
            baseLeft = height() - m_symbolTop - SymbolWidthA();
            baseTop = m_symbolLeft;
            break;
        default:
            break;
        }
        unrotatePicture(m_angle);
    }

    m_drewSomething = false;
    const int count = Count();
    for (int k = 1; k <= count; ++k) {
        m_symbolDisped = false;
        const int cellLeft = baseLeft + (k - 1) % m_column * SymbolWidthS();
        const int cellTop = baseTop + (k - 1) / m_column * SymbolHeightS();
        QString up = m_commentUp;
        QString down = m_commentDown;
        if (count > 1) {
            up = NumberedComment(m_numbering, up, k);
            down = NumberedComment(m_numbering, down, k);
        }
        if (m_enc.offset(k) - m_enc.offset(k - 1) > qr::kMaxSymbolBytes) break;
        if (!drawSymbol(k, cellLeft, cellTop, up, down, vector)) break;
    }
    // A vector picture interrupted by a symbol that failed keeps what was drawn.
    closeVector(false);

    if (!m_match || m_drewSomething) rotatePicture(m_angle);
    updateGeometry();
    update();
    DoPaintedSymbol();
    if (!m_symbolDisped && m_clearOption && !m_symbolDebug) ClearSymbol();
}
