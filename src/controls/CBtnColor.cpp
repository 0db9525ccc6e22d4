#include "controls/CBtnColor.h"

#include "controls/ControlName.h"

#include "controls/CColorPopup.h"
#include "platform/gui/ColorRef.h"
#include "views/UserMessageEvent.h"

#include <QPainter>

CBtnColor::CBtnColor(int controlId, QWidget* parent) : COwnerButton(controlId, parent)
{
    setObjectName(ControlName(u"CBtnColor", controlId));
}

void CBtnColor::SetColor(quint32 color)
{
    m_color = color;
    update();
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

void CBtnColor::OnClick()
{
    ClosePopupOrAskToOpen(m_popup);
}

void CBtnColor::OpenPopup()
{
    if (!m_popup)
        m_popup = new CColorPopup(this, this);
    m_popup->SetHighlightColor(m_color);
    m_popup->ShowBelow(this);
}

bool CBtnColor::event(QEvent* event)
{
    if (event->type() != UserMessageEvent::EventType())
        return COwnerButton::event(event);
    auto* message = static_cast<UserMessageEvent*>(event);
    switch (message->message) {
    case UM_OPEN_POPUP:
        OpenPopup();
        return true;
    case UM_COLOR_CHOSEN:
        m_color = quint32(message->wParam);
        repaint();
        PostToOwner(UM_COLOR_CHANGED, ControlId(), qintptr(m_color));
        return true;
    case UM_POPUP_CANCELLED:
        repaint();
        return true;
    default:
        return COwnerButton::event(event);
    }
}
