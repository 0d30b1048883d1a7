#pragma once
// TQRCode: the program's own QR code image component.
//
// The component turns its text Code into one or more QR code symbols (Model 2,
// versions 1 to 40, levels L, M, Q and H) and paints them into its own
// picture, which it shows unscaled at its top-left corner. The picture is a
// 32-bit bitmap (SymbolPicture picBMP) or a vector picture (picEMF, picWMF).
//
// Properties are Qt properties named as in the rest of the system (Code,
// Version, Eclevel, ...), each with a getter of the same name and a setter
// setName. A setter stores the value and repaints (PaintSymbol) unless its
// comment says otherwise; a value outside the stated range is ignored and
// nothing repaints.
//
// Events are Qt signals: OnChangeCode, OnPaintSymbol, OnPaintedSymbol and
// OnChangedCode, each with the component and Watch (true only while the
// change comes from the clipboard watch). They are fired by the overridable
// dispatchers DoChangeCode, DoPaintSymbol, DoPaintedSymbol and DoChangedCode;
// the fifth dispatcher, DoClipboardChange, runs the component's own clipboard
// handler (the clipboard watch, ClipWatch).
//
// For one change of Code: OnChangeCode (the old Code still in place), then
// within the paint OnPaintSymbol and OnPaintedSymbol, then OnChangedCode.
// OnChangeCode and OnChangedCode stay silent while SymbolEnabled is false.
//
// The text is counted and encoded in GBK bytes: Len is the number of GBK
// bytes of Code after its escapes. With BinaryOperation on, "~~" stands for
// one "~" and "~0D0A~" for the bytes given in hexadecimal; a malformed escape
// switches BinaryOperation off and the text is encoded as it stands.
//
// Failures: a paint whose data (after SplitData) are inconsistent raises
// qr::QRCodeError from PaintSymbol and the setter that called it. Data beyond
// the capacity of Version at Eclevel, or unsuitable for a fixed Emode, draw
// nothing and raise nothing: SymbolDisped stays false and the picture keeps
// what it held unless ClearOption is on.
//
// Clipboard: a bitmap picture goes to the clipboard as an image; a vector
// picture as SVG (image/svg+xml, the same geometry) together with an image
// of it, for programs that do not read SVG. picEMF and picWMF give the same
// vector picture. The clipboard watch follows QClipboard::dataChanged; like a
// viewer joining a chain, switching it on announces the current content once,
// and that first notification is skipped.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPicture>
#include <QStringList>
#include <QWidget>

#include <memory>

#include "printing/QrEncoder.h"

class QPainter;

class TQRCode : public QWidget {
    Q_OBJECT
public:
    enum TQRMode { qrSingle, qrConnect, qrPlus };
    Q_ENUM(TQRMode)
    enum TNumbering { nbrNone, nbrHead, nbrTail, nbrIfVoid };
    Q_ENUM(TNumbering)
    enum TLocation { locLeft, locCenter, locRight };
    Q_ENUM(TLocation)
    enum TPictures { picBMP, picEMF, picWMF };
    Q_ENUM(TPictures)

