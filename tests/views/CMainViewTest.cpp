#include "ViewFixture.h"

#include "controls/CBtnMonth.h"
#include "controls/CTabMode.h"
#include "lists/CTodoTreeWnd.h"
#include "lists/TaskTreeModel.h"
#include "model/CategoryList.h"
#include "model/DayMark.h"
#include "support/TestTables.h"
#include "views/CMainView.h"
#include "views/CRenderWnd.h"
#include "views/CTitleWnd.h"
#include "views/MenuCommands.h"

#include <QTemporaryDir>

namespace {

using testtables::PrintTo;
using testtables::RowName;

QString NoTaskSelected()
{
    return GetText(233);
}

TEST_F(MainViewTest, StartUpWithoutFileLeavesAnEmptyUntitledCalendarInTheMonthView)
{
    EXPECT_TRUE(view->StartupDone());
    EXPECT_TRUE(Store().Untitled());
    EXPECT_FALSE(Store().Modified());
    EXPECT_EQ(Store().TaskCount(), 0);
    EXPECT_EQ(State().ViewMode, ViewState::Month);
    EXPECT_EQ(State().SelectedDate, kTestToday);
    EXPECT_EQ(view->TabMode()->currentIndex(), 0);
    EXPECT_TRUE(view->TabMode()->isVisible());
    EXPECT_TRUE(Prompts().messages.isEmpty());
    EXPECT_EQ(Prompts().waitDepth, 0);
    EXPECT_GE(Prompts().maxWaitDepth, 1);
}

TEST_F(MainViewTest, ChildrenCarryTheirNames)
{
    EXPECT_EQ(view->findChild<CTitleWnd*>(QStringLiteral("titleWnd")), view->TitleWnd());
    EXPECT_EQ(view->findChild<CTabMode*>(QStringLiteral("tabMode")), view->TabMode());
    EXPECT_EQ(view->findChild<CRenderWnd*>(QStringLiteral("renderWnd")), view->RenderWnd());
    EXPECT_EQ(view->findChild<CTodoTreeWnd*>(QStringLiteral("todoTreeWnd")), view->TodoTreeWnd());
}

// ---- Layout

struct LayoutRow
{
    const char* name;
    bool large;
    int mode;
    QRect title;
    QRect tabs;
    QRect surface; // empty: hidden
    QRect tree;
};

// FontHCtrl 20, FontHDateNum 18, CubeH 30, client 480 x 640.
const LayoutRow kLayoutRows[] = {
    {"LargeMonth", true, 0, {0, 0, 480, 44}, {0, 44, 480, 32}, {0, 76, 480, 199}, {0, 275, 480, 365}},
    {"LargeWeek", true, 1, {0, 0, 480, 44}, {0, 44, 480, 32}, {0, 76, 480, 49}, {0, 125, 480, 515}},
    {"LargeList", true, 2, {0, 0, 480, 44}, {0, 44, 480, 32}, {}, {0, 76, 480, 564}},
    {"LargeNoDate", true, 3, {0, 0, 480, 44}, {0, 44, 480, 32}, {}, {0, 76, 480, 564}},
    {"SmallMonth", false, 0, {0, 0, 480, 22}, {0, 22, 480, 26}, {0, 48, 480, 199}, {0, 247, 480, 393}},
    {"SmallWeek", false, 1, {0, 0, 480, 22}, {0, 22, 480, 26}, {0, 48, 480, 49}, {0, 97, 480, 543}},
    {"SmallList", false, 2, {0, 0, 480, 22}, {0, 22, 480, 26}, {}, {0, 48, 480, 592}},
    {"SmallNoDate", false, 3, {0, 0, 480, 22}, {0, 22, 480, 26}, {}, {0, 48, 480, 592}},
};

class MainViewLayoutTest : public MainViewTest, public ::testing::WithParamInterface<LayoutRow>
{
protected:
    bool Large() const override { return GetParam().large; }
};

TEST_P(MainViewLayoutTest, ChildrenTakeTheirPlacesForTheMode)
{
    const LayoutRow& row = GetParam();
    view->ActivateViewMode(row.mode);
    EXPECT_EQ(view->TitleWnd()->geometry(), row.title);
    EXPECT_EQ(view->TabMode()->geometry(), row.tabs);
    EXPECT_EQ(view->RenderWnd()->isVisible(), !row.surface.isEmpty());
    if (!row.surface.isEmpty()) {
        EXPECT_EQ(view->RenderWnd()->geometry(), row.surface);
    }
    EXPECT_EQ(view->TodoTreeWnd()->geometry(), row.tree);

    const CMainView::Layout computed =
        CMainView::ComputeLayout(row.mode, QSize(480, 640), row.large, objects->settings);
    EXPECT_EQ(computed.surfaceVisible, !row.surface.isEmpty());
    EXPECT_EQ(computed.tree, row.tree);
}

INSTANTIATE_TEST_SUITE_P(Modes, MainViewLayoutTest, ::testing::ValuesIn(kLayoutRows), RowName<LayoutRow>);

TEST_F(MainViewTest, SizeChangeFollowsTheWidthAndAZeroSizeChangesNothing)
{
    view->resize(600, 700);
    EXPECT_EQ(view->TabMode()->geometry(), QRect(0, 44, 600, 32));
    EXPECT_EQ(view->RenderWnd()->geometry(), QRect(0, 76, 600, 199));
    EXPECT_EQ(view->TodoTreeWnd()->geometry(), QRect(0, 275, 600, 425));

    view->resize(0, 500);
    EXPECT_EQ(view->TodoTreeWnd()->geometry(), QRect(0, 275, 600, 425));
    view->resize(300, 0);
    EXPECT_EQ(view->TitleWnd()->geometry(), QRect(0, 0, 600, 44));
}

TEST_F(MainViewTest, TheTreeNeverGetsANegativeHeight)
{
    view->resize(480, 100);
    EXPECT_EQ(view->TodoTreeWnd()->geometry().height(), 0);
}

// ---- View modes and navigation

TEST_F(MainViewTest, ListAndNoDateDropTheWeekFlagMonthKeepsIt)
{
    State().SelectedDate = MakeDate(2024, 5, 20) | kWeekFlag;
    view->ActivateViewMode(ViewState::Week);
    EXPECT_TRUE(HasWeekFlag(State().SelectedDate));
    view->ActivateViewMode(ViewState::List);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 5, 20));

    State().SelectedDate |= kWeekFlag;
    view->ActivateViewMode(ViewState::NoDate);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 5, 20));

    view->ActivateViewMode(ViewState::Month);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 5, 20));
    EXPECT_EQ(view->TabMode()->currentIndex(), 0);
}

