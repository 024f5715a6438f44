// What the player sees when the window opens, checked against the window's design
// (zemkari/design/window.h) rather than a copy of it: every control where and in the
// type its design says, inside its box, clear of its neighbours, its text whole; the
// opening state, the colours, the tab order, and a window that keeps its size.
#include <QFontInfo>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QStyle>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui_test_support.h"
#include "zemkari/design/window.h"
#include "zemkari/scenarios.h"
#include "zemkari/ui/qt_board.h"
#include "zemkari/ui/utf8.h"

using zemkari::app::GameWindow;
using zemkari::testing::Control;
using zemkari::ui::Utf8;
namespace design = zemkari::design;

namespace {

QString ContainerName(design::Container container) { return Utf8(design::NameOf(container)); }

QRect ToQRect(design::Rect rect) { return {rect.left, rect.top, rect.width, rect.height}; }

QColor ToQColor(design::Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

QString ItemName(const design::SelectorDesign& selector, int item) {
    return QString::fromStdString(design::ItemName(selector.id, item));
}

// What differs between a control and its design's box, type and caption (a label's or
// button's text, a group box's title); empty when all agree.
QString Misdesigned(const QWidget& control, const QString& box, design::Type type, std::string_view caption) {
    QString shown;
    if (const auto* label = qobject_cast<const QLabel*>(&control)) shown = label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) shown = button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(&control)) shown = group->title();
    QStringList wrong;
    if (control.parentWidget()->objectName() != box) wrong << "in " + control.parentWidget()->objectName();
    if (control.font().pixelSize() != type.pixelSize || control.font().bold() != type.bold)
        wrong << "in " + control.font().toString();
    if (shown != Utf8(caption)) wrong << "showing " + shown;
    return wrong.isEmpty() ? QString() : control.objectName() + ": " + wrong.join(", ");
}

// Every label of the design, the version line with the project's version.
const std::vector<design::LabelDesign> kAllLabels = [] {
    std::vector<design::LabelDesign> labels(design::kLabelDesigns.begin(), design::kLabelDesigns.end());
    labels.push_back(design::kVersionLine);
    labels.back().text = "Zemkari " ZEMKARI_VERSION;
    return labels;
}();

// A label keeps the edge or centre its growth anchors and is as wide as its text, or
// keeps the whole box of a label of fixed size; empty when it does.
QString LabelMisplaced(const QLabel& label, const design::LabelDesign& layout) {
    const QRect g = label.geometry();
    bool placed = g.top() == layout.top && g.height() == layout.height &&
                  g.width() == QFontMetrics(label.font()).horizontalAdvance(label.text());
    switch (layout.growth) {
        case design::Growth::None:
            placed = g == QRect(layout.x, layout.top, layout.width, layout.height);
            break;
        case design::Growth::ToLeft:
            placed = placed && g.x() + g.width() == layout.x;
            break;
        case design::Growth::ToRight:
            placed = placed && g.x() == layout.x;
            break;
        case design::Growth::Centred:
            placed = placed && std::abs(2 * g.x() + g.width() - (2 * layout.x + layout.width)) <= 1;
            break;
    }
    return placed ? QString() : label.objectName() + " showing " + label.text() + " at " + QDebug::toString(g);
}

QColor TextColour(QWidget& window, std::string_view name) {
    return Control<QLabel>(window, name).palette().color(QPalette::WindowText);
}

// Shows in each field the widest text the game writes there: a price at the upper
// limit, the largest position's worth in money, the widest order status and verdict.
void ShowWidestTexts(GameWindow& window) {
    using design::TextId;
    using design::TextOf;
    using zemkari::LabelId;
    int mostShares = 0;
    for (const design::SelectorItem& item : design::ShareQuantities) mostShares = std::max(mostShares, item.value);
    const std::string money =
        std::to_string(-zemkari::kLimitUpPrice * mostShares) + std::string(TextOf(TextId::ManYen));
    const std::string filled = std::to_string(mostShares) + std::string(TextOf(TextId::FilledSuffix));
    const std::string price = std::to_string(zemkari::kLimitUpPrice);
    const std::vector<std::pair<LabelId, std::vector<std::string_view>>> candidates = {
        {LabelId::CurrentPrice, {price}},
        {LabelId::OpeningPrice, {price}},
        {LabelId::HighPrice, {price}},
        {LabelId::LowPrice, {price}},
        {LabelId::ClosingPrice, {price}},
        {LabelId::OrderStatus, {TextOf(TextId::NoOrder), TextOf(TextId::Lapsed), TextOf(TextId::MarginCall), filled}},
        {LabelId::AmountCommitted, {money}},
        {LabelId::UnrealizedProfit, {money}},
        {LabelId::BuyingPower, {money}},
        {LabelId::Comment, {TextOf(TextId::Rules)}},
        {LabelId::ProfitIndicator, {TextOf(TextId::ProfitTaken), TextOf(TextId::LossCut)}},
    };
    for (const auto& [field, shown] : candidates) {
        const QFontMetrics metrics(Control<QLabel>(window, field).font());
        window.Board().SetText(field, *std::max_element(shown.begin(), shown.end(), [&](auto a, auto b) {
                                   return metrics.horizontalAdvance(Utf8(a)) < metrics.horizontalAdvance(Utf8(b));
                               }));
    }
}

