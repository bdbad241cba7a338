// Runs the real l3enc.exe and l3dec.exe on files made for each test: what they
// make is read back with the coders' own format code, every failure must leave
// nothing at the output path and its reason in the note beside it, and an
// input cut short must be coded as far as it goes, with a warning.
#include <windows.h>

#include "TestSupport.h"
#include "audio/MpegFrames.h"
#include "audio/Streams.h"
#include "audio/WavFile.h"
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace korimba::support;
using namespace korimba::audio;
using Bytes = std::vector<std::uint8_t>;

struct CoderRun {
    DWORD exitCode = ~DWORD{0};
    std::string messages; // standard error
};

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A line of the note beside an output (the first says what happened, the
// second names the input), with its line end; "(none)" without a note.
std::string note(const std::string& output, std::size_t line = 0) {
    const std::string path = output + ".err";
    if (!exists(path))
        return "(none)";
    const Bytes bytes = readFile(path);
    std::string text(bytes.begin(), bytes.end());
    for (std::size_t i = 0; i < line; ++i)
        text.erase(0, text.find("\r\n") + 2);
    return text.substr(0, text.find("\r\n") + 2);
}

// Seconds with one decimal, rounded down.
std::string secondsDown(std::uint64_t frames, int rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%llu", static_cast<unsigned long long>(frames / rate),
                  static_cast<unsigned long long>(frames * 10 / rate % 10));
    return text;
}

// The lines of a console text, each ended by CR LF (the last one too).
std::vector<std::string> consoleLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    EXPECT_EQ(at, text.size()) << "the last line is not ended: " << text;
    return lines;
}

// A progress line as a console shows it: "\r<label> NNN%" again and again,
// one for each new percentage, up to 100.
void expectProgress(const std::string& line, const std::string& label) {
    std::vector<int> percentages;
    std::size_t at = 0;
    while (at < line.size()) {
        ASSERT_EQ(line[at], '\r') << line;
        const std::size_t next = line.find('\r', at + 1);
        const std::string shown = line.substr(at + 1, next - at - 1);
        ASSERT_EQ(shown.substr(0, label.size() + 1), label + " ") << shown;
        ASSERT_EQ(shown.size(), label.size() + 5) << shown;
        ASSERT_EQ(shown.back(), '%') << shown;
        percentages.push_back(std::atoi(shown.c_str() + label.size() + 1));
        at = next == std::string::npos ? line.size() : next;
    }
    ASSERT_FALSE(percentages.empty());
    EXPECT_TRUE(std::is_sorted(percentages.begin(), percentages.end()) &&
                std::adjacent_find(percentages.begin(), percentages.end()) == percentages.end())
        << line;
    EXPECT_EQ(percentages.back(), 100) << line;
}

// The DLLs that a program imports, by the import table of its file.
std::vector<std::string> importedDlls(const std::string& path) {
    const Bytes file = readFile(path);
    std::vector<std::string> names;
    auto read32 = [&](std::size_t at) {
        std::uint32_t value = 0;
        if (at + 4 <= file.size())
            std::memcpy(&value, file.data() + at, 4);
        return value;
    };
    auto read16 = [&](std::size_t at) { return static_cast<std::uint16_t>(read32(at)); };
    const std::uint32_t pe = read32(0x3C);
    if (file.size() < 0x40 || read32(pe) != 0x4550) { // "PE\0\0"
        ADD_FAILURE() << path << " is not a Windows program";
        return names;
    }
    const std::size_t optional = pe + 24;
    const bool pe32plus = read16(optional) == 0x20B;
    const std::uint32_t importRva = read32(optional + (pe32plus ? 120 : 104));
    const std::size_t sections = optional + read16(pe + 20);
    // A relative address of the loaded image as an offset in the file.
    auto offsetOf = [&](std::uint32_t rva) -> std::size_t {
        for (std::uint16_t i = 0; i < read16(pe + 6); ++i) {
            const std::size_t section = sections + i * 40u;
            const std::uint32_t start = read32(section + 12);
            const std::uint32_t size = std::max(read32(section + 8), read32(section + 16));
            if (rva >= start && rva < start + size)
                return read32(section + 20) + (rva - start);
        }
        return file.size();
    };
    for (std::size_t entry = offsetOf(importRva); entry + 20 <= file.size(); entry += 20) {
        const std::uint32_t nameRva = read32(entry + 12);
        if (nameRva == 0)
            break;
        const std::size_t name = offsetOf(nameRva);
        if (name >= file.size())
            break;
        names.emplace_back(
            reinterpret_cast<const char*>(file.data() + name),
            strnlen(reinterpret_cast<const char*>(file.data() + name), file.size() - name));
    }
    return names;
}

