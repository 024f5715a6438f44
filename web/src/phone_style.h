#pragma once

#include <string>

namespace zemkari::web {

// The page's margin, and its style sheet for a screen too small for the window at full
// size: the phone arrangements of the design (zemkari/design/phone.h) under media
// queries. Where the window fits, none of it applies and the page is the window.
std::string PhoneStyle();

}  // namespace zemkari::web
