#include "storage/DeviceTasks.h"

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/TaskListDate.h"
#include "storage/TaskListItem.h"
#include "storage/TaskListProvider.h"
#include "storage/TaskListSession.h"
#include "support/TestTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using testtables::PrintTo;

// ---- A task list in memory that fails where a test tells it to.

struct FakeTask
{
    QString subject;
    QString body;
    QString categories;
    qint16 complete = kCompleteFalse;
    int importance = kImportanceNormal;
    double due = kMissingDueDate;
    // The values put into the task, in order.
    QStringList puts;
};

struct FailAt
{
    bool logon = false;
    bool folder = false;
    bool count = false;
    // Positions whose Item() fails.
    QSet<int> items;
    // Calls of Add (1, 2, ...) that fail.
    QSet<int> adds;
    // The value whose put fails, on the task of that Add call.
    QString put;
    int putOnAdd = 0;
    // The task of that Add call does not save.
    int saveOnAdd = 0;
    // Values that cannot be read from any task.
    QSet<QString> gets;
};

class FakeTaskList : public TaskListProvider
{
public:
    bool Logon(std::unique_ptr<TaskListSession>& session) override;

    // The list's tasks: what an import reads, and where saved tasks go.
    std::vector<FakeTask> tasks;
    FailAt fail;
    int logons = 0;
    int logoffs = 0;
};

class FakeItem : public TaskListItem
{
public:
    FakeItem(FakeTaskList& list, FakeTask task, int addCall)
        : m_list(list)
        , m_task(std::move(task))
        , m_addCall(addCall)
    {
    }

    bool GetSubject(QString& v) const override { return Get(u"Subject", v, m_task.subject); }
    bool GetBody(QString& v) const override { return Get(u"Body", v, m_task.body); }
    bool GetCategories(QString& v) const override { return Get(u"Categories", v, m_task.categories); }
    bool GetComplete(qint16& v) const override { return Get(u"Complete", v, m_task.complete); }
    bool GetImportance(int& v) const override { return Get(u"Importance", v, m_task.importance); }
    bool GetDueDate(double& v) const override { return Get(u"DueDate", v, m_task.due); }

    bool PutSubject(const QString& v) override { return Put(u"Subject", m_task.subject, v); }
    bool PutBody(const QString& v) override { return Put(u"Body", m_task.body, v); }
    bool PutCategories(const QString& v) override { return Put(u"Categories", m_task.categories, v); }
    bool PutComplete(qint16 v) override { return Put(u"Complete", m_task.complete, v); }
    bool PutImportance(int v) override { return Put(u"Importance", m_task.importance, v); }
    bool PutDueDate(double v) override { return Put(u"DueDate", m_task.due, v); }

    bool Save() override
    {
        if (m_addCall != 0 && m_addCall == m_list.fail.saveOnAdd)
            return false;
        m_list.tasks.push_back(m_task);
        return true;
    }

private:
    template <typename T>
    bool Get(QStringView name, T& out, const T& value) const
    {
        if (m_list.fail.gets.contains(name.toString()))
            return false;
        out = value;
        return true;
    }

    template <typename T>
    bool Put(QStringView name, T& field, const T& value)
    {
        m_task.puts.append(name.toString());
        if (m_addCall != 0 && m_addCall == m_list.fail.putOnAdd && name == m_list.fail.put)
            return false;
        field = value;
        return true;
    }

    FakeTaskList& m_list;
    FakeTask m_task;
    int m_addCall;
};

class FakeSession : public TaskListSession
{
public:
    explicit FakeSession(FakeTaskList& list)
        : m_list(list)
    {
    }

    bool OpenTaskFolder() override
    {
        m_open = !m_list.fail.folder;
        return m_open;
    }

    bool GetCount(int& count) override
    {
        if (!m_open || m_list.fail.count)
            return false;
        count = int(m_list.tasks.size());
        return true;
    }

    bool Item(int position, std::unique_ptr<TaskListItem>& item) override
    {
        if (!m_open || position < 1 || position > int(m_list.tasks.size()) || m_list.fail.items.contains(position))
            return false;
        item = std::make_unique<FakeItem>(m_list, m_list.tasks[size_t(position - 1)], 0);
        return true;
    }

