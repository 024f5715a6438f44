#pragma once

#include <string>
#include <string_view>

namespace zemkari {

// `text` in double quotes for a message on a terminal: quotes and backslashes are
// escaped with a backslash, control bytes as \xHH, so whatever bytes it holds, the
// message prints as one line and cannot drive the terminal.
std::string Quoted(std::string_view text);

}  // namespace zemkari
