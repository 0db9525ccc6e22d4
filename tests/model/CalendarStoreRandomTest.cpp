#include "StoreInvariants.h"

#include "model/CalendarStore.h"
#include "model/LastTaskId.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

namespace {

// Drives the store with a fixed sequence of mixed operations on a few busy
// days, so that days fill up, empty and refill, tasks change lists and
// deleted slots are hit often.
class RandomDriver
{
public:
    explicit RandomDriver(CalendarStore& store)
        : m_store(store)
        , m_rng(20090315u)
    {
    }

    // Runs one operation and returns what it did.
    std::string Step()
    {
        const int roll = Pick(100);
        if (roll < 18)
            return AddTask();
        if (roll < 20)
            return AddTaskWithCategoryName();
        if (roll < 28)
            return UpdateTask();
        if (roll < 34)
            return Call("DeleteTask", m_store.DeleteTask(AnyIndex()));
        if (roll < 42)
            return Call("SetTaskDate", m_store.SetTaskDate(AnyIndex(), AnyDate()));
        if (roll < 48)
            return Call("SetPriority", m_store.SetPriority(AnyIndex(), AnyPriority()));
        if (roll < 56) {
            const bool moveToEnd = Pick(2) == 0;
            return Call(moveToEnd ? "SetCompleted(moveToEnd)" : "SetCompleted",
                        m_store.SetCompleted(AnyIndex(), quint32(Pick(2)), moveToEnd));
        }
        if (roll < 62)
            return SwapInDay();
        if (roll < 67)
            return Call("RescheduleDay", m_store.RescheduleDay(AnyDate(), AnyDate(), AnySelection()));
        if (roll < 69)
            return "UpdateDueTasks moved " + std::to_string(m_store.UpdateDueTasks(AnyDate()));
        if (roll < 71)
            return ReplaceCategories();
        if (roll < 77)
            return SetDayMark();
        if (roll < 78)
            return "DeleteCompletedTasks deleted " + std::to_string(m_store.DeleteCompletedTasks());
        if (roll < 82)
            return Call("SetIcon", m_store.SetIcon(AnyIndex(), quint32(Pick(4))));
        if (roll < 86)
            return Call("SetCategory", m_store.SetCategory(AnyIndex(), AnyCategory()));
        if (roll < 90)
            return Call("SetCurrent", m_store.SetCurrent(AnyIndex()));
        return SwapNeighbours();
    }

private:
    int Pick(int n) { return int(m_rng() % std::uint32_t(n)); }

    // A slot, a deleted slot or an index just outside the table.
    int AnyIndex() { return Pick(m_store.TaskCount() + 2) - 1; }

    PackedDate AnyDate()
    {
        const int day = Pick(13);
        return day == 0 ? kNoDate : MakeDate(2009, 3, day);
    }

    qint32 AnyPriority()
    {
        static const qint32 priorities[] = {kPriorityHigh, kPriorityNormal, kPriorityLow, 2, -3};
        return priorities[Pick(5)];
    }

    // Mostly real categories, sometimes one outside the table.
    qint32 AnyCategory() { return Pick(10) == 0 ? 9 : Pick(5); }

    qint32 AnySelection() { return Pick(3) == 0 ? qint32(Pick(4)) : CalendarStore::kAllCategories; }

    TaskRecord AnyRecord()
    {
        TaskRecord record;
        record.Title = QStringLiteral("Task %1").arg(Pick(50));
        record.Date = AnyDate();
        record.Priority = AnyPriority();
        record.Completed = Pick(4) == 0 ? 1 : 0;
        record.Category = AnyCategory();
        record.Icon = quint32(Pick(4));
        return record;
    }

    static std::string Call(const char* name, bool result)
    {
        return std::string(name) + (result ? " true" : " false");
    }

    std::string AddTask()
    {
        return "AddTask at " + std::to_string(m_store.AddTask(AnyRecord(), Pick(4) != 0));
    }

