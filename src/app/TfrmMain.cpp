#include "app/TfrmMain.h"

#include "app/LoginService.h"
#include "app/MenuCatalogue.h"
#include "app/Reminders.h"
#include "app/Session.h"
#include "app/TfrmDM.h"
#include "app/WindowRegistry.h"
#include "platform/AppPaths.h"
#include "platform/Guard.h"
#include "platform/Ui.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {
TfrmMain* theMain = nullptr;

// The built-in background: a calm gradient with the program's name.
QPixmap builtInBackground() {
    QPixmap pm(1280, 640);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 1280, 640);
    g.setColorAt(0, QColor(226, 236, 247));
    g.setColorAt(1, QColor(183, 207, 232));
    p.fillRect(pm.rect(), g);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QPointF(1050, 120), 320, 320);
    p.drawEllipse(QPointF(180, 600), 260, 260);
    QFont f = QApplication::font();
    f.setPixelSize(64);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(40, 80, 130, 200));
    p.drawText(QRect(0, 220, 1280, 100), Qt::AlignCenter, appTitle());
    f.setPixelSize(24);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(40, 80, 130, 160));
    p.drawText(QRect(0, 320, 1280, 60), Qt::AlignCenter, QStringLiteral("仓库 · 物品 · 出入库 · 借用归还 · 统计报表"));
    return pm;
}

// Toolbar pictures: a rounded tile in the button's colour with a simple sign.
QIcon toolIcon(int index, const QString& caption) {
    static const QColor colors[] = {QColor(0x3b, 0x82, 0xc4), QColor(0x2e, 0x9d, 0x6a), QColor(0xd9, 0x7a, 0x2b),
                                    QColor(0x8e, 0x5c, 0xc2), QColor(0x1f, 0xa3, 0xa3), QColor(0x5a, 0x6f, 0xd6),
                                    QColor(0xc4, 0x4a, 0x4a), QColor(0x4f, 0xa8, 0x3d), QColor(0x2f, 0x6f, 0xae),
                                    QColor(0xb0, 0x7d, 0x2a), QColor(0x6b, 0x7b, 0x8c), QColor(0x8a, 0x3b, 0x3b)};
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QColor c = colors[index % 12];
    QLinearGradient g(0, 0, 0, 40);
    g.setColorAt(0, c.lighter(125));
    g.setColorAt(1, c);
    p.setBrush(g);
    p.setPen(c.darker(130));
    p.drawRoundedRect(QRectF(1.5, 1.5, 37, 37), 8, 8);
    // A sheet of paper for the documents, a stack for stock, a chart, a question mark, an exit arrow.
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    if (index < 8) {
        p.drawRect(QRectF(11, 8, 18, 24));
        p.drawLine(QPointF(15, 15), QPointF(25, 15));
        p.drawLine(QPointF(15, 20), QPointF(25, 20));
        p.drawLine(QPointF(15, 25), QPointF(22, 25));
    } else if (index == 8) {
        p.drawRect(QRectF(9, 22, 10, 9));
        p.drawRect(QRectF(21, 22, 10, 9));
        p.drawRect(QRectF(15, 11, 10, 9));
    } else if (index == 9) {
        p.drawLine(QPointF(9, 31), QPointF(31, 31));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(11, 20, 4, 10));
        p.drawRect(QRectF(18, 13, 4, 17));
        p.drawRect(QRectF(25, 17, 4, 13));
    } else if (index == 10) {
        QFont f = QApplication::font();
        f.setPixelSize(26);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 40, 40), Qt::AlignCenter, QStringLiteral("?"));
    } else {
        p.drawRect(QRectF(9, 9, 14, 22));
        p.drawLine(QPointF(19, 20), QPointF(32, 20));
        p.drawLine(QPointF(27, 15), QPointF(32, 20));
        p.drawLine(QPointF(27, 25), QPointF(32, 20));
    }
    Q_UNUSED(caption);
    return QIcon(pm);
}
} // namespace

// The client area: child windows over a stretched background picture.
class BackgroundArea : public QMdiArea {
public:
    explicit BackgroundArea(QWidget* parent) : QMdiArea(parent) {}
    void setPicture(const QPixmap& pm) {
        picture_ = pm;
        refresh();
    }
    const QPixmap& picture() const { return picture_; }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QMdiArea::resizeEvent(e);
        refresh();
    }

