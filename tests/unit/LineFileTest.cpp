#include "settings/LineFile.h"

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
