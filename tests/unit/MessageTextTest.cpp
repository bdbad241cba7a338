#include "../../tools/Message/MessageText.h"
#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using korimba::message::composeNotice;
using korimba::message::Disk;
using korimba::message::Notice;
using Args = std::vector<std::string>;
using Files = std::map<std::string, std::string>;

namespace {

const std::string kProgram = "C:\\Korimba\\";

// A disk holding a few files and folders, by short name.
std::optional<std::string> longNameOnDisk(const std::string& path) {
    static const std::map<std::string, std::string> longNames = {
        {"D:\\MUSIC\\NIGHTA~1.WAV", "D:\\Music\\Night and day.wav"},
        {"E:\\MP3\\NIGHTA~1.MP3", "E:\\MP3\\Night and day.mp3"},
        {"E:\\MP3\\Night and day.mp3", "E:\\MP3\\Night and day.mp3"},
        {"E:\\MP3\\", "E:\\MP3\\"},
        {"D:\\MUSIC\\", "D:\\Music\\"},
        {"C:\\some dir\\", "C:\\some dir\\"},
    };
    const auto found = longNames.find(path);
    if (found == longNames.end())
        return std::nullopt;
    return found->second;
}

// The disk above with the program's Temp holding these files (notes), by
// their paths below the program folder.
Disk diskWith(const Files& temp) {
    auto files = std::make_shared<Files>();
    for (const auto& [path, content] : temp)
        (*files)[kProgram + path] = content;
    Disk disk;
    disk.longName = longNameOnDisk;
    disk.readBeginning = [files](const std::string& path) -> std::optional<std::string> {
        const auto found = files->find(path);
        if (found == files->end())
            return std::nullopt;
        return found->second;
    };
    disk.entriesIn = [files](const std::string& folder) {
        std::vector<korimba::platform::FolderEntry> entries;
        // In the order of a file system that does not sort.
        for (auto file = files->rbegin(); file != files->rend(); ++file) {
            if (!file->first.starts_with(folder))
                continue;
            const std::string rest = file->first.substr(folder.size());
            const std::size_t slash = rest.find('\\');
            korimba::platform::FolderEntry entry{rest.substr(0, slash), slash != std::string::npos};
            if (std::find_if(entries.begin(), entries.end(), [&](const auto& seen) {
                    return seen.name == entry.name;
                }) == entries.end())
                entries.push_back(entry);
        }
        return entries;
    };
    disk.programFolder = kProgram;
    return disk;
}

Notice notice(const Args& arguments, const Files& temp = {}) {
    return composeNotice(arguments, diskWith(temp));
}

const char kInput[] = "D:\\MUSIC\\NIGHTA~1.WAV";
const char kOutput[] = "E:\\MP3\\NIGHTA~1.MP3";
const char kMissingOutput[] = "E:\\MP3\\NEW.MP3";
const char kNote[] = "Temp\\NIGHTA~1.WAV.err";

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

