#include "controls/CBtnDate.h"

#include "controls/ControlName.h"

#include "model/DateFormat.h"
#include "model/LanguageModule.h"

#include <QPointer>

namespace {
CBtnDate::DateDialog& DateDialogHook()
{
    static CBtnDate::DateDialog hook;
    return hook;
}

struct QuickDate
{
    int command;
    TextId text;
};
constexpr QuickDate kQuickDates[] = {
    {CBtnDate::YesterdayCommand, TextId::Yesterday},
    {CBtnDate::TodayCommand, TextId::Today},
    {CBtnDate::TomorrowCommand, TextId::Tomorrow},
    {CBtnDate::NextSaturdayCommand, TextId::NextSaturday},
    {CBtnDate::NextSundayCommand, TextId::NextSunday},
    {CBtnDate::NextMondayCommand, TextId::NextMonday},
};
} // namespace

void CBtnDate::SetDateDialog(DateDialog dialog)
{
    DateDialogHook() = std::move(dialog);
}

bool CBtnDate::HasDateDialog()
{
    return bool(DateDialogHook());
}

CBtnDate::CBtnDate(int controlId, bool relative, QWidget* parent)
    : COwnerButton(controlId, parent), m_relative(relative)
{
    setObjectName(ControlName(u"CBtnDate", controlId));
}

void CBtnDate::SetDate(PackedDate date)
{
    m_date = date;
    update();
}

QString CBtnDate::ShownText() const
{
    return m_relative ? FormatDateRelative(m_date, true) : FormatDateShown(m_date);
}

PackedDate CBtnDate::DateOfCommand(int command)
{
    switch (command) {
    case YesterdayCommand:
        return AddDays(Today(), -1);
    case TodayCommand:
        return Today();
    case TomorrowCommand:
        return AddDays(Today(), 1);
    case NextSaturdayCommand:
        return NextSaturday();
    case NextSundayCommand:
        return NextSunday();
    case NextMondayCommand:
        return NextMonday();
    default:
        return kNoDate;
    }
}

MenuDesc CBtnDate::Menu() const
{
    const PackedDate value = StripFlags(m_date);
    MenuDesc items;
    for (const QuickDate& quick : kQuickDates)
        items.append(MenuItemDesc::CheckItem(GetText(quick.text), quick.command,
                                             value != kNoDate && value == DateOfCommand(quick.command)));
    items.append(MenuItemDesc::Separator());
    items.append(MenuItemDesc::CheckItem(GetText(TextId::NoDate), NoDateCommand, value == kNoDate));
    items.append(MenuItemDesc::Separator());
    MenuItemDesc select = MenuItemDesc::Item(GetText(TextId::SelectDate), SelectDateCommand);
    select.enabled = HasDateDialog();
    items.append(select);
    return items;
}

void CBtnDate::DrawContent(QPainter& painter)
{
    DrawDropDownText(painter, ShownText(), TextColor());
    DrawDropDownMark(painter);
}

void CBtnDate::OnClick()
{
    const int chosen = RunMenu(Menu());
    PackedDate date = kNoDate;
    switch (chosen) {
    case 0:
        return;
    case NoDateCommand:
        break;
    case SelectDateCommand: {
        date = m_date;
        const QPointer<CBtnDate> alive(this); // the dialog runs its own event loop
        if (!HasDateDialog() || !DateDialogHook()(date, this) || !alive)
            return;
        break;
    }
    default:
        date = DateOfCommand(chosen);
        if (date == kNoDate)
            return;
        break;
    }
    m_date = date;
    repaint();
    emit DateChosen(m_date, ControlId());
}
