#include "views/CMainView.h"

#include "controls/CTabMode.h"
#include "lists/CTodoTreeCtrl.h"
#include "lists/CTodoTreeWnd.h"
#include "model/CalendarStore.h"
#include "model/CategoryList.h"
#include "model/DayMark.h"
#include "model/LanguageModule.h"
#include "model/ViewState.h"
#include "platform/gui/ColorRef.h"
#include "platform/gui/ScreenClass.h"
#include "storage/Csv.h"
#include "storage/DeviceTasks.h"
#include "storage/Settings.h"
#include "storage/UserPrompts.h"
#include "views/CRenderWnd.h"
#include "views/CTitleWnd.h"
#include "views/MenuCommands.h"

#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QResizeEvent>

#include <algorithm>
#include <array>
#include <functional>
#include <type_traits>

namespace {

bool IsDatedMode(int mode)
{
    return mode == ViewState::Month || mode == ViewState::Week;
}

int ValidMode(int mode)
{
    return mode >= ViewState::Month && mode <= ViewState::NoDate ? mode : int(ViewState::Month);
}

} // namespace

CMainView::Layout CMainView::ComputeLayout(int viewMode, const QSize& client, bool large, const Settings& settings)
{
    const int width = client.width();
    const int height = client.height();
    const int titleH = large ? 44 : 22;
    const int tabsH = settings.Fonts().FontHCtrl + (large ? 12 : 6);

    Layout layout;
    layout.title = QRect(0, 0, width, titleH);
    layout.tabs = QRect(0, titleH, width, tabsH);
    const int top = titleH + tabsH;
    if (IsDatedMode(viewMode)) {
        const int rows = viewMode == ViewState::Month ? 6 : 1;
        const int surfaceH = settings.Fonts().FontHDateNum + rows * settings.EffectiveCubeH() + 1;
        layout.surface = QRect(0, top, width, surfaceH);
        layout.surfaceVisible = true;
        layout.tree = QRect(0, top + surfaceH, width, std::max(0, height - top - surfaceH));
    } else {
        layout.tree = QRect(0, top, width, std::max(0, height - top));
    }
    return layout;
}

