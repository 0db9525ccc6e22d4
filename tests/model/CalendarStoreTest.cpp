#include "StoreInvariants.h"

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"

#include <gtest/gtest.h>

namespace {

const PackedDate kMar14 = MakeDate(2009, 3, 14);
const PackedDate kMar15 = MakeDate(2009, 3, 15);
const PackedDate kMar16 = MakeDate(2009, 3, 16);
const PackedDate kMar20 = MakeDate(2009, 3, 20);

struct TaskFields
{
    const char* title;
    PackedDate date = kNoDate;
    qint32 priority = kPriorityNormal;
    quint32 completed = 0;
    qint32 category = 0;
    quint32 icon = 0;
};

} // namespace

class CalendarStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLastId = LastTaskId::Value();
        LastTaskId::Set(0);
        m_store.ResetToDefaults();
    }

    void TearDown() override
    {
        EXPECT_EQ(CheckStoreInvariants(m_store), "");
        LastTaskId::Set(m_savedLastId);
        Clock::SetToday(0);
    }

    int Add(const TaskFields& fields)
    {
        TaskRecord record;
        record.Title = QString::fromUtf8(fields.title);
        record.Date = fields.date;
        record.Priority = fields.priority;
        record.Completed = fields.completed;
        record.Category = fields.category;
        record.Icon = fields.icon;
        return m_store.AddTask(record, true);
    }

    QString TitleOf(int index) const
    {
        const TaskRecord* task = m_store.GetTask(index);
        return task ? task->Title : QString();
    }

    CalendarStore m_store;
    quint32 m_savedLastId = 0;
};

// ---- Document

TEST(CalendarStoreConstructionTest, StartsEmptyUntitledAndUnmodified)
{
    const CalendarStore store;
    EXPECT_EQ(store.CurrentTaskId(), -1);
    EXPECT_FALSE(store.Modified());
    EXPECT_TRUE(store.Untitled());
    EXPECT_FALSE(store.BackupDone());
    EXPECT_TRUE(store.FilePath().isEmpty());
    EXPECT_EQ(store.CategorySelection(), CalendarStore::kAllCategories);
    EXPECT_EQ(store.IconFilter(), 0u);
    EXPECT_EQ(store.TaskCount(), 0);
    EXPECT_EQ(store.DayListCount(), 0);
    EXPECT_EQ(store.DayMarkCount(), 0);
    EXPECT_EQ(store.Categories().Count(), 0);
}

TEST_F(CalendarStoreTest, ResetToDefaultsGivesThreeCategoriesWithoutModifying)
{
    EXPECT_EQ(m_store.Categories().Count(), 3);
    EXPECT_FALSE(m_store.Modified());
    EXPECT_TRUE(m_store.Untitled());
}

TEST_F(CalendarStoreTest, ClearEmptiesTablesAndFlagsButKeepsPathAndIdCounter)
{
    m_store.SetFilePath(QStringLiteral("/tmp/a.vrx"));
    Add({"Call", kMar15});
    m_store.SetCurrent(0);
    m_store.SetCategorySelection(1);
    m_store.SetIconFilterOn(true);
    m_store.SetDayMark(DayMark{kMar15, kMarkFlight, QString()});
    m_store.SetBackupDone(true);

    m_store.Clear();
    EXPECT_EQ(m_store.TaskCount(), 0);
    EXPECT_EQ(m_store.DayListCount(), 0);
    EXPECT_EQ(m_store.DayMarkCount(), 0);
    EXPECT_EQ(m_store.Categories().TableSize(), 0);
    EXPECT_EQ(m_store.CategorySelection(), CalendarStore::kAllCategories);
    EXPECT_EQ(m_store.IconFilter(), 0u);
    EXPECT_EQ(m_store.CurrentTaskId(), -1);
    EXPECT_FALSE(m_store.Modified());
    EXPECT_FALSE(m_store.BackupDone());
    EXPECT_FALSE(m_store.Untitled());
    EXPECT_EQ(m_store.FilePath(), QStringLiteral("/tmp/a.vrx"));
    EXPECT_EQ(LastTaskId::Value(), 1u);
}

TEST_F(CalendarStoreTest, SettingAPathClearsUntitled)
{
    m_store.SetFilePath(QString());
    EXPECT_TRUE(m_store.Untitled());
    m_store.SetFilePath(QStringLiteral("/home/me/Orbelin.vrx"));
    EXPECT_FALSE(m_store.Untitled());
    m_store.ResetToDefaults();
    EXPECT_TRUE(m_store.Untitled());
}

// ---- Adding

TEST_F(CalendarStoreTest, AddTaskGivesNextIndexAndIdAndFilesByPriority)
{
    LastTaskId::Set(7);
    EXPECT_EQ(Add({"A", kMar15, kPriorityHigh}), 0);
    EXPECT_EQ(Add({"B", kMar15, kPriorityLow}), 1);
    EXPECT_EQ(Add({"C", kMar15, kPriorityNormal}), 2);
    EXPECT_EQ(Add({"D", kMar15, 3}), 3);

    EXPECT_TRUE(m_store.Modified());
    EXPECT_EQ(m_store.GetTask(0)->Id, 8u);
    EXPECT_EQ(m_store.GetTask(3)->Id, 11u);
    EXPECT_EQ(m_store.GetTask(3)->Index, 3);
    EXPECT_EQ(LastTaskId::Value(), 11u);
    EXPECT_EQ(DayText(m_store, kMar15), "H:0,3 N:2 L:1");
}

