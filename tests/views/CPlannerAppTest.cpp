#include "ViewFixture.h"

#include "views/CMainFrame.h"
#include "views/CMainView.h"
#include "views/CPlannerApp.h"

#include "dialogs/CDlgPw.h"
#include "dialogs/DialogRunner.h"
#include "model/LastTaskId.h"
#include "storage/DataFile.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <QEventLoop>
#include <QTimer>

namespace {

class PlannerAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::SetToday(kTestToday);
        ViewTestBase_Forget();
    }
    void TearDown() override { Clock::SetToday(0); }

    static void ViewTestBase_Forget()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane Software"),
                  QStringLiteral("Orbelin Planner"))
            .clear();
    }

    ScriptedPrompts prompts;
};

// Counts the repaints posted to the frame (UM_FRAME_REPAINT): the only
// queued calls the frame gets once it is in place.
class FrameWatcher : public QObject
{
public:
    int repaints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall)
            ++repaints;
        return false;
    }
};

TEST_F(PlannerAppTest, StartUpWithoutSettingsOrFileShowsAnEmptyUntitledMonth)
{
    CPlannerApp app(&prompts);
    app.InitInstance(QString(), false);
    QFile::remove(app.Frame()->MainView()->Workflow().DataFilePath());
    RunPostedMessages();

    const ViewContext& context = app.Context();
    EXPECT_TRUE(app.Frame()->MainView()->StartupDone());
    EXPECT_TRUE(context.planner.store.Untitled());
    EXPECT_EQ(context.planner.store.TaskCount(), 0);
    EXPECT_EQ(context.planner.store.Categories().Count(), 3);
    EXPECT_EQ(context.planner.view.ViewMode, ViewState::Month);
    EXPECT_EQ(context.planner.view.SelectedDate, kTestToday);
    EXPECT_EQ(context.planner.settings.DataName(), QStringLiteral("Orbelin.vrx"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    app.Frame()->SetPersistent(false);
}

TEST_F(PlannerAppTest, ANewDayRepaintsTheCalendarOnce)
{
    CPlannerApp app(&prompts);
    app.InitInstance(QString(), false);
    RunPostedMessages();
    FrameWatcher watcher;
    app.Frame()->installEventFilter(&watcher);

    app.OnIdle();
    RunPostedMessages();
    EXPECT_EQ(watcher.repaints, 0);

    Clock::SetToday(NextDay(kTestToday));
    app.OnIdle();
    app.OnIdle();
    RunPostedMessages();
    EXPECT_EQ(watcher.repaints, 1);
    EXPECT_EQ(app.CurrentDate(), NextDay(kTestToday));
    app.Frame()->SetPersistent(false);
}

TEST_F(PlannerAppTest, IdleWorkRunsWhenTheEventLoopWaits)
{
    CPlannerApp app(&prompts);
    app.InitInstance(QString(), false);
    RunPostedMessages();
    Clock::SetToday(NextDay(kTestToday));
    // Any turn of the event loop that runs out of work and waits is an idle moment.
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(app.CurrentDate(), NextDay(kTestToday));
    app.Frame()->SetPersistent(false);
}

TEST_F(PlannerAppTest, TheProgramAsksForThePasswordOfItsDataFileInItsOwnDialog)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Secret.vrx"));
    const quint32 lastId = LastTaskId::Value();
    {
        CalendarStore store;
        store.ResetToDefaults();
        TaskRecord task;
        task.Title = QStringLiteral("Hidden");
        ASSERT_GE(store.AddTask(task, true), 0);
        PasswordKey key;
        key.SetPassword(QStringLiteral("secret"));
        QString error;
        ASSERT_TRUE(SaveDataFile(store, HolidayList(), path, true, key.KeyBytes(), key.KeyBits(), false, error));
    }
    QStringList shown;
    DialogRunner::SetScript([&shown](QDialog& dialog) {
        shown << dialog.objectName();
        auto* password = dynamic_cast<CDlgPw*>(&dialog);
        if (!password)
            return int(QDialog::Rejected);
        QTest::keyClicks(password->PasswordField(), QStringLiteral("secret"));
        password->PressOk();
        return password->result();
    });
    // The desktop's message boxes would wait for a click: none may come, and
    // one that does is closed so the test fails instead of hanging.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    guard.start(2000);

    CPlannerApp app; // with the program's own prompts
    app.InitInstance(path, false);
    RunPostedMessages();
    DialogRunner::ClearScript();

    EXPECT_EQ(shown, QStringList{QStringLiteral("CDlgPw")});
    const Planner& planner = app.Context().planner;
    EXPECT_EQ(planner.store.FilePath(), path);
    ASSERT_EQ(planner.store.TaskCount(), 1);
    EXPECT_EQ(planner.store.GetTask(0)->Title, QStringLiteral("Hidden"));
    app.Frame()->SetPersistent(false);
    app.DestroyFrame();
    PasswordKey::Instance().SetPassword(QString());
    LastTaskId::Set(lastId);
}

} // namespace