CMainView::CMainView(ViewContext& context, const QString& commandLinePath, QWidget* parent)
    : QWidget(parent), m_context(context), m_workflow(context.planner), m_commandLinePath(commandLinePath)
{
    setObjectName(QStringLiteral("mainView"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);

    m_title = new CTitleWnd(context, this);
    m_title->setObjectName(QStringLiteral("titleWnd"));
    m_surface = new CRenderWnd(context, this);
    m_surface->setObjectName(QStringLiteral("renderWnd"));
    m_surface->setFocusPolicy(Qt::StrongFocus);
    m_tree = new CTodoTreeWnd(context, this);
    m_tree->setObjectName(QStringLiteral("todoTreeWnd"));
    m_tree->setFocusPolicy(Qt::StrongFocus);
    // Created last, it stays hidden until the start-up fills it.
    m_tabs = new CTabMode(kTabModeId, this);
    m_tabs->setObjectName(QStringLiteral("tabMode"));
    m_tabs->hide();

    ConnectChildren();
    m_workflow.SetListener(this);

    QMetaObject::invokeMethod(this, &CMainView::OnStartup, Qt::QueuedConnection);
}

// ---- The children's reports

template <class Sender, class Signal, class Handler>
void CMainView::Listen(const Sender* sender, Signal signal, Handler handler, Qt::ConnectionType type)
{
    // The declared return type lets Qt count the signal's arguments without
    // instantiating the body.
    connect(
        sender, signal, this,
        [this, handler](auto... args) -> void {
            if constexpr (std::is_member_function_pointer_v<Handler>)
                std::invoke(handler, this, args...);
            else
                std::invoke(handler, args...);
            emit StateChanged();
        },
        type);
}

template <class Sender, class Signal, class Handler>
void CMainView::Posted(const Sender* sender, Signal signal, Handler handler)
{
    Listen(sender, signal, handler, Qt::QueuedConnection);
}

template <class Sender, class Signal, class Handler>
void CMainView::Sent(const Sender* sender, Signal signal, Handler handler)
{
    Listen(sender, signal, handler, Qt::DirectConnection);
}

void CMainView::ConnectChildren()
{
    Posted(m_surface, &CRenderWnd::RefreshRequested, &CMainView::Refresh);
    Sent(m_surface, &CRenderWnd::DayNoteRequested, &CMainView::DailyNote);

    Posted(m_tabs, &CTabMode::ViewModeChosen, &CMainView::ActivateViewMode);

    Sent(m_title, &CTitleWnd::NavigateRequested, &CMainView::NavigateTo);
    Sent(m_title, &CTitleWnd::CategorySelected, &CMainView::SelectCategory);
    Posted(m_title, &CTitleWnd::RefreshRequested, &CMainView::Refresh);
    Posted(m_title, &CTitleWnd::RangeChanged, &CMainView::RangeChanged);

    const CTodoTreeCtrl* tree = m_tree->TodoTree();
    Sent(tree, &CTodoTreeCtrl::CalendarRepaintRequested, &CMainView::RepaintCalendar);
    Posted(tree, &CTodoTreeCtrl::PriorityChangeRequested, &CMainView::SetTaskPriority);
    Posted(tree, &CTodoTreeCtrl::DateChangeRequested, &CMainView::SetTaskDate);
    Posted(tree, &CTodoTreeCtrl::CategoryChangeRequested, &CMainView::SetTaskCategory);
    Posted(tree, &CTodoTreeCtrl::EditTaskRequested, &CMainView::EditTask);
    Sent(tree, &CTodoTreeCtrl::IconChangeRequested, &CMainView::SetTaskIcon);
    Posted(tree, &CTodoTreeCtrl::DuplicateTaskRequested, &CMainView::DuplicateTask);
    Posted(tree, &CTodoTreeCtrl::DeleteTaskRequested, &CMainView::DeleteTask);
    Posted(tree, &CTodoTreeCtrl::RescheduleRequested, &CMainView::Reschedule);
    Posted(tree, &CTodoTreeCtrl::SetCurrentRequested, [this] { OnCommand(ID_SET_AS_CURRENT); });
    Posted(tree, &CTodoTreeCtrl::EditCategoriesRequested, [this] { OnCommand(ID_CATEGORIES); });
    connect(m_tree, &CTodoTreeWnd::SelectionChanged, this, &CMainView::OnTreeSelectionChanged);
}

CMainView::~CMainView()
{
    m_workflow.SetListener(nullptr);
    if (m_saveOnClose) {
        WaitCursor wait(m_context.planner.prompts);
        m_workflow.SaveOnExit();
    }
}

// ---- Layout and painting

void CMainView::LayoutChildren()
{
    const ViewState& view = m_context.planner.view;
    const Layout layout = ComputeLayout(view.ViewMode, size(), ScreenClass::IsLarge(), m_context.planner.settings);
    m_title->setGeometry(layout.title);
    m_tabs->setGeometry(layout.tabs);
    if (layout.surfaceVisible) {
        m_surface->setGeometry(layout.surface);
        m_surface->show();
    } else {
        m_surface->hide();
    }
    m_tree->setGeometry(layout.tree);
    m_tree->SetupColumns(layout.tree.width(), false);
    m_tree->show();
    if (view.ViewMode == ViewState::List)
        m_title->ShowModeDate(ViewState::List, view.DisplayDate());
}

void CMainView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size().width() == 0 || event->size().height() == 0)
        return;
    LayoutChildren();
    m_tree->MakeCaretVisible();
}

void CMainView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromRef(m_context.planner.settings.Bk()));
}

void CMainView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    FocusSurface();
}

void CMainView::FocusSurface()
{
    // The surface is hidden in the List and No Date views; the tree takes the focus then.
    if (m_surface->isVisible())
        m_surface->setFocus();
    else if (m_tree->isVisible())
        m_tree->setFocus();
}

void CMainView::RepaintAll()
{
    update();
    m_surface->update();
    m_tree->update();
}

// ---- View modes and navigation

void CMainView::SwitchMode(int mode)
{
    mode = ValidMode(mode);
    if (m_tabs->Mode() != mode)
        m_tabs->SetMode(mode);
    m_context.planner.view.SetViewMode(mode);
    LayoutChildren();
}

void CMainView::ActivateViewMode(int mode)
{
    mode = ValidMode(mode);
    SwitchMode(mode);
    ViewState& view = m_context.planner.view;
    if (mode == ViewState::Month)
        m_surface->setFocus();
    if (IsDatedMode(mode)) {
        if (view.SelectedDate == kNoDate)
            view.SelectedDate = Today();
        m_title->ShowModeDate(mode, view.DisplayDate());
        m_surface->SetDate(view.SelectedDate);
    } else if (mode == ViewState::NoDate) {
        m_title->ShowModeDate(ViewState::NoDate, kNoDate);
    }
    m_tree->Rebuild(false);
}

