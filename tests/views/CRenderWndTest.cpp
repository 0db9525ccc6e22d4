#include "views/CRenderWnd.h"

#include "ViewFixture.h"

#include "support/ScreenColors.h"
#include "support/SignalLog.h"
#include "model/DayMark.h"
#include "platform/gui/Images.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

PackedDate D(int year, int month, int day)
{
    return MakeDate(year, month, day);
}

PackedDate Week(PackedDate date)
{
    SetWeekFlag(date, true);
    return date;
}

QRgb Rgb(quint32 ref)
{
    return ScreenColor(ref).rgb();
}

constexpr int kLabelFlags = Qt::AlignLeft | Qt::AlignTop;
constexpr int kCountFlags = Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine;
constexpr int kHeaderFlags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;

// Whether the shot shows exactly this text in this colour on this background
// where the surface draws it: the same text is drawn onto a plain background
// and every pixel inside the text's bounds (and inside clip, when given) must
// match.
testing::AssertionResult ShowsText(const QImage& shot, const QRect& rect, int flags, const QString& text,
                                   const QFont& font, quint32 colour, quint32 background, QRect clip = {})
{
    QImage expected(shot.size(), QImage::Format_RGB32);
    expected.fill(ScreenColor(background));
    QPainter painter(&expected);
    painter.setFont(font);
    painter.setPen(ScreenColor(colour));
    painter.drawText(rect, flags, text);
    painter.end();
    QRect bounds = QFontMetrics(font).boundingRect(rect, flags, text) & rect;
    if (!clip.isNull())
        bounds &= clip;
    if (bounds.isEmpty())
        return testing::AssertionFailure() << "no room for the text";
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x)
            if (shot.pixel(x, y) != expected.pixel(x, y))
                return testing::AssertionFailure()
                       << qPrintable(text) << " differs at " << x << "," << y << ": "
                       << std::hex << shot.pixel(x, y) << " instead of " << expected.pixel(x, y);
    return testing::AssertionSuccess();
}

// A row's label starts on the grid line along the row's top.
QRect BelowGridLine(const QRect& rect)
{
    return rect.adjusted(0, 1, 0, 0);
}

testing::AssertionResult AllPixels(const QImage& shot, const QRect& area, quint32 colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (shot.pixel(x, y) != Rgb(colour))
                return testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                   << shot.pixel(x, y);
    return testing::AssertionSuccess();
}

// Runs once per screen class: small (240 pixels wide, 11-pixel fonts) and large
// (480 pixels, 18-pixel fonts). Today is Wednesday 10 June 2009; June 2009
// starts on a Monday.
class CRenderWndTest : public testing::TestWithParam<bool>, protected PlannerObjects
{
protected:
    CRenderWndTest() : PlannerObjects(GetParam()) {}

    void SetUp() override
    {
        ScreenClass::Force(GetParam());
        Clock::SetToday(D(2009, 6, 10));
        view.SelectedDate = D(2009, 6, 17);
        view.ViewMode = ViewState::Month;
        view.ShowPrioLow = false;
        FillCalendar();
        surface = std::make_unique<CRenderWnd>(context);
        // As the main view connects them: the refresh posted, the day note sent.
        log.Watch(surface.get(), &CRenderWnd::RefreshRequested, QStringLiteral("Refresh"), Qt::QueuedConnection);
        log.Watch(surface.get(), &CRenderWnd::DayNoteRequested, QStringLiteral("DayNote"), Qt::DirectConnection);
        Resize();
    }

    void TearDown() override
    {
        surface.reset();
        Clock::SetToday(0);
        ScreenClass::Reset();
    }

    void AddTasks(PackedDate date, int count, int done, qint32 priority = kPriorityNormal, qint32 category = 0,
                  quint32 icon = 0)
    {
        for (int i = 0; i < count; ++i) {
            TaskRecord task;
            task.Title = QStringLiteral("Task");
            task.Date = date;
            task.Priority = priority;
            task.Category = category;
            task.Icon = icon;
            task.Completed = i < done ? 1 : 0;
            task.Id = ++m_lastId;
            store.AddTask(task, false);
        }
    }

