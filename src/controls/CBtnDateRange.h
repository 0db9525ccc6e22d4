#pragma once

#include "controls/COwnerButton.h"
#include "model/PackedDate.h"

#include <functional>

class Settings;

// A date-range picker: shows "start - end" in the user's date format, "*" for
// an open end. The menu offers yesterday, today, tomorrow; last, this and
// next week (weeks start as StartWeekDay says); last, this and next month;
// no range (both ends open); and a custom range from the range dialog. An
// item is checked when the current range is exactly its range. A choice
// becomes the range and is reported with RangeChanged.
class CBtnDateRange : public COwnerButton
{
    Q_OBJECT

public:
    enum Command : int {
        CustomCommand = 201,
        NoRangeCommand = 202,
        YesterdayCommand = 210,
        TodayCommand = 211,
        TomorrowCommand = 212,
        LastWeekCommand = 220,
        ThisWeekCommand = 221,
        NextWeekCommand = 222,
        LastMonthCommand = 230,
        ThisMonthCommand = 231,
        NextMonthCommand = 232,
    };

    struct Range
    {
        PackedDate start = kNoDate;
        PackedDate end = kNoDate;
        bool operator==(const Range&) const = default;
    };

    // Runs the date-range dialog on start and end; true with the chosen range on OK.
    using RangeDialog = std::function<bool(PackedDate& start, PackedDate& end, QWidget* parent)>;
    // The program's date-range dialog, shared by every range button. Until
    // one is set, the custom item is shown disabled.
    static void SetRangeDialog(RangeDialog dialog);
    static bool HasRangeDialog();

    // The week start comes from settings when the menu opens.
    CBtnDateRange(int controlId, const Settings& settings, QWidget* parent = nullptr);

    void SetRange(PackedDate start, PackedDate end);
    PackedDate Start() const { return m_range.start; }
    PackedDate End() const { return m_range.end; }

    QString ShownText() const;
    MenuDesc Menu() const;
    // The range of a fixed command around today; false for the custom item
    // and unknown commands.
    static bool RangeOfCommand(int command, int startWeekDay, Range& range);

signals:
    // 0x424 (control id), posted; the range comes along.
    void RangeChanged(PackedDate start, PackedDate end, int controlId);

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;

private:
    const Settings& m_settings;
    Range m_range;
};
