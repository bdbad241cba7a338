#pragma once
// The command button of every window: flat at rest, a raised bevel and the
// highlight caption under the pointer, sunken while pressed, transparent over
// the window's pictures, and with a drop-down menu under itself. It keeps the
// interface the windows use (caption with '&' accelerator, Enabled, OnClick,
// DropDownMenu, click, userPress).
#include "ui/CustomControl.h"
#include "ui/Menu.h"

#include <functional>

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
enum class ButtonLayout { blBitmapTop, blBitmapBottom, blBitmapLeft, blBitmapRight };
enum class ShadingType { stLight, stMedium, stDark };
enum class ButtonSize { bsCustom, bsSmall, bsLarge };
enum class Alignment { taLeftJustify, taRightJustify, taCenter };
enum class BevelStyle { bsLowered, bsRaised };

// The options every window's buttons are created with.
inline constexpr unsigned kWindowButtonOptions =
    boMonoDisplay | boPopupMark | boShowBevel | boShowDownPattern | boTransparent;
// The same without the down pattern (about box, preferences dialog).
inline constexpr unsigned kDialogButtonOptions =
    boMonoDisplay | boPopupMark | boShowBevel | boTransparent;
// A new button's.
inline constexpr unsigned kDefaultButtonOptions = boPopupMark | boShowBevel | boShowDownPattern;

// The drop-down panel (widgets/ExplorerPopup.h).
class TExplorerPopup;

using MouseEvent = std::function<void(ui::MouseButton, unsigned shift, int x, int y)>;

class TExplorerButton : public ui::CustomControl {
public:
    // Posted to itself so that a panel opens after the press has been handled.
    static constexpr unsigned OpenPanelMessage = 0x400 + 100;
    // Width of a ddsOffice button's arrow part, at its right.
    static constexpr int ArrowPartWidth = 11;

