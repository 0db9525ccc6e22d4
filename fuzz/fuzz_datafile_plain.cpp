// The data file's sections read from a plain payload (what follows the
// 4-byte header of a plain file), straight from memory. A payload that loads
// is saved and loaded again: the second save must give the same bytes as the
// first (what the program writes, it reads back as it was).

#include "FuzzSupport.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "storage/DataFile.h"

#include <QFile>

namespace {

QByteArray SavedBytes(CalendarStore& store, const HolidayList& holidays)
{
    static const QString path = FuzzWorkDir() + QStringLiteral("/roundtrip.vrx");
    QString error;
    int number = -1;
    if (!SaveDataFile(store, holidays, path, true, nullptr, 0, false, error, &number))
        FuzzFail("a loaded calendar could not be saved", error);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        FuzzFail("the saved file could not be read", path);
    return file.readAll();
}

void CheckRoundTrip(CalendarStore& store, const HolidayList& holidays)
{
    const QByteArray first = SavedBytes(store, holidays);
    CalendarStore again;
    HolidayList againHolidays;
    ViewState view;
    CCryptMemFile file;
    file.SetPayload(first.mid(CCryptMemFile::kHeaderSize));
    QString error;
    if (!LoadDataPayload(file, again, againHolidays, view, error))
        FuzzFail("a saved calendar does not load", error);
    CheckStore(again, "the reloaded store breaks its rules");
    if (SavedBytes(again, againHolidays) != first)
        FuzzFail("saving the reloaded calendar gives other bytes");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    InitFuzzEnvironment(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CalendarStore store;
    HolidayList holidays;
    ViewState view;
    CCryptMemFile file;
    file.SetPayload(BytesOf(data, size));
    QString error;
    int number = -1;
    if (LoadDataPayload(file, store, holidays, view, error, &number)) {
        FUZZ_CHECK(number == 0 && !store.Modified());
        CheckStore(store, "the loaded store breaks its rules");
        CheckRoundTrip(store, holidays);
    } else {
        // Every failure of a payload is one of the reading messages, with its text.
        FUZZ_CHECK(number >= 211 && number <= 218 && !error.isEmpty());
    }
    return 0;
}
