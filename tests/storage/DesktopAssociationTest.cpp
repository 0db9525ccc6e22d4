#include "storage/DesktopAssociation.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

TEST(DesktopAssociationTest, ExecProgramQuotesAndEscapesThePath)
{
    struct Row
    {
        const char* name;
        QString path, expected;
    };
    // Expected texts as they stand in the file.
    const std::vector<Row> rows = {
        {"plain", u"/usr/bin/orbelin"_s, u"\"/usr/bin/orbelin\""_s},
        {"space", u"/opt/My Apps/orbelin"_s, u"\"/opt/My Apps/orbelin\""_s},
        {"dollar", u"/opt/a$b/orbelin"_s, u"\"/opt/a\\\\$b/orbelin\""_s},
        {"backslash", u"/opt/a\\b/orbelin"_s, u"\"/opt/a\\\\\\\\b/orbelin\""_s},
        {"double quote", u"/opt/\"x\"/orbelin"_s, u"\"/opt/\\\\\"x\\\\\"/orbelin\""_s},
        {"backtick", u"/opt/`x`/orbelin"_s, u"\"/opt/\\\\`x\\\\`/orbelin\""_s},
        {"percent", u"/opt/100%/orbelin"_s, u"\"/opt/100%%/orbelin\""_s},
        {"quote and semicolon", u"/opt/it's;ok/orbelin"_s, u"\"/opt/it's;ok/orbelin\""_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DesktopAssociation::ExecProgram(row.path), row.expected);
    }
}

} // namespace
