#include "master/UserWindows.h"

#include "app/TfrmDM.h"
#include "app/WindowRegistry.h"
#include "master/TfrmRegister.h"
#include "master/UserGrants.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QListWidgetItem* checkItem(QListWidget* list, const UserGrants::CheckItem& c) {
    auto* item = new QListWidgetItem(c.text, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(c.checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

QStringList ticked(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) out << list->item(i)->text();
    return out;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumWidth(90);
    return b;
}

void dialogFlags(QDialog* d) {
    d->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    d->setModal(true);
}

// The rights windows: caption and group title, and a check list inside the group.
QVBoxLayout* checkListGroup(QDialog* d, const QString& title, QGroupBox** group, QListWidget** list) {
    dialogFlags(d);
    d->setWindowTitle(title);
    auto* layout = new QVBoxLayout(d);
    *group = new QGroupBox(title, d);
    (*group)->setObjectName(QStringLiteral("GroupBox1"));
    auto* gl = new QVBoxLayout(*group);
    *list = new QListWidget(*group);
    (*list)->setObjectName(QStringLiteral("CheckListBox1"));
    gl->addWidget(*list);
    layout->addWidget(*group, 1);
    return layout;
}

} // namespace

// ---- menu rights --------------------------------------------------------

TfrmLevel::TfrmLevel(QWidget* parent, qlonglong uid, const QString& userName) : QDialog(parent), uid_(uid) {
    setObjectName(QStringLiteral("frmLevel"));
    auto* layout = checkListGroup(this, userName + QStringLiteral(" 的操作权限"), &GroupBox1, &CheckListBox1);
    CheckListBox1->setFlow(QListView::TopToBottom);
    CheckListBox1->setWrapping(true);
    CheckListBox1->setResizeMode(QListView::Adjust);
    CheckListBox1->setUniformItemSizes(true);
    CheckListBox1->viewport()->installEventFilter(this);

    auto* bar = new QHBoxLayout;
    CheckBox1 = new QCheckBox(QStringLiteral("全选"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2 = new QCheckBox(QStringLiteral("修改"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox3 = new QCheckBox(QStringLiteral("删除"), this);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    CheckBox4 = new QCheckBox(QStringLiteral("导出"), this);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4}) bar->addWidget(c);
    bar->addStretch(1);
    BitBtn1 = button(this, "BitBtn1", "保存");
    BitBtn2 = button(this, "BitBtn2", "退出");
    bar->addWidget(BitBtn1);
    bar->addWidget(BitBtn2);
    layout->addLayout(bar);

    connectGuarded(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { reject(); });

    FormShow();
    // Four columns of entries, all in view.
    const int rows = static_cast<int>(std::ceil(CheckListBox1->count() / 4.0));
    const int itemHeight = fontMetrics().height() + 6;
    CheckListBox1->setMinimumSize(4 * 190, qMax(1, rows) * itemHeight + 2 * CheckListBox1->frameWidth() + 4);
    layoutColumns();
}

void TfrmLevel::FormShow() {
    CheckListBox1->clear();
    for (const UserGrants::CheckItem& c : UserGrants::menuItems(DM(), uid_)) checkItem(CheckListBox1, c);
    const UserGrants::Rights r = UserGrants::rights(DM(), uid_);
    CheckBox2->setChecked(r.modify);
    CheckBox3->setChecked(r.remove);
    CheckBox4->setChecked(r.exportData);
}

void TfrmLevel::layoutColumns() {
    const int n = CheckListBox1->count();
    if (n == 0) return;
    const int rows = static_cast<int>(std::ceil(n / 4.0));
    const QSize vp = CheckListBox1->viewport()->size();
    const int itemHeight = fontMetrics().height() + 6;
    const QSize grid(qMax(60, vp.width() / 4), qMax(itemHeight, vp.height() / rows));
    if (CheckListBox1->gridSize() != grid) CheckListBox1->setGridSize(grid);
}

bool TfrmLevel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CheckListBox1->viewport() && event->type() == QEvent::Resize) layoutColumns();
    return QDialog::eventFilter(watched, event);
}

