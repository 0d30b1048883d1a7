// The one-article dialogs and the per-article tools: editors, warnings,
// pictures, attached files and accessories.
#include "AppFixture.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "master/Accessories.h"
#include "master/ArticleDialogs.h"
#include "master/ArticleEntry.h"
#include "master/ArticleEdit.h"
#include "master/ArticleFiles.h"
#include "master/ArticleTools.h"
#include "master/FinderHost.h"
#include "master/GbkLineEdit.h"
#include "master/Pictures.h"
#include "platform/Gbk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& data) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QString makeJpeg(const QString& file, int w, int h, QColor colour) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    EXPECT_TRUE(img.save(file, "JPEG", 95));
    return file;
}

// Types text key by key, Chinese characters included.
void type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) QTest::keyClicks(w, QString(c));
        else QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QSize sizeOf(const QString& file) { return QImageReader(file).size(); }

QColor centreOf(const QString& file) {
    QImage img(file);
    return img.pixelColor(img.width() / 2, img.height() / 2);
}

// The opener of the quick article entry: an entry window's line grid with a
// title row and 99 lines.
class EntryWindow : public QWidget, public FinderHost {
public:
    EntryWindow() {
        setObjectName(QStringLiteral("frmIN_CG"));
        grid = new QTableWidget(100, 9, this);
        grid->setObjectName(QStringLiteral("StringGrid1"));
    }
    QWidget* finderWindow() override { return this; }
    QStringList line(int row) {
        QStringList out;
        for (int c = 1; c <= 9; ++c) out << lineCell(row, c);
        return out;
    }
    QTableWidget* grid;
};

} // namespace

class ArticleDialogs : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
        exec(QStringLiteral("insert into UAType(theName) values('办公用品'), ('工具')"));
        exec(QStringLiteral("insert into SPlace(PName) values('A-01'), ('B-02')"));
        aid = addArticle(QStringLiteral("A001"));
        id = QString::number(aid);
    }
    void TearDown() override {
        ArticleTools::setModalRunner(nullptr);
        AppFixture::TearDown();
    }
    QString work(const QString& name) { return folder.file(QStringLiteral("work/") + name); }

    qlonglong aid = 0;
    QString id;
};

// ---------------------------------------------------------------------------
// GBK byte limits

TEST_F(ArticleDialogs, ByteLimitAtTheBoundary) {
    struct Case {
        int asciiBefore;
        QString typed;
        bool accepted;
    } cases[] = {
        {48, QStringLiteral("中"), true},   // 50 bytes
        {49, QStringLiteral("中"), false},  // 51: the character is not cut in half, it is refused
        {49, QStringLiteral("a"), true},    // 50
        {50, QStringLiteral("a"), false},   // 51
        {47, QStringLiteral("中"), true},   // 49
        {0, QString(26, QChar(0x4E2D)), false},  // a paste of 52 bytes is refused as a whole
        {0, QString(25, QChar(0x4E2D)), true},
    };
    for (const Case& c : cases) {
        GbkLineEdit e(50);
        const QString before(c.asciiBefore, QLatin1Char('x'));
        e.setText(before);
        e.setCursorPosition(e.text().size());
        e.insert(c.typed);
        const QString expected = c.accepted ? before + c.typed : before;
        EXPECT_EQ(e.text(), expected) << c.asciiBefore << " + " << c.typed.toStdString();
        EXPECT_LE(Gbk::byteLength(e.text()), 50);
    }
    // Typed keys go the same way.
    GbkLineEdit typed(50);
    typed.setText(QString(49, QLatin1Char('x')));
    typed.setCursorPosition(49);
    type(&typed, QStringLiteral("中"));
    EXPECT_EQ(typed.text().size(), 49);
    QTest::keyClicks(&typed, QStringLiteral("y"));
    EXPECT_EQ(typed.text().size(), 50);
}

TEST_F(ArticleDialogs, CharacterSetAndOverlongStoredText) {
    GbkLineEdit price(10, GbkLineEdit::Decimal);
    QTest::keyClicks(&price, QStringLiteral("1a2.-5e"));
    EXPECT_EQ(price.text(), QStringLiteral("12.5"));
    QTest::keyClick(&price, Qt::Key_Backspace);
    EXPECT_EQ(price.text(), QStringLiteral("12."));

    // A stored text longer than the limit is shown whole, can be shortened, never lengthened.
    GbkLineEdit name(10);
    name.setText(QStringLiteral("一二三四五六"));  // 12 bytes
    EXPECT_EQ(name.text(), QStringLiteral("一二三四五六"));
    name.setCursorPosition(6);
    QTest::keyClicks(&name, QStringLiteral("a"));
    EXPECT_EQ(name.text(), QStringLiteral("一二三四五六"));
    QTest::keyClick(&name, Qt::Key_Backspace);
    EXPECT_EQ(name.text(), QStringLiteral("一二三四五"));
    type(&name, QStringLiteral("七"));
    EXPECT_EQ(name.text(), QStringLiteral("一二三四五"));
    QTest::keyClicks(&name, QStringLiteral("z"));
    EXPECT_EQ(name.text(), QStringLiteral("一二三四五"));
}

