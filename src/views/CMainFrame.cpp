#include "views/CMainFrame.h"

#include "lists/TaskTreeShape.h"
#include "model/CalendarStore.h"
#include "model/DayMark.h"
#include "model/LanguageModule.h"
#include "model/ViewState.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"
#include "storage/FileWorkflow.h"
#include "storage/Settings.h"
#include "views/CMainView.h"
#include "views/MenuCommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QToolBar>

#include <memory>

namespace {

enum class Place { File, Edit, View, Hidden };

struct CommandEntry
{
    int id;
    const char16_t* text;
    const char* objectName;
    Place place;
    QKeyCombination shortcut;
    bool checkable;
};

constexpr QKeyCombination kNoKey{};

// Every command of the menus in menu order (0 = separator), then the
// commands without a menu entry. Texts are the program's menu texts.
const CommandEntry kCommands[] = {
    {ID_NEW_FILE, u"New File", "actionNewFile", Place::File, kNoKey, false},
    {ID_OPEN_FILE, u"Open File...", "actionOpenFile", Place::File, kNoKey, false},
    {ID_SAVE, u"Save", "actionSave", Place::File, kNoKey, false},
    {ID_SAVE_AS, u"Save As...", "actionSaveAs", Place::File, kNoKey, false},
    {0, nullptr, nullptr, Place::File, kNoKey, false},
    {ID_IMPORT_CSV, u"Import CSV...", "actionImportCsv", Place::File, kNoKey, false},
    {ID_EXPORT_CSV, u"Export to CSV...", "actionExportCsv", Place::File, kNoKey, false},
    {ID_IMPORT_TASK_LIST, u"Import Outlook Task", "actionImportTaskList", Place::File, kNoKey, false},
    {ID_EXPORT_TASK_LIST, u"Export to Outlook Task", "actionExportTaskList", Place::File, kNoKey, false},
    {0, nullptr, nullptr, Place::File, kNoKey, false},
    {ID_PREFERENCE, u"Preference...", "actionPreference", Place::File, kNoKey, false},
    {ID_PASSWORD, u"Password...", "actionPassword", Place::File, kNoKey, false},
    {0, nullptr, nullptr, Place::File, kNoKey, false},
    {ID_EXIT, u"Exit", "actionExit", Place::File, kNoKey, false},

    {ID_NEW_TASK, u"New Task...", "actionNewTask", Place::Edit, Qt::CTRL | Qt::Key_N, false},
    {ID_DUPLICATE_TASK, u"Duplicate Task", "actionDuplicateTask", Place::Edit, Qt::CTRL | Qt::Key_D, false},
    {ID_DELETE_TASK, u"Delete Task...", "actionDeleteTask", Place::Edit, kNoKey, false},
    {0, nullptr, nullptr, Place::Edit, kNoKey, false},
    {ID_UPDATE_DUE_TASKS, u"Update Due Tasks...", "actionUpdateDueTasks", Place::Edit, kNoKey, false},
    {ID_RESCHEDULE, u"Reschedule Tasks...", "actionRescheduleTasks", Place::Edit, kNoKey, false},
    {0, nullptr, nullptr, Place::Edit, kNoKey, false},
    {ID_DAILY_NOTE, u"Daily Note...", "actionDailyNote", Place::Edit, kNoKey, false},
    {ID_FLIGHT, u"Flight", "actionFlight", Place::Edit, kNoKey, true},
    {ID_HOLIDAY, u"Holiday", "actionHoliday", Place::Edit, kNoKey, true},
    {0, nullptr, nullptr, Place::Edit, kNoKey, false},
    {ID_SET_AS_CURRENT, u"Set as Current", "actionSetAsCurrent", Place::Edit, kNoKey, false},
    {ID_CLEAR_CURRENT, u"Clear Current", "actionClearCurrent", Place::Edit, kNoKey, false},
    {0, nullptr, nullptr, Place::Edit, kNoKey, false},
    {ID_CATEGORIES, u"Categories...", "actionCategories", Place::Edit, kNoKey, false},
    {ID_HOLIDAYS, u"Holidays...", "actionHolidays", Place::Edit, kNoKey, false},

    {ID_TODAY, u"Today", "actionToday", Place::View, kNoKey, false},
    {ID_SELECT_DATE, u"Select Date...", "actionSelectDate", Place::View, kNoKey, false},
    {0, nullptr, nullptr, Place::View, kNoKey, false},
    {ID_VIEW_MONTH, u"View Month", "actionViewMonth", Place::View, kNoKey, true},
    {ID_VIEW_WEEK, u"View Week", "actionViewWeek", Place::View, kNoKey, true},
    {ID_VIEW_LIST, u"View List", "actionViewList", Place::View, kNoKey, true},
    {ID_VIEW_NO_DATE, u"View No Date", "actionViewNoDate", Place::View, kNoKey, true},
    {0, nullptr, nullptr, Place::View, kNoKey, false},
    {ID_HIDE_COMPLETE, u"Hide Complete", "actionHideComplete", Place::View, kNoKey, true},
    {ID_SORT_COMPLETE, u"Sort Complete to End", "actionSortComplete", Place::View, kNoKey, true},
    {ID_FILTER, u"Filter...", "actionFilter", Place::View, kNoKey, false},
    {0, nullptr, nullptr, Place::View, kNoKey, false},
    {ID_FLAT, u"Flat", "actionFlat", Place::View, kNoKey, true},
    {ID_GROUP_BY_DATE, u"Group by Date", "actionGroupByDate", Place::View, kNoKey, true},
    {ID_GROUP_BY_CATEGORY, u"Group by Category", "actionGroupByCategory", Place::View, kNoKey, true},
    {0, nullptr, nullptr, Place::View, kNoKey, false},
    {ID_SEARCH, u"Search...", "actionSearch", Place::View, kNoKey, false},
    {0, nullptr, nullptr, Place::View, kNoKey, false},
    {ID_EXPAND_ALL, u"Expand All", "actionExpandAll", Place::View, Qt::CTRL | Qt::Key_Down, false},
    {ID_COLLAPSE_ALL, u"Collapse All", "actionCollapseAll", Place::View, Qt::CTRL | Qt::Key_Up, false},

    // No menu entry: the toolbar's move buttons, the month and week steps,
    // the third day mark and editing the selected task.
    {ID_MOVE_UP, u"", "actionMoveUp", Place::Hidden, Qt::CTRL | Qt::SHIFT | Qt::Key_Up, false},
    {ID_MOVE_DOWN, u"", "actionMoveDown", Place::Hidden, Qt::CTRL | Qt::SHIFT | Qt::Key_Down, false},
    {ID_NEXT_MONTH, u"", "actionNextMonth", Place::Hidden, kNoKey, false},
    {ID_PREV_MONTH, u"", "actionPrevMonth", Place::Hidden, kNoKey, false},
    {ID_NEXT_WEEK, u"", "actionNextWeek", Place::Hidden, kNoKey, false},
    {ID_PREV_WEEK, u"", "actionPrevWeek", Place::Hidden, kNoKey, false},
    {ID_THIRD_MARK, u"", "actionThirdMark", Place::Hidden, kNoKey, true},
    {ID_EDIT_TASK, u"", "actionEditTask", Place::Hidden, kNoKey, false},
};

const char* const kWindowGroup = "Window";
const char* const kGeometryKey = "Geometry";

// The window's place is kept in the program's settings store, in a group of its own.
std::unique_ptr<QSettings> WindowSettings()
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("Corvane Software"), QStringLiteral("Orbelin Planner"));
    settings->beginGroup(QString::fromLatin1(kWindowGroup));
    return settings;
}

} // namespace

