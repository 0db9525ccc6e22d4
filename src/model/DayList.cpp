#include "model/DayList.h"

std::vector<qint32>& DayList::ListOf(PriorityClass priorityClass)
{
    switch (priorityClass) {
    case PriorityClass::High:
        return High;
    case PriorityClass::Low:
        return Low;
    case PriorityClass::Normal:
        break;
    }
    return Normal;
}

const std::vector<qint32>& DayList::ListOf(PriorityClass priorityClass) const
{
    return const_cast<DayList*>(this)->ListOf(priorityClass);
}

std::vector<qint32>& DayList::ListFor(qint32 priority)
{
    return ListOf(ClassOfPriority(priority));
}

const std::vector<qint32>& DayList::ListFor(qint32 priority) const
{
    return ListOf(ClassOfPriority(priority));
}
