#include "lists/TaskTreeShape.h"

#include "model/CalendarStore.h"
#include "model/DateFormat.h"
#include "model/DayList.h"
#include "model/ViewState.h"
#include "storage/Settings.h"

#include <algorithm>

namespace {

constexpr int kRoot = TaskTreeModel::kRootNode;

// The priority a day list holds, for the view's show-priority switches.
constexpr qint32 PriorityOf(PriorityClass c)
{
    return c == PriorityClass::High ? kPriorityHigh : c == PriorityClass::Low ? kPriorityLow : kPriorityNormal;
}

// High first: 0 High, 1 Normal, 2 Low.
constexpr int Rank(qint32 priority)
{
    return int(ClassOfPriority(priority));
}

bool WeekSelected(const ViewState& view)
{
    return (view.ViewMode == ViewState::Month || view.ViewMode == ViewState::Week) && HasWeekFlag(view.SelectedDate);
}

} // namespace

TaskTreeShape::TaskTreeShape(const CalendarStore& store, const ViewState& view, const Settings& settings)
    : m_store(store)
    , m_view(view)
    , m_settings(settings)
    , m_shape(ShapeCode(view, settings))
    , m_rangeMode(WeekSelected(view) || view.ViewMode == ViewState::List)
    , m_weekSelected(WeekSelected(view))
    , m_hideComplete(view.HideComplete())
    , m_sortComp(settings.SortComp())
    , m_grouping(TreeGrouping(std::clamp(settings.GroupScheme(), int(GroupFlat), int(GroupByCategoryDayByDay))))
    , m_day(view.DisplayDate())
    , m_rangeFrom(kNoDate)
    , m_rangeTo(kNoDate)
    , m_rangeNoDate(false)
{
    if (m_weekSelected) {
        m_rangeFrom = WeekStart(view.SelectedDate, settings.StartWeekDay());
        m_rangeTo = AddDays(m_rangeFrom, 6);
    } else if (m_rangeMode) {
        m_rangeFrom = StripFlags(settings.AgendaStartDate());
        m_rangeTo = StripFlags(settings.AgendaEndDate());
        m_rangeNoDate = m_rangeFrom == kNoDate && settings.AgendaNoDate();
    }
}

TaskTreeShape::Code TaskTreeShape::ShapeCode(const ViewState& view, const Settings& settings)
{
    const int grouping = std::clamp(settings.GroupScheme(), int(GroupFlat), int(GroupByCategoryDayByDay));
    const bool rangeMode = WeekSelected(view) || view.ViewMode == ViewState::List;
    if (!rangeMode)
        return grouping <= GroupByDate ? SingleDay : DayByCategory;
    static constexpr Code kRangeShapes[] = {RangeFlat, RangeByDate, RangeByCategory, RangeByCategoryDayByDay};
    return kRangeShapes[grouping];
}

bool TaskTreeShape::Passes(int task) const
{
    const TaskRecord* record = m_store.GetTask(task);
    return record && Takes(*record, Pass::All);
}

bool TaskTreeShape::Takes(const TaskRecord& task, Pass pass) const
{
    const bool complete = task.Completed != 0;
    if (complete && (m_hideComplete || pass == Pass::Open))
        return false;
    if (!complete && pass == Pass::Complete)
        return false;
    return m_store.PassesCategory(task) && m_store.PassesIconFilter(task);
}

int TaskTreeShape::PassCount() const
{
    return m_sortComp && !m_hideComplete ? 2 : 1;
}

TaskTreeShape::Pass TaskTreeShape::PassAt(int i) const
{
    if (!m_sortComp)
        return Pass::All;
    return i == 0 ? Pass::Open : Pass::Complete;
}

bool TaskTreeShape::InvalidRange() const
{
    return m_rangeMode && !m_weekSelected && m_rangeFrom != kNoDate && m_rangeTo != kNoDate && m_rangeTo < m_rangeFrom;
}

bool TaskTreeShape::InView(PackedDate date) const
{
    date = StripFlags(date);
    if (!m_rangeMode)
        return date == m_day;
    if (InvalidRange())
        return false;
    if (date == kNoDate)
        return m_rangeNoDate;
    return (m_rangeFrom == kNoDate || date >= m_rangeFrom) && (m_rangeTo == kNoDate || date <= m_rangeTo);
}

