#pragma once

#include <QIcon>

namespace zemkari::app {

// The window's icon, in the sizes a title bar and a task switcher draw (every size
// the package installs up to 128 px; app/CMakeLists.txt). A size is read from its
// PNG only when asked for and is not kept: a window system keeps its own copy of
// the icon a window gave it, and offscreen nothing asks at all.
QIcon GameIcon();

}  // namespace zemkari::app
