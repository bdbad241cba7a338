// The single-file job scripts, byte for byte, and the escaping of the names in them.
#include "fakes/FakePlatform.h"
#include "jobs/JobScript.h"
#include "jobs/ScriptEscape.h"
#include "ui/TextLines.h"

#include <gtest/gtest.h>

using namespace korimba;
using namespace korimba::jobs;

namespace {

// The script as its file holds it.
std::string fileText(std::vector<std::string> lines) {
    return ui::TextLines(std::move(lines)).text();
}

// The documented example: encoder C:\L3ENC\L3ENC.EXE, input D:\Music\Night and
// day.wav, a new output beside it, 128000 bit/s with high quality, the
// completion program on.
SingleScript encodeExample() {
    SingleScript values;
    values.programFolder = "C:\\Program Files\\Audio Coder\\";
    values.shortProgramFolder = "C:\\PROGRA~1\\AUDIOC~1\\";
    values.direction = kEncoding;
    values.encoderPath = "C:\\L3ENC\\L3ENC.EXE";
    values.shortEncoder = "C:\\L3ENC\\L3ENC.EXE";
    values.shortTool = values.shortEncoder;
    values.shortInput = "D:\\MUSIC\\NIGHTA~1.WAV";
    values.switches = encoderSwitches(8, {true, false});
    values.output = "D:\\Music\\Night and day.mp3";
    values.startsMessage = true;
    return values;
}

SingleScript decodeExample() {
    SingleScript values = encodeExample();
    values.direction = kDecoding;
    values.shortTool = "D:\\TOOLS\\L3DEC.EXE";
    values.shortInput = "D:\\MUSIC\\NIGHTA~1.MP3";
    values.switches = decoderSwitches();
    values.output = "D:\\Music\\Night and day.wav";
    values.shortOutput = "D:\\MUSIC\\NIGHTA~2.WAV";
    return values;
}

} // namespace

TEST(JobScript, EncodeExampleComesOutByteForByte) {
    EXPECT_EQ(fileText(singleJobScript(encodeExample())),
              "@Echo Off\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo\"\r\n"
              "erase C:\\PROGRA~1\\AUDIOC~1\\Temp\\*.wav\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n"
              "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\NIGHTA~1.WAV "
              "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV -br 128000 -hq  \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "if not exist \"D:\\Music\\Night and day.mp3\" goto move\r\n"
              "if exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV del \"D:\\Music\\Night and "
              "day.mp3\"\r\n"
              ":move\r\n"
              "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV \"D:\\Music\\Night and day.mp3\"\r\n"
              "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe E D:\\MUSIC\\NIGHTA~1.WAV "
              "\"D:\\Music\\Night and day.mp3\"\r\n"
              "del \"C:\\Program Files\\Audio Coder\\Encoding.bat\"\r\n");
}

TEST(JobScript, DecodeScriptRunsTheDecoderFromTheEncodersFolder) {
    EXPECT_EQ(fileText(singleJobScript(decodeExample())),
              "@Echo Off\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo\"\r\n"
              "erase C:\\PROGRA~1\\AUDIOC~1\\Temp\\*.mp3\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n"
              "D:\\TOOLS\\L3DEC.EXE D:\\MUSIC\\NIGHTA~1.MP3 "
              "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.MP3 -wav   \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "if not exist \"D:\\Music\\Night and day.wav\" goto move\r\n"
              "if exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.MP3 del \"D:\\Music\\Night and "
              "day.wav\"\r\n"
              ":move\r\n"
              "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.MP3 \"D:\\Music\\Night and day.wav\"\r\n"
              "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe D D:\\MUSIC\\NIGHTA~1.MP3 "
              "D:\\MUSIC\\NIGHTA~2.WAV\r\n"
              "del \"C:\\Program Files\\Audio Coder\\Decoding.bat\"\r\n");
}

