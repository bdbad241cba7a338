#pragma once
// The command button of every window. It keeps the interface the windows use
// (caption with '&' accelerator, Enabled, OnClick, DropDownMenu) and the style
// options they are created with; its flat look comes with its own painting.
#include "ui/Controls.h"

namespace korimba::widgets {

enum ExplorerButtonOption : unsigned {
    boMonoDisplay = 1u << 0,
    boIconOnly = 1u << 1,
    boPopupMark = 1u << 2,
    boShowBevel = 1u << 3,
    boShowDownPattern = 1u << 4,
    boTransparent = 1u << 5,
    boWordWrap = 1u << 6,
    boNoDepress = 1u << 7,
};

enum class DropDownStyle { ddsIExplorer, ddsOffice };

// The options every window's buttons are created with.
inline constexpr unsigned kWindowButtonOptions =
    boMonoDisplay | boPopupMark | boShowBevel | boShowDownPattern | boTransparent;
// The same without the down pattern (about box, preferences dialog).
inline constexpr unsigned kDialogButtonOptions =
    boMonoDisplay | boPopupMark | boShowBevel | boTransparent;

class TExplorerButton : public ui::Button {
public:
    TExplorerButton(ui::Control* parent, std::string name, std::string caption, int left, int top,
                    int width, int height, unsigned options = kWindowButtonOptions);

    unsigned options() const { return options_; }
    DropDownStyle dropDownStyle() const { return dropDownStyle_; }

private:
    unsigned options_;
    DropDownStyle dropDownStyle_ = DropDownStyle::ddsIExplorer;
};

} // namespace korimba::widgets