    // A new button: 50 x 40, no caption, the defaults of every property.
    TExplorerButton(ui::Control* parent, std::string name);
    // A window's button: caption, place and options, highlight-coloured caption.
    TExplorerButton(ui::Control* parent, std::string name, std::string caption, int left, int top,
                    int width, int height, unsigned options = kWindowButtonOptions);
    ~TExplorerButton() override;

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool allow);
    BevelStyle bevelStyle() const { return bevelStyle_; }
    void setBevelStyle(BevelStyle style);
    const ui::Raster& noFocusBitmap() const { return noFocusBitmap_; }
    void setNoFocusBitmap(ui::Raster image);
    const ui::Raster& bitmap() const { return bitmap_; }
    void setBitmap(ui::Raster image);
    const ui::Raster& disabledBitmap() const { return disabledBitmap_; }
    void setDisabledBitmap(ui::Raster image);
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int index);
    bool down() const { return down_; }
    void setDown(bool down);
    ui::PopupMenu* dropDownMenu() const { return dropDownMenu_; }
    void setDropDownMenu(ui::PopupMenu* menu);
    DropDownStyle dropDownStyle() const { return dropDownStyle_; }
    void setDropDownStyle(DropDownStyle style);
    TExplorerPopup* explorerPopup() const { return explorerPopup_; }
    void setExplorerPopup(TExplorerPopup* popup);
    ButtonLayout layout() const { return layout_; }
    void setLayout(ButtonLayout layout);
    unsigned options() const { return options_; }
    void setOptions(unsigned options);
    ShadingType shadingType() const { return shadingType_; }
    void setShadingType(ShadingType type);
    ui::Color unselectedFontColor() const { return unselectedFontColor_; }
    void setUnselectedFontColor(ui::Color color);
    int smallWidth() const { return small_.x; }
    int smallHeight() const { return small_.y; }
    int largeWidth() const { return large_.x; }
    int largeHeight() const { return large_.y; }
    int customWidth() const { return custom_.x; }
    int customHeight() const { return custom_.y; }
    void setSmallWidth(int value) { setPairSide(ButtonSize::bsSmall, small_.x, value, true); }
    void setSmallHeight(int value) { setPairSide(ButtonSize::bsSmall, small_.y, value, false); }
    void setLargeWidth(int value) { setPairSide(ButtonSize::bsLarge, large_.x, value, true); }
    void setLargeHeight(int value) { setPairSide(ButtonSize::bsLarge, large_.y, value, false); }
    void setCustomWidth(int value) { setPairSide(ButtonSize::bsCustom, custom_.x, value, true); }
    void setCustomHeight(int value) { setPairSide(ButtonSize::bsCustom, custom_.y, value, false); }
    ButtonSize buttonSize() const { return buttonSize_; }
    void setButtonSize(ButtonSize size);
    // The context menu of a right click.
    ui::PopupMenu* popupMenu() const { return popupMenu_; }
    void setPopupMenu(ui::PopupMenu* menu) { popupMenu_ = menu; }

    // The monochrome image shown while idle under boMonoDisplay, and its stored
    // form: a .bmp file image, or nothing when there is none.
    const ui::Raster& monoBitmap() const { return mono_; }
    std::string storedMonoBitmap() const;
    // Throws "Bitmap image is not valid" for data that is not a .bmp file image.
    void loadStoredMonoBitmap(const std::string& data);
    // A component that the button may refer to is going away.
    void componentRemoved(const void* component);

    // Raises OnClick, as a click does (also when called by the program).
    void click();
    // What a click by the user does: a press and a release on the button.
    void userPress();

    bool mainPressed() const { return mainPressed_; }
    bool arrowPressed() const { return arrowPressed_; }
    bool hot() const { return hot_; }
    bool panelOpen() const { return panelOpen_; }
    // Transparent: the parent's pixels under the button are kept for its paints.
    bool backgroundCaptured() const { return backgroundCaptured_; }

    ui::Event OnClick;
    ui::Event OnDblClick;
    ui::Event OnDropDownClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseEvent OnMouseMove;

    void paint(ui::Canvas& window) override;
    void mouseDown(ui::MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(ui::MouseButton button, unsigned shift, int x, int y) override;
    void doubleClick(ui::MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;
    bool dialogChar(char key) override;
    void resized() override;
    void moved() override;
    void systemColorsChanged() override;
    void posted(unsigned message) override;
    bool transparentWindow() const override { return has(boTransparent); }
    void windowCreated() override { paintedSinceCreation_ = false; }
    // A push button; a button menu when it drops a menu. Its name is the
    // caption without the accelerator's "&" and the padding blanks.
    ui::AccessibleDescription accessible() const override;
    // Tab reaches the button (a click never focuses it); Space or Enter then
    // presses it as its accelerator does.
    void focusChanged(bool focused) override;
    void keyboardPress() override;

protected:
    void textChanged() override;
    void enabledChanged() override;

private:
    // The visual states of the painting.
    enum class Look { Disabled, Pressed, Raised, Idle };
    Look look() const;
    bool has(ExplorerButtonOption option) const { return (options_ & option) != 0; }
    bool officeStyle() const { return dropDownStyle_ == DropDownStyle::ddsOffice; }
    // The width and height kept for a button size.
    ui::Point& sizePair(ButtonSize size);
    // What the button stands on: its parent's colour.
    ui::Color backgroundColor() const;

    // Which pressed state a menu ends when it closes.
    enum class PressedPart { Main, Arrow, Both };
    void leftDown(unsigned shift, int x, int y);
    void leftUp(unsigned shift, int x, int y);
    void showMenu(ui::PopupMenu& menu, ui::Point screen, PressedPart released);
    void followPointerWithPanel();
    void releaseOthersInGroup();
    template <class Action> void forGroupMates(Action&& action);
    void resetInteraction();
    void setPairSide(ButtonSize owner, int& side, int value, bool width);
    void updateMonoBitmap();
    void forgetCapturedBackground();
    void windowPlaceChanged();
    void sizeWiggle();
    // A press by the keyboard: shown raised, pressed and released.
    void pressFromKeyboard();
    void raiseMouse(const MouseEvent& event, ui::MouseButton button, unsigned shift, int x, int y);

    // Painting (ExplorerButtonPaint.cpp): a layout of the content, then the
    // painter of the look draws it.
    struct GlyphFit;
    struct MeasuredCaption;
    struct ContentLayout;
    void captureBackground();
    int mainPartWidth() const;
    GlyphFit glyphFit(const ui::Raster& image) const;
    MeasuredCaption measureCaption(ui::Canvas& canvas, unsigned flags) const;
    ContentLayout layOutContent(ui::Canvas& canvas) const;
    ui::Color textColorOf(Look look, const ContentLayout& layout) const;
    void drawContent(ui::Canvas& canvas);
    void paintDisabled(ui::Canvas& canvas, const ContentLayout& layout);
    void paintPressed(ui::Canvas& canvas, const ContentLayout& layout);
    void paintRaised(ui::Canvas& canvas, const ContentLayout& layout);
    void paintIdle(ui::Canvas& canvas, const ContentLayout& layout);
    void paintUnpressed(ui::Canvas& canvas, const ContentLayout& layout, ui::Color color,
                        const ui::Raster& glyph);
    void drawCaption(ui::Canvas& canvas, const ContentLayout& layout, ui::Box box, ui::Color color);
    enum class Relief { Raised, Sunken };
    void drawBevel(ui::Canvas& canvas, Relief relief);
    void drawGlyph(ui::Canvas& canvas, const ui::Raster& image, ui::Point at);
    void drawEmbossed(ui::Canvas& canvas, const ui::Raster& image, ui::Point at);
    enum class Arrow { PopupMark, ArrowPart };
    void drawArrow(ui::Canvas& canvas, ui::Point anchor, Arrow arrow, ui::Color color);
    void drawFocusMark(ui::Canvas& canvas, ui::Color color);

    Alignment alignment_ = Alignment::taCenter;
    bool allowAllUp_ = false;
    BevelStyle bevelStyle_ = BevelStyle::bsRaised;
    ui::Raster noFocusBitmap_;
    ui::Raster bitmap_;
    ui::Raster disabledBitmap_;
    ui::Raster mono_;
    int groupIndex_ = 0;
    bool down_ = false;
    ui::PopupMenu* dropDownMenu_ = nullptr;
    ui::PopupMenu* popupMenu_ = nullptr;
    DropDownStyle dropDownStyle_ = DropDownStyle::ddsIExplorer;
    TExplorerPopup* explorerPopup_ = nullptr;
    ButtonLayout layout_ = ButtonLayout::blBitmapTop;
    unsigned options_ = kDefaultButtonOptions;
    ShadingType shadingType_ = ShadingType::stMedium;
    ui::Color unselectedFontColor_ = ui::colors::WindowText;
    ui::Point small_{23, 22};
    ui::Point large_{39, 38};
    ui::Point custom_{50, 40};
    ButtonSize buttonSize_ = ButtonSize::bsCustom;

    bool mainPressed_ = false;
    bool arrowPressed_ = false;
    bool hot_ = false;
    bool panelOpen_ = false;
    bool updatingFromSize_ = false;

    ui::Raster background_;
    bool backgroundCaptured_ = false;
    bool paintedSinceCreation_ = false;
    bool wiggling_ = false;
};

// The thresholds of the monochrome image and its making from a glyph; system
// colours come resolved.
ui::Raster monochromeOf(const ui::Raster& glyph, ShadingType shading, ui::Rgb highlight,
                        ui::Rgb shadow);
// A caption as a tooltip: accelerator marks out, "&&" as '&', a final lone '&' kept.
std::string captionWithoutMarks(const std::string& caption);
// The 8 x 8 pattern of a down button, in resolved colours.
ui::Raster checkerPattern(ui::Rgb face, ui::Rgb highlight);

} // namespace korimba::widgets
