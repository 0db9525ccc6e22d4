#include "controls/CBtnIcon.h"

#include "controls/ControlName.h"

#include "controls/CIconPopup.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"
#include "views/UserMessageEvent.h"

#include <QPainter>

CBtnIcon::CBtnIcon(int controlId, QWidget* parent) : COwnerButton(controlId, parent)
{
    setObjectName(ControlName(u"CBtnIcon", controlId));
}

void CBtnIcon::SetIcon(int icon)
{
    m_icon = icon;
    update();
}

void CBtnIcon::DrawContent(QPainter& painter)
{
    const bool large = ScreenClass::IsLarge();
    const QPixmap icon = Images::TaskIcon(m_icon, large);
    if (icon.isNull())
        return;
    const int size = Images::TaskIconSize(large);
    painter.save();
    if (!isEnabled())
        painter.setOpacity(0.35);
    painter.drawPixmap((width() - size) / 2, (height() - size) / 2, icon);
    painter.restore();
}

void CBtnIcon::OnClick()
{
    ClosePopupOrAskToOpen(m_popup);
}

void CBtnIcon::OpenPopup()
{
    if (!m_popup)
        m_popup = new CIconPopup(this, this);
    m_popup->SetHighlightIcon(m_icon);
    m_popup->ShowBelow(this);
}

bool CBtnIcon::event(QEvent* event)
{
    if (event->type() != UserMessageEvent::EventType())
        return COwnerButton::event(event);
    auto* message = static_cast<UserMessageEvent*>(event);
    switch (message->message) {
    case UM_OPEN_POPUP:
        OpenPopup();
        return true;
    case UM_ICON_CHOSEN:
        m_icon = int(message->wParam);
        repaint();
        PostToOwner(UM_ICON_CHANGED, ControlId(), m_icon);
        return true;
    case UM_POPUP_CANCELLED:
        repaint();
        return true;
    default:
        return COwnerButton::event(event);
    }
}
