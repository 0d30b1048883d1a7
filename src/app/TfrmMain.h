#pragma once
// The frame of the program: menu, toolbar, background, status bar and the
// child windows. Which menu entries a user sees is the permission model:
// entries start hidden and the login shows those granted.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVariant>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class BackgroundArea;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // The creation handler: placement, AppPath, VersionText and the table
    // check. When a required table is missing, terminated() is true and the
    // program ends silently.
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    bool terminated() const { return terminated_; }
    // The start-up table check; false when a required table is missing.
    bool myCheckData();

    // Makes the granted entries visible (codes in ascending order). A code
    // that names no entry throws, which stops the login.
    void applyGrants(const QStringList& codes);
    // Shows the window after the login (the show handler runs on the first show).
    void showAfterLogin();
    // The show handler: status bar, defaults, reminders, background, organisation name.
    void FormShow();

    // Runs a menu entry by code ("102"), as its menu item or toolbar button does.
    void runEntry(const QString& code);
    // Opens a module window by class name; child windows close the others first
    // unless keepOthers (the start-up reminders keep them).
    QWidget* openWindow(const QString& className, const QVariant& option = {}, bool keepOthers = false);
    // Closes every open child window.
    void myfrmClose();

    QAction* entryAction(const QString& code) const { return actions_.value(code); }
    QMenu* topMenu(int position) const;
    QToolButton* toolButton(const QString& name) const;
    QMdiArea* mdiArea() const;
    QList<QWidget*> childWindows() const;
    QString statusText(int panel) const;
    // Shows the built-in background, or bj.jpg beside the program when it loads.
    void loadBackground();

    // Opens the user manual or the web site through the Ui seam.
    void H2Click();
    void N4Click();
    void N8Click() { close(); }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void buildToolbar();
    void buildStatusBar();
    void runReminders();

    bool terminated_ = false;
    bool maximizeOnShow_ = false;
    bool shownOnce_ = false;
    QHash<QString, QAction*> actions_;
    QList<QMenu*> topMenus_;
    QToolBar* ToolBar1 = nullptr;
    BackgroundArea* mdi_ = nullptr;
    QLabel* panels_[5] = {};
};

// The main window of the run (null before it is created).
TfrmMain* mainWindow();
