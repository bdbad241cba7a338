// Names beyond ASCII in the job scripts, and the report of what a job failed
// to produce. Names are code page 1252 bytes: "\xE9" is "é", "\x96" the en
// dash, which the console's code page 850 does not have.
#include "fakes/FakePlatform.h"
#include "jobs/JobOutcome.h"
#include "jobs/JobScript.h"
#include "jobs/ScriptNames.h"
#include "lists/ListScript.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace korimba;
using namespace korimba::jobs;

namespace {

const std::string kCafe = "D:\\Caf\xE9 Ol\xE9\\Caf\xE9 \x96 Live.wav";

class Names : public ::testing::Test {
protected:
    fakes::FakePlatform platform;
    ScriptNames names{platform.files, platform.text, {}};
};

} // namespace

TEST_F(Names, AsciiAsItIsThenShortFormsThenTheOemFormThenARefusal) {
    platform.files.addFile("D:\\Plain\\song.wav");
    EXPECT_EQ(names.path("D:\\Plain\\song.wav"), "D:\\Plain\\song.wav");
    EXPECT_EQ(names.path("D:\\Nowhere\\x.wav"), "D:\\Nowhere\\x.wav") << "not looked up";

    platform.files.addFile(kCafe);
    platform.files.addShortName("D:\\Caf\xE9 Ol\xE9", "CAFOL~1");
    platform.files.addShortName(kCafe, "CAF~1.WAV");
    EXPECT_EQ(names.path(kCafe), "D:\\CAFOL~1\\CAF~1.WAV");
    EXPECT_EQ(names.path("D:\\Caf\xE9 Ol\xE9\\"), "D:\\CAFOL~1\\");
    // Not there yet: the folder's short form and the name's OEM form.
    EXPECT_EQ(names.path("D:\\Caf\xE9 Ol\xE9\\n\xE9w.mp3"), "D:\\CAFOL~1\\n\x82w.mp3");
    EXPECT_EQ(names.refusal(), "");

    // A volume without short names: the OEM form, when every character has one.
    platform.files.addFile("E:\\Caf\xE9\\\xDC" "ber.wav");
    EXPECT_EQ(names.path("E:\\Caf\xE9\\\xDC" "ber.wav"), "E:\\Caf\x82\\\x9A" "ber.wav");
    EXPECT_EQ(names.refusal(), "");

    platform.files.addFile("E:\\a \x96 b.wav");
    EXPECT_EQ(names.path("E:\\a \x96 b.wav"), "") << "never a \"?\"";
    EXPECT_EQ(names.path("E:\\\x80" "5.wav"), "");
    EXPECT_EQ(names.refusal(),
              "Korimba cannot pass this name to the command interpreter that runs the job:\n\n"
              "E:\\a \x96 b.wav\n\n"
              "Its volume gives no short (8.3) names, and the character \"\x96\" does not exist "
              "in the interpreter's code page. Please rename the file or folder and try again.")
        << "the first refusal";
}

// With UTF-8 as the ANSI code page the console's code page says nothing of the
// interpreter's: names beyond ASCII go by their short forms or not at all.
TEST(Utf8Names, ShortFormsOrARefusalNamingTheWholeCharacter) {
    fakes::FakePlatform platform;
    platform.text.setUtf8(true);
    ScriptNames names{platform.files, platform.text, text::CodePage{platform.text}};
    const std::string song = "D:\\Music\\\u65E5\u672C\u8A9E\u306E\u6B4C.wav";
    platform.files.addFile(song);
    platform.files.addShortName(song, "8A9E~1.WAV");
    EXPECT_EQ(names.path(song), "D:\\Music\\8A9E~1.WAV");
    EXPECT_EQ(names.path("D:\\Music\\\U0001F3B5 new.mp3"), "");
    EXPECT_EQ(names.refusal(),
              "Korimba cannot pass this name to the command interpreter that runs the job:\n\n"
              "D:\\Music\\\U0001F3B5 new.mp3\n\n"
              "Its volume gives no short (8.3) names, and the character \"\U0001F3B5\" does not "
              "exist in the interpreter's code page. Please rename the file or folder and try "
              "again.");
}

