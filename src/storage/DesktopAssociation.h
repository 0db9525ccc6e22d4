#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Makes the desktop open data files (*.vrx) with the program, the way
// freedesktop.org desktops read it, all inside the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share), never anywhere else:
//   mime/packages/orbelin-planner.xml   the MIME type and its "*.vrx" pattern
//   applications/orbelin.desktop        the program, opening that type
//   icons/hicolor/scalable/apps/orbelin.svg and
//   icons/hicolor/scalable/mimetypes/application-x-vemrix-data.svg,
//                                        when the icon images are given
// then refreshes the MIME and desktop databases with update-mime-database
// and update-desktop-database when they are installed (a missing tool is not
// an error: desktops also read the files themselves).
class DesktopAssociation
{
public:
    static constexpr QStringView kMimeType = u"application/x-vemrix-data";
    static constexpr QStringView kMimeIconName = u"application-x-vemrix-data";
    static constexpr QStringView kAppIconName = u"orbelin";
    static constexpr QStringView kDesktopFileName = u"orbelin.desktop";
    static constexpr QStringView kMimePackageName = u"orbelin-planner.xml";

    // The user's data folder, without a closing "/".
    static QString DataHome();

    // Writes every file and runs the refresh tools; false when a file could
    // not be written or a present tool failed.
    static bool Install(const QString& exePath, const QByteArray& appIconSvg, const QByteArray& fileIconSvg);

    // The shared-mime-info package describing the data file type.
    static QByteArray MimePackage();
    // The desktop entry starting exePath with the file to open.
    static QByteArray DesktopEntry(const QString& exePath);
    // exePath as the program argument of a desktop entry's Exec key: always
    // quoted, with the quoting, field-code and string escapes applied.
    static QString ExecProgram(const QString& exePath);
};
