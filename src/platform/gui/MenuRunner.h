#pragma once

#include "model/MenuItemDesc.h"

#include <QPoint>
#include <functional>

class QWidget;

// Shows a pop-up menu described by the model and returns the chosen command
// id, or 0 when the menu is dismissed. Everything that pops up a menu goes
// through here, so tests choose an item without a modal loop.
class MenuRunner
{
public:
    // Answers a menu in tests: gets the items shown, returns the id to choose (0 = dismiss).
    using Script = std::function<int(const MenuDesc& items)>;

    static int Run(const MenuDesc& items, const QPoint& globalPos, QWidget* parent);

    // While a script is set, Run calls it instead of showing a menu.
    static void SetScript(Script script);
    static void ClearScript();
    static bool HasScript();
    // The items of the last menu run (shown or scripted).
    static const MenuDesc& LastMenu();
};