void CMainView::NavigateTo(PackedDate date, NavigateCode how)
{
    // The steps of the codes NextMonth to PrevDay, in code order.
    static PackedDate (*const kSteps[])(PackedDate) = {NextMonth, PrevMonth, NextWeek, PrevWeek, NextDay, PrevDay};
    ViewState& view = m_context.planner.view;
    if (how < NavigateCode::ToDate || how > NavigateCode::NoDate)
        return;
    if (how == NavigateCode::NoDate || (how == NavigateCode::ToDate && date == kNoDate)) {
        SwitchMode(ViewState::NoDate);
    } else {
        // A dated target shows in the Week view when the list views are up.
        if (!IsDatedMode(view.ViewMode))
            SwitchMode(ViewState::Week);
        if (how == NavigateCode::ToDate)
            view.SelectedDate = date;
        else if (how == NavigateCode::Today)
            view.SelectedDate = Today();
        else
            view.SelectedDate = kSteps[int(how) - int(NavigateCode::NextMonth)](view.SelectedDate);
    }
    AfterDateChange();
}

void CMainView::AfterDateChange()
{
    ViewState& view = m_context.planner.view;
    ShowModeAndDate();
    if (view.DisplayDate() != kNoDate)
        m_surface->SetDate(view.SelectedDate);
    m_tree->ClearSelection();
    view.SelectedTask = -1;
    m_tree->Rebuild(true);
    FocusSurface();
}

void CMainView::ShowModeAndDate()
{
    const ViewState& view = m_context.planner.view;
    m_title->ShowModeDate(view.ViewMode, view.DisplayDate());
}

void CMainView::Refresh()
{
    m_tree->Rebuild(false);
    ShowModeAndDate();
    m_surface->update();
}

// ---- Start-up and the document

void CMainView::OnStartup()
{
    WaitCursor wait(m_context.planner.prompts);
    // Clears everything, opens the file without reporting a missing one and
    // remembers where it is.
    m_workflow.StartUp(m_commandLinePath);
    m_tabs->Fill(m_context.fonts.Ctrl());
    m_tabs->show();
    ActivateViewMode(m_context.planner.view.ViewMode);
    m_title->RefreshRange();
    m_title->RefreshCategory();
    m_startupDone = true;
    emit StartupFinished();
}

void CMainView::DocumentReset()
{
    // The rows point at tasks that are gone.
    m_tree->Rebuild(true);
    m_title->RefreshCategory();
}

void CMainView::DocumentLoaded()
{
    // The start-up activates the stored mode itself once the tabs are filled.
    if (!m_startupDone)
        return;
    ActivateViewMode(m_context.planner.view.ViewMode);
    m_title->RefreshRange();
    m_title->RefreshCategory();
    RepaintAll();
}

// ---- Tree selection

void CMainView::OnTreeSelectionChanged()
{
    if (m_tree->IsFrozen())
        return;
    ViewState& view = m_context.planner.view;
    view.SelectedTask = m_tree->CaretTask();
    // A single day listed flat or by date only picks the task; elsewhere the
    // List view also follows the row's date.
    if (m_tree->ShapeCode() != TaskTreeShape::SingleDay && m_tree->HasCaret() && view.ViewMode == ViewState::List)
        view.SelectedDate = m_tree->CaretDate();
    emit StateChanged();
}

// ---- The UM_ messages

bool CMainView::IsTask(int index) const
{
    const CalendarStore& store = m_context.planner.store;
    return index >= 0 && index < store.TaskCount() && store.IsLive(index);
}

void CMainView::RepaintCalendar()
{
    m_surface->update();
}

void CMainView::SetSelectedComplete(bool complete)
{
    if (!IsTask(m_context.planner.view.SelectedTask))
        return;
    m_tree->SetCaretTaskComplete(complete);
    m_surface->update();
}

void CMainView::SetTaskPriority(int task, int priority)
{
    if (!IsTask(task))
        return;
    m_tree->SetTaskPriority(task, priority > 0 ? kPriorityHigh : priority < 0 ? kPriorityLow : kPriorityNormal);
    m_surface->update();
}

