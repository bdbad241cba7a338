// The resources of the program folder's programs, read back as Windows reads
// them: the version block Explorer shows, the one manifest the loader applies,
// and korimba.exe's icon beside the about box's picture it is drawn from.
#include "TestSupport.h"
#include "app/AboutForm.h"
#include "app/AboutIcon.h"
#include "ui/Raster.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace korimba;

namespace {

struct Program {
    const char* file;
    const char* description;
    const char* comments; // nullptr: none
};

const Program kPrograms[] = {
    {"korimba.exe", "Korimba WAV and MP3 converter", nullptr},
    {"Message.exe", "Korimba end-of-job notice", nullptr},
    {"Cleaner.exe", "Korimba clean-up after an interrupted job", nullptr},
    {"l3enc.exe", "Korimba encoder, WAV to MP3", "contains LAME 3.100, GNU LGPL"},
    {"l3dec.exe", "Korimba decoder, MP3 to WAV", "contains libmpg123 1.31, GNU LGPL"},
};

std::string programPath(const char* file) {
    return support::besideThisProgram(file);
}

// A program loaded for its resources only; none of its code runs.
class DataFile {
public:
    explicit DataFile(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataFile() {
        if (module_)
            FreeLibrary(module_);
    }
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    HMODULE module() const { return module_; }

    // The resource's bytes; nullopt when there is none.
    std::optional<std::string> resource(LPCSTR type, LPCSTR name) const {
        HRSRC found = FindResourceA(module_, name, type);
        if (!found)
            return std::nullopt;
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* bytes = static_cast<const char*>(LockResource(loaded));
        return std::string(bytes, SizeofResource(module_, found));
    }

    // Names of a type's resources, "#<id>" for numbered ones, in the file's order.
    std::vector<std::string> names(LPCSTR type) const {
        std::vector<std::string> found;
        EnumResourceNamesA(module_, type, addName, reinterpret_cast<LONG_PTR>(&found));
        return found;
    }

    std::vector<WORD> languages(LPCSTR type, LPCSTR name) const {
        std::vector<WORD> found;
        EnumResourceLanguagesA(module_, type, name, addLanguage,
                               reinterpret_cast<LONG_PTR>(&found));
        return found;
    }

private:
    static BOOL CALLBACK addName(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
        std::string text = IS_INTRESOURCE(name) ? "#" : name;
        if (IS_INTRESOURCE(name))
            text += std::to_string(reinterpret_cast<ULONG_PTR>(name));
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(text);
        return TRUE;
    }
    static BOOL CALLBACK addLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) {
        reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
        return TRUE;
    }

    HMODULE module_;
};

// The version block as the system's version calls see it.
class VersionBlock {
public:
    explicit VersionBlock(const std::string& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0)
            return;
        data_.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, data_.data()))
            data_.clear();
    }
    bool empty() const { return data_.empty(); }

    std::optional<std::string> string(const std::string& key) const {
        const auto value = query("\\StringFileInfo\\040904B0\\" + key);
        if (!value)
            return std::nullopt;
        // The length counts the terminating zero.
        return std::string(static_cast<const char*>(value->data),
                           value->length > 0 ? value->length - 1 : 0);
    }
    VS_FIXEDFILEINFO fixed() const {
        VS_FIXEDFILEINFO info = {};
        if (auto value = query("\\"); value && value->length == sizeof info)
            std::memcpy(&info, value->data, sizeof info);
        return info;
    }
    // Language and code page pairs, each as (code page << 16 | language).
    std::vector<DWORD> translations() const {
        std::vector<DWORD> pairs;
        if (auto value = query("\\VarFileInfo\\Translation"))
            for (UINT at = 0; at + 4 <= value->length; at += 4) {
                const auto* words = static_cast<const WORD*>(value->data) + at / 2;
                pairs.push_back(static_cast<DWORD>(words[1]) << 16 | words[0]);
            }
        return pairs;
    }

private:
    struct Value {
        const void* data;
        UINT length;
    };
    std::optional<Value> query(const std::string& path) const {
        void* data = nullptr;
        UINT length = 0;
        if (data_.empty() ||
            !VerQueryValueA(const_cast<char*>(data_.data()), path.c_str(), &data, &length))
            return std::nullopt;
        return Value{data, length};
    }
    std::vector<char> data_;
};

std::string fileStem(const std::string& file) {
    return file.substr(0, file.rfind('.'));
}

// Every occurrence of an element's start tag, "<name ... >", in a text.
std::vector<std::string> elements(const std::string& text, const std::string& name) {
    std::vector<std::string> found;
    const std::string opening = "<" + name + " ";
    for (auto at = text.find(opening); at != std::string::npos; at = text.find(opening, at + 1))
        found.push_back(text.substr(at, text.find('>', at) + 1 - at));
    return found;
}

