#include "controls/controlstates.h"

#include <QTest>

namespace {

constexpr quint32 ButtonText = 0xff000000;
constexpr quint32 GreyText = 0xff808080;
constexpr quint32 Red = 0xffff0000;
constexpr quint32 White = 0xffffffff;

// Plays a comma-separated list of hover-button notices.
void play(Ie2ButtnState &state, const QString &events)
{
    for (const QString &event : events.split(',', Qt::SkipEmptyParts)) {
        if (event == "enter")
            state.mouseEntered();
        else if (event == "leave")
            state.mouseLeft(false);
        else if (event == "leave-focused")
            state.mouseLeft(true);
        else if (event == "down")
            state.leftButtonDown();
        else if (event == "up")
            state.leftButtonUp();
        else if (event.startsWith("key-down-"))
            state.keyDown(event.mid(9).toInt());
        else if (event.startsWith("key-up-"))
            state.keyUp(event.mid(7).toInt());
        else if (event == "focus")
            state.focusGained();
        else if (event == "blur")
            state.focusLost();
        else
            QFAIL(qPrintable("unknown event " + event));
    }
}

} // namespace

class TestControlStates : public QObject
{
    Q_OBJECT

private slots:
    void hoverButtonFollowsItsStateTable_data();
    void hoverButtonFollowsItsStateTable();
    void disabledHoverButtonShowsGreyAndGetsItsColourBack();

    void disabledFlatComboTakesItsParentsColourUntilEnabled();
    void enablingRestoresOnlyWhatADisableRemembered();
    void buttonAreaIsTheRightmostButtonWidth_data();
    void buttonAreaIsTheRightmostButtonWidth();
    void pressedMarkIsSetOnlyOnADroppedDownList();
    void pressedMarkClearsWhenThePointerLeavesTheButton();
    void buttonUpClearsThePressedMark();
};

void TestControlStates::hoverButtonFollowsItsStateTable_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<int>("bevel");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("outside");
    using S = Ie2ButtnState;
    QTest::newRow("at creation") << "" << int(S::BevelNone) << false << true;
    QTest::newRow("mouse enters") << "enter" << int(S::BevelRaised) << true << false;
    QTest::newRow("mouse leaves") << "enter,leave" << int(S::BevelNone) << false << true;
    QTest::newRow("focused button keeps bold on leaving")
        << "focus,enter,leave-focused" << int(S::BevelNone) << true << true;
    QTest::newRow("then loses it with the focus")
        << "focus,enter,leave-focused,blur" << int(S::BevelNone) << false << true;
    QTest::newRow("focus lost under the mouse") << "enter,focus,blur" << int(S::BevelNone) << false << false;
    QTest::newRow("focus alone makes bold, no bevel") << "focus" << int(S::BevelNone) << true << true;
    QTest::newRow("button down lowers") << "enter,down" << int(S::BevelLowered) << true << false;
    QTest::newRow("button up inside raises") << "enter,down,up" << int(S::BevelRaised) << true << false;
    QTest::newRow("button up after leaving stays flat")
        << "enter,down,leave,up" << int(S::BevelNone) << false << true;
    QTest::newRow("Enter down lowers") << "focus,key-down-13" << int(S::BevelLowered) << true << true;
    QTest::newRow("Enter up outside flattens")
        << "focus,key-down-13,key-up-13" << int(S::BevelNone) << true << true;
    QTest::newRow("Enter up inside raises")
        << "enter,focus,key-down-13,key-up-13" << int(S::BevelRaised) << true << false;
    QTest::newRow("other key up outside keeps the bevel")
        << "focus,key-down-13,key-up-65" << int(S::BevelLowered) << true << true;
    QTest::newRow("other key down does nothing") << "focus,key-down-32" << int(S::BevelNone) << true << true;
}

