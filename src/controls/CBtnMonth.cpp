#include "controls/CBtnMonth.h"

#include "controls/ControlName.h"

#include "model/PackedDate.h"

#include <algorithm>

CBtnMonth::CBtnMonth(int controlId, QWidget* parent) : COwnerButton(controlId, parent)
{
    setObjectName(ControlName(u"CBtnMonth", controlId));
}

void CBtnMonth::SetMonth(int month)
{
    m_month = std::clamp(month, 1, 12);
    update();
}

MenuDesc CBtnMonth::Menu() const
{
    MenuDesc items;
    for (int month = 1; month <= 12; ++month)
        items.append(MenuItemDesc::Item(MonthName(month), month, month == m_month));
    return items;
}

void CBtnMonth::DrawContent(QPainter& painter)
{
    DrawDropDownText(painter, MonthName(m_month), TextColor());
    DrawDropDownMark(painter);
}

void CBtnMonth::OnClick()
{
    const int chosen = RunMenu(Menu());
    if (chosen < 1 || chosen > 12)
        return;
    m_month = chosen;
    repaint();
    emit MonthChosen(m_month, ControlId());
}