// ---------------------------------------------------------------------------
// Article data

TEST_F(ArticleDialogs, RequiredFieldsInOrderAndPriceCheckedBeforeAnyStatement) {
    const ArticleEdit::Fields full{QStringLiteral("X1"), QString(), QStringLiteral("尺子"), QString(),
                                   QStringLiteral("把"), QStringLiteral("2.5"), QString(), QString()};
    struct Case {
        void (*spoil)(ArticleEdit::Fields&);
        ArticleEdit::Field field;
        const char* message;
    } cases[] = {
        {[](ArticleEdit::Fields& f) { f.code.clear(); f.name.clear(); }, ArticleEdit::Field::Code, "物品编码 不能为空！"},
        {[](ArticleEdit::Fields& f) { f.name = QStringLiteral("  "); }, ArticleEdit::Field::Name, "物品名称 不能为空！"},
        {[](ArticleEdit::Fields& f) { f.unit.clear(); f.price.clear(); }, ArticleEdit::Field::Unit, "单位 不能为空！"},
        {[](ArticleEdit::Fields& f) { f.price.clear(); }, ArticleEdit::Field::Price, "单价 不能为空！"},
        {[](ArticleEdit::Fields& f) { f.price = QStringLiteral("1.2.3"); }, ArticleEdit::Field::Price,
         "单价 不是有效的数字！请重新录入！"},
        {[](ArticleEdit::Fields& f) { f.price = QStringLiteral("."); }, ArticleEdit::Field::Price,
         "单价 不是有效的数字！请重新录入！"},
    };
    for (const Case& c : cases) {
        ArticleEdit::Fields f = full;
        c.spoil(f);
        qlonglong newId = 0;
        const ArticleEdit::Outcome created = ArticleEdit::create(f, &newId);
        EXPECT_EQ(created.field, c.field) << c.message;
        EXPECT_EQ(created.message, QString::fromUtf8(c.message));
        const ArticleEdit::Outcome updated = ArticleEdit::update(id, f);
        EXPECT_EQ(updated.message, QString::fromUtf8(c.message));
    }
    EXPECT_EQ(count(QStringLiteral("select * from UArticle")), 1);
    EXPECT_EQ(scalar(QStringLiteral("select theNum from UArticle")).toString(), QStringLiteral("A001"));
}

