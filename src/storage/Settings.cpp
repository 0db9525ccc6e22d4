#include "storage/Settings.h"

#include "model/DateFormat.h"
#include "model/ViewState.h"
#include "storage/RegistryKey.h"

#include <QStandardPaths>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int kNoLimit = std::numeric_limits<int>::max();

// Reads each value the key lists into its field. Numbers that cannot be used
// (outside the range the program works with) count as unreadable and take
// the missing-value default like a missing one.
class ValueReader
{
public:
    explicit ValueReader(RegistryKey& key) : m_key(key) {}

    void operator()(const QString& name, bool& field, bool missing)
    {
        field = m_key.ReadNumber(name, missing ? 1u : 0u) != 0;
    }
    void operator()(const QString& name, int& field, int missing, int min = 0, int max = kNoLimit)
    {
        const int value = int(m_key.ReadNumber(name, quint32(missing)));
        field = (value >= min && value <= max) ? value : missing;
    }
    void operator()(const QString& name, quint32& field, quint32 missing)
    {
        field = m_key.ReadNumber(name, missing);
    }
    void operator()(const QString& name, QString& field, const QString& missing)
    {
        field = m_key.ReadText(name, missing);
    }

private:
    RegistryKey& m_key;
};

// Writes each value the key lists; remembers whether every write went through.
class ValueWriter
{
public:
    explicit ValueWriter(RegistryKey& key) : m_key(key) {}

    void operator()(const QString& name, bool field, bool) { Note(m_key.WriteNumber(name, field ? 1u : 0u)); }
    void operator()(const QString& name, int field, int, int = 0, int = kNoLimit)
    {
        Note(m_key.WriteNumber(name, quint32(field)));
    }
    void operator()(const QString& name, quint32 field, quint32) { Note(m_key.WriteNumber(name, field)); }
    void operator()(const QString& name, const QString& field, const QString&) { Note(m_key.WriteText(name, field)); }

    bool AllWritten() const { return m_ok; }

private:
    void Note(bool written) { m_ok = m_ok && written; }

    RegistryKey& m_key;
    bool m_ok = true;
};

// Opens (creating) a key of the user's store and writes what visit lists, in
// one flush. False when the key cannot be opened or a value not written.
template <class Fill>
bool WriteKey(QStringView path, Fill&& fill)
{
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, path.toString());
    if (!key.Open(true))
        return false;
    key.SetNoFlush(true);
    ValueWriter writer(key);
    fill(writer);
    const bool flushed = key.Flush();
    return writer.AllWritten() && flushed;
}

// Reads what visit lists when the key exists; false (nothing read) otherwise.
template <class Fill>
bool ReadKey(QStringView path, Fill&& fill)
{
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, path.toString(), RegistryKey::KeyRead);
    if (!key.Open(false))
        return false;
    ValueReader reader(key);
    fill(reader);
    return true;
}

} // namespace

Settings::Settings(bool largeScreen)
    : m_largeScreen(largeScreen)
    , m_TreeLineSpace(largeScreen ? 6 : 3)
    , m_DeviceTaskDir(DefaultDeviceTaskDir())
    , m_fonts(FontSettings::Defaults(largeScreen))
{
}

QString Settings::DefaultDeviceTaskDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/orbelin/tasks"_s;
}

template <class Visit>
void Settings::VisitFileLocation(Visit& visit)
{
    visit(u"DataDir"_s, m_DataDir, QString());
    visit(u"DataName"_s, m_DataName, u"Orbelin.vrx"_s);
    visit(u"Backup"_s, m_Backup, true);
}

template <class Visit>
void Settings::VisitSettingsKey(Visit& visit)
{
    visit(u"AutoSIPUp"_s, m_AutoSIPUp, false);
    visit(u"GroupScheme"_s, m_GroupScheme, 3, 0, 3);
    visit(u"SortComp"_s, m_SortComp, false);
    visit(u"ShowCheckBox"_s, m_ShowCheckBox, true);
    visit(u"ShowIcon"_s, m_ShowIcon, true);
    visit(u"WordWrap"_s, m_WordWrap, true);
    visit(u"TabSize"_s, m_TabSize, 4);
    visit(u"ColTitleWidth"_s, m_ColTitleWidth, 0);
    visit(u"ColCategoryWidth"_s, m_ColCategoryWidth, 0);
    visit(u"ColDateWidth"_s, m_ColDateWidth, 0);
    visit(u"ColAutoFit"_s, m_ColAutoFit, false);
    visit(u"CateTreeColWName"_s, m_CateTreeColWName, 0);
    visit(u"CateTreeColWColor"_s, m_CateTreeColWColor, 0);
    visit(u"CubeH"_s, m_CubeH, 0);
    visit(u"TreeLineSpace"_s, m_TreeLineSpace, m_largeScreen ? 6 : 3);
    visit(u"AgendaNoDate"_s, m_AgendaNoDate, false);
    // Any value but 1 starts weeks on Monday, so every number is usable.
    visit(u"StartWeekDay"_s, m_StartWeekDay, kWeekStartsSunday, std::numeric_limits<int>::min(), kNoLimit);
    visit(u"DateFormat"_s, m_DateFormat, QString());
    visit(u"DateIncWeek"_s, m_DateIncWeek, true);
    visit(u"DeviceTaskDir"_s, m_DeviceTaskDir, DefaultDeviceTaskDir());
    visit(u"NativeFileDialog"_s, m_NativeFileDialog, false);
}

