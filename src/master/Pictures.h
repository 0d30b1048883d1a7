#pragma once
// Article pictures: one JPEG per article in the picture folder, named after
// the article's ID ("57.jpg"), and beside it a thumbnail of exactly 200 × 200
// pixels named after the picture ("57.jpg_YS.jpg"). Nothing about pictures
// is kept in the database.
//
// Every change leaves the folder as it was when it fails: a new picture or
// thumbnail is written to a temporary file first and only then put in place.

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QVariantList>

class QLineEdit;
class QPushButton;
class QScrollArea;

namespace Pictures {

inline constexpr int ThumbWidth = 200;
inline constexpr int ThumbHeight = 200;

// The picture folder: PictureFolder of the session, or AppPath + "Image".
QString folder();
// folder/ID.jpg
QString picturePath(const QString& articleId);
// The thumbnail of a picture: its full name followed by "_YS.jpg".
QString thumbnailPath(const QString& picture);

// Reads a JPEG file. False, with a message naming the file, when the file
// cannot be read or is not a JPEG picture.
bool readJpeg(const QString& file, QImage* image, QString* error, QByteArray* bytes = nullptr);

// Makes the thumbnail of picture from image: stretched to w × h, JPEG
// quality 100, written to picture + "_temp.jpg" and then put in place.
bool makeThumbnail(const QString& picture, const QImage& image, int w, int h, QString* error);

// Stores source as the picture (an exact copy) and remakes its thumbnail.
// The folder is created when missing. A source that is not a readable JPEG
// is refused and the stored picture stays as it was.
bool store(const QString& source, const QString& picture, QString* error);

// Stretches the stored picture to percent of its width and height (each
// rounded down) and saves it over itself as JPEG quality 100; the thumbnail
// stays. *size gets the new size.
bool shrink(const QString& picture, int percent, QSize* size, QString* error);

// Deletes the picture and its thumbnail.
bool remove(const QString& picture, QString* error);

// Where the i-th tile (from 0) of the picture list lies: four per row.
QRect tileGeometry(int i);

} // namespace Pictures

// Shows a picture at its own size, scrolling when it is larger than the window.
class PictureView : public QLabel {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
};

// "图片管理": the stored picture of one article; choose a new one and upload
// it, shrink the stored one, delete it.
class TfrmPic_M : public QDialog {
    Q_OBJECT
public:
    TfrmPic_M(QWidget* parent, const QString& caption, const QString& picturePath);

    QScrollArea* ScrollBox1;
    PictureView* Image1;
    QPushButton* Button1;  // 打开
    QPushButton* Button2;  // 上传
    QPushButton* Button4;  // 压缩
    QLineEdit* Edit1;      // 压缩比例 (%)
    QPushButton* Button5;  // 删除
    QPushButton* Button3;  // 退出

    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button5Click();
    // Shows the stored picture, or nothing when there is none.
    void myLoadImg();

    QString picturePath() const { return path_; }
    QString chosenFile() const { return chosen_; }
    QSize pictureSize() const { return size_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void updateButtons();

    QString path_;
    QString chosen_;
    QSize size_;       // of the stored picture shown, empty when none
    bool shown_ = false;
};

// The picture of one article, nothing else.
class TfrmPic_V : public QDialog {
    Q_OBJECT
public:
    TfrmPic_V(QWidget* parent, const QString& caption, const QString& picturePath);

    PictureView* Image1;

    void FormShow();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QString path_;
    bool shown_ = false;
};

// One tile's picture in the list: the thumbnail, read from disk when the
// tile is painted (a list of thousands of articles keeps only the visible
// thumbnails in memory). A click opens the article's picture.
class PictureTile : public QLabel {
    Q_OBJECT
public:
    PictureTile(const QString& thumbnail, QWidget* parent);
    QString thumbnail() const { return thumb_; }
    bool hasThumbnail() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QString thumb_;
};

// "图片列表": the thumbnails of many articles, four tiles per row.
class TfrmPic_List : public QDialog {
    Q_OBJECT
public:
    // condition: appended to the article query, with '?' for each of params
    // (" AND (AType=?)"); empty for all articles.
    TfrmPic_List(QWidget* parent, const QString& condition = QString(), const QVariantList& params = {});

    QScrollArea* ScrollBox1;
    QWidget* Panel1;  // holds the tiles

    void FormShow();
    // Places the tiles of the listed articles.
    void myImage();
    // Opens the picture of the article whose image control was clicked ("Img_" + ID).
    void myClick(const QString& controlName);

    int tileCount() const { return tiles_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    QString condition_;
    QVariantList params_;
    int tiles_ = 0;
    bool shown_ = false;
};