TEST_F(MainViewTest, DatedViewWithoutASelectedDayTakesToday)
{
    State().SelectedDate = kNoDate;
    view->ActivateViewMode(ViewState::Week);
    EXPECT_EQ(State().SelectedDate, kTestToday);
    EXPECT_EQ(view->TabMode()->currentIndex(), 1);
}

struct NavigateRow
{
    const char* name;
    int mode;
    PackedDate selected;
    PackedDate date;
    int how;
    int expectedMode;
    PackedDate expectedDate;
};

const PackedDate kJan31 = MakeDate(2024, 1, 31);
const PackedDate kWeekOfJan31 = kJan31 | kWeekFlag;

const NavigateRow kNavigateRows[] = {
    {"ToDateInMonth", 0, kJan31, MakeDate(2024, 3, 9), 0, 0, MakeDate(2024, 3, 9)},
    {"ToDateFromListGoesToWeek", 2, kJan31, MakeDate(2024, 3, 9), 0, 1, MakeDate(2024, 3, 9)},
    {"ToDateFromNoDateGoesToWeek", 3, kJan31, MakeDate(2024, 3, 9), 0, 1, MakeDate(2024, 3, 9)},
    {"ZeroDateGoesToNoDateKeepingTheDay", 0, kJan31, kNoDate, 0, 3, kJan31},
    {"TodayInMonth", 0, kJan31, kNoDate, 1, 0, kTestToday},
    {"TodayFromListGoesToWeek", 2, kJan31, kNoDate, 1, 1, kTestToday},
    {"TodayFromNoDateGoesToWeek", 3, kJan31, kNoDate, 1, 1, kTestToday},
    {"NextMonth", 0, kJan31, kNoDate, 2, 0, MakeDate(2024, 2, 1)},
    {"PrevMonth", 0, kJan31, kNoDate, 3, 0, MakeDate(2023, 12, 1)},
    {"NextWeek", 1, kJan31, kNoDate, 4, 1, MakeDate(2024, 2, 7)},
    {"PrevWeek", 1, kJan31, kNoDate, 5, 1, MakeDate(2024, 1, 24)},
    {"NextDay", 1, kJan31, kNoDate, 6, 1, MakeDate(2024, 2, 1)},
    {"PrevDay", 1, kJan31, kNoDate, 7, 1, MakeDate(2024, 1, 30)},
    {"NextDayWithinTheMonth", 1, MakeDate(2024, 1, 15), kNoDate, 6, 1, MakeDate(2024, 1, 16)},
    {"PrevDayIntoThePreviousMonth", 1, MakeDate(2024, 3, 1), kNoDate, 7, 1, MakeDate(2024, 2, 29)},
    {"NextMonthKeepsTheWeekFlagAsTheStepDoes", 0, kWeekOfJan31, kNoDate, 2, 0, MakeDate(2024, 2, 1) | kWeekFlag},
    {"PrevMonthWithWeekFlag", 0, kWeekOfJan31, kNoDate, 3, 0, MakeDate(2023, 12, 1) | kWeekFlag},
    {"NextWeekWithWeekFlag", 1, kWeekOfJan31, kNoDate, 4, 1, MakeDate(2024, 2, 7) | kWeekFlag},
    {"PrevWeekWithWeekFlag", 1, kWeekOfJan31, kNoDate, 5, 1, MakeDate(2024, 1, 24) | kWeekFlag},
    {"NextDayWithWeekFlag", 1, kWeekOfJan31, kNoDate, 6, 1, MakeDate(2024, 2, 1) | kWeekFlag},
    {"PrevDayWithWeekFlag", 1, kWeekOfJan31, kNoDate, 7, 1, MakeDate(2024, 1, 30) | kWeekFlag},
    {"ToDateDropsTheWeekFlag", 0, kWeekOfJan31, MakeDate(2024, 3, 9), 0, 0, MakeDate(2024, 3, 9)},
    {"StepFromListGoesToWeek", 2, kJan31, kNoDate, 4, 1, MakeDate(2024, 2, 7)},
    {"NoDateCode", 1, kJan31, kNoDate, 8, 3, kJan31},
    {"UnknownCodeChangesNothing", 1, kJan31, MakeDate(2024, 3, 9), 9, 1, kJan31},
};

