#include "platform/gui/MenuRunner.h"

#include <QActionGroup>
#include <QMenu>
#include <QPointer>

namespace {
MenuRunner::Script g_script;
MenuDesc g_lastMenu;
}

int MenuRunner::Run(const MenuDesc& items, const QPoint& globalPos, QWidget* parent)
{
    g_lastMenu = items;
    if (g_script)
        return g_script(items);

    QMenu menu(parent);
    menu.setObjectName(QStringLiteral("popupMenu"));
    auto* radios = new QActionGroup(&menu);
    for (const MenuItemDesc& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.label);
        action->setData(item.commandId);
        action->setEnabled(item.enabled);
        if (item.radioChecked) {
            action->setCheckable(true);
            action->setChecked(true);
            action->setActionGroup(radios);
        } else if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    QAction* chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}

void MenuRunner::SetScript(Script script)
{
    g_script = std::move(script);
}

void MenuRunner::ClearScript()
{
    g_script = nullptr;
}

bool MenuRunner::HasScript()
{
    return bool(g_script);
}

const MenuDesc& MenuRunner::LastMenu()
{
    return g_lastMenu;
}