CMainFrame::CMainFrame(ViewContext& context, const QString& commandLinePath, QWidget* parent)
    : QMainWindow(parent), m_context(context)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(Images::AppIcon());

    m_view = new CMainView(context, commandLinePath, this);
    setCentralWidget(m_view);
    setFocusProxy(m_view);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    connect(m_view, &CMainView::StateChanged, this, &CMainFrame::UpdateCommandStates);

    RestoreWindowGeometry();
    UpdateCommandStates();
    // The first paint of the view comes after the frame is in place.
    QMetaObject::invokeMethod(this, &CMainFrame::RepaintView, Qt::QueuedConnection);
}

CMainFrame::~CMainFrame()
{
    // The view saves the calendar and the settings as it goes; a message
    // about a failed save still has a whole window to belong to.
    delete m_view;
    m_view = nullptr;
}

void CMainFrame::SetPersistent(bool persistent)
{
    m_persistent = persistent;
    m_view->SetSaveOnClose(persistent);
}

// ---- Actions, menus, toolbar

void CMainFrame::CreateActions()
{
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == 0)
            continue;
        auto* action = new QAction(QString::fromUtf16(entry.text), this);
        action->setObjectName(QString::fromLatin1(entry.objectName));
        action->setData(entry.id);
        action->setCheckable(entry.checkable);
        if (entry.shortcut != kNoKey)
            action->setShortcut(QKeySequence(entry.shortcut));
        if (entry.place == Place::Hidden)
            addAction(action); // reachable through its shortcut and its id
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_actions.insert(id, action);
    }
}

