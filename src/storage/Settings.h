#pragma once

#include "model/PackedDate.h"
#include "storage/FontSettings.h"

#include <QString>
#include <QStringView>

class ViewState;

// Every stored preference of the program, the data file's location and the
// list date range, held in memory and kept in the user's settings store
// (RegistryKey, HKEY_CURRENT_USER) under four keys:
//   Software\Corvane Software\Orbelin Planner\Settings         (group "Settings")
//   Software\Corvane Software\Orbelin Planner\Settings\Font    (group "Settings/Font")
//   Software\Corvane Software\Orbelin Planner\Settings\Color   (group "Settings/Color")
//   Software\Corvane Software\Orbelin Planner\Filter           (group "Filter")
// The other Filter values (priority switches, Hide Complete flags, view mode)
// live in the ViewState and pass through LoadSettings and SaveSettings.
//
// Every value has a getter named after its stored value (GroupScheme()) and a
// setter (SetGroupScheme()) that marks the settings changed only when the
// value differs and says whether it did. The font group is one value,
// Fonts() / SetFonts(). Colours are 0x00BBGGRR.
//
// A new object holds the start values for the screen class it is given (the
// large layout: both screen dimensions at least 320 pixels).
class Settings
{
public:
    static constexpr QStringView kSettingsKey = u"Software\\Corvane Software\\Orbelin Planner\\Settings";
    static constexpr QStringView kFontKey = u"Software\\Corvane Software\\Orbelin Planner\\Settings\\Font";
    static constexpr QStringView kColorKey = u"Software\\Corvane Software\\Orbelin Planner\\Settings\\Color";
    static constexpr QStringView kFilterKey = u"Software\\Corvane Software\\Orbelin Planner\\Filter";

    explicit Settings(bool largeScreen);

    bool LargeScreen() const { return m_largeScreen; }

    // Reads the Filter key (into view and the list date range), then the
    // Settings, Font and Color keys. A missing value takes its missing-value
    // default; a missing key leaves its values as they are (the Filter key
    // sets the view's filter to show everything in the Month view). Then a
    // CubeH of 0 becomes FontHAgendaCount + FontHDateNum - 4, an empty
    // DateFormat becomes the locale's short-date picture, the shown date
    // format follows, and the settings-changed flag is cleared.
    void LoadSettings(ViewState& view);
    // Writes the Filter key; when the settings changed, also the Settings key
    // (all but DataDir, DataName and Backup), the Font and the Color key, and
    // clears the flag. False when a key cannot be opened or a value cannot be
    // written; the flag then stays set, so the next save tries again.
    bool SaveSettings(const ViewState& view);
    // Writes DataDir, DataName and Backup. A folder or name too long to store
    // leaves both stored as they were (so the pair never points at a file that
    // was not chosen) and gives false.
    bool SaveFileLocation();

    bool SettingsChanged() const { return m_changed; }
    void MarkSettingsChanged() { m_changed = true; }