    bool Add(std::unique_ptr<TaskListItem>& item) override
    {
        ++m_adds;
        if (!m_open || m_list.fail.adds.contains(m_adds))
            return false;
        item = std::make_unique<FakeItem>(m_list, FakeTask{}, m_adds);
        return true;
    }

    void Logoff() override { ++m_list.logoffs; }

private:
    FakeTaskList& m_list;
    bool m_open = false;
    int m_adds = 0;
};

bool FakeTaskList::Logon(std::unique_ptr<TaskListSession>& session)
{
    if (fail.logon)
        return false;
    ++logons;
    session = std::make_unique<FakeSession>(*this);
    return true;
}

// ---- Fixture: a calendar with the default categories, a fixed today.

constexpr qint32 kWork = 1;     // "Work", a default category
constexpr qint32 kPersonal = 2; // "Personal"
const PackedDate kToday = MakeDate(2024, 6, 10);
// The same days counted from 30 December 1899.
constexpr double kMarch5 = 45356.0;
constexpr double kJune10 = 45453.0;
constexpr double kDecember31 = 45657.0;

class DeviceTasksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLastId = LastTaskId::Value();
        LastTaskId::Set(100);
        Clock::SetToday(kToday);
        m_store.ResetToDefaults();
    }

    void TearDown() override
    {
        Clock::SetToday(0);
        LastTaskId::Set(m_savedLastId);
    }

    static int AddTask(CalendarStore& store, const QString& title, const QString& note, qint32 category,
                       quint32 completed, qint32 priority, PackedDate date)
    {
        TaskRecord task;
        task.Title = title;
        task.Note = note;
        task.Category = category;
        task.Completed = completed;
        task.Priority = priority;
        task.Date = date;
        task.Icon = 3;
        return store.AddTask(task, true);
    }

    // Three tasks, one of each priority, every field in use.
    void AddThreeTasks()
    {
        AddTask(m_store, QStringLiteral("Call Anna"), QStringLiteral("Bring the list, please\nand the keys"), kWork,
                1, kPriorityHigh, MakeDate(2024, 3, 5));
        AddTask(m_store, QStringLiteral("Buy milk"), QString(), 0, 0, kPriorityNormal, kNoDate);
        AddTask(m_store, QStringLiteral("Weed, then water"), QString(), kPersonal, 0, kPriorityLow,
                MakeDate(2024, 12, 31));
    }

    QString CategoryName(const CalendarStore& store, int taskIndex) const
    {
        const CategoryRecord* category = store.Categories().Get(store.GetTask(taskIndex)->Category);
        return category ? category->Name : QString();
    }

    CalendarStore m_store;
    quint32 m_savedLastId = 0;
};

// ---- Export

TEST_F(DeviceTasksTest, ExportPutsEachLiveTaskByTheMapping)
{
    AddThreeTasks();
    const int deleted = AddTask(m_store, QStringLiteral("Deleted"), QString(), 0, 0, 0, kToday);
    ASSERT_TRUE(m_store.DeleteTask(deleted));
    // A category index the table does not hold exports no categories.
    AddTask(m_store, QStringLiteral("Lost category"), QString(), 42, 0, 5, kToday);

    FakeTaskList list;
    EXPECT_EQ(ExportDeviceTasks(m_store, list), 4);
    ASSERT_EQ(list.tasks.size(), 4u);
    EXPECT_EQ(list.logons, 1);
    EXPECT_EQ(list.logoffs, 1);

    const FakeTask& first = list.tasks[0];
    EXPECT_EQ(first.subject, QStringLiteral("Call Anna"));
    EXPECT_EQ(first.body, QStringLiteral("Bring the list, please\nand the keys"));
    EXPECT_EQ(first.categories, QStringLiteral("Work"));
    EXPECT_EQ(first.complete, 1);
    EXPECT_EQ(first.importance, kImportanceHigh);
    EXPECT_EQ(first.due, kMarch5);
    const QStringList all{QStringLiteral("Subject"),  QStringLiteral("Body"),       QStringLiteral("Categories"),
                          QStringLiteral("Complete"), QStringLiteral("Importance"), QStringLiteral("DueDate")};
    EXPECT_EQ(first.puts, all);

    // No note and category 0: neither is put; undated is due today.
    const FakeTask& second = list.tasks[1];
    EXPECT_EQ(second.subject, QStringLiteral("Buy milk"));
    EXPECT_EQ(second.complete, 0);
    EXPECT_EQ(second.importance, kImportanceNormal);
    EXPECT_EQ(second.due, kJune10);
    EXPECT_EQ(second.puts, (QStringList{QStringLiteral("Subject"), QStringLiteral("Complete"),
                                        QStringLiteral("Importance"), QStringLiteral("DueDate")}));

    EXPECT_EQ(list.tasks[2].categories, QStringLiteral("Personal"));
    EXPECT_EQ(list.tasks[2].importance, kImportanceLow);
    EXPECT_EQ(list.tasks[2].due, kDecember31);

    EXPECT_EQ(list.tasks[3].subject, QStringLiteral("Lost category"));
    EXPECT_FALSE(list.tasks[3].puts.contains(QStringLiteral("Categories")));
    // Any priority above 0 is high, as the calendar files it.
    EXPECT_EQ(list.tasks[3].importance, kImportanceHigh);
}

