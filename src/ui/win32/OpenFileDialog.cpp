#include "ui/win32/OpenFileDialog.h"

#include "platform/win32/SystemLibrary.h"
#include "ui/Dialogs.h"
#include "ui/win32/Win32Backend.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

namespace korimba::ui::win32 {

namespace {

struct OptionFlag {
    OpenOption option;
    DWORD flag;
};
constexpr OptionFlag kOptionFlags[] = {
    {OfHideReadOnly, OFN_HIDEREADONLY},
    {OfPathMustExist, OFN_PATHMUSTEXIST},
    {OfFileMustExist, OFN_FILEMUSTEXIST},
    {OfNoTestFileCreate, OFN_NOTESTFILECREATE},
};

constexpr DWORD kFileBufferSize = 4096;

} // namespace

std::string systemFilter(const std::string& filter) {
    if (filter.empty())
        return {};
    std::string pairs = filter;
    for (char& c : pairs)
        if (c == '|')
            c = '\0';
    pairs.push_back('\0');
    pairs.push_back('\0');
    return pairs;
}

std::string systemDefaultExtension(const std::string& defaultExt) {
    return defaultExt.rfind("*.", 0) == 0 ? defaultExt.substr(2) : defaultExt;
}

unsigned long systemOpenFlags(unsigned options) {
    DWORD flags = OFN_EXPLORER;
    for (const OptionFlag& entry : kOptionFlags)
        if (options & entry.option)
            flags |= entry.flag;
    return flags;
}

bool Win32Backend::executeOpenDialog(OpenDialog& dialog) {
    const std::string filter = systemFilter(dialog.filter);
    const std::string defaultExt = systemDefaultExtension(dialog.defaultExt);
    std::vector<char> file(kFileBufferSize, '\0');
    dialog.fileName.copy(file.data(), file.size() - 1);

    OPENFILENAMEA request = {};
    // The older size, which every version of the dialog accepts.
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = ownerWindow(dialog.owner());
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = static_cast<DWORD>(dialog.filterIndex);
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = dialog.initialDir.empty() ? nullptr : dialog.initialDir.c_str();
    request.lpstrTitle = dialog.title.empty() ? nullptr : dialog.title.c_str();
    request.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    request.Flags = systemOpenFlags(dialog.options);

    static const auto getOpenFileName = platform::win32::systemFunction<decltype(GetOpenFileNameA)>(
        "comdlg32.dll", "GetOpenFileNameA");
    static const auto extendedError =
        platform::win32::systemFunction<decltype(CommDlgExtendedError)>("comdlg32.dll",
                                                                        "CommDlgExtendedError");
    if (!getOpenFileName || !extendedError)
        return false;
    BOOL chosen = getOpenFileName(&request);
    // A field holding no valid file name would keep the dialog from opening at all;
    // the user still gets to browse, from an empty name.
    if (!chosen && extendedError() == FNERR_INVALIDFILENAME) {
        file.assign(file.size(), '\0');
        chosen = getOpenFileName(&request);
    }
    if (!chosen)
        return false;
    dialog.fileName = file.data();
    dialog.filterIndex = static_cast<int>(request.nFilterIndex);
    return true;
}

} // namespace korimba::ui::win32
