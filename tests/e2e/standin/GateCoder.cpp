// A stand-in for the end-to-end tests that must see a job stand still at a
// known step: a program NAME.exe in folder F writes F\NAME.waiting (its
// command line), waits until the test creates F\NAME.open, removes both
// (NAME.waiting first, so that a test that has seen NAME.open go never takes
// this run's NAME.waiting for the next one's), and then, given the coders'
// IN OUT, copies IN to OUT. Anything else on its command line is ignored.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string beside(const char* extension) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string name(path, length);
    const std::size_t dot = name.rfind('.');
    return name.substr(0, dot == std::string::npos ? name.size() : dot) + extension;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

int main(int argc, char** argv) {
    const std::string waiting = beside(".waiting");
    const std::string open = beside(".open");
    if (waiting.empty()) {
        std::fputs("gatecoder: cannot tell its own name\n", stderr);
        return 2;
    }
    if (FILE* note = std::fopen(waiting.c_str(), "wb")) {
        std::fputs(GetCommandLineA(), note);
        std::fclose(note);
    } else {
        std::fprintf(stderr, "gatecoder: cannot write %s\n", waiting.c_str());
        return 2;
    }
    while (!exists(open))
        Sleep(10);
    DeleteFileA(waiting.c_str());
    DeleteFileA(open.c_str());
    // The coders' command line: IN OUT, then switches beginning with "-".
    if (argc >= 3 && argv[1][0] != '/' && argv[1][0] != '-')
        return CopyFileA(argv[1], argv[2], FALSE) ? 0 : 1;
    return 0;
}
