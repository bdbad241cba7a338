// What a screen reader is told of a window, asked as one asks: through the
// window's accessible object, from this other process.
#include "Accessibility.h"

#include <windows.h>
#include <initguid.h> // before oleacc.h, or the interface id comes out wrong
#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

VARIANT childNumber(long id) {
    VARIANT child = self();
    child.lVal = id;
    return child;
}

// The children that are parts of the object rather than objects of their own.
std::string partsOf(IAccessible& object) {
    long count = 0;
    std::vector<std::string> parts;
    if (SUCCEEDED(object.get_accChildCount(&count))) {
        for (long id = 1; id <= count; ++id) {
            // S_FALSE: a simple element, no object of its own.
            IDispatch* own = nullptr;
            const HRESULT child = object.get_accChild(childNumber(id), &own);
            if (own)
                own->Release();
            if (child != S_FALSE)
                continue;
            BSTR name = nullptr;
            const HRESULT named = object.get_accName(childNumber(id), &name);
            VARIANT role;
            VariantInit(&role);
            const HRESULT roled = object.get_accRole(childNumber(id), &role);
            parts.push_back(JsonObject()
                                .text("name", textOf(named, name))
                                .number("role", numberOf(roled, role))
                                .str());
        }
    }
    return jsonArray(parts);
}

// The library whose hook writes the events down inside the program heard.
HMODULE eventLog() {
    static const HMODULE library = LoadLibraryA("keventlog.dll");
    if (!library)
        throw DriverError("keventlog.dll is missing");
    return library;
}

std::string eventLogPath() {
    using PathFunction = void(char*, DWORD);
    auto* path = reinterpret_cast<PathFunction*>(
        reinterpret_cast<void*>(GetProcAddress(eventLog(), "eventLogPath")));
    char buffer[MAX_PATH] = "";
    if (path)
        path(buffer, MAX_PATH);
    if (!buffer[0])
        throw DriverError("no event log path");
    return buffer;
}

std::string readEventLog() {
    HANDLE file = CreateFileA(eventLogPath().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got)
        text.append(chunk, got);
    CloseHandle(file);
    return text;
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
        .text("description", text(&IAccessible::get_accDescription))
        .raw("parts", partsOf(*object))
        .str();
}

std::string doDefaultAction(HWND window) {
    const ClientObject object(window);
    return JsonObject()
        .number("result", static_cast<long>(object->accDoDefaultAction(self())))
        .str();
}

void listenTo(DWORD process) {
    static HWINEVENTHOOK hook = nullptr;
    if (hook)
        UnhookWinEvent(hook);
    hook = nullptr;
    DeleteFileA(eventLogPath().c_str());
    if (!process)
        return;
    const auto log = reinterpret_cast<WINEVENTPROC>(
        reinterpret_cast<void*>(GetProcAddress(eventLog(), "logEvent")));
    hook =
        log ? SetWinEventHook(EVENT_MIN, EVENT_MAX, eventLog(), log, process, 0, WINEVENT_INCONTEXT)
            : nullptr;
    if (!hook)
        throw DriverError("no event hook");
}

std::string heardEvents() {
    // The program writes as it goes: read once the file has stopped growing.
    std::string text = readEventLog();
    for (DWORD quietSince = GetTickCount(); GetTickCount() - quietSince < 300;) {
        Sleep(20);
        std::string now = readEventLog();
        if (now.size() != text.size())
            quietSince = GetTickCount();
        text = std::move(now);
    }
    DeleteFileA(eventLogPath().c_str());
    std::vector<std::string> items;
    unsigned long event = 0;
    long long window = 0;
    long object = 0;
    long child = 0;
    for (const char* line = text.c_str();
         std::sscanf(line, "%lu %lld %ld %ld", &event, &window, &object, &child) == 4;) {
        items.push_back(JsonObject()
                            .number("event", static_cast<long long>(event))
                            .number("window", window)
                            .number("object", object)
                            .number("child", child)
                            .str());
        line = std::strchr(line, '\n');
        if (!line)
            break;
        ++line;
    }
    return jsonArray(items);
}

} // namespace korimba::e2e
