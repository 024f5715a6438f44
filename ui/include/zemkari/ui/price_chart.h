#pragma once

#include <QImage>
#include <QWidget>
#include <span>

#include "zemkari/board.h"
#include "zemkari/design/window.h"

namespace zemkari::ui {

// The chart surface. Each drawing goes into a retained image the size of
// the surface; painting only shows that image, so the window system repainting the
// area (after minimising or covering the window) never loses the picture.
class PriceChart final : public QWidget {
public:
    static constexpr int kWidth = design::kChartRect.width;
    static constexpr int kHeight = design::kChartRect.height;

    explicit PriceChart(QWidget* parent);

    // Hatches the surface in its own colour over what it holds, then draws the green
    // line from the first point through the rest.
    void Draw(std::span<const ChartPoint> line);

    // What the surface shows, at the device pixel ratio it is drawn at.
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QColor SurfaceColour() const;
    void Blank();
    void MatchDevicePixelRatio();

    QImage picture_;
};

}  // namespace zemkari::ui
