#include "dialogs/DialogRunner.h"

#include <QDialog>

namespace {
DialogRunner::Script g_script;
}

int DialogRunner::Run(QDialog& dialog)
{
    if (!g_script)
        return dialog.exec();
    dialog.show();
    const int result = g_script(dialog);
    dialog.hide();
    return result;
}

void DialogRunner::SetScript(Script script)
{
    g_script = std::move(script);
}

void DialogRunner::ClearScript()
{
    g_script = nullptr;
}

bool DialogRunner::HasScript()
{
    return bool(g_script);
}
