#include "survey/DelimitedTable.h"

#include "core/Error.h"

#include <gtest/gtest.h>

using namespace quelmar;

TEST(DelimitedTable, QuotedFieldsMayHoldCommasQuotesAndLineEnds) {
    const DelimitedTable table("\xEF\xBB\xBF"
                               "a,\"b, c\"\r\n1,\"say \"\"hi\"\"\"\r\n2,\"two\nlines\"\r\n3\r\n",
                               "t.csv");
    ASSERT_EQ(table.header(), (std::vector<std::string>{"a", "b, c"}));
    ASSERT_EQ(table.rows().size(), 3u);
    EXPECT_EQ(table.rows()[0].fields[1], "say \"hi\"");
    EXPECT_EQ(table.rows()[1].fields[1], "two\nlines");
    EXPECT_EQ(table.rows()[2].line, 5);
    EXPECT_EQ(DelimitedTable::field(table.rows()[2], 1), "");
    EXPECT_EQ(table.column("B, C"), 1u);
}

TEST(DelimitedTable, HeaderIsTheLastLineBeforeTheRows) {
    const DelimitedTable table("# Kepler export\n#\n# time  flux  err\n1 2 3\n", "t.txt");
    EXPECT_FALSE(table.commaSeparated());
    EXPECT_EQ(table.header(), (std::vector<std::string>{"time", "flux", "err"}));
    EXPECT_THROW(DelimitedTable("1,2\n3,4\n", "n.csv"), QuelmarError);
    EXPECT_THROW(DelimitedTable("", "e.csv"), QuelmarError);
}