void CMainView::SetTaskDate(int task, PackedDate date)
{
    ViewState& view = m_context.planner.view;
    if (task == -1) {
        if (date != kNoDate)
            view.SelectedDate = date;
        if (view.ViewMode == ViewState::NoDate && date != kNoDate)
            ActivateViewMode(ViewState::Week);
        else if (view.ViewMode == ViewState::Week && date == kNoDate)
            ActivateViewMode(ViewState::NoDate);
    } else if (!IsTask(task)) {
        return;
    }
    ShowModeAndDate();
    m_tree->SetTaskDate(task, date);
    m_surface->update();
}

void CMainView::SetTaskCategory(int task, int category)
{
    // Indexes of deleted categories stay taken, so the index is asked about, not counted.
    if (IsTask(task) && m_context.planner.store.Categories().IsLive(category)) {
        m_tree->SetTaskCategory(task, category);
        m_surface->update();
    }
}

void CMainView::RepaintTree()
{
    m_tree->update();
}

void CMainView::SelectCategory(qint32 category)
{
    CalendarStore& store = m_context.planner.store;
    if (category == store.CategorySelection())
        return;
    store.SetCategorySelection(category);
    m_tree->ClearSelection();
    m_context.planner.view.SelectedTask = -1;
    m_tree->Rebuild(true);
    update();
    m_surface->update();
}

void CMainView::DeleteSelected()
{
    if (RequireSelectedTask())
        DeleteTask(m_context.planner.view.SelectedTask); // UM_DELETE_TASK, sent
}

void CMainView::MoveSelectedUp()
{
    MoveSelected(true);
}

void CMainView::MoveSelectedDown()
{
    MoveSelected(false);
}

void CMainView::SetTaskIcon(int task, int icon)
{
    if (IsTask(task) && icon >= 0) {
        m_context.planner.store.SetIcon(task, quint32(icon));
        m_surface->update();
    }
}

void CMainView::ExpandLevel(int level)
{
    m_tree->ExpandAll(level);
}

void CMainView::RangeChanged()
{
    m_tree->Rebuild(false);
}

// ---- Commands

