#pragma once
// The desktop of the window tests: no windows. Tests answer message boxes,
// drive modal dialogs and the open-file dialog with callbacks, and see what was shown.
#include "ui/Backend.h"
#include "ui/Form.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace korimba::fakes {

struct ShownMessage {
    ui::MessageKind kind;
    std::string title;
    std::string text;
};

class HeadlessBackend final : public ui::Backend {
public:
    void createForm(ui::Form& form) override;
    void destroyForm(ui::Form&) override {}
    void propertyChanged(ui::Control& control, ui::Property property) override;
    void runModal(ui::Form& form) override;
    void setFocus(ui::Control& control) override;
    void timerChanged(ui::Timer&) override {}
    void popupMenu(ui::PopupMenu& menu, int screenX, int screenY) override;
    bool executeOpenDialog(ui::OpenDialog& dialog) override;
    ui::Answer messageBox(ui::MessageKind kind, const std::string& title,
                          const std::string& text) override;
    void clientToScreen(ui::Control& control, int& x, int& y) override;
    void minimizeApplication() override { ++minimized; }
    void run(ui::Form& mainForm) override;
    void terminate() override { terminated = true; }
    void* handleOf(ui::Form& form) override { return &form; }

    // Answers for the next confirmation boxes, in order; Yes when none is queued.
    std::deque<ui::Answer> answers;
    std::vector<ShownMessage> messages;
    std::vector<std::string> messageTexts() const;
    // What else happens while a message box is up (a close from outside, say).
    std::function<void(const ShownMessage&)> whileMessageShown;

    // What a modal form does while shown, by form name; it should close the form.
    std::map<std::string, std::function<void(ui::Form&)>> onModal;
    std::vector<std::string> modalsShown;

    // What the user does in the open-file dialog; cancels when unset.
    std::function<bool(ui::OpenDialog&)> onOpenDialog;
    // The item to choose when a popup menu shows, by item name; none when empty.
    std::string menuChoice;
    // What else happens while a popup menu is up, before its item is chosen.
    std::function<void()> whileMenuShown;
    std::vector<std::string> menusShown;
    struct Point {
        int x, y;
    };
    Point lastPopupAt{0, 0};

    int minimized = 0;
    bool terminated = false;
};

// A drop of files as the shell hands it over; counts its releases.
class FakeDrop final : public ui::DroppedFiles {
public:
    explicit FakeDrop(std::vector<std::string> names) : names_(std::move(names)) {}
    int count() override { return static_cast<int>(names_.size()); }
    std::string name(int index, int bufferSize) override;
    void finish() override { ++finished; }
    int finished = 0;

private:
    std::vector<std::string> names_;
};

} // namespace korimba::fakes
