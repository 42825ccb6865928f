#pragma once
// The progress window's child: where its one line of text goes for a client size and a scale. No
// Windows types: this builds and is tested everywhere.
#include "dialogs/pair_layout.h"

namespace taskwing {

struct ProgressLayout {
    PairRect text;
};

// A band 40 high (scaled) on the middle of the client area, 10 in from either side; each edge is
// truncated once.
constexpr ProgressLayout LayoutProgress(int width, int height, float s) {
    const int left = static_cast<int>(10 * s);
    const int top = static_cast<int>(static_cast<float>(height / 2) - 20 * s);
    const int right = static_cast<int>(static_cast<float>(width) - 10 * s);
    const int bottom = static_cast<int>(static_cast<float>(top) + 40 * s);
    return {{left, top, right, bottom}};
}

}  // namespace taskwing
