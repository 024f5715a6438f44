// The chart's pixels: the green line through the revealed points, the hatch rows that
// cut an older line, and when the surface goes blank.
#include "zemkari/ui/price_chart.h"

#include <array>

#include "ui_test_support.h"
#include "zemkari/scenarios.h"

using zemkari::ButtonId;
using zemkari::ChartPoint;
using zemkari::ScenarioTable;
using zemkari::app::GameWindow;
using zemkari::testing::Click;
using zemkari::testing::Control;
using zemkari::testing::Ticks;
using zemkari::ui::PriceChart;

namespace {

const QColor kGreen(0, 255, 0);
constexpr int kRow = 11;  // climbs to the limit, falls to 2, closes at 0

// The chart's pixel at chart coordinates (x, y), whatever its pixel ratio.
QColor Pixel(const PriceChart& chart, int x, int y) {
    const QImage& picture = chart.Picture();
    const qreal ratio = picture.devicePixelRatio();
    return picture.pixelColor(QPoint(int(x * ratio), int(y * ratio)));
}

bool IsBlank(const PriceChart& chart) {
    const QColor surface = chart.palette().color(QPalette::Button);
    const QImage& picture = chart.Picture();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) != surface) return false;
        }
    }
    return true;
}

int PricePoint(int k) { return ScenarioTable[kRow][static_cast<std::size_t>(k - 1)]; }

}  // namespace

class PriceChartTest : public QObject {
    Q_OBJECT

    zemkari::FixedClock clock_{zemkari::FirstMillisecondDrawing(kRow)};

private slots:
    void isBlankWhenTheWindowOpens() {
        GameWindow window(clock_);
        auto& chart = Control<PriceChart>(window, zemkari::design::kChartName);
        QCOMPARE(chart.Picture().devicePixelRatio(), chart.devicePixelRatioF());
        QCOMPARE(chart.Picture().size(), QSize(409, 321) * chart.Picture().devicePixelRatio());
        QVERIFY(IsBlank(chart));
    }

    void firstTickOfTheDayDrawsNoLine() {
        GameWindow window(clock_);
        Click(window, ButtonId::StartMarket);
        Ticks(window, 1);
        QVERIFY(IsBlank(Control<PriceChart>(window, zemkari::design::kChartName)));
    }

    void lineRunsFromTheOpeningThroughEveryRevealedPoint() {
        GameWindow window(clock_);
        auto& chart = Control<PriceChart>(window, zemkari::design::kChartName);
        Click(window, ButtonId::StartMarket);
        Ticks(window, 21);  // the last of them reveals point 20
        QCOMPARE(Pixel(chart, 0, 200), kGreen);
        for (int k = 1; k <= 20; ++k) {
            QVERIFY2(Pixel(chart, 8 * k, 300 - PricePoint(k)) == kGreen, qPrintable(QString::number(k)));
        }
        QCOMPARE(Pixel(chart, 8 * 14, 50), kGreen);  // the limit-up price at y = 50
        // Nothing yet right of point 20.
        for (int x = 8 * 20 + 3; x < PriceChart::kWidth; ++x) {
            for (int y = 0; y < PriceChart::kHeight; ++y) QVERIFY(Pixel(chart, x, y) != kGreen);
        }
    }

    void wholeDayEndsAtTheCloseOnTheRightEdge() {
        GameWindow window(clock_);
        auto& chart = Control<PriceChart>(window, zemkari::design::kChartName);
        Click(window, ButtonId::StartMarket);
        Ticks(window, 60);
        QCOMPARE(Pixel(chart, 400, 300), kGreen);  // the close at the limit-down price 0
        QVERIFY(Pixel(chart, 405, 300) != kGreen);
        // Three pixels wide: the flat run at price 2 (y = 298) covers rows 297 to 299.
        for (int y = 290; y < 306; ++y) QCOMPARE(Pixel(chart, 8 * 23 + 4, y) == kGreen, y >= 297 && y <= 299);
    }

    // One pixel row in every eight is painted in the surface's colour over what the
    // surface held; the rows between keep the older line.
    void hatchCutsTheOlderLineInOneRowOfEight() {
        GameWindow window(clock_);
        auto& chart = Control<PriceChart>(window, zemkari::design::kChartName);
        const std::array<ChartPoint, 3> upright{{{0, 200}, {100, 0}, {100, 320}}};
        chart.Draw(upright);
        for (int y = 2; y < 320; ++y) QCOMPARE(Pixel(chart, 100, y), kGreen);
        const std::array<ChartPoint, 1> openingOnly{{{0, 200}}};
        chart.Draw(openingOnly);
        const QColor surface = chart.palette().color(QPalette::Button);
        int hatchRow = -1;
        for (int y = 8; y < 16; ++y) {
            if (Pixel(chart, 100, y) == surface) {
                QCOMPARE(hatchRow, -1);
                hatchRow = y % 8;
            }
        }
        QVERIFY(hatchRow >= 0);
        for (int y = 2; y < 320; ++y) {
            QCOMPARE(Pixel(chart, 100, y), y % 8 == hatchRow ? surface : kGreen);
        }
    }

    void firstEndOfTheMarketBlanksTheChartAndLaterOnesDoNot() {
        GameWindow window(clock_);
        auto& chart = Control<PriceChart>(window, zemkari::design::kChartName);
        Click(window, ButtonId::StartMarket);
        Ticks(window, 10);
        Click(window, ButtonId::EndMarket);
        QVERIFY(IsBlank(chart));

        Click(window, ButtonId::StartMarket);
        Ticks(window, 10);
        QCOMPARE(Pixel(chart, 8 * 9, 300 - PricePoint(9)), kGreen);
        Click(window, ButtonId::EndMarket);
        QCOMPARE(Pixel(chart, 8 * 9, 300 - PricePoint(9)), kGreen);
    }

    // A new day draws over the last one without clearing it.
    void newDayKeepsThePreviousLineUnderTheNewOne() {
        GameWindow window(clock_);
        auto& chart = Control<PriceChart>(window, zemkari::design::kChartName);
        Click(window, ButtonId::StartMarket);
        Ticks(window, 51);
        Click(window, ButtonId::StartMarket);
        Ticks(window, 2);
        QCOMPARE(Pixel(chart, 400, 300), kGreen);
    }

    void repaintingTheWindowKeepsThePicture() {
        GameWindow window(clock_);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto& chart = Control<PriceChart>(window, zemkari::design::kChartName);
        Click(window, ButtonId::StartMarket);
        Ticks(window, 21);
        const QImage before = chart.Picture();
        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        chart.repaint();
        QCOMPARE(chart.Picture(), before);
        const QImage shown = chart.grab().toImage();
        const qreal ratio = shown.devicePixelRatio();
        QCOMPARE(shown.pixelColor(QPoint(int(8 * 20 * ratio), int((300 - PricePoint(20)) * ratio))), kGreen);
    }
};

ZEMKARI_UI_TEST_MAIN(PriceChartTest)
#include "price_chart_test.moc"
