#include "ViewFixture.h"

#include "controls/CBtnCate.h"
#include "controls/CBtnMonth.h"
#include "controls/CIconPopup.h"
#include "controls/CTabMode.h"
#include "lists/CTodoTreeCtrl.h"
#include "lists/CTodoTreeWnd.h"
#include "lists/TaskRowLayout.h"
#include "model/CategoryList.h"
#include "model/DayMark.h"
#include "views/CTitleWnd.h"
#include "views/MenuCommands.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The main view with dialogs that answer from the test: each records that it
// ran and does what the test put in its slot.
class MainViewDialogsTest : public MainViewTest
{
protected:
    void SetUp() override
    {
        MainViewTest::SetUp();
        Store().ResetToDefaults();
        dialogs.taskEditor = [this](TaskRecord& task, int index, bool& categoriesChanged, QWidget*) {
            editorIndexes << index;
            editorSeen = task;
            categoriesChanged = editorChangesCategories;
            if (editorTitle.isEmpty())
                return false;
            task.Title = editorTitle;
            if (editorDate)
                task.Date = *editorDate;
            return true;
        };
        view->SetDialogs(dialogs);
    }

    QList<int> editorIndexes;
    TaskRecord editorSeen;
    QString editorTitle; // empty = Cancel
    std::optional<PackedDate> editorDate;
    bool editorChangesCategories = false;
    MainViewDialogs dialogs;
};

TEST_F(MainViewDialogsTest, NewTaskOnTheSelectedDayIsInsertedAndSelected)
{
    State().SelectedDate = kTestToday;
    Store().SetCategorySelection(2);
    editorTitle = QStringLiteral("Call Anna");

    EXPECT_TRUE(Command(ID_NEW_TASK));

    EXPECT_EQ(editorIndexes, QList<int>{-1});
    EXPECT_EQ(editorSeen.Date, kTestToday);
    EXPECT_EQ(editorSeen.Category, 2);
    ASSERT_EQ(Store().TaskCount(), 1);
    EXPECT_EQ(Store().GetTask(0)->Title, QStringLiteral("Call Anna"));
    EXPECT_EQ(State().SelectedTask, 0);
    EXPECT_EQ(view->TodoTreeWnd()->CaretTask(), 0);
    EXPECT_EQ(State().ViewMode, ViewState::Month);
}

TEST_F(MainViewDialogsTest, NewTaskOnAnotherDayMovesTheSelectionThere)
{
    State().SelectedDate = kTestToday;
    editorTitle = QStringLiteral("Later");
    editorDate = MakeDate(2024, 6, 3);

    view->NewTask();

    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 6, 3));
    EXPECT_EQ(State().SelectedTask, 0);
    EXPECT_EQ(view->TodoTreeWnd()->CaretTask(), 0);
    EXPECT_EQ(view->TitleWnd()->MonthButton()->Month(), 6);
}

TEST_F(MainViewDialogsTest, NewTaskInTheSelectedWeekStaysInTheWeek)
{
    objects->settings.SetStartWeekDay(kWeekStartsMonday);
    State().SelectedDate = MakeDate(2024, 5, 13) | kWeekFlag; // Monday
    view->ActivateViewMode(ViewState::Week);
    editorTitle = QStringLiteral("Sunday chores");
    editorDate = MakeDate(2024, 5, 19);

    Command(ID_NEW_TASK);

    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 5, 13) | kWeekFlag);
    EXPECT_EQ(State().SelectedTask, 0);
}

TEST_F(MainViewDialogsTest, NewTaskInTheNoDateViewIsUndatedInTheSelectedCategory)
{
    view->ActivateViewMode(ViewState::NoDate);
    Store().SetCategorySelection(1);
    editorTitle = QStringLiteral("Someday");

    Command(ID_NEW_TASK);

    EXPECT_EQ(editorSeen.Date, kNoDate);
    EXPECT_EQ(editorSeen.Category, 1);
    EXPECT_EQ(State().SelectedTask, 0);
    EXPECT_EQ(State().ViewMode, ViewState::NoDate);
}

TEST_F(MainViewDialogsTest, NewTaskOutsideTheListRangeIsAddedButNotSelected)
{
    objects->settings.SetAgendaStartDate(MakeDate(2024, 5, 1));
    objects->settings.SetAgendaEndDate(MakeDate(2024, 5, 31));
    view->ActivateViewMode(ViewState::List);
    editorTitle = QStringLiteral("Next month");
    editorDate = MakeDate(2024, 6, 2);

    Command(ID_NEW_TASK);

    EXPECT_EQ(Store().TaskCount(), 1);
    EXPECT_EQ(State().SelectedTask, -1);
    EXPECT_EQ(State().ViewMode, ViewState::List);
}

TEST_F(MainViewDialogsTest, NewTaskCancelledAddsNothing)
{
    editorChangesCategories = true;
    Command(ID_NEW_TASK);
    EXPECT_EQ(Store().TaskCount(), 0);
    EXPECT_FALSE(Store().Modified());
}

