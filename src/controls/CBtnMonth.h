#pragma once

#include "controls/COwnerButton.h"

// A month picker: shows the month name of its value (1..12, starts at 1) and
// drops the twelve month names (ids 1..12) with the current one marked. A
// choice becomes the value and is reported with MonthChosen.
class CBtnMonth : public COwnerButton
{
    Q_OBJECT

public:
    explicit CBtnMonth(int controlId, QWidget* parent = nullptr);

    // Months outside 1..12 are brought into that range.
    void SetMonth(int month);
    int Month() const { return m_month; }

    MenuDesc Menu() const;

signals:
    // 0x428 (month, control id), posted.
    void MonthChosen(int month, int controlId);

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;

private:
    int m_month = 1;
};