TEST_F(CalendarStoreTest, AddTaskKeepsAStoredIdUnlessNewIdIsAsked)
{
    LastTaskId::Set(50);
    TaskRecord record;
    record.Title = QStringLiteral("Kept");
    record.Id = 9;
    EXPECT_EQ(m_store.GetTask(m_store.AddTask(record, false))->Id, 9u);
    EXPECT_EQ(m_store.GetTask(m_store.AddTask(record, true))->Id, 51u);
    record.Id = 0;
    EXPECT_EQ(m_store.GetTask(m_store.AddTask(record, false))->Id, 52u);
}

TEST_F(CalendarStoreTest, AddTaskRefusesARecordWithoutTitle)
{
    TaskRecord record;
    record.Date = kMar15;
    EXPECT_EQ(m_store.AddTask(record, true), -1);
    EXPECT_EQ(m_store.TaskCount(), 0);
    EXPECT_EQ(m_store.DayListCount(), 0);
    EXPECT_FALSE(m_store.Modified());
    EXPECT_EQ(LastTaskId::Value(), 0u);
}

TEST_F(CalendarStoreTest, TaskDatesAreStoredWithoutFlagBits)
{
    const int index = Add({"Week", kMar15 | kWeekFlag});
    EXPECT_EQ(m_store.GetDate(index), kMar15);
    EXPECT_NE(m_store.GetDayList(kMar15), nullptr);
    EXPECT_EQ(m_store.GetDayList(kMar15 | kWeekFlag), m_store.GetDayList(kMar15));
}

TEST_F(CalendarStoreTest, NewDocumentContinuesCountingIdsFromTheLastLoaded)
{
    LastTaskId::Set(40);
    m_store.ResetToDefaults();
    EXPECT_EQ(m_store.GetTask(Add({"First of new file", kMar15}))->Id, 41u);
}

TEST_F(CalendarStoreTest, AddTaskWithCategoryNameFindsOrMakesTheCategory)
{
    TaskRecord record;
    record.Title = QStringLiteral("Imported");
    record.Category = 2;

    const int known = m_store.AddTaskWithCategoryName(record, GetText(TextId::WorkCategoryName), true);
    EXPECT_EQ(m_store.GetCategory(known), 1);

    const int made = m_store.AddTaskWithCategoryName(record, QStringLiteral("Garden"), true);
    EXPECT_EQ(m_store.GetCategory(made), 3);
    const CategoryRecord* garden = m_store.Categories().Get(3);
    ASSERT_NE(garden, nullptr);
    EXPECT_TRUE(garden->Equals(CategoryRecord(QStringLiteral("Garden"), 0, 0, 0)));

    const int again = m_store.AddTaskWithCategoryName(record, QStringLiteral("Garden"), true);
    EXPECT_EQ(m_store.GetCategory(again), 3);
    EXPECT_EQ(m_store.Categories().Count(), 4);
}

TEST_F(CalendarStoreTest, AddTaskWithCategoryNameFilesUnnamableNamesUnderCategoryZero)
{
    TaskRecord record;
    record.Title = QStringLiteral("Imported");
    record.Category = 2;
    EXPECT_EQ(m_store.GetCategory(m_store.AddTaskWithCategoryName(record, QString(), true)), 0);
    EXPECT_EQ(m_store.GetCategory(m_store.AddTaskWithCategoryName(record, GetText(TextId::AllCategories), true)), 0);
    EXPECT_EQ(m_store.Categories().Count(), 3);
}

// ---- Day index queries

TEST_F(CalendarStoreTest, NoDateListComesFirstAndIsSkippedUnlessAsked)
{
    Add({"Dated", kMar16});
    Add({"Undated", kNoDate});
    Add({"Earlier", kMar14});

    ASSERT_EQ(m_store.DayListCount(), 3);
    EXPECT_EQ(m_store.DayListAt(0).Date, kNoDate);
    EXPECT_EQ(m_store.DayListAt(1).Date, kMar14);
    EXPECT_EQ(m_store.DayListAt(2).Date, kMar16);
    EXPECT_EQ(m_store.FirstDayFrom(kNoDate, false), 1);
    EXPECT_EQ(m_store.FirstDayFrom(kNoDate, true), 0);
}

TEST_F(CalendarStoreTest, RangeQueriesAreBoundsOnTheDates)
{
    Add({"Undated", kNoDate});
    Add({"14", kMar14});
    Add({"16", kMar16});

    struct Row
    {
        const char* name;
        PackedDate date;
        int first;
        int end;
    };
    const Row rows[] = {
        {"BeforeAll", MakeDate(2009, 1, 1), 1, 1},
        {"OnFirstDay", kMar14, 1, 2},
        {"BetweenDays", kMar15, 2, 2},
        {"OnLastDay", kMar16, 2, 3},
        {"AfterAll", kMar20, 3, 3},
        {"WeekFlagIgnored", kMar14 | kWeekFlag, 1, 2},
        {"NoDateEndsAtTheEnd", kNoDate, 1, 3},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(m_store.FirstDayFrom(row.date, false), row.first) << row.name;
        EXPECT_EQ(m_store.EndDayAfter(row.date), row.end) << row.name;
    }
    EXPECT_EQ(m_store.GetDayList(kMar15), nullptr);
    ASSERT_NE(m_store.GetDayList(kMar16), nullptr);
    EXPECT_EQ(m_store.GetDayList(kMar16)->Date, kMar16);
}

// ---- Changing tasks

