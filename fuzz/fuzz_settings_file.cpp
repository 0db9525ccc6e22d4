// A damaged settings file: the input becomes the settings store's file, then
// the settings are loaded and the values the program goes on to use are used.

#include "FuzzSupport.h"

#include "model/DateFormat.h"
#include "model/PackedDate.h"
#include "model/ViewState.h"
#include "storage/RegistryKey.h"
#include "storage/Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

QString SettingsFilePath()
{
    // Where the store of "Software\Corvane Software\Orbelin Planner" keeps its file.
    const QSettings settings(QStringLiteral("Corvane Software"), QStringLiteral("Orbelin Planner"));
    return settings.fileName();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    InitFuzzEnvironment(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = SettingsFilePath();
    // The store reads a file again only when its size or time changed: every
    // input gets a time of its own.
    static qint64 stamp = QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    static const bool folderMade = QDir().mkpath(path.section(u'/', 0, -2));
    (void)folderMade;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            FuzzFail("the settings file could not be written", path);
        file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp, Qt::UTC), QFileDevice::FileModificationTime);
    }

    Settings settings(true);
    ViewState view;
    settings.LoadSettings(view);
    FUZZ_CHECK(!settings.SettingsChanged());
    FUZZ_CHECK(!settings.DateFormat().isEmpty());
    FUZZ_CHECK(settings.EffectiveCubeH() >= 1);
    FUZZ_CHECK(view.ViewMode >= ViewState::Month && view.ViewMode <= ViewState::NoDate);
    FUZZ_CHECK(settings.GroupScheme() >= 0 && settings.GroupScheme() <= 3);
    FUZZ_CHECK(settings.Fonts().FontHTitle >= 1 && settings.Fonts().FontHDateNum >= 1);

    // What the program does next with what it read: show dates with the
    // picture, size the day cells, size a list's columns. (The other single
    // numbers of the key are read the same way, each opening the store again:
    // one of them is enough here.)
    const PackedDate today = MakeDate(2024, 5, 17);
    (void)FormatDateShown(today);
    (void)FormatDateShown(kNoDate);
    (void)FormatDate(MakeDate(1, 1, 1), settings.DateFormat(), settings.DateIncWeek());
    (void)settings.ReadColumnWidth(QStringLiteral("ListSearch"), 0, 80);
    (void)FormatDateShown(settings.AgendaStartDate());
    (void)FormatDateShown(settings.AgendaEndDate());
    return 0;
}
