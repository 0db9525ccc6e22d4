#include "storage/RegistryKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QtEndian>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kAppKey = QStringLiteral("Software\\Corvane Software\\Orbelin Planner");
const QString kSettingsKey = kAppKey + QStringLiteral("\\Settings");
const QString kFontKey = kSettingsKey + QStringLiteral("\\Font");

std::unique_ptr<QSettings> UserStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Corvane Software"), QStringLiteral("Orbelin Planner"));
}

std::unique_ptr<QSettings> ClassesStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Corvane Software"),
                                       QStringLiteral("Orbelin Planner Classes"));
}

void ClearStore(QSettings& store)
{
    // A test that blocks the store's file with a folder leaves it behind.
    const QFileInfo file(store.fileName());
    if (file.isDir())
        QDir(file.filePath()).removeRecursively();
    store.clear();
    store.sync();
}

QByteArray FileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RegistryKeyTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearAll(); }
    void TearDown() override { ClearAll(); }

    static void ClearAll()
    {
        ClearStore(*UserStore());
        ClearStore(*ClassesStore());
    }

    // Puts a value into the store the way another program would.
    static void Plant(const QString& key, const QVariant& value)
    {
        auto store = UserStore();
        store->setValue(key, value);
        store->sync();
    }
};

TEST_F(RegistryKeyTest, NumberIsWrittenAsFourByteLittleEndianAndReadBack)
{
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_TRUE(key.WriteNumber(QStringLiteral("CubeH"), 0x12345678u));

    const QVariant stored = UserStore()->value(QStringLiteral("Settings/CubeH"));
    ASSERT_EQ(stored.typeId(), QMetaType::QByteArray);
    EXPECT_EQ(stored.toByteArray(), QByteArray("\x78\x56\x34\x12", 4));

    RegistryKey reader(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
    EXPECT_EQ(reader.ReadNumber(QStringLiteral("CubeH"), 7), 0x12345678u);
    EXPECT_EQ(reader.LastError(), RegistryKey::NoError);
}

struct NumberCase
{
    const char* name;
    QVariant stored;
    quint32 expected; // 77 is the default the read is given
};

TEST_F(RegistryKeyTest, NumberReadAcceptsBinaryAndPlainIntegersOnly)
{
    const NumberCase cases[] = {
        {"binary", QByteArray("\x01\x02\x00\x00", 4), 0x0201u},
        {"binaryAllBits", QByteArray("\xFF\xFF\xFF\xFF", 4), 0xFFFFFFFFu},
        {"plainInt", QVariant(int(123)), 123u},
        {"negativeInt", QVariant(int(-5)), quint32(-5)},
        {"unsignedInt", QVariant(uint(0xFF8080u)), 0xFF8080u},
        {"decimalText", QVariant(QStringLiteral("123")), 123u},
        {"paddedText", QVariant(QStringLiteral(" 42 ")), 42u},
        {"negativeText", QVariant(QStringLiteral("-1")), 0xFFFFFFFFu},
        {"hexText", QVariant(QStringLiteral("0xFF8080")), 0xFF8080u},
        {"threeBytes", QByteArray("\x01\x02\x03", 3), 77u},
        {"fiveBytes", QByteArray("\x01\x02\x03\x04\x05", 5), 77u},
        {"emptyBytes", QByteArray(), 77u},
        {"stringList", QStringList{QStringLiteral("1"), QStringLiteral("2")}, 77u},
        {"wordText", QVariant(QStringLiteral("twelve")), 77u},
        {"trailingGarbage", QVariant(QStringLiteral("12abc")), 77u},
        {"emptyText", QVariant(QString()), 77u},
        {"tooLargeText", QVariant(QStringLiteral("4294967296")), 77u},
        {"tooLargeHex", QVariant(QStringLiteral("0x100000000")), 77u},
        {"tooLargeInteger", QVariant(qlonglong(1) << 40), 77u},
        {"boolean", QVariant(true), 77u},
        {"fraction", QVariant(2.5), 77u},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.name);
        Plant(QStringLiteral("Settings/Value"), c.stored);
        RegistryKey key(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
        EXPECT_EQ(key.ReadNumber(QStringLiteral("Value"), 77u), c.expected);
        EXPECT_EQ(key.LastError(), c.expected == 77u ? RegistryKey::InvalidValue : RegistryKey::NoError);
    }
}

TEST_F(RegistryKeyTest, MissingValueOrKeyGivesTheDefault)
{
    RegistryKey missingKey(RegistryKey::HKEY_CURRENT_USER, kFontKey);
    EXPECT_EQ(missingKey.ReadNumber(QStringLiteral("FontHTitle"), 11u), 11u);
    EXPECT_EQ(missingKey.LastError(), RegistryKey::KeyNotFound);
    EXPECT_EQ(missingKey.ReadText(QStringLiteral("FontNameTitle"), QStringLiteral("Tahoma")), QStringLiteral("Tahoma"));

    Plant(QStringLiteral("Settings/Font/Other"), 1);
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, kFontKey);
    EXPECT_EQ(key.ReadNumber(QStringLiteral("FontHTitle"), 11u), 11u);
    EXPECT_EQ(key.LastError(), RegistryKey::ValueNotFound);
}

