#include "settings/VisualPackage.h"

#include "settings/ProgramFiles.h"
#include "ui/Application.h"

namespace korimba::settings {

namespace {
const platform::FileSystem& files() {
    return ui::Application::current().platform().files;
}
} // namespace

bool packageEnabled() {
    return files().exists(programFile(kPackageMarker));
}

bool packageInstalled() {
    return files().exists(programFile(kRightBitmap));
}

ui::Bitmap packageBitmap(const char* relativeName) {
    return ui::Bitmap::load(files(), programFile(relativeName));
}

} // namespace korimba::settings
