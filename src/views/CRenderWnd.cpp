#include "views/CRenderWnd.h"

#include "model/CalendarStore.h"
#include "model/DayList.h"
#include "model/DayMark.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "platform/gui/ColorRef.h"
#include "platform/gui/Images.h"
#include "platform/gui/ScreenClass.h"
#include "storage/Settings.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// Colours the surface keeps whatever the preferences say (0x00BBGGRR).
constexpr quint32 kWeekColumnColor = 0xD0D0D0;
constexpr quint32 kWeekLabelColor = 0xFFFFFF;
constexpr quint32 kHeaderUnfocusedColor = 0xE0E0E0;
constexpr quint32 kHeaderTextFocusedColor = 0xFFFFFF;
constexpr quint32 kHeaderTextUnfocusedColor = 0xFFB0B0;
constexpr quint32 kGridLineColor = 0xEAEAEA;
constexpr quint32 kSelectionUnfocusedColor = 0xC0B0B0;

void DrawText(QPainter& painter, const QRect& rect, int flags, const QString& text, const QFont& font,
              const QColor& colour)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
    painter.restore();
}

// A one-pixel frame along the inside edge of a rectangle.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

// The 1st of a month is labelled with the month's name.
QString DayLabel(PackedDate date)
{
    return DayOf(date) == 1 ? MonthNameOf(date) : QString::number(DayOf(date));
}

} // namespace

