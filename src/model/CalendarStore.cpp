#include "model/CalendarStore.h"

#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"

#include <algorithm>
#include <utility>

namespace {

bool DayBefore(const DayList& day, PackedDate date)
{
    return day.Date < date;
}

bool MarkBefore(const DayMark& mark, PackedDate date)
{
    return mark.Date < date;
}

// Removes the first occurrence of value; false when it is not there.
bool EraseValue(std::vector<qint32>& list, qint32 value)
{
    const auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

bool PassesSelection(qint32 selection, const TaskRecord& task)
{
    return selection == CalendarStore::kAllCategories || selection == task.Category;
}

MenuItemDesc MenuItem(const QString& label, int commandId, bool radioChecked)
{
    return MenuItemDesc{label, commandId, radioChecked, false};
}

MenuItemDesc MenuSeparator()
{
    return MenuItemDesc{QString(), 0, false, true};
}

} // namespace

CalendarStore::CalendarStore() = default;

CalendarStore::~CalendarStore() = default;

// ---- Document

void CalendarStore::Clear()
{
    DiscardLoadedTasks();
    std::vector<DayMark>().swap(m_marks);
    m_categories.Clear();
    m_categorySelection = kAllCategories;
    m_iconFilter = 0;
    m_modified = false;
    m_backupDone = false;
    m_currentTaskId = -1;
}

void CalendarStore::ResetToDefaults()
{
    Clear();
    m_categories.AddDefaults();
    m_untitled = true;
}

void CalendarStore::SetFilePath(const QString& path)
{
    m_filePath = path;
    if (!path.isEmpty())
        m_untitled = false;
}

// ---- Task access

bool CalendarStore::IsLive(int index) const
{
    return index >= 0 && index < TaskCount() && Slot(index).IsLive();
}

const TaskRecord* CalendarStore::GetTask(int index) const
{
    return IsLive(index) ? &Slot(index) : nullptr;
}

TaskRecord* CalendarStore::LiveTask(int index)
{
    return IsLive(index) ? &m_tasks[size_t(index)] : nullptr;
}

bool CalendarStore::CopyTask(int index, TaskRecord& out) const
{
    const TaskRecord* task = GetTask(index);
    if (!task)
        return false;
    out = *task;
    return true;
}

int CalendarStore::CountTasksInCategory(qint32 category) const
{
    return int(std::count_if(m_tasks.begin(), m_tasks.end(), [category](const TaskRecord& task) {
        return task.IsLive() && task.Category == category;
    }));
}

// ---- Day index helpers

int CalendarStore::LowerDay(PackedDate date) const
{
    return int(std::lower_bound(m_days.begin(), m_days.end(), date, DayBefore) - m_days.begin());
}

DayList* CalendarStore::FindDay(PackedDate date)
{
    const int position = LowerDay(date);
    if (position < DayListCount() && m_days[size_t(position)].Date == date)
        return &m_days[size_t(position)];
    return nullptr;
}

DayList& CalendarStore::DayFor(PackedDate date)
{
    // Loading and adding in date order append at the end or to the last
    // day; no search needed.
    if (m_days.empty() || m_days.back().Date < date) {
        m_days.push_back(DayList{date, {}, {}, {}});
        return m_days.back();
    }
    if (m_days.back().Date == date)
        return m_days.back();
    const int position = LowerDay(date);
    if (m_days[size_t(position)].Date != date)
        m_days.insert(m_days.begin() + position, DayList{date, {}, {}, {}});
    return m_days[size_t(position)];
}

int CalendarStore::AppendTask(TaskRecord&& record)
{
    const int index = TaskCount();
    record.Index = index;
    record.Date = StripFlags(record.Date);
    const qint32 priority = record.Priority;
    const PackedDate date = record.Date;
    m_tasks.push_back(std::move(record));
    DayFor(date).ListFor(priority).push_back(index);
    return index;
}

bool CalendarStore::RemoveFromDay(int index)
{
    const TaskRecord& task = Slot(index);
    const int position = LowerDay(task.Date);
    if (position >= DayListCount() || m_days[size_t(position)].Date != task.Date)
        return false;
    DayList& day = m_days[size_t(position)];
    std::vector<qint32>& list = day.ListFor(task.Priority);
    if (day.TaskCount() == 1 && list.size() == 1 && list.front() == index)
        m_days.erase(m_days.begin() + position);
    else
        EraseValue(list, index);
    return true;
}

void CalendarStore::RemoveFromDays(const std::vector<bool>& gone)
{
    const auto isGone = [&gone](qint32 index) { return gone[size_t(index)]; };
    for (DayList& day : m_days) {
        for (PriorityClass priorityClass : kPriorityClasses)
            std::erase_if(day.ListOf(priorityClass), isGone);
    }
    std::erase_if(m_days, [](const DayList& day) { return day.IsEmpty(); });
}

// ---- Task changes

int CalendarStore::AddTask(TaskRecord record, bool newId)
{
    if (record.Title.isEmpty())
        return -1;
    if (newId || record.Id == 0)
        record.Id = LastTaskId::Next();
    const int index = AppendTask(std::move(record));
    Touch();
    return index;
}

int CalendarStore::AddTaskWithCategoryName(TaskRecord record, const QString& name, bool newId)
{
    if (record.Title.isEmpty())
        return -1;
    int category = FindCategory(name);
    if (category < 0 && !name.isEmpty() && name != GetText(TextId::AllCategories))
        category = AddCategory(CategoryRecord(name, 0, 0, 0));
    record.Category = std::max(category, 0);
    return AddTask(std::move(record), newId);
}

bool CalendarStore::UpdateTask(const TaskRecord& record)
{
    const int index = record.Index;
    if (index < 0 || index >= TaskCount() || record.Title.isEmpty())
        return false;
    TaskRecord given = record;
    given.Date = StripFlags(given.Date);
    if (IsLive(index)) {
        if (!SetTaskDate(index, given.Date))
            return false;
        SetPriority(index, given.Priority);
        if (Slot(index).Equals(given))
            return true;
        m_tasks[size_t(index)] = std::move(given);
    } else {
        m_tasks[size_t(index)] = std::move(given);
        DayFor(Slot(index).Date).ListFor(Slot(index).Priority).push_back(index);
    }
    Touch();
    return true;
}

bool CalendarStore::DeleteTask(int index)
{
    TaskRecord* task = LiveTask(index);
    if (!task)
        return false;
    RemoveFromDay(index);
    task->Reset();
    Touch();
    return true;
}

int CalendarStore::DeleteCompletedTasks()
{
    std::vector<bool> gone(m_tasks.size(), false);
    int count = 0;
    for (size_t index = 0; index < m_tasks.size(); ++index) {
        if (m_tasks[index].IsLive() && m_tasks[index].Completed != 0) {
            gone[index] = true;
            ++count;
        }
    }
    // One pass over the day index instead of one search per task, so
    // clearing thousands of completed tasks stays quick.
    if (count > 0) {
        RemoveFromDays(gone);
        for (size_t index = 0; index < m_tasks.size(); ++index) {
            if (gone[index])
                m_tasks[index].Reset();
        }
    }
    Touch();
    return count;
}

bool CalendarStore::SetTaskDate(int index, PackedDate date)
{
    TaskRecord* task = LiveTask(index);
    if (!task)
        return false;
    date = StripFlags(date);
    if (task->Date == date)
        return true;
    if (!RemoveFromDay(index))
        return false;
    task->Date = date;
    Touch();
    DayFor(date).ListFor(task->Priority).push_back(index);
    return true;
}

bool CalendarStore::SetPriority(int index, qint32 priority)
{
    TaskRecord* task = LiveTask(index);
    if (!task)
        return false;
    if (task->Priority == priority)
        return true;
    const qint32 oldPriority = task->Priority;
    task->Priority = priority;
    Touch();
    // Any other value, even one of the same sign, goes to the end of its list.
    if (DayList* day = FindDay(task->Date)) {
        EraseValue(day->ListFor(oldPriority), index);
        day->ListFor(priority).push_back(index);
    } else {
        DayFor(task->Date).ListFor(priority).push_back(index);
    }
    return true;
}

bool CalendarStore::SetCompleted(int index, quint32 value, bool moveToEnd)
{
    TaskRecord* task = LiveTask(index);
    if (!task)
        return false;
    if (task->Completed == value)
        return true;
    task->Completed = value;
    Touch();
    if (moveToEnd && value != 0) {
        DayList* day = FindDay(task->Date);
        if (day && day->TaskCount() >= 2) {
            std::vector<qint32>& list = day->ListFor(task->Priority);
            if (EraseValue(list, index))
                list.push_back(index);
        }
    }
    return true;
}

template <typename T>
bool CalendarStore::SetTaskField(int index, T TaskRecord::*field, T value)
{
    TaskRecord* task = LiveTask(index);
    if (!task)
        return false;
    if (task->*field != value) {
        task->*field = value;
        Touch();
    }
    return true;
}

bool CalendarStore::SetIcon(int index, quint32 icon)
{
    return SetTaskField(index, &TaskRecord::Icon, icon);
}

bool CalendarStore::SetCategory(int index, qint32 category)
{
    return SetTaskField(index, &TaskRecord::Category, category);
}

bool CalendarStore::SwapInDay(int a, int b)
{
    const TaskRecord* first = GetTask(a);
    const TaskRecord* second = GetTask(b);
    if (!first || !second || a == b || first->Date != second->Date
        || first->Priority != second->Priority)
        return false;
    DayList* day = FindDay(first->Date);
    if (!day)
        return false;
    std::vector<qint32>& list = day->ListFor(first->Priority);
    const auto at = std::find(list.begin(), list.end(), a);
    const auto bt = std::find(list.begin(), list.end(), b);
    if (at == list.end() || bt == list.end())
        return false;
    std::iter_swap(at, bt);
    Touch();
    return true;
}

int CalendarStore::UpdateDueTasks(PackedDate today)
{
    today = StripFlags(today);
    // Collected by index first: moving one at a time would give the same
    // order, but would search and shrink the day index once per task.
    std::vector<bool> due(m_tasks.size(), false);
    std::vector<qint32> moved;
    for (size_t index = 0; index < m_tasks.size(); ++index) {
        const TaskRecord& task = m_tasks[index];
        if (task.IsLive() && task.Date != kNoDate && task.Date < today && task.Completed == 0) {
            due[index] = true;
            moved.push_back(qint32(index));
        }
    }
    if (moved.empty())
        return 0;
    RemoveFromDays(due);
    DayList& day = DayFor(today);
    for (qint32 index : moved) {
        TaskRecord& task = m_tasks[size_t(index)];
        task.Date = today;
        day.ListFor(task.Priority).push_back(index);
    }
    Touch();
    return int(moved.size());
}

bool CalendarStore::RescheduleDay(PackedDate from, PackedDate to, qint32 categorySelection)
{
    from = StripFlags(from);
    to = StripFlags(to);
    if (from == to)
        return false;
    DayList* source = FindDay(from);
    if (!source)
        return false;
    DayList arrived{to, {}, {}, {}};
    for (PriorityClass priorityClass : kPriorityClasses) {
        std::vector<qint32>& list = source->ListOf(priorityClass);
        for (int position = int(list.size()) - 1; position >= 0; --position) {
            const qint32 index = list[size_t(position)];
            TaskRecord* task = LiveTask(index);
            if (!task || !PassesSelection(categorySelection, *task) || task->Date != from
                || task->Completed != 0)
                continue;
            task->Date = to;
            list.erase(list.begin() + position);
            arrived.ListOf(priorityClass).push_back(index);
        }
    }
    if (arrived.IsEmpty())
        return false;
    if (source->IsEmpty())
        m_days.erase(m_days.begin() + LowerDay(from));
    DayList& destination = DayFor(to);
    for (PriorityClass priorityClass : kPriorityClasses) {
        const std::vector<qint32>& moved = arrived.ListOf(priorityClass);
        std::vector<qint32>& target = destination.ListOf(priorityClass);
        target.insert(target.end(), moved.begin(), moved.end());
    }
    Touch();
    return true;
}

// ---- Current task

bool CalendarStore::SetCurrent(int index)
{
    const TaskRecord* task = GetTask(index);
    if (!task)
        return false;
    if (qint32(task->Id) != m_currentTaskId) {
        m_currentTaskId = qint32(task->Id);
        Touch();
    }
    return true;
}

bool CalendarStore::ClearCurrent()
{
    if (m_currentTaskId == -1)
        return false;
    m_currentTaskId = -1;
    Touch();
    return true;
}

// ---- Categories

int CalendarStore::AddCategory(const CategoryRecord& record)
{
    const int index = m_categories.Add(record);
    if (index >= 0)
        Touch();
    return index;
}

int CalendarStore::FindCategory(const QString& name) const
{
    return m_categories.FindByName(name);
}

void CalendarStore::ReplaceCategories(const CategoryList& list)
{
    m_categories = list;
    for (TaskRecord& task : m_tasks) {
        if (task.IsLive() && !m_categories.IsLive(task.Category))
            task.Category = 0;
    }
    Touch();
}

QList<MenuItemDesc> CalendarStore::CategoryMenu(qint32 selected, bool withAll) const
{
    QList<MenuItemDesc> items;
    if (withAll) {
        items.append(MenuItem(GetText(TextId::AllCategories), kAllCategories, selected == kAllCategories));
        items.append(MenuSeparator());
    }
    // The default category at position 0 comes last.
    const int count = m_categories.Count();
    for (int step = 1; step <= count; ++step) {
        const int index = m_categories.IndexAt(step % count);
        const CategoryRecord* category = m_categories.Get(index);
        if (!category)
            continue;
        items.append(MenuItem(category->Name, index + kCategoryCommandBase, selected == index));
    }
    items.append(MenuSeparator());
    items.append(MenuItem(GetText(TextId::EditCategoriesMenu), kEditCategoriesCommand, false));
    return items;
}

void CalendarStore::SetCategorySelection(qint32 selection)
{
    if (m_categorySelection == selection)
        return;
    m_categorySelection = selection;
    Touch();
}

// ---- Filters

void CalendarStore::SetIconFilter(quint32 filter)
{
    if (m_iconFilter == filter)
        return;
    m_iconFilter = filter;
    Touch();
}

void CalendarStore::SetIconFilterOn(bool on)
{
    SetIconFilter(on ? (m_iconFilter | kIconFilterOnBit) : (m_iconFilter & ~kIconFilterOnBit));
}

void CalendarStore::SetIconFilterIcon(quint32 icon)
{
    SetIconFilter((m_iconFilter & kIconFilterOnBit) | (icon & kIconFilterIconBits));
}

bool CalendarStore::PassesCategory(const TaskRecord& task) const
{
    return PassesSelection(m_categorySelection, task);
}

bool CalendarStore::PassesIconFilter(const TaskRecord& task) const
{
    if (!IconFilterOn())
        return true;
    if (task.Icon != 0)
        return task.Icon == IconFilterIcon();
    const CategoryRecord* category = m_categories.Get(task.Category);
    return category && category->Icon == IconFilterIcon();
}

// ---- Day index

const DayList* CalendarStore::GetDayList(PackedDate date) const
{
    return const_cast<CalendarStore*>(this)->FindDay(StripFlags(date));
}

int CalendarStore::FirstDayFrom(PackedDate date, bool includeNoDate) const
{
    date = StripFlags(date);
    if (date != kNoDate)
        return LowerDay(date);
    if (!includeNoDate && !m_days.empty() && m_days.front().Date == kNoDate)
        return 1;
    return 0;
}

int CalendarStore::EndDayAfter(PackedDate date) const
{
    date = StripFlags(date);
    if (date == kNoDate)
        return DayListCount();
    const auto after = [](PackedDate value, const DayList& day) { return value < day.Date; };
    return int(std::upper_bound(m_days.begin(), m_days.end(), date, after) - m_days.begin());
}

void CalendarStore::CountDay(const DayList& day, const ViewState& view, int& shown, int& completed) const
{
    shown = 0;
    completed = 0;
    const qint32 priorities[] = {kPriorityHigh, kPriorityNormal, kPriorityLow};
    for (qint32 priority : priorities) {
        if (!view.ShowsPriority(priority))
            continue;
        for (qint32 index : day.ListFor(priority)) {
            const TaskRecord* task = GetTask(index);
            if (!task || !PassesIconFilter(*task) || !PassesCategory(*task))
                continue;
            ++shown;
            if (task->Completed != 0)
                ++completed;
        }
    }
}

// ---- Day marks

bool CalendarStore::GetDayMark(PackedDate date, DayMark& out) const
{
    date = StripFlags(date);
    const auto at = std::lower_bound(m_marks.begin(), m_marks.end(), date, MarkBefore);
    if (at == m_marks.end() || at->Date != date) {
        out.Date = date;
        return false;
    }
    out = *at;
    return true;
}

bool CalendarStore::SetDayMark(const DayMark& mark)
{
    DayMark stored = mark;
    stored.Date = StripFlags(mark.Date);
    const auto at = std::lower_bound(m_marks.begin(), m_marks.end(), stored.Date, MarkBefore);
    if (at != m_marks.end() && at->Date == stored.Date) {
        if (at->SameContent(stored))
            return false;
        if (stored.IsEmpty())
            m_marks.erase(at);
        else
            *at = std::move(stored);
    } else {
        if (stored.IsEmpty())
            return false;
        m_marks.insert(at, std::move(stored));
    }
    Touch();
    return true;
}

// ---- Loading

int CalendarStore::AppendLoadedTask(TaskRecord record)
{
    if (record.Title.isEmpty())
        return -1;
    if (record.Id == 0)
        record.Id = LastTaskId::Next();
    else
        LastTaskId::RaiseTo(record.Id);
    return AppendTask(std::move(record));
}

void CalendarStore::DiscardLoadedTasks()
{
    // Swapped out rather than cleared, so a big file's memory goes back.
    std::deque<TaskRecord>().swap(m_tasks);
    std::vector<DayList>().swap(m_days);
}

bool CalendarStore::AppendLoadedMark(const DayMark& mark)
{
    if (mark.IsEmpty())
        return false;
    const bool wasModified = m_modified;
    const bool stored = SetDayMark(mark);
    m_modified = wasModified;
    return stored;
}
