#pragma once

#include <QList>
#include <QString>

// One entry of a pop-up menu described by the model; the desktop turns a
// list of them into a real menu. A separator has no label and no command.
struct MenuItemDesc
{
    QString label;
    int commandId = 0;
    bool radioChecked = false; // a radio mark (one choice of several)
    bool separator = false;
    bool checked = false;      // a check mark
    bool enabled = true;

    static MenuItemDesc Item(const QString& label, int commandId, bool radioChecked = false)
    {
        return MenuItemDesc{label, commandId, radioChecked, false, false, true};
    }
    static MenuItemDesc CheckItem(const QString& label, int commandId, bool checked)
    {
        return MenuItemDesc{label, commandId, false, false, checked, true};
    }
    static MenuItemDesc Separator() { return MenuItemDesc{QString(), 0, false, true, false, true}; }
};

using MenuDesc = QList<MenuItemDesc>;
