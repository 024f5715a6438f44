#pragma once

#include <cstddef>
#include <string_view>

#include "zemkari/design/controls.h"

// The page's event handlers: what the window does on a click or a tick, exported from
// the WebAssembly module for the page's module to call.
extern "C" {
// A click on the button of index `button` (zemkari::ButtonId).
void OnClick(int button);
// A tick of the market clock.
void OnTick();
// The game's snapshot, into the buffer of SnapshotBuffer; returns its size in bytes.
std::size_t SnapshotGame();
// The buffer snapshots pass through, made `size` bytes long; its address.
char* SnapshotBuffer(std::size_t size);
// Goes on with the game of the snapshot of `size` bytes in the buffer, on the board as
// the snapshot shows it; 1 when it did, 0 when it refused the snapshot and left the game
// as it was.
int ResumeGame(std::size_t size);
}

namespace zemkari::web {
void Click(ButtonId button);
void TickOnce();
std::size_t Snapshot();
char* SnapshotBytes(std::size_t size);
bool Resume(std::size_t size);
}  // namespace zemkari::web

// The name a handler is exported under: its own, checked by the compiler to name one.
#define ZEMKARI_EXPORT_NAME(handler) (static_cast<void>(sizeof(&(handler))), std::string_view(#handler))
