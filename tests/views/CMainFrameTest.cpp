#include "ViewFixture.h"

#include "storage/CCryptMemFile.h"

#include "model/DayMark.h"
#include "support/TestTables.h"
#include "views/CMainFrame.h"
#include "views/CMainView.h"
#include "views/MenuCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

namespace {

using testtables::PrintTo;
using testtables::RowName;

class MainFrameTest : public ViewTestBase
{
protected:
    void SetUp() override
    {
        ViewTestBase::SetUp();
        ForgetSettingsAndDataFile();
        frame = std::make_unique<CMainFrame>(objects->context, QString());
        frame->show();
        RunPostedMessages();
    }
    void TearDown() override
    {
        if (frame)
            frame->SetPersistent(false);
        frame.reset();
        ViewTestBase::TearDown();
    }

    ViewState& State() { return objects->view; }
    CalendarStore& Store() { return objects->store; }
    CMainFrame::CommandState StateOf(int id) { return frame->StateOf(id); }
    QAction* Action(int id) { return frame->Action(id); }

    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MainFrameTest, MenuBarHasTheThreeMenusWithTheirCommands)
{
    const QList<QAction*> menus = frame->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Edit"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("View"));

    const auto* file = frame->findChild<QMenu*>(QStringLiteral("menuFile"));
    ASSERT_NE(file, nullptr);
    QStringList texts;
    for (QAction* action : file->actions())
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_EQ(texts.first(), QStringLiteral("New File"));
    EXPECT_EQ(texts.last(), QStringLiteral("Exit"));

    const auto* saveAs = frame->findChild<QAction*>(QStringLiteral("actionSaveAs"));
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(saveAs->data().toInt(), ID_SAVE_AS);
    EXPECT_EQ(saveAs->text(), QStringLiteral("Save As..."));
}

TEST_F(MainFrameTest, ToolbarAtTheBottomHasTheFiveButtons)
{
    auto* bar = frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(frame->toolBarArea(bar), Qt::BottomToolBarArea);
    QList<int> ids;
    for (QAction* action : bar->actions())
        ids << action->data().toInt();
    EXPECT_EQ(ids, (QList<int>{ID_SAVE, ID_NEW_TASK, ID_MOVE_UP, ID_MOVE_DOWN, ID_DELETE_TASK}));
    EXPECT_EQ(bar->iconSize(), QSize(32, 30));
    EXPECT_FALSE(bar->actions().first()->icon().isNull());
}

TEST_F(MainFrameTest, AcceleratorsOfTheMainTable)
{
    const std::pair<int, QKeySequence> keys[] = {
        {ID_NEW_TASK, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {ID_DUPLICATE_TASK, QKeySequence(Qt::CTRL | Qt::Key_D)},
        {ID_EXPAND_ALL, QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {ID_COLLAPSE_ALL, QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {ID_MOVE_UP, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)},
        {ID_MOVE_DOWN, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)},
    };
    for (const auto& [id, key] : keys)
        EXPECT_EQ(Action(id)->shortcut(), key) << id;
}

TEST_F(MainFrameTest, EntriesWithoutTheirDialogYetStayDisabled)
{
    frame->UpdateCommandStates();
    for (int id : {ID_NEW_TASK, ID_PREFERENCE, ID_CATEGORIES, ID_HOLIDAYS, ID_SELECT_DATE, ID_FILTER, ID_SEARCH,
                   ID_RESCHEDULE, ID_DAILY_NOTE}) {
        ASSERT_NE(Action(id), nullptr) << id;
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    }
    for (int id : {ID_NEW_FILE, ID_OPEN_FILE, ID_SAVE_AS, ID_PASSWORD, ID_EXIT, ID_TODAY, ID_UPDATE_DUE_TASKS,
                   ID_EXPAND_ALL, ID_IMPORT_CSV, ID_EXPORT_CSV, ID_IMPORT_TASK_LIST, ID_EXPORT_TASK_LIST})
        EXPECT_TRUE(Action(id)->isEnabled()) << id;
}

TEST_F(MainFrameTest, EntriesComeAliveWhenTheirDialogArrives)
{
    MainViewDialogs dialogs;
    dialogs.taskEditor = [](TaskRecord&, int, bool&, QWidget*) { return false; };
    dialogs.search = [](QWidget*) { return false; };
    frame->MainView()->SetDialogs(dialogs);
    EXPECT_TRUE(Action(ID_NEW_TASK)->isEnabled());
    EXPECT_TRUE(Action(ID_SEARCH)->isEnabled());
    EXPECT_FALSE(Action(ID_FILTER)->isEnabled());
}

TEST_F(MainFrameTest, SaveIsEnabledOnlyWhileModified)
{
    frame->UpdateCommandStates();
    EXPECT_FALSE(StateOf(ID_SAVE).enabled);
    EXPECT_FALSE(Action(ID_SAVE)->isEnabled());
    // Menus are brought up to date before they show.
    Store().SetModified(true);
    emit frame->findChild<QMenu*>(QStringLiteral("menuFile"))->aboutToShow();
    EXPECT_TRUE(Action(ID_SAVE)->isEnabled());
}

TEST_F(MainFrameTest, HideCompleteIsCheckedPerTheFlagThatApplies)
{
    State().HideCompMonth = true;
    State().HideCompPlan = false;
    EXPECT_TRUE(StateOf(ID_HIDE_COMPLETE).checked);
    State().SelectedDate |= kWeekFlag;
    EXPECT_FALSE(StateOf(ID_HIDE_COMPLETE).checked);
    State().ViewMode = ViewState::NoDate;
    State().HideCompNodate = true;
    EXPECT_TRUE(StateOf(ID_HIDE_COMPLETE).checked);
    State().ViewMode = ViewState::List;
    State().HideCompAgenda = false;
    EXPECT_FALSE(StateOf(ID_HIDE_COMPLETE).checked);
}

TEST_F(MainFrameTest, DailyNoteStateFollowsTheViewAndTheSelectedDay)
{
    State().ViewMode = ViewState::Month;
    EXPECT_TRUE(StateOf(ID_DAILY_NOTE).enabled);
    State().SelectedDate = kNoDate;
    EXPECT_FALSE(StateOf(ID_DAILY_NOTE).enabled);
    State().SelectedDate = kTestToday;
    State().ViewMode = ViewState::Week;
    EXPECT_TRUE(StateOf(ID_DAILY_NOTE).enabled);
    State().ViewMode = ViewState::List;
    EXPECT_FALSE(StateOf(ID_DAILY_NOTE).enabled);
    State().ViewMode = ViewState::NoDate;
    EXPECT_FALSE(StateOf(ID_DAILY_NOTE).enabled);
}

TEST_F(MainFrameTest, GroupingAndSortEntriesAreCheckedPerTheSettings)
{
    Settings& settings = objects->settings;
    const int ids[] = {ID_FLAT, ID_GROUP_BY_DATE, ID_GROUP_BY_CATEGORY, ID_GROUP_SCHEME_3};
    // Rows: the scheme; columns: Flat, by date, by category, the hidden entry.
    const bool checked[4][4] = {
        {true, false, false, false},
        {false, true, false, false},
        {false, false, true, false},
        {false, false, true, true}, // the first start's category grouping
    };
    for (int scheme = 0; scheme < 4; ++scheme) {
        settings.SetGroupScheme(scheme);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(StateOf(ids[i]).checked, checked[scheme][i]) << "scheme " << scheme << " entry " << i;
    }
    settings.SetSortComp(true);
    frame->UpdateCommandStates();
    EXPECT_TRUE(Action(ID_SORT_COMPLETE)->isChecked());
    settings.SetSortComp(false);
    frame->UpdateCommandStates();
    EXPECT_FALSE(Action(ID_SORT_COMPLETE)->isChecked());
}

TEST_F(MainFrameTest, ViewEntriesAreCheckedForTheShownMode)
{
    const int ids[] = {ID_VIEW_MONTH, ID_VIEW_WEEK, ID_VIEW_LIST, ID_VIEW_NO_DATE};
    for (int mode = 0; mode < 4; ++mode) {
        frame->OnCommand(ids[mode]);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Action(ids[i])->isChecked(), i == mode) << "mode " << mode << " entry " << i;
    }
}

struct MarkStateRow
{
    const char* name;
    int mode;
    PackedDate selected;
    quint32 flags; // the selected day's mark, 0 = none
    CMainFrame::CommandState flight;
    CMainFrame::CommandState third;
    CMainFrame::CommandState holiday;
};

const PackedDate kMarked = MakeDate(2024, 5, 20);

const MarkStateRow kMarkStateRows[] = {
    {"MonthNoMark", 0, kMarked, 0, {true, false}, {true, false}, {true, false}},
    {"MonthFlight", 0, kMarked, kMarkFlight, {true, true}, {true, false}, {true, false}},
    {"WeekAllFlags", 1, kMarked, kMarkFlight | kMarkThird | kMarkHoliday, {true, true}, {true, true}, {true, true}},
    {"WeekOfSelectedWeek", 1, kMarked | kWeekFlag, kMarkThird, {true, false}, {true, true}, {true, false}},
    {"MonthNoSelectedDay", 0, kNoDate, 0, {false, false}, {false, false}, {false, false}},
    {"ListHolidayStillApplies", 2, kMarked, kMarkFlight | kMarkHoliday, {false, false}, {false, false}, {true, true}},
    {"ListNoDay", 2, kNoDate, 0, {false, false}, {false, false}, {false, false}},
    {"NoDateView", 3, kMarked, kMarkFlight | kMarkHoliday, {false, false}, {false, false}, {false, false}},
};

class MarkStateTest : public MainFrameTest, public ::testing::WithParamInterface<MarkStateRow>
{
};

TEST_P(MarkStateTest, FlightThirdMarkAndHolidayFollowTheDayAndView)
{
    const MarkStateRow& row = GetParam();
    if (row.flags)
        Store().SetDayMark(DayMark{kMarked, row.flags, QString()});
    State().ViewMode = row.mode;
    State().SelectedDate = row.selected;
    const auto expect = [&](int id, CMainFrame::CommandState wanted) {
        const CMainFrame::CommandState state = StateOf(id);
        EXPECT_EQ(state.enabled, wanted.enabled) << id;
        EXPECT_EQ(state.checked, wanted.checked) << id;
    };
    expect(ID_FLIGHT, row.flight);
    expect(ID_THIRD_MARK, row.third);
    expect(ID_HOLIDAY, row.holiday);
    frame->UpdateCommandStates();
    EXPECT_EQ(Action(ID_FLIGHT)->isEnabled(), row.flight.enabled);
    EXPECT_EQ(Action(ID_HOLIDAY)->isChecked(), row.holiday.checked);
}

INSTANTIATE_TEST_SUITE_P(Rows, MarkStateTest, ::testing::ValuesIn(kMarkStateRows), RowName<MarkStateRow>);

TEST_F(MainFrameTest, ThirdMarkCommandIsReachableByItsId)
{
    State().SelectedDate = kMarked;
    EXPECT_TRUE(frame->OnCommand(ID_THIRD_MARK));
    DayMark mark;
    ASSERT_TRUE(Store().GetDayMark(kMarked, mark));
    EXPECT_EQ(mark.Flags, kMarkThird);
    EXPECT_TRUE(Action(ID_THIRD_MARK)->isChecked());
    EXPECT_TRUE(Action(ID_SAVE)->isEnabled()) << "states follow every command";
}

TEST_F(MainFrameTest, ExitWithAnUnmodifiedCalendarClosesWithoutAQuestion)
{
    frame->OnCommand(ID_EXIT);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(objects->prompts.messages.isEmpty());
}

TEST_F(MainFrameTest, ExitWithAModifiedNamedCalendarSavesSilently)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("exit.vrx"));
    Store().SetFilePath(path);
    AddTask(QStringLiteral("Keep"), kTestToday);
    frame->OnCommand(ID_EXIT);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(Store().Modified());
    EXPECT_TRUE(objects->prompts.messages.isEmpty());
}

