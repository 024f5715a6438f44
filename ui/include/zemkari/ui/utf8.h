#pragma once

#include <QString>
#include <string_view>

namespace zemkari::ui {

// The game's texts are UTF-8 views; Qt wants them as QStrings.
inline QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zemkari::ui
