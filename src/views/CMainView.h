#pragma once

#include "model/PackedDate.h"
#include "storage/FileWorkflow.h"
#include "storage/UserPrompts.h"
#include "views/MainViewDialogs.h"
#include "views/ViewContext.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

class CIconPopup;
class CRenderWnd;
class CTabMode;
class CTitleWnd;
class CTodoTreeWnd;
class UserMessageEvent;

// The one client window of the main frame. It holds the title bar, the
// view-mode tabs, the calendar surface and the task tree, keeps the view
// state, carries the menu commands of the "Edit" and "View" menus and most
// of the "File" menu, and is the hub of the UM_ messages its children send.
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

    // Posts UM_STARTUP to itself; the start-up opens commandLinePath, or the
    // last data file when it is empty.
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

    // Runs a menu command; false when the view does not handle it (the frame
    // gets it then), or when the dialog it needs has not been handed over.
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

    // Activating a view mode: tab, view state, layout, title bar, surface,
    // tree.
    void ActivateViewMode(int mode);
    // Moves the selected date by a navigation code (0 to a date, 1 today,
    // 2/3 next/previous month, 4/5 next/previous week, 6/7 next/previous
    // day, 8 the undated tasks).
    void NavigateTo(PackedDate date, int how);
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
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // Returns the message's result.
    qintptr OnUserMessage(const UserMessageEvent& message);

    void OnStartup();
    void OnTreeSelectionChanged();
    // Rebuilds the tree, shows the mode and date in the title bar, repaints the surface.
    void Refresh();
    void ShowModeAndDate();
    // The selected day and the mode after a jump: title bar, surface, tree.
    void AfterDateChange();
    // Selects the tab, stores the mode and lays out (the first steps of
    // activating a mode).
    void SwitchMode(int mode);
    void FocusSurface();

    bool HasSelectedTask() const;
    bool RequireSelectedTask();
    void ToggleDayMark(quint32 flag);
    void UpdateDueTasks();
    void DuplicateTask(int index);
    void DeleteTask(int index);
    void SetGroupScheme(int scheme);
    void MoveSelected(bool up);

    // The commands and messages that run a dialog.
    void NewTask();
    void EditTask(int index);
    void DailyNote();
    void Reschedule(qint32 category, PackedDate from);
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
    void ShowNotice(int text, int caption, UserPrompts::Icon icon, const QString& argument = QString());

    ViewContext& m_context;
    FileWorkflow m_workflow;
    QString m_commandLinePath;
    CTitleWnd* m_title = nullptr;
    CRenderWnd* m_surface = nullptr;
    CTodoTreeWnd* m_tree = nullptr;
    CTabMode* m_tabs = nullptr;
    // The icon grid of the tree's icon zone, made when first asked for.
    QPointer<CIconPopup> m_iconPopup;
    MainViewDialogs m_dialogs;
    bool m_startupDone = false;
    bool m_saveOnClose = true;
};