void TfrmLevel::CheckBox1Click() {
    const bool on = CheckBox1->isChecked();
    for (int i = 0; i < CheckListBox1->count(); ++i) CheckListBox1->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    CheckBox2->setChecked(on);
    CheckBox3->setChecked(on);
    CheckBox4->setChecked(on);
}

void TfrmLevel::BitBtn1Click() {
    UserGrants::Rights r;
    r.modify = CheckBox2->isChecked();
    r.remove = CheckBox3->isChecked();
    r.exportData = CheckBox4->isChecked();
    UserGrants::saveMenuGrants(DM(), uid_, ticked(CheckListBox1), r);
    showMessage(GroupBox1->title() + QStringLiteral(" 保存成功！重新登录软件后生效。"));
    if (auto* users = latestWindow<TfrmRegister>(QStringLiteral("TfrmUser"))) users->refKeeping(uid_);
    accept();
}

// ---- storage rights -----------------------------------------------------

TfrmLW::TfrmLW(QWidget* parent, qlonglong uid, const QString& userName) : QDialog(parent), uid_(uid) {
    setObjectName(QStringLiteral("frmLW"));
    auto* layout = checkListGroup(this, userName + QStringLiteral(" 的仓库权限"), &GroupBox1, &CheckListBox1);
    CheckListBox1->setMinimumSize(300, 320);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    BitBtn1 = button(this, "BitBtn1", "保存");
    BitBtn2 = button(this, "BitBtn2", "退出");
    bar->addWidget(BitBtn1);
    bar->addWidget(BitBtn2);
    layout->addLayout(bar);

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { reject(); });

    FormShow();
}

void TfrmLW::FormShow() {
    CheckListBox1->clear();
    for (const UserGrants::CheckItem& c : UserGrants::storageItems(DM(), uid_)) checkItem(CheckListBox1, c);
}

void TfrmLW::BitBtn1Click() {
    UserGrants::saveStorageGrants(DM(), uid_, ticked(CheckListBox1));
    showMessage(GroupBox1->title() + QStringLiteral(" 保存成功！重新登录软件后生效。"));
    accept();
}

// ---- password -----------------------------------------------------------

TfrmChangePass::TfrmChangePass(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmChangePass"));
    dialogFlags(this);
    setWindowTitle(QStringLiteral("修改密码"));

    auto* layout = new QVBoxLayout(this);
    GroupBox1 = new QGroupBox(QStringLiteral("密码信息"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* gl = new QGridLayout(GroupBox1);
    const char* captions[3] = {"原  密  码：", "新  密  码：", "确认密码："};
    QLineEdit** edits[3] = {&Edit1, &Edit2, &Edit3};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), GroupBox1);
        auto* e = new QLineEdit(GroupBox1);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        e->setMaxLength(12);
        e->setEchoMode(QLineEdit::Password);
        e->setMinimumWidth(180);
        label->setBuddy(e);
        gl->addWidget(label, i, 0);
        gl->addWidget(e, i, 1);
        *edits[i] = e;
    }
    layout->addWidget(GroupBox1);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    BitBtn1 = button(this, "BitBtn1", "确认");
    BitBtn1->setDefault(true);
    BitBtn2 = button(this, "BitBtn2", "退出");
    BitBtn2->setAutoDefault(false);
    bar->addWidget(BitBtn1);
    bar->addWidget(BitBtn2);
    layout->addLayout(bar);

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { reject(); });
    Edit1->setFocus();
}

void TfrmChangePass::BitBtn1Click() {
    const UserGrants::PasswordResult r = UserGrants::changePassword(DM(), Edit1->text(), Edit2->text(), Edit3->text());
    showMessage(r.message);
    if (!r.ok) {
        QLineEdit* target = r.focus == 1 ? Edit1 : r.focus == 2 ? Edit2 : Edit3;
        target->setFocus();
        target->selectAll();
        return;
    }
    accept();
}
