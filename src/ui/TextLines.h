#pragma once
// A list of text lines, as a multi-line edit without word wrap holds them: the
// form in which every line file is read and written and every script composed.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korimba::ui {

class TextLines {
public:
    TextLines() = default;
    TextLines(std::initializer_list<std::string> lines) : lines_(lines) {}
    explicit TextLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // Replaces the whole content. CR LF, LF and CR each end a line; a final
    // line break adds no empty line after it.
    void setText(std::string_view text);
    // The saved form: every line followed by CR LF, the last one too.
    std::string text() const;

    void add(std::string line) { lines_.push_back(std::move(line)); }
    void clear() { lines_.clear(); }
    std::size_t count() const { return lines_.size(); }

    // Line by position from 0; "" past the last line, never an error, since
    // every reader of a short or missing file relies on that. A copy, so a
    // change handler that reuses the buffer cannot pull it away.
    std::string line(std::size_t index) const;
    // Line by number as the files count them, from 1; "" for 0 or past the end.
    std::string numberedLine(std::size_t number) const;

    const std::vector<std::string>& lines() const { return lines_; }

    bool operator==(const TextLines&) const = default;

private:
    std::vector<std::string> lines_;
};

} // namespace korimba::ui