template <class Visit>
void Settings::VisitFontKey(Visit& visit)
{
    FontSettings& f = m_fonts;
    const QString tahoma = u"Tahoma"_s;
    const int text = m_largeScreen ? 18 : 11;
    const int larger = m_largeScreen ? 20 : 12;
    visit(u"FontNameTitle"_s, f.FontNameTitle, tahoma);
    visit(u"FontNameNote"_s, f.FontNameNote, tahoma);
    visit(u"FontNameDateNum"_s, f.FontNameDateNum, tahoma);
    visit(u"FontNameAgendaCount"_s, f.FontNameAgendaCount, tahoma);
    visit(u"FontNameCtrl"_s, f.FontNameCtrl, tahoma);
    // A font needs a height of at least one pixel.
    visit(u"FontHTitle"_s, f.FontHTitle, text, 1);
    visit(u"FontHNote"_s, f.FontHNote, text, 1);
    visit(u"FontHDateNum"_s, f.FontHDateNum, larger, 1);
    visit(u"FontHAgendaCount"_s, f.FontHAgendaCount, text, 1);
    visit(u"FontHCtrl"_s, f.FontHCtrl, larger, 1);
    visit(u"FontStrikeComp"_s, f.FontStrikeComp, true);
    visit(u"FontHBold"_s, f.FontHBold, true);
    visit(u"FontNBold"_s, f.FontNBold, false);
    visit(u"FontLBold"_s, f.FontLBold, false);
    visit(u"FontHCompBold"_s, f.FontHCompBold, true);
    visit(u"FontNCompBold"_s, f.FontNCompBold, false);
    visit(u"FontLCompBold"_s, f.FontLCompBold, false);
    visit(u"FontNoteBold"_s, f.FontNoteBold, false);
    visit(u"FontDateNumBold"_s, f.FontDateNumBold, true);
    visit(u"FontAgendaCountBold"_s, f.FontAgendaCountBold, false);
    visit(u"FontCtrlBold"_s, f.FontCtrlBold, false);
    visit(u"FontHItalic"_s, f.FontHItalic, false);
    visit(u"FontNItalic"_s, f.FontNItalic, false);
    visit(u"FontLItalic"_s, f.FontLItalic, false);
    visit(u"FontHCompItalic"_s, f.FontHCompItalic, false);
    visit(u"FontNCompItalic"_s, f.FontNCompItalic, false);
    visit(u"FontLCompItalic"_s, f.FontLCompItalic, false);
    visit(u"FontNoteItalic"_s, f.FontNoteItalic, false);
    visit(u"FontDateNumItalic"_s, f.FontDateNumItalic, false);
    visit(u"FontAgendaCountItalic"_s, f.FontAgendaCountItalic, false);
    visit(u"FontCtrlItalic"_s, f.FontCtrlItalic, false);
}

template <class Visit>
void Settings::VisitColorKey(Visit& visit)
{
    visit(u"ColorComp"_s, m_ColorComp, false);
    visit(u"DateNum"_s, m_DateNum, 0x000000u);
    visit(u"AgendaCount"_s, m_AgendaCount, 0x404040u);
    visit(u"AgendaComp"_s, m_AgendaComp, 0xC0C0C0u);
    visit(u"Highlight"_s, m_Highlight, 0xFF8080u);
    visit(u"Cursor"_s, m_Cursor, 0xFFB0B0u);
    visit(u"Current"_s, m_Current, 0x00FFFFu);
    visit(u"VacNum"_s, m_VacNum, 0x0000E0u);
    visit(u"Mark"_s, m_Mark, 0x0000E0u);
    visit(u"Bk"_s, m_Bk, 0xFFFFFFu);
    visit(u"WeekendBk"_s, m_WeekendBk, 0xDDFFFFu);
    visit(u"VacationBk"_s, m_VacationBk, 0xD0FFFFu);
    visit(u"InvalidBk"_s, m_InvalidBk, 0xFFEBEBu);
    visit(u"InactiveDateNum"_s, m_InactiveDateNum, 0xBCBCBCu);
}

template <class Visit>
void Settings::VisitFilterKey(ViewState& view, Visit& visit)
{
    visit(u"ShowPrioHigh"_s, view.ShowPrioHigh, true);
    visit(u"ShowPrioNormal"_s, view.ShowPrioNormal, true);
    visit(u"ShowPrioLow"_s, view.ShowPrioLow, true);
    visit(u"HideCompMonth"_s, view.HideCompMonth, false);
    visit(u"HideCompWeek"_s, view.HideCompWeek, false);
    visit(u"HideCompPlan"_s, view.HideCompPlan, false);
    visit(u"HideCompNodate"_s, view.HideCompNodate, false);
    visit(u"HideCompAgenda"_s, view.HideCompAgenda, true);
    // A mode the program does not have would leave the views without a layout.
    visit(u"ViewMode"_s, view.ViewMode, int(ViewState::Week), int(ViewState::Month), int(ViewState::NoDate));
    visit(u"AgendaStartDate"_s, m_AgendaStartDate, kNoDate);
    visit(u"AgendaEndDate"_s, m_AgendaEndDate, kNoDate);
}

