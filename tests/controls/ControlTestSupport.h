#pragma once

#include "model/Clock.h"
#include "model/PackedDate.h"
#include "platform/gui/MenuRunner.h"
#include "platform/gui/ScreenClass.h"
#include "views/UserMessageEvent.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

// A window that stands where a control's parent stands: it records every
// user message it gets, in order.
class MessageLog : public QWidget
{
public:
    struct Message
    {
        int message;
        qintptr wParam;
        qintptr lParam;
        bool operator==(const Message&) const = default;
    };

    std::vector<Message> messages;

    // Delivers the posted messages and returns those received so far.
    const std::vector<Message>& Delivered()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        return messages;
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == UserMessageEvent::EventType()) {
            const auto* m = static_cast<UserMessageEvent*>(e);
            messages.push_back({m->message, m->wParam, m->lParam});
            return true;
        }
        return QWidget::event(e);
    }
};

inline std::ostream& operator<<(std::ostream& os, const MessageLog::Message& m)
{
    return os << "{0x" << std::hex << m.message << std::dec << ", " << qint64(m.wParam) << ", " << qint64(m.lParam)
              << "}";
}

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

    MenuDesc shownMenu;
    int menusShown = 0;
};
