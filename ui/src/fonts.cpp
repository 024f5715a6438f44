#include "zemkari/ui/fonts.h"

#include <QStringList>

namespace zemkari::ui {

QFont GameFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

}  // namespace zemkari::ui