TEST(ScriptLines, OutputBeyondAsciiIsWrittenIntoByItsShortName) {
    SingleScript values;
    values.programFolder = "C:\\Korimba\\";
    values.shortProgramFolder = "C:\\KORIMBA\\";
    values.direction = kEncoding;
    values.encoderPath = values.shortEncoder = values.shortTool = "C:\\L3ENC\\L3ENC.EXE";
    values.shortInput = "D:\\MUSIC\\CAF~1.WAV";
    values.switches = encoderSwitches(7, {});
    values.output = "D:\\Music\\Caf\xE9 \x96 Live.mp3";
    values.shortOutput = "D:\\MUSIC\\CAF~2.MP3";
    values.writesIntoOutput = true;
    values.startsMessage = true;
    const std::vector<std::string> head = {
        "@Echo Off",
        "Echo Korimba for Windows 95",
        "Echo\"",
        "erase C:\\KORIMBA\\Temp\\*.wav",
        "C:",
        "cd C:\\L3ENC",
        "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\CAF~1.WAV C:\\KORIMBA\\Temp\\CAF~1.WAV -br 112000   ",
        "Echo\"",
        "Echo Converting output to Long FileName...",
    };
    const std::vector<std::string> writeInto = {
        "if not exist C:\\KORIMBA\\Temp\\CAF~1.WAV goto kept",
        "copy /Y C:\\KORIMBA\\Temp\\CAF~1.WAV D:\\MUSIC\\CAF~2.MP3",
        "if not errorlevel 1 del C:\\KORIMBA\\Temp\\CAF~1.WAV",
        ":kept",
        "start C:\\KORIMBA\\Message.exe E D:\\MUSIC\\CAF~1.WAV D:\\MUSIC\\CAF~2.MP3",
        "del \"C:\\Korimba\\Encoding.bat\"",
    };
    std::vector<std::string> expected = head;
    expected.insert(expected.end(), writeInto.begin(), writeInto.end());
    EXPECT_EQ(singleJobScript(values), expected) << "an older file at the output";

    // The command's own empty file goes again when the coder made nothing.
    values.outputIsPlaceholder = true;
    expected.insert(expected.begin() + long(head.size()),
                    "if not exist C:\\KORIMBA\\Temp\\CAF~1.WAV del D:\\MUSIC\\CAF~2.MP3");
    EXPECT_EQ(singleJobScript(values), expected);
}

TEST(ScriptLines, ListEntryBeyondAsciiGoesThroughItsStagedFile) {
    lists::ListScript values;
    values.direction = jobs::kDecoding;
    values.programFolder = "C:\\Korimba\\";
    values.shortProgramFolder = "C:\\KORIMBA\\";
    values.encoderPath = values.shortEncoder = "C:\\L3ENC\\L3ENC.EXE";
    values.shortTool = "C:\\L3ENC\\L3DEC.EXE";
    values.switches = decoderSwitches({});
    values.entries = {{"D:\\Music\\Blue.mp3", "D:\\MUSIC\\BLUE.MP3"},
                      {"D:\\Music\\Caf\xE9.mp3", "D:\\MUSIC\\CAF~1.MP3", "", "",
                       "C:\\KORIMBA\\Temp\\LD\\N2\\CAF~2.WAV"}};
    values.outputFolder = "E:\\Waves\\";
    values.deletesInputs = true;
    const std::vector<std::string> lines = listJobScript(values);
    const std::vector<std::string> second(lines.end() - 17, lines.end() - 1);
    EXPECT_EQ(second,
              (std::vector<std::string>{
                  ">\"C:\\Korimba\\DecList.tmp\" Echo 2",
                  ">>\"C:\\Korimba\\DecList.tmp\" Echo 2",
                  ">nul move /Y \"C:\\Korimba\\DecList.tmp\" \"C:\\Korimba\\DecList.dat\"",
                  "C:\\L3ENC\\L3DEC.EXE D:\\MUSIC\\CAF~1.MP3 "
                  "C:\\KORIMBA\\Temp\\LD\\CAF~1.MP3 -wav   ",
                  "Echo\"",
                  "Echo Converting output to Long FileName...",
                  "if not exist C:\\KORIMBA\\Temp\\LD\\CAF~1.MP3 goto next2",
                  "copy /Y C:\\KORIMBA\\Temp\\LD\\CAF~1.MP3 "
                  "C:\\KORIMBA\\Temp\\LD\\N2\\CAF~2.WAV",
                  "if errorlevel 1 goto next2",
                  "del C:\\KORIMBA\\Temp\\LD\\CAF~1.MP3",
                  "move C:\\KORIMBA\\Temp\\LD\\N2\\*.wav \"E:\\Waves\\\"",
                  "if not exist C:\\KORIMBA\\Temp\\LD\\N2\\CAF~2.WAV del D:\\MUSIC\\CAF~1.MP3",
                  ":next2",
                  "cls",
                  "Echo Korimba for Windows 95",
                  "Echo\"",
              }));
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "ren \"C:\\KORIMBA\\Temp\\LD\\x.mp3\" \"Blue.mp3\""),
        lines.end())
        << "an ASCII entry keeps its renames";
}

