// Libraries the program loads only when it needs them.
#include "TestSupport.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using korimba::platform::win32::systemFunction;

namespace {

// The names of the libraries a program file imports, in lower case.
std::vector<std::string> importedLibraries(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), {}};
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(file.data() + dos->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto offsetOf = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i)
            if (rva >= sections[i].VirtualAddress &&
                rva < sections[i].VirtualAddress + sections[i].SizeOfRawData)
                return rva - sections[i].VirtualAddress + sections[i].PointerToRawData;
        return 0;
    };
    const DWORD imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::vector<std::string> names;
    for (auto* entry =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(file.data() + offsetOf(imports));
         entry->Name != 0; ++entry) {
        std::string name = file.data() + offsetOf(entry->Name);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(SystemLibrary, FunctionsComeFromTheSystemFolderOrNotAtAll) {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    HMODULE shell = LoadLibraryA((std::string(folder) + "\\shell32.dll").c_str());
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(systemFunction("shell32.dll", "ShellExecuteA"),
              GetProcAddress(shell, "ShellExecuteA"));
    EXPECT_NE(systemFunction<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA"), nullptr);
    EXPECT_EQ(systemFunction("shell32.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(systemFunction("nosuchlibrary.dll", "ShellExecuteA"), nullptr);
    FreeLibrary(shell);
}

// The shell's and the file dialog's libraries, with all they load, would cost
// every start memory; they are looked up when a job starts or a dialog opens.
TEST(SystemLibrary, TheProgramsStartWithoutTheShellOrTheFileDialog) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(importedLibraries(korimba::support::besideThisProgram("korimba.exe")),
              (Names{"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll"}));
    EXPECT_EQ(importedLibraries(korimba::support::besideThisProgram("Cleaner.exe")),
              (Names{"kernel32.dll", "msvcrt.dll", "user32.dll"}));
}
