#include "platform/ScriptedUi.h"

#include <QPrinter>

ScriptedUi::ScriptedUi() { Ui::install(this); }
ScriptedUi::~ScriptedUi() { Ui::install(nullptr); }

void ScriptedUi::message(const QString& text, const QString& caption, MsgIcon icon) {
    messages.append({text, caption, icon, false});
}

bool ScriptedUi::question(const QString& text, const QString& caption, MsgIcon icon) {
    messages.append({text, caption, icon, true});
    return answers.isEmpty() ? false : answers.dequeue();
}

QString ScriptedUi::openFileName(const QString&, const QString&, const QString&) {
    return files.isEmpty() ? QString() : files.dequeue();
}
QString ScriptedUi::saveFileName(const QString&, const QString&, const QString&) {
    return files.isEmpty() ? QString() : files.dequeue();
}
QString ScriptedUi::folderName(const QString&, const QString&) {
    return files.isEmpty() ? QString() : files.dequeue();
}

bool ScriptedUi::openExternal(const QUrl& url) {
    opened.append(url);
    return openSucceeds;
}

void ScriptedUi::printPreview(const QString& title, const std::function<void(QPrinter*)>& paint) {
    previews.append(title);
    if (previewPdf.isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(previewPdf);
    paint(&printer);
}

QStringList ScriptedUi::texts() const {
    QStringList t;
    for (const auto& m : messages) t << m.text;
    return t;
}
