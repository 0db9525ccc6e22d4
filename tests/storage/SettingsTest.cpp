#include "storage/Settings.h"

#include "model/DateFormat.h"
#include "model/ViewState.h"
#include "storage/RegistryKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<QSettings> UserStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Corvane Software"), QStringLiteral("Orbelin Planner"));
}

// One stored value: where it lives, how to read and change it, and its
// figures on a small screen: after loading an empty store, when missing from
// an existing key, and a different value for the round trip.
struct ValueRow
{
    QString name;
    QString group;
    std::function<QVariant(const Settings&, const ViewState&)> get;
    std::function<void(Settings&, ViewState&, const QVariant&)> set;
    QVariant start;
    QVariant missing;
    QVariant other;
    bool text = false;
};

#define SETTING(group, Name, Type, start, missing, other)                                               \
    ValueRow{QStringLiteral(#Name), QStringLiteral(group),                                            \
             [](const Settings& s, const ViewState&) { return QVariant::fromValue(s.Name()); },       \
             [](Settings& s, ViewState&, const QVariant& v) { s.Set##Name(v.value<Type>()); },        \
             QVariant::fromValue(Type(start)), QVariant::fromValue(Type(missing)),                    \
             QVariant::fromValue(Type(other)), std::is_same_v<Type, QString>}

#define FONT(Name, Type, start, missing, other)                                                         \
    ValueRow{QStringLiteral(#Name), QStringLiteral("Settings/Font"),                                  \
             [](const Settings& s, const ViewState&) { return QVariant::fromValue(s.Fonts().Name); }, \
             [](Settings& s, ViewState&, const QVariant& v) {                                         \
                 FontSettings f = s.Fonts();                                                          \
                 f.Name = v.value<Type>();                                                            \
                 s.SetFonts(f);                                                                       \
             },                                                                                       \
             QVariant::fromValue(Type(start)), QVariant::fromValue(Type(missing)),                    \
             QVariant::fromValue(Type(other)), std::is_same_v<Type, QString>}

#define VIEW(Name, start, missing)                                                                      \
    ValueRow{QStringLiteral(#Name), QStringLiteral("Filter"),                                         \
             [](const Settings&, const ViewState& v) { return QVariant::fromValue(v.Name); },         \
             [](Settings&, ViewState& view, const QVariant& v) { view.Name = v.value<decltype(view.Name)>(); }, \
             QVariant::fromValue(decltype(ViewState::Name)(start)),                                   \
             QVariant::fromValue(decltype(ViewState::Name)(missing)),                                 \
             QVariant::fromValue(decltype(ViewState::Name)(!(start))), false}

const QString kTahoma = QStringLiteral("Tahoma");

// Every value of the four keys, small screen. CubeH and DateFormat show what
// loading makes of their 0 and empty figures.
std::vector<ValueRow> AllValues()
{
    using S = QString;
    const S settings = QStringLiteral("Settings");
    return {
        SETTING("Settings", DataDir, S, S(), S(), QStringLiteral("/home/me/cal/")),
        SETTING("Settings", DataName, S, QStringLiteral("Orbelin.vrx"), QStringLiteral("Orbelin.vrx"),
                QStringLiteral("Work.vrx")),
        SETTING("Settings", Backup, bool, true, true, false),
        SETTING("Settings", AutoSIPUp, bool, false, false, true),
        SETTING("Settings", GroupScheme, int, 3, 3, 2),
        SETTING("Settings", SortComp, bool, false, false, true),
        SETTING("Settings", ShowCheckBox, bool, true, true, false),
        SETTING("Settings", ShowIcon, bool, true, true, false),
        SETTING("Settings", WordWrap, bool, true, true, false),
        SETTING("Settings", TabSize, int, 4, 4, 8),
        SETTING("Settings", ColTitleWidth, int, 0, 0, 120),
        SETTING("Settings", ColCategoryWidth, int, 0, 0, 60),
        SETTING("Settings", ColDateWidth, int, 0, 0, 55),
        SETTING("Settings", ColAutoFit, bool, false, false, true),
        SETTING("Settings", CateTreeColWName, int, 0, 0, 90),
        SETTING("Settings", CateTreeColWColor, int, 0, 0, 40),
        SETTING("Settings", CubeH, int, 11 + 11 - 4, 11 + 12 - 4, 30),
        SETTING("Settings", TreeLineSpace, int, 3, 3, 5),
        SETTING("Settings", AgendaNoDate, bool, false, false, true),
        SETTING("Settings", StartWeekDay, int, 1, 1, 2),
        SETTING("Settings", DateFormat, S, DefaultDateFormat(), DefaultDateFormat(), QStringLiteral("dd, MMM yyyy")),
        SETTING("Settings", DateIncWeek, bool, true, true, false),
        SETTING("Settings", DeviceTaskDir, S, Settings::DefaultDeviceTaskDir(), Settings::DefaultDeviceTaskDir(),
                QStringLiteral("/home/me/tasks")),
        SETTING("Settings", NativeFileDialog, bool, false, false, true),

        FONT(FontNameTitle, S, kTahoma, kTahoma, QStringLiteral("DejaVu Sans")),
        FONT(FontNameNote, S, kTahoma, kTahoma, QStringLiteral("DejaVu Serif")),
        FONT(FontNameDateNum, S, kTahoma, kTahoma, QStringLiteral("DejaVu Sans Mono")),
        FONT(FontNameAgendaCount, S, kTahoma, kTahoma, QStringLiteral("Liberation Sans")),
        FONT(FontNameCtrl, S, kTahoma, kTahoma, QStringLiteral("Noto Sans")),
        FONT(FontHTitle, int, 11, 11, 14),
        FONT(FontHNote, int, 11, 11, 15),
        FONT(FontHDateNum, int, 11, 12, 16),
        FONT(FontHAgendaCount, int, 11, 11, 17),
        FONT(FontHCtrl, int, 12, 12, 19),
        FONT(FontStrikeComp, bool, true, true, false),
        FONT(FontHBold, bool, true, true, false),
        FONT(FontHCompBold, bool, true, true, false),
        FONT(FontDateNumBold, bool, true, true, false),
        FONT(FontNBold, bool, false, false, true),
        FONT(FontLBold, bool, false, false, true),
        FONT(FontNCompBold, bool, false, false, true),
        FONT(FontLCompBold, bool, false, false, true),
        FONT(FontNoteBold, bool, false, false, true),
        FONT(FontAgendaCountBold, bool, false, false, true),
        FONT(FontCtrlBold, bool, false, false, true),
        FONT(FontHItalic, bool, false, false, true),
        FONT(FontNItalic, bool, false, false, true),
        FONT(FontLItalic, bool, false, false, true),
        FONT(FontHCompItalic, bool, false, false, true),
        FONT(FontNCompItalic, bool, false, false, true),
        FONT(FontLCompItalic, bool, false, false, true),
        FONT(FontNoteItalic, bool, false, false, true),
        FONT(FontDateNumItalic, bool, false, false, true),
        FONT(FontAgendaCountItalic, bool, false, false, true),
        FONT(FontCtrlItalic, bool, false, false, true),

        SETTING("Settings/Color", ColorComp, bool, false, false, true),
        SETTING("Settings/Color", DateNum, quint32, 0x000000, 0x000000, 0x102030),
        SETTING("Settings/Color", AgendaCount, quint32, 0x000000, 0x404040, 0x112233),
        SETTING("Settings/Color", AgendaComp, quint32, 0xC0C0C0, 0xC0C0C0, 0x123456),
        SETTING("Settings/Color", Highlight, quint32, 0xFF8080, 0xFF8080, 0x0080FF),
        SETTING("Settings/Color", Cursor, quint32, 0xFFB0B0, 0xFFB0B0, 0xB0B0FF),
        SETTING("Settings/Color", Current, quint32, 0x00FFFF, 0x00FFFF, 0xFFFF00),
        SETTING("Settings/Color", VacNum, quint32, 0x0000E0, 0x0000E0, 0x00E000),
        SETTING("Settings/Color", Mark, quint32, 0x0000E0, 0x0000E0, 0xE00000),
        SETTING("Settings/Color", Bk, quint32, 0xFFFFFF, 0xFFFFFF, 0xF0F0F0),
        SETTING("Settings/Color", WeekendBk, quint32, 0xDDFFFF, 0xDDFFFF, 0xDDDDFF),
        SETTING("Settings/Color", VacationBk, quint32, 0xD0FFFF, 0xD0FFFF, 0xD0D0FF),
        SETTING("Settings/Color", InvalidBk, quint32, 0xE0E0E0, 0xFFEBEB, 0x808080),
        SETTING("Settings/Color", InactiveDateNum, quint32, 0xBCBCBC, 0xBCBCBC, 0x0A0B0C),

        VIEW(ShowPrioHigh, true, true),
        VIEW(ShowPrioNormal, true, true),
        VIEW(ShowPrioLow, true, true),
        VIEW(HideCompMonth, false, false),
        VIEW(HideCompWeek, false, false),
        VIEW(HideCompPlan, false, false),
        VIEW(HideCompNodate, false, false),
        VIEW(HideCompAgenda, true, true),
        ValueRow{QStringLiteral("ViewMode"), QStringLiteral("Filter"),
                 [](const Settings&, const ViewState& v) { return QVariant(v.ViewMode); },
                 [](Settings&, ViewState& view, const QVariant& v) { view.ViewMode = v.toInt(); },
                 QVariant(0), QVariant(1), QVariant(3)},
        SETTING("Filter", AgendaStartDate, PackedDate, 0, 0, MakeDate(2024, 3, 1)),
        SETTING("Filter", AgendaEndDate, PackedDate, 0, 0, MakeDate(2024, 3, 31)),
    };
}

const QStringList kFilterNames = {
    QStringLiteral("AgendaEndDate"),  QStringLiteral("AgendaStartDate"), QStringLiteral("HideCompAgenda"),
    QStringLiteral("HideCompMonth"),  QStringLiteral("HideCompNodate"),  QStringLiteral("HideCompPlan"),
    QStringLiteral("HideCompWeek"),   QStringLiteral("ShowPrioHigh"),    QStringLiteral("ShowPrioLow"),
    QStringLiteral("ShowPrioNormal"), QStringLiteral("ViewMode"),
};

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearStore(); }
    void TearDown() override
    {
        ClearStore();
        SetShownDateFormat(QString(), true);
    }

    static void ClearStore()
    {
        auto store = UserStore();
        const QFileInfo file(store->fileName());
        if (file.isDir())
            QDir(file.filePath()).removeRecursively();
        store->clear();
        store->sync();
    }

    // Puts a value into the store the way another program (or an older
    // version) would.
    static void Plant(const QString& key, const QVariant& value)
    {
        auto store = UserStore();
        store->setValue(key, value);
        store->sync();
    }

    static QStringList KeysOf(const QString& group)
    {
        auto store = UserStore();
        store->beginGroup(group);
        QStringList keys = store->childKeys();
        keys.sort();
        return keys;
    }

    // A view state unlike the one an empty Filter key gives.
    static ViewState ScrambledView()
    {
        ViewState view;
        view.ShowPrioHigh = view.ShowPrioNormal = view.ShowPrioLow = false;
        view.HideCompMonth = view.HideCompWeek = view.HideCompPlan = view.HideCompNodate = true;
        view.HideCompAgenda = false;
        view.ViewMode = ViewState::List;
        return view;
    }
};

TEST_F(SettingsTest, EmptyStoreGivesStartValuesAndTheMonthView)
{
    Settings settings(false);
    ViewState view = ScrambledView();
    settings.LoadSettings(view);

    for (const ValueRow& row : AllValues()) {
        SCOPED_TRACE(row.name.toStdString());
        EXPECT_EQ(row.get(settings, view), row.start);
    }
    EXPECT_FALSE(settings.SettingsChanged());
    EXPECT_EQ(ShownDateFormat(), DefaultDateFormat());
    EXPECT_TRUE(ShownDateIncWeek());
}

TEST_F(SettingsTest, ValueMissingFromAnExistingKeyTakesItsMissingDefault)
{
    for (const QString& group : {QStringLiteral("Settings"), QStringLiteral("Settings/Font"),
                                 QStringLiteral("Settings/Color"), QStringLiteral("Filter")})
        Plant(group + QStringLiteral("/Unrelated"), QByteArray(4, '\0'));

    Settings settings(false);
    ViewState view = ScrambledView();
    settings.LoadSettings(view);

    for (const ValueRow& row : AllValues()) {
        SCOPED_TRACE(row.name.toStdString());
        EXPECT_EQ(row.get(settings, view), row.missing);
    }
}

struct ScreenRow
{
    const char* name;
    bool largeScreen;
    bool keysExist;
    int treeLineSpace;
    int fontHDateNum;
    int fontHCtrl;
    int cubeH;
};

TEST_F(SettingsTest, ScreenClassChoosesStartAndMissingFigures)
{
    const ScreenRow rows[] = {
        {"smallEmptyStore", false, false, 3, 11, 12, 11 + 11 - 4},
        {"smallKeysWithoutValues", false, true, 3, 12, 12, 11 + 12 - 4},
        {"largeEmptyStore", true, false, 6, 18, 20, 18 + 18 - 4},
        {"largeKeysWithoutValues", true, true, 6, 20, 20, 18 + 20 - 4},
    };
    for (const ScreenRow& row : rows) {
        SCOPED_TRACE(row.name);
        ClearStore();
        if (row.keysExist) {
            Plant(QStringLiteral("Settings/Unrelated"), 0);
            Plant(QStringLiteral("Settings/Font/Unrelated"), 0);
        }
        Settings settings(row.largeScreen);
        ViewState view;
        settings.LoadSettings(view);
        EXPECT_EQ(settings.TreeLineSpace(), row.treeLineSpace);
        EXPECT_EQ(settings.Fonts().FontHDateNum, row.fontHDateNum);
        EXPECT_EQ(settings.Fonts().FontHCtrl, row.fontHCtrl);
        EXPECT_EQ(settings.CubeH(), row.cubeH);
    }
}

TEST_F(SettingsTest, EveryValueSurvivesSaveAndLoad)
{
    Settings settings(false);
    ViewState view;
    settings.LoadSettings(view);
    for (const ValueRow& row : AllValues()) {
        SCOPED_TRACE(row.name.toStdString());
        row.set(settings, view, row.other);
        ASSERT_EQ(row.get(settings, view), row.other);
    }
    ASSERT_TRUE(settings.SettingsChanged());
    ASSERT_TRUE(settings.SaveSettings(view));
    ASSERT_TRUE(settings.SaveFileLocation());
    EXPECT_FALSE(settings.SettingsChanged());

    auto store = UserStore();
    for (const ValueRow& row : AllValues()) {
        SCOPED_TRACE(row.name.toStdString());
        const QVariant stored = store->value(row.group + u'/' + row.name);
        if (row.text) {
            EXPECT_EQ(stored.typeId(), QMetaType::QString);
        } else {
            EXPECT_EQ(stored.typeId(), QMetaType::QByteArray);
            EXPECT_EQ(stored.toByteArray().size(), 4);
        }
    }

    Settings loaded(false);
    ViewState loadedView;
    loaded.LoadSettings(loadedView);
    for (const ValueRow& row : AllValues()) {
        SCOPED_TRACE(row.name.toStdString());
        EXPECT_EQ(row.get(loaded, loadedView), row.other);
    }
    EXPECT_EQ(ShownDateFormat(), QStringLiteral("dd, MMM yyyy"));
    EXPECT_FALSE(ShownDateIncWeek());
}

TEST_F(SettingsTest, SettersMarkTheSettingsChangedOnlyWhenTheValueDiffers)
{
    Settings settings(false);
    ViewState view;
    for (const ValueRow& row : AllValues()) {
        if (row.group == QStringLiteral("Filter") && row.name != QStringLiteral("AgendaStartDate")
            && row.name != QStringLiteral("AgendaEndDate"))
            continue; // held by the view state
        SCOPED_TRACE(row.name.toStdString());
        Settings fresh(false);
        const QVariant before = row.get(fresh, view);
        row.set(fresh, view, before);
        EXPECT_FALSE(fresh.SettingsChanged());
        row.set(fresh, view, row.other);
        EXPECT_TRUE(fresh.SettingsChanged());
    }
    EXPECT_FALSE(settings.SetGroupScheme(3));
    EXPECT_TRUE(settings.SetGroupScheme(0));
    EXPECT_FALSE(settings.SetGroupScheme(0));
}

TEST_F(SettingsTest, SaveOnAFreshObjectWritesOnlyTheFilterKey)
{
    Settings settings(false);
    ViewState view;
    settings.LoadSettings(view);
    ASSERT_TRUE(settings.SaveSettings(view));

    EXPECT_EQ(UserStore()->childGroups(), QStringList{QStringLiteral("Filter")});
    EXPECT_EQ(KeysOf(QStringLiteral("Filter")), kFilterNames);

    // The start-up's SaveFileLocation then creates the Settings key with the location alone.
    ASSERT_TRUE(settings.SaveFileLocation());
    EXPECT_EQ(KeysOf(QStringLiteral("Settings")),
              (QStringList{QStringLiteral("Backup"), QStringLiteral("DataDir"), QStringLiteral("DataName")}));
    EXPECT_TRUE(UserStore()->childGroups().contains(QStringLiteral("Settings")));
}

TEST_F(SettingsTest, ChangedSettingsWriteEverythingButTheFileLocation)
{
    Settings settings(false);
    ViewState view;
    settings.LoadSettings(view);
    settings.SetDataDir(QStringLiteral("/elsewhere/"));
    ASSERT_TRUE(settings.SettingsChanged()) << "the location setters mark the settings changed";
    ASSERT_TRUE(settings.SaveSettings(view));

    const QStringList settingsKeys = KeysOf(QStringLiteral("Settings"));
    EXPECT_FALSE(settingsKeys.contains(QStringLiteral("DataDir")));
    EXPECT_FALSE(settingsKeys.contains(QStringLiteral("DataName")));
    EXPECT_FALSE(settingsKeys.contains(QStringLiteral("Backup")));
    EXPECT_TRUE(settingsKeys.contains(QStringLiteral("GroupScheme")));
    EXPECT_EQ(KeysOf(QStringLiteral("Settings/Font")).size(), 31);
    EXPECT_EQ(KeysOf(QStringLiteral("Settings/Color")).size(), 14);
}

struct CubeRow
{
    const char* name;
    std::vector<std::pair<QString, int>> stored; // key below Settings, number
    int cubeH;
};

TEST_F(SettingsTest, CubeHOfZeroIsDerivedFromTheFontHeights)
{
    const CubeRow rows[] = {
        {"noFontKey", {}, 11 + 11 - 4},
        {"fontKeyWithoutHeights", {{QStringLiteral("Font/FontNameTitle"), -1}}, 11 + 12 - 4},
        {"storedZero", {{QStringLiteral("CubeH"), 0}, {QStringLiteral("Font/FontHDateNum"), 15},
                        {QStringLiteral("Font/FontHAgendaCount"), 16}}, 15 + 16 - 4},
        {"storedFigureKept", {{QStringLiteral("CubeH"), 25}}, 25},
        {"negativeTakenAsZero", {{QStringLiteral("CubeH"), -3}}, 11 + 11 - 4},
    };
    for (const CubeRow& row : rows) {
        SCOPED_TRACE(row.name);
        ClearStore();
        for (const auto& [key, number] : row.stored)
            Plant(QStringLiteral("Settings/") + key, number);
        Settings settings(false);
        ViewState view;
        settings.LoadSettings(view);
        EXPECT_EQ(settings.CubeH(), row.cubeH);
        EXPECT_EQ(settings.EffectiveCubeH(), row.cubeH);
    }

    // The preferences may set 0 again; the views then use the derived height.
    Settings settings(true);
    settings.SetCubeH(0);
    EXPECT_EQ(settings.EffectiveCubeH(), 18 + 18 - 4);
    EXPECT_EQ(Settings::EffectiveCubeH(25, settings.Fonts()), 25);
}

TEST_F(SettingsTest, EmptyDateFormatBecomesTheDefaultPicture)
{
    Plant(QStringLiteral("Settings/DateFormat"), QString());
    Plant(QStringLiteral("Settings/DateIncWeek"), 0);
    Settings settings(false);
    ViewState view;
    settings.LoadSettings(view);
    EXPECT_EQ(settings.DateFormat(), DefaultDateFormat());
    EXPECT_FALSE(settings.SettingsChanged());
    EXPECT_EQ(ShownDateFormat(), DefaultDateFormat());
    EXPECT_FALSE(ShownDateIncWeek());

    EXPECT_TRUE(settings.SetDateFormat(QStringLiteral("yyyy-MM-dd")));
    EXPECT_EQ(ShownDateFormat(), QStringLiteral("yyyy-MM-dd"));
    EXPECT_TRUE(settings.SetDateIncWeek(true));
    EXPECT_TRUE(ShownDateIncWeek());
}

TEST_F(SettingsTest, FileLocationTooLongToStoreKeepsTheStoredPair)
{
    Settings settings(false);
    settings.SetDataDir(QStringLiteral("/old/"));
    settings.SetDataName(QStringLiteral("Old.vrx"));
    ASSERT_TRUE(settings.SaveFileLocation());

    const QString longest = QStringLiteral("/") + QString(252, u'd') + QStringLiteral("/");
    settings.SetDataDir(longest);
    settings.SetDataName(QStringLiteral("New.vrx"));
    settings.SetBackup(false);
    ASSERT_TRUE(settings.SaveFileLocation()) << "254 characters still fit";
    EXPECT_EQ(UserStore()->value(QStringLiteral("Settings/DataDir")).toString(), longest);

    settings.SetDataDir(longest + u'x');
    settings.SetDataName(QStringLiteral("Newer.vrx"));
    EXPECT_FALSE(settings.SaveFileLocation());

    Settings loaded(false);
    ViewState view;
    loaded.LoadSettings(view);
    EXPECT_EQ(loaded.DataDir(), longest);
    EXPECT_EQ(loaded.DataName(), QStringLiteral("New.vrx"));
    EXPECT_FALSE(loaded.Backup());
}

TEST_F(SettingsTest, NumbersWrittenByOthersAreAccepted)
{
    Plant(QStringLiteral("Settings/TabSize"), 7);
    Plant(QStringLiteral("Settings/Color/Highlight"), QStringLiteral("1193046"));
    Plant(QStringLiteral("Settings/Font/FontHNote"), QStringLiteral("0x10"));
    Plant(QStringLiteral("Filter/ViewMode"), QStringLiteral("2"));

    Settings settings(false);
    ViewState view;
    settings.LoadSettings(view);
    EXPECT_EQ(settings.TabSize(), 7);
    EXPECT_EQ(settings.Highlight(), 0x123456u);
    EXPECT_EQ(settings.Fonts().FontHNote, 16);
    EXPECT_EQ(view.ViewMode, ViewState::List);
}

struct GarbageRow
{
    const char* name;
    QString key;
    QVariant stored;
};

TEST_F(SettingsTest, UnusableValuesTakeTheirMissingDefault)
{
    const GarbageRow rows[] = {
        {"threeBytes", QStringLiteral("Settings/GroupScheme"), QByteArray("\x01\x02\x03", 3)},
        {"stringListForNumber", QStringLiteral("Settings/TabSize"), QStringList{QStringLiteral("1"), QStringLiteral("2")}},
        {"stringListForText", QStringLiteral("Settings/DataName"), QStringList{QStringLiteral("a"), QStringLiteral("b")}},
        {"binaryForText", QStringLiteral("Settings/Font/FontNameNote"), QByteArray("\x01\x02\x03\x04", 4)},
        {"wordForNumber", QStringLiteral("Settings/Color/InvalidBk"), QStringLiteral("grey")},
        {"unknownViewMode", QStringLiteral("Filter/ViewMode"), 9},
        {"negativeViewMode", QStringLiteral("Filter/ViewMode"), -1},
        {"unknownGroupScheme", QStringLiteral("Settings/GroupScheme"), 4},
        {"zeroFontHeight", QStringLiteral("Settings/Font/FontHDateNum"), 0},
        {"negativeTabSize", QStringLiteral("Settings/TabSize"), -4},
        {"overlongText", QStringLiteral("Settings/DataName"), QString(300, u'n')},
    };
    for (const GarbageRow& row : rows) {
        SCOPED_TRACE(row.name);
        ClearStore();
        Plant(row.key, row.stored);
        Settings settings(false);
        ViewState view;
        settings.LoadSettings(view);
        for (const ValueRow& value : AllValues()) {
            if (row.key == value.group + u'/' + value.name) {
                EXPECT_EQ(value.get(settings, view), value.missing) << value.name.toStdString();
            }
        }
    }
}

TEST_F(SettingsTest, UnwritableStoreMakesSavingFailAndKeepsTheChange)
{
    // A folder in place of the store's file cannot be written, whoever runs the test.
    const QString file = UserStore()->fileName();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));
    Settings settings(false);
    ViewState view;
    settings.SetSortComp(true);
    EXPECT_FALSE(settings.SaveSettings(view));
    EXPECT_TRUE(settings.SettingsChanged());
    EXPECT_FALSE(settings.SaveFileLocation());
    ClearStore();

    EXPECT_TRUE(settings.SaveSettings(view));
    EXPECT_FALSE(settings.SettingsChanged());
    EXPECT_TRUE(KeysOf(QStringLiteral("Settings")).contains(QStringLiteral("SortComp")));
}

