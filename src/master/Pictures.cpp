#include "master/Pictures.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/ArticleTools.h"
#include "master/GbkLineEdit.h"
#include "platform/AppPaths.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace Pictures {

namespace {

QString programFolder() { return session().AppPath.isEmpty() ? AppPaths::appPath() : session().AppPath; }

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// Puts from in place of to, replacing a file of that name in one step.
bool replaceFile(const QString& from, const QString& to, QString* error) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), ec);
    if (ec) {
        if (error) *error = QStringLiteral("无法写入文件 %1：%2").arg(native(to), QString::fromLocal8Bit(ec.message().c_str()));
        return false;
    }
    return true;
}

bool ensureFolderOf(const QString& file, QString* error) {
    const QString dir = QFileInfo(file).absolutePath();
    if (QFileInfo(dir).isDir()) return true;
    if (QDir().mkpath(dir)) return true;
    if (error) *error = QStringLiteral("无法创建图片文件夹 %1！").arg(native(dir));
    return false;
}

// Writes the thumbnail of image to picture + "_temp.jpg".
bool writeThumbnailTemp(const QString& picture, const QImage& image, int w, int h, QString* temp, QString* error) {
    *temp = picture + QStringLiteral("_temp.jpg");
    const QImage small = image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImageWriter writer(*temp, "jpeg");
    writer.setQuality(100);
    if (small.isNull() || !writer.write(small)) {
        if (error) *error = QStringLiteral("无法写入文件 %1：%2").arg(native(*temp), writer.errorString());
        QFile::remove(*temp);
        return false;
    }
    return true;
}

// Writes image over file as JPEG quality 100; the old file stays when it fails.
bool saveJpeg(const QImage& image, const QString& file, QString* error) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("无法写入文件 %1：%2").arg(native(file), out.errorString());
        return false;
    }
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(100);
    if (!writer.write(image)) {
        out.cancelWriting();
        if (error) *error = QStringLiteral("无法写入文件 %1：%2").arg(native(file), writer.errorString());
        return false;
    }
    if (!out.commit()) {
        if (error) *error = QStringLiteral("无法写入文件 %1：%2").arg(native(file), out.errorString());
        return false;
    }
    return true;
}

// Larger pictures than this are not made by shrinking (or enlarging).
constexpr qint64 MaxSide = 20000;
constexpr qint64 MaxPixels = 64LL * 1000 * 1000;

} // namespace

QString folder() {
    if (!session().PictureFolder.isEmpty()) return session().PictureFolder;
    return programFolder() + QStringLiteral("Image");
}

QString picturePath(const QString& articleId) {
    QString f = folder();
    if (!f.endsWith(QLatin1Char('/')) && !f.endsWith(QLatin1Char('\\'))) f += QLatin1Char('/');
    return f + articleId + QStringLiteral(".jpg");
}

QString thumbnailPath(const QString& picture) { return picture + QStringLiteral("_YS.jpg"); }

bool readJpeg(const QString& file, QImage* image, QString* error, QByteArray* bytes) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("无法读取文件 %1：%2").arg(native(file), f.errorString());
        return false;
    }
    QByteArray data = f.readAll();
    f.close();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage img;
    if (reader.format() != "jpeg" || !reader.read(&img) || img.isNull()) {
        if (error) *error = QStringLiteral("%1 不是可读取的 JPEG 图片！").arg(native(file));
        return false;
    }
    if (image) *image = img;
    if (bytes) *bytes = data;
    return true;
}

