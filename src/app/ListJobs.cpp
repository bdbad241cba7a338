// The list jobs of the main window: "En&code list" and "Dec&ode list" convert
// every entry of the list window into one output folder with one script. The
// twins differ in data, gathered in a table; the script text is in lists/.
#include "app/MainForm.h"

#include "app/JobLaunch.h"
#include "lists/ListForm.h"
#include "lists/ListScript.h"
#include "settings/BufferForm.h"
#include "settings/LineFile.h"
#include "settings/PreferencesForm.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPaths.h"
#include "settings/ToolPathsForm.h"
#include "ui/Application.h"

namespace korimba::app {

using settings::codePage;
using settings::system;

struct ListJobKind {
    lists::ListDirection direction;
    const char* entryType; // the extension every entry must have, in upper case
    const char* noOutputFolder;
    const char* inProgress;
    const char* startCaption;
};

namespace {

constexpr ListJobKind kEncodeList{
    lists::kListEncode,
    ".WAV",
    "Please enter an output folder (ie. 'C:\\Folder\\').",
    "An encoding process is still in progress, please try again when the encoding has finished.",
    "Encoding multiple files",
};

constexpr ListJobKind kDecodeList{
    lists::kListDecode,
    ".MP3",
    "Please enter an output folder (ie. 'C:\\Folder\\Filename.mp3').",
    "An decoding process is still in progress, please try again when the decoding has finished.",
    "Decoding multiple files",
};

bool entriesAreOfType(const std::vector<std::string>& entries, const char* type) {
    const paths::CodePage cp = codePage();
    bool allGood = true;
    for (const std::string& entry : entries)
        allGood =
            namesAFile(entry) && paths::upperAscii(paths::extension(entry, cp)) == type && allGood;
    return allGood;
}

// What an interrupted job left in the list folder would otherwise be moved into
// the new output folder with the first entry's result.
void emptyFolder(platform::FileSystem& files, const std::string& folder) {
    for (const platform::FolderEntry& entry : files.listFolder(folder)) {
        const std::string path = folder + entry.name;
        if (entry.folder) {
            emptyFolder(files, path + "\\");
            files.removeFolder(path);
        } else {
            files.deleteFile(path);
        }
    }
}

} // namespace

void TForm1::ExplorerButton6Click() {
    runListJob(
        kEncodeList, {settings::Form2->Edit1, Label7, Timer1},
        jobs::encoderSwitches(ComboBox1.itemIndex(), {CheckBox1.checked(), CheckBox2.checked()}));
}

void TForm1::ExplorerButton7Click() {
    runListJob(kDecodeList, {settings::Form2->Edit2, Label8, Timer2},
               jobs::decoderSwitches({CheckBox1.checked(), CheckBox2.checked()}));
}

// The checks refuse by clearing the go-ahead; some run only while it holds,
// the coder's always. Nothing is written or launched unless it survives.
void TForm1::runListJob(const ListJobKind& kind, const ListJobControls& controls,
                        const jobs::SwitchPlaces& switches) {
    ui::Application& application = ui::Application::current();
    platform::FileSystem& files = system().files;
    const paths::CodePage cp = codePage();
    const lists::TForm6& list = *lists::Form6;
    const std::string programFolder = settings::programFolder();
    const std::string output = list.Edit1.text();
    bool goAhead = true;

    if (!entriesAreOfType(list.entries(), kind.entryType)) {
        application.showError(
            "There are errors in your input list, please resolve them and retry.");
        goAhead = false;
    }
    if (goAhead && paths::folderPart(output, cp).empty()) {
        application.showError(kind.noOutputFolder);
        goAhead = false;
    }
    settings::reloadToolPaths();
    goAhead = coderAtHand(controls.coder) && goAhead;
    if (goAhead && files.exists(programFolder + kind.direction.lockFile)) {
        application.showError(kind.inProgress);
        goAhead = false;
    }
    ui::TextLines& buffer = settings::generalBuffer();
    if (!goAhead) {
        buffer.clear();
        return;
    }

    lists::ListScript script;
    script.direction = kind.direction;
    script.programFolder = programFolder;
    script.shortProgramFolder = paths::ShortPath(files, programFolder);
    const std::string listFolder = programFolder + kind.direction.listFolder;
    files.createFolders(listFolder);
    emptyFolder(files, listFolder);
    for (const std::string& entry : list.entries()) {
        files.createFolders(paths::folderPart(output, cp));
        script.entries.push_back({entry, paths::ShortPath(files, entry)});
        const std::string temporary = lists::listTemporaryOutput(
            script.shortProgramFolder, kind.direction, script.entries.back().shortInput, cp);
        if (files.exists(temporary))
            files.deleteFile(temporary);
    }
    script.encoderPath = settings::Form2->Edit1.text();
    script.shortEncoder = paths::ShortPath(files, script.encoderPath);
    script.shortTool = paths::ShortPath(files, controls.coder.text());
    script.switches = switches;
    script.outputFolder = output;
    script.showsCount = settings::Form7->CheckBox1.checked();
    script.deletesInputs = list.CheckBox1.checked();
    script.startsMessage = settings::Form7->CheckBox4.checked();
    script.codePage = cp;

    buffer = ui::TextLines(lists::listJobScript(script));
    const std::string lockFile = programFolder + kind.direction.lockFile;
    settings::saveLines(files, lockFile, buffer);
    buffer.clear();

    launchScript(*this, lockFile, CheckBox4.checked());
    controls.label.setHint(kind.startCaption);
    controls.label.setCaption(std::string(kind.startCaption) + "...");
    controls.timer.setEnabled(true);
    AddIni();
}

} // namespace korimba::app
