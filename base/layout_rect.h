#pragma once
// The rectangle of the plain layout functions. No Windows types: builds and is tested everywhere.
namespace taskwing {

// Left, top, right, bottom; right and bottom are outside, as in a Windows RECT.
struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

// A length in floating point cut to whole pixels, toward zero, as every layout cuts them.
constexpr int Trunc(float value) { return static_cast<int>(value); }

}  // namespace taskwing