    void Mark(PackedDate date, quint32 flags, const QString& note = {})
    {
        DayMark mark;
        mark.Date = date;
        mark.Flags = flags;
        mark.Note = note;
        store.SetDayMark(mark);
    }

    void FillCalendar()
    {
        AddTasks(D(2009, 6, 3), 5, 2);
        AddTasks(D(2009, 6, 4), 2, 2);
        AddTasks(D(2009, 6, 5), 2, 0, kPriorityLow); // hidden: Low is switched off
        AddTasks(D(2009, 5, 31), 1, 1);
        AddTasks(D(2009, 7, 2), 1, 0);
        Mark(D(2009, 6, 9), kMarkHoliday);
        Mark(D(2009, 6, 16), kMarkFlight, QStringLiteral("Dentist"));
        Mark(D(2009, 6, 18), kMarkThird);
        holidays.Add({MonthDayOf(D(2009, 6, 11)), QStringLiteral("Founders' Day")});
    }

    void Resize()
    {
        surface->resize(ScreenClass::Pick(240, 480), CRenderWnd::SurfaceHeight(settings, view.ViewMode));
    }

    void SetMode(int mode, int startWeekDay)
    {
        view.ViewMode = mode;
        settings.SetStartWeekDay(startWeekDay);
        Resize();
    }

    void Focus()
    {
        surface->show();
        surface->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(surface.get()));
        surface->setFocus();
        ASSERT_TRUE(surface->hasFocus());
    }

    QImage Shot() const { return surface->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    CalendarLayout::Cell CellOf(PackedDate date) const
    {
        const CalendarLayout layout = surface->Layout();
        for (const CalendarLayout::Cell& cell : layout.Cells())
            if (cell.date == date)
                return cell;
        ADD_FAILURE() << "no cell for " << date;
        return {};
    }

    // A pixel of the cell's background: below the label, left of the count.
    static QPoint BackgroundPoint(const QRect& cell) { return {cell.center().x() - 2, cell.bottom() - 2}; }

    QRgb BackgroundOf(const QImage& shot, PackedDate date) const
    {
        return shot.pixel(BackgroundPoint(CellOf(date).rect));
    }

    testing::AssertionResult ShowsLabel(const QImage& shot, PackedDate date, const QString& text, quint32 colour,
                                        quint32 background) const
    {
        return ShowsText(shot, CellOf(date).rect.adjusted(2, 1, 0, 0), kLabelFlags, text, fonts.DateNum(), colour,
                         background);
    }

    testing::AssertionResult ShowsCount(const QImage& shot, PackedDate date, const QString& text, quint32 colour,
                                        quint32 background) const
    {
        return ShowsText(shot, CellOf(date).rect.adjusted(2, 1, -2, 0), kCountFlags, text, fonts.AgendaCount(),
                         colour, background);
    }

    // The right half of a plain cell, where the count would go, is bare.
    testing::AssertionResult ShowsNoCount(const QImage& shot, PackedDate date) const
    {
        const QRect cell = CellOf(date).rect;
        const QRect countHalf(cell.center().x(), cell.top() + 1, cell.width() / 2 - 1, cell.height() - 1);
        return AllPixels(shot, countHalf, settings.Bk());
    }

    QPoint Centre(PackedDate date) const { return CellOf(date).rect.center(); }

    // What the main view has heard once the posted reports ran.
    QString Heard() { return log.Take(); }

    SignalLog log;
    std::unique_ptr<CRenderWnd> surface;

private:
    quint32 m_lastId = 0;
};

