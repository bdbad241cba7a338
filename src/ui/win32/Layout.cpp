#include "ui/win32/Layout.h"

#include "ui/Controls.h"

#include <algorithm>

namespace korimba::ui::win32 {

namespace {

int bevelWidth(const Control& container) {
    if (container.kind() != ControlKind::Panel)
        return 0;
    return static_cast<const Panel&>(container).bevelOuter() == BevelOuter::None ? 0 : 1;
}

} // namespace

Rect alignmentArea(const Control& container, int clientWidth, int clientHeight) {
    const int inset = bevelWidth(container);
    return Rect{inset, inset, std::max(0, clientWidth - 2 * inset),
                std::max(0, clientHeight - 2 * inset)};
}

std::vector<Rect> arrangeChildren(const Control& container, const Rect& area) {
    const auto& children = container.children();
    std::vector<Rect> placed;
    placed.reserve(children.size());
    for (const Control* child : children)
        placed.push_back(child->bounds());

    Rect free = area;
    auto share = [&](Align which, auto&& take) {
        for (std::size_t i = 0; i < children.size(); ++i)
            if (children[i]->align() == which && children[i]->visible())
                placed[i] = take(*children[i]);
    };
    share(Align::Top, [&](const Control& child) {
        const int height = std::min(child.height(), free.height);
        const Rect rect{free.left, free.top, free.width, height};
        free.top += height;
        free.height -= height;
        return rect;
    });
    share(Align::Left, [&](const Control& child) {
        const int width = std::min(child.width(), free.width);
        const Rect rect{free.left, free.top, width, free.height};
        free.left += width;
        free.width -= width;
        return rect;
    });
    share(Align::Client, [&](const Control&) { return free; });
    return placed;
}

std::vector<Rect> shownPlaces(const Control& container, int clientWidth, int clientHeight,
                              const Scale& scale) {
    std::vector<Rect> placed = arrangeChildren(
        container, alignmentArea(container, scale.design(clientWidth), scale.design(clientHeight)));
    for (Rect& rect : placed)
        rect = scale.device(rect);
    return placed;
}

} // namespace korimba::ui::win32
