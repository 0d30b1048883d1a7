#include "master/ArticleFiles.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "platform/AppPaths.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <cmath>

namespace ArticleFiles {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString joined(const QString& dir, const QString& name) {
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))) return dir + name;
    return dir + QLatin1Char('/') + name;
}

// Copies source onto target through a temporary file, so that target is
// either the old file or a complete copy.
bool copyReplacing(const QString& source, const QString& target, QString* error) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取文件 %1：%2").arg(native(source), in.errorString());
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("无法写入文件 %1：%2").arg(native(target), out.errorString());
        return false;
    }
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            *error = QStringLiteral("无法写入文件 %1：%2").arg(native(target), out.errorString());
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *error = QStringLiteral("无法读取文件 %1：%2").arg(native(source), in.errorString());
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        *error = QStringLiteral("无法写入文件 %1：%2").arg(native(target), out.errorString());
        return false;
    }
    return true;
}

} // namespace

QString folder() {
    const QString app = session().AppPath.isEmpty() ? AppPaths::appPath() : session().AppPath;
    return app + QStringLiteral("Files");
}

Chosen describe(const QString& path) {
    Chosen c;
    c.path = path;
    const QFileInfo info(path);
    c.type = info.suffix();
    c.sizeMB = std::round(static_cast<double>(info.size()) / 1024.0 / 1024.0 * 100.0) / 100.0;
    return c;
}

QString sizeText(double megabytes) { return QLocale(QLocale::Chinese, QLocale::China).toString(megabytes, 'f', 2); }

bool upload(const QString& articleId, const Chosen& file, QString* error) {
    QString dummy;
    if (!error) error = &dummy;
    bool ok = false;
    const qlonglong id = articleId.trimmed().toLongLong(&ok);
    if (!ok) {
        *error = QStringLiteral("物品 ID 无效：%1").arg(articleId);
        return false;
    }
    const QFileInfo source(file.path);
    if (!source.isFile()) {
        *error = QStringLiteral("文件 %1 不存在！").arg(native(file.path));
        return false;
    }
    if (file.type.size() > 10) {
        *error = QStringLiteral("文件 %1 的扩展名太长（最多 10 个字符）！").arg(native(file.path));
        return false;
    }
    Db& db = DM().db();
    Transaction tx(db);
    if (db.count(QStringLiteral("SELECT AID, FType, FSize FROM UAFiles WHERE (AID = ?)"), {id}) > 0)
        db.exec(QStringLiteral("UPDATE UAFiles SET FType = ?, FSize = ? WHERE (AID = ?)"), {file.type, file.sizeMB, id});
    else
        db.exec(QStringLiteral("INSERT INTO UAFiles (AID, FType, FSize) VALUES (?, ?, ?)"), {id, file.type, file.sizeMB});

    const QString dir = folder();
    if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir)) {
        *error = QStringLiteral("无法创建文件夹 %1！").arg(native(dir));
        return false;
    }
    if (!copyReplacing(file.path, joined(dir, QString::number(id) + QLatin1Char('.') + file.type), error)) return false;
    tx.commit();
    return true;
}

bool download(const QString& storedName, const QString& targetFolder, QString* error) {
    QString dummy;
    if (!error) error = &dummy;
    const QString source = joined(folder(), storedName);
    if (!QFileInfo(source).isFile()) {
        *error = QStringLiteral("文件 %1 不存在！").arg(native(source));
        return false;
    }
    if (!QFileInfo(targetFolder).isDir()) {
        *error = QStringLiteral("下载路径 %1 不存在！").arg(native(targetFolder));
        return false;
    }
    const QString target = joined(targetFolder, storedName);
    if (QFileInfo::exists(target)) {
        *error = QStringLiteral("文件 %1 已存在，未覆盖！请选择其他下载路径。").arg(native(target));
        return false;
    }
    QFile in(source);
    if (!in.copy(target)) {
        *error = QStringLiteral("无法复制到 %1：%2").arg(native(target), in.errorString());
        return false;
    }
    return true;
}

} // namespace ArticleFiles

