#include "TreeFixture.h"

#include "controls/CIconPopup.h"
#include "model/LanguageModule.h"
#include "platform/gui/ColorRef.h"
#include "support/ScreenColors.h"
#include "platform/gui/LongPress.h"
#include "support/TestTables.h"

#include <QContextMenuEvent>
#include <QTest>

// Taps, keys and menus of the task tree, and what reaches the main view.
class TodoTreeCtrlTest : public TreeFixture
{
protected:
    using Zone = TaskRowLayout::Zone;

    // Answers every menu with id (0 = dismiss), recording the items shown.
    void Answer(int id)
    {
        MenuRunner::SetScript([this, id](const MenuDesc& items) {
            shown.append(items);
            return id;
        });
    }

    // A right click: the press, then the context-menu request it raises.
    void RightClick(const QPoint& point)
    {
        QTest::mousePress(Tree().viewport(), Qt::RightButton, Qt::NoModifier, point);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, point, Tree().viewport()->mapToGlobal(point));
        QCoreApplication::sendEvent(Tree().viewport(), &menu);
        QTest::mouseRelease(Tree().viewport(), Qt::RightButton, Qt::NoModifier, point);
    }

    // Ids of a menu's items, separators as 0.
    static QList<int> Ids(const MenuDesc& menu)
    {
        QList<int> ids;
        for (const MenuItemDesc& item : menu)
            ids << (item.separator ? 0 : item.commandId);
        return ids;
    }

    // A report as the log shows it: "PriorityChangeRequested(3,-1)".
    template <class... Args>
    static QString Report(const char* name, Args... args)
    {
        QStringList values;
        (values.append(QString::number(args)), ...);
        return QString::fromLatin1(name) + u'(' + values.join(u',') + u')';
    }

    int Node(const char* title) const { return NodeOfTask(Task(title)); }
    bool Complete(const char* title) const { return m_store.GetTask(Task(title))->Completed != 0; }

    QList<MenuDesc> shown;
};

// ---- Zones of a task row

TEST_F(TodoTreeCtrlTest, TappingTheCheckBoxOfAnyRowSelectsItTogglesItAndSendsTheRepaint)
{
    ShowDay(Mar(15));
    m_wnd->SelectByData(Task("B"));
    Tap(ZonePoint(Node("A"), Zone::CheckBox));
    EXPECT_TRUE(Complete("A"));
    EXPECT_EQ(m_wnd->CaretTask(), Task("A"));
    EXPECT_EQ(m_log.Take(), Report("CalendarRepaintRequested"));

    Tap(ZonePoint(Node("A"), Zone::CheckBox));
    EXPECT_FALSE(Complete("A"));
    EXPECT_EQ(m_log.Take(), Report("CalendarRepaintRequested"));
}

TEST_F(TodoTreeCtrlTest, APressOutlinesTheZoneHitUntilTheNextPaint)
{
    ShowDay(Mar(15));
    const QPoint point = ZonePoint(Node("A"), Zone::Date);
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
    const QRect row = Tree().visualRect(Model().IndexOf(Node("A")));
    const TaskRowLayout layout = Tree().RowLayout();
    EXPECT_EQ(Tree().PressFeedback(), QRect(QPoint(layout.w0 + layout.w1, row.top() + 2),
                                            QPoint(layout.ColumnsRight() + 2, row.bottom() - 2)));
    // The outline inverts the pixels under it.
    const QPoint edge(layout.w0 + layout.w1 + 3, row.top() + 2);
    const QImage before = Tree().viewport()->grab().toImage();
    EXPECT_EQ(QColor(before.pixel(edge)), QColor(Qt::black)) << "inverted white";
    EXPECT_FALSE(Tree().PressFeedback().isValid()) << "the paint took it away";
    Answer(0);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
    const QImage after = Tree().viewport()->grab().toImage();
    EXPECT_EQ(QColor(after.pixel(edge)), QColor(Qt::white));

    QTest::mousePress(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, TitlePoint(Node("A")));
    EXPECT_FALSE(Tree().PressFeedback().isValid()) << "the title is no zone";
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, TitlePoint(Node("A")));
}

