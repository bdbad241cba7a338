#include "ui/win32/NativeWindows.h"

#include "platform/Exception.h"
#include "platform/win32/Dpi.h"

#include "ui/Controls.h"
#include "ui/CustomControl.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Painting.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Properties.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowKinds.h"
#include "ui/win32/WindowProcedures.h"

#include <commctrl.h>

namespace korimba::ui::win32 {

DWORD formStyle(const Form& form) {
    DWORD style = WS_CLIPCHILDREN;
    switch (form.borderStyle()) {
    case BorderStyle::Sizeable:
        style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
        break;
    case BorderStyle::Single:
        style |= WS_OVERLAPPED | WS_CAPTION;
        break;
    case BorderStyle::Dialog:
        style |= WS_POPUP | WS_CAPTION;
        break;
    case BorderStyle::None:
        style |= WS_POPUP;
        break;
    case BorderStyle::ToolWindow:
        style |= WS_POPUP | WS_CAPTION;
        break;
    }
    const unsigned icons = form.borderIcons();
    if (icons & BiSystemMenu)
        style |= WS_SYSMENU;
    // A dialog frame and a tool window have no minimize or maximize box.
    if (form.borderStyle() != BorderStyle::Dialog &&
        form.borderStyle() != BorderStyle::ToolWindow) {
        if (icons & BiMinimize)
            style |= WS_MINIMIZEBOX;
        if (icons & BiMaximize)
            style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD formExStyle(const Form& form) {
    DWORD exStyle = 0;
    if (form.borderStyle() == BorderStyle::Dialog)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (form.borderStyle() == BorderStyle::ToolWindow)
        exStyle |= WS_EX_TOOLWINDOW;
    if (form.stayOnTop())
        exStyle |= WS_EX_TOPMOST;
    // What DragAcceptFiles sets, without loading the shell's library for it.
    if (form.acceptsFiles())
        exStyle |= WS_EX_ACCEPTFILES;
    return exStyle;
}

namespace {

// Registers a class of this program once; raises when the system refuses it.
void registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                   HICON icon = nullptr) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, name, &existing))
        return;
    WNDCLASSA windowClass = {};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    if (!RegisterClassA(&windowClass))
        throw windowCreateError(name);
}

// The program's own icon where it has one (korimba.exe), else the system's.
HICON applicationIcon(HINSTANCE instance) {
    HICON own = LoadIconA(instance, "MAINICON");
    return own ? own : LoadIcon(nullptr, IDI_APPLICATION);
}

HWND createChildWindow(Win32Backend& backend, Control& control, HWND parent, int id) {
    const WindowKind& kind = *windowKindOf(control);
    DWORD style = WS_CHILD | kind.style(control);
    if (control.visible())
        style |= WS_VISIBLE;
    if (!control.enabled())
        style |= WS_DISABLED;
    const Rect bounds = scaleOf(parent).device(control.bounds());
    // Captions are window text for the kinds that show one; edits get theirs afterwards.
    const char* text = kind.captionIsText ? control.text().c_str() : "";
    HWND window = CreateWindowExA(kind.exStyle(control), kind.className, text, style, bounds.left,
                                  bounds.top, bounds.width, bounds.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  backend.instance(), nullptr);
    if (!window)
        return nullptr;
    auto* peer = new Peer;
    peer->control = &control;
    peer->backend = &backend;
    attachPeer(window, peer);
    if (kind.systemClass)
        peer->systemProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemControlProcedure)));
    if (control.kind() == ControlKind::Custom) {
        peer->custom = std::make_unique<CustomState>();
        GetWindowRect(window, &peer->custom->place);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&peer->custom->place), 2);
    }
    return window;
}

void announceCreation(Control& control) {
    if (control.kind() == ControlKind::Custom)
        static_cast<CustomControl&>(control).nativeWindowCreated();
}

bool createDescendants(Win32Backend& backend, Control& container, HWND parent, int& nextId) {
    bool complete = true;
    for (Control* child : container.children()) {
        HWND own = nullptr;
        if (isWindowed(child->kind())) {
            own = createChildWindow(backend, *child, parent, nextId++);
            if (!own) {
                complete = false; // it stays without a window, and so do its children
                continue;
            }
        }
        // A painted control draws on its parent's window; so do its own children, if any.
        child->native = own ? own : parent;
        if (own) {
            mirrorInitialState(backend, *child);
            announceCreation(*child);
        }
        complete = createDescendants(backend, *child, own ? own : parent, nextId) && complete;
    }
    return complete;
}

