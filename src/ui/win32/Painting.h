#pragma once
// Painting of what has no system class: the background of forms and panels with
// their windowless controls (Image, Bevel, Shape), panel bevels, and labels.
#include "ui/Controls.h"
#include "ui/Scale.h"
#include "ui/win32/Gdi.h"

#include <windows.h>

#include <memory>

namespace korimba::ui::win32 {

// A form's or panel's client area: colour, bevel, caption, then the windowless
// children in child order.
void paintContainer(GdiObjects& gdi, const Control& container, HDC dc, const RECT& client);
void paintLabel(GdiObjects& gdi, const Label& label, HWND window, HDC dc);
// The size of a label's caption in its font at the scale, in the screen's pixels.
SIZE labelTextSize(GdiObjects& gdi, const Label& label, const Scale& scale);

// WM_PAINT into an off-screen bitmap, copied to the window in one go.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC dc() const { return buffer_ ? buffer_->get() : paint_.hdc; }
    const RECT& client() const { return client_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
    RECT client_;
    std::unique_ptr<BitmapDc> buffer_; // none: painted straight on the window
};

} // namespace korimba::ui::win32