// What a widget paints itself, its children left out: a transparent image where it
// paints nothing.
QImage OwnPainting(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

bool PaintsIn(const QImage& image, QRect area) {
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) return true;
        }
    }
    return false;
}

const design::LabelDesign* LabelDesignNamed(const QString& name) {
    for (const design::LabelDesign& layout : design::kLabelDesigns) {
        if (Utf8(layout.name) == name) return &layout;
    }
    return nullptr;
}

// The overlaps the design means, each for the reason given; `lower` is drawn first.
bool IntendedOverlap(QWidget& lower, QWidget& upper, QRect shared) {
    if (shared.height() != 1) return false;
    // The form's 40-pixel rows put each quote one pixel row into the 17-pixel box of the
    // heading above it.
    for (const auto& [heading, value] : {std::pair{&lower, &upper}, std::pair{&upper, &lower}}) {
        const design::LabelDesign* layout = LabelDesignNamed(heading->objectName());
        if (layout && layout->heads && Utf8(design::NameOf(*layout->heads)) == value->objectName()) return true;
    }
    // The time labels' top row is the chart's last, below the lowest price the chart
    // draws and above the labels' text.
    const design::Rect chart = design::kChartRect;
    const int lowestLine = chart.top + zemkari::ChartYOf(zemkari::kLimitDownPrice) + design::kChartLineWidth;
    if (upper.objectName() == Utf8(design::kChartName) && qobject_cast<QLabel*>(&lower) && lower.y() > lowestLine) {
        return true;
    }
    // Group boxes may share an edge row where the one on top paints nothing: its frame
    // line runs through the middle of its caption line, not along its top.
    if (qobject_cast<QGroupBox*>(&lower) && qobject_cast<QGroupBox*>(&upper)) {
        return !PaintsIn(OwnPainting(upper), shared.translated(-upper.pos()));
    }
    return false;
}

// Every control lies inside its box, covers none of its group box's caption and frame,
// and overlaps a sibling only where the design means it to. `widest`: the fields show
// ShowWidestTexts.
void ExpectEveryControlClear(GameWindow& window, bool widest) {
    QList<QWidget*> boxes{&window};
    for (QGroupBox* group : window.findChildren<QGroupBox*>()) boxes << group;
    for (QWidget* box : boxes) {
        const QImage boxPainting = box == &window ? QImage() : OwnPainting(*box);
        QList<QWidget*> children = box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            QVERIFY2(box->rect().contains(child->geometry()), qPrintable(child->objectName() + " leaves its box"));
            const bool clear = boxPainting.isNull() || !PaintsIn(boxPainting, child->geometry());
            // A known fault of the layout: the order status of the largest fill, wider in
            // the substitute fonts than in the form's, grows over the status box's right
            // frame line. The expected failure turns into a failure once that is mended.
            if (widest && child->objectName() == Utf8(design::NameOf(zemkari::LabelId::OrderStatus)))
                QEXPECT_FAIL("", "the largest fill's order status covers the status box's frame", Continue);
            QVERIFY2(clear, qPrintable(child->objectName() + " covers its group box's caption or frame"));
        }
        for (qsizetype a = 0; a < children.size(); ++a) {
            for (qsizetype b = a + 1; b < children.size(); ++b) {
                const QRect shared = children[a]->geometry().intersected(children[b]->geometry());
                QVERIFY2(shared.isEmpty() || IntendedOverlap(*children[a], *children[b], shared),
                         qPrintable(children[a]->objectName() + " overlaps " + children[b]->objectName()));
            }
        }
    }
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

    zemkari::FixedClock clock_;

