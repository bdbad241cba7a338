#include "jobs/PathRules.h"

#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

using namespace korimba::paths;
using korimba::fakes::FakeFileSystem;
using korimba::fakes::FakeTextEncoding;
using korimba::text::CodePage;

namespace {

// "\x83\x5C" is one double-byte character whose second byte is a backslash.
const std::string kDbcsName = "\x83\x5C";

class DoubleByteCodePage : public testing::Test {
protected:
    DoubleByteCodePage() { encoding.setLeadBytes(korimba::fakes::shiftJisLeadByte); }
    FakeTextEncoding encoding;
    CodePage shiftJis{encoding};
};

// The active code page UTF-8, as the manifest asks from Windows 10 1903 on.
class Utf8CodePage : public testing::Test {
protected:
    Utf8CodePage() { encoding.setUtf8(true); }
    FakeTextEncoding encoding;
    CodePage utf8{encoding};
};

// Japanese, Greek, an emoji and an "e" with a combining acute accent.
const std::string kJapanese = "\u65E5\u672C\u8A9E\u306E\u6B4C \u2013 \u30E9\u30A4\u30D6";
const std::string kGreek = "\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
const std::string kEmoji = "\U0001F3B5 Song";
const std::string kCombining = "Cafe\u0301";

} // namespace

TEST(PathParts, SplitAtTheLastBackslashOrColon) {
    EXPECT_EQ(fileNamePart("D:\\Music\\a.wav"), "a.wav");
    EXPECT_EQ(fileNamePart("D:\\Music\\"), "");
    EXPECT_EQ(fileNamePart("C:a.wav"), "a.wav");
    EXPECT_EQ(fileNamePart("a.wav"), "a.wav");
    EXPECT_EQ(fileNamePart("D:\\Music\\.mp3"), ".mp3");
    EXPECT_EQ(folderPart("D:\\Music\\a.wav"), "D:\\Music\\");
    EXPECT_EQ(folderPart("C:a.wav"), "C:");
    EXPECT_EQ(folderPart("a.wav"), "");
}

TEST(PathParts, FolderLosesItsBackslashUnlessItIsARoot) {
    EXPECT_EQ(folderWithoutTrailingBackslash("C:\\L3ENC\\L3ENC.EXE"), "C:\\L3ENC");
    EXPECT_EQ(folderWithoutTrailingBackslash("C:\\L3ENC.EXE"), "C:\\");
    EXPECT_EQ(folderWithoutTrailingBackslash("C:\\My MP3s\\"), "C:\\My MP3s");
    EXPECT_EQ(folderWithoutTrailingBackslash("\\a.wav"), "\\");
    EXPECT_EQ(folderWithoutTrailingBackslash("\\\\srv"), "\\\\");
    EXPECT_EQ(folderWithoutTrailingBackslash("\\\\srv\\share\\a.wav"), "\\\\srv\\share");
    EXPECT_EQ(folderWithoutTrailingBackslash("C:a.wav"), "C:");
    EXPECT_EQ(folderWithoutTrailingBackslash("a.wav"), "");
}

TEST(PathParts, DriveIsALetterOrAServerShare) {
    EXPECT_EQ(drivePart("C:\\x"), "C:");
    EXPECT_EQ(drivePart("c:"), "c:");
    EXPECT_EQ(drivePart("\\\\srv\\share\\x"), "\\\\srv\\share");
    EXPECT_EQ(drivePart("\\\\srv\\share"), "\\\\srv\\share");
    EXPECT_EQ(drivePart("\\\\srv"), "\\\\srv");
    EXPECT_EQ(drivePart("\\x\\y"), "");
    EXPECT_EQ(drivePart("x"), "");
    EXPECT_EQ(drivePart(""), "");
}

TEST(PathParts, ExtensionOnlyAfterTheLastSeparator) {
    EXPECT_EQ(extension("a.b.wav"), ".wav");
    EXPECT_EQ(extension("D:\\x.y\\file"), "");
    EXPECT_EQ(extension("C:x.y:file"), "");
    EXPECT_EQ(extension("file."), ".");
    EXPECT_EQ(extension("D:\\Music\\"), "");
}

TEST(PathParts, NameWithoutLastFourNeedsFourCharacters) {
    EXPECT_EQ(nameWithoutLastFour("Song.wav"), "Song");
    EXPECT_EQ(nameWithoutLastFour(".wav"), "");
    EXPECT_EQ(nameWithoutLastFour("abc"), "");
}

TEST_F(DoubleByteCodePage, SecondByteBackslashIsNoSeparator) {
    const std::string file = "C:\\" + kDbcsName + ".wav";
    EXPECT_EQ(fileNamePart(file, shiftJis), kDbcsName + ".wav");
    EXPECT_EQ(folderPart(file, shiftJis), "C:\\");
    EXPECT_EQ(extension("C:\\a.b" + kDbcsName + "c", shiftJis), ".b" + kDbcsName + "c");
    // The last "\" follows a second byte, not another separator, so it goes.
    EXPECT_EQ(folderWithoutTrailingBackslash("C:\\" + kDbcsName + "\\a.wav", shiftJis),
              "C:\\" + kDbcsName);
    EXPECT_EQ(drivePart("\\\\srv\\" + kDbcsName + "\\x", shiftJis), "\\\\srv\\" + kDbcsName);
    // Without the code page the same bytes split, which is what the code page is for.
    EXPECT_EQ(fileNamePart(file), ".wav");
}