private:
    void refresh() {
        if (picture_.isNull() || viewport()->size().isEmpty()) return;
        setBackground(QBrush(picture_.scaled(viewport()->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    QPixmap picture_;
};

TfrmMain* mainWindow() { return theMain; }

QMdiArea* TfrmMain::mdiArea() const { return mdi_; }

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    theMain = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(appTitle());

    // Placement: centred at the design size on wide screens, maximised otherwise.
    resize(1280, 720);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        if (screen->geometry().width() > 1366) {
            move(screen->availableGeometry().center() - QPoint(640, 360));
        } else {
            maximizeOnShow_ = true;
        }
    }

    Session& s = session();
    s.AppPath = AppPaths::appPath();
    s.VersionText = QStringLiteral("5.9.0.5");

    mdi_ = new BackgroundArea(this);
    mdi_->setObjectName(QStringLiteral("Image1"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    mdi_->setPicture(builtInBackground());

    buildMenu();
    buildToolbar();
    buildStatusBar();

    guarded([this] {
        if (!myCheckData()) terminated_ = true;
    });
}

TfrmMain::~TfrmMain() {
    if (theMain == this) theMain = nullptr;
}

bool TfrmMain::myCheckData() {
    Db& db = DM().db();
    if (!db.isOpen()) DM().open(AppPaths::databaseFile());
    QString joined;
    for (const QString& t : db.tables()) joined += t + QLatin1Char('|');
    for (const QString& req : {QStringLiteral("RUser|"), QStringLiteral("SUnit|")})
        if (!joined.contains(req, Qt::CaseInsensitive)) return false;
    return true;
}

void TfrmMain::buildMenu() {
    for (const TopMenu& top : menuCatalogue()) {
        QMenu* menu = menuBar()->addMenu(top.caption);
        menu->setObjectName(QStringLiteral("Menu%1").arg(top.position));
        menu->menuAction()->setVisible(top.shownWithoutGrant);
        topMenus_ << menu;
        for (const MenuEntry& e : top.entries) {
            QAction* a = nullptr;
            if (e.kind == EntryKind::Separator) {
                a = menu->addSeparator();
            } else {
                a = menu->addAction(e.caption);
                a->setObjectName(e.handler.left(e.handler.size() - 5));  // "N11Click" -> "N11"
                const MenuEntry* entry = &e;
                connect(a, &QAction::triggered, this, [this, entry] {
                    guarded([&] {
                        switch (entry->kind) {
                        case EntryKind::Exit: N8Click(); break;
                        case EntryKind::Help: H2Click(); break;
                        case EntryKind::WebSite: N4Click(); break;
                        default: openWindow(entry->target); break;
                        }
                    });
                });
                if (!e.target.isEmpty() && !WindowRegistry::has(e.target)) a->setEnabled(false);
            }
            a->setVisible(e.shownWithoutGrant);
            if (!e.code.isEmpty()) actions_.insert(e.code, a);
        }
    }
}

void TfrmMain::buildToolbar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(40, 40));
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    int i = 0;
    for (const ToolbarButton& b : toolbarButtons()) {
        auto* btn = new QToolButton(ToolBar1);
        btn->setObjectName(b.name);
        btn->setText(b.caption);
        btn->setIcon(toolIcon(i++, b.caption));
        btn->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        btn->setAutoRaise(true);
        btn->setFixedSize(70, 70);
        const QString code = b.code;
        connect(btn, &QToolButton::clicked, this, [this, code] {
            guarded([&] {
                if (code == QLatin1String("help")) H2Click();
                else runEntry(code);
            });
        });
        ToolBar1->addWidget(btn);
    }
}

void TfrmMain::buildStatusBar() {
    // Panel 0 sits at the right edge; each caption stands right-aligned before its value.
    static const struct { int panel; int width; Qt::Alignment align; const char* text; } layout[] = {
        {1, 120, Qt::AlignRight | Qt::AlignVCenter, "当前登录用户："},
        {2, 120, Qt::AlignLeft | Qt::AlignVCenter, ""},
        {3, 120, Qt::AlignRight | Qt::AlignVCenter, "当前系统日期："},
        {4, 120, Qt::AlignLeft | Qt::AlignVCenter, ""},
        {0, 150, Qt::AlignLeft | Qt::AlignVCenter, "Kelvora物品管理软件"},
    };
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (const auto& l : layout) {
        auto* label = new QLabel(QString::fromUtf8(l.text), bar);
        label->setObjectName(QStringLiteral("Panel%1").arg(l.panel));
        label->setFixedWidth(l.width);
        label->setAlignment(l.align);
        bar->addPermanentWidget(label);
        panels_[l.panel] = label;
    }
}

QString TfrmMain::statusText(int panel) const {
    return panel >= 0 && panel < 5 && panels_[panel] ? panels_[panel]->text() : QString();
}

QMenu* TfrmMain::topMenu(int position) const { return position >= 0 && position < topMenus_.size() ? topMenus_[position] : nullptr; }

QToolButton* TfrmMain::toolButton(const QString& name) const { return findChild<QToolButton*>(name); }

void TfrmMain::applyGrants(const QStringList& codes) {
    for (const QString& code : codes) {
        bool okP = false, okQ = false;
        const int p = code.left(1).toInt(&okP);
        const int q = code.mid(1, 2).toInt(&okQ);
        if (!okP || !okQ || code.size() < 3 || p < 0 || p >= 5)
            throw std::runtime_error(QStringLiteral("菜单权限代码无效：%1").arg(code).toStdString());
        const TopMenu& top = menuCatalogue()[p];
        if (q < 0 || q >= static_cast<int>(top.entries.size()))
            throw std::runtime_error(QStringLiteral("菜单权限代码无效：%1").arg(code).toStdString());
        topMenus_[p]->menuAction()->setVisible(true);
        topMenus_[p]->actions().at(q)->setVisible(true);
    }
}

void TfrmMain::showAfterLogin() {
    if (maximizeOnShow_) showMaximized();
    else show();
    if (!shownOnce_) {
        shownOnce_ = true;
        guarded([this] { FormShow(); });
    }
}

void TfrmMain::FormShow() {
    Session& s = session();
    panels_[2]->setText(s.UserName);
    panels_[4]->setText(s.LoginDate);
    LoginService::loadDefaults();
    runReminders();
    loadBackground();
}

void TfrmMain::runReminders() {
    const Session& s = session();
    if (s.RemindOverdue) {
        guarded([this] {
            if (Reminders::overdueLoans() > 0 && WindowRegistry::has(QStringLiteral("TfrmYLB_JC")))
                openWindow(QStringLiteral("TfrmYLB_JC"), QStringLiteral("超出归还天数"), true);
        });
    }
    if (s.WarnBelowMin) {
        guarded([this] {
            if (Reminders::belowMinimum() > 0 && WindowRegistry::has(QStringLiteral("TfrmWare_Q")))
                openWindow(QStringLiteral("TfrmWare_Q"), QStringLiteral("低于最低库存"), true);
        });
    }
    if (s.WarnAboveMax) {
        guarded([this] {
            if (Reminders::aboveMaximum() > 0 && WindowRegistry::has(QStringLiteral("TfrmWare_Q")))
                openWindow(QStringLiteral("TfrmWare_Q"), QStringLiteral("高于最高库存"), true);
        });
    }
}

void TfrmMain::loadBackground() {
    const QString file = session().AppPath + QStringLiteral("bj.jpg");
    if (QFile::exists(file)) {
        QImageReader reader(file, "jpg");
        QImage img = reader.read();
        if (!img.isNull()) {
            mdi_->setPicture(QPixmap::fromImage(img));
            return;
        }
    }
    mdi_->setPicture(builtInBackground());
}

void TfrmMain::runEntry(const QString& code) {
    const MenuEntry* e = entryByCode(code);
    if (!e) return;
    QAction* a = actions_.value(code);
    // Toolbar entries (and 211) do nothing while their menu entry is hidden.
    if (a && !a->isVisible()) return;
    if (e->kind == EntryKind::Exit) {
        N8Click();
        return;
    }
    if (!e->target.isEmpty()) openWindow(e->target);
}

QWidget* TfrmMain::openWindow(const QString& className, const QVariant& option, bool keepOthers) {
    if (!WindowRegistry::has(className)) return nullptr;
    const WindowKind kind = WindowRegistry::kind(className);
    if (!keepOthers) myfrmClose();
    if (kind == WindowKind::Child) {
        QWidget* w = WindowRegistry::create(className, nullptr, option);
        if (!w) return nullptr;
        w->setAttribute(Qt::WA_DeleteOnClose);
        QMdiSubWindow* sub = mdi_->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(w->windowTitle());
        sub->showMaximized();
        w->setFocus();
        return w;
    }
    QWidget* w = WindowRegistry::create(className, this, option);
    if (!w) return nullptr;
    if (auto* dlg = qobject_cast<QDialog*>(w)) {
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        dlg->exec();
    } else {
        w->setWindowModality(Qt::ApplicationModal);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    }
    return w;
}

void TfrmMain::myfrmClose() {
    for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->close();
}

QList<QWidget*> TfrmMain::childWindows() const {
    QList<QWidget*> out;
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (sub->widget() && sub->isVisible()) out << sub->widget();
    return out;
}

void TfrmMain::H2Click() {
    Ui::get().openExternal(QUrl::fromLocalFile(session().AppPath + QStringLiteral("help/index.html")));
}

void TfrmMain::N4Click() { Ui::get().openExternal(QUrl(QStringLiteral("https://www.kelvora.example/"))); }

void TfrmMain::closeEvent(QCloseEvent* e) {
    if (!Ui::get().question(QStringLiteral("确认要退出 Kelvora物品管理软件 吗？ ^_^ "), QStringLiteral("确认退出"))) {
        e->ignore();
        return;
    }
    myfrmClose();
    e->accept();
    QCoreApplication::exit(0);
}