TEST_P(CRenderWndTest, SurfaceHeightFitsHeaderRowsAndBottomLine)
{
    const int header = settings.Fonts().FontHDateNum;
    const int row = settings.EffectiveCubeH();
    EXPECT_EQ(CRenderWnd::SurfaceHeight(settings, ViewState::Month), header + 6 * row + 1);
    EXPECT_EQ(CRenderWnd::SurfaceHeight(settings, ViewState::Week), header + row + 1);
    // A stored row height of 0 is never used as a row height.
    settings.SetCubeH(0);
    const int derived = settings.Fonts().FontHAgendaCount + header - 4;
    EXPECT_EQ(CRenderWnd::SurfaceHeight(settings, ViewState::Month), header + 6 * derived + 1);
    EXPECT_EQ(surface->focusPolicy(), Qt::StrongFocus);
}

TEST_P(CRenderWndTest, BackgroundsTellWeekendsHolidaysAndOtherMonthsApart)
{
    for (int start : {kWeekStartsSunday, kWeekStartsMonday}) {
        SCOPED_TRACE(start == kWeekStartsSunday ? "weeks start Sunday" : "weeks start Monday");
        SetMode(ViewState::Month, start);
        const QImage shot = Shot();
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 15)), Rgb(settings.Bk())) << "plain Monday";
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 13)), Rgb(settings.WeekendBk())) << "Saturday";
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 14)), Rgb(settings.WeekendBk())) << "Sunday";
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 9)), Rgb(settings.VacationBk())) << "holiday mark";
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 11)), Rgb(settings.VacationBk())) << "yearly holiday";
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 18)), Rgb(settings.Bk())) << "third mark";
        EXPECT_EQ(BackgroundOf(shot, D(2009, 5, 31)), Rgb(settings.InvalidBk())) << "previous month";
        EXPECT_EQ(BackgroundOf(shot, D(2009, 7, 1)), Rgb(settings.InvalidBk())) << "next month";
        const CalendarLayout layout = surface->Layout();
        EXPECT_EQ(shot.pixel(1, layout.HeaderHeight() + 3 * layout.RowHeight() + 2), Rgb(0xD0D0D0))
            << "week-number column";
        EXPECT_EQ(shot.pixel(layout.WeekColumnWidth() + 2 * layout.ColumnWidth(), layout.HeaderHeight() + 2),
                  Rgb(0xEAEAEA))
            << "grid line";
    }
}

TEST_P(CRenderWndTest, DayLabelsShowTodayWeekendsHolidaysAndNeighbouringMonths)
{
    const QImage shot = Shot();
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 10), QStringLiteral("10"), settings.Highlight(), settings.Bk()));
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 15), QStringLiteral("15"), settings.DateNum(), settings.Bk()));
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 13), QStringLiteral("13"), settings.VacNum(), settings.WeekendBk()));
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 9), QStringLiteral("9"), settings.VacNum(), settings.VacationBk()));
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 11), QStringLiteral("11"), settings.VacNum(), settings.VacationBk()));
    // The 1st is named after its month, also in the next month's cells; the
    // previous month's days are plain numbers.
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 1), MonthName(6), settings.DateNum(), settings.Bk()));
    EXPECT_FALSE(ShowsLabel(shot, D(2009, 6, 1), QStringLiteral("1"), settings.DateNum(), settings.Bk()));
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 7, 1), MonthName(7), settings.InactiveDateNum(), settings.InvalidBk()));
    EXPECT_TRUE(
        ShowsLabel(shot, D(2009, 5, 31), QStringLiteral("31"), settings.InactiveDateNum(), settings.InvalidBk()));
}

