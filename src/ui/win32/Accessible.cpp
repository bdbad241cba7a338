#include "ui/win32/Accessible.h"

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Win32Backend.h"

#include <oleacc.h>

#include <optional>
#include <string>

namespace korimba::ui::win32 {

namespace {

// The interface ids, spelled out: MinGW's headers declare them for a library
// the program does not link.
constexpr IID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// oleacc, ole32 and oleaut32 are loaded only when a screen reader asks.
template <typename Function> Function* from(const char* library, const char* name) {
    return platform::win32::systemFunction<Function>(library, name);
}

long roleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::ButtonMenu:
        return ROLE_SYSTEM_BUTTONMENU;
    case AccessibleRole::Pane:
        return ROLE_SYSTEM_PANE;
    case AccessibleRole::Grip:
        return ROLE_SYSTEM_GRIP;
    default:
        return ROLE_SYSTEM_PUSHBUTTON;
    }
}

long stateOf(unsigned state) {
    struct Flag {
        AccessibleState ours;
        long system;
    };
    constexpr Flag kFlags[] = {
        {asUnavailable, STATE_SYSTEM_UNAVAILABLE}, {asFocusable, STATE_SYSTEM_FOCUSABLE},
        {asFocused, STATE_SYSTEM_FOCUSED},         {asPressed, STATE_SYSTEM_PRESSED},
        {asHot, STATE_SYSTEM_HOTTRACKED},
    };
    long system = 0;
    for (const Flag& flag : kFlags)
        if (state & flag.ours)
            system |= flag.system;
    return system;
}

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT textOut(const std::string& text, BSTR* out) {
    static const auto allocate = from<decltype(SysAllocString)>("oleaut32.dll", "SysAllocString");
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    const std::wstring wide = platform::win32::wideOf(text, CP_ACP);
    *out = allocate ? allocate(wide.c_str()) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The control's own object: what the model describes, the rest the system's.
class CustomAccessible final : public IAccessible {
public:
    CustomAccessible(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(id, kIUnknown) || IsEqualIID(id, kIDispatch) ||
            IsEqualIID(id, kIAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: the standard object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                                 argumentError);
    }

    // IAccessible: what the control says of itself and its parts...
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return told(child, name, &AccessibleDescription::name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const Asked asked = ask(child);
        if (!asked.self && !asked.part)
            return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = roleOf(asked.part ? asked.part->role : asked.description.role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const Asked asked = ask(child);
        if (asked.part) {
            state->vt = VT_I4;
            state->lVal = 0;
            return S_OK;
        }
        const HRESULT standard = standard_->get_accState(child, state);
        if (!asked.self || FAILED(standard))
            return standard;
        // Visibility and place on the screen stay the system's to tell.
        const long kept = state->vt == VT_I4
                              ? state->lVal & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)
                              : 0;
        state->vt = VT_I4;
        state->lVal = kept | stateOf(asked.description.state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return told(child, text, &AccessibleDescription::description,
                    &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return told(child, shortcut, &AccessibleDescription::shortcut,
                    &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return told(child, action, &AccessibleDescription::defaultAction,
                    &IAccessible::get_accDefaultAction);
    }
    // A click, posted: a menu it drops runs a loop of its own, which must not
    // hold the screen reader's call.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const Asked asked = ask(child);
        if (asked.part)
            return DISP_E_MEMBERNOTFOUND;
        if (!asked.self)
            return standard_->accDoDefaultAction(child);
        if (asked.description.defaultAction.empty())
            return DISP_E_MEMBERNOTFOUND;
        if (asked.description.state & asUnavailable)
            return E_FAIL;
        return PostMessageA(window_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    }
    // The parts come after the control's windows, as simple elements.
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        const HRESULT standard = standard_->get_accChildCount(count);
        if (SUCCEEDED(standard))
            *count += static_cast<long>(described().parts.size());
        return standard;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!ask(child).part)
            return standard_->get_accChild(child, object);
        *object = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        const Asked asked = ask(child);
        if (!asked.part)
            return standard_->accLocation(left, top, width, height, child);
        const Box place = scaleOf(window_).device(asked.part->place);
        POINT corner{place.left, place.top};
        ClientToScreen(window_, &corner);
        *left = corner.x;
        *top = corner.y;
        *width = place.width();
        *height = place.height();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        const HRESULT standard = standard_->accHitTest(left, top, child);
        if (standard != S_OK || !isSelf(*child))
            return standard;
        POINT device{left, top};
        ScreenToClient(window_, &device);
        const Point at = scaleOf(window_).design(Point{device.x, device.y});
        const AccessibleDescription description = described();
        for (std::size_t i = 0; i < description.parts.size(); ++i) {
            const Box& place = description.parts[i].place;
            if (at.x >= place.left && at.x < place.right && at.y >= place.top &&
                at.y < place.bottom)
                child->lVal = standardChildren() + static_cast<long>(i) + 1;
        }
        return S_OK;
    }

    // ...and the rest, the system's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~CustomAccessible() { standard_->Release(); }

    // Who a call is about: the control itself, one of its parts, or another
    // (a child window), which the standard object answers.
    struct Asked {
        bool self = false;
        AccessibleDescription description;
        std::optional<AccessiblePart> part;
    };
    Asked ask(const VARIANT& child) const {
        Asked asked;
        if (child.vt != VT_I4)
            return asked;
        asked.description = described();
        asked.self = child.lVal == CHILDID_SELF;
        const long index = child.lVal - standardChildren() - 1;
        if (!asked.self && index >= 0 && index < static_cast<long>(asked.description.parts.size()))
            asked.part = asked.description.parts[static_cast<std::size_t>(index)];
        return asked;
    }
    // A text the control tells of itself; a part tells its name alone, and
    // another child is the standard object's to tell.
    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT told(VARIANT child, BSTR* out, std::string AccessibleDescription::*text,
                 TextGetter standard) {
        const Asked asked = ask(child);
        if (asked.part)
            return textOut(text == &AccessibleDescription::name ? asked.part->name : std::string(),
                           out);
        return asked.self ? textOut(asked.description.*text, out)
                          : (standard_->*standard)(child, out);
    }
    long standardChildren() const {
        long count = 0;
        return SUCCEEDED(standard_->get_accChildCount(&count)) ? count : 0;
    }

    // Asked anew each time: the control's state changes while a reader holds this.
    AccessibleDescription described() const {
        Peer* peer = livePeer(window_);
        if (!peer || !peer->custom) {
            AccessibleDescription gone;
            gone.role = AccessibleRole::PushButton;
            gone.state = asUnavailable;
            return gone;
        }
        return static_cast<const CustomControl&>(*peer->control).accessible();
    }

    HWND window_;
    IAccessible* standard_;
    long references_ = 1;
};

} // namespace

bool answerAccessibleObject(HWND window, const CustomControl& control, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) {
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT ||
        control.accessible().role == AccessibleRole::Client)
        return false;
    static const auto initialize = from<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    static const auto createStandard =
        from<decltype(CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    static const auto lresultFrom =
        from<decltype(LresultFromObject)>("oleacc.dll", "LresultFromObject");
    if (!initialize || !createStandard || !lresultFrom)
        return false;
    // Marshalling to the reader's process needs COM on this, the windows' thread.
    static const bool comReady = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    if (!comReady)
        return false;
    void* standard = nullptr;
    if (FAILED(createStandard(window, OBJID_CLIENT, kIAccessible, &standard)) || !standard)
        return false;
    auto* object = new CustomAccessible(window, static_cast<IAccessible*>(standard));
    result = lresultFrom(kIAccessible, wParam, object);
    object->Release();
    return true;
}

void notifyAccessible(HWND window, AccessibleEvent event) {
    constexpr DWORD kEvents[] = {EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE,
                                 EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE};
    NotifyWinEvent(kEvents[static_cast<int>(event)], window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace korimba::ui::win32
