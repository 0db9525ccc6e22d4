#pragma once

#include <QString>

// One entry of a pop-up menu described by the model; the desktop turns a
// list of them into a real menu. A separator has no label and no command.
struct MenuItemDesc
{
    QString label;
    int commandId = 0;
    bool radioChecked = false;
    bool separator = false;
};
