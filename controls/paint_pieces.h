#pragma once
// What the skinned controls and windows paint with: the off-screen buffer of one paint, pieces of
// images stretched into a rectangle, a window's skin stretched once and kept, the piece of the
// parent's background under a control, and a button's four state images.
#include <cstdint>
#include <optional>

#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "system/png_resource.h"

namespace taskwing {

// Draws the `source` rectangle (image pixels) of `image` stretched into `client`.
void DrawImagePiece(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& client, const RECT& source);
// The `source` rectangle of the image (all of it when empty) stretched to `width` x `height` into
// `out` (top row first, `width` pixels a row), premultiplied: the pixels GDI+ would draw for it on
// a transparent canvas, made without it. At its own size, a copy. False when the image's pixels
// cannot be read.
bool StretchPremultiplied(Gdiplus::Image* image, int width, int height, std::uint32_t* out, RECT source = {});

// A top-down 32-bit DIB section of `width` x `height`, `width` pixels a row, and its pixels in
// `bits`; null (and `bits` null) when it cannot be made.
unique_hbitmap CreateTopDownBitmap(int width, int height, std::uint32_t*& bits);

// A window's skin stretched to the window's size once and kept, a premultiplied 32-bit bitmap, until
// the size or the image changes: every erase and every control's piece of the background is a copy
// from it, and a control repainting alone stretches nothing.
class StretchedSkin {
public:
    StretchedSkin() = default;
    StretchedSkin(const StretchedSkin&) = delete;
    StretchedSkin& operator=(const StretchedSkin&) = delete;

    // The image (not owned; null: nothing to show), the size it fills and the part of it shown
    // (all of it when empty). Stretched at the first copy after a change, not before.
    void Set(Gdiplus::Image* image, int width, int height, RECT source = {});
    // Forgets the image and gives the bitmap back.
    void Reset() { Set(nullptr, 0, 0); }
    // Copies the part at `from` (skin pixels) to `target` of `dc`, of the target's size; false when
    // there is nothing to copy.
    bool CopyTo(HDC dc, const RECT& target, POINT from) const;
    // Blends all of it over `target` of `dc` by its alpha, as GDI+ draws an image on a DC.
    bool BlendOver(HDC dc, const RECT& target) const;

private:
    bool Ready() const;

    Gdiplus::Image* m_image = nullptr;
    int m_width = 0;
    int m_height = 0;
    RECT m_source{};
    mutable unique_hbitmap m_bitmap;
};

// The piece of the parent's background that lies under a control: copied from the parent's kept
// skin where the control sits in it. The skin is the parent's: it keeps it alive for as long as
// the control paints.
struct ParentPiece {
    const StretchedSkin* skin = nullptr;

    explicit operator bool() const { return skin != nullptr; }
    // Into `client` of `control`'s DC. Nothing without a skin.
    void Draw(HDC dc, HWND control, const RECT& client) const;
};

// A memory DC with a bitmap of the client size, compatible with the paint DC; everything is given
// back when it goes, the bitmap deselected first.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC target, int width, int height);
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    explicit operator bool() const { return m_select.has_value(); }
    HDC dc() const { return m_dc.get(); }
    // One BitBlt of the top-left `width` x `height` pixels to (0, 0) of `target`.
    void CopyTo(HDC target, int width, int height) const;

private:
    unique_hdc m_dc;
    unique_hbitmap m_bitmap;
    std::optional<unique_select_object> m_select;
};

// One memory bitmap and one copy per paint, so that no half-drawn look reaches the screen: `draw`
// paints into the memory DC. Nothing is painted when the bitmap cannot be made.
template <typename Draw>
void PaintBuffered(HDC target, int width, int height, Draw&& draw) {
    OffscreenCanvas canvas(target, width, height);
    if (!canvas) return;
    draw(canvas.dc());
    canvas.CopyTo(target, width, height);
}

// A button's four looks, each its own image: normal, hover, pressed, disabled. Each is decoded
// when it is first shown: most buttons are never hovered, pressed or disabled, and the main
// window alone has twenty of these images.
class StateImages {
public:
    // The button states the images stand for.
    enum State : int { kNormal = 1, kHover = 2, kPressed = 3 };

    // Takes the four PNG resources of `module` for their slots. An id with no such resource
    // leaves its slot as it was; an id may serve two slots (each gets its own image).
    void Load(HMODULE module, UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId);
    void Free();
    // Half a set would show some looks and not others: buttons paint only with all four.
    bool Complete() const;
    // Disabled: the disabled image; else the state's, null for a state without one (or whose
    // PNG does not decode).
    Gdiplus::Image* Pick(bool enabled, int state) const;
    // The picked image's `source` part (all of it when empty) blended over `target` of `dc`,
    // stretched once per size and kept, so that a hover or a press stretches nothing. False
    // without an image.
    bool Draw(HDC dc, bool enabled, int state, const RECT& target, RECT source = {}) const;

private:
    struct Slot {
        HMODULE module = nullptr;
        UINT id = 0;  // 0: none
        mutable PngImagePtr image;
        mutable bool failed = false;
        mutable StretchedSkin look;  // the image at the size it was last drawn
        Gdiplus::Image* Get() const;
    };
    const Slot* PickSlot(bool enabled, int state) const;
    static void Take(Slot& slot, HMODULE module, UINT id);

    Slot m_normal;
    Slot m_hover;
    Slot m_pressed;
    Slot m_disabled;
};

}  // namespace taskwing
