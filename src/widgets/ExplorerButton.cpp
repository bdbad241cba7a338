#include "widgets/ExplorerButton.h"

namespace korimba::widgets {

TExplorerButton::TExplorerButton(ui::Control* parent, std::string name, std::string caption,
                                 int left, int top, int width, int height, unsigned options)
    : ui::Button(parent, std::move(name)), options_(options) {
    setCaption(caption);
    setBounds(left, top, width, height);
    setFontColor(ui::colors::Highlight);
}

} // namespace korimba::widgets