TEST_F(CalendarStoreTest, MovingTheOnlyTaskOfADayRemovesItsDayList)
{
    const int lone = Add({"Lone", kMar14});
    Add({"Other", kMar16});
    m_store.SetModified(false);

    EXPECT_TRUE(m_store.SetTaskDate(lone, kMar16));
    EXPECT_EQ(m_store.GetDayList(kMar14), nullptr);
    EXPECT_EQ(m_store.DayListCount(), 1);
    EXPECT_EQ(DayText(m_store, kMar16), "H: N:1,0 L:");
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, SetTaskDateToTheSameDateChangesNothing)
{
    const int a = Add({"A", kMar15});
    Add({"B", kMar15});
    m_store.SetModified(false);
    EXPECT_TRUE(m_store.SetTaskDate(a, kMar15));
    EXPECT_EQ(DayText(m_store, kMar15), "H: N:0,1 L:");
    EXPECT_FALSE(m_store.Modified());
}

TEST_F(CalendarStoreTest, ChangesOnMissingOrDeletedSlotsReportFalse)
{
    const int gone = Add({"Gone", kMar15});
    m_store.DeleteTask(gone);
    m_store.SetModified(false);
    for (int index : {gone, -1, 5}) {
        EXPECT_FALSE(m_store.SetTaskDate(index, kMar16)) << index;
        EXPECT_FALSE(m_store.SetPriority(index, kPriorityHigh)) << index;
        EXPECT_FALSE(m_store.SetCompleted(index, 1, true)) << index;
        EXPECT_FALSE(m_store.SetIcon(index, 3)) << index;
        EXPECT_FALSE(m_store.SetCategory(index, 1)) << index;
        EXPECT_FALSE(m_store.DeleteTask(index)) << index;
        EXPECT_FALSE(m_store.SetCurrent(index)) << index;
        TaskRecord out;
        EXPECT_FALSE(m_store.CopyTask(index, out)) << index;
        EXPECT_EQ(m_store.GetTask(index), nullptr) << index;
    }
    EXPECT_FALSE(m_store.Modified());
    EXPECT_EQ(m_store.DayListCount(), 0);
}

TEST_F(CalendarStoreTest, SetPriorityMovesToTheEndOfTheNewListOnTheSameDay)
{
    const int a = Add({"A", kMar15, kPriorityHigh});
    Add({"B", kMar15, kPriorityNormal});
    const int c = Add({"C", kMar15, kPriorityHigh});
    m_store.SetModified(false);

    EXPECT_TRUE(m_store.SetPriority(a, kPriorityNormal));
    EXPECT_EQ(DayText(m_store, kMar15), "H:2 N:1,0 L:");
    EXPECT_TRUE(m_store.Modified());

    // A new value of the same sign goes to the end of that list too.
    const int d = Add({"D", kMar15, kPriorityHigh});
    EXPECT_EQ(DayText(m_store, kMar15), "H:2,3 N:1,0 L:");
    EXPECT_TRUE(m_store.SetPriority(c, 2));
    EXPECT_EQ(m_store.GetPriority(c), 2);
    EXPECT_EQ(DayText(m_store, kMar15), "H:3,2 N:1,0 L:");
    EXPECT_EQ(d, 3);

    m_store.SetModified(false);
    EXPECT_TRUE(m_store.SetPriority(c, 2));
    EXPECT_FALSE(m_store.Modified());
}

struct CompleteRow
{
    const char* name;
    quint32 startCompleted;
    quint32 value;
    bool moveToEnd;
    const char* order;
};

class CalendarStoreCompleteTest : public CalendarStoreTest,
                                  public ::testing::WithParamInterface<CompleteRow>
{
};

TEST_P(CalendarStoreCompleteTest, CompletingMovesBehindItsPriorityOnlyWithSortComp)
{
    const CompleteRow& row = GetParam();
    const int first = Add({"A", kMar15, kPriorityNormal, row.startCompleted});
    Add({"B", kMar15, kPriorityNormal});
    Add({"C", kMar15, kPriorityNormal});
    Add({"High", kMar15, kPriorityHigh});
    m_store.SetModified(false);

    EXPECT_TRUE(m_store.SetCompleted(first, row.value, row.moveToEnd));
    EXPECT_EQ(m_store.GetCompleted(first), row.value);
    EXPECT_EQ(DayText(m_store, kMar15), row.order);
    EXPECT_EQ(m_store.Modified(), row.startCompleted != row.value);
}

INSTANTIATE_TEST_SUITE_P(
    SortComp, CalendarStoreCompleteTest,
    ::testing::Values(CompleteRow{"CompleteWithSortComp", 0, 1, true, "H:3 N:1,2,0 L:"},
                      CompleteRow{"CompleteWithoutSortComp", 0, 1, false, "H:3 N:0,1,2 L:"},
                      CompleteRow{"ReopenWithSortComp", 1, 0, true, "H:3 N:0,1,2 L:"},
                      CompleteRow{"SameValueNothing", 1, 1, true, "H:3 N:0,1,2 L:"}),
    [](const ::testing::TestParamInfo<CompleteRow>& row) { return std::string(row.param.name); });

TEST_F(CalendarStoreTest, ReopenedTaskStaysWhereCompletingPutIt)
{
    const int a = Add({"A", kMar15});
    Add({"B", kMar15});
    m_store.SetCompleted(a, 1, true);
    m_store.SetCompleted(a, 0, true);
    EXPECT_EQ(DayText(m_store, kMar15), "H: N:1,0 L:");
}

