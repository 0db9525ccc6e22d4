// Import of the shared task list: the input is the one .ics file of an
// iCalendar task folder, read through the folder provider into a store.

#include "FuzzSupport.h"

#include "model/CalendarStore.h"
#include "storage/DeviceTasks.h"

#include <QDir>
#include <QFile>

#include <cstring>

#include <dirent.h>

namespace {

int CountFolderEntries(const QString& folder)
{
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        FuzzFail("the task folder could not be listed", folder);
    int count = 0;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            ++count;
    }
    closedir(dir);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    InitFuzzEnvironment(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString folder = FuzzWorkDir() + QStringLiteral("/tasks");
    static const QString path = folder + QStringLiteral("/task.ics");
    static const bool folderMade = QDir().mkpath(folder);
    (void)folderMade;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            FuzzFail("the task file could not be written", path);
    }

    CalendarStore store;
    store.ResetToDefaults();
    const int tasksBefore = store.TaskCount();
    const int imported = ImportDeviceTasks(store, folder);
    // One file holds at most one task of the list.
    FUZZ_CHECK(imported >= 0 && imported <= 1);
    FUZZ_CHECK(store.TaskCount() == tasksBefore + imported);
    CheckStore(store, "the store breaks its rules after an import");
    // The import never writes to the list (counted with readdir: a QDir
    // listing took a tenth of each run).
    FUZZ_CHECK(CountFolderEntries(folder) == 1);
    return 0;
}
