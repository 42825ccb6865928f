#pragma once
// Reading back what a window painted: its client pixels, and the box of the pixels that differ
// from the background (the ink of the text).
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/handles.h"

namespace taskwing::test {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> data;
    COLORREF At(int x, int y) const { return data[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

// The client area as it is on the window's surface now, without painting it first.
inline Pixels CaptureClient(HWND hwnd) {
    Pixels pixels;
    RECT client{};
    ::GetClientRect(hwnd, &client);
    pixels.width = client.right;
    pixels.height = client.bottom;
    if (pixels.width <= 0 || pixels.height <= 0) return pixels;

    unique_window_dc source(hwnd);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_hbitmap dib(::CreateDIBSection(source.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    unique_hdc memory(::CreateCompatibleDC(source.get()));
    if (!dib || !memory || bits == nullptr) return pixels;
    {
        unique_select_object select(memory.get(), dib.get());
        ::BitBlt(memory.get(), 0, 0, pixels.width, pixels.height, source.get(), 0, 0, SRCCOPY);
    }
    const auto* raw = static_cast<const DWORD*>(bits);
    pixels.data.resize(static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height));
    for (size_t i = 0; i < pixels.data.size(); ++i) {
        const DWORD bgra = raw[i];
        pixels.data[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    return pixels;
}

// Paints whatever is invalid in the window and its children, then reads the window back.
inline Pixels PaintAndCapture(HWND hwnd) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureClient(hwnd);
}

// The smallest box holding every pixel that differs from `background`; empty() when none does.
struct InkBox {
    int left = 0;
    int top = 0;
    int right = 0;  // outside, as in a RECT
    int bottom = 0;
    int count = 0;
    bool empty() const { return count == 0; }
    int CentreX2() const { return left + right; }  // twice the centre, to stay in integers
    int CentreY2() const { return top + bottom; }
};

inline InkBox InkOf(const Pixels& pixels, COLORREF background) {
    InkBox box{pixels.width, pixels.height, 0, 0, 0};
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (pixels.At(x, y) == background) continue;
            ++box.count;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    if (box.count == 0) box = InkBox{};
    return box;
}

inline std::string Describe(const InkBox& box) {
    return "ink " + std::to_string(box.left) + "," + std::to_string(box.top) + " to " + std::to_string(box.right) + "," +
           std::to_string(box.bottom) + " (" + std::to_string(box.count) + " pixels)";
}

// The advance width of `text` in `font`, measured with GDI alone.
inline int TextWidthIn(HFONT font, const std::wstring& text) {
    unique_hdc dc(::CreateCompatibleDC(nullptr));
    unique_select_object select(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace taskwing::test
