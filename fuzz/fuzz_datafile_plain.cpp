// The data file's sections read from a plain payload (what follows the
// 4-byte header of a plain file), straight from memory.

#include "FuzzSupport.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "storage/DataFile.h"

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
    } else {
        // Every failure of a payload is one of the reading messages, with its text.
        FUZZ_CHECK(number >= 211 && number <= 218 && !error.isEmpty());
    }
    return 0;
}
