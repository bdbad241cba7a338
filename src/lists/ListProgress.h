#pragma once
// The list job's progress in the status label. The running script writes the
// entry's position and the entry count into a list-progress file before each
// entry; every tick of the direction's watcher shows them and deletes the file.
#include "platform/Platform.h"
#include "ui/Controls.h"

#include <string>
#include <string_view>

namespace korimba::lists {

// "Encoding file 3 of 12...".
std::string progressCaption(std::string_view verb, const std::string& position,
                            const std::string& count);

// One tick's look at the progress file. A file that cannot be read (the script
// may be writing it) leaves the buffer as it was and the caption is built from
// that; a file of fewer than two lines leaves the caption and the file alone;
// a position below the buffer's is not shown; a file that cannot be deleted is
// read again next time. The buffer is emptied when a list job starts. Nothing here reaches
// the user or stops the watcher.
void showListProgress(platform::FileSystem& files, const std::string& progressFile,
                      ui::Memo& buffer, ui::Label& label, std::string_view verb);

} // namespace korimba::lists
