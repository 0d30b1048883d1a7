#pragma once
// Every message box, question, file or folder picker, print preview and
// "open with the default program" goes through this interface. The program
// installs QtUi; tests install ScriptedUi, which records and answers.

#include <QString>
#include <QUrl>

#include <functional>

class QPrinter;
class QWidget;

enum class MsgIcon { None, Information, Warning, Error, Question };

class Ui {
public:
    virtual ~Ui() = default;

    // A message box with one OK button.
    virtual void message(const QString& text, const QString& caption, MsgIcon icon) = 0;
    // A Yes/No question, No preselected; true means Yes.
    virtual bool question(const QString& text, const QString& caption, MsgIcon icon = MsgIcon::Question) = 0;
    // File and folder pickers; an empty text means the user cancelled.
    virtual QString openFileName(const QString& caption, const QString& filter, const QString& dir = QString()) = 0;
    virtual QString saveFileName(const QString& caption, const QString& filter, const QString& dir = QString()) = 0;
    virtual QString folderName(const QString& caption, const QString& dir = QString()) = 0;
    // Opens a file or a web address with the system's default program; false when nothing opened it.
    virtual bool openExternal(const QUrl& url) = 0;
    // Shows a print preview whose pages the callback paints into the printer.
    virtual void printPreview(const QString& title, const std::function<void(QPrinter*)>& paint) = 0;

    // The installed implementation (QtUi unless a test or tool installed another).
    static Ui& get();
    // Installs ui (not owned); nullptr restores the default QtUi.
    static void install(Ui* ui);
};

// The caption of the boxes the program shows without one of its own.
QString appTitle();

// Shortcuts for the common boxes.
// A plain message with the program's title as caption and no icon.
void showMessage(const QString& text);
void showInfo(const QString& text, const QString& caption = QStringLiteral("提示"));
void showWarning(const QString& text, const QString& caption = QStringLiteral("警告"));
void showError(const QString& text, const QString& caption = QString());
// The destructive question: "确认要删除吗？该删除将不可恢复！", caption "删除".
bool confirmDelete();
