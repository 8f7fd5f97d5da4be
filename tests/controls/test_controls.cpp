#include "controls/combobox97.h"
#include "controls/gradientpanel.h"
#include "controls/ie2buttn.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

using namespace Gradient;

namespace {

QImage renderOf(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

// Palette colours may come in another colour spec; compare them as plain RGB.
QColor rgb(const QColor &colour)
{
    return QColor(colour.rgb());
}

int distance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
           + std::abs(a.blue() - b.blue());
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void sendEnter(QWidget &widget)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&widget, &event);
}

void sendLeave(QWidget &widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

void sendKey(QWidget &widget, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

private slots:
    void gradientPanelStartsWithTheDesignValues();
    void designPanelIsBlueAtTheTopAndBlackFromRow36();
    void oneColourBandCoversTheRowsAboveHalfTheHeight_data();
    void oneColourBandCoversTheRowsAboveHalfTheHeight();
    void everyDirectionStartsAtColorFrom_data();
    void everyDirectionStartsAtColorFrom();
    void settingAPropertyRepaintsOnlyWhenItChanges_data();
    void settingAPropertyRepaintsOnlyWhenItChanges();
    void clientAlignedPanelFillsItsParent();

    void hoverButtonStartsFlat();
    void hoverButtonTurnsBoldAndRaisesWhileTheMouseIsOver();
    void pressedHoverButtonIsLoweredAndClicksOnRelease();
    void focusedHoverButtonKeepsBoldWhenTheMouseLeaves();
    void enterKeyClicksOncePerPress();

    void comboBoxStartsNotFlat();
    void flatComboDrawsItsTwoPixelBorderAndRing();
    void disabledFlatComboShowsItsParentsColour();
    void comboPressedWhileDroppedDownTracksTheButton();
};

void TestControls::gradientPanelStartsWithTheDesignValues()
{
    TGradientPanel panel;
    QCOMPARE(panel.size(), QSize(118, 38));
    QCOMPARE(panel.colorFrom(), QColor(0, 0, 255));
    QCOMPARE(panel.colorTo(), QColor(0, 0, 0));
    QCOMPARE(panel.colorCount(), 64);
    QCOMPARE(panel.direction(), TopToBottom);
    QCOMPARE(panel.align(), TGradientPanel::alNone);
    QCOMPARE(panel.focusPolicy(), Qt::NoFocus);
    QCOMPARE(panel.property("Direction").value<TDirection>(), TopToBottom);
    QVERIFY(panel.setProperty("ColorCount", 5));
    QCOMPARE(panel.colorCount(), 5);
}

void TestControls::designPanelIsBlueAtTheTopAndBlackFromRow36()
{
    TGradientPanel panel;
    const QImage image = renderOf(panel);
    for (int x : {0, 59, 117}) {
        // Band 0 is pure blue, but bands 1 and 2 also start on row 0 and are
        // drawn after it: row 0 shows band 2, 255 - MulDiv(2, 255, 63) = 247.
        QCOMPARE(image.pixelColor(x, 0), QColor(0, 0, 247));
        // Row 35 is band 62: 255 - MulDiv(62, 255, 63) = 4.
        QCOMPARE(image.pixelColor(x, 35), QColor(0, 0, 4));
        QCOMPARE(image.pixelColor(x, 36), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(x, 37), QColor(0, 0, 0));
    }
    for (int y = 1; y < image.height(); ++y) {
        QVERIFY(image.pixelColor(59, y).blue() <= image.pixelColor(59, y - 1).blue());
        QCOMPARE(image.pixelColor(59, y).red(), 0);
    }
}

void TestControls::oneColourBandCoversTheRowsAboveHalfTheHeight_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("firstToRow");
    QTest::newRow("even height 38: r(19) - 1") << 38 << 18;
    QTest::newRow("odd height 37: r(18.5) - 1, ties to even") << 37 << 17;
    QTest::newRow("odd height 39: r(19.5) - 1, ties to even") << 39 << 19;
}

void TestControls::oneColourBandCoversTheRowsAboveHalfTheHeight()
{
    QFETCH(int, height);
    QFETCH(int, firstToRow);
    TGradientPanel panel;
    panel.resize(40, height);
    panel.setColorFrom(QColor(197, 228, 252));
    panel.setColorTo(Qt::white);
    panel.setColorCount(1);
    const QImage image = renderOf(panel);
    for (int y = 0; y < height; ++y) {
        const QColor expected = y < firstToRow ? QColor(197, 228, 252) : QColor(Qt::white);
        QVERIFY2(image.pixelColor(20, y) == expected, qPrintable(QString::number(y)));
    }
}