CRenderWnd::CRenderWnd(ViewContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(u"renderWnd"_s);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted on each paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CRenderWnd::~CRenderWnd() = default;

int CRenderWnd::SurfaceHeight(const Settings& settings, int viewMode)
{
    const int rows = viewMode == ViewState::Week ? 1 : 6;
    return settings.Fonts().FontHDateNum + rows * settings.EffectiveCubeH() + 1;
}

CalendarLayout CRenderWnd::Layout() const
{
    const Settings& settings = m_context.planner.settings;
    const ViewState& view = m_context.planner.view;
    return CalendarLayout(view.ViewMode == ViewState::Week, size(), settings.Fonts().FontHDateNum,
                          settings.EffectiveCubeH(), settings.StartWeekDay(), view.SelectedDate, Today());
}

void CRenderWnd::SetDate(PackedDate date)
{
    PackedDate& selected = m_context.planner.view.SelectedDate;
    // The main view passes the display date, the selected day without its
    // flags: that same day keeps a whole-week selection, so a week picked in
    // the Week view stays picked after stepping to the next week.
    if (date != selected && date != StripFlags(selected))
        selected = date;
    update();
}

int CRenderWnd::HitTest(const QPoint& point)
{
    const PackedDate date = Layout().HitDate(point);
    if (date == kNoDate)
        return -1;
    PackedDate& selected = m_context.planner.view.SelectedDate;
    const int result = date == selected ? 0 : 1;
    selected = date;
    update();
    return result;
}

void CRenderWnd::ApplySettings()
{
    updateGeometry();
    update();
}

void CRenderWnd::paintEvent(QPaintEvent*)
{
    const Settings& settings = m_context.planner.settings;
    const CalendarLayout layout = Layout();
    const bool focused = hasFocus();
    const PackedDate today = Today();

    QPainter painter(this);
    painter.fillRect(rect(), ColorFromRef(settings.Bk()));
    PaintHeader(painter, layout, focused);

    painter.fillRect(layout.WeekColumn(), ColorFromRef(kWeekColumnColor));
    const std::vector<CalendarLayout::Cell>& cells = layout.Cells();
    for (int row = 0; row < layout.RowCount(); ++row) {
        for (int column = 0; column < 7; ++column)
            PaintDay(painter, layout, cells[size_t(row * 7 + column)], today);
        DrawText(painter, layout.WeekLabelRect(row), Qt::AlignLeft | Qt::AlignTop,
                 u"w%1"_s.arg(WeekNumber(layout.WeekLabelDate(row), settings.StartWeekDay())),
                 m_context.fonts.DateNum(), ColorFromRef(kWeekLabelColor));
    }

    const QColor gridColour = ColorFromRef(kGridLineColor);
    for (const QRect& line : layout.GridLines())
        painter.fillRect(line, gridColour);
    PaintSelection(painter, layout, focused);
}

void CRenderWnd::PaintHeader(QPainter& painter, const CalendarLayout& layout, bool focused) const
{
    const Settings& settings = m_context.planner.settings;
    painter.fillRect(layout.HeaderRect(), ColorFromRef(focused ? settings.Cursor() : kHeaderUnfocusedColor));
    painter.fillRect(layout.HeaderCorner(), ColorFromRef(kWeekColumnColor));
    const QColor text = ColorFromRef(focused ? kHeaderTextFocusedColor : kHeaderTextUnfocusedColor);
    const QColor weekend = ColorFromRef(settings.VacNum());
    for (int column = 0; column < 7; ++column) {
        DrawText(painter, layout.HeaderColumn(column).adjusted(2, 1, -2, 0),
                 Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                 DayName(layout.HeaderWeekday(column)), m_context.fonts.DateNum(),
                 layout.IsWeekendColumn(column) ? weekend : text);
    }
}

void CRenderWnd::PaintDay(QPainter& painter, const CalendarLayout& layout, const CalendarLayout::Cell& cell,
                          PackedDate today) const
{
    const Settings& settings = m_context.planner.settings;
    const QRect& rect = cell.rect;
    const QRect labelRect = rect.adjusted(2, 1, 0, 0);
    constexpr int labelFlags = Qt::AlignLeft | Qt::AlignTop;
    DayMark mark;
    const bool hasMark = m_context.planner.store.GetDayMark(cell.date, mark);

    if (cell.kind != CalendarLayout::CellKind::ThisMonth) {
        // The neighbouring months' days are greyed, counts included; only the
        // next month's 1st is named, the grid always starts with plain numbers.
        const QColor inactive = ColorFromRef(settings.InactiveDateNum());
        painter.fillRect(rect, ColorFromRef(settings.InvalidBk()));
        const QString label = cell.kind == CalendarLayout::CellKind::NextMonth ? DayLabel(cell.date)
                                                                                : QString::number(DayOf(cell.date));
        DrawText(painter, labelRect, labelFlags, label, m_context.fonts.DateNum(), inactive);
        if (hasMark)
            PaintMarks(painter, rect, mark);
        PaintCount(painter, rect, cell.date, &inactive);
        return;
    }

    const bool holiday = (mark.Flags & kMarkHoliday) != 0 || m_context.planner.holidays.IsHoliday(cell.date);
    const bool weekend = layout.IsWeekendColumn(cell.column);
    if (holiday)
        painter.fillRect(rect, ColorFromRef(settings.VacationBk()));
    else if (weekend)
        painter.fillRect(rect, ColorFromRef(settings.WeekendBk()));
    PaintMarks(painter, rect, mark);
    PaintCount(painter, rect, cell.date, nullptr);

    quint32 labelColour = settings.DateNum();
    if (cell.date == today)
        labelColour = settings.Highlight();
    else if (holiday || weekend)
        labelColour = settings.VacNum();
    DrawText(painter, labelRect, labelFlags, DayLabel(cell.date), m_context.fonts.DateNum(),
             ColorFromRef(labelColour));
}

void CRenderWnd::PaintMarks(QPainter& painter, const QRect& cell, const DayMark& mark) const
{
    const bool large = ScreenClass::IsLarge();
    const int size = Images::DayMarkIconSize(large);
    // Cell right and bottom are the pixels just past the cell.
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    if ((mark.Flags & kMarkFlight) != 0)
        painter.drawPixmap(right - size - 1, cell.top() + 2, Images::DayMarkIcon(Images::DayMarkFlight, large));
    if (!mark.Note.isEmpty())
        painter.drawPixmap(cell.left() + 2, bottom - size - 1, Images::DayMarkIcon(Images::DayMarkNote, large));
}

void CRenderWnd::PaintCount(QPainter& painter, const QRect& cell, PackedDate date, const QColor* colour) const
{
    const CalendarStore& store = m_context.planner.store;
    const DayList* day = store.GetDayList(date);
    if (!day)
        return;
    int shown = 0;
    int completed = 0;
    store.CountDay(*day, m_context.planner.view, shown, completed);
    if (shown == 0)
        return;
    const Settings& settings = m_context.planner.settings;
    const bool allDone = completed == shown;
    const QString text = allDone ? QString::number(shown) : u"%1/%2"_s.arg(completed).arg(shown);
    const QColor ownColour = ColorFromRef(allDone ? settings.AgendaComp() : settings.AgendaCount());
    DrawText(painter, cell.adjusted(2, 1, -2, 0), Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, text,
             m_context.fonts.AgendaCount(), colour ? *colour : ownColour);
}

void CRenderWnd::PaintSelection(QPainter& painter, const CalendarLayout& layout, bool focused) const
{
    const QRect selection = layout.SelectionRect();
    if (selection.isNull())
        return;
    const QColor colour =
        ColorFromRef(focused ? m_context.planner.settings.Highlight() : kSelectionUnfocusedColor);
    FrameRect(painter, selection, colour);
    FrameRect(painter, selection.adjusted(1, 1, -1, -1), colour);
}

void CRenderWnd::mousePressEvent(QMouseEvent* event)
{
    // The day is chosen when the button comes up.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void CRenderWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    HitTest(event->position().toPoint());
    emit RefreshRequested();
}

void CRenderWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (HitTest(event->position().toPoint()) == 0)
        emit DayNoteRequested();
}

void CRenderWnd::keyPressEvent(QKeyEvent* event)
{
    // Arrows with a modifier belong to other commands (Ctrl+Shift+Up moves a task).
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit DayNoteRequested();
        return;
    case Qt::Key_Up:
        Step(PrevWeek);
        return;
    case Qt::Key_Down:
        Step(NextWeek);
        return;
    case Qt::Key_Left:
        Step(PrevDay);
        return;
    case Qt::Key_Right:
        Step(NextDay);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CRenderWnd::Step(PackedDate (*step)(PackedDate))
{
    // The steps keep the week-selection flag: a selected week moves as a week.
    // With nothing selected the grid shows today, so the step starts there.
    PackedDate& selected = m_context.planner.view.SelectedDate;
    selected = step(StripFlags(selected) != kNoDate ? selected : Today());
    update();
    emit RefreshRequested();
}

void CRenderWnd::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CRenderWnd::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
