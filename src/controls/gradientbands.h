#pragma once

#include "controls/pixeledges.h"

#include <QList>
#include <QObject>

// The band arithmetic of TGradientPanel: which shapes a gradient of a given
// size, direction and band count paints, in which colours and in which order.
namespace Gradient {
Q_NAMESPACE

enum TDirection {
    TopToBottom,
    BottomToTop,
    LeftToRight,
    RightToLeft,
    EdgesToCenter,
    CenterToEdges,
    HCenterToEdges,
    EdgesToHCenter,
    VCenterToEdges,
    EdgesToVCenter,
    TopLeft,
    BottomLeft,
    TopRight,
    BottomRight,
    EllipticIn,
    EllipticOut,
};
Q_ENUM_NS(TDirection)

inline constexpr int DirectionCount = 16;

// TCountOfColor: the number of colour bands, 1 to 255.
using TCountOfColor = int;
inline constexpr TCountOfColor MinColorCount = 1;
inline constexpr TCountOfColor MaxColorCount = 255;

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

struct Shape
{
    enum Kind { Rectangle, Ellipse };
    Kind kind = Rectangle;
    PixelEdges edges;
    Rgb colour;
    friend bool operator==(const Shape &, const Shape &) = default;
};

// a*b/c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int mulDiv(int a, int b, int c);

// x rounded to the nearest integer, ties to even.
int roundHalfEven(double x);

// True when the gradient starts (band 0) at ColorFrom, false when the
// direction starts at ColorTo.
bool startsAtColorFrom(TDirection direction);

// The colour of band `band` of `count` bands running from `start` to `end`.
Rgb bandColour(const Rgb &start, const Rgb &end, int band, int count);

// Everything a gradient paints, in painting order: the elliptic pre-fill,
// the bands, then the final fills. `count` is clamped to 1..255.
QList<Shape> paintList(TDirection direction, int width, int height, TCountOfColor count,
                       const Rgb &colorFrom, const Rgb &colorTo);

} // namespace Gradient
