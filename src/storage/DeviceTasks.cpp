#include "storage/DeviceTasks.h"

#include "model/CalendarStore.h"
#include "model/LanguageModule.h"
#include "platform/core/VdirTaskList.h"
#include "storage/TaskListDate.h"
#include "storage/TaskListItem.h"
#include "storage/TaskListProvider.h"
#include "storage/TaskListSession.h"

#include <memory>

namespace {

constexpr int kTextUntitledTask = 196;

// An open session with its task folder, closed when it goes out of scope.
class OpenTaskList
{
public:
    explicit OpenTaskList(TaskListProvider& provider)
    {
        if (!provider.Logon(m_session) || !m_session)
            return;
        if (!m_session->OpenTaskFolder()) {
            m_session->Logoff();
            m_session.reset();
        }
    }
    ~OpenTaskList()
    {
        if (m_session)
            m_session->Logoff();
    }
    OpenTaskList(const OpenTaskList&) = delete;
    OpenTaskList& operator=(const OpenTaskList&) = delete;

    TaskListSession* operator->() const { return m_session.get(); }
    explicit operator bool() const { return m_session != nullptr; }

private:
    std::unique_ptr<TaskListSession> m_session;
};

int ImportanceOf(qint32 priority)
{
    const PriorityClass priorityClass = ClassOfPriority(priority);
    if (priorityClass == PriorityClass::High)
        return kImportanceHigh;
    return priorityClass == PriorityClass::Low ? kImportanceLow : kImportanceNormal;
}

qint32 PriorityOf(int importance)
{
    if (importance == kImportanceLow)
        return kPriorityLow;
    if (importance == kImportanceHigh)
        return kPriorityHigh;
    return kPriorityNormal;
}

// Puts every exported field of a task into a new item; false at the first
// value the list refuses.
bool FillItem(TaskListItem& item, const TaskRecord& task, const CalendarStore& store)
{
    if (!item.PutSubject(task.Title))
        return false;
    if (!task.Note.isEmpty() && !item.PutBody(task.Note))
        return false;
    if (task.Category != 0) {
        const CategoryRecord* category = store.Categories().Get(task.Category);
        if (category && !item.PutCategories(category->Name))
            return false;
    }
    const PackedDate due = task.Date != kNoDate ? task.Date : Today();
    return item.PutComplete(task.Completed != 0 ? 1 : 0) && item.PutImportance(ImportanceOf(task.Priority))
           && item.PutDueDate(DateFromPacked(due));
}

// A new task from an item; a value that cannot be read keeps the default.
// categories gets the item's categories text, one name however it reads.
TaskRecord TaskFromItem(const TaskListItem& item, QString& categories)
{
    TaskRecord task;
    // A task without a title would be no task at all, so an empty subject is
    // named like one that cannot be read.
    if (!item.GetSubject(task.Title) || task.Title.isEmpty())
        task.Title = GetText(kTextUntitledTask);
    item.GetBody(task.Note);
    item.GetCategories(categories);
    qint16 complete = kCompleteFalse;
    if (item.GetComplete(complete))
        task.Completed = quint32(qint32(complete));
    int importance = kImportanceNormal;
    if (item.GetImportance(importance))
        task.Priority = PriorityOf(importance);
    double due = kMissingDueDate;
    if (item.GetDueDate(due))
        task.Date = PackedFromDate(due);
    return task;
}

} // namespace

int ExportDeviceTasks(const CalendarStore& store, TaskListProvider& provider)
{
    OpenTaskList list(provider);
    if (!list)
        return 0;
    int saved = 0;
    for (int index = 0; index < store.TaskCount(); ++index) {
        const TaskRecord* task = store.GetTask(index);
        if (!task)
            continue;
        std::unique_ptr<TaskListItem> item;
        if (!list->Add(item) || !item)
            continue;
        if (!FillItem(*item, *task, store) || !item->Save())
            break;
        ++saved;
    }
    return saved;
}

int ImportDeviceTasks(CalendarStore& store, TaskListProvider& provider)
{
    OpenTaskList list(provider);
    int count = 0;
    if (!list || !list->GetCount(count))
        return 0;
    int added = 0;
    for (int position = 1; position <= count; ++position) {
        std::unique_ptr<TaskListItem> item;
        if (!list->Item(position, item) || !item)
            continue;
        QString categories;
        TaskRecord task = TaskFromItem(*item, categories);
        if (store.AddTaskWithCategoryName(std::move(task), categories, true) >= 0)
            ++added;
    }
    return added;
}

int ExportDeviceTasks(const CalendarStore& store, const QString& taskDir)
{
    VdirTaskList provider(taskDir);
    return ExportDeviceTasks(store, provider);
}

int ImportDeviceTasks(CalendarStore& store, const QString& taskDir)
{
    VdirTaskList provider(taskDir);
    return ImportDeviceTasks(store, provider);
}
