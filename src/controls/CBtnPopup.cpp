#include "controls/CBtnPopup.h"

#include "controls/CWndPopup.h"
#include "views/UserMessageEvent.h"

CBtnPopup::CBtnPopup(int controlId, int chosenMessage, int changedMessage, QWidget* parent)
    : COwnerButton(controlId, parent), m_chosenMessage(chosenMessage), m_changedMessage(changedMessage)
{
}

void CBtnPopup::OnClick()
{
    if (m_popup && m_popup->IsOpen())
        m_popup->Cancel();
    else // posted, so the grid opens once the click is over
        PostUserMessage(this, UM_OPEN_POPUP);
}

void CBtnPopup::OpenPopup()
{
    if (!m_popup)
        m_popup = CreatePopup();
    HighlightValue();
    m_popup->ShowBelow(this);
}

bool CBtnPopup::event(QEvent* event)
{
    if (event->type() != UserMessageEvent::EventType())
        return COwnerButton::event(event);
    const auto* message = static_cast<UserMessageEvent*>(event);
    if (message->message == UM_OPEN_POPUP) {
        OpenPopup();
        return true;
    }
    if (message->message == m_chosenMessage) {
        const qintptr value = TakeChosen(message->wParam);
        repaint();
        PostToOwner(m_changedMessage, ControlId(), value);
        return true;
    }
    if (message->message == UM_POPUP_CANCELLED) {
        repaint();
        return true;
    }
    return COwnerButton::event(event);
}