struct FailureRow
{
    std::string name;
    FailAt fail;
    int count;
    QStringList saved;
    int logoffs;
};

class ExportFailureTest : public DeviceTasksTest, public ::testing::WithParamInterface<FailureRow>
{
};

TEST_P(ExportFailureTest, EndsWithTheCountSoFar)
{
    AddThreeTasks();
    FakeTaskList list;
    list.fail = GetParam().fail;
    EXPECT_EQ(ExportDeviceTasks(m_store, list), GetParam().count);
    QStringList saved;
    for (const FakeTask& task : list.tasks)
        saved.append(task.subject);
    EXPECT_EQ(saved, GetParam().saved);
    EXPECT_EQ(list.logoffs, GetParam().logoffs);
}

const QString kCall = QStringLiteral("Call Anna");
const QString kBuy = QStringLiteral("Buy milk");
const QString kWeed = QStringLiteral("Weed, then water");

INSTANTIATE_TEST_SUITE_P(
    Rows, ExportFailureTest,
    ::testing::Values(FailureRow{"NoFailure", {}, 3, {kCall, kBuy, kWeed}, 1},
                      FailureRow{"LogonFails", {.logon = true}, 0, {}, 0},
                      FailureRow{"FolderFails", {.folder = true}, 0, {}, 1},
                      FailureRow{"AddFailsForTheSecondTask", {.adds = {2}}, 2, {kCall, kWeed}, 1},
                      FailureRow{"SubjectPutFailsForTheFirstTask",
                                 {.put = QStringLiteral("Subject"), .putOnAdd = 1}, 0, {}, 1},
                      FailureRow{"DueDatePutFailsForTheSecondTask",
                                 {.put = QStringLiteral("DueDate"), .putOnAdd = 2}, 1, {kCall}, 1},
                      FailureRow{"SaveFailsForTheThirdTask", {.saveOnAdd = 3}, 2, {kCall, kBuy}, 1}),
    testtables::RowName<FailureRow>);

// ---- Import

FakeTask ListTask(const QString& subject, const QString& body, const QString& categories, qint16 complete,
                  int importance, double due)
{
    return FakeTask{subject, body, categories, complete, importance, due, {}};
}

