#include "controls/CBtnIcon.h"

#include "controls/ControlName.h"

#include "controls/CIconPopup.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"
#include "views/UserMessageEvent.h"

#include <QPainter>

CBtnIcon::CBtnIcon(int controlId, QWidget* parent) : CBtnPopup(controlId, UM_ICON_CHOSEN, UM_ICON_CHANGED, parent)
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
    return new CIconPopup(this, this);
}

void CBtnIcon::HighlightValue()
{
    Popup()->SetHighlightIcon(m_icon);
}

qintptr CBtnIcon::TakeChosen(qintptr value)
{
    m_icon = int(value);
    return m_icon;
}
