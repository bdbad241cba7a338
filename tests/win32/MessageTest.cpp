// Starts the real Message.exe with the command lines the job scripts give it,
// reads its window and closes it with its OK button.
#include <windows.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
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
    explicit MessageProgram(const std::string& arguments) {
        const std::string program = besideThisProgram("Message.exe");
        std::string commandLine = program + (arguments.empty() ? "" : " " + arguments);
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
Shown showAndClose(const std::string& arguments) {
    Shown shown;
    MessageProgram program(arguments);
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

    std::string root_;
    std::string music_;
};

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
    for (const std::string arguments :
         {"", "Q", "E", "L X", "E C:\\NOWHERE\\X.WAV C:\\NOWHERE\\Y.MP3", "\"\" \"\"",
          "D \"unterminated"}) {
        const Shown shown = showAndClose(arguments);
        EXPECT_FALSE(shown.text.empty()) << arguments;
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
    EXPECT_NE(shown.text.find("...x"), std::string::npos);
    EXPECT_EQ(shown.exitCode, 0u) << "the OK button closes it";
}