TEST_F(TodoTreeCtrlTest, PriorityZoneOpensThePriorityMenuAndPostsTheChoice)
{
    ShowDay(Mar(15));
    Answer(CTodoTreeCtrl::kMenuLow);
    Tap(ZonePoint(Node("B"), Zone::Priority));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(Ids(shown[0]), (QList<int>{3, 4, 5}));
    EXPECT_TRUE(shown[0][0].radioChecked) << "B is high";
    EXPECT_FALSE(shown[0][1].radioChecked);
    EXPECT_EQ(shown[0][2].label, GetText(279));
    EXPECT_EQ(m_log.Take(), Report("PriorityChangeRequested", Task("B"), -1));
    EXPECT_EQ(m_store.GetTask(Task("B"))->Priority, kPriorityHigh) << "the main view changes it";

    Answer(0);
    Tap(ZonePoint(Node("B"), Zone::Priority));
    EXPECT_EQ(m_log.Take(), QStringLiteral("")) << "dismissed";
}

TEST_F(TodoTreeCtrlTest, CategoryZoneOpensTheCategoryMenu)
{
    ShowDay(Mar(15));
    Answer(CalendarStore::kCategoryCommandBase + 2);
    Tap(ZonePoint(Node("A"), Zone::Category));
    ASSERT_EQ(shown.size(), 1);
    // The store's category menu: positions 1, 2, then the default category
    // (order 0, 2, 1 gives 2, 1, 0), a separator, "Edit Categories...".
    EXPECT_EQ(Ids(shown[0]), (QList<int>{4, 3, 2, 0, 1}));
    EXPECT_TRUE(shown[0][1].radioChecked) << "A is in category 1";
    EXPECT_EQ(shown[0][4].label, GetText(121));
    EXPECT_EQ(m_log.Take(), Report("CategoryChangeRequested", Task("A"), 2));

    Answer(CalendarStore::kEditCategoriesCommand);
    Tap(ZonePoint(Node("A"), Zone::Category));
    EXPECT_EQ(m_log.Take(), Report("EditCategoriesRequested"));
}

TEST_F(TodoTreeCtrlTest, IconZoneOpensTheIconGridWhoseChoiceIsReportedForTheTask)
{
    ShowDay(Mar(15));
    TaskRecord record;
    m_store.CopyTask(Task("A"), record);
    record.Icon = 7;
    m_store.UpdateTask(record);

    Tap(ZonePoint(Node("A"), Zone::Icon));
    CIconPopup* grid = Tree().IconPopup();
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->IsOpen());
    EXPECT_EQ(grid->HighlightIcon(), 7);
    // The grid posts its choice to the tree, which passes it on for the task.
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(m_log.Take(), Report("IconChangeRequested", Task("A"), 8));
    EXPECT_EQ(m_store.GetTask(Task("A"))->Icon, 7u) << "the main view sets it";

    Tap(ZonePoint(Node("A"), Zone::Icon));
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(m_log.Take(), QStringLiteral(""));
}

// ---- The date menu

namespace {

struct DateMenuCase
{
    std::string name;
    PackedDate today;
    int id;
    PackedDate expected;
};
using testtables::PrintTo;

// 14 March 2009 is a Saturday.
const DateMenuCase kDateMenuCases[] = {
    {"YesterdayAcrossAMonth", MakeDate(2009, 3, 1), 103, MakeDate(2009, 2, 28)},
    {"Today", MakeDate(2009, 3, 15), 104, MakeDate(2009, 3, 15)},
    {"TomorrowAcrossAYear", MakeDate(2009, 12, 31), 105, MakeDate(2010, 1, 1)},
    {"SaturdayFromSunday", MakeDate(2009, 3, 15), 106, MakeDate(2009, 3, 21)},
    {"SaturdayFromFriday", MakeDate(2009, 3, 13), 106, MakeDate(2009, 3, 14)},
    {"SaturdayFromSaturdayIsAWeekOn", MakeDate(2009, 3, 14), 106, MakeDate(2009, 3, 21)},
    {"SundayFromSaturday", MakeDate(2009, 3, 14), 107, MakeDate(2009, 3, 15)},
    {"SundayFromSundayIsAWeekOn", MakeDate(2009, 3, 15), 107, MakeDate(2009, 3, 22)},
    {"MondayFromSunday", MakeDate(2009, 3, 15), 108, MakeDate(2009, 3, 16)},
    {"MondayFromMonday", MakeDate(2009, 3, 16), 108, MakeDate(2009, 3, 23)},
    {"MondayFromSaturday", MakeDate(2009, 3, 14), 108, MakeDate(2009, 3, 16)},
    {"NoDate", MakeDate(2009, 3, 15), 102, kNoDate},
};

} // namespace

