#pragma once
// Settings.ini: the encoder on line 1 and the decoder on line 2, shown in the
// tool-paths dialog's fields, from which every job takes them.
namespace korimba::settings {

// Loads Settings.ini (when it exists) into the general buffer and copies its
// two lines into the tool-paths dialog's fields; without the file they name
// the coders beside the program, where they are, and are empty otherwise.
void reloadToolPaths();
// Stores the two fields in Settings.ini.
void saveToolPaths();

} // namespace korimba::settings
