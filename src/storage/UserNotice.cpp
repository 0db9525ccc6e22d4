#include "storage/UserNotice.h"

#include <QMutex>

#include <cstdio>
#include <utility>

namespace {

QMutex g_mutex;

UserNotice::Handler& CurrentHandler()
{
    static UserNotice::Handler handler;
    return handler;
}

} // namespace

void UserNotice::Show(const QString& text)
{
    Handler handler;
    {
        // Called outside the lock: a handler that shows a modal box must not
        // block another thread's notice.
        QMutexLocker lock(&g_mutex);
        handler = CurrentHandler();
    }
    if (handler) {
        handler(text);
        return;
    }
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

UserNotice::Handler UserNotice::SetHandler(Handler handler)
{
    QMutexLocker lock(&g_mutex);
    return std::exchange(CurrentHandler(), std::move(handler));
}
