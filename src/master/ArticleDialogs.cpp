#include "master/ArticleDialogs.h"

#include "app/TfrmDM.h"
#include "master/GbkLineEdit.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace ArticleEdit;

// ---------------------------------------------------------------------------
// ArticleFieldsBox

ArticleFieldsBox::ArticleFieldsBox(QWidget* parent) : QGroupBox(QStringLiteral("物品信息"), parent) {
    setObjectName(QStringLiteral("GroupBox1"));
    auto make = [this](const char* name, int bytes, const QString& allowed = QString()) {
        auto* e = new GbkLineEdit(bytes, allowed, this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    Edit1 = make("Edit1", CodeBytes);
    Edit2 = make("Edit2", NameBytes);
    Edit3 = make("Edit3", StandardBytes);
    Edit4 = make("Edit4", UnitBytes);
    Edit5 = make("Edit5", PriceBytes, GbkLineEdit::Decimal);
    Edit6 = make("Edit6", RemarkBytes);
    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox2 = new QComboBox(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));

    auto* g = new QGridLayout(this);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(8);
    auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    g->addWidget(label("物品编码："), 0, 0);
    g->addWidget(Edit1, 0, 1);
    g->addWidget(label("物品分类："), 0, 2);
    g->addWidget(DBLookupComboBox1, 0, 3);
    g->addWidget(label("物品名称："), 1, 0);
    g->addWidget(Edit2, 1, 1, 1, 3);
    g->addWidget(label("规格型号："), 2, 0);
    g->addWidget(Edit3, 2, 1);
    g->addWidget(label("单　　位："), 2, 2);
    g->addWidget(Edit4, 2, 3);
    g->addWidget(label("单　　价："), 3, 0);
    g->addWidget(Edit5, 3, 1);
    g->addWidget(label("货位名称："), 3, 2);
    g->addWidget(DBLookupComboBox2, 3, 3);
    g->addWidget(label("备　　注："), 4, 0);
    g->addWidget(Edit6, 4, 1, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit3), static_cast<QWidget*>(Edit4),
                       static_cast<QWidget*>(Edit5), static_cast<QWidget*>(DBLookupComboBox1),
                       static_cast<QWidget*>(DBLookupComboBox2)})
        w->setMinimumWidth(160);

    setTabOrder(Edit1, DBLookupComboBox1);
    setTabOrder(DBLookupComboBox1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, DBLookupComboBox2);
    setTabOrder(DBLookupComboBox2, Edit6);
}

void ArticleFieldsBox::fillLists() {
    DM().DBComAType(DBLookupComboBox1);
    DM().DBComSPlace(DBLookupComboBox2);
    DBLookupComboBox1->setCurrentIndex(-1);
    DBLookupComboBox2->setCurrentIndex(-1);
}

void ArticleFieldsBox::setFields(const Fields& f) {
    Edit1->setText(f.code);
    Edit2->setText(f.name);
    Edit3->setText(f.standard);
    Edit4->setText(f.unit);
    Edit5->setText(f.price);
    Edit6->setText(f.remark);
    keptType_ = setLookupKey(DBLookupComboBox1, f.type) ? QString() : f.type;
    keptPlace_ = setLookupKey(DBLookupComboBox2, f.place) ? QString() : f.place;
    if (!keptType_.isEmpty()) DBLookupComboBox1->setPlaceholderText(keptType_);
    if (!keptPlace_.isEmpty()) DBLookupComboBox2->setPlaceholderText(keptPlace_);
}

Fields ArticleFieldsBox::fields() const {
    Fields f;
    f.code = Edit1->text();
    f.name = Edit2->text();
    f.standard = Edit3->text();
    f.unit = Edit4->text();
    f.price = Edit5->text();
    f.remark = Edit6->text();
    f.type = DBLookupComboBox1->currentIndex() >= 0 ? lookupKey(DBLookupComboBox1) : keptType_;
    f.place = DBLookupComboBox2->currentIndex() >= 0 ? lookupKey(DBLookupComboBox2) : keptPlace_;
    return f;
}

void ArticleFieldsBox::setReadOnly(bool readOnly) {
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6}) e->setReadOnly(readOnly);
    DBLookupComboBox1->setEnabled(!readOnly);
    DBLookupComboBox2->setEnabled(!readOnly);
}

QWidget* ArticleFieldsBox::editorOf(Field f) const {
    switch (f) {
    case Field::Code: return Edit1;
    case Field::Name: return Edit2;
    case Field::Unit: return Edit4;
    case Field::Price: return Edit5;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------------------
// ArticleDialogBase

ArticleDialogBase::ArticleDialogBase(QWidget* parent, const QString& articleId, const QString& callerCode)
    : QDialog(parent), articleId_(articleId), callerCode_(callerCode) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto* outer = new QVBoxLayout(this);
    GroupBox1 = new ArticleFieldsBox(this);
    outer->addWidget(GroupBox1);

    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("保存"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    outer->addLayout(buttons);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    guarded([this] { GroupBox1->fillLists(); });
}

bool ArticleDialogBase::loadArticle() {
    article_ = load(articleId_);
    if (article_) GroupBox1->setFields(article_->fields);
    return article_.has_value();
}

void ArticleDialogBase::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!shown_) {
        shown_ = true;
        guarded([this] { FormShow(); });
    }
}