TEST(JobScript, LinesThatFollowThePreferencesAndPaths) {
    SingleScript values = encodeExample();
    values.startsMessage = false;
    values.switches = encoderSwitches(7, {});
    const auto lines = singleJobScript(values);
    ASSERT_EQ(lines.size(), 14u) << "no completion program line";
    EXPECT_EQ(lines[6].substr(lines[6].size() - 13), "-br 112000   ");
    EXPECT_EQ(lines[13], "del \"C:\\Program Files\\Audio Coder\\Encoding.bat\"");

    values.encoderPath = values.shortEncoder = values.shortTool = "C:\\L3ENC.EXE";
    EXPECT_EQ(singleJobScript(values)[5], "cd C:\\") << "a root keeps its backslash";
    values.encoderPath = values.shortEncoder = values.shortTool = "L3ENC.EXE";
    EXPECT_EQ(singleJobScript(values)[4], "") << "no drive to change to";
    values.switches = encoderSwitches(0, {false, true});
    const std::string call = singleJobScript(values)[6];
    EXPECT_EQ(call.substr(call.size() - 14), "-br 8000  -dm ");
}

TEST(JobScript, MissingInputLeavesEmptyPlacesAndTheTempFolderAsTemporary) {
    SingleScript values = encodeExample();
    values.shortInput.clear();
    const auto lines = singleJobScript(values);
    EXPECT_EQ(lines[6], "C:\\L3ENC\\L3ENC.EXE  C:\\PROGRA~1\\AUDIOC~1\\Temp\\ -br 128000 -hq  ");
    EXPECT_EQ(lines[13],
              "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe E  \"D:\\Music\\Night and day.mp3\"");
}

TEST(ScriptEscape, PercentEverywhereAndTheOperatorsOutsideQuotes) {
    EXPECT_EQ(escapeUnquoted("C:\\PROGRA~1\\A.WAV"), "C:\\PROGRA~1\\A.WAV");
    EXPECT_EQ(escapeUnquoted("D:\\R&B_~TFK.WAV"), "D:\\R^&B_~TFK.WAV");
    EXPECT_EQ(escapeUnquoted("D:\\100%~1.WAV"), "D:\\100%%~1.WAV");
    EXPECT_EQ(escapeUnquoted("a^b|c<d>e&f%g"), "a^^b^|c^<d^>e^&f%%g");
    EXPECT_EQ(escapeUnquoted("(x) !y! [z] ;,="), "(x) !y! [z] ;,=") << "nothing else";
    EXPECT_EQ(quotedPath("D:\\100% R&B (live).mp3"), "\"D:\\100%% R&B (live).mp3\"");
    EXPECT_EQ(quotedPath("a^b|c<d>e"), "\"a^b|c<d>e\"");
}

TEST(ScriptEscape, SecondBytesOfDoubleByteCharactersStayAsTheyAre) {
    fakes::FakeTextEncoding encoding;
    encoding.setLeadBytes(fakes::shiftJisLeadByte);
    const text::CodePage codePage(encoding);
    // 0x81 0x7C and 0x81 0x5E are characters whose second bytes are "|" and "^".
    EXPECT_EQ(escapeUnquoted("D:\\\x81\x7C\x81\x5E&.WAV", codePage), "D:\\\x81\x7C\x81\x5E^&.WAV");
    EXPECT_EQ(quotedPath("\x81\x25%", codePage), "\"\x81\x25%%\"");
}

TEST(ScriptEscape, Utf8CharactersStayWholeAndTheOperatorsAroundThemAreEscaped) {
    fakes::FakeTextEncoding encoding;
    encoding.setUtf8(true);
    const text::CodePage codePage(encoding);
    EXPECT_EQ(escapeUnquoted("D:\\\u65E5&\U0001F3B5%^.WAV", codePage),
              "D:\\\u65E5^&\U0001F3B5%%^^.WAV");
    EXPECT_EQ(quotedPath("\u0395&%", codePage), "\"\u0395&%%\"");
}

