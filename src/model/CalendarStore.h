#pragma once

#include "model/CategoryList.h"
#include "model/DayList.h"
#include "model/DayMark.h"
#include "model/MenuItemDesc.h"
#include "model/PackedDate.h"
#include "model/TaskRecord.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <deque>
#include <vector>

class ViewState;

// The in-memory calendar of one data file: the task table, the index of
// tasks by day, the categories, the day marks, the current task, the two
// filters saved with the file and the document flags.
//
// Tasks are addressed by their store index, which stays valid for the life
// of the store: deleting a task blanks its slot. The day index keeps these
// rules after every operation:
//  1. every live task's index stands in exactly one list of exactly one
//     DayList, the one of the task's Date, in the list its priority's sign
//     selects; deleted slots stand in none;
//  2. no DayList is empty;
//  3. DayLists are sorted by the whole Date value, so the no-date list, when
//     there is one, comes first;
//  4. each list is in display order; a task joins at the end of its list.
//
// Changes mark the store modified only when they change something, unless a
// comment says otherwise. No operation reads the wall clock.
class CalendarStore
{
public:
    // The category selection that shows every category.
    static constexpr qint32 kAllCategories = 0x7FFFFFFF;
    // Bit 31 of the icon filter switches it on; bits 0-30 hold the icon.
    static constexpr quint32 kIconFilterOnBit = 0x80000000u;
    static constexpr quint32 kIconFilterIconBits = 0x7FFFFFFFu;
    // Category menu commands: the category editor, and a category's index + 2.
    static constexpr int kEditCategoriesCommand = 1;
    static constexpr int kCategoryCommandBase = 2;

    CalendarStore();
    virtual ~CalendarStore();
    CalendarStore(const CalendarStore&) = delete;
    CalendarStore& operator=(const CalendarStore&) = delete;

    // ---- Document
    // Empties tasks, day lists, marks and categories; all categories, icon
    // filter off, no current task, not modified, no backup taken. Keeps the
    // path, the untitled flag and the last task id. Used before a load.
    void Clear();
    // Clear, then the three default categories (not marking modified), untitled.
    void ResetToDefaults();

    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    bool Untitled() const { return m_untitled; }
    void SetUntitled(bool untitled) { m_untitled = untitled; }
    bool BackupDone() const { return m_backupDone; }
    void SetBackupDone(bool done) { m_backupDone = done; }
    const QString& FilePath() const { return m_filePath; }
    // A document with a path is no longer untitled.
    void SetFilePath(const QString& path);

    // ---- Task access
    // Slots in the table, deleted ones included.
    int TaskCount() const { return int(m_tasks.size()); }
    bool IsLive(int index) const;
    // The live task at index or nullptr. Stays valid while tasks are added;
    // a change to the task changes what it shows.
    const TaskRecord* GetTask(int index) const;
    bool CopyTask(int index, TaskRecord& out) const;
    // Plain field getters; index must be inside the table.
    quint32 GetCompleted(int index) const { return Slot(index).Completed; }
    qint32 GetPriority(int index) const { return Slot(index).Priority; }
    PackedDate GetDate(int index) const { return Slot(index).Date; }
    quint32 GetIcon(int index) const { return Slot(index).Icon; }
    qint32 GetCategory(int index) const { return Slot(index).Category; }
    // Live tasks filed under a category.
    int CountTasksInCategory(qint32 category) const;

    // ---- Task changes
    // Appends a task (a fresh Id when newId is set or its Id is 0) and files
    // it at the end of its day's list; returns the new index. A record
    // without a title cannot be a live task and is refused with -1.
    int AddTask(TaskRecord record, bool newId);
    // AddTask in the category of that name, made (icon 0, colour 0) when
    // there is none; category 0 for an empty name or the all-categories caption.
    int AddTaskWithCategoryName(TaskRecord record, const QString& name, bool newId);
    // Replaces the task at the record's Index, moving it in the day index as
    // its date and priority require; brings a deleted slot back to life. An
    // index outside the table or a record without a title: false.
    bool UpdateTask(const TaskRecord& record);
    bool DeleteTask(int index);
    // Deletes every completed task; marks modified in every case. Returns
    // how many went.
    int DeleteCompletedTasks();
    // Moves the task to the end of its list on the new day. False for a slot
    // that is not live, or when the old day has no DayList (nothing changes).
    bool SetTaskDate(int index, PackedDate date);
    // A new sign moves the task to the end of the new list of the same day;
    // a new value of the same sign keeps its place.
    bool SetPriority(int index, qint32 priority);
    // With moveToEnd (the Sort Complete to End setting), completing a task on
    // a day with at least two tasks moves it to the end of its list.
    // Re-opening never moves.
    bool SetCompleted(int index, quint32 value, bool moveToEnd);
    bool SetIcon(int index, quint32 icon);
    bool SetCategory(int index, qint32 category);
    // Exchanges two tasks of the same Date and Priority in their list.
    bool SwapInDay(int a, int b);
    // Moves every open task dated before today (not undated ones) to the end
    // of its list on today, in index order; returns how many moved.
    int UpdateDueTasks(PackedDate today);
    // Moves the open tasks of a day that pass the category selection to
    // another day. Each list is visited from its end, so tasks arrive in the
    // reverse of their order. True when any moved.
    bool RescheduleDay(PackedDate from, PackedDate to, qint32 categorySelection);