    std::string AddTaskWithCategoryName()
    {
        static const char* names[] = {"", "Garden", "Work", "Travel"};
        const int index = m_store.AddTaskWithCategoryName(AnyRecord(), QString::fromUtf8(names[Pick(4)]), true);
        return "AddTaskWithCategoryName at " + std::to_string(index);
    }

    std::string UpdateTask()
    {
        // Like the task editor: a copy of the task, changed; a deleted slot
        // gets a new record.
        TaskRecord record = AnyRecord();
        const int index = AnyIndex();
        m_store.CopyTask(index, record);
        record.Index = index;
        if (Pick(2) == 0)
            record.Completed = record.Completed != 0 ? 0 : 1;
        if (Pick(2) == 0)
            record.Date = AnyDate();
        if (Pick(2) == 0)
            record.Priority = AnyPriority();
        return Call("UpdateTask", m_store.UpdateTask(record));
    }

    std::string SwapInDay()
    {
        if (m_store.DayListCount() == 0)
            return "SwapInDay skipped";
        const DayList& day = m_store.DayListAt(Pick(m_store.DayListCount()));
        const std::vector<qint32>& list = day.ListOf(kPriorityClasses[Pick(3)]);
        if (list.size() < 2)
            return "SwapInDay skipped";
        const int a = list[size_t(Pick(int(list.size())))];
        const int b = list[size_t(Pick(int(list.size())))];
        return Call("SwapInDay", m_store.SwapInDay(a, b));
    }

    std::string SwapNeighbours() { return Call("SwapInDay(any)", m_store.SwapInDay(AnyIndex(), AnyIndex())); }

    std::string ReplaceCategories()
    {
        CategoryList list = m_store.Categories();
        switch (Pick(3)) {
        case 0:
            list.Delete(list.IndexAt(1 + Pick(std::max(list.Count() - 1, 1))));
            break;
        case 1:
            list.Add(CategoryRecord(QStringLiteral("Cat %1").arg(Pick(20)), quint32(Pick(4)), 0, 0));
            break;
        default:
            list.MoveUp(list.IndexAt(Pick(std::max(list.Count(), 1))));
            break;
        }
        m_store.ReplaceCategories(list);
        return "ReplaceCategories";
    }

    std::string SetDayMark()
    {
        DayMark mark;
        mark.Date = AnyDate();
        mark.Flags = quint32(Pick(8)) * 2;
        if (Pick(3) == 0)
            mark.Note = QStringLiteral("Note %1").arg(Pick(3));
        return Call("SetDayMark", m_store.SetDayMark(mark));
    }

    CalendarStore& m_store;
    std::mt19937 m_rng;
};

class CalendarStoreRandomTest : public ::testing::Test
{
protected:
    void SetUp() override { m_savedLastId = LastTaskId::Value(); }
    void TearDown() override { LastTaskId::Set(m_savedLastId); }

    quint32 m_savedLastId = 0;
};

} // namespace

TEST_F(CalendarStoreRandomTest, MixedOperationsKeepTheDayIndexSound)
{
    constexpr int kSteps = 12000;
    CalendarStore store;
    store.ResetToDefaults();
    RandomDriver driver(store);
    int mostDays = 0;
    for (int step = 0; step < kSteps; ++step) {
        const std::string done = driver.Step();
        mostDays = std::max(mostDays, store.DayListCount());
        const std::string broken = CheckStoreInvariants(store);
        ASSERT_EQ(broken, "") << "after step " << step << ": " << done;
        if (done == "ReplaceCategories") {
            for (int index = 0; index < store.TaskCount(); ++index) {
                const TaskRecord* task = store.GetTask(index);
                ASSERT_TRUE(!task || store.Categories().IsLive(task->Category))
                    << "after step " << step << ": task " << index << " kept category " << task->Category;
            }
        }
    }

    // Enough happened to matter: many live tasks spread over several days.
    int live = 0;
    for (int index = 0; index < store.TaskCount(); ++index)
        live += store.IsLive(index) ? 1 : 0;
    EXPECT_GT(live, 20);
    EXPECT_EQ(mostDays, 13);
}
