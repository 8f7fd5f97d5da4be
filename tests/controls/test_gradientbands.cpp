#include "controls/gradientbands.h"

#include <QTest>

using namespace Gradient;

namespace {

const Rgb Blue{0, 0, 255};
const Rgb Black{0, 0, 0};

// "R(l,t,r,b)" or "E(l,t,r,b)" per shape, blank-separated, in painting order.
QString describe(const QList<Shape> &shapes)
{
    QStringList parts;
    for (const Shape &s : shapes) {
        parts.append(QStringLiteral("%1(%2,%3,%4,%5)")
                         .arg(s.kind == Shape::Ellipse ? 'E' : 'R')
                         .arg(s.edges.left)
                         .arg(s.edges.top)
                         .arg(s.edges.right)
                         .arg(s.edges.bottom));
    }
    return parts.join(' ');
}

} // namespace

class TestGradientBands : public QObject
{
    Q_OBJECT

private slots:
    void mulDivRoundsHalvesAwayFromZero_data();
    void mulDivRoundsHalvesAwayFromZero();
    void roundingTiesGoToTheEvenNeighbour_data();
    void roundingTiesGoToTheEvenNeighbour();
    void bandShapesFollowTheDirectionTable_data();
    void bandShapesFollowTheDirectionTable();
    void designPanelRunsFromPureBlueToBlack();
    void bandColoursStepByRoundedShares_data();
    void bandColoursStepByRoundedShares();
    void colourCountIsKeptBetweenOneAnd255();
};

void TestGradientBands::mulDivRoundsHalvesAwayFromZero_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("result");
    QTest::newRow("half rounds up") << 1 << 255 << 2 << 128;
    QTest::newRow("negative half rounds down") << 1 << -255 << 2 << -128;
    QTest::newRow("negative factor") << -1 << 255 << 2 << -128;
    QTest::newRow("negative divisor") << 1 << 255 << -2 << -128;
    QTest::newRow("two negatives") << -5 << 3 << -2 << 8;
    QTest::newRow("below half") << 2 << 255 << 63 << 8;
    QTest::newRow("negative below half") << 1 << -255 << 63 << -4;
    QTest::newRow("above half") << 62 << -255 << 63 << -251;
    QTest::newRow("exact") << 63 << -255 << 63 << -255;
    QTest::newRow("zero") << 0 << 200 << 7 << 0;
    QTest::newRow("no overflow of the product") << 2000000 << 2000000 << 4000000 << 1000000;
    QTest::newRow("division by zero") << 7 << 3 << 0 << -1;
}

void TestGradientBands::mulDivRoundsHalvesAwayFromZero()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, result);
    QCOMPARE(mulDiv(a, b, c), result);
}

void TestGradientBands::roundingTiesGoToTheEvenNeighbour_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("result");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("18.5") << 18.5 << 18;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("below half") << 2.49 << 2;
    QTest::newRow("above half") << 2.51 << 3;
    QTest::newRow("negative above half") << -2.51 << -3;
    QTest::newRow("whole") << 19.0 << 19;
}

void TestGradientBands::roundingTiesGoToTheEvenNeighbour()
{
    QFETCH(double, x);
    QFETCH(int, result);
    QCOMPARE(roundHalfEven(x), result);
}

