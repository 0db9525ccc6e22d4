#include "model/TaskSearch.h"

#include <utility>

TaskSearch::TaskSearch(SearchCriteria criteria)
    : m_criteria(std::move(criteria))
{
    m_criteria.Start = StripFlags(m_criteria.Start);
    m_criteria.End = StripFlags(m_criteria.End);
}

bool TaskSearch::Matches(const TaskRecord& task) const
{
    if (m_criteria.Category != CalendarStore::kAllCategories && m_criteria.Category != task.Category)
        return false;
    const QString& text = m_criteria.Text;
    if (text.isEmpty())
        return true;
    return task.Title.contains(text, Qt::CaseInsensitive) || task.Note.contains(text, Qt::CaseInsensitive);
}

bool TaskSearch::Scan(const CalendarStore& store, const std::atomic<bool>* stop,
                      const std::function<void(int index)>& onMatch) const
{
    const int first = store.FirstDayFrom(m_criteria.Start, m_criteria.IncludeNoDate);
    const int end = store.EndDayAfter(m_criteria.End);
    for (int position = first; position < end; ++position) {
        const DayList& day = store.DayListAt(position);
        for (const PriorityClass priorityClass : kPriorityClasses) {
            for (const qint32 index : day.ListOf(priorityClass)) {
                if (stop && stop->load(std::memory_order_relaxed))
                    return false;
                const TaskRecord* task = store.GetTask(index);
                if (task && Matches(*task) && onMatch)
                    onMatch(index);
            }
        }
    }
    return true;
}
