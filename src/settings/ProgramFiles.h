#pragma once
// The program folder and the names of the files the program keeps there.
#include "jobs/PathRules.h"
#include "platform/Platform.h"

#include <string>

namespace korimba::settings {

inline constexpr const char* kSettingsIni = "Settings.ini";
inline constexpr const char* kEncoderName = "l3enc.exe";
inline constexpr const char* kDecoderName = "l3dec.exe";
inline constexpr const char* kPrefsIni = "Prefs.ini";
inline constexpr const char* kOptionsIni = "options.ini";
inline constexpr const char* kNoticeFile = "message.txt";
inline constexpr const char* kTempFolder = "Temp\\";

// The platform of the running application, and its ANSI code page for the path rules.
platform::Platform& system();
text::CodePage codePage();

// The running executable's folder, ending in "\".
std::string programFolder(const platform::Platform& platform);
// The program folder of the running application.
std::string programFolder();
// A file of the program folder by its relative name.
std::string programFile(const std::string& relativeName);
// True when the path names an existing file (not a folder).
bool namesAFile(const std::string& path);

} // namespace korimba::settings
