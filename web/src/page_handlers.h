#pragma once

#include <string_view>

#include "zemkari/design/controls.h"

// The page's event handlers: what the window does on a click or a tick, exported from
// the WebAssembly module for the page's module to call.
extern "C" {
// A click on the button of index `button` (zemkari::ButtonId).
void OnClick(int button);
// A tick of the market clock.
void OnTick();
}

namespace zemkari::web {
void Click(ButtonId button);
void TickOnce();
}  // namespace zemkari::web

// The name a handler is exported under: its own, checked by the compiler to name one.
#define ZEMKARI_EXPORT_NAME(handler) (static_cast<void>(sizeof(&(handler))), std::string_view(#handler))
