#include "lists/CColumnTreeCtrl.h"

#include <QMouseEvent>
#include <QScrollBar>

CColumnTreeCtrl::CColumnTreeCtrl(QWidget* parent) : CMyTreeCtrl(parent)
{
    // Not only a rebuild makes the vertical scroll bar come and go: an edit
    // in place, or the window's own horizontal scroll bar taking room, does
    // too, and the column geometry counts the room the bar takes.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &CColumnTreeCtrl::ReportScrollBarState);
}

CColumnTreeCtrl::~CColumnTreeCtrl() = default;

void CColumnTreeCtrl::Rebuild(bool)
{
}

int CColumnTreeCtrl::OnMouse(QEvent::Type, Qt::MouseButton, Qt::KeyboardModifiers, const QPoint&)
{
    return 1;
}

int CColumnTreeCtrl::ColumnWidth(int column) const
{
    return column >= 0 && column < kCachedColumns ? m_widths[column] : 0;
}

void CColumnTreeCtrl::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < kCachedColumns)
        m_widths[column] = width;
}

int CColumnTreeCtrl::VerticalScrollBarSpace() const
{
    return HasVerticalScrollBar() ? ScrollBarExtent() : 0;
}

void CColumnTreeCtrl::ReportScrollBarState()
{
    const bool shown = HasVerticalScrollBar();
    if (shown == m_scrollBarShown)
        return;
    m_scrollBarShown = shown;
    emit ScrollBarShownChanged();
}

bool CColumnTreeCtrl::PassMouse(QMouseEvent* event)
{
    return OnMouse(event->type(), event->button(), event->modifiers(), event->position().toPoint()) != 0;
}

void CColumnTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    if (PassMouse(event))
        CMyTreeCtrl::mousePressEvent(event);
}

void CColumnTreeCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (PassMouse(event))
        CMyTreeCtrl::mouseReleaseEvent(event);
}

void CColumnTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (PassMouse(event))
        CMyTreeCtrl::mouseDoubleClickEvent(event);
}

void CColumnTreeCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (PassMouse(event))
        CMyTreeCtrl::mouseMoveEvent(event);
}
