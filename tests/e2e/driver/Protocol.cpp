#include "Protocol.h"

#include <windows.h>

#include <cstdio>

namespace korimba::e2e {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char quotedEscape(char c) {
    switch (c) {
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case '\\':
    case '"':
        return c;
    default:
        return 0;
    }
}

} // namespace

std::vector<Token> tokenize(const std::string& line) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i == line.size())
            break;
        Token token;
        bool quoted = false;
        for (; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
            const char c = line[i];
            if (c == '"') {
                quoted = !quoted;
                token.bare = false;
            } else if (quoted && c == '\\' && i + 1 < line.size() && quotedEscape(line[i + 1])) {
                token.text += quotedEscape(line[++i]);
            } else {
                token.text += c;
            }
        }
        tokens.push_back(token);
    }
    return tokens;
}

std::wstring wideOf(const std::string& ansi) {
    std::wstring wide;
    if (!ansi.empty()) {
        const int length =
            MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
        wide.resize(static_cast<size_t>(length));
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                            length);
    }
    return wide;
}

std::string jsonText(const std::string& ansi) {
    const std::wstring wide = wideOf(ansi);
    std::string out = "\"";
    for (const wchar_t c : wide) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        }
    }
    return out + "\"";
}

JsonObject& JsonObject::raw(const char* key, const std::string& json) {
    if (!body_.empty())
        body_ += ",";
    body_ += jsonText(key) + ":" + json;
    return *this;
}

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + items[i];
    return out + "]";
}

} // namespace korimba::e2e
