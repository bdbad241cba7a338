// The list job scripts, byte for byte.
#include "lists/ListScript.h"
#include "ui/TextLines.h"

#include <gtest/gtest.h>

using namespace korimba;
using namespace korimba::lists;

namespace {

// The script as its file holds it.
std::string fileText(std::vector<std::string> lines) {
    return ui::TextLines(std::move(lines)).text();
}

// Two entries into E:\MP3\ at 128000 bit/s with high quality, the count and
// the completion program on, the inputs kept.
ListScript encodeExample() {
    ListScript values;
    values.direction = jobs::kEncoding;
    values.programFolder = "C:\\Program Files\\Audio Coder\\";
    values.shortProgramFolder = "C:\\PROGRA~1\\AUDIOC~1\\";
    values.encoderPath = values.shortEncoder = values.shortTool = "C:\\L3ENC\\L3ENC.EXE";
    values.switches = jobs::encoderSwitches(8, {true, false});
    values.entries = {{"D:\\Music\\Night and day.wav", "D:\\MUSIC\\NIGHTA~1.WAV"},
                      {"D:\\Music\\Blue.wav", "D:\\MUSIC\\BLUE.WAV"}};
    values.outputFolder = "E:\\MP3\\";
    values.showsCount = true;
    values.startsMessage = true;
    return values;
}

std::size_t count(const std::vector<std::string>& lines, const std::string& prefix) {
    std::size_t found = 0;
    for (const std::string& line : lines)
        found += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return found;
}

} // namespace

TEST(ListScript, EncodeExampleComesOutByteForByte) {
    EXPECT_EQ(fileText(listJobScript(encodeExample())),
              "@Echo Off\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo Files left for progress: 2\r\n"
              "Echo\"\r\n"
              "deltree /Y C:\\PROGRA~1\\AUDIOC~1\\TEMP\\LE\\*.*\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n"
              ">\"C:\\Program Files\\Audio Coder\\EncList.tmp\" Echo 1\r\n"
              ">>\"C:\\Program Files\\Audio Coder\\EncList.tmp\" Echo 2\r\n"
              ">nul move /Y \"C:\\Program Files\\Audio Coder\\EncList.tmp\" "
              "\"C:\\Program Files\\Audio Coder\\EncList.dat\"\r\n"
              "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\NIGHTA~1.WAV "
              "C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\NIGHTA~1.WAV -br 128000 -hq  \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\NIGHTA~1.WAV\" \"x.wav\"\r\n"
              "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\x.wav\" \"Night and day.wav\"\r\n"
              "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\Night and day.wav\" "
              "\"Night and day.mp3\"\r\n"
              "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\*.MP3 \"E:\\MP3\\\"\r\n"
              "cls\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo Files left for progress: 1\r\n"
              "Echo\"\r\n"
              ">\"C:\\Program Files\\Audio Coder\\EncList.tmp\" Echo 2\r\n"
              ">>\"C:\\Program Files\\Audio Coder\\EncList.tmp\" Echo 2\r\n"
              ">nul move /Y \"C:\\Program Files\\Audio Coder\\EncList.tmp\" "
              "\"C:\\Program Files\\Audio Coder\\EncList.dat\"\r\n"
              "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\BLUE.WAV "
              "C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\BLUE.WAV -br 128000 -hq  \r\n"
              "Echo\"\r\n"
              "Echo Converting output to Long FileName...\r\n"
              "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\BLUE.WAV\" \"x.wav\"\r\n"
              "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\x.wav\" \"Blue.wav\"\r\n"
              "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\Blue.wav\" \"Blue.mp3\"\r\n"
              "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\*.MP3 \"E:\\MP3\\\"\r\n"
              "cls\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo Files left for progress: 0\r\n"
              "Echo\"\r\n"
              "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe L E \"E:\\MP3\\\"\r\n"
              "del \"C:\\Program Files\\Audio Coder\\Encoding.bat\"\r\n");
}

