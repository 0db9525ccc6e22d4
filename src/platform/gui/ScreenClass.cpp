#include "platform/gui/ScreenClass.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
int g_forced = -1;
}

bool ScreenClass::IsLarge()
{
    if (g_forced >= 0)
        return g_forced == 1;
    if (qEnvironmentVariableIntValue("ORBELIN_SMALL_SCREEN") == 1)
        return false;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return true;
    const QSize size = screen->size();
    return size.width() >= 320 && size.height() >= 320;
}

void ScreenClass::Force(bool large)
{
    g_forced = large ? 1 : 0;
}

void ScreenClass::Reset()
{
    g_forced = -1;
}
