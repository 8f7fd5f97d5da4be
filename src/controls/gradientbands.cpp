#include "controls/gradientbands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Gradient {

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = std::llabs(product);
    const long long divisor = std::llabs(static_cast<long long>(c));
    const long long rounded = (2 * magnitude + divisor) / (2 * divisor);
    return static_cast<int>(negative ? -rounded : rounded);
}

int roundHalfEven(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    double result = below;
    if (fraction > 0.5)
        result = below + 1;
    else if (fraction == 0.5)
        result = std::fmod(below, 2.0) == 0.0 ? below : below + 1;
    return static_cast<int>(result);
}

bool startsAtColorFrom(TDirection direction)
{
    switch (direction) {
    case TopToBottom:
    case LeftToRight:
    case EdgesToCenter:
    case EdgesToHCenter:
    case EdgesToVCenter:
    case EllipticIn:
        return true;
    default:
        return false;
    }
}

Rgb bandColour(const Rgb &start, const Rgb &end, int band, int count)
{
    if (count <= 1)
        return start;
    return {start.red + mulDiv(band, end.red - start.red, count - 1),
            start.green + mulDiv(band, end.green - start.green, count - 1),
            start.blue + mulDiv(band, end.blue - start.blue, count - 1)};
}

namespace {

Shape rectangle(int left, int top, int right, int bottom, const Rgb &colour)
{
    return {Shape::Rectangle, PixelEdges{left, top, right, bottom}.ordered(), colour};
}

} // namespace

QList<Shape> paintList(TDirection direction, int width, int height, TCountOfColor count,
                       const Rgb &colorFrom, const Rgb &colorTo)
{
    const int w = width;
    const int h = height;
    const int n = std::clamp(count, MinColorCount, MaxColorCount);
    const Rgb s = startsAtColorFrom(direction) ? colorFrom : colorTo;
    const Rgb e = startsAtColorFrom(direction) ? colorTo : colorFrom;
    const auto r = roundHalfEven;

    double sx = 0;
    double sy = 0;
    switch (direction) {
    case TopToBottom:
    case BottomToTop:
        sy = double(h) / (n + 1);
        break;
    case LeftToRight:
    case RightToLeft:
        sx = double(w) / (n + 1);
        break;
    case HCenterToEdges:
    case EdgesToHCenter:
        sy = double(h) / (2 * n + 2);
        break;
    case VCenterToEdges:
    case EdgesToVCenter:
        sx = double(w) / (2 * n + 2);
        break;
    case EdgesToCenter:
    case CenterToEdges:
    case EllipticIn:
    case EllipticOut:
        sx = double(w) / (2 * n + 2);
        sy = double(h) / (2 * n + 2);
        break;
    case TopLeft:
    case BottomLeft:
    case TopRight:
    case BottomRight:
        sx = double(w) / (n + 1);
        sy = double(h) / (n + 1);
        break;
    }

    QList<Shape> shapes;
    shapes.reserve(2 * n + 3);
    if (direction == EllipticIn || direction == EllipticOut)
        shapes.append(rectangle(0, 0, w, h, s));

    for (int i = 0; i < n; ++i) {
        const Rgb c = bandColour(s, e, i, n);
        const int xi = r(i * sx);
        const int yi = r(i * sy);
        const int xNext = r((i + 1) * sx);
        const int yNext = r((i + 1) * sy);
        switch (direction) {
        case TopToBottom:
        case BottomToTop:
            shapes.append(rectangle(0, yi - 1, w, yNext, c));
            break;
        case LeftToRight:
        case RightToLeft:
            shapes.append(rectangle(xi - 1, 0, xNext, h, c));
            break;
        case EdgesToCenter:
        case CenterToEdges:
            shapes.append(rectangle(xi - 1, yi - 1, w - xi, h - yi, c));
            break;
        case HCenterToEdges:
        case EdgesToHCenter:
            shapes.append(rectangle(0, yi - 1, w, yNext, c));
            shapes.append(rectangle(0, h - yi + 1, w, h - yNext, c));
            break;
        case VCenterToEdges:
        case EdgesToVCenter:
            shapes.append(rectangle(xi - 1, 0, xNext, h, c));
            shapes.append(rectangle(w - xi + 1, 0, w - xNext, h, c));
            break;
        case TopLeft:
            shapes.append(rectangle(0, 0, w - xi + 1, h - yi + 1, c));
            break;
        case BottomLeft:
            shapes.append(rectangle(0, yi - 1, w - xi + 1, h, c));
            break;
        case TopRight:
            shapes.append(rectangle(xi - 1, 0, w, h - yi + 1, c));
            break;
        case BottomRight:
            shapes.append(rectangle(xi - 1, yi - 1, w, h, c));
            break;
        case EllipticIn:
        case EllipticOut:
            shapes.append({Shape::Ellipse, PixelEdges{xi - 1, yi - 1, w - xi, h - yi}.ordered(), c});
            break;
        }
    }

    // H/2 and W/2 are real divisions, so an odd size rounds to the even side.
    const int halfH = r(h / 2.0);
    const int halfW = r(w / 2.0);
    switch (direction) {
    case TopToBottom:
    case BottomToTop:
        shapes.append(rectangle(0, r(n * sy) - 1, w, h, e));
        break;
    case LeftToRight:
    case RightToLeft:
        shapes.append(rectangle(r(n * sx) - 1, 0, w, h, e));
        break;
    case HCenterToEdges:
    case EdgesToHCenter:
        shapes.append(rectangle(0, r(n * sy) - 1, w, halfH, e));
        shapes.append(rectangle(0, halfH - 1, w, h - r((n - 1) * sy), e));
        break;
    case VCenterToEdges:
    case EdgesToVCenter:
        shapes.append(rectangle(r(n * sx) - 1, 0, halfW, h, e));
        shapes.append(rectangle(halfW - 1, 0, w - r((n - 1) * sx), h, e));
        break;
    default:
        break;
    }
    return shapes;
}

} // namespace Gradient