TEST_P(CRenderWndTest, CountsShowDoneOfShownTasks)
{
    const QImage shot = Shot();
    EXPECT_TRUE(ShowsCount(shot, D(2009, 6, 3), QStringLiteral("2/5"), settings.AgendaCount(), settings.Bk()));
    EXPECT_TRUE(ShowsCount(shot, D(2009, 6, 4), QStringLiteral("2"), settings.AgendaComp(), settings.Bk()));
    EXPECT_FALSE(ShowsCount(shot, D(2009, 6, 4), QStringLiteral("2"), settings.AgendaCount(), settings.Bk()));
    // Counts in the neighbouring months take their grey text colour.
    const quint32 grey = settings.InactiveDateNum();
    EXPECT_TRUE(ShowsCount(shot, D(2009, 5, 31), QStringLiteral("1"), grey, settings.InvalidBk()));
    EXPECT_TRUE(ShowsCount(shot, D(2009, 7, 2), QStringLiteral("0/1"), grey, settings.InvalidBk()));
    // All of 5 June's tasks are Low, which the view does not show.
    EXPECT_TRUE(ShowsNoCount(shot, D(2009, 6, 5)));
    view.ShowPrioLow = true;
    EXPECT_TRUE(ShowsCount(Shot(), D(2009, 6, 5), QStringLiteral("0/2"), settings.AgendaCount(), settings.Bk()));
}

