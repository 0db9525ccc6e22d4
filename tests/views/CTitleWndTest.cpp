#include "ViewFixture.h"

#include "controls/CBtnCate.h"
#include "controls/CBtnDateRange.h"
#include "controls/CBtnMonth.h"
#include "controls/CBtnYear.h"
#include "controls/CImageBtn.h"
#include "support/SignalLog.h"
#include "support/TestTables.h"
#include "views/CMainView.h"
#include "views/CTitleWnd.h"

namespace {

using testtables::PrintTo;
using testtables::RowName;

class TitleWndTest : public ViewTestBase
{
protected:
    void SetUp() override
    {
        ViewTestBase::SetUp();
        title = std::make_unique<CTitleWnd>(objects->context);
        title->resize(480, 44);
        title->show();
        // As the main view connects them: navigation and the category sent,
        // the refresh and the range posted.
        log.Watch(title.get(), &CTitleWnd::NavigateRequested, QStringLiteral("Navigate"), Qt::DirectConnection);
        log.Watch(title.get(), &CTitleWnd::CategorySelected, QStringLiteral("SelectCategory"), Qt::DirectConnection);
        log.Watch(title.get(), &CTitleWnd::RefreshRequested, QStringLiteral("Refresh"));
        log.Watch(title.get(), &CTitleWnd::RangeChanged, QStringLiteral("RangeChanged"));
    }
    void TearDown() override
    {
        title.reset();
        ViewTestBase::TearDown();
    }

    // The bar takes the notices its buttons posted to it; what it sends on
    // is in the log at once, what it posts only after the next Take().
    void TakeNotices() { QCoreApplication::sendPostedEvents(title.get(), QEvent::MetaCall); }