TEST_F(ArticleDialogs, EditorSavesQuotesAndRecomputesPinyin) {
    exec(QStringLiteral("update UArticle set AType='工具', PName='B-02', thePY='OLD' where ID=?"), {aid});
    TfrmA_M dlg(nullptr, id, QStringLiteral("2"));
    QStringList refreshedFor;
    QObject::connect(&dlg, &TfrmA_M::saved, [&](const QString& caller) { refreshedFor << caller; });
    dlg.show();
    EXPECT_EQ(dlg.GroupBox1->Edit1->text(), QStringLiteral("A001"));
    EXPECT_EQ(dlg.GroupBox1->DBLookupComboBox1->currentText(), QStringLiteral("工具"));
    EXPECT_EQ(dlg.GroupBox1->DBLookupComboBox2->currentText(), QStringLiteral("B-02"));

    dlg.GroupBox1->Edit2->setText(QStringLiteral("O'Brien 扳手"));
    dlg.GroupBox1->Edit3->setText(QStringLiteral("10\""));
    dlg.GroupBox1->Edit5->setText(QStringLiteral("12.5"));
    dlg.GroupBox1->Edit6->setText(QStringLiteral("it's"));
    setLookupKey(dlg.GroupBox1->DBLookupComboBox1, QStringLiteral("办公用品"));
    dlg.BitBtn1->click();

    EXPECT_TRUE(ui->messages.isEmpty()) << ui->lastText().toStdString();
    EXPECT_EQ(refreshedFor, QStringList{QStringLiteral("2")});
    EXPECT_EQ(scalar(QStringLiteral("select AName||'|'||AStandard||'|'||APrice||'|'||Remark||'|'||thePY||'|'||AType||'|'||PName "
                                    "from UArticle where ID=?"),
                     {aid})
                  .toString(),
              QStringLiteral("O'Brien 扳手|10\"|12.5|it's|OBRIENBS|办公用品|B-02"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(ArticleDialogs, EditorRefusesACodeAnotherArticleHas) {
    addArticle(QStringLiteral("B002"), QStringLiteral("尺子"));
    TfrmA_M dlg(nullptr, id, QString());
    dlg.show();
    dlg.GroupBox1->Edit1->setText(QStringLiteral("b002"));
    dlg.BitBtn1->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("物品编码 重复！该编码已被其他物品使用！"));
    EXPECT_EQ(count(QStringLiteral("select * from UArticle where theNum='A001'")), 1);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(ArticleDialogs, PinyinEditorStoresTheCodeAsTyped) {
    TfrmAPY dlg(nullptr, id, QStringLiteral("2"));
    int saved = 0;
    QObject::connect(&dlg, &TfrmAPY::saved, [&] { ++saved; });
    dlg.show();
    EXPECT_FALSE(dlg.GroupBox1->isEnabled());
    EXPECT_EQ(dlg.GroupBox1->Edit2->text(), QStringLiteral("签字笔"));
    dlg.Edit7->clear();
    dlg.BitBtn1->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("拼音码 不能为空！"));
    dlg.Edit7->setText(QStringLiteral("qzb-x"));
    dlg.BitBtn1->click();
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(scalar(QStringLiteral("select thePY from UArticle where ID=?"), {aid}).toString(), QStringLiteral("qzb-x"));
}

TEST_F(ArticleDialogs, WarningDialogWritesOnlyTheThreeWarningColumns) {
    exec(QStringLiteral("update UArticle set YJMin=3, YJMax=30, theYJ='否' where ID=?"), {aid});
    int refreshed = 0;
    ArticleTools::setModalRunner([&](QDialog* d) {
        auto* yj = qobject_cast<TfrmA_YJ*>(d);
        EXPECT_NE(yj, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("A001 签字笔 预警设置"));
        d->show();
        EXPECT_EQ(yj->Edit7->text(), QStringLiteral("3"));
        EXPECT_EQ(yj->Edit8->text(), QStringLiteral("30"));
        EXPECT_FALSE(yj->CheckBox1->isChecked());
        // Whatever stands in the article fields is not saved.
        yj->GroupBox1->Edit2->setText(QStringLiteral("改了名字"));
        yj->GroupBox1->Edit5->setText(QStringLiteral("999"));
        yj->Edit7->setText(QStringLiteral("5"));
        yj->Edit8->clear();
        yj->CheckBox1->setChecked(true);
        yj->BitBtn1->click();
        return d->result();
    });
    ArticleTools::openWarnings(nullptr, id, QStringLiteral("A001"), QStringLiteral("签字笔"), [&] { ++refreshed; });
    EXPECT_EQ(ui->lastText(), QStringLiteral("A001 签字笔 预警设置 预警设置 保存成功！"));
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(scalar(QStringLiteral("select YJMin||'|'||YJMax||'|'||theYJ||'|'||AName from UArticle where ID=?"), {aid}).toString(),
              QStringLiteral("5|0|是|签字笔"));
    EXPECT_EQ(scalar(QStringLiteral("select APrice from UArticle where ID=?"), {aid}).toDouble(), 1.0);
}

// ---------------------------------------------------------------------------
// Quick article entry

TEST_F(ArticleDialogs, QuickEntryProposesTheNextCodeOfTheDay) {
    // A001 was created today; an article of another day does not count.
    exec(QStringLiteral("insert into UArticle(theNum, theDate, AName) values('OLD', '2024-03-06', '旧')"));
    EntryWindow caller;
    TfrmA_In empty(&caller, QStringLiteral("CG"));
    empty.show();
    EXPECT_EQ(empty.GroupBox1->Edit1->text(), QStringLiteral("2403070002"));
    TfrmA_In searched(&caller, QStringLiteral("SQ"), QStringLiteral("qzb"));
    searched.show();
    EXPECT_EQ(searched.GroupBox1->Edit1->text(), QStringLiteral("qzb"));
}

TEST_F(ArticleDialogs, QuickEntryCreatesTheArticleAndFillsTheLine) {
    EntryWindow caller;
    caller.grid->setCurrentCell(3, 1);
    caller.grid->setItem(3, 1, new QTableWidgetItem(QStringLiteral("chizi")));
    ArticleTools::setModalRunner([&](QDialog* d) {
        auto* in = qobject_cast<TfrmA_In*>(d);
        EXPECT_NE(in, nullptr);
        d->show();
        ArticleFieldsBox* box = in->GroupBox1;
        EXPECT_EQ(box->Edit1->text(), QStringLiteral("chizi"));
        // The code of an existing article (ignoring case) is refused and focused.
        box->Edit1->setText(QStringLiteral("a001"));
        type(box->Edit2, QStringLiteral("钢尺'30"));
        box->Edit3->setText(QStringLiteral("30cm"));
        box->Edit4->setText(QStringLiteral("把"));
        type(box->Edit5, QStringLiteral("2.50"));
        box->Edit6->setText(QStringLiteral("备用"));
        setLookupKey(box->DBLookupComboBox1, QStringLiteral("工具"));
        in->BitBtn1->click();
        EXPECT_EQ(ui->lastText(), QStringLiteral("物品编码 添加重复！"));
        EXPECT_EQ(d->focusWidget(), box->Edit1);
        EXPECT_TRUE(caller.line(3).mid(1).join(QString()).isEmpty());
        box->Edit1->setText(QStringLiteral("2403070002"));
        in->BitBtn1->click();
        return d->result();
    });
    EXPECT_TRUE(ArticleTools::quickEntry(caller, QStringLiteral("CG"), QStringLiteral("chizi")));

    const qlonglong newId = scalar(QStringLiteral("select ID from UArticle where theNum='2403070002'")).toLongLong();
    ASSERT_GT(newId, aid);
    EXPECT_EQ(scalar(QStringLiteral("select theDate||'|'||AType||'|'||AName||'|'||AStandard||'|'||AUnit||'|'||thePY||'|'||"
                                    "Remark||'|'||YJMin||'|'||YJMax||'|'||theYJ||'|'||FJCount||'|'||ifnull(PName,'') "
                                    "from UArticle where ID=?"),
                     {newId})
                  .toString(),
              QStringLiteral("2024-03-07|工具|钢尺'30|30cm|把|GC30|备用|9|99|否|0|"));
    EXPECT_EQ(scalar(QStringLiteral("select APrice from UArticle where ID=?"), {newId}).toDouble(), 2.5);
    EXPECT_EQ(caller.line(3), (QStringList{QStringLiteral("2403070002"), QStringLiteral("钢尺'30"), QStringLiteral("30cm"),
                                           QStringLiteral("把"), QStringLiteral("2.5"), QStringLiteral("1"),
                                           QStringLiteral("2.5"), QStringLiteral("备用"), QString::number(newId)}));
    EXPECT_EQ(caller.grid->currentRow(), 4);
    EXPECT_EQ(caller.grid->currentColumn(), 1);
}

// ---------------------------------------------------------------------------
// Pictures

TEST_F(ArticleDialogs, UploadReplacesThePictureAndRemakesTheThumbnail) {
    const QString picture = Pictures::picturePath(id);
    EXPECT_EQ(picture, folder.path() + QStringLiteral("/Image/") + id + QStringLiteral(".jpg"));
    EXPECT_FALSE(QFileInfo::exists(Pictures::folder()));  // made on the first upload

    QDir().mkpath(work(QString()));
    const QString red = makeJpeg(work(QStringLiteral("red.jpg")), 400, 300, Qt::red);
    const QString blue = makeJpeg(work(QStringLiteral("blue.jpg")), 640, 480, Qt::blue);
    QString error;
    ASSERT_TRUE(Pictures::store(red, picture, &error)) << error.toStdString();
    ASSERT_TRUE(Pictures::store(blue, picture, &error)) << error.toStdString();

    EXPECT_EQ(readAll(picture), readAll(blue));  // an exact copy
    const QString thumb = picture + QStringLiteral("_YS.jpg");
    EXPECT_EQ(sizeOf(thumb), QSize(200, 200));
    EXPECT_GT(centreOf(thumb).blue(), 200);
    EXPECT_LT(centreOf(thumb).red(), 60);
    EXPECT_FALSE(QFileInfo::exists(picture + QStringLiteral("_temp.jpg")));
}

TEST_F(ArticleDialogs, AFileThatIsNotAJpegLeavesTheStoredPicture) {
    const QString picture = Pictures::picturePath(id);
    QDir().mkpath(work(QString()));
    ASSERT_TRUE(Pictures::store(makeJpeg(work(QStringLiteral("red.jpg")), 300, 300, Qt::red), picture, nullptr));
    const QByteArray before = readAll(picture);
    const QByteArray thumbBefore = readAll(Pictures::thumbnailPath(picture));

    QImage png(50, 50, QImage::Format_RGB32);
    png.fill(Qt::green);
    ASSERT_TRUE(png.save(work(QStringLiteral("green.jpg")), "PNG"));  // a PNG named .jpg
    writeFile(work(QStringLiteral("text.jpg")), "not a picture");
    writeFile(work(QStringLiteral("cut.jpg")), readAll(work(QStringLiteral("red.jpg"))).left(40));
    for (const char* name : {"green.jpg", "text.jpg", "cut.jpg", "missing.jpg"}) {
        QString error;
        EXPECT_FALSE(Pictures::store(work(QString::fromLatin1(name)), picture, &error)) << name;
        EXPECT_TRUE(error.contains(QString::fromLatin1(name))) << error.toStdString();
    }
    EXPECT_EQ(readAll(picture), before);
    EXPECT_EQ(readAll(Pictures::thumbnailPath(picture)), thumbBefore);

    // Through the window: the chosen file is refused at once and nothing can be uploaded.
    TfrmPic_M dlg(nullptr, QStringLiteral("A001 签字笔"), picture);
    dlg.show();
    ui->files.enqueue(work(QStringLiteral("text.jpg")));
    dlg.Button1->click();
    EXPECT_TRUE(ui->lastText().contains(QStringLiteral("不是可读取的 JPEG 图片")));
    EXPECT_FALSE(dlg.Button2->isEnabled());
    EXPECT_EQ(readAll(picture), before);
}

TEST_F(ArticleDialogs, PictureFolderThatCannotBeMadeIsReportedAndNothingWritten) {
    writeFile(folder.file(QStringLiteral("blocked")), "a file where the folder should be");
    session().PictureFolder = folder.file(QStringLiteral("blocked/Image"));
    QDir().mkpath(work(QString()));
    QString error;
    EXPECT_FALSE(Pictures::store(makeJpeg(work(QStringLiteral("red.jpg")), 100, 100, Qt::red),
                                 Pictures::picturePath(id), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("blocked"))) << error.toStdString();
}

TEST_F(ArticleDialogs, ShrinkHalvesBothSidesAndKeepsTheThumbnail) {
    const QString picture = Pictures::picturePath(id);
    QDir().mkpath(work(QString()));
    ASSERT_TRUE(Pictures::store(makeJpeg(work(QStringLiteral("red.jpg")), 401, 301, Qt::red), picture, nullptr));
    const QByteArray thumb = readAll(Pictures::thumbnailPath(picture));

    TfrmPic_M dlg(nullptr, QStringLiteral("A001 签字笔"), picture);
    dlg.show();
    EXPECT_EQ(dlg.pictureSize(), QSize(401, 301));
    dlg.Edit1->setText(QStringLiteral("50"));
    dlg.Button4->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("图片压缩 成功！"));
    EXPECT_EQ(sizeOf(picture), QSize(200, 150));
    EXPECT_EQ(dlg.pictureSize(), QSize(200, 150));
    EXPECT_EQ(readAll(Pictures::thumbnailPath(picture)), thumb);

    // A percentage that leaves no pixel is refused and changes nothing.
    const QByteArray before = readAll(picture);
    dlg.Edit1->setText(QStringLiteral("0"));
    dlg.Button4->click();
    EXPECT_TRUE(ui->lastText().startsWith(QStringLiteral("图片压缩 失败！")));
    EXPECT_EQ(readAll(picture), before);
}

TEST_F(ArticleDialogs, PictureManagerUploadsAndDeletes) {
    const QString picture = Pictures::picturePath(id);
    QDir().mkpath(work(QString()));
    TfrmPic_M dlg(nullptr, QStringLiteral("A001 签字笔"), picture);
    dlg.show();
    EXPECT_FALSE(dlg.Button2->isEnabled());
    EXPECT_FALSE(dlg.Button5->isEnabled());
    ui->files.enqueue(makeJpeg(work(QStringLiteral("red.jpg")), 120, 90, Qt::red));
    dlg.Button1->click();
    EXPECT_FALSE(QFileInfo::exists(picture));  // chosen, not stored yet
    dlg.Button2->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("图片上传 成功！"));
    EXPECT_EQ(sizeOf(picture), QSize(120, 90));
    EXPECT_TRUE(dlg.Button5->isEnabled());

    // Without the right to delete, nothing happens and nothing is asked.
    session().CanDelete = QStringLiteral("否");
    ui->clear();
    dlg.Button5->click();
    EXPECT_TRUE(ui->messages.isEmpty());
    session().CanDelete = QStringLiteral("是");

    ui->answers.enqueue(false);
    dlg.Button5->click();
    EXPECT_TRUE(QFileInfo::exists(picture));
    ui->answers.enqueue(true);
    dlg.Button5->click();
    EXPECT_EQ(ui->texts(), (QStringList{QStringLiteral("确认要删除吗？该删除将不可恢复！"),
                                        QStringLiteral("确认要删除吗？该删除将不可恢复！"),
                                        QStringLiteral("图片删除 成功！")}));
    EXPECT_FALSE(QFileInfo::exists(picture));
    EXPECT_FALSE(QFileInfo::exists(Pictures::thumbnailPath(picture)));
    EXPECT_FALSE(dlg.Button5->isEnabled());
}

