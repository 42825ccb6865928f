#pragma once
// A PNG resource's own pixels, decoded straight from its bytes into a GDI+ bitmap: what a control
// that paints the image 1:1 must show.
#include <windows.h>

#include <cstring>
#include <optional>

#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "tests/controls/pixels.h"

namespace taskwing::test {

// With a background, each pixel is blended over it by its alpha, as an image with transparent parts
// shows on that colour.
inline Pixels PngPixels(UINT id, std::optional<COLORREF> background = std::nullopt) {
    Pixels pixels;
    HRSRC info = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"PNG");
    if (info == nullptr) return pixels;
    const DWORD size = ::SizeofResource(nullptr, info);
    const void* bytes = ::LockResource(::LoadResource(nullptr, info));
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (bytes == nullptr || copy == nullptr) return pixels;
    std::memcpy(::GlobalLock(copy), bytes, size);
    ::GlobalUnlock(copy);
    com_ptr<IStream> stream;
    // The stream frees the copy when it goes.
    if (FAILED(::CreateStreamOnHGlobal(copy, TRUE, stream.put()))) return pixels;
    Gdiplus::Bitmap bitmap(stream.get());
    pixels.width = static_cast<int>(bitmap.GetWidth());
    pixels.height = static_cast<int>(bitmap.GetHeight());
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            Gdiplus::Color colour;
            bitmap.GetPixel(x, y, &colour);
            if (!background) {
                pixels.data.push_back(RGB(colour.GetR(), colour.GetG(), colour.GetB()));
                continue;
            }
            const int alpha = colour.GetA();
            auto over = [alpha](int value, int under) { return (value * alpha + under * (255 - alpha) + 127) / 255; };
            pixels.data.push_back(RGB(over(colour.GetR(), GetRValue(*background)),
                                      over(colour.GetG(), GetGValue(*background)),
                                      over(colour.GetB(), GetBValue(*background))));
        }
    }
    return pixels;
}

}  // namespace taskwing::test
