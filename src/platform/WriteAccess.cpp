#include "platform/WriteAccess.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korimba::platform {

namespace {

using Rights = std::uint32_t;

// What lets someone else put their program in place of ours: writing or
// appending to the file (adding files to the folder), deleting or renaming it
// or what is inside it, and changing its access list or owner.
constexpr Rights kFileWriteData = 0x2;  // a folder's add-file
constexpr Rights kFileAppendData = 0x4; // a folder's add-subfolder
constexpr Rights kFileDeleteChild = 0x40;
constexpr Rights kDelete = 0x10000;
constexpr Rights kWriteDac = 0x40000;
constexpr Rights kWriteOwner = 0x80000;
constexpr Rights kChanging =
    kFileWriteData | kFileAppendData | kFileDeleteChild | kDelete | kWriteDac | kWriteOwner;

// Generic rights as files map them.
constexpr Rights kGenericAll = 0x10000000;
constexpr Rights kGenericWrite = 0x40000000;
constexpr Rights kFileAllAccess = 0x1F01FF;
constexpr Rights kFileGenericWrite = 0x120116;

struct RightCode {
    std::string_view code;
    Rights rights;
};

constexpr std::array<RightCode, 25> kRightCodes{{
    {"GA", kGenericAll},   {"GR", 0x80000000},
    {"GW", kGenericWrite}, {"GX", 0x20000000},
    {"RC", 0x20000},       {"SD", kDelete},
    {"WD", kWriteDac},     {"WO", kWriteOwner},
    {"RP", 0x10},          {"WP", 0x20},
    {"CC", 0x1},           {"DC", 0x2},
    {"LC", 0x4},           {"SW", 0x8},
    {"LO", 0x80},          {"DT", 0x40},
    {"CR", 0x100},         {"FA", kFileAllAccess},
    {"FR", 0x120089},      {"FW", kFileGenericWrite},
    {"FX", 0x1200A0},      {"KA", 0xF003F},
    {"KR", 0x20019},       {"KW", 0x20006},
    {"KX", 0x20019},
}};

constexpr std::array<std::string_view, 5> kTrustedSids{
    "SY",
    "S-1-5-18", // SYSTEM
    "BA",
    "S-1-5-32-544",                                                   // Administrators
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", // TrustedInstaller
};
// The owner's rights and the owner of what is made inside: the owner is checked apart.
constexpr std::array<std::string_view, 4> kOwnerSids{"OW", "S-1-3-4", "CO", "S-1-3-0"};

bool sameSid(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

template <std::size_t N>
bool among(std::string_view sid, const std::array<std::string_view, N>& sids) {
    for (std::string_view known : sids)
        if (sameSid(sid, known))
            return true;
    return false;
}

bool trustedOwner(std::string_view sid, std::string_view userSid) {
    return (!userSid.empty() && sameSid(sid, userSid)) || among(sid, kTrustedSids);
}

bool trusted(std::string_view sid, std::string_view userSid) {
    return trustedOwner(sid, userSid) || among(sid, kOwnerSids);
}

// Inherit-only entries are for what is made inside, not for the object itself.
bool inheritOnly(std::string_view flags) {
    for (std::size_t i = 0; i + 1 < flags.size(); i += 2)
        if (flags.substr(i, 2) == "IO")
            return true;
    return false;
}

// The generic rights replaced by what they mean for files.
Rights specific(Rights rights) {
    if (rights & kGenericAll)
        rights |= kFileAllAccess;
    if (rights & kGenericWrite)
        rights |= kFileGenericWrite;
    return rights;
}

std::optional<Rights> parseRights(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        Rights value = 0;
        const auto digits = text.substr(2);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
            return std::nullopt;
        return specific(value);
    }
    if (text.size() % 2 != 0)
        return std::nullopt;
    Rights rights = 0;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        bool known = false;
        for (const RightCode& code : kRightCodes)
            if (text.substr(i, 2) == code.code) {
                rights |= code.rights;
                known = true;
            }
        if (!known)
            return std::nullopt;
    }
    return specific(rights);
}

std::vector<std::string_view> fields(std::string_view ace) {
    std::vector<std::string_view> result;
    while (true) {
        const auto semicolon = ace.find(';');
        result.push_back(ace.substr(0, semicolon));
        if (semicolon == std::string_view::npos)
            return result;
        ace.remove_prefix(semicolon + 1);
    }
}

// A component "X:" at the top level, not inside an entry: its text up to the
// next component.
std::optional<std::string_view> component(std::string_view descriptor, char tag) {
    int depth = 0;
    std::optional<std::size_t> start;
    for (std::size_t i = 0; i < descriptor.size(); ++i) {
        const char c = descriptor[i];
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        else if (depth == 0 && i + 1 < descriptor.size() && descriptor[i + 1] == ':' &&
                 (c == 'O' || c == 'G' || c == 'D' || c == 'S')) {
            if (start)
                return descriptor.substr(*start, i - *start);
            if (c == tag)
                start = i + 2;
            ++i;
        }
    }
    if (start)
        return descriptor.substr(*start);
    return std::nullopt;
}

} // namespace

bool onlyUserMayChange(std::string_view descriptor, std::string_view userSid) {
    const auto owner = component(descriptor, 'O');
    if (!owner || !trustedOwner(*owner, userSid))
        return false;
    const auto dacl = component(descriptor, 'D');
    if (!dacl || dacl->find("NO_ACCESS_CONTROL") != std::string_view::npos)
        return false;

    std::map<std::string, Rights, std::less<>> denied;
    std::string_view rest = dacl->substr(std::min(dacl->find('('), dacl->size()));
    while (!rest.empty()) {
        const auto close = rest.find(')');
        if (rest.front() != '(' || close == std::string_view::npos)
            return false;
        const std::vector<std::string_view> ace = fields(rest.substr(1, close - 1));
        rest.remove_prefix(close + 1);
        if (ace.size() < 6)
            return false;
        const std::string_view type = ace[0], flags = ace[1], sid = ace[5];
        const auto rights = parseRights(ace[2]);
        if (!rights)
            return false;
        if (inheritOnly(flags))
            continue;
        if (type == "D") {
            denied[std::string(sid)] |= *rights;
        } else if (type == "A" || type == "OA" || type == "XA" || type == "ZA") {
            if (trusted(sid, userSid))
                continue;
            Rights left = *rights & kChanging;
            if (const auto own = denied.find(sid); own != denied.end())
                left &= ~own->second;
            if (const auto everyone = denied.find("WD"); everyone != denied.end())
                left &= ~everyone->second;
            if (const auto everyone = denied.find("S-1-1-0"); everyone != denied.end())
                left &= ~everyone->second;
            if (left)
                return false;
        }
    }
    return true;
}

} // namespace korimba::platform