TEST_F(SettingsTest, ListControlsKeepTheirOwnValues)
{
    const Settings settings(false);
    EXPECT_EQ(settings.ReadColumnWidth(QStringLiteral("ListSearch"), 1, 77), 77);
    EXPECT_EQ(settings.ReadListViewStyle(), 1);
    EXPECT_EQ(settings.ReadFileTypeFilter(), 0);

    ASSERT_TRUE(settings.WriteColumnWidth(QStringLiteral("ListSearch"), 1, 120));
    ASSERT_TRUE(settings.WriteColumnWidth(QStringLiteral("CateList"), 0, 90));
    ASSERT_TRUE(settings.WriteListViewStyle(3));
    ASSERT_TRUE(settings.WriteFileTypeFilter(1));
    EXPECT_EQ(settings.ReadColumnWidth(QStringLiteral("ListSearch"), 1, 77), 120);
    EXPECT_EQ(settings.ReadColumnWidth(QStringLiteral("ListSearch"), 0, 66), 66);
    EXPECT_EQ(settings.ReadListViewStyle(), 3);
    EXPECT_EQ(settings.ReadFileTypeFilter(), 1);
    EXPECT_FALSE(settings.SettingsChanged());

    EXPECT_EQ(KeysOf(QStringLiteral("Settings")),
              (QStringList{QStringLiteral("CateListCol0"), QStringLiteral("FileTypeFilter"),
                           QStringLiteral("ListSearchCol1"), QStringLiteral("ListViewStyle")}));
}

