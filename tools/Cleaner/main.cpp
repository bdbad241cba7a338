// Cleaner.exe: started by Windows from the Run line of win.ini after a restart
// that may have killed a job. It takes its own entry out of Run, keeping
// everything else there, and removes what the killed jobs left in the program
// folder. Running it again, or with nothing to do, changes nothing.
//
// Temp, Temp\LE and Temp\LD lose their files but stay as folders: the jobs
// expect them and recreate them anyway, and an unknown subfolder is left alone.
#include <windows.h>

#include "app/RunHook.h"

#include <string>
#include <vector>

namespace {

const char profileFile[] = "win.ini";

// Values can be far longer than the classic 1023 characters, so the buffer
// grows until the value fits.
std::string readProfile(const char* section, const char* key) {
    for (DWORD size = 1024; size <= (1u << 24); size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length =
            GetPrivateProfileStringA(section, key, "", buffer.data(), size, profileFile);
        if (length < size - 1)
            return std::string(buffer.data(), length);
    }
    return std::string();
}

bool writeProfile(const char* section, const char* key, const std::string& value) {
    return WritePrivateProfileStringA(section, key, value.c_str(), profileFile) != 0;
}

// The short form of an existing path, "" when it does not exist.
std::string shortPath(const std::string& path) {
    std::vector<char> buffer(MAX_PATH);
    while (true) {
        const DWORD length =
            GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length);
    }
}

std::string withTrailingBackslash(const std::string& folder) {
    return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

// The hook is computed as korimba.exe computes it when registering. Only a
// Run that holds it is rewritten, so the user's value is never touched else.
bool restoreRun(const std::string& programFolder) {
    const std::string hookEntry = shortPath(programFolder + "Cleaner.exe");
    const std::string run = readProfile("Windows", "Run");
    if (!korimba::hook::holdsHook(run, hookEntry))
        return true;
    return writeProfile("Windows", "Run", korimba::hook::withoutHook(run, hookEntry)) &&
           writeProfile("Windows", "Korimba", "");
}

void deleteFile(const std::string& path) {
    // A read-only leftover would refuse the deletion.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void deleteFilesIn(const std::string& folder) {
    for (const std::string& name : filesIn(folder))
        deleteFile(folder + name);
}

void removeJobLeftovers(const std::string& programFolder) {
    for (const char* name : {"Encoding.bat", "Decoding.bat", "EncList.dat", "DecList.dat"})
        deleteFile(programFolder + name);
    for (const char* folder : {"Temp\\LE\\", "Temp\\LD\\", "Temp\\"})
        deleteFilesIn(programFolder + folder);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        // The program folder, without its trailing backslash, as korimba.exe wrote it.
        const std::string path = readProfile("Korimba", "Path");
        if (path.empty())
            return 0;
        const std::string programFolder = withTrailingBackslash(path);
        const bool restored = restoreRun(programFolder);
        removeJobLeftovers(programFolder);
        return restored ? 0 : 1;
    } catch (...) {
        return 2;
    }
}
