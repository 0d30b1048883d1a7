#pragma once
// The attached file of an article: at most one per article, kept in the
// folder "Files" beside the program as ID + "." + extension ("57.pdf"); the
// table UAFiles holds its extension and its size in megabytes.
//
// Storing writes the database row in a transaction and commits it only
// after the copy succeeded; fetching never overwrites a file.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ArticleFiles {

// AppPath + "Files"
QString folder();

// A file chosen for upload.
struct Chosen {
    QString path;
    QString type;      // the extension without its dot
    double sizeMB = 0; // bytes / 1024 / 1024, two decimals
};

// What is known about the file at path.
Chosen describe(const QString& path);
// The size as shown: two decimals with thousands separators ("1,234.50").
QString sizeText(double megabytes);

// Stores the chosen file for the article. False, with a message naming the
// file, when it cannot be copied; the table and the folder then stay as they were.
bool upload(const QString& articleId, const Chosen& file, QString* error);

// Copies the stored file (its name as myRetAF gives it) into targetFolder
// under the same name. Never overwrites: an existing file of that name there
// is an error.
bool download(const QString& storedName, const QString& targetFolder, QString* error);

} // namespace ArticleFiles

// "… 文件上传"
class TfrmWJ_Up : public QDialog {
    Q_OBJECT
public:
    TfrmWJ_Up(QWidget* parent, const QString& caption, const QString& articleId);

    QLineEdit* Edit1;       // 文件路径 (read-only)
    QLabel* LabSize;        // 文件大小
    QPushButton* Button1;   // 打开文件
    QPushButton* BitBtn1;   // 上传

    void Button1Click();
    void BitBtn1Click();

private:
    QString articleId_;
    ArticleFiles::Chosen chosen_;
};

// "… 文件下载"
class TfrmWJ_Do : public QDialog {
    Q_OBJECT
public:
    TfrmWJ_Do(QWidget* parent, const QString& caption, const QString& storedName);

    QLineEdit* Edit1;       // 下载路径 (read-only)
    QPushButton* Button1;   // 选择路径
    QPushButton* BitBtn1;   // 下载

    void Button1Click();
    void BitBtn1Click();

private:
    QString storedName_;
};
