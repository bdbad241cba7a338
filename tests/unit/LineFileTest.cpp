#include "settings/LineFile.h"
#include "text/CodePage.h"

#include "fakes/FakePlatform.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <functional>

using namespace korimba::settings;
using korimba::Exception;
using korimba::fakes::FakePlatform;

namespace {

class LineFile : public testing::Test {
protected:
    FakePlatform fake;
    const std::string settings = fake.programFolder() + "Settings.ini";
    TextLines buffer{"left over"};

    std::string errorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const Exception& error) {
            return error.message();
        }
        return "no error";
    }
};

} // namespace

TEST_F(LineFile, LoadReplacesTheBufferWithTheFile) {
    fake.files.addFile(settings, "C:\\L3ENC\\L3ENC.EXE\r\nC:\\L3DEC\\L3DEC.EXE\r\n");
    loadLines(fake.files, settings, buffer);
    EXPECT_EQ(buffer, (TextLines{"C:\\L3ENC\\L3ENC.EXE", "C:\\L3DEC\\L3DEC.EXE"}));
}

TEST_F(LineFile, SaveReplacesTheFileWhole) {
    fake.files.addFile(settings, "one\r\ntwo\r\nthree\r\n");
    saveLines(fake.files, settings, TextLines{"", "C:\\L3DEC\\L3DEC.EXE"});
    EXPECT_EQ(fake.files.fileContent(settings), "\r\nC:\\L3DEC\\L3DEC.EXE\r\n");
    saveLines(fake.files, settings, TextLines{});
    EXPECT_EQ(fake.files.fileContent(settings), "");
}

TEST_F(LineFile, UnreadableFileRaisesCannotOpenAndKeepsTheBuffer) {
    fake.files.addFile(settings, "C:\\L3ENC\\L3ENC.EXE\r\n");
    fake.files.denyReads(settings);
    EXPECT_EQ(errorOf([&] { loadLines(fake.files, settings, buffer); }),
              "Cannot open file C:\\Korimba\\Settings.ini");
    EXPECT_EQ(buffer, TextLines{"left over"});
}

TEST_F(LineFile, MissingFileIsLeftToTheCaller) {
    EXPECT_EQ(errorOf([&] { loadLines(fake.files, settings, buffer); }),
              "Cannot open file C:\\Korimba\\Settings.ini");
    EXPECT_FALSE(loadLinesIfExists(fake.files, settings, buffer));
    EXPECT_EQ(buffer, TextLines{"left over"});
}

TEST_F(LineFile, UnwritableFileRaisesCannotCreateAndStaysAsItWas) {
    const std::string prefs = fake.programFolder() + "Prefs.ini";
    fake.files.addFile(prefs, "Normal\r\n");
    fake.files.denyWrites(fake.programFolder());
    EXPECT_EQ(errorOf([&] { saveLines(fake.files, prefs, TextLines{"Maximized"}); }),
              "Cannot create file C:\\Korimba\\Prefs.ini");
    EXPECT_EQ(fake.files.fileContent(prefs), "Normal\r\n");
}

TEST_F(LineFile, LinesOfAnOlderVersionInTheLegacyCodePageLoadAsUtf8) {
    // "Musique\Café – Live" as code page 1252 wrote it, and as UTF-8.
    const std::string legacy = "D:\\Musique\\Caf\xE9 \x96 Live\\";
    const std::string utf8 = "D:\\Musique\\Caf\u00E9 \u2013 Live\\";
    TextLines lines{legacy, utf8, "Yes", "\u65E5\u672C"};
    fromLegacyLines(fake.text, lines);
    EXPECT_EQ(lines, (TextLines{legacy, utf8, "Yes", "\u65E5\u672C"})) << "not in UTF-8: as read";
    fake.text.setUtf8(true);
    fromLegacyLines(fake.text, lines);
    EXPECT_EQ(lines, (TextLines{utf8, utf8, "Yes", "\u65E5\u672C"}));
}

TEST(Utf8Text, WellFormedSequencesOnly) {
    EXPECT_TRUE(korimba::text::isValidUtf8(""));
    EXPECT_TRUE(korimba::text::isValidUtf8("plain \u00E9 \u2013 \U0001F3B5"));
    for (const char* bad : {"\xE9", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\x80", "a\xE2\x82"})
        EXPECT_FALSE(korimba::text::isValidUtf8(bad)) << bad;
}
