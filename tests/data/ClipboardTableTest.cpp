#include <gtest/gtest.h>

#include "data/ClipboardTable.h"

using tabrel::cutClipboardTable;
using Rows = std::vector<std::vector<std::string>>;

TEST(ClipboardTable, CutsLinesAndFieldsAsTheBlockPasteDoes)
{
    const struct {
        const char* text;
        Rows rows;
    } cases[] = {
        {"", {}},
        {"a", {{"a"}}},
        {"a\n", {{"a"}}},
        {"a\nb", {{"a"}, {"b"}}},
        {"\n", {{""}}},
        {"a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"x\t\n", {{"x"}}},
        {"x\t\r\n", {{"x", ""}}},
        {"\t", {{""}}},
        {"\tb", {{"", "b"}}},
        {"a\t\tb", {{"a", "", "b"}}},
        {" a \t b\r\n", {{"a", "b"}}},
        {"a\r\nb\r\n", {{"a"}, {"b"}}},
        {"\xd5\xc5\xc8\xfd \t\xa1\xa1x", {{"\xd5\xc5\xc8\xfd", "\xa1\xa1x"}}}, // only ASCII blanks are trimmed
    };
    for (const auto& c : cases)
        EXPECT_EQ(cutClipboardTable(c.text), c.rows) << "text: " << c.text;
}

TEST(ClipboardTable, JoinedTableCutsBackToItselfButForTrailingEmptyFields)
{
    const Rows rows = {{"a", "b"}, {"1", "x"}, {"2", ""}, {"", "y"}};
    EXPECT_EQ(cutClipboardTable(tabrel::joinClipboardTable(rows)), Rows({{"a", "b"}, {"1", "x"}, {"2"}, {"", "y"}}));
}