    SignalLog log;
    std::unique_ptr<CTitleWnd> title;
};

struct ButtonRow
{
    const char* name;
    int mode;
    int controlId;
    int how;
};

const ButtonRow kButtonRows[] = {
    {"TodayInMonth", 0, CTitleWnd::kTodayId, 1},   {"TodayInWeek", 1, CTitleWnd::kTodayId, 1},
    {"TodayInNoDate", 3, CTitleWnd::kTodayId, 1},  {"BackInMonth", 0, CTitleWnd::kBackId, 3},
    {"BackInWeek", 1, CTitleWnd::kBackId, 5},      {"ForwardInMonth", 0, CTitleWnd::kForwardId, 2},
    {"ForwardInWeek", 1, CTitleWnd::kForwardId, 4},
};

class TitleButtonTest : public TitleWndTest, public ::testing::WithParamInterface<ButtonRow>
{
};

TEST_P(TitleButtonTest, ImageButtonsSendNavigate)
{
    objects->view.ViewMode = GetParam().mode;
    const int id = GetParam().controlId;
    CImageBtn* button = id == CTitleWnd::kTodayId  ? title->TodayButton()
                        : id == CTitleWnd::kBackId ? title->BackButton()
                                                   : title->ForwardButton();
    emit button->Clicked(id);
    EXPECT_TRUE(log.entries.isEmpty()) << "the button posts its click";
    TakeNotices();
    // Sent at once, not posted.
    EXPECT_EQ(log.entries, QStringList{QStringLiteral("Navigate(0,%1)").arg(GetParam().how)});
}

INSTANTIATE_TEST_SUITE_P(Buttons, TitleButtonTest, ::testing::ValuesIn(kButtonRows), RowName<ButtonRow>);

TEST_F(TitleWndTest, MonthAndYearPickersSendTheFirstOfTheChosenMonth)
{
    title->ShowModeDate(0, MakeDate(2024, 1, 31));
    emit title->MonthButton()->MonthChosen(2, CTitleWnd::kMonthId);
    TakeNotices();
    emit title->YearButton()->YearChosen(2026, CTitleWnd::kYearId);
    TakeNotices();
    EXPECT_EQ(log.entries, (QStringList{QStringLiteral("Navigate(%1,0)").arg(MakeDate(2024, 2, 1)),
                                        QStringLiteral("Navigate(%1,0)").arg(MakeDate(2026, 1, 1))}));
}

TEST_F(TitleWndTest, CategoryPickerSendsSelectAndAnEditedListPostsRefresh)
{
    emit title->CategoryButton()->CategoryChosen(2, CTitleWnd::kCategoryId);
    TakeNotices();
    EXPECT_EQ(log.entries, QStringList{QStringLiteral("SelectCategory(2)")});

    emit title->CategoryButton()->CategoryListEdited(0, CTitleWnd::kCategoryId);
    TakeNotices();
    EXPECT_EQ(log.entries.size(), 1) << "posted, not sent";
    EXPECT_EQ(log.Take(), QStringLiteral("SelectCategory(2) Refresh()"));
}

TEST_F(TitleWndTest, ANewDateRangeIsStoredSelectedAndPosted)
{
    Settings& settings = objects->settings;
    const PackedDate start = MakeDate(2024, 5, 1);
    const PackedDate end = MakeDate(2024, 5, 31);
    emit title->DateRangeButton()->RangeChanged(start, end, CTitleWnd::kDateRangeId);
    TakeNotices();
    EXPECT_EQ(settings.AgendaStartDate(), start);
    EXPECT_EQ(settings.AgendaEndDate(), end);
    EXPECT_EQ(objects->view.SelectedDate, start);
    EXPECT_TRUE(log.entries.isEmpty()) << "posted, not sent";
    EXPECT_EQ(log.Take(), QStringLiteral("RangeChanged()"));

    // The same range again rebuilds nothing.
    objects->view.SelectedDate = kTestToday;
    emit title->DateRangeButton()->RangeChanged(start, end, CTitleWnd::kDateRangeId);
    EXPECT_EQ(log.Take(), QString());
    EXPECT_EQ(objects->view.SelectedDate, kTestToday);
}

TEST_F(TitleWndTest, DateRangeNoticeFromAnotherControlIsIgnored)
{
    emit title->DateRangeButton()->RangeChanged(MakeDate(2024, 5, 1), kNoDate, 1068);
    EXPECT_EQ(log.Take(), QString());
    EXPECT_EQ(objects->settings.AgendaStartDate(), kNoDate);
}

TEST_F(TitleWndTest, EachModeShowsItsButtons)
{
    const auto shown = [&] {
        return QList<bool>{title->TodayButton()->isVisible(),   title->BackButton()->isVisible(),
                           title->ForwardButton()->isVisible(), title->MonthButton()->isVisible(),
                           title->YearButton()->isVisible(),    title->DateRangeButton()->isVisible(),
                           title->CategoryButton()->isVisible()};
    };
    title->ShowModeDate(0, MakeDate(2023, 9, 4));
    EXPECT_EQ(shown(), (QList<bool>{true, true, true, true, true, false, true}));
    EXPECT_EQ(title->MonthButton()->Month(), 9);
    EXPECT_EQ(title->YearButton()->Year(), 2023);
    title->ShowModeDate(2, MakeDate(2023, 9, 4));
    EXPECT_EQ(shown(), (QList<bool>{false, false, false, false, false, true, true}));
    title->ShowModeDate(3, kNoDate);
    EXPECT_EQ(shown(), (QList<bool>{true, false, false, false, false, false, true}));
    EXPECT_EQ(title->MonthButton()->Month(), 9) << "No Date keeps the pickers";
    title->ShowModeDate(1, MakeDate(2025, 2, 10));
    EXPECT_EQ(shown(), (QList<bool>{true, true, true, true, true, false, true}));
    EXPECT_EQ(title->MonthButton()->Month(), 2);
}

TEST_F(TitleWndTest, StartsAtJanuaryThisYearAllCategoriesAndNoRange)
{
    EXPECT_EQ(title->MonthButton()->Month(), 1);
    EXPECT_EQ(title->YearButton()->Year(), 2024);
    EXPECT_EQ(title->CategoryButton()->Category(), CalendarStore::kAllCategories);
    EXPECT_EQ(title->DateRangeButton()->Start(), kNoDate);
    EXPECT_EQ(title->DateRangeButton()->End(), kNoDate);
}

TEST_F(TitleWndTest, RefreshTakesTheRangeAndTheCategorySelection)
{
    objects->settings.SetAgendaStartDate(MakeDate(2024, 1, 1));
    objects->settings.SetAgendaEndDate(MakeDate(2024, 3, 1));
    objects->store.SetCategorySelection(1);
    title->RefreshRange();
    title->RefreshCategory();
    EXPECT_EQ(title->DateRangeButton()->Start(), MakeDate(2024, 1, 1));
    EXPECT_EQ(title->DateRangeButton()->End(), MakeDate(2024, 3, 1));
    EXPECT_EQ(title->CategoryButton()->Category(), 1);
    title->SetCategory(2);
    EXPECT_EQ(title->CategoryButton()->Category(), 2);
}

struct TitleLayoutRow
{
    const char* name;
    bool large;
    int width;
    CTitleWnd::Layout layout;
};

const TitleLayoutRow kTitleLayoutRows[] = {
    {"Large480",
     true,
     480,
     {{0, 2, 40, 40}, {40, 2, 40, 40}, {80, 2, 40, 40}, {120, 2, 95, 40}, {215, 2, 95, 40}, {0, 2, 310, 40},
      {310, 2, 170, 40}}},
    {"LargeWiderWindowWidensTheCategory",
     true,
     700,
     {{0, 2, 40, 40}, {40, 2, 40, 40}, {80, 2, 40, 40}, {120, 2, 95, 40}, {215, 2, 95, 40}, {0, 2, 310, 40},
      {310, 2, 390, 40}}},
    {"Small240",
     false,
     240,
     {{0, 1, 20, 20}, {20, 1, 20, 20}, {40, 1, 20, 20}, {60, 1, 52, 20}, {112, 1, 52, 20}, {0, 1, 164, 20},
      {164, 1, 76, 20}}},
    {"SmallWiderWindow",
     false,
     480,
     {{0, 1, 20, 20}, {20, 1, 20, 20}, {40, 1, 20, 20}, {60, 1, 52, 20}, {112, 1, 52, 20}, {0, 1, 164, 20},
      {164, 1, 316, 20}}},
};

class TitleLayoutTest : public TitleWndTest, public ::testing::WithParamInterface<TitleLayoutRow>
{
protected:
    bool Large() const override { return GetParam().large; }
};

TEST_P(TitleLayoutTest, ButtonsTakeTheirPlaces)
{
    const TitleLayoutRow& row = GetParam();
    title->resize(row.width, row.large ? 44 : 22);
    EXPECT_EQ(title->TodayButton()->geometry(), row.layout.today);
    EXPECT_EQ(title->BackButton()->geometry(), row.layout.back);
    EXPECT_EQ(title->ForwardButton()->geometry(), row.layout.forward);
    EXPECT_EQ(title->MonthButton()->geometry(), row.layout.month);
    EXPECT_EQ(title->YearButton()->geometry(), row.layout.year);
    EXPECT_EQ(title->DateRangeButton()->geometry(), row.layout.dateRange);
    EXPECT_EQ(title->CategoryButton()->geometry(), row.layout.category);
}

INSTANTIATE_TEST_SUITE_P(Screens, TitleLayoutTest, ::testing::ValuesIn(kTitleLayoutRows),
                         RowName<TitleLayoutRow>);

TEST_F(TitleWndTest, BackgroundIsTheBarsOwnGrey)
{
    const QImage image = title->grab().toImage();
    // Between the year picker and the category picker nothing else is drawn;
    // take a pixel of the bar's top margin.
    EXPECT_EQ(image.pixelColor(5, 0), QColor(0xEA, 0xEA, 0xEA));
}

// ---- Through the main view

class TitleInViewTest : public ViewTestBase
{
protected:
    void SetUp() override
    {
        ViewTestBase::SetUp();
        ForgetSettingsAndDataFile();
        view = std::make_unique<CMainView>(objects->context, QString());
        view->resize(480, 640);
        view->show();
        RunPostedMessages();
    }
    void TearDown() override
    {
        view->SetSaveOnClose(false);
        view.reset();
        ViewTestBase::TearDown();
    }
    std::unique_ptr<CMainView> view;
};

TEST_F(TitleInViewTest, ChoosingFebruaryOnThe31stOfJanuarySelectsTheFirstOfFebruary)
{
    view->NavigateTo(MakeDate(2024, 1, 31), NavigateCode::ToDate);
    EXPECT_EQ(view->TitleWnd()->MonthButton()->Month(), 1);
    emit view->TitleWnd()->MonthButton()->MonthChosen(2, CTitleWnd::kMonthId);
    RunPostedMessages();
    EXPECT_EQ(objects->view.SelectedDate, MakeDate(2024, 2, 1));
    EXPECT_EQ(view->TitleWnd()->MonthButton()->Month(), 2);
}

TEST_F(TitleInViewTest, CategoryPickerSelectsTheCategoryInTheView)
{
    emit view->TitleWnd()->CategoryButton()->CategoryChosen(1, CTitleWnd::kCategoryId);
    RunPostedMessages();
    EXPECT_EQ(objects->store.CategorySelection(), 1);
}

TEST_F(TitleInViewTest, ListViewShowsTheDateRangePicker)
{
    view->ActivateViewMode(2);
    EXPECT_TRUE(view->TitleWnd()->DateRangeButton()->isVisible());
    EXPECT_FALSE(view->TitleWnd()->BackButton()->isVisible());
}

} // namespace
