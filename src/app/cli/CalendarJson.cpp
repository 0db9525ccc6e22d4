#include "app/cli/CalendarJson.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/LastTaskId.h"

#include <QJsonArray>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The categories in display order; position maps each category index to its
// place in that array (-1 for a deleted or unknown one).
QJsonArray CategoriesToJson(const CategoryList& categories, std::vector<qint64>& position)
{
    position.assign(size_t(categories.TableSize()), -1);
    QJsonArray array;
    for (const qint32 index : categories.Order()) {
        const CategoryRecord* category = categories.Get(index);
        if (!category)
            continue;
        position[size_t(index)] = array.size();
        array.append(QJsonObject{{u"name"_s, category->Name},
                                 {u"icon"_s, qint64(category->Icon)},
                                 {u"reserved"_s, qint64(category->Reserved)},
                                 {u"color"_s, qint64(category->Color)}});
    }
    return array;
}

qint64 PositionOf(const std::vector<qint64>& position, qint32 category)
{
    return category >= 0 && size_t(category) < position.size() ? position[size_t(category)] : -1;
}

QJsonArray TasksToJson(const CalendarStore& store, const std::vector<qint64>& position)
{
    QJsonArray array;
    for (int day = 0; day < store.DayListCount(); ++day) {
        for (const PriorityClass priorityClass : kPriorityClasses) {
            for (const qint32 index : store.DayListAt(day).ListOf(priorityClass)) {
                const TaskRecord* task = store.GetTask(index);
                if (!task)
                    continue;
                array.append(QJsonObject{{u"id"_s, qint64(task->Id)},
                                         {u"priority"_s, task->Priority},
                                         {u"completed"_s, qint32(task->Completed)},
                                         {u"category"_s, PositionOf(position, task->Category)},
                                         {u"icon"_s, qint64(task->Icon)},
                                         {u"date"_s, qint64(task->Date)},
                                         {u"title"_s, task->Title},
                                         {u"note"_s, task->Note}});
            }
        }
    }
    return array;
}

QJsonArray MarksToJson(const CalendarStore& store)
{
    QJsonArray array;
    for (int n = 0; n < store.DayMarkCount(); ++n) {
        const DayMark& mark = store.DayMarkAt(n);
        array.append(QJsonObject{
            {u"date"_s, qint64(mark.Date)}, {u"flags"_s, qint64(mark.Flags)}, {u"note"_s, mark.Note}});
    }
    return array;
}

QJsonArray HolidaysToJson(const HolidayList& holidays)
{
    QJsonArray array;
    for (int n = 0; n < holidays.Count(); ++n) {
        const HolidayRecord holiday = holidays.Get(n);
        array.append(QJsonObject{{u"monthday"_s, qint64(holiday.MonthDay)}, {u"name"_s, holiday.Name}});
    }
    return array;
}

} // namespace

QJsonObject CalendarToJson(const CalendarStore& store, const HolidayList& holidays)
{
    std::vector<qint64> position;
    const QJsonArray categories = CategoriesToJson(store.Categories(), position);
    // The filter names a category like a task does; all categories, or a
    // number that names none, stand as they are.
    const qint32 selection = store.CategorySelection();
    const qint64 filterPosition = PositionOf(position, selection);
    return QJsonObject{
        {u"last_id"_s, qint64(LastTaskId::Value())},
        {u"current_id"_s, store.CurrentTaskId()},
        {u"category_filter"_s, filterPosition >= 0 ? filterPosition : qint64(selection)},
        {u"icon_filter"_s, qint64(store.IconFilter())},
        {u"categories"_s, categories},
        {u"tasks"_s, TasksToJson(store, position)},
        {u"marks"_s, MarksToJson(store)},
        {u"holidays"_s, HolidaysToJson(holidays)},
    };
}