TEST_F(CalendarStoreTest, SetIconAndSetCategoryMarkModifiedOnlyOnChange)
{
    const int task = Add({"A", kMar15, kPriorityNormal, 0, 1, 4});
    m_store.SetModified(false);
    EXPECT_TRUE(m_store.SetIcon(task, 4));
    EXPECT_TRUE(m_store.SetCategory(task, 1));
    EXPECT_FALSE(m_store.Modified());
    EXPECT_TRUE(m_store.SetIcon(task, 5));
    EXPECT_EQ(m_store.GetIcon(task), 5u);
    EXPECT_TRUE(m_store.Modified());
    m_store.SetModified(false);
    // A category outside the table is stored as given.
    EXPECT_TRUE(m_store.SetCategory(task, 9));
    EXPECT_EQ(m_store.GetCategory(task), 9);
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, SwapInDayOnlyForSameDateAndPriority)
{
    const int a = Add({"A", kMar15});
    const int b = Add({"B", kMar15, kPriorityHigh});
    const int c = Add({"C", kMar15});
    const int d = Add({"D", kMar16});
    const int e = Add({"E", kMar15, 3});
    m_store.SetModified(false);

    EXPECT_FALSE(m_store.SwapInDay(a, b));
    EXPECT_FALSE(m_store.SwapInDay(a, d));
    EXPECT_FALSE(m_store.SwapInDay(b, e)); // both High, but not the same priority
    EXPECT_FALSE(m_store.SwapInDay(a, a));
    EXPECT_FALSE(m_store.SwapInDay(a, 99));
    EXPECT_FALSE(m_store.Modified());

    EXPECT_TRUE(m_store.SwapInDay(c, a));
    EXPECT_EQ(DayText(m_store, kMar15), "H:1,4 N:2,0 L:");
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, UpdateTaskWithAnEqualRecordLeavesModified)
{
    const int index = Add({"A", kMar15});
    m_store.SetModified(false);
    TaskRecord record;
    ASSERT_TRUE(m_store.CopyTask(index, record));
    EXPECT_TRUE(m_store.UpdateTask(record));
    EXPECT_FALSE(m_store.Modified());
}

TEST_F(CalendarStoreTest, UpdateTaskMovesTheTaskForItsNewDateAndPriority)
{
    const int a = Add({"A", kMar15});
    Add({"B", kMar16, kPriorityLow});
    m_store.SetModified(false);

    TaskRecord record;
    m_store.CopyTask(a, record);
    record.Date = kMar16;
    record.Priority = kPriorityLow;
    record.Title = QStringLiteral("A, edited");
    EXPECT_TRUE(m_store.UpdateTask(record));
    EXPECT_EQ(DayText(m_store, kMar16), "H: N: L:1,0");
    EXPECT_EQ(m_store.GetDayList(kMar15), nullptr);
    EXPECT_TRUE(m_store.GetTask(a)->Equals(record));
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, UpdateTaskRefusesOutsideIndexesAndEmptyTitles)
{
    const int a = Add({"A", kMar15});
    m_store.SetModified(false);
    TaskRecord record;
    m_store.CopyTask(a, record);
    record.Index = 4;
    EXPECT_FALSE(m_store.UpdateTask(record));
    record.Index = -1;
    EXPECT_FALSE(m_store.UpdateTask(record));
    record.Index = a;
    record.Title.clear();
    record.Date = kMar16;
    EXPECT_FALSE(m_store.UpdateTask(record));
    EXPECT_EQ(m_store.GetDate(a), kMar15);
    EXPECT_FALSE(m_store.Modified());
}

TEST_F(CalendarStoreTest, UpdateTaskBringsADeletedSlotBack)
{
    const int a = Add({"A", kMar15});
    TaskRecord saved;
    m_store.CopyTask(a, saved);
    m_store.DeleteTask(a);
    m_store.SetModified(false);

    EXPECT_TRUE(m_store.UpdateTask(saved));
    EXPECT_TRUE(m_store.IsLive(a));
    EXPECT_EQ(DayText(m_store, kMar15), "H: N:0 L:");
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, DeleteTaskBlanksTheSlotAndDropsAnEmptyDay)
{
    const int a = Add({"A", kMar15});
    const int b = Add({"B", kMar16});
    Add({"C", kMar16});
    m_store.SetModified(false);

    EXPECT_TRUE(m_store.DeleteTask(b));
    EXPECT_EQ(DayText(m_store, kMar16), "H: N:2 L:");
    EXPECT_TRUE(m_store.DeleteTask(a));
    EXPECT_EQ(m_store.GetDayList(kMar15), nullptr);
    EXPECT_EQ(m_store.TaskCount(), 3);
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, DeleteCompletedTasksRemovesOnlyCompletedAndAlwaysMarksModified)
{
    Add({"Open", kMar15});
    Add({"Done", kMar15, kPriorityNormal, 1});
    Add({"Done alone", kMar16, kPriorityHigh, 1});
    Add({"Device done", kNoDate, kPriorityLow, 0xFFFFFFFF});
    Add({"Open undated", kNoDate, kPriorityLow});
    m_store.SetModified(false);

    EXPECT_EQ(m_store.DeleteCompletedTasks(), 3);
    EXPECT_EQ(DayIndexText(m_store), "0[H: N: L:4] " + std::to_string(kMar15) + "[H: N:0 L:] ");
    EXPECT_FALSE(m_store.IsLive(1));
    EXPECT_TRUE(m_store.Modified());

    m_store.SetModified(false);
    EXPECT_EQ(m_store.DeleteCompletedTasks(), 0);
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, CountTasksInCategoryCountsLiveTasksOnly)
{
    Add({"A", kMar15, 0, 0, 1});
    Add({"B", kMar16, 0, 0, 1});
    const int c = Add({"C", kMar16, 0, 0, 1});
    Add({"D", kMar16, 0, 0, 2});
    m_store.DeleteTask(c);
    EXPECT_EQ(m_store.CountTasksInCategory(1), 2);
    EXPECT_EQ(m_store.CountTasksInCategory(2), 1);
    EXPECT_EQ(m_store.CountTasksInCategory(0), 0);
}

// ---- Bulk moves

