#pragma once

#include <algorithm>

// A rectangle by its four edges in pixel coordinates, drawn the Windows way:
// the right and bottom edges are not filled.
struct PixelEdges
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    // The same rectangle with left <= right and top <= bottom.
    PixelEdges ordered() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }

    friend bool operator==(const PixelEdges &, const PixelEdges &) = default;
};