    // Settings key.
    const QString& DataDir() const { return m_DataDir; }
    bool SetDataDir(const QString& value) { return Change(m_DataDir, value); }
    const QString& DataName() const { return m_DataName; }
    bool SetDataName(const QString& value) { return Change(m_DataName, value); }
    bool Backup() const { return m_Backup; }
    bool SetBackup(bool value) { return Change(m_Backup, value); }
    bool AutoSIPUp() const { return m_AutoSIPUp; }
    bool SetAutoSIPUp(bool value) { return Change(m_AutoSIPUp, value); }
    int GroupScheme() const { return m_GroupScheme; }
    bool SetGroupScheme(int value) { return Change(m_GroupScheme, value); }
    bool SortComp() const { return m_SortComp; }
    bool SetSortComp(bool value) { return Change(m_SortComp, value); }
    bool ShowCheckBox() const { return m_ShowCheckBox; }
    bool SetShowCheckBox(bool value) { return Change(m_ShowCheckBox, value); }
    bool ShowIcon() const { return m_ShowIcon; }
    bool SetShowIcon(bool value) { return Change(m_ShowIcon, value); }
    bool WordWrap() const { return m_WordWrap; }
    bool SetWordWrap(bool value) { return Change(m_WordWrap, value); }
    int TabSize() const { return m_TabSize; }
    bool SetTabSize(int value) { return Change(m_TabSize, value); }
    int ColTitleWidth() const { return m_ColTitleWidth; }
    bool SetColTitleWidth(int value) { return Change(m_ColTitleWidth, value); }
    int ColCategoryWidth() const { return m_ColCategoryWidth; }
    bool SetColCategoryWidth(int value) { return Change(m_ColCategoryWidth, value); }
    int ColDateWidth() const { return m_ColDateWidth; }
    bool SetColDateWidth(int value) { return Change(m_ColDateWidth, value); }
    bool ColAutoFit() const { return m_ColAutoFit; }
    bool SetColAutoFit(bool value) { return Change(m_ColAutoFit, value); }
    int CateTreeColWName() const { return m_CateTreeColWName; }
    bool SetCateTreeColWName(int value) { return Change(m_CateTreeColWName, value); }
    int CateTreeColWColor() const { return m_CateTreeColWColor; }
    bool SetCateTreeColWColor(int value) { return Change(m_CateTreeColWColor, value); }
    // The stored figure; the preferences may set 0. Views use EffectiveCubeH.
    int CubeH() const { return m_CubeH; }
    bool SetCubeH(int value) { return Change(m_CubeH, value); }
    int TreeLineSpace() const { return m_TreeLineSpace; }
    bool SetTreeLineSpace(int value) { return Change(m_TreeLineSpace, value); }
    bool AgendaNoDate() const { return m_AgendaNoDate; }
    bool SetAgendaNoDate(bool value) { return Change(m_AgendaNoDate, value); }
    int StartWeekDay() const { return m_StartWeekDay; }
    bool SetStartWeekDay(int value) { return Change(m_StartWeekDay, value); }
    // These two also set the picture and option every shown date uses.
    const QString& DateFormat() const { return m_DateFormat; }
    bool SetDateFormat(const QString& value);
    bool DateIncWeek() const { return m_DateIncWeek; }
    bool SetDateIncWeek(bool value);
    // The folder of the shared task list (one .ics file per task).
    const QString& DeviceTaskDir() const { return m_DeviceTaskDir; }
    bool SetDeviceTaskDir(const QString& value) { return Change(m_DeviceTaskDir, value); }
    // Files are picked in the desktop's own file dialog instead of the
    // program's (for users who prefer it).
    bool NativeFileDialog() const { return m_NativeFileDialog; }
    bool SetNativeFileDialog(bool value) { return Change(m_NativeFileDialog, value); }

    // The day-cell height of the calendar views: CubeH, or for 0 (and below)
    // FontHAgendaCount + FontHDateNum - 4, never below 1.
    int EffectiveCubeH() const;
    static int EffectiveCubeH(int cubeH, const FontSettings& fonts);

    // Font key.
    const FontSettings& Fonts() const { return m_fonts; }
    bool SetFonts(const FontSettings& value) { return Change(m_fonts, value); }

    // Color key.
    bool ColorComp() const { return m_ColorComp; }
    bool SetColorComp(bool value) { return Change(m_ColorComp, value); }
    quint32 DateNum() const { return m_DateNum; }
    bool SetDateNum(quint32 value) { return Change(m_DateNum, value); }
    quint32 AgendaCount() const { return m_AgendaCount; }
    bool SetAgendaCount(quint32 value) { return Change(m_AgendaCount, value); }
    quint32 AgendaComp() const { return m_AgendaComp; }
    bool SetAgendaComp(quint32 value) { return Change(m_AgendaComp, value); }
    quint32 Highlight() const { return m_Highlight; }
    bool SetHighlight(quint32 value) { return Change(m_Highlight, value); }
    quint32 Cursor() const { return m_Cursor; }
    bool SetCursor(quint32 value) { return Change(m_Cursor, value); }
    quint32 Current() const { return m_Current; }
    bool SetCurrent(quint32 value) { return Change(m_Current, value); }
    quint32 VacNum() const { return m_VacNum; }
    bool SetVacNum(quint32 value) { return Change(m_VacNum, value); }
    quint32 Mark() const { return m_Mark; }
    bool SetMark(quint32 value) { return Change(m_Mark, value); }
    quint32 Bk() const { return m_Bk; }
    bool SetBk(quint32 value) { return Change(m_Bk, value); }
    quint32 WeekendBk() const { return m_WeekendBk; }
    bool SetWeekendBk(quint32 value) { return Change(m_WeekendBk, value); }
    quint32 VacationBk() const { return m_VacationBk; }
    bool SetVacationBk(quint32 value) { return Change(m_VacationBk, value); }
    quint32 InvalidBk() const { return m_InvalidBk; }
    bool SetInvalidBk(quint32 value) { return Change(m_InvalidBk, value); }
    quint32 InactiveDateNum() const { return m_InactiveDateNum; }
    bool SetInactiveDateNum(quint32 value) { return Change(m_InactiveDateNum, value); }

