#pragma once
// The desktop of the window tests: no windows. Tests answer message boxes,
// drive modal dialogs and the open-file dialog with callbacks, and see what was shown.
#include "ui/Backend.h"
#include "ui/CustomControl.h"
#include "ui/Form.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
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
    void destroyForm(ui::Form& form) override { ++formsDestroyed[form.name()]; }
    void releaseForm(ui::Form& form) override { released.push_back(&form); }
    void applicationEnding() override {}
    void parentChanged(ui::Control& control) override { ++reparented[&control]; }
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

    void invalidate(ui::Control& control) override { ++invalidated[&control]; }
    void repaint(ui::Control& control) override { ++repainted[&control]; }
    void recreateWindow(ui::CustomControl& control) override;
    void setCapture(ui::Control& control) override { captured = &control; }
    void releaseCapture(ui::Control& control) override;
    bool hasCapture(ui::Control& control) override { return captured == &control; }
    void cancelCaptureMode() override;
    void trackPointerLeave(ui::CustomControl& control) override { tracking = &control; }
    void postToSelf(ui::CustomControl& control, unsigned message) override;
    void processMessages() override;
    ui::PendingMessage peekMessage() override;
    void handleMessage() override;
    void systemMove(ui::Form& form) override;
    void cancelMode(ui::Control& control) override;
    ui::Point screenSize() override { return screenArea; }
    void discardMouseMessages() override { ++mouseMessagesDiscarded; }
    ui::Point cursorPos() override { return cursor; }
    void screenToClient(ui::Control& control, int& x, int& y) override;
    bool isActive(ui::Form& form) override;
    void bringToFront(ui::Form& form) override { broughtToFront.push_back(form.name()); }
    ui::Raster parentPixels(ui::Control& control) override;
    ui::Rgb systemColor(ui::Color color) override;
    bool endEllipsisAvailable() override { return true; }
    void accessibleEvent(ui::Control& control, ui::AccessibleEvent event) override {
        accessibleEvents.push_back({&control, event});
    }

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

    std::vector<std::pair<const ui::Control*, ui::AccessibleEvent>> accessibleEvents;
    // The control's events since the last call, in order.
    std::vector<ui::AccessibleEvent> takeAccessibleEvents(const ui::Control& control) {
        std::vector<ui::AccessibleEvent> events;
        for (const auto& [source, event] : accessibleEvents)
            if (source == &control)
                events.push_back(event);
        std::erase_if(accessibleEvents, [&](const auto& told) { return told.first == &control; });
        return events;
    }

    int minimized = 0;
    bool terminated = false;

    // A pointer for the custom controls. It moves in screen coordinates (the
    // headless screen adds up the lefts and tops); its messages go to the
    // capture holder, else to the custom control under it.
    void pointTo(ui::Control& control, int x, int y);
    // Far from every control.
    void pointAway();
    void leftDown(unsigned shift = 0);
    void leftUp(unsigned shift = 0);
    void leftDoubleClick(unsigned shift = 0);
    void rightUp(unsigned shift = 0);
    ui::CustomControl* customAt(ui::Point screen);

    // What a loop of its own (peekMessage, handleMessage) finds in the queue,
    // in order, after the posted messages and released forms. A loop that
    // finds nothing left sees a quit, as at the end of the program. What a loop
    // that ended early left here never ran: a test that queues checks sees
    // the queue empty at its end.
    struct Input {
        ui::PendingMessage kind;
        std::function<void()> action;
        // Where the pointer is by the time a click can be peeked at.
        std::optional<ui::Point> at;
    };
    std::deque<Input> inputs;
    // A left click at a screen point: the pointer is there when it is peeked at.
    void queueClick(ui::Point screen);
    // Anything else the user does meanwhile (a move, a check of the state).
    void queue(std::function<void()> action);
    int quitsSeen = 0;

    // The system's move of a form: runs whileSystemMove, in which the test drags
    // the form with dragFormTo; a cancelled move takes no more drags.
    std::function<void(ui::Form&)> whileSystemMove;
    void dragFormTo(ui::Form& form, int left, int top);
    int systemMoves = 0;
    bool moveCancelled = false;
    ui::Form* moving = nullptr;
    // Another program's window comes to the front, or ours again (WM_ACTIVATEAPP).
    void setApplicationActive(bool active);

    ui::Point screenArea{1024, 768};
    std::vector<ui::Form*> released;
    std::map<std::string, int> formsDestroyed;
    std::map<const ui::Control*, int> reparented;

    ui::Point cursor{-1000, -1000};
    ui::Control* captured = nullptr;
    ui::CustomControl* hovered = nullptr;
    ui::CustomControl* tracking = nullptr;
    int cancelModes = 0;
    int mouseMessagesDiscarded = 0;
    std::vector<std::string> broughtToFront;
    std::map<const ui::Control*, int> invalidated;
    std::map<const ui::Control*, int> repainted;
    std::map<const ui::Control*, int> recreated;
    std::deque<std::pair<ui::CustomControl*, unsigned>> postedMessages;
    // What the parents paint, in screen coordinates: what transparent controls show.
    ui::Raster parentPicture;
    // System colours that differ from the classic scheme, as after the user
    // changed them (the raster canvas itself keeps drawing the classic ones).
    std::map<ui::Color, ui::Rgb> systemColors;

private:
    bool freeReleased();
    void sendPointer(ui::CustomControl* target, ui::MouseButton button, unsigned shift, bool down,
                     bool doubleClick);
};

// A drop of files as the shell hands it over; counts its releases.
class FakeDrop final : public ui::DroppedFiles {
public:
    explicit FakeDrop(std::vector<std::string> names) : names_(std::move(names)) {}
    int count() override { return static_cast<int>(names_.size()); }
    std::string name(int index) override { return names_.at(static_cast<std::size_t>(index)); }
    void finish() override { ++finished; }
    int finished = 0;

private:
    std::vector<std::string> names_;
};

} // namespace korimba::fakes