class NavigateTest : public MainViewTest, public ::testing::WithParamInterface<NavigateRow>
{
};

TEST_P(NavigateTest, MovesTheSelectedDayAndSwitchesTheView)
{
    const NavigateRow& row = GetParam();
    State().SelectedDate = StripFlags(row.selected);
    view->ActivateViewMode(row.mode);
    State().SelectedDate = row.selected;
    State().SelectedTask = 0;

    view->NavigateTo(row.date, NavigateCode(row.how));

    EXPECT_EQ(State().ViewMode, row.expectedMode);
    EXPECT_EQ(State().SelectedDate, row.expectedDate);
    EXPECT_EQ(view->TabMode()->currentIndex(), row.expectedMode);
    if (row.how <= 8) {
        EXPECT_EQ(State().SelectedTask, -1);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, NavigateTest, ::testing::ValuesIn(kNavigateRows), RowName<NavigateRow>);

TEST_F(MainViewTest, TodayCommandFromTheListViewShowsTheWeekOfToday)
{
    view->ActivateViewMode(ViewState::List);
    State().SelectedDate = kJan31;
    Command(ID_TODAY);
    EXPECT_EQ(State().ViewMode, ViewState::Week);
    EXPECT_EQ(State().SelectedDate, kTestToday);
}

TEST_F(MainViewTest, MonthAndWeekStepCommandsNavigate)
{
    State().SelectedDate = kJan31;
    Command(ID_NEXT_MONTH);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 2, 1));
    Command(ID_PREV_MONTH);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 1, 1));
    State().SelectedDate = kJan31;
    Command(ID_NEXT_WEEK);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 2, 7));
    Command(ID_PREV_WEEK);
    EXPECT_EQ(State().SelectedDate, kJan31);
}

