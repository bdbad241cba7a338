// Starts the real Message.exe with the command lines the job scripts give it,
// reads its window and closes it with its OK button.
#include <windows.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace korimba::support;

// Another process's window text, through the message that crosses processes.
std::string textOf(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::vector<char> buffer(length + 1);
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(buffer.data(), copied);
}

struct Control {
    HWND handle;
    std::string kind;
    std::string text;
};

BOOL CALLBACK collectControl(HWND child, LPARAM list) {
    char kind[64] = {};
    GetClassNameA(child, kind, sizeof kind);
    reinterpret_cast<std::vector<Control>*>(list)->push_back({child, kind, textOf(child)});
    return TRUE;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchProcess(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->processId || !IsWindowVisible(window))
        return TRUE;
    wanted->found = window;
    return FALSE;
}

// One Message.exe, ended at the latest when the test ends.
class MessageProgram {
public:
    MessageProgram(const std::string& arguments, const std::string& program) {
        std::string commandLine =
            "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &process_) != 0;
    }
    ~MessageProgram() {
        if (!started_)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    MessageProgram(const MessageProgram&) = delete;
    MessageProgram& operator=(const MessageProgram&) = delete;

    bool started() const { return started_; }

    HWND waitForWindow() const {
        for (int tries = 0; tries < 300; ++tries) {
            WindowSearch search{process_.dwProcessId, nullptr};
            EnumWindows(matchProcess, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                return search.found;
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }

    // The exit code, or STILL_ACTIVE when it does not end in time.
    DWORD waitForExit() const {
        WaitForSingleObject(process_.hProcess, 10000);
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &exitCode);
        return exitCode;
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION process_ = {};
};

struct Shown {
    std::string caption;
    std::string text;
    bool canOpenFolder = false;
    DWORD exitCode = STILL_ACTIVE;
    RECT window = {};   // on the screen
    RECT okButton = {}; // on the screen
};

// Starts Message.exe, reads what it shows and presses OK.
Shown showAndClose(const std::string& arguments,
                   const std::string& messageProgram = besideThisProgram("Message.exe")) {
    Shown shown;
    MessageProgram program(arguments, messageProgram);
    EXPECT_TRUE(program.started());
    HWND window = program.waitForWindow();
    EXPECT_NE(window, nullptr) << "no window for: " << arguments.substr(0, 80);
    if (!window)
        return shown;
    shown.caption = textOf(window);
    GetWindowRect(window, &shown.window);
    std::vector<Control> controls;
    EnumChildWindows(window, collectControl, reinterpret_cast<LPARAM>(&controls));
    HWND ok = nullptr;
    for (const Control& control : controls) {
        if (lstrcmpiA(control.kind.c_str(), "Static") == 0)
            shown.text = control.text;
        else if (control.text == "&Open folder")
            shown.canOpenFolder = IsWindowEnabled(control.handle) != 0;
        else if (control.text == "OK")
            ok = control.handle;
    }
    EXPECT_NE(ok, nullptr);
    if (ok) {
        GetWindowRect(ok, &shown.okButton);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    shown.exitCode = program.waitForExit();
    return shown;
}

class MessageTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = freshTempFolder("Korimba message test");
        music_ = root_ + "\\My Music Folder\\";
        ASSERT_TRUE(CreateDirectoryA(music_.c_str(), nullptr));
        for (const char* name : {"Night and day.wav", "Night and day.mp3"}) {
            HANDLE file = CreateFileA((music_ + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            CloseHandle(file);
        }
    }
    void TearDown() override { removeTree(root_); }

    // A program folder of its own, where Message.exe finds the coders' notes.
    std::string programWithNotes(const std::vector<std::pair<std::string, std::string>>& notes) {
        const std::string folder = root_ + "\\Korimba Program\\";
        for (const char* sub : {"", "Temp", "Temp\\LE", "Temp\\LD"})
            CreateDirectoryA((folder + sub).c_str(), nullptr);
        const std::string program = folder + "Message.exe";
        EXPECT_TRUE(CopyFileA(besideThisProgram("Message.exe").c_str(), program.c_str(), FALSE));
        for (const auto& [name, content] : notes) {
            HANDLE file = CreateFileA((folder + "Temp\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            EXPECT_NE(file, INVALID_HANDLE_VALUE) << name;
            DWORD written = 0;
            WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
            CloseHandle(file);
        }
        return program;
    }

    // The file-name part of a short path: what a coder names its note after.
    static std::string shortName(const std::string& path) {
        const std::string full = shortPath(path);
        return full.substr(full.rfind('\\') + 1);
    }

    std::string root_;
    std::string music_;
};

// Window texts compare without regard to case: the file system gives the long
// names' case as it keeps it.
::testing::AssertionResult sameText(const std::string& shown, const std::string& expected) {
    if (lstrcmpiA(shown.c_str(), expected.c_str()) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shown:\n" << shown << "\nexpected:\n" << expected;
}

} // namespace

TEST_F(MessageTest, EncodeNoticeGivesLongNamesAndClosesWithOk) {
    const std::string input = music_ + "Night and day.wav";
    const std::string output = music_ + "Night and day.mp3";
    ASSERT_NE(shortPath(input), input);

    const Shown shown = showAndClose("E " + shortPath(input) + " " + shortPath(output));

    EXPECT_EQ(shown.caption, "Korimba");
    const std::string expected =
        "Encoding finished.\r\n\r\nInput: " + input + "\r\nOutput: " + output;
    EXPECT_EQ(lstrcmpiA(shown.text.c_str(), expected.c_str()), 0) << shown.text;
    EXPECT_TRUE(shown.canOpenFolder);
    EXPECT_EQ(shown.exitCode, 0u);

    // An output new to the job comes by its long name, quoted.
    const Shown byLongName = showAndClose("E " + shortPath(input) + " \"" + output + "\"");
    EXPECT_EQ(lstrcmpiA(byLongName.text.c_str(), expected.c_str()), 0) << byLongName.text;
    EXPECT_TRUE(byLongName.canOpenFolder);
}

TEST_F(MessageTest, DecodeWithEmptyOutputSaysWhatIsKnown) {
    const std::string input = music_ + "Night and day.mp3";
    // The script's line ends in a blank when the output did not exist before.
    const Shown shown = showAndClose("D " + shortPath(input) + " ");

    const std::string expected =
        "Decoding finished.\r\n\r\nInput: " + input + "\r\nOutput: not known";
    EXPECT_EQ(lstrcmpiA(shown.text.c_str(), expected.c_str()), 0) << shown.text;
    EXPECT_FALSE(shown.canOpenFolder);
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(MessageTest, ListNoticeKeepsTheQuotedFoldersTrailingBackslash) {
    const Shown existing = showAndClose("L X \"" + music_ + "\"");
    EXPECT_EQ(existing.text, "List process finished.\r\n\r\nOutput folder: " + music_);
    EXPECT_TRUE(existing.canOpenFolder);
    EXPECT_EQ(existing.exitCode, 0u);

    const Shown missing = showAndClose("L X \"C:\\some dir\\\"");
    EXPECT_EQ(missing.text,
              "List process finished.\r\n\r\nOutput folder: C:\\some dir\\ (not found)");
    EXPECT_FALSE(missing.canOpenFolder);
    EXPECT_EQ(missing.exitCode, 0u);
}

TEST_F(MessageTest, OddArgumentsStillShowANoticeThatCloses) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "A Korimba job has finished."},
        {"Q", "A Korimba job has finished."},
        {"\"\" \"\"", "A Korimba job has finished."},
        {"E", "Encoding finished.\r\n\r\nInput: not known\r\nOutput: not known"},
        {"L X", "List process finished.\r\n\r\nOutput folder: not known"},
        {"E C:\\NOWHERE\\X.WAV C:\\NOWHERE\\Y.MP3",
         "The file could not be encoded; no result was made.\r\nReason: no reason given\r\n\r\n"
         "Input: C:\\NOWHERE\\X.WAV (not found)\r\nOutput: C:\\NOWHERE\\Y.MP3 (not found)"},
        {"D \"unterminated",
         "Decoding finished.\r\n\r\nInput: unterminated (not found)\r\nOutput: not known"},
    };
    for (const auto& [arguments, text] : cases) {
        const Shown shown = showAndClose(arguments);
        EXPECT_EQ(shown.text, text) << arguments;
        EXPECT_EQ(shown.exitCode, 0u) << arguments;
    }
}

bool onTheScreen(const RECT& rect) {
    return rect.left >= 0 && rect.top >= 0 && rect.right <= GetSystemMetrics(SM_CXSCREEN) &&
           rect.bottom <= GetSystemMetrics(SM_CYSCREEN) && rect.right > rect.left &&
           rect.bottom > rect.top;
}

TEST_F(MessageTest, OverlongArgumentStaysOnTheScreenWithItsButtonReachable) {
    const std::string name = "C:\\" + std::string(30000, 'x') + "\\END.WAV";
    const Shown shown = showAndClose("E " + name);
    EXPECT_TRUE(onTheScreen(shown.window));
    EXPECT_TRUE(onTheScreen(shown.okButton));
    EXPECT_EQ(shown.text, "Encoding finished.\r\n\r\nInput: C:\\" + std::string(125, 'x') + "..." +
                              std::string(120, 'x') + "\\END.WAV (not found)\r\nOutput: not known");
    EXPECT_EQ(shown.exitCode, 0u) << "the OK button closes it";
}

TEST_F(MessageTest, FailedEncodeGivesTheCodersReason) {
    const std::string input = music_ + "Night and day.wav";
    const std::string program =
        programWithNotes({{shortName(input) + ".err", "the WAV file holds no audio data\r\n"}});

    const Shown shown = showAndClose("E " + shortPath(input) + " ", program);

    const std::string expected = "The file could not be encoded.\r\n"
                                 "Reason: the WAV file holds no audio data\r\n\r\n"
                                 "Input: " +
                                 input + "\r\nOutput: not known";
    EXPECT_TRUE(sameText(shown.text, expected));
    EXPECT_FALSE(shown.canOpenFolder);
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(MessageTest, OutputGoneAfterTheJobSaysNoResultWasMade) {
    const std::string input = music_ + "Night and day.mp3";
    // The output existed when the script was written and is gone now.
    const std::string output = music_ + "Night and day, decoded.wav";
    HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::string shortOutput = shortPath(output);
    ASSERT_TRUE(DeleteFileA(output.c_str()));

    const std::string bare = programWithNotes({});
    const Shown unexplained = showAndClose("D " + shortPath(input) + " " + shortOutput, bare);
    const std::string tail =
        "\r\n\r\nInput: " + input + "\r\nOutput: " + shortOutput + " (not found)";
    EXPECT_TRUE(sameText(unexplained.text, "The file could not be decoded; no result was made.\r\n"
                                           "Reason: no reason given" +
                                               tail));
    EXPECT_TRUE(unexplained.canOpenFolder) << "its folder is still there";

    const std::string noted =
        programWithNotes({{shortName(input) + ".err", "no MPEG audio frame found\r\n"}});
    const Shown explained = showAndClose("D " + shortPath(input) + " " + shortOutput, noted);
    EXPECT_TRUE(sameText(explained.text, "The file could not be decoded; no result was made.\r\n"
                                         "Reason: no MPEG audio frame found" +
                                             tail));
}

TEST_F(MessageTest, WarningStandsBesideTheFinishedText) {
    const std::string input = music_ + "Night and day.wav";
    const std::string output = music_ + "Night and day.mp3";
    const std::string program =
        programWithNotes({{shortName(input) + ".err",
                           "warning: the WAV file ended early: 1.2 s of 5.0 s coded\r\n"}});

    const Shown shown = showAndClose("E " + shortPath(input) + " " + shortPath(output), program);

    EXPECT_TRUE(
        sameText(shown.text, "Encoding finished.\r\n"
                             "Warning: the WAV file ended early: 1.2 s of 5.0 s coded\r\n\r\n"
                             "Input: " +
                                 input + "\r\nOutput: " + output));
    EXPECT_TRUE(shown.canOpenFolder);
}

TEST_F(MessageTest, ListNoticeNamesTheFilesThatFailed) {
    const std::string program = programWithNotes({
        {"LE\\NIGHTA~1.WAV.err", "the disk is full\r\n"},
        {"LE\\SHORT.WAV.err", "warning: the WAV file ended early: 1.2 s of 5.0 s coded\r\n"},
        // Our coders write in UTF-8, as Message.exe reads (their manifest);
        // this test reads the window in its own code page, 1252.
        {"LD\\TRACK.MP3.err", "cannot read \xC3\xA9t\xC3\xA9.mp3\r\n"},
    });

    const Shown failed = showAndClose("L X \"" + music_ + "\"", program);
    EXPECT_EQ(failed.text, "List process finished, but 2 files could not be converted:\r\n\r\n"
                           "NIGHTA~1.WAV: the disk is full\r\n"
                           "TRACK.MP3: cannot read \xE9t\xE9.mp3\r\n\r\n"
                           "1 file was converted with a warning:\r\n\r\n"
                           "SHORT.WAV: the WAV file ended early: 1.2 s of 5.0 s coded\r\n\r\n"
                           "Output folder: " +
                               music_);
    EXPECT_TRUE(failed.canOpenFolder);
    EXPECT_EQ(failed.exitCode, 0u);

    // Told once: the notes are gone, and a later notice has nothing of them to tell.
    EXPECT_EQ(showAndClose("L E \"" + music_ + "\"", program).text,
              "List process finished.\r\n\r\nOutput folder: " + music_);
}