TEST(VersionResource, NamesTheProductItsVersionAndEachProgram) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.file);
        const VersionBlock block(programPath(program.file));
        ASSERT_FALSE(block.empty());
        EXPECT_EQ(block.string("ProductName"), "Korimba");
        EXPECT_EQ(block.string("ProductVersion"), "2.1.5");
        EXPECT_EQ(block.string("FileVersion"), "2.1.5");
        EXPECT_EQ(block.string("FileDescription"), program.description);
        EXPECT_EQ(block.string("InternalName"), fileStem(program.file));
        EXPECT_EQ(block.string("OriginalFilename"), program.file);
        EXPECT_EQ(block.string("LegalCopyright"), "Copyright (C) 2026 the Korimba developers");
        if (program.comments)
            EXPECT_EQ(block.string("Comments"), program.comments);
        else
            EXPECT_EQ(block.string("Comments"), std::nullopt);
        // US English, Unicode strings: the block the strings above were found in.
        EXPECT_EQ(block.translations(), std::vector<DWORD>{1200u << 16 | 0x0409});
    }
}

TEST(VersionResource, NumbersAreTheVersionOfAnApplicationForWindowsNT) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.file);
        const VS_FIXEDFILEINFO info = VersionBlock(programPath(program.file)).fixed();
        EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(info.dwFileVersionMS, 0x00020001u);
        EXPECT_EQ(info.dwFileVersionLS, 0x00050000u);
        EXPECT_EQ(info.dwProductVersionMS, 0x00020001u);
        EXPECT_EQ(info.dwProductVersionLS, 0x00050000u);
        EXPECT_EQ(info.dwFileFlags & info.dwFileFlagsMask, 0u);
        EXPECT_EQ(info.dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
        EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
    }
}

TEST(VersionResource, IsTheVersionTheAboutBoxShows) {
    const app::TForm4 about;
    EXPECT_EQ(about.Label6.caption(),
              "Version: " +
                  VersionBlock(programPath("korimba.exe")).string("ProductVersion").value_or(""));
}

TEST(Manifest, EveryProgramHasOneLanguageNeutralManifestOnly) {
    // A toolchain's own default manifest must not have come in beside ours.
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.file);
        const DataFile file(programPath(program.file));
        ASSERT_NE(file.module(), nullptr);
        EXPECT_EQ(file.names(RT_MANIFEST), std::vector<std::string>{"#1"});
        EXPECT_EQ(file.languages(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID),
                  std::vector<WORD>{0});
    }
}

TEST(Manifest, RunsAsInvokerInUtf8AwareOfTheScaleOnEverySystemWithTheClassicControls) {
    std::optional<std::string> first;
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.file);
        const DataFile file(programPath(program.file));
        const std::optional<std::string> manifest =
            file.resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
        ASSERT_TRUE(manifest);
        EXPECT_EQ(
            manifest->rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>", 0),
            0u);
        EXPECT_EQ(elements(*manifest, "requestedExecutionLevel"),
                  std::vector<std::string>{
                      "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"});
        // Vista, 7, 8, 8.1, and 10 and 11.
        EXPECT_EQ(elements(*manifest, "supportedOS"),
                  (std::vector<std::string>{
                      "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",
                      "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",
                      "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",
                      "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",
                      "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"}));
        const std::string utf8 = "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/"
                                 "WindowsSettings\">UTF-8</activeCodePage>";
        EXPECT_EQ(elements(*manifest, "activeCodePage"),
                  std::vector<std::string>{utf8.substr(0, utf8.find('>') + 1)});
        EXPECT_NE(manifest->find(utf8), std::string::npos);
        for (const char* awareness :
             {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
              "true/pm</dpiAware>",
              "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
              "PerMonitorV2, PerMonitor</dpiAwareness>"})
            EXPECT_NE(manifest->find(awareness), std::string::npos) << awareness;
        // Depending on no assembly keeps version 5 of the common controls.
        EXPECT_EQ(manifest->find("<dependency"), std::string::npos);
        EXPECT_EQ(manifest->find("Common-Controls"), std::string::npos);
        if (first)
            EXPECT_EQ(*manifest, *first) << "every program carries the same manifest";
        else
            first = manifest;
    }
}

TEST(Manifest, TheLoaderAcceptsIt) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.file);
        const std::string path = programPath(program.file);
        ACTCTXA context = {};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = path.c_str();
        context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
        HANDLE made = CreateActCtxA(&context);
        EXPECT_NE(made, INVALID_HANDLE_VALUE) << "error " << GetLastError();
        if (made != INVALID_HANDLE_VALUE)
            ReleaseActCtx(made);
    }
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<GroupEntry> groupEntries(const std::string& group) {
    std::vector<GroupEntry> entries;
    WORD count = 0;
    std::memcpy(&count, group.data() + 4, sizeof count);
    for (WORD i = 0; i < count; ++i) {
        GroupEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        entries.push_back(entry);
    }
    return entries;
}

