#pragma once

#include "controls/COwnerButton.h"

#include <functional>

// A year picker: shows its value as a number (starts at the current year) and
// drops the seven years value - 3 .. value + 3 with the current one marked in
// the middle, a separator and "Select Year..." (id 0x7FFFFFFF), which opens
// the year dialog. The years carry the commands 1..7 rather than their own
// numbers, so that no year is mistaken for a dismissed menu (0) or for
// "Select Year...". A choice becomes the value and is reported with
// YearChosen.
class CBtnYear : public COwnerButton
{
    Q_OBJECT

public:
    static constexpr int kSelectYearCommand = 0x7FFFFFFF;
    static constexpr int kYearsAround = 3;
    // The command of the year value + offset.
    static constexpr int CommandOfOffset(int offset) { return offset + kYearsAround + 1; }

    // Runs the year dialog on year; true with the chosen year on OK.
    using YearDialog = std::function<bool(int& year, QWidget* parent)>;
    // The program's year dialog, shared by every year button. Until one is
    // set, "Select Year..." is shown disabled.
    static void SetYearDialog(YearDialog dialog);
    static bool HasYearDialog();

    explicit CBtnYear(int controlId, QWidget* parent = nullptr);

    void SetYear(int year);
    int Year() const { return m_year; }

    MenuDesc Menu() const;

signals:
    // 0x429 (year, control id), posted.
    void YearChosen(int year, int controlId);

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;

private:
    int m_year;
};
