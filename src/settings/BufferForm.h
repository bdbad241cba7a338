#pragma once
// The hidden window whose multi-line buffers carry every line file and script.
#include "jobs/JobDirection.h"
#include "ui/Controls.h"
#include "ui/Form.h"

#include <string>
#include <vector>

namespace korimba::settings {

class TForm3 : public ui::Form {
public:
    TForm3();

    ui::Memo Memo1{this, "Memo1"}; // the general buffer
    ui::Memo Memo2{this, "Memo2"}; // encode list progress
    ui::Memo Memo3{this, "Memo3"}; // decode list progress

    void FormCreate();
    // The list progress buffer of a direction.
    ui::Memo& listProgress(const jobs::JobDirection& direction);
};

extern TForm3* Form3;

// The general buffer's lines.
ui::TextLines& generalBuffer();
// A script's lines into its file, through the general buffer as every line
// file goes; a file that cannot be written is an error of the caller's.
void saveScript(const std::string& path, std::vector<std::string> lines);

} // namespace korimba::settings