bool makeThumbnail(const QString& picture, const QImage& image, int w, int h, QString* error) {
    QString temp;
    if (!writeThumbnailTemp(picture, image, w, h, &temp, error)) return false;
    if (!replaceFile(temp, thumbnailPath(picture), error)) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

bool store(const QString& source, const QString& picture, QString* error) {
    QImage image;
    QByteArray bytes;
    if (!readJpeg(source, &image, error, &bytes)) return false;
    if (!ensureFolderOf(picture, error)) return false;
    // The thumbnail is made first, beside the picture; nothing is replaced
    // until both new files exist.
    QString temp;
    if (!writeThumbnailTemp(picture, image, ThumbWidth, ThumbHeight, &temp, error)) return false;
    QSaveFile out(picture);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (error) *error = QStringLiteral("无法写入文件 %1：%2").arg(native(picture), out.errorString());
        out.cancelWriting();
        QFile::remove(temp);
        return false;
    }
    if (!replaceFile(temp, thumbnailPath(picture), error)) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

bool shrink(const QString& picture, int percent, QSize* size, QString* error) {
    QImage image;
    if (!readJpeg(picture, &image, error)) return false;
    const qint64 w = static_cast<qint64>(percent) * image.width() / 100;
    const qint64 h = static_cast<qint64>(percent) * image.height() / 100;
    if (w < 1 || h < 1) {
        if (error) *error = QStringLiteral("压缩比例 太小，图片的宽或高将不足 1 像素！");
        return false;
    }
    if (w > MaxSide || h > MaxSide || w * h > MaxPixels) {
        if (error) *error = QStringLiteral("压缩比例 太大，图片将大于 %1 × %2 像素！").arg(w).arg(h);
        return false;
    }
    const QImage scaled = image.scaled(static_cast<int>(w), static_cast<int>(h), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull()) {
        if (error) *error = QStringLiteral("内存不足，无法压缩图片 %1！").arg(native(picture));
        return false;
    }
    if (!saveJpeg(scaled, picture, error)) return false;
    if (size) *size = scaled.size();
    return true;
}

bool remove(const QString& picture, QString* error) {
    QFile f(picture);
    if (f.exists() && !f.remove()) {
        if (error) *error = QStringLiteral("无法删除文件 %1：%2").arg(native(picture), f.errorString());
        return false;
    }
    QFile t(thumbnailPath(picture));
    if (t.exists() && !t.remove()) {
        if (error) *error = QStringLiteral("无法删除文件 %1：%2").arg(native(t.fileName()), t.errorString());
        return false;
    }
    return true;
}

QRect tileGeometry(int i) { return QRect(16 + 224 * (i % 4), 8 + 240 * (i / 4), 216, 234); }

} // namespace Pictures

// ---------------------------------------------------------------------------

PictureView::PictureView(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Image1"));
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Base);
}

namespace {
QScrollArea* pictureArea(QWidget* parent, PictureView* view) {
    auto* area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("ScrollBox1"));
    area->setWidget(view);
    area->setWidgetResizable(true);
    area->setAlignment(Qt::AlignCenter);
    return area;
}

// Shows the picture file in view; the picture's size, or an empty size when
// there is no picture (a file that cannot be read says so).
QSize showPicture(PictureView* view, const QString& path) {
    view->clear();
    if (!QFileInfo::exists(path)) return QSize();
    QImage image;
    if (!Pictures::readJpeg(path, &image, nullptr)) {
        view->setText(QStringLiteral("图片无法读取"));
        return QSize();
    }
    view->setPixmap(QPixmap::fromImage(image));
    return image.size();
}

constexpr Qt::WindowFlags DialogFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
} // namespace

// ---------------------------------------------------------------------------
// TfrmPic_M

TfrmPic_M::TfrmPic_M(QWidget* parent, const QString& caption, const QString& picturePath)
    : QDialog(parent, DialogFlags), path_(picturePath) {
    setObjectName(QStringLiteral("frmPic_M"));
    setWindowTitle(caption.isEmpty() ? QStringLiteral("图片管理") : caption);
    resize(700, 600);

    auto* outer = new QVBoxLayout(this);
    Image1 = new PictureView(this);
    ScrollBox1 = pictureArea(this, Image1);
    outer->addWidget(ScrollBox1, 1);

    auto* row = new QHBoxLayout;
    auto button = [this, row](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        row->addWidget(b);
        return b;
    };
    Button1 = button("Button1", "打开");
    Button2 = button("Button2", "上传");
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("压缩比例："), this));
    Edit1 = new GbkLineEdit(4, GbkLineEdit::Digits, this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setText(QStringLiteral("100"));
    Edit1->setFixedWidth(60);
    Edit1->setAlignment(Qt::AlignRight);
    row->addWidget(Edit1);
    row->addWidget(new QLabel(QStringLiteral("%"), this));
    Button4 = button("Button4", "压缩");
    row->addSpacing(16);
    Button5 = button("Button5", "删除");
    row->addStretch();
    Button3 = button("Button3", "退出");
    outer->addLayout(row);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Edit1);
    setTabOrder(Edit1, Button4);
    setTabOrder(Button4, Button5);
    setTabOrder(Button5, Button3);

    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connectGuarded(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connectGuarded(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in the percentage field shrinks.
    connectGuarded(Edit1, &QLineEdit::returnPressed, this, [this] { Button4Click(); });
    updateButtons();
}

void TfrmPic_M::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!shown_) {
        shown_ = true;
        guarded([this] { FormShow(); });
    }
}

