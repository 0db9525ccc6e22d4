#include "controls/CWndClr.h"

#include "controls/ControlName.h"
#include "platform/gui/ColorRef.h"

#include <QPainter>

CWndClr::CWndClr(int controlId, QWidget* parent) : QWidget(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"CWndClr", controlId));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CWndClr::SetText(const QString& text)
{
    m_text = text;
    update();
}

void CWndClr::SetTextColor(quint32 color)
{
    m_textColor = color;
    update();
}

void CWndClr::SetBkColor(quint32 color)
{
    m_bkColor = color;
    update();
}

void CWndClr::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QSize CWndClr::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(m_text) + 4, metrics.height() + 2};
}

void CWndClr::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromRef(m_bkColor));
    painter.setPen(ColorFromRef(m_textColor));
    painter.setFont(font());
    const QRect area = rect().adjusted(2, 0, -2, 0);
    painter.drawText(area, int(m_alignment) | Qt::TextSingleLine, m_text);
}
