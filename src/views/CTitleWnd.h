#pragma once

#include "model/PackedDate.h"
#include "model/ViewState.h"
#include "platform/gui/ViewContext.h"

#include <QRect>
#include <QWidget>

class CBtnCate;
class CBtnDateRange;
class CBtnMonth;
class CBtnYear;
class CImageBtn;

// The navigation bar at the top of the main view: today, back and forward,
// the month and year pickers (Month and Week views), the date-range picker
// (List view) and the category picker. It turns its buttons' notices (posted
// to it) into the main view's messages and keeps them in step with the view
// state.
class CTitleWnd : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kControlId = 1070;
    static constexpr int kTodayId = 1071;
    static constexpr int kBackId = 1027;
    static constexpr int kForwardId = 1025;
    static constexpr int kMonthId = 1068;
    static constexpr int kYearId = 1069;
    static constexpr int kCategoryId = 1038;
    static constexpr int kDateRangeId = 1044;
    static constexpr quint32 kBackground = 0xEAEAEA; // 0x00BBGGRR

    struct Layout
    {
        QRect today;
        QRect back;
        QRect forward;
        QRect month;
        QRect year;
        QRect dateRange;
        QRect category;
    };
    // The buttons' places in a bar of the given width.
    static Layout ComputeLayout(int width, bool large);

    explicit CTitleWnd(ViewContext& context, QWidget* parent = nullptr);

    // List (2): only the date-range and category pickers. No Date (3): today
    // and category. Month and Week: today, back, forward, the month and year
    // of date, category.
    void ShowModeDate(int mode, PackedDate date);
    // The date-range picker takes the list date range.
    void RefreshRange();
    // The category picker takes the store's category selection and repaints.
    void RefreshCategory();
    // The category picker's value, without a repaint.
    void SetCategory(qint32 category);
    // The bar and its buttons take the control font again (after the
    // preferences changed it).
    void ApplyFonts();

    CImageBtn* TodayButton() const { return m_today; }
    CImageBtn* BackButton() const { return m_back; }
    CImageBtn* ForwardButton() const { return m_forward; }
    CBtnMonth* MonthButton() const { return m_month; }
    CBtnYear* YearButton() const { return m_year; }
    CBtnCate* CategoryButton() const { return m_category; }
    CBtnDateRange* DateRangeButton() const { return m_dateRange; }

signals:
    // UM_NAVIGATE (0x41F) (date, how), sent.
    void NavigateRequested(PackedDate date, NavigateCode how);
    // UM_SELECT_CATEGORY (0x40D) (category index or all categories), sent.
    void CategorySelected(qint32 category);
    // UM_REFRESH (0x401) with wParam 1, posted: the category list was edited.
    void RefreshRequested();
    // UM_RANGE_CHANGED (0x426), posted: the list date range changed.
    void RangeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ConnectButtons();
    // Back and forward step by a week in the Week view, else by a month.
    void Step(bool forward);
    void OnDateRangeChanged(PackedDate start, PackedDate end, int controlId);
    void LoadImages();

    ViewContext& m_context;
    CImageBtn* m_today;
    CImageBtn* m_back;
    CImageBtn* m_forward;
    CBtnMonth* m_month;
    CBtnYear* m_year;
    CBtnCate* m_category;
    CBtnDateRange* m_dateRange;
};
