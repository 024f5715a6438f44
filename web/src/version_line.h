#pragma once

#include <string>
#include <string_view>

#include "zemkari/design/window.h"

namespace zemkari::web {

// The line with the game's name and version, as the window shows it; the page shows it
// and its font holds its characters.
inline std::string VersionLine(std::string_view version) {
    std::string line(design::kWindowTitle);
    line.append(1, ' ').append(version);
    return line;
}

}  // namespace zemkari::web
