// What a screen reader is told of a window, asked as one asks: through the
// window's accessible object, from this other process.
#include "Accessibility.h"

#include <windows.h>
#include <initguid.h> // before oleacc.h, or the interface id comes out wrong
#include <oleacc.h>

namespace korimba::e2e {

namespace {

// The client object of a window, released at the end.
class ClientObject {
public:
    explicit ClientObject(HWND window) {
        static const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        if (!com ||
            FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                              IID_IAccessible, reinterpret_cast<void**>(&object_))))
            throw DriverError("no accessible object");
    }
    ~ClientObject() { object_->Release(); }
    ClientObject(const ClientObject&) = delete;
    ClientObject& operator=(const ClientObject&) = delete;
    IAccessible* operator->() const { return object_; }
    IAccessible& operator*() const { return *object_; }

private:
    IAccessible* object_ = nullptr;
};

VARIANT self() {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

// A text of the object, in this program's code page; "" for none.
std::string textOf(HRESULT got, BSTR text) {
    std::string ansi;
    if (SUCCEEDED(got) && text) {
        const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
        ansi.resize(length > 0 ? static_cast<std::size_t>(length) : 1);
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), length, nullptr, nullptr);
        ansi.resize(ansi.size() - 1);
    }
    if (text)
        SysFreeString(text);
    return ansi;
}

long numberOf(HRESULT got, const VARIANT& value) {
    return SUCCEEDED(got) && value.vt == VT_I4 ? value.lVal : -1;
}

} // namespace

std::string describeAccessible(HWND window) {
    const ClientObject object(window);
    const VARIANT child = self();
    // The call first, then its text: as arguments of one call, their order is open.
    const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR got = nullptr;
        const HRESULT result = (*object.*get)(child, &got);
        return textOf(result, got);
    };
    const auto number = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
        VARIANT value;
        VariantInit(&value);
        const HRESULT result = (*object.*get)(child, &value);
        return numberOf(result, value);
    };
    return JsonObject()
        .text("name", text(&IAccessible::get_accName))
        .text("shortcut", text(&IAccessible::get_accKeyboardShortcut))
        .text("action", text(&IAccessible::get_accDefaultAction))
        .number("role", number(&IAccessible::get_accRole))
        .number("state", number(&IAccessible::get_accState))
        .str();
}

std::string doDefaultAction(HWND window) {
    const ClientObject object(window);
    return JsonObject()
        .number("result", static_cast<long>(object->accDoDefaultAction(self())))
        .str();
}

} // namespace korimba::e2e
