#pragma once
// The hidden window whose multi-line buffers carry every line file and script.
#include "ui/Controls.h"
#include "ui/Form.h"

namespace korimba::settings {

class TForm3 : public ui::Form {
public:
    TForm3();

    ui::Memo Memo1{this, "Memo1"}; // the general buffer
    ui::Memo Memo2{this, "Memo2"}; // encode list progress
    ui::Memo Memo3{this, "Memo3"}; // decode list progress

    void FormCreate();
};

extern TForm3* Form3;

// The general buffer's lines.
ui::TextLines& generalBuffer();

} // namespace korimba::settings
