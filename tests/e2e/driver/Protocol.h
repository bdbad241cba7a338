#pragma once
// The driver's line protocol: commands come as shell-like tokens, answers carry
// JSON so that captions with any characters reach the harness intact.
#include <string>
#include <vector>

namespace korimba::e2e {

struct Token {
    std::string text;
    // False when any part was quoted: a quoted "[" is text, not a bracket.
    bool bare = true;
};

// Splits at blanks. Double quotes group; inside them \\ \" \n \r \t are escapes
// and any other backslash stays as it is, so Windows paths survive unescaped.
std::vector<Token> tokenize(const std::string& line);

// Text of the process's code page in UTF-16.
std::wstring wideOf(const std::string& ansi);
// A JSON string literal of ANSI text; non-ASCII goes out as \u escapes.
std::string jsonText(const std::string& ansi);

class JsonObject {
public:
    JsonObject& raw(const char* key, const std::string& json);
    JsonObject& text(const char* key, const std::string& ansi) { return raw(key, jsonText(ansi)); }
    JsonObject& number(const char* key, long long value) { return raw(key, std::to_string(value)); }
    JsonObject& flag(const char* key, bool value) { return raw(key, value ? "true" : "false"); }
    std::string str() const { return "{" + body_ + "}"; }

private:
    std::string body_;
};

std::string jsonArray(const std::vector<std::string>& items);

} // namespace korimba::e2e
