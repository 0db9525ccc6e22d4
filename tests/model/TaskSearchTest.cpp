#include "model/CalendarStore.h"
#include "model/LastTaskId.h"
#include "model/TaskSearch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class TaskSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_lastTaskId = LastTaskId::Value();
        m_store.ResetToDefaults();
        // Added out of date order; the walk goes by day, High, Normal, Low.
        m_late = Add(u"Renew the PASSPORT"_s, u""_s, MakeDate(2025, 3, 2), kPriorityNormal, 1);
        m_noteOnly = Add(u"Visa papers"_s, u"bring old passport\r\nand photos"_s, MakeDate(2025, 3, 1), kPriorityLow, 2);
        m_early = Add(u"Passport photos"_s, u""_s, MakeDate(2025, 3, 1), kPriorityHigh, 1);
        m_undated = Add(u"Find passport"_s, u""_s, kNoDate, kPriorityNormal, 0);
        m_other = Add(u"Water the plants"_s, u"weekly"_s, MakeDate(2025, 3, 1), kPriorityNormal, 1);
    }
    void TearDown() override { LastTaskId::Set(m_lastTaskId); }

    int Add(const QString& title, const QString& note, PackedDate date, qint32 priority, qint32 category)
    {
        TaskRecord task;
        task.Title = title;
        task.Note = note;
        task.Date = date;
        task.Priority = priority;
        task.Category = category;
        return m_store.AddTask(task, true);
    }

    std::vector<int> Found(const SearchCriteria& criteria) const
    {
        std::vector<int> found;
        EXPECT_TRUE(TaskSearch(criteria).Scan(m_store, nullptr, [&found](int index) { found.push_back(index); }));
        return found;
    }

    quint32 m_lastTaskId = 0;
    CalendarStore m_store;
    int m_late = -1, m_noteOnly = -1, m_early = -1, m_undated = -1, m_other = -1;
};

TEST_F(TaskSearchTest, FindsTextInTitleOrNoteWhateverItsCase)
{
    SearchCriteria criteria;
    criteria.Text = u"PassPort"_s;
    criteria.IncludeNoDate = true;
    // Undated first, then 1 March High, Low, then 2 March.
    EXPECT_EQ(Found(criteria), (std::vector<int>{m_undated, m_early, m_noteOnly, m_late}));

    const TaskSearch search(criteria);
    EXPECT_TRUE(search.Matches(*m_store.GetTask(m_noteOnly)));
    EXPECT_FALSE(search.Matches(*m_store.GetTask(m_other)));
}

TEST_F(TaskSearchTest, NonAsciiLettersMatchInEitherCase)
{
    const int index = Add(u"Call Müller about the ÉCOLE"_s, u""_s, MakeDate(2025, 4, 1), kPriorityNormal, 0);
    for (const QString& text : {u"MÜLLER"_s, u"école"_s}) {
        SearchCriteria criteria;
        criteria.Text = text;
        EXPECT_EQ(Found(criteria), std::vector<int>{index}) << text.toStdString();
    }
}

TEST_F(TaskSearchTest, UndatedTasksOnlyWithAnOpenStartAndTheSetting)
{
    SearchCriteria criteria;
    criteria.Text = u"find"_s;
    EXPECT_TRUE(Found(criteria).empty());
    criteria.IncludeNoDate = true;
    EXPECT_EQ(Found(criteria), std::vector<int>{m_undated});
    criteria.Start = MakeDate(2025, 1, 1);
    EXPECT_TRUE(Found(criteria).empty());
}

TEST_F(TaskSearchTest, RangeAndCategoryNarrowTheWalk)
{
    SearchCriteria criteria;
    criteria.Text = u"passport"_s;
    // A one-day range, given with the week flag as the views hold dates.
    criteria.Start = MakeDate(2025, 3, 1) | kWeekFlag;
    criteria.End = MakeDate(2025, 3, 1);
    EXPECT_EQ(Found(criteria), (std::vector<int>{m_early, m_noteOnly}));
    criteria.Category = 1;
    EXPECT_EQ(Found(criteria), std::vector<int>{m_early});
    criteria.Start = MakeDate(2025, 3, 2);
    criteria.End = kNoDate;
    EXPECT_EQ(Found(criteria), std::vector<int>{m_late});
}

TEST_F(TaskSearchTest, EmptyTextFindsEveryTaskOfTheCategory)
{
    SearchCriteria criteria;
    criteria.Category = 1;
    EXPECT_EQ(Found(criteria), (std::vector<int>{m_early, m_other, m_late}));
}

TEST_F(TaskSearchTest, DeletedTasksAreNotFound)
{
    ASSERT_TRUE(m_store.DeleteTask(m_late));
    SearchCriteria criteria;
    criteria.Text = u"renew"_s;
    EXPECT_TRUE(Found(criteria).empty());
}

TEST_F(TaskSearchTest, StopEndsTheWalkBeforeTheNextTask)
{
    SearchCriteria criteria;
    criteria.Text = u"passport"_s;
    std::atomic<bool> stop{false};
    std::vector<int> found;
    const bool finished = TaskSearch(criteria).Scan(m_store, &stop, [&](int index) {
        found.push_back(index);
        stop = true;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(found, std::vector<int>{m_early});
}

} // namespace
