#pragma once
// What the job commands take from the settings windows, named by what it
// means. The values live in the windows' controls, where the dialogs show and
// save them; the commands read them here.
#include "jobs/JobCommand.h"

#include <cstddef>
#include <string>

namespace korimba::settings {

// The coders as the tool-paths dialog holds them (Settings.ini, reloaded by
// each job command).
std::string encoderPath();
std::string decoderPath();

// Which jobs start the completion notice when they end ("Show menu after");
// none in an unattended run.
enum class NoticeAfter { Encoding, Decoding, ListProcess };
bool startsNotice(NoticeAfter job);
// "Show number of files to progress in dos-box".
bool showsFilesLeft();
// "Work on several list files at once": how many entries of a list of this
// many are coded at the same time, one per processor; 1 when it is off.
std::size_t listWorkers(std::size_t entries);
// The window mode of a visible coding window.
jobs::WindowMode codingWindowMode();

} // namespace korimba::settings
