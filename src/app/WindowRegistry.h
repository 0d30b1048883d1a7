#pragma once
// Code -> window: every module window the main menu can open is registered
// here by its class name, with a factory. A menu entry whose window is not
// registered stays disabled. Each class keeps a process-wide reference to its
// most recent instance, through which dialogs refresh the window that opened
// them.

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>

enum class WindowKind { Child, Modal };

// parent: the main window (modal) or nullptr (child); option: what the opener
// asks for (e.g. the stock list's "低于最低库存").
using WindowFactory = std::function<QWidget*(QWidget* parent, const QVariant& option)>;

namespace WindowRegistry {

void add(const QString& className, WindowKind kind, WindowFactory factory);
bool has(const QString& className);
WindowKind kind(const QString& className);
QWidget* create(const QString& className, QWidget* parent, const QVariant& option = {});

// The most recent instance of a class (null when none is alive).
QWidget* latest(const QString& className);
void setLatest(const QString& className, QWidget* w);

// Removes every registration (tests).
void clear();

} // namespace WindowRegistry

// The most recent instance of a window class, cast to its type.
template <typename T>
T* latestWindow(const QString& className) {
    return qobject_cast<T*>(WindowRegistry::latest(className));
}
