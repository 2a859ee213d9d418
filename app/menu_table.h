// The popup menu PopupMenu1 as data: one row per group, submenu, entry or
// separator, in menu order (the rows themselves are in app/menu_texts.inc).
// BuildPopupMenu turns the rows into QMenus and QActions and binds each entry
// to the handler its name resolves to; an entry without a handler is shown
// disabled.
#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <span>
#include <string_view>

class QAction;
class QMenu;

struct MenuRow {
    int depth;             // 0 group, 1 entry of a group, 2 entry of a submenu
    const char* name;      // handler for entries, menu object name otherwise
    const char* caption;   // UTF-8 with & accelerator; "-" is a separator
    const char* shortcut;  // portable QKeySequence text, "" for none

    bool isSeparator() const { return caption[0] == '-' && caption[1] == '\0'; }
};

std::span<const MenuRow> PopupMenuRows();

// True when row i opens a submenu (the next row is deeper).
bool OpensSubmenu(std::span<const MenuRow> rows, size_t i);

using MenuHandlerLookup = std::function<std::function<void()>(std::string_view name)>;

// Fills root from the rows. Returns the entries' actions by handler name so
// that commands can enable and disable them (Undo, Redo) and so that the
// owning window can add them for their shortcuts.
QHash<QString, QAction*> BuildPopupMenu(QMenu& root, std::span<const MenuRow> rows,
                                        const MenuHandlerLookup& handlerFor);
