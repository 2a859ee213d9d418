// Builds PopupMenu1 from the row table. The Japanese captions live in
// menu_texts.inc; this file only walks the rows.
#include "app/menu_table.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <vector>

namespace {

constexpr MenuRow kPopupRows[] = {
#include "app/menu_texts.inc"
};

QAction* addEntry(QMenu& menu, const MenuRow& row, const MenuHandlerLookup& handlerFor)
{
    QAction* action = menu.addAction(QString::fromUtf8(row.caption));
    action->setObjectName(QString::fromUtf8(row.name));
    if (row.shortcut[0] != '\0')
        action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut), QKeySequence::PortableText));
    const std::function<void()> handler = handlerFor(row.name);
    action->setEnabled(static_cast<bool>(handler));
    if (handler)
        QObject::connect(action, &QAction::triggered, action, [handler] { handler(); });
    return action;
}

}  // namespace

std::span<const MenuRow> PopupMenuRows()
{
    return kPopupRows;
}

bool OpensSubmenu(std::span<const MenuRow> rows, size_t i)
{
    return i + 1 < rows.size() && rows[i + 1].depth > rows[i].depth;
}

QHash<QString, QAction*> BuildPopupMenu(QMenu& root, std::span<const MenuRow> rows,
                                        const MenuHandlerLookup& handlerFor)
{
    QHash<QString, QAction*> actions;
    // menus[d] is the menu that rows of depth d go into.
    std::vector<QMenu*> menus{&root};
    for (size_t i = 0; i < rows.size(); ++i) {
        const MenuRow& row = rows[i];
        if (row.depth < 0 || static_cast<size_t>(row.depth) >= menus.size())
            continue;  // a malformed row has no parent menu; skip it
        menus.resize(row.depth + 1);
        QMenu& parent = *menus[row.depth];
        if (row.isSeparator()) {
            parent.addSeparator();
        } else if (OpensSubmenu(rows, i)) {
            QMenu* sub = parent.addMenu(QString::fromUtf8(row.caption));
            sub->setObjectName(QString::fromUtf8(row.name));
            menus.push_back(sub);
        } else {
            actions.insert(QString::fromUtf8(row.name), addEntry(parent, row, handlerFor));
        }
    }
    return actions;
}