    // An output new to the job comes by its long name.
    EXPECT_EQ(notice({"E", kInput, "E:\\MP3\\Night and day.mp3"}).text, encoded.text);
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
    // An output that existed before the job and is gone: nothing arrived in its place.
    const Notice result = notice({"D", "X:\\GONE.MP3", "E:\\MP3\\FAILED.WAV"});
    EXPECT_EQ(result.text, "The file could not be decoded; no result was made.\r\n"
                           "Reason: no reason given\r\n\r\n"
                           "Input: X:\\GONE.MP3 (not found)\r\n"
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
    // 128 bytes from each end around "...".
    EXPECT_EQ(result.text, "Encoding finished.\r\n\r\nInput: C:\\" + std::string(125, 'x') + "..." +
                               std::string(120, 'x') +
                               "\\END.WAV (not found)\r\nOutput: not known");

    const Notice list = notice({"L", "X", name + "\\"});
    EXPECT_EQ(list.text, "List process finished.\r\n\r\nOutput folder: C:\\" +
                             std::string(125, 'x') + "..." + std::string(119, 'x') +
                             "\\END.WAV\\ (not found)");
}

TEST(MessageText, DoubleByteNamesAreSplitAndCutBetweenCharacters) {
    korimba::fakes::FakeTextEncoding encoding;
    encoding.setLeadBytes(korimba::fakes::shiftJisLeadByte);
    const korimba::text::CodePage codePage(encoding);
    // 0x95 0x5C is one character whose second byte is a backslash.
    const std::string folder = "E:\\\x95\x5C\\";
    const auto lookup = [&](const std::string& path) -> std::optional<std::string> {
        return path == folder ? std::optional<std::string>(path) : std::nullopt;
    };
    Disk disk = diskWith({});
    disk.longName = lookup;
    EXPECT_EQ(composeNotice({"E", "A.WAV", folder + "B.MP3"}, disk, codePage).folder, folder);

    std::string wide;
    for (int i = 0; i < 400; ++i)
        wide += "\x95\x5C";
    const std::string shown = composeNotice({"L", "X", wide}, disk, codePage).text;
    const std::size_t dots = shown.find("...");
    ASSERT_NE(dots, std::string::npos);
    const std::size_t start = shown.find('\x95');
    EXPECT_EQ((dots - start) % 2, 0u) << "the head ends between characters";
    EXPECT_EQ(shown.substr(dots + 3, 1), "\x95") << "the tail starts with a whole character";
}

TEST(MessageText, Utf8NamesAreCutBetweenCharacters) {
    korimba::fakes::FakeTextEncoding encoding;
    encoding.setUtf8(true);
    const korimba::text::CodePage codePage(encoding);
    std::string wide;
    for (int i = 0; i < 200; ++i)
        wide += "\u65E5\U0001F3B5"; // three bytes, then four
    const std::string shown = composeNotice({"L", "X", wide}, diskWith({}), codePage).text;
    const std::string prefix = "List process finished.\r\n\r\nOutput folder: ";
    // 128 characters on each side, however many bytes each takes.
    std::string half;
    for (int i = 0; i < 64; ++i)
        half += "\u65E5\U0001F3B5";
    EXPECT_EQ(shown, prefix + half + "..." + half + " (not found)");
}

TEST(MessageText, FailureNoteGivesTheReason) {
    const Files note = {{kNote, "the WAV file holds no audio data\r\n"}};
    const Notice unknownOutput = notice({"E", kInput, ""}, note);
    EXPECT_EQ(unknownOutput.text, "The file could not be encoded.\r\n"
                                  "Reason: the WAV file holds no audio data\r\n\r\n"
                                  "Input: D:\\Music\\Night and day.wav\r\nOutput: not known");
    EXPECT_EQ(unknownOutput.folder, "");

    // The script keeps an older output when no result came; the reason still stands.
    const Notice olderOutput = notice({"E", kInput, kOutput}, note);
    EXPECT_EQ(olderOutput.text, "The file could not be encoded.\r\n"
                                "Reason: the WAV file holds no audio data\r\n\r\n"
                                "Input: D:\\Music\\Night and day.wav\r\n"
                                "Output: E:\\MP3\\Night and day.mp3");
    EXPECT_EQ(olderOutput.folder, "E:\\MP3\\") << "the folder is still worth opening";

    const Notice decode =
        notice({"D", kOutput, ""}, {{"Temp\\NIGHTA~1.MP3.err", "no MPEG audio frame found\r\n"}});
    EXPECT_EQ(decode.text, "The file could not be decoded.\r\n"
                           "Reason: no MPEG audio frame found\r\n\r\n"
                           "Input: E:\\MP3\\Night and day.mp3\r\nOutput: not known");
}

TEST(MessageText, MissingOutputSaysNoResultWasMadeWithTheReasonIfAny) {
    const Notice withNote =
        notice({"E", kInput, kMissingOutput}, {{kNote, "the disk is full\r\n"}});
    EXPECT_EQ(withNote.text, "The file could not be encoded; no result was made.\r\n"
                             "Reason: the disk is full\r\n\r\n"
                             "Input: D:\\Music\\Night and day.wav\r\n"
                             "Output: E:\\MP3\\NEW.MP3 (not found)");
    EXPECT_EQ(withNote.folder, "E:\\MP3\\");

    const Notice withoutNote = notice({"E", kInput, kMissingOutput});
    EXPECT_EQ(withoutNote.text, "The file could not be encoded; no result was made.\r\n"
                                "Reason: no reason given\r\n\r\n"
                                "Input: D:\\Music\\Night and day.wav\r\n"
                                "Output: E:\\MP3\\NEW.MP3 (not found)");
}

TEST(MessageText, WarningNoteStandsBesideTheSuccessText) {
    const Files warning = {{kNote, "warning: the WAV file ended early: 1.2 s of 5.0 s coded\r\n"}};
    EXPECT_EQ(notice({"E", kInput, kOutput}, warning).text,
              "Encoding finished.\r\n"
              "Warning: the WAV file ended early: 1.2 s of 5.0 s coded\r\n\r\n"
              "Input: D:\\Music\\Night and day.wav\r\nOutput: E:\\MP3\\Night and day.mp3");
    EXPECT_EQ(notice({"E", kInput, ""}, warning).text,
              "Encoding finished.\r\n"
              "Warning: the WAV file ended early: 1.2 s of 5.0 s coded\r\n\r\n"
              "Input: D:\\Music\\Night and day.wav\r\nOutput: not known");

    // A warned result that still did not arrive is a failure with nothing more known.
    EXPECT_EQ(notice({"E", kInput, kMissingOutput}, warning).text,
              "The file could not be encoded; no result was made.\r\n"
              "Reason: no reason given\r\n"
              "Warning: the WAV file ended early: 1.2 s of 5.0 s coded\r\n\r\n"
              "Input: D:\\Music\\Night and day.wav\r\nOutput: E:\\MP3\\NEW.MP3 (not found)");
}

TEST(MessageText, OnlyTheNoteOfThisInputInTheProgramsTempCounts) {
    const std::string finished = "Encoding finished.\r\n\r\nInput: D:\\Music\\Night and day.wav\r\n"
                                 "Output: E:\\MP3\\Night and day.mp3";
    for (const Files& others : {
             Files{{"Temp\\OTHER.WAV.err", "the WAV file holds no audio data\r\n"}},
             Files{{"Temp\\LE\\NIGHTA~1.WAV.err", "a list job's note\r\n"}},
             Files{{"NIGHTA~1.WAV.err", "beside the program\r\n"}},
         })
        EXPECT_EQ(notice({"E", kInput, kOutput}, others).text, finished) << others.begin()->first;
    // No input named: no note to look for.
    EXPECT_EQ(notice({"E", "", kOutput}, {{"Temp\\.err", "x\r\n"}}).text,
              "Encoding finished.\r\n\r\nInput: not known\r\nOutput: E:\\MP3\\Night and day.mp3");
}

TEST(MessageText, ResultLeftInTempCouldNotBeMovedAndTheToldNoteIsGiven) {
    const Notice stuck = notice({"E", kInput, kOutput}, {{"Temp\\NIGHTA~1.WAV", "a result"}});
    EXPECT_EQ(stuck.text, "The file could not be encoded.\r\n"
                          "Reason: the result could not be moved to the output\r\n\r\n"
                          "Input: D:\\Music\\Night and day.wav\r\n"
                          "Output: E:\\MP3\\Night and day.mp3");
    EXPECT_TRUE(stuck.notes.empty());
    EXPECT_EQ(notice({"E", kInput, kOutput}, {{kNote, "warning: ended early\r\n"}}).notes,
              std::vector<std::string>{kProgram + kNote});
}

TEST(MessageText, NoteTextIsOneTidyLine) {
    const auto reasonFor = [](const std::string& content) {
        const std::string text = notice({"E", kInput, ""}, {{kNote, content}}).text;
        const std::size_t start = text.find("Reason: ") + 8;
        return text.substr(start, text.find("\r\n", start) - start);
    };
    EXPECT_EQ(reasonFor(""), "no reason given");
    EXPECT_EQ(reasonFor("   \r\n"), "no reason given");
    EXPECT_EQ(reasonFor("no line end"), "no line end");
    EXPECT_EQ(reasonFor("first\nsecond\r\n"), "first");
    EXPECT_EQ(reasonFor("tab\there \x01 bell\x7f  \r\n"), "tab here   bell");
    EXPECT_EQ(reasonFor("Warning: capitalised is no warning\r\n"),
              "Warning: capitalised is no warning");
    EXPECT_EQ(reasonFor("warning:no blank\r\n"), "warning:no blank");
    const std::string shown = reasonFor(std::string(5000, 'r') + "\r\n");
    EXPECT_EQ(shown, std::string(128, 'r') + "..." + std::string(128, 'r'));

    EXPECT_EQ(notice({"E", kInput, ""}, {{kNote, "warning: \r\n"}}).text,
              "Encoding finished.\r\nWarning: no reason given\r\n\r\n"
              "Input: D:\\Music\\Night and day.wav\r\nOutput: not known");
}

TEST(MessageText, ListJobTellsItsDirectionsFailuresWarningsAndResultsLeftBehind) {
    const Files temp = {
        {"Temp\\LE\\NIGHTA~1.WAV.err", "the disk is full\r\nD:\\MUSIC\\NIGHTA~1.WAV\r\n"},
        {"Temp\\LE\\blue.wav.ERR", "the WAV file holds no audio data\r\n"},
        {"Temp\\LE\\SHORT.WAV.err", "warning: ended early\r\n"},
        {"Temp\\LE\\Red.mp3", "a result the move left"},
        {"Temp\\LE\\N1\\Green.mp3", "a staged result the move left"},
        {"Temp\\LE\\N2\\Empty.mp3", ""}, // staged, never written: the note tells
        {"Temp\\LD\\TRACK.MP3.err", "\r\nD:\\GONE\\TRACK.MP3\r\n"},
        {"Temp\\OTHER.WAV.err", "a single job's note\r\n"},
    };
    const Notice encoded = notice({"L", "E", "C:\\some dir\\"}, temp);
    EXPECT_EQ(encoded.text, "List process finished, but 4 files could not be converted:\r\n\r\n"
                            "blue.wav: the WAV file holds no audio data\r\n"
                            "Green.mp3: the result could not be moved to the output\r\n"
                            "Night and day.wav: the disk is full\r\n"
                            "Red.mp3: the result could not be moved to the output\r\n\r\n"
                            "1 file was converted with a warning:\r\n\r\n"
                            "SHORT.WAV: ended early\r\n\r\n"
                            "Output folder: C:\\some dir\\");
    EXPECT_EQ(encoded.folder, "C:\\some dir\\");
    EXPECT_EQ(encoded.notes, (std::vector<std::string>{kProgram + "Temp\\LE\\blue.wav.ERR",
                                                       kProgram + "Temp\\LE\\NIGHTA~1.WAV.err",
                                                       kProgram + "Temp\\LE\\SHORT.WAV.err"}))
        << "told, to be removed";

    const Notice decoded = notice({"L", "D", "F:\\New\\"}, temp);
    EXPECT_EQ(decoded.text, "List process finished, but 1 file could not be converted:\r\n\r\n"
                            "TRACK.MP3: no reason given\r\n\r\n"
                            "Output folder: F:\\New\\ (not found)");
    EXPECT_EQ(decoded.folder, "");

    // Entries coded beside others, each in its own folder.
    EXPECT_EQ(notice({"L", "E", "C:\\some dir\\"},
                     {{"Temp\\LE\\E2\\SHORT.WAV.err", "warning: ended early\r\n"},
                      {"Temp\\LE\\E3\\Red.mp3", "a result the move left"},
                      {"Temp\\LE\\WORKER.BAT", "@Echo Off"}, // deleted right after
                      {"Temp\\LE\\N1\\Empty.mp3", ""}})
                  .text,
              "List process finished, but 1 file could not be converted:\r\n\r\n"
              "Red.mp3: the result could not be moved to the output\r\n\r\n"
              "1 file was converted with a warning:\r\n\r\n"
              "SHORT.WAV: ended early\r\n\r\nOutput folder: C:\\some dir\\");
}

TEST(MessageText, ListJobNamesTwentyFailuresAndCountsTheRest) {
    Files notes;
    for (int i = 0; i < 25; ++i) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        notes["Temp\\" + std::string(i % 2 ? "LE\\F" : "LD\\F") + number + ".WAV.err"] =
            "reason " + number + "\r\n";
    }
    const std::string text = notice({"L", "X", "C:\\some dir\\"}, notes).text;
    // The encode folder's notes come first, then the decode folder's.
    std::string expected = "List process finished, but 25 files could not be converted:\r\n";
    for (const char* number : {"01", "03", "05", "07", "09", "11", "13", "15", "17", "19",
                               "21", "23", "00", "02", "04", "06", "08", "10", "12", "14"})
        expected += std::string("\r\nF") + number + ".WAV: reason " + number;
    expected += "\r\nand 5 more\r\n\r\nOutput folder: C:\\some dir\\";
    EXPECT_EQ(text, expected);
}