TEST_F(ArticleDialogs, PictureListLaysNineTilesOutFourFourOne) {
    for (int i = 2; i <= 9; ++i) addArticle(QStringLiteral("A00%1").arg(i), QStringLiteral("物品%1").arg(i));
    addArticle(QStringLiteral("Z999"), QStringLiteral("另一类"));
    QDir().mkpath(work(QString()));
    ASSERT_TRUE(Pictures::store(makeJpeg(work(QStringLiteral("red.jpg")), 64, 64, Qt::red), Pictures::picturePath(id), nullptr));

    TfrmPic_List dlg(nullptr, QStringLiteral(" AND (theNum like ?)"), {QStringLiteral("A%")});
    dlg.show();
    ASSERT_EQ(dlg.tileCount(), 9);
    QMap<int, int> perRow;
    for (QGroupBox* box : dlg.Panel1->findChildren<QGroupBox*>()) {
        EXPECT_EQ(box->size(), QSize(216, 234));
        EXPECT_EQ((box->x() - 16) % 224, 0);
        ++perRow[box->y()];
    }
    EXPECT_EQ(perRow, (QMap<int, int>{{8, 4}, {248, 4}, {488, 1}}));
    auto* first = dlg.Panel1->findChild<PictureTile*>(QStringLiteral("Img_") + id);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->geometry(), QRect(8, 16, 200, 200));
    EXPECT_TRUE(first->hasThumbnail());
    EXPECT_EQ(dlg.Panel1->findChild<QGroupBox*>(QStringLiteral("GroupBox_") + id)->title(), QStringLiteral("签字笔"));

    QStringList opened;
    ArticleTools::setModalRunner([&](QDialog* d) {
        opened << d->windowTitle() + QLatin1Char('|') + d->objectName();
        return 0;
    });
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QStringLiteral("A001 签字笔|frmPic_V")});
}

