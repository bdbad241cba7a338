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
    const jobs::JobWords* words;
};

namespace {

constexpr ListJobKind kEncodeList{
    lists::kListEncode,
    ".WAV",
    "Please enter an output folder (ie. 'C:\\Folder\\').",
    "An encoding process is still in progress, please try again when the encoding has finished.",
    "Encoding multiple files",
    &jobs::kEncodeWords,
};

constexpr ListJobKind kDecodeList{
    lists::kListDecode,
    ".MP3",
    "Please enter an output folder (ie. 'C:\\Folder\\Filename.mp3').",
    "An decoding process is still in progress, please try again when the decoding has finished.",
    "Decoding multiple files",
    &jobs::kDecodeWords,
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
        kEncodeList, {settings::Form2->Edit1, Label7, Timer1, encodeJob_},
        jobs::encoderSwitches(ComboBox1.itemIndex(), {CheckBox1.checked(), CheckBox2.checked()}));
}

void TForm1::ExplorerButton7Click() {
    runListJob(kDecodeList, {settings::Form2->Edit2, Label8, Timer2, decodeJob_},
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

    jobs::ScriptNames names(files, system().process, cp);
    lists::ListScript script;
    script.direction = kind.direction;
    script.programFolder = names.path(programFolder);
    const std::string shortProgramFolder = paths::ShortPath(files, programFolder);
    script.shortProgramFolder = names.path(shortProgramFolder);
    const std::string listFolder = programFolder + kind.direction.listFolder;
    files.createFolders(listFolder);
    emptyFolder(files, listFolder); // the notes and staging folders of an earlier job too
    RunningJob job{true, kind.words, {}};
    for (const std::string& entry : list.entries()) {
        files.createFolders(paths::folderPart(output, cp));
        const std::string shortInput = paths::ShortPath(files, entry);
        const std::string temporary =
            lists::listTemporaryOutput(shortProgramFolder, kind.direction, shortInput, cp);
        if (files.exists(temporary))
            files.deleteFile(temporary);
        const std::string result = output + lists::resultName(entry, kind.direction, cp);
        job.results.push_back(
            {entry, result, jobs::coderNote(temporary), jobs::stampOf(files, result)});
        const std::size_t position = script.entries.size() + 1;
        script.entries.push_back(nameEntry(names, kind.direction, position, entry, shortInput));
        if (!script.entries.back().staged.empty())
            job.stagingFolders.push_back(programFolder +
                                         lists::stagingFolder(kind.direction, position));
    }
    // Found out now, not by moves that fail where nobody sees them.
    if (!files.canWriteFolder(paths::folderPart(output, cp))) {
        application.showError("Cannot write to the output folder " + output);
        emptyFolder(files, listFolder);
        return;
    }
    script.encoderPath = settings::Form2->Edit1.text();
    script.shortEncoder = names.path(paths::ShortPath(files, script.encoderPath));
    script.shortTool = names.path(paths::ShortPath(files, controls.coder.text()));
    script.switches = switches;
    script.outputFolder = names.path(output);
    script.showsCount = settings::Form7->CheckBox1.checked();
    script.deletesInputs = list.CheckBox1.checked();
    script.startsMessage = settings::Form7->CheckBox4.checked();
    script.codePage = cp;
    if (!names.refusal().empty()) {
        application.showError(names.refusal());
        emptyFolder(files, listFolder);
        return;
    }

    buffer = ui::TextLines(lists::listJobScript(script));
    const std::string lockFile = programFolder + kind.direction.lockFile;
    settings::saveLines(files, lockFile, buffer);
    buffer.clear();

    if (!launchScript(*this, lockFile, CheckBox4.checked())) {
        emptyFolder(files, listFolder);
        return;
    }
    controls.label.setHint(kind.startCaption);
    controls.label.setCaption(std::string(kind.startCaption) + "...");
    controls.job = std::move(job);
    controls.timer.setEnabled(true);
    AddIni();
}

// How the script names an entry. A result named beyond ASCII gets an empty
// file of its name in a staging folder of its own, to be written into by its
// short name; without short names, the names' OEM forms, if any.
lists::ListEntry TForm1::nameEntry(jobs::ScriptNames& names, const lists::ListDirection& direction,
                                   std::size_t position, const std::string& input,
                                   const std::string& shortInput) {
    platform::FileSystem& files = system().files;
    const paths::CodePage cp = codePage();
    lists::ListEntry entry{input, names.path(shortInput)};
    const std::string longName = paths::fileNamePart(input, cp);
    const std::string result = lists::resultName(input, direction, cp);
    if (jobs::isAscii(longName))
        return entry;
    const std::string staging =
        settings::programFolder() + lists::stagingFolder(direction, position);
    files.createFolders(staging);
    if (files.writeFile(staging + result, "")) {
        const std::string staged = paths::ShortPath(files, staging + result);
        if (!staged.empty() && jobs::isAscii(staged)) {
            entry.staged = staged;
            return entry;
        }
        files.deleteFile(staging + result);
    }
    entry.longName = names.name(longName, input);
    entry.result = names.name(result, input);
    return entry;
}

} // namespace korimba::app
