#include "ui/Menu.h"

#include "ui/Application.h"

namespace korimba::ui {

MenuItem::MenuItem(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

MenuItem& MenuItem::add(std::string name, std::string caption) {
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    return *items_.back();
}

MenuItem* MenuItem::find(const std::string& name) {
    for (auto& item : items_) {
        if (item->name() == name)
            return item.get();
        if (MenuItem* inner = item->find(name))
            return inner;
    }
    return nullptr;
}

void MenuItem::click() {
    if (OnClick)
        Application::current().dispatch(OnClick);
}

void PopupMenu::popup(int screenX, int screenY) {
    Application& application = Application::current();
    application.backend().popupMenu(*this, screenX, screenY);
    application.leaveIfTerminated();
}

} // namespace korimba::ui