std::span<const CMainView::CommandRow> CMainView::Commands()
{
    using View = CMainView;
    // Commands whose dialog the program has not handed over yet are not run.
    constexpr auto taskEditor = [](const View& v) { return bool(v.m_dialogs.taskEditor); };
    constexpr auto dayNote = [](const View& v) { return bool(v.m_dialogs.dayNote); };
    constexpr auto reschedule = [](const View& v) { return bool(v.m_dialogs.reschedule); };
    constexpr auto selectDate = [](const View& v) { return bool(v.m_dialogs.selectDate); };
    constexpr auto categoryEditor = [](const View& v) { return bool(v.m_dialogs.categoryEditor); };
    constexpr auto holidayEditor = [](const View& v) { return bool(v.m_dialogs.holidayEditor); };
    constexpr auto filter = [](const View& v) { return bool(v.m_dialogs.filter); };
    constexpr auto search = [](const View& v) { return bool(v.m_dialogs.search); };
    constexpr auto preferences = [](const View& v) { return bool(v.m_dialogs.preferences); };

    static const CommandRow kRows[] = {
        {ID_NEW_FILE, [](View& v) { v.m_workflow.NewFile(); }},
        {ID_OPEN_FILE, [](View& v) { v.m_workflow.OpenFile(); }},
        {ID_SAVE, [](View& v) { v.m_workflow.Save(); }},
        {ID_SAVE_AS, [](View& v) { v.m_workflow.SaveAs(); }},
        {ID_IMPORT_CSV, [](View& v) { v.ImportCsvFile(); }},
        {ID_EXPORT_CSV, [](View& v) { v.ExportCsvFile(); }},
        {ID_IMPORT_TASK_LIST, [](View& v) { v.ImportTaskList(); }},
        {ID_EXPORT_TASK_LIST, [](View& v) { v.ExportTaskList(); }},
        {ID_PREFERENCE, [](View& v) { v.Preferences(); }, preferences},
        {ID_PASSWORD, [](View& v) { v.ChangePassword(); }},

        {ID_NEW_TASK, [](View& v) { v.NewTask(); }, taskEditor},
        {ID_EDIT_TASK, [](View& v) { v.EditSelected(); }, taskEditor},
        {ID_DUPLICATE_TASK,
         [](View& v) {
             if (v.RequireSelectedTask())
                 v.DuplicateTask(v.m_context.planner.view.SelectedTask);
         }},
        {ID_DELETE_TASK, [](View& v) { v.DeleteSelected(); }}, // UM_DELETE_SELECTED, sent
        {ID_UPDATE_DUE_TASKS, [](View& v) { v.UpdateDueTasks(); }},
        {ID_RESCHEDULE, // UM_RESCHEDULE, sent
         [](View& v) { v.Reschedule(CalendarStore::kAllCategories, v.m_context.planner.view.DisplayDate()); },
         reschedule},
        {ID_DAILY_NOTE, [](View& v) { v.DailyNote(); }, dayNote},
        {ID_FLIGHT, [](View& v) { v.ToggleDayMark(kMarkFlight); }},
        {ID_HOLIDAY, [](View& v) { v.ToggleDayMark(kMarkHoliday); }},
        {ID_THIRD_MARK, [](View& v) { v.ToggleDayMark(kMarkThird); }},
        {ID_SET_AS_CURRENT, [](View& v) { v.SetSelectedAsCurrent(); }},
        {ID_CLEAR_CURRENT, [](View& v) { v.ClearCurrent(); }},
        {ID_CATEGORIES, [](View& v) { v.EditCategories(); }, categoryEditor},
        {ID_HOLIDAYS, [](View& v) { v.EditHolidays(); }, holidayEditor},

        {ID_TODAY, [](View& v) { v.NavigateTo(kNoDate, NavigateCode::Today); }},
        {ID_SELECT_DATE, [](View& v) { v.SelectDate(); }, selectDate},
        {ID_VIEW_MONTH, [](View& v) { v.ActivateViewMode(ViewState::Month); }},
        {ID_VIEW_WEEK, [](View& v) { v.ActivateViewMode(ViewState::Week); }},
        {ID_VIEW_LIST, [](View& v) { v.ActivateViewMode(ViewState::List); }},
        {ID_VIEW_NO_DATE, [](View& v) { v.ActivateViewMode(ViewState::NoDate); }},
        {ID_HIDE_COMPLETE, [](View& v) { v.ToggleHideComplete(); }},
        {ID_SORT_COMPLETE, [](View& v) { v.ToggleSortComplete(); }},
        {ID_FILTER, [](View& v) { v.Filter(); }, filter},
        {ID_FLAT, [](View& v) { v.SetGroupScheme(GroupFlat); }},
        {ID_GROUP_BY_DATE, [](View& v) { v.SetGroupScheme(GroupByDate); }},
        {ID_GROUP_BY_CATEGORY, [](View& v) { v.SetGroupScheme(GroupByCategory); }},
        {ID_SEARCH, [](View& v) { v.Search(); }, search},
        {ID_EXPAND_ALL, [](View& v) { v.m_tree->ExpandAll(2); }},
        {ID_COLLAPSE_ALL, [](View& v) { v.m_tree->ExpandAll(0); }},

        {ID_MOVE_UP, [](View& v) { v.MoveSelectedUp(); }},     // UM_MOVE_UP, sent
        {ID_MOVE_DOWN, [](View& v) { v.MoveSelectedDown(); }}, // UM_MOVE_DOWN, sent
        {ID_NEXT_MONTH, [](View& v) { v.NavigateTo(kNoDate, NavigateCode::NextMonth); }},
        {ID_PREV_MONTH, [](View& v) { v.NavigateTo(kNoDate, NavigateCode::PrevMonth); }},
        {ID_NEXT_WEEK, [](View& v) { v.NavigateTo(kNoDate, NavigateCode::NextWeek); }},
        {ID_PREV_WEEK, [](View& v) { v.NavigateTo(kNoDate, NavigateCode::PrevWeek); }},
    };
    return kRows;
}

const CMainView::CommandRow* CMainView::FindCommand(int id)
{
    for (const CommandRow& row : Commands())
        if (row.id == id)
            return &row;
    return nullptr;
}

bool CMainView::CanRun(int id) const
{
    const CommandRow* row = FindCommand(id);
    return row && (!row->enabled || row->enabled(*this));
}

bool CMainView::OnCommand(int id)
{
    if (!CanRun(id))
        return false;
    FindCommand(id)->run(*this);
    emit StateChanged();
    return true;
}

void CMainView::ChangePassword()
{
    m_workflow.ChangePassword();
    LayoutChildren();
}

void CMainView::SetSelectedAsCurrent()
{
    // As command 32902, it asks for a selected item: a group row is one, and
    // makes no task current.
    if (!m_tree->HasCaret()) {
        ShowNoTaskSelected();
        return;
    }
    if (HasSelectedTask()) {
        m_context.planner.store.SetCurrent(m_context.planner.view.SelectedTask);
        m_tree->update();
    }
}

void CMainView::ClearCurrent()
{
    m_context.planner.store.ClearCurrent();
    m_tree->update();
}