    Q_PROPERTY(QString Code READ Code WRITE setCode)
    Q_PROPERTY(int Len READ Len)
    Q_PROPERTY(bool Binary READ Binary)
    Q_PROPERTY(bool BinaryOperation READ BinaryOperation WRITE setBinaryOperation)
    Q_PROPERTY(TQRMode Mode READ Mode WRITE setMode)
    Q_PROPERTY(int Count READ Count WRITE setCount)
    Q_PROPERTY(int Column READ Column WRITE setColumn)
    Q_PROPERTY(int Parity READ Parity)
    Q_PROPERTY(TNumbering Numbering READ Numbering WRITE setNumbering)
    Q_PROPERTY(QString CommentUp READ CommentUp WRITE setCommentUp)
    Q_PROPERTY(TLocation CommentUpLoc READ CommentUpLoc WRITE setCommentUpLoc)
    Q_PROPERTY(QString CommentDown READ CommentDown WRITE setCommentDown)
    Q_PROPERTY(TLocation CommentDownLoc READ CommentDownLoc WRITE setCommentDownLoc)
    Q_PROPERTY(bool Usejis READ Usejis WRITE setUsejis)
    Q_PROPERTY(int SymbolWidth READ SymbolWidth)
    Q_PROPERTY(int SymbolWidthS READ SymbolWidthS)
    Q_PROPERTY(int SymbolWidthA READ SymbolWidthA)
    Q_PROPERTY(int SymbolHeight READ SymbolHeight)
    Q_PROPERTY(int SymbolHeightS READ SymbolHeightS)
    Q_PROPERTY(int SymbolHeightA READ SymbolHeightA)
    Q_PROPERTY(int QuietZone READ QuietZone)
    Q_PROPERTY(int SymbolLeft READ SymbolLeft WRITE setSymbolLeft)
    Q_PROPERTY(int SymbolTop READ SymbolTop WRITE setSymbolTop)
    Q_PROPERTY(int SymbolSpaceUp READ SymbolSpaceUp WRITE setSymbolSpaceUp)
    Q_PROPERTY(int SymbolSpaceDown READ SymbolSpaceDown WRITE setSymbolSpaceDown)
    Q_PROPERTY(int SymbolSpaceLeft READ SymbolSpaceLeft WRITE setSymbolSpaceLeft)
    Q_PROPERTY(int SymbolSpaceRight READ SymbolSpaceRight WRITE setSymbolSpaceRight)
    Q_PROPERTY(int Version READ Version WRITE setVersion)
    Q_PROPERTY(int Emode READ Emode WRITE setEmode)
    Q_PROPERTY(int EmodeR READ EmodeR)
    Q_PROPERTY(int Eclevel READ Eclevel WRITE setEclevel)
    Q_PROPERTY(int Masktype READ Masktype WRITE setMasktype)
    Q_PROPERTY(int MasktypeR READ MasktypeR)
    Q_PROPERTY(int Capacity READ Capacity)
    Q_PROPERTY(int Pxmag READ Pxmag WRITE setPxmag)
    Q_PROPERTY(int Angle READ Angle WRITE setAngle)
    Q_PROPERTY(bool Reverse READ Reverse WRITE setReverse)
    Q_PROPERTY(QStringList PBM READ PBM)
    Q_PROPERTY(bool Match READ Match WRITE setMatch)
    Q_PROPERTY(QFont ComFont READ ComFont WRITE setComFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(QColor SymbolColor READ SymbolColor WRITE setSymbolColor)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(TPictures SymbolPicture READ SymbolPicture WRITE setSymbolPicture)
    Q_PROPERTY(bool SymbolEnabled READ SymbolEnabled WRITE setSymbolEnabled)
    Q_PROPERTY(bool SymbolDebug READ SymbolDebug WRITE setSymbolDebug)
    Q_PROPERTY(bool SymbolDisped READ SymbolDisped)
    Q_PROPERTY(bool ClearOption READ ClearOption WRITE setClearOption)
    Q_PROPERTY(bool ClipWatch READ ClipWatch WRITE setClipWatch)

    // Sets the initial values; does not paint.
    explicit TQRCode(QWidget* owner = nullptr);
    ~TQRCode() override;

    // The text to encode. Fires OnChangeCode, stores, decodes the escapes
    // (Len, Binary), paints, fires OnChangedCode.
    QString Code() const { return m_code; }
    void setCode(const QString& code);
    int Len() const { return m_enc.len(); }
    bool Binary() const { return m_enc.binary(); }
    // Enables the "~" escapes (initially on). Decodes and paints.
    bool BinaryOperation() const { return m_binaryOperation; }
    void setBinaryOperation(bool on);

    // qrSingle sets Count to 1; qrConnect clamps it into 2..16, qrPlus into 2..1024.
    TQRMode Mode() const { return static_cast<TQRMode>(m_enc.mode()); }
    void setMode(TQRMode mode);
    // Number of symbols, 1..1024. Every paint divides the data anew and may
    // lower it (never more symbols than bytes) and adjust Mode.
    int Count() const { return m_enc.count(); }
    void setCount(int count);
    // Symbols per row of the grid, 1..1024.
    int Column() const { return m_column; }
    void setColumn(int column);
    int Parity() const { return m_enc.parity(); }

    // Repaints only while Count is above 1.
    TNumbering Numbering() const { return m_numbering; }
    void setNumbering(TNumbering numbering);
    QString CommentUp() const { return m_commentUp; }
    void setCommentUp(const QString& text);
    // Repaints only while CommentUp is not empty.
    TLocation CommentUpLoc() const { return m_commentUpLoc; }
    void setCommentUpLoc(TLocation loc);
    QString CommentDown() const { return m_commentDown; }
    void setCommentDown(const QString& text);
    // Repaints only while CommentDown is not empty.
    TLocation CommentDownLoc() const { return m_commentDownLoc; }
    void setCommentDownLoc(TLocation loc);
    // Automatic mode analyses the characters (numeric, alphanumeric, Shift JIS
    // Kanji) only with Usejis; otherwise it writes one byte segment. No repaint.
    bool Usejis() const { return m_enc.usejis(); }
    void setUsejis(bool on) { m_enc.setUsejis(on); }

    // Geometry in pixels: one symbol with its quiet zone of four modules,
    // one cell of the grid (symbol and spaces) and the whole grid.
    int SymbolWidth() const;
    int SymbolWidthS() const;
    int SymbolWidthA() const;
    int SymbolHeight() const;
    int SymbolHeightS() const;
    int SymbolHeightA() const;
    int QuietZone() const;

    // Position of the grid in the picture and the spaces around each symbol;
    // negative values are ignored.
    int SymbolLeft() const { return m_symbolLeft; }
    void setSymbolLeft(int v);
    int SymbolTop() const { return m_symbolTop; }
    void setSymbolTop(int v);
    int SymbolSpaceUp() const { return m_spaceUp; }
    void setSymbolSpaceUp(int v);
    int SymbolSpaceDown() const { return m_spaceDown; }
    void setSymbolSpaceDown(int v);
    int SymbolSpaceLeft() const { return m_spaceLeft; }
    void setSymbolSpaceLeft(int v);
    int SymbolSpaceRight() const { return m_spaceRight; }
    void setSymbolSpaceRight(int v);

    // 1..40; the component never chooses a version itself.
    int Version() const { return m_enc.version(); }
    void setVersion(int v);
    // -1 automatic, 0 numeric, 1 alphanumeric, 2 byte, 3 Kanji; also sets EmodeR.
    int Emode() const { return m_enc.emode(); }
    void setEmode(int mode);
    int EmodeR() const { return m_enc.emodeR(); }
    // 0..3 = L, M, Q, H.
    int Eclevel() const { return m_enc.eclevel(); }
    void setEclevel(int level);
    // -1 automatic, 0..7 fixed; also sets MasktypeR.
    int Masktype() const { return m_enc.masktype(); }
    void setMasktype(int mask);
    int MasktypeR() const { return m_enc.masktypeR(); }
    // Characters of mode EmodeR (alphanumeric while it is -1) that Version at
    // Eclevel holds, times Count.
    int Capacity() const;
    // Pixels per module, 1..10.
    int Pxmag() const { return m_pxmag; }
    void setPxmag(int v);
    // Clockwise rotation of the bitmap picture: 0, 90, 180 or 270.
    int Angle() const { return m_angle; }
    void setAngle(int v);
    // Mirror the bitmap picture left to right.
    bool Reverse() const { return m_reverse; }
    void setReverse(bool on);

    // A text image of the symbols of the last paint, rebuilt at each read:
    // "P1", the mode and Count, the width and height of one symbol, then for
    // each symbol two empty lines and its pixel rows of " 0" and " 1" items.
    QStringList PBM() const;

    // Fit the control and its picture to the symbols. Setting false also sets
    // SymbolPicture to picBMP; setting true sets Transparent to false.
    bool Match() const { return m_match; }
    void setMatch(bool on);
    // Font of the comments (a copy is kept).
    QFont ComFont() const { return m_comFont; }
    void setComFont(const QFont& font);
    // Leave the background unfilled: the modules are drawn over the picture.
    // Setting true also sets Match to false and SymbolPicture to picBMP.
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool on);
    // Colour of dark modules and of the comments' text.
    QColor SymbolColor() const { return m_symbolColor; }
    void setSymbolColor(const QColor& c);
    // Colour of the background, of light modules and behind the comments.
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& c);
    // Accepted only while Match is true; otherwise it becomes picBMP without repainting.
    TPictures SymbolPicture() const { return m_symbolPicture; }
    void setSymbolPicture(TPictures pic);
    // While false, PaintSymbol does nothing and the code events are silent.
    // Setting true repaints, setting false does not.
    bool SymbolEnabled() const { return m_symbolEnabled; }
    void setSymbolEnabled(bool on);
    // Build the symbols without drawing them. No repaint.
    bool SymbolDebug() const { return m_symbolDebug; }
    void setSymbolDebug(bool on) { m_symbolDebug = on; }
    // True when the last paint drew its symbols.
    bool SymbolDisped() const { return m_symbolDisped; }
    // Empty the picture when a paint draws nothing. Switching it on while
    // SymbolDisped is false empties the picture at once. No repaint.
    bool ClearOption() const { return m_clearOption; }
    void setClearOption(bool on);
    // Take the clipboard's text as Code whenever the clipboard changes. No repaint.
    bool ClipWatch() const { return m_clipWatch; }
    void setClipWatch(bool on);

    // The picture: a bitmap, a vector picture, or nothing.
    bool HasPicture() const { return m_picKind != PicNone; }
    bool HasVectorPicture() const { return m_picKind == PicVector; }
    // The bitmap picture (a null image when the picture is not a bitmap).
    QImage Picture() const { return m_picKind == PicBitmap ? m_bitmap : QImage(); }
    // Replaces the picture by a copy of image as a 32-bit bitmap.
    void setPicture(const QImage& image);
    // The vector picture and its size (the drawing's size plus one pixel each way).
    const QPicture& VectorPicture() const { return m_vector; }
    QSize VectorSize() const { return m_vectorSize; }
    // The vector picture as SVG (empty without one).
    QByteArray VectorSvg() const;
    // The picture as an image whatever its kind (a null image when empty).
    QImage RenderPicture() const;

    QSize sizeHint() const override;

    virtual void PaintSymbol();
    virtual void ClearSymbol();
    virtual void CopyToClipboard();
    virtual void PasteFromClipboard();
    virtual void RefreshSymbol();

    // Number a comment for symbol k of several by the Numbering rule.
    static QString NumberedComment(TNumbering numbering, const QString& comment, int k);

