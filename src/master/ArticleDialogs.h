#pragma once
// The one-article dialogs: the editor of an article's data (TfrmA_M), of its
// pinyin code alone (TfrmAPY), the quick entry of a new article from a
// document line (TfrmA_In, in ArticleEntry.h) and the stock-warning limits
// (TfrmA_YJ). They share one box of article fields.

#include "master/ArticleEdit.h"

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The group "物品信息": code, type, name, specification, unit, price, remark,
// place, with the byte limits of the article table.
class ArticleFieldsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ArticleFieldsBox(QWidget* parent = nullptr);

    QLineEdit* Edit1;  // 物品编码
    QLineEdit* Edit2;  // 物品名称
    QLineEdit* Edit3;  // 规格型号
    QLineEdit* Edit4;  // 单位
    QLineEdit* Edit5;  // 单价: digits and the point only
    QLineEdit* Edit6;  // 备注
    QComboBox* DBLookupComboBox1;  // 物品分类
    QComboBox* DBLookupComboBox2;  // 货位名称

    // Fills the type and place lists from the data module.
    void fillLists();
    void setFields(const ArticleEdit::Fields& f);
    ArticleEdit::Fields fields() const;
    // Fields that cannot be changed, shown for reference.
    void setReadOnly(bool readOnly);
    // The editor of a field a check points at (null for none).
    QWidget* editorOf(ArticleEdit::Field f) const;
    // The first and last control, for the tab order of the window.
    QWidget* firstControl() const { return Edit1; }
    QWidget* lastControl() const { return Edit6; }

private:
    // A stored type or place that is no longer in its list is kept, not lost.
    QString keptType_, keptPlace_;
};

// Base of the four dialogs: a modal window with only a close box, centred
// on its parent, holding the field box.
class ArticleDialogBase : public QDialog {
    Q_OBJECT
public:
    ArticleDialogBase(QWidget* parent, const QString& articleId, const QString& callerCode);

    QString articleId() const { return articleId_; }
    QString callerCode() const { return callerCode_; }

    ArticleFieldsBox* GroupBox1;
    QPushButton* BitBtn1;  // 保存
    QPushButton* BitBtn2;  // 退出

    // Reads the article into the fields; false (and empty fields) when it is not found.
    bool loadArticle();

signals:
    // After a save: the caller refreshes ("2" = the article query window,
    // empty = the stock list).
    void saved(const QString& callerCode);

protected:
    void showEvent(QShowEvent* e) override;
    virtual void FormShow() = 0;
    // Shows the refusal and focuses its field.
    void refuse(const ArticleEdit::Outcome& o, QWidget* editor);

    QString articleId_;
    QString callerCode_;
    std::optional<ArticleEdit::Article> article_;

private:
    bool shown_ = false;
};

// "物品信息": change one article.
class TfrmA_M : public ArticleDialogBase {
    Q_OBJECT
public:
    TfrmA_M(QWidget* parent, const QString& articleId, const QString& callerCode);

    void FormShow() override;
    void BitBtn1Click();
};

// "修改物品拼音码": change one article's pinyin code.
class TfrmAPY : public ArticleDialogBase {
    Q_OBJECT
public:
    TfrmAPY(QWidget* parent, const QString& articleId, const QString& callerCode);

    QLineEdit* Edit7;  // 拼音码

    void FormShow() override;
    void BitBtn1Click();
};

// "… 预警设置": an article's warning limits and switch.
class TfrmA_YJ : public ArticleDialogBase {
    Q_OBJECT
public:
    TfrmA_YJ(QWidget* parent, const QString& articleId);

    QLineEdit* Edit7;      // 最低库存
    QLineEdit* Edit8;      // 最高库存
    QCheckBox* CheckBox1;  // 启用库存预警

    void FormShow() override;
    void BitBtn1Click();
};
