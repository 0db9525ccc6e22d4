#include "model/Clock.h"
#include "model/DateFormat.h"
#include "model/LanguageModule.h"
#include "model/PackedDate.h"
#include "support/QtPrinters.h"
#include "support/TestTables.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

#include <string>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr PackedDate Raw(int year, int month, int day, quint32 flags = 0)
{
    return flags | (PackedDate(day) + PackedDate(month) * 256u + PackedDate(year) * 4096u);
}

// Thursday, 5 March 2009.
constexpr PackedDate kThursday = Raw(2009, 3, 5);

using testtables::PrintTo;
using testtables::RowName;

// The shown picture and today are process-wide: every test gets them back.
class DateFormatTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_picture = ShownDateFormat();
        m_incWeek = ShownDateIncWeek();
    }
    void TearDown() override
    {
        SetShownDateFormat(m_picture, m_incWeek);
        Clock::SetToday(0);
    }

private:
    QString m_picture;
    bool m_incWeek = false;
};

TEST_F(DateFormatTest, PictureWithAndWithoutWeekday)
{
    EXPECT_EQ(FormatDate(kThursday, QStringLiteral("yyyy-MM-dd"), false), QStringLiteral("2009-03-05"));
    EXPECT_EQ(FormatDate(kThursday, QStringLiteral("yyyy-MM-dd"), true),
              QStringLiteral("2009-03-05 ") + GetText(150));
    EXPECT_EQ(FormatDate(kThursday, QStringLiteral("yyyy-MM-dd"), true),
              QStringLiteral("2009-03-05 ") + DayName(Thursday));
}

TEST_F(DateFormatTest, NoDateShowsDashes)
{
    for (const PackedDate none : {PackedDate(0), PackedDate(kWeekFlag)}) {
        EXPECT_EQ(FormatDate(none, QStringLiteral("yyyy-MM-dd"), false), QStringLiteral("--"));
        EXPECT_EQ(FormatDate(none, QStringLiteral("yyyy-MM-dd"), true), QStringLiteral("--"));
        EXPECT_EQ(FormatDate(none, QString(), true), QStringLiteral("--"));
        EXPECT_EQ(FormatDateRelative(none, true), QStringLiteral("--"));
        EXPECT_TRUE(FormatDatePlain(none).isEmpty());
    }
}

// --- Picture elements --------------------------------------------------------

struct PictureRow
{
    const char* name;
    PackedDate date;
    const char16_t* picture;
    const char16_t* expected;
};

const PictureRow kPictureRows[] = {
    {"DayNoZero", kThursday, u"d", u"5"},
    {"DayZero", kThursday, u"dd", u"05"},
    {"DayTwoDigits", Raw(2009, 11, 23), u"d dd", u"23 23"},
    {"ShortWeekday", kThursday, u"ddd", u"Thu"},
    {"LongWeekday", kThursday, u"dddd", u"Thursday"},
    {"FiveDsAreLongWeekday", kThursday, u"ddddd", u"Thursday"},
    {"MonthNoZero", kThursday, u"M", u"3"},
    {"MonthZero", kThursday, u"MM", u"03"},
    {"MonthTwoDigits", Raw(2009, 11, 23), u"M MM", u"11 11"},
    {"ShortMonth", kThursday, u"MMM", u"Mar"},
    {"LongMonth", kThursday, u"MMMM", u"March"},
    {"FiveMsAreLongMonth", kThursday, u"MMMMM", u"March"},
    {"YearNoCenturyNoZero", kThursday, u"y", u"9"},
    {"YearNoCenturyTwoDigits", Raw(2010, 1, 1), u"y", u"10"},
    {"YearNoCenturyZero", kThursday, u"yy", u"09"},
    {"CenturyYear", Raw(2000, 1, 1), u"y yy", u"0 00"},
    {"ThreeYsAreFullYear", kThursday, u"yyy", u"2009"},
    {"FullYear", kThursday, u"yyyy", u"2009"},
    {"FiveYsAreFullYear", kThursday, u"yyyyy", u"2009"},
    {"FullYearPaddedToFourDigits", Raw(999, 1, 1), u"yyyy", u"0999"},
    {"AdjacentElements", kThursday, u"dMy", u"539"},
    {"OtherCharactersCopied", kThursday, u"d/M g h:m t!", u"5/3 g h:m t!"},
    {"NonLatinTextCopied", kThursday, u"yyyy\u5E74M\u6708d\u65E5", u"2009\u5E74" u"3\u6708" u"5\u65E5"},
    {"QuotedLetters", kThursday, u"'d M y' d", u"d M y 5"},
    {"QuotedWord", kThursday, u"'Day' d", u"Day 5"},
    {"DoubledQuoteInsideQuotes", kThursday, u"'It''s' d", u"It's 5"},
    {"DoubledQuoteOutsideQuotes", kThursday, u"''d''", u"'5'"},
    {"UnterminatedQuoteIsLiteral", kThursday, u"d 'of M yyyy", u"5 of M yyyy"},
    {"LoneQuoteAtEnd", kThursday, u"d'", u"5"},
    {"LongForm", kThursday, u"dddd, MMMM d, yyyy", u"Thursday, March 5, 2009"},
    {"EmptyPictureIsDefault", kThursday, u"", u"3/5/09"},
    {"FieldsOutOfRangeShowNearestDay", Raw(2009, 13, 40), u"yyyy-MM-dd", u"2009-12-31"},
};

