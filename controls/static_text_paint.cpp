// What both drawn static texts share when they paint: alignment flags and the dots.
#include "controls/static_text_paint.h"

namespace taskwing {

namespace {

constexpr UINT kBlockMeasure = DT_CALCRECT | DT_EXTERNALLEADING | DT_WORDBREAK;
constexpr UINT kOneLine = DT_EXTERNALLEADING | DT_SINGLELINE | DT_VCENTER;
constexpr UINT kBlock = DT_EXTERNALLEADING | DT_WORDBREAK | DT_VCENTER;

constexpr UINT kStateMeasure = DT_CALCRECT | DT_WORDBREAK;
constexpr UINT kStateOneLine = DT_SINGLELINE | DT_VCENTER;
constexpr UINT kStateBlock = DT_WORDBREAK | DT_VCENTER;

TextLayout Straight(UINT drawFlags) { return {true, false, 0, drawFlags}; }
TextLayout Centred(UINT measureFlags, UINT drawFlags) { return {true, true, measureFlags, drawFlags}; }

}  // namespace

TextLayout DrawTextLayoutFor(TextAlign mode) {
    switch (mode) {
    case TextAlign::kBlock:
        return Centred(kBlockMeasure, kBlock);
    case TextAlign::kOneLine:
    case TextAlign::kOneLineToo:
        return Straight(kOneLine);
    case TextAlign::kOneLineCentred:
        return Straight(kOneLine | DT_CENTER);
    case TextAlign::kBlockRight:
        return Centred(kBlockMeasure, kBlock | DT_RIGHT);
    case TextAlign::kBlockCentred:
        return Centred(kBlockMeasure, kBlock | DT_CENTER);
    case TextAlign::kTopLeft:
        return Straight(DT_EXTERNALLEADING | DT_WORDBREAK);
    case TextAlign::kEditControlBlock:
        return Centred(kBlockMeasure | DT_EDITCONTROL, DT_EDITCONTROL | DT_EXTERNALLEADING | DT_WORDBREAK);
    default:
        return {};
    }
}

TextLayout StateInfoLayoutFor(StateAlign mode) {
    switch (mode) {
    case StateAlign::kOneLineCentred:
        return Straight(kStateOneLine | DT_CENTER);
    case StateAlign::kOneLineRight:
        return Straight(kStateOneLine | DT_RIGHT);
    case StateAlign::kBlockLeft:
        return Centred(kStateMeasure, kStateBlock);
    case StateAlign::kBlockCentred:
        return Centred(kStateMeasure, kStateBlock | DT_CENTER);
    case StateAlign::kBlockRight:
        return Centred(kStateMeasure, kStateBlock | DT_RIGHT);
    default:
        return Straight(kStateOneLine);
    }
}

void DrawLaidOutText(HDC dc, const std::wstring& text, RECT& client, const TextLayout& layout) {
    if (!layout.draw) return;
    const int length = static_cast<int>(text.size());
    if (layout.centreBlock) {
        // DT_VCENTER works on single lines only: a block is measured and moved by hand.
        RECT measure{client.left, client.top, client.right, client.top + 10};
        ::DrawTextW(dc, text.c_str(), length, &measure, layout.measureFlags);
        const int offset = ((client.bottom - client.top) - (measure.bottom - measure.top)) / 2;
        client.top += offset;
    }
    ::DrawTextW(dc, text.c_str(), length, &client, layout.drawFlags);
}

const wchar_t* DotsSuffix(int dots) {
    switch (dots) {
    case 1:
        return L".";
    case 2:
        return L"..";
    case 3:
        return L"...";
    default:
        return L"";
    }
}

}  // namespace taskwing
