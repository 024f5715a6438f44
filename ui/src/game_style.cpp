#include "zemkari/ui/game_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace zemkari::ui {
namespace {

constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 2;  // the frame line stops this far from the caption

void DrawEtchedFrame(QPainter& painter, const QRect& frame, const QPalette& palette) {
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette.color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
}

}  // namespace

GameStyle::GameStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void GameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                   const QWidget* widget) const {
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !group || (group->subControls & SC_GroupBoxCheckBox)) {
        return QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    const QFontMetrics& metrics = group->fontMetrics;
    const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(group->text), metrics.height());
    const QRect frame = group->rect.adjusted(0, metrics.height() / 2, -1, -1);

    painter->save();
    if (!group->text.isEmpty()) {
        painter->setClipRegion(
            QRegion(group->rect).subtracted(caption.adjusted(-kCaptionPadding, 0, kCaptionPadding, 0)));
    }
    DrawEtchedFrame(*painter, frame, group->palette);
    painter->restore();
    proxy()->drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic, group->palette,
                          group->state & State_Enabled, group->text, QPalette::WindowText);
}

}  // namespace zemkari::ui