void TestControls::everyDirectionStartsAtColorFrom_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("fromPoint");
    QTest::addColumn<QPoint>("toPoint");
    const QPoint top(59, 0), bottom(59, 37), left(0, 19), right(117, 19), centre(59, 19);
    const QPoint topLeft(0, 0), topRight(117, 0), bottomLeft(0, 37), bottomRight(117, 37);
    const auto add = [](TDirection d, QPoint from, QPoint to) {
        QTest::newRow(QMetaEnum::fromType<TDirection>().valueToKey(d)) << int(d) << from << to;
    };
    add(TopToBottom, top, bottom);
    add(BottomToTop, bottom, top);
    add(LeftToRight, left, right);
    add(RightToLeft, right, left);
    add(EdgesToCenter, topLeft, centre);
    add(CenterToEdges, centre, topLeft);
    add(HCenterToEdges, centre, top);
    add(EdgesToHCenter, bottom, centre);
    add(VCenterToEdges, centre, left);
    add(EdgesToVCenter, right, centre);
    add(TopLeft, topLeft, bottomRight);
    add(BottomLeft, bottomLeft, topRight);
    add(TopRight, topRight, bottomLeft);
    add(BottomRight, bottomRight, topLeft);
    add(EllipticIn, topLeft, centre);
    add(EllipticOut, centre, topLeft);
}

void TestControls::everyDirectionStartsAtColorFrom()
{
    QFETCH(int, direction);
    QFETCH(QPoint, fromPoint);
    QFETCH(QPoint, toPoint);
    const QColor from(255, 0, 0);
    const QColor to(0, 0, 255);
    TGradientPanel panel;
    panel.setColorFrom(from);
    panel.setColorTo(to);
    panel.setDirection(TDirection(direction));
    const QImage image = renderOf(panel);
    // Within a few bands of the named end: 64 bands over 255 make about 8 per band.
    QVERIFY2(distance(image.pixelColor(fromPoint), from) < 60,
             qPrintable(image.pixelColor(fromPoint).name()));
    QVERIFY2(distance(image.pixelColor(toPoint), to) < 60,
             qPrintable(image.pixelColor(toPoint).name()));
}

void TestControls::settingAPropertyRepaintsOnlyWhenItChanges_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("repaints");
    QTest::newRow("same Direction") << QByteArray("Direction") << QVariant::fromValue(TopToBottom) << false;
    QTest::newRow("new Direction") << QByteArray("Direction") << QVariant::fromValue(TopLeft) << true;
    QTest::newRow("same ColorFrom") << QByteArray("ColorFrom") << QVariant(QColor(0, 0, 255)) << false;
    QTest::newRow("new ColorFrom") << QByteArray("ColorFrom") << QVariant(QColor(197, 228, 252)) << true;
    QTest::newRow("same ColorTo") << QByteArray("ColorTo") << QVariant(QColor(0, 0, 0)) << false;
    QTest::newRow("new ColorTo") << QByteArray("ColorTo") << QVariant(QColor(Qt::white)) << true;
    QTest::newRow("same ColorCount") << QByteArray("ColorCount") << QVariant(64) << false;
    QTest::newRow("new ColorCount") << QByteArray("ColorCount") << QVariant(8) << true;
}

void TestControls::settingAPropertyRepaintsOnlyWhenItChanges()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(bool, repaints);
    TGradientPanel panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QApplication::processEvents();
    PaintCounter counter;
    panel.installEventFilter(&counter);
    QVERIFY(panel.setProperty(property.constData(), value));
    QApplication::processEvents();
    QCOMPARE(counter.paints > 0, repaints);
    QCOMPARE(panel.property(property.constData()), value);
}

void TestControls::clientAlignedPanelFillsItsParent()
{
    QWidget parent;
    parent.resize(300, 200);
    auto *panel = new TGradientPanel(&parent);
    panel->setAlign(TGradientPanel::alClient);
    QCOMPARE(panel->geometry(), QRect(0, 0, 300, 200));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    parent.resize(420, 160);
    QApplication::processEvents();
    QCOMPARE(panel->geometry(), QRect(0, 0, 420, 160));
    panel->setAlign(TGradientPanel::alTop);
    QCOMPARE(panel->geometry(), QRect(0, 0, 420, 160));
    panel->resize(420, 38);
    parent.resize(500, 160);
    QApplication::processEvents();
    QCOMPARE(panel->geometry(), QRect(0, 0, 500, 38));
}

