#include "settings/VisualPackage.h"

#include "settings/ProgramFiles.h"
#include "ui/Application.h"

namespace korimba::settings {

bool packageEnabled() {
    return system().files.exists(programFile(kPackageMarker));
}

bool packageInstalled() {
    return system().files.exists(programFile(kRightBitmap));
}

ui::Bitmap packageBitmap(const char* relativeName) {
    return ui::Bitmap::load(system().files, programFile(relativeName));
}

void applyPackage(const widgets::WindowFrame& frame) {
    frame.leftPicture.setPicture(packageBitmap(kLeftBitmap));
    frame.fieldsPicture.setPicture(packageBitmap(kRightBitmap));
    for (ui::Panel* panel : {&frame.top, &frame.left, &frame.fields}) {
        // The controls that share the panel's colour (the check boxes) go white
        // with it, rather than stand as grey patches on the picture.
        const ui::Color designed = panel->color();
        panel->setColor(ui::colors::White);
        for (ui::Control* child : panel->children())
            if (child->color() == designed)
                child->setColor(ui::colors::White);
    }
}

} // namespace korimba::settings