void TestControlStates::hoverButtonFollowsItsStateTable()
{
    QFETCH(QString, events);
    QFETCH(int, bevel);
    QFETCH(bool, bold);
    QFETCH(bool, outside);
    Ie2ButtnState state(ButtonText);
    play(state, events);
    QCOMPARE(int(state.bevel()), bevel);
    QCOMPARE(state.bold(), bold);
    QCOMPARE(state.mouseOutside(), outside);
}

void TestControlStates::disabledHoverButtonShowsGreyAndGetsItsColourBack()
{
    Ie2ButtnState state(ButtonText);
    QCOMPARE(state.fontColour(), ButtonText);
    state.setFontColour(Red);
    state.disabled(GreyText);
    QCOMPARE(state.fontColour(), GreyText);
    // A repeated notice must not make grey the colour to return to.
    state.disabled(GreyText);
    state.enabled();
    QCOMPARE(state.fontColour(), Red);
    state.enabled();
    QCOMPARE(state.fontColour(), Red);
}

void TestControlStates::disabledFlatComboTakesItsParentsColourUntilEnabled()
{
    ComboBox97State state(18, White);
    state.enabledChanged(false); // not flat: no change
    QVERIFY(!state.parentColour());
    state.enabledChanged(true);
    state.setFlat(true);
    state.setColour(Red);
    state.enabledChanged(false);
    QVERIFY(state.parentColour());
    state.enabledChanged(true);
    QVERIFY(!state.parentColour());
    QCOMPARE(state.colour(), Red);
}

void TestControlStates::enablingRestoresOnlyWhatADisableRemembered()
{
    ComboBox97State state(18, White);
    state.setParentColour(true);
    state.enabledChanged(false); // not flat yet: nothing remembered
    state.setFlat(true);
    state.setParentColour(false);
    state.setColour(Red);
    state.enabledChanged(true);
    QVERIFY(!state.parentColour());
    QCOMPARE(state.colour(), Red);
}

void TestControlStates::buttonAreaIsTheRightmostButtonWidth_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("inside");
    QTest::newRow("left edge of the button") << 82 << 10 << true;
    QTest::newRow("just left of it") << 81 << 10 << false;
    QTest::newRow("right edge") << 99 << 10 << true;
    QTest::newRow("above") << 90 << -1 << false;
    QTest::newRow("below") << 90 << 21 << false;
}

void TestControlStates::buttonAreaIsTheRightmostButtonWidth()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, inside);
    const ComboBox97State state(18, White);
    QCOMPARE(state.inButtonArea(x, y, 100, 21), inside);
}

void TestControlStates::pressedMarkIsSetOnlyOnADroppedDownList()
{
    ComboBox97State state(18, White);
    QVERIFY(!state.leftButtonDown(false));
    QVERIFY(!state.buttonPressed());
    QVERIFY(!state.tracking());
    QVERIFY(state.leftButtonDown(true));
    QVERIFY(state.buttonPressed());
    QVERIFY(state.tracking());
}

void TestControlStates::pressedMarkClearsWhenThePointerLeavesTheButton()
{
    ComboBox97State state(18, White);
    QVERIFY(!state.mouseMoved(10, 10, 100, 21)); // not tracking
    state.leftButtonDown(true);
    QVERIFY(!state.mouseMoved(90, 10, 100, 21));
    QVERIFY(state.buttonPressed());
    QVERIFY(state.mouseMoved(50, 10, 100, 21));
    QVERIFY(!state.buttonPressed());
    QVERIFY(state.tracking());
    // Once cleared, moving further redraws nothing more.
    QVERIFY(!state.mouseMoved(40, 10, 100, 21));
}

void TestControlStates::buttonUpClearsThePressedMark()
{
    ComboBox97State state(18, White);
    state.leftButtonDown(true);
    QVERIFY(state.leftButtonUp());
    QVERIFY(!state.buttonPressed());
    QVERIFY(!state.tracking());
    QVERIFY(!state.leftButtonUp());
}

QTEST_APPLESS_MAIN(TestControlStates)
#include "test_controlstates.moc"
