// The task tree and the calendar painting, when the widget library is built.
#include "BenchRegistry.h"

void RegisterWidgetBenchmarks()
{
}
