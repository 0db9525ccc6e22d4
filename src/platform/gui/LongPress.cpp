#include "platform/gui/LongPress.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>

LongPress::LongPress(QWidget* target, Handler handler)
    : QObject(target), m_target(target), m_handler(std::move(handler))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kHoldMs);
    connect(&m_timer, &QTimer::timeout, this, &LongPress::Fire);
    target->installEventFilter(this);
}

void LongPress::Fire()
{
    m_fired = true;
    if (m_handler)
        m_handler(m_pressPos);
}

bool LongPress::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_target)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_fired = false;
        if (mouse->button() == Qt::LeftButton) {
            m_pressPos = mouse->position().toPoint();
            m_timer.start();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_timer.isActive() && (mouse->position().toPoint() - m_pressPos).manhattanLength() > kSlopPixels)
            m_timer.stop();
        break;
    }
    case QEvent::MouseButtonRelease:
        m_timer.stop();
        if (m_fired) {
            m_fired = false;
            return true; // the hold already acted; the release does nothing more
        }
        break;
    case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        m_timer.stop();
        m_pressPos = menu->pos();
        if (m_handler)
            m_handler(m_pressPos);
        return true;
    }
    default:
        break;
    }
    return false;
}
