#pragma once

#include "model/CalendarStore.h"
#include "model/PackedDate.h"

#include <QString>

#include <atomic>
#include <functional>

// What the search looks for: a text in the title or the note, optionally
// within a category and a date range.
struct SearchCriteria
{
    // As typed; compared without regard to case. Empty matches every task.
    QString Text;
    // A category index, or all categories.
    qint32 Category = CalendarStore::kAllCategories;
    // Packed dates (flags ignored); 0 leaves that end open.
    PackedDate Start = kNoDate;
    PackedDate End = kNoDate;
    // Whether an open start takes in the undated tasks (the AgendaNoDate setting).
    bool IncludeNoDate = false;
};

// The search dialog's test and its worker's walk over the store. The walk
// only reads the store, so it may run on another thread as long as nothing
// changes the store meanwhile.
class TaskSearch
{
public:
    explicit TaskSearch(SearchCriteria criteria);

    const SearchCriteria& Criteria() const { return m_criteria; }

    // In the category (or all categories selected), and the text empty or
    // found in the title, else in the note, ignoring case (by Unicode case
    // folding, as the lower-case forms of both would compare for ordinary
    // text).
    bool Matches(const TaskRecord& task) const;

    // Walks the days of the range in date order, each day's High, Normal and
    // Low tasks in display order, and calls onMatch with the store index of
    // every match. stop (may be null) is tested before each task: once it is
    // set the walk ends. True when the walk reached the end, false when stopped.
    bool Scan(const CalendarStore& store, const std::atomic<bool>* stop,
              const std::function<void(int index)>& onMatch) const;

private:
    SearchCriteria m_criteria;
};
