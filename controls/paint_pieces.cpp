// The off-screen buffer of one paint, and the pieces of a skin that a control paints behind it.
#include "controls/paint_pieces.h"

#include <utility>

#include "base/stretch.h"

namespace taskwing {

void DrawImagePiece(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& client, const RECT& source) {
    const Gdiplus::Rect target(client.left, client.top, client.right - client.left, client.bottom - client.top);
    graphics.DrawImage(image, target, source.left, source.top, source.right - source.left, source.bottom - source.top,
                       Gdiplus::UnitPixel);
}

bool StretchPremultiplied(Gdiplus::Image* image, int width, int height, std::uint32_t* out, RECT source) {
    if (image == nullptr || out == nullptr || width <= 0 || height <= 0) return false;
    // Skins are decoded from PNG resources, which GDI+ always gives as bitmaps.
    if (image->GetType() != Gdiplus::ImageTypeBitmap) return false;
    auto* bitmap = static_cast<Gdiplus::Bitmap*>(image);
    const int imageWidth = static_cast<int>(image->GetWidth());
    const int imageHeight = static_cast<int>(image->GetHeight());
    Gdiplus::Rect whole(0, 0, imageWidth, imageHeight);
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return false;
    const PixelRect from = ::IsRectEmpty(&source) ? PixelRect{0, 0, imageWidth, imageHeight}
                                                  : PixelRect{source.left, source.top, source.right, source.bottom};
    StretchBilinear({static_cast<const std::uint32_t*>(data.Scan0), imageWidth, imageHeight, data.Stride / 4}, from,
                    {out, width, height, width});
    bitmap->UnlockBits(&data);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) out[i] = Premultiply(out[i]);
    return true;
}

unique_hbitmap CreateTopDownBitmap(int width, int height, std::uint32_t*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the stretch writes it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    unique_hbitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bits = static_cast<std::uint32_t*>(memory);
    if (bits == nullptr) bitmap.reset();
    return bitmap;
}

void StretchedSkin::Set(Gdiplus::Image* image, int width, int height, RECT source) {
    if (image == m_image && width == m_width && height == m_height && ::EqualRect(&source, &m_source)) return;
    m_image = image;
    m_width = width;
    m_height = height;
    m_source = source;
    m_bitmap.reset();
}

bool StretchedSkin::Ready() const {
    if (m_bitmap) return true;
    if (m_image == nullptr || m_width <= 0 || m_height <= 0) return false;
    std::uint32_t* bits = nullptr;
    unique_hbitmap bitmap = CreateTopDownBitmap(m_width, m_height, bits);
    if (!bitmap) return false;
    if (!StretchPremultiplied(m_image, m_width, m_height, bits, m_source)) return false;
    m_bitmap = std::move(bitmap);
    return true;
}

bool StretchedSkin::CopyTo(HDC dc, const RECT& target, POINT from) const {
    if (dc == nullptr || !Ready()) return false;
    unique_hdc memory(::CreateCompatibleDC(dc));
    if (!memory) return false;
    unique_select_object selected(memory.get(), m_bitmap.get());
    return ::BitBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                    memory.get(), from.x, from.y, SRCCOPY) != FALSE;
}

bool StretchedSkin::BlendOver(HDC dc, const RECT& target) const {
    if (dc == nullptr || !Ready()) return false;
    unique_hdc memory(::CreateCompatibleDC(dc));
    if (!memory) return false;
    unique_select_object selected(memory.get(), m_bitmap.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(dc, target.left, target.top, m_width, m_height, memory.get(), 0, 0, m_width, m_height,
                           blend) != FALSE;
}

void ParentPiece::Draw(HDC dc, HWND control, const RECT& client) const {
    if (skin == nullptr) return;
    // The control's place in the parent's client area is its place in the skin.
    POINT origin{client.left, client.top};
    ::MapWindowPoints(control, ::GetParent(control), &origin, 1);
    skin->CopyTo(dc, client, origin);
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
    slot.look.Reset();
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
    for (Slot* slot : {&m_normal, &m_hover, &m_pressed, &m_disabled}) {
        slot->look.Reset();
        slot->image.reset();
        slot->module = nullptr;
        slot->id = 0;
        slot->failed = false;
    }
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

const StateImages::Slot* StateImages::PickSlot(bool enabled, int state) const {
    if (!enabled) return &m_disabled;
    switch (state) {
    case kNormal:
        return &m_normal;
    case kHover:
        return &m_hover;
    case kPressed:
        return &m_pressed;
    default:
        return nullptr;
    }
}

Gdiplus::Image* StateImages::Pick(bool enabled, int state) const {
    const Slot* slot = PickSlot(enabled, state);
    return slot != nullptr ? slot->Get() : nullptr;
}

bool StateImages::Draw(HDC dc, bool enabled, int state, const RECT& target, RECT source) const {
    const Slot* slot = PickSlot(enabled, state);
    Gdiplus::Image* image = slot != nullptr ? slot->Get() : nullptr;
    if (image == nullptr) return false;
    slot->look.Set(image, target.right - target.left, target.bottom - target.top, source);
    return slot->look.BlendOver(dc, target);
}

}  // namespace taskwing