TEST_P(CRenderWndTest, CountsFollowTheCategoryAndIconFilters)
{
    // 8 June: two open tasks of the default category, and in category 3 one
    // open task and one done task with icon 7.
    const PackedDate day = D(2009, 6, 8);
    AddTasks(day, 2, 0);
    AddTasks(day, 1, 0, kPriorityNormal, 3);
    AddTasks(day, 1, 1, kPriorityHigh, 3, 7);
    struct Row
    {
        const char* name;
        qint32 category;
        bool iconFilter;
        QString text; // empty: nothing drawn
        bool allDone;
    };
    const Row rows[] = {
        {"NoFilter", CalendarStore::kAllCategories, false, QStringLiteral("1/4"), false},
        {"CategoryThree", 3, false, QStringLiteral("1/2"), false},
        {"CategoryThreeWithIcon", 3, true, QStringLiteral("1"), true},
        {"IconInAllCategories", CalendarStore::kAllCategories, true, QStringLiteral("1"), true},
        {"CategoryWithoutTasks", 5, false, QString(), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        store.SetCategorySelection(row.category);
        store.SetIconFilterIcon(7);
        store.SetIconFilterOn(row.iconFilter);
        const QImage shot = Shot();
        if (row.text.isEmpty()) {
            EXPECT_TRUE(ShowsNoCount(shot, day));
            continue;
        }
        EXPECT_TRUE(ShowsCount(shot, day, row.text, row.allDone ? settings.AgendaComp() : settings.AgendaCount(),
                               settings.Bk()));
    }
}

TEST_P(CRenderWndTest, FlightAndNoteIconsSitInOppositeCorners)
{
    const bool large = GetParam();
    const int size = Images::DayMarkIconSize(large);
    const QImage shot = Shot();
    const QRect cell = CellOf(D(2009, 6, 16)).rect;
    const QPoint flight(cell.left() + cell.width() - size - 1, cell.top() + 2);
    const QPoint note(cell.left() + 2, cell.top() + cell.height() - size - 1);
    // The day label is drawn last; in short rows the foot of its digits may
    // reach into the note icon, so that one is compared below the baseline.
    const int baseline = cell.top() + 1 + QFontMetrics(fonts.DateNum()).ascent();
    const auto showsIcon = [&](int index, QPoint at, int fromY) {
        QImage expected(shot.size(), QImage::Format_RGB32);
        expected.fill(ScreenColor(settings.Bk()));
        QPainter painter(&expected);
        painter.drawPixmap(at, Images::DayMarkIcon(index, large));
        painter.end();
        const QRect block = QRect(at, QSize(size, size)) & QRect(0, fromY, shot.width(), shot.height());
        EXPECT_FALSE(block.isEmpty());
        return shot.copy(block) == expected.copy(block);
    };
    EXPECT_TRUE(showsIcon(Images::DayMarkFlight, flight, 0));
    EXPECT_TRUE(showsIcon(Images::DayMarkNote, note, baseline + 1));
    // The third mark draws nothing.
    const QPoint offset = CellOf(D(2009, 6, 18)).rect.topLeft() - cell.topLeft();
    EXPECT_TRUE(AllPixels(shot, QRect(flight + offset, QSize(size, size)), settings.Bk()));
    const QRect belowBaseline(0, baseline + 1, shot.width(), shot.height());
    EXPECT_TRUE(AllPixels(shot, QRect(note + offset, QSize(size, size)) & belowBaseline, settings.Bk()));
}

TEST_P(CRenderWndTest, HeaderAndSelectionFrameFollowTheFocus)
{
    for (int start : {kWeekStartsSunday, kWeekStartsMonday}) {
        SCOPED_TRACE(start == kWeekStartsSunday ? "weeks start Sunday" : "weeks start Monday");
        SetMode(ViewState::Month, start);
        const CalendarLayout layout = surface->Layout();
        const QRect selection = layout.SelectionRect();
        const int weekday = start == kWeekStartsSunday ? 1 : 0; // Monday's column
        const int saturday = start == kWeekStartsSunday ? 6 : 5;
        const auto headerText = [&](int column) { return layout.HeaderColumn(column).adjusted(2, 1, -2, 0); };

        Focus();
        QImage shot = Shot();
        EXPECT_EQ(shot.pixel(layout.HeaderColumn(weekday).topLeft()), Rgb(settings.Cursor()));
        EXPECT_EQ(shot.pixel(0, 0), Rgb(0xD0D0D0));
        EXPECT_TRUE(ShowsText(shot, headerText(weekday), kHeaderFlags, DayName(Monday), fonts.DateNum(), 0xFFFFFF,
                              settings.Cursor()));
        EXPECT_TRUE(ShowsText(shot, headerText(saturday), kHeaderFlags, DayName(Saturday), fonts.DateNum(),
                              settings.VacNum(), settings.Cursor()));
        EXPECT_EQ(shot.pixel(selection.topLeft()), Rgb(settings.Highlight()));
        EXPECT_EQ(shot.pixel(selection.bottomRight() - QPoint(1, 1)), Rgb(settings.Highlight()));

        surface->clearFocus();
        shot = Shot();
        EXPECT_EQ(shot.pixel(layout.HeaderColumn(weekday).topLeft()), Rgb(0xE0E0E0));
        EXPECT_TRUE(ShowsText(shot, headerText(weekday), kHeaderFlags, DayName(Monday), fonts.DateNum(), 0xFFB0B0,
                              0xE0E0E0));
        EXPECT_EQ(shot.pixel(selection.topLeft()), Rgb(0xC0B0B0));
        EXPECT_EQ(shot.pixel(selection.bottomRight() - QPoint(1, 1)), Rgb(0xC0B0B0));
        EXPECT_EQ(shot.pixel(selection.right() - 2, selection.center().y()), Rgb(settings.Bk())) << "two frames only";
    }
}

TEST_P(CRenderWndTest, WeekFlagFramesTheWeekNumberCell)
{
    view.SelectedDate = Week(D(2009, 6, 17));
    const CalendarLayout layout = surface->Layout();
    const QRect day = CellOf(D(2009, 6, 17)).rect;
    const QRect weekCell = layout.WeekCell(CellOf(D(2009, 6, 17)).row);
    ASSERT_EQ(layout.SelectionRect(), weekCell);
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixel(0, weekCell.center().y()), Rgb(0xC0B0B0));
    EXPECT_EQ(shot.pixel(1, weekCell.center().y()), Rgb(0xC0B0B0));
    EXPECT_EQ(shot.pixel(weekCell.right(), weekCell.center().y()), Rgb(0xC0B0B0));
    EXPECT_EQ(shot.pixel(day.left(), day.center().y()), Rgb(0xEAEAEA)) << "the day itself is not framed";
    EXPECT_EQ(shot.pixel(day.right(), day.center().y()), Rgb(settings.Bk()));
    // Nothing selected: today's month, no frame.
    view.SelectedDate = kNoDate;
    EXPECT_TRUE(surface->Layout().SelectionRect().isNull());
    EXPECT_EQ(Shot().pixel(1, weekCell.center().y()), Rgb(0xD0D0D0));
}

