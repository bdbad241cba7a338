// The coders' command lines as the job scripts write them, blanks and all,
// and the note each run leaves beside the output it names.
#include "../../tools/audio/Arguments.h"
#include "../../tools/audio/AudioError.h"
#include "../../tools/audio/Note.h"
#include "jobs/CoderNote.h"

#include <gtest/gtest.h>

using namespace korimba::audio;
namespace notes = korimba::notes;

namespace {

std::string encoderFailure(const std::vector<std::string>& arguments) {
    try {
        parseEncoderArguments(arguments);
    } catch (const AudioError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(CoderCommandLine, EncoderTakesTheScriptsLine) {
    const auto a = parseEncoderArguments({"D:\\MUSIC\\NIGHTA~1.WAV",
                                          "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV", "-br",
                                          "128000", "-hq"});
    EXPECT_EQ(a.input, "D:\\MUSIC\\NIGHTA~1.WAV");
    EXPECT_EQ(a.output, "C:\\PROGRA~1\\AUDIOC~1\\Temp\\NIGHTA~1.WAV");
    EXPECT_EQ(a.bitRate, 128000);
    EXPECT_TRUE(a.highQuality);
    EXPECT_FALSE(a.mono);

    const auto b = parseEncoderArguments({"-DM", "IN.SND", "-BR", "8000", "OUT.SND"});
    EXPECT_EQ(b.bitRate, 8000);
    EXPECT_TRUE(b.mono);
    EXPECT_FALSE(b.highQuality);
    for (const char* rate : {"8000", "16000", "24000", "32000", "56000", "64000", "96000", "112000",
                             "128000", "256000"})
        EXPECT_EQ(parseEncoderArguments({"A", "B", "-br", rate}).bitRate, std::stoi(rate));
}

TEST(CoderCommandLine, EncoderFaults) {
    // A missing input leaves the script's line with the Temp folder as the only file.
    EXPECT_EQ(encoderFailure({"C:\\KORIMBA\\Temp\\", "-br", "128000"}), "no output file given");
    EXPECT_EQ(encoderFailure({}), "no input and output file given");
    EXPECT_EQ(encoderFailure({"A", "B"}), "no bit rate given (-br 128000, say)");
    EXPECT_EQ(encoderFailure({"A", "B", "-br"}),
              "-br needs a bit rate in bit/s (8000 to 256000, as 128000)");
    EXPECT_EQ(encoderFailure({"A", "B", "-br", "128"}),
              "MP3 offers no bit rate of 128 bit/s (8000 to 256000 bit/s, as 128000)");
    EXPECT_EQ(encoderFailure({"A", "B", "-br", "100000"}),
              "MP3 offers no bit rate of 100000 bit/s (8000 to 256000 bit/s, as 128000)");
    EXPECT_EQ(encoderFailure({"A", "B", "-br", "320000"}),
              "MP3 offers no bit rate of 320000 bit/s (8000 to 256000 bit/s, as 128000)");
    EXPECT_EQ(encoderFailure({"A", "B", "-br", "12x"}),
              "-br needs a bit rate in bit/s (8000 to 256000 bit/s, as 128000)");
    EXPECT_EQ(encoderFailure({"A", "B", "C", "-br", "8000"}),
              "one input and one output file only, not 'C'");
    EXPECT_EQ(encoderFailure({"A", "B", "-br", "8000", "-vbr"}), "unknown switch -vbr");
}

TEST(CoderCommandLine, Decoder) {
    const auto a = parseDecoderArguments(
        {"D:\\MUSIC\\SONG.MP3", "C:\\K\\Temp\\LD\\SONG.MP3", "-wav", "-hq", "-dm"});
    EXPECT_EQ(a.input, "D:\\MUSIC\\SONG.MP3");
    EXPECT_EQ(a.output, "C:\\K\\Temp\\LD\\SONG.MP3");
    EXPECT_TRUE(a.highQuality);
    EXPECT_TRUE(a.mono);
    EXPECT_FALSE(parseDecoderArguments({"A", "B", "-WAV"}).mono);
    EXPECT_THROW(parseDecoderArguments({"A", "-wav"}), AudioError);
    EXPECT_THROW(parseDecoderArguments({"A", "B", "-aiff"}), AudioError);
}

TEST(CoderCommandLine, OutputNamedBeyondDoubtEvenOnAWrongLine) {
    EXPECT_EQ(outputArgument({"IN.WAV", "C:\\K\\Temp\\IN.WAV", "-br", "100000"}),
              "C:\\K\\Temp\\IN.WAV");
    EXPECT_EQ(outputArgument({"-BR", "128000", "A", "-x", "B"}), "B");
    EXPECT_EQ(outputArgument({"A", "B", "-br"}), "B");
    EXPECT_EQ(outputArgument({"A.MP3", "B.MP3", "-wav", "-aiff"}), "B.MP3");
    // A missing input leaves the Temp folder as the only file: no output is known.
    EXPECT_EQ(outputArgument({"C:\\K\\Temp\\", "-br", "128000"}), std::nullopt);
    EXPECT_EQ(outputArgument({"A", "B", "C", "-br", "8000"}), std::nullopt);
    EXPECT_EQ(outputArgument({}), std::nullopt);
}

TEST(CoderNote, OneLineBesideTheOutputAndReadBackAsWritten) {
    EXPECT_EQ(notes::path("C:\\P\\Temp\\NIGHTA~1.WAV"), "C:\\P\\Temp\\NIGHTA~1.WAV.err");
    EXPECT_EQ(notes::content("the WAV file holds no audio data", "D:\\A.WAV"),
              "the WAV file holds no audio data\r\nD:\\A.WAV\r\n");
    // System messages may bring line breaks of their own.
    EXPECT_EQ(notes::content("the output cannot be written: There is not enough space\r\n"
                             "on the disk.\r\n",
                             "A.WAV"),
              "the output cannot be written: There is not enough space on the disk\r\nA.WAV\r\n");
    const std::string warned =
        notes::content(notes::warning("the MP3 file ended early: 1.2 s of 5.0 s coded"), "B.MP3");
    EXPECT_EQ(warned, "warning: the MP3 file ended early: 1.2 s of 5.0 s coded\r\nB.MP3\r\n");
    const notes::Note back = notes::parse(warned);
    EXPECT_TRUE(back.warning);
    EXPECT_EQ(back.text + "|" + back.input, "the MP3 file ended early: 1.2 s of 5.0 s coded|B.MP3");
}

TEST(CoderNote, SecondsCodedNeverClaimMoreThanIsThere) {
    EXPECT_EQ(endedEarlyText("WAV", 52920, 220500, 44100),
              "the WAV file ended early: 1.2 s of 5.0 s coded");
    // 4.99 s coded of 4.99 s promised: down, and to the nearest.
    EXPECT_EQ(endedEarlyText("MP3", 220059, 220059, 44100),
              "the MP3 file ended early: 4.9 s of 5.0 s coded");
    EXPECT_EQ(secondsText(8000, 8000, true), "1.0");
    EXPECT_EQ(secondsText(0, 8000, true), "0.0");
    EXPECT_EQ(secondsText(4294967295u, 1000, false), "4294967.3");
}
