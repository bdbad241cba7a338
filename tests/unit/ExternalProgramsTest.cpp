#include "jobs/ExternalPrograms.h"

#include <gtest/gtest.h>

using namespace korimba::jobs;

TEST(ExternalPrograms, EncoderLineKeepsEveryPlaceAndEndsInABlank) {
    EXPECT_EQ(encoderCall("C:\\L3ENC\\L3ENC.EXE", "D:\\MUSIC\\NIGHTA~1.WAV",
                          "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV", 8, {true, false}),
              "C:\\L3ENC\\L3ENC.EXE D:\\MUSIC\\NIGHTA~1.WAV "
              "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV -br 128000 -hq  ");
    EXPECT_EQ(encoderCall("E", "I", "T", 7, {}), "E I T -br 112000   ");
    EXPECT_EQ(encoderCall("E", "I", "T", 0, {false, true}), "E I T -br 8000  -dm ");
    EXPECT_EQ(encoderCall("E", "I", "T", -1, {}), "E I T    ") << "no selection: empty switch";
}

TEST(ExternalPrograms, BitRateTableCoversTheTenItemsOnly) {
    const char* rates[] = {"8000",  "16000", "24000",  "32000",  "56000",
                           "64000", "96000", "112000", "128000", "256000"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bitRateSwitch(i), std::string("-br ") + rates[i]);
    EXPECT_EQ(bitRateSwitch(10), "");
    EXPECT_EQ(bitRateSwitch(-1), "");
}

TEST(ExternalPrograms, DecoderLineCarriesWaveWhereTheBitRateWouldBe) {
    EXPECT_EQ(decoderCall("C:\\L3\\L3DEC.EXE", "D:\\A.MP3", "C:\\K\\Temp\\A.MP3"),
              "C:\\L3\\L3DEC.EXE D:\\A.MP3 C:\\K\\Temp\\A.MP3 -wav   ");
    EXPECT_EQ(decoderCall("D", "I", "T", {true, true}), "D I T -wav -hq -dm ");
}

TEST(ExternalPrograms, CompletionProgramLines) {
    EXPECT_EQ(
        messageCall("C:\\PROGRA~1\\AUDIOC~1\\", "E", "D:\\MUSIC\\NIGHTA~1.WAV", ""),
        "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe E D:\\MUSIC\\NIGHTA~1.WAV ");
    EXPECT_EQ(messageCall("C:\\K\\", "D", "D:\\A.MP3", "D:\\A.WAV"),
              "start C:\\K\\Message.exe D D:\\A.MP3 D:\\A.WAV");
    EXPECT_EQ(listMessageCall("C:\\PROGRA~1\\AUDIOC~1\\", "E", "E:\\MP3\\"),
              "start C:\\PROGRA~1\\AUDIOC~1\\Message.exe L E \"E:\\MP3\\\"");
}