class DateMenuTest : public TodoTreeCtrlTest, public ::testing::WithParamInterface<DateMenuCase>
{
};

TEST_P(DateMenuTest, PostsTheDateOfTheChosenItem)
{
    const DateMenuCase& c = GetParam();
    ShowDay(Mar(15));
    Clock::SetToday(c.today);
    Answer(c.id);
    Tap(ZonePoint(Node("A"), Zone::Date));
    EXPECT_EQ(m_log.Take(), Report("DateChangeRequested", Task("A"), c.expected));
}

INSTANTIATE_TEST_SUITE_P(Items, DateMenuTest, ::testing::ValuesIn(kDateMenuCases),
                         testtables::RowName<DateMenuCase>);

TEST_F(TodoTreeCtrlTest, DateMenuMarksTheTasksDateAndAsksTheDateDialog)
{
    ShowDay(Mar(15));
    Answer(CTodoTreeCtrl::kDateSelect);
    Tap(ZonePoint(Node("A"), Zone::Date));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(Ids(shown[0]), (QList<int>{103, 104, 105, 106, 107, 108, 0, 102, 0, 101}));
    QList<bool> checks;
    for (const MenuItemDesc& item : shown[0])
        checks << item.checked;
    EXPECT_EQ(checks, (QList<bool>{false, true, false, false, false, false, false, false, false, false}))
        << "A is dated today";
    EXPECT_FALSE(shown[0].last().enabled) << "no date dialog yet";
    EXPECT_EQ(m_log.Take(), QStringLiteral(""));

    QList<PackedDate> asked;
    PackedDate answer = Mar(30);
    m_wnd->SetDatePicker([&](PackedDate initial, PackedDate& chosen) {
        asked << initial;
        if (answer == kNoDate)
            return false;
        chosen = answer;
        return true;
    });
    Tap(ZonePoint(Node("A"), Zone::Date));
    EXPECT_TRUE(shown.last().last().enabled);
    EXPECT_EQ(asked, QList<PackedDate>{Mar(15)});
    EXPECT_EQ(m_log.Take(), Report("DateChangeRequested", Task("A"), Mar(30)));
    answer = kNoDate;
    Tap(ZonePoint(Node("A"), Zone::Date));
    EXPECT_EQ(m_log.Take(), QStringLiteral("")) << "cancelled";

    // An undated task has the no-date item checked.
    m_view.SetViewMode(ViewState::NoDate);
    m_wnd->Rebuild(false);
    Answer(0);
    Tap(ZonePoint(Node("H"), Zone::Date));
    EXPECT_TRUE(shown.last()[7].checked);
    EXPECT_FALSE(shown.last()[1].checked);
}

// ---- Taps elsewhere

TEST_F(TodoTreeCtrlTest, DoubleTapOnATaskPostsEditAndASingleTapDoesNothing)
{
    ShowDay(Mar(15));
    Tap(TitlePoint(Node("C")));
    EXPECT_EQ(m_wnd->CaretTask(), Task("C"));
    EXPECT_EQ(m_log.Take(), QStringLiteral(""));
    DoubleTap(TitlePoint(Node("C")));
    EXPECT_EQ(m_log.Take(), Report("EditTaskRequested", Task("C")));
    Tap(TitlePoint(Node("C")));
    EXPECT_EQ(m_log.Take(), QStringLiteral("")) << "the next press clears the double tap";
}

