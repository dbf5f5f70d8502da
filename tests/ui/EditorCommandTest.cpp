#include "ui/EditorCommand.h"

#include <gtest/gtest.h>

namespace quelmar {
namespace {

std::vector<std::string> words(const QString& setting) {
    std::vector<std::string> out;
    for (const QString& word : editorCommand(setting))
        out.push_back(word.toStdString());
    return out;
}

using Words = std::vector<std::string>;

TEST(EditorCommand, SplitsAsAShellWouldWithoutRunningOne) {
    EXPECT_EQ(words("  kate\t-n  "), (Words{"kate", "-n"}));
    EXPECT_EQ(words(R"('/opt/my editor/edit' --title "a \"b\" \$c \d")"),
              (Words{"/opt/my editor/edit", "--title", R"(a "b" $c \d)"}));
    EXPECT_EQ(words(R"(/opt/my\ editor/edit a'b'"c"d)"), (Words{"/opt/my editor/edit", "abcd"}));
    EXPECT_EQ(words(R"(edit '' "")"), (Words{"edit", "", ""})); // empty words stay words
    EXPECT_EQ(words("$HOME/bin/edit `date` *.dat"), (Words{"$HOME/bin/edit", "`date`", "*.dat"}));
}

TEST(EditorCommand, NothingToRunGivesNoCommand) {
    EXPECT_TRUE(editorCommand("").isEmpty());
    EXPECT_TRUE(editorCommand("   ").isEmpty());
    EXPECT_TRUE(editorCommand("kate 'left open").isEmpty());
    EXPECT_TRUE(editorCommand("kate \"left open").isEmpty());
}

} // namespace
} // namespace quelmar