TEST_P(CRenderWndTest, WeekRowShowsTheSelectedWeek)
{
    for (int start : {kWeekStartsSunday, kWeekStartsMonday}) {
        SCOPED_TRACE(start == kWeekStartsSunday ? "weeks start Sunday" : "weeks start Monday");
        SetMode(ViewState::Week, start);
        view.SelectedDate = D(2009, 6, 12);
        const QImage shot = Shot();
        const CalendarLayout layout = surface->Layout();
        EXPECT_EQ(layout.Cells().front().date, start == kWeekStartsSunday ? D(2009, 6, 7) : D(2009, 6, 8));
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 13)), Rgb(settings.WeekendBk()));
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 9)), Rgb(settings.VacationBk()));
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 11)), Rgb(settings.VacationBk()));
        EXPECT_EQ(BackgroundOf(shot, D(2009, 6, 10)), Rgb(settings.Bk()));
        EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 10), QStringLiteral("10"), settings.Highlight(), settings.Bk()));
        EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 13), QStringLiteral("13"), settings.VacNum(), settings.WeekendBk()));
        const QRect label = layout.WeekLabelRect(0);
        EXPECT_TRUE(ShowsText(shot, label, kLabelFlags, QStringLiteral("w24"), fonts.DateNum(), 0xFFFFFF, 0xD0D0D0,
                              BelowGridLine(label)));
        EXPECT_EQ(shot.pixel(layout.SelectionRect().topLeft()), Rgb(0xC0B0B0));
    }
}

TEST_P(CRenderWndTest, WeekRowSpanningTwoMonthsNamesTheFirstWithoutGreying)
{
    SetMode(ViewState::Week, kWeekStartsSunday);
    view.SelectedDate = D(2009, 6, 30);
    const QImage shot = Shot();
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 7, 1), MonthName(7), settings.DateNum(), settings.Bk()));
    EXPECT_TRUE(ShowsLabel(shot, D(2009, 6, 29), QStringLiteral("29"), settings.DateNum(), settings.Bk()));
    EXPECT_TRUE(ShowsCount(shot, D(2009, 7, 2), QStringLiteral("0/1"), settings.AgendaCount(), settings.Bk()));
}

TEST_P(CRenderWndTest, WeekLabelOfMondayWeeksReadsW0ForASundayFirstOfJanuary)
{
    SetMode(ViewState::Week, kWeekStartsMonday);
    view.SelectedDate = D(2006, 1, 1);
    const QImage shot = Shot();
    const QRect label = surface->Layout().WeekLabelRect(0);
    EXPECT_TRUE(ShowsText(shot, label, kLabelFlags, QStringLiteral("w0"), fonts.DateNum(), 0xFFFFFF, 0xD0D0D0,
                          BelowGridLine(label)));
    EXPECT_FALSE(ShowsText(shot, label, kLabelFlags, QStringLiteral("w1"), fonts.DateNum(), 0xFFFFFF, 0xD0D0D0,
                           BelowGridLine(label)));
}

TEST_P(CRenderWndTest, HitTestSaysWhetherTheSelectionChanged)
{
    EXPECT_EQ(surface->HitTest(Centre(D(2009, 6, 17))), 0);
    EXPECT_EQ(surface->HitTest(Centre(D(2009, 6, 3))), 1);
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 3));
    EXPECT_EQ(surface->HitTest(QPoint(surface->width() / 2, 2)), -1);
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 3));
    // The same day as a week is another selection.
    const QRect weekCell = surface->Layout().WeekCell(0);
    EXPECT_EQ(surface->HitTest(weekCell.center()), 1);
    EXPECT_EQ(view.SelectedDate, Week(D(2009, 6, 1)));
}

