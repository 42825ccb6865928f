#pragma once
// A PNG resource's own pixels, decoded straight from its bytes into a GDI+ bitmap: what a control
// that paints the image 1:1 must show.
#include <windows.h>

#include <cstring>

#include "framework/gdiplus_session.h"
#include "framework/handles.h"
#include "tests/controls/pixels.h"

namespace taskwing::test {

inline Pixels PngPixels(UINT id) {
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
            pixels.data.push_back(RGB(colour.GetR(), colour.GetG(), colour.GetB()));
        }
    }
    return pixels;
}

}  // namespace taskwing::test