TEST_F(MainViewDialogsTest, EditTaskCommitsTheCopyOnOkOnly)
{
    const int task = AddTask(QStringLiteral("Draft"), kTestToday);
    Store().SetModified(false);

    view->EditTask(task);
    EXPECT_EQ(editorIndexes, QList<int>{task});
    EXPECT_EQ(Store().GetTask(task)->Title, QStringLiteral("Draft"));
    EXPECT_FALSE(Store().Modified());

    editorTitle = QStringLiteral("Final");
    view->EditTask(task);
    EXPECT_EQ(Store().GetTask(task)->Title, QStringLiteral("Final"));
    EXPECT_TRUE(Store().Modified());

    view->EditTask(7);
    EXPECT_EQ(editorIndexes.size(), 2) << "an invalid index opens nothing";
}

TEST_F(MainViewDialogsTest, EditCommandWithoutASelectedRowSays233)
{
    view->TodoTreeWnd()->ClearSelection();
    Command(ID_EDIT_TASK);
    ASSERT_EQ(Prompts().messages.size(), 1);
    EXPECT_EQ(Prompts().messages.first().text, GetText(233));
    EXPECT_TRUE(editorIndexes.isEmpty());
}

TEST_F(MainViewDialogsTest, DailyNoteStoresTheMarkOnOk)
{
    State().SelectedDate = kTestToday;
    QList<PackedDate> asked;
    QString note;
    dialogs.dayNote = [&](PackedDate date, DayMark& mark, QWidget*) {
        asked << date;
        mark.Note = note;
        return !note.isEmpty();
    };
    view->SetDialogs(dialogs);

    Command(ID_DAILY_NOTE);
    DayMark mark;
    EXPECT_FALSE(Store().GetDayMark(kTestToday, mark));

    note = QStringLiteral("Anna's birthday");
    view->DailyNote();
    ASSERT_TRUE(Store().GetDayMark(kTestToday, mark));
    EXPECT_EQ(mark.Note, note);
    EXPECT_EQ(asked, (QList<PackedDate>{kTestToday, kTestToday}));
}

TEST_F(MainViewDialogsTest, RescheduleMovesTheDayChosenInTheDialog)
{
    const int task = AddTask(QStringLiteral("Move me"), kTestToday);
    State().SelectedDate = kTestToday;
    QList<std::pair<PackedDate, qint32>> asked;
    dialogs.reschedule = [&](PackedDate from, PackedDate& to, qint32& category, QWidget*) {
        asked.append({from, category});
        to = MakeDate(2024, 5, 20);
        return true;
    };
    view->SetDialogs(dialogs);

    Command(ID_RESCHEDULE);

    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first(), std::make_pair(kTestToday, CalendarStore::kAllCategories));
    EXPECT_EQ(Store().GetDate(task), MakeDate(2024, 5, 20));
}

TEST_F(MainViewDialogsTest, RescheduleInTheNoDateViewPassesDateZero)
{
    view->ActivateViewMode(ViewState::NoDate);
    PackedDate from = 1;
    dialogs.reschedule = [&](PackedDate given, PackedDate&, qint32&, QWidget*) {
        from = given;
        return false;
    };
    view->SetDialogs(dialogs);
    Command(ID_RESCHEDULE);
    EXPECT_EQ(from, kNoDate);
}

TEST_F(MainViewDialogsTest, SelectDateNavigatesToTheChosenDay)
{
    view->ActivateViewMode(ViewState::List);
    dialogs.selectDate = [](PackedDate& date, QWidget*) {
        date = MakeDate(2024, 7, 4);
        return true;
    };
    view->SetDialogs(dialogs);
    Command(ID_SELECT_DATE);
    EXPECT_EQ(State().SelectedDate, MakeDate(2024, 7, 4));
    EXPECT_EQ(State().ViewMode, ViewState::Week);
}

TEST_F(MainViewDialogsTest, CategoryEditorChangesReplaceTheStoresList)
{
    const int task = AddTask(QStringLiteral("Filed"), kTestToday);
    Store().SetCategory(task, 2);
    bool ok = false;
    dialogs.categoryEditor = [&](CategoryList& categories, QWidget*) {
        categories.Delete(2);
        return ok;
    };
    view->SetDialogs(dialogs);

    Command(ID_CATEGORIES);
    EXPECT_TRUE(Store().Categories().IsLive(2));

    ok = true;
    Command(ID_CATEGORIES);
    EXPECT_FALSE(Store().Categories().IsLive(2));
    EXPECT_EQ(Store().GetCategory(task), 0);
}

TEST_F(MainViewDialogsTest, FilterOkClearsTheSelectedTaskAndShowsTheCategory)
{
    const int task = AddTask(QStringLiteral("Seen"), kTestToday);
    State().SelectedTask = task;
    dialogs.filter = [this](QWidget*) {
        Store().SetCategorySelection(1);
        return true;
    };
    view->SetDialogs(dialogs);
    Command(ID_FILTER);
    EXPECT_EQ(State().SelectedTask, -1);
    EXPECT_EQ(view->TitleWnd()->CategoryButton()->Category(), 1);
}

