#include "app/TfrmLogin.h"

#include "app/LoginService.h"
#include "app/TfrmDM.h"
#include "app/TfrmMain.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The password field shows every character as an at sign.
class AtSignStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '@';
        if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};
} // namespace

TfrmLogin::TfrmLogin(TfrmMain* main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("软件登录"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(300, 270);

    auto* outer = new QVBoxLayout(this);
    // A banner strip across the top, where the original showed a web page.
    auto* banner = new QLabel(QStringLiteral("Kelvora物品管理软件"), this);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setAlignment(Qt::AlignCenter);
    banner->setFixedHeight(73);
    banner->setStyleSheet(QStringLiteral("QLabel{background:qlineargradient(x1:0,y1:0,x2:1,y2:1,stop:0 #1d5fa8,stop:1 #3d9ad6);"
                                         "color:white;font-size:20px;font-weight:bold;border-radius:4px;}"));
    outer->addWidget(banner);

    auto* group = new QGroupBox(QStringLiteral("软件登录"), this);
    auto* form = new QFormLayout(group);
    DBLookupComboBox1 = new QComboBox(group);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    QFont bold = DBLookupComboBox1->font();
    bold.setBold(true);
    DBLookupComboBox1->setFont(bold);
    Edit1 = new QLineEdit(group);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(bold);
    Edit1->setMaxLength(12);
    Edit1->setStyle(new AtSignStyle);
    Edit1->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("用  户  名："), DBLookupComboBox1);
    form->addRow(QStringLiteral("密       码："), Edit1);
    outer->addWidget(group);

    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("登录"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    outer->addLayout(buttons);

    setTabOrder(DBLookupComboBox1, Edit1);
    setTabOrder(Edit1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
    connect(DBLookupComboBox1, QOverload<int>::of(&QComboBox::activated), this, [this] { DBLookupComboBox1Click(); });

    // The user list; a database that cannot be read gives the error box and an empty list.
    guarded([this] { DM().DBComSUser(DBLookupComboBox1); });
    DBLookupComboBox1->setCurrentIndex(-1);
    DBLookupComboBox1->setFocus();

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmLogin::DBLookupComboBox1Click() { Edit1->setFocus(); }

void TfrmLogin::BitBtn1Click() {
    const QString name = lookupKey(DBLookupComboBox1);
    if (name.isEmpty()) {
        showMessage(QStringLiteral("用户名 不能为空！请选择 用户名！"));
        DBLookupComboBox1->setFocus();
        return;
    }
    QStringList grants;
    if (LoginService::attempt(name, Edit1->text(), &grants) != LoginService::Result::Ok) {
        showMessage(QStringLiteral("密码错误，请重新录入密码！"));
        Edit1->setFocus();
        return;
    }
    main_->applyGrants(grants);
    hide();
    main_->showAfterLogin();
}

void TfrmLogin::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        BitBtn1->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TfrmLogin::closeEvent(QCloseEvent* e) {
    // Closing the login window in any way ends the program at once.
    e->accept();
    QCoreApplication::exit(0);
}
