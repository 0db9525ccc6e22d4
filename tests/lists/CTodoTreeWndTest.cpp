#include "TreeFixture.h"

#include "model/DateFormat.h"
#include "model/LanguageModule.h"
#include "support/TestTables.h"

#include <QSignalSpy>

namespace {

enum class Where { Day, NoDate, Week, List };

struct RebuildCase
{
    std::string name;
    Where where;
    int groupScheme;
    bool sortComp;
    const char* expected;
    int shape;
    bool hideComplete = false;
    bool showLow = true;
    PackedDate from = kNoDate; // List view range, or the day / week shown
    PackedDate to = kNoDate;
    bool noDate = false;
    int startWeekDay = kWeekStartsSunday;
};
using testtables::PrintTo;

PackedDate Mar(int day)
{
    return MakeDate(2009, 3, day);
}

// See the fixture calendar in TreeFixture.h: categories in the order 0, 2, 1.
const RebuildCase kRebuildCases[] = {
    // A single day: no groups, high, normal, low.
    {"DayByDate", Where::Day, 1, false, "B A D C", 1},
    {"DayFlatSortComp", Where::Day, 0, true, "B A C D", 1},
    {"DayHideComplete", Where::Day, 1, false, "B A C", 1, true},
    {"DayByCategory", Where::Day, 2, false, "C0[B] C2[D,C] C1[A]", 2},
    {"DayByCategorySortComp", Where::Day, 3, true, "C0[B] C2[C,D] C1[A]", 2},
    {"DayByCategoryLowHidden", Where::Day, 2, false, "C0[B] C2[D] C1[A]", 2, false, false},
    {"NoDateView", Where::NoDate, 1, false, "H", 1},
    {"NoDateViewByCategory", Where::NoDate, 3, false, "C2[H]", 2},
    // The week of Sunday 15 March: 15 to 21.
    {"WeekFlat", Where::Week, 0, false, "B E A D F C G", 0},
    {"WeekFlatSortComp", Where::Week, 0, true, "B E A C G D F", 0},
    {"WeekByDate", Where::Week, 1, false, "D20090315[B,A,D,C] D20090316[E] D20090317[F,G]", 3},
    {"WeekByDateSortComp", Where::Week, 1, true, "D20090315[B,A,C,D] D20090316[E] D20090317[G,F]", 3},
    {"WeekByCategory", Where::Week, 2, false, "C0[B,G] C2[D,C] C1[E,A,F]", 4},
    {"WeekByCategorySortComp", Where::Week, 2, true, "C0[B,G] C2[C,D] C1[E,A,F]", 4},
    {"WeekByCategoryDayByDay", Where::Week, 3, false, "C0[B,G] C2[D,C] C1[A,E,F]", 5},
    {"WeekByCategoryDayByDaySortComp", Where::Week, 3, true, "C0[B,G] C2[C,D] C1[A,E,F]", 5},
    {"WeekHideComplete", Where::Week, 3, false, "C0[B,G] C2[C] C1[A,E]", 5, true},
    {"WeekStartingMonday", Where::Week, 0, false, "B J A D C", 0, false, true, kNoDate, kNoDate, false,
     kWeekStartsMonday},
    // The List view over every date.
    {"ListFlat", Where::List, 0, false, "B E I J A D F C G", 0},
    {"ListFlatLowHidden", Where::List, 0, false, "B E I J A D F", 0, false, false},
    {"ListByCategoryLowHiddenStillListsLow", Where::List, 2, false, "C0[B,G] C2[I,D,C] C1[E,J,A,F]", 4, false,
     false},
    {"ListByDateWithUndated", Where::List, 1, false,
     "D0[H] D20090314[J] D20090315[B,A,D,C] D20090316[E] D20090317[F,G] D20090325[I]", 3, false, true, kNoDate,
     kNoDate, true},
    {"ListFromADateLeavesOutUndated", Where::List, 0, false, "E I F G", 0, false, true, Mar(16), kNoDate, true},
    {"ListUpToADate", Where::List, 0, false, "B E J A D C", 0, false, true, kNoDate, Mar(16)},
    {"ListRangeByCategoryHideCompleteSortComp", Where::List, 3, true, "C0[B,G] C2[C] C1[A,E]", 5, true, true,
     Mar(15), Mar(17)},
    {"ListOneDayByDate", Where::List, 1, true, "D20090316[E]", 3, false, true, Mar(16), Mar(16)},
};

} // namespace

class RebuildTest : public TreeFixture, public ::testing::WithParamInterface<RebuildCase>
{
};

