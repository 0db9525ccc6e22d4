#pragma once

#include "model/PackedDate.h"
#include "model/TextId.h"
#include "lists/TaskTreeShape.h"
#include "model/ViewState.h"
#include "platform/gui/ViewContext.h"
#include "storage/FileWorkflow.h"
#include "storage/UserPrompts.h"
#include "views/MainViewDialogs.h"

#include <QRect>
#include <QWidget>

#include <span>

class CRenderWnd;
class CTabMode;
class CTitleWnd;
class CTodoTreeWnd;

// The one client window of the main frame. It holds the title bar, the
// view-mode tabs, the calendar surface and the task tree, keeps the view
// state, carries the menu commands of the "Edit" and "View" menus and most
// of the "File" menu, and is the hub of the UM_ messages: its children report
// to it with their signals, connected queued where the message is posted and
// directly where it is sent, and each handler below names its message.
class CMainView : public QWidget, public DocumentListener
{
    Q_OBJECT

public:
    static constexpr int kControlId = 59648; // the frame's first pane
    static constexpr int kTabModeId = 1055;

    // Where each child goes in one view mode.
    struct Layout
    {
        QRect title;
        QRect tabs;
        QRect surface; // empty while hidden
        QRect tree;
        bool surfaceVisible = false;
    };
    // The children's places for a client size; large = the large screen class.
    static Layout ComputeLayout(int viewMode, const QSize& client, bool large, const Settings& settings);

    // Posts its start-up (UM_STARTUP, 0x405) to itself; the start-up opens
    // commandLinePath, or the last data file when it is empty.
    CMainView(ViewContext& context, const QString& commandLinePath, QWidget* parent = nullptr);
    // Saves a modified named calendar silently and writes the settings.
    ~CMainView() override;

    ViewContext& Context() const { return m_context; }
    FileWorkflow& Workflow() { return m_workflow; }
    CTitleWnd* TitleWnd() const { return m_title; }
    CTabMode* TabMode() const { return m_tabs; }
    CRenderWnd* RenderWnd() const { return m_surface; }
    CTodoTreeWnd* TodoTreeWnd() const { return m_tree; }
    bool StartupDone() const { return m_startupDone; }

    // Runs a menu command (WM_COMMAND); false when the view does not handle
    // it (the frame gets it then), or when the dialog it needs has not been
    // handed over.
    bool OnCommand(int id);
    // Whether OnCommand carries out the command now.
    bool CanRun(int id) const;

    // The dialogs of the commands; a command without its dialog is not run.
    void SetDialogs(const MainViewDialogs& dialogs);
    const MainViewDialogs& Dialogs() const { return m_dialogs; }

    // After the preferences ended with OK: saves the settings, gives the
    // children the new fonts, lays out the current mode again and rebuilds
    // the tree.
    void ApplyPreferences();

    // ---- The UM_ messages. Each runs as the message does and then tells
    // the frame (StateChanged).

    // UM_REFRESH (0x401): the tree rebuilds, the title bar shows the mode and
    // date, the surface repaints.
    void Refresh();
    // UM_REPAINT_CALENDAR (0x402).
    void RepaintCalendar();
    // UM_SET_VIEW_MODE (0x403). Activating a view mode: tab, view state,
    // layout, title bar, surface, tree.
    void ActivateViewMode(int mode);
    // UM_SET_COMPLETE (0x404): the selected task's completion, through the
    // tree.
    void SetSelectedComplete(bool complete);
    // UM_SET_PRIORITY (0x406).
    void SetTaskPriority(int task, int priority);
    // UM_SET_TASK_DATE (0x407); task -1 moves the selected day (and may
    // switch between the Week and No Date views).
    void SetTaskDate(int task, PackedDate date);
    // UM_SET_CATEGORY (0x408).
    void SetTaskCategory(int task, int category);
    // UM_REPAINT_TREE (0x409).
    void RepaintTree();
    // UM_NEW_TASK (0x40A): New Task.
    void NewTask();
    // UM_SELECT_CATEGORY (0x40D): the category selection of the views.
    void SelectCategory(qint32 category);
    // UM_DELETE_SELECTED (0x410): Delete Task on the selected task, else
    // the notice that none is selected.
    void DeleteSelected();
    // UM_MOVE_UP (0x411) and UM_MOVE_DOWN (0x412): the selected task one
    // place up or down.
    void MoveSelectedUp();
    void MoveSelectedDown();
    // UM_EDIT_TASK (0x41A): Edit Task.
    void EditTask(int index);
    // UM_DAY_NOTE (0x41B): Daily Note.
    void DailyNote();
    // UM_SET_ICON (0x41C).
    void SetTaskIcon(int task, int icon);
    // UM_DUPLICATE_TASK (0x41D): Duplicate Task.
    void DuplicateTask(int index);
    // UM_DELETE_TASK (0x41E): Delete Task (-1 only takes the tree's
    // selection).
    void DeleteTask(int index);
    // UM_NAVIGATE (0x41F): moves the selected date by a navigation code.
    void NavigateTo(PackedDate date, NavigateCode how);
    // UM_EXPAND_LEVEL (0x422): 0 collapses every group, 1 expands the top
    // level, 2 everything.
    void ExpandLevel(int level);
    // UM_RESCHEDULE (0x425): Reschedule, starting at a category (or all) and
    // the day to move from.
    void Reschedule(qint32 category, PackedDate from);
    // UM_RANGE_CHANGED (0x426): the list date range changed.
    void RangeChanged();

