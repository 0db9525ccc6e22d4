#pragma once

#include <QByteArray>
#include <QString>

class CalendarStore;
class HolidayList;
class PasswordKey;
class ViewState;
struct Planner;

// What the main view does when the document changes under it. Both calls
// are optional: the core works without a listener.
class DocumentListener
{
public:
    virtual ~DocumentListener() = default;
    // The document was emptied (start-up, New File, Open File): the task tree
    // drops its rows, whose indexes point at tasks that are gone, and the
    // title bar takes the store's category selection.
    virtual void DocumentReset() {}
    // A document is in place after start-up, New File or Open File (loaded,
    // or empty and untitled when the file could not be opened): the views
    // re-lay out the current mode, repaint and rebuild the tree.
    virtual void DocumentLoaded() {}
};

// The life of the one document: which data file is current, opening it
// (with the password prompts of a protected or damaged file), offering to
// save, Save and Save As, a new document, changing the password, and
// registering the data file type with the desktop.
//
// Paths use "/" between folders; a folder ends with "/". An empty DataDir
// stands for the program's own folder, the per-user application data folder.
class FileWorkflow
{
public:
    static constexpr QStringView kDefaultDataName = u"Orbelin.vrx";
    // What the preferences show when RestoreFileAssociation succeeded.
    static constexpr int kTextAssociationRestored = 154;

    explicit FileWorkflow(Planner& planner);

    void SetListener(DocumentListener* listener) { m_listener = listener; }

    // The folder an empty DataDir stands for, ending with "/". It may not
    // exist yet: the first save creates it.
    static QString ProgramFolder();
    // The folder of a path: everything up to and including its last "/". A
    // file in the root folder has the folder "/". A bare file name has no
    // folder part (empty, the program's folder as a DataDir).
    static QString FolderPart(const QString& path);
    // Everything after the last "/": the whole of a bare file name, empty for
    // a path that ends with "/".
    static QString NamePart(const QString& path);
    // Whether folder is the program's own folder (written with or without the
    // closing "/").
    static bool IsProgramFolder(const QString& folder);

    // DataDir (or the program's folder) joined with DataName (or
    // "Orbelin.vrx"), with a "/" between them when the folder lacks one.
    QString DataFilePath() const;

    // Start-up: empties the document, opens the file named on the command
    // line (made absolute against the working folder) or else the data file
    // location, without reporting a missing file, and stores the opened
    // path back as DataDir and DataName. True when a file was loaded.
    bool StartUp(const QString& commandLinePath);

    // Opens a data file: first with no password; when that fails for a
    // reason a password may cure (anything but a file the system does not let
    // the program read, which is reported), asks for the password until the
    // load succeeds or the user cancels. A missing file (reported when
    // reportMissing), an unreadable one or a cancel leave an empty untitled
    // document with no password. True when the file was loaded.
    bool OpenDataFile(const QString& path, bool reportMissing);

    // Before New File, Open File and Exit: true when the caller may go on.
    // A modified titled document is saved silently; a modified untitled one
    // is offered Save As (Yes/No/Cancel) when ask is set.
    bool QuerySave(bool ask);
    // Writes a modified document to its file (Save As for an untitled one).
    // True when saved or when there was nothing to save; a failure is shown
    // and leaves the document modified.
    bool SaveCurrent();
    // Asks for a file and writes the document there under the current
    // password. True when saved.
    bool SaveAs();
    // An empty untitled document with the default categories, no holidays,
    // no password, today selected.
    void ResetDocument();
    // Asks for the current password (when one is set) and a new one; true
    // when the password changed (the document is then modified, so the next
    // save writes it under the new key, or plain for an empty password).
    bool ChangePassword();

    // Commands.
    // New File: offers to save, empties the document and asks for its
    // password (empty or cancelled = none). False when the user stopped it.
    bool NewFile();
    // Open File: offers to save, asks for a data file and opens it (with the
    // password prompts). The calendar in place stays as it is unless the
    // chosen file opens. True when a file was loaded.
    bool OpenFile();
    // Save: SaveCurrent, then the settings whatever the save gave.
    bool Save();
    // Leaving the program: a modified titled document is saved silently, then
    // the settings are written.
    void SaveOnExit();

    // Registers ".vrx" as "VemrixData" with its icon and open command in the
    // classes root, then makes the association real on this desktop (see
    // DesktopAssociation). The icons are SVG images to install, if given.
    // True when everything was written.
    bool RestoreFileAssociation(const QString& exePath, const QByteArray& appIconSvg = {},
                                const QByteArray& fileIconSvg = {});

private:
    // Stores the folder and name of path as DataDir and DataName. A file the
    // user chose in the program's own folder keeps an empty DataDir; start-up
    // writes the folder it opened out.
    void RememberLocation(const QString& path, bool emptyForProgramFolder);
    // ResetDocument without telling the listener: an empty untitled document
    // without a path.
    void StartUntitled();
    // Writes the document under the wait cursor, creating the file's folder
    // when it is missing; shows the error on failure.
    bool WriteDocument(const QString& path, bool force);
    // A file that could not be written or read, with the reason.
    void ShowFileError(const QString& error);
    // Whether path is a file; a missing one is reported when asked.
    bool IsDataFile(const QString& path, bool reportMissing);
    // Loads path into the objects given, with the key in password, asking for
    // the password after a failure a password may cure until the load
    // succeeds or the user cancels (which is reported). False when not loaded.
    bool LoadAskingPassword(const QString& path, CalendarStore& store, HolidayList& holidays, ViewState& view,
                            PasswordKey& password);
    // Whether path opens, tried on scratch objects with the password prompts
    // (they name path); the document stays untouched. The key that opened
    // it goes to password.
    bool TryOpen(const QString& path, PasswordKey& password);
    // Asks for a password with the prompt until the key takes it; false when
    // cancelled.
    bool AskAcceptedPassword(const QString& prompt);
    QString PickerFolder() const;
    QString PickerName() const;

    Planner& m_planner;
    DocumentListener* m_listener = nullptr;
};
