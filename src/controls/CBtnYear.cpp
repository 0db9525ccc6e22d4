#include "controls/CBtnYear.h"

#include "controls/ControlName.h"

#include "model/LanguageModule.h"
#include "model/PackedDate.h"

#include <QPointer>

#include <limits>

namespace {
CBtnYear::YearDialog& YearDialogHook()
{
    static CBtnYear::YearDialog hook;
    return hook;
}
} // namespace

void CBtnYear::SetYearDialog(YearDialog dialog)
{
    YearDialogHook() = std::move(dialog);
}

bool CBtnYear::HasYearDialog()
{
    return bool(YearDialogHook());
}

CBtnYear::CBtnYear(int controlId, QWidget* parent) : COwnerButton(controlId, parent), m_year(YearOf(Today()))
{
    setObjectName(ControlName(u"CBtnYear", controlId));
}

void CBtnYear::SetYear(int year)
{
    m_year = year;
    update();
}

MenuDesc CBtnYear::Menu() const
{
    MenuDesc items;
    for (int offset = -kYearsAround; offset <= kYearsAround; ++offset)
        items.append(MenuItemDesc::Item(QString::number(qint64(m_year) + offset), CommandOfOffset(offset), offset == 0));
    items.append(MenuItemDesc::Separator());
    MenuItemDesc select = MenuItemDesc::Item(GetText(TextId::SelectYear), kSelectYearCommand);
    select.enabled = HasYearDialog();
    items.append(select);
    return items;
}

void CBtnYear::DrawContent(QPainter& painter)
{
    DrawDropDownText(painter, QString::number(m_year), TextColor());
    DrawDropDownMark(painter);
}

void CBtnYear::OnClick()
{
    const int chosen = RunMenu(Menu());
    if (chosen == 0)
        return;
    int year = m_year;
    if (chosen == kSelectYearCommand) {
        const QPointer<CBtnYear> alive(this); // the dialog runs its own event loop
        if (!HasYearDialog() || !YearDialogHook()(year, this) || !alive)
            return;
    } else if (chosen >= CommandOfOffset(-kYearsAround) && chosen <= CommandOfOffset(kYearsAround)) {
        const qint64 picked = qint64(m_year) + (chosen - CommandOfOffset(0));
        if (picked < std::numeric_limits<int>::min() || picked > std::numeric_limits<int>::max())
            return;
        year = int(picked);
    } else {
        return;
    }
    m_year = year;
    repaint();
    emit YearChosen(m_year, ControlId());
}
