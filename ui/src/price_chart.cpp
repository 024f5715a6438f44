#include "zemkari/ui/price_chart.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

namespace zemkari::ui {
namespace {

const QColor kLineColour(design::kChartLineColour.red, design::kChartLineColour.green, design::kChartLineColour.blue);

}  // namespace

PriceChart::PriceChart(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    Blank();
}

QColor PriceChart::SurfaceColour() const { return palette().color(QPalette::Button); }

void PriceChart::Blank() {
    const qreal ratio = devicePixelRatioF();
    picture_ = QImage(QSize(kWidth, kHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(SurfaceColour());
    update();
}

// Moving to a screen of another pixel density keeps the picture, rescaled, until the
// next tick draws it afresh at the new density.
void PriceChart::MatchDevicePixelRatio() {
    const qreal ratio = devicePixelRatioF();
    if (qFuzzyCompare(picture_.devicePixelRatio(), ratio)) return;
    const QImage old = picture_;
    Blank();
    QPainter painter(&picture_);
    painter.drawImage(QRect(0, 0, kWidth, kHeight), old);
}

void PriceChart::Draw(std::span<const ChartPoint> line) {
    MatchDevicePixelRatio();
    QPainter painter(&picture_);
    // Only one pixel row in eight is painted; the rows between keep what they held,
    // so the previous day's line shows through, cut by the hatch.
    painter.setBackgroundMode(Qt::TransparentMode);
    // At a device pixel ratio above 1 the hatch scales with the picture: one row of
    // the chart's pixels in eight, not one of the screen's.
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    painter.fillRect(QRect(0, 0, kWidth, kHeight), QBrush(SurfaceColour(), Qt::HorPattern));
    if (line.size() >= 2) {
        painter.setPen(QPen(kLineColour, design::kChartLineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPolygon polyline;
        for (const ChartPoint& point : line) polyline << QPoint(point.x, point.y);
        painter.drawPolyline(polyline);
    }
    painter.end();
    update();
}

void PriceChart::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), picture_,
                      QRectF(QRectF(event->rect()).topLeft() * picture_.devicePixelRatio(),
                             QSizeF(event->rect().size()) * picture_.devicePixelRatio()));
}

// Switching the surface off is the one thing besides a tick that clears it.
void PriceChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) Blank();
    QWidget::changeEvent(event);
}

}  // namespace zemkari::ui
