#pragma once

#include "model/PackedDate.h"

// How a navigation moves the selected date (UM_NAVIGATE's lParam): to a date
// (or, with no date, to the undated tasks), to today, a month, a week or a
// day on or back, or to the undated tasks.
enum class NavigateCode : int {
    ToDate = 0,
    Today = 1,
    NextMonth = 2,
    PrevMonth = 3,
    NextWeek = 4,
    PrevWeek = 5,
    NextDay = 6,
    PrevDay = 7,
    NoDate = 8,
};

// What the views show: the selected day (bit 28 = the whole week of that
// day), the selected task, the view mode, the priority switches and the
// Hide Complete flags, kept apart per situation. One instance per process.
class ViewState
{
public:
    enum Mode : int { Month = 0, Week = 1, List = 2, NoDate = 3 };
    static constexpr int kModeCount = 4;

    PackedDate SelectedDate = 0;
    int SelectedTask = -1;
    int ViewMode = Month;

    bool ShowPrioHigh = true;
    bool ShowPrioNormal = true;
    bool ShowPrioLow = true;

    bool HideCompMonth = false;
    bool HideCompWeek = false;
    bool HideCompNodate = false;
    bool HideCompPlan = false;
    bool HideCompAgenda = true;

    // The Hide Complete flag that applies to the current mode and selection.
    bool& HideCompleteFlag();
    bool HideComplete() const;

    // Whether tasks of this priority (its sign) are counted and listed.
    bool ShowsPriority(int priority) const;

    // Modes 2 and 3 drop the week-selection flag; 0 and 1 keep it.
    void SetViewMode(int mode);

    // The date the title bar and the surface show: the selected day without
    // its flags, or 0 in the No Date view.
    PackedDate DisplayDate() const;

    // Selected date today, no selected task.
    void ResetSelection();
};