TEST_F(DeviceTasksTest, ImportAddsEachListTaskByTheMappingInListOrder)
{
    FakeTaskList list;
    list.tasks = {
        ListTask(QStringLiteral("Call Anna"), QStringLiteral("Line one\nLine two"), QStringLiteral("Personal"),
                 kCompleteTrue, kImportanceHigh, kMarch5),
        ListTask(QStringLiteral("Buy milk"), QString(), QString(), kCompleteFalse, kImportanceLow, kMissingDueDate),
        ListTask(QStringLiteral("Plant"), QString(), QStringLiteral("Home, Garden"), 1, kImportanceNormal,
                 kMarch5 + 0.75),
        ListTask(QString(), QString(), QStringLiteral("Home, Garden"), kCompleteFalse, 7, kJune10),
    };
    const int categoriesBefore = m_store.Categories().TableSize();
    m_store.SetModified(false);

    EXPECT_EQ(ImportDeviceTasks(m_store, list), 4);
    ASSERT_EQ(m_store.TaskCount(), 4);
    EXPECT_TRUE(m_store.Modified());
    EXPECT_EQ(list.logoffs, 1);

    const TaskRecord& call = *m_store.GetTask(0);
    EXPECT_EQ(call.Title, QStringLiteral("Call Anna"));
    EXPECT_EQ(call.Note, QStringLiteral("Line one\nLine two"));
    EXPECT_EQ(call.Category, kPersonal);
    EXPECT_EQ(call.Completed, 0xFFFFFFFFu);
    EXPECT_EQ(call.Priority, kPriorityHigh);
    EXPECT_EQ(call.Date, MakeDate(2024, 3, 5));

    const TaskRecord& buy = *m_store.GetTask(1);
    EXPECT_EQ(buy.Title, QStringLiteral("Buy milk"));
    EXPECT_EQ(buy.Category, 0);
    EXPECT_EQ(buy.Completed, 0u);
    EXPECT_EQ(buy.Priority, kPriorityLow);
    EXPECT_EQ(buy.Date, kNoDate);

    // A name the calendar lacks becomes one new category, commas and all.
    const TaskRecord& plant = *m_store.GetTask(2);
    EXPECT_EQ(CategoryName(m_store, 2), QStringLiteral("Home, Garden"));
    EXPECT_EQ(m_store.Categories().TableSize(), categoriesBefore + 1);
    const CategoryRecord* made = m_store.Categories().Get(plant.Category);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->Equals(CategoryRecord(QStringLiteral("Home, Garden"), 0, 0, 0)));
    EXPECT_EQ(plant.Completed, 1u);
    EXPECT_EQ(plant.Priority, kPriorityNormal);
    EXPECT_EQ(plant.Date, MakeDate(2024, 3, 5));

    // An empty subject would make no task: it is named like an unreadable one.
    const TaskRecord& untitled = *m_store.GetTask(3);
    EXPECT_EQ(untitled.Title, QStringLiteral("Untitled Task"));
    EXPECT_EQ(untitled.Category, plant.Category);
    EXPECT_EQ(untitled.Priority, kPriorityNormal);

    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(m_store.GetTask(index)->Icon, 0u);
        EXPECT_EQ(m_store.GetTask(index)->Id, 101u + quint32(index));
    }

    // The completed word -1 counts as completed like 1 does.
    const DayList* march5 = m_store.GetDayList(MakeDate(2024, 3, 5));
    ASSERT_NE(march5, nullptr);
    int shown = 0;
    int completed = 0;
    m_store.CountDay(*march5, ViewState(), shown, completed);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(completed, 2);
}

TEST_F(DeviceTasksTest, ImportKeepsTheNewTasksDefaultForValuesThatCannotBeRead)
{
    FakeTaskList list;
    list.tasks = {ListTask(QStringLiteral("Hidden"), QStringLiteral("Note"), QStringLiteral("Work"), kCompleteTrue,
                           kImportanceHigh, kMarch5)};
    list.fail.gets = {QStringLiteral("Subject"),    QStringLiteral("Body"),       QStringLiteral("Categories"),
                      QStringLiteral("Complete"),   QStringLiteral("Importance"), QStringLiteral("DueDate")};
    ASSERT_EQ(ImportDeviceTasks(m_store, list), 1);
    const TaskRecord& task = *m_store.GetTask(0);
    EXPECT_EQ(task.Title, QStringLiteral("Untitled Task"));
    EXPECT_EQ(task.Note, QString());
    EXPECT_EQ(task.Category, 0);
    EXPECT_EQ(task.Completed, 0u);
    EXPECT_EQ(task.Priority, kPriorityNormal);
    EXPECT_EQ(task.Date, kNoDate);
}