void CMainView::ToggleHideComplete()
{
    bool& flag = m_context.planner.view.HideCompleteFlag();
    flag = !flag;
    m_tree->Rebuild(false);
    m_surface->update();
    update();
}

void CMainView::ToggleSortComplete()
{
    Settings& settings = m_context.planner.settings;
    settings.SetSortComp(!settings.SortComp());
    m_tree->Rebuild(false);
}

void CMainView::EditSelected()
{
    if (m_tree->HasCaret())
        EditTask(m_context.planner.view.SelectedTask);
    else
        ShowNoTaskSelected();
}

void CMainView::ShowNoTaskSelected()
{
    m_context.planner.prompts.ShowMessage(GetText(TextId::NoTaskSelected), QString(), UserPrompts::OkOnly,
                                          UserPrompts::NoIcon);
}

bool CMainView::HasSelectedTask() const
{
    return IsTask(m_context.planner.view.SelectedTask);
}

bool CMainView::RequireSelectedTask()
{
    if (HasSelectedTask())
        return true;
    ShowNoTaskSelected();
    return false;
}

void CMainView::MoveSelected(bool up)
{
    if (!RequireSelectedTask())
        return;
    if (up)
        m_tree->MoveCaretTaskUp();
    else
        m_tree->MoveCaretTaskDown();
    m_tree->setFocus();
}

void CMainView::ToggleDayMark(quint32 flag)
{
    const PackedDate date = m_context.planner.view.DisplayDate();
    if (date == kNoDate)
        return;
    CalendarStore& store = m_context.planner.store;
    DayMark mark;
    store.GetDayMark(date, mark);
    mark.Date = date;
    mark.Flags ^= flag;
    store.SetDayMark(mark);
    m_surface->update();
}

void CMainView::UpdateDueTasks()
{
    Planner& planner = m_context.planner;
    if (planner.prompts.ShowMessage(GetText(TextId::UpdateDueTasksQuestion), QString(), UserPrompts::YesNo,
                                    UserPrompts::Question) != UserPrompts::Yes)
        return;
    const PackedDate today = Today();
    planner.store.UpdateDueTasks(today);
    planner.view.SelectedDate = today;
    ShowModeAndDate();
    if (planner.view.DisplayDate() != kNoDate)
        m_surface->SetDate(planner.view.SelectedDate);
    m_tree->ClearSelection();
    planner.view.SelectedTask = -1;
    m_tree->Rebuild(true);
}

void CMainView::DuplicateTask(int index)
{
    Planner& planner = m_context.planner;
    TaskRecord copy;
    if (!planner.store.CopyTask(index, copy)) {
        ShowNoTaskSelected();
        return;
    }
    const int added = planner.store.AddTask(copy, true);
    if (added < 0)
        return;
    planner.view.SelectedTask = added;
    m_tree->Rebuild(false);
    m_surface->update();
}

void CMainView::DeleteTask(int index)
{
    Planner& planner = m_context.planner;
    if (index != -1) {
        if (index < 0 || index >= planner.store.TaskCount() || !planner.store.IsLive(index))
            return;
        if (planner.prompts.ShowMessage(GetText(TextId::DeleteTaskQuestion), QString(), UserPrompts::YesNo,
                                        UserPrompts::Question) != UserPrompts::Yes) {
            m_tree->setFocus();
            return;
        }
        // The row goes with the date and category groups it leaves empty.
        m_tree->DeleteByData(quint32(index));
        planner.store.DeleteTask(index);
    }
    planner.view.SelectedTask = m_tree->CaretTask();
    m_surface->update();
    m_tree->setFocus();
}

void CMainView::SetGroupScheme(TreeGrouping scheme)
{
    m_context.planner.settings.SetGroupScheme(scheme);
    m_tree->Rebuild(false);
}

// ---- Commands with a dialog

void CMainView::SetDialogs(const MainViewDialogs& dialogs)
{
    m_dialogs = dialogs;
    // The tree's date menus end in "Select Date..." too.
    if (m_dialogs.selectDate) {
        m_tree->SetDatePicker([this](PackedDate initial, PackedDate& chosen) {
            chosen = initial;
            return m_dialogs.selectDate(chosen, this);
        });
    } else {
        m_tree->SetDatePicker(nullptr);
    }
    emit StateChanged();
}

