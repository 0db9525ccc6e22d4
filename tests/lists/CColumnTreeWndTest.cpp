#include "TreeFixture.h"

#include <QHeaderView>
#include <QScrollBar>

#include "model/LanguageModule.h"

// Column geometry, horizontal scrolling and stored widths of the column
// tree, on the task window.
class ColumnTreeWndTest : public TreeFixture
{
protected:
    // A fresh window of this client width with the stored widths given.
    void Remake(int width, int title, int category, int date)
    {
        m_tester.reset();
        m_wnd.reset();
        m_settings.SetColTitleWidth(title);
        m_settings.SetColCategoryWidth(category);
        m_settings.SetColDateWidth(date);
        m_wnd = std::make_unique<CTodoTreeWnd>(m_context);
        m_wnd->resize(width, 200);
        m_wnd->SetupColumns(width, false);
        m_wnd->show();
    }

    QList<int> Sections() const
    {
        QList<int> widths;
        for (int i = 0; i < m_wnd->Header()->count(); ++i)
            widths << m_wnd->Header()->sectionSize(i);
        return widths;
    }

    QList<int> Stored() const
    {
        return {m_settings.ColTitleWidth(), m_settings.ColCategoryWidth(), m_settings.ColDateWidth()};
    }

    int Extent() const { return Tree().ScrollBarExtent(); }
};

TEST_F(ColumnTreeWndTest, WithoutStoredWidthsTheClientIsSplitHalfAndTwoQuarters)
{
    Remake(240, 0, 0, 0);
    const int date = std::max(5, 60 - Extent() - 4);
    EXPECT_EQ(Sections(), (QList<int>{120, 60, date}));
    EXPECT_EQ(Stored(), (QList<int>{120, 60, 60 - Extent() - 4}));
    EXPECT_EQ(Tree().ColumnWidth(0), 120);
    EXPECT_EQ(Tree().ColumnWidth(2), date);
    EXPECT_EQ(m_wnd->Header()->model()->headerData(1, Qt::Horizontal).toString(), GetText(124));

    // An odd width halves by shifts.
    Remake(243, 0, 0, 0);
    EXPECT_EQ(Stored(), (QList<int>{121, 60, 60 - Extent() - 4}));
}

TEST_F(ColumnTreeWndTest, NarrowStoredWidthsShowFivePixelsWide)
{
    Remake(240, 3, 6, 0);
    EXPECT_EQ(Sections(), (QList<int>{5, 6, 5}));
    EXPECT_EQ(Stored(), (QList<int>{3, 6, 0})) << "putting the columns up stores nothing";
}

TEST_F(ColumnTreeWndTest, SetupWithoutForceKeepsTheColumnsOnceThere)
{
    Remake(240, 100, 50, 50);
    m_settings.SetColTitleWidth(30);
    m_wnd->SetupColumns(500, false);
    EXPECT_EQ(Sections(), (QList<int>{100, 50, 50}));
    m_wnd->SetupColumns(500, true);
    EXPECT_EQ(Sections(), (QList<int>{30, 50, 50}));
}

TEST_F(ColumnTreeWndTest, ResizingAColumnStoresTheWidthsAndRecomputesTheTotal)
{
    Remake(240, 100, 50, 50);
    m_wnd->Header()->resizeSection(1, 80);
    EXPECT_EQ(Stored(), (QList<int>{100, 80, 50}));
    EXPECT_EQ(Tree().ColumnWidth(1), 80);
    EXPECT_EQ(Tree().TotalWidth(), 230 + Tree().VerticalScrollBarSpace());
    EXPECT_EQ(Tree().RowLayout().w1, 80) << "rows paint and hit with the new width";
}