    // Lays the children out for the current mode.
    void LayoutChildren();
    // Repaints the view and its calendar (the frame's day change).
    void RepaintAll();

    // Without it (a look at the window for a picture) leaving the program
    // writes neither the calendar nor the settings.
    void SetSaveOnClose(bool save) { m_saveOnClose = save; }

    // DocumentListener
    void DocumentReset() override;
    void DocumentLoaded() override;

signals:
    // A command or message ran; the frame keeps its menu states current.
    void StateChanged();
    // UM_STARTUP has run.
    void StartupFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // One command of the view: what runs it, and (when not always) whether it
    // can run now.
    struct CommandRow
    {
        int id;
        void (*run)(CMainView& view);
        bool (*enabled)(const CMainView& view) = nullptr;
    };
    static std::span<const CommandRow> Commands();
    static const CommandRow* FindCommand(int id);

    // A child's report, connected queued (posted) or directly (sent); after
    // the handler the frame learns that the state may have changed.
    template <class Sender, class Signal, class Handler>
    void Posted(const Sender* sender, Signal signal, Handler handler);
    template <class Sender, class Signal, class Handler>
    void Sent(const Sender* sender, Signal signal, Handler handler);
    template <class Sender, class Signal, class Handler>
    void Listen(const Sender* sender, Signal signal, Handler handler, Qt::ConnectionType type);
    void ConnectChildren();

    // UM_STARTUP (0x405), posted by the view to itself.
    void OnStartup();
    void OnTreeSelectionChanged();
    void ShowModeAndDate();
    // The selected day and the mode after a jump: title bar, surface, tree.
    void AfterDateChange();
    // Selects the tab, stores the mode and lays out (the first steps of
    // activating a mode).
    void SwitchMode(int mode);
    void FocusSurface();

    bool IsTask(int index) const;
    bool HasSelectedTask() const;
    // Message 233 when none is selected.
    bool RequireSelectedTask();
    void ShowNoTaskSelected();
    void ToggleDayMark(quint32 flag);
    void UpdateDueTasks();
    void SetGroupScheme(TreeGrouping scheme);
    void MoveSelected(bool up);
    void SetSelectedAsCurrent();
    void ClearCurrent();
    void ToggleHideComplete();
    void ToggleSortComplete();
    void ChangePassword();
    // Command 32902: edits the selected task; a group row is a selected item
    // too, whose task of -1 leaves the editor closed.
    void EditSelected();

    // The commands that run a dialog.
    void SelectDate();
    void EditCategories();
    void EditHolidays();
    void Filter();
    void Search();
    void Preferences();
    // Whether a new task's day is the selected day (or lies in the selected week).
    bool OnSelectedDays(PackedDate date) const;
    // Whether the List view lists a task of that day.
    bool InListRange(PackedDate date) const;

    // Exchange with CSV files and the shared task list.
    void ImportCsvFile();
    void ExportCsvFile();
    void ImportTaskList();
    void ExportTaskList();
    // Where the CSV file picker starts.
    QString CsvFolder() const;
    void ShowNotice(TextId text, TextId caption, UserPrompts::Icon icon, const QString& argument = QString());

    ViewContext& m_context;
    FileWorkflow m_workflow;
    QString m_commandLinePath;
    CTitleWnd* m_title = nullptr;
    CRenderWnd* m_surface = nullptr;
    CTodoTreeWnd* m_tree = nullptr;
    CTabMode* m_tabs = nullptr;
    MainViewDialogs m_dialogs;
    bool m_startupDone = false;
    bool m_saveOnClose = true;
};