struct TextCase
{
    const char* name;
    QVariant stored;
    bool accepted;
};

TEST_F(RegistryKeyTest, TextReadAcceptsSingleTextsUpTo254Characters)
{
    const QString longest(RegistryKey::kMaxTextLength, u'x');
    const TextCase cases[] = {
        {"plain", QVariant(QStringLiteral("M/d/yyyy")), true},
        {"withComma", QVariant(QStringLiteral("dd, MMM yyyy")), true},
        {"empty", QVariant(QString()), true},
        {"longest", QVariant(longest), true},
        {"oneTooLong", QVariant(longest + u'x'), false},
        {"binary", QByteArray("\x01\x02\x03\x04", 4), false},
        {"stringList", QStringList{QStringLiteral("a"), QStringLiteral("b")}, false},
        {"integer", QVariant(int(5)), false},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        Plant(QStringLiteral("Settings/Text"), c.stored);
        RegistryKey key(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
        const QString read = key.ReadText(QStringLiteral("Text"), QStringLiteral("default"));
        EXPECT_EQ(read, c.accepted ? c.stored.toString() : QStringLiteral("default"));
    }
}

TEST_F(RegistryKeyTest, TextOf255CharactersIsNotWritten)
{
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
    const QString longest(RegistryKey::kMaxTextLength, u'a');
    ASSERT_TRUE(key.WriteText(QStringLiteral("DataDir"), longest));
    EXPECT_EQ(key.ReadText(QStringLiteral("DataDir"), QString()), longest);

    EXPECT_FALSE(key.WriteText(QStringLiteral("DataDir"), QString(255, u'b')));
    EXPECT_EQ(key.LastError(), RegistryKey::TextTooLong);
    EXPECT_EQ(UserStore()->value(QStringLiteral("Settings/DataDir")).toString(), longest);
}

TEST_F(RegistryKeyTest, KeyExistsOnlyWithValuesOrSubkeys)
{
    RegistryKey settings(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
    EXPECT_FALSE(settings.Exists());
    EXPECT_FALSE(settings.Open(false));
    EXPECT_EQ(settings.LastError(), RegistryKey::KeyNotFound);

    // Creating succeeds, but a key without values is not kept.
    ASSERT_TRUE(settings.Open(true));
    settings.Close();
    EXPECT_FALSE(settings.Exists());

    RegistryKey font(RegistryKey::HKEY_CURRENT_USER, kFontKey);
    ASSERT_TRUE(font.WriteNumber(QStringLiteral("FontHTitle"), 18));
    EXPECT_TRUE(font.Exists());
    EXPECT_TRUE(settings.Exists()) << "a key holding only a subkey exists";
    EXPECT_TRUE(settings.Open(false));
}

TEST_F(RegistryKeyTest, SubkeyPathsMapOntoGroupsOfTheProgramsStore)
{
    RegistryKey font(RegistryKey::HKEY_CURRENT_USER, kFontKey);
    ASSERT_TRUE(font.WriteNumber(QStringLiteral("FontHTitle"), 18));
    RegistryKey filter(RegistryKey::HKEY_CURRENT_USER, kAppKey + QStringLiteral("\\Filter"));
    ASSERT_TRUE(filter.WriteNumber(QStringLiteral("ViewMode"), 2));

    auto store = UserStore();
    EXPECT_EQ(store->allKeys(), (QStringList{QStringLiteral("Filter/ViewMode"), QStringLiteral("Settings/Font/FontHTitle")}));
    const QByteArray file = FileText(store->fileName());
    EXPECT_TRUE(file.contains("[Filter]\nViewMode=@ByteArray(\\x2\\0\\0\\0)")) << file.constData();
}

TEST_F(RegistryKeyTest, ClassesRootIsASeparateStoreAndTheUnnamedValueIsDefault)
{
    RegistryKey command(RegistryKey::HKEY_CLASSES_ROOT, QStringLiteral("VemrixData\\Shell\\Open\\Command"));
    ASSERT_TRUE(command.WriteText(QString(), QStringLiteral("\"/usr/bin/orbelin\" %1")));
    EXPECT_EQ(command.ReadText(QString(), QString()), QStringLiteral("\"/usr/bin/orbelin\" %1"));

    EXPECT_EQ(ClassesStore()->value(QStringLiteral("VemrixData/Shell/Open/Command/Default")).toString(),
              QStringLiteral("\"/usr/bin/orbelin\" %1"));
    EXPECT_TRUE(UserStore()->allKeys().isEmpty());
    EXPECT_TRUE(RegistryKey(RegistryKey::HKEY_CLASSES_ROOT, QStringLiteral("VemrixData")).Exists());
}

struct RefusedCase
{
    const char* name;
    RegistryKey::Root root;
    QString subKey;
    RegistryKey::Error error;
};

TEST_F(RegistryKeyTest, RootsAndPathsWithoutAStoreAreRefused)
{
    const RefusedCase cases[] = {
        {"localMachine", RegistryKey::HKEY_LOCAL_MACHINE, kSettingsKey, RegistryKey::RootUnavailable},
        {"users", RegistryKey::HKEY_USERS, kSettingsKey, RegistryKey::RootUnavailable},
        {"notPredefined", static_cast<RegistryKey::Root>(0x80000005u), kSettingsKey, RegistryKey::InvalidRoot},
        {"notBelowSoftware", RegistryKey::HKEY_CURRENT_USER, QStringLiteral("Console\\Orbelin\\Planner"),
         RegistryKey::InvalidPath},
        {"noApplication", RegistryKey::HKEY_CURRENT_USER, QStringLiteral("Software\\Corvane Software"),
         RegistryKey::InvalidPath},
        {"slashInName", RegistryKey::HKEY_CURRENT_USER, kAppKey + QStringLiteral("\\Set/tings"),
         RegistryKey::InvalidPath},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryKey key(c.root, c.subKey);
        EXPECT_FALSE(key.Open(true));
        EXPECT_EQ(key.LastError(), c.error);
        EXPECT_FALSE(key.WriteNumber(QStringLiteral("Value"), 1));
        EXPECT_EQ(key.ReadNumber(QStringLiteral("Value"), 9u), 9u);
        EXPECT_EQ(key.LastError(), c.error);
    }
    EXPECT_TRUE(UserStore()->allKeys().isEmpty());
}

TEST_F(RegistryKeyTest, AccessMaskLimitsReadsAndWrites)
{
    Plant(QStringLiteral("Settings/TabSize"), QByteArray("\x08\0\0\0", 4));

    RegistryKey readOnly(RegistryKey::HKEY_CURRENT_USER, kSettingsKey, RegistryKey::KeyRead);
    EXPECT_EQ(readOnly.ReadNumber(QStringLiteral("TabSize"), 4), 8u);
    EXPECT_FALSE(readOnly.WriteNumber(QStringLiteral("TabSize"), 2));
    EXPECT_EQ(readOnly.LastError(), RegistryKey::AccessDenied);
    EXPECT_FALSE(readOnly.Open(true));

    RegistryKey writeOnly(RegistryKey::HKEY_CURRENT_USER, kSettingsKey, RegistryKey::KeyWrite);
    EXPECT_EQ(writeOnly.ReadNumber(QStringLiteral("TabSize"), 4), 4u);
    EXPECT_EQ(writeOnly.LastError(), RegistryKey::AccessDenied);

    RegistryKey check(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
    EXPECT_EQ(check.ReadNumber(QStringLiteral("TabSize"), 4), 8u);
}

TEST_F(RegistryKeyTest, NoFlushHoldsWritesOnAnOpenKeyUntilFlush)
{
    const QString file = UserStore()->fileName();
    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_TRUE(key.Open(true));
    key.SetNoFlush(true);
    ASSERT_TRUE(key.WriteNumber(QStringLiteral("TabSize"), 8));
    EXPECT_FALSE(FileText(file).contains("TabSize"));
    EXPECT_EQ(key.ReadNumber(QStringLiteral("TabSize"), 4), 8u) << "the open key sees its own write";

    ASSERT_TRUE(key.Flush());
    EXPECT_TRUE(FileText(file).contains("TabSize"));

    // Without the flag every write reaches the disk at once.
    key.SetNoFlush(false);
    ASSERT_TRUE(key.WriteNumber(QStringLiteral("CubeH"), 20));
    EXPECT_TRUE(FileText(file).contains("CubeH"));
}

TEST_F(RegistryKeyTest, UnwritableStoreFailsToOpenForWriting)
{
    // A folder in place of the store's file cannot be written, whoever runs the test.
    const QString file = UserStore()->fileName();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));

    RegistryKey key(RegistryKey::HKEY_CURRENT_USER, kSettingsKey);
    EXPECT_FALSE(key.Open(true));
    EXPECT_EQ(key.LastError(), RegistryKey::AccessDenied);
    EXPECT_FALSE(key.WriteNumber(QStringLiteral("TabSize"), 8));
    EXPECT_EQ(key.ReadNumber(QStringLiteral("TabSize"), 4), 4u);
}

} // namespace
