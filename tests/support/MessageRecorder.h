#pragma once

#include "views/UserMessageEvent.h"

#include <QCoreApplication>
#include <QList>
#include <QWidget>

#include <ostream>

// Stands where a window's owner or parent stands and records every user
// message it gets, posted or sent, in order.
class MessageRecorder : public QWidget
{
public:
    struct Message
    {
        int message;
        qintptr wParam;
        qintptr lParam;
        bool operator==(const Message&) const = default;
    };

    QList<Message> received;

    QList<int> Numbers() const
    {
        QList<int> numbers;
        for (const Message& m : received)
            numbers << m.message;
        return numbers;
    }

    // Delivers the posted messages (and those they post in turn) and returns
    // everything received so far.
    const QList<Message>& Delivered()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        return received;
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != UserMessageEvent::EventType())
            return QWidget::event(event);
        const auto* message = static_cast<UserMessageEvent*>(event);
        received.append({message->message, message->wParam, message->lParam});
        return true;
    }
};

inline void PrintTo(const MessageRecorder::Message& m, std::ostream* os)
{
    *os << "{0x" << std::hex << m.message << std::dec << ", " << qint64(m.wParam) << ", " << qint64(m.lParam) << "}";
}
