#include "controls/CMenuBtn.h"

#include "controls/ControlName.h"

#include "model/LanguageModule.h"

CMenuBtn::CMenuBtn(int controlId, QWidget* parent) : COwnerButton(controlId, parent)
{
    setObjectName(ControlName(u"CMenuBtn", controlId));
}

QString CMenuBtn::ItemText(int index) const
{
    if (index == 0)
        return GetText(TextId::Computer);
    return m_entries.value(index - 1);
}

void CMenuBtn::SetEntries(const QStringList& entries)
{
    m_entries = entries;
    SetValue(m_value);
}

void CMenuBtn::SetValue(const QString& value)
{
    m_value = value;
    m_index = -1;
    for (int index = 0; index <= m_entries.size(); ++index) {
        if (ItemText(index) == value) {
            m_index = index;
            break;
        }
    }
    update();
}

MenuDesc CMenuBtn::Menu() const
{
    MenuDesc items;
    for (int index = 0; index <= m_entries.size(); ++index)
        items.append(MenuItemDesc::Item(ItemText(index), index + 1, index == m_index));
    return items;
}

void CMenuBtn::DrawContent(QPainter& painter)
{
    DrawDropDownText(painter, m_value, TextColor());
    DrawDropDownMark(painter);
}

void CMenuBtn::OnClick()
{
    const int index = RunMenu(Menu()) - 1;
    if (index < 0 || index > m_entries.size())
        return;
    m_value = ItemText(index);
    m_index = index;
    repaint();
    emit EntryChosen(index, ControlId());
}
