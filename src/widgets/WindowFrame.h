#pragma once
// The frame shared by the main window and the process-list window: a title
// panel on top, a picture panel with the command column on the left, and a
// lowered grey panel with its own picture for the fields.
#include "ui/Controls.h"

#include <string>

namespace korimba::widgets {

struct WindowFrame {
    ui::Panel& top;
    ui::Label& title;
    ui::Panel& left;
    ui::Image& leftPicture;
    ui::Panel& fields;
    ui::Image& fieldsPicture;
};

void layOutFrame(const WindowFrame& frame, const std::string& title);

} // namespace korimba::widgets
