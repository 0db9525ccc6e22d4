#include "controls/CIconPopup.h"

#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"

#include <QPainter>

CIconPopup::CIconPopup(QWidget* parent) : CWndPopup(parent)
{
    setObjectName(QStringLiteral("iconPopup"));
}

CWndPopup::Grid CIconPopup::Layout() const
{
    const bool large = ScreenClass::IsLarge();
    return {Images::TaskIconSize(large) + ScreenClass::Pick(5, 10), kColumns, Images::TaskIconCount()};
}

void CIconPopup::SetHighlightIcon(int icon)
{
    m_icon = icon;
    CWndPopup::SetHighlightIndex(icon >= 0 && icon < Images::TaskIconCount() ? icon : -1);
}

void CIconPopup::SetHighlightIndex(int index)
{
    if (index >= 0)
        m_icon = index;
    CWndPopup::SetHighlightIndex(index);
}

void CIconPopup::PaintCell(QPainter& painter, int index, const QRect& cell, bool highlighted)
{
    const bool large = ScreenClass::IsLarge();
    const int size = Images::TaskIconSize(large);
    const QPoint topLeft(cell.left() + (cell.width() - size) / 2, cell.top() + (cell.height() - size) / 2);
    painter.drawPixmap(topLeft, Images::TaskIcon(index, large));
    if (highlighted) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(1, 1, -2, -2));
    }
}
