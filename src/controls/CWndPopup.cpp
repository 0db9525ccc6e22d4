#include "controls/CWndPopup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

QRect CWndPopup::Grid::CellRect(int index) const
{
    if (index < 0 || index >= count || columns <= 0)
        return {};
    return {(index % columns) * cell, (index / columns) * cell, cell, cell};
}

int CWndPopup::Grid::HitTest(const QPoint& pos) const
{
    if (!QRect(QPoint(0, 0), Size()).contains(pos) || cell <= 0)
        return -1;
    const int index = columns * (pos.y() / cell) + pos.x() / cell;
    return index < count ? index : -1;
}

CWndPopup::CWndPopup(QWidget* parent) : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    // A tap outside closes the pop-up and does nothing else: a tap on the
    // button that opened it must not open it again.
    setAttribute(Qt::WA_NoMouseReplay);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

QPoint CWndPopup::PlaceBelow(const QRect& anchor, const QSize& size, const QRect& desktop)
{
    const int x = std::max(desktop.left(), std::min(anchor.left(), desktop.right() + 1 - size.width()));
    return {x, anchor.bottom() + 1};
}

QPoint CWndPopup::PlaceAbove(const QRect& anchor, const QSize& size, const QRect& desktop)
{
    const int x = std::max(desktop.left(), std::min(anchor.left(), desktop.right() + 1 - size.width()));
    return {x, std::max(desktop.top(), anchor.top() - size.height())};
}

QPoint CWndPopup::PlaceAt(const QPoint& point, const QSize& size, const QRect& desktop)
{
    const int x = std::max(desktop.left(), std::min(point.x(), desktop.right() + 1 - size.width()));
    const int y = std::max(desktop.top(), std::min(point.y(), desktop.bottom() + 1 - size.height()));
    return {x, y};
}

QRect CWndPopup::Desktop(const QWidget* near)
{
    QScreen* screen = near ? near->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

void CWndPopup::SetAnchor(QWidget* anchor, Placement placement)
{
    if (m_anchor != anchor) {
        if (m_anchor)
            m_anchor->removeEventFilter(this);
        m_anchor = anchor;
        if (m_anchor)
            m_anchor->installEventFilter(this);
    }
    m_placement = placement;
}

void CWndPopup::PlaceAtAnchor()
{
    if (!m_anchor)
        return;
    const QRect anchor(m_anchor->mapToGlobal(QPoint(0, 0)), m_anchor->size());
    const QSize size = Layout().Size();
    const QRect desktop = Desktop(m_anchor);
    QPoint topLeft = PlaceAbove(anchor, size, desktop);
    if (m_placement == Placement::Below) {
        const QPoint below = PlaceBelow(anchor, size, desktop);
        // Under the anchor unless that runs past the desktop's bottom and
        // there is more room above.
        if (below.y() + size.height() <= desktop.bottom() + 1 || anchor.top() - desktop.top() < size.height())
            topLeft = below;
    }
    if (m_open)
        move(topLeft);
    else
        Open(topLeft);
}

void CWndPopup::ShowBelow(QWidget* anchor)
{
    SetAnchor(anchor, Placement::Below);
    PlaceAtAnchor();
}

void CWndPopup::ShowAbove(QWidget* anchor)
{
    SetAnchor(anchor, Placement::Above);
    PlaceAtAnchor();
}

void CWndPopup::ShowAt(const QPoint& globalPos)
{
    SetAnchor(nullptr, Placement::Below);
    Open(PlaceAt(globalPos, Layout().Size(), Desktop(parentWidget())));
}

void CWndPopup::Open(const QPoint& topLeft)
{
    setFixedSize(Layout().Size());
    move(topLeft);
    m_open = true;
    show();
    raise();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

void CWndPopup::Close()
{
    m_open = false;
    hide();
}

void CWndPopup::Cancel()
{
    const bool wasOpen = m_open;
    Close();
    if (wasOpen)
        emit Cancelled();
}

void CWndPopup::Choose()
{
    Close();
    ReportChosen();
}

void CWndPopup::SetHighlightIndex(int index)
{
    if (m_highlight == index)
        return;
    m_highlight = index;
    update();
}

bool CWndPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_anchor && m_open && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        PlaceAtAnchor();
    return false;
}

void CWndPopup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const Grid grid = Layout();
    for (int index = 0; index < grid.count; ++index) {
        painter.save();
        PaintCell(painter, index, grid.CellRect(index), index == m_highlight);
        painter.restore();
    }
}

void CWndPopup::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int index = HitTest(event->position().toPoint());
    if (index >= 0)
        SetHighlightIndex(index);
}

void CWndPopup::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const int index = HitTest(event->position().toPoint());
    if (index >= 0)
        SetHighlightIndex(index);
}

void CWndPopup::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int index = HitTest(event->position().toPoint());
    if (index >= 0) {
        SetHighlightIndex(index);
        Choose();
    } else {
        Cancel();
    }
}

void CWndPopup::keyPressEvent(QKeyEvent* event)
{
    const Grid grid = Layout();
    const int index = m_highlight;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Choose();
        return;
    case Qt::Key_Escape:
        Cancel();
        return;
    case Qt::Key_Right:
        if (index < 0)
            SetHighlightIndex(0);
        else if (index + 1 < grid.count)
            SetHighlightIndex(index + 1);
        return;
    case Qt::Key_Left:
        if (index < 0)
            SetHighlightIndex(0);
        else if (index > 0)
            SetHighlightIndex(index - 1);
        return;
    case Qt::Key_Down:
        if (index < 0)
            SetHighlightIndex(0);
        else if (index + grid.columns < grid.count)
            SetHighlightIndex(index + grid.columns);
        return;
    case Qt::Key_Up:
        if (index < 0)
            SetHighlightIndex(0);
        else if (index >= grid.columns)
            SetHighlightIndex(index - grid.columns);
        return;
    default:
        event->accept(); // keys stay with the pop-up while it is open
        return;
    }
}

void CWndPopup::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Closed by the system (another window came forward): a cancel.
    if (m_open) {
        m_open = false;
        emit Cancelled();
    }
}