TEST_F(CalendarStoreTest, RescheduleDayMovesOpenTasksInReverseAndLeavesCompletedBehind)
{
    Add({"A", kMar15});
    Add({"B", kMar15});
    Add({"Done", kMar15, kPriorityNormal, 1});
    Add({"C", kMar15});
    m_store.SetModified(false);

    EXPECT_TRUE(m_store.RescheduleDay(kMar15, kMar20, CalendarStore::kAllCategories));
    EXPECT_EQ(DayText(m_store, kMar20), "H: N:3,1,0 L:");
    EXPECT_EQ(DayText(m_store, kMar15), "H: N:2 L:");
    EXPECT_EQ(m_store.GetDate(3), kMar20);
    EXPECT_EQ(m_store.GetDate(2), kMar15);
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, RescheduleDayAppendsPerPriorityAfterTheTargetsTasks)
{
    Add({"Target high", kMar20, kPriorityHigh});
    Add({"Target low", kMar20, kPriorityLow});
    Add({"High 1", kMar15, kPriorityHigh});
    Add({"Low 1", kMar15, kPriorityLow});
    Add({"High 2", kMar15, kPriorityHigh});
    Add({"Low 2", kMar15, kPriorityLow});

    EXPECT_TRUE(m_store.RescheduleDay(kMar15, kMar20, CalendarStore::kAllCategories));
    EXPECT_EQ(DayText(m_store, kMar20), "H:0,4,2 N: L:1,5,3");
    EXPECT_EQ(m_store.GetDayList(kMar15), nullptr);
}

TEST_F(CalendarStoreTest, RescheduleDayMovesOnlyTheChosenCategory)
{
    Add({"Personal", kMar15, 0, 0, 1});
    Add({"Business", kMar15, 0, 0, 2});
    Add({"Personal 2", kMar15, 0, 0, 1});

    EXPECT_TRUE(m_store.RescheduleDay(kMar15, kNoDate, 1));
    EXPECT_EQ(DayText(m_store, kNoDate), "H: N:2,0 L:");
    EXPECT_EQ(DayText(m_store, kMar15), "H: N:1 L:");
    EXPECT_EQ(m_store.GetDate(0), kNoDate);
}

TEST_F(CalendarStoreTest, RescheduleDayWithNothingToMoveChangesNothing)
{
    Add({"Done", kMar15, kPriorityNormal, 1});
    Add({"Business", kMar15, 0, 0, 2});
    m_store.SetModified(false);
    const std::string before = DayIndexText(m_store);

    EXPECT_FALSE(m_store.RescheduleDay(kMar15, kMar15, CalendarStore::kAllCategories));
    EXPECT_FALSE(m_store.RescheduleDay(kMar14, kMar20, CalendarStore::kAllCategories));
    EXPECT_FALSE(m_store.RescheduleDay(kMar15, kMar20, 1));
    EXPECT_EQ(DayIndexText(m_store), before);
    EXPECT_EQ(m_store.GetDayList(kMar20), nullptr);
    EXPECT_FALSE(m_store.Modified());
}

TEST_F(CalendarStoreTest, UpdateDueTasksBringsOnlyOverdueOpenTasksToToday)
{
    const PackedDate today = kMar16;
    Add({"Today first", today});                         // 0 stays first
    Add({"Overdue normal", kMar14});                     // 1 moves
    Add({"Undated", kNoDate});                           // 2 stays
    Add({"Overdue done", kMar14, kPriorityNormal, 1});   // 3 stays
    Add({"Future", kMar20});                             // 4 stays
    Add({"Overdue high", kMar15, kPriorityHigh});        // 5 moves
    Add({"Older overdue", MakeDate(2008, 12, 1)});       // 6 moves after 1
    m_store.SetModified(false);

    EXPECT_EQ(m_store.UpdateDueTasks(today | kWeekFlag), 3);
    EXPECT_EQ(DayText(m_store, today), "H:5 N:0,1,6 L:");
    EXPECT_EQ(m_store.GetDate(6), today);
    EXPECT_EQ(m_store.GetDate(2), kNoDate);
    EXPECT_EQ(m_store.GetDate(3), kMar14);
    EXPECT_EQ(DayText(m_store, kMar14), "H: N:3 L:");
    EXPECT_EQ(m_store.GetDayList(kMar15), nullptr);
    EXPECT_EQ(m_store.GetDayList(MakeDate(2008, 12, 1)), nullptr);
    EXPECT_EQ(DayText(m_store, kMar20), "H: N:4 L:");
    EXPECT_TRUE(m_store.Modified());

    m_store.SetModified(false);
    EXPECT_EQ(m_store.UpdateDueTasks(today), 0);
    EXPECT_FALSE(m_store.Modified());
}

// ---- Current task

TEST_F(CalendarStoreTest, CurrentTaskIsRememberedByIdAndMarksModifiedOnChange)
{
    LastTaskId::Set(20);
    Add({"A", kMar15});
    const int b = Add({"B", kMar15});
    m_store.SetModified(false);

    EXPECT_TRUE(m_store.SetCurrent(b));
    EXPECT_EQ(m_store.CurrentTaskId(), 22);
    EXPECT_TRUE(m_store.Modified());

    m_store.SetModified(false);
    EXPECT_TRUE(m_store.SetCurrent(b));
    EXPECT_FALSE(m_store.Modified());

    // Moving the task keeps it current: the Id does not change.
    m_store.SetTaskDate(b, kMar20);
    EXPECT_EQ(m_store.CurrentTaskId(), qint32(m_store.GetTask(b)->Id));

    m_store.SetModified(false);
    EXPECT_TRUE(m_store.ClearCurrent());
    EXPECT_EQ(m_store.CurrentTaskId(), -1);
    EXPECT_TRUE(m_store.Modified());
    m_store.SetModified(false);
    EXPECT_FALSE(m_store.ClearCurrent());
    EXPECT_FALSE(m_store.Modified());
}