TEST_P(RebuildTest, GivesTheRowsOfItsShapeAllExpanded)
{
    const RebuildCase& c = GetParam();
    m_settings.SetGroupScheme(c.groupScheme);
    m_settings.SetSortComp(c.sortComp);
    m_settings.SetStartWeekDay(c.startWeekDay);
    m_view.ShowPrioLow = c.showLow;
    switch (c.where) {
    case Where::Day:
        m_view.SetViewMode(ViewState::Month);
        m_view.SelectedDate = Mar(15);
        break;
    case Where::NoDate:
        m_view.SetViewMode(ViewState::NoDate);
        break;
    case Where::Week:
        m_view.SetViewMode(ViewState::Week);
        m_view.SelectedDate = Mar(15) | kWeekFlag;
        break;
    case Where::List:
        m_settings.SetAgendaStartDate(c.from);
        m_settings.SetAgendaEndDate(c.to);
        m_settings.SetAgendaNoDate(c.noDate);
        m_view.SetViewMode(ViewState::List);
        break;
    }
    m_view.HideCompleteFlag() = c.hideComplete;
    m_wnd->Rebuild(false);

    EXPECT_EQ(m_wnd->ShapeCode(), c.shape);
    EXPECT_EQ(TreeText(), QString::fromUtf8(c.expected));
    for (int row = 0; row < Model().RowCount(TaskTreeModel::kRootNode); ++row) {
        const int node = Model().ChildAt(TaskTreeModel::kRootNode, row);
        if (TaskTreeModel::IsGroup(Model().Data(node))) {
            EXPECT_TRUE(Tree().isExpanded(Model().IndexOf(node))) << row;
        }
    }
    EXPECT_TRUE(m_prompts.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Shapes, RebuildTest, ::testing::ValuesIn(kRebuildCases), testtables::RowName<RebuildCase>);

using TodoTreeWndTest = TreeFixture;

TEST_F(TodoTreeWndTest, InvalidListRangeShowsMessage122AndLeavesTheTreeEmpty)
{
    ShowDay(Mar(15));
    ASSERT_FALSE(TreeText().isEmpty());
    m_view.SelectedTask = Task("A");
    ShowList(Mar(20), Mar(16));
    EXPECT_EQ(TreeText(), QStringLiteral(""));
    ASSERT_EQ(m_prompts.messages.size(), 1);
    EXPECT_EQ(m_prompts.messages[0].text, GetText(122));
    EXPECT_EQ(m_prompts.messages[0].buttons, UserPrompts::OkOnly);
    EXPECT_EQ(m_view.SelectedTask, -1);
}

TEST_F(TodoTreeWndTest, RebuildKeepsTheSelectedTaskUnlessToldToClearIt)
{
    m_view.SelectedTask = Task("D");
    ShowWeek(Mar(15));
    EXPECT_EQ(m_wnd->CaretTask(), Task("D"));
    EXPECT_EQ(m_view.SelectedTask, Task("D"));

    m_wnd->Rebuild(true);
    EXPECT_FALSE(m_wnd->HasCaret());
    EXPECT_EQ(m_view.SelectedTask, -1);

    // A selected task the tree does not show is forgotten.
    m_view.SelectedTask = Task("I");
    m_wnd->Rebuild(false);
    EXPECT_EQ(m_view.SelectedTask, -1);
}

TEST_F(TodoTreeWndTest, CaretReportsItsRowKindAndDate)
{
    m_settings.SetGroupScheme(2);
    ShowList();
    QSignalSpy changes(m_wnd.get(), &CTodoTreeWnd::SelectionChanged);
    m_wnd->SelectByData(2 | CTodoTreeWnd::kCategoryGroupBit);
    EXPECT_EQ(changes.count(), 0) << "selecting by data freezes the tree";
    EXPECT_EQ(m_wnd->CaretData(), 2 | CTodoTreeWnd::kCategoryGroupBit);
    EXPECT_EQ(m_wnd->CaretTask(), -1);
    EXPECT_EQ(m_wnd->CaretDate(), Mar(25)) << "the group's first task is I";

    m_wnd->SelectByData(Task("E"));
    EXPECT_EQ(m_wnd->CaretTask(), Task("E"));
    EXPECT_EQ(m_wnd->CaretDate(), Mar(16));

    m_settings.SetGroupScheme(1);
    m_wnd->Rebuild(true);
    m_wnd->SelectByData(Mar(17) | CTodoTreeWnd::kDateGroupBit);
    EXPECT_EQ(m_wnd->CaretDate(), Mar(17));

    m_wnd->SelectByData(-1);
    EXPECT_FALSE(m_wnd->HasCaret());
    EXPECT_EQ(m_wnd->CaretDate(), kNoDate);

    m_wnd->ClearSelection();
    m_wnd->SelectByData(Task("E"));
    m_wnd->ClearSelection();
    EXPECT_EQ(changes.count(), 1) << "clearing the selection outside a freeze is reported";
}

TEST_F(TodoTreeWndTest, SelectingInsideACollapsedGroupOpensIt)
{
    m_settings.SetGroupScheme(1);
    ShowWeek(Mar(15));
    m_wnd->ExpandAll(0);
    const int group = Model().Find(Mar(16) | CTodoTreeWnd::kDateGroupBit);
    ASSERT_FALSE(Tree().isExpanded(Model().IndexOf(group)));
    m_wnd->SelectByData(Task("E"));
    EXPECT_TRUE(Tree().isExpanded(Model().IndexOf(group)));
    m_wnd->ExpandAll(1);
    EXPECT_TRUE(Tree().isExpanded(Model().IndexOf(group)));
}

// ---- Edits in place

TEST_F(TodoTreeWndTest, CompletingWithSortCompMovesTheRowBelowTheOpenRowsOfItsGroup)
{
    m_settings.SetGroupScheme(1);
    m_settings.SetSortComp(true);
    ShowWeek(Mar(15));
    ASSERT_EQ(TreeText(), QStringLiteral("D20090315[B,A,C,D] D20090316[E] D20090317[G,F]"));
    m_view.SelectedTask = Task("B");
    m_wnd->SelectByData(Task("B"));
    EXPECT_TRUE(m_wnd->SetCaretTaskComplete(true));
    EXPECT_FALSE(m_wnd->SetCaretTaskComplete(true)) << "already complete";

    const QString edited = TreeText();
    EXPECT_EQ(edited, QStringLiteral("D20090315[A,C,B,D] D20090316[E] D20090317[G,F]"));
    EXPECT_EQ(m_wnd->CaretTask(), Task("B"));
    EXPECT_EQ(Model().CheckState(Model().Find(Task("B"))), TaskTreeModel::Checked);
    m_wnd->Rebuild(false);
    EXPECT_EQ(TreeText(), edited);
}

TEST_F(TodoTreeWndTest, CompletingTheOnlyTaskOfACategoryGroupUnderHideCompleteDeletesTheGroup)
{
    m_settings.SetGroupScheme(2);
    m_view.HideCompMonth = true;
    ShowDay(Mar(15));
    ASSERT_EQ(TreeText(), QStringLiteral("C0[B] C2[C] C1[A]"));
    m_view.SelectedTask = Task("B");
    m_wnd->SelectByData(Task("B"));
    EXPECT_TRUE(m_wnd->SetCaretTaskComplete(true));
    EXPECT_EQ(TreeText(), QStringLiteral("C2[C] C1[A]"));
    EXPECT_FALSE(m_wnd->HasCaret());
    EXPECT_EQ(m_view.SelectedTask, -1);
    EXPECT_NE(m_store.GetCompleted(Task("B")), 0u);
}

TEST_F(TodoTreeWndTest, MovingATaskOffTheShownDayRemovesItAndClearsTheSelection)
{
    ShowDay(Mar(15));
    m_view.SelectedTask = Task("A");
    m_wnd->SelectByData(Task("A"));
    m_wnd->SetTaskDate(Task("A"), Mar(16));
    EXPECT_EQ(TreeText(), QStringLiteral("B D C"));
    EXPECT_EQ(m_view.SelectedTask, -1);
    EXPECT_FALSE(m_wnd->HasCaret());
    EXPECT_EQ(m_store.GetDate(Task("A")), Mar(16));
}

TEST_F(TodoTreeWndTest, MovingATaskWithinTheWeekMovesItToItsDateGroup)
{
    m_settings.SetGroupScheme(1);
    ShowWeek(Mar(15));
    m_view.SelectedTask = Task("A");
    m_wnd->SelectByData(Task("A"));
    m_wnd->SetTaskDate(Task("A"), Mar(18));
    EXPECT_EQ(TreeText(), QStringLiteral("D20090315[B,D,C] D20090316[E] D20090317[F,G] D20090318[A]"));
    EXPECT_EQ(m_wnd->CaretTask(), Task("A"));
    EXPECT_EQ(Model().Text(Model().Find(Mar(18) | CTodoTreeWnd::kDateGroupBit)),
              FormatDateRelative(Mar(18), true));
    m_wnd->SetTaskDate(Task("A"), Mar(18)); // the same date: nothing
    EXPECT_EQ(m_store.GetDate(Task("A")), Mar(18));
}

TEST_F(TodoTreeWndTest, TaskDateWithoutATaskSelectsTheDayAndRebuilds)
{
    ShowDay(Mar(15));
    m_view.SelectedTask = Task("B");
    m_wnd->SetTaskDate(-1, Mar(17));
    EXPECT_EQ(m_view.SelectedDate, Mar(17));
    EXPECT_EQ(TreeText(), QStringLiteral("F G"));
    EXPECT_EQ(m_view.SelectedTask, -1);
    m_wnd->SetTaskDate(-1, kNoDate);
    EXPECT_EQ(m_view.SelectedDate, Mar(17)) << "the views keep a real day";
}

TEST_F(TodoTreeWndTest, PriorityEditMovesTheRowToItsSortedPlace)
{
    ShowDay(Mar(15));
    m_view.SelectedTask = Task("C");
    m_wnd->SelectByData(Task("C"));
    m_wnd->SetTaskPriority(Task("C"), kPriorityHigh);
    EXPECT_EQ(TreeText(), QStringLiteral("B C A D"));
    EXPECT_EQ(m_wnd->CaretTask(), Task("C"));
    m_view.ShowPrioLow = false;
    m_wnd->SetTaskPriority(Task("A"), kPriorityLow);
    EXPECT_EQ(TreeText(), QStringLiteral("B C D")) << "a priority the view hides takes the row away";
}

TEST_F(TodoTreeWndTest, CategoryEditMovesTheRowToItsGroupWhenGroupedByCategory)
{
    m_settings.SetGroupScheme(2);
    ShowDay(Mar(15));
    m_wnd->SetTaskCategory(Task("A"), 0);
    EXPECT_EQ(TreeText(), QStringLiteral("C0[B,A] C2[D,C]"));
    m_wnd->Rebuild(false);
    EXPECT_EQ(TreeText(), QStringLiteral("C0[B,A] C2[D,C]"));

    m_settings.SetGroupScheme(1);
    m_wnd->Rebuild(false);
    m_wnd->SetTaskCategory(Task("A"), 2);
    EXPECT_EQ(TreeText(), QStringLiteral("B A D C")) << "ungrouped rows stay";
    m_store.SetCategorySelection(2);
    m_wnd->Rebuild(false);
    m_wnd->SetTaskCategory(Task("A"), 1);
    EXPECT_EQ(TreeText(), QStringLiteral("D C")) << "out of the category filter";
}

TEST_F(TodoTreeWndTest, DeletingTheLastTaskOfADateGroupRemovesTheGroup)
{
    m_settings.SetGroupScheme(1);
    ShowList();
    m_wnd->SelectByData(Task("E"));
    m_wnd->DeleteByData(Task("E"));
    EXPECT_EQ(TreeText(), QStringLiteral("D20090314[J] D20090315[B,A,D,C] D20090317[F,G] D20090325[I]"));
    EXPECT_FALSE(m_wnd->HasCaret());
    m_wnd->DeleteByData(Task("A"));
    EXPECT_EQ(TreeText(), QStringLiteral("D20090314[J] D20090315[B,D,C] D20090317[F,G] D20090325[I]"));
}

TEST_F(TodoTreeWndTest, MoveUpAndDownSwapTasksOfTheSameDayAndPriority)
{
    const int second = Add("A2", Mar(15), kPriorityNormal, 1);
    ShowDay(Mar(15));
    ASSERT_EQ(TreeText(), QStringLiteral("B A D A2 C"));
    m_wnd->SelectByData(second);
    EXPECT_TRUE(m_wnd->MoveCaretTaskUp());
    EXPECT_EQ(TreeText(), QStringLiteral("B A A2 D C"));
    EXPECT_EQ(m_wnd->CaretTask(), second);
    EXPECT_TRUE(m_wnd->MoveCaretTaskUp());
    EXPECT_FALSE(m_wnd->MoveCaretTaskUp()) << "B has another priority";
    EXPECT_EQ(TreeText(), QStringLiteral("B A2 A D C"));
    m_wnd->Rebuild(false);
    EXPECT_EQ(TreeText(), QStringLiteral("B A2 A D C")) << "the store keeps the new order";
    m_wnd->SelectByData(Task("C"));
    EXPECT_FALSE(m_wnd->MoveCaretTaskDown()) << "last row";
    m_wnd->ClearSelection();
    EXPECT_FALSE(m_wnd->MoveCaretTaskDown());
}

TEST_F(TodoTreeWndTest, WithSortCompleteToEndAMoveNeverCrossesIntoTheCompleteRows)
{
    const int open = Add("Open", Mar(18), kPriorityNormal, 0);
    const int done = Add("Done", Mar(18), kPriorityNormal, 0, true);
    const int open2 = Add("Open2", Mar(18), kPriorityNormal, 0);
    m_settings.SetSortComp(true);
    ShowDay(Mar(18));
    ASSERT_EQ(TreeText(), QStringLiteral("Open Open2 Done"));
    const auto order = [&] { return m_store.GetDayList(Mar(18))->Normal; };
    const std::vector<qint32> before = order();

    m_wnd->SelectByData(open2);
    EXPECT_FALSE(m_wnd->MoveCaretTaskDown()) << "Done stays below the open rows";
    m_wnd->SelectByData(done);
    EXPECT_FALSE(m_wnd->MoveCaretTaskUp());
    EXPECT_EQ(order(), before);

    // Neighbours that a rebuild keeps together still move.
    m_wnd->SelectByData(open2);
    EXPECT_TRUE(m_wnd->MoveCaretTaskUp());
    m_wnd->Rebuild(false);
    EXPECT_EQ(TreeText(), QStringLiteral("Open2 Open Done"));
    EXPECT_EQ(order(), (std::vector<qint32>{open2, done, open}));
}

// ---- A row inserted at its sorted place sits where a rebuild puts it.

namespace {

struct InsertCase
{
    std::string name;
    Where where;
    int groupScheme;
    bool sortComp;
};

const InsertCase kInsertCases[] = {
    {"DayByDate", Where::Day, 1, false},   {"DayByDateSortComp", Where::Day, 1, true},
    {"DayByCategory", Where::Day, 2, false}, {"DayByCategorySortComp", Where::Day, 3, true},
    {"WeekFlat", Where::Week, 0, false},   {"WeekFlatSortComp", Where::Week, 0, true},
    {"WeekByDate", Where::Week, 1, false}, {"WeekByDateSortComp", Where::Week, 1, true},
    {"ListByCategory", Where::List, 2, false}, {"ListByCategorySortComp", Where::List, 2, true},
    {"ListByCategoryDayByDay", Where::List, 3, false}, {"ListByCategoryDayByDaySortComp", Where::List, 3, true},
};

} // namespace

class InsertTest : public TreeFixture, public ::testing::WithParamInterface<InsertCase>
{
};

TEST_P(InsertTest, RowLandsWhereARebuildPutsIt)
{
    const InsertCase& c = GetParam();
    m_settings.SetGroupScheme(c.groupScheme);
    m_settings.SetSortComp(c.sortComp);
    const int errands = m_store.AddCategory(CategoryRecord(QStringLiteral("Errands"), 0, 0, 0x00C000));
    if (c.where == Where::Week)
        ShowWeek(Mar(15));
    else if (c.where == Where::List)
        ShowList();
    else
        ShowDay(Mar(15));

    struct NewTask
    {
        const char* title;
        PackedDate date;
        qint32 priority;
        qint32 category;
        bool completed;
    };
    const NewTask tasks[] = {
        {"K1", Mar(15), kPriorityNormal, 1, false}, {"K2", Mar(15), kPriorityHigh, 2, true},
        {"K3", Mar(18), kPriorityLow, 0, false},    {"K4", Mar(16), kPriorityNormal, errands, false},
        {"K5", Mar(14), kPriorityHigh, 1, false},   {"K6", Mar(15), kPriorityLow, 1, true},
    };
    for (const NewTask& t : tasks) {
        const int task = Add(t.title, t.date, t.priority, t.category, t.completed);
        const bool shown = TaskTreeShape(m_store, m_view, m_settings).Shows(task);
        EXPECT_EQ(m_wnd->InsertTaskRow(task), shown) << t.title;
        const QString inserted = TreeText();
        m_wnd->Rebuild(false);
        EXPECT_EQ(inserted, TreeText()) << t.title;
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, InsertTest, ::testing::ValuesIn(kInsertCases), testtables::RowName<InsertCase>);

TEST_F(TodoTreeWndTest, InsertTaskRowRefusesTasksTheTreeDoesNotShow)
{
    ShowDay(Mar(15));
    const int other = Add("X", Mar(20), kPriorityNormal, 0);
    EXPECT_FALSE(m_wnd->InsertTaskRow(other));
    EXPECT_FALSE(m_wnd->InsertTaskRow(999));
    EXPECT_TRUE(m_wnd->InsertTaskRow(Task("A"))) << "already there";
    EXPECT_EQ(TreeText(), QStringLiteral("B A D C"));
}
