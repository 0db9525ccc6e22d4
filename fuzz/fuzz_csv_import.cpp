// CSV import from memory: the tokenizer over the whole text, then the import
// of its records into a store.
//
// The first byte picks the short-date picture the dates are read with (one
// of several, or the first field of the header record, so that pictures a
// damaged setting could hold are read too) and the column map; the rest is
// the file's bytes.

#include "FuzzSupport.h"

#include "model/CalendarStore.h"
#include "storage/Csv.h"
#include "storage/CsvTokenizer.h"

#include <array>

namespace {

const std::array<QString, 7>& Pictures()
{
    static const std::array<QString, 7> pictures = {
        QStringLiteral("M/d/yyyy"),          QStringLiteral("dd.MM.yy"),   QStringLiteral("yyyy-MM-dd"),
        QStringLiteral("d MMM yyyy"),        QStringLiteral("dddd, MMMM d, yyyy"),
        QStringLiteral("yy/M/d ddd 'at' d"), QStringLiteral("d'.'M'.'yyyy"),
    };
    return pictures;
}

CsvColumns ColumnsFor(int variant)
{
    CsvColumns columns;
    switch (variant) {
    case 1: // another program's order, with columns of its own in between
        columns = {9, 4, 0, 8, 2, 7, 1};
        break;
    case 2: // fewer columns than fields named, some past the end
        columns = {3, 0, 1, 2, 5, 6, 7};
        break;
    case 3: // several fields read from one column
        columns = {2, 1, 1, 0, 1, 0, 1};
        break;
    default:
        break;
    }
    return columns;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    InitFuzzEnvironment(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int pictureChoice = data[0] & 7;
    const int columnVariant = (data[0] >> 3) & 3;
    const QString text = CsvTokenizer::DecodeText(BytesOf(data + 1, size - 1));

    // Every record ends somewhere: never more records than characters, plus the last.
    CsvTokenizer tokenizer(text);
    qsizetype records = 0;
    QString headerField;
    while (tokenizer.ReadRecord()) {
        FUZZ_CHECK(++records <= text.size() + 1);
        if (records == 1)
            headerField = tokenizer.Field(0);
        for (int field = 0; field < tokenizer.FieldCount(); ++field)
            FUZZ_CHECK(tokenizer.Field(field).size() <= 2 * text.size()); // CR put before a quoted LF
        FUZZ_CHECK(tokenizer.Field(tokenizer.FieldCount()).isEmpty());
    }
    FUZZ_CHECK(!tokenizer.ReadRecord());

    const QString picture = size_t(pictureChoice) < Pictures().size() ? Pictures()[size_t(pictureChoice)]
                                                                      : headerField;
    CalendarStore store;
    store.ResetToDefaults();
    const int tasksBefore = store.TaskCount();
    const CsvImportResult result = ImportCsvText(ColumnsFor(columnVariant), text, store, picture);
    if (result.ErrorText != 0) {
        FUZZ_CHECK(result.Count == 0 && store.TaskCount() == tasksBefore);
        FUZZ_CHECK(result.ErrorText >= 270 && result.ErrorText <= 272);
    } else {
        FUZZ_CHECK(result.Count == store.TaskCount() - tasksBefore);
        FUZZ_CHECK(result.Count <= records);
    }
    CheckStore(store, "the store breaks its rules after an import");
    return 0;
}
