#pragma once
// The main menu as data: every entry with its code, caption, handler name and
// the window it opens. The main window is built from it, SMenu is filled from
// it, and the grants name its codes.

#include <QString>
#include <QStringList>
#include <vector>

enum class EntryKind { Separator, Child, Modal, Exit, Help, WebSite };

struct MenuEntry {
    QString code;        // "102"; empty for the help menu's entries
    QString caption;     // "采购入库单 &2"
    QString handler;     // "N11Click": the entry's objectName is the handler without "Click"
    QString target;      // window class it opens ("TfrmIN_CG"), empty otherwise
    EntryKind kind;
    bool shownWithoutGrant = false;
};

struct TopMenu {
    int position;        // 0..5
    QString caption;     // "文件【&F】"
    bool shownWithoutGrant;
    std::vector<MenuEntry> entries;
};

const std::vector<TopMenu>& menuCatalogue();

// The caption up to its first blank ("采购入库单 &2" -> "采购入库单"); "-" for a separator.
QString menuName(const MenuEntry& e);

// Every coded entry in code order, separators included.
std::vector<const MenuEntry*> codedEntries();
const MenuEntry* entryByCode(const QString& code);

// Toolbar buttons, left to right: objectName, caption, the code (or "help").
struct ToolbarButton {
    QString name;
    QString caption;
    QString code;
};
const std::vector<ToolbarButton>& toolbarButtons();