class ApplicationIcon : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(korimba.module(), nullptr);
        auto found = korimba.resource(RT_GROUP_ICON, "MAINICON");
        ASSERT_TRUE(found);
        group = *found;
    }

    // The icon's image for a size, as the system picks it from the group.
    std::string image(int size) {
        const int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE,
                                                   size, size, LR_DEFAULTCOLOR);
        return korimba.resource(RT_ICON, MAKEINTRESOURCEA(id)).value_or("");
    }

    // The icon drawn by the system onto a square of a colour.
    ui::Raster drawn(int size, ui::Rgb background) {
        std::string bits = image(size);
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(bits.data()),
                                              static_cast<DWORD>(bits.size()), TRUE, 0x00030000,
                                              size, size, LR_DEFAULTCOLOR);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP surface = CreateCompatibleBitmap(screen, size, size);
        ReleaseDC(nullptr, screen);
        HGDIOBJ previous = SelectObject(dc, surface);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all{0, 0, size, size};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        ui::Raster pixels(size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                pixels.set(x, y, GetPixel(dc, x, y) & 0xFFFFFF);
        SelectObject(dc, previous);
        DeleteObject(surface);
        DeleteDC(dc);
        DestroyIcon(icon);
        return pixels;
    }

    DataFile korimba{programPath("korimba.exe")};
    std::string group;
};

TEST_F(ApplicationIcon, IsTheOnlyIconGroupWith16And32And48PixelImagesOf16Colours) {
    // The only group is the first, the one Explorer shows.
    EXPECT_EQ(korimba.names(RT_GROUP_ICON), std::vector<std::string>{"MAINICON"});
    std::vector<int> sizes;
    for (const GroupEntry& entry : groupEntries(group)) {
        SCOPED_TRACE(entry.width);
        sizes.push_back(entry.width);
        EXPECT_EQ(entry.height, entry.width);
        EXPECT_EQ(entry.colourCount, 16);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 4);
        // The image itself: colours and mask one above the other, 4 bits a pixel.
        const std::string bits = korimba.resource(RT_ICON, MAKEINTRESOURCEA(entry.id)).value_or("");
        ASSERT_GE(bits.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, bits.data(), sizeof header);
        EXPECT_EQ(header.biWidth, entry.width);
        EXPECT_EQ(header.biHeight, 2 * entry.width);
        EXPECT_EQ(header.biBitCount, 4);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(bits.size(), entry.bytes);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

TEST_F(ApplicationIcon, IsTheAboutBoxPictureWithItsGreyTransparent) {
    // The 16 and 48 pixel images take the picture's pixel nearest to each of theirs.
    const ui::Raster picture = ui::decodeBitmap(app::aboutIcon());
    ASSERT_EQ(picture.width(), 32);
    const ui::Rgb grey = ui::rgb(0xBC, 0xBC, 0xBC);
    for (int size : {16, 32, 48}) {
        for (ui::Rgb background : {ui::rgb(255, 0, 255), ui::rgb(0, 255, 0)}) {
            SCOPED_TRACE(testing::Message() << size << " pixels on " << std::hex << background);
            const ui::Raster icon = drawn(size, background);
            int transparent = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const ui::Rgb colour =
                        picture.at((2 * x + 1) * 32 / (2 * size), (2 * y + 1) * 32 / (2 * size));
                    const ui::Rgb expected = colour == grey ? background : colour;
                    transparent += colour == grey;
                    ASSERT_EQ(icon.at(x, y), expected) << "(" << x << ", " << y << ")";
                }
            // The note is on a grey square: the most of it shows the background.
            EXPECT_GT(transparent, size * size / 2);
        }
    }
}

} // namespace

// The setup program the build makes beside the programs, for this tree's
// architecture: its version, and a manifest that asks for no administrator rights.
TEST(SetupProgram, IsAWindowsProgramLikeOurs) {
    const char* arch = sizeof(void*) == 8 ? "x64" : "x86";
    const std::string setup =
        programPath(("korimba-2.1.5-" + std::string(arch) + "-setup.exe").c_str());
    const VersionBlock block(setup);
    EXPECT_EQ(block.string("ProductVersion"), "2.1.5") << setup;
    EXPECT_EQ(block.string("FileDescription"), "Korimba 2.1.5 setup (" + std::string(arch) + ")");
    const std::optional<std::string> manifest =
        DataFile(setup).resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    ASSERT_TRUE(manifest);
    EXPECT_EQ(elements(*manifest, "requestedExecutionLevel"),
              std::vector<std::string>{
                  "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"});
}