TEST_F(ColumnTreeWndTest, ScrollingSidewaysStepsAndStopsAtBothEnds)
{
    Remake(240, 300, 100, 100);
    const int total = Tree().TotalWidth();
    ASSERT_EQ(total, 500 + Tree().VerticalScrollBarSpace());
    const int end = total - 240;
    EXPECT_TRUE(m_wnd->HorizontalScrollBar()->isVisible());

    struct Step
    {
        QAbstractSlider::SliderAction action;
        int offset;
    };
    const Step steps[] = {
        {QAbstractSlider::SliderSingleStepSub, 0},        {QAbstractSlider::SliderSingleStepAdd, 15},
        {QAbstractSlider::SliderSingleStepAdd, 30},       {QAbstractSlider::SliderPageStepAdd, std::min(end, 270)},
        {QAbstractSlider::SliderToMaximum, end},          {QAbstractSlider::SliderSingleStepAdd, end},
        {QAbstractSlider::SliderPageStepAdd, end},        {QAbstractSlider::SliderSingleStepSub, end - 15},
        {QAbstractSlider::SliderPageStepSub, std::max(0, end - 15 - 240)}, {QAbstractSlider::SliderToMinimum, 0},
    };
    for (const Step& step : steps) {
        m_wnd->ScrollColumns(step.action);
        EXPECT_EQ(m_wnd->HorizontalOffset(), step.offset) << "action " << int(step.action);
        // Header and tree move left by the offset and widen by as much.
        EXPECT_EQ(m_wnd->Header()->geometry(), QRect(-step.offset, 0, 240 + step.offset, m_wnd->HeaderHeight()));
        EXPECT_EQ(Tree().geometry().left(), -step.offset);
        EXPECT_EQ(Tree().geometry().width(), 240 + step.offset);
    }

    // Narrowing the columns pulls the offset back.
    m_wnd->ScrollColumns(QAbstractSlider::SliderToMaximum);
    m_wnd->Header()->resizeSection(0, 200);
    EXPECT_EQ(m_wnd->HorizontalOffset(), Tree().TotalWidth() - 240);
}

TEST_F(ColumnTreeWndTest, ColumnsThatFitDoNotScroll)
{
    Remake(240, 100, 50, 50);
    m_wnd->ScrollColumns(QAbstractSlider::SliderSingleStepAdd);
    m_wnd->ScrollColumns(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(m_wnd->HorizontalOffset(), 0);
    EXPECT_FALSE(m_wnd->HorizontalScrollBar()->isVisible());
    EXPECT_EQ(Tree().geometry().left(), 0);
}

TEST_F(ColumnTreeWndTest, TheTreesScrollBarCountsIntoTheTotalWhenItComesAndGoes)
{
    Remake(240, 100, 50, 50);
    ShowDay(Mar(15));
    QCoreApplication::sendPostedEvents(m_wnd.get());
    ASSERT_FALSE(Tree().HasVerticalScrollBar());
    EXPECT_EQ(Tree().TotalWidth(), 200);

    for (int i = 0; i < 30; ++i)
        Add("More", Mar(15), kPriorityNormal, 0);
    m_wnd->Rebuild(false);
    QCoreApplication::sendPostedEvents(m_wnd.get());
    ASSERT_TRUE(Tree().HasVerticalScrollBar());
    EXPECT_EQ(Tree().TotalWidth(), 200 + Extent());

    ShowDay(Mar(16));
    QCoreApplication::sendPostedEvents(m_wnd.get());
    EXPECT_EQ(Tree().TotalWidth(), 200);
}

TEST_F(ColumnTreeWndTest, DividerDoubleClickFitsWideColumnsWhenAutoFitIsOn)
{
    Remake(240, 300, 100, 100);
    m_settings.SetColAutoFit(false);
    emit m_wnd->Header()->sectionHandleDoubleClicked(0);
    EXPECT_EQ(Sections(), (QList<int>{300, 100, 100}));

    m_settings.SetColAutoFit(true);
    emit m_wnd->Header()->sectionHandleDoubleClicked(0);
    EXPECT_EQ(Stored(), (QList<int>{120, 60, 60 - Extent() - 4}));
    EXPECT_EQ(Sections()[0], 120);
    EXPECT_EQ(m_wnd->HorizontalOffset(), 0);

    // Columns that fit stay as they are.
    m_wnd->Header()->resizeSection(0, 100);
    emit m_wnd->Header()->sectionHandleDoubleClicked(0);
    EXPECT_EQ(Sections()[0], 100);
}

TEST_F(ColumnTreeWndTest, WidthCacheHoldsFourColumns)
{
    m_wnd->SetColumnWidth(3, 44);
    m_wnd->SetColumnWidth(4, 55);
    m_wnd->SetColumnWidth(-1, 66);
    EXPECT_EQ(m_wnd->ColumnWidth(3), 44);
    EXPECT_EQ(m_wnd->ColumnWidth(4), 0);
    EXPECT_EQ(m_wnd->ColumnWidth(-1), 0);
}
