#pragma once

#include "lists/TaskTreeModel.h"
#include "model/PackedDate.h"

class CalendarStore;
class Settings;
class TaskRecord;
class ViewState;
struct DayList;

// The task tree's grouping, the setting GroupScheme. The last one is the
// first start's, which no menu command sets.
enum TreeGrouping : int {
    GroupFlat = 0,
    GroupByDate = 1,
    GroupByCategory = 2,
    GroupByCategoryDayByDay = 3,
};

// What the task tree shows for the current view state and settings, and in
// which order: the shape code, the task filter, the fills that build the
// whole tree and the sorted place of one task's row.
//
// A snapshot: make one for each operation, after the view state or the
// settings changed.
class TaskTreeShape
{
public:
    // Shape codes. Single-day mode (Month or Week view without a selected
    // week, or the No Date view) is SingleDay for the flat and date groupings
    // (no groups) and DayByCategory for the category groupings; range mode (a
    // selected week, or the List view) is RangeFlat (no groups), RangeByDate
    // (date groups), RangeByCategory and RangeByCategoryDayByDay (category
    // groups, tasks priority-major or date-major).
    enum Code : int {
        RangeFlat = 0,
        SingleDay = 1,
        DayByCategory = 2,
        RangeByDate = 3,
        RangeByCategory = 4,
        RangeByCategoryDayByDay = 5,
    };

    TaskTreeShape(const CalendarStore& store, const ViewState& view, const Settings& settings);

    static Code ShapeCode(const ViewState& view, const Settings& settings);
    Code Shape() const { return m_shape; }
    // Shapes with group rows: task rows are indented.
    bool Grouped() const { return m_shape >= DayByCategory; }
    bool GroupedByCategory() const
    {
        return m_shape == DayByCategory || m_shape == RangeByCategory || m_shape == RangeByCategoryDayByDay;
    }
    bool RangeMode() const { return m_rangeMode; }
    bool HideComplete() const { return m_hideComplete; }

    // The task filter: hidden when complete while Hide Complete is in
    // effect, or outside the category or icon filter. Dead slots never pass.
    bool Passes(int task) const;
    // Whether a date belongs to what the tree shows: the day shown, the
    // selected week, or the List view's range (the undated tasks only when
    // it starts open and AgendaNoDate is on).
    bool InView(PackedDate date) const;
    // Whether a rebuild would give the task a row: it passes the filter,
    // its date is in view and its priority is shown (the category-group
    // range fills show every priority).
    bool Shows(int task) const;

    // The List view's range is set at both ends and ends before it starts.
    bool InvalidRange() const;

    // Builds the whole tree; false (and no rows) for an invalid List range.
    bool Fill(TaskTreeModel::Builder& out) const;

    // Puts the task's row at its sorted place, making its group when it has
    // none; returns the new node, -1 for a dead task.
    int Insert(TaskTreeModel& model, int task) const;

    // The category whose group holds a task of this category: a category
    // that is gone is shown under the default one.
    int GroupCategory(int category) const;

private:
    // Which tasks a pass over the lists takes.
    enum class Pass { All, Open, Complete };

    bool Takes(const TaskRecord& task, Pass pass) const;
    // The passes a fill makes: all tasks at once, or with Sort Complete to
    // End the open ones first and then (unless hidden) the complete ones.
    int PassCount() const;
    Pass PassAt(int i) const;

    void FillFlatDay(TaskTreeModel::Builder& out, const DayList* day, int parent) const;
    void FillFlatRange(TaskTreeModel::Builder& out, int first, int end) const;
    void FillDateGroups(TaskTreeModel::Builder& out, int first, int end) const;
    void FillCategoryGroups(TaskTreeModel::Builder& out, int first, int end, bool dateMajor,
                            bool allPriorities) const;

    int FindOrMakeParent(TaskTreeModel& model, const TaskRecord& task) const;
    int SortedRow(const TaskTreeModel& model, int parent, const TaskRecord& task) const;
    // The shape's order of two task rows: whether a goes before b.
    bool Before(const TaskRecord& a, const TaskRecord& b) const;

    const CalendarStore& m_store;
    const ViewState& m_view;
    const Settings& m_settings;
    Code m_shape;
    bool m_rangeMode;
    bool m_weekSelected;
    bool m_hideComplete;
    bool m_sortComp;
    TreeGrouping m_grouping;
    PackedDate m_day;       // single-day mode: the day shown (0 = undated)
    PackedDate m_rangeFrom; // range mode: first day, 0 = open
    PackedDate m_rangeTo;   // range mode: last day, 0 = open
    bool m_rangeNoDate;     // range mode: the undated tasks belong to it
};
