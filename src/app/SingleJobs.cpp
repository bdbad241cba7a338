// The single-file jobs of the main window: the Encode and Decode commands and
// the two watchers. The twins differ in data, gathered in a table; the script
// text and the rules behind the messages live in jobs/.
#include "app/MainForm.h"

#include "app/JobLaunch.h"

#include "jobs/JobCommand.h"
#include "jobs/JobScript.h"
#include "platform/Exception.h"
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

struct SingleJobKind {
    jobs::SingleJob job;
    const char* lockFile;
    std::string_view leftovers;
    const char* verb; // of the status label
    const char* inProgress;
    std::string_view inputType;
    std::string_view outputType;
    bool createsOutputFolder;
    bool deletesOldTemporary;
    bool minimizesInEncodeMode;
    const jobs::JobWords* words;
};

namespace {

constexpr SingleJobKind kEncodeJob{
    jobs::SingleJob::Encode,
    settings::kEncodingLock,
    paths::kEncodeLeftovers,
    "Encoding",
    "An encoding process is still in progress, please try again when the encoding has finished.",
    "wav",
    "mp3",
    true,
    true,
    true,
    &jobs::kEncodeWords,
};

constexpr SingleJobKind kDecodeJob{
    jobs::SingleJob::Decode,
    settings::kDecodingLock,
    paths::kDecodeLeftovers,
    "Decoding",
    "A decoding process is still in progress, please try again when the decoding has finished.",
    "mp3",
    "wav",
    false,
    false,
    false,
    &jobs::kDecodeWords,
};

} // namespace

void TForm1::ExplorerButton1Click() {
    runSingleJob(kEncodeJob, {settings::Form2->Edit1, settings::Form7->CheckBox2, Label7, Timer1, encodeJob_});
}

void TForm1::ExplorerButton2Click() {
    runSingleJob(kDecodeJob, {settings::Form2->Edit2, settings::Form7->CheckBox3, Label8, Timer2, decodeJob_});
}

jobs::SwitchPlaces TForm1::coderSwitches(const SingleJobKind& kind) const {
    if (kind.job == jobs::SingleJob::Decode)
        return jobs::decoderSwitches();
    return jobs::encoderSwitches(ComboBox1.itemIndex(), {CheckBox1.checked(), CheckBox2.checked()});
}

// A refused step clears the go-ahead and the later checks still run, so one
// click can show several messages; nothing is written or launched unless the
// go-ahead survives them all.
void TForm1::runSingleJob(const SingleJobKind& kind, const SingleJobControls& controls) {
    ui::Application& application = ui::Application::current();
    platform::FileSystem& files = system().files;
    const paths::CodePage cp = codePage();
    const std::string programFolder = settings::programFolder();

    settings::reloadToolPaths();
    bool goAhead = coderAtHand(controls.tool);
    if (files.exists(programFolder + kind.lockFile)) {
        application.showError(kind.inProgress);
        goAhead = false;
    }
    Edit2Enter();
    Edit2Exit();
    const std::string input = Edit1.text();
    const std::string output = Edit2.text();
    const jobs::FieldChecks checks =
        jobs::checkFields(input, output, kind.inputType, kind.outputType, cp);
    for (const std::string& message : checks.messages)
        application.showError(message);
    if (checks.endNow)
        return;
    goAhead = goAhead && checks.messages.empty();
    // Without its input the script would run the coder on nothing, delete an
    // older output all the same and end as if it had worked. An input without
    // a folder has had its message already.
    const std::string shortInput = paths::ShortPath(files, input);
    if (shortInput.empty() && input != paths::fileNamePart(input, cp)) {
        application.showError(fileOpenError(input).message());
        goAhead = false;
    }

    if (goAhead && kind.createsOutputFolder)
        files.createFolders(paths::folderPart(output, cp));
    // Found out now, not by a script whose move fails where nobody sees it.
    if (goAhead && !files.canWriteFolder(paths::folderPart(output, cp))) {
        application.showError(fileCreateError(output).message());
        goAhead = false;
    }
    if (goAhead)
        files.createFolders(programFolder + "Temp");
    const std::string shortProgramFolder = paths::ShortPath(files, programFolder);
    const std::string temporary = jobs::temporaryOutput(shortProgramFolder, shortInput, cp);
    if (goAhead && kind.deletesOldTemporary && files.exists(temporary))
        files.deleteFile(temporary);
    if (goAhead)
        files.deleteFile(jobs::coderNote(temporary)); // a note of an earlier job

    jobs::ScriptNames names(files, system().process, cp);
    jobs::SingleScript script;
    script.programFolder = names.path(programFolder);
    script.shortProgramFolder = names.path(shortProgramFolder);
    script.shortInput = names.path(shortInput);
    script.lockFile = kind.lockFile;
    script.leftovers = kind.leftovers;
    script.encoderPath = settings::Form2->Edit1.text();
    script.shortEncoder = names.path(paths::ShortPath(files, script.encoderPath));
    script.shortTool = names.path(paths::ShortPath(files, controls.tool.text()));
    script.switches = coderSwitches(kind);
    script.startsMessage = controls.showMessage.checked();
    script.job = kind.job;
    script.codePage = cp;
    const std::string placeholder = goAhead ? nameOutput(script, names, output) : std::string();
    if (goAhead && !names.refusal().empty()) {
        application.showError(names.refusal());
        goAhead = false;
    }

    ui::TextLines& buffer = settings::generalBuffer();
    buffer = ui::TextLines(jobs::singleJobScript(script));
    if (goAhead)
        settings::saveLines(files, programFolder + kind.lockFile, buffer);
    buffer.clear();
    if (goAhead && !launchScript(*this, programFolder + kind.lockFile, CheckBox4.checked()))
        goAhead = false;
    if (!goAhead) {
        if (!placeholder.empty())
            files.deleteFile(placeholder);
        return;
    }

    controls.label.setCaption(jobs::statusCaption(kind.verb, input, cp));
    controls.label.setHint(jobs::statusHint(kind.verb, input, output, cp));
    controls.job = RunningJob{false, kind.words,
                              {{input, output, jobs::coderNote(temporary),
                                jobs::stampOf(files, output), !placeholder.empty()}}};
    controls.timer.setEnabled(true);
    AddIni();
    if (kind.minimizesInEncodeMode && encodeMode())
        application.minimize();
}

// How the script names the output. A name beyond ASCII is written into by its
// short form; when no file is there yet, an empty one is made to have one,
// and its path returned (it goes again if the job does not start). Without
// short names, the OEM form, if any.
std::string TForm1::nameOutput(jobs::SingleScript& script, jobs::ScriptNames& names,
                               const std::string& output) {
    platform::FileSystem& files = system().files;
    const bool existed = files.exists(output);
    const bool made = !jobs::isAscii(output) && !existed && files.writeFile(output, "");
    const std::string shortOutput = paths::ShortPath(files, output);
    if (!jobs::isAscii(output) && !shortOutput.empty() && jobs::isAscii(shortOutput)) {
        script.output = output;
        script.shortOutput = shortOutput;
        script.writesIntoOutput = true;
        script.outputIsPlaceholder = made;
        return made ? output : std::string();
    }
    if (made)
        files.deleteFile(output);
    script.output = names.path(output);
    script.shortOutput = names.path(paths::ShortPath(files, output));
    return {};
}

} // namespace korimba::app
