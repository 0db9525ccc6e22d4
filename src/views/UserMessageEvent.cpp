#include "views/UserMessageEvent.h"

#include <QCoreApplication>

UserMessageEvent::UserMessageEvent(int messageIn, qintptr wParamIn, qintptr lParamIn)
    : QEvent(EventType()), message(messageIn), wParam(wParamIn), lParam(lParamIn)
{
}

QEvent::Type UserMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostUserMessage(QObject* target, int message, qintptr wParam, qintptr lParam)
{
    if (target)
        QCoreApplication::postEvent(target, new UserMessageEvent(message, wParam, lParam));
}

qintptr SendUserMessage(QObject* target, int message, qintptr wParam, qintptr lParam)
{
    if (!target)
        return 0;
    UserMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.result;
}
