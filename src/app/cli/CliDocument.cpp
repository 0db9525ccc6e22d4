#include "app/cli/CliDocument.h"

#include "app/cli/CliCommands.h"
#include "app/cli/TerminalPrompts.h"
#include "model/LanguageModule.h"
#include "storage/DataFile.h"
#include "storage/FileWorkflow.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMsgReadFile = 206;
constexpr int kMsgWrongPassword = 207;
constexpr int kTextEnterPassword = 224;
constexpr int kTextPasswordAgain = 226;
// Wrong entries at the terminal before the tool gives up.
constexpr int kPasswordTries = 3;

} // namespace

void ReportFileError(QTextStream& err, const QString& path, const QString& error, int messageNumber)
{
    if (messageNumber != 0)
        err << u"error "_s << messageNumber << u": "_s << error << u'\n';
    else
        err << u"error file: "_s << path << u": "_s << error << u'\n';
    err.flush();
}

CliDocument::CliDocument(const CliEnvironment& environment, QTextStream& err)
    : m_environment(environment), m_err(err), m_settings(true)
{
    m_settings.LoadSettings(m_view);
}

QString CliDocument::DefaultPath()
{
    TerminalPrompts nobody(false);
    Planner planner{m_store, m_holidays, m_view, m_settings, m_password, nobody};
    return FileWorkflow(planner).DataFilePath();
}

void CliDocument::SetPath(const QString& fileOption)
{
    m_path = fileOption.isEmpty() ? DefaultPath() : fileOption;
}

bool CliDocument::Load(WhenMissing whenMissing)
{
    m_password.SetPassword(QString());
    const QFileInfo file(m_path);
    if (whenMissing == WhenMissing::StartNew && !file.exists()) {
        m_store.ResetToDefaults();
        m_store.SetFilePath(m_path);
        m_new = true;
        return true;
    }
    QString error;
    int messageNumber = 0;
    if (TryLoad(error, messageNumber))
        return true;
    if (messageNumber == kMsgWrongPassword && LoadWithPassword(error, messageNumber))
        return true;
    // A file too short to hold even the header fails without a text: it is
    // cut short, which is what message 206 says.
    if (messageNumber == 0 && error.isEmpty()) {
        messageNumber = kMsgReadFile;
        error = GetText(kMsgReadFile);
    }
    ReportFileError(m_err, m_path, error, messageNumber);
    return false;
}

bool CliDocument::TryLoad(QString& error, int& messageNumber)
{
    m_store.SetFilePath(m_path);
    return LoadDataFile(m_store, m_holidays, m_view, m_path, m_password.KeyBytes(), m_password.KeyBits(), error,
                        &messageNumber);
}

bool CliDocument::LoadWithPassword(QString& error, int& messageNumber)
{
    // A password the key cannot take (more than 16 characters) cannot be
    // the file's: the first failure stands.
    if (m_environment.password)
        return m_password.SetPassword(*m_environment.password) && TryLoad(error, messageNumber);
    if (!m_environment.prompts)
        return false;
    for (int attempt = 0; attempt < kPasswordTries; ++attempt) {
        QString entry;
        if (!m_environment.prompts->AskPassword(GetText(attempt == 0 ? kTextEnterPassword : kTextPasswordAgain),
                                                entry))
            break;
        if (m_password.SetPassword(entry) && TryLoad(error, messageNumber))
            return true;
        // Only a wrong password is worth another try.
        if (messageNumber != kMsgWrongPassword)
            break;
    }
    m_password.SetPassword(QString());
    return false;
}

bool CliDocument::SaveChanges()
{
    if (!m_store.Modified())
        return true;
    if (!SaveTo(m_path, m_password))
        return false;
    if (m_new) {
        m_err << u"note: created the data file "_s << m_path << u'\n';
        m_err.flush();
        m_new = false;
    }
    return true;
}

bool CliDocument::SaveTo(const QString& path, const PasswordKey& key)
{
    return WriteDataFile(m_store, m_holidays, path, key, m_settings.Backup(), m_err);
}

bool WriteDataFile(CalendarStore& store, const HolidayList& holidays, const QString& path, const PasswordKey& key,
                   bool backup, QTextStream& err)
{
    // Like the program's first save, which creates the data folder.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    int messageNumber = 0;
    if (SaveDataFile(store, holidays, path, true, key.KeyBytes(), key.KeyBits(), backup, error, &messageNumber))
        return true;
    ReportFileError(err, path, error, messageNumber);
    return false;
}
