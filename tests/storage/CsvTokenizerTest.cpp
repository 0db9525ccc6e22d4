#include "storage/CsvTokenizer.h"

#include "support/QtPrinters.h"
#include "support/TestTables.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every record of a text as [field][field]..., records apart by one space,
// a record without fields as (); CR and LF inside fields show as \r and \n.
std::string Records(const QString& text)
{
    CsvTokenizer tokenizer(text);
    QStringList records;
    while (tokenizer.ReadRecord()) {
        QString record;
        for (int i = 0; i < tokenizer.FieldCount(); ++i) {
            QString field = tokenizer.Field(i);
            field.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
            record += u'[' + field + u']';
        }
        records.append(record.isEmpty() ? QStringLiteral("()") : record);
    }
    return records.join(u' ').toStdString();
}

struct TokenRow
{
    std::string name;
    std::u16string text;
    std::string records;
};
using testtables::PrintTo;

const TokenRow kTokenRows[] = {
    {"PlainFields", u"a,b,c\n", "[a][b][c]"},
    {"QuotesAroundFieldDropped", u"\"a\",\"b\"\n", "[a][b]"},
    {"DoubledQuoteIsOneQuote", u"\"say \"\"hi\"\"\",x\n", "[say \"hi\"][x]"},
    {"CommaInsideQuotes", u"\"a,b\",c\n", "[a,b][c]"},
    {"CrLfInsideQuotesKept", u"\"a\r\nb\",c\r\n", "[a\\r\\nb][c]"},
    {"BareLfInsideQuotesBecomesCrLf", u"\"a\nb\n\nc\"\n", "[a\\r\\nb\\r\\n\\r\\nc]"},
    {"LoneCrInsideQuotesKept", u"\"a\rb\"\n", "[a\\rb]"},
    {"CrLfEndsOneRecord", u"a\r\nb\r\n", "[a] [b]"},
    {"CrEndsRecord", u"a\rb\r", "[a] [b]"},
    {"LfEndsRecord", u"a\nb\n", "[a] [b]"},
    {"NulEndsRecord", std::u16string(u"a\0b\n", 4), "[a] [b]"},
    {"LfThenCrAreTwoEnds", u"a\n\rb\n", "[a] () [b]"},
    {"BlankLineIsRecordWithoutFields", u"a\n\nb\n", "[a] () [b]"},
    {"TextAfterClosingQuoteAppended", u"\"ab\"cd,e\n", "[abcd][e]"},
    {"TextAfterClosingQuoteTakenAsItStands", u"\"a\"b\"c,d\"\n", "[ab\"c][d\"]"},
    {"QuoteInsideUnquotedFieldStays", u"ab\"cd\"ef,g\n", "[ab\"cd\"ef][g]"},
    {"EmptyQuotedField", u"\"\",x\n", "[][x]"},
    {"TrailingCommaGivesEmptyLastField", u"a,\n", "[a][]"},
    {"LoneCommaGivesTwoEmptyFields", u",\n", "[][]"},
    {"LastRecordWithoutLineEnd", u"a,b\nc,d", "[a][b] [c][d]"},
    {"UnclosedQuoteRunsToTheEnd", u"\"a\nb,c", "[a\\r\\nb,c]"},
    {"EmptyText", u"", ""},
};

class CsvTokenizerRowTest : public testing::TestWithParam<TokenRow>
{
};

TEST_P(CsvTokenizerRowTest, SplitsRecordsAndFields)
{
    const TokenRow& row = GetParam();
    EXPECT_EQ(Records(QString::fromStdU16String(row.text)), row.records);
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvTokenizerRowTest, testing::ValuesIn(kTokenRows), testtables::RowName<TokenRow>);

} // namespace

TEST(CsvTokenizerTest, FieldsPastTheLastReadEmptyAndEndStaysEnded)
{
    CsvTokenizer tokenizer(QStringLiteral("a,b\n"));
    ASSERT_TRUE(tokenizer.ReadRecord());
    EXPECT_EQ(tokenizer.FieldCount(), 2);
    EXPECT_EQ(tokenizer.Field(1), QStringLiteral("b"));
    EXPECT_TRUE(tokenizer.Field(2).isEmpty());
    EXPECT_TRUE(tokenizer.Field(-1).isEmpty());
    EXPECT_FALSE(tokenizer.ReadRecord());
    EXPECT_EQ(tokenizer.FieldCount(), 0);
    EXPECT_FALSE(tokenizer.ReadRecord());
}

class CsvFileTextTest : public testing::Test
{
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("in.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(CsvFileTextTest, ReadsUtf8WithOrWithoutByteOrderMark)
{
    QString text;
    ASSERT_TRUE(CsvTokenizer::ReadFileText(Write("\xC3\xA9t\xC3\xA9,x\n"), text));
    EXPECT_EQ(text, QStringLiteral("\u00E9t\u00E9,x\n"));
    ASSERT_TRUE(CsvTokenizer::ReadFileText(Write("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9,x\n"), text));
    EXPECT_EQ(text, QStringLiteral("\u00E9t\u00E9,x\n"));
}

TEST_F(CsvFileTextTest, BytesThatAreNotUtf8BecomeReplacementCharacters)
{
    QString text;
    ASSERT_TRUE(CsvTokenizer::ReadFileText(Write("a\xFF\xC3,\x80z\n"), text));
    EXPECT_EQ(text, QStringLiteral("a\uFFFD\uFFFD,\uFFFDz\n"));
}

TEST_F(CsvFileTextTest, MissingFileCannotBeRead)
{
    QString text;
    EXPECT_FALSE(CsvTokenizer::ReadFileText(m_dir.filePath(QStringLiteral("none.csv")), text));
}