TEST_F(Utf8CodePage, CharactersAreOneToFourBytesAndNeverCutShort) {
    EXPECT_EQ(utf8.characterLength("a", 0), 1u);
    EXPECT_EQ(utf8.characterLength("\u00E9", 0), 2u);
    EXPECT_EQ(utf8.characterLength(kJapanese, 0), 3u);
    EXPECT_EQ(utf8.characterLength(kEmoji, 0), 4u);
    EXPECT_EQ(utf8.characterLength(kCombining, 4), 2u) << "the accent is a character of its own";
    // A sequence cut by the end, a stray continuation byte, a byte of code page 1252.
    EXPECT_EQ(utf8.characterLength(std::string("\xE6\x97"), 0), 1u);
    EXPECT_EQ(utf8.characterLength(std::string("\x97" "a"), 0), 1u);
    EXPECT_EQ(utf8.characterLength(std::string("\xE9t\xE9"), 0), 1u);
    EXPECT_FALSE(CodePage{}.isUtf8());
    EXPECT_EQ(CodePage{}.characterLength(kJapanese, 0), 1u);
}

TEST_F(Utf8CodePage, WindowsLimitCountsCharactersNotBytes) {
    const auto repeated = [](const std::string& part, int times) {
        std::string path = "D:\\";
        for (int i = 0; i < times; ++i)
            path += part;
        return path;
    };
    // 3 + 256 characters: 259 allowed, 260 not; an emoji counts twice, as in UTF-16.
    EXPECT_TRUE(fitsWindows(repeated("\u65E5", 256), utf8)) << "771 bytes";
    EXPECT_FALSE(fitsWindows(repeated("\u65E5", 257), utf8));
    EXPECT_TRUE(fitsWindows(repeated("\U0001F3B5", 128), utf8));
    EXPECT_FALSE(fitsWindows(repeated("\U0001F3B5", 128) + "a", utf8));
    EXPECT_TRUE(fitsWindows(repeated("a", 256)));
    EXPECT_FALSE(fitsWindows(repeated("a", 257)));
}

TEST_F(Utf8CodePage, PathsSplitBetweenCharactersOfEveryScript) {
    for (const std::string& name : {kJapanese, kGreek, kEmoji, kCombining}) {
        const std::string file = "D:\\" + name + "\\" + name + ".a.wav";
        EXPECT_EQ(fileNamePart(file, utf8), name + ".a.wav");
        EXPECT_EQ(folderPart(file, utf8), "D:\\" + name + "\\");
        EXPECT_EQ(folderWithoutTrailingBackslash(file, utf8), "D:\\" + name);
        EXPECT_EQ(extension(file, utf8), ".wav");
        EXPECT_EQ(drivePart("\\\\" + name + "\\" + name + "\\x", utf8),
                  "\\\\" + name + "\\" + name);
        EXPECT_TRUE(isEncodableInput(file, utf8));
        EXPECT_EQ(completionExtension(file, utf8), ".mp3");
    }
    EXPECT_EQ(drivePart(kGreek + ":x", utf8), "") << "no drive letter beyond ASCII";
}

TEST(FileTypes, FoldOnlyAsciiLettersThenCompareExactly) {
    EXPECT_EQ(upperAscii("song.Wav\xE4"), "SONG.WAV\xE4");
    EXPECT_EQ(lowerAscii("SONG.WAV\xC4"), "song.wav\xC4");
}

TEST(FileTypes, InputExtensionChoosesTheCommand) {
    EXPECT_TRUE(isEncodableInput("C:\\song.WAV"));
    EXPECT_TRUE(isEncodableInput("song.snd"));
    EXPECT_FALSE(isDecodableInput("song.WAV"));
    EXPECT_TRUE(isDecodableInput("D:\\Music\\song.Mp3"));
    EXPECT_FALSE(isEncodableInput("song.mp3.txt"));
    EXPECT_FALSE(isDecodableInput("song.mp3.txt"));
    EXPECT_FALSE(isEncodableInput("D:\\x.wav\\file"));
}

TEST(FileTypes, OnlyWaveAndMp3MayBeDropped) {
    EXPECT_TRUE(isDroppableType("C:\\a.wav"));
    EXPECT_TRUE(isDroppableType("C:\\a.MP3"));
    EXPECT_FALSE(isDroppableType("C:\\a.snd"));
    EXPECT_FALSE(isDroppableType("C:\\a.wave"));
}