void ArticleDialogBase::refuse(const Outcome& o, QWidget* editor) {
    showMessage(o.message);
    if (editor) editor->setFocus();
}

// ---------------------------------------------------------------------------
// TfrmA_M

TfrmA_M::TfrmA_M(QWidget* parent, const QString& articleId, const QString& callerCode)
    : ArticleDialogBase(parent, articleId, callerCode) {
    setObjectName(QStringLiteral("frmA_M"));
    setWindowTitle(QStringLiteral("物品信息"));
    setTabOrder(GroupBox1->lastControl(), BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    enterMovesFocus(this);
}

void TfrmA_M::FormShow() {
    loadArticle();
    GroupBox1->Edit1->setFocus();
}

void TfrmA_M::BitBtn1Click() {
    const Outcome o = ArticleEdit::update(articleId_, GroupBox1->fields());
    if (!o.ok()) {
        refuse(o, GroupBox1->editorOf(o.field));
        return;
    }
    emit saved(callerCode_);
    accept();
}

// ---------------------------------------------------------------------------
// TfrmAPY

TfrmAPY::TfrmAPY(QWidget* parent, const QString& articleId, const QString& callerCode)
    : ArticleDialogBase(parent, articleId, callerCode) {
    setObjectName(QStringLiteral("frmAPY"));
    setWindowTitle(QStringLiteral("修改物品拼音码"));
    GroupBox1->setEnabled(false);

    auto* box = new QGroupBox(QStringLiteral("拼音码"), this);
    box->setObjectName(QStringLiteral("GroupBox2"));
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(QStringLiteral("拼  音  码："), box));
    Edit7 = new GbkLineEdit(PinyinBytes, QString(), box);
    Edit7->setObjectName(QStringLiteral("Edit7"));
    row->addWidget(Edit7, 1);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, box);

    setTabOrder(Edit7, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    enterMovesFocus(this);
}

void TfrmAPY::FormShow() {
    if (loadArticle()) Edit7->setText(article_->pinyin);
    Edit7->setFocus();
    Edit7->selectAll();
}

void TfrmAPY::BitBtn1Click() {
    const Outcome o = updatePinyin(articleId_, Edit7->text());
    if (!o.ok()) {
        refuse(o, Edit7);
        return;
    }
    emit saved(callerCode_);
    accept();
}

// ---------------------------------------------------------------------------
// TfrmA_YJ

TfrmA_YJ::TfrmA_YJ(QWidget* parent, const QString& articleId) : ArticleDialogBase(parent, articleId, QString()) {
    setObjectName(QStringLiteral("frmA_YJ"));
    setWindowTitle(QStringLiteral("预警设置"));
    // Only the warning values are saved; the article's data is shown for reference.
    GroupBox1->setReadOnly(true);

    auto* box = new QGroupBox(QStringLiteral("预警信息"), this);
    box->setObjectName(QStringLiteral("GroupBox2"));
    auto* row = new QHBoxLayout(box);
    Edit7 = new GbkLineEdit(LimitDigits, GbkLineEdit::Digits, box);
    Edit7->setObjectName(QStringLiteral("Edit7"));
    Edit8 = new GbkLineEdit(LimitDigits, GbkLineEdit::Digits, box);
    Edit8->setObjectName(QStringLiteral("Edit8"));
    CheckBox1 = new QCheckBox(QStringLiteral("启用库存预警"), box);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    row->addWidget(new QLabel(QStringLiteral("最低库存："), box));
    row->addWidget(Edit7);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("最高库存："), box));
    row->addWidget(Edit8);
    row->addSpacing(16);
    row->addWidget(CheckBox1);
    row->addStretch();
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, box);

    // The read-only article fields are skipped by Tab.
    for (QWidget* w : GroupBox1->findChildren<QWidget*>()) w->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Edit7, Edit8);
    setTabOrder(Edit8, CheckBox1);
    setTabOrder(CheckBox1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    enterMovesFocus(this);
}

void TfrmA_YJ::FormShow() {
    if (loadArticle()) {
        Edit7->setText(article_->yjMin);
        Edit8->setText(article_->yjMax);
        CheckBox1->setChecked(article_->yj == QStringLiteral("是"));
    }
    Edit7->setFocus();
    Edit7->selectAll();
}

void TfrmA_YJ::BitBtn1Click() {
    const Outcome o = saveWarnings(articleId_, Edit7->text(), Edit8->text(), CheckBox1->isChecked());
    if (!o.ok()) {
        refuse(o, o.field == Field::Maximum ? Edit8 : Edit7);
        return;
    }
    // The caption ("code name 预警设置") followed by the fixed text.
    showMessage(windowTitle() + QStringLiteral(" 预警设置 保存成功！"));
    emit saved(callerCode_);
    accept();
}
