#include "ui/TextLines.h"

#include <algorithm>

namespace korimba::ui {

void TextLines::setText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        const bool crLf = text.substr(end).starts_with("\r\n");
        start = end + (crLf ? 2 : 1);
    }
    lines_ = std::move(lines);
}

std::string TextLines::text() const {
    std::size_t size = 0;
    for (const std::string& line : lines_)
        size += line.size() + 2;
    std::string saved;
    saved.reserve(size);
    for (const std::string& line : lines_) {
        saved += line;
        saved += "\r\n";
    }
    return saved;
}

std::string TextLines::line(std::size_t index) const {
    return index < lines_.size() ? lines_[index] : std::string();
}

std::string TextLines::numberedLine(std::size_t number) const {
    return number == 0 ? std::string() : line(number - 1);
}

} // namespace korimba::ui