TEST_F(MainViewTest, ViewCommandsAndTabChoiceActivateTheirModes)
{
    const std::pair<int, int> commands[] = {
        {ID_VIEW_WEEK, 1}, {ID_VIEW_LIST, 2}, {ID_VIEW_NO_DATE, 3}, {ID_VIEW_MONTH, 0}};
    for (auto [id, mode] : commands) {
        Command(id);
        EXPECT_EQ(State().ViewMode, mode) << id;
        EXPECT_EQ(view->TabMode()->currentIndex(), mode) << id;
    }
    emit view->TabMode()->ViewModeChosen(2);
    EXPECT_EQ(State().ViewMode, 0) << "posted: runs later";
    RunPostedMessages();
    EXPECT_EQ(State().ViewMode, 2);
    EXPECT_FALSE(view->RenderWnd()->isVisible());
}

TEST_F(MainViewTest, PostedReportsRunAfterTheCurrentEventSentOnesAtOnceAndTheFrameHearsOfBoth)
{
    int stateChanges = 0;
    QObject::connect(view.get(), &CMainView::StateChanged, [&] { ++stateChanges; });
    // UM_REFRESH from the surface is posted.
    State().SelectedDate = kJan31;
    emit view->RenderWnd()->RefreshRequested();
    EXPECT_EQ(view->TitleWnd()->MonthButton()->Month(), 5) << "not yet";
    EXPECT_EQ(stateChanges, 0);
    RunPostedMessages();
    EXPECT_EQ(view->TitleWnd()->MonthButton()->Month(), 1);
    EXPECT_EQ(stateChanges, 1);
    // UM_NAVIGATE from the title bar is sent.
    emit view->TitleWnd()->NavigateRequested(kNoDate, NavigateCode::NextMonth);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 2, 1));
    EXPECT_EQ(stateChanges, 2);
}

// ---- Messages from the children

TEST_F(MainViewTest, SetTaskDateWithoutTaskSwitchesBetweenNoDateAndWeek)
{
    view->ActivateViewMode(ViewState::NoDate);
    view->SetTaskDate(-1, MakeDate(2024, 6, 3));
    EXPECT_EQ(State().ViewMode, ViewState::Week);
    EXPECT_EQ(StripFlags(State().SelectedDate), MakeDate(2024, 6, 3));

    view->SetTaskDate(-1, kNoDate);
    EXPECT_EQ(State().ViewMode, ViewState::NoDate);
    EXPECT_EQ(StripFlags(State().SelectedDate), MakeDate(2024, 6, 3));
}

TEST_F(MainViewTest, SelectCategoryChangesTheSelectionOnlyWhenItDiffers)
{
    State().SelectedTask = 0;
    view->SelectCategory(CalendarStore::kAllCategories);
    EXPECT_FALSE(Store().Modified());
    EXPECT_EQ(State().SelectedTask, 0);

    view->SelectCategory(1);
    EXPECT_EQ(Store().CategorySelection(), 1);
    EXPECT_TRUE(Store().Modified());
    EXPECT_EQ(State().SelectedTask, -1);
}

