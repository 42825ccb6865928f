#pragma once
// The arithmetic of a skinned window pair: a layered shell and the opaque child that lies on its
// inner part. Where the shell goes, where the child sits on it, where the shell goes when the child
// leads, and the child's drag strip, for a scale factor. A product of a design length and the scale
// is truncated toward zero before it is added or subtracted, except where a function says that the
// whole expression is truncated once. No Windows types: this builds and is tested everywhere.
#include "base/layout_rect.h"
#include "resources/resource.h"

namespace taskwing {

using PairRect = LayoutRect;

struct PairInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A band along the top of the child's client area, less a piece at its right end; height 0: the
// pair cannot be dragged.
struct DragStrip {
    int height = 0;
    int rightCut = 0;
};

// One row of the window table: everything in which the skinned windows differ.
struct PairTraits {
    unsigned shellTemplate;
    unsigned shellPng;
    int shellWidth;  // design size, scaled by the factor
    int shellHeight;
    unsigned childTemplate;
    unsigned childPng;
    PairInsets inset;  // of the child within the shell's window rectangle
    DragStrip strip;
    bool childFollowsAtStart;  // the shell moves the child until the first drag
    bool onDragStripAtStart;   // the child's first moves already pull the shell along
    bool placeChildOnShellRect;  // child placed from the computed shell rectangle, not the window's
    bool reusesComposedSkin = false;  // opened again and again: its stretched skin is kept for the next
    // The child's title, which a screen reader announces (nothing draws it: there is no caption);
    // the shell takes it too unless it has its own. Null: the window names itself.
    const wchar_t* title = nullptr;
};

inline constexpr PairTraits kPromptPair{
    .shellTemplate = IDD_PROMPT, .shellPng = IDB_PNG_PROMPT_SHELL, .shellWidth = 336, .shellHeight = 156,
    .childTemplate = IDD_PROMPT_CHILD, .childPng = IDB_PNG_PROMPT_BK,
    .inset = {5, 3, 5, 7}, .strip = {30, 26},
    .childFollowsAtStart = true, .onDragStripAtStart = false, .placeChildOnShellRect = false,
    .reusesComposedSkin = true, .title = L"提示"};

inline constexpr PairTraits kProblemSolvedPair{
    .shellTemplate = IDD_PROBLEM_SOLVING, .shellPng = IDB_PNG_PROBLEM_SOLVING_SHELL, .shellWidth = 410,
    .shellHeight = 479, .childTemplate = IDD_PROBLEM_SOLVING_CHILD, .childPng = IDB_PNG_PROBLEM_SOLVING_BK,
    .inset = {5, 4, 5, 7}, .strip = {30, 0},
    .childFollowsAtStart = true, .onDragStripAtStart = false, .placeChildOnShellRect = false,
    .title = L"您的问题解决了吗？"};

// The progress window cannot be dragged; it is named by its text.
inline constexpr PairTraits kProgressPair{
    .shellTemplate = IDD_EXECUTE_PROMPT, .shellPng = IDB_PNG_EXECUTE_PROMPT_SHELL, .shellWidth = 232,
    .shellHeight = 132, .childTemplate = IDD_EXECUTE_PROMPT_CHILD, .childPng = IDB_PNG_EXECUTE_PROMPT_BK,
    .inset = {14, 12, 14, 16}, .strip = {0, 0},
    .childFollowsAtStart = true, .onDragStripAtStart = false, .placeChildOnShellRect = false,
    .reusesComposedSkin = true};

// A design length times the scale, truncated toward zero.
constexpr int Scaled(int length, float scale) { return static_cast<int>(static_cast<float>(length) * scale); }

// The scale factor for the screen's vertical dots per inch: 1.0 up to 100, else dpi / 96.
constexpr float ScaleForDpi(int dpi) { return dpi > 100 ? static_cast<float>(dpi) / 96.0f : 1.0f; }

// The shell centred on a screen; its width and height are what a window takes from it.
constexpr PairRect ShellRect(int screenWidth, int screenHeight, int width, int height, float scale) {
    const float w = scale * static_cast<float>(width);
    const float h = scale * static_cast<float>(height);
    const int left = screenWidth / 2 - static_cast<int>(w / 2);
    const int top = screenHeight / 2 - static_cast<int>(h / 2);
    return {left, top, static_cast<int>(static_cast<float>(left) + w), static_cast<int>(static_cast<float>(top) + h)};
}

// The child's first place on the shell: position and size each computed in floating point and
// truncated once.
constexpr PairRect ChildPlacement(const PairRect& shell, const PairInsets& inset, float scale) {
    const int x = static_cast<int>(static_cast<float>(shell.left) + static_cast<float>(inset.left) * scale);
    const int y = static_cast<int>(static_cast<float>(shell.top) + static_cast<float>(inset.top) * scale);
    const int width = static_cast<int>(static_cast<float>(shell.Width()) -
                                       static_cast<float>(inset.left + inset.right) * scale);
    const int height = static_cast<int>(static_cast<float>(shell.Height()) -
                                        static_cast<float>(inset.top + inset.bottom) * scale);
    return {x, y, x + width, y + height};
}

// Where the child goes when the shell moves it along: moved by the truncated left and top insets,
// keeping its size. Cut from the shell by each truncated inset instead, the child would come out a
// pixel larger than at creation at 1.25 and 1.5, and the pair would change size at its first move.
constexpr PairRect ChildOnShell(const PairRect& shell, const PairInsets& inset, float scale, int childWidth,
                                int childHeight) {
    const int left = shell.left + Scaled(inset.left, scale);
    const int top = shell.top + Scaled(inset.top, scale);
    return {left, top, left + childWidth, top + childHeight};
}

// Where the shell goes when the child leads: the same, the other way round; the shell keeps its size.
constexpr PairRect ShellAroundChild(const PairRect& child, const PairInsets& inset, float scale, int shellWidth,
                                    int shellHeight) {
    const int left = child.left - Scaled(inset.left, scale);
    const int top = child.top - Scaled(inset.top, scale);
    return {left, top, left + shellWidth, top + shellHeight};
}

// The drag strip within the child's client rectangle (both in the same coordinates).
constexpr PairRect DragStripRect(const PairRect& client, const DragStrip& strip, float scale) {
    return {client.left, client.top, client.right - Scaled(strip.rightCut, scale),
            client.top + Scaled(strip.height, scale)};
}

// Left and top inside, right and bottom outside.
constexpr bool Contains(const PairRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

}  // namespace taskwing
