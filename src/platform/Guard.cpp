#include "platform/Guard.h"

#include "platform/Db.h"
#include "platform/Ui.h"

#include <exception>

bool guarded(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (const DbError& e) {
        Db::rollbackEverything();
        showError(e.text());
    } catch (const std::exception& e) {
        Db::rollbackEverything();
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        Db::rollbackEverything();
        showError(QStringLiteral("未知错误"));
    }
    return false;
}