TEST_F(MainViewTest, TaskCategoryIsTakenByWhetherTheCategoryIsLiveAfterADeletion)
{
    const int task = AddTask(QStringLiteral("Call"), kTestToday);
    CategoryList categories = Store().Categories();
    categories.Delete(1);
    const int errands = categories.Add(CategoryRecord(QStringLiteral("Errands"), 0, 0, 0x00FF00));
    Store().ReplaceCategories(categories);
    ASSERT_EQ(errands, 3);
    ASSERT_EQ(Store().Categories().Count(), 3);

    view->SetTaskCategory(task, errands);
    EXPECT_EQ(Store().GetCategory(task), errands);
    view->SetTaskCategory(task, 1); // deleted
    view->SetTaskCategory(task, 7); // never there
    EXPECT_EQ(Store().GetCategory(task), errands);
}

TEST_F(MainViewTest, SetAsCurrentWithAGroupRowSelectedDoesNothing)
{
    objects->settings.SetGroupScheme(GroupByCategory);
    const int task = AddTask(QStringLiteral("Call"), kTestToday);
    view->RangeChanged();
    CTodoTreeWnd* tree = view->TodoTreeWnd();
    tree->SelectByData(qint64(TaskTreeModel::kCategoryGroupBit)); // the default category's group
    ASSERT_TRUE(tree->HasCaret());
    ASSERT_EQ(tree->CaretTask(), -1);
    Store().SetModified(false);

    Command(ID_SET_AS_CURRENT);
    EXPECT_TRUE(Prompts().messages.isEmpty());
    EXPECT_EQ(Store().CurrentTaskId(), -1);
    EXPECT_FALSE(Store().Modified());

    State().SelectedTask = task;
    tree->SelectByData(task);
    Command(ID_SET_AS_CURRENT);
    EXPECT_EQ(Store().CurrentTaskId(), qint32(Store().GetTask(task)->Id));
}

TEST_F(MainViewTest, SetIconChangesTheStoreAndIgnoresAnInvalidTask)
{
    const int task = AddTask(QStringLiteral("Call"), kTestToday);
    Store().SetModified(false);
    view->SetTaskIcon(task, 7);
    EXPECT_EQ(Store().GetIcon(task), 7u);
    EXPECT_TRUE(Store().Modified());

    Store().SetModified(false);
    view->SetTaskIcon(task, 7);
    view->SetTaskIcon(99, 3);
    EXPECT_FALSE(Store().Modified());
}

TEST_F(MainViewTest, DuplicateCopiesTheWholeTaskUnderANewId)
{
    TaskRecord original;
    original.Title = QStringLiteral("Report");
    original.Note = QStringLiteral("draft first");
    original.Date = kTestToday;
    original.Priority = kPriorityHigh;
    original.Completed = 1;
    original.Icon = 4;
    const int index = Store().AddTask(original, true);
    State().SelectedTask = index;

    Command(ID_DUPLICATE_TASK);

    ASSERT_EQ(Store().TaskCount(), 2);
    TaskRecord copy;
    ASSERT_TRUE(Store().CopyTask(1, copy));
    EXPECT_EQ(copy.Title, original.Title);
    EXPECT_EQ(copy.Note, original.Note);
    EXPECT_EQ(copy.Date, original.Date);
    EXPECT_EQ(copy.Priority, original.Priority);
    EXPECT_EQ(copy.Completed, 1u);
    EXPECT_EQ(copy.Icon, 4u);
    EXPECT_NE(copy.Id, Store().GetTask(index)->Id);
    EXPECT_EQ(State().SelectedTask, 1);
}

TEST_F(MainViewTest, DuplicateMessageWithAnInvalidIndexSaysNoTaskIsSelected)
{
    view->DuplicateTask(5);
    ASSERT_EQ(Prompts().messages.size(), 1);
    EXPECT_EQ(Prompts().messages.first().text, NoTaskSelected());
    EXPECT_EQ(Store().TaskCount(), 0);
}

struct NeedsTaskRow
{
    const char* name;
    int command;
};

const NeedsTaskRow kNeedsTaskRows[] = {
    {"DuplicateTask", ID_DUPLICATE_TASK}, {"DeleteTask", ID_DELETE_TASK}, {"SetAsCurrent", ID_SET_AS_CURRENT},
    {"MoveUp", ID_MOVE_UP},               {"MoveDown", ID_MOVE_DOWN},
};

