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

void DrawImagePiece(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& client, const RECT& source) {
    const Gdiplus::Rect target(client.left, client.top, client.right - client.left, client.bottom - client.top);
    graphics.DrawImage(image, target, source.left, source.top, source.right - source.left, source.bottom - source.top,
                       Gdiplus::UnitPixel);
}

void DrawParentPiece(HDC dc, Gdiplus::Image* image, const RECT& client, const RECT& source,
                     std::optional<Gdiplus::SmoothingMode> smoothing) {
    if (image == nullptr) return;
    // Flushed into the DC when it goes, before any GDI text lands on top.
    Gdiplus::Graphics graphics(dc);
    if (smoothing) graphics.SetSmoothingMode(*smoothing);
    DrawImagePiece(graphics, image, client, source);
}

OffscreenCanvas::OffscreenCanvas(HDC target, int width, int height) {
    if (target == nullptr || width <= 0 || height <= 0) return;
    m_dc.reset(::CreateCompatibleDC(target));
    if (!m_dc) return;
    m_bitmap.reset(::CreateCompatibleBitmap(target, width, height));
    if (!m_bitmap) return;
    m_select.emplace(m_dc.get(), m_bitmap.get());
}

void OffscreenCanvas::CopyTo(HDC target, int width, int height) const {
    if (*this) ::BitBlt(target, 0, 0, width, height, m_dc.get(), 0, 0, SRCCOPY);
}

}  // namespace taskwing
