#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

// The tap-and-hold gesture of a pen screen, on a desktop: a right click, or a
// left press held still for 500 ms, both report a context-menu gesture at the
// point. Install it on a widget (or its viewport); the handler gets the point
// in that widget's coordinates.
class LongPress : public QObject
{
    Q_OBJECT

public:
    static constexpr int kHoldMs = 500;
    static constexpr int kSlopPixels = 4;

    using Handler = std::function<void(const QPoint& pos)>;

    LongPress(QWidget* target, Handler handler);

    // True while the current press has already been turned into a gesture
    // (the widget then ignores the release that follows).
    bool Fired() const { return m_fired; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fire();

    QPointer<QWidget> m_target;
    Handler m_handler;
    QTimer m_timer;
    QPoint m_pressPos;
    bool m_fired = false;
};
