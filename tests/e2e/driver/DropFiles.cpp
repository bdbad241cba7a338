#include "DropFiles.h"

#include "Protocol.h"
#include "WindowQuery.h"

#include <cstring>

namespace korimba::e2e {

namespace {

// Layout of the shell's DROPFILES (shlobj.h), kept here to avoid the OLE headers.
struct DropFilesHeader {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
};

// DragFinish frees the handle with GlobalFree, which in Wine takes any aligned
// pointer for a heap block and reads the block header in front of it. Zeroed
// bytes there make that a refused free instead of a read of an unmapped page;
// the page itself stays with the target, a few bytes per drop.
constexpr size_t guardBytes = 64;

struct ProcessHandle {
    HANDLE handle;
    ~ProcessHandle() {
        if (handle)
            CloseHandle(handle);
    }
};

} // namespace

void dropFiles(HWND target, const std::vector<std::string>& files, POINT at) {
    // Wide names, as the shell drops them: each program reads them in its own code page.
    std::string block(guardBytes + sizeof(DropFilesHeader), '\0');
    DropFilesHeader header{sizeof(DropFilesHeader), at, FALSE, TRUE};
    std::memcpy(block.data() + guardBytes, &header, sizeof header);
    auto append = [&](const std::wstring& text) {
        block.append(reinterpret_cast<const char*>(text.c_str()),
                     (text.size() + 1) * sizeof(wchar_t));
    };
    for (const std::string& file : files)
        append(wideOf(file));
    append(L"");

    const ProcessHandle process{
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, windowProcess(target))};
    if (!process.handle)
        throw DriverError("cannot open the target process");
    char* remote = static_cast<char*>(VirtualAllocEx(process.handle, nullptr, block.size(),
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        throw DriverError("cannot allocate in the target process");
    SIZE_T written = 0;
    if (!WriteProcessMemory(process.handle, remote, block.data(), block.size(), &written) ||
        written != block.size()) {
        VirtualFreeEx(process.handle, remote, 0, MEM_RELEASE);
        throw DriverError("cannot write into the target process");
    }
    if (!PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote + guardBytes), 0)) {
        VirtualFreeEx(process.handle, remote, 0, MEM_RELEASE);
        throw DriverError("cannot post WM_DROPFILES");
    }
}

} // namespace korimba::e2e
