#include "storage/CsvDatePattern.h"

#include "model/DateFormat.h"
#include "support/QtPrinters.h"
#include "support/TestTables.h"

#include <QLocale>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using testtables::PrintTo;
using testtables::RowName;

struct ParseRow
{
    std::string name;
    std::u16string picture;
    std::u16string field;
    PackedDate expected;
};

const PackedDate kMar15 = MakeDate(2009, 3, 15);

const ParseRow kParseRows[] = {
    {"MonthDayFullYear", u"M/d/yyyy", u"3/15/2009", kMar15},
    {"TwoDigitYearWidened", u"M/d/yyyy", u"3/15/09", kMar15},
    {"TwoDigitYear51IsLastCentury", u"M/d/yy", u"3/15/51", MakeDate(1951, 3, 15)},
    {"DayMonthYear", u"dd.MM.yyyy", u"15.03.2009", kMar15},
    {"YearMonthDay", u"yyyy-MM-dd", u"2009-03-15", kMar15},
    {"RunsReadAnyNumberOfDigits", u"dd/MM/yy", u"15/3/2009", kMar15},
    {"SpaceBeforeNumbersSkipped", u"M/d/yyyy", u" 3/ 15/ 2009", kMar15},
    {"SpaceInPictureMatchesNone", u"d. M. yyyy", u"15.3.2009", kMar15},
    {"SpaceInPictureMatchesSeveral", u"d. M. yyyy", u"15.  3.\t2009", kMar15},
    {"TextAfterTheYearIgnored", u"M/d/yyyy", u"3/15/2009 10:00", kMar15},
    {"QuotedTextMustStand", u"d.MM.yy '\u0433'.", u"15.03.09 \u0433.", kMar15},
    {"QuotedLettersAreText", u"'day' d/M/yyyy", u"day 15/3/2009", kMar15},
    {"NonLatinSeparators", u"yyyy\u5E74M\u6708d\u65E5", u"2009\u5E74" u"3\u6708" u"15\u65E5", kMar15},
    {"WeekdayNameLeftOut", u"dddd M/d/yyyy", u"3/15/2009", kMar15},
    {"MonthNameRead", u"dd-MMM-yy", u"15-Mar-09", kMar15},
    {"LongMonthNameAnyCase", u"d MMMM yyyy", u"15 MARCH 2009", kMar15},
    {"MonthNameFieldTakesNumber", u"dd-MMM-yy", u"15-3-09", kMar15},
    {"LaterRunOfALetterReadButUnused", u"d/M/d/yyyy", u"15/3/99/2009", kMar15},
    {"DayPastMonthEndClamped", u"M/d/yyyy", u"2/30/2009", MakeDate(2009, 2, 28)},
    {"MonthPastYearEndClamped", u"M/d/yyyy", u"13/1/2009", MakeDate(2009, 12, 1)},
    {"HugeYearClamped", u"M/d/yyyy", u"3/15/99999999999", MakeDate(65535, 3, 15)},
    {"EmptyFieldNoDate", u"M/d/yyyy", u"", kNoDate},
    {"TwoNumbersNoDate", u"M/d/yyyy", u"3/15", kNoDate},
    {"OtherSeparatorNoDate", u"M/d/yyyy", u"3-15-2009", kNoDate},
    {"TextNoDate", u"M/d/yyyy", u"soon", kNoDate},
    {"TextBeforeTheNumbersMustStand", u"'\u0433'. d.MM.yy", u"15.03.09", kNoDate},
    {"AllZeroNoDate", u"M/d/yyyy", u"0/0/0", kNoDate},
};

class CsvDatePatternParseTest : public testing::TestWithParam<ParseRow>
{
};

TEST_P(CsvDatePatternParseTest, ReadsField)
{
    const ParseRow& row = GetParam();
    CsvDatePattern pattern;
    int errorText = -1;
    ASSERT_TRUE(pattern.Build(QString::fromStdU16String(row.picture), errorText));
    EXPECT_EQ(errorText, 0);
    EXPECT_EQ(pattern.Parse(QString::fromStdU16String(row.field)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvDatePatternParseTest, testing::ValuesIn(kParseRows), RowName<ParseRow>);

struct RefusedRow
{
    std::string name;
    std::u16string picture;
    int errorText;
};

const RefusedRow kRefusedRows[] = {
    {"NoYear", u"M/d", 270},
    {"NoMonth", u"d/yyyy", 271},
    {"NoDay", u"M/yyyy", 272},
    {"WeekdayIsNoDay", u"dddd M/yyyy", 272},
    {"YearMissingBeforeMonth", u"d", 270},
    {"Empty", u"", 270},
    {"QuotedLettersAreNoElements", u"'d/M/y'", 270},
};

class CsvDatePatternRefusedTest : public testing::TestWithParam<RefusedRow>
{
};

TEST_P(CsvDatePatternRefusedTest, NamesWhatIsMissing)
{
    const RefusedRow& row = GetParam();
    CsvDatePattern pattern;
    int errorText = 0;
    EXPECT_FALSE(pattern.Build(QString::fromStdU16String(row.picture), errorText));
    EXPECT_EQ(errorText, row.errorText);
    EXPECT_EQ(pattern.Parse(u"3/15/2009"), kNoDate);
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvDatePatternRefusedTest, testing::ValuesIn(kRefusedRows), RowName<RefusedRow>);

struct FullYearRow
{
    std::string name;
    std::u16string picture;
    std::u16string expected; // 15 March 2050
};

const FullYearRow kFullYearRows[] = {
    {"TwoDigitYear", u"M/d/yy", u"3/15/2050"},
    {"OneLetterYear", u"d.M.y", u"15.3.2050"},
    {"FullYearStays", u"yyyy-MM-dd", u"2050-03-15"},
    {"QuotedTextStays", u"d.MM.yy '\u0433'.", u"15.03.2050 \u0433."},
    {"QuotesAndLettersInTextStay", u"'It''s' d MMM 'y' yy", u"It's 15 Mar y 2050"},
};

class CsvFullYearPictureTest : public testing::TestWithParam<FullYearRow>
{
};

TEST_P(CsvFullYearPictureTest, ShowsTheWholeYear)
{
    const FullYearRow& row = GetParam();
    const QString picture = CsvDatePattern::FullYearPicture(QString::fromStdU16String(row.picture));
    EXPECT_EQ(FormatDate(MakeDate(2050, 3, 15), picture, false), QString::fromStdU16String(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvFullYearPictureTest, testing::ValuesIn(kFullYearRows), RowName<FullYearRow>);

} // namespace

// Whatever the locale, a date the export writes reads back as the same day,
// also outside the century that two-digit years are widened into.
TEST(CsvDatePatternTest, EveryLocaleReadsBackTheDatesItWrites)
{
    QSet<QString> pictures;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
        pictures.insert(PictureFromQtFormat(locale.dateFormat(QLocale::ShortFormat)));
    ASSERT_GT(pictures.size(), 20);

    const PackedDate dates[] = {MakeDate(2009, 3, 15), MakeDate(1949, 12, 31), MakeDate(2051, 1, 2),
                                MakeDate(2024, 2, 29)};
    for (const QString& picture : std::as_const(pictures)) {
        CsvDatePattern pattern;
        int errorText = 0;
        ASSERT_TRUE(pattern.Build(picture, errorText)) << picture.toStdString();
        const QString written = CsvDatePattern::FullYearPicture(picture);
        for (const PackedDate date : dates) {
            const QString text = FormatDate(date, written, false);
            EXPECT_EQ(pattern.Parse(text), date) << picture.toStdString() << " wrote " << text.toStdString();
        }
    }
}
