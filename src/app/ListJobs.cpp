// The list jobs of the main window: "En&code list" and "Dec&ode list" convert
// every entry of the list window into one output folder with one script. The
// twins differ in data, gathered in a table; the script text is in lists/.
#include "app/MainForm.h"

#include "app/Cleanup.h"
#include "app/JobLaunch.h"
#include "jobs/CoderNote.h"
#include "lists/ListForm.h"
#include "lists/ListScript.h"
#include "settings/BufferForm.h"
#include "settings/JobSettings.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPaths.h"
#include "ui/Application.h"

namespace korimba::app {

using settings::codePage;
using settings::system;

struct ListJobKind {
    const jobs::JobDirection& direction;
    const char* entryType; // the extension every entry must have, in upper case
    const char* noOutputFolder;
    const char* inProgress;
    std::string (*coderPath)();
};

namespace {

constexpr ListJobKind kEncodeList{
    .direction = jobs::kEncoding,
    .entryType = ".WAV",
    .noOutputFolder = "Please enter an output folder (ie. 'C:\\Folder\\').",
    .inProgress = "An encoding process is still in progress, please try again when the "
                  "encoding has finished.",
    .coderPath = settings::encoderPath,
};

constexpr ListJobKind kDecodeList{
    .direction = jobs::kDecoding,
    .entryType = ".MP3",
    .noOutputFolder = "Please enter an output folder (ie. 'C:\\Folder\\Filename.mp3').",
    .inProgress = "An decoding process is still in progress, please try again when the "
                  "decoding has finished.",
    .coderPath = settings::decoderPath,
};

bool entriesAreOfType(const std::vector<std::string>& entries, const char* type) {
    const text::CodePage cp = codePage();
    bool allGood = true;
    for (const std::string& entry : entries)
        allGood = settings::namesAFile(entry) &&
                  paths::upperAscii(paths::extension(entry, cp)) == type && allGood;
    return allGood;
}

// For workers sharing a list: every entry's claim file and coding folder, and
// the job's own claim file ("C0"). An entry without its claim file would be
// coded by nobody. What could not be made, or "".
std::string prepareWorkers(platform::FileSystem& files, const std::string& programFolder,
                           const jobs::JobDirection& direction, std::size_t entries) {
    for (std::size_t position = 0; position <= entries; ++position) {
        const std::string claim = programFolder + lists::claimFile(direction, position);
        if (!files.writeFile(claim, ""))
            return "file " + claim;
        const std::string folder = programFolder + lists::codingFolder(direction, position, true);
        if (position > 0 && !files.createFolders(folder))
            return "folder " + folder;
    }
    return {};
}

} // namespace

void TForm1::ExplorerButton6Click() {
    runListJob(
        kEncodeList, encodeDisplay(),
        jobs::encoderSwitches(ComboBox1.itemIndex(), {CheckBox1.checked(), CheckBox2.checked()}));
}

void TForm1::ExplorerButton7Click() {
    runListJob(kDecodeList, decodeDisplay(),
               jobs::decoderSwitches({CheckBox1.checked(), CheckBox2.checked()}));
}

// The checks refuse by clearing the go-ahead; some run only while it holds,
// the coder's always. Nothing is written, cleared or staged unless it survives.
bool TForm1::checkListJob(const ListJobKind& kind) {
    ui::Application& application = ui::Application::current();
    platform::FileSystem& files = system().files;
    const text::CodePage cp = codePage();
    const lists::TForm6& list = *lists::Form6;
    const std::string outputFolder = paths::folderPart(list.Edit1.text(), cp);
    bool goAhead = true;

    if (!entriesAreOfType(list.entries(), kind.entryType)) {
        application.showError(
            "There are errors in your input list, please resolve them and retry.");
        goAhead = false;
    }
    if (goAhead && outputFolder.empty()) {
        application.showError(kind.noOutputFolder);
        goAhead = false;
    }
    settings::reloadToolPaths();
    goAhead = coderAtHand(kind.coderPath) && goAhead;
    if (goAhead && files.exists(settings::programFile(kind.direction.lockFile))) {
        application.showError(kind.inProgress);
        goAhead = false;
    }
    settings::generalBuffer().clear();
    if (!goAhead)
        return false;
    files.createFolders(outputFolder);
    // Found out now, not by moves that fail where nobody sees them.
    if (!files.canWriteFolder(outputFolder)) {
        application.showError("Cannot write to the output folder " + list.Edit1.text());
        return false;
    }
    return true;
}

void TForm1::runListJob(const ListJobKind& kind, const JobDisplay& display,
                        const jobs::SwitchPlaces& switches) {
    if (!checkListJob(kind))
        return;
    platform::FileSystem& files = system().files;
    const text::CodePage cp = codePage();
    const lists::TForm6& list = *lists::Form6;
    const std::string programFolder = settings::programFolder();
    const std::string output = list.Edit1.text();
    // What an interrupted or earlier job left, its notes and staging folders too.
    const std::string listFolder = programFolder + kind.direction.listFolder;
    files.createFolders(listFolder);
    clearListFolder(files, listFolder);

    jobs::ScriptNames names(files, system().text, cp);
    lists::ListScript script;
    script.direction = kind.direction;
    script.programFolder = names.path(programFolder);
    const std::string shortProgramFolder = paths::ShortPath(files, programFolder);
    script.shortProgramFolder = names.path(shortProgramFolder);
    script.workers = settings::listWorkers(list.entries().size());
    RunningJob job{true, {}};
    const bool ownFolders = script.workers > 1;
    if (ownFolders) {
        if (const std::string failed =
                prepareWorkers(files, programFolder, kind.direction, list.entries().size());
            !failed.empty()) {
            ui::Application::current().showError("Cannot create " + failed);
            return;
        }
    }
    for (const std::string& entry : list.entries()) {
        const std::string shortInput = paths::ShortPath(files, entry);
        const std::size_t position = script.entries.size() + 1;
        const std::string coding = lists::codingFolder(kind.direction, position, ownFolders);
        const std::string temporary =
            lists::listTemporaryOutput(shortProgramFolder + coding, shortInput, cp);
        const std::string result = output + lists::resultName(entry, kind.direction, cp);
        job.results.push_back(
            {entry, result, notes::path(temporary), jobs::stampOf(files, result)});
        // An entry's own folder goes with the job, unless it keeps what could not be moved.
        if (ownFolders)
            job.stagingFolders.push_back(programFolder + coding);
        script.entries.push_back(lists::nameEntry(names, kind.direction, position, programFolder,
                                                  entry, shortInput, cp));
        if (!script.entries.back().staged.empty())
            job.stagingFolders.push_back(programFolder +
                                         lists::stagingFolder(kind.direction, position));
    }
    script.encoderPath = settings::encoderPath();
    script.shortEncoder = names.path(paths::ShortPath(files, script.encoderPath));
    script.shortTool = names.path(paths::ShortPath(files, kind.coderPath()));
    script.switches = switches;
    script.outputFolder = names.path(output);
    script.showsCount = settings::showsFilesLeft();
    script.deletesInputs = list.CheckBox1.checked();
    script.startsMessage = settings::startsNotice(settings::NoticeAfter::ListProcess);
    script.codePage = cp;
    job.noticeTells = noticeTells(script.startsMessage);
    if (!names.refusal().empty()) {
        names.discard();
        ui::Application::current().showError(names.refusal());
        return;
    }

    if (ownFolders)
        settings::saveScript(listFolder + lists::kWorkerScript, lists::listWorkerScript(script));
    settings::Form3->listProgress(kind.direction).lines().clear(); // the caption counts from 1
    const std::string caption = std::string(kind.direction.verb) + " multiple files";
    JobStart start{kind.direction, lists::listJobScript(script), caption + "...", caption,
                   std::move(job)};
    if (!startJob(std::move(start), display))
        names.discard();
}

} // namespace korimba::app
