#pragma once
// A Ui for tests and tools: it records every box and answers from queues.
// Unanswered questions get No; unanswered pickers get an empty text (cancel).

#include "platform/Ui.h"

#include <QList>
#include <QQueue>
#include <QStringList>

class ScriptedUi : public Ui {
public:
    struct Message {
        QString text;
        QString caption;
        MsgIcon icon;
        bool question;
    };

    ScriptedUi();  // installs itself
    ~ScriptedUi() override;  // restores the default

    void message(const QString& text, const QString& caption, MsgIcon icon) override;
    bool question(const QString& text, const QString& caption, MsgIcon icon) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& dir) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& dir) override;
    QString folderName(const QString& caption, const QString& dir) override;
    bool openExternal(const QUrl& url) override;
    void printPreview(const QString& title, const std::function<void(QPrinter*)>& paint) override;

    QList<Message> messages;        // every box, in order (questions too)
    QQueue<bool> answers;           // answers to questions
    QQueue<QString> files;          // answers to file and folder pickers
    QList<QUrl> opened;             // what openExternal was asked to open
    bool openSucceeds = true;       // what openExternal reports
    QStringList previews;           // titles of print previews
    // Called for every preview with a printer writing PDF into previewPdf (when set).
    QString previewPdf;

    // Texts of the recorded boxes.
    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear() { messages.clear(); opened.clear(); previews.clear(); }
};