// A stereo or mono 16-bit WAV of tones, loud enough to survive coding.
Bytes toneWav(int channels, int rate, int frames) {
    const auto header = pcm16WavHeader(channels, rate, std::uint64_t(frames) * channels * 2);
    Bytes file(header.begin(), header.end());
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const double t = double(i) / rate;
            const auto v = static_cast<std::int16_t>(
                12000 * std::sin(2 * 3.14159265358979 * (440 + 220 * c) * t));
            file.push_back(static_cast<std::uint8_t>(v));
            file.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    return file;
}

struct Mp3Facts {
    std::vector<FrameHeader> frames; // the tag frame first
    std::optional<InfoTag> tag;
};

// The frames that lie whole within the first `size` bytes of an MP3 file.
std::size_t wholeFrames(const Bytes& file, std::size_t size) {
    MemoryInput input(file);
    const auto start = locateStream(input);
    std::size_t count = 0;
    for (std::size_t at = start ? start->offset : size; at + 4 <= size; ++count) {
        const auto h = parseFrameHeader(file.data() + at);
        if (!h || at + h->bytes > size)
            break;
        at += h->bytes;
    }
    return count;
}

Mp3Facts readMp3(const Bytes& file) {
    Mp3Facts facts;
    MemoryInput input(file);
    const auto start = locateStream(input);
    if (!start)
        return facts;
    std::size_t at = start->offset;
    facts.tag = readInfoTag(file.data() + at, file.size() - at);
    while (at + 4 <= file.size()) {
        const auto h = parseFrameHeader(file.data() + at);
        if (!h)
            break;
        facts.frames.push_back(*h);
        at += h->bytes;
    }
    EXPECT_EQ(at, file.size()) << "frames do not fill the file";
    return facts;
}

class CodersTest : public ::testing::Test {
protected:
    void SetUp() override {
        longFolder_ = freshTempFolder("Korimba coders test");
        // The scripts pass short names only.
        folder_ = shortPath(longFolder_) + "\\";
        ASSERT_NE(folder_, "\\");
        // The scripts' Temp folder holds the result under the input's 8.3 name.
        temp_ = folder_ + "Temp\\";
        ASSERT_TRUE(CreateDirectoryA(temp_.c_str(), nullptr));
    }
    void TearDown() override { removeTree(longFolder_); }

    // With `withOutput`, the standard output goes into the messages too, in
    // the order the two were written, as a console window shows them.
    CoderRun run(const std::string& program, const std::string& arguments,
                 bool withOutput = false) {
        CoderRun result;
        const std::string log = folder_ + "stderr.txt";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE errors = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                                 nullptr);
        const std::string path = besideThisProgram(program);
        // Extra blanks between arguments, as the scripts leave them.
        std::string commandLine = "\"" + path + "\" " + arguments + "   ";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = withOutput ? errors : nul;
        startup.hStdError = errors;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "cannot start " << path;
        } else {
            EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << program;
            GetExitCodeProcess(process.hProcess, &result.exitCode);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(errors);
        CloseHandle(nul);
        const Bytes text = readFile(log);
        result.messages.assign(text.begin(), text.end());
        return result;
    }

    // A failure: non-zero exit, one line naming the fault, nothing at the
    // output, and the fault alone on one line of the note beside it (where
    // the output is known and its folder there).
    void expectFailure(const CoderRun& r, const std::string& output, const std::string& fault,
                       bool noted = true) {
        EXPECT_NE(r.exitCode, 0u);
        EXPECT_NE(r.messages.find(fault), std::string::npos) << r.messages;
        EXPECT_EQ(std::count(r.messages.begin(), r.messages.end(), '\n'), 1) << r.messages;
        EXPECT_FALSE(exists(output)) << output;
        const std::string text = note(output);
        if (noted) {
            EXPECT_NE(text.find(fault), std::string::npos) << text;
            EXPECT_EQ(text.find("\r\n"), text.size() - 2) << text;
            // The console's line ends with it, after the program's name and the file.
            const std::string line = r.messages.substr(0, r.messages.find_first_of("\r\n"));
            EXPECT_TRUE(line.ends_with(text.substr(0, text.size() - 2)) ||
                        line.find(text.substr(0, text.size() - 2) + "; usage:") !=
                            std::string::npos)
                << line << " / " << text;
        } else {
            EXPECT_EQ(text, "(none)");
        }
        // The temporary file of the unfinished output is gone too.
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((temp_ + "l3_*").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
    }

    std::string longFolder_;
    std::string folder_;
    std::string temp_;
};

} // namespace

