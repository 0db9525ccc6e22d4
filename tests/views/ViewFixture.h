#pragma once

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/LanguageModule.h"
#include "model/TaskRecord.h"
#include "model/ViewState.h"
#include "platform/gui/ScreenClass.h"
#include "support/PlannerObjects.h"
#include "views/CMainView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <memory>

inline const PackedDate kTestToday = MakeDate(2024, 5, 15);

// Fixes today and the screen class; undoes both afterwards.
class ViewTestBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::SetToday(kTestToday);
        ScreenClass::Force(Large());
        objects = std::make_unique<PlannerObjects>(Large());
    }
    void TearDown() override
    {
        objects.reset();
        ScreenClass::Reset();
        Clock::SetToday(0);
    }
    virtual bool Large() const { return true; }

    // A task added to the store; returns its index.
    int AddTask(const QString& title, PackedDate date, int priority = kPriorityNormal, bool completed = false)
    {
        TaskRecord task;
        task.Title = title;
        task.Date = date;
        task.Priority = priority;
        task.Completed = completed ? 1 : 0;
        return objects->store.AddTask(task, true);
    }

    // No settings and no data file in the test's private folders.
    static void ForgetSettingsAndDataFile()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane Software"),
                  QStringLiteral("Orbelin Planner"))
            .clear();
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QFile::remove(folder + QStringLiteral("/Orbelin.vrx"));
    }

    std::unique_ptr<PlannerObjects> objects;
};

// Delivers every posted report (the queued signals).
inline void RunPostedMessages()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

// A main view after its start-up, shown at 480 x 640.
class MainViewTest : public ViewTestBase
{
protected:
    void SetUp() override
    {
        ViewTestBase::SetUp();
        ForgetSettingsAndDataFile();
        FontSettings fonts = objects->settings.Fonts();
        fonts.FontHCtrl = 20;
        fonts.FontHDateNum = 18;
        objects->settings.SetFonts(fonts);
        objects->settings.SetCubeH(30);
        view = std::make_unique<CMainView>(objects->context, QString());
        view->resize(480, 640);
        view->show();
        RunPostedMessages();
    }
    void TearDown() override
    {
        if (view)
            view->SetSaveOnClose(false);
        view.reset();
        ViewTestBase::TearDown();
    }

    ViewState& State() { return objects->view; }
    CalendarStore& Store() { return objects->store; }
    ScriptedPrompts& Prompts() { return objects->prompts; }
    int Command(int id) { return view->OnCommand(id); }

    std::unique_ptr<CMainView> view;
};