void TfrmPic_M::FormShow() {
    myLoadImg();
    Button1->setFocus();
}

void TfrmPic_M::myLoadImg() {
    size_ = showPicture(Image1, path_);
    updateButtons();
}

void TfrmPic_M::updateButtons() {
    const bool stored = QFileInfo::exists(path_);
    Button2->setEnabled(!chosen_.isEmpty());
    Button4->setEnabled(size_.isValid());
    Button5->setEnabled(stored);
}

void TfrmPic_M::Button1Click() {
    const QString file = Ui::get().openFileName(QStringLiteral("打开"), QStringLiteral("JPEG 图片 (*.jpg *.jpeg *.JPG *.JPEG)"));
    if (file.isEmpty()) return;
    QImage image;
    QString error;
    if (!Pictures::readJpeg(file, &image, &error)) {
        showMessage(error);
        return;
    }
    chosen_ = file;
    Image1->setPixmap(QPixmap::fromImage(image));
    updateButtons();
    Button2->setFocus();
}

void TfrmPic_M::Button2Click() {
    if (chosen_.isEmpty()) return;
    QString error;
    if (!Pictures::store(chosen_, path_, &error)) {
        showMessage(QStringLiteral("图片上传 失败！") + error);
        myLoadImg();
        return;
    }
    chosen_.clear();
    showMessage(QStringLiteral("图片上传 成功！"));
    myLoadImg();
}

void TfrmPic_M::Button4Click() {
    if (!size_.isValid()) return;
    if (Edit1->text().trimmed().isEmpty()) {
        showMessage(QStringLiteral("压缩比例 不能为空！"));
        Edit1->setFocus();
        return;
    }
    const int percent = Edit1->text().trimmed().toInt();
    QString error;
    if (!Pictures::shrink(path_, percent, nullptr, &error)) {
        showMessage(QStringLiteral("图片压缩 失败！") + error);
        Edit1->setFocus();
        return;
    }
    showMessage(QStringLiteral("图片压缩 成功！"));
    myLoadImg();
}

void TfrmPic_M::Button5Click() {
    if (!session().mayDelete()) return;
    if (!QFileInfo::exists(path_)) return;
    if (!confirmDelete()) return;
    QString error;
    if (!Pictures::remove(path_, &error)) {
        showMessage(QStringLiteral("图片删除 失败！") + error);
        myLoadImg();
        return;
    }
    showMessage(QStringLiteral("图片删除 成功！"));
    chosen_.clear();
    myLoadImg();
}

// ---------------------------------------------------------------------------
// TfrmPic_V

TfrmPic_V::TfrmPic_V(QWidget* parent, const QString& caption, const QString& picturePath)
    : QDialog(parent, DialogFlags), path_(picturePath) {
    setObjectName(QStringLiteral("frmPic_V"));
    setWindowTitle(caption);
    resize(700, 600);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Image1 = new PictureView(this);
    outer->addWidget(pictureArea(this, Image1));
}

void TfrmPic_V::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!shown_) {
        shown_ = true;
        guarded([this] { FormShow(); });
    }
}

void TfrmPic_V::FormShow() { showPicture(Image1, path_); }

// ---------------------------------------------------------------------------
// PictureTile

PictureTile::PictureTile(const QString& thumbnail, QWidget* parent) : QLabel(parent), thumb_(thumbnail) {
    setFixedSize(Pictures::ThumbWidth, Pictures::ThumbHeight);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
}