bool TaskTreeShape::Shows(int task) const
{
    const TaskRecord* record = m_store.GetTask(task);
    if (!record || !Takes(*record, Pass::All) || !InView(record->Date))
        return false;
    return m_shape == RangeByCategory || m_shape == RangeByCategoryDayByDay || m_view.ShowsPriority(record->Priority);
}

int TaskTreeShape::GroupCategory(int category) const
{
    return m_store.Categories().IsLive(category) ? category : 0;
}

bool TaskTreeShape::Fill(TaskTreeModel::Builder& out) const
{
    if (!m_rangeMode) {
        const DayList* day = m_store.GetDayList(m_day);
        if (m_grouping <= GroupByDate) {
            FillFlatDay(out, day, kRoot);
        } else if (day) {
            const int position = m_store.FirstDayFrom(m_day, true);
            FillCategoryGroups(out, position, position + 1, true, false);
        }
        return true;
    }
    if (InvalidRange())
        return false;
    const int first = m_store.FirstDayFrom(m_rangeFrom, m_rangeNoDate);
    const int end = std::max(first, m_store.EndDayAfter(m_rangeTo));
    switch (m_grouping) {
    case GroupFlat:
        FillFlatRange(out, first, end);
        break;
    case GroupByDate:
        FillDateGroups(out, first, end);
        break;
    case GroupByCategory:
        FillCategoryGroups(out, first, end, false, true);
        break;
    case GroupByCategoryDayByDay:
        FillCategoryGroups(out, first, end, true, true);
        break;
    }
    return true;
}

void TaskTreeShape::FillFlatDay(TaskTreeModel::Builder& out, const DayList* day, int parent) const
{
    if (!day)
        return;
    for (int p = 0; p < PassCount(); ++p) {
        const Pass pass = PassAt(p);
        for (const PriorityClass c : kPriorityClasses) {
            if (!m_view.ShowsPriority(PriorityOf(c)))
                continue;
            for (const qint32 task : day->ListOf(c)) {
                const TaskRecord* record = m_store.GetTask(task);
                if (record && Takes(*record, pass))
                    out.Add(parent, quint32(task));
            }
        }
    }
}

void TaskTreeShape::FillFlatRange(TaskTreeModel::Builder& out, int first, int end) const
{
    for (int p = 0; p < PassCount(); ++p) {
        const Pass pass = PassAt(p);
        for (const PriorityClass c : kPriorityClasses) {
            if (!m_view.ShowsPriority(PriorityOf(c)))
                continue;
            for (int position = first; position < end; ++position) {
                for (const qint32 task : m_store.DayListAt(position).ListOf(c)) {
                    const TaskRecord* record = m_store.GetTask(task);
                    if (record && Takes(*record, pass))
                        out.Add(kRoot, quint32(task));
                }
            }
        }
    }
}

void TaskTreeShape::FillDateGroups(TaskTreeModel::Builder& out, int first, int end) const
{
    for (int position = first; position < end; ++position) {
        const DayList& day = m_store.DayListAt(position);
        // A day whose tasks are all left out gets no group.
        const int group = out.Add(kRoot, StripFlags(day.Date) | TaskTreeModel::kDateGroupBit);
        FillFlatDay(out, &day, group);
        out.DropLastEmptyGroup();
    }
}

void TaskTreeShape::FillCategoryGroups(TaskTreeModel::Builder& out, int first, int end, bool dateMajor,
                                       bool allPriorities) const
{
    const CategoryList& categories = m_store.Categories();
    std::vector<int> groupOf(size_t(std::max(1, categories.TableSize())), -1);
    for (int position = 0; position < categories.Count(); ++position) {
        const int category = categories.IndexAt(position);
        const int group = out.Add(kRoot, quint32(category) | TaskTreeModel::kCategoryGroupBit);
        out.SetText(group, categories.Get(category)->Name);
        groupOf[size_t(category)] = group;
    }
    auto place = [&](qint32 task, Pass pass) {
        const TaskRecord* record = m_store.GetTask(task);
        if (!record || !Takes(*record, pass))
            return;
        // Only a store without even the default category leaves a task
        // without a group; it gets one of its own rather than vanishing.
        const int category = GroupCategory(record->Category);
        int& group = groupOf[size_t(category)];
        if (group < 0)
            group = out.Add(kRoot, quint32(category) | TaskTreeModel::kCategoryGroupBit);
        out.Add(group, quint32(task));
    };
    auto shown = [&](PriorityClass c) { return allPriorities || m_view.ShowsPriority(PriorityOf(c)); };
    for (int p = 0; p < PassCount(); ++p) {
        const Pass pass = PassAt(p);
        if (dateMajor) {
            for (int position = first; position < end; ++position)
                for (const PriorityClass c : kPriorityClasses)
                    if (shown(c))
                        for (const qint32 task : m_store.DayListAt(position).ListOf(c))
                            place(task, pass);
        } else {
            for (const PriorityClass c : kPriorityClasses)
                if (shown(c))
                    for (int position = first; position < end; ++position)
                        for (const qint32 task : m_store.DayListAt(position).ListOf(c))
                            place(task, pass);
        }
    }
    out.DropEmptyGroups();
}

