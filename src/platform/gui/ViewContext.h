#pragma once

#include "storage/Planner.h"
#include "platform/gui/DisplayFonts.h"

// What every window of the main view works with: the planner's single
// objects and the display fonts built from the settings.
struct ViewContext
{
    Planner& planner;
    DisplayFonts& fonts;
};
