#pragma once

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/PackedDate.h"
#include "model/ViewState.h"
#include "storage/Planner.h"
#include "storage/Settings.h"
#include "platform/gui/DisplayFonts.h"
#include "platform/gui/ViewContext.h"

#include <QObject>
#include <QTimer>

#include <memory>

class CMainFrame;
class DialogPrompts;
class QtPrompts;
class UserPrompts;

// The application: it holds the program's single objects, starts everything
// (texts, settings, fonts, the frame) and, whenever the program goes idle,
// notices that the date has changed so the calendar moves its today mark.
class CPlannerApp : public QObject
{
    Q_OBJECT

public:
    // Without prompts the program's own dialogs and the desktop's message
    // boxes answer the questions.
    explicit CPlannerApp(UserPrompts* prompts = nullptr, QObject* parent = nullptr);
    ~CPlannerApp() override;

    // Remembers today, loads the texts and the settings, builds the fonts,
    // creates the frame and (when show is set) shows it. The main view then
    // opens commandLinePath, or the last data file when it is empty.
    void InitInstance(const QString& commandLinePath, bool show = true);

    CMainFrame* Frame() const { return m_frame.get(); }
    ViewContext& Context() { return m_context; }
    // Closes the frame and lets the main view save as it goes.
    void DestroyFrame();

    // The date as last seen.
    PackedDate CurrentDate() const { return m_today; }
    // Idle work: a new date repaints the calendar (DayChanged).
    void OnIdle();

signals:
    // The date changed: posted to the frame as UM_FRAME_REPAINT (0x42E).
    void DayChanged();

private:
    // Wakes the program just after midnight, so an idle program also moves
    // its today mark.
    void ArmMidnightTimer();

    std::unique_ptr<QtPrompts> m_ownPrompts;
    std::unique_ptr<DialogPrompts> m_dialogPrompts;
    UserPrompts& m_prompts;
    CalendarStore m_store;
    HolidayList m_holidays;
    ViewState m_view;
    Settings m_settings;
    Planner m_planner;
    DisplayFonts m_fonts;
    ViewContext m_context;
    std::unique_ptr<CMainFrame> m_frame;
    PackedDate m_today = kNoDate;
    QTimer m_midnight;
};
