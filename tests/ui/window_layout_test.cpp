// What the player sees when the window opens: every control in place, in its type
// and colour, and a window that keeps its size.
#include <QFontInfo>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QStyle>
#include <cstdlib>

#include "ui_test_support.h"
#include "zemkari/ui/qt_board.h"

Q_DECLARE_METATYPE(zemkari::LabelId)

using zemkari::app::GameWindow;
using zemkari::testing::Control;
using zemkari::testing::LabelText;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QColor TextColour(QWidget& window, const char* name) {
    return Control<QLabel>(window, name).palette().color(QPalette::WindowText);
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

    zemkari::FixedClock clock_;

private slots:
    void opensWithTheGameNotYetStarted() {
        GameWindow window(clock_);
        QVERIFY(Control<QPushButton>(window, "Button1").isEnabled());
        QVERIFY(Control<QPushButton>(window, "Button2").isEnabled());
        QVERIFY(!Control<QPushButton>(window, "Button3").isEnabled());
        QVERIFY(!Control<QPushButton>(window, "Button4").isEnabled());
        QVERIFY(Control<QRadioButton>(window, "RadioGroup1Item0").isChecked());
        QVERIFY(Control<QRadioButton>(window, "RadioGroup2Item1").isChecked());
        for (const char* empty : {"Label1", "Label2", "Label3", "Label4", "Label10", "Label27", "Label28"}) {
            QCOMPARE(LabelText(window, empty), QString());
        }
        QCOMPARE(LabelText(window, "Label12"), QStringLiteral("発注無し"));
        QCOMPARE(LabelText(window, "Label17"), QStringLiteral("万円"));
        QCOMPARE(LabelText(window, "Label25"), QStringLiteral("万円"));
        QCOMPARE(LabelText(window, "Label26"), QStringLiteral("300万円"));
        QVERIFY(!window.Board().Timer().isActive());
        QCOMPARE(window.Board().Timer().interval(), 500);
        QCOMPARE(window.State(), zemkari::MarketState{});
    }

    void hasItsTitleAndPlace() {
        GameWindow window(clock_);
        QCOMPARE(window.windowTitle(), QStringLiteral("Zemkari"));
        QCOMPARE(window.pos(), QPoint(273, 95));
        QCOMPARE(LabelText(window, "Label13"), QStringLiteral("Zemkari 1.0.0"));
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
        GameWindow window(clock_);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(626, 545));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        window.resize(800, 600);
        window.showMaximized();
        QCOMPARE(window.size(), QSize(626, 545));
    }

    void controlsStandAtTheirPlacesInTheirType_data() {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("caption");

        const auto row = [](const char* name, const char* container, QRect geometry, int pixelSize, bool bold,
                            const char* caption) {
            QTest::newRow(name) << QString::fromLatin1(container) << geometry << pixelSize << bold
                                << QString::fromUtf8(caption);
        };
        row("Button1", "Form1", {8, 512, 105, 25}, 15, false, "相場開始");
        row("Button2", "Form1", {120, 512, 105, 25}, 15, false, "相場終了");
        row("GroupBox2", "Form1", {8, 8, 105, 225}, 15, true, "【株価情報】");
        row("GroupBox3", "Form1", {8, 240, 105, 129}, 15, true, "【状態】");
        row("GroupBox4", "Form1", {232, 376, 193, 57}, 15, true, "【評価損益】");
        row("GroupBox5", "Form1", {128, 8, 489, 361}, 15, true, "【チャート】");
        row("GroupBox1", "Form1", {8, 440, 217, 65}, 13, true, "【注文】");
        row("GroupBox6", "Form1", {432, 376, 185, 57}, 15, true, "【余力】");
        row("GroupBox7", "Form1", {232, 440, 385, 65}, 15, true, "【コメント】");
        row("RadioGroup1", "Form1", {8, 376, 217, 57}, 13, true, "【株数】");
        row("RadioGroup2", "Form1", {232, 504, 265, 33}, 12, false, "Game Speed");
        row("Label13", "Form1", {504, 520, 114, 11}, 11, false, "Zemkari 1.0.0");
        row("Label5", "GroupBox2", {24, 24, 54, 17}, 17, true, "現在値");
        row("Label6", "GroupBox2", {32, 64, 36, 17}, 17, true, "始値");
        row("Label7", "GroupBox2", {32, 104, 36, 17}, 17, true, "高値");
        row("Label8", "GroupBox2", {32, 144, 36, 17}, 17, true, "安値");
        row("Label9", "GroupBox2", {32, 184, 36, 17}, 17, true, "終値");
        row("Label11", "GroupBox3", {16, 24, 64, 15}, 15, true, "発注状況");
        row("Label15", "GroupBox3", {16, 72, 64, 15}, 15, true, "約定代金");
        row("Label27", "GroupBox7", {8, 16, 369, 41}, 13, false, "");
        row("Button3", "GroupBox1", {8, 24, 97, 25}, 12, false, "買い注文");
        row("Button4", "GroupBox1", {112, 24, 97, 25}, 12, false, "売り注文");
        row("PaintBox1", "GroupBox5", {64, 16, 409, 321}, 0, false, "");  // draws no text
    }
    void controlsStandAtTheirPlacesInTheirType() {
        QFETCH(QString, container);
        QFETCH(QRect, geometry);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QString, caption);
        GameWindow window(clock_);
        QWidget& control = Control<QWidget>(window, QTest::currentDataTag());
        QCOMPARE(control.parentWidget()->objectName(), container);
        QCOMPARE(control.geometry(), geometry);
        if (pixelSize > 0) {
            QCOMPARE(control.font().pixelSize(), pixelSize);
            QCOMPARE(control.font().bold(), bold);
        }
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(&control)) shown = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(&control)) shown = button->text();
        if (auto* group = qobject_cast<QGroupBox*>(&control)) shown = group->title();
        QCOMPARE(shown, caption);
    }

    // The axis labels keep the centres of their boxes, which line up with the chart.
    void axisLabelsAreCentredOnTheirMarks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("design");
        QTest::addColumn<int>("pixelSize");
        const auto row = [](const char* name, const char* text, QRect design, int pixelSize) {
            QTest::newRow(name) << QString::fromUtf8(text) << design << pixelSize;
        };
        row("Label18", "9：00", {56, 336, 24, 12}, 12);
        row("Label19", "10：30", {192, 336, 30, 12}, 12);
        row("Label20", "13：30", {328, 336, 30, 12}, 12);
        row("Label21", "15：00", {448, 336, 30, 12}, 12);
        row("Label38", "250", {32, 66, 21, 13}, 13);
        row("Label37", "225", {32, 90, 21, 13}, 13);
        row("Label35", "200", {32, 114, 21, 13}, 13);
        row("Label34", "175", {32, 138, 21, 13}, 13);
        row("Label30", "150", {32, 162, 21, 13}, 13);
        row("Label33", "125", {32, 186, 21, 13}, 13);
        row("Label22", "100", {32, 210, 21, 13}, 13);
        row("Label31", "75", {40, 234, 14, 13}, 13);
        row("Label32", "50", {40, 258, 14, 13}, 13);
        row("Label29", "25", {40, 282, 14, 13}, 13);
        row("Label36", "0", {48, 306, 7, 13}, 13);
    }
    void axisLabelsAreCentredOnTheirMarks() {
        QFETCH(QString, text);
        QFETCH(QRect, design);
        QFETCH(int, pixelSize);
        GameWindow window(clock_);
        auto& label = Control<QLabel>(window, QTest::currentDataTag());
        QCOMPARE(label.parentWidget()->objectName(), QStringLiteral("GroupBox5"));
        QCOMPARE(label.text(), text);
        QCOMPARE(label.font().pixelSize(), pixelSize);
        QCOMPARE(label.y(), design.y());
        QCOMPARE(label.height(), design.height());
        QVERIFY(std::abs(2 * label.x() + label.width() - (2 * design.x() + design.width())) <= 1);
        QVERIFY(label.width() >= QFontMetrics(label.font()).horizontalAdvance(text));
    }

    // The values the game writes: right-aligned ones grow to the left from a fixed
    // right edge, the others to the right from a fixed left edge.
    void valueLabelsKeepTheirAnchoredEdge_data() {
        QTest::addColumn<zemkari::LabelId>("field");
        QTest::addColumn<QString>("container");
        QTest::addColumn<bool>("growsLeft");
        QTest::addColumn<int>("edge");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        const auto row = [](const char* name, zemkari::LabelId field, const char* container, bool growsLeft, int edge,
                            int top, int height, int pixelSize, bool bold) {
            QTest::newRow(name) << field << QString::fromLatin1(container) << growsLeft << edge << top << height
                                << pixelSize << bold;
        };
        row("Label1", zemkari::LabelId::CurrentPrice, "GroupBox2", true, 65, 40, 17, 17, true);
        row("Label2", zemkari::LabelId::OpeningPrice, "GroupBox2", true, 65, 80, 17, 17, true);
        row("Label3", zemkari::LabelId::HighPrice, "GroupBox2", true, 65, 120, 17, 17, true);
        row("Label4", zemkari::LabelId::LowPrice, "GroupBox2", true, 65, 160, 17, 17, true);
        row("Label10", zemkari::LabelId::ClosingPrice, "GroupBox2", true, 65, 200, 17, 17, true);
        row("Label17", zemkari::LabelId::AmountCommitted, "GroupBox3", true, 81, 96, 12, 12, false);
        row("Label25", zemkari::LabelId::UnrealizedProfit, "GroupBox4", true, 177, 26, 15, 15, true);
        row("Label26", zemkari::LabelId::BuyingPower, "GroupBox6", true, 172, 26, 15, 15, true);
        row("Label12", zemkari::LabelId::OrderStatus, "GroupBox3", false, 32, 48, 13, 13, false);
        row("Label28", zemkari::LabelId::ProfitIndicator, "GroupBox4", false, 24, 26, 15, 15, true);
    }
    void valueLabelsKeepTheirAnchoredEdge() {
        QFETCH(zemkari::LabelId, field);
        QFETCH(QString, container);
        QFETCH(bool, growsLeft);
        QFETCH(int, edge);
        QFETCH(int, top);
        QFETCH(int, height);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        GameWindow window(clock_);
        auto& label = Control<QLabel>(window, QTest::currentDataTag());
        QCOMPARE(label.parentWidget()->objectName(), container);
        QCOMPARE(label.font().pixelSize(), pixelSize);
        QCOMPARE(label.font().bold(), bold);
        const auto anchoredEdge = [&] { return growsLeft ? label.x() + label.width() : label.x(); };
        for (const char* text : {"8", "-12345万円", "250", ""}) {
            const QString shown = QString::fromUtf8(text);
            window.Board().SetText(field, text);
            QCOMPARE(label.text(), shown);
            QCOMPARE(anchoredEdge(), edge);
            QCOMPARE(label.y(), top);
            QCOMPARE(label.height(), height);
            QCOMPARE(label.width(), QFontMetrics(label.font()).horizontalAdvance(shown));
        }
        QVERIFY(label.alignment() & (growsLeft ? Qt::AlignRight : (Qt::AlignLeft | Qt::AlignHCenter)));
    }

    void labelsStartInTheirColours() {
        GameWindow window(clock_);
        const QColor windowText = window.palette().color(QPalette::WindowText);
        QCOMPARE(TextColour(window, "Label3"), kRed);
        QCOMPARE(TextColour(window, "Label4"), kBlue);
        for (const char* name : {"Label1", "Label2", "Label10", "Label12", "Label17", "Label25", "Label26", "Label27",
                                 "Label28", "Label5", "Label18", "Label36"}) {
            QCOMPARE(TextColour(window, name), windowText);
        }
    }

    void boardPaintsLabelsInTheColoursTheGameAsks() {
        GameWindow window(clock_);
        auto& board = window.Board();
        board.SetColour(zemkari::LabelId::ProfitIndicator, zemkari::Colour::Red);
        QCOMPARE(TextColour(window, "Label28"), kRed);
        board.SetColour(zemkari::LabelId::OrderStatus, zemkari::Colour::Blue);
        QCOMPARE(TextColour(window, "Label12"), kBlue);
        board.SetColour(zemkari::LabelId::OrderStatus, zemkari::Colour::WindowText);
        QCOMPARE(TextColour(window, "Label12"), window.palette().color(QPalette::WindowText));
    }

    // The comment box keeps its size and wraps: three lines show, the rest is cut.
    void commentBoxWrapsLongTextWithinItsFixedBox() {
        GameWindow window(clock_);
        auto& comment = Control<QLabel>(window, "Label27");
        const QString rules = QStringLiteral(
            "値幅上限２５０万円　値幅下限０円　Ｓ高引けの場合ボーナス+"
            "３００万円！Ｓ安の場合ペナルティー－３００万円・・・。"
            "追証に注意・・・！余力がゼロまたはマイナスになった時点で終了です。");
        window.Board().SetText(zemkari::LabelId::Comment, rules.toStdString());
        QCOMPARE(comment.geometry(), QRect(8, 16, 369, 41));
        QVERIFY(comment.wordWrap());
        QVERIFY(comment.alignment() & Qt::AlignTop);
        const QFontMetrics metrics(comment.font());
        QVERIFY(3 * metrics.lineSpacing() <= comment.height() + 1);
        QVERIFY(metrics.boundingRect(QRect(0, 0, 369, 1000), Qt::TextWordWrap, rules).height() > comment.height());
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

    void noCaptionIsClipped() {
        GameWindow window(clock_);
        for (auto* label : window.findChildren<QLabel*>()) {
            if (label->wordWrap()) continue;
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(label->objectName()));
            // Drawn from the top, the ink of the text ends above the label's lower edge.
            QVERIFY2(metrics.ascent() + metrics.tightBoundingRect(label->text()).bottom() < label->height(),
                     qPrintable(label->objectName()));
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

    // The share selector fills three columns top to bottom; the speed selector is one row.
    void selectorsArrangeTheirItemsInColumns() {
        GameWindow window(clock_);
        const QStringList shares{"1株", "50株", "500株", "5株", "100株", "1000株", "10株"};
        for (int i = 0; i < shares.size(); ++i) {
            auto& item = Control<QRadioButton>(window, qPrintable(QStringLiteral("RadioGroup1Item%1").arg(i)));
            QCOMPARE(item.text(), shares[i]);
            QCOMPARE(item.x(), 8 + (i / 3) * 69);
            QCOMPARE(item.geometry().top(),
                     Control<QRadioButton>(window, qPrintable(QStringLiteral("RadioGroup1Item%1").arg(i % 3))).y());
            QCOMPARE(item.font().bold(), true);
        }
        QVERIFY(Control<QRadioButton>(window, "RadioGroup1Item0").y() <
                Control<QRadioButton>(window, "RadioGroup1Item1").y());
        QVERIFY(Control<QRadioButton>(window, "RadioGroup1Item1").y() <
                Control<QRadioButton>(window, "RadioGroup1Item2").y());
        QVERIFY(Control<QRadioButton>(window, "RadioGroup1Item2").geometry().bottom() < 57);
        const QStringList speeds{"0.5秒", "1秒", "1.5秒", "2秒", "2.5秒"};
        for (int i = 0; i < speeds.size(); ++i) {
            auto& item = Control<QRadioButton>(window, qPrintable(QStringLiteral("RadioGroup2Item%1").arg(i)));
            QCOMPARE(item.text(), speeds[i]);
            QCOMPARE(item.x(), 8 + i * 51);
            QCOMPARE(item.y(), Control<QRadioButton>(window, "RadioGroup2Item0").y());
            QCOMPARE(item.font().pixelSize(), 12);
        }
    }

    void tabVisitsButtonsThenSelectors() {
        GameWindow window(clock_);
        QStringList order;
        QWidget* widget = &Control<QWidget>(window, "Button1");
        for (int i = 0; i < 6; ++i) {
            order << widget->objectName();
            do {
                widget = widget->nextInFocusChain();
            } while (!(widget->focusPolicy() & Qt::TabFocus));
        }
        QCOMPARE(order,
                 (QStringList{"Button1", "Button2", "Button3", "Button4", "RadioGroup1Item0", "RadioGroup1Item1"}));
        auto& lastShare = Control<QWidget>(window, "RadioGroup1Item6");
        QWidget* next = lastShare.nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), QStringLiteral("RadioGroup2Item0"));
    }
};

ZEMKARI_UI_TEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