TEST_F(TodoTreeCtrlTest, GroupRowsToggleByTheirBoxOrADoubleTap)
{
    m_settings.SetGroupScheme(1);
    ShowWeek(Mar(15));
    const int group = Model().Find(Mar(15) | CTodoTreeWnd::kDateGroupBit);
    const QModelIndex index = Model().IndexOf(group);
    const QRect rect = Tree().visualRect(index);
    Tap(QPoint(8, rect.center().y()));
    EXPECT_FALSE(Tree().isExpanded(index));
    EXPECT_EQ(m_wnd->CaretData(), Model().Data(group));
    Tap(TitlePoint(group));
    EXPECT_FALSE(Tree().isExpanded(index)) << "a tap on the text only selects";
    Tap(QPoint(8, rect.center().y()));
    EXPECT_TRUE(Tree().isExpanded(index));
    DoubleTap(TitlePoint(group));
    EXPECT_FALSE(Tree().isExpanded(index));
    EXPECT_EQ(m_log.Take(), QStringLiteral(""));
}

TEST_F(TodoTreeCtrlTest, TapsInTheIndentOrRightOfTheColumnsClearTheCaret)
{
    m_settings.SetGroupScheme(1);
    ShowWeek(Mar(15));
    m_wnd->SelectByData(Task("A"));
    const QRect row = Tree().visualRect(Model().IndexOf(Node("A")));
    Tap(QPoint(5, row.center().y()));
    EXPECT_FALSE(m_wnd->HasCaret());
    EXPECT_EQ(m_view.SelectedTask, -1);

    m_wnd->SelectByData(Task("A"));
    Tap(QPoint(Tree().TotalWidth() + 1, row.center().y()));
    EXPECT_FALSE(m_wnd->HasCaret());
}

