#pragma once

#include "model/PackedDate.h"
#include "views/CalendarLayout.h"
#include "platform/gui/ViewContext.h"

#include <QWidget>

class QPainter;
class Settings;
struct DayMark;

// The calendar surface (control 1072): a weekday header over the month grid
// (view mode 0) or one week row (view mode 1). Taps and arrow keys change the
// selected day and are reported to the main view: left button up and the
// arrow keys report RefreshRequested, a double click on the selected day and
// Enter DayNoteRequested.
class CRenderWnd : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kControlId = 1072;

    explicit CRenderWnd(ViewContext& context, QWidget* parent = nullptr);
    ~CRenderWnd() override;

    // Selects the date (when it differs from the selected one) and repaints.
    // The selected day without its flags leaves a week selection of that day.
    void SetDate(PackedDate date);

    // -1 nothing hit, 0 the selected date was hit again, 1 another date was
    // hit and is now selected.
    int HitTest(const QPoint& point);

    // The fonts or settings changed.
    void ApplySettings();

    // The height the main view gives the surface: the header and six rows in
    // the Month view, the header and one row in the Week view, and the bottom
    // grid line.
    static int SurfaceHeight(const Settings& settings, int viewMode);

    // Where everything lies at the surface's present size and selection.
    CalendarLayout Layout() const;

signals:
    // UM_REFRESH (0x401), posted: the selected day may have changed.
    void RefreshRequested();
    // UM_DAY_NOTE (0x41B), sent.
    void DayNoteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PaintHeader(QPainter& painter, const CalendarLayout& layout, bool focused) const;
    void PaintDay(QPainter& painter, const CalendarLayout& layout, const CalendarLayout::Cell& cell,
                  PackedDate today) const;
    void PaintMarks(QPainter& painter, const QRect& cell, const DayMark& mark) const;
    // The day's task count; colour overrides the done/not-done colours.
    void PaintCount(QPainter& painter, const QRect& cell, PackedDate date, const QColor* colour) const;
    void PaintSelection(QPainter& painter, const CalendarLayout& layout, bool focused) const;
    // Moves the selected day by one of the date steps and tells the main view.
    void Step(PackedDate (*step)(PackedDate));

    ViewContext& m_context;
};
