#include "controls/paint_pieces.h"

namespace taskwing {

void DrawImagePiece(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& client, const RECT& source) {
    const Gdiplus::Rect target(client.left, client.top, client.right - client.left, client.bottom - client.top);
    graphics.DrawImage(image, target, source.left, source.top, source.right - source.left, source.bottom - source.top,
                       Gdiplus::UnitPixel);
}

void DrawWholeImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& target) {
    const RECT whole{0, 0, static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
    DrawImagePiece(graphics, image, target, whole);
}

void StretchBackground(HDC dc, Gdiplus::Image* image, const RECT& target) {
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    DrawWholeImage(graphics, image, target);
}

void ParentPiece::Draw(Gdiplus::Graphics& graphics, const RECT& client) const {
    if (image != nullptr) DrawImagePiece(graphics, image, client, source);
}

void ParentPiece::Draw(HDC dc, const RECT& client, std::optional<Gdiplus::SmoothingMode> smoothing) const {
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

void StateImages::Load(HMODULE module, UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId) {
    LoadPngResource(m_normal, module, normalId);
    LoadPngResource(m_hover, module, hoverId);
    LoadPngResource(m_pressed, module, pressedId);
    LoadPngResource(m_disabled, module, disabledId);
}

void StateImages::Free() {
    m_normal.reset();
    m_hover.reset();
    m_pressed.reset();
    m_disabled.reset();
}

Gdiplus::Image* StateImages::Pick(bool enabled, int state) const {
    if (!enabled) return m_disabled.get();
    switch (state) {
    case kNormal:
        return m_normal.get();
    case kHover:
        return m_hover.get();
    case kPressed:
        return m_pressed.get();
    default:
        return nullptr;
    }
}

}  // namespace taskwing