bool CMainView::OnSelectedDays(PackedDate date) const
{
    const ViewState& view = m_context.planner.view;
    const PackedDate selected = StripFlags(view.SelectedDate);
    if (date == kNoDate || selected == kNoDate)
        return date == selected;
    if (!HasWeekFlag(view.SelectedDate))
        return date == selected;
    const PackedDate first = WeekStart(selected, m_context.planner.settings.StartWeekDay());
    return !IsBefore(date, first) && !IsBefore(AddDays(first, 6), date);
}

bool CMainView::InListRange(PackedDate date) const
{
    const Settings& settings = m_context.planner.settings;
    if (date == kNoDate)
        return settings.AgendaNoDate();
    const PackedDate start = settings.AgendaStartDate();
    const PackedDate end = settings.AgendaEndDate();
    return (start == kNoDate || !IsBefore(date, start)) && (end == kNoDate || !IsBefore(end, date));
}

void CMainView::NewTask()
{
    if (!m_dialogs.taskEditor)
        return;
    Planner& planner = m_context.planner;
    ViewState& view = planner.view;
    const qint32 selection = planner.store.CategorySelection();

    TaskRecord task;
    task.Date = view.DisplayDate();
    task.Category = selection == CalendarStore::kAllCategories ? 0 : selection;
    bool categoriesChanged = false;
    const bool ok = m_dialogs.taskEditor(task, -1, categoriesChanged, this);
    if (categoriesChanged)
        Refresh();
    if (!ok)
        return;

    const int added = planner.store.AddTask(task, true);
    view.SelectedTask = -1;
    if (added < 0)
        return;
    m_surface->update();
    const auto selectNew = [&] {
        view.SelectedTask = added;
        m_tree->SelectByData(added);
        m_tree->MakeCaretVisible();
    };

    const int mode = view.ViewMode;
    if (IsDatedMode(mode)) {
        if (!OnSelectedDays(task.Date)) {
            NavigateTo(task.Date, NavigateCode::ToDate);
            selectNew();
            return;
        }
    } else if (mode == ViewState::List) {
        if (!InListRange(task.Date))
            return;
    } else if (task.Date != kNoDate) {
        return; // the No Date view does not list a dated task
    }
    if (m_tree->InsertTaskRow(added))
        selectNew();
}

void CMainView::EditTask(int index)
{
    Planner& planner = m_context.planner;
    TaskRecord copy;
    if (!m_dialogs.taskEditor || !planner.store.CopyTask(index, copy))
        return;
    bool categoriesChanged = false;
    if (!m_dialogs.taskEditor(copy, index, categoriesChanged, this)) {
        if (categoriesChanged)
            Refresh();
        m_tree->setFocus();
        return;
    }
    copy.Index = index;
    planner.store.UpdateTask(copy);
    if (categoriesChanged) {
        Refresh();
    } else {
        m_tree->Rebuild(false);
        m_surface->update();
    }
    m_tree->SelectByData(planner.view.SelectedTask);
}

void CMainView::DailyNote()
{
    Planner& planner = m_context.planner;
    const PackedDate date = planner.view.DisplayDate();
    if (!m_dialogs.dayNote || date == kNoDate)
        return;
    DayMark mark;
    planner.store.GetDayMark(date, mark);
    mark.Date = date;
    if (m_dialogs.dayNote(date, mark, this)) {
        mark.Date = date;
        planner.store.SetDayMark(mark);
    }
    m_surface->update();
    update();
}

void CMainView::Reschedule(qint32 category, PackedDate from)
{
    if (!m_dialogs.reschedule)
        return;
    PackedDate to = from;
    if (!m_dialogs.reschedule(from, to, category, this))
        return;
    if (m_context.planner.store.RescheduleDay(from, to, category)) {
        m_tree->Rebuild(false);
        m_surface->update();
    }
}

void CMainView::SelectDate()
{
    if (!m_dialogs.selectDate)
        return;
    PackedDate date = m_context.planner.view.DisplayDate();
    // A picker that ends with no day would mean the undated tasks; only a
    // day is a choice here.
    if (m_dialogs.selectDate(date, this) && date != kNoDate)
        NavigateTo(StripFlags(date), NavigateCode::ToDate);
}

void CMainView::EditCategories()
{
    if (!m_dialogs.categoryEditor)
        return;
    CalendarStore& store = m_context.planner.store;
    CategoryList edited = store.Categories();
    if (!m_dialogs.categoryEditor(edited, this))
        return;
    store.ReplaceCategories(edited);
    Refresh();
    m_title->RefreshCategory();
}

