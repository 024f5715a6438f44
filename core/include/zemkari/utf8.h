#pragma once

#include <string_view>

namespace zemkari {

// Whether `text` is well-formed UTF-8: no stray or missing continuation bytes, no
// overlong forms, no UTF-16 surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view text);

}  // namespace zemkari