void TestGradientBands::bandShapesFollowTheDirectionTable_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shapes");

    // 100 by 40 with four bands: the steps are whole numbers (W/5 = 20, H/5 = 8,
    // W/10 = 10, H/10 = 4), so every edge below follows from the table by hand.
    const QString vertical = "R(0,-1,100,8) R(0,7,100,16) R(0,15,100,24) R(0,23,100,32) R(0,31,100,40)";
    const QString horizontal = "R(-1,0,20,40) R(19,0,40,40) R(39,0,60,40) R(59,0,80,40) R(79,0,100,40)";
    const QString frames = "(-1,-1,100,40) (9,3,90,36) (19,7,80,32) (29,11,70,28)";
    const QString hCenter = "R(0,-1,100,4) R(0,36,100,41) R(0,3,100,8) R(0,32,100,37) R(0,7,100,12) "
                            "R(0,28,100,33) R(0,11,100,16) R(0,24,100,29) R(0,15,100,20) R(0,19,100,28)";
    const QString vCenter = "R(-1,0,10,40) R(90,0,101,40) R(9,0,20,40) R(80,0,91,40) R(19,0,30,40) "
                            "R(70,0,81,40) R(29,0,40,40) R(60,0,71,40) R(39,0,50,40) R(49,0,70,40)";
    const auto add = [](TDirection d, const QString &shapes) {
        QTest::newRow(QMetaEnum::fromType<TDirection>().valueToKey(d)) << int(d) << 100 << 40 << 4
                                                                      << shapes;
    };
    add(TopToBottom, vertical);
    add(BottomToTop, vertical);
    add(LeftToRight, horizontal);
    add(RightToLeft, horizontal);
    add(EdgesToCenter, "R" + frames.split(' ').join(" R"));
    add(CenterToEdges, "R" + frames.split(' ').join(" R"));
    add(HCenterToEdges, hCenter);
    add(EdgesToHCenter, hCenter);
    add(VCenterToEdges, vCenter);
    add(EdgesToVCenter, vCenter);
    add(TopLeft, "R(0,0,101,41) R(0,0,81,33) R(0,0,61,25) R(0,0,41,17)");
    add(BottomLeft, "R(0,-1,101,40) R(0,7,81,40) R(0,15,61,40) R(0,23,41,40)");
    add(TopRight, "R(-1,0,100,41) R(19,0,100,33) R(39,0,100,25) R(59,0,100,17)");
    add(BottomRight, "R(-1,-1,100,40) R(19,7,100,40) R(39,15,100,40) R(59,23,100,40)");
    add(EllipticIn, "R(0,0,100,40) E" + frames.split(' ').join(" E"));
    add(EllipticOut, "R(0,0,100,40) E" + frames.split(' ').join(" E"));

    // H/(N+1) = 2.5: 2.5 rounds to 2 and 7.5 to 8.
    QTest::newRow("ties to even in band edges") << int(TopToBottom) << 5 << 10 << 3
                                                << "R(0,-1,5,2) R(0,1,5,5) R(0,4,5,8) R(0,7,5,10)";
    // One band on an odd height: r(37/2) = r(18.5) = 18.
    QTest::newRow("one band, odd height") << int(TopToBottom) << 5 << 37 << 1
                                          << "R(0,-1,5,18) R(0,17,5,37)";
    // The final centre fills use r(H/2) and r(W/2): r(4.5) = 4, r(2.5) = 2.
    QTest::newRow("centre fill on odd height") << int(HCenterToEdges) << 5 << 9 << 1
                                               << "R(0,-1,5,2) R(0,7,5,10) R(0,1,5,4) R(0,3,5,9)";
    QTest::newRow("centre fill on odd width") << int(VCenterToEdges) << 5 << 9 << 1
                                              << "R(-1,0,1,9) R(4,0,6,9) R(0,0,2,9) R(1,0,5,9)";
}

void TestGradientBands::bandShapesFollowTheDirectionTable()
{
    QFETCH(int, direction);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, count);
    QFETCH(QString, shapes);
    QCOMPARE(describe(paintList(TDirection(direction), width, height, count, Blue, Black)), shapes);
}

void TestGradientBands::designPanelRunsFromPureBlueToBlack()
{
    const QList<Shape> shapes = paintList(TopToBottom, 118, 38, 64, Blue, Black);
    QCOMPARE(shapes.size(), 65);
    // sy = 38/65: band 0 covers row 0 in pure blue, band 63 is black on row
    // 36, and the final fill paints rows 36 and 37 black.
    QCOMPARE(shapes.at(0).edges, (PixelEdges{0, -1, 118, 1}));
    QCOMPARE(shapes.at(0).colour, Blue);
    QCOMPARE(shapes.at(1).colour, (Rgb{0, 0, 251}));
    QCOMPARE(shapes.at(63).edges, (PixelEdges{0, 36, 118, 37}));
    QCOMPARE(shapes.at(63).colour, Black);
    QCOMPARE(shapes.at(64).edges, (PixelEdges{0, 36, 118, 38}));
    QCOMPARE(shapes.at(64).colour, Black);
}

void TestGradientBands::bandColoursStepByRoundedShares_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("channel");
    QTest::newRow("rising half rounds up") << 1 << 3 << 0 << 255 << 128;
    QTest::newRow("falling half rounds away from zero") << 1 << 3 << 255 << 0 << 127;
    QTest::newRow("light blue to white, green") << 1 << 64 << 228 << 255 << 228;
    QTest::newRow("light blue to white, red") << 32 << 64 << 197 << 255 << 226;
    QTest::newRow("last band is the end colour") << 63 << 64 << 197 << 255 << 255;
    QTest::newRow("first band is the start colour") << 0 << 64 << 197 << 255 << 197;
}

void TestGradientBands::bandColoursStepByRoundedShares()
{
    QFETCH(int, band);
    QFETCH(int, count);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, channel);
    const Rgb colour = bandColour({start, start, start}, {end, end, end}, band, count);
    QCOMPARE(colour, (Rgb{channel, channel, channel}));
}

void TestGradientBands::colourCountIsKeptBetweenOneAnd255()
{
    QCOMPARE(paintList(TopToBottom, 118, 38, 0, Blue, Black),
             paintList(TopToBottom, 118, 38, 1, Blue, Black));
    QCOMPARE(paintList(TopToBottom, 118, 38, -5, Blue, Black).size(), 2);
    QCOMPARE(paintList(TopToBottom, 118, 38, 1000, Blue, Black),
             paintList(TopToBottom, 118, 38, 255, Blue, Black));
}

QTEST_APPLESS_MAIN(TestGradientBands)
#include "test_gradientbands.moc"