// Hostile names are written so that the interpreter reads them back exactly.
TEST(JobScript, EveryNameInTheScriptIsEscapedForItsPlace) {
    SingleScript values = encodeExample();
    values.programFolder = "C:\\50% & more\\";
    values.shortProgramFolder = "C:\\50%&MO~1\\";
    values.encoderPath = values.shortEncoder = values.shortTool = "C:\\A&B^C\\L3ENC.EXE";
    values.shortInput = "D:\\R&B_~TFK.WAV";
    values.output = "D:\\100% R&B (live).mp3";
    values.shortOutput = "D:\\100%R&~1.MP3";
    const auto lines = singleJobScript(values);
    EXPECT_EQ(lines[3], "erase C:\\50%%^&MO~1\\Temp\\*.wav");
    EXPECT_EQ(lines[5], "cd C:\\A^&B^^C");
    EXPECT_EQ(lines[6],
              "C:\\A^&B^^C\\L3ENC.EXE D:\\R^&B_~TFK.WAV C:\\50%%^&MO~1\\Temp\\R^&B_~TFK.WAV "
              "-br 128000 -hq  ");
    EXPECT_EQ(lines[9], "if not exist \"D:\\100%% R&B (live).mp3\" goto move");
    EXPECT_EQ(lines[10], "if exist C:\\50%%^&MO~1\\Temp\\R^&B_~TFK.WAV del \"D:\\100%% R&B (live).mp3\"");
    EXPECT_EQ(lines[12], "move C:\\50%%^&MO~1\\Temp\\R^&B_~TFK.WAV \"D:\\100%% R&B (live).mp3\"");
    EXPECT_EQ(lines[13],
              "start C:\\50%%^&MO~1\\Message.exe E D:\\R^&B_~TFK.WAV D:\\100%%R^&~1.MP3");
    EXPECT_EQ(lines[14], "del \"C:\\50%% & more\\Encoding.bat\"");
}

namespace {

// How the command interpreter reads a script line back: "%%" is "%", and
// outside double quotes "^" takes the next character as it is. The result
// keeps the quotes, so that the arguments can be compared as written.
std::string asTheInterpreterReadsIt(const std::string& line) {
    std::string read;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '%' && i + 1 < line.size() && line[i + 1] == '%') {
            read += '%';
            ++i;
        } else if (c == '^' && !quoted && i + 1 < line.size()) {
            read += line[++i];
        } else {
            if (c == '"')
                quoted = !quoted;
            else if (c == '%' || (!quoted && std::string_view("&|<>").find(c) != std::string::npos))
                ADD_FAILURE() << "the interpreter would act on " << c << " in: " << line;
            read += c;
        }
    }
    return read;
}

} // namespace

TEST(JobScript, HostileNamesAreReadBackExactly) {
    const std::vector<std::string> names = {
        "100% Pure",  "R&B",     "a^b",        "x|y",      "<in>",      "Mr. X. Jr.",
        "!bang!",     "(live)",  "50%% off",   "%PATH%",   "a & b ^ c", "several...dots..",
        "semi;colon", "comma,s", "equal=sign", "tab\tname"};
    for (const std::string& stem : names) {
        SingleScript values = encodeExample();
        values.programFolder = "C:\\" + stem + "\\";
        values.shortProgramFolder = "C:\\" + stem + "~1\\";
        values.shortInput = "D:\\" + stem + ".WAV";
        values.output = "D:\\" + stem + ".mp3";
        const auto lines = singleJobScript(values);
        EXPECT_EQ(asTheInterpreterReadsIt(lines[12]),
                  "move C:\\" + stem + "~1\\Temp\\" + stem + ".WAV \"D:\\" + stem + ".mp3\"");
        EXPECT_EQ(asTheInterpreterReadsIt(lines[9]),
                  "if not exist \"D:\\" + stem + ".mp3\" goto move");
        EXPECT_EQ(asTheInterpreterReadsIt(lines[14]), "del \"C:\\" + stem + "\\Encoding.bat\"");
        EXPECT_EQ(asTheInterpreterReadsIt(lines[3]), "erase C:\\" + stem + "~1\\Temp\\*.wav");
    }
}