void TestControls::hoverButtonStartsFlat()
{
    TIe2Buttn button("Send");
    QCOMPARE(button.size(), QSize(75, 25));
    QCOMPARE(button.focusPolicy(), Qt::StrongFocus);
    QVERIFY(button.tabStop());
    QCOMPARE(button.bevel(), Ie2ButtnState::BevelNone);
    QVERIFY(button.mouseOutside());
    QVERIFY(!button.font().bold());
    QCOMPARE(button.fontColor(), button.palette().color(QPalette::ButtonText));
    QCOMPARE(button.borderStyle(), TIe2Buttn::bsSingle);
    button.setTabStop(false);
    QCOMPARE(button.focusPolicy(), Qt::ClickFocus);
}

void TestControls::hoverButtonTurnsBoldAndRaisesWhileTheMouseIsOver()
{
    TIe2Buttn button("Cancel");
    button.setColor(QColor(200, 200, 200));
    const QColor light = rgb(button.palette().color(QPalette::Light));
    const QColor dark = rgb(button.palette().color(QPalette::Dark));
    QVERIFY(light != dark && light != button.color() && dark != button.color());

    QImage image = renderOf(button);
    QCOMPARE(image.pixelColor(1, 1), button.color());
    QCOMPARE(image.pixelColor(0, 0), rgb(button.palette().color(QPalette::Shadow)));

    sendEnter(button);
    QVERIFY(button.font().bold());
    QCOMPARE(button.bevel(), Ie2ButtnState::BevelRaised);
    image = renderOf(button);
    // Inside the 1-pixel border: light top and left, dark bottom and right.
    QCOMPARE(image.pixelColor(1, 1), light);
    QCOMPARE(image.pixelColor(1, 12), light);
    QCOMPARE(image.pixelColor(73, 23), dark);
    QCOMPARE(image.pixelColor(73, 12), dark);
    QCOMPARE(image.pixelColor(2, 2), button.color());

    sendLeave(button);
    QVERIFY(!button.font().bold());
    QCOMPARE(button.bevel(), Ie2ButtnState::BevelNone);
    QCOMPARE(renderOf(button).pixelColor(1, 1), button.color());
}

void TestControls::pressedHoverButtonIsLoweredAndClicksOnRelease()
{
    TIe2Buttn button("Send");
    QSignalSpy clicks(&button, &TIe2Buttn::clicked);
    sendEnter(button);
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(30, 12));
    QCOMPARE(button.bevel(), Ie2ButtnState::BevelLowered);
    QCOMPARE(renderOf(button).pixelColor(1, 1), rgb(button.palette().color(QPalette::Dark)));
    QCOMPARE(clicks.count(), 0);
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(30, 12));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(button.bevel(), Ie2ButtnState::BevelRaised);
    // Released away from the button: no click.
    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(30, 12));
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(200, 12));
    QCOMPARE(clicks.count(), 1);
}

void TestControls::focusedHoverButtonKeepsBoldWhenTheMouseLeaves()
{
    QWidget window;
    auto *button = new TIe2Buttn("Send", &window);
    auto *other = new TIe2Buttn("Cancel", &window);
    other->move(100, 0);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    QVERIFY(button->hasFocus());
    QVERIFY(button->font().bold());

    sendEnter(*button);
    sendLeave(*button);
    QVERIFY(button->font().bold());
    QCOMPARE(button->bevel(), Ie2ButtnState::BevelNone);

    other->setFocus();
    QVERIFY(!button->font().bold());
    QVERIFY(other->font().bold());
}