TEST_F(CodersTest, WavToMp3AndBackKeepsTheLengthExactly) {
    const int frames = 44100 * 3 + 123;
    const std::string wav = longFolder_ + "\\Night and day.wav";
    writeFile(wav, toneWav(2, 44100, frames));
    const std::string input = shortPath(wav);
    const std::string mp3 = temp_ + "NIGHTA~1.WAV";

    const CoderRun encoded = run("l3enc.exe", input + " " + mp3 + " -br 128000  ");
    ASSERT_EQ(encoded.exitCode, 0u) << encoded.messages;
    const Mp3Facts facts = readMp3(readFile(mp3));
    ASSERT_GT(facts.frames.size(), 100u);
    for (const FrameHeader& h : facts.frames) {
        EXPECT_EQ(h.bitRate, 128000);
        EXPECT_EQ(h.sampleRate, 44100);
        EXPECT_EQ(h.channels, 2);
    }
    ASSERT_TRUE(facts.tag && facts.tag->frames && facts.tag->encoderDelay && facts.tag->padding);
    EXPECT_EQ(*facts.tag->frames, facts.frames.size() - 1);
    EXPECT_EQ(*facts.tag->frames * 1152 - *facts.tag->encoderDelay - *facts.tag->padding,
              std::uint32_t(frames));

    const std::string back = temp_ + "NIGHTA~1.MP3";
    const CoderRun decoded = run("l3dec.exe", mp3 + " " + back + " -wav");
    ASSERT_EQ(decoded.exitCode, 0u) << decoded.messages;
    MemoryInput wavBack(readFile(back));
    const AudioStream stream = readWav(wavBack);
    EXPECT_EQ(stream.channels, 2);
    EXPECT_EQ(stream.sampleRate, 44100);
    EXPECT_EQ(stream.frames(), std::uint64_t(frames));
    // The tone came through: loudness about that of the original.
    SampleReader reader(wavBack, stream);
    std::vector<float> samples(2 * frames);
    ASSERT_EQ(reader.read(samples.data(), frames), std::size_t(frames));
    double energy = 0;
    for (int i = 44100; i < 2 * 44100; ++i)
        energy += samples[2 * i] * samples[2 * i];
    const double rms = std::sqrt(energy / 44100);
    EXPECT_NEAR(rms, 12000 / 32768.0 / std::sqrt(2.0), 0.03);

    // -hq decodes the same length; -dm mixes down to one channel.
    const CoderRun hq = run("l3dec.exe", mp3 + " " + back + " -wav -hq -dm");
    ASSERT_EQ(hq.exitCode, 0u) << hq.messages;
    MemoryInput monoBack(readFile(back));
    const AudioStream mono = readWav(monoBack);
    EXPECT_EQ(mono.channels, 1);
    EXPECT_EQ(mono.frames(), std::uint64_t(frames));
}