bool PictureTile::hasThumbnail() const { return QFileInfo::exists(thumb_); }

void PictureTile::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    QPainter p(this);
    const QFileInfo info(thumb_);
    if (info.exists()) {
        const QString key = QStringLiteral("tile:") + thumb_ + QLatin1Char(':') +
                            QString::number(info.lastModified().toMSecsSinceEpoch());
        QPixmap pm;
        if (!QPixmapCache::find(key, &pm) && pm.load(thumb_, "jpeg")) QPixmapCache::insert(key, pm);
        if (!pm.isNull()) {
            const QSize s = pm.size().scaled(size(), Qt::KeepAspectRatio).boundedTo(pm.size());
            const QRect r(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
            p.drawPixmap(r, pm);
        }
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void PictureTile::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(e);
}

void PictureTile::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(e);
}

// ---------------------------------------------------------------------------
// TfrmPic_List

TfrmPic_List::TfrmPic_List(QWidget* parent, const QString& condition, const QVariantList& params)
    : QDialog(parent, DialogFlags | Qt::WindowMaximizeButtonHint), condition_(condition), params_(params) {
    setObjectName(QStringLiteral("frmPic_List"));
    setWindowTitle(QStringLiteral("图片列表"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    // The tile's frame runs through the middle of its caption, so that the
    // picture at 16 pixels from the top lies inside it.
    Panel1->setStyleSheet(QStringLiteral(
        "QGroupBox{border:1px solid palette(mid);border-radius:3px;margin-top:7px;}"
        "QGroupBox::title{subcontrol-origin:margin;subcontrol-position:top left;left:8px;padding:0 3px;}"));
    ScrollBox1->setWidget(Panel1);
    ScrollBox1->setWidgetResizable(false);
    outer->addWidget(ScrollBox1);
    const QRect last = Pictures::tileGeometry(3);
    resize(last.right() + 16 + ScrollBox1->verticalScrollBar()->sizeHint().width() + 8, 2 * 240 + 120);
}

void TfrmPic_List::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!shown_) {
        shown_ = true;
        guarded([this] { FormShow(); });
    }
}

void TfrmPic_List::FormShow() { myImage(); }

void TfrmPic_List::myImage() {
    // A second call lays the tiles out afresh.
    for (QGroupBox* old : Panel1->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) delete old;
    tiles_ = 0;
    QSqlQuery q = DM().db().query(QStringLiteral("select ID, AName from UArticle where (ID > 0) ") + condition_ +
                                      QStringLiteral(" ORDER BY ID"),
                                  params_);
    int bottom = 0;
    while (q.next()) {
        const QString id = q.value(0).toString();
        const QString name = q.value(1).toString();
        auto* box = new QGroupBox(name, Panel1);
        box->setObjectName(QStringLiteral("GroupBox_") + id);
        box->setGeometry(Pictures::tileGeometry(tiles_));
        box->setToolTip(name);
        auto* tile = new PictureTile(Pictures::thumbnailPath(Pictures::picturePath(id)), box);
        tile->setObjectName(QStringLiteral("Img_") + id);
        tile->move(8, 16);
        connect(tile, &PictureTile::clicked, this, [this, tile] { guarded([&] { myClick(tile->objectName()); }); });
        bottom = box->geometry().bottom();
        ++tiles_;
    }
    const QRect last = Pictures::tileGeometry(3);
    Panel1->resize(last.right() + 16, tiles_ ? bottom + 8 : 0);
    for (QGroupBox* b : Panel1->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) b->show();
}

void TfrmPic_List::myClick(const QString& controlName) {
    const QString id = controlName.mid(controlName.indexOf(QStringLiteral("Img_")) + 4);
    bool ok = false;
    const qlonglong key = id.toLongLong(&ok);
    if (!ok) return;
    QSqlQuery q = DM().db().query(QStringLiteral("select AName, theNum from UArticle where (ID = ?)"), {key});
    if (!q.next()) return;
    const QString caption = q.value(1).toString() + QLatin1Char(' ') + q.value(0).toString();
    TfrmPic_V viewer(this, caption, Pictures::picturePath(id));
    ArticleTools::runModal(&viewer);
}