signals:
    void OnChangeCode(TQRCode* sender, bool watch);
    void OnPaintSymbol(TQRCode* sender, bool watch);
    void OnPaintedSymbol(TQRCode* sender, bool watch);
    void OnChangedCode(TQRCode* sender, bool watch);

protected:
    virtual void DoChangeCode();
    virtual void DoPaintSymbol();
    virtual void DoPaintedSymbol();
    virtual void DoChangedCode();
    virtual void DoClipboardChange();

    void paintEvent(QPaintEvent* event) override;

private:
    enum PicKind { PicNone, PicBitmap, PicVector };

    void decodeCode();
    bool drawSymbol(int k, int cellLeft, int cellTop, const QString& up, const QString& down, bool vector);
    void drawModules(QPainter& p, int cellLeft, int cellTop);
    void drawComments(QPainter& p, int cellLeft, int cellTop, const QString& up, const QString& down);
    void fitControl();
    void rotateBitmap(int angle);
    void mirrorBitmap();
    void rotatePicture(int angle);
    void unrotatePicture(int angle);
    void closeVector(bool complete);
    void clipboardChanged();

    QString m_code;
    bool m_binaryOperation = true;
    int m_column = 16;
    TNumbering m_numbering = nbrIfVoid;
    QString m_commentUp;
    TLocation m_commentUpLoc = locLeft;
    QString m_commentDown;
    TLocation m_commentDownLoc = locLeft;
    int m_symbolLeft = 0;
    int m_symbolTop = 0;
    int m_spaceUp = 0;
    int m_spaceDown = 0;
    int m_spaceLeft = 0;
    int m_spaceRight = 0;
    int m_pxmag = 1;
    int m_angle = 0;
    bool m_reverse = false;
    bool m_match = true;
    QFont m_comFont;
    bool m_transparent = false;
    QColor m_symbolColor = QColor(0, 0, 0);
    QColor m_backColor = QColor(255, 255, 255);
    TPictures m_symbolPicture = picBMP;
    bool m_symbolEnabled = true;
    bool m_symbolDebug = false;
    bool m_symbolDisped = false;
    bool m_clearOption = false;
    bool m_clipWatch = false;

    bool m_skipNext = false;
    bool m_watchActive = false;
    bool m_inChain = false;

    mutable qr::Encoder m_enc;
    std::unique_ptr<qr::Matrix> m_matrix;

    PicKind m_picKind = PicNone;
    QImage m_bitmap;
    QPicture m_vector;
    QSize m_vectorSize;

    // The vector picture being recorded during a paint.
    std::unique_ptr<QPicture> m_recording;
    std::unique_ptr<QPainter> m_recorder;
    bool m_drewSomething = false;
};
