#pragma once
// The per-article tools, one call each, for every window that lists
// articles (the article register and query, the stock list, the item lists,
// the entry windows). Each takes the article's ID, code and name as the
// window shows them and does nothing when the ID is empty (an empty grid).
//
//   ArticleTools::openAccessories(this, id, code, name, "Article_Q", [this] { BitBtn1Click(); });
//   ArticleTools::downloadFile(this, id, code, name);
//
// The dialogs are shown modally on parent.

#include <QString>
#include <QVariantList>

#include <functional>

class FinderHost;
class QDialog;
class QWidget;

namespace ArticleTools {

using Refresh = std::function<void()>;

// "附件管理": TfrmA_FJ captioned code + " " + name + " 附件管理"; caller is
// "Article_M" or "Article_Q". refresh runs when the dialog closes.
void openAccessories(QWidget* parent, const QString& id, const QString& code, const QString& name,
                     const QString& caller, const Refresh& refresh = {});

// "预警设置": TfrmA_YJ captioned code + " " + name + " 预警设置". refresh runs after a save.
void openWarnings(QWidget* parent, const QString& id, const QString& code, const QString& name,
                  const Refresh& refresh = {});

// "图片管理": TfrmPic_M captioned code + " " + name, on the picture in PictureFolder.
void openPictureManager(QWidget* parent, const QString& id, const QString& code, const QString& name);

// "查看图片": TfrmPic_V captioned code + " " + name, on the picture in PictureFolder.
void openPictureViewer(QWidget* parent, const QString& id, const QString& code, const QString& name);
// The same on a picture file the caller names (the entry windows look in AppPath + "Image").
void openPictureFile(QWidget* parent, const QString& caption, const QString& picturePath);

// "图片列表": TfrmPic_List over the articles that condition selects; the
// condition is appended to "where (ID > 0)" with '?' for each of params
// (" AND (AType=?)", {type}); empty for all articles.
void openPictureList(QWidget* parent, const QString& condition = QString(), const QVariantList& params = {});

// "文件上传": TfrmWJ_Up captioned code + " " + name + " 文件上传".
void uploadFile(QWidget* parent, const QString& id, const QString& code, const QString& name);

// "文件下载": TfrmWJ_Do captioned code + " " + name + " 文件下载" on the stored
// file, or the message code + " " + name + " 没有上传文件！" when there is none.
void downloadFile(QWidget* parent, const QString& id, const QString& code, const QString& name);

// "修改": TfrmA_M for the article. callerCode "2" (article query) or empty
// (stock list); refresh runs after a save. Needs the right to modify.
void editArticle(QWidget* parent, const QString& id, const QString& callerCode, const Refresh& refresh = {});

// "修改拼音码": TfrmAPY, with the same inputs and right.
void editPinyin(QWidget* parent, const QString& id, const QString& callerCode, const Refresh& refresh = {});

// "物品录入": TfrmA_In for the request ("SQ") or purchase ("CG") entry window
// host, with the text its article search did not find. True when an article
// was created and put into the host's current line.
bool quickEntry(FinderHost& host, const QString& callerCode, const QString& searchedText);

// The picture file of an article: PictureFolder + "/" + ID + ".jpg".
QString picturePath(const QString& id);

// Shows a dialog modally and returns its result. Tests replace the way it
// is shown to look at the dialog instead (nullptr restores exec()).
int runModal(QDialog* dialog);
void setModalRunner(std::function<int(QDialog*)> runner);

} // namespace ArticleTools
