#pragma once

#include "controls/COwnerButton.h"
#include "model/PackedDate.h"

#include <functional>

// A date picker: shows its date in the user's format ("--" for no date),
// with the relative-day word when created with that flag. The menu offers
// yesterday (103), today (104), tomorrow (105), the coming Saturday (106),
// Sunday (107) and Monday (108), each checked when it is the value; no date
// (102, checked for 0); and "Select Date..." (101), which opens the date
// dialog on the value. A choice becomes the value and is reported with
// DateChosen.
class CBtnDate : public COwnerButton
{
    Q_OBJECT

public:
    enum Command : int {
        SelectDateCommand = 101,
        NoDateCommand = 102,
        YesterdayCommand = 103,
        TodayCommand = 104,
        TomorrowCommand = 105,
        NextSaturdayCommand = 106,
        NextSundayCommand = 107,
        NextMondayCommand = 108,
    };

    // Runs the date dialog on date; true with the chosen date on OK.
    using DateDialog = std::function<bool(PackedDate& date, QWidget* parent)>;
    // The program's date dialog, shared by every date button. Until one is
    // set, "Select Date..." is shown disabled.
    static void SetDateDialog(DateDialog dialog);
    static bool HasDateDialog();

    CBtnDate(int controlId, bool relative, QWidget* parent = nullptr);

    void SetDate(PackedDate date);
    PackedDate Date() const { return m_date; }
    bool Relative() const { return m_relative; }

    QString ShownText() const;
    MenuDesc Menu() const;
    // The date a quick command stands for (today's clock); 0 for no date and
    // for commands that are not quick dates.
    static PackedDate DateOfCommand(int command);

signals:
    // 0x427 (date, control id), posted.
    void DateChosen(PackedDate date, int controlId);

protected:
    void DrawContent(QPainter& painter) override;
    void OnClick() override;

private:
    PackedDate m_date = kNoDate;
    bool m_relative;
};
