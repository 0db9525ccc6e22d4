#include "FuzzSupport.h"

#include "StoreInvariants.h"
#include "support/TestEnvironment.h"

#include "model/CalendarStore.h"
#include "model/Clock.h"
#include "model/LanguageModule.h"
#include "model/PackedDate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

void InitFuzzEnvironment(int* argc, char*** argv)
{
    // Many small files are written per second: keep them off the disk.
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    SetUpTestEnvironment();
    // Lives for the whole run, like the fuzzer's process.
    static QCoreApplication* app = new QCoreApplication(*argc, *argv);
    (void)app;
    if (!LanguageModule::Instance().Load())
        FuzzFail("the language module did not load");
    Clock::SetToday(MakeDate(2024, 5, 17));
}

QString FuzzWorkDir()
{
    static const QString dir = [] {
        const QString path = TestRootDir() + QStringLiteral("/fuzz");
        QDir().mkpath(path);
        return path;
    }();
    return dir;
}

void FuzzFail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "FUZZ FINDING: %s\n%s\n", what, detail.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

void CheckStore(const CalendarStore& store, const char* what)
{
    const std::string problems = CheckStoreInvariants(store);
    if (!problems.empty())
        FuzzFail(what, QString::fromStdString(problems));
}
