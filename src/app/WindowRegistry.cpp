#include "app/WindowRegistry.h"

#include <QHash>

namespace {
struct Entry {
    WindowKind kind;
    WindowFactory factory;
};
QHash<QString, Entry>& entries() {
    static QHash<QString, Entry> e;
    return e;
}
QHash<QString, QPointer<QWidget>>& latestOnes() {
    static QHash<QString, QPointer<QWidget>> l;
    return l;
}
} // namespace

namespace WindowRegistry {

void add(const QString& className, WindowKind kind, WindowFactory factory) {
    entries().insert(className, {kind, std::move(factory)});
}

bool has(const QString& className) { return entries().contains(className); }

WindowKind kind(const QString& className) { return entries().value(className).kind; }

QWidget* create(const QString& className, QWidget* parent, const QVariant& option) {
    auto it = entries().find(className);
    if (it == entries().end()) return nullptr;
    QWidget* w = it->factory(parent, option);
    if (w) {
        if (w->objectName().isEmpty()) w->setObjectName(className.mid(1));  // "TfrmUser" -> "frmUser"
        setLatest(className, w);
    }
    return w;
}

QWidget* latest(const QString& className) { return latestOnes().value(className).data(); }
void setLatest(const QString& className, QWidget* w) { latestOnes().insert(className, w); }

void clear() {
    entries().clear();
    latestOnes().clear();
}

} // namespace WindowRegistry
