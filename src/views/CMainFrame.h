#pragma once

#include "platform/gui/ViewContext.h"

#include <QHash>
#include <QMainWindow>

class CMainView;
class QAction;
class QMenu;
class QToolBar;

// The program's one top-level window: the menu bar ("File", "Edit", "View"),
// the toolbar at the bottom and the main view. Commands go to the main view
// first and to the frame when the view does not take them; the menu's check
// marks and enabled states are brought up to date before a menu shows and
// after every command.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int kCommandBarId = 59392;
    static constexpr QSize DefaultSize() { return {720, 720}; }

    struct CommandState
    {
        bool enabled = true;
        bool checked = false;
    };

    CMainFrame(ViewContext& context, const QString& commandLinePath, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CMainView* MainView() const { return m_view; }

    // Runs a command: the main view first, then the frame. False when nobody
    // took it.
    bool OnCommand(int id);
    // The state a command's entry should have now (its check mark and whether
    // it applies), whatever the program can do about it yet.
    CommandState StateOf(int id) const;
    // Whether the program carries the command out now (a command whose
    // dialog has not been handed to the main view is not).
    bool IsAvailable(int id) const;
    // Brings every action's enabled and checked state up to date.
    void UpdateCommandStates();
    // The action of a command id, or nullptr.
    QAction* Action(int id) const { return m_actions.value(id); }

    // Without it (a look at the window for a picture) closing writes nothing:
    // neither the calendar, the settings nor the window's place.
    void SetPersistent(bool persistent);
    // The program is being ended from outside (a signal): closing asks
    // nothing; a named calendar is still saved silently.
    void SetLeaving() { m_leaving = true; }

    // UM_FRAME_REPAINT (0x42E), posted to the frame: the first paint once
    // the frame is in place, and a new day.
    void RepaintView();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    // Exit and closing the window: the offer to save; after a save that
    // failed, whether to leave and lose the changes. False keeps the window.
    bool QueryLeave();
    void RestoreWindowGeometry();
    void SaveWindowGeometry() const;
    void UpdateWindowTitle();

    ViewContext& m_context;
    CMainView* m_view;
    QToolBar* m_toolBar = nullptr;
    QHash<int, QAction*> m_actions;
    bool m_persistent = true;
    // The user agreed to leave (Exit, or a close that was not cancelled).
    bool m_leaving = false;
};
