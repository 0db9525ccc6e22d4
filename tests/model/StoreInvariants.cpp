#include "StoreInvariants.h"

#include "model/CalendarStore.h"

#include <sstream>
#include <vector>

namespace {

const char* ClassName(PriorityClass priorityClass)
{
    switch (priorityClass) {
    case PriorityClass::High:
        return "High";
    case PriorityClass::Low:
        return "Low";
    case PriorityClass::Normal:
        break;
    }
    return "Normal";
}

std::string ListsText(const DayList& day)
{
    std::ostringstream text;
    const char* names[] = {"H:", " N:", " L:"};
    int n = 0;
    for (PriorityClass priorityClass : kPriorityClasses) {
        text << names[n++];
        const char* comma = "";
        for (qint32 index : day.ListOf(priorityClass)) {
            text << comma << index;
            comma = ",";
        }
    }
    return text.str();
}

} // namespace

std::string CheckStoreInvariants(const CalendarStore& store)
{
    std::ostringstream problems;
    std::vector<int> seen(size_t(store.TaskCount()), 0);
    for (int position = 0; position < store.DayListCount(); ++position) {
        const DayList& day = store.DayListAt(position);
        if (day.IsEmpty())
            problems << "DayList " << position << " (date " << day.Date << ") is empty\n";
        if (position > 0 && !(store.DayListAt(position - 1).Date < day.Date))
            problems << "DayList " << position << " (date " << day.Date
                     << ") does not come after date " << store.DayListAt(position - 1).Date << "\n";
        for (PriorityClass priorityClass : kPriorityClasses) {
            for (qint32 index : day.ListOf(priorityClass)) {
                if (index < 0 || index >= store.TaskCount()) {
                    problems << "index " << index << " on date " << day.Date << " is outside the table\n";
                    continue;
                }
                ++seen[size_t(index)];
                const TaskRecord* task = store.GetTask(index);
                if (!task) {
                    problems << "deleted slot " << index << " stands in date " << day.Date << "\n";
                    continue;
                }
                if (task->Date != day.Date)
                    problems << "task " << index << " dated " << task->Date << " stands in date " << day.Date << "\n";
                if (ClassOfPriority(task->Priority) != priorityClass)
                    problems << "task " << index << " of priority " << task->Priority << " stands in the "
                             << ClassName(priorityClass) << " list\n";
            }
        }
    }
    for (int index = 0; index < store.TaskCount(); ++index) {
        const TaskRecord* task = store.GetTask(index);
        if (task && seen[size_t(index)] != 1)
            problems << "live task " << index << " stands in " << seen[size_t(index)] << " lists\n";
        if (task && task->Index != index)
            problems << "live task in slot " << index << " has Index " << task->Index << "\n";
        if (!task && (store.GetDate(index) != kNoDate || store.GetPriority(index) != 0
                      || store.GetCompleted(index) != 0 || store.GetCategory(index) != 0
                      || store.GetIcon(index) != 0))
            problems << "deleted slot " << index << " is not blank\n";
    }
    for (int position = 0; position < store.DayMarkCount(); ++position) {
        const DayMark& mark = store.DayMarkAt(position);
        if (mark.IsEmpty())
            problems << "day mark " << position << " (date " << mark.Date << ") is empty\n";
        if (position > 0 && !(store.DayMarkAt(position - 1).Date < mark.Date))
            problems << "day mark " << position << " (date " << mark.Date << ") is out of order\n";
    }
    return problems.str();
}

std::string DayText(const CalendarStore& store, PackedDate date)
{
    const DayList* day = store.GetDayList(date);
    return day ? ListsText(*day) : std::string("none");
}

std::string DayIndexText(const CalendarStore& store)
{
    std::ostringstream text;
    for (int position = 0; position < store.DayListCount(); ++position) {
        const DayList& day = store.DayListAt(position);
        text << day.Date << "[" << ListsText(day) << "] ";
    }
    return text.str();
}