// ---------------------------------------------------------------------------
// Accessories

TEST_F(ArticleDialogs, AccessoriesMoveTheArticleCountByTheirQuantity) {
    TfrmA_FJ dlg(nullptr, QStringLiteral("A001 签字笔 附件管理"), id, QStringLiteral("Article_Q"));
    QStringList closedFor;
    QObject::connect(&dlg, &TfrmA_FJ::closed, [&](const QString& c) { closedFor << c; });
    dlg.show();
    EXPECT_EQ(dlg.Edit2->text(), QStringLiteral("1"));

    dlg.Edit1->setText(QStringLiteral("笔帽"));
    dlg.Edit2->setText(QStringLiteral("3"));
    dlg.Edit3->setText(QStringLiteral("it's red"));
    dlg.BitBtn1->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("A001 签字笔 附件管理 附件保存成功！"));
    EXPECT_EQ(dlg.Edit2->text(), QStringLiteral("1"));
    EXPECT_TRUE(dlg.Edit1->text().isEmpty());
    dlg.Edit1->setText(QStringLiteral("笔芯"));
    dlg.BitBtn1->click();
    EXPECT_EQ(scalar(QStringLiteral("select FJCount from UArticle where ID=?"), {aid}).toInt(), 4);
    ASSERT_EQ(dlg.DBGrid1->rowCount(), 2);
    EXPECT_EQ(dlg.DBGrid1->text(0, QStringLiteral("备注")), QStringLiteral("it's red"));
    EXPECT_TRUE(dlg.DBGrid1->isFieldHidden(QStringLiteral("ID")));

    // Refusals change nothing.
    dlg.Edit1->clear();
    dlg.BitBtn1->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("附件名称 不能为空！"));
    dlg.Edit1->setText(QStringLiteral("x"));
    dlg.Edit2->clear();
    dlg.BitBtn1->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("数量 不能为空！"));
    EXPECT_EQ(scalar(QStringLiteral("select FJCount from UArticle where ID=?"), {aid}).toInt(), 4);

    dlg.DBGrid1->setCurrentRow(0);
    ui->answers.enqueue(true);
    dlg.D1->trigger();
    EXPECT_EQ(scalar(QStringLiteral("select FJCount from UArticle where ID=?"), {aid}).toInt(), 1);
    EXPECT_EQ(dlg.DBGrid1->rowCount(), 1);

    dlg.close();
    EXPECT_EQ(closedFor, QStringList{QStringLiteral("Article_Q")});
}