// ---- Categories

TEST_F(CalendarStoreTest, AddCategoryMarksModifiedOnlyOnSuccess)
{
    EXPECT_EQ(m_store.AddCategory(CategoryRecord(GetText(TextId::WorkCategoryName), 0, 0, 0)), -1);
    EXPECT_FALSE(m_store.Modified());
    EXPECT_EQ(m_store.AddCategory(CategoryRecord(QStringLiteral("Garden"), 3, 0, 0)), 3);
    EXPECT_TRUE(m_store.Modified());
    EXPECT_EQ(m_store.FindCategory(QStringLiteral("Garden")), 3);
    EXPECT_EQ(m_store.FindCategory(QStringLiteral("garden")), -1);
}

TEST_F(CalendarStoreTest, ReplaceCategoriesMovesTasksOfRemovedCategoriesToZero)
{
    const int personal = Add({"Personal", kMar15, 0, 0, 1});
    const int business = Add({"Business", kMar15, 0, 0, 2});
    const int stray = Add({"Stray", kMar15, 0, 0, 17});
    const int gone = Add({"Gone", kMar15, 0, 0, 1});
    m_store.DeleteTask(gone);
    m_store.SetModified(false);

    CategoryList edited = m_store.Categories();
    edited.Delete(1);
    edited.Add(CategoryRecord(QStringLiteral("Hobby"), 0, 0, 0));
    m_store.ReplaceCategories(edited);

    EXPECT_EQ(m_store.GetCategory(personal), 0);
    EXPECT_EQ(m_store.GetCategory(business), 2);
    EXPECT_EQ(m_store.GetCategory(stray), 0);
    EXPECT_EQ(m_store.Categories().Count(), 3);
    EXPECT_EQ(m_store.FindCategory(QStringLiteral("Hobby")), 3);
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, SetCategorySelectionMarksModifiedOnChange)
{
    m_store.SetCategorySelection(CalendarStore::kAllCategories);
    EXPECT_FALSE(m_store.Modified());
    m_store.SetCategorySelection(2);
    EXPECT_EQ(m_store.CategorySelection(), 2);
    EXPECT_TRUE(m_store.Modified());
}

namespace {

std::string MenuText(const QList<MenuItemDesc>& items)
{
    std::string text;
    for (const MenuItemDesc& item : items) {
        if (item.separator) {
            text += "---|";
            continue;
        }
        text += item.label.toStdString() + "=" + std::to_string(item.commandId)
            + (item.radioChecked ? "*" : "") + "|";
    }
    return text;
}

} // namespace

TEST_F(CalendarStoreTest, CategoryMenuListsPositionsOneUpThenTheDefaultThenTheEditor)
{
    m_store.AddCategory(CategoryRecord(QStringLiteral("Travel"), 0, 0, 0)); // index 3
    CategoryList edited = m_store.Categories();
    edited.MoveUp(3);
    m_store.ReplaceCategories(edited);
    const std::string personal = GetText(TextId::WorkCategoryName).toStdString();
    const std::string business = GetText(TextId::PersonalCategoryName).toStdString();
    const std::string unfiled = GetText(TextId::DefaultCategoryName).toStdString();
    const std::string all = GetText(TextId::AllCategories).toStdString();
    const std::string editor = GetText(TextId::EditCategoriesMenu).toStdString();

    EXPECT_EQ(MenuText(m_store.CategoryMenu(2, false)),
              personal + "=3|Travel=5|" + business + "=4*|" + unfiled + "=2|---|" + editor + "=1|");
    EXPECT_EQ(MenuText(m_store.CategoryMenu(CalendarStore::kAllCategories, true)),
              all + "=2147483647*|---|" + personal + "=3|Travel=5|" + business + "=4|" + unfiled
                  + "=2|---|" + editor + "=1|");
    EXPECT_EQ(MenuText(m_store.CategoryMenu(0, true)),
              all + "=2147483647|---|" + personal + "=3|Travel=5|" + business + "=4|" + unfiled
                  + "=2*|---|" + editor + "=1|");
}

TEST_F(CalendarStoreTest, CategoryMenuMarksNothingForAnUnlistedSelection)
{
    CategoryList edited = m_store.Categories();
    edited.Delete(2);
    m_store.ReplaceCategories(edited);
    for (qint32 selected : {2, 9, CalendarStore::kAllCategories}) {
        const QList<MenuItemDesc> items = m_store.CategoryMenu(selected, false);
        ASSERT_EQ(items.size(), 4);
        for (const MenuItemDesc& item : items)
            EXPECT_FALSE(item.radioChecked) << selected;
    }
}

// ---- Filters

TEST_F(CalendarStoreTest, IconFilterBitsAndModifiedFlag)
{
    m_store.SetIconFilterIcon(5);
    EXPECT_EQ(m_store.IconFilter(), 5u);
    EXPECT_FALSE(m_store.IconFilterOn());
    EXPECT_TRUE(m_store.Modified());

    m_store.SetModified(false);
    m_store.SetIconFilterOn(true);
    EXPECT_EQ(m_store.IconFilter(), 0x80000005u);
    EXPECT_EQ(m_store.IconFilterIcon(), 5u);
    EXPECT_TRUE(m_store.Modified());

    m_store.SetModified(false);
    m_store.SetIconFilterOn(true);
    m_store.SetIconFilterIcon(5);
    EXPECT_FALSE(m_store.Modified());

    m_store.SetIconFilterIcon(0xFFFFFFFF);
    EXPECT_EQ(m_store.IconFilter(), 0xFFFFFFFFu);
    m_store.SetIconFilterOn(false);
    EXPECT_EQ(m_store.IconFilter(), 0x7FFFFFFFu);
}