private slots:
    void opensWithTheGameNotYetStarted() {
        GameWindow window(clock_);
        for (const design::LabelDesign& label : kAllLabels) {
            QCOMPARE(Control<QLabel>(window, label.name).text(), Utf8(label.text));
        }
        for (const design::ButtonDesign& button : design::kButtonDesigns) {
            QCOMPARE(Control<QPushButton>(window, button.name).isEnabled(), button.enabled);
        }
        for (const design::SelectorDesign& selector : design::kSelectorDesigns) {
            for (int i = 0; i < static_cast<int>(selector.items.size()); ++i) {
                QCOMPARE(Control<QRadioButton>(window, qPrintable(ItemName(selector, i))).isChecked(),
                         i == selector.selected);
            }
        }
        QVERIFY(!window.Board().Timer().isActive());
        QCOMPARE(window.Board().Timer().interval(), design::kDesignInterval);
        QCOMPARE(window.State(), zemkari::MarketState{});
    }

    void hasItsTitleAndPlace() {
        GameWindow window(clock_);
        QCOMPARE(window.windowTitle(), Utf8(design::kWindowTitle));
        QCOMPARE(window.pos(), zemkari::app::kWindowPosition);
        QCOMPARE(Control<QLabel>(window, design::kVersionLine.name).text(), QStringLiteral("Zemkari " ZEMKARI_VERSION));
    }

    // The icon comes once the first frame is out, never before to hold it up; then it
    // offers every size a title bar and a task switcher draw, each a picture of its own.
    void showsItsIconOnceTheFirstFrameIsOut() {
        GameWindow window(clock_);
        QVERIFY(window.windowIcon().isNull());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!window.windowIcon().isNull());
        const QIcon icon = window.windowIcon();
        const QList<int> sizes = {ZEMKARI_WINDOW_ICON_SIZES};
        for (const int size : sizes) {
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
            const QImage picture = icon.pixmap(QSize(size, size)).toImage();
            QCOMPARE(picture.size(), QSize(size, size));
            QCOMPARE(qAlpha(picture.pixel(size / 2, size / 2)), 255);  // drawn, not a blank square
        }
        // Between two sizes the larger picture is scaled down; beyond the largest, none is scaled up.
        QCOMPARE(icon.pixmap(QSize(sizes[0] + 4, sizes[0] + 4)).size(), QSize(sizes[0] + 4, sizes[0] + 4));
        QCOMPARE(icon.actualSize(QSize(4 * sizes.back(), 4 * sizes.back())), QSize(sizes.back(), sizes.back()));
    }

    void cannotBeResizedOrMaximised() {
        const QSize designed(design::kClientWidth, design::kClientHeight);
        GameWindow window(clock_);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), designed);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        window.resize(designed + QSize(200, 100));
        window.showMaximized();
        QCOMPARE(window.size(), designed);
    }

    // One pass over the design's tables: each control in its box, at its place, in its
    // type and with its caption.
    void everyControlStandsWhereItsDesignSays() {
        GameWindow window(clock_);
        const auto expect = [&](std::string_view name, const QString& box, QRect rect, design::Type type,
                                std::string_view caption) {
            const QWidget& control = Control<QWidget>(window, name);
            const QString wrong = Misdesigned(control, box, type, caption);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            QVERIFY2(control.geometry() == rect, qPrintable(control.objectName()));
        };
        for (const design::GroupDesign& g : design::kGroups) {
            expect(g.name, ContainerName(design::Container::Client), {g.left, g.top, g.width, g.height}, g.type,
                   g.title);
        }
        for (const design::ButtonDesign& b : design::kButtonDesigns) {
            expect(b.name, ContainerName(b.container), {b.left, b.top, b.width, b.height}, b.type, b.caption);
        }
        for (const design::SelectorDesign& s : design::kSelectorDesigns) {
            expect(s.name, ContainerName(design::Container::Client), {s.left, s.top, s.width, s.height}, s.type,
                   s.title);
            QCOMPARE(Control<QWidget>(window, s.name).findChildren<QRadioButton*>().size(), s.items.size());
            for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
                const QRect rect = ToQRect(design::SelectorItemRect(s, i));
                const std::string_view caption = s.items[static_cast<std::size_t>(i)].caption;
                const QString name = ItemName(s, i);
                expect(qPrintable(name), Utf8(s.name), rect, s.type, caption);
            }
        }
        auto& chart = Control<QWidget>(window, design::kChartName);
        QCOMPARE(chart.parentWidget()->objectName(), ContainerName(design::kChartContainer));
        QCOMPARE(chart.geometry(), ToQRect(design::kChartRect));
        for (const design::LabelDesign& layout : kAllLabels) {
            auto& label = Control<QLabel>(window, layout.name);
            const QString wrong = Misdesigned(label, ContainerName(layout.container), layout.type, layout.text) +
                                  LabelMisplaced(label, layout);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            const Qt::Alignment aligned = layout.align == design::Align::Left    ? Qt::AlignLeft
                                          : layout.align == design::Align::Right ? Qt::AlignRight
                                                                                 : Qt::AlignHCenter;
            QVERIFY2((label.alignment() & Qt::AlignHorizontal_Mask) == aligned, qPrintable(label.objectName()));
        }
    }

    // At the opening and with the widest texts the game writes, each value label still
    // at its anchored edge.
    void everyControlStaysInsideItsBoxAndClearOfItsNeighbours() {
        GameWindow window(clock_);
        window.show();
        ExpectEveryControlClear(window, false);
        if (QTest::currentTestFailed()) return;
        ShowWidestTexts(window);
        for (const design::LabelDesign& layout : kAllLabels) {
            const QString wrong = LabelMisplaced(Control<QLabel>(window, layout.name), layout);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        }
        ExpectEveryControlClear(window, true);
    }

    void buyAndSellStandSideBySideInTheOrderBox() {
        GameWindow window(clock_);
        auto& buy = Control<QPushButton>(window, zemkari::ButtonId::Buy);
        auto& sell = Control<QPushButton>(window, zemkari::ButtonId::Sell);
        QCOMPARE(buy.parentWidget()->objectName(), ContainerName(design::Container::Order));
        QCOMPARE(sell.parentWidget(), buy.parentWidget());
        QCOMPARE(sell.y(), buy.y());
        QCOMPARE(sell.size(), buy.size());
        QVERIFY(buy.geometry().right() < sell.x());
    }

    // The prices stand left of the chart, each level with its price's line; the times
    // below it, each keeping the centre its design gives it.
    void axisLabelsMarkTheChartsScale() {
        GameWindow window(clock_);
        const QRect chart = Control<QWidget>(window, design::kChartName).geometry();
        QSet<int> prices;
        for (const design::LabelDesign& layout : design::kLabelDesigns) {
            if (layout.growth != design::Growth::Centred) continue;
            auto& label = Control<QLabel>(window, layout.name);
            QCOMPARE(label.parentWidget()->objectName(), ContainerName(design::kChartContainer));
            bool isPrice = false;
            const int price = label.text().toInt(&isPrice);
            if (isPrice) {
                prices << price;
                const int line = chart.top() + zemkari::ChartYOf(price);
                QVERIFY2(label.y() <= line && line <= label.geometry().bottom(), qPrintable(label.text()));
                QVERIFY2(label.geometry().right() < chart.left(), qPrintable(label.text()));
            } else {
                QVERIFY2(label.y() >= chart.bottom(), qPrintable(label.text()));
                QVERIFY2(
                    chart.left() <= label.geometry().center().x() && label.geometry().center().x() <= chart.right(),
                    qPrintable(label.text()));
            }
        }
        // The limits mark the top and bottom of the scale.
        QVERIFY(prices.contains(zemkari::kLimitUpPrice) && prices.contains(zemkari::kLimitDownPrice));
    }

    void labelsStartInTheirColours() {
        GameWindow window(clock_);
        const QColor windowText = window.palette().color(QPalette::WindowText);
        for (const design::LabelDesign& layout : kAllLabels) {
            const std::optional<design::Rgb> rgb = design::RgbOf(layout.colour);
            QCOMPARE(TextColour(window, layout.name), rgb ? ToQColor(*rgb) : windowText);
        }
    }

    void boardPaintsLabelsInTheColoursTheGameAsks() {
        GameWindow window(clock_);
        auto& board = window.Board();
        const std::string_view indicator = design::NameOf(zemkari::LabelId::ProfitIndicator);
        const std::string_view status = design::NameOf(zemkari::LabelId::OrderStatus);
        board.SetColour(zemkari::LabelId::ProfitIndicator, zemkari::Colour::Red);
        QCOMPARE(TextColour(window, indicator), ToQColor(design::kRed));
        board.SetColour(zemkari::LabelId::OrderStatus, zemkari::Colour::Blue);
        QCOMPARE(TextColour(window, status), ToQColor(design::kBlue));
        board.SetColour(zemkari::LabelId::OrderStatus, zemkari::Colour::WindowText);
        QCOMPARE(TextColour(window, status), window.palette().color(QPalette::WindowText));
    }

    // The comment box keeps its size and wraps: three lines show, the rest is cut.
    void commentBoxWrapsLongTextWithinItsFixedBox() {
        GameWindow window(clock_);
        const design::LabelDesign& layout = design::DesignOf(zemkari::LabelId::Comment);
        auto& comment = Control<QLabel>(window, layout.name);
        const std::string_view text = design::TextOf(design::TextId::Rules);
        const QString rules = Utf8(text);
        window.Board().SetText(zemkari::LabelId::Comment, text);
        QCOMPARE(comment.geometry(), QRect(layout.x, layout.top, layout.width, layout.height));
        QVERIFY(comment.wordWrap());
        QVERIFY(comment.alignment() & Qt::AlignTop);
        const QFontMetrics metrics(comment.font());
        QVERIFY(3 * metrics.lineSpacing() <= comment.height() + 1);
        QVERIFY(metrics.boundingRect(QRect(0, 0, layout.width, 1000), Qt::TextWordWrap, rules).height() >
                comment.height());
    }

    // Every face is the Japanese Gothic, never a Latin font with a CJK fallback.
    void textsUseOneJapaneseGothicFace() {
        GameWindow window(clock_);
        const QStringList faces{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("Noto Sans CJK JP")};
        for (QWidget* control : window.findChildren<QWidget*>()) {
            QVERIFY2(faces.contains(QFontInfo(control->font()).family()), qPrintable(control->objectName()));
        }
    }

    // Each text fits the space it has in its font, at the opening and with the widest
    // texts the game writes.
    void noTextIsClipped() {
        GameWindow window(clock_);
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1) ShowWidestTexts(window);
            for (auto* label : window.findChildren<QLabel*>()) {
                if (label->wordWrap()) continue;
                const QFontMetrics metrics(label->font());
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(label->objectName()));
                // Drawn from the top, the ink of the text ends above the label's lower edge.
                QVERIFY2(metrics.ascent() + metrics.tightBoundingRect(label->text()).bottom() < label->height(),
                         qPrintable(label->objectName()));
            }
        }
        // Group captions stand 8 pixels in, with the frame line stopping 2 pixels short.
        for (auto* group : window.findChildren<QGroupBox*>()) {
            QVERIFY2(8 + QFontMetrics(group->font()).horizontalAdvance(group->title()) + 2 <= group->width(),
                     qPrintable(group->objectName()));
        }
        for (auto* button : window.findChildren<QPushButton*>()) {
            QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(button->text()) <= button->width() - 8,
                     qPrintable(button->objectName()));
        }
        for (auto* item : window.findChildren<QRadioButton*>()) {
            const int indicator = item->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, item) +
                                  item->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, item);
            QVERIFY2(indicator + QFontMetrics(item->font()).horizontalAdvance(item->text()) <= item->width(),
                     qPrintable(item->objectName()));
        }
    }

    // The items read in the order of what they stand for: larger values to the right
    // along a row and further down a column (the share selector's rows read 1, 5, 10 /
    // 50, 100 / 500, 1000), in as many columns as the design gives.
    void selectorItemsReadInOrderOfValue() {
        GameWindow window(clock_);
        const auto check = [&](const design::SelectorDesign& layout) {
            const auto& values = layout.items;
            QSet<int> columns;
            for (int a = 0; a < static_cast<int>(values.size()); ++a) {
                const QRect at = Control<QRadioButton>(window, qPrintable(ItemName(layout, a))).geometry();
                columns << at.x();
                for (int b = 0; b < static_cast<int>(values.size()); ++b) {
                    const QRect other = Control<QRadioButton>(window, qPrintable(ItemName(layout, b))).geometry();
                    const bool further =
                        (other.y() == at.y() && other.x() > at.x()) || (other.x() == at.x() && other.y() > at.y());
                    if (further) {
                        QVERIFY2(values[static_cast<std::size_t>(b)].value > values[static_cast<std::size_t>(a)].value,
                                 qPrintable(ItemName(layout, a) + " before " + ItemName(layout, b)));
                    }
                }
            }
            QCOMPARE(columns.size(), layout.columns);
        };
        check(design::kShareSelector);
        check(design::kSpeedSelector);
    }

    // Tab goes through the buttons in the order of their table, then every item of the
    // share selector, then the speed selector's.
    void tabVisitsButtonsThenSelectors() {
        GameWindow window(clock_);
        QStringList expected;
        for (const design::ButtonDesign& button : design::kButtonDesigns) expected << Utf8(button.name);
        for (const design::SelectorDesign& selector : design::kSelectorDesigns) {
            for (int i = 0; i < static_cast<int>(selector.items.size()); ++i) expected << ItemName(selector, i);
        }
        QStringList order;
        QWidget* widget = &Control<QWidget>(window, design::kButtonDesigns.front().name);
        while (order.size() < expected.size()) {
            order << widget->objectName();
            do {
                widget = widget->nextInFocusChain();
            } while (!(widget->focusPolicy() & Qt::TabFocus));
        }
        QCOMPARE(order, expected);
    }
};

ZEMKARI_UI_TEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