int TaskTreeShape::Insert(TaskTreeModel& model, int task) const
{
    const TaskRecord* record = m_store.GetTask(task);
    if (!record)
        return -1;
    const int parent = FindOrMakeParent(model, *record);
    return model.Insert(parent, SortedRow(model, parent, *record), quint32(task));
}

int TaskTreeShape::FindOrMakeParent(TaskTreeModel& model, const TaskRecord& task) const
{
    if (!Grouped())
        return kRoot;
    const int count = model.RowCount(kRoot);
    int i = 0;
    if (m_shape == RangeByDate) {
        const PackedDate date = StripFlags(task.Date);
        while (i < count && TaskTreeModel::IsDateGroup(model.Data(model.ChildAt(kRoot, i)))
               && (model.Data(model.ChildAt(kRoot, i)) & kDateBits) <= date)
            ++i;
        if (i > 0 && (model.Data(model.ChildAt(kRoot, i - 1)) & kDateBits) == date)
            return model.ChildAt(kRoot, i - 1);
        return model.Insert(kRoot, i, date | TaskTreeModel::kDateGroupBit, FormatDateRelative(date, true));
    }
    const CategoryList& categories = m_store.Categories();
    const int category = GroupCategory(task.Category);
    const int position = categories.PositionOf(category);
    auto categoryAt = [&](int row) { return int(model.Data(model.ChildAt(kRoot, row)) & ~TaskTreeModel::kCategoryGroupBit); };
    while (i < count && TaskTreeModel::IsCategoryGroup(model.Data(model.ChildAt(kRoot, i)))
           && categories.PositionOf(categoryAt(i)) <= position)
        ++i;
    if (i > 0 && categoryAt(i - 1) == category)
        return model.ChildAt(kRoot, i - 1);
    const CategoryRecord* record = categories.Get(category);
    return model.Insert(kRoot, i, quint32(category) | TaskTreeModel::kCategoryGroupBit,
                        record ? record->Name : QString());
}

int TaskTreeShape::SortedRow(const TaskTreeModel& model, int parent, const TaskRecord& task) const
{
    const int count = model.RowCount(parent);
    const bool complete = task.Completed != 0;
    for (int row = 0; row < count; ++row) {
        const quint32 data = model.Data(model.ChildAt(parent, row));
        const TaskRecord* sibling = TaskTreeModel::IsGroup(data) ? nullptr : m_store.GetTask(int(data));
        if (!sibling)
            continue;
        if (m_sortComp) {
            // Open rows stay above complete ones, and rows are compared
            // only with rows of their own completion.
            const bool siblingComplete = sibling->Completed != 0;
            if (!complete && siblingComplete)
                return row;
            if (complete != siblingComplete)
                continue;
        }
        if (Before(task, *sibling))
            return row;
    }
    return count;
}

bool TaskTreeShape::Before(const TaskRecord& a, const TaskRecord& b) const
{
    const int ra = Rank(a.Priority);
    const int rb = Rank(b.Priority);
    const PackedDate da = StripFlags(a.Date);
    const PackedDate db = StripFlags(b.Date);
    switch (m_shape) {
    case SingleDay:
    case RangeByDate:
        return ra < rb;
    case RangeByCategoryDayByDay:
        return da < db || (da == db && ra < rb);
    case RangeFlat:
    case DayByCategory:
    case RangeByCategory:
        break;
    }
    return ra < rb || (ra == rb && da < db);
}