TEST_F(MainFrameTest, ExitWithAModifiedUntitledCalendarAsks219)
{
    AddTask(QStringLiteral("Scratch"), kTestToday);
    objects->prompts.messageReplies = {UserPrompts::Cancel};
    frame->OnCommand(ID_EXIT);
    ASSERT_EQ(objects->prompts.messages.size(), 1);
    EXPECT_EQ(objects->prompts.messages.first().text, GetText(219));
    EXPECT_EQ(objects->prompts.messages.first().buttons, UserPrompts::YesNoCancel);
    EXPECT_TRUE(frame->isVisible());

    objects->prompts.messageReplies = {UserPrompts::No};
    frame->OnCommand(ID_EXIT);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(Store().Modified());
    EXPECT_TRUE(Store().Untitled());
}

TEST_F(MainFrameTest, ClosingTheWindowOffersToSaveAnUntitledCalendarOnce)
{
    AddTask(QStringLiteral("Scratch"), kTestToday);
    objects->prompts.messageReplies = {UserPrompts::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(objects->prompts.messages.size(), 1);
    EXPECT_EQ(objects->prompts.messages.first().text, GetText(219));

    objects->prompts.messageReplies = {UserPrompts::No};
    EXPECT_TRUE(frame->close());
    // Closing again as the program ends asks nothing more.
    frame->close();
    frame.reset();
    EXPECT_EQ(objects->prompts.messages.size(), 2);
    EXPECT_TRUE(objects->prompts.unexpected.isEmpty());
}

TEST_F(MainFrameTest, ClosingTheWindowSavesANamedCalendarSilently)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("close.vrx"));
    Store().SetFilePath(path);
    AddTask(QStringLiteral("Keep"), kTestToday);
    EXPECT_TRUE(frame->close());
    frame.reset();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(objects->prompts.messages.isEmpty());
}

