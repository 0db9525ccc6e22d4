// Work on the loaded calendar: the search worker's scan, bringing overdue
// tasks forward and rescheduling a day.
#include "BenchCalendars.h"
#include "BenchRegistry.h"

#include "model/CalendarStore.h"
#include "model/TaskSearch.h"
#include "storage/CalendarGenerator.h"

using namespace Qt::StringLiterals;

namespace {

// Every day, undated tasks included, all categories: the widest search.
void Search(benchmark::State& state, const QString& word)
{
    const CalendarStore& store = LoadedStore(Size(state));
    SearchCriteria criteria;
    criteria.Text = word;
    criteria.IncludeNoDate = true;
    const TaskSearch search(criteria);
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        search.Scan(store, nullptr, [&matches](int) { ++matches; });
    }
    state.counters["matches"] = matches;
    state.counters["tasks"] = Size(state);
}

// A word in about 1 % of the titles.
void SearchRare(benchmark::State& state)
{
    Search(state, CalendarGenerator::RareWord().toUpper());
}

// A word in no task: the scan reads every title and note to the end.
void SearchAbsent(benchmark::State& state)
{
    Search(state, CalendarGenerator::AbsentWord());
}

void UpdateDueTasks(benchmark::State& state)
{
    int moved = 0;
    for (auto _ : state) {
        state.PauseTiming();
        LoadedCalendar loaded = LoadCalendar(Size(state));
        state.ResumeTiming();
        moved = loaded.Store->UpdateDueTasks(CalendarGenerator::Today());
        state.PauseTiming();
        loaded = LoadedCalendar();
        state.ResumeTiming();
    }
    state.counters["moved"] = moved;
}

// The busiest dated day of the calendar.
PackedDate BusiestDay(const CalendarStore& store)
{
    PackedDate busiest = kNoDate;
    int most = 0;
    for (int position = 0; position < store.DayListCount(); ++position) {
        const DayList& day = store.DayListAt(position);
        if (day.Date != kNoDate && day.TaskCount() > most) {
            most = day.TaskCount();
            busiest = day.Date;
        }
    }
    return busiest;
}

// Moves the open tasks of the busiest day to a free day and back, turn
// about, so every iteration moves the same tasks.
void RescheduleDay(benchmark::State& state)
{
    LoadedCalendar loaded = LoadCalendar(Size(state));
    CalendarStore& store = *loaded.Store;
    PackedDate from = BusiestDay(store);
    PackedDate to = AddDays(CalendarGenerator::LastDay(), 10);
    const DayList* day = store.GetDayList(from);
    if (!day || store.GetDayList(to))
        return state.SkipWithError("no busy day and free day to move between");
    for (auto _ : state) {
        if (!store.RescheduleDay(from, to, CalendarStore::kAllCategories))
            return state.SkipWithError("nothing moved");
        std::swap(from, to);
    }
    state.counters["day_tasks"] = store.GetDayList(from) ? store.GetDayList(from)->TaskCount() : 0;
}

} // namespace

void RegisterModelBenchmarks()
{
    Sized(benchmark::RegisterBenchmark("SearchRare", SearchRare));
    Sized(benchmark::RegisterBenchmark("SearchAbsent", SearchAbsent));
    // Changes to the largest calendar.
    Sized(benchmark::RegisterBenchmark("UpdateDueTasks", UpdateDueTasks), kLargestSize);
    Sized(benchmark::RegisterBenchmark("RescheduleDay", RescheduleDay), kLargestSize)->Unit(benchmark::kMicrosecond);
}
