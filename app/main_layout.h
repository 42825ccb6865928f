#pragma once
// The main window pair's row of the window table, and where every control of its content window
// goes, from its client rectangle, the scale factor and two measured text widths. No Windows
// types: built and tested everywhere.
#include "dialogs/pair_layout.h"

namespace taskwing {

// The main window: the shell never moves the content window; the content window leads from its
// creation on, and its first placement brings the shell to the centred place.
inline constexpr PairTraits kMainPair{
    .shellTemplate = IDD_NORVANETASKWING_DIALOG, .shellPng = IDB_PNG_MAIN_SHELL, .shellWidth = 410,
    .shellHeight = 611, .childTemplate = IDD_TASKWING, .childPng = IDB_PNG_MAIN_BK,
    .inset = {5, 4, 5, 7}, .strip = {30, 86},
    .childFollowsAtStart = false, .onDragStripAtStart = true, .placeChildOnShellRect = true,
    .title = L"Taskwing 任务栏开始按钮工具"};

// Each control's rectangle in client coordinates.
struct MainLayout {
    PairRect close;
    PairRect minimise;
    PairRect version;
    PairRect moveLeft;
    PairRect centre;
    PairRect moreTools;
    PairRect agree;
    PairRect agreement;
    PairRect feedback;
};

// What the layout needs measured in the window's font.
struct MainTextWidths {
    int agreementLine = 0;  // "同意《Veskor服务工具使用许可协议》"
    int feedback = 0;       // "反馈问题"
};

// `client` is the content window's client rectangle (400 x 600 at scale 1.0).
constexpr MainLayout MainLayoutFor(const PairRect& client, float s, const MainTextWidths& widths) {
    const int L = client.left, T = client.top, R = client.right, B = client.bottom;
    // The agreement line's character width, and the feedback link's width with its margin.
    const int w = widths.agreementLine / 14;
    const int f = static_cast<int>(static_cast<float>(widths.feedback) + 4 * s + 8);
    MainLayout m{};

    auto sized = [](int left, int top, float width, float height) {
        return PairRect{left, top, static_cast<int>(static_cast<float>(left) + width),
                        static_cast<int>(static_cast<float>(top) + height)};
    };
    const int closeLeft = static_cast<int>(static_cast<double>(R) - 31.2 * s);
    m.close = sized(closeLeft, T, 26 * s, 34 * s);
    const int minimiseLeft = static_cast<int>(static_cast<double>(R) - 59.8 * s);
    m.minimise = sized(minimiseLeft, T, 26 * s, 34 * s);

    const int versionLeft = Scaled(188, s) + L;
    const int versionTop = Scaled(16, s) + T;
    m.version = {versionLeft, versionTop, Scaled(140, s) + versionLeft, Scaled(15, s) + versionTop};

    const int buttonLeft = static_cast<int>(400 * s / 2 - 246 * s / 2) + L;
    const int moveLeftTop = static_cast<int>(600 * s / 2 - 60 * s) + T;
    const int centreTop = static_cast<int>(600 * s / 2 - 1 * s) + T;
    m.moveLeft = {buttonLeft, moveLeftTop, Scaled(246, s) + buttonLeft, Scaled(47, s) + moveLeftTop};
    m.centre = {buttonLeft, centreTop, Scaled(246, s) + buttonLeft, Scaled(47, s) + centreTop};

    if (client.Width() <= 400) {
        // A window at its design width keeps this button at design pixels.
        m.moreTools = {L + 50, B - 55, L + 50 + 58, B - 55 + 18};
    } else {
        const int left = Scaled(50, s) + L;
        const int top = B - Scaled(55, s);
        m.moreTools = {left, top, Scaled(58, s) + left, Scaled(18, s) + top};
    }

    const int lineTop = static_cast<int>(static_cast<float>(B) - 25 * s);
    const int lineBottom = static_cast<int>(static_cast<float>(lineTop) + 20 * s);
    const int agreeLeft = Scaled(8, s);
    const int agreeRight = static_cast<int>(static_cast<float>(agreeLeft) + 16 * s + static_cast<float>(2 * w + 2));
    m.agree = {agreeLeft, lineTop, agreeRight, lineBottom};
    m.agreement = {agreeRight + 6, lineTop, agreeRight + 6 + 14 * w, lineBottom};
    m.feedback = {R - f - 6, lineTop, R - 6, lineBottom};
    return m;
}

}  // namespace taskwing
