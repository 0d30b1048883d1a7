#include "platform/QtUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
QWidget* parentWindow() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) w = QApplication::activeWindow();
    return w;
}
QMessageBox::Icon toIcon(MsgIcon i) {
    switch (i) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtUi::message(const QString& text, const QString& caption, MsgIcon icon) {
    QMessageBox box(toIcon(icon), caption, text, QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtUi::question(const QString& text, const QString& caption, MsgIcon icon) {
    QMessageBox box(toIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parentWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtUi::openFileName(const QString& caption, const QString& filter, const QString& dir) {
    return QFileDialog::getOpenFileName(parentWindow(), caption, dir, filter);
}

QString QtUi::saveFileName(const QString& caption, const QString& filter, const QString& dir) {
    return QFileDialog::getSaveFileName(parentWindow(), caption, dir, filter);
}

QString QtUi::folderName(const QString& caption, const QString& dir) {
    return QFileDialog::getExistingDirectory(parentWindow(), caption, dir);
}

bool QtUi::openExternal(const QUrl& url) { return QDesktopServices::openUrl(url); }

void QtUi::printPreview(const QString& title, const std::function<void(QPrinter*)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog dlg(&printer, parentWindow());
    dlg.setWindowTitle(title);
    dlg.resize(1000, 760);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&](QPrinter* p) { paint(p); });
    dlg.exec();
}