void TestControls::enterKeyClicksOncePerPress()
{
    TIe2Buttn button("Send");
    QSignalSpy clicks(&button, &TIe2Buttn::clicked);
    sendKey(button, QEvent::KeyPress, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(button.bevel(), Ie2ButtnState::BevelLowered);
    sendKey(button, QEvent::KeyPress, Qt::Key_Return, true);
    sendKey(button, QEvent::KeyPress, Qt::Key_Return, true);
    QCOMPARE(clicks.count(), 1);
    sendKey(button, QEvent::KeyRelease, Qt::Key_Return);
    QCOMPARE(button.bevel(), Ie2ButtnState::BevelNone);
    sendKey(button, QEvent::KeyPress, Qt::Key_Enter);
    sendKey(button, QEvent::KeyRelease, Qt::Key_Enter);
    QCOMPARE(clicks.count(), 2);
    sendKey(button, QEvent::KeyPress, Qt::Key_Space);
    sendKey(button, QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(clicks.count(), 2);
}

void TestControls::comboBoxStartsNotFlat()
{
    TComboBox97 combo;
    QVERIFY(!combo.isFlat());
    QVERIFY(combo.ctl3D());
    QVERIFY(combo.hasFrame());
    QCOMPARE(combo.buttonWidth(), combo.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    combo.setFlat(true);
    QVERIFY(combo.isFlat());
    QVERIFY(!combo.ctl3D());
    QVERIFY(!combo.hasFrame());
    QVERIFY(combo.property("Flat").toBool());
}

void TestControls::flatComboDrawsItsTwoPixelBorderAndRing()
{
    TComboBox97 combo;
    combo.addItems({"Audio", "Business"});
    combo.resize(120, 21);
    combo.setFlat(true);
    combo.setColor(QColor(250, 250, 210));
    const QPalette palette = combo.palette();
    const QImage image = renderOf(combo);
    const int b = combo.buttonWidth();
    const int cw = 120;

    QCOMPARE(image.pixelColor(0, 0), palette.color(QPalette::Active, QPalette::ButtonText));
    QCOMPARE(image.pixelColor(119, 20), palette.color(QPalette::Active, QPalette::ButtonText));
    QCOMPARE(image.pixelColor(1, 1), palette.color(QPalette::Active, QPalette::Base));
    QCOMPARE(image.pixelColor(1, 10), palette.color(QPalette::Active, QPalette::Base));
    // The ring covers the arrow button's own border: three pixels wide on the
    // left, one above, right and below the inner area.
    const QColor face = rgb(palette.color(QPalette::Active, QPalette::Button));
    QVERIFY(face != rgb(palette.color(QPalette::Active, QPalette::Shadow)));
    QCOMPARE(image.pixelColor(cw - b + 1, 10), face);
    QCOMPARE(image.pixelColor(cw - b + 3, 10), face);
    QCOMPARE(image.pixelColor(cw - b + 6, 3), face);
    QCOMPARE(image.pixelColor(cw - 4, 10), face);
    QCOMPARE(image.pixelColor(cw - b + 6, 17), face);
    // Above the ring, the button's border still shows at its left edge.
    QCOMPARE(image.pixelColor(cw - b + 1, 2), rgb(palette.color(QPalette::Active, QPalette::Shadow)));
    // The client area shows the box's colour around the text.
    QCOMPARE(image.pixelColor(cw - b - 8, 3), QColor(250, 250, 210));
    // Unflat, the toolkit paints: the picture changes.
    combo.setFlat(false);
    QVERIFY(renderOf(combo) != image);
}

void TestControls::disabledFlatComboShowsItsParentsColour()
{
    QWidget parent;
    QPalette parentPalette = parent.palette();
    parentPalette.setColor(QPalette::Window, QColor(10, 120, 40));
    parent.setPalette(parentPalette);
    auto *combo = new TComboBox97(&parent);
    combo->resize(120, 21);
    combo->setFlat(true);
    combo->setColor(QColor(250, 250, 210));
    const QPoint probe(120 - combo->buttonWidth() - 8, 3);

    combo->setEnabled(false);
    QVERIFY(combo->parentColor());
    QCOMPARE(combo->backgroundColor(), QColor(10, 120, 40));
    QCOMPARE(renderOf(*combo).pixelColor(probe), QColor(10, 120, 40));

    combo->setEnabled(true);
    QVERIFY(!combo->parentColor());
    QCOMPARE(combo->color(), QColor(250, 250, 210));
    QCOMPARE(renderOf(*combo).pixelColor(probe), QColor(250, 250, 210));
}

void TestControls::comboPressedWhileDroppedDownTracksTheButton()
{
    QWidget window;
    auto *combo = new TComboBox97(&window);
    combo->addItems({"Audio", "Business", "Development"});
    combo->resize(120, 21);
    combo->setFlat(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Closed: a press only drops the list.
    const QPoint onButton(110, 10);
    QMouseEvent press(QEvent::MouseButtonPress, onButton, combo->mapToGlobal(onButton),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(combo, &press);
    QVERIFY(!combo->isButtonPressed());
    QVERIFY(combo->view()->isVisible());

    QMouseEvent pressAgain(QEvent::MouseButtonPress, onButton, combo->mapToGlobal(onButton),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(combo, &pressAgain);
    QVERIFY(combo->isButtonPressed());
    QVERIFY(combo->isTracking());

    const QPoint away(20, 10);
    QMouseEvent move(QEvent::MouseMove, away, combo->mapToGlobal(away), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(combo, &move);
    QVERIFY(!combo->isButtonPressed());

    QMouseEvent release(QEvent::MouseButtonRelease, away, combo->mapToGlobal(away),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(combo, &release);
    QVERIFY(!combo->isTracking());
    combo->hidePopup();
}

QTEST_MAIN(TestControls)
#include "test_controls.moc"