TEST_F(ArticleDialogs, AccessoryCountAndRowChangeTogetherOrNotAtAll) {
    // A name longer than the column takes is refused by the database after
    // the count was raised: the raise is undone with it.
    EXPECT_THROW(Accessories::add(id, QString(31, QLatin1Char('n')), QStringLiteral("5"), QString()), DbError);
    EXPECT_EQ(scalar(QStringLiteral("select FJCount from UArticle where ID=?"), {aid}).toInt(), 0);
    EXPECT_EQ(count(QStringLiteral("select * from UAccessory")), 0);
}

// ---------------------------------------------------------------------------
// Attached files

TEST_F(ArticleDialogs, ReuploadWithAnotherExtensionUpdatesTheRow) {
    writeFile(work(QStringLiteral("manual.pdf")), QByteArray(1310720, 'p'));  // 1.25 MB
    writeFile(work(QStringLiteral("manual.doc")), "doc");
    TfrmWJ_Up up(nullptr, QStringLiteral("A001 签字笔 文件上传"), id);
    up.BitBtn1->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("上传文件 不能为空，请单击 打开文件！"));
    ui->files.enqueue(work(QStringLiteral("manual.pdf")));
    up.Button1->click();
    EXPECT_EQ(up.LabSize->text(), QStringLiteral("1.25 MB"));
    up.BitBtn1->click();
    EXPECT_EQ(ui->lastText(), QStringLiteral("A001 签字笔 文件上传 保存成功！"));
    EXPECT_EQ(scalar(QStringLiteral("select FType||'|'||FSize from UAFiles where AID=?"), {aid}).toString(),
              QStringLiteral("pdf|1.25"));
    EXPECT_EQ(dm->myRetAF(id), id + QStringLiteral(".pdf"));

    QString error;
    ASSERT_TRUE(ArticleFiles::upload(id, ArticleFiles::describe(work(QStringLiteral("manual.doc"))), &error));
    EXPECT_EQ(count(QStringLiteral("select * from UAFiles")), 1);
    EXPECT_EQ(dm->myRetAF(id), id + QStringLiteral(".doc"));
    const QString files = folder.path() + QStringLiteral("/Files/");
    EXPECT_EQ(readAll(files + id + QStringLiteral(".doc")), QByteArray("doc"));
    EXPECT_TRUE(QFileInfo::exists(files + id + QStringLiteral(".pdf")));  // the earlier file stays

    // The same extension again replaces the stored file.
    writeFile(work(QStringLiteral("v2.doc")), "doc v2");
    ASSERT_TRUE(ArticleFiles::upload(id, ArticleFiles::describe(work(QStringLiteral("v2.doc"))), &error));
    EXPECT_EQ(readAll(files + id + QStringLiteral(".doc")), QByteArray("doc v2"));
}

