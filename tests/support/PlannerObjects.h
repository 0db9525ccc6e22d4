#pragma once

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "platform/gui/DisplayFonts.h"
#include "platform/gui/ViewContext.h"
#include "storage/PasswordKey.h"
#include "storage/Planner.h"
#include "storage/Settings.h"
#include "support/ScriptedPrompts.h"

// The planner's single objects for one test.
struct PlannerObjects
{
    explicit PlannerObjects(bool large) : settings(large) {}

    CalendarStore store;
    HolidayList holidays;
    ViewState view;
    Settings settings;
    PasswordKey password;
    ScriptedPrompts prompts;
    Planner planner{store, holidays, view, settings, password, prompts};
    DisplayFonts fonts{settings.Fonts()};
    ViewContext context{planner, fonts};
};