TEST_F(TodoTreeCtrlTest, EnterEditsAndSpaceCompletesTheCaretTaskOrTogglesAGroup)
{
    m_settings.SetGroupScheme(1);
    ShowWeek(Mar(15));
    m_wnd->SelectByData(Task("E"));
    QTest::keyClick(&Tree(), Qt::Key_Return);
    EXPECT_EQ(m_log.Take(), Report("EditTaskRequested", Task("E")));
    QTest::keyClick(&Tree(), Qt::Key_Space);
    EXPECT_TRUE(Complete("E"));
    EXPECT_EQ(m_log.Take(), Report("CalendarRepaintRequested"));

    const int group = Model().Find(Mar(16) | CTodoTreeWnd::kDateGroupBit);
    m_wnd->SelectByData(Model().Data(group));
    QTest::keyClick(&Tree(), Qt::Key_Space);
    EXPECT_FALSE(Tree().isExpanded(Model().IndexOf(group)));
    QTest::keyClick(&Tree(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(Tree().isExpanded(Model().IndexOf(group)));
    EXPECT_EQ(m_log.Take(), QStringLiteral(""));

    m_wnd->ClearSelection();
    QTest::keyClick(&Tree(), Qt::Key_Return);
    EXPECT_EQ(m_log.Take(), QStringLiteral("")) << "nothing without a caret";
}

// ---- Context menus

namespace {

struct TaskMenuCase
{
    std::string name;
    int id;
    const char* report;   // %1 is the task's index
};

const TaskMenuCase kTaskMenuCases[] = {
    {"High", 3, "PriorityChangeRequested(%1,1)"},
    {"Normal", 4, "PriorityChangeRequested(%1,0)"},
    {"Low", 5, "PriorityChangeRequested(%1,-1)"},
    {"Edit", 7, "EditTaskRequested(%1)"},
    {"Duplicate", 8, "DuplicateTaskRequested(%1)"},
    {"Delete", 6, "DeleteTaskRequested(%1)"},
    {"Complete", 2, "CalendarRepaintRequested()"},
};

} // namespace

class TaskMenuTest : public TodoTreeCtrlTest, public ::testing::WithParamInterface<TaskMenuCase>
{
};

TEST_P(TaskMenuTest, ChoiceReachesTheMainView)
{
    const TaskMenuCase& c = GetParam();
    ShowDay(Mar(15));
    Answer(c.id);
    RightClick(TitlePoint(Node("C")));
    EXPECT_EQ(m_wnd->CaretTask(), Task("C")) << "the press selected the row first";
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(m_log.Take(), QString::fromLatin1(c.report).arg(Task("C")));
    EXPECT_EQ(Complete("C"), c.id == 2);
}

INSTANTIATE_TEST_SUITE_P(Items, TaskMenuTest, ::testing::ValuesIn(kTaskMenuCases), testtables::RowName<TaskMenuCase>);

TEST_F(TodoTreeCtrlTest, TaskMenuShowsItsItemsMarkedForTheTask)
{
    ShowDay(Mar(15));
    Answer(CTodoTreeCtrl::kMenuSetCurrent);
    RightClick(TitlePoint(Node("D")));
    ASSERT_EQ(shown.size(), 1);
    const MenuDesc& menu = shown[0];
    EXPECT_EQ(Ids(menu), (QList<int>{2, 0, 3, 4, 5, 0, 7, 8, 6, 0, 10}));
    EXPECT_TRUE(menu[0].checked) << "D is complete";
    EXPECT_TRUE(menu[3].radioChecked) << "D is normal";
    EXPECT_FALSE(menu[2].radioChecked);
    const QStringList labels = {menu[0].label, menu[6].label, menu[7].label, menu[8].label, menu[10].label};
    EXPECT_EQ(labels, (QStringList{GetText(116), GetText(117), GetText(118), GetText(280), GetText(119)}));
    EXPECT_EQ(m_log.Take(), Report("SetCurrentRequested"));

    // A tap and hold inside a zone is the zone's, not the menu's.
    RightClick(ZonePoint(Node("D"), Zone::CheckBox));
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(TodoTreeCtrlTest, DateGroupMenuReschedulesThatDayInEveryCategory)
{
    m_settings.SetGroupScheme(1);
    ShowList();
    const int group = Model().Find(Mar(17) | CTodoTreeWnd::kDateGroupBit);
    Answer(CTodoTreeCtrl::kMenuReschedule);
    RightClick(TitlePoint(group));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(Ids(shown[0]), QList<int>{1});
    EXPECT_EQ(shown[0][0].label, GetText(120));
    EXPECT_EQ(m_log.Take(), Report("RescheduleRequested", 0x7FFFFFFF, Mar(17)));
}

TEST_F(TodoTreeCtrlTest, CategoryGroupMenuOnlyForASingleDay)
{
    m_settings.SetGroupScheme(2);
    ShowDay(Mar(15));
    Answer(CTodoTreeCtrl::kMenuReschedule);
    RightClick(TitlePoint(Model().Find(2 | CTodoTreeWnd::kCategoryGroupBit)));
    EXPECT_EQ(m_log.Take(), Report("RescheduleRequested", 2, Mar(15)));

    for (const int scheme : {2, 3}) {
        m_settings.SetGroupScheme(scheme);
        ShowWeek(Mar(15));
        shown.clear();
        RightClick(TitlePoint(Model().Find(2 | CTodoTreeWnd::kCategoryGroupBit)));
        EXPECT_TRUE(shown.isEmpty()) << "scheme " << scheme;
    }
    EXPECT_EQ(m_log.Take(), QStringLiteral(""));
}

TEST_F(TodoTreeCtrlTest, HeldLeftPressOpensTheMenuOfTheRow)
{
    ShowDay(Mar(15));
    Answer(CTodoTreeCtrl::kMenuEdit);
    const QPoint point = TitlePoint(Node("A"));
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::qWait(LongPress::kHoldMs + 200);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, point);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(m_log.Take(), Report("EditTaskRequested", Task("A")));

    // Held on the check box, the pen completes the task as a tap does.
    const QPoint box = ZonePoint(Node("A"), Zone::CheckBox);
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, box);
    QTest::qWait(LongPress::kHoldMs + 200);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, Qt::NoModifier, box);
    EXPECT_TRUE(Complete("A"));
    EXPECT_EQ(shown.size(), 1) << "no menu in a zone";
}