    // ---- Current task (kept by Id, so it survives saving and loading)
    qint32 CurrentTaskId() const { return m_currentTaskId; }
    bool SetCurrent(int index);
    bool ClearCurrent();

    // ---- Categories
    const CategoryList& Categories() const { return m_categories; }
    int AddCategory(const CategoryRecord& record);
    int FindCategory(const QString& name) const;
    // Takes the category editor's list; tasks whose category is gone go to
    // category 0. Marks modified.
    void ReplaceCategories(const CategoryList& list);
    // The category pop-up: optionally "all categories" and a separator, the
    // categories at positions 1, 2, ... then position 0 (command index + 2),
    // a separator and the category editor (command 1). The item of selected
    // carries the radio mark.
    QList<MenuItemDesc> CategoryMenu(qint32 selected, bool withAll) const;
    qint32 CategorySelection() const { return m_categorySelection; }
    void SetCategorySelection(qint32 selection);

    // ---- Filters saved with the file
    quint32 IconFilter() const { return m_iconFilter; }
    void SetIconFilter(quint32 filter);
    bool IconFilterOn() const { return (m_iconFilter & kIconFilterOnBit) != 0; }
    quint32 IconFilterIcon() const { return m_iconFilter & kIconFilterIconBits; }
    void SetIconFilterOn(bool on);
    void SetIconFilterIcon(quint32 icon);
    bool PassesCategory(const TaskRecord& task) const;
    // A task without an icon of its own filters by its category's icon; a
    // category that is missing or deleted has none.
    bool PassesIconFilter(const TaskRecord& task) const;

    // ---- Day index. Date arguments are taken without their flag bits.
    // The DayList of exactly that date, or nullptr. Valid until the next change.
    const DayList* GetDayList(PackedDate date) const;
    // Position of the first DayList on or after date; for date 0 the first
    // one, past the no-date list unless includeNoDate.
    int FirstDayFrom(PackedDate date, bool includeNoDate) const;
    // Position just past the last DayList on or before date; for 0 the end.
    int EndDayAfter(PackedDate date) const;
    int DayListCount() const { return int(m_days.size()); }
    const DayList& DayListAt(int position) const { return m_days[size_t(position)]; }
    // The tasks of a day the views show and how many of them are completed:
    // only the priorities the view shows, only tasks passing both filters.
    void CountDay(const DayList& day, const ViewState& view, int& shown, int& completed) const;

    // ---- Day marks, sorted by date, at most one per date
    // The stored mark; otherwise false and out gets only the date.
    bool GetDayMark(PackedDate date, DayMark& out) const;
    // Stores, replaces or (for an empty mark) removes the date's mark; true
    // and modified when the table changed.
    bool SetDayMark(const DayMark& mark);
    int DayMarkCount() const { return int(m_marks.size()); }
    const DayMark& DayMarkAt(int position) const { return m_marks[size_t(position)]; }

    // ---- Filling the tables from the data file. None of these marks the
    // store modified; the loader calls Clear first and SetModified(false),
    // SetUntitled(false) when done, and sets LastTaskId itself.
    //
    // Appends a task as read: its Index becomes the next slot and it joins
    // the end of its priority's list on its own Date (flag bits dropped), so
    // groups read in file order come out exactly as written; a group out of
    // order or repeated still lands at its sorted place. The stored Id is
    // kept and LastTaskId raised to it when lower, so new tasks never repeat
    // it; a stored Id 0 gets a fresh one. A record without a title is
    // refused with -1 (it would be a deleted slot inside a day list).
    int AppendLoadedTask(TaskRecord record);
    // Adds a mark as read, at its sorted place; a later mark of the same date
    // replaces the earlier one; an empty mark is dropped. True when stored.
    bool AppendLoadedMark(const DayMark& mark);
    void SetLoadedCurrentTaskId(qint32 id) { m_currentTaskId = id; }
    // Drops the tasks and day lists read so far (a task section that broke
    // off); categories, marks and flags stay.
    void DiscardLoadedTasks();

private:
    const TaskRecord& Slot(int index) const { return m_tasks[size_t(index)]; }
    TaskRecord* LiveTask(int index);
    // Position of the first DayList whose date is not before date.
    int LowerDay(PackedDate date) const;
    DayList* FindDay(PackedDate date);
    // The DayList of date, created at its sorted place when missing.
    DayList& DayFor(PackedDate date);
    // Appends a task to the table and to the end of its day list.
    int AppendTask(TaskRecord&& record);
    // Takes the task's index out of the list of its date and priority,
    // dropping the DayList when it held only this task. False when the date
    // has no DayList.
    bool RemoveFromDay(int index);
    // Removes every marked index from the day lists and drops emptied days.
    void RemoveFromDays(const std::vector<bool>& gone);
    // Stores one plain field of a live task; modified when it changes.
    template <typename T>
    bool SetTaskField(int index, T TaskRecord::*field, T value);
    void Touch() { m_modified = true; }

    CategoryList m_categories;
    // A deque grows without copying the table or leaving half of it unused,
    // and keeps GetTask() pointers valid while tasks are appended.
    std::deque<TaskRecord> m_tasks;
    std::vector<DayList> m_days;
    std::vector<DayMark> m_marks;
    qint32 m_currentTaskId = -1;
    bool m_modified = false;
    bool m_untitled = true;
    bool m_backupDone = false;
    QString m_filePath;
    qint32 m_categorySelection = kAllCategories;
    quint32 m_iconFilter = 0;
};
