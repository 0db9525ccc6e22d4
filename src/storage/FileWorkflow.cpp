#include "storage/FileWorkflow.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/LanguageModule.h"
#include "model/LastTaskId.h"
#include "model/ViewState.h"
#include "storage/DataFile.h"
#include "storage/DesktopAssociation.h"
#include "storage/PasswordKey.h"
#include "storage/Planner.h"
#include "storage/RegistryKey.h"
#include "storage/Settings.h"
#include "storage/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// Numbered texts.
constexpr int kTextPasswordCaption = 183;
constexpr int kTextErrorCaption = 195;
constexpr int kTextSaveChanges = 219;
constexpr int kTextReplaceFile = 220;
constexpr int kTextSaveAsCaption = 221;
constexpr int kTextSaved = 222;
constexpr int kTextFileMissing = 223;
constexpr int kTextEnterPassword = 224;
constexpr int kTextNotOpened = 225;
constexpr int kTextPasswordAgain = 226;
constexpr int kTextNewFilePassword = 234;
constexpr int kTextCurrentPassword = 236;
constexpr int kTextWrongPassword = 237;
constexpr int kTextSavedCaption = 288;

const QString kProgId = u"VemrixData"_s;

QString WithSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

FileWorkflow::FileWorkflow(Planner& planner) : m_planner(planner) {}

