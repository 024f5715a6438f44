#include "zemkari/quoted.h"

#include <array>
#include <cstdio>

namespace zemkari {

// Built by appending: GCC 12 at -O2 reports a false -Wrestrict inside `"literal" + std::string&&`.
std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted.append(1, '\\').append(1, c);
        } else if (byte < 0x20 || byte == 0x7f) {
            std::array<char, 5> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02x", static_cast<unsigned>(byte));
            quoted.append(hex.data());
        } else {
            quoted.append(1, c);
        }
    }
    quoted.append(1, '"');
    return quoted;
}

}  // namespace zemkari