TEST_F(CodersTest, EveryBitRateOfTheScriptsAndMono) {
    const std::string wav = folder_ + "TONE.WAV";
    writeFile(wav, toneWav(2, 44100, 44100));
    for (int rate : {8000, 16000, 24000, 32000, 56000, 64000, 96000, 112000, 128000, 256000}) {
        const std::string mp3 = temp_ + "TONE.WAV";
        const CoderRun r =
            run("l3enc.exe", wav + " " + mp3 + " -br " + std::to_string(rate) + " -hq -dm");
        ASSERT_EQ(r.exitCode, 0u) << rate << r.messages;
        const Mp3Facts facts = readMp3(readFile(mp3));
        ASSERT_GT(facts.frames.size(), 3u) << rate;
        EXPECT_EQ(facts.frames[1].bitRate, rate);
        EXPECT_EQ(facts.frames.back().bitRate, rate);
        EXPECT_EQ(facts.frames[1].channels, 1) << rate;
    }
}

TEST_F(CodersTest, SndInputIsKnownByItsContent) {
    // Mu-law, 8000 Hz mono, one second, under a name that says WAV.
    Bytes snd = {'.', 's', 'n', 'd', 0, 0, 0,    24,   0, 0, 0x1F, 0x40,
                 0,   0,   0,   1,   0, 0, 0x1F, 0x40, 0, 0, 0,    1};
    for (int i = 0; i < 8000; ++i)
        snd.push_back(static_cast<std::uint8_t>(i % 50 < 25 ? 0x20 : 0xA0));
    const std::string input = folder_ + "VOICE.WAV";
    writeFile(input, snd);
    const std::string mp3 = temp_ + "VOICE.SND";
    const CoderRun r = run("l3enc.exe", input + " " + mp3 + " -br 32000");
    ASSERT_EQ(r.exitCode, 0u) << r.messages;
    const Mp3Facts facts = readMp3(readFile(mp3));
    ASSERT_TRUE(facts.tag && facts.tag->frames);
    EXPECT_EQ(facts.frames[1].bitRate, 32000);
    const FrameHeader& h = facts.frames[1];
    EXPECT_EQ(std::int64_t(*facts.tag->frames) * h.samples - *facts.tag->encoderDelay -
                  *facts.tag->padding,
              std::int64_t(8000) * h.sampleRate / 8000);
}

TEST_F(CodersTest, EncoderFailuresLeaveNothing) {
    const std::string wav = folder_ + "GOOD.WAV";
    Bytes good = toneWav(2, 44100, 4410);
    writeFile(wav, good);
    const std::string out = temp_ + "OUT.WAV";

    expectFailure(run("l3enc.exe", folder_ + "MISSING.WAV " + out + " -br 128000"), out,
                  "the file does not exist");

    Bytes cut = good;
    cut.resize(44 + 3); // not one whole frame of audio
    writeFile(folder_ + "CUT.WAV", cut);
    writeFile(out, {'o', 'l', 'd'}); // an older result must not survive as this one
    expectFailure(run("l3enc.exe", folder_ + "CUT.WAV " + out + " -br 128000"), out,
                  "the WAV file is truncated: it ends before its audio data");

    writeFile(folder_ + "TEXT.WAV", {'h', 'e', 'l', 'l', 'o', '\r', '\n'});
    expectFailure(run("l3enc.exe", folder_ + "TEXT.WAV " + out + " -br 128000"), out,
                  "neither a WAV nor a SND");

    // No folder, no note either.
    expectFailure(run("l3enc.exe", wav + " " + folder_ + "NOFOLDER\\OUT.WAV -br 128000"),
                  folder_ + "NOFOLDER\\OUT.WAV", "cannot be created", false);
    expectFailure(run("l3enc.exe", wav + " " + out + " -br 100000"), out,
                  "MP3 offers no bit rate of 100000");

    // The script's line for a missing input: only the Temp folder and the
    // switches. Its output is not known, so no note is touched.
    DeleteFileA((out + ".err").c_str());
    expectFailure(run("l3enc.exe", " " + temp_ + " -br 128000"), out, "no output file given",
                  false);

    // Never over its own input, however the output is spelt.
    const CoderRun same = run("l3enc.exe", wav + " \"" + longFolder_ + "\\good.wav\" -br 128000");
    EXPECT_NE(same.exitCode, 0u);
    EXPECT_NE(same.messages.find("overwrite the input"), std::string::npos) << same.messages;
    EXPECT_EQ(readFile(wav), good);
}

