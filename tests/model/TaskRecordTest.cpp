#include "model/CalendarStore.h"
#include "model/LastTaskId.h"
#include "model/TaskRecord.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TaskRecord FilledRecord()
{
    TaskRecord record;
    record.Index = 4;
    record.Priority = kPriorityHigh;
    record.Completed = 1;
    record.Category = 2;
    record.Date = MakeDate(2009, 3, 15);
    record.Icon = 7;
    record.Title = QStringLiteral("Call the bank");
    record.Note = QStringLiteral("Ask about the Loan");
    record.Id = 12;
    return record;
}

} // namespace

TEST(TaskRecordTest, BlankRecordHasNoIndexNoIdAndIsNotLive)
{
    const TaskRecord blank;
    EXPECT_EQ(blank.Index, -1);
    EXPECT_EQ(blank.Id, 0u);
    EXPECT_EQ(blank.Priority, 0);
    EXPECT_EQ(blank.Completed, 0u);
    EXPECT_EQ(blank.Category, 0);
    EXPECT_EQ(blank.Date, kNoDate);
    EXPECT_EQ(blank.Icon, 0u);
    EXPECT_TRUE(blank.Title.isEmpty());
    EXPECT_TRUE(blank.Note.isEmpty());
    EXPECT_FALSE(blank.IsLive());
}

TEST(TaskRecordTest, ResetMakesAFilledRecordBlank)
{
    TaskRecord record = FilledRecord();
    ASSERT_TRUE(record.IsLive());
    record.Reset();
    EXPECT_TRUE(record.Equals(TaskRecord()));
}

TEST(TaskRecordTest, CopyKeepsAllNineFields)
{
    const TaskRecord original = FilledRecord();
    TaskRecord assigned;
    assigned = original;
    EXPECT_TRUE(TaskRecord(original).Equals(original));
    EXPECT_TRUE(assigned.Equals(original));
    EXPECT_EQ(assigned.Index, 4);
    EXPECT_EQ(assigned.Id, 12u);
}

struct EqualsRow
{
    const char* name;
    std::function<void(TaskRecord&)> change;
};

class TaskRecordEqualsTest : public ::testing::TestWithParam<EqualsRow>
{
};

TEST_P(TaskRecordEqualsTest, AnyDifferenceMakesRecordsUnequal)
{
    const TaskRecord original = FilledRecord();
    TaskRecord changed = original;
    GetParam().change(changed);
    EXPECT_FALSE(changed.Equals(original));
    EXPECT_FALSE(original.Equals(changed));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TaskRecordEqualsTest,
    ::testing::Values(EqualsRow{"Index", [](TaskRecord& r) { r.Index = 5; }},
                      EqualsRow{"Priority", [](TaskRecord& r) { r.Priority = kPriorityLow; }},
                      EqualsRow{"Completed", [](TaskRecord& r) { r.Completed = 0; }},
                      EqualsRow{"Category", [](TaskRecord& r) { r.Category = 0; }},
                      EqualsRow{"Date", [](TaskRecord& r) { r.Date = MakeDate(2009, 3, 16); }},
                      EqualsRow{"Icon", [](TaskRecord& r) { r.Icon = 0; }},
                      EqualsRow{"TitleCase", [](TaskRecord& r) { r.Title = QStringLiteral("call the bank"); }},
                      EqualsRow{"NoteCaseOfOneLetter", [](TaskRecord& r) { r.Note = QStringLiteral("Ask about the loan"); }},
                      EqualsRow{"NoteTrailingSpace", [](TaskRecord& r) { r.Note += QLatin1Char(' '); }},
                      EqualsRow{"Id", [](TaskRecord& r) { r.Id = 13; }}),
    [](const ::testing::TestParamInfo<EqualsRow>& row) { return std::string(row.param.name); });

TEST(TaskRecordTest, PriorityFilesBySignOnly)
{
    EXPECT_EQ(ClassOfPriority(5), PriorityClass::High);
    EXPECT_EQ(ClassOfPriority(1), PriorityClass::High);
    EXPECT_EQ(ClassOfPriority(0), PriorityClass::Normal);
    EXPECT_EQ(ClassOfPriority(-1), PriorityClass::Low);
    EXPECT_EQ(ClassOfPriority(-7), PriorityClass::Low);
}

class TaskRecordInStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedLastId = LastTaskId::Value();
        LastTaskId::Set(100);
        m_store.ResetToDefaults();
    }
    void TearDown() override { LastTaskId::Set(m_savedLastId); }

    int Add(const QString& title)
    {
        TaskRecord record;
        record.Title = title;
        record.Date = MakeDate(2009, 6, 1);
        return m_store.AddTask(record, true);
    }

    CalendarStore m_store;
    quint32 m_savedLastId = 0;
};

TEST_F(TaskRecordInStoreTest, DuplicateOfCompletedTaskKeepsCompletionAndDateWithNewIdAndIndex)
{
    TaskRecord original = FilledRecord();
    original.Index = -1;
    const int first = m_store.AddTask(original, true);
    TaskRecord copy;
    ASSERT_TRUE(m_store.CopyTask(first, copy));

    const int duplicate = m_store.AddTask(copy, true);
    const TaskRecord* added = m_store.GetTask(duplicate);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(duplicate, first + 1);
    EXPECT_EQ(added->Index, duplicate);
    EXPECT_EQ(added->Id, copy.Id + 1);
    EXPECT_EQ(added->Completed, 1u);
    EXPECT_EQ(added->Date, original.Date);
    EXPECT_EQ(added->Title, original.Title);
    EXPECT_EQ(added->Note, original.Note);
}

TEST_F(TaskRecordInStoreTest, DeletingATaskKeepsTheIndexesOfTheOthers)
{
    for (int n = 1; n <= 5; ++n)
        Add(QStringLiteral("Task %1").arg(n));
    ASSERT_TRUE(m_store.DeleteTask(3));

    EXPECT_EQ(m_store.TaskCount(), 5);
    EXPECT_EQ(m_store.GetTask(3), nullptr);
    EXPECT_FALSE(m_store.IsLive(3));
    ASSERT_NE(m_store.GetTask(4), nullptr);
    EXPECT_EQ(m_store.GetTask(4)->Index, 4);
    EXPECT_EQ(m_store.GetTask(4)->Title, QStringLiteral("Task 5"));
    EXPECT_EQ(m_store.GetTask(2)->Index, 2);
    EXPECT_FALSE(m_store.DeleteTask(3));
}
