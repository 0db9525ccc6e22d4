#include "views/CTitleWnd.h"

#include "controls/CBtnCate.h"
#include "controls/CBtnDateRange.h"
#include "controls/CBtnMonth.h"
#include "controls/CBtnYear.h"
#include "controls/CImageBtn.h"
#include "model/CalendarStore.h"
#include "model/ViewState.h"
#include "platform/gui/ColorRef.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"
#include "storage/Settings.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace {

template <class Button>
Button* MakeButton(Button* button, const QString& name)
{
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

CTitleWnd::Layout CTitleWnd::ComputeLayout(int width, bool large)
{
    Layout layout;
    if (large) {
        layout.today = QRect(0, 2, 40, 40);
        layout.back = QRect(40, 2, 40, 40);
        layout.forward = QRect(80, 2, 40, 40);
        layout.month = QRect(120, 2, 95, 40);
        layout.year = QRect(215, 2, 95, 40);
        layout.dateRange = QRect(0, 2, 310, 40);
        layout.category = QRect(310, 2, 170, 40);
    } else {
        layout.today = QRect(0, 1, 20, 20);
        layout.back = QRect(20, 1, 20, 20);
        layout.forward = QRect(40, 1, 20, 20);
        layout.month = QRect(60, 1, 52, 20);
        layout.year = QRect(112, 1, 52, 20);
        layout.dateRange = QRect(0, 1, 164, 20);
        layout.category = QRect(164, 1, 76, 20);
    }
    // The fixed places were made for a handheld's screen width; in a wider
    // window the category picker takes the rest of the bar, so long category
    // names fit.
    layout.category.setWidth(std::max(layout.category.width(), width - layout.category.left()));
    return layout;
}

CTitleWnd::CTitleWnd(ViewContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("titleWnd"));

    m_today = MakeButton(new CImageBtn(kTodayId, this), QStringLiteral("todayButton"));
    m_back = MakeButton(new CImageBtn(kBackId, this), QStringLiteral("backButton"));
    m_forward = MakeButton(new CImageBtn(kForwardId, this), QStringLiteral("forwardButton"));
    m_month = MakeButton(new CBtnMonth(kMonthId, this), QStringLiteral("monthButton"));
    m_year = MakeButton(new CBtnYear(kYearId, this), QStringLiteral("yearButton"));
    m_category = MakeButton(new CBtnCate(kCategoryId, context.planner.store, true, this),
                            QStringLiteral("categoryButton"));
    m_dateRange = MakeButton(new CBtnDateRange(kDateRangeId, context.planner.settings, this),
                             QStringLiteral("dateRangeButton"));
    ApplyFonts();

    m_month->SetMonth(1);
    m_year->SetYear(YearOf(Today()));
    m_category->SetCategory(CalendarStore::kAllCategories);
    m_dateRange->SetRange(kNoDate, kNoDate);
    m_dateRange->hide();
    LoadImages();
    ConnectButtons();
}

void CTitleWnd::ConnectButtons()
{
    // Every button posts its notices.
    constexpr auto posted = Qt::QueuedConnection;
    connect(m_today, &COwnerButton::Clicked, this, [this] { emit NavigateRequested(kNoDate, NavigateCode::Today); },
            posted);
    connect(m_back, &COwnerButton::Clicked, this, [this] { Step(false); }, posted);
    connect(m_forward, &COwnerButton::Clicked, this, [this] { Step(true); }, posted);
    connect(m_month, &CBtnMonth::MonthChosen, this, [this](int month) {
        emit NavigateRequested(MakeDate(m_year->Year(), month, 1), NavigateCode::ToDate);
    }, posted);
    connect(m_year, &CBtnYear::YearChosen, this, [this](int year) {
        emit NavigateRequested(MakeDate(year, m_month->Month(), 1), NavigateCode::ToDate);
    }, posted);
    connect(m_category, &CBtnCate::CategoryChosen, this, &CTitleWnd::CategorySelected, posted);
    connect(m_category, &CBtnCate::CategoryListEdited, this, &CTitleWnd::RefreshRequested, posted);
    connect(m_dateRange, &CBtnDateRange::RangeChanged, this, &CTitleWnd::OnDateRangeChanged, posted);
}

void CTitleWnd::ApplyFonts()
{
    const QFont& font = m_context.fonts.Ctrl();
    setFont(font);
    for (QWidget* button : std::initializer_list<QWidget*>{m_today, m_back, m_forward, m_month, m_year, m_category,
                                                            m_dateRange})
        button->setFont(font);
}

void CTitleWnd::LoadImages()
{
    const bool large = ScreenClass::IsLarge();
    m_today->SetImage(Images::NavImage(Images::NavButton::Today, large));
    m_back->SetImage(Images::NavImage(Images::NavButton::Back, large));
    m_forward->SetImage(Images::NavImage(Images::NavButton::Forward, large));
}

void CTitleWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size().height() == 0)
        return;
    const Layout layout = ComputeLayout(event->size().width(), ScreenClass::IsLarge());
    m_today->setGeometry(layout.today);
    m_back->setGeometry(layout.back);
    m_forward->setGeometry(layout.forward);
    m_month->setGeometry(layout.month);
    m_year->setGeometry(layout.year);
    m_dateRange->setGeometry(layout.dateRange);
    m_category->setGeometry(layout.category);
}

void CTitleWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromRef(kBackground));
}

// ---- What the main view tells the bar

void CTitleWnd::ShowModeDate(int mode, PackedDate date)
{
    const bool list = mode == ViewState::List;
    const bool dated = mode == ViewState::Month || mode == ViewState::Week;
    m_dateRange->setVisible(list);
    m_today->setVisible(!list);
    m_back->setVisible(dated);
    m_forward->setVisible(dated);
    m_month->setVisible(dated);
    m_year->setVisible(dated);
    if (dated) {
        m_month->SetMonth(MonthOf(date));
        m_year->SetYear(YearOf(date));
    }
}

void CTitleWnd::RefreshRange()
{
    const Settings& settings = m_context.planner.settings;
    m_dateRange->SetRange(settings.AgendaStartDate(), settings.AgendaEndDate());
}

void CTitleWnd::RefreshCategory()
{
    m_category->SetCategory(m_context.planner.store.CategorySelection());
    m_category->update();
}

void CTitleWnd::SetCategory(qint32 category)
{
    m_category->SetCategory(category);
}

// ---- The buttons' notices

void CTitleWnd::Step(bool forward)
{
    const bool week = m_context.planner.view.ViewMode == ViewState::Week;
    const NavigateCode how = week ? (forward ? NavigateCode::NextWeek : NavigateCode::PrevWeek)
                                  : (forward ? NavigateCode::NextMonth : NavigateCode::PrevMonth);
    emit NavigateRequested(kNoDate, how);
}

void CTitleWnd::OnDateRangeChanged(PackedDate start, PackedDate end, int controlId)
{
    if (controlId != kDateRangeId)
        return;
    Settings& settings = m_context.planner.settings;
    if (start == settings.AgendaStartDate() && end == settings.AgendaEndDate())
        return;
    settings.SetAgendaStartDate(start);
    settings.SetAgendaEndDate(end);
    m_context.planner.view.SelectedDate = settings.AgendaStartDate();
    emit RangeChanged();
}