TEST_F(CodersTest, DecoderFailuresLeaveNothing) {
    const std::string wav = folder_ + "GOOD.WAV";
    writeFile(wav, toneWav(2, 44100, 44100));
    const std::string mp3 = folder_ + "GOOD.MP3";
    ASSERT_EQ(run("l3enc.exe", wav + " " + mp3 + " -br 128000").exitCode, 0u);
    const std::string out = temp_ + "OUT.MP3";

    expectFailure(run("l3dec.exe", wav + " " + out + " -wav"), out,
                  "this is a WAV file, not MPEG audio");
    writeFile(folder_ + "RANDOM.MP3", Bytes(20000, 0x5A));
    expectFailure(run("l3dec.exe", folder_ + "RANDOM.MP3 " + out + " -wav"), out,
                  "this is not MPEG audio");
    writeFile(folder_ + "EMPTY.MP3", {});
    expectFailure(run("l3dec.exe", folder_ + "EMPTY.MP3 " + out + " -wav"), out, "empty");

    // Cut inside its first frame of audio: there is nothing to decode.
    Bytes cut = readFile(mp3);
    cut.resize(600);
    writeFile(folder_ + "CUT.MP3", cut);
    writeFile(out, {'o', 'l', 'd'});
    expectFailure(run("l3dec.exe", folder_ + "CUT.MP3 " + out + " -wav"), out,
                  "this is not MPEG audio");

    expectFailure(run("l3dec.exe", folder_ + "MISSING.MP3 " + out + " -wav"), out,
                  "does not exist");
    expectFailure(run("l3dec.exe", mp3 + " " + out + " -wav -x"), out, "unknown switch -x");
}

TEST_F(CodersTest, TheNoteSaysWhyAndGoesWithTheNextRun) {
    const std::string wav = folder_ + "GOOD.WAV";
    writeFile(wav, toneWav(2, 44100, 4410));
    const std::string out = temp_ + "NIGHTA~1.WAV";

    EXPECT_EQ(run("l3enc.exe", folder_ + "MISSING.WAV " + out + " -br 128000").exitCode, 1u);
    EXPECT_EQ(note(out), "the file does not exist\r\n");
    EXPECT_EQ(note(out, 1), folder_ + "MISSING.WAV\r\n");
    EXPECT_EQ(note(out, 2), "") << "two lines";
    // A success takes away the note of the run before; so does any run.
    EXPECT_EQ(run("l3enc.exe", wav + " " + out + " -br 128000").exitCode, 0u);
    EXPECT_TRUE(exists(out));
    EXPECT_EQ(note(out), "(none)");
    writeFile(out + ".err", {'o', 'l', 'd', '\r', '\n'});
    EXPECT_EQ(run("l3enc.exe", wav + " " + out + " -br 128000 -dm").exitCode, 0u);
    EXPECT_EQ(note(out), "(none)");

    // A wrong command line that names its output beyond doubt.
    EXPECT_EQ(run("l3enc.exe", wav + " " + out + " -br 100000").exitCode, 2u);
    EXPECT_EQ(note(out), "MP3 offers no bit rate of 100000 bit/s (8000 to 256000 bit/s, as "
                         "128000)\r\n");

    const std::string back = temp_ + "NIGHTA~1.MP3";
    EXPECT_EQ(run("l3dec.exe", wav + " " + back + " -wav").exitCode, 1u);
    EXPECT_EQ(note(back), "this is a WAV file, not MPEG audio (MP3)\r\n");
    EXPECT_EQ(note(back, 1), wav + "\r\n");
}

