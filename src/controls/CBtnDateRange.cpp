#include "controls/CBtnDateRange.h"

#include "controls/ControlName.h"

#include "model/DateFormat.h"
#include "model/LanguageModule.h"
#include "storage/Settings.h"

#include <QPointer>

namespace {
CBtnDateRange::RangeDialog& RangeDialogHook()
{
    static CBtnDateRange::RangeDialog hook;
    return hook;
}

struct RangeItem
{
    int command; // 0 = a separator
    TextId text;
};
constexpr RangeItem kItems[] = {
    {CBtnDateRange::YesterdayCommand, TextId::Yesterday}, {CBtnDateRange::TodayCommand, TextId::Today},
    {CBtnDateRange::TomorrowCommand, TextId::Tomorrow},   {0, {}},
    {CBtnDateRange::LastWeekCommand, TextId::LastWeek},   {CBtnDateRange::ThisWeekCommand, TextId::ThisWeek},
    {CBtnDateRange::NextWeekCommand, TextId::NextWeek},   {0, {}},
    {CBtnDateRange::LastMonthCommand, TextId::LastMonth}, {CBtnDateRange::ThisMonthCommand, TextId::ThisMonth},
    {CBtnDateRange::NextMonthCommand, TextId::NextMonth}, {0, {}},
    {CBtnDateRange::NoRangeCommand, TextId::AllDates},    {CBtnDateRange::CustomCommand, TextId::CustomRange},
};

CBtnDateRange::Range DayRange(PackedDate day)
{
    return {day, day};
}

CBtnDateRange::Range WeekRange(PackedDate day, int startWeekDay)
{
    return {WeekStart(day, startWeekDay), WeekEnd(day, startWeekDay)};
}

CBtnDateRange::Range MonthRange(PackedDate day)
{
    return {FirstOfMonth(day), LastOfMonth(day)};
}

QString EndText(PackedDate date)
{
    return date == kNoDate ? QStringLiteral("*") : FormatDateShown(date);
}
} // namespace

void CBtnDateRange::SetRangeDialog(RangeDialog dialog)
{
    RangeDialogHook() = std::move(dialog);
}

bool CBtnDateRange::HasRangeDialog()
{
    return bool(RangeDialogHook());
}

CBtnDateRange::CBtnDateRange(int controlId, const Settings& settings, QWidget* parent)
    : COwnerButton(controlId, parent), m_settings(settings)
{
    setObjectName(ControlName(u"CBtnDateRange", controlId));
}

void CBtnDateRange::SetRange(PackedDate start, PackedDate end)
{
    m_range = {start, end};
    update();
}

QString CBtnDateRange::ShownText() const
{
    return EndText(m_range.start) + QStringLiteral(" - ") + EndText(m_range.end);
}

bool CBtnDateRange::RangeOfCommand(int command, int startWeekDay, Range& range)
{
    const PackedDate today = Today();
    switch (command) {
    case YesterdayCommand:
        range = DayRange(AddDays(today, -1));
        return true;
    case TodayCommand:
        range = DayRange(today);
        return true;
    case TomorrowCommand:
        range = DayRange(AddDays(today, 1));
        return true;
    case LastWeekCommand:
        range = WeekRange(AddDays(today, -7), startWeekDay);
        return true;
    case ThisWeekCommand:
        range = WeekRange(today, startWeekDay);
        return true;
    case NextWeekCommand:
        range = WeekRange(AddDays(today, 7), startWeekDay);
        return true;
    case LastMonthCommand:
        range = MonthRange(AddDays(FirstOfMonth(today), -1));
        return true;
    case ThisMonthCommand:
        range = MonthRange(today);
        return true;
    case NextMonthCommand:
        range = MonthRange(AddDays(LastOfMonth(today), 1));
        return true;
    case NoRangeCommand:
        range = {};
        return true;
    default:
        return false;
    }
}

MenuDesc CBtnDateRange::Menu() const
{
    const int startWeekDay = m_settings.StartWeekDay();
    MenuDesc items;
    for (const RangeItem& item : kItems) {
        if (item.command == 0) {
            items.append(MenuItemDesc::Separator());
            continue;
        }
        Range range;
        const bool fixed = RangeOfCommand(item.command, startWeekDay, range);
        MenuItemDesc entry = MenuItemDesc::CheckItem(GetText(item.text), item.command, fixed && range == m_range);
        if (item.command == CustomCommand)
            entry.enabled = HasRangeDialog();
        items.append(entry);
    }
    return items;
}

void CBtnDateRange::DrawContent(QPainter& painter)
{
    DrawDropDownText(painter, ShownText(), TextColor());
    DrawDropDownMark(painter);
}

void CBtnDateRange::OnClick()
{
    const int chosen = RunMenu(Menu());
    if (chosen == 0)
        return;
    Range range = m_range;
    if (chosen == CustomCommand) {
        const QPointer<CBtnDateRange> alive(this); // the dialog runs its own event loop
        if (!HasRangeDialog() || !RangeDialogHook()(range.start, range.end, this) || !alive)
            return;
    } else if (!RangeOfCommand(chosen, m_settings.StartWeekDay(), range)) {
        return;
    }
    m_range = range;
    repaint();
    emit RangeChanged(m_range.start, m_range.end, ControlId());
}
