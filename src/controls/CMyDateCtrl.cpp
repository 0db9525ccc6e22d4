#include "controls/CMyDateCtrl.h"

#include "controls/ControlName.h"

CMyDateCtrl::CMyDateCtrl(int controlId, QWidget* parent) : QCalendarWidget(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"CMyDateCtrl", controlId));
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(false);
    SetDate(kNoDate);
}

PackedDate CMyDateCtrl::Date() const
{
    return FromPlatformTime(selectedDate());
}

void CMyDateCtrl::SetDate(PackedDate date)
{
    const QDate day = ToPlatformTime(date == kNoDate ? Today() : date);
    setSelectedDate(day);
    setCurrentPage(day.year(), day.month());
}

void CMyDateCtrl::SetStartWeekDay(int startWeekDay)
{
    setFirstDayOfWeek(startWeekDay == kWeekStartsSunday ? Qt::Sunday : Qt::Monday);
}