namespace {

class Outcomes : public ::testing::Test {
protected:
    fakes::FakePlatform platform;
    ExpectedResult expect(const std::string& input, const std::string& output) {
        return {input, output, "C:\\K\\Temp\\" + input.substr(3) + ".err",
                stampOf(platform.files, output)};
    }
    void note(const ExpectedResult& result, const std::string& line) {
        platform.files.addFile(result.note, line + "\r\n");
    }
};

} // namespace

TEST_F(Outcomes, MissingOrUntouchedOutputsFailAndNotesGiveTheReasons) {
    platform.files.addFile("D:\\song.mp3", "older");
    const ExpectedResult overOlder = expect("D:\\bad.wav", "D:\\song.mp3");
    const ExpectedResult fresh = expect("D:\\gone.wav", "D:\\gone.mp3");
    note(overOlder, "the WAV file holds no audio data");
    EXPECT_EQ(singleReport(kEncoding, judge(platform.files, {overOlder})),
              "D:\\bad.wav could not be encoded: the WAV file holds no audio data.\n"
              "The older D:\\song.mp3 was left as it was.");
    EXPECT_EQ(singleReport(kDecoding, judge(platform.files, {fresh})),
              "D:\\gone.wav could not be decoded: no reason given.\n"
              "No file was made at D:\\gone.mp3.");

    // Rewritten with the same length, or written anew: arrived, whatever a stale note says.
    platform.files.setClock(fakes::FakeFileSystem::kDefaultClock + 1);
    platform.files.addFile("D:\\song.mp3", "newer");
    platform.files.addFile("D:\\gone.mp3", "made");
    EXPECT_TRUE(judge(platform.files, {overOlder, fresh}).empty());

    note(fresh, "warning: the WAV file ended early: 1.2 s of 5.0 s coded");
    const std::vector<Outcome> warned = judge(platform.files, {fresh});
    EXPECT_FALSE(anyFailed(warned));
    EXPECT_EQ(singleReport(kEncoding, warned),
              "D:\\gone.wav was encoded to D:\\gone.mp3, with a warning: the WAV file ended "
              "early: 1.2 s of 5.0 s coded.");
}

TEST_F(Outcomes, ListReportCountsNamesTwentyAndTheRestThenWarnings) {
    std::vector<ExpectedResult> expected;
    for (int i = 1; i <= 25; ++i)
        expected.push_back(
            expect("D:\\" + std::to_string(i) + ".wav", "E:\\" + std::to_string(i) + ".mp3"));
    note(expected[0], "the file is not a WAV or SND file");
    for (int i = 23; i <= 25; ++i)
        platform.files.addFile("E:\\" + std::to_string(i) + ".mp3", "mp3");
    note(expected[24], "warning: the WAV file ended early: 0.5 s of 2.0 s coded");
    const std::vector<Outcome> outcomes = judge(platform.files, expected);
    std::string failed;
    for (int i = 2; i <= 20; ++i)
        failed += "\nD:\\" + std::to_string(i) + ".wav: no reason given";
    EXPECT_EQ(listReport(kEncoding, 25, outcomes),
              "22 of 25 files could not be encoded:\n"
              "D:\\1.wav: the file is not a WAV or SND file" +
                  failed +
                  "\nand 2 more\n\n"
                  "1 of 25 files were encoded with a warning:\n"
                  "D:\\25.wav: the WAV file ended early: 0.5 s of 2.0 s coded");
    EXPECT_EQ(listReport(kEncoding, 3, {}), "");
}