// ---- Painting

class TodoTreePaintTest : public TodoTreeCtrlTest
{
protected:
    QImage Paint() const { return Tree().viewport()->grab().toImage(); }
    QRect Row(int node) const
    {
        const QRect rect = Tree().visualRect(Model().IndexOf(node));
        return QRect(0, rect.top(), Tree().viewport()->width(), rect.height());
    }
    static QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }
    // How many pixels of a cell have exactly this colour.
    static int Count(const QImage& image, const QRect& cell, const QColor& colour)
    {
        int n = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                n += QColor(image.pixel(x, y)) == colour ? 1 : 0;
        return n;
    }
    // Makes the tree the focus of an active window, as a click would.
    bool Focus()
    {
        m_wnd->activateWindow();
        Tree().setFocus();
        QCoreApplication::processEvents();
        return Tree().hasFocus();
    }

    const QColor grey{240, 240, 240};
    const QColor separator{234, 234, 234};
    const QColor unfocused{176, 176, 192};
};

TEST_F(TodoTreePaintTest, GroupRowsFillAcrossTheColumnsAndFrameWhenSelected)
{
    m_settings.SetGroupScheme(1);
    ShowWeek(Mar(15));
    const TaskRowLayout layout = Tree().RowLayout();
    const int end = layout.ColumnsRight();
    const int group = Model().Find(Mar(16) | CTodoTreeWnd::kDateGroupBit);
    const QRect row = Row(group);
    ASSERT_LT(end + 4, row.right());

    QImage image = Paint();
    EXPECT_EQ(At(image, 0, row.center().y()), grey);
    EXPECT_EQ(At(image, end + 1, row.top()), grey) << "date groups reach 2 pixels further";
    EXPECT_EQ(At(image, end + 2, row.top()), QColor(Qt::white));
    EXPECT_GT(Count(image, QRect(layout.GroupTextLeft(), row.top(), 60, row.height()), Qt::black), 0);
    EXPECT_EQ(Count(image, QRect(0, row.top(), layout.GroupTextLeft() - 1, row.height()), Qt::black), 0)
        << "the text starts right of the box";

    m_wnd->SelectByData(Model().Data(group));
    Tree().clearFocus();
    image = Paint();
    EXPECT_EQ(At(image, 0, row.top()), unfocused);
    EXPECT_EQ(At(image, 1, row.top() + 1), unfocused);
    EXPECT_EQ(At(image, 2, row.top() + 2), grey);
    EXPECT_EQ(At(image, end + 1, row.bottom()), unfocused);
    ASSERT_TRUE(Focus());
    image = Paint();
    EXPECT_EQ(At(image, 0, row.top()), ScreenColor(m_settings.Highlight()));

    // Category groups stop at the columns' end.
    m_settings.SetGroupScheme(2);
    m_wnd->Rebuild(true);
    image = Paint();
    const QRect first = Row(Model().ChildAt(TaskTreeModel::kRootNode, 0));
    EXPECT_EQ(At(image, end - 1, first.top()), grey);
    EXPECT_EQ(At(image, end, first.top()), QColor(Qt::white));
}

