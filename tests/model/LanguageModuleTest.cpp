#include "model/LanguageModule.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <string>

namespace {

// Every number the program asks the language module for.
constexpr std::array kProgramTextIds = {
    104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120,
    121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137,
    138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154,
    155, 156, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171,
    172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188,
    189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 203, 204, 205,
    206, 207, 208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222,
    223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239,
    240, 241, 242, 243, 244, 245, 249, 250, 251, 252, 254, 255, 257, 258, 259, 260, 261,
    262, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272, 277, 278, 279, 280, 281, 282,
    288, 289,
};

// The texts the program fills a value into with QString::arg.
constexpr std::array kTextsWithPlaceholder = {165, 170, 181, 238, 242};

template <typename Array>
bool Contains(const Array& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

QString FromBuffer(const char16_t* text)
{
    return text ? QString::fromUtf16(text) : QString();
}

// Tests load their own modules next to the process-wide one, and report a
// missing module through the handler; the handler is put back afterwards.
class LanguageModuleTest : public ::testing::Test
{
protected:
    void TearDown() override { LanguageModule::SetMissingHandler(nullptr); }

    QStringList m_reports;
    void CatchReports()
    {
        LanguageModule::SetMissingHandler([this](const QString& message) { m_reports << message; });
    }
};

struct KnownText
{
    const char* name;
    int id;
    const char* text;
};

void PrintTo(const KnownText& row, std::ostream* os)
{
    *os << row.name;
}

class LanguageModuleKnownTextTest : public ::testing::TestWithParam<KnownText>
{
};

TEST_P(LanguageModuleKnownTextTest, ComesBackFromEveryLookup)
{
    const KnownText& row = GetParam();
    const QString expected = QString::fromUtf8(row.text);
    LanguageModule& module = LanguageModule::Instance();
    ASSERT_TRUE(module.IsLoaded());
    EXPECT_EQ(module.GetText(row.id), expected);
    EXPECT_EQ(GetText(row.id), expected);
    EXPECT_EQ(FromBuffer(module.LoadText(row.id)), expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, LanguageModuleKnownTextTest,
                         ::testing::Values(KnownText{"Today", 131, "Today"},
                                           KnownText{"Tomorrow", 133, "Tomorrow"},
                                           KnownText{"January", 134, "Jan"},
                                           KnownText{"Saturday", 152, "Sat"},
                                           KnownText{"HighPriority", 107, "High"},
                                           KnownText{"AllCategories", 252, "All Categories"},
                                           KnownText{"NoTaskSelected", 233, "No task is selected."}),
                         [](const ::testing::TestParamInfo<KnownText>& row) { return std::string(row.param.name); });

TEST_F(LanguageModuleTest, UnknownNumberGivesNoText)
{
    LanguageModule& module = LanguageModule::Instance();
    for (int id : {-1, 0, 103, 246, 253, 100000}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(module.GetText(id).isEmpty());
        EXPECT_EQ(module.LoadText(id), nullptr);
    }
}

TEST_F(LanguageModuleTest, LoadTextReusesOneBuffer)
{
    LanguageModule& module = LanguageModule::Instance();
    const char16_t* first = module.LoadText(131);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(QString::fromUtf16(first), u"Today");

    const char16_t* second = module.LoadText(132);
    EXPECT_EQ(second, first);
    EXPECT_EQ(QString::fromUtf16(first), u"Yesterday");
}

TEST_F(LanguageModuleTest, LoadTextCutsAt127WhileGetTextKeepsTheWholeText)
{
    LanguageModule module;
    CatchReports();
    ASSERT_TRUE(module.Load(QStringLiteral(ORBELIN_LONG_TEXT_MODULE_DIR), LanguageModule::LookIn::FolderOnly));
    EXPECT_TRUE(m_reports.isEmpty());

    const QString longText = module.GetText(1);
    ASSERT_EQ(longText.size(), 130);
    EXPECT_EQ(FromBuffer(module.LoadText(1)), longText.left(127));

    const QString exact = module.GetText(3);
    ASSERT_EQ(exact.size(), 127);
    EXPECT_EQ(FromBuffer(module.LoadText(3)), exact);

    // A character outside the basic plane is never cut in half.
    const QString wide = module.GetText(2);
    ASSERT_EQ(wide.size(), 129);
    ASSERT_TRUE(wide.at(126).isHighSurrogate());
    EXPECT_EQ(FromBuffer(module.LoadText(2)), wide.left(126));
}

TEST_F(LanguageModuleTest, MissingModuleLeavesEveryLookupEmptyAndReportsOnce)
{
    LanguageModule module;
    CatchReports();
    ASSERT_TRUE(module.Load(QCoreApplication::applicationDirPath(), LanguageModule::LookIn::FolderOnly));
    ASSERT_EQ(module.GetText(131), u"Today");
    ASSERT_TRUE(m_reports.isEmpty());

    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    EXPECT_FALSE(module.Load(empty.path(), LanguageModule::LookIn::FolderOnly));

    EXPECT_FALSE(module.IsLoaded());
    for (int id : {104, 131, 233, 288}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(module.GetText(id).isEmpty());
        EXPECT_EQ(module.LoadText(id), nullptr);
    }
    EXPECT_EQ(m_reports, QStringList{QStringLiteral("Cannot find language satellite DLL: res409.so.\n")});
    // The process-wide module is a separate object and keeps its texts.
    EXPECT_EQ(GetText(131), u"Today");
}

TEST_F(LanguageModuleTest, TableHoldsExactlyTheProgramsNumbersWithinTheBuffer)
{
    LanguageModule& module = LanguageModule::Instance();
    for (int id = 0; id <= 1000; ++id) {
        SCOPED_TRACE(id);
        const QString text = module.GetText(id);
        if (!Contains(kProgramTextIds, id)) {
            EXPECT_TRUE(text.isEmpty()) << text.toStdString();
            continue;
        }
        EXPECT_FALSE(text.trimmed().isEmpty());
        EXPECT_LE(text.size(), LanguageModule::kTextBufferSize - 1) << text.toStdString();
        EXPECT_EQ(FromBuffer(module.LoadText(id)), text);
    }
}

TEST_F(LanguageModuleTest, PlaceholdersStandOnlyWhereTheProgramFillsAValue)
{
    for (int id : kProgramTextIds) {
        SCOPED_TRACE(id);
        const QString text = GetText(id);
        EXPECT_EQ(text.contains(u"%1"), Contains(kTextsWithPlaceholder, id)) << text.toStdString();
        if (!Contains(kTextsWithPlaceholder, id)) {
            EXPECT_FALSE(text.contains(u'%')) << text.toStdString();
            continue;
        }
        EXPECT_FALSE(text.contains(u"%2")) << text.toStdString();
        const QString filled = text.arg(42);
        EXPECT_TRUE(filled.contains(u"42"));
        EXPECT_FALSE(filled.contains(u'%'));
    }
}

TEST_F(LanguageModuleTest, WordsThatTheProgramMatchesStayApart)
{
    // The CSV import takes the priority words as parts of the field, Low
    // first, then Normal, then High: none may contain another.
    const QStringList priorities{GetText(107), GetText(108), GetText(109)};
    for (const QString& a : priorities) {
        for (const QString& b : priorities) {
            if (&a != &b) {
                EXPECT_FALSE(a.contains(b)) << a.toStdString() << " / " << b.toStdString();
            }
        }
    }
    // The completion column: completed only on an exact match.
    EXPECT_NE(GetText(116), GetText(199));

    // The new calendar's categories must be accepted: distinct names, none
    // of them the all-categories caption.
    const QStringList defaults{GetText(249), GetText(250), GetText(251)};
    EXPECT_EQ(defaults.size(), QSet<QString>(defaults.begin(), defaults.end()).size());
    EXPECT_FALSE(defaults.contains(GetText(252)));
}

} // namespace
