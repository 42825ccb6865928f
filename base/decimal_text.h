#pragma once
// A number as decimal text, zero-padded to at least `width` digits, made by hand: the C library's
// formatted printing would bring its whole engine (about 20 KB) into the program for a few numbers.
// No Windows types: built and tested everywhere.
#include <cstdint>
#include <string>

namespace taskwing {

inline std::wstring DecimalText(std::int64_t value, int width = 1) {
    // The magnitude unsigned, so that the most negative value has one too.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    wchar_t digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::wstring text;
    if (value < 0) text += L'-';
    for (int pad = count; pad < width; ++pad) text += L'0';
    while (count > 0) text += digits[--count];
    return text;
}

}  // namespace taskwing