int dropDownHeight(HWND combo) {
    const auto itemHeight = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    constexpr int kVisibleItems = 8;
    return (itemHeight > 0 ? itemHeight : 16) * kVisibleItems + 2;
}

} // namespace

void registerControlClasses(HINSTANCE instance) {
    registerClass(instance, kPanelClass, panelProcedure, CS_HREDRAW | CS_VREDRAW);
    registerClass(instance, kLabelClass, labelProcedure, CS_HREDRAW | CS_VREDRAW);
    registerClass(instance, kCustomClass, customControlProcedure,
                  CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

bool recreateChildWindow(Win32Backend& backend, Control& control) {
    HWND old = windowOf(control);
    if (!old)
        return false;
    HWND parent = GetParent(old);
    const int id = GetDlgCtrlID(old);
    HWND after = GetWindow(old, GW_HWNDPREV);
    if (Peer* peer = peerOf(old))
        peer->control = nullptr;
    control.native = nullptr;
    DestroyWindow(old);
    HWND window = createChildWindow(backend, control, parent, id);
    if (!window)
        return false;
    // Same place among its siblings, so the painting order stays.
    SetWindowPos(window, after ? after : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    control.native = window;
    mirrorInitialState(backend, control);
    announceCreation(control);
    return true;
}

HWND createFormWindow(Win32Backend& backend, Form& form, HWND owner) {
    registerClass(backend.instance(), form.name().c_str(), formProcedure, CS_DBLCLKS,
                  applicationIcon(backend.instance()));
    const DWORD style = formStyle(form);
    const DWORD exStyle = formExStyle(form);
    const Scale scale = screenScale();
    const RECT outer = platform::win32::outerRect(
        RECT{0, 0, scale.device(form.clientWidth()), scale.device(form.clientHeight())}, style,
        exStyle, scale.dpi);
    HWND window = CreateWindowExA(exStyle, form.name().c_str(), form.text().c_str(), style,
                                  scale.device(form.left()), scale.device(form.top()),
                                  outer.right - outer.left, outer.bottom - outer.top, owner,
                                  nullptr, backend.instance(), nullptr);
    if (!window)
        throw windowCreateError(form.name());
    auto* peer = new Peer;
    peer->control = &form;
    peer->backend = &backend;
    peer->form = std::make_unique<FormState>();
    peer->form->clientWidth = form.clientWidth();
    peer->form->clientHeight = form.clientHeight();
    peer->form->dpi = scale.dpi;
    attachPeer(window, peer);
    // Made on a monitor of another scale than the system's: its size is that monitor's.
    if (const int own = platform::win32::windowDpi(window); own != scale.dpi) {
        peer->form->dpi = own;
        const SIZE size = outerSizeFor(window, form.clientWidth(), form.clientHeight());
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return window;
}

bool createChildWindows(Win32Backend& backend, Control& container) {
    int nextId = 1;
    return createDescendants(backend, container, windowOf(container), nextId);
}

void placeChildren(Win32Backend& backend, Control& container) {
    HWND parent = windowOf(container);
    if (!parent)
        return;
    RECT client;
    GetClientRect(parent, &client);
    const Scale scale = scaleOf(parent);
    const auto placed = shownPlaces(container, client.right, client.bottom, scale);
    const auto& children = container.children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        Control& child = *children[i];
        HWND window = windowOf(child);
        if (!window)
            continue;
        Rect rect = placed[i];
        if (child.kind() == ControlKind::Label && (rect.width <= 0 || rect.height <= 0)) {
            const SIZE natural =
                labelTextSize(backend.gdi(), static_cast<const Label&>(child), scale);
            rect.width = natural.cx;
            rect.height = natural.cy;
        }
        int height = rect.height;
        if (child.kind() == ControlKind::ComboBox)
            height += dropDownHeight(window);
        SetWindowPos(window, nullptr, rect.left, rect.top, rect.width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Painted children and the transparent labels over them follow the new places.
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

SIZE outerSizeFor(HWND form, int clientWidth, int clientHeight) {
    const Scale scale = scaleOf(form);
    const RECT outer = platform::win32::outerRect(
        RECT{0, 0, scale.device(clientWidth), scale.device(clientHeight)},
        static_cast<DWORD>(GetWindowLongPtrA(form, GWL_STYLE)),
        static_cast<DWORD>(GetWindowLongPtrA(form, GWL_EXSTYLE)), scale.dpi);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

} // namespace korimba::ui::win32
