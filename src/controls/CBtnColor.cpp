#include "controls/CBtnColor.h"

#include "controls/ControlName.h"

#include "controls/CColorPopup.h"
#include "platform/gui/ColorRef.h"

#include <QPainter>

CBtnColor::CBtnColor(int controlId, QWidget* parent) : CBtnPopup(controlId, parent)
{
    setObjectName(ControlName(u"CBtnColor", controlId));
}

void CBtnColor::SetColor(quint32 color)
{
    m_color = color;
    update();
}

CColorPopup* CBtnColor::Popup() const
{
    return static_cast<CColorPopup*>(PopupWindow());
}

void CBtnColor::DrawContent(QPainter& painter)
{
    const QRect swatch = rect().adjusted(3, 3, -3, -3);
    if (swatch.isEmpty())
        return;
    QColor color = ColorFromRef(m_color);
    if (!isEnabled()) // faded towards white, as the text of a disabled button is greyed
        color = QColor((color.red() + 255) / 2, (color.green() + 255) / 2, (color.blue() + 255) / 2);
    painter.fillRect(swatch, color);
}

CWndPopup* CBtnColor::CreatePopup()
{
    auto* popup = new CColorPopup(this);
    connect(popup, &CColorPopup::ColorChosen, this, &CBtnColor::OnColorChosen, Qt::QueuedConnection);
    return popup;
}

void CBtnColor::HighlightValue()
{
    Popup()->SetHighlightColor(m_color);
}

void CBtnColor::OnColorChosen(quint32 color)
{
    m_color = color;
    repaint();
    emit ColorChanged(ControlId(), m_color);
}