void CMainView::EditHolidays()
{
    if (!m_dialogs.holidayEditor)
        return;
    m_dialogs.holidayEditor(this);
    m_surface->update();
}

void CMainView::Filter()
{
    if (!m_dialogs.filter || !m_dialogs.filter(this))
        return;
    m_title->RefreshCategory();
    m_tree->Rebuild(true);
    m_surface->update();
    m_tree->ClearSelection();
    m_context.planner.view.SelectedTask = -1;
    update();
}

void CMainView::Search()
{
    if (m_dialogs.search && m_dialogs.search(this))
        Refresh();
}

void CMainView::Preferences()
{
    if (m_dialogs.preferences && m_dialogs.preferences(this))
        ApplyPreferences();
}

void CMainView::ApplyPreferences()
{
    Planner& planner = m_context.planner;
    WaitCursor wait(planner.prompts);
    planner.settings.SaveSettings(planner.view);
    m_context.fonts.Build(planner.settings.Fonts());
    m_title->ApplyFonts();
    m_tree->ApplySettings();
    m_tabs->Fill(m_context.fonts.Ctrl());
    m_surface->ApplySettings();
    m_tree->SetupColumns(width(), false);
    LayoutChildren();
    m_surface->update();
    m_tree->ClearSelection();
    planner.view.SelectedTask = -1;
    update();
    m_tree->Rebuild(true);
}

// ---- CSV files and the shared task list

void CMainView::ShowNotice(TextId text, TextId caption, UserPrompts::Icon icon, const QString& argument)
{
    QString message = GetText(text);
    if (!argument.isNull())
        message = message.arg(argument);
    m_context.planner.prompts.ShowMessage(message, GetText(caption), UserPrompts::OkOnly, icon);
}

QString CMainView::CsvFolder() const
{
    const QString& dataDir = m_context.planner.settings.DataDir();
    if (!dataDir.isEmpty())
        return dataDir;
    // The program's own folder is a hidden data folder here; CSV files are
    // the user's documents.
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void CMainView::ImportCsvFile()
{
    Planner& planner = m_context.planner;
    QString path;
    if (!planner.prompts.PickFile(UserPrompts::FileKind::Csv, false, CsvFolder(), QString(), path))
        return;
    CsvImportResult result;
    {
        WaitCursor wait(planner.prompts);
        result = ImportCsv(CsvColumns{}, path, planner.store);
    }
    if (result.ErrorText != 0) {
        ShowNotice(TextId(result.ErrorText), TextId::Error, UserPrompts::Error);
        return;
    }
    ShowNotice(TextId::TasksImported, TextId::ImportCsv, UserPrompts::Information, QString::number(result.Count));
    if (result.Count > 0) {
        m_tree->Rebuild(false);
        m_surface->update();
    }
}

void CMainView::ExportCsvFile()
{
    Planner& planner = m_context.planner;
    QString path;
    const QString name = QFileInfo(FileWorkflow::NamePart(m_workflow.DataFilePath())).completeBaseName() +
                         QStringLiteral(".csv");
    if (!planner.prompts.PickFile(UserPrompts::FileKind::Csv, true, CsvFolder(), name, path))
        return;
    if (QFileInfo::exists(path) &&
        planner.prompts.ShowMessage(GetText(TextId::ReplaceFileQuestion), GetText(TextId::ExportCsv), UserPrompts::YesNo,
                                    UserPrompts::Warning) != UserPrompts::Yes)
        return;
    bool exported;
    {
        WaitCursor wait(planner.prompts);
        exported = ExportCsv(path, planner.store);
    }
    ShowNotice(exported ? TextId::ExportDone : TextId::ExportFailed, TextId::ExportCsv, UserPrompts::Information);
}

void CMainView::ImportTaskList()
{
    Planner& planner = m_context.planner;
    int count;
    {
        WaitCursor wait(planner.prompts);
        count = ImportDeviceTasks(planner.store, planner.settings.DeviceTaskDir());
    }
    ShowNotice(TextId::TasksImported, TextId::ImportTaskList, UserPrompts::Information, QString::number(count));
    if (count > 0) {
        m_tree->Rebuild(false);
        m_surface->update();
    }
}

void CMainView::ExportTaskList()
{
    Planner& planner = m_context.planner;
    int count;
    {
        WaitCursor wait(planner.prompts);
        count = ExportDeviceTasks(planner.store, planner.settings.DeviceTaskDir());
    }
    ShowNotice(TextId::TasksExported, TextId::ExportTaskList, UserPrompts::Information, QString::number(count));
}