void CMainFrame::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    const struct
    {
        Place place;
        const char16_t* title;
        const char* objectName;
    } menus[] = {{Place::File, u"File", "menuFile"}, {Place::Edit, u"Edit", "menuEdit"}, {Place::View, u"View", "menuView"}};
    for (const auto& desc : menus) {
        QMenu* menu = bar->addMenu(QString::fromUtf16(desc.title));
        menu->setObjectName(QString::fromLatin1(desc.objectName));
        for (const CommandEntry& entry : kCommands) {
            if (entry.place != desc.place)
                continue;
            if (entry.id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions.value(entry.id));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
}

void CMainFrame::CreateToolBar()
{
    const bool large = ScreenClass::IsLarge();
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(Images::ToolbarImageSize(large));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const struct
    {
        int id;
        Images::ToolbarButton image;
    } buttons[] = {{ID_SAVE, Images::ToolbarButton::Save},
                   {ID_NEW_TASK, Images::ToolbarButton::NewTask},
                   {ID_MOVE_UP, Images::ToolbarButton::MoveUp},
                   {ID_MOVE_DOWN, Images::ToolbarButton::MoveDown},
                   {ID_DELETE_TASK, Images::ToolbarButton::DeleteTask}};
    for (const auto& button : buttons) {
        QAction* action = m_actions.value(button.id);
        action->setIcon(QIcon(Images::ToolbarImage(button.image, large)));
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::BottomToolBarArea, m_toolBar);
}

// ---- Commands and their states

bool CMainFrame::IsAvailable(int id) const
{
    return id == ID_EXIT || m_view->CanRun(id);
}

bool CMainFrame::OnCommand(int id)
{
    bool handled = m_view->OnCommand(id);
    if (!handled && id == ID_EXIT) {
        if (QueryLeave()) {
            m_leaving = true;
            close();
        }
        handled = true;
    }
    UpdateCommandStates();
    return handled;
}

CMainFrame::CommandState CMainFrame::StateOf(int id) const
{
    const Planner& planner = m_context.planner;
    const ViewState& view = planner.view;
    const int mode = view.ViewMode;
    const PackedDate date = view.DisplayDate();
    const auto markFlags = [&] {
        DayMark mark;
        return planner.store.GetDayMark(date, mark) ? mark.Flags : 0u;
    };
    const auto datedMark = [&](quint32 flag) {
        if (mode == ViewState::List || mode == ViewState::NoDate)
            return CommandState{false, false};
        if (date == kNoDate)
            return CommandState{false, false};
        return CommandState{true, (markFlags() & flag) != 0};
    };

    switch (id) {
    case ID_SAVE:
        return {planner.store.Modified(), false};
    case ID_HIDE_COMPLETE:
        return {true, view.HideComplete()};
    case ID_DAILY_NOTE:
        return {mode != ViewState::List && mode != ViewState::NoDate && date != kNoDate, false};
    case ID_FLAT:
        return {true, planner.settings.GroupScheme() == GroupFlat};
    case ID_GROUP_BY_DATE:
        return {true, planner.settings.GroupScheme() == GroupByDate};
    case ID_GROUP_BY_CATEGORY:
        // The first start's grouping has no entry of its own: it groups by
        // category too, and the menu says so.
        return {true, planner.settings.GroupScheme() == GroupByCategory ||
                          planner.settings.GroupScheme() == GroupByCategoryDayByDay};
    case ID_GROUP_SCHEME_3:
        return {true, planner.settings.GroupScheme() == GroupByCategoryDayByDay};
    case ID_SORT_COMPLETE:
        return {true, planner.settings.SortComp()};
    case ID_VIEW_MONTH:
        return {true, mode == ViewState::Month};
    case ID_VIEW_WEEK:
        return {true, mode == ViewState::Week};
    case ID_VIEW_LIST:
        return {true, mode == ViewState::List};
    case ID_VIEW_NO_DATE:
        return {true, mode == ViewState::NoDate};
    case ID_FLIGHT:
        return datedMark(kMarkFlight);
    case ID_THIRD_MARK:
        return datedMark(kMarkThird);
    case ID_HOLIDAY:
        if (date == kNoDate)
            return {false, false};
        return {true, (markFlags() & kMarkHoliday) != 0};
    default:
        return {true, false};
    }
}

void CMainFrame::UpdateCommandStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const CommandState state = StateOf(it.key());
        // Entries whose dialog the program does not have yet stay disabled.
        it.value()->setEnabled(state.enabled && IsAvailable(it.key()));
        if (it.value()->isCheckable())
            it.value()->setChecked(state.checked);
    }
    UpdateWindowTitle();
}

