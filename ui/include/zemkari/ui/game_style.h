#pragma once

#include <QProxyStyle>

namespace zemkari::ui {

// Fusion, with group boxes drawn the way the window's layout was made for: a plain
// etched frame over the button face whose top line runs through the middle of the
// caption, the caption 8 pixels in. Fusion's shaded interior would show the labels'
// and the chart's own button-face background as lighter boxes, and its frame below
// the caption would run under the chart.
class GameStyle final : public QProxyStyle {
public:
    GameStyle();

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

}  // namespace zemkari::ui
