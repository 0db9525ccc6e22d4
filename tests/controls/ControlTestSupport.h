#pragma once

#include "model/Clock.h"
#include "model/PackedDate.h"
#include "controls/COwnerButton.h"
#include "platform/gui/MenuRunner.h"
#include "platform/gui/ScreenClass.h"
#include "support/SignalLog.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

// The pen on a widget, at a point of its own.
inline void Pen(QWidget* widget, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

inline QPoint Centre(const QWidget* widget)
{
    return widget->rect().center();
}

// A tap in the middle of a widget.
inline void Tap(QWidget* widget)
{
    Pen(widget, QEvent::MouseButtonPress, Centre(widget));
    Pen(widget, QEvent::MouseButtonRelease, Centre(widget));
}

// Fixes today, restores the screen class and the menu script after each test.
class ControlTest : public ::testing::Test
{
protected:
    const PackedDate kToday = MakeDate(2009, 3, 5); // a Thursday

    void SetUp() override { Clock::SetToday(kToday); }
    void TearDown() override
    {
        MenuRunner::ClearScript();
        ScreenClass::Reset();
        Clock::SetToday(0);
    }

    // Answers the next menu with command and keeps the items shown.
    void ChooseFromMenu(int command)
    {
        MenuRunner::SetScript([this, command](const MenuDesc& items) {
            shownMenu = items;
            ++menusShown;
            return command;
        });
    }

    // Watches a button's click and returns it.
    template <class Button>
    Button* WatchClicks(Button* button)
    {
        log.Watch(button, &COwnerButton::Clicked, QStringLiteral("Clicked"));
        return button;
    }

    MenuDesc shownMenu;
    int menusShown = 0;
    // The reports of the controls under test, as their owner gets them.
    SignalLog log;
};