QString FileWorkflow::ProgramFolder()
{
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString FileWorkflow::FolderPart(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString FileWorkflow::NamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

bool FileWorkflow::IsProgramFolder(const QString& folder)
{
    return !folder.isEmpty() && QDir::cleanPath(folder) == QDir::cleanPath(ProgramFolder());
}

QString FileWorkflow::DataFilePath() const
{
    const Settings& settings = m_planner.settings;
    const QString name = settings.DataName().isEmpty() ? kDefaultDataName.toString() : settings.DataName();
    const QString folder = settings.DataDir().isEmpty() ? ProgramFolder() : settings.DataDir();
    return WithSlash(folder) + name;
}

QString FileWorkflow::PickerFolder() const
{
    const QString& folder = m_planner.settings.DataDir();
    return folder.isEmpty() ? ProgramFolder() : folder;
}

QString FileWorkflow::PickerName() const
{
    const QString& name = m_planner.settings.DataName();
    return name.isEmpty() ? kDefaultDataName.toString() : name;
}

void FileWorkflow::RememberLocation(const QString& path, bool emptyForProgramFolder)
{
    const QString folder = FolderPart(path);
    m_planner.settings.SetDataDir(emptyForProgramFolder && IsProgramFolder(folder) ? QString() : folder);
    m_planner.settings.SetDataName(NamePart(path));
    m_planner.settings.SaveFileLocation();
}

void FileWorkflow::ResetDocument()
{
    StartUntitled();
    if (m_listener)
        m_listener->DocumentReset();
}

void FileWorkflow::StartUntitled()
{
    // Also after a failed load, which may have left the tables partly filled.
    m_planner.view.ResetSelection();
    m_planner.holidays.Clear();
    m_planner.store.SetFilePath(QString());
    m_planner.store.ResetToDefaults();
    m_planner.password.SetPassword(QString());
}

bool FileWorkflow::StartUp(const QString& commandLinePath)
{
    ResetDocument();
    // The desktop passes a full path; one typed in a terminal is relative to
    // the folder it was typed in, which is not where the next start-up runs.
    const QString path = commandLinePath.isEmpty() ? DataFilePath() : QFileInfo(commandLinePath).absoluteFilePath();
    const bool loaded = OpenDataFile(path, false);
    RememberLocation(path, false);
    if (m_listener)
        m_listener->DocumentLoaded();
    return loaded;
}

bool FileWorkflow::OpenDataFile(const QString& path, bool reportMissing)
{
    m_planner.password.SetPassword(QString());
    if (!IsDataFile(path, reportMissing)) {
        StartUntitled();
        return false;
    }
    m_planner.store.SetFilePath(path);
    if (LoadAskingPassword(path, m_planner.store, m_planner.holidays, m_planner.view, m_planner.password))
        return true;
    StartUntitled();
    return false;
}

bool FileWorkflow::IsDataFile(const QString& path, bool reportMissing)
{
    const QFileInfo file(path);
    if (file.exists() && !file.isDir())
        return true;
    if (reportMissing)
        m_planner.prompts.ShowMessage(GetText(kTextFileMissing), GetText(kTextErrorCaption), UserPrompts::OkOnly,
                                      UserPrompts::Error);
    return false;
}

bool FileWorkflow::LoadAskingPassword(const QString& path, CalendarStore& store, HolidayList& holidays,
                                      ViewState& view, PasswordKey& password)
{
    UserPrompts& prompts = m_planner.prompts;
    int prompt = kTextEnterPassword;
    for (;;) {
        QString error;
        int number = 0;
        bool loaded = false;
        {
            WaitCursor wait(prompts);
            loaded = LoadDataFile(store, holidays, view, path, password.KeyBytes(), password.KeyBits(), error,
                                  &number);
        }
        if (loaded)
            return true;
        // The system did not let the file be read: no password can change that.
        if (number == 0 && !error.isEmpty()) {
            ShowFileError(error);
            return false;
        }

        // Any other failure may be a password problem: a damaged file asks too.
        QString entered;
        if (!prompts.AskPassword(GetText(prompt), entered)) {
            // Why the file could not be read, then that it was not opened.
            const QString notOpened = GetText(kTextNotOpened);
            prompts.ShowMessage(error.isEmpty() ? notOpened : error + u"\n\n"_s + notOpened,
                                GetText(kTextPasswordCaption), UserPrompts::OkOnly, UserPrompts::Information);
            return false;
        }
        // A password too long for any key cannot be the right one: the load
        // with the key in force fails and asks again.
        password.SetPassword(entered);
        prompt = kTextPasswordAgain;
    }
}

bool FileWorkflow::TryOpen(const QString& path, PasswordKey& password)
{
    password.SetPassword(QString());
    if (!IsDataFile(path, true))
        return false;
    CalendarStore store;
    HolidayList holidays;
    ViewState view;
    CalendarStore& document = m_planner.store;
    const QString documentPath = document.FilePath();
    const bool documentUntitled = document.Untitled();
    // The password dialog names the file it is asked for; the loader moves
    // the task counter, which belongs to the calendar still open.
    document.SetFilePath(path);
    const quint32 lastTaskId = LastTaskId::Value();
    const bool loaded = LoadAskingPassword(path, store, holidays, view, password);
    LastTaskId::Set(lastTaskId);
    document.SetFilePath(documentPath);
    document.SetUntitled(documentUntitled);
    return loaded;
}

bool FileWorkflow::QuerySave(bool ask)
{
    CalendarStore& store = m_planner.store;
    if (!store.Modified())
        return true;
    if (!store.Untitled())
        return SaveCurrent();
    if (!ask)
        return true;
    switch (m_planner.prompts.ShowMessage(GetText(kTextSaveChanges), QString(), UserPrompts::YesNoCancel,
                                          UserPrompts::Question)) {
    case UserPrompts::Yes:
        return SaveAs();
    case UserPrompts::No:
        return true;
    default:
        return false;
    }
}

void FileWorkflow::ShowFileError(const QString& error)
{
    m_planner.prompts.ShowMessage(error, GetText(kTextErrorCaption), UserPrompts::OkOnly, UserPrompts::Error);
}

bool FileWorkflow::WriteDocument(const QString& path, bool force)
{
    QString error;
    bool saved = false;
    {
        WaitCursor wait(m_planner.prompts);
        // The program's own folder does not exist before the first save; a
        // folder that cannot be made fails the save below with its message.
        QDir().mkpath(QFileInfo(path).absolutePath());
        saved = SaveDataFile(m_planner.store, m_planner.holidays, path, force, m_planner.password.KeyBytes(),
                             m_planner.password.KeyBits(), m_planner.settings.Backup(), error);
    }
    if (!saved)
        ShowFileError(error);
    return saved;
}

bool FileWorkflow::SaveCurrent()
{
    CalendarStore& store = m_planner.store;
    if (!store.Modified())
        return true;
    if (store.Untitled())
        return SaveAs();
    return WriteDocument(store.FilePath(), false);
}

bool FileWorkflow::SaveAs()
{
    UserPrompts& prompts = m_planner.prompts;
    QString full;
    if (!prompts.PickFile(UserPrompts::FileKind::Data, true, PickerFolder(), PickerName(), full))
        return false;
    if (NamePart(full).isEmpty())
        return false;
    if (QFileInfo::exists(full)
        && prompts.ShowMessage(GetText(kTextReplaceFile), GetText(kTextSaveAsCaption), UserPrompts::YesNo,
                               UserPrompts::Warning)
               != UserPrompts::Yes)
        return false;

    CalendarStore& store = m_planner.store;
    Settings& settings = m_planner.settings;
    const QString oldPath = store.FilePath();
    const bool oldUntitled = store.Untitled();
    const QString oldDir = settings.DataDir();
    const QString oldName = settings.DataName();

    store.SetFilePath(full);
    RememberLocation(full, true);
    if (!WriteDocument(full, true)) {
        // A document and a data file location pointing at a file that was
        // never written would silently start the next session empty (and
        // save there on leaving): keep the old ones.
        store.SetFilePath(oldPath);
        store.SetUntitled(oldUntitled);
        settings.SetDataDir(oldDir);
        settings.SetDataName(oldName);
        settings.SaveFileLocation();
        return false;
    }
    prompts.ShowMessage(GetText(kTextSaved), GetText(kTextSavedCaption), UserPrompts::OkOnly,
                        UserPrompts::Information);
    return true;
}

bool FileWorkflow::AskAcceptedPassword(const QString& prompt)
{
    for (;;) {
        QString entered;
        if (!m_planner.prompts.AskPassword(prompt, entered))
            return false;
        // The key holds at most 16 characters; a longer entry is asked again
        // rather than leaving the file unprotected behind the user's back.
        if (m_planner.password.SetPassword(entered))
            return true;
    }
}

bool FileWorkflow::ChangePassword()
{
    UserPrompts& prompts = m_planner.prompts;
    PasswordKey& password = m_planner.password;
    if (!password.MatchesPassword(QString())) {
        QString current;
        if (!prompts.AskPassword(GetText(kTextCurrentPassword), current))
            return false;
        if (!password.MatchesPassword(current)) {
            prompts.ShowMessage(GetText(kTextWrongPassword), GetText(kTextPasswordCaption), UserPrompts::OkOnly,
                                UserPrompts::Information);
            return false;
        }
    }
    for (;;) {
        QString entered;
        if (!prompts.AskNewPassword(entered))
            return false;
        if (password.SetPassword(entered))
            break;
    }
    m_planner.store.SetModified(true);
    return true;
}

bool FileWorkflow::NewFile()
{
    if (!QuerySave(true))
        return false;
    ResetDocument();
    if (!AskAcceptedPassword(GetText(kTextNewFilePassword)))
        m_planner.password.SetPassword(QString());
    if (m_listener)
        m_listener->DocumentLoaded();
    return true;
}

bool FileWorkflow::OpenFile()
{
    if (!QuerySave(true))
        return false;
    QString chosen;
    if (!m_planner.prompts.PickFile(UserPrompts::FileKind::Data, false, PickerFolder(), PickerName(), chosen))
        return false;
    // The calendar in place goes only for a file that opens: a missing,
    // unreadable or damaged one, or a cancelled password, leave it as it is.
    PasswordKey key;
    if (!TryOpen(chosen, key))
        return false;
    ResetDocument();
    RememberLocation(chosen, true);
    const QString path = DataFilePath();
    bool loaded = false;
    {
        m_planner.password = key;
        m_planner.store.SetFilePath(path);
        QString error;
        WaitCursor wait(m_planner.prompts);
        loaded = LoadDataFile(m_planner.store, m_planner.holidays, m_planner.view, path, key.KeyBytes(),
                              key.KeyBits(), error);
    }
    // The file changed since it was tried: open it the usual way.
    if (!loaded)
        loaded = OpenDataFile(path, true);
    if (m_listener)
        m_listener->DocumentLoaded();
    return loaded;
}

bool FileWorkflow::Save()
{
    const bool saved = SaveCurrent();
    WaitCursor wait(m_planner.prompts);
    m_planner.settings.SaveSettings(m_planner.view);
    return saved;
}

void FileWorkflow::SaveOnExit()
{
    if (m_planner.store.Modified() && !m_planner.store.Untitled())
        SaveCurrent();
    WaitCursor wait(m_planner.prompts);
    m_planner.settings.SaveSettings(m_planner.view);
}

bool FileWorkflow::RestoreFileAssociation(const QString& exePath, const QByteArray& appIconSvg,
                                          const QByteArray& fileIconSvg)
{
    const QString exe = u'"' + exePath + u'"';
    const auto write = [](const QString& key, const QString& value) {
        RegistryKey entry(RegistryKey::HKEY_CLASSES_ROOT, key);
        return entry.Open(true) && entry.WriteText(QString(), value);
    };
    // The type and its class name come first: without them nothing else means anything.
    if (!write(u".vrx"_s, kProgId) || !write(kProgId, u"Vemrix Data File"_s))
        return false;
    bool ok = write(kProgId + u"\\DefaultIcon"_s, exe + u", 1"_s);
    ok = write(kProgId + u"\\Shell"_s, u"Open"_s) && ok;
    ok = write(kProgId + u"\\Shell\\Open\\Command"_s, exe + u" %1"_s) && ok;
    return DesktopAssociation::Install(exePath, appIconSvg, fileIconSvg) && ok;
}