    // Filter key: the list date range (0 = open at that end).
    PackedDate AgendaStartDate() const { return m_AgendaStartDate; }
    bool SetAgendaStartDate(PackedDate value) { return Change(m_AgendaStartDate, value); }
    PackedDate AgendaEndDate() const { return m_AgendaEndDate; }
    bool SetAgendaEndDate(PackedDate value) { return Change(m_AgendaEndDate, value); }

    // Values of the Settings key that their controls read and write
    // themselves, straight from and to the store (not part of LoadSettings
    // or SaveSettings, and not marking the settings changed).
    int ReadListViewStyle() const;            // default 1
    bool WriteListViewStyle(int style) const;
    int ReadFileTypeFilter() const;           // default 0
    bool WriteFileTypeFilter(int type) const;
    // Column widths of a list, stored as list name + "Col" + column index
    // (ListSearchCol0); a missing or unusable width gives defaultWidth.
    int ReadColumnWidth(const QString& listName, int column, int defaultWidth) const;
    bool WriteColumnWidth(const QString& listName, int column, int width) const;

    // <user data folder>/orbelin/tasks
    static QString DefaultDeviceTaskDir();

private:
    template <class T>
    bool Change(T& field, const T& value)
    {
        if (field == value)
            return false;
        field = value;
        m_changed = true;
        return true;
    }

    // One list per key gives each value's name, order and missing-value
    // default once, for reading and for writing.
    template <class Visit>
    void VisitFileLocation(Visit& visit);
    template <class Visit>
    void VisitSettingsKey(Visit& visit);
    template <class Visit>
    void VisitFontKey(Visit& visit);
    template <class Visit>
    void VisitColorKey(Visit& visit);
    template <class Visit>
    void VisitFilterKey(ViewState& view, Visit& visit);

    void ApplyShownDateFormat() const;

    bool m_largeScreen;
    bool m_changed = false;

    QString m_DataDir;
    QString m_DataName = QStringLiteral("Orbelin.vrx");
    bool m_Backup = true;
    bool m_AutoSIPUp = false;
    int m_GroupScheme = 3;
    bool m_SortComp = false;
    bool m_ShowCheckBox = true;
    bool m_ShowIcon = true;
    bool m_WordWrap = true;
    int m_TabSize = 4;
    int m_ColTitleWidth = 0;
    int m_ColCategoryWidth = 0;
    int m_ColDateWidth = 0;
    bool m_ColAutoFit = false;
    int m_CateTreeColWName = 0;
    int m_CateTreeColWColor = 0;
    int m_CubeH = 0;
    int m_TreeLineSpace;
    bool m_AgendaNoDate = false;
    int m_StartWeekDay = kWeekStartsSunday;
    QString m_DateFormat;
    bool m_DateIncWeek = true;
    QString m_DeviceTaskDir;
    bool m_NativeFileDialog = false;

    FontSettings m_fonts;

    bool m_ColorComp = false;
    quint32 m_DateNum = 0x000000;
    quint32 m_AgendaCount = 0x000000;
    quint32 m_AgendaComp = 0xC0C0C0;
    quint32 m_Highlight = 0xFF8080;
    quint32 m_Cursor = 0xFFB0B0;
    quint32 m_Current = 0x00FFFF;
    quint32 m_VacNum = 0x0000E0;
    quint32 m_Mark = 0x0000E0;
    quint32 m_Bk = 0xFFFFFF;
    quint32 m_WeekendBk = 0xDDFFFF;
    quint32 m_VacationBk = 0xD0FFFF;
    quint32 m_InvalidBk = 0xE0E0E0;
    quint32 m_InactiveDateNum = 0xBCBCBC;

    PackedDate m_AgendaStartDate = kNoDate;
    PackedDate m_AgendaEndDate = kNoDate;
};