TEST_F(CalendarStoreTest, IconFilterUsesTheCategoryIconForTasksWithoutOne)
{
    CategoryList edited = m_store.Categories();
    edited.Add(CategoryRecord(QStringLiteral("Removed"), 2, 0, 0)); // index 3
    edited.Delete(3);
    m_store.ReplaceCategories(edited);

    struct Row
    {
        const char* name;
        qint32 category;
        quint32 icon;
        bool passes;
    };
    // Filter on icon 2: the icon of default category 2.
    const Row rows[] = {
        {"OwnIconMatches", 0, 2, true},
        {"OwnIconDiffers", 2, 1, false},
        {"CategoryIconMatches", 2, 0, true},
        {"CategoryIconDiffers", 1, 0, false},
        {"CategoryWithoutIcon", 0, 0, false},
        {"CategoryDeleted", 3, 0, false},
        {"CategoryOutsideTable", 42, 0, false},
        {"CategoryNegative", -5, 0, false},
    };
    m_store.SetIconFilterIcon(2);
    for (const Row& row : rows) {
        TaskRecord task;
        task.Title = QStringLiteral("T");
        task.Category = row.category;
        task.Icon = row.icon;
        m_store.SetIconFilterOn(false);
        EXPECT_TRUE(m_store.PassesIconFilter(task)) << row.name;
        m_store.SetIconFilterOn(true);
        EXPECT_EQ(m_store.PassesIconFilter(task), row.passes) << row.name;
    }
}

TEST_F(CalendarStoreTest, PassesCategoryWithAllOrTheSameCategory)
{
    TaskRecord task;
    task.Category = 1;
    EXPECT_TRUE(m_store.PassesCategory(task));
    m_store.SetCategorySelection(1);
    EXPECT_TRUE(m_store.PassesCategory(task));
    m_store.SetCategorySelection(2);
    EXPECT_FALSE(m_store.PassesCategory(task));
}

TEST_F(CalendarStoreTest, CountDayCountsWhatTheViewShows)
{
    Add({"High open", kMar15, kPriorityHigh, 0, 1});
    Add({"High done", kMar15, kPriorityHigh, 1, 2});
    Add({"Normal done", kMar15, kPriorityNormal, 1, 1});
    Add({"Normal icon 7", kMar15, kPriorityNormal, 0, 2, 7});
    Add({"Low open", kMar15, kPriorityLow, 0, 0});
    const DayList& day = *m_store.GetDayList(kMar15);

    struct Row
    {
        const char* name;
        bool high, normal, low;
        qint32 category;
        bool iconFilterOn;
        quint32 icon;
        int shown, completed;
    };
    const Row rows[] = {
        {"Everything", true, true, true, CalendarStore::kAllCategories, false, 0, 5, 2},
        {"HighOnly", true, false, false, CalendarStore::kAllCategories, false, 0, 2, 1},
        {"NormalAndLow", false, true, true, CalendarStore::kAllCategories, false, 0, 3, 1},
        {"NoPriority", false, false, false, CalendarStore::kAllCategories, false, 0, 0, 0},
        {"CategoryOne", true, true, true, 1, false, 0, 2, 1},
        {"CategoryTwoHigh", true, false, false, 2, false, 0, 1, 1},
        {"IconOfCategoryOne", true, true, true, CalendarStore::kAllCategories, true, 1, 2, 1},
        {"OwnIcon", true, true, true, CalendarStore::kAllCategories, true, 7, 1, 0},
        {"IconAndCategory", true, true, true, 2, true, 2, 1, 1},
    };
    for (const Row& row : rows) {
        ViewState view;
        view.ShowPrioHigh = row.high;
        view.ShowPrioNormal = row.normal;
        view.ShowPrioLow = row.low;
        m_store.SetCategorySelection(row.category);
        m_store.SetIconFilterOn(row.iconFilterOn);
        m_store.SetIconFilterIcon(row.icon);
        int shown = -1;
        int completed = -1;
        m_store.CountDay(day, view, shown, completed);
        EXPECT_EQ(shown, row.shown) << row.name;
        EXPECT_EQ(completed, row.completed) << row.name;
    }
}

// ---- Day marks

TEST_F(CalendarStoreTest, GetDayMarkWithoutAMarkGivesOnlyTheDate)
{
    DayMark mark;
    EXPECT_FALSE(m_store.GetDayMark(kMar15, mark));
    EXPECT_EQ(mark.Date, kMar15);
    EXPECT_TRUE(mark.IsEmpty());
}

TEST_F(CalendarStoreTest, SetDayMarkInsertsReplacesAndRemoves)
{
    EXPECT_FALSE(m_store.SetDayMark(DayMark{kMar15, 0, QString()}));
    EXPECT_FALSE(m_store.Modified());

    EXPECT_TRUE(m_store.SetDayMark(DayMark{kMar20, kMarkHoliday, QString()}));
    EXPECT_TRUE(m_store.SetDayMark(DayMark{kMar15, kMarkFlight, QString()}));
    EXPECT_TRUE(m_store.SetDayMark(DayMark{kMar16, 0, QStringLiteral("Dentist")}));
    ASSERT_EQ(m_store.DayMarkCount(), 3);
    EXPECT_EQ(m_store.DayMarkAt(0).Date, kMar15);
    EXPECT_EQ(m_store.DayMarkAt(1).Date, kMar16);
    EXPECT_EQ(m_store.DayMarkAt(2).Date, kMar20);
    EXPECT_TRUE(m_store.Modified());

    m_store.SetModified(false);
    EXPECT_FALSE(m_store.SetDayMark(DayMark{kMar16, 0, QStringLiteral("Dentist")}));
    EXPECT_FALSE(m_store.Modified());
    EXPECT_TRUE(m_store.SetDayMark(DayMark{kMar16, 0, QStringLiteral("dentist")}));
    DayMark stored;
    EXPECT_TRUE(m_store.GetDayMark(kMar16, stored));
    EXPECT_EQ(stored.Note, QStringLiteral("dentist"));
    EXPECT_TRUE(m_store.Modified());
}