class NeedsTaskTest : public MainViewTest, public ::testing::WithParamInterface<NeedsTaskRow>
{
};

TEST_P(NeedsTaskTest, WithoutASelectedTaskShowsMessage233AndChangesNothing)
{
    AddTask(QStringLiteral("Only"), kTestToday);
    Store().SetModified(false);
    State().SelectedTask = -1;

    Command(GetParam().command);

    ASSERT_EQ(Prompts().messages.size(), 1);
    EXPECT_EQ(Prompts().messages.first().text, NoTaskSelected());
    EXPECT_TRUE(Prompts().messages.first().caption.isEmpty());
    EXPECT_EQ(Prompts().messages.first().buttons, UserPrompts::OkOnly);
    EXPECT_EQ(Store().TaskCount(), 1);
    EXPECT_TRUE(Store().IsLive(0));
    EXPECT_EQ(Store().CurrentTaskId(), -1);
    EXPECT_FALSE(Store().Modified());
    EXPECT_TRUE(Prompts().unexpected.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Commands, NeedsTaskTest, ::testing::ValuesIn(kNeedsTaskRows), RowName<NeedsTaskRow>);

TEST_F(MainViewTest, DeleteTaskAsks235AndDeletesOnlyOnYes)
{
    const int task = AddTask(QStringLiteral("Old"), kTestToday);
    State().SelectedTask = task;

    Prompts().messageReplies = {UserPrompts::No};
    Command(ID_DELETE_TASK);
    ASSERT_EQ(Prompts().messages.size(), 1);
    EXPECT_EQ(Prompts().messages.first().text, GetText(235));
    EXPECT_EQ(Prompts().messages.first().buttons, UserPrompts::YesNo);
    EXPECT_TRUE(Store().IsLive(task));

    Prompts().messageReplies = {UserPrompts::Yes};
    Command(ID_DELETE_TASK);
    EXPECT_FALSE(Store().IsLive(task));
    EXPECT_EQ(State().SelectedTask, -1);
    EXPECT_TRUE(Prompts().unexpected.isEmpty());
}

TEST_F(MainViewTest, DeleteMessageForAGoneTaskAsksNothing)
{
    view->DeleteTask(3);
    EXPECT_TRUE(Prompts().messages.isEmpty());
}

TEST_F(MainViewTest, SetAndClearCurrent)
{
    const int task = AddTask(QStringLiteral("Focus"), kTestToday);
    view->RangeChanged();
    // The main view selects a row so: its task first, then the tree's caret.
    State().SelectedTask = task;
    view->TodoTreeWnd()->SelectByData(task);
    Command(ID_SET_AS_CURRENT);
    EXPECT_EQ(Store().CurrentTaskId(), qint32(Store().GetTask(task)->Id));
    Command(ID_CLEAR_CURRENT);
    EXPECT_EQ(Store().CurrentTaskId(), -1);
}

TEST_F(MainViewTest, UpdateDueTasksAsks232AndMovesOnlyOverdueOpenTasks)
{
    const PackedDate lastWeek = MakeDate(2024, 5, 8);
    const int open = AddTask(QStringLiteral("Overdue"), lastWeek);
    const int done = AddTask(QStringLiteral("Done"), lastWeek, kPriorityNormal, true);
    const int undated = AddTask(QStringLiteral("Someday"), kNoDate);
    const int future = AddTask(QStringLiteral("Later"), MakeDate(2024, 6, 1));
    State().SelectedDate = lastWeek;

    Prompts().messageReplies = {UserPrompts::No};
    Command(ID_UPDATE_DUE_TASKS);
    EXPECT_EQ(Store().GetDate(open), lastWeek);
    EXPECT_EQ(State().SelectedDate, lastWeek);

    Prompts().messageReplies = {UserPrompts::Yes};
    State().SelectedTask = open;
    Command(ID_UPDATE_DUE_TASKS);
    ASSERT_EQ(Prompts().messages.size(), 2);
    EXPECT_EQ(Prompts().messages.last().text, GetText(232));
    EXPECT_EQ(Prompts().messages.last().buttons, UserPrompts::YesNo);
    EXPECT_EQ(Store().GetDate(open), kTestToday);
    EXPECT_EQ(Store().GetDate(done), lastWeek);
    EXPECT_EQ(Store().GetDate(undated), kNoDate);
    EXPECT_EQ(Store().GetDate(future), MakeDate(2024, 6, 1));
    EXPECT_EQ(State().SelectedDate, kTestToday);
    EXPECT_EQ(State().SelectedTask, -1);
}

// ---- Day marks, grouping, hide complete

TEST_F(MainViewTest, FlightTwiceOnADayWithoutANoteLeavesNoMarkAndModifiesEachTime)
{
    State().SelectedDate = kTestToday;
    DayMark mark;

    Command(ID_FLIGHT);
    EXPECT_TRUE(Store().Modified());
    ASSERT_TRUE(Store().GetDayMark(kTestToday, mark));
    EXPECT_EQ(mark.Flags, kMarkFlight);

    Store().SetModified(false);
    Command(ID_FLIGHT);
    EXPECT_TRUE(Store().Modified());
    EXPECT_FALSE(Store().GetDayMark(kTestToday, mark));
    EXPECT_EQ(Store().DayMarkCount(), 0);
}

TEST_F(MainViewTest, DayMarkTogglesKeepTheNoteAndTheOtherFlags)
{
    State().SelectedDate = kTestToday | kWeekFlag;
    Store().SetDayMark(DayMark{kTestToday, kMarkFlight, QStringLiteral("pack")});
    Command(ID_HOLIDAY);
    Command(ID_THIRD_MARK);
    DayMark mark;
    ASSERT_TRUE(Store().GetDayMark(kTestToday, mark));
    EXPECT_EQ(mark.Flags, kMarkFlight | kMarkHoliday | kMarkThird);
    EXPECT_EQ(mark.Note, QStringLiteral("pack"));
    Command(ID_FLIGHT);
    Command(ID_HOLIDAY);
    Command(ID_THIRD_MARK);
    ASSERT_TRUE(Store().GetDayMark(kTestToday, mark));
    EXPECT_EQ(mark.Flags, 0u);
}

TEST_F(MainViewTest, DayMarkWithoutADateDoesNothing)
{
    view->ActivateViewMode(ViewState::NoDate);
    Command(ID_HOLIDAY);
    EXPECT_EQ(Store().DayMarkCount(), 0);
    EXPECT_FALSE(Store().Modified());
}

TEST_F(MainViewTest, GroupingCommandsMarkTheSettingsOnlyWhenTheySetANewScheme)
{
    Settings& settings = objects->settings;
    settings.SetGroupScheme(1);
    ASSERT_TRUE(settings.SaveSettings(State()));
    ASSERT_FALSE(settings.SettingsChanged());

    Command(ID_GROUP_BY_DATE);
    EXPECT_EQ(settings.GroupScheme(), 1);
    EXPECT_FALSE(settings.SettingsChanged());

    Command(ID_GROUP_BY_CATEGORY);
    EXPECT_EQ(settings.GroupScheme(), 2);
    EXPECT_TRUE(settings.SettingsChanged());
    Command(ID_FLAT);
    EXPECT_EQ(settings.GroupScheme(), 0);
}

TEST_F(MainViewTest, SortCompleteFlipsAndMarksTheSettings)
{
    const bool before = objects->settings.SortComp();
    Command(ID_SORT_COMPLETE);
    EXPECT_NE(objects->settings.SortComp(), before);
    EXPECT_TRUE(objects->settings.SettingsChanged());
}

TEST_F(MainViewTest, HideCompleteFlipsTheFlagThatAppliesNowAndNoOther)
{
    // The five flags as {Month, Week, No Date, a selected week, List}.
    const auto flags = [&] {
        const ViewState& v = State();
        return std::vector<bool>{v.HideCompMonth, v.HideCompWeek, v.HideCompNodate, v.HideCompPlan,
                                 v.HideCompAgenda};
    };
    State().HideCompMonth = State().HideCompWeek = State().HideCompNodate = State().HideCompPlan = false;
    State().HideCompAgenda = false;
    const struct
    {
        const char* name;
        int mode;
        bool weekSelected;
        std::vector<bool> after;
    } rows[] = {
        {"Month", ViewState::Month, false, {true, false, false, false, false}},
        {"Week", ViewState::Week, false, {true, true, false, false, false}},
        {"NoDate", ViewState::NoDate, false, {true, true, true, false, false}},
        {"SelectedWeek", ViewState::Month, true, {true, true, true, true, false}},
        {"List", ViewState::List, false, {true, true, true, true, true}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        view->ActivateViewMode(row.mode);
        State().SelectedDate = row.weekSelected ? kTestToday | kWeekFlag : kTestToday;
        Command(ID_HIDE_COMPLETE);
        EXPECT_EQ(flags(), row.after);
    }
}

// ---- Document commands

TEST_F(MainViewTest, SaveWritesANamedCalendarAndTheSettings)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("mine.vrx"));
    Store().SetFilePath(path);
    AddTask(QStringLiteral("Keep"), kTestToday);
    objects->settings.SetSortComp(!objects->settings.SortComp());

    Command(ID_SAVE);

    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(Store().Modified());
    EXPECT_FALSE(objects->settings.SettingsChanged());
    EXPECT_TRUE(Prompts().messages.isEmpty());
}

