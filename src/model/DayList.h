#pragma once

#include "model/PackedDate.h"
#include "model/TaskRecord.h"

#include <QtGlobal>

#include <vector>

// The tasks of one day as store indexes, one list per priority, each in
// display order. Date 0 holds the tasks without a date.
struct DayList
{
    PackedDate Date = kNoDate;
    std::vector<qint32> High;
    std::vector<qint32> Normal;
    std::vector<qint32> Low;

    // The list a priority files into (by its sign).
    std::vector<qint32>& ListFor(qint32 priority);
    const std::vector<qint32>& ListFor(qint32 priority) const;
    std::vector<qint32>& ListOf(PriorityClass priorityClass);
    const std::vector<qint32>& ListOf(PriorityClass priorityClass) const;

    // Tasks in all three lists.
    int TaskCount() const { return int(High.size() + Normal.size() + Low.size()); }
    bool IsEmpty() const { return High.empty() && Normal.empty() && Low.empty(); }
};

// The three priority classes in display order.
inline constexpr PriorityClass kPriorityClasses[] = {PriorityClass::High, PriorityClass::Normal,
                                                     PriorityClass::Low};