TEST(FontSettingsTest, EntriesReachTheirOwnFlagsAndShareTheTitleFace)
{
    FontSettings fonts = FontSettings::Defaults(true);
    for (int e = FontSettings::EntryH; e <= FontSettings::EntryLComp; ++e)
        EXPECT_EQ(&fonts.FaceOf(FontSettings::Entry(e)), &fonts.FontNameTitle);
    EXPECT_EQ(&fonts.HeightOf(FontSettings::EntryNote), &fonts.FontHNote);
    EXPECT_EQ(&fonts.HeightOf(FontSettings::EntryCtrl), &fonts.FontHCtrl);

    // Every entry has bold and italic flags of its own.
    std::vector<const bool*> flags;
    for (int e = 0; e < FontSettings::kEntryCount; ++e) {
        flags.push_back(&fonts.BoldOf(FontSettings::Entry(e)));
        flags.push_back(&fonts.ItalicOf(FontSettings::Entry(e)));
    }
    std::sort(flags.begin(), flags.end());
    EXPECT_EQ(std::unique(flags.begin(), flags.end()), flags.end());

    FontSettings changed = fonts;
    changed.BoldOf(FontSettings::EntryNComp) = true;
    EXPECT_TRUE(changed.FontNCompBold);
    EXPECT_NE(changed, fonts);
    EXPECT_EQ(FontSettings::Defaults(true), fonts);
}

} // namespace
