#include "views/CMainView.h"

#include "controls/CIconPopup.h"
#include "controls/CTabMode.h"
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
#include "views/UserMessageEvent.h"

#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QResizeEvent>

#include <algorithm>

namespace {

constexpr int kTextNoTaskSelected = 233;
constexpr int kTextUpdateDueTasks = 232;
constexpr int kTextDeleteTask = 235;
constexpr int kTextError = 195;
constexpr int kTextReplaceFile = 220;
constexpr int kTextImported = 238;
constexpr int kTextImportCsv = 239;
constexpr int kTextExportCsv = 240;
constexpr int kTextExportFailed = 241;
constexpr int kTextExported = 242;
constexpr int kTextExportDone = 243;
constexpr int kTextImportTaskList = 244;
constexpr int kTextExportTaskList = 245;

// Navigation codes of NavigateTo and UM_NAVIGATE.
enum Navigation : int {
    NavToDate = 0,
    NavToday = 1,
    NavNextMonth = 2,
    NavPrevMonth = 3,
    NavNextWeek = 4,
    NavPrevWeek = 5,
    NavNextDay = 6,
    NavPrevDay = 7,
    NavNoDate = 8,
};

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

    m_title = new CTitleWnd(context, this, this);
    m_title->setObjectName(QStringLiteral("titleWnd"));
    m_surface = new CRenderWnd(context, this, this);
    m_surface->setObjectName(QStringLiteral("renderWnd"));
    m_surface->setFocusPolicy(Qt::StrongFocus);
    m_tree = new CTodoTreeWnd(context, this, this);
    m_tree->setObjectName(QStringLiteral("todoTreeWnd"));
    m_tree->setFocusPolicy(Qt::StrongFocus);
    // Created last, it stays hidden until the start-up fills it.
    m_tabs = new CTabMode(kTabModeId, this);
    m_tabs->setObjectName(QStringLiteral("tabMode"));
    m_tabs->SetOwner(this);
    m_tabs->hide();

    connect(m_tree, &CTodoTreeWnd::SelectionChanged, this, &CMainView::OnTreeSelectionChanged);
    m_tree->SetIconPopup([this](QObject* owner, const QPoint& globalPos, int icon) {
        if (m_iconPopup && m_iconPopup->Owner() != owner)
            delete m_iconPopup.data();
        if (!m_iconPopup) {
            m_iconPopup = new CIconPopup(owner, this);
            m_iconPopup->setObjectName(QStringLiteral("treeIconPopup"));
        }
        m_iconPopup->SetHighlightIcon(icon);
        m_iconPopup->ShowAt(globalPos);
    });
    m_workflow.SetListener(this);