TEST_F(ArticleDialogs, FailedCopyLeavesTheRowAsItWas) {
    writeFile(work(QStringLiteral("a.pdf")), "pdf");
    writeFile(folder.file(QStringLiteral("Files")), "a file where the folder should be");
    QString error;
    EXPECT_FALSE(ArticleFiles::upload(id, ArticleFiles::describe(work(QStringLiteral("a.pdf"))), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Files"))) << error.toStdString();
    EXPECT_EQ(count(QStringLiteral("select * from UAFiles")), 0);

    // A source that vanished between choosing and uploading.
    QFile::remove(folder.file(QStringLiteral("Files")));
    ArticleFiles::Chosen gone = ArticleFiles::describe(work(QStringLiteral("a.pdf")));
    QFile::remove(gone.path);
    EXPECT_FALSE(ArticleFiles::upload(id, gone, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("a.pdf")));
    EXPECT_EQ(count(QStringLiteral("select * from UAFiles")), 0);
}

TEST_F(ArticleDialogs, DownloadNeverOverwrites) {
    writeFile(work(QStringLiteral("a.pdf")), "stored");
    ASSERT_TRUE(ArticleFiles::upload(id, ArticleFiles::describe(work(QStringLiteral("a.pdf"))), nullptr));
    const QString target = folder.file(QStringLiteral("out"));
    QDir().mkpath(target);
    writeFile(target + QLatin1Char('/') + id + QStringLiteral(".pdf"), "mine");

    QStringList captions;
    ArticleTools::setModalRunner([&](QDialog* d) {
        auto* down = qobject_cast<TfrmWJ_Do*>(d);
        EXPECT_NE(down, nullptr);
        captions << d->windowTitle();
        down->BitBtn1->click();
        ui->files.enqueue(target);
        down->Button1->click();
        down->BitBtn1->click();
        return d->result();
    });
    ArticleTools::downloadFile(nullptr, id, QStringLiteral("A001"), QStringLiteral("签字笔"));
    EXPECT_EQ(captions, QStringList{QStringLiteral("A001 签字笔 文件下载")});
    ASSERT_EQ(ui->messages.size(), 2);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("下载路径 不能为空，请单击 选择路径！"));
    EXPECT_TRUE(ui->messages[1].text.startsWith(QStringLiteral("文件下载 失败！"))) << ui->messages[1].text.toStdString();
    EXPECT_EQ(readAll(target + QLatin1Char('/') + id + QStringLiteral(".pdf")), QByteArray("mine"));

    QFile::remove(target + QLatin1Char('/') + id + QStringLiteral(".pdf"));
    QString error;
    ASSERT_TRUE(ArticleFiles::download(dm->myRetAF(id), target, &error)) << error.toStdString();
    EXPECT_EQ(readAll(target + QLatin1Char('/') + id + QStringLiteral(".pdf")), QByteArray("stored"));

    // An article without a file: the message instead of the dialog.
    const QString other = QString::number(addArticle(QStringLiteral("B001"), QStringLiteral("尺子")));
    captions.clear();
    ArticleTools::downloadFile(nullptr, other, QStringLiteral("B001"), QStringLiteral("尺子"));
    EXPECT_TRUE(captions.isEmpty());
    EXPECT_EQ(ui->lastText(), QStringLiteral("B001 尺子 没有上传文件！"));
}

// ---------------------------------------------------------------------------
// The entry points

TEST_F(ArticleDialogs, EntryPointsOpenTheirDialogsWithTheirCaptions) {
    QStringList opened;
    ArticleTools::setModalRunner([&](QDialog* d) {
        opened << d->objectName() + QLatin1Char('|') + d->windowTitle();
        d->reject();
        return d->result();
    });
    const QString code = QStringLiteral("A001"), name = QStringLiteral("签字笔");
    int refreshed = 0;
    ArticleTools::openAccessories(nullptr, id, code, name, QStringLiteral("Article_M"), [&] { ++refreshed; });
    ArticleTools::openPictureManager(nullptr, id, code, name);
    ArticleTools::openPictureViewer(nullptr, id, code, name);
    ArticleTools::openPictureList(nullptr);
    ArticleTools::uploadFile(nullptr, id, code, name);
    ArticleTools::editArticle(nullptr, id, QStringLiteral("2"));
    ArticleTools::editPinyin(nullptr, id, QStringLiteral("2"));
    // An empty grid: nothing opens.
    ArticleTools::openAccessories(nullptr, QString(), QString(), QString(), QStringLiteral("Article_M"));
    // Without the right to modify the editors do not open.
    session().CanModify = QStringLiteral("否");
    ArticleTools::editArticle(nullptr, id, QStringLiteral("2"));
    ArticleTools::editPinyin(nullptr, id, QStringLiteral("2"));

    EXPECT_EQ(opened, (QStringList{QStringLiteral("frmA_FJ|A001 签字笔 附件管理"), QStringLiteral("frmPic_M|A001 签字笔"),
                                   QStringLiteral("frmPic_V|A001 签字笔"), QStringLiteral("frmPic_List|图片列表"),
                                   QStringLiteral("frmWJ_Up|A001 签字笔 文件上传"), QStringLiteral("frmA_M|物品信息"),
                                   QStringLiteral("frmAPY|修改物品拼音码")}));
    EXPECT_EQ(refreshed, 1);  // the accessory dialog refreshes its caller when it closes
    EXPECT_EQ(ArticleTools::picturePath(id), session().PictureFolder + QLatin1Char('/') + id + QStringLiteral(".jpg"));
}
