#pragma once
// Program-wide start-up settings shared by the program and the tools.

class QApplication;

namespace Startup {

// Chinese for Qt's own buttons and dialogs (是/否/确定/取消), a CJK font, and
// the application's name.
void configureApplication(QApplication& app);

} // namespace Startup
