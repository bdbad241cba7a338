#pragma once
// A whole program on the fake platform and the headless desktop: set up files,
// arguments and win.ini first, then start() creates every window in order.
#include "fakes/FakePlatform.h"
#include "fakes/HeadlessBackend.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace korimba::fakes {

class ProgramFixture : public ::testing::Test {
protected:
    FakePlatform platform;
    HeadlessBackend backend;
    std::unique_ptr<ui::Application> application;

    // The program folder, "C:\Korimba\".
    std::string folder() const { return platform.programFolder(); }
    std::string file(const std::string& relativeName) const { return folder() + relativeName; }
    // Writes a file of the program folder from lines, CR LF after each.
    void writeLines(const std::string& relativeName, const std::vector<std::string>& lines);
    std::string content(const std::string& relativeName) const;
    void setArguments(std::vector<std::string> arguments);
    // Creates the windows; does not show the main window. False when the
    // program refused to start (its folder cannot be written).
    bool start();
    // Creates the windows and runs the message loop's start: the main window shows and activates.
    void startAndShow();
};

// The smallest valid .bmp file image: a 1 x 1 pixel, 24 bits.
std::string tinyBitmap();

} // namespace korimba::fakes