namespace {
constexpr Qt::WindowFlags DialogFlags =
    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

QPushButton* makeButton(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// The bottom bar of the two file dialogs: the action button BitBtn1 and "退出"
// (BitBtn2), with the tab order from the picker button on. Returns BitBtn1.
QPushButton* actionBar(QDialog* d, QVBoxLayout* outer, QPushButton* picker, const char* action) {
    auto* row = new QHBoxLayout;
    auto* ok = makeButton(d, "BitBtn1", action);
    auto* close = makeButton(d, "BitBtn2", "退出");
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(close);
    outer->addLayout(row);
    QWidget::setTabOrder(picker, ok);
    QWidget::setTabOrder(ok, close);
    picker->setFocus();
    QObject::connect(close, &QPushButton::clicked, d, &QDialog::reject);
    return ok;
}

QLineEdit* readOnlyPath(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QStringLiteral("Edit1"));
    e->setReadOnly(true);
    e->setMinimumWidth(360);
    return e;
}
} // namespace

// ---------------------------------------------------------------------------
// TfrmWJ_Up

TfrmWJ_Up::TfrmWJ_Up(QWidget* parent, const QString& caption, const QString& articleId)
    : QDialog(parent, DialogFlags), articleId_(articleId) {
    setObjectName(QStringLiteral("frmWJ_Up"));
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Edit1 = readOnlyPath(this);
    Button1 = makeButton(this, "Button1", "打开文件");
    LabSize = new QLabel(this);
    LabSize->setObjectName(QStringLiteral("LabSize"));
    grid->addWidget(new QLabel(QStringLiteral("文件路径："), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Button1, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("文件大小："), this), 1, 0);
    grid->addWidget(LabSize, 1, 1, 1, 2);
    outer->addLayout(grid);
    BitBtn1 = actionBar(this, outer, Button1, "上传");

    Edit1->setFocusPolicy(Qt::ClickFocus);
    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TfrmWJ_Up::Button1Click() {
    const QString file = Ui::get().openFileName(QStringLiteral("打开文件"), QStringLiteral("所有文件 (*)"));
    if (file.isEmpty()) return;
    chosen_ = ArticleFiles::describe(file);
    Edit1->setText(QDir::toNativeSeparators(file));
    LabSize->setText(ArticleFiles::sizeText(chosen_.sizeMB) + QStringLiteral(" MB"));
    BitBtn1->setFocus();
}

void TfrmWJ_Up::BitBtn1Click() {
    if (chosen_.path.isEmpty()) {
        showMessage(QStringLiteral("上传文件 不能为空，请单击 打开文件！"));
        Button1->setFocus();
        return;
    }
    QString error;
    if (!ArticleFiles::upload(articleId_, chosen_, &error)) {
        showMessage(QStringLiteral("文件上传 失败！") + error);
        return;
    }
    showMessage(windowTitle() + QStringLiteral(" 保存成功！"));
    accept();
}

// ---------------------------------------------------------------------------
// TfrmWJ_Do

TfrmWJ_Do::TfrmWJ_Do(QWidget* parent, const QString& caption, const QString& storedName)
    : QDialog(parent, DialogFlags), storedName_(storedName) {
    setObjectName(QStringLiteral("frmWJ_Do"));
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Edit1 = readOnlyPath(this);
    Button1 = makeButton(this, "Button1", "选择路径");
    grid->addWidget(new QLabel(QStringLiteral("下载路径："), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Button1, 0, 2);
    outer->addLayout(grid);
    BitBtn1 = actionBar(this, outer, Button1, "下载");

    Edit1->setFocusPolicy(Qt::ClickFocus);
    connectGuarded(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TfrmWJ_Do::Button1Click() {
    const QString dir = Ui::get().folderName(QStringLiteral("选择备份路径："));
    Edit1->setText(QDir::toNativeSeparators(dir));
    if (!dir.isEmpty()) BitBtn1->setFocus();
}

void TfrmWJ_Do::BitBtn1Click() {
    const QString dir = QDir::fromNativeSeparators(Edit1->text());
    if (dir.isEmpty()) {
        showMessage(QStringLiteral("下载路径 不能为空，请单击 选择路径！"));
        Button1->setFocus();
        return;
    }
    QString error;
    if (!ArticleFiles::download(storedName_, dir, &error)) {
        showMessage(QStringLiteral("文件下载 失败！") + error);
        return;
    }
    showMessage(windowTitle() + QStringLiteral(" 下载成功！"));
    accept();
}