TEST_F(MainViewDialogsTest, PreferencesOkGivesTheChildrenTheNewFonts)
{
    dialogs.preferences = [this](QWidget*) {
        FontSettings fonts = objects->settings.Fonts();
        fonts.FontHCtrl = 30;
        objects->settings.SetFonts(fonts);
        return true;
    };
    view->SetDialogs(dialogs);
    Command(ID_PREFERENCE);
    EXPECT_EQ(view->TabMode()->geometry(), QRect(0, 44, 480, 42));
    EXPECT_EQ(objects->fonts.Ctrl().pixelSize(), 30);
    EXPECT_EQ(view->TitleWnd()->MonthButton()->font().pixelSize(), 30);
}

TEST_F(MainViewDialogsTest, TheTreesIconZoneOpensTheIconGridWhoseChoiceReachesTheStore)
{
    const int task = AddTask(QStringLiteral("Pick an icon"), kTestToday);
    State().SelectedDate = kTestToday;
    view->NavigateTo(kTestToday, NavigateCode::ToDate);
    CTodoTreeCtrl* tree = view->TodoTreeWnd()->TodoTree();
    view->TodoTreeWnd()->SelectByData(task);
    const QRect row = tree->visualRect(tree->currentIndex());
    int first = 0;
    int last = 0;
    tree->RowLayout().ZoneSpan(TaskRowLayout::Zone::Icon, first, last);

    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint((first + last) / 2, row.center().y()));
    auto* popup = view->findChild<CIconPopup*>(QStringLiteral("treeIconPopup"));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Right);
    QTest::keyClick(popup, Qt::Key_Return);
    RunPostedMessages();
    EXPECT_EQ(Store().GetIcon(task), 1u);
}

// ---- CSV files and the shared task list

TEST_F(MainViewDialogsTest, CsvExportAndImportGoThroughTheFilePicker)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tasks.csv"));
    AddTask(QStringLiteral("Exported"), kTestToday);

    Prompts().fileReplies = {{true, path}};
    Command(ID_EXPORT_CSV);
    ASSERT_EQ(Prompts().fileRequests.size(), 1);
    EXPECT_TRUE(Prompts().fileRequests.first().forSaving);
    EXPECT_EQ(Prompts().fileRequests.first().kind, UserPrompts::FileKind::Csv);
    ASSERT_EQ(Prompts().messages.size(), 1);
    EXPECT_EQ(Prompts().messages.first().text, GetText(243));
    EXPECT_EQ(Prompts().messages.first().caption, GetText(240));

    Prompts().fileReplies = {{true, path}};
    Command(ID_IMPORT_CSV);
    ASSERT_EQ(Prompts().messages.size(), 2);
    EXPECT_EQ(Prompts().messages.last().text, GetText(238).arg(1));
    EXPECT_EQ(Prompts().messages.last().caption, GetText(239));
    EXPECT_EQ(Store().TaskCount(), 2);
    EXPECT_TRUE(Prompts().unexpected.isEmpty());
}

TEST_F(MainViewDialogsTest, CsvExportOverAnExistingFileAsks220AndNoKeepsIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("keep.csv"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mine\n");
    }
    AddTask(QStringLiteral("Exported"), kTestToday);
    Prompts().fileReplies = {{true, path}};
    Prompts().messageReplies = {UserPrompts::No};

    Command(ID_EXPORT_CSV);

    ASSERT_EQ(Prompts().messages.size(), 1);
    EXPECT_EQ(Prompts().messages.first().text, GetText(220));
    EXPECT_EQ(Prompts().messages.first().caption, GetText(240));
    EXPECT_EQ(Prompts().messages.first().icon, UserPrompts::Warning);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("mine\n"));
}

TEST_F(MainViewDialogsTest, TaskListExportAndImportReportTheirCounts)
{
    QTemporaryDir folder;
    objects->settings.SetDeviceTaskDir(folder.path());
    AddTask(QStringLiteral("Shared"), kTestToday);
    AddTask(QStringLiteral("Also shared"), kNoDate);

    Command(ID_EXPORT_TASK_LIST);
    EXPECT_GE(Prompts().maxWaitDepth, 1);
    EXPECT_EQ(Prompts().waitDepth, 0);
    ASSERT_EQ(Prompts().messages.size(), 1);
    EXPECT_EQ(Prompts().messages.first().text, GetText(242).arg(2));
    EXPECT_EQ(Prompts().messages.first().caption, GetText(245));

    Command(ID_IMPORT_TASK_LIST);
    ASSERT_EQ(Prompts().messages.size(), 2);
    EXPECT_EQ(Prompts().messages.last().text, GetText(238).arg(2));
    EXPECT_EQ(Prompts().messages.last().caption, GetText(244));
    EXPECT_EQ(Store().TaskCount(), 4);
}

} // namespace