TEST_P(CRenderWndTest, WeekCellOfAWholePreviousMonthRowMovesTheGridBack)
{
    // March 2009 starts on a Sunday: with weeks starting Sunday the first row is all February.
    view.SelectedDate = D(2009, 3, 15);
    EXPECT_EQ(surface->HitTest(surface->Layout().WeekCell(0).center()), 1);
    EXPECT_EQ(view.SelectedDate, Week(D(2009, 2, 22)));
    const CalendarLayout layout = surface->Layout();
    EXPECT_EQ(layout.Cells()[7].date, D(2009, 2, 1));
    EXPECT_EQ(layout.SelectionRect(), layout.WeekCell(4));
}

TEST_P(CRenderWndTest, ReleaseReportsARefreshAfterSelecting)
{
    QTest::mouseClick(surface.get(), Qt::LeftButton, {}, Centre(D(2009, 6, 3)));
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 3));
    EXPECT_EQ(Heard(), QStringLiteral("Refresh()"));

    // Above the body nothing is selected, but the main view still hears of the tap.
    QTest::mouseClick(surface.get(), Qt::LeftButton, {}, QPoint(surface->width() / 2, 2));
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 3));
    EXPECT_EQ(Heard(), QStringLiteral("Refresh()"));

    // Other buttons do nothing.
    QTest::mouseClick(surface.get(), Qt::RightButton, {}, Centre(D(2009, 6, 4)));
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 3));
    EXPECT_EQ(Heard(), QString());
}

TEST_P(CRenderWndTest, DoubleClickOnTheSelectedDayAsksForTheDayNote)
{
    QTest::mouseDClick(surface.get(), Qt::LeftButton, {}, Centre(D(2009, 6, 17)));
    EXPECT_TRUE(Heard().contains(QStringLiteral("DayNote()")));

    QTest::mouseDClick(surface.get(), Qt::LeftButton, {}, Centre(D(2009, 6, 3)));
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 3));
    EXPECT_FALSE(Heard().contains(QStringLiteral("DayNote()")));
}

TEST_P(CRenderWndTest, EnterAsksForTheDayNote)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(surface.get(), key);
        EXPECT_EQ(Heard(), QStringLiteral("DayNote()")) << key;
    }
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 17));
}

