#include "ui/win32/Painting.h"

#include "platform/win32/ScreenText.h"
#include "ui/win32/DibImage.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Peers.h"

namespace korimba::ui::win32 {

namespace {

RECT toRect(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

void paintImage(const Image& image, HDC dc, const Rect& at, const Scale& scale) {
    const auto picture = DibImage::of(image.picture());
    if (!picture)
        return;
    if (image.stretch()) {
        picture->stretch(dc, at.left, at.top, at.width, at.height);
        return;
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, at.left, at.top, at.left + at.width, at.top + at.height);
    // A picture of the design grows with the window's scale, as everything else does.
    picture->stretch(dc, at.left, at.top, scale.device(picture->width()),
                     scale.device(picture->height()));
    RestoreDC(dc, saved);
}

void paintBevel(const Bevel& bevel, HDC dc, const Rect& at) {
    RECT rect = toRect(at);
    switch (bevel.shape()) {
    case BevelShape::TopLine:
        DrawEdge(dc, &rect, EDGE_ETCHED, BF_TOP);
        break;
    case BevelShape::LeftLine:
        DrawEdge(dc, &rect, EDGE_ETCHED, BF_LEFT);
        break;
    case BevelShape::Box:
        DrawEdge(dc, &rect, EDGE_ETCHED, BF_RECT);
        break;
    }
}

void paintShape(const Shape& shape, HDC dc, const Rect& at, const Scale& scale) {
    const OwnedGdi<HPEN> pen(CreatePen(PS_SOLID, scale.device(1), colorRef(shape.penColor())));
    const Selected penInUse(dc, pen.get());
    const Selected noFill(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, at.left, at.top, at.left + at.width, at.top + at.height);
}

void paintWindowless(const Control& control, HDC dc, const Rect& at, const Scale& scale) {
    switch (control.kind()) {
    case ControlKind::Image:
        paintImage(static_cast<const Image&>(control), dc, at, scale);
        break;
    case ControlKind::Bevel:
        paintBevel(static_cast<const Bevel&>(control), dc, at);
        break;
    case ControlKind::Shape:
        paintShape(static_cast<const Shape&>(control), dc, at, scale);
        break;
    default:
        break;
    }
}

void paintPanelFrame(GdiObjects& gdi, const Panel& panel, HDC dc, const RECT& client) {
    RECT rect = client;
    if (panel.bevelOuter() == BevelOuter::Lowered)
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
    else if (panel.bevelOuter() == BevelOuter::Raised)
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    if (panel.text().empty())
        return;
    Selected font(dc, gdi.font(scaleOf(panel).device(panel.font())));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(panel.font().color));
    platform::win32::drawText(dc, panel.text(), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// What the parent shows under a transparent label: the parent's painting, moved
// so that the label's corner is the origin.
void paintParentUnder(GdiObjects& gdi, const Label& label, HWND window, HDC dc) {
    HWND parent = GetParent(window);
    const Control* container = label.parent();
    if (!parent || !container)
        return;
    POINT corner{0, 0};
    MapWindowPoints(window, parent, &corner, 1);
    RECT parentClient;
    GetClientRect(parent, &parentClient);
    POINT previous;
    OffsetViewportOrgEx(dc, -corner.x, -corner.y, &previous);
    paintContainer(gdi, *container, dc, parentClient);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

} // namespace

void paintContainer(GdiObjects& gdi, const Control& container, HDC dc, const RECT& client) {
    FillRect(dc, &client, gdi.brush(container.color()));
    if (container.kind() == ControlKind::Panel)
        paintPanelFrame(gdi, static_cast<const Panel&>(container), dc, client);
    const Scale scale = scaleOf(container);
    const auto placed = shownPlaces(container, client.right, client.bottom, scale);
    const auto& children = container.children();
    for (std::size_t i = 0; i < children.size(); ++i)
        if (children[i]->visible() && !isWindowed(children[i]->kind()))
            paintWindowless(*children[i], dc, placed[i], scale);
}

void paintLabel(GdiObjects& gdi, const Label& label, HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    if (label.transparent())
        paintParentUnder(gdi, label, window, dc);
    else
        FillRect(dc, &client, gdi.brush(label.color()));
    const Scale scale = scaleOf(label);
    Selected font(dc, gdi.font(scale.device(label.font())));
    SetBkMode(dc, TRANSPARENT);
    constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_EXPANDTABS;
    if (label.enabled()) {
        SetTextColor(dc, colorRef(label.font().color));
        platform::win32::drawText(dc, label.text(), client, kFormat);
        return;
    }
    // A disabled caption is embossed: a light copy one pixel down and right, then grey.
    RECT raised = client;
    OffsetRect(&raised, scale.device(1), scale.device(1));
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    platform::win32::drawText(dc, label.text(), raised, kFormat);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    platform::win32::drawText(dc, label.text(), client, kFormat);
}

SIZE labelTextSize(GdiObjects& gdi, const Label& label, const Scale& scale) {
    const ScreenDc screen;
    RECT rect{0, 0, 0, 0};
    const Selected font(screen.get(), gdi.font(scale.device(label.font())));
    platform::win32::drawText(screen.get(), label.text(), rect,
                              DT_LEFT | DT_EXPANDTABS | DT_CALCRECT);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

BufferedPaint::BufferedPaint(HWND window) : window_(window) {
    BeginPaint(window_, &paint_);
    GetClientRect(window_, &client_);
    if (client_.right <= 0 || client_.bottom <= 0)
        return;
    HBITMAP bitmap = CreateCompatibleBitmap(paint_.hdc, client_.right, client_.bottom);
    if (!bitmap)
        return;
    buffer_ = std::make_unique<BitmapDc>(paint_.hdc, bitmap);
    if (!buffer_->get())
        buffer_.reset();
}

BufferedPaint::~BufferedPaint() {
    if (buffer_)
        BitBlt(paint_.hdc, 0, 0, client_.right, client_.bottom, buffer_->get(), 0, 0, SRCCOPY);
    buffer_.reset();
    EndPaint(window_, &paint_);
}

} // namespace korimba::ui::win32
