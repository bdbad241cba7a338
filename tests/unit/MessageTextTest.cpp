#include "../../tools/Message/MessageText.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <map>

using korimba::message::composeNotice;
using korimba::message::Notice;
using Args = std::vector<std::string>;

namespace {

// A disk holding a few files and folders, by short name.
std::optional<std::string> longNameOnDisk(const std::string& path) {
    static const std::map<std::string, std::string> longNames = {
        {"D:\\MUSIC\\NIGHTA~1.WAV", "D:\\Music\\Night and day.wav"},
        {"E:\\MP3\\NIGHTA~1.MP3", "E:\\MP3\\Night and day.mp3"},
        {"E:\\MP3\\", "E:\\MP3\\"},
        {"D:\\MUSIC\\", "D:\\Music\\"},
        {"C:\\some dir\\", "C:\\some dir\\"},
    };
    const auto found = longNames.find(path);
    if (found == longNames.end())
        return std::nullopt;
    return found->second;
}

Notice notice(const Args& arguments) {
    return composeNotice(arguments, longNameOnDisk);
}

} // namespace

TEST(MessageText, FileJobsNameInputAndOutputByTheirLongNames) {
    const Notice encoded = notice({"E", "D:\\MUSIC\\NIGHTA~1.WAV", "E:\\MP3\\NIGHTA~1.MP3"});
    EXPECT_EQ(encoded.text, "Encoding finished.\r\n\r\nInput: D:\\Music\\Night and day.wav\r\n"
                            "Output: E:\\MP3\\Night and day.mp3");
    EXPECT_EQ(encoded.folder, "E:\\MP3\\");

    const Notice decoded = notice({"D", "E:\\MP3\\NIGHTA~1.MP3", "D:\\MUSIC\\NIGHTA~1.WAV"});
    EXPECT_EQ(decoded.text, "Decoding finished.\r\n\r\nInput: E:\\MP3\\Night and day.mp3\r\n"
                            "Output: D:\\Music\\Night and day.wav");
    EXPECT_EQ(decoded.folder, "D:\\Music\\");
}

TEST(MessageText, EmptyOutputIsNotKnownAndOffersNoFolder) {
    // The script passes the output's short name only when it existed before the job.
    const Notice result = notice({"E", "D:\\MUSIC\\NIGHTA~1.WAV"});
    EXPECT_EQ(result.text, "Encoding finished.\r\n\r\nInput: D:\\Music\\Night and day.wav\r\n"
                           "Output: not known");
    EXPECT_EQ(result.folder, "");
    EXPECT_EQ(notice({"D"}).text,
              "Decoding finished.\r\n\r\nInput: not known\r\nOutput: not known");
}

TEST(MessageText, MissingFilesAreShownAsGivenWithTheirFolderIfItExists) {
    const Notice result = notice({"D", "X:\\GONE.MP3", "E:\\MP3\\FAILED.WAV"});
    EXPECT_EQ(result.text, "Decoding finished.\r\n\r\nInput: X:\\GONE.MP3 (not found)\r\n"
                           "Output: E:\\MP3\\FAILED.WAV (not found)");
    EXPECT_EQ(result.folder, "E:\\MP3\\");
    EXPECT_EQ(notice({"E", "A.WAV", "X:\\NOWHERE\\B.MP3"}).folder, "");
    EXPECT_EQ(notice({"E", "A.WAV", "B.MP3"}).folder, "");
}

TEST(MessageText, ListJobNamesItsFolder) {
    const Notice result = notice({"L", "X", "C:\\some dir\\"});
    EXPECT_EQ(result.text, "List process finished.\r\n\r\nOutput folder: C:\\some dir\\");
    EXPECT_EQ(result.folder, "C:\\some dir\\");

    const Notice missing = notice({"L", "X", "F:\\New\\"});
    EXPECT_EQ(missing.text, "List process finished.\r\n\r\nOutput folder: F:\\New\\ (not found)");
    EXPECT_EQ(missing.folder, "");
    EXPECT_EQ(notice({"L"}).text, "List process finished.\r\n\r\nOutput folder: not known");
}

TEST(MessageText, NoOrUnknownArgumentsGiveAPlainNotice) {
    for (const Args& arguments : {Args{}, Args{""}, Args{"Q", "D:\\MUSIC\\NIGHTA~1.WAV"}}) {
        const Notice result = notice(arguments);
        EXPECT_EQ(result.text, "A Korimba job has finished.");
        EXPECT_EQ(result.folder, "");
    }
}

TEST(MessageText, OverlongNamesKeepTheirEndsAroundAnEllipsis) {
    const std::string name = "C:\\" + std::string(30000, 'x') + "\\END.WAV";
    const Notice result = notice({"E", name, ""});
    const std::string input = "Input: C:\\xxx";
    EXPECT_NE(result.text.find(input), std::string::npos);
    EXPECT_NE(result.text.find("xxx...xxx"), std::string::npos);
    EXPECT_NE(result.text.find("xxx\\END.WAV (not found)\r\n"), std::string::npos);
    EXPECT_LT(result.text.size(), 400u);

    const Notice list = notice({"L", "X", name + "\\"});
    EXPECT_LT(list.text.size(), 400u);
}

TEST(MessageText, DoubleByteNamesAreSplitAndCutBetweenCharacters) {
    korimba::fakes::FakeProcess process;
    process.setLeadBytes(korimba::fakes::shiftJisLeadByte);
    const korimba::paths::CodePage codePage(process);
    // 0x95 0x5C is one character whose second byte is a backslash.
    const std::string folder = "E:\\\x95\x5C\\";
    const auto lookup = [&](const std::string& path) -> std::optional<std::string> {
        return path == folder ? std::optional<std::string>(path) : std::nullopt;
    };
    EXPECT_EQ(composeNotice({"E", "A.WAV", folder + "B.MP3"}, lookup, codePage).folder, folder);

    std::string wide;
    for (int i = 0; i < 400; ++i)
        wide += "\x95\x5C";
    const std::string shown = composeNotice({"L", "X", wide}, lookup, codePage).text;
    const std::size_t dots = shown.find("...");
    ASSERT_NE(dots, std::string::npos);
    const std::size_t start = shown.find('\x95');
    EXPECT_EQ((dots - start) % 2, 0u) << "the head ends between characters";
    EXPECT_EQ(shown.substr(dots + 3, 1), "\x95") << "the tail starts with a whole character";
}
