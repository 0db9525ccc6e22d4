#include "model/ViewState.h"

bool& ViewState::HideCompleteFlag()
{
    switch (ViewMode) {
    case List:
        return HideCompAgenda;
    case NoDate:
        return HideCompNodate;
    case Week:
        return HasWeekFlag(SelectedDate) ? HideCompPlan : HideCompWeek;
    case Month:
    default:
        return HasWeekFlag(SelectedDate) ? HideCompPlan : HideCompMonth;
    }
}

bool ViewState::HideComplete() const
{
    return const_cast<ViewState*>(this)->HideCompleteFlag();
}

bool ViewState::ShowsPriority(int priority) const
{
    if (priority > 0)
        return ShowPrioHigh;
    if (priority < 0)
        return ShowPrioLow;
    return ShowPrioNormal;
}

void ViewState::SetViewMode(int mode)
{
    ViewMode = mode;
    if (mode == List || mode == NoDate)
        SetWeekFlag(SelectedDate, false);
}

PackedDate ViewState::DisplayDate() const
{
    if (ViewMode == NoDate)
        return kNoDate;
    return StripFlags(SelectedDate);
}

void ViewState::ResetSelection()
{
    SelectedDate = Today();
    SelectedTask = -1;
}