    PostUserMessage(this, UM_STARTUP);
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

void CMainView::NavigateTo(PackedDate date, int how)
{
    // The steps of codes 2 to 7, in code order.
    static PackedDate (*const kSteps[])(PackedDate) = {NextMonth, PrevMonth, NextWeek, PrevWeek, NextDay, PrevDay};
    ViewState& view = m_context.planner.view;
    if (how < NavToDate || how > NavNoDate)
        return;
    if (how == NavNoDate || (how == NavToDate && date == kNoDate)) {
        SwitchMode(ViewState::NoDate);
    } else {
        // A dated target shows in the Week view when the list views are up.
        if (!IsDatedMode(view.ViewMode))
            SwitchMode(ViewState::Week);
        if (how == NavToDate)
            view.SelectedDate = date;
        else if (how == NavToday)
            view.SelectedDate = Today();
        else
            view.SelectedDate = kSteps[how - NavNextMonth](view.SelectedDate);
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
    if (m_tree->ShapeCode() != 1 && m_tree->HasCaret() && view.ViewMode == ViewState::List)
        view.SelectedDate = m_tree->CaretDate();
    emit StateChanged();
}

// ---- User messages

bool CMainView::event(QEvent* event)
{
    if (event->type() == UserMessageEvent::EventType()) {
        auto* message = static_cast<UserMessageEvent*>(event);
        message->result = OnUserMessage(*message);
        emit StateChanged();
        return true;
    }
    return QWidget::event(event);
}

qintptr CMainView::OnUserMessage(const UserMessageEvent& message)
{
    CalendarStore& store = m_context.planner.store;
    ViewState& view = m_context.planner.view;
    const qintptr w = message.wParam;
    const qintptr l = message.lParam;
    const auto isTask = [&](qintptr index) { return index >= 0 && index < store.TaskCount() && store.IsLive(int(index)); };

    switch (message.message) {
    case UM_COMMAND:
        return OnCommand(int(w)) ? 1 : 0;
    case UM_REFRESH:
        Refresh();
        return 0;
    case UM_REPAINT_CALENDAR:
        m_surface->update();
        return 0;
    case UM_SET_VIEW_MODE:
        ActivateViewMode(int(w));
        return 0;
    case UM_SET_COMPLETE:
        if (isTask(view.SelectedTask)) {
            m_tree->SetCaretTaskComplete(l != 0);
            m_surface->update();
        }
        return 0;
    case UM_STARTUP:
        OnStartup();
        return 0;
    case UM_SET_PRIORITY:
        if (isTask(w)) {
            m_tree->SetTaskPriority(int(w), int(l) > 0 ? kPriorityHigh : int(l) < 0 ? kPriorityLow : kPriorityNormal);
            m_surface->update();
        }
        return 0;
    case UM_SET_TASK_DATE: {
        const auto date = PackedDate(l);
        if (w == -1) {
            if (date != kNoDate)
                view.SelectedDate = date;
            if (view.ViewMode == ViewState::NoDate && date != kNoDate)
                ActivateViewMode(ViewState::Week);
            else if (view.ViewMode == ViewState::Week && date == kNoDate)
                ActivateViewMode(ViewState::NoDate);
        } else if (!isTask(w)) {
            return 0;
        }
        ShowModeAndDate();
        m_tree->SetTaskDate(int(w), date);
        m_surface->update();
        return 0;
    }
    case UM_SET_CATEGORY:
        if (isTask(w) && l >= 0 && l < m_context.planner.store.Categories().Count()) {
            m_tree->SetTaskCategory(int(w), int(l));
            m_surface->update();
        }
        return 0;
    case UM_REPAINT_TREE:
        m_tree->update();
        return 0;
    case UM_NEW_TASK:
        NewTask();
        return 0;
    case UM_SELECT_CATEGORY:
        if (qint32(w) == store.CategorySelection())
            return 0;
        store.SetCategorySelection(qint32(w));
        m_tree->ClearSelection();
        view.SelectedTask = -1;
        m_tree->Rebuild(true);
        update();
        m_surface->update();
        return 0;
    case UM_DELETE_SELECTED:
        if (RequireSelectedTask())
            SendUserMessage(this, UM_DELETE_TASK, view.SelectedTask);
        return 0;
    case UM_MOVE_UP:
        MoveSelected(true);
        return 0;
    case UM_MOVE_DOWN:
        MoveSelected(false);
        return 0;
    case UM_EDIT_TASK:
        EditTask(int(w));
        return 0;
    case UM_DAY_NOTE:
        DailyNote();
        return 0;
    case UM_SET_ICON:
        if (isTask(w) && l >= 0) {
            store.SetIcon(int(w), quint32(l));
            m_surface->update();
        }
        return 0;
    case UM_DUPLICATE_TASK:
        DuplicateTask(int(w));
        return 0;
    case UM_DELETE_TASK:
        DeleteTask(int(w));
        return 0;
    case UM_NAVIGATE:
        NavigateTo(PackedDate(w), int(l));
        return 0;
    case UM_EXPAND_LEVEL:
        m_tree->ExpandAll(int(w));
        return 0;
    case UM_RESCHEDULE:
        Reschedule(qint32(w), PackedDate(l));
        return 0;
    case UM_RANGE_CHANGED:
        m_tree->Rebuild(false);
        return 0;
    default:
        return 0;
    }
}

// ---- Commands

bool CMainView::CanRun(int id) const
{
    switch (id) {
    case ID_NEW_FILE:
    case ID_OPEN_FILE:
    case ID_SAVE:
    case ID_SAVE_AS:
    case ID_IMPORT_CSV:
    case ID_EXPORT_CSV:
    case ID_IMPORT_TASK_LIST:
    case ID_EXPORT_TASK_LIST:
    case ID_PASSWORD:
    case ID_DUPLICATE_TASK:
    case ID_DELETE_TASK:
    case ID_UPDATE_DUE_TASKS:
    case ID_FLIGHT:
    case ID_HOLIDAY:
    case ID_THIRD_MARK:
    case ID_SET_AS_CURRENT:
    case ID_CLEAR_CURRENT:
    case ID_TODAY:
    case ID_HIDE_COMPLETE:
    case ID_SORT_COMPLETE:
    case ID_FLAT:
    case ID_GROUP_BY_DATE:
    case ID_GROUP_BY_CATEGORY:
    case ID_VIEW_MONTH:
    case ID_VIEW_WEEK:
    case ID_VIEW_LIST:
    case ID_VIEW_NO_DATE:
    case ID_EXPAND_ALL:
    case ID_COLLAPSE_ALL:
    case ID_MOVE_UP:
    case ID_MOVE_DOWN:
    case ID_NEXT_MONTH:
    case ID_PREV_MONTH:
    case ID_NEXT_WEEK:
    case ID_PREV_WEEK:
        return true;
    case ID_NEW_TASK:
    case ID_EDIT_TASK:
        return bool(m_dialogs.taskEditor);
    case ID_DAILY_NOTE:
        return bool(m_dialogs.dayNote);
    case ID_RESCHEDULE:
        return bool(m_dialogs.reschedule);
    case ID_SELECT_DATE:
        return bool(m_dialogs.selectDate);
    case ID_CATEGORIES:
        return bool(m_dialogs.categoryEditor);
    case ID_HOLIDAYS:
        return bool(m_dialogs.holidayEditor);
    case ID_FILTER:
        return bool(m_dialogs.filter);
    case ID_SEARCH:
        return bool(m_dialogs.search);
    case ID_PREFERENCE:
        return bool(m_dialogs.preferences);
    default:
        return false;
    }
}

bool CMainView::OnCommand(int id)
{
    if (!CanRun(id))
        return false;
    Planner& planner = m_context.planner;
    ViewState& view = planner.view;
    switch (id) {
    case ID_NEW_FILE:
        m_workflow.NewFile();
        break;
    case ID_OPEN_FILE:
        m_workflow.OpenFile();
        break;
    case ID_SAVE:
        m_workflow.Save();
        break;
    case ID_SAVE_AS:
        m_workflow.SaveAs();
        break;
    case ID_IMPORT_CSV:
        ImportCsvFile();
        break;
    case ID_EXPORT_CSV:
        ExportCsvFile();
        break;
    case ID_IMPORT_TASK_LIST:
        ImportTaskList();
        break;
    case ID_EXPORT_TASK_LIST:
        ExportTaskList();
        break;
    case ID_PREFERENCE:
        Preferences();
        break;
    case ID_PASSWORD:
        m_workflow.ChangePassword();
        LayoutChildren();
        break;
    case ID_NEW_TASK:
        NewTask();
        break;
    case ID_RESCHEDULE:
        SendUserMessage(this, UM_RESCHEDULE, CalendarStore::kAllCategories, qintptr(view.DisplayDate()));
        break;
    case ID_DAILY_NOTE:
        DailyNote();
        break;
    case ID_CATEGORIES:
        EditCategories();
        break;
    case ID_HOLIDAYS:
        EditHolidays();
        break;
    case ID_SELECT_DATE:
        SelectDate();
        break;
    case ID_FILTER:
        Filter();
        break;
    case ID_SEARCH:
        Search();
        break;
    case ID_DUPLICATE_TASK:
        if (RequireSelectedTask())
            DuplicateTask(view.SelectedTask);
        break;
    case ID_DELETE_TASK:
        SendUserMessage(this, UM_DELETE_SELECTED);
        break;
    case ID_UPDATE_DUE_TASKS:
        UpdateDueTasks();
        break;
    case ID_FLIGHT:
        ToggleDayMark(kMarkFlight);
        break;
    case ID_THIRD_MARK:
        ToggleDayMark(kMarkThird);
        break;
    case ID_HOLIDAY:
        ToggleDayMark(kMarkHoliday);
        break;
    case ID_SET_AS_CURRENT:
        if (RequireSelectedTask()) {
            planner.store.SetCurrent(view.SelectedTask);
            m_tree->update();
        }
        break;
    case ID_CLEAR_CURRENT:
        planner.store.ClearCurrent();
        m_tree->update();
        break;
    case ID_TODAY:
        NavigateTo(kNoDate, NavToday);
        break;
    case ID_HIDE_COMPLETE: {
        bool& flag = view.HideCompleteFlag();
        flag = !flag;
        m_tree->Rebuild(false);
        m_surface->update();
        update();
        break;
    }
    case ID_SORT_COMPLETE:
        planner.settings.SetSortComp(!planner.settings.SortComp());
        m_tree->Rebuild(false);
        break;
    case ID_FLAT:
        SetGroupScheme(0);
        break;
    case ID_GROUP_BY_DATE:
        SetGroupScheme(1);
        break;
    case ID_GROUP_BY_CATEGORY:
        SetGroupScheme(2);
        break;
    case ID_VIEW_MONTH:
        ActivateViewMode(ViewState::Month);
        break;
    case ID_VIEW_WEEK:
        ActivateViewMode(ViewState::Week);
        break;
    case ID_VIEW_LIST:
        ActivateViewMode(ViewState::List);
        break;
    case ID_VIEW_NO_DATE:
        ActivateViewMode(ViewState::NoDate);
        break;
    case ID_EXPAND_ALL:
        m_tree->ExpandAll(2);
        break;
    case ID_COLLAPSE_ALL:
        m_tree->ExpandAll(0);
        break;
    case ID_MOVE_UP:
        SendUserMessage(this, UM_MOVE_UP);
        break;
    case ID_MOVE_DOWN:
        SendUserMessage(this, UM_MOVE_DOWN);
        break;
    case ID_NEXT_MONTH:
        NavigateTo(kNoDate, NavNextMonth);
        break;
    case ID_PREV_MONTH:
        NavigateTo(kNoDate, NavPrevMonth);
        break;
    case ID_NEXT_WEEK:
        NavigateTo(kNoDate, NavNextWeek);
        break;
    case ID_PREV_WEEK:
        NavigateTo(kNoDate, NavPrevWeek);
        break;
    case ID_EDIT_TASK:
        // A group row is a selected item too; its SelectedTask of -1 leaves
        // the editor closed.
        if (m_tree->HasCaret())
            EditTask(view.SelectedTask);
        else
            planner.prompts.ShowMessage(GetText(kTextNoTaskSelected), QString(), UserPrompts::OkOnly,
                                        UserPrompts::NoIcon);
        break;
    default:
        return false;
    }
    emit StateChanged();
    return true;
}

bool CMainView::HasSelectedTask() const
{
    const int task = m_context.planner.view.SelectedTask;
    return task >= 0 && task < m_context.planner.store.TaskCount() && m_context.planner.store.IsLive(task);
}

bool CMainView::RequireSelectedTask()
{
    if (HasSelectedTask())
        return true;
    m_context.planner.prompts.ShowMessage(GetText(kTextNoTaskSelected), QString(), UserPrompts::OkOnly,
                                          UserPrompts::NoIcon);
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
    if (planner.prompts.ShowMessage(GetText(kTextUpdateDueTasks), QString(), UserPrompts::YesNo,
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
        planner.prompts.ShowMessage(GetText(kTextNoTaskSelected), QString(), UserPrompts::OkOnly,
                                    UserPrompts::NoIcon);
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
        if (planner.prompts.ShowMessage(GetText(kTextDeleteTask), QString(), UserPrompts::YesNo,
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

void CMainView::SetGroupScheme(int scheme)
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
            NavigateTo(task.Date, NavToDate);
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
        NavigateTo(StripFlags(date), NavToDate);
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

void CMainView::ShowNotice(int text, int caption, UserPrompts::Icon icon, const QString& argument)
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
        ShowNotice(result.ErrorText, kTextError, UserPrompts::Error);
        return;
    }
    ShowNotice(kTextImported, kTextImportCsv, UserPrompts::Information, QString::number(result.Count));
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
        planner.prompts.ShowMessage(GetText(kTextReplaceFile), GetText(kTextExportCsv), UserPrompts::YesNo,
                                    UserPrompts::Warning) != UserPrompts::Yes)
        return;
    bool exported;
    {
        WaitCursor wait(planner.prompts);
        exported = ExportCsv(path, planner.store);
    }
    ShowNotice(exported ? kTextExportDone : kTextExportFailed, kTextExportCsv, UserPrompts::Information);
}

void CMainView::ImportTaskList()
{
    Planner& planner = m_context.planner;
    int count;
    {
        WaitCursor wait(planner.prompts);
        count = ImportDeviceTasks(planner.store, planner.settings.DeviceTaskDir());
    }
    ShowNotice(kTextImported, kTextImportTaskList, UserPrompts::Information, QString::number(count));
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
    ShowNotice(kTextExported, kTextExportTaskList, UserPrompts::Information, QString::number(count));
}
