#include "controls/CBtnIcon.h"

#include "controls/ControlName.h"

#include "controls/CIconPopup.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"

#include <QPainter>

CBtnIcon::CBtnIcon(int controlId, QWidget* parent) : CBtnPopup(controlId, parent)
{
    setObjectName(ControlName(u"CBtnIcon", controlId));
}

void CBtnIcon::SetIcon(int icon)
{
    m_icon = icon;
    update();
}

CIconPopup* CBtnIcon::Popup() const
{
    return static_cast<CIconPopup*>(PopupWindow());
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

CWndPopup* CBtnIcon::CreatePopup()
{
    auto* popup = new CIconPopup(this);
    connect(popup, &CIconPopup::IconChosen, this, &CBtnIcon::OnIconChosen, Qt::QueuedConnection);
    return popup;
}

void CBtnIcon::HighlightValue()
{
    Popup()->SetHighlightIcon(m_icon);
}

void CBtnIcon::OnIconChosen(int icon)
{
    m_icon = icon;
    repaint();
    emit IconChanged(ControlId(), m_icon);
}
