// Painting the calendar surface, and rebuilding and painting the task tree,
// over the generated calendars, offscreen.
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
#include "lists/CTodoTreeCtrl.h"
#include "lists/CTodoTreeWnd.h"
#include "lists/TaskTreeModel.h"
#include "views/CRenderWnd.h"
#include "platform/gui/DisplayFonts.h"
#include "platform/gui/ViewContext.h"

#include <QCoreApplication>
#include <QImage>
#include <QObject>

#include <memory>
#include <string>

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
        // Completed tasks are listed too: every task of the calendar is a row.
        view.HideCompAgenda = false;
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
};

// The surface of the large layout, painted whole into an image as the
// window system would ask for it.
void PaintSurface(benchmark::State& state, int viewMode)
{
    BenchPlanner bench(Size(state));
    bench.view.ViewMode = viewMode;
    if (viewMode == ViewState::Week)
        bench.view.SelectedDate = CalendarGenerator::Today() | kWeekFlag;
    CRenderWnd surface(bench.context);
    surface.resize(ScreenClass::Pick(240, 480), CRenderWnd::SurfaceHeight(bench.settings, viewMode));
    QImage image(surface.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        surface.render(&image);
        benchmark::ClobberMemory();
    }
    state.counters["tasks"] = Size(state);
}

void MonthPaint(benchmark::State& state)
{
    PaintSurface(state, ViewState::Month);
}

void WeekPaint(benchmark::State& state)
{
    PaintSurface(state, ViewState::Week);
}

// What the task tree shows: the List view over all dates (undated tasks
// included), or the week of today selected in the Month view.
enum class TreeRange { AllDates, Week };

// The task tree window at the size of the large layout's main view, shown.
struct BenchTree
{
    BenchTree(int taskCount, TreeRange range, int groupScheme)
        : bench(taskCount)
    {
        bench.settings.SetGroupScheme(groupScheme);
        if (range == TreeRange::AllDates) {
            bench.settings.SetAgendaStartDate(kNoDate);
            bench.settings.SetAgendaEndDate(kNoDate);
            bench.settings.SetAgendaNoDate(true);
            bench.view.SetViewMode(ViewState::List);
        } else {
            bench.view.SetViewMode(ViewState::Month);
            bench.view.SelectedDate = CalendarGenerator::Today() | kWeekFlag;
        }
        tree.resize(480, 400);
        tree.SetupColumns(tree.width(), false);
        tree.show();
        QCoreApplication::processEvents();
    }

    BenchPlanner bench;
    CTodoTreeWnd tree{bench.context};
};

// Rows of the tree below node, group rows included.
int CountRows(const TaskTreeModel& model, int node)
{
    int total = model.RowCount(node);
    for (int row = model.RowCount(node) - 1; row >= 0; --row)
        total += CountRows(model, model.ChildAt(node, row));
    return total;
}

void TreeCounters(benchmark::State& state, const BenchTree& bench)
{
    state.counters["tasks"] = Size(state);
    state.counters["rows"] = CountRows(bench.tree.TodoTree()->Model(), TaskTreeModel::kRootNode);
}

void TreeRebuild(benchmark::State& state, TreeRange range, int groupScheme)
{
    BenchTree bench(Size(state), range, groupScheme);
    for (auto _ : state)
        bench.tree.Rebuild(false);
    TreeCounters(state, bench);
}

// The paint right after a rebuild: the tree lays out its rows then.
void TreeFirstPaint(benchmark::State& state, TreeRange range, int groupScheme)
{
    BenchTree bench(Size(state), range, groupScheme);
    QImage image(bench.tree.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        QCoreApplication::processEvents();
        bench.tree.Rebuild(false);
        state.ResumeTiming();
        bench.tree.render(&image);
        benchmark::ClobberMemory();
    }
    TreeCounters(state, bench);
}

void RegisterTree(const char* what, void (*run)(benchmark::State&, TreeRange, int))
{
    for (const TreeRange range : {TreeRange::AllDates, TreeRange::Week}) {
        for (int scheme = 0; scheme <= 3; ++scheme) {
            const std::string name = std::string(what) + (range == TreeRange::AllDates ? "List" : "Week") + "Scheme"
                                     + std::to_string(scheme);
            // Sixteen of them: five repetitions are enough.
            Sized(benchmark::RegisterBenchmark(name.c_str(), run, range, scheme))->Repetitions(5);
        }
    }
}

} // namespace

void RegisterWidgetBenchmarks()
{
    Sized(benchmark::RegisterBenchmark("MonthPaint", MonthPaint))->Unit(benchmark::kMicrosecond);
    Sized(benchmark::RegisterBenchmark("WeekPaint", WeekPaint))->Unit(benchmark::kMicrosecond);
    RegisterTree("TreeRebuild", TreeRebuild);
    RegisterTree("TreeFirstPaint", TreeFirstPaint);
}

#else

void RegisterWidgetBenchmarks()
{
}

#endif