void Settings::LoadSettings(ViewState& view)
{
    if (!ReadKey(kFilterKey, [&](ValueReader& r) { VisitFilterKey(view, r); })) {
        // Without a Filter key everything shows, in the Month view; the list
        // date range stays as it is.
        view.ShowPrioHigh = view.ShowPrioNormal = view.ShowPrioLow = true;
        view.HideCompMonth = view.HideCompWeek = view.HideCompPlan = view.HideCompNodate = false;
        view.HideCompAgenda = true;
        view.ViewMode = ViewState::Month;
    }
    ReadKey(kSettingsKey, [&](ValueReader& r) {
        VisitFileLocation(r);
        VisitSettingsKey(r);
    });
    ReadKey(kFontKey, [&](ValueReader& r) { VisitFontKey(r); });
    ReadKey(kColorKey, [&](ValueReader& r) { VisitColorKey(r); });

    if (m_CubeH <= 0)
        m_CubeH = EffectiveCubeH(0, m_fonts);
    if (m_DateFormat.isEmpty())
        m_DateFormat = DefaultDateFormat();
    ApplyShownDateFormat();
    m_changed = false;
}

bool Settings::SaveSettings(const ViewState& view)
{
    ViewState filter = view;
    if (!WriteKey(kFilterKey, [&](ValueWriter& w) { VisitFilterKey(filter, w); }))
        return false;
    if (!m_changed)
        return true;
    if (!WriteKey(kSettingsKey, [&](ValueWriter& w) { VisitSettingsKey(w); }))
        return false;
    const bool fontsWritten = WriteKey(kFontKey, [&](ValueWriter& w) { VisitFontKey(w); });
    const bool coloursWritten = WriteKey(kColorKey, [&](ValueWriter& w) { VisitColorKey(w); });
    if (!fontsWritten || !coloursWritten)
        return false;
    m_changed = false;
    return true;
}

bool Settings::SaveFileLocation()
{
    const bool fits = m_DataDir.size() <= RegistryKey::kMaxTextLength
                      && m_DataName.size() <= RegistryKey::kMaxTextLength;
    return WriteKey(kSettingsKey, [&](ValueWriter& w) {
               if (fits) {
                   w(u"DataDir"_s, m_DataDir, QString());
                   w(u"DataName"_s, m_DataName, QString());
               }
               w(u"Backup"_s, m_Backup, true);
           })
           && fits;
}

bool Settings::SetDateFormat(const QString& value)
{
    const bool changed = Change(m_DateFormat, value);
    ApplyShownDateFormat();
    return changed;
}

bool Settings::SetDateIncWeek(bool value)
{
    const bool changed = Change(m_DateIncWeek, value);
    ApplyShownDateFormat();
    return changed;
}

void Settings::ApplyShownDateFormat() const
{
    SetShownDateFormat(m_DateFormat, m_DateIncWeek);
}

int Settings::EffectiveCubeH(int cubeH, const FontSettings& fonts)
{
    if (cubeH > 0)
        return cubeH;
    return std::max(1, fonts.FontHAgendaCount + fonts.FontHDateNum - 4);
}

int Settings::EffectiveCubeH() const
{
    return EffectiveCubeH(m_CubeH, m_fonts);
}

namespace {

int ReadSettingsNumber(const QString& name, int defaultValue)
{
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, Settings::kSettingsKey.toString(), RegistryKey::KeyRead);
    ValueReader reader(key);
    int value = defaultValue;
    reader(name, value, defaultValue);
    return value;
}

bool WriteSettingsNumber(const QString& name, int value)
{
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, Settings::kSettingsKey.toString());
    return key.WriteNumber(name, quint32(value));
}

QString ColumnWidthName(const QString& listName, int column)
{
    return listName + u"Col"_s + QString::number(column);
}

} // namespace

int Settings::ReadListViewStyle() const
{
    return ReadSettingsNumber(u"ListViewStyle"_s, 1);
}

bool Settings::WriteListViewStyle(int style) const
{
    return WriteSettingsNumber(u"ListViewStyle"_s, style);
}

int Settings::ReadFileTypeFilter() const
{
    return ReadSettingsNumber(u"FileTypeFilter"_s, 0);
}

bool Settings::WriteFileTypeFilter(int type) const
{
    return WriteSettingsNumber(u"FileTypeFilter"_s, type);
}

int Settings::ReadColumnWidth(const QString& listName, int column, int defaultWidth) const
{
    return ReadSettingsNumber(ColumnWidthName(listName, column), defaultWidth);
}

bool Settings::WriteColumnWidth(const QString& listName, int column, int width) const
{
    return WriteSettingsNumber(ColumnWidthName(listName, column), width);
}