TEST_F(DeviceTasksTest, ImportTurnsImportanceIntoPriority)
{
    const std::vector<std::pair<int, qint32>> cases{
        {kImportanceLow, kPriorityLow}, {kImportanceNormal, kPriorityNormal}, {kImportanceHigh, kPriorityHigh},
        {-1, kPriorityNormal},          {3, kPriorityNormal}};
    FakeTaskList list;
    for (const auto& c : cases)
        list.tasks.push_back(ListTask(QStringLiteral("Task"), QString(), QString(), 0, c.first, kMissingDueDate));
    ASSERT_EQ(ImportDeviceTasks(m_store, list), int(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(m_store.GetTask(int(i))->Priority, cases[i].second) << "importance " << cases[i].first;
}

class ImportFailureTest : public DeviceTasksTest, public ::testing::WithParamInterface<FailureRow>
{
};

TEST_P(ImportFailureTest, EndsWithTheCountSoFar)
{
    FakeTaskList list;
    list.tasks = {ListTask(kCall, {}, {}, 0, 1, kMarch5), ListTask(kBuy, {}, {}, 0, 1, kMarch5),
                  ListTask(kWeed, {}, {}, 0, 1, kMarch5)};
    list.fail = GetParam().fail;
    EXPECT_EQ(ImportDeviceTasks(m_store, list), GetParam().count);
    QStringList added;
    for (int index = 0; index < m_store.TaskCount(); ++index)
        added.append(m_store.GetTask(index)->Title);
    EXPECT_EQ(added, GetParam().saved);
    EXPECT_EQ(list.logoffs, GetParam().logoffs);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImportFailureTest,
                         ::testing::Values(FailureRow{"NoFailure", {}, 3, {kCall, kBuy, kWeed}, 1},
                                           FailureRow{"LogonFails", {.logon = true}, 0, {}, 0},
                                           FailureRow{"FolderFails", {.folder = true}, 0, {}, 1},
                                           FailureRow{"CountFails", {.count = true}, 0, {}, 1},
                                           FailureRow{"SecondItemFails", {.items = {2}}, 2, {kCall, kWeed}, 1}),
                         testtables::RowName<FailureRow>);

// ---- Through the iCalendar task folder

class DeviceTaskFolderTest : public DeviceTasksTest
{
protected:
    void SetUp() override
    {
        DeviceTasksTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("data/orbelin/tasks"));
    }

    int FileCount() const { return int(QDir(m_folder).entryList({QStringLiteral("*.ics")}, QDir::Files).size()); }

    void WriteFile(const QString& name, const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(m_folder));
        QFile file(QDir(m_folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
    QString m_folder;
};

TEST_F(DeviceTaskFolderTest, ExportedTasksImportBackAndEachExportAddsAllAgain)
{
    AddThreeTasks();
    ASSERT_FALSE(QFileInfo::exists(m_folder));
    EXPECT_EQ(ExportDeviceTasks(m_store, m_folder), 3);
    EXPECT_EQ(FileCount(), 3);

    CalendarStore imported;
    imported.ResetToDefaults();
    ASSERT_EQ(ImportDeviceTasks(imported, m_folder), 3);
    // Files come in the order of their random names: match tasks by title.
    int matched = 0;
    for (int i = 0; i < imported.TaskCount(); ++i) {
        const TaskRecord& back = *imported.GetTask(i);
        for (int j = 0; j < m_store.TaskCount(); ++j) {
            const TaskRecord& sent = *m_store.GetTask(j);
            if (sent.Title != back.Title)
                continue;
            ++matched;
            SCOPED_TRACE(sent.Title.toStdString());
            EXPECT_EQ(back.Note, sent.Note);
            EXPECT_EQ(CategoryName(imported, i), CategoryName(m_store, j));
            EXPECT_EQ(back.Completed, sent.Completed != 0 ? 0xFFFFFFFFu : 0u);
            EXPECT_EQ(back.Priority, sent.Priority);
            EXPECT_EQ(back.Date, sent.Date != kNoDate ? sent.Date : kToday);
            EXPECT_EQ(back.Icon, 0u);
        }
    }
    EXPECT_EQ(matched, 3);
    EXPECT_EQ(imported.Categories().TableSize(), m_store.Categories().TableSize());

    EXPECT_EQ(ExportDeviceTasks(m_store, m_folder), 3);
    EXPECT_EQ(FileCount(), 6);
}

TEST_F(DeviceTaskFolderTest, ImportReadsTasksOtherProgramsWrote)
{
    const auto todo = [](const char* lines) {
        return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\n") + lines
               + "END:VTODO\r\nEND:VCALENDAR\r\n";
    };
    WriteFile(QStringLiteral("1.ics"), todo("UID:1\r\nSUMMARY:One line\r\nCATEGORIES:Home,Garden\r\n"
                                            "DUE;VALUE=DATE:20240305\r\n"));
    WriteFile(QStringLiteral("2.ics"), todo("UID:2\r\nSUMMARY:Two lines\r\nCATEGORIES:Home\r\nCATEGORIES:Garden\r\n"
                                            "DUE;TZID=America/New_York:20240305T230000\r\nPRIORITY:7\r\n"));
    WriteFile(QStringLiteral("3.ics"), todo("UID:3\r\nSUMMARY:Plain\r\nSTATUS:COMPLETED\r\n"));
    WriteFile(QStringLiteral("4.ics"), "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:cut off");
    WriteFile(QStringLiteral("5.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:5\r\n"
                                       "SUMMARY:Meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");

    ASSERT_EQ(ImportDeviceTasks(m_store, m_folder), 3);
    ASSERT_EQ(m_store.TaskCount(), 3);
    EXPECT_EQ(m_store.GetTask(0)->Title, QStringLiteral("One line"));
    EXPECT_EQ(CategoryName(m_store, 0), QStringLiteral("Home,Garden"));
    EXPECT_EQ(m_store.GetTask(1)->Category, m_store.GetTask(0)->Category);
    EXPECT_EQ(m_store.GetTask(1)->Date, MakeDate(2024, 3, 5));
    EXPECT_EQ(m_store.GetTask(1)->Priority, kPriorityLow);
    const TaskRecord& plain = *m_store.GetTask(2);
    EXPECT_EQ(plain.Category, 0);
    EXPECT_EQ(plain.Date, kNoDate);
    EXPECT_EQ(plain.Completed, 0xFFFFFFFFu);
}

TEST_F(DeviceTaskFolderTest, NothingIsCopiedWhenTheFolderCannotBeMade)
{
    AddThreeTasks();
    WriteFile(QStringLiteral("blocker"), "a file");
    const QString blocked = QDir(m_folder).filePath(QStringLiteral("blocker/tasks"));
    EXPECT_EQ(ExportDeviceTasks(m_store, blocked), 0);
    EXPECT_EQ(ImportDeviceTasks(m_store, blocked), 0);
    EXPECT_EQ(m_store.TaskCount(), 3);
}

// ---- Day counts

struct DayCountRow
{
    std::string name;
    PackedDate date;
    double days;
};

class DayCountTest : public ::testing::TestWithParam<DayCountRow>
{
};

TEST_P(DayCountTest, ConvertsBothWays)
{
    EXPECT_EQ(DateFromPacked(GetParam().date), GetParam().days);
    EXPECT_EQ(PackedFromDate(GetParam().days), GetParam().date);
    // The time of day and the week flag do not move the day.
    EXPECT_EQ(PackedFromDate(GetParam().days + (GetParam().days < 0 ? -0.5 : 0.999)), GetParam().date);
    EXPECT_EQ(DateFromPacked(GetParam().date | kWeekFlag), GetParam().days);
}

INSTANTIATE_TEST_SUITE_P(Rows, DayCountTest,
                         ::testing::Values(DayCountRow{"DayZero", MakeDate(1899, 12, 30), 0.0},
                                           DayCountRow{"DayBefore", MakeDate(1899, 12, 29), -1.0},
                                           DayCountRow{"FirstOf1900", MakeDate(1900, 1, 1), 2.0},
                                           DayCountRow{"No29February1900", MakeDate(1900, 3, 1), 61.0},
                                           DayCountRow{"Year2000", MakeDate(2000, 1, 1), 36526.0},
                                           DayCountRow{"LeapDay2024", MakeDate(2024, 2, 29), 45351.0},
                                           DayCountRow{"FirstDay", FromPlatformTime(QDate(1, 1, 1)), -693593.0},
                                           DayCountRow{"LastDay", MakeDate(65535, 12, 31), 23242572.0}),
                         testtables::RowName<DayCountRow>);

TEST(DayCount, MissingDateAndOddValues)
{
    EXPECT_EQ(DateFromPacked(kNoDate), kMissingDueDate);
    EXPECT_EQ(PackedFromDate(kMissingDueDate), kNoDate);
    EXPECT_EQ(DateFromPacked(MakeDate(4501, 1, 1)), kMissingDueDate);
    EXPECT_EQ(PackedFromDate(std::numeric_limits<double>::quiet_NaN()), kNoDate);
    EXPECT_EQ(PackedFromDate(std::numeric_limits<double>::infinity()), kNoDate);
    EXPECT_EQ(PackedFromDate(1e300), MakeDate(65535, 12, 31));
    EXPECT_EQ(PackedFromDate(-1e300), FromPlatformTime(QDate(1, 1, 1)));
}

} // namespace
