#include "widgets/WindowFrame.h"

namespace korimba::widgets {

void layOutFrame(const WindowFrame& frame, const std::string& title) {
    frame.top.setAlign(ui::Align::Top);
    frame.top.setBounds(0, 0, 426, 41);
    frame.top.setBevelOuter(ui::BevelOuter::None);
    frame.title.setCaption(title);
    frame.title.setBounds(8, 6, 410, 30);
    frame.title.setFont(ui::titleFont());
    frame.title.setTransparent(true);

    frame.left.setAlign(ui::Align::Left);
    frame.left.setBounds(0, 41, 105, 232);
    frame.left.setBevelOuter(ui::BevelOuter::None);
    frame.leftPicture.setAlign(ui::Align::Client);
    frame.leftPicture.setStretch(true);

    frame.fields.setAlign(ui::Align::Client);
    frame.fields.setBevelOuter(ui::BevelOuter::Lowered);
    frame.fields.setColor(ui::colors::MidGrey);
    frame.fieldsPicture.setAlign(ui::Align::Client);
    frame.fieldsPicture.setStretch(true);
}

} // namespace korimba::widgets