TEST_P(CRenderWndTest, ArrowsStepTheSelectedDayAndReportARefresh)
{
    struct Row
    {
        const char* name;
        int mode;
        Qt::Key key;
        PackedDate from;
        PackedDate to;
    };
    const Row rows[] = {
        {"UpWeekEarlier", ViewState::Month, Qt::Key_Up, D(2009, 6, 17), D(2009, 6, 10)},
        {"DownWeekLater", ViewState::Month, Qt::Key_Down, D(2009, 6, 17), D(2009, 6, 24)},
        {"LeftDayEarlier", ViewState::Month, Qt::Key_Left, D(2009, 6, 17), D(2009, 6, 16)},
        {"RightDayLater", ViewState::Month, Qt::Key_Right, D(2009, 6, 17), D(2009, 6, 18)},
        {"RightIntoNextMonth", ViewState::Month, Qt::Key_Right, D(2009, 6, 30), D(2009, 7, 1)},
        {"WeekStaysSelectedDown", ViewState::Month, Qt::Key_Down, Week(D(2009, 6, 1)), Week(D(2009, 6, 8))},
        {"WeekStaysSelectedRight", ViewState::Month, Qt::Key_Right, Week(D(2009, 6, 1)), Week(D(2009, 6, 2))},
        {"NothingSelectedStepsFromToday", ViewState::Month, Qt::Key_Right, kNoDate, D(2009, 6, 11)},
        {"WeekViewUp", ViewState::Week, Qt::Key_Up, D(2009, 6, 17), D(2009, 6, 10)},
        {"WeekViewDown", ViewState::Week, Qt::Key_Down, D(2009, 6, 17), D(2009, 6, 24)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetMode(row.mode, kWeekStartsSunday);
        view.SelectedDate = row.from;
        QTest::keyClick(surface.get(), row.key);
        EXPECT_EQ(view.SelectedDate, row.to);
        EXPECT_EQ(Heard(), QStringLiteral("Refresh()"));
    }
    // With a modifier the arrows belong to other commands.
    view.SelectedDate = D(2009, 6, 17);
    QTest::keyClick(surface.get(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 17));
}

TEST_P(CRenderWndTest, UpInTheFirstRowMovesTheGridToThePreviousMonth)
{
    view.SelectedDate = D(2009, 6, 3);
    ASSERT_EQ(CellOf(D(2009, 6, 3)).row, 0);
    QTest::keyClick(surface.get(), Qt::Key_Up);
    EXPECT_EQ(view.SelectedDate, D(2009, 5, 27));
    // May 2009 starts on a Friday: five April days lead the grid.
    const CalendarLayout layout = surface->Layout();
    EXPECT_EQ(layout.Cells()[0].date, D(2009, 4, 26));
    EXPECT_EQ(layout.Cells()[5].date, D(2009, 5, 1));
    EXPECT_TRUE(ShowsLabel(Shot(), D(2009, 5, 1), MonthName(5), settings.DateNum(), settings.Bk()));
}

TEST_P(CRenderWndTest, LeftOnTheFirstDayOfTheWeekRowMovesIntoThePreviousWeek)
{
    struct Row
    {
        const char* name;
        int start;
        PackedDate from;
        PackedDate to;
        PackedDate firstShown;
    };
    const Row rows[] = {
        {"SundayStart", kWeekStartsSunday, D(2009, 6, 7), D(2009, 6, 6), D(2009, 5, 31)},
        {"MondayStart", kWeekStartsMonday, D(2009, 6, 8), D(2009, 6, 7), D(2009, 6, 1)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetMode(ViewState::Week, row.start);
        view.SelectedDate = row.from;
        ASSERT_EQ(surface->Layout().Cells().front().date, row.from);
        QTest::keyClick(surface.get(), Qt::Key_Left);
        EXPECT_EQ(view.SelectedDate, row.to);
        EXPECT_EQ(surface->Layout().Cells().front().date, row.firstShown);
    }
}

TEST_P(CRenderWndTest, WeekRowTapsUseTheirOwnColumns)
{
    SetMode(ViewState::Week, kWeekStartsMonday);
    view.SelectedDate = D(2009, 6, 14);
    const CalendarLayout layout = surface->Layout();
    EXPECT_EQ(surface->HitTest(QPoint(5, layout.HeaderHeight() + 3)), 1);
    EXPECT_EQ(view.SelectedDate, Week(D(2009, 6, 8)));
    EXPECT_EQ(surface->HitTest(Centre(D(2009, 6, 12))), 1);
    EXPECT_EQ(view.SelectedDate, D(2009, 6, 12));
}

TEST_P(CRenderWndTest, SetDateSelectsTheDay)
{
    surface->SetDate(Week(D(2009, 8, 4)));
    EXPECT_EQ(view.SelectedDate, Week(D(2009, 8, 4)));
    EXPECT_EQ(surface->Layout().BaseDate(), D(2009, 8, 4));
    // The main view tells the surface the display date, without flags: the
    // week stays selected.
    surface->SetDate(D(2009, 8, 4));
    EXPECT_EQ(view.SelectedDate, Week(D(2009, 8, 4)));
    surface->SetDate(D(2009, 8, 11));
    EXPECT_EQ(view.SelectedDate, D(2009, 8, 11));
    surface->SetDate(Week(D(2009, 8, 11)));
    EXPECT_EQ(view.SelectedDate, Week(D(2009, 8, 11)));
    surface->SetDate(kNoDate);
    EXPECT_EQ(view.SelectedDate, kNoDate);
}

INSTANTIATE_TEST_SUITE_P(ScreenClasses, CRenderWndTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& row) { return row.param ? "Large" : "Small"; });

} // namespace
