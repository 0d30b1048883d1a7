#pragma once
#include "platform/Ui.h"

// The Ui of the running program: Qt's message boxes and dialogs.
class QtUi : public Ui {
public:
    void message(const QString& text, const QString& caption, MsgIcon icon) override;
    bool question(const QString& text, const QString& caption, MsgIcon icon) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& dir) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& dir) override;
    QString folderName(const QString& caption, const QString& dir) override;
    bool openExternal(const QUrl& url) override;
    void printPreview(const QString& title, const std::function<void(QPrinter*)>& paint) override;
};