TEST_F(TodoTreePaintTest, TaskRowsShowTheCurrentTaskSeparatorsGridAndSelection)
{
    m_settings.SetGroupScheme(3);
    ShowDay(Mar(15));
    m_store.SetCurrent(Task("C"));
    const TaskRowLayout layout = Tree().RowLayout();
    ASSERT_EQ(layout.indent, 12);
    const int end = layout.ColumnsRight();
    const QRect current = Row(Node("C"));
    const QRect plain = Row(Node("D"));
    const QColor currentColour = ScreenColor(m_settings.Current());

    QImage image = Paint();
    EXPECT_EQ(At(image, layout.indent - 1, current.center().y()), QColor(Qt::white)) << "the indent stays white";
    EXPECT_EQ(At(image, layout.indent + 1, current.top() + 1), currentColour);
    EXPECT_EQ(At(image, end + 5, current.top() + 1), currentColour);
    // Separators after the mark, the icon, the check box and each column.
    for (const int x : {layout.markSep, layout.iconSep, layout.checkSep, layout.w0, layout.w0 + layout.w1})
        EXPECT_EQ(At(image, x, plain.top() + 1), separator) << "x " << x;
    // Grid of a row that is not selected: left, right and bottom.
    EXPECT_EQ(At(image, layout.indent, plain.top() + 1), separator);
    EXPECT_EQ(At(image, end, plain.top() + 1), separator);
    EXPECT_EQ(At(image, layout.titleLeft + 40, plain.bottom()), separator);
    EXPECT_EQ(At(image, layout.indent - 1, plain.bottom()), QColor(Qt::white));

    // The frame marks the view's selected task, which the main view sets.
    m_wnd->SelectByData(Task("D"));
    m_view.SelectedTask = Task("D");
    Tree().clearFocus();
    image = Paint();
    EXPECT_EQ(At(image, layout.indent, plain.top()), unfocused);
    EXPECT_EQ(At(image, layout.indent + 1, plain.top() + 1), unfocused);
    EXPECT_EQ(At(image, end, plain.bottom()), unfocused);
    EXPECT_EQ(At(image, end - 1, plain.bottom() - 1), unfocused);
    EXPECT_EQ(At(image, layout.indent - 1, plain.top()), QColor(Qt::white));
}

TEST_F(TodoTreePaintTest, TitleTakesTheCategoryColourOrTheCompleteColour)
{
    ShowDay(Mar(15));
    CategoryList categories = m_store.Categories();
    CategoryRecord personal = *categories.Get(2);
    personal.Color = RGBRef(0, 0, 255);
    categories.Modify(2, personal);
    m_store.ReplaceCategories(categories);
    m_settings.SetAgendaComp(RGBRef(255, 0, 0));
    const TaskRowLayout layout = Tree().RowLayout();
    const QRect row = Row(Node("D")); // complete, category 2
    const QRect title(layout.titleLeft, row.top(), layout.titleRight - layout.titleLeft, row.height());
    const QRect category(layout.w0 + 2, row.top(), layout.w1 - 3, row.height());

    m_settings.SetColorComp(false);
    QImage image = Paint();
    EXPECT_GT(Count(image, title, Qt::blue), 0);
    EXPECT_GT(Count(image, category, Qt::blue), 0);
    EXPECT_EQ(Count(image, title, Qt::red), 0);

    m_settings.SetColorComp(true);
    image = Paint();
    EXPECT_EQ(Count(image, title, Qt::blue), 0);
    EXPECT_GT(Count(image, title, Qt::red), 0);
    EXPECT_GT(Count(image, category, Qt::red), 0);
}

TEST_F(TodoTreePaintTest, PartsLeftOutMoveTheTitleLeftAndTheirZonesGoAway)
{
    ShowDay(Mar(15));
    const TaskRowLayout all = Tree().RowLayout();
    m_settings.SetShowIcon(false);
    m_settings.SetShowCheckBox(false);
    const TaskRowLayout bare = Tree().RowLayout();
    EXPECT_EQ(bare.titleLeft, all.titleLeft - (16 + 2) - (16 + 1));
    Answer(0);
    Tap(ZonePoint(Node("A"), Zone::Priority));
    EXPECT_EQ(shown.size(), 1) << "the priority zone stays";
    Tap(QPoint(all.checkX + 4, Row(Node("A")).center().y()));
    EXPECT_FALSE(Complete("A")) << "no check box to tap";
    EXPECT_EQ(shown.size(), 1);
    const QImage image = Paint();
    EXPECT_EQ(At(image, all.iconSep, Row(Node("C")).top() + 1), QColor(Qt::white));
}
