#pragma once

#include <QFont>

namespace zemkari::ui {

// The game's one typeface at a character height in pixels. MS P Gothic is asked for
// first; where it is missing, IPA P Gothic (made to its metrics) and then Noto Sans
// CJK JP stand in, so digits and kana always come from one face.
QFont GameFont(int pixelSize, bool bold = false);

}  // namespace zemkari::ui
