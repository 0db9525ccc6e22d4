#pragma once

#include "model/PackedDate.h"

#include <QCalendarWidget>

// A month calendar that speaks packed dates; weeks start as StartWeekDay says
// (1 Sunday, else Monday). It starts on today's date from the program's clock.
class CMyDateCtrl : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit CMyDateCtrl(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }

    // The selected day.
    PackedDate Date() const;
    // Selects a day and shows its month; no date selects today.
    void SetDate(PackedDate date);
    void SetStartWeekDay(int startWeekDay);

private:
    int m_controlId;
};
