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

void CopyWhenUnscaled(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int width, int height) {
    // At its own size an image needs no resampling; Wine's GDI+ resamples all the same unless told.
    if (image != nullptr && image->GetWidth() == static_cast<UINT>(width) && image->GetHeight() == static_cast<UINT>(height))
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
}

void StretchBackground(HDC dc, Gdiplus::Image* image, const RECT& target) {
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    CopyWhenUnscaled(graphics, image, target.right - target.left, target.bottom - target.top);
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

void StateImages::Take(Slot& slot, HMODULE module, UINT id) {
    if (::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG") == nullptr) return;
    slot.module = module;
    slot.id = id;
    slot.image.reset();
    slot.failed = false;
}

void StateImages::Load(HMODULE module, UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId) {
    Take(m_normal, module, normalId);
    Take(m_hover, module, hoverId);
    Take(m_pressed, module, pressedId);
    Take(m_disabled, module, disabledId);
}

void StateImages::Free() {
    for (Slot* slot : {&m_normal, &m_hover, &m_pressed, &m_disabled}) *slot = Slot{};
}

bool StateImages::Complete() const {
    for (const Slot* slot : {&m_normal, &m_hover, &m_pressed, &m_disabled})
        if (slot->id == 0 || slot->failed) return false;
    return true;
}

Gdiplus::Image* StateImages::Slot::Get() const {
    if (!image && id != 0 && !failed) failed = !LoadPngResource(image, module, id);
    return image.get();
}

Gdiplus::Image* StateImages::Pick(bool enabled, int state) const {
    if (!enabled) return m_disabled.Get();
    switch (state) {
    case kNormal:
        return m_normal.Get();
    case kHover:
        return m_hover.Get();
    case kPressed:
        return m_pressed.Get();
    default:
        return nullptr;
    }
}

}  // namespace taskwing
