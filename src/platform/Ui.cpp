#include "platform/Ui.h"

#include "platform/QtUi.h"

namespace {
Ui* installed = nullptr;
} // namespace

Ui& Ui::get() {
    if (installed) return *installed;
    static QtUi defaultUi;
    return defaultUi;
}

void Ui::install(Ui* ui) { installed = ui; }

QString appTitle() { return QStringLiteral("Kelvora物品管理软件"); }

void showMessage(const QString& text) { Ui::get().message(text, appTitle(), MsgIcon::None); }
void showInfo(const QString& text, const QString& caption) { Ui::get().message(text, caption, MsgIcon::Information); }
void showWarning(const QString& text, const QString& caption) { Ui::get().message(text, caption, MsgIcon::Warning); }
void showError(const QString& text, const QString& caption) {
    Ui::get().message(text, caption.isEmpty() ? appTitle() : caption, MsgIcon::Error);
}
bool confirmDelete() {
    return Ui::get().question(QStringLiteral("确认要删除吗？该删除将不可恢复！"), QStringLiteral("删除"));
}