TEST_F(CodersTest, ANoteThatCannotBeWrittenChangesNothingElse) {
    const std::string out = temp_ + "CUT.WAV";
    ASSERT_TRUE(CreateDirectoryA((out + ".err").c_str(), nullptr));
    Bytes cut = toneWav(1, 8000, 8000);
    cut.resize(cut.size() / 2);
    writeFile(folder_ + "CUT.WAV", cut);
    const CoderRun warned = run("l3enc.exe", folder_ + "CUT.WAV " + out + " -br 32000");
    EXPECT_EQ(warned.exitCode, 0u) << warned.messages;
    EXPECT_TRUE(exists(out));
    const CoderRun failed = run("l3enc.exe", folder_ + "MISSING.WAV " + out + " -br 32000");
    EXPECT_EQ(failed.exitCode, 1u);
    EXPECT_FALSE(exists(out));
    EXPECT_TRUE(GetFileAttributesA((out + ".err").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(CodersTest, AWavCutShortIsEncodedAsFarAsItGoes) {
    const Bytes whole = toneWav(2, 44100, 3 * 44100);
    Bytes cut = whole;
    const int frames = 44100 * 3 / 2 + 11;
    cut.resize(44 + frames * 4 + 3); // and part of the next frame
    const std::string input = folder_ + "CUT.WAV";
    writeFile(input, cut);
    const std::string mp3 = temp_ + "CUT.WAV";

    const CoderRun r = run("l3enc.exe", input + " " + mp3 + " -br 128000");
    ASSERT_EQ(r.exitCode, 0u) << r.messages;
    EXPECT_EQ(r.messages,
              "l3enc: warning: " + input + ": the WAV file ended early: 1.5 s of 3.0 s coded\r\n");
    EXPECT_EQ(note(mp3), "warning: the WAV file ended early: 1.5 s of 3.0 s coded\r\n");
    const Mp3Facts facts = readMp3(readFile(mp3));
    ASSERT_TRUE(facts.tag && facts.tag->frames);
    EXPECT_EQ(*facts.tag->frames * 1152 - *facts.tag->encoderDelay - *facts.tag->padding,
              std::uint32_t(frames));

    // What is there decodes to its exact length, and that MP3 is whole.
    const std::string back = temp_ + "CUT.MP3";
    const CoderRun decoded = run("l3dec.exe", mp3 + " " + back + " -wav");
    ASSERT_EQ(decoded.exitCode, 0u) << decoded.messages;
    EXPECT_EQ(decoded.messages, "");
    EXPECT_EQ(note(back), "(none)");
    MemoryInput wavBack(readFile(back));
    EXPECT_EQ(readWav(wavBack).frames(), std::uint64_t(frames));

    // A recorder that stopped before it wrote the data's length left 0 there:
    // everything after the header is the recording.
    Bytes unstated = whole;
    std::fill(unstated.begin() + 40, unstated.begin() + 44, 0);
    writeFile(input, unstated);
    ASSERT_EQ(run("l3enc.exe", input + " " + mp3 + " -br 128000").exitCode, 0u);
    EXPECT_EQ(note(mp3), "warning: the WAV file's header states no length for its audio: 3.0 s "
                         "coded, to the end of the file\r\n");
    const Mp3Facts all = readMp3(readFile(mp3));
    ASSERT_TRUE(all.tag && all.tag->frames);
    EXPECT_EQ(*all.tag->frames * 1152 - *all.tag->encoderDelay - *all.tag->padding,
              std::uint32_t(3 * 44100));
}

TEST_F(CodersTest, AnMp3CutShortIsDecodedAsFarAsItGoes) {
    const std::string wav = folder_ + "TONE.WAV";
    writeFile(wav, toneWav(2, 44100, 3 * 44100));
    const std::string mp3 = folder_ + "TONE.MP3";
    ASSERT_EQ(run("l3enc.exe", wav + " " + mp3 + " -br 128000").exitCode, 0u);
    const Bytes whole = readFile(mp3);
    const Mp3Facts facts = readMp3(whole);
    ASSERT_TRUE(facts.tag && facts.tag->frames);

    // Cut inside a frame: the whole frames before it decode. Their first
    // samples are the encoder's delay and the decoder's own 529, both cut.
    const std::size_t size = whole.size() / 2 + 100;
    Bytes cut(whole.begin(), whole.begin() + size);
    const std::string input = folder_ + "CUT.MP3";
    writeFile(input, cut);
    const std::size_t audioFrames = wholeFrames(whole, size) - 1; // the first is the tag's
    const std::uint64_t expected = audioFrames * 1152 - *facts.tag->encoderDelay - 529;
    const std::string wavOut = temp_ + "CUT.MP3";
    const CoderRun r = run("l3dec.exe", input + " " + wavOut + " -wav");
    ASSERT_EQ(r.exitCode, 0u) << r.messages;
    const std::string warning =
        "the MP3 file ended early: " + secondsDown(expected, 44100) + " s of 3.0 s coded";
    EXPECT_EQ(r.messages, "l3dec: warning: " + input + ": " + warning + "\r\n");
    EXPECT_EQ(note(wavOut), "warning: " + warning + "\r\n");
    MemoryInput decoded(readFile(wavOut));
    EXPECT_EQ(readWav(decoded).frames(), expected);

    // Without the tag, the frames alone tell that the stream was cut; nothing is cut from it.
    const std::size_t tagFrame = facts.frames[0].bytes;
    Bytes untagged(cut.begin() + tagFrame, cut.end());
    writeFile(input, untagged);
    ASSERT_EQ(run("l3dec.exe", input + " " + wavOut + " -wav -dm").exitCode, 0u);
    const std::uint64_t all = audioFrames * 1152;
    EXPECT_EQ(note(wavOut), "warning: the MP3 file ended early, inside a frame: " +
                                secondsDown(all, 44100) + " s coded\r\n");
    MemoryInput mono(readFile(wavOut));
    const AudioStream monoStream = readWav(mono);
    EXPECT_EQ(monoStream.channels, 1);
    EXPECT_EQ(monoStream.frames(), all);
}

TEST_F(CodersTest, SampleRatesFarBelowMp3s) {
    // A header that states 1 Hz is damaged: one line says so, before anything else.
    const std::string input = folder_ + "ONEHZ.WAV";
    writeFile(input, toneWav(1, 1, 10));
    const std::string out = temp_ + "ONEHZ.WAV";
    const CoderRun r = run("l3enc.exe", input + " " + out + " -br 112000");
    expectFailure(r, out, "the WAV file states a sample rate of 1 Hz");
    EXPECT_EQ(r.messages, "l3enc: " + input +
                              ": the WAV file states a sample rate of 1 Hz, too "
                              "low to encode (1000 Hz is the least)\r\n");
    EXPECT_EQ(note(out),
              "the WAV file states a sample rate of 1 Hz, too low to encode (1000 Hz is the "
              "least)\r\n");

    // A real recording at 2000 Hz is stretched four times to MP3's 8000 Hz.
    writeFile(input, toneWav(1, 2000, 2000 * 5));
    const CoderRun low = run("l3enc.exe", input + " " + out + " -br 112000");
    ASSERT_EQ(low.exitCode, 0u) << low.messages;
    EXPECT_EQ(note(out), "(none)");
    const Mp3Facts facts = readMp3(readFile(out));
    ASSERT_TRUE(facts.tag && facts.tag->frames);
    EXPECT_EQ(facts.frames[1].sampleRate, 8000);
    EXPECT_EQ(*facts.tag->frames * facts.frames[1].samples - *facts.tag->encoderDelay -
                  *facts.tag->padding,
              std::uint32_t(8000 * 5));
}

// Every start of a coder pays for the libraries it loads (under Wine, the
// window libraries cost more than a short file's decoding): a console
// program needs the system's core and the C runtime only. shlwapi.dll, say,
// which libmpg123 imports for its own file names, would bring user32.dll and
// gdi32.dll with it.
TEST(CoderPrograms, ImportTheCoreAndTheCRuntimeOnly) {
    for (const char* program : {"l3enc.exe", "l3dec.exe"}) {
        const std::vector<std::string> dlls = importedDlls(besideThisProgram(program));
        EXPECT_FALSE(dlls.empty()) << program;
        for (const std::string& dll : dlls)
            EXPECT_TRUE(_stricmp(dll.c_str(), "kernel32.dll") == 0 ||
                        _stricmp(dll.c_str(), "msvcrt.dll") == 0)
                << program << " imports " << dll;
    }
}

// What a job's console window shows: the coder's line, its progress counted
// up in place to 100 %, then a warning on a line of its own. Both coders write
// the console by whole messages (one character at a time is a system call
// each), which must keep this order.
TEST_F(CodersTest, TheConsoleShowsTheCodingItsProgressAndThenTheWarning) {
    Bytes cut = toneWav(2, 44100, 3 * 44100);
    cut.resize(44 + (44100 * 3 / 2) * 4);
    const std::string input = folder_ + "CUT.WAV";
    writeFile(input, cut);
    const std::string mp3 = folder_ + "CUT.MP3";
    const CoderRun encoded = run("l3enc.exe", input + " " + mp3 + " -br 128000", true);
    ASSERT_EQ(encoded.exitCode, 0u) << encoded.messages;
    std::vector<std::string> lines = consoleLines(encoded.messages);
    ASSERT_EQ(lines.size(), 3u) << encoded.messages;
    EXPECT_EQ(lines[0], "l3enc: WAV 44100 Hz stereo to MP3 128000 bit/s stereo");
    expectProgress(lines[1], "l3enc: " + input);
    EXPECT_EQ(lines[2],
              "l3enc: warning: " + input + ": the WAV file ended early: 1.5 s of 3.0 s coded");

    const Bytes whole = readFile(mp3);
    const std::string cutMp3 = folder_ + "HALF.MP3";
    writeFile(cutMp3, Bytes(whole.begin(), whole.begin() + whole.size() / 2 + 100));
    const std::string wav = temp_ + "HALF.MP3";
    const CoderRun decoded = run("l3dec.exe", cutMp3 + " " + wav + " -wav -hq", true);
    ASSERT_EQ(decoded.exitCode, 0u) << decoded.messages;
    lines = consoleLines(decoded.messages);
    ASSERT_EQ(lines.size(), 3u) << decoded.messages;
    EXPECT_EQ(lines[0], "l3dec: MPEG audio layer 3 44100 Hz stereo to WAV 16-bit stereo, dithered");
    expectProgress(lines[1], "l3dec: " + cutMp3);
    EXPECT_EQ(lines[2].rfind("l3dec: warning: " + cutMp3 + ": the MP3 file ended early: ", 0), 0u)
        << lines[2];
}

namespace {

std::wstring widened(const std::string& ansi) {
    return korimba::platform::win32::wideOf(ansi, CP_ACP);
}

// What a console of this process shows from its top down to the cursor's line,
// each row cut of its trailing blanks, after running a program in it.
std::vector<std::wstring> consoleAfter(std::wstring commandLine) {
    const HANDLE saved[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                            GetStdHandle(STD_ERROR_HANDLE)};
    FreeConsole();
    std::vector<std::wstring> rows;
    if (AllocConsole()) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process)) {
            WaitForSingleObject(process.hProcess, 60000);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
        CONSOLE_SCREEN_BUFFER_INFO info = {};
        GetConsoleScreenBufferInfo(screen, &info);
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            std::wstring row(static_cast<std::size_t>(info.dwSize.X), L' ');
            DWORD read = 0;
            ReadConsoleOutputCharacterW(screen, row.data(), static_cast<DWORD>(row.size()), {0, y},
                                        &read);
            row.erase(row.find_last_not_of(L' ') + 1);
            rows.push_back(row);
        }
        CloseHandle(screen);
        FreeConsole();
    }
    SetStdHandle(STD_INPUT_HANDLE, saved[0]);
    SetStdHandle(STD_OUTPUT_HANDLE, saved[1]);
    SetStdHandle(STD_ERROR_HANDLE, saved[2]);
    return rows;
}

} // namespace

// The coders work in UTF-8 (their manifest) and write the console in its wide
// characters: a name of any script shows whole, whatever the console's code
// page. Japanese and Greek: this test's own code page, 1252, has neither.
TEST_F(CodersTest, AConsoleShowsANameOfAnyScriptWhole) {
    const std::wstring input = widened(folder_) + L"\u65E5\u672C\u8A9E \u0395\u03BB\u03BB\u03AC.wav";
    const std::wstring output = widened(folder_) + L"OUT.MP3";
    const std::vector<std::wstring> rows = consoleAfter(
        L"\"" + widened(besideThisProgram("l3enc.exe")) + L"\" \"" + input + L"\" \"" + output + L"\" -br 128000");
    ASSERT_FALSE(rows.empty());
    const std::wstring start = L"l3enc: " + input + L": ";
    EXPECT_EQ(rows[0].substr(0, start.size()), start);
}
