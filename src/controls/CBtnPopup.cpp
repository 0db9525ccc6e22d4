#include "controls/CBtnPopup.h"

#include "controls/CWndPopup.h"

CBtnPopup::CBtnPopup(int controlId, QWidget* parent) : COwnerButton(controlId, parent)
{
}

void CBtnPopup::OnClick()
{
    if (m_popup && m_popup->IsOpen())
        m_popup->Cancel();
    else // posted, so the grid opens once the click is over
        QMetaObject::invokeMethod(this, &CBtnPopup::OpenPopup, Qt::QueuedConnection);
}

void CBtnPopup::OpenPopup()
{
    if (!m_popup) {
        m_popup = CreatePopup();
        connect(m_popup, &CWndPopup::Cancelled, this, qOverload<>(&QWidget::repaint), Qt::QueuedConnection);
    }
    HighlightValue();
    m_popup->ShowBelow(this);
}
