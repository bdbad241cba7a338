#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "fakes/ProgramFixture.h"
#include "lists/ListForm.h"
#include "settings/BufferForm.h"
#include "settings/PreferencesForm.h"
#include "settings/ToolPathsForm.h"

using namespace korimba;
using namespace korimba::app;

namespace {

class UnwritableFolder : public fakes::ProgramFixture {
protected:
    std::vector<std::string> folderNames(const std::string& path) const {
        std::vector<std::string> names;
        for (const auto& entry : platform.files.listFolder(path))
            names.push_back(entry.name);
        return names;
    }

    // One error box with exactly this text, and no window, file, win.ini
    // entry or shell call besides.
    void expectRefusedWith(const std::string& text) {
        ASSERT_EQ(backend.messages.size(), 1u);
        EXPECT_EQ(backend.messages[0].kind, ui::MessageKind::Error);
        EXPECT_EQ(backend.messages[0].title, "Error");
        EXPECT_EQ(backend.messages[0].text, text);
        EXPECT_TRUE(application->forms().empty());
        EXPECT_EQ(Form1, nullptr);
        EXPECT_EQ(settings::Form2, nullptr);
        EXPECT_EQ(settings::Form3, nullptr);
        EXPECT_EQ(Form4, nullptr);
        EXPECT_EQ(lists::Form6, nullptr);
        EXPECT_EQ(settings::Form7, nullptr);
        EXPECT_EQ(platform.profile.writeCount(), 0);
        EXPECT_TRUE(platform.shell.executions().empty());
        EXPECT_EQ(backend.minimized, 0);
    }
};

const char* const kProgramFilesText =
    "Korimba cannot write to the folder it was started from:\n"
    "\n"
    "C:\\Program Files\\Korimba\n"
    "\n"
    "Korimba keeps its settings, job scripts and temporary files in that folder. "
    "Move the Korimba folder to a folder of your own, for example into your Documents "
    "folder, and start Korimba from there.";

} // namespace

TEST_F(UnwritableFolder, IsReportedOnceBeforeAnyWindowAndNothingElseHappens) {
    platform.process.setExecutablePath("C:\\Program Files\\Korimba\\korimba.exe");
    platform.files.addFile("C:\\Program Files\\Korimba\\korimba.exe", "MZ");
    platform.files.addFile("C:\\Program Files\\Korimba\\message.txt", "notice");
    platform.files.addFile("C:\\Program Files\\Korimba\\Decoding.bat");
    platform.files.denyWrites("C:\\Program Files\\Korimba");

    startAndShow();
    expectRefusedWith(kProgramFilesText);
    EXPECT_EQ(platform.profile.value("win.ini", "Korimba", "Path"), std::nullopt);
    EXPECT_EQ(folderNames("C:\\Program Files\\Korimba\\"),
              (std::vector<std::string>{"korimba.exe", "message.txt", "Decoding.bat"}));
}

TEST_F(UnwritableFolder, UnattendedEncodeIsRefusedTheSameWay) {
    platform.files.addFile("C:\\Music\\track.wav", "RIFF");
    platform.files.addFile("C:\\Tools\\l3enc.exe", "MZ");
    writeLines("Settings.ini", {"C:\\Tools\\l3enc.exe", ""});
    platform.files.denyWrites(folder());
    setArguments({"C:\\Music\\track.wav", "/encode"});

    EXPECT_FALSE(start());
    application->run();
    expectRefusedWith(unwritableFolderMessage("C:\\Korimba"));
    EXPECT_EQ(folderNames(folder()), (std::vector<std::string>{"korimba.exe", "Settings.ini"}));
    EXPECT_EQ(folderNames("C:\\Music\\"), std::vector<std::string>{"track.wav"});
}

TEST_F(UnwritableFolder, NamesTheFolderAsTheUserKnowsIt) {
    EXPECT_EQ(unwritableFolderMessage("C:\\Program Files\\Korimba"), kProgramFilesText);

    // A root keeps its backslash; a share is named whole.
    platform.process.setExecutablePath("E:\\korimba.exe");
    platform.files.addFile("E:\\korimba.exe", "MZ");
    platform.files.denyWrites("E:\\");
    EXPECT_FALSE(start());
    expectRefusedWith(unwritableFolderMessage("E:\\"));

    application.reset();
    backend.messages.clear();
    platform.process.setExecutablePath("\\\\server\\apps\\Korimba\\korimba.exe");
    platform.files.addFile("\\\\server\\apps\\Korimba\\korimba.exe", "MZ");
    platform.files.denyWrites("\\\\server\\apps");
    EXPECT_FALSE(start());
    expectRefusedWith(unwritableFolderMessage("\\\\server\\apps\\Korimba"));
}

TEST_F(UnwritableFolder, WritableFolderStartsAsUsualAndKeepsNoProbe) {
    EXPECT_TRUE(start());
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_NE(settings::Form7, nullptr);
    EXPECT_EQ(folderNames(folder()), std::vector<std::string>{"korimba.exe"});
}