class PictureTest : public testing::TestWithParam<PictureRow>
{
};

TEST_P(PictureTest, FormatsElement)
{
    const PictureRow& row = GetParam();
    EXPECT_EQ(FormatDate(row.date, QString::fromUtf16(row.picture), false), QString::fromUtf16(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, PictureTest, testing::ValuesIn(kPictureRows), RowName<PictureRow>);

TEST_F(DateFormatTest, PresetPicturesInTheirOrder)
{
    const QStringList expectedPictures = {u"M/d/yyyy"_s,   u"M/d/yy"_s,     u"MM/dd/yy"_s, u"MM/dd/yyyy"_s,
                                          u"yy/MM/dd"_s,   u"yyyy-MM-dd"_s, u"dd-MMM-yy"_s};
    const QStringList expectedTexts = {u"3/5/2009"_s, u"3/5/09"_s,     u"03/05/09"_s, u"03/05/2009"_s,
                                       u"09/03/05"_s, u"2009-03-05"_s, u"05-Mar-09"_s};
    const QStringList presets = PresetDateFormats();
    ASSERT_EQ(presets, expectedPictures);
    for (int i = 0; i < presets.size(); ++i)
        EXPECT_EQ(FormatDate(kThursday, presets[i], false), expectedTexts[i]) << presets[i].toStdString();
}

// --- Shown, plain and relative texts ------------------------------------------

TEST_F(DateFormatTest, ShownFormatRoundTrip)
{
    SetShownDateFormat(u"dd-MMM-yy"_s, true);
    EXPECT_EQ(ShownDateFormat(), u"dd-MMM-yy"_s);
    EXPECT_TRUE(ShownDateIncWeek());
    EXPECT_EQ(FormatDateShown(kThursday), u"05-Mar-09 "_s + GetText(150));

    SetShownDateFormat(u"yyyy-MM-dd"_s, false);
    EXPECT_EQ(ShownDateFormat(), u"yyyy-MM-dd"_s);
    EXPECT_FALSE(ShownDateIncWeek());
    EXPECT_EQ(FormatDateShown(kThursday), u"2009-03-05"_s);
    EXPECT_EQ(FormatDateShown(0), u"--"_s);

    // An empty picture stands for the locale's default.
    SetShownDateFormat(QString(), false);
    EXPECT_EQ(ShownDateFormat(), DefaultDateFormat());
    EXPECT_EQ(FormatDateShown(kThursday), u"3/5/09"_s);
}

TEST_F(DateFormatTest, PlainTextFollowsTheLocaleNotTheUsersChoice)
{
    SetShownDateFormat(u"yyyy-MM-dd"_s, true);
    EXPECT_EQ(FormatDatePlain(kThursday), u"3/5/09"_s);
    EXPECT_EQ(FormatDatePlain(Raw(2009, 3, 5, kWeekFlag)), u"3/5/09"_s);
}

struct RelativeRow
{
    const char* name;
    PackedDate today;
    PackedDate date;
    bool withRelative;
    int label; // 0: no label
};

const RelativeRow kRelativeRows[] = {
    {"Today", kThursday, kThursday, true, 131},
    {"Yesterday", kThursday, Raw(2009, 3, 4), true, 132},
    {"Tomorrow", kThursday, Raw(2009, 3, 6), true, 133},
    {"TwoDaysAhead", kThursday, Raw(2009, 3, 7), true, 0},
    {"TwoDaysBack", kThursday, Raw(2009, 3, 3), true, 0},
    {"TodayWithoutRelative", kThursday, kThursday, false, 0},
    {"TomorrowWithoutRelative", kThursday, Raw(2009, 3, 6), false, 0},
    {"YesterdayOverMonthEnd", Raw(2009, 3, 1), Raw(2009, 2, 28), true, 132},
    {"TomorrowOverYearEnd", Raw(2009, 12, 31), Raw(2010, 1, 1), true, 133},
    {"TodayWithWeekFlagIsAnotherValue", kThursday, Raw(2009, 3, 5, kWeekFlag), true, 0},
};

class RelativeTest : public DateFormatTest, public testing::WithParamInterface<RelativeRow>
{
};

TEST_P(RelativeTest, AppendsTheDayLabel)
{
    const RelativeRow& row = GetParam();
    SetShownDateFormat(u"yyyy-MM-dd"_s, false);
    Clock::SetToday(row.today);
    QString expected = FormatDate(row.date, u"yyyy-MM-dd"_s, false);
    if (row.label != 0)
        expected += u" ("_s + GetText(row.label) + u')';
    EXPECT_EQ(FormatDateRelative(row.date, row.withRelative), expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, RelativeTest, testing::ValuesIn(kRelativeRows), RowName<RelativeRow>);

TEST_F(DateFormatTest, RelativeLabelFollowsTheShownWeekday)
{
    SetShownDateFormat(u"M/d/yyyy"_s, true);
    Clock::SetToday(Raw(2009, 3, 4));
    EXPECT_EQ(FormatDateRelative(kThursday, true), u"3/5/2009 "_s + GetText(150) + u" ("_s + GetText(133) + u')');
}

// --- The default picture -----------------------------------------------------

TEST_F(DateFormatTest, DefaultPictureOfTheTestLocale)
{
    ASSERT_EQ(QLocale::system().name(), u"en_US"_s);
    EXPECT_EQ(DefaultDateFormat(), u"M/d/yy"_s);
}

struct QtFormatRow
{
    const char* name;
    const char16_t* qtFormat;
    const char16_t* picture;
};

const QtFormatRow kQtFormatRows[] = {
    {"UnitedStates", u"M/d/yy", u"M/d/yy"},
    {"Germany", u"dd.MM.yy", u"dd.MM.yy"},
    {"Japan", u"yyyy/MM/dd", u"yyyy/MM/dd"},
    {"Britain", u"dd/MM/yyyy", u"dd/MM/yyyy"},
    {"QuotedNonLatinText", u"d.MM.yy '\u0433'.", u"d.MM.yy \u0433."},
    {"QuotedTextWithPictureLetters", u"d 'de' MMMM", u"d' de 'MMMM"},
    {"QuotedQuote", u"d''M", u"d''M"},
    {"LoneYIsText", u"d y", u"d' y'"},
    {"ThreeYsAreTwoDigitsAndText", u"yyy", u"yy'y'"},
    {"FiveYsAreFullYearAndText", u"yyyyy", u"yyyy'y'"},
    {"UnterminatedQuote", u"d 'M", u"d' M'"},
    {"Empty", u"", u""},
};

class QtFormatTest : public testing::TestWithParam<QtFormatRow>
{
};

// The picture reads as Qt reads the format: both show the same text.
TEST_P(QtFormatTest, TranslatesToAPictureShowingTheSameText)
{
    const QtFormatRow& row = GetParam();
    const QString qtFormat = QString::fromUtf16(row.qtFormat);
    const QString picture = PictureFromQtFormat(qtFormat);
    EXPECT_EQ(picture, QString::fromUtf16(row.picture));
    if (qtFormat.isEmpty())
        return;
    for (const PackedDate date : {kThursday, Raw(2010, 11, 23)})
        EXPECT_EQ(FormatDate(date, picture, false), QLocale::system().toString(ToPlatformTime(date), qtFormat));
}

INSTANTIATE_TEST_SUITE_P(Rows, QtFormatTest, testing::ValuesIn(kQtFormatRows), RowName<QtFormatRow>);

// Every locale whose short date uses digits 0-9 and no names: the translated
// picture gives what the locale itself gives.
TEST_F(DateFormatTest, EveryLocalesShortDateComesOutAsTheLocaleWritesIt)
{
    int checked = 0;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        const QString qtFormat = locale.dateFormat(QLocale::ShortFormat);
        if (locale.zeroDigit() != u"0"_s || qtFormat.contains(u"MMM"_s) || qtFormat.contains(u"ddd"_s))
            continue;
        const QString picture = PictureFromQtFormat(qtFormat);
        ASSERT_FALSE(picture.isEmpty()) << locale.name().toStdString();
        for (const PackedDate date : {kThursday, Raw(2010, 11, 23)}) {
            EXPECT_EQ(FormatDate(date, picture, false), locale.toString(ToPlatformTime(date), QLocale::ShortFormat))
                << locale.name().toStdString() << " " << qtFormat.toStdString();
        }
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

} // namespace
