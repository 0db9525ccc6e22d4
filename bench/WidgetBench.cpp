// Painting the calendar surface (and, with the task tree, rebuilding and
// painting the tree) over the generated calendars, offscreen.
#include "BenchCalendars.h"
#include "BenchRegistry.h"

#ifdef ORBELIN_BENCH_WIDGETS

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "platform/gui/ScreenClass.h"
#include "storage/CalendarGenerator.h"
#include "storage/PasswordKey.h"
#include "storage/Planner.h"
#include "storage/Settings.h"
#include "storage/UserPrompts.h"
#include "views/CRenderWnd.h"
#include "views/DisplayFonts.h"
#include "views/ViewContext.h"

#include <QImage>
#include <QObject>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Nothing here asks the user anything; a question would be a fault.
class NoPrompts : public UserPrompts
{
public:
    Button ShowMessage(const QString&, const QString&, int, Icon) override { return Cancel; }
    bool AskPassword(const QString&, QString&) override { return false; }
    bool AskNewPassword(QString&) override { return false; }
    bool PickFile(FileKind, bool, const QString&, const QString&, QString&) override { return false; }
};

// The program's single objects around a loaded calendar, on the large layout,
// with the generated calendar's today.
struct BenchPlanner
{
    explicit BenchPlanner(int taskCount)
        : loaded(LoadCalendar(taskCount))
    {
        ScreenClass::Force(true);
        Clock::SetToday(CalendarGenerator::Today());
        fonts.Build(settings.Fonts());
        view.SelectedDate = CalendarGenerator::Today();
    }
    ~BenchPlanner()
    {
        Clock::SetToday(0);
        ScreenClass::Reset();
    }

    LoadedCalendar loaded;
    ViewState view;
    Settings settings{true};
    PasswordKey password;
    NoPrompts prompts;
    Planner planner{*loaded.Store, *loaded.Holidays, view, settings, password, prompts};
    DisplayFonts fonts;
    ViewContext context{planner, fonts};
    QObject messages; // the main view's messages go nowhere
};

// The surface of the large layout, painted whole into an image as the
// window system would ask for it.
void PaintSurface(benchmark::State& state, int viewMode)
{
    BenchPlanner bench(int(state.range(0)));
    bench.view.ViewMode = viewMode;
    if (viewMode == ViewState::Week)
        bench.view.SelectedDate = CalendarGenerator::Today() | kWeekFlag;
    CRenderWnd surface(bench.context, &bench.messages);
    surface.resize(ScreenClass::Pick(240, 480), CRenderWnd::SurfaceHeight(bench.settings, viewMode));
    QImage image(surface.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        surface.render(&image);
        benchmark::ClobberMemory();
    }
    state.counters["tasks"] = double(state.range(0));
}

void MonthPaint(benchmark::State& state)
{
    PaintSurface(state, ViewState::Month);
}

void WeekPaint(benchmark::State& state)
{
    PaintSurface(state, ViewState::Week);
}

} // namespace

void RegisterWidgetBenchmarks()
{
    Sized(benchmark::RegisterBenchmark("MonthPaint", MonthPaint))->Unit(benchmark::kMicrosecond);
    Sized(benchmark::RegisterBenchmark("WeekPaint", WeekPaint))->Unit(benchmark::kMicrosecond);
}

#else

void RegisterWidgetBenchmarks()
{
}

#endif
