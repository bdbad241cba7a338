#pragma once
#include "ui/Control.h"

#include <memory>
#include <string>
#include <vector>

namespace korimba::ui {

// A menu item: a caption ("-" for a separator), a click handler, or a submenu.
class MenuItem {
public:
    MenuItem(std::string name, std::string caption);
    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    bool separator() const { return caption_ == "-"; }
    MenuItem& add(std::string name, std::string caption);
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    MenuItem* find(const std::string& name);
    // What choosing the item does; runs through the dispatcher.
    void click();
    Event OnClick;

private:
    std::string name_;
    std::string caption_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class PopupMenu {
public:
    explicit PopupMenu(std::string name) : root_(std::move(name), "") {}
    const std::string& name() const { return root_.name(); }
    MenuItem& add(std::string name, std::string caption) {
        return root_.add(std::move(name), std::move(caption));
    }
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return root_.items(); }
    MenuItem* find(const std::string& name) { return root_.find(name); }
    // Shows the menu at a screen point and returns when it has closed; the chosen
    // item's handler has run by then.
    void popup(int screenX, int screenY);

private:
    MenuItem root_;
};

} // namespace korimba::ui