TEST_F(MainFrameTest, AtTheFirstStartTheMenuShowsTheTreesGrouping)
{
    ASSERT_EQ(objects->settings.GroupScheme(), GroupByCategoryDayByDay);
    EXPECT_TRUE(Action(ID_GROUP_BY_CATEGORY)->isChecked());
    EXPECT_FALSE(Action(ID_FLAT)->isChecked());
    EXPECT_FALSE(Action(ID_GROUP_BY_DATE)->isChecked());
}

TEST_F(MainFrameTest, ANamedCalendarThatCannotBeSavedCanStillBeClosedLosingTheChanges)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.vrx"));
    Store().SetFilePath(path);
    AddTask(QStringLiteral("Lost"), kTestToday);
    // A full disk: every write stops after ten bytes, until the test ends.
    struct FullDisk
    {
        FullDisk() { CCryptMemFile::SetWriteLimitForTesting(10); }
        ~FullDisk() { CCryptMemFile::SetWriteLimitForTesting(-1); }
    } fullDisk;
    ScriptedPrompts& prompts = objects->prompts;

    // Each close shows the error, then asks; No keeps the window.
    prompts.messageReplies = {UserPrompts::No};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[0].icon, UserPrompts::Error);
    EXPECT_EQ(prompts.messages[1].text, GetText(TextId::CloseLosingChanges));
    EXPECT_EQ(prompts.messages[1].buttons, UserPrompts::YesNo);
    EXPECT_TRUE(Store().Modified());

    // Exit takes the same way; Yes leaves, and nothing tries to save again.
    prompts.messageReplies = {UserPrompts::Yes};
    frame->OnCommand(ID_EXIT);
    EXPECT_FALSE(frame->isVisible());
    frame.reset();
    EXPECT_EQ(prompts.messages.size(), 4);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(prompts.unexpected.isEmpty());
}

TEST_F(MainFrameTest, FirstStartUsesTheDefaultSizeAndTheNextOneTheUsersSize)
{
    EXPECT_EQ(frame->size(), CMainFrame::DefaultSize().boundedTo(QGuiApplication::primaryScreen()->availableSize()));
    frame->resize(620, 500);
    frame->SetPersistent(true);
    frame->close();
    frame.reset();

    CMainFrame again(objects->context, QString());
    again.SetPersistent(false);
    EXPECT_EQ(again.size(), QSize(620, 500));
}

} // namespace
