#pragma once

#include "lists/CTodoTreeCtrl.h"
#include "lists/CTodoTreeWnd.h"
#include "lists/TaskTreeModel.h"
#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/HolidayList.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "platform/gui/MenuRunner.h"
#include "platform/gui/ScreenClass.h"
#include "storage/PasswordKey.h"
#include "storage/Planner.h"
#include "storage/Settings.h"
#include "platform/gui/DisplayFonts.h"
#include "platform/gui/ViewContext.h"
#include "support/ScriptedPrompts.h"
#include "support/SignalLog.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <QObject>
#include <gtest/gtest.h>

#include <memory>

// The fixture calendar, today Sunday 15 March 2009, categories in the order
// Unfiled (0), Business (2), Personal (1):
//   no date  N: H(2)
//   Mar 14   N: J(1)
//   Mar 15   H: B(0)      N: A(1), D(2, done)   L: C(2)
//   Mar 16   H: E(1)
//   Mar 17   N: F(1, done)                      L: G(0)
//   Mar 25   H: I(2)
// (letters are titles, then category, then "done" for completed tasks)
class TreeFixture : public ::testing::Test
{
protected:
    static PackedDate Mar(int day) { return MakeDate(2009, 3, day); }

    void SetUp() override;
    void TearDown() override;

    // Adds a task; returns its store index.
    int Add(const char* title, PackedDate date, qint32 priority, qint32 category, bool completed = false,
            quint32 icon = 0, const char* note = "");
    void AddFixtureTasks();
    int Task(const char* title) const;

    // Shows one day in the Month view, the week of a day, or the List view.
    void ShowDay(PackedDate day);
    void ShowWeek(PackedDate day);
    void ShowList(PackedDate from = kNoDate, PackedDate to = kNoDate, bool noDate = false);

    // The tree as text: task rows by title, date groups as D + yyyyMMdd (D0
    // for the undated tasks),
    // category groups as C + index, a group's rows in brackets:
    // "D20090315[B,A] D20090316[E]".
    QString TreeText() const;
    CTodoTreeCtrl& Tree() const { return *m_wnd->TodoTree(); }
    TaskTreeModel& Model() const { return Tree().Model(); }
    int NodeOfTask(int task) const { return Model().Find(quint32(task)); }
    // The centre of a row's zone, in viewport coordinates.
    QPoint ZonePoint(int node, TaskRowLayout::Zone zone) const;
    // A point of a row right of every zone of a task row (the title).
    QPoint TitlePoint(int node) const;

    void Tap(const QPoint& point);
    void DoubleTap(const QPoint& point);
    // Records every report of the tree to the main view (at once: whether
    // a report is posted or sent is the main view's connection).
    void WatchTree();

    CalendarStore m_store;
    HolidayList m_holidays;
    ViewState m_view;
    Settings m_settings{true};
    PasswordKey m_password;
    ScriptedPrompts m_prompts;
    Planner m_planner{m_store, m_holidays, m_view, m_settings, m_password, m_prompts};
    DisplayFonts m_fonts{m_settings.Fonts()};
    ViewContext m_context{m_planner, m_fonts};
    SignalLog m_log;
    std::unique_ptr<CTodoTreeWnd> m_wnd;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    quint32 m_savedLastId = 0;
};
