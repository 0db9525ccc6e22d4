#include "controls/CPrioBtn.h"

#include "controls/ControlName.h"

#include "model/LanguageModule.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"

#include <QPainter>

CPrioBtn::CPrioBtn(int controlId, QWidget* parent) : CImageBtn(controlId, parent)
{
    setObjectName(ControlName(u"CPrioBtn", controlId));
}

void CPrioBtn::SetPriority(int priority)
{
    m_priority = priority > 0 ? 1 : (priority < 0 ? -1 : 0);
    update();
}

MenuDesc CPrioBtn::Menu() const
{
    return {MenuItemDesc::Item(GetText(TextId::High), 3, m_priority == 1),
            MenuItemDesc::Item(GetText(TextId::Normal), 2, m_priority == 0),
            MenuItemDesc::Item(GetText(TextId::Low), 1, m_priority == -1)};
}

void CPrioBtn::DrawContent(QPainter& painter)
{
    // The picture is centred in the room left of the mark.
    QRect area = rect();
    area.setRight(width() - ScreenClass::Pick(4, 6) - ScreenClass::Pick(5, 9) - 1);
    DrawImageCentred(painter, Images::PriorityImage(m_priority, ScreenClass::IsLarge()), area);
    DrawDropDownMark(painter);
}

void CPrioBtn::OnClick()
{
    const int chosen = RunMenu(Menu());
    if (chosen >= 1 && chosen <= 3) {
        m_priority = chosen - 2;
        repaint();
    }
}
