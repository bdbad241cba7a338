#include "fakes/ProgramFixture.h"

#include "app/Program.h"

namespace korimba::fakes {

void ProgramFixture::writeLines(const std::string& relativeName,
                                const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    platform.files.addFile(file(relativeName), text);
}

std::string ProgramFixture::content(const std::string& relativeName) const {
    return platform.files.fileContent(file(relativeName));
}

void ProgramFixture::setArguments(std::vector<std::string> arguments) {
    platform.process.setArguments(std::move(arguments));
}

bool ProgramFixture::start() {
    application = std::make_unique<ui::Application>(platform.bundle(), backend);
    return app::createWindows(*application);
}

void ProgramFixture::startAndShow() {
    if (start())
        application->run();
}

std::string tinyBitmap() {
    std::string image = {'B', 'M'};
    auto put = [&image](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            image += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(58, 4);    // file size
    put(0, 4);     // reserved
    put(54, 4);    // pixel offset
    put(40, 4);    // info header size
    put(1, 4);     // width
    put(1, 4);     // height
    put(1, 2);     // planes
    put(24, 2);    // bits per pixel
    put(0, 4 * 6); // no compression, sizes, resolutions, colours
    put(0x00FF00, 4);
    return image;
}

} // namespace korimba::fakes