TEST(ListScript, DecodeScriptNamesItsOwnFilesAndPassesTheSwitches) {
    ListScript values = encodeExample();
    values.direction = jobs::kDecoding;
    values.shortTool = "D:\\TOOLS\\L3DEC.EXE";
    values.switches = jobs::decoderSwitches({false, true});
    values.entries = {{"D:\\Music\\Mr. X.mp3", "D:\\MUSIC\\MRX~1.MP3"}};
    values.outputFolder = "E:\\Waves\\";
    values.deletesInputs = true;
    const auto lines = listJobScript(values);
    EXPECT_EQ(lines[4], "deltree /Y C:\\PROGRA~1\\AUDIOC~1\\TEMP\\LD\\*.*");
    EXPECT_EQ(lines[5], "C:");
    EXPECT_EQ(lines[6], "cd C:\\L3ENC");
    EXPECT_EQ(lines[7], ">\"C:\\Program Files\\Audio Coder\\DecList.tmp\" Echo 1");
    EXPECT_EQ(lines[8], ">>\"C:\\Program Files\\Audio Coder\\DecList.tmp\" Echo 1");
    EXPECT_EQ(lines[9], ">nul move /Y \"C:\\Program Files\\Audio Coder\\DecList.tmp\" "
                        "\"C:\\Program Files\\Audio Coder\\DecList.dat\"");
    EXPECT_EQ(lines[10], "D:\\TOOLS\\L3DEC.EXE D:\\MUSIC\\MRX~1.MP3 "
                         "C:\\PROGRA~1\\AUDIOC~1\\Temp\\LD\\MRX~1.MP3 -wav  -dm ");
    // The input goes only when its own result was made now and has left for the output folder.
    EXPECT_EQ(lines[13], "if not exist \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LD\\MRX~1.MP3\" goto next1");
    EXPECT_EQ(lines[14], "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LD\\MRX~1.MP3\" \"x.mp3\"");
    EXPECT_EQ(lines[15], "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LD\\x.mp3\" \"Mr. X.mp3\"");
    EXPECT_EQ(lines[16], "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LD\\Mr. X.mp3\" \"Mr. X.wav\"");
    EXPECT_EQ(lines[17], "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\LD\\*.wav \"E:\\Waves\\\"");
    EXPECT_EQ(
        lines[18],
        "if not exist \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LD\\Mr. X.wav\" del D:\\MUSIC\\MRX~1.MP3");
    EXPECT_EQ(lines[19], ":next1");
    EXPECT_EQ(lines.back(), "del \"C:\\Program Files\\Audio Coder\\Decoding.bat\"");
}

TEST(ListScript, OptionalLinesFollowTheirSwitchesForOneTwoAndManyEntries) {
    for (std::size_t entries : {1u, 2u, 25u}) {
        ListScript values = encodeExample();
        values.entries.clear();
        for (std::size_t i = 0; i < entries; ++i)
            values.entries.push_back({"D:\\M\\Track " + std::to_string(i) + ".wav",
                                      "D:\\M\\TRACK~" + std::to_string(i) + ".WAV"});
        for (bool on : {false, true}) {
            values.showsCount = values.deletesInputs = values.startsMessage = on;
            const auto lines = listJobScript(values);
            // Header, lines per entry, then the completion program and the self-deletion.
            EXPECT_EQ(lines.size(), (on ? 7 : 6) + entries * (on ? 17 : 13) + (on ? 2 : 1));
            EXPECT_EQ(count(lines, "Echo Files left for progress: "), on ? entries + 1 : 0);
            EXPECT_EQ(count(lines, "if not exist "), on ? 2 * entries : 0);
            EXPECT_EQ(count(lines, "start "), on ? 1u : 0u);
            EXPECT_EQ(count(lines, ">\""), entries);
            if (on) {
                EXPECT_EQ(lines[2], "Echo Files left for progress: " + std::to_string(entries));
                EXPECT_EQ(lines[lines.size() - 4], "Echo Files left for progress: 0");
            }
        }
    }
}

TEST(ListScript, NoBitRateAndNoSwitchesLeaveFourBlanksAfterTheTemporary) {
    ListScript values = encodeExample();
    values.switches = jobs::encoderSwitches(-1, {});
    values.entries.resize(1);
    EXPECT_EQ(listJobScript(values)[10], "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\NIGHTA~1.WAV "
                                         "C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\NIGHTA~1.WAV    ");
}

