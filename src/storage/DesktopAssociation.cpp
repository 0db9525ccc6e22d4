#include "storage/DesktopAssociation.h"

#include "storage/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// The database tools are quick on a user folder; one that hangs must not
// hang the preferences with it.
constexpr int kToolTimeoutMs = 30000;

bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return CommitSaveFile(file);
}

// Runs tool on folder when it is installed; true when it is not installed or
// it finished well.
bool RunIfPresent(const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return true;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, {folder});
    if (!process.waitForStarted(kToolTimeoutMs))
        return false;
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

QString DesktopAssociation::DataHome()
{
    // A relative XDG_DATA_HOME does not count; the home default applies then.
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::homePath() + u"/.local/share"_s;
}

QByteArray DesktopAssociation::MimePackage()
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>Vemrix Data File</comment>\n"
                          "    <icon name=\"%2\"/>\n"
                          "    <glob pattern=\"*.vrx\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(kMimeType, kMimeIconName)
        .toUtf8();
}

QString DesktopAssociation::ExecProgram(const QString& exePath)
{
    // Inside a quoted argument ", `, $ and \ take a backslash; % starts a
    // field code, so a literal one is doubled. The value as a whole is then a
    // string, whose own escapes double every backslash (so a literal "\" in
    // the path ends up as four) and spell out line breaks and tabs.
    QString quoted;
    quoted.reserve(exePath.size() + 8);
    for (const QChar c : exePath) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted = u'"' + quoted + u'"';

    QString value;
    value.reserve(quoted.size() + 8);
    for (const QChar c : quoted) {
        switch (c.unicode()) {
        case u'\\':
            value += u"\\\\"_s;
            break;
        case u'\n':
            value += u"\\n"_s;
            break;
        case u'\t':
            value += u"\\t"_s;
            break;
        case u'\r':
            value += u"\\r"_s;
            break;
        default:
            value += c;
        }
    }
    return value;
}

QByteArray DesktopAssociation::DesktopEntry(const QString& exePath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=Orbelin Planner\n"
                          "Exec=%1 %f\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "MimeType=%3;\n"
                          "Categories=Office;Calendar;\n")
        .arg(ExecProgram(exePath), kAppIconName, kMimeType)
        .toUtf8();
}

bool DesktopAssociation::Install(const QString& exePath, const QByteArray& appIconSvg,
                                 const QByteArray& fileIconSvg)
{
    const QString home = DataHome();
    const QString mimeFolder = home + u"/mime"_s;
    const QString applications = home + u"/applications"_s;
    const QString icons = home + u"/icons/hicolor/scalable/"_s;

    bool ok = WriteWholeFile(mimeFolder + u"/packages/"_s + kMimePackageName.toString(), MimePackage());
    ok = WriteWholeFile(applications + u'/' + kDesktopFileName.toString(), DesktopEntry(exePath)) && ok;
    if (!appIconSvg.isEmpty())
        ok = WriteWholeFile(icons + u"apps/"_s + kAppIconName.toString() + u".svg"_s, appIconSvg) && ok;
    if (!fileIconSvg.isEmpty())
        ok = WriteWholeFile(icons + u"mimetypes/"_s + kMimeIconName.toString() + u".svg"_s, fileIconSvg) && ok;
    if (!ok)
        return false;

    const bool mimeUpdated = RunIfPresent(u"update-mime-database"_s, mimeFolder);
    const bool desktopUpdated = RunIfPresent(u"update-desktop-database"_s, applications);
    return mimeUpdated && desktopUpdated;
}