void CMainFrame::UpdateWindowTitle()
{
    const CalendarStore& store = m_context.planner.store;
    const QString program = QApplication::applicationName();
    if (store.Untitled() || store.FilePath().isEmpty())
        setWindowTitle(QStringLiteral("[*]") + program);
    else
        setWindowTitle(FileWorkflow::NamePart(store.FilePath()) + QStringLiteral("[*] - ") + program);
    setWindowModified(store.Modified());
}

// ---- Window events

void CMainFrame::RepaintView()
{
    if (m_view)
        m_view->RepaintAll();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Closing the window is how a desktop user leaves: it offers to save an
    // untitled calendar with changes like Exit does, rather than dropping
    // it, and can be cancelled. A named calendar is saved silently as the
    // view goes.
    if (m_persistent && !m_leaving) {
        if (!QueryLeave()) {
            event->ignore();
            return;
        }
        m_leaving = true;
    }
    if (m_persistent)
        SaveWindowGeometry();
    event->accept();
}

bool CMainFrame::QueryLeave()
{
    if (m_view->Workflow().QuerySave(true))
        return true;
    // A named calendar that could not be saved (the error was shown) would
    // otherwise keep the program from ever closing: the user may leave it
    // and lose the changes.
    CalendarStore& store = m_context.planner.store;
    if (!store.Modified() || store.Untitled())
        return false;
    if (m_context.planner.prompts.ShowMessage(GetText(TextId::CloseLosingChanges), QString(), UserPrompts::YesNo,
                                              UserPrompts::Warning) != UserPrompts::Yes)
        return false;
    // Nothing tries to save the dropped changes as the view goes.
    store.SetModified(false);
    return true;
}

void CMainFrame::RestoreWindowGeometry()
{
    const QByteArray geometry = WindowSettings()->value(QString::fromLatin1(kGeometryKey)).toByteArray();
    if (!geometry.isEmpty() && restoreGeometry(geometry))
        return;
    // The first start: wide enough for the task tree's date column in the
    // large fonts, but never larger than the screen.
    QSize size = DefaultSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
}

void CMainFrame::SaveWindowGeometry() const
{
    WindowSettings()->setValue(QString::fromLatin1(kGeometryKey), saveGeometry());
}
