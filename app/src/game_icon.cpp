#include "zemkari/app/game_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <array>
#include <utility>

namespace zemkari::app {
namespace {

// The window's sizes from design/icons/icon_sizes.cmake, in pixels each way (app/CMakeLists.txt).
constexpr std::array kSizes{ZEMKARI_WINDOW_ICON_SIZES};
static_assert(std::is_sorted(kSizes.begin(), kSizes.end()), "icon_sizes.cmake lists the sizes smallest first");

// One PNG per size, rendered from design/icons/zemkari.svg; Qt needs no SVG module to read them.
QImage Picture(int size) {
    QImageReader reader(QStringLiteral(":/icons/zemkari-%1.png").arg(size), "png");
    // Otherwise Qt loads every image-format plugin (and libjpeg) to ask whether it
    // reads PNG before it reads it itself.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The smallest picture at least as large as `wanted` each way, else the largest.
int SourceSize(QSize wanted) {
    const auto* at = std::lower_bound(kSizes.begin(), kSizes.end(), std::max(wanted.width(), wanted.height()));
    return at == kSizes.end() ? kSizes.back() : *at;
}

class GameIconEngine final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new GameIconEngine; }

    // Largest first: X11 copies every size into one buffer, which the first then sizes
    // once instead of growing it for each larger one.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int size : kSizes) sizes.prepend(QSize(size, size));
        return sizes;
    }

    // A square: a larger picture scaled down to fit, never one scaled up.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), SourceSize(size)});
        return side > 0 ? QSize(side, side) : QSize();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QSize actual = actualSize(size, mode, state);
        if (actual.isEmpty()) return {};
        QImage image = Picture(SourceSize(size));
        if (image.size() != actual) image = image.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPixmap picture = QPixmap::fromImage(std::move(image));
        if (mode == QIcon::Normal || picture.isNull()) return picture;
        // Greyed or highlighted as the style draws any other icon in that mode.
        QStyleOption option;
        option.palette = QApplication::palette();
        const QPixmap styled = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        return styled.isNull() ? picture : styled;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        QRect target(QPoint(), picture.deviceIndependentSize().toSize());
        target.moveCenter(rect.center());
        painter->drawPixmap(target, picture);
    }
};

}  // namespace

QIcon GameIcon() { return QIcon(new GameIconEngine); }

}  // namespace zemkari::app
