#include "ui/TextLines.h"

#include <gtest/gtest.h>

using korimba::ui::TextLines;
using Lines = std::vector<std::string>;

namespace {

Lines loaded(std::string_view text) {
    TextLines lines;
    lines.setText(text);
    return lines.lines();
}

} // namespace

TEST(TextLines, EveryKindOfLineBreakEndsALine) {
    EXPECT_EQ(loaded("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(loaded("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(TextLines, AFinalLineBreakAddsNoEmptyLine) {
    EXPECT_EQ(loaded("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(loaded("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(loaded("\r\n"), (Lines{""}));
    EXPECT_EQ(loaded(""), Lines{});
}

TEST(TextLines, LoadReplacesTheWholeContent) {
    TextLines lines{"old 1", "old 2", "old 3"};
    lines.setText("new");
    EXPECT_EQ(lines.lines(), (Lines{"new"}));
}

TEST(TextLines, SavedFormEndsEveryLineWithCrLf) {
    TextLines lines;
    EXPECT_EQ(lines.text(), "");
    lines.add("C:\\L3ENC\\L3ENC.EXE");
    lines.add("");
    EXPECT_EQ(lines.text(), "C:\\L3ENC\\L3ENC.EXE\r\n\r\n");

    TextLines unixText;
    unixText.setText("a\nb");
    EXPECT_EQ(unixText.text(), "a\r\nb\r\n");
}

TEST(TextLines, BlankValueKeepsItsLineNumber) {
    TextLines lines;
    lines.add("");
    lines.add("C:\\L3DEC\\L3DEC.EXE");
    TextLines reloaded;
    reloaded.setText(lines.text());
    EXPECT_EQ(reloaded.numberedLine(1), "");
    EXPECT_EQ(reloaded.numberedLine(2), "C:\\L3DEC\\L3DEC.EXE");
    EXPECT_EQ(reloaded.line(1), "C:\\L3DEC\\L3DEC.EXE");
}

TEST(TextLines, LinesPastTheEndReadAsEmpty) {
    TextLines lines{"Maximized"};
    EXPECT_EQ(lines.numberedLine(1), "Maximized");
    EXPECT_EQ(lines.numberedLine(0), "");
    EXPECT_EQ(lines.numberedLine(2), "");
    EXPECT_EQ(lines.line(11), "");
    lines.clear();
    EXPECT_EQ(lines.count(), 0u);
    EXPECT_EQ(lines.numberedLine(1), "");
}