TEST_F(MainViewTest, LeavingSavesANamedModifiedCalendarSilently)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("leave.vrx"));
    Store().SetFilePath(path);
    AddTask(QStringLiteral("Keep"), kTestToday);

    view.reset();

    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(Store().Modified());
    EXPECT_TRUE(objects->prompts.messages.isEmpty());
}

TEST_F(MainViewTest, LeavingDoesNotSaveAnUntitledCalendar)
{
    AddTask(QStringLiteral("Scratch"), kTestToday);
    view.reset();
    EXPECT_TRUE(Store().Modified());
    EXPECT_TRUE(objects->prompts.unexpected.isEmpty());
}

TEST_F(MainViewTest, NewFileClearsTheCalendarAndAsksForItsPassword)
{
    QTemporaryDir folder;
    Store().SetFilePath(folder.filePath(QStringLiteral("old.vrx")));
    AddTask(QStringLiteral("Old"), kTestToday);
    Store().SetModified(false);
    view->ActivateViewMode(ViewState::Week);
    State().SelectedDate = kJan31;
    Prompts().passwordReplies = {{true, QStringLiteral("secret")}};

    Command(ID_NEW_FILE);

    EXPECT_EQ(Store().TaskCount(), 0);
    EXPECT_TRUE(Store().Untitled());
    EXPECT_EQ(State().SelectedDate, kTestToday);
    EXPECT_EQ(State().ViewMode, ViewState::Week);
    EXPECT_TRUE(objects->password.MatchesPassword(QStringLiteral("secret")));
    EXPECT_EQ(Prompts().passwordPrompts, QStringList{GetText(234)});
}

TEST_F(MainViewTest, PasswordCommandTakesANewPassword)
{
    Prompts().newPasswordReplies = {{true, QStringLiteral("abc")}};
    Command(ID_PASSWORD);
    EXPECT_TRUE(objects->password.MatchesPassword(QStringLiteral("abc")));
    EXPECT_TRUE(Store().Modified());
}

TEST_F(MainViewTest, CommandsWhoseDialogsAreMissingAreNotTaken)
{
    for (int id : {ID_NEW_TASK, ID_PREFERENCE, ID_CATEGORIES, ID_HOLIDAYS, ID_SELECT_DATE, ID_FILTER, ID_SEARCH,
                   ID_RESCHEDULE, ID_DAILY_NOTE})
        EXPECT_FALSE(Command(id)) << id;
    EXPECT_FALSE(Command(ID_EXIT));
}

} // namespace