TEST(FileTypes, CompletionSwapsWaveAndMp3) {
    EXPECT_EQ(completionExtension("C:\\a.Wav"), ".mp3");
    EXPECT_EQ(completionExtension("C:\\a.mp3"), ".wav");
    EXPECT_EQ(completionExtension("C:\\a.snd"), "");
    EXPECT_EQ(completionExtension("C:\\a"), "");
}

namespace {

class PathForms : public testing::Test {
protected:
    PathForms() {
        files.addFile("C:\\Program Files\\Korimba Music\\Long Song Name.wav", "RIFF");
        files.addShortName("C:\\Program Files", "PROGRA~1");
        files.addShortName("C:\\Program Files\\Korimba Music", "KORIMB~1");
        files.addShortName("C:\\Program Files\\Korimba Music\\Long Song Name.wav", "LONGSO~1.WAV");
    }
    FakeFileSystem files;
};

} // namespace

TEST_F(PathForms, ShortPathOfAnExistingPathKeepsItsTrailingBackslash) {
    EXPECT_EQ(ShortPath(files, "C:\\Program Files\\Korimba Music\\Long Song Name.wav"),
              "C:\\PROGRA~1\\KORIMB~1\\LONGSO~1.WAV");
    EXPECT_EQ(ShortPath(files, "C:\\Program Files\\"), "C:\\PROGRA~1\\");
}

TEST_F(PathForms, ShortPathIsEmptyWhenMissingOrTooLong) {
    EXPECT_EQ(ShortPath(files, "C:\\Program Files\\Not There.wav"), "");
    const std::string longest = "C:\\" + std::string(200, 'a') + "\\" + std::string(55, 'b');
    const std::string tooLong = longest + "b";
    files.addFolder(longest);
    files.addFolder(tooLong);
    EXPECT_EQ(ShortPath(files, longest), longest);
    EXPECT_EQ(ShortPath(files, tooLong), "");
}

TEST_F(PathForms, LongPathConvertsEveryComponentAndKeepsTheDriveAsTyped) {
    EXPECT_EQ(LongPath(files, "C:\\PROGRA~1\\"), "C:\\Program Files\\");
    EXPECT_EQ(LongPath(files, "c:\\progra~1\\korimb~1\\longso~1.wav"),
              "c:\\Program Files\\Korimba Music\\Long Song Name.wav");
    EXPECT_EQ(LongPath(files, "\\PROGRA~1"), "\\Program Files");
}

TEST_F(PathForms, LongPathLeavesRootsAndEmptyAlone) {
    EXPECT_EQ(LongPath(files, "C:"), "C:");
    EXPECT_EQ(LongPath(files, "C:\\"), "C:\\");
    EXPECT_EQ(LongPath(files, ""), "");
}

TEST_F(PathForms, LongPathGivesTheInputBackWhenAComponentIsMissing) {
    const std::string path = "C:\\PROGRA~1\\Missing\\LONGSO~1.WAV";
    EXPECT_EQ(LongPath(files, path), path);
    EXPECT_EQ(LongPath(files, "C:\\PROGRA~1\\KORIMB~1\\gone.wav"),
              "C:\\PROGRA~1\\KORIMB~1\\gone.wav");
}

TEST_F(PathForms, LongPathOfABareNameSearchesTheCurrentFolder) {
    files.setCurrentFolder("C:\\Program Files\\Korimba Music");
    EXPECT_EQ(LongPath(files, "longso~1.wav"), "Long Song Name.wav");
}

TEST_F(PathForms, WildcardComponentBecomesTheFirstMatch) {
    files.addFile("C:\\Music\\b.wav");
    files.addFile("C:\\Music\\a.wav");
    EXPECT_EQ(LongPath(files, "C:\\Prog*\\Korimba ?usic\\"), "C:\\Program Files\\Korimba Music\\");
    EXPECT_EQ(LongPath(files, "C:\\MUSIC\\*.wav"), "C:\\Music\\b.wav");
}

TEST_F(PathForms, LongComponentConvertsOnlyTheLastComponent) {
    EXPECT_EQ(LongComponent(files, "C:\\PROGRA~1\\KORIMB~1\\").converted,
              "C:\\PROGRA~1\\Korimba Music\\");
    const LongComponentResult missing = LongComponent(files, "C:\\Nope\\");
    EXPECT_TRUE(missing.notFound);
    EXPECT_EQ(missing.converted, "C:\\Nope\\");
    // A share is all drive: nothing to search, nothing missing.
    const LongComponentResult share = LongComponent(files, "\\\\srv\\share\\");
    EXPECT_FALSE(share.notFound);
    EXPECT_EQ(share.converted, "\\\\srv\\share\\");
}

TEST_F(DoubleByteCodePage, LongPathDoesNotCutInsideADoubleByteName) {
    FakeFileSystem files;
    files.setLeadBytes(korimba::fakes::shiftJisLeadByte);
    files.addFile("C:\\" + kDbcsName + "\\Song.wav");
    EXPECT_EQ(LongPath(files, "c:\\" + kDbcsName + "\\SONG.WAV", shiftJis),
              "c:\\" + kDbcsName + "\\Song.wav");
}
