#pragma once

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "storage/PasswordKey.h"
#include "storage/Planner.h"
#include "storage/Settings.h"

#include <QString>

class QTextStream;
struct CliEnvironment;
class UserPrompts;

// The calendar one command of the tool works on: the data file's path, its
// content, the password it was loaded with, and the settings (read once,
// never written back, so the tool never moves the desktop program's file).
// Failures are reported on err, in the forms
//   error NNN: TEXT        a numbered message (a load or save step)
//   error file: PATH: TEXT the file could not be opened (the system's text)
class CliDocument
{
public:
    // What Load does when no file exists at the path.
    enum class WhenMissing { Fail, StartNew };

    CliDocument(const CliEnvironment& environment, QTextStream& err);
    CliDocument(const CliDocument&) = delete;
    CliDocument& operator=(const CliDocument&) = delete;

    // The data file: the given path, or for an empty one the file the
    // settings point to (the desktop program's data file).
    void SetPath(const QString& fileOption);
    const QString& Path() const { return m_path; }
    // The file the settings point to.
    QString DefaultPath();

    // Loads the data file, first without a password as the program does; a
    // file that wants one is tried with ORBELIN_PASSWORD, or else with what
    // the terminal prompt gives (three tries). With StartNew a missing file
    // gives a new calendar with the default categories and no password.
    // False after reporting the failure.
    bool Load(WhenMissing whenMissing);
    // Whether Load started a new calendar.
    bool IsNew() const { return m_new; }

    // Writes a changed calendar back under the password it was loaded with,
    // taking the backup copy when the Backup setting is on. A new calendar's
    // file (and folder) is created and a note says so. False after reporting
    // the failure; true when saved or unchanged.
    bool SaveChanges();
    // Writes the calendar to path whether changed or not, under key.
    bool SaveTo(const QString& path, const PasswordKey& key);

    CalendarStore& Store() { return m_store; }
    const HolidayList& Holidays() const { return m_holidays; }
    const Settings& GetSettings() const { return m_settings; }
    const PasswordKey& Password() const { return m_password; }

private:
    bool TryLoad(QString& error, int& messageNumber);
    // After an attempt that failed for want of the right password: the
    // environment's password, or the terminal's answers.
    bool LoadWithPassword(QString& error, int& messageNumber);

    const CliEnvironment& m_environment;
    QTextStream& m_err;
    CalendarStore m_store;
    HolidayList m_holidays;
    ViewState m_view;
    Settings m_settings;
    PasswordKey m_password;
    QString m_path;
    bool m_new = false;
};

// Writes store and holidays to path (creating its folder) under key,
// replacing the file; with backup on, the old file is first copied to
// path + "BAK" (once per document). False after reporting the failure on err.
bool WriteDataFile(CalendarStore& store, const HolidayList& holidays, const QString& path, const PasswordKey& key,
                   bool backup, QTextStream& err);

// Prints a failure of the data file layer: "error NNN: TEXT" for a message
// number, else "error file: PATH: TEXT".
void ReportFileError(QTextStream& err, const QString& path, const QString& error, int messageNumber);