TEST_F(CalendarStoreTest, ClearingTheLastFlagOfANoteLessMarkRemovesIt)
{
    // Toggling Flight twice, as the menu command does.
    for (int toggle = 0; toggle < 2; ++toggle) {
        m_store.SetModified(false);
        DayMark mark;
        m_store.GetDayMark(kMar15, mark);
        mark.Flags ^= kMarkFlight;
        EXPECT_TRUE(m_store.SetDayMark(mark));
        EXPECT_TRUE(m_store.Modified());
    }
    DayMark mark;
    EXPECT_FALSE(m_store.GetDayMark(kMar15, mark));
    EXPECT_EQ(m_store.DayMarkCount(), 0);
}

// ---- Loading

TEST_F(CalendarStoreTest, LoadedTasksKeepTheFileOrderAndIdsWithoutModifying)
{
    m_store.Clear();
    LastTaskId::Set(30);
    const struct
    {
        PackedDate date;
        qint32 priority;
        quint32 id;
    } file[] = {{kNoDate, kPriorityLow, 4}, {kMar15, kPriorityHigh, 9}, {kMar15, kPriorityHigh, 2},
                {kMar15, kPriorityNormal, 7}, {kMar15, kPriorityLow, 3}, {kMar16, kPriorityNormal, 30}};
    int expected = 0;
    for (const auto& entry : file) {
        TaskRecord record;
        record.Title = QStringLiteral("T");
        record.Date = entry.date;
        record.Priority = entry.priority;
        record.Id = entry.id;
        record.Index = 77;
        EXPECT_EQ(m_store.AppendLoadedTask(record), expected++);
    }
    EXPECT_EQ(DayIndexText(m_store), "0[H: N: L:0] " + std::to_string(kMar15) + "[H:1,2 N:3 L:4] "
                                         + std::to_string(kMar16) + "[H: N:5 L:] ");
    EXPECT_EQ(m_store.GetTask(1)->Id, 9u);
    EXPECT_EQ(m_store.GetTask(1)->Index, 1);
    EXPECT_EQ(LastTaskId::Value(), 30u);
    EXPECT_FALSE(m_store.Modified());
}

TEST_F(CalendarStoreTest, LoadedTasksOutOfOrderStillKeepTheDayIndexSorted)
{
    m_store.Clear();
    LastTaskId::Set(5);
    TaskRecord record;
    record.Title = QStringLiteral("T");
    const PackedDate dates[] = {kMar20, kMar15, kMar20, kNoDate};
    for (PackedDate date : dates) {
        record.Date = date;
        record.Id = 8;
        m_store.AppendLoadedTask(record);
    }
    EXPECT_EQ(DayIndexText(m_store), "0[H: N:3 L:] " + std::to_string(kMar15) + "[H: N:1 L:] "
                                         + std::to_string(kMar20) + "[H: N:0,2 L:] ");
    // An Id above the stored counter raises it; Id 0 gets a fresh one.
    EXPECT_EQ(LastTaskId::Value(), 8u);
    record.Id = 0;
    EXPECT_EQ(m_store.GetTask(m_store.AppendLoadedTask(record))->Id, 9u);
    record.Title.clear();
    EXPECT_EQ(m_store.AppendLoadedTask(record), -1);
    EXPECT_EQ(m_store.TaskCount(), 5);
}

TEST_F(CalendarStoreTest, DiscardingLoadedTasksKeepsCategoriesAndMarks)
{
    m_store.Clear();
    m_store.AddCategory(CategoryRecord(QStringLiteral("Work"), 0, 0, 0));
    m_store.AppendLoadedMark(DayMark{kMar15, kMarkFlight, QString()});
    TaskRecord record;
    record.Title = QStringLiteral("Half read");
    record.Date = kMar15;
    m_store.AppendLoadedTask(record);

    m_store.DiscardLoadedTasks();
    EXPECT_EQ(m_store.TaskCount(), 0);
    EXPECT_EQ(m_store.DayListCount(), 0);
    EXPECT_EQ(m_store.Categories().Count(), 1);
    EXPECT_EQ(m_store.DayMarkCount(), 1);
    EXPECT_EQ(m_store.AppendLoadedTask(record), 0);
}

TEST_F(CalendarStoreTest, LoadedMarksAreSortedAndDoNotModify)
{
    m_store.Clear();
    EXPECT_TRUE(m_store.AppendLoadedMark(DayMark{kMar20, kMarkFlight, QString()}));
    EXPECT_TRUE(m_store.AppendLoadedMark(DayMark{kMar15, 0, QStringLiteral("Note")}));
    EXPECT_FALSE(m_store.AppendLoadedMark(DayMark{kMar16, 0, QString()}));
    EXPECT_FALSE(m_store.AppendLoadedMark(DayMark{kMar20, 0, QString()}));
    ASSERT_EQ(m_store.DayMarkCount(), 2);
    EXPECT_EQ(m_store.DayMarkAt(0).Date, kMar15);
    EXPECT_EQ(m_store.DayMarkAt(1).Flags, kMarkFlight);
    EXPECT_FALSE(m_store.Modified());
    m_store.SetLoadedCurrentTaskId(12);
    EXPECT_EQ(m_store.CurrentTaskId(), 12);
    EXPECT_FALSE(m_store.Modified());
}
