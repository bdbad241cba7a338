// The single-file jobs of the main window: the Encode and Decode commands.
// The twins differ in data, gathered in a table; the script text and the
// rules behind the messages live in jobs/.
#include "app/MainForm.h"

#include "app/JobLaunch.h"

#include "jobs/CoderNote.h"
#include "jobs/JobCommand.h"
#include "jobs/JobScript.h"
#include "jobs/ScriptNames.h"
#include "platform/Exception.h"
#include "settings/JobSettings.h"
#include "settings/ProgramFiles.h"
#include "settings/ToolPaths.h"
#include "ui/Application.h"

namespace korimba::app {

using settings::codePage;
using settings::system;

struct SingleJobKind {
    const jobs::JobDirection& direction;
    const char* inProgress;
    std::string_view inputType;
    std::string_view outputType;
    std::string (*coderPath)();
    settings::NoticeAfter notice;
    bool createsOutputFolder;
    bool deletesOldTemporary;
    bool minimizesInEncodeMode;
};

// What the checks let through: the fields as the job takes them.
struct SingleJobFields {
    std::string input;
    std::string output;
    std::string shortInput;
};

namespace {

constexpr SingleJobKind kEncodeJob{
    .direction = jobs::kEncoding,
    .inProgress = "An encoding process is still in progress, please try again when the "
                  "encoding has finished.",
    .inputType = "wav",
    .outputType = "mp3",
    .coderPath = settings::encoderPath,
    .notice = settings::NoticeAfter::Encoding,
    .createsOutputFolder = true,
    .deletesOldTemporary = true,
    .minimizesInEncodeMode = true,
};

constexpr SingleJobKind kDecodeJob{
    .direction = jobs::kDecoding,
    .inProgress = "A decoding process is still in progress, please try again when the "
                  "decoding has finished.",
    .inputType = "mp3",
    .outputType = "wav",
    .coderPath = settings::decoderPath,
    .notice = settings::NoticeAfter::Decoding,
    .createsOutputFolder = false,
    .deletesOldTemporary = false,
    .minimizesInEncodeMode = false,
};

} // namespace

void TForm1::ExplorerButton1Click() {
    runSingleJob(kEncodeJob, encodeDisplay());
}

void TForm1::ExplorerButton2Click() {
    runSingleJob(kDecodeJob, decodeDisplay());
}

jobs::SwitchPlaces TForm1::coderSwitches(const SingleJobKind& kind) const {
    if (jobs::sameDirection(kind.direction, jobs::kDecoding))
        return jobs::decoderSwitches();
    return jobs::encoderSwitches(ComboBox1.itemIndex(), {CheckBox1.checked(), CheckBox2.checked()});
}

void TForm1::runSingleJob(const SingleJobKind& kind, const JobDisplay& display) {
    const std::optional<SingleJobFields> fields = checkSingleJob(kind);
    if (!fields)
        return;
    jobs::ScriptNames names(system().files, system().text, codePage());
    jobs::SingleScript script;
    RunningJob job;
    if (!composeSingleJob(kind, *fields, names, script, job))
        return;
    const char* verb = kind.direction.verb;
    JobStart start{kind.direction, jobs::singleJobScript(script),
                   jobs::statusCaption(verb, fields->input, codePage()),
                   jobs::statusHint(verb, fields->input, fields->output, codePage()),
                   std::move(job)};
    if (!startJob(std::move(start), display)) {
        names.discard();
        return;
    }
    if (kind.minimizesInEncodeMode && encodeMode())
        ui::Application::current().minimize();
}

// Every check, in order, each with its message. A refused check clears the
// go-ahead and the later ones still run, so one click can show several
// messages; an output that names no file ends them at once.
std::optional<SingleJobFields> TForm1::checkSingleJob(const SingleJobKind& kind) {
    ui::Application& application = ui::Application::current();
    platform::FileSystem& files = system().files;
    const text::CodePage cp = codePage();

    settings::reloadToolPaths();
    bool goAhead = coderAtHand(kind.coderPath);
    if (files.exists(settings::programFile(kind.direction.lockFile))) {
        application.showError(kind.inProgress);
        goAhead = false;
    }
    Edit2Enter();
    Edit2Exit();
    SingleJobFields fields{Edit1.text(), Edit2.text(), {}};
    const jobs::FieldChecks checks =
        jobs::checkFields(fields.input, fields.output, kind.inputType, kind.outputType, cp);
    for (const std::string& message : checks.messages)
        application.showError(message);
    if (checks.endNow)
        return std::nullopt;
    goAhead = goAhead && checks.messages.empty();
    // Without its input the script would run the coder on nothing, delete an
    // older output all the same and end as if it had worked. An input without
    // a folder has had its message already.
    fields.shortInput = paths::ShortPath(files, fields.input);
    if (fields.shortInput.empty() && fields.input != paths::fileNamePart(fields.input, cp)) {
        application.showError(fileOpenError(fields.input).message());
        goAhead = false;
    }
    if (goAhead && kind.createsOutputFolder)
        files.createFolders(paths::folderPart(fields.output, cp));
    // Found out now, not by a script whose move fails where nobody sees it.
    if (goAhead && !files.canWriteFolder(paths::folderPart(fields.output, cp))) {
        application.showError(fileCreateError(fields.output).message());
        goAhead = false;
    }
    if (!goAhead)
        return std::nullopt;
    return fields;
}

// The Temp folder made ready and the script's values gathered, every name as
// the command interpreter must read it; what the job is to produce goes into
// the job. False, with the reason shown, when a name cannot be passed on.
bool TForm1::composeSingleJob(const SingleJobKind& kind, const SingleJobFields& fields,
                              jobs::ScriptNames& names, jobs::SingleScript& script,
                              RunningJob& job) {
    platform::FileSystem& files = system().files;
    const text::CodePage cp = codePage();
    const std::string programFolder = settings::programFolder();
    files.createFolders(programFolder + "Temp");
    const std::string shortProgramFolder = paths::ShortPath(files, programFolder);
    const std::string temporary = jobs::temporaryOutput(shortProgramFolder, fields.shortInput, cp);
    if (kind.deletesOldTemporary && files.exists(temporary))
        files.deleteFile(temporary);
    files.deleteFile(notes::path(temporary)); // a note of an earlier job

    script.programFolder = names.path(programFolder);
    script.shortProgramFolder = names.path(shortProgramFolder);
    script.shortInput = names.path(fields.shortInput);
    script.direction = kind.direction;
    script.encoderPath = settings::encoderPath();
    script.shortEncoder = names.path(paths::ShortPath(files, script.encoderPath));
    script.shortTool = names.path(paths::ShortPath(files, kind.coderPath()));
    script.switches = coderSwitches(kind);
    script.startsMessage = settings::startsNotice(kind.notice);
    script.codePage = cp;
    names.nameOutput(fields.output, script);
    if (!names.refusal().empty()) {
        names.discard();
        ui::Application::current().showError(names.refusal());
        return false;
    }
    job.results.push_back({fields.input, fields.output, notes::path(temporary),
                           jobs::stampOf(files, fields.output), script.outputIsPlaceholder});
    job.noticeTells = noticeTells(script.startsMessage);
    return true;
}

} // namespace korimba::app