TEST(ListScript, HostileNamesAreEscapedInEveryLine) {
    ListScript values = encodeExample();
    values.programFolder = "C:\\50% & more\\";
    values.shortProgramFolder = "C:\\50%&MO~1\\";
    values.entries = {{"D:\\R&B 100%.wav", "D:\\R&B100~1.WAV"}};
    values.outputFolder = "E:\\100% & ^\\";
    values.deletesInputs = true;
    const auto lines = listJobScript(values);
    EXPECT_EQ(lines[4], "deltree /Y C:\\50%%^&MO~1\\TEMP\\LE\\*.*");
    EXPECT_EQ(lines[7], ">\"C:\\50%% & more\\EncList.tmp\" Echo 1");
    EXPECT_EQ(lines[9],
              ">nul move /Y \"C:\\50%% & more\\EncList.tmp\" \"C:\\50%% & more\\EncList.dat\"");
    EXPECT_EQ(lines[10], "C:\\L3ENC\\L3ENC.EXE D:\\R^&B100~1.WAV "
                         "C:\\50%%^&MO~1\\Temp\\LE\\R^&B100~1.WAV -br 128000 -hq  ");
    EXPECT_EQ(lines[13], "if not exist \"C:\\50%%&MO~1\\Temp\\LE\\R&B100~1.WAV\" goto next1");
    EXPECT_EQ(lines[14], "ren \"C:\\50%%&MO~1\\Temp\\LE\\R&B100~1.WAV\" \"x.wav\"");
    EXPECT_EQ(lines[15], "ren \"C:\\50%%&MO~1\\Temp\\LE\\x.wav\" \"R&B 100%%.wav\"");
    EXPECT_EQ(lines[16], "ren \"C:\\50%%&MO~1\\Temp\\LE\\R&B 100%%.wav\" \"R&B 100%%.mp3\"");
    EXPECT_EQ(lines[17], "move C:\\50%%^&MO~1\\Temp\\LE\\*.MP3 \"E:\\100%% & ^\\\"");
    EXPECT_EQ(lines[18],
              "if not exist \"C:\\50%%&MO~1\\Temp\\LE\\R&B 100%%.mp3\" del D:\\R^&B100~1.WAV");
    EXPECT_EQ(lines[lines.size() - 2], "start C:\\50%%^&MO~1\\Message.exe L E \"E:\\100%% & ^\\\"");
}

TEST(ListScript, TwoWorkersClaimEachEntryAndCodeItInItsOwnFolder) {
    ListScript values = encodeExample();
    values.workers = 2;
    values.deletesInputs = true;
    values.entries.pop_back();
    // The entry's lines and the ending, the same in both scripts but for the worker's number.
    const auto entry = [](const std::string& worker) {
        return "ren C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\C1 C1." + worker +
               " 2>nul\r\n"
               "if not exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\C1." +
               worker +
               " goto next1\r\n"
               ">\"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\EncList.tmp\" Echo 1\r\n"
               ">>\"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\EncList.tmp\" Echo 1\r\n"
               ">nul move /Y \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\EncList.tmp\" "
               "\"C:\\Program Files\\Audio Coder\\EncList.dat\"\r\n"
               "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\NIGHTA~1.WAV "
               "C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\NIGHTA~1.WAV -br 128000 -hq  \r\n"
               "Echo\"\r\n"
               "Echo Converting output to Long FileName...\r\n"
               "if not exist \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\NIGHTA~1.WAV\" goto next1\r\n"
               "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\NIGHTA~1.WAV\" \"x.wav\"\r\n"
               "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\x.wav\" \"Night and day.wav\"\r\n"
               "ren \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\Night and day.wav\" "
               "\"Night and day.mp3\"\r\n"
               "move C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\*.MP3 \"E:\\MP3\\\"\r\n"
               "if not exist \"C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\E1\\Night and day.mp3\" "
               "del D:\\MUSIC\\NIGHTA~1.WAV\r\n"
               ":next1\r\n"
               ">C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\DONE" +
               worker +
               " Echo done\r\n"
               "if not exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\DONE1 goto :eof\r\n"
               "if not exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\DONE2 goto :eof\r\n"
               "ren C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\C0 C0." +
               worker +
               " 2>nul\r\n"
               "if not exist C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\C0." +
               worker +
               " goto :eof\r\n"
               "del C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\DONE1\r\n"
               "del C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\DONE2\r\n"
               "del C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\C*.*\r\n";
    };
    const std::string last = "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe L E \"E:\\MP3\\\"\r\n"
                             "del \"C:\\Program Files\\Audio Coder\\Encoding.bat\"\r\n";
    EXPECT_EQ(fileText(listJobScript(values)),
              "@Echo Off\r\n"
              "Echo Korimba for Windows 95\r\n"
              "Echo Files left for progress: 1\r\n"
              "Echo\"\r\n"
              "C:\r\n"
              "cd C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\r\n"
              "start \"\" /b cmd /c WORKER.BAT 2\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n" +
                  entry("1") + "del C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\WORKER.BAT\r\n" + last);
    EXPECT_EQ(fileText(listWorkerScript(values)),
              "@Echo Off\r\n"
              "C:\r\n"
              "cd C:\\L3ENC\r\n" +
                  entry("%1") + last + "del C:\\PROGRA~1\\AUDIOC~1\\Temp\\LE\\WORKER.BAT\r\n");
}
