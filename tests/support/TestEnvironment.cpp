#include "support/TestEnvironment.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <ctime>
#include <memory>

namespace {
std::unique_ptr<QTemporaryDir>& Root()
{
    static std::unique_ptr<QTemporaryDir> root;
    return root;
}
}

void SetUpTestEnvironment()
{
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
    qputenv("TZ", "UTC");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Widget tests use the large layout unless a test asks for the small one.
    qunsetenv("ORBELIN_SMALL_SCREEN");

    Root() = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/orbelin-test-XXXXXX"));
    const QString root = Root()->path();
    QDir().mkpath(root + QStringLiteral("/config"));
    QDir().mkpath(root + QStringLiteral("/data"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
    qputenv("HOME", QFile::encodeName(root));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root + QStringLiteral("/config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root + QStringLiteral("/config"));
    QStandardPaths::setTestModeEnabled(true);
}

QString TestRootDir()
{
    return Root() ? Root()->path() : QDir::tempPath();
}

QString TestDataDir()
{
    const QByteArray source = qgetenv("ORBELIN_SOURCE_DIR");
    if (!source.isEmpty())
        return QFile::decodeName(source) + QStringLiteral("/tests/data");
    return QStringLiteral(ORBELIN_TEST_DATA_DIR);
}
